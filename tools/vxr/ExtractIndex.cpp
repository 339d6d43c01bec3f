#include "ExtractIndex.h"

#include <cctype>
#include <charconv>

#include "VxrTool.h"
#include "schema/EntryText.h"

namespace hopwerk {

namespace {

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t slash = path.find('/', start);
    parts.push_back(
        path.substr(start, slash == std::string::npos ? std::string::npos : slash - start));
    if (slash == std::string::npos) return parts;
    start = slash + 1;
  }
}

bool IsSafePart(const std::string& part) {
  if (part.empty() || part == "." || part == ".." || part.size() > 200) return false;
  if (part.rfind(".vxr", 0) == 0) return false;
  for (char ch : part) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c >= 0x7F) return false;
    if (std::string_view("\\:*?\"<>|").find(ch) != std::string_view::npos) return false;
  }
  return true;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

std::string SafeRelativePath(const std::string& name) {
  for (const auto& part : SplitPath(name)) {
    if (!IsSafePart(part)) return {};
  }
  return name;
}

bool IsSafeIndexPath(const std::string& file) {
  const auto parts = SplitPath(file);
  if (parts.size() == 2 && parts[0] == kOtherFolder) return IsSafePart(parts[1]);
  for (const auto& part : parts) {
    if (!IsSafePart(part)) return false;
  }
  return true;
}

bool PathPlanner::Claim(const std::string& path) {
  const std::string lower = Lower(path);
  if (files_.count(lower) || folders_.count(lower)) return false;
  std::vector<std::string> prefixes;
  for (size_t slash = lower.find('/'); slash != std::string::npos;
       slash = lower.find('/', slash + 1)) {
    prefixes.push_back(lower.substr(0, slash));
  }
  for (const auto& prefix : prefixes) {
    if (files_.count(prefix)) return false;
  }
  files_.insert(lower);
  folders_.insert(prefixes.begin(), prefixes.end());
  return true;
}

std::string FormatIndex(const IndexFile& index) {
  std::string text = std::string(kIndexHeader) +
                     "\n# One line per directory record, in order: METHOD FORM \"FILE\" "
                     "\"ENTRY NAME\"\n# FORM is raw (the file holds the stored bytes) or text "
                     "(a readable form compiled on pack).\n";
  if (!index.archive.empty()) text += "archive " + QuoteEntryText(index.archive) + "\n";
  for (const auto& l : index.lines) {
    text += std::to_string(l.meth) + (l.text ? " text " : " raw ") + QuoteEntryText(l.file) + " " +
            QuoteEntryText(l.name) + "\n";
  }
  return text;
}

IndexFile ParseIndex(const std::string& text, const std::string& indexPath,
                     const std::string& fallbackArchive) {
  IndexFile index;
  index.archive = fallbackArchive;
  std::vector<IndexLine>& lines = index.lines;
  size_t start = 0;
  int number = 0;
  while (start < text.size()) {
    size_t stop = text.find('\n', start);
    if (stop == std::string::npos) stop = text.size();
    std::string line = text.substr(start, stop - start);
    start = stop + 1;
    ++number;
    auto fail = [&](const std::string& message) {
      return ToolError{indexPath + ":" + std::to_string(number) + ": " + message};
    };
    if (number == 1 && line != kIndexHeader) {
      throw fail(std::string("not an index file (the first line must be \"") + kIndexHeader +
                 "\")");
    }
    if (line.empty() || line[0] == '#') continue;
    if (line.rfind("archive ", 0) == 0) {
      if (!lines.empty()) throw fail("the archive line must come before the records");
      size_t at = 8;
      std::string reason;
      if (!UnquoteEntryText(line, at, index.archive, reason)) throw fail("archive: " + reason);
      if (at != line.size()) throw fail("unexpected text after the archive name");
      continue;
    }
    IndexLine entry;
    entry.line = number;
    size_t pos = line.find(' ');
    if (pos == std::string::npos) throw fail("expected METHOD FORM \"FILE\" \"ENTRY NAME\"");
    int meth = -1;
    const auto [ptr, ec] = std::from_chars(line.data(), line.data() + pos, meth);
    if (ec != std::errc() || ptr != line.data() + pos || meth < 0 || meth > 255) {
      throw fail("method must be a number from 0 to 255");
    }
    entry.meth = meth;
    const size_t formEnd = line.find(' ', pos + 1);
    const std::string form =
        line.substr(pos + 1, formEnd == std::string::npos ? std::string::npos : formEnd - pos - 1);
    if (form != "raw" && form != "text")
      throw fail("form must be raw or text, not \"" + form + "\"");
    entry.text = form == "text";
    pos = formEnd == std::string::npos ? line.size() : formEnd + 1;
    std::string reason;
    if (!UnquoteEntryText(line, pos, entry.file, reason)) throw fail("file: " + reason);
    if (pos >= line.size() || line[pos] != ' ') throw fail("expected a space after the file");
    ++pos;
    if (!UnquoteEntryText(line, pos, entry.name, reason)) throw fail("entry name: " + reason);
    if (pos != line.size()) throw fail("unexpected text after the entry name");
    if (!IsSafeIndexPath(entry.file)) {
      throw fail("file " + QuoteEntryText(entry.file) + " is not a safe path inside the folder");
    }
    if (entry.name.size() > 255) throw fail("entry name longer than 255 bytes");
    if (entry.text && !FindEntryFormat(entry.name, index.archive)) {
      throw fail("entry " + ShowName(entry.name) + " has no readable form");
    }
    lines.push_back(std::move(entry));
  }
  if (number == 0) throw ToolError{indexPath + ":1: empty index file"};
  return index;
}

}  // namespace hopwerk
