// What an import finds to say, gathered so that one run reports everything: errors, warnings
// (errors too under --strict) and notes, with the warnings about many objects of one kind
// folded into one line that counts them and names the first few.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "TiledImport.h"

namespace hopwerk {

class TiledReport {
 public:
  TiledReport(std::string file, bool strict) : file_(std::move(file)), strict_(strict) {}
  // text: where and what, without the map's name: "layer "A", tile at column 1, row 0: ...".
  void Error(const std::string& text);
  void Warning(const std::string& text);
  void Note(const std::string& text);
  // A whole message of the map reader, which names its file first.
  void ReaderError(const std::string& message);
  // One warning line for many objects: "WHERE: VERB N NOUNS DETAIL (ids 1, 4, 9, ...)", the
  // noun singular for one object.
  void Counted(const std::string& where, const std::string& verb, const std::string& noun,
               const std::string& nouns, const std::string& detail, int id);
  bool HasErrors() const;
  std::vector<TiledMessage> Messages() const;

 private:
  struct Line {
    TiledMessageKind kind = TiledMessageKind::Error;
    std::string text;
    // Counted lines
    std::string where, verb, noun, nouns, detail;
    std::vector<int> ids;
    int count = 0;
  };
  void Add(TiledMessageKind kind, const std::string& text);

  std::string file_;
  bool strict_ = false;
  std::vector<Line> lines_;
  std::map<std::string, size_t> counted_;
  std::map<std::string, bool> seen_;
  int dropped_ = 0;
};

}  // namespace hopwerk
