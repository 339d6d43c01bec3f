// Reading a list entry (map objects, script records): a keyword record starts an element and
// the records after it fill that element.
#pragma once

#include <optional>
#include <string>

#include "schema/RecordFields.h"

namespace hopwerk {

// Reads the whole entry. `start` makes the next element and returns it, or null when the list
// is full. Fields given before the first element have nothing to fill and are dropped. Says
// what is wrong as the level's loaders name it: the tag of the damaged or refused record, or
// "end of entry" when the entry runs out before its end tag (running on would read the
// archive's next bytes).
template <class R, class Start>
std::optional<std::string> ReadElementList(EntryRecordReader& reader, const RecordBinder<R>& binder,
                                           Start start) {
  R unowned;
  R* current = nullptr;
  EntryRecord record;
  for (;;) {
    const ReadStep step = reader.Next(record);
    if (step == ReadStep::Fault) return std::to_string(reader.Fault().tag);
    if (step == ReadStep::End) {
      if (reader.SawEndTag()) return std::nullopt;
      return "end of entry";
    }
    if (!record.format->keyword) {
      binder.Fill(current ? *current : unowned, record);
      continue;
    }
    current = start();
    if (!current) return std::to_string(record.tag());
  }
}

}  // namespace hopwerk
