#include "EntryBuilder.h"

#include <cstring>

#include "VxrTool.h"

namespace hopwerk {

const EntryField* FindEntryField(const EntryFormat& format, const std::string& name) {
  for (const auto& record : format.records) {
    for (const auto& field : record.fields) {
      if (name == field.name) return &field;
    }
  }
  return nullptr;
}

const EntryFormat& LevelEntryFormat(const char* title) {
  for (const auto& format : EntryFormats()) {
    if (std::strcmp(format.title, title) == 0) return format;
  }
  throw ToolError{std::string("internal: no entry format ") + title};
}

std::string EntryElementText(const EntryFormat& format, const EntryValues& values,
                             const EntryValues& defaults) {
  std::string text;
  const bool keyworded = !format.records.empty() && format.records[0].keyword;
  if (keyworded) text += std::string(format.records[0].keyword) + "\n";
  const std::string indent = keyworded ? "  " : "";
  for (const auto& record : format.records) {
    bool given = false;
    for (const auto& field : record.fields) given = given || values.count(field.name);
    if (!given) continue;
    for (const auto& field : record.fields) {
      if (field.type == EntryFieldType::Fixed) continue;
      EntryValue value;
      if (auto v = values.find(field.name); v != values.end()) {
        value = v->second;
      } else if (auto d = defaults.find(field.name); d != defaults.end()) {
        value = d->second;
      }
      const bool isText =
          field.type == EntryFieldType::String || field.type == EntryFieldType::Scrambled;
      text += indent + field.name + " = " +
              (isText ? QuoteEntryText(value.text) : std::to_string(value.number)) + "\n";
    }
  }
  return text;
}

std::string EntryText(const EntryFormat& format, const std::string& comment,
                      const std::vector<std::string>& elements) {
  std::string text = comment;
  for (size_t i = 0; i < elements.size(); ++i) text += (i ? "\n" : "") + elements[i];
  if (format.endTag >= 0) text += "end\n";
  std::vector<uint8_t> bytes;
  EntryTextError error;
  if (!EntryTextToBytes(format, text, bytes, error)) {
    throw ToolError{std::string(format.title) + " line " + std::to_string(error.line) + ": " +
                    error.message};
  }
  return text;
}

}  // namespace hopwerk
