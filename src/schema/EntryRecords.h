// Reading an entry record by record through its format's table, and writing records back.
// The engine's loaders, the text forms and the tests' project builders all read and write
// entries through these, so no one spells out a format's bytes by hand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "schema/EntryFormat.h"

namespace hopwerk {

// Where the bytes come from. The engine's archive streams read on past an entry's end into
// whatever follows, so a source only says afterwards whether a read went past it.
class EntrySource {
 public:
  virtual ~EntrySource() = default;
  virtual bool AtEnd() = 0;
  virtual int Byte() = 0;
  virtual int32_t Int() = 0;
  // A length byte and that many bytes, each XOR-ed with key.
  virtual std::string String(int key) = 0;
  virtual bool Overran() const = 0;
  virtual int64_t Position() const = 0;
};

// The bytes of a whole entry in memory. Reads past the end give zeros and count as overrun.
class EntryBytes final : public EntrySource {
 public:
  explicit EntryBytes(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
  bool AtEnd() override { return pos_ >= bytes_.size(); }
  int Byte() override;
  int32_t Int() override;
  std::string String(int key) override;
  bool Overran() const override { return overran_; }
  int64_t Position() const override { return static_cast<int64_t>(pos_); }

 private:
  const std::vector<uint8_t>& bytes_;
  size_t pos_ = 0;
  bool overran_ = false;
};

// One field's value: bytes, keys, markers and ints as number, strings as text (unscrambled).
struct FieldValue {
  FieldValue() = default;
  FieldValue(int64_t n) : number(n) {}               // NOLINT: a field's value reads as one
  FieldValue(std::string t) : text(std::move(t)) {}  // NOLINT
  FieldValue(const char* t) : text(t) {}             // NOLINT
  int64_t number = 0;
  std::string text;
};

// One record as read, its values in the order of its format's fields (markers included).
struct EntryRecord {
  const EntryRecordFormat* format = nullptr;
  std::vector<FieldValue> values;

  int tag() const { return format ? format->tag : -1; }
};

enum class RecordFault {
  None,
  UnknownTag,   // value: the tag
  CutOff,       // a field ran past the entry's end; field: the first one that did
  OutOfRange,   // value: the byte outside the field's limits
  WrongMarker,  // value: the byte found where the marker belongs
};

struct RecordFaultInfo {
  RecordFault kind = RecordFault::None;
  int tag = -1;
  int64_t value = 0;
  size_t field = 0;  // index into the record's fields
  int64_t at = 0;    // position of that field, or of the tag
};

enum class ReadStep { Record, End, Fault };

// Reads records one at a time, so a loader acts on each as the engine always has (a picture
// named by one record is loaded before the next is read). Checks, in the engine's order: a
// field with limits or a marker must be whole before it is judged; the whole record must not
// run past the entry. An entry that ends without its end tag ends the reading; SawEndTag
// tells the two apart, and whether that is damage is the loader's to say.
class EntryRecordReader {
 public:
  EntryRecordReader(const EntryFormat& format, EntrySource& source)
      : format_(format), source_(source) {}

  ReadStep Next(EntryRecord& record);
  // Called with each tag as soon as it is read, before its fields (a loader that traces its
  // reading).
  void OnTag(std::function<void(int tag)> onTag) { onTag_ = std::move(onTag); }
  const RecordFaultInfo& Fault() const { return fault_; }
  bool SawEndTag() const { return sawEndTag_; }

 private:
  ReadStep Failed(RecordFault kind, int tag, int64_t value, size_t field, int64_t at);

  const EntryFormat& format_;
  EntrySource& source_;
  std::function<void(int)> onTag_;
  int key_ = 0;
  bool done_ = false;
  bool sawEndTag_ = false;
  RecordFaultInfo fault_;
};

// Appends one field's bytes. Markers are written from the table whatever the value holds;
// strings are cut at 255 bytes; a key takes effect for the scrambled strings after it.
void WriteEntryField(const EntryField& field, const FieldValue& value, int& key,
                     std::vector<uint8_t>& bytes);
// Appends a record's bytes: its tag (when the format has tags) and its values by the table.
void WriteEntryRecord(const EntryRecordFormat& record, const std::vector<FieldValue>& values,
                      int& key, std::vector<uint8_t>& bytes);

// The format of that title ("LEVEL/Objects", "actor definition"); every loader names its own.
const EntryFormat& EntryFormatTitled(const std::string& title);

// Whether a format's entries are a sequence of tagged records (all but the single-record ones).
bool IsTagged(const EntryFormat& format);

}  // namespace hopwerk
