// Ordered lists that the frame walks while objects leave them. A removed object leaves a hole
// that walks skip; holes are squeezed out once no walk is running, so removal is O(1) and a
// frame that removes many objects stays linear.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "level/LevelRecords.h"

namespace hopwerk {

// A list of map objects owned elsewhere (the level's object store). Each object remembers its
// position in the list through the ObjectListSlots member named at construction, so an object
// can be in one AllObjects-kind list and one layer-kind list at a time.
class ObjectList {
 public:
  explicit ObjectList(int32_t ObjectListSlots::*slot = &ObjectListSlots::all) : slot_(slot) {}
  ObjectList(const ObjectList&) = delete;
  ObjectList& operator=(const ObjectList&) = delete;

  void Append(ObjectType& object) {
    object.slots.*slot_ = static_cast<int32_t>(entries_.size());
    entries_.push_back(&object);
  }

  // Removes the object if it is in this list; returns whether it was.
  bool Remove(ObjectType& object) {
    const int32_t at = object.slots.*slot_;
    if (at < 0 || static_cast<size_t>(at) >= entries_.size() || entries_[at] != &object) {
      return false;
    }
    entries_[at] = nullptr;
    object.slots.*slot_ = -1;
    ++holes_;
    if (walking_ == 0 && holes_ * 2 > entries_.size()) Compact();
    return true;
  }

  bool Contains(const ObjectType& object) const {
    const int32_t at = object.slots.*slot_;
    return at >= 0 && static_cast<size_t>(at) < entries_.size() && entries_[at] == &object;
  }

  void Clear() {
    for (ObjectType* object : entries_) {
      if (object) object->slots.*slot_ = -1;
    }
    entries_.clear();
    holes_ = 0;
  }

  size_t Count() const { return entries_.size() - holes_; }
  bool Empty() const { return Count() == 0; }

  // Calls fn(ObjectType&) for every object in list order. Objects removed during the walk
  // (the current one included) are not visited again; objects appended during it are.
  template <typename Fn>
  void Walk(Fn&& fn) {
    ++walking_;
    struct Done {
      ObjectList& list;
      ~Done() {
        if (--list.walking_ == 0 && list.holes_ > 0) list.Compact();
      }
    } done{*this};
    for (size_t i = 0; i < entries_.size(); ++i) {
      if (ObjectType* object = entries_[i]) fn(*object);
    }
  }

  // The objects in order, without holes (a copy: safe to keep across removals).
  std::vector<ObjectType*> Snapshot() const {
    std::vector<ObjectType*> out;
    out.reserve(Count());
    for (ObjectType* object : entries_) {
      if (object) out.push_back(object);
    }
    return out;
  }

 private:
  void Compact() {
    size_t kept = 0;
    for (ObjectType* object : entries_) {
      if (!object) continue;
      object->slots.*slot_ = static_cast<int32_t>(kept);
      entries_[kept++] = object;
    }
    entries_.resize(kept);
    holes_ = 0;
  }

  int32_t ObjectListSlots::*slot_;
  std::vector<ObjectType*> entries_;
  size_t holes_ = 0;
  int walking_ = 0;
};

// One drawing layer's objects; an object is in at most one layer at a time.
class LayerList : public ObjectList {
 public:
  LayerList() : ObjectList(&ObjectListSlots::layer) {}
};

// A list that owns its elements (bullets, scripts, rising texts). The walker removes the
// element it is visiting; the others stay in order.
template <typename T>
class OwnedList {
 public:
  T& Append(T value) {
    entries_.push_back(std::make_unique<T>(std::move(value)));
    return *entries_.back();
  }
  size_t Count() const { return entries_.size() - holes_; }
  bool Empty() const { return Count() == 0; }
  void Clear() {
    entries_.clear();
    holes_ = 0;
  }

  // fn(T&) returns true to remove the element it was given. Elements appended during the
  // walk are visited in the same walk.
  template <typename Fn>
  void Walk(Fn&& fn) {
    ++walking_;
    struct Done {
      OwnedList& list;
      ~Done() {
        if (--list.walking_ == 0 && list.holes_ > 0) list.Compact();
      }
    } done{*this};
    for (size_t i = 0; i < entries_.size(); ++i) {
      if (!entries_[i]) continue;
      if (fn(*entries_[i])) {
        entries_[i].reset();
        ++holes_;
      }
    }
  }

  // Removes every element for which pred(const T&) holds; safe inside another walk.
  template <typename Pred>
  size_t RemoveIf(Pred&& pred) {
    size_t removed = 0;
    for (auto& entry : entries_) {
      if (entry && pred(*entry)) {
        entry.reset();
        ++holes_;
        ++removed;
      }
    }
    if (walking_ == 0 && holes_ > 0) Compact();
    return removed;
  }

 private:
  void Compact() {
    std::erase_if(entries_, [](const std::unique_ptr<T>& e) { return !e; });
    holes_ = 0;
  }

  std::vector<std::unique_ptr<T>> entries_;
  size_t holes_ = 0;
  int walking_ = 0;
};

}  // namespace hopwerk
