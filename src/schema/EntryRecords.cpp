#include "schema/EntryRecords.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace hopwerk {

int EntryBytes::Byte() {
  if (pos_ >= bytes_.size()) {
    overran_ = true;
    return 0;
  }
  return bytes_[pos_++];
}

int32_t EntryBytes::Int() {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(Byte()) << (8 * i);
  return static_cast<int32_t>(v);
}

std::string EntryBytes::String(int key) {
  const size_t length = static_cast<size_t>(Byte());
  if (overran_) return {};
  const size_t available = std::min(length, bytes_.size() - pos_);
  std::string text(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_),
                   bytes_.begin() + static_cast<std::ptrdiff_t>(pos_ + available));
  pos_ += available;
  if (available < length) overran_ = true;
  for (char& c : text) c = static_cast<char>(static_cast<unsigned char>(c) ^ key);
  return text;
}

bool IsTagged(const EntryFormat& format) {
  return !(format.records.size() == 1 && format.records[0].tag < 0);
}

namespace {

const EntryRecordFormat* RecordByTag(const EntryFormat& format, int tag) {
  for (const auto& r : format.records) {
    if (r.tag == tag) return &r;
  }
  return nullptr;
}

bool HasLimits(const EntryField& field) {
  if (field.type == EntryFieldType::Fixed) return true;
  return (field.type == EntryFieldType::Byte || field.type == EntryFieldType::Key) &&
         field.high >= field.low;
}

}  // namespace

ReadStep EntryRecordReader::Failed(RecordFault kind, int tag, int64_t value, size_t field,
                                   int64_t at) {
  done_ = true;
  fault_ = {kind, tag, value, field, at};
  return ReadStep::Fault;
}

ReadStep EntryRecordReader::Next(EntryRecord& record) {
  if (done_) return ReadStep::End;
  const EntryRecordFormat* format = &format_.records[0];
  int tag = -1;
  if (IsTagged(format_)) {
    if (source_.AtEnd()) {
      done_ = true;
      return ReadStep::End;
    }
    const int64_t tagAt = source_.Position();
    tag = source_.Byte();
    if (onTag_) onTag_(tag);
    if (tag == format_.endTag) {
      done_ = true;
      sawEndTag_ = true;
      return ReadStep::End;
    }
    format = RecordByTag(format_, tag);
    if (!format) return Failed(RecordFault::UnknownTag, tag, tag, 0, tagAt);
  } else {
    done_ = true;
  }
  record.format = format;
  record.values.assign(format->fields.size(), FieldValue{});
  std::optional<size_t> firstCut;
  int64_t cutAt = 0;
  for (size_t i = 0; i < format->fields.size(); ++i) {
    const EntryField& field = format->fields[i];
    FieldValue& value = record.values[i];
    const int64_t at = source_.Position();
    switch (field.type) {
      case EntryFieldType::Byte:
      case EntryFieldType::Key:
      case EntryFieldType::Fixed:
        value.number = source_.Byte();
        break;
      case EntryFieldType::Int:
        value.number = source_.Int();
        break;
      case EntryFieldType::String:
        value.text = source_.String(0);
        break;
      case EntryFieldType::Scrambled:
        value.text = source_.String(key_);
        break;
    }
    if (!firstCut && source_.Overran()) {
      firstCut = i;
      cutAt = at;
    }
    if (HasLimits(field)) {
      // A value taken from beyond the entry says nothing about the entry: it is cut off.
      if (firstCut) return Failed(RecordFault::CutOff, tag, 0, *firstCut, cutAt);
      const int high = field.type == EntryFieldType::Fixed ? field.low : field.high;
      if (value.number < field.low || value.number > high) {
        return Failed(field.type == EntryFieldType::Fixed ? RecordFault::WrongMarker
                                                          : RecordFault::OutOfRange,
                      tag, value.number, i, at);
      }
    }
    if (field.type == EntryFieldType::Key) key_ = static_cast<int>(value.number);
  }
  if (firstCut) return Failed(RecordFault::CutOff, tag, 0, *firstCut, cutAt);
  return ReadStep::Record;
}

void WriteEntryField(const EntryField& field, const FieldValue& value, int& key,
                     std::vector<uint8_t>& bytes) {
  switch (field.type) {
    case EntryFieldType::Byte:
    case EntryFieldType::Key:
      bytes.push_back(static_cast<uint8_t>(value.number));
      if (field.type == EntryFieldType::Key) key = static_cast<uint8_t>(value.number);
      return;
    case EntryFieldType::Fixed:
      bytes.push_back(static_cast<uint8_t>(field.low));
      return;
    case EntryFieldType::Int: {
      const auto u = static_cast<uint32_t>(static_cast<int32_t>(value.number));
      for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(u >> (8 * i)));
      return;
    }
    case EntryFieldType::String:
    case EntryFieldType::Scrambled: {
      const size_t length = std::min<size_t>(value.text.size(), 255);
      const int x = field.type == EntryFieldType::Scrambled ? key : 0;
      bytes.push_back(static_cast<uint8_t>(length));
      for (size_t i = 0; i < length; ++i) {
        bytes.push_back(static_cast<uint8_t>(static_cast<unsigned char>(value.text[i]) ^ x));
      }
      return;
    }
  }
}

void WriteEntryRecord(const EntryRecordFormat& record, const std::vector<FieldValue>& values,
                      int& key, std::vector<uint8_t>& bytes) {
  if (record.tag >= 0) bytes.push_back(static_cast<uint8_t>(record.tag));
  static const FieldValue kNone;
  for (size_t i = 0; i < record.fields.size(); ++i) {
    WriteEntryField(record.fields[i], i < values.size() ? values[i] : kNone, key, bytes);
  }
}

const EntryFormat& EntryFormatTitled(const std::string& title) {
  for (const auto& format : EntryFormats()) {
    if (title == format.title) return format;
  }
  // Titles are the engine's own constants: a wrong one is a fault of the engine, found by the
  // first test that loads that entry.
  throw std::logic_error("no entry format titled " + title);
}

}  // namespace hopwerk
