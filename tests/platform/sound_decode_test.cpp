// Sounds are decoded under a playing-time limit before the mixer sees them: a tiny compressed
// file must not be able to decode to gigabytes.
#include <gtest/gtest.h>
#include <vorbis/vorbisenc.h>

#include <cmath>
#include <string>

#include "codec/SoundDecode.h"
#include "platform/SdlWav.h"

namespace hopwerk {
namespace {

// `frames` of a quiet tone, encoded with the reference Vorbis encoder.
std::string EncodeOgg(long rate, int channels, int frames) {
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, channels, rate, 0.1f) != 0) return {};
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block vb;
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, 1);
  std::string out;
  ogg_page page;
  auto flush = [&](bool all) {
    while (all ? ogg_stream_flush(&os, &page) : ogg_stream_pageout(&os, &page)) {
      out.append(reinterpret_cast<char*>(page.header), static_cast<size_t>(page.header_len));
      out.append(reinterpret_cast<char*>(page.body), static_cast<size_t>(page.body_len));
    }
  };
  ogg_packet id, comment, code;
  vorbis_analysis_headerout(&vd, &vc, &id, &comment, &code);
  ogg_stream_packetin(&os, &id);
  ogg_stream_packetin(&os, &comment);
  ogg_stream_packetin(&os, &code);
  flush(true);
  for (int done = 0; done <= frames;) {
    const int count = std::min(1024, frames - done);
    if (count > 0) {
      float** buffer = vorbis_analysis_buffer(&vd, count);
      for (int i = 0; i < count; ++i) {
        for (int c = 0; c < channels; ++c) buffer[c][i] = 0.2f * std::sin((done + i) * 0.05f);
      }
    }
    vorbis_analysis_wrote(&vd, count);  // 0 marks the end
    done += count > 0 ? count : 1;
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&vd, &packet)) {
        ogg_stream_packetin(&os, &packet);
        flush(false);
      }
    }
  }
  flush(true);
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return out;
}

std::string Wav8BitMono(int rate, int frames) {
  auto le = [](std::string& s, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  std::string wav = "RIFF";
  le(wav, static_cast<uint32_t>(36 + frames), 4);
  wav += "WAVEfmt ";
  for (const auto& [v, n] : {std::pair{16u, 4},
                             {1u, 2},
                             {1u, 2},
                             {uint32_t(rate), 4},
                             {uint32_t(rate), 4},
                             {1u, 2},
                             {8u, 2}}) {
    le(wav, v, n);
  }
  wav += "data";
  le(wav, static_cast<uint32_t>(frames), 4);
  wav.append(static_cast<size_t>(frames), '\x80');
  return wav;
}

uint32_t DataBytes(const std::string& wav) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i)
    v |= static_cast<uint32_t>(static_cast<uint8_t>(wav[40 + i])) << (8 * i);
  return v;
}

TEST(SoundDecode, OggDecodesToPcmUpToItsPlayingTimeLimit) {
  const std::string ogg = EncodeOgg(8000, 2, 16000);  // two seconds, stereo
  ASSERT_FALSE(ogg.empty());
  const std::string wav = OggToWav(ogg, 3000);
  ASSERT_GT(wav.size(), 44u);
  EXPECT_EQ(wav.compare(0, 4, "RIFF"), 0);
  EXPECT_EQ(DataBytes(wav), 16000u * 2 * 2);
  EXPECT_EQ(wav.size(), 44u + DataBytes(wav));
  EXPECT_FALSE(CheckedWav(wav, 3000).empty());
  EXPECT_TRUE(OggToWav(ogg, 1000).empty());  // longer than allowed: refused, not cut
  EXPECT_TRUE(CheckedWav(wav, 1000).empty());
}

TEST(SoundDecode, DamagedFilesDecodeToNothing) {
  const std::string ogg = EncodeOgg(8000, 1, 4000);
  for (const std::string& bad : {std::string(), std::string("OggS"), ogg.substr(0, 40),
                                 std::string(ogg.size(), '\0'), Wav8BitMono(8000, 10)}) {
    EXPECT_TRUE(OggToWav(bad).empty());
  }
  EXPECT_TRUE(CheckedWav(std::string("RIFF\x10\0\0\0WAVE", 12)).empty());
  EXPECT_TRUE(CheckedWav(ogg).empty());
}

TEST(SoundDecode, WavIsMeasuredInPlayingTimeNotBytes) {
  // A thousand bytes at 100 frames a second play ten seconds: the mixer would widen them a
  // thousandfold, so the byte count alone says nothing.
  EXPECT_FALSE(CheckedWav(Wav8BitMono(100, 1000), 10000).empty());
  EXPECT_TRUE(CheckedWav(Wav8BitMono(100, 1000), 9000).empty());
  EXPECT_TRUE(CheckedWav(Wav8BitMono(1, 1300), kMaxSoundMillis).empty());
}

TEST(SoundDecode, AWavChunkClaimingMoreThanTheFileHoldsIsCutToIt) {
  std::string wav = Wav8BitMono(8000, 1000);
  for (int i = 0; i < 4; ++i) wav[40 + i] = "\x10\x2e\x2e\x95"[i];  // 2.5 GB of data
  const std::string checked = CheckedWav(wav);
  ASSERT_FALSE(checked.empty());
  EXPECT_EQ(DataBytes(checked), 1000u);
}

}  // namespace
}  // namespace hopwerk
