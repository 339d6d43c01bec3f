#include "archive/EntryText.h"

#include <charconv>
#include <limits>

#include "archive/VxrIndex.h"

namespace hopwerk {

const std::vector<EntryFormat>& EntryFormats() {
  using T = EntryFieldType;
  static const std::vector<EntryFormat> formats = {
      {"GenData",
       255,
       {{0, {{"ProjectTitle", T::String}}},
        {1, {{"ScreenWidth", T::Int}, {"ScreenHeight", T::Int}}},
        {2, {{"FullScreen", T::Byte}}},
        {3, {{"ProjectAuthor", T::String}}}}},
      {"ID", -1, {{-1, {{"ProjectIdMajor", T::Byte}, {"ProjectIdMinor", T::Int}}}}},
  };
  return formats;
}

const EntryFormat* FindEntryFormat(const std::string& entryName) {
  const std::string upper = VxrUpper(entryName);
  for (const auto& format : EntryFormats()) {
    if (VxrUpper(format.entryName) == upper) return &format;
  }
  return nullptr;
}

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

const EntryRecordFormat* RecordByTag(const EntryFormat& format, int tag) {
  for (const auto& r : format.records) {
    if (r.tag == tag) return &r;
  }
  return nullptr;
}

// Appends "Name = value" lines for one record read from bytes; false when they run out.
bool FieldsToText(const EntryRecordFormat& record, const std::vector<uint8_t>& bytes, size_t& pos,
                  std::string& text, std::string& reason) {
  for (const auto& field : record.fields) {
    const size_t at = pos;
    std::string value;
    switch (field.type) {
      case EntryFieldType::Byte:
        if (pos + 1 > bytes.size()) break;
        value = std::to_string(bytes[pos++]);
        break;
      case EntryFieldType::Int: {
        if (pos + 4 > bytes.size()) break;
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(bytes[pos++]) << (8 * i);
        value = std::to_string(static_cast<int32_t>(v));
        break;
      }
      case EntryFieldType::String: {
        if (pos + 1 > bytes.size()) break;
        const size_t length = bytes[pos];
        if (pos + 1 + length > bytes.size()) break;
        value = QuoteEntryText(
            std::string(bytes.begin() + static_cast<std::ptrdiff_t>(pos + 1),
                        bytes.begin() + static_cast<std::ptrdiff_t>(pos + 1 + length)));
        pos += 1 + length;
        break;
      }
    }
    if (value.empty()) {
      reason = std::string("field ") + field.name + " at byte " + std::to_string(at) +
               " runs past the end of the entry";
      return false;
    }
    text += std::string(field.name) + " = " + value + "\n";
  }
  return true;
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

bool ValueToBytes(const EntryField& field, const std::string& value, std::vector<uint8_t>& bytes,
                  std::string& reason) {
  int64_t v = 0;
  switch (field.type) {
    case EntryFieldType::Byte:
      if (!ParseNumber(value, 0, 255, v, reason)) return false;
      bytes.push_back(static_cast<uint8_t>(v));
      return true;
    case EntryFieldType::Int: {
      if (!ParseNumber(value, std::numeric_limits<int32_t>::min(),
                       std::numeric_limits<int32_t>::max(), v, reason)) {
        return false;
      }
      const auto u = static_cast<uint32_t>(static_cast<int32_t>(v));
      for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(u >> (8 * i)));
      return true;
    }
    case EntryFieldType::String: {
      size_t pos = 0;
      std::string s;
      if (!UnquoteEntryText(value, pos, s, reason)) return false;
      if (pos != value.size()) {
        reason = "unexpected text after the closing quote";
        return false;
      }
      if (s.size() > 255) {
        reason = "string of " + std::to_string(s.size()) + " bytes (at most 255)";
        return false;
      }
      bytes.push_back(static_cast<uint8_t>(s.size()));
      bytes.insert(bytes.end(), s.begin(), s.end());
      return true;
    }
  }
  return false;
}

std::string FieldList(const EntryFormat& format) {
  std::string list;
  for (const auto& r : format.records) {
    for (const auto& f : r.fields) list += (list.empty() ? "" : ", ") + std::string(f.name);
  }
  if (format.endTag >= 0) list += ", end";
  return list;
}

}  // namespace

bool EntryBytesToText(const EntryFormat& format, const std::vector<uint8_t>& bytes,
                      std::string& text, std::string& reason) {
  text = "# " + std::string(format.entryName) + " entry, readable form\n";
  size_t pos = 0;
  const bool tagged = !(format.records.size() == 1 && format.records[0].tag < 0);
  if (!tagged) {
    if (!FieldsToText(format.records[0], bytes, pos, text, reason)) return false;
  } else {
    while (pos < bytes.size()) {
      const int tag = bytes[pos];
      if (tag == format.endTag) {
        text += "end\n";
        ++pos;
        break;
      }
      const EntryRecordFormat* record = RecordByTag(format, tag);
      if (!record) {
        reason = "unknown tag " + std::to_string(tag) + " at byte " + std::to_string(pos);
        return false;
      }
      ++pos;
      if (!FieldsToText(*record, bytes, pos, text, reason)) return false;
    }
  }
  if (pos != bytes.size()) {
    reason = std::to_string(bytes.size() - pos) + " bytes after the " +
             (tagged ? "end tag" : "last field");
    return false;
  }
  return true;
}

bool EntryTextToBytes(const EntryFormat& format, const std::string& text,
                      std::vector<uint8_t>& bytes, EntryTextError& error) {
  bytes.clear();
  const bool tagged = !(format.records.size() == 1 && format.records[0].tag < 0);
  const EntryRecordFormat* open = tagged ? nullptr : &format.records[0];
  size_t nextField = 0;
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
    if (line == "end") {
      if (format.endTag < 0) {
        return fail(lineNumber, std::string(format.entryName) + " has no end record");
      }
      if (tagged && open) {
        return fail(lineNumber, std::string("expected \"") + open->fields[nextField].name +
                                    "\" before \"end\"");
      }
      bytes.push_back(static_cast<uint8_t>(format.endTag));
      ended = true;
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string::npos) {
      return fail(lineNumber, "expected \"Name = value\" or \"end\"");
    }
    const std::string name = Trim(line.substr(0, equals));
    const std::string value = Trim(line.substr(equals + 1));
    if (tagged && !open) {
      for (const auto& r : format.records) {
        if (r.fields[0].name == name) open = &r;
      }
      if (!open) {
        return fail(lineNumber, "unknown field \"" + name + "\" (" + format.entryName +
                                    " has: " + FieldList(format) + ")");
      }
      bytes.push_back(static_cast<uint8_t>(open->tag));
      nextField = 0;
    }
    if (!open || nextField >= open->fields.size()) {
      return fail(lineNumber,
                  "unexpected field \"" + name + "\": " + format.entryName + " has no more fields");
    }
    const EntryField& field = open->fields[nextField];
    if (name != field.name) {
      const bool known = FieldList(format).find(name) != std::string::npos && !name.empty();
      return fail(lineNumber, "expected \"" + std::string(field.name) + "\" here, found \"" + name +
                                  "\"" + (known ? "" : " (unknown field)"));
    }
    std::string reason;
    if (!ValueToBytes(field, value, bytes, reason)) return fail(lineNumber, name + ": " + reason);
    if (++nextField == open->fields.size() && tagged) open = nullptr;
  }
  if (open && (tagged || nextField < open->fields.size())) {
    return fail(lineNumber, std::string("missing \"") + open->fields[nextField].name +
                                "\" at the end of the text");
  }
  return true;
}

}  // namespace hopwerk
