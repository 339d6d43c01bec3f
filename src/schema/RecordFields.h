// Which member of a record each field of an entry format fills. A record's field list names
// the table's fields and points at members; one reader fills any record from its entry and one
// writer makes the entry again, so a field is read, written and shown the same way everywhere.
//
//   const RecordFields<ObjectType> kObjectFields = {
//       Field<&ObjectType::X>("X"),
//       Element<&ObjectType::Skill, 0>("SkillEasy"),               // one element of an array
//       Indexed<&ActorType::SpriteWidth, 0>("SpriteWidth"),         // element chosen by field 0
//       Index("Slot"),                                              // a field that only chooses
//   };
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <vector>

#include "schema/EntryRecords.h"

namespace hopwerk {

template <class R>
struct FieldBinding {
  const char* name;
  // Where the value lives in the record; the record's values are given for fields whose place
  // another field chooses. At most one is set; none for a field that only chooses.
  int32_t* (*number)(R&, const std::vector<FieldValue>&) = nullptr;
  std::string* (*text)(R&, const std::vector<FieldValue>&) = nullptr;
  float* (*real)(R&, const std::vector<FieldValue>&) = nullptr;
  // For a field whose element another field chooses: the array's length, which the chooser's
  // limits must stay below.
  size_t extent = 0;
  int chooser = -1;  // the field (index in its record) that chooses the element
};

template <class R>
using RecordFields = std::vector<FieldBinding<R>>;

namespace record_fields {

template <class M>
struct MemberOf;
template <class C, class T>
struct MemberOf<T C::*> {
  using Record = C;
  using Type = T;
};

template <class R, class T, class Get>
FieldBinding<R> Bind(const char* name, Get get) {
  FieldBinding<R> binding{name};
  if constexpr (std::is_same_v<T, std::string>) {
    binding.text = get;
  } else if constexpr (std::is_same_v<T, float>) {
    binding.real = get;
  } else {
    static_assert(std::is_same_v<T, int32_t>, "entry fields fill int32_t, float or string");
    binding.number = get;
  }
  return binding;
}

}  // namespace record_fields

// A field kept in a member of the same name or another.
template <auto Member>
auto Field(const char* name) {
  using M = record_fields::MemberOf<decltype(Member)>;
  using R = typename M::Record;
  using T = typename M::Type;
  return record_fields::Bind<R, T>(
      name, +[](R& r, const std::vector<FieldValue>&) -> T* { return &(r.*Member); });
}

// A field kept in one element of an array member.
template <auto Member, size_t I>
auto Element(const char* name) {
  using M = record_fields::MemberOf<decltype(Member)>;
  using R = typename M::Record;
  using T = std::remove_reference_t<decltype(std::declval<R&>().*Member)>;
  using E = std::remove_reference_t<decltype(std::declval<T&>()[0])>;
  static_assert(I < std::tuple_size_v<T>);
  return record_fields::Bind<R, E>(
      name, +[](R& r, const std::vector<FieldValue>&) -> E* { return &(r.*Member)[I]; });
}

// A field kept in the element of an array member that the record's field `Chooser` names; the
// reader has checked the chooser against its limits, which a test holds within the array.
template <auto Member, int Chooser>
auto Indexed(const char* name) {
  using M = record_fields::MemberOf<decltype(Member)>;
  using R = typename M::Record;
  using T = typename M::Type;
  using E = typename T::value_type;
  auto binding = record_fields::Bind<R, E>(
      name, +[](R& r, const std::vector<FieldValue>& values) -> E* {
        return &(r.*Member)[static_cast<size_t>(values[Chooser].number)];
      });
  binding.extent = std::tuple_size<T>::value;
  binding.chooser = Chooser;
  return binding;
}

// A field that chooses where the others of its record go, or that the record does not keep.
template <class R>
FieldBinding<R> Index(const char* name) {
  return FieldBinding<R>{name};
}

// A format's fields, each matched once with its binding, so filling a record costs no lookups.
template <class R>
class RecordBinder {
 public:
  RecordBinder(const EntryFormat& format, const RecordFields<R>& fields) : format_(format) {
    for (const auto& record : format.records) {
      auto& row = rows_.emplace_back();
      for (const auto& field : record.fields) {
        const FieldBinding<R>* found = nullptr;
        for (const auto& binding : fields) {
          if (std::string_view(binding.name) == field.name) found = &binding;
        }
        row.push_back(found);
      }
    }
  }

  // The table's fields that the list leaves out (markers need no binding).
  std::vector<std::string> Unbound() const {
    std::vector<std::string> names;
    for (size_t r = 0; r < rows_.size(); ++r) {
      for (size_t f = 0; f < rows_[r].size(); ++f) {
        const EntryField& field = format_.records[r].fields[f];
        if (!rows_[r][f] && field.type != EntryFieldType::Fixed) names.push_back(field.name);
      }
    }
    return names;
  }

  void Fill(R& record, const EntryRecord& read) const {
    const auto& row = rows_[RowOf(*read.format)];
    for (size_t f = 0; f < row.size(); ++f) {
      if (!row[f]) continue;
      const FieldBinding<R>& b = *row[f];
      const FieldValue& value = read.values[f];
      if (b.number) *b.number(record, read.values) = static_cast<int32_t>(value.number);
      if (b.text) *b.text(record, read.values) = value.text;
      if (b.real) *b.real(record, read.values) = static_cast<float>(value.number);
    }
  }

  // The values of one record of the format as the record holds them; a chooser takes `choice`.
  std::vector<FieldValue> Values(R& record, const EntryRecordFormat& format,
                                 int64_t choice = 0) const {
    const auto& row = rows_[RowOf(format)];
    std::vector<FieldValue> values(format.fields.size());
    for (size_t f = 0; f < row.size(); ++f) {
      if (row[f] && row[f]->chooser >= 0) {
        values[static_cast<size_t>(row[f]->chooser)].number = choice;
      }
    }
    for (size_t f = 0; f < row.size(); ++f) {
      if (!row[f]) continue;
      const FieldBinding<R>& b = *row[f];
      if (b.number) values[f].number = *b.number(record, values);
      if (b.text) values[f].text = *b.text(record, values);
      if (b.real) values[f].number = static_cast<int64_t>(*b.real(record, values));
    }
    return values;
  }

  // Every record of the format that holds fields, written from the record (a record whose
  // element another field chooses once per element the chooser allows).
  void Write(R& record, int& key, std::vector<uint8_t>& bytes) const {
    for (const auto& format : format_.records) {
      if (format.fields.empty()) continue;
      int64_t last = 0;
      const auto& row = rows_[RowOf(format)];
      for (size_t f = 0; f < row.size(); ++f) {
        if (row[f] && row[f]->chooser >= 0) {
          last = format.fields[static_cast<size_t>(row[f]->chooser)].high;
        }
      }
      for (int64_t choice = 0; choice <= last; ++choice) {
        WriteEntryRecord(format, Values(record, format, choice), key, bytes);
      }
    }
  }

  const EntryFormat& format() const { return format_; }

 private:
  size_t RowOf(const EntryRecordFormat& record) const {
    return static_cast<size_t>(&record - format_.records.data());
  }

  const EntryFormat& format_;
  std::vector<std::vector<const FieldBinding<R>*>> rows_;
};

}  // namespace hopwerk
