#include "schema/EntryText.h"

#include <charconv>
#include <limits>

#include "schema/EntryRecords.h"

namespace hopwerk {

std::string QuoteEntryText(const std::string& raw) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (char ch : raw) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c >= 0x20 && c < 0x7F) {
      out += ch;
    } else {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out + "\"";
}

bool UnquoteEntryText(const std::string& text, size_t& pos, std::string& out, std::string& reason) {
  out.clear();
  if (pos >= text.size() || text[pos] != '"') {
    reason = "expected a string in double quotes";
    return false;
  }
  auto hexValue = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  for (size_t i = pos + 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      pos = i + 1;
      return true;
    }
    if (c != '\\') {
      out += c;
      continue;
    }
    if (i + 1 >= text.size()) break;
    const char e = text[++i];
    if (e == '"' || e == '\\') {
      out += e;
    } else if (e == 'x' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
               hexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
      i += 2;
    } else {
      reason = std::string("unknown escape \\") + e + " (use \\\", \\\\ or \\xHH)";
      return false;
    }
  }
  reason = "string has no closing quote";
  return false;
}

namespace {

int HighOf(const EntryField& field) {
  return field.high < field.low ? 255 : field.high;
}

// The name a record is known by in the text: its keyword, or its first written field.
const char* RecordName(const EntryRecordFormat& record) {
  if (record.keyword) return record.keyword;
  for (const auto& f : record.fields) {
    if (f.type != EntryFieldType::Fixed) return f.name;
  }
  return "";
}

// "Name = value" lines for one record's fields.
void FieldsToText(const EntryRecord& record, const std::string& indent, std::string& text) {
  const auto& fields = record.format->fields;
  for (size_t i = 0; i < fields.size(); ++i) {
    const EntryField& field = fields[i];
    if (field.type == EntryFieldType::Fixed) continue;
    const FieldValue& value = record.values[i];
    const bool isText =
        field.type == EntryFieldType::String || field.type == EntryFieldType::Scrambled;
    text += indent + field.name + " = " +
            (isText ? QuoteEntryText(value.text) : std::to_string(value.number)) + "\n";
  }
}

// Why the reader stopped, in the text form's words.
std::string FaultReason(const EntryFormat& format, const EntryRecordReader& reader) {
  const RecordFaultInfo& fault = reader.Fault();
  if (fault.kind == RecordFault::UnknownTag) {
    return "unknown tag " + std::to_string(fault.tag) + " at byte " + std::to_string(fault.at);
  }
  const EntryRecordFormat* record = nullptr;
  for (const auto& r : format.records) {
    if (r.tag == fault.tag) record = &r;
  }
  const EntryField& field = record->fields[fault.field];
  const std::string where =
      std::string("field ") + field.name + " at byte " + std::to_string(fault.at);
  if (fault.kind == RecordFault::CutOff) return where + " runs past the end of the entry";
  const int high = field.type == EntryFieldType::Fixed ? field.low : HighOf(field);
  return where + " is " + std::to_string(fault.value) + ", outside " + std::to_string(field.low) +
         " to " + std::to_string(high);
}

std::string Trim(const std::string& s) {
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const size_t last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

bool ParseNumber(const std::string& value, int64_t low, int64_t high, int64_t& out,
                 std::string& reason) {
  int64_t v = 0;
  const char* begin = value.data();
  const char* end = value.data() + value.size();
  const auto [ptr, ec] = std::from_chars(begin, end, v);
  if (value.empty() || ec != std::errc() || ptr != end) {
    reason = "\"" + value + "\" is not a whole number";
    return false;
  }
  if (v < low || v > high) {
    reason = value + " is outside " + std::to_string(low) + " to " + std::to_string(high);
    return false;
  }
  out = v;
  return true;
}

bool ValueToBytes(const EntryField& field, const std::string& value, int& key,
                  std::vector<uint8_t>& bytes, std::string& reason) {
  FieldValue parsed;
  switch (field.type) {
    case EntryFieldType::Byte:
    case EntryFieldType::Key:
      if (!ParseNumber(value, field.low, HighOf(field), parsed.number, reason)) return false;
      break;
    case EntryFieldType::Fixed:
      break;
    case EntryFieldType::Int:
      if (!ParseNumber(value, std::numeric_limits<int32_t>::min(),
                       std::numeric_limits<int32_t>::max(), parsed.number, reason)) {
        return false;
      }
      break;
    case EntryFieldType::String:
    case EntryFieldType::Scrambled: {
      size_t pos = 0;
      if (!UnquoteEntryText(value, pos, parsed.text, reason)) return false;
      if (pos != value.size()) {
        reason = "unexpected text after the closing quote";
        return false;
      }
      if (parsed.text.size() > 255) {
        reason = "string of " + std::to_string(parsed.text.size()) + " bytes (at most 255)";
        return false;
      }
      break;
    }
  }
  WriteEntryField(field, parsed, key, bytes);
  return true;
}

std::string FieldList(const EntryFormat& format) {
  std::string list;
  for (const auto& r : format.records) {
    if (r.keyword) list += (list.empty() ? "" : ", ") + std::string(r.keyword);
    for (const auto& f : r.fields) {
      if (f.type != EntryFieldType::Fixed) list += (list.empty() ? "" : ", ") + std::string(f.name);
    }
  }
  if (format.endTag >= 0) list += ", end";
  return list;
}

// Marker bytes follow from the table alone: they are written as soon as they are due.
void EmitFixed(const EntryRecordFormat& record, size_t& nextField, std::vector<uint8_t>& bytes) {
  while (nextField < record.fields.size() &&
         record.fields[nextField].type == EntryFieldType::Fixed) {
    bytes.push_back(static_cast<uint8_t>(record.fields[nextField++].low));
  }
}

}  // namespace

bool EntryBytesToText(const EntryFormat& format, const std::vector<uint8_t>& bytes,
                      std::string& text, std::string& reason) {
  text = "# " + std::string(format.title) + " entry, readable form\n";
  EntryBytes source(bytes);
  EntryRecordReader reader(format, source);
  // Fields after a keyword record belong to the element it started: indent them.
  std::string indent;
  EntryRecord record;
  for (;;) {
    const ReadStep step = reader.Next(record);
    if (step == ReadStep::Fault) {
      reason = FaultReason(format, reader);
      return false;
    }
    if (step == ReadStep::End) break;
    if (record.format->keyword) {
      text += std::string(record.format->keyword) + "\n";
      indent = "  ";
    }
    FieldsToText(record, indent, text);
  }
  if (reader.SawEndTag()) text += "end\n";
  const auto read = static_cast<size_t>(source.Position());
  if (read != bytes.size()) {
    reason = std::to_string(bytes.size() - read) + " bytes after the " +
             (IsTagged(format) ? "end tag" : "last field");
    return false;
  }
  if (format.endRequired && !reader.SawEndTag()) {
    reason = "no end tag (" + std::string(format.title) + " entries must end with one)";
    return false;
  }
  return true;
}

bool EntryTextToBytes(const EntryFormat& format, const std::string& text,
                      std::vector<uint8_t>& bytes, EntryTextError& error) {
  bytes.clear();
  const bool tagged = IsTagged(format);
  const EntryRecordFormat* open = tagged ? nullptr : &format.records[0];
  size_t nextField = 0;
  if (open) EmitFixed(*open, nextField, bytes);
  int key = 0;
  bool ended = false;
  int lineNumber = 0;
  auto fail = [&](int line, std::string message) {
    error.line = line;
    error.message = std::move(message);
    return false;
  };
  size_t start = 0;
  while (start <= text.size()) {
    size_t stop = text.find('\n', start);
    if (stop == std::string::npos) stop = text.size();
    std::string line = text.substr(start, stop - start);
    start = stop + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    line = Trim(line);
    if (line.empty() || line[0] == '#') continue;
    if (ended) return fail(lineNumber, "text after \"end\"");
    const size_t equals = line.find('=');
    if (equals == std::string::npos) {
      const EntryRecordFormat* word = nullptr;
      for (const auto& r : format.records) {
        if (tagged && r.keyword && line == r.keyword) word = &r;
      }
      if (line != "end" && !word) {
        std::vector<std::string> choices = {"\"Name = value\""};
        for (const auto& r : format.records) {
          if (r.keyword) choices.push_back("\"" + std::string(r.keyword) + "\"");
        }
        if (format.endTag >= 0) choices.push_back("\"end\"");
        std::string expected = "expected " + choices[0];
        for (size_t i = 1; i < choices.size(); ++i) {
          expected += (i + 1 == choices.size() ? " or " : ", ") + choices[i];
        }
        return fail(lineNumber, expected);
      }
      if (line == "end" && format.endTag < 0) {
        return fail(lineNumber, std::string(format.title) + " has no end record");
      }
      if (tagged && open) {
        return fail(lineNumber, std::string("expected \"") + open->fields[nextField].name +
                                    "\" before \"" + line + "\"");
      }
      if (!word) {
        bytes.push_back(static_cast<uint8_t>(format.endTag));
        ended = true;
      } else {
        bytes.push_back(static_cast<uint8_t>(word->tag));
      }
      continue;
    }
    const std::string name = Trim(line.substr(0, equals));
    const std::string value = Trim(line.substr(equals + 1));
    if (tagged && !open) {
      for (const auto& r : format.records) {
        if (!r.keyword && RecordName(r) == name) open = &r;
      }
      if (!open) {
        return fail(lineNumber, "unknown field \"" + name + "\" (" + format.title +
                                    " has: " + FieldList(format) + ")");
      }
      bytes.push_back(static_cast<uint8_t>(open->tag));
      nextField = 0;
      EmitFixed(*open, nextField, bytes);
    }
    if (!open || nextField >= open->fields.size()) {
      return fail(lineNumber,
                  "unexpected field \"" + name + "\": " + format.title + " has no more fields");
    }
    const EntryField& field = open->fields[nextField];
    if (name != field.name) {
      const bool known = FieldList(format).find(name) != std::string::npos && !name.empty();
      return fail(lineNumber, "expected \"" + std::string(field.name) + "\" here, found \"" + name +
                                  "\"" + (known ? "" : " (unknown field)"));
    }
    std::string reason;
    if (!ValueToBytes(field, value, key, bytes, reason)) {
      return fail(lineNumber, name + ": " + reason);
    }
    ++nextField;
    EmitFixed(*open, nextField, bytes);
    if (nextField == open->fields.size() && tagged) open = nullptr;
  }
  if (open && (tagged || nextField < open->fields.size())) {
    return fail(lineNumber, std::string("missing \"") + open->fields[nextField].name +
                                "\" at the end of the text");
  }
  if (format.endRequired && !ended) {
    return fail(lineNumber, "missing \"end\" at the end of the text (" + std::string(format.title) +
                                " entries must end with it)");
  }
  return true;
}

}  // namespace hopwerk
