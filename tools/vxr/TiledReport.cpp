#include "TiledReport.h"

namespace hopwerk {

namespace {

// Beyond this many lines a map is broken through and through; the rest is only counted.
constexpr size_t kMaxLines = 200;
constexpr size_t kIdsShown = 8;

}  // namespace

void TiledReport::Add(TiledMessageKind kind, const std::string& text) {
  if (kind == TiledMessageKind::Warning && strict_) kind = TiledMessageKind::Error;
  // The same fault found again (a bad tile placed many times) is said once.
  if (!seen_.emplace(std::to_string(static_cast<int>(kind)) + text, true).second) return;
  if (lines_.size() >= kMaxLines) {
    ++dropped_;
    return;
  }
  Line line;
  line.kind = kind;
  line.text = text;
  lines_.push_back(std::move(line));
}

void TiledReport::Error(const std::string& text) {
  Add(TiledMessageKind::Error, text);
}

void TiledReport::Warning(const std::string& text) {
  Add(TiledMessageKind::Warning, text);
}

void TiledReport::Note(const std::string& text) {
  Add(TiledMessageKind::Note, text);
}

void TiledReport::ReaderError(const std::string& message) {
  const std::string prefix = file_ + ": ";
  Error(message.rfind(prefix, 0) == 0 ? message.substr(prefix.size()) : message);
}

void TiledReport::Counted(const std::string& where, const std::string& verb,
                          const std::string& noun, const std::string& nouns,
                          const std::string& detail, int id) {
  const std::string key = where + "\n" + verb + "\n" + nouns + "\n" + detail;
  auto found = counted_.find(key);
  if (found == counted_.end()) {
    if (lines_.size() >= kMaxLines) {
      ++dropped_;
      return;
    }
    Line line;
    line.kind = strict_ ? TiledMessageKind::Error : TiledMessageKind::Warning;
    line.where = where;
    line.verb = verb;
    line.noun = noun;
    line.nouns = nouns;
    line.detail = detail;
    found = counted_.emplace(key, lines_.size()).first;
    lines_.push_back(std::move(line));
  }
  Line& line = lines_[found->second];
  ++line.count;
  if (line.ids.size() < kIdsShown + 1) line.ids.push_back(id);
}

bool TiledReport::HasErrors() const {
  for (const Line& line : lines_) {
    if (line.kind == TiledMessageKind::Error) return true;
  }
  return false;
}

std::vector<TiledMessage> TiledReport::Messages() const {
  std::vector<TiledMessage> out;
  for (const Line& line : lines_) {
    TiledMessage m;
    m.kind = line.kind;
    m.file = file_;
    if (line.count == 0) {
      m.text = line.text;
    } else {
      m.text = line.where + ": " + line.verb + " " + std::to_string(line.count) + " " +
               (line.count == 1 ? line.noun : line.nouns) + line.detail +
               (line.count == 1 ? " (id " : " (ids ");
      for (size_t i = 0; i < line.ids.size() && i < kIdsShown; ++i) {
        m.text += (i ? ", " : "") + std::to_string(line.ids[i]);
      }
      m.text += line.count > static_cast<int>(kIdsShown) ? ", ...)" : ")";
    }
    out.push_back(std::move(m));
  }
  if (dropped_ > 0) {
    TiledMessage m;
    m.kind = HasErrors() ? TiledMessageKind::Error : TiledMessageKind::Warning;
    m.file = file_;
    m.text = "and " + std::to_string(dropped_) + " more problems";
    out.push_back(std::move(m));
  }
  return out;
}

}  // namespace hopwerk
