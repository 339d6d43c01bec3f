// A buffered byte stream on a plain file, with the engine's own line rules. Reading past the end
// yields zero bytes and sets Eof, never undefined data.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace hopwerk {

class FileWriter;

// The largest file the engine reads: 128 MiB, more than ten minutes of uncompressed CD-quality
// music and far above any real picture, sound or text. Larger files are refused as missing.
constexpr int64_t kMaxReadFileBytes = int64_t{128} << 20;

class ByteStream {
 public:
  enum class Mode { Read, Write };

  // Opens `path`. For Read only a regular file of at most kMaxReadFileBytes opens. For Write
  // the bytes go through a FileWriter: to a temporary file in the same
  // folder which is renamed over `path` when the stream is closed; a failed write leaves the
  // old file untouched.
  static std::unique_ptr<ByteStream> Open(const std::string& path, Mode mode);
  ~ByteStream();
  ByteStream(const ByteStream&) = delete;
  ByteStream& operator=(const ByteStream&) = delete;

  int ReadByte();                     // 0..255; 0 past the end
  int32_t ReadInt();                  // little-endian
  std::string ReadString(int count);  // count bytes, each one character
  // Up to LF, a zero byte or the end; CR dropped; the terminator is not returned.
  std::string ReadLine();

  void WriteByte(int b);
  void WriteInt(int32_t v);
  void WriteString(const std::string& s);  // each character's low 8 bits
  void WriteLine(const std::string& s);    // followed by CR LF

  bool Eof();
  int64_t Position();
  int64_t Size();
  void Seek(int64_t pos);
  // For write streams: flush and move the temporary file into place. Returns success.
  // A write stream that is destroyed without Close commits the same way, unless it is being
  // destroyed by an exception unwinding past it: then it is abandoned.
  bool Close();
  // For write streams: throw the temporary file away and leave the old file as it was.
  void Abandon();

 private:
  ByteStream() = default;
  bool IsOpen() const { return file_ != nullptr || writer_ != nullptr; }

  std::FILE* file_ = nullptr;           // read streams
  std::unique_ptr<FileWriter> writer_;  // write streams
  Mode mode_ = Mode::Read;
  bool failed_ = false;
  int64_t pos_ = 0;
  int64_t size_ = 0;
  int uncaughtAtOpen_ = 0;  // std::uncaught_exceptions() when the stream was opened
};

}  // namespace hopwerk
