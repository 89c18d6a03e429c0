#pragma once
// Items tied to single character positions (paragraph ends, pictures), kept sorted by
// position and moved along as text is inserted and removed before them.
#include <algorithm>
#include <cstddef>
#include <vector>

#include "richedit/TextTypes.h"

namespace richedit {

template <typename T>
class AnchorList {
 public:
  struct Entry {
    CharPos pos;
    T value;
  };

  std::size_t count() const { return entries_.size(); }
  const Entry& operator[](std::size_t i) const { return entries_[i]; }
  Entry& operator[](std::size_t i) { return entries_[i]; }
  void clear() { entries_.clear(); }
  void push_back(CharPos pos, T value) { entries_.push_back({pos, std::move(value)}); }

  // Index of the first entry at or after pos.
  std::size_t lowerBound(CharPos pos) const {
    return static_cast<std::size_t>(
        std::lower_bound(entries_.begin(), entries_.end(), pos,
                         [](const Entry& e, CharPos p) { return e.pos < p; }) -
        entries_.begin());
  }
  const Entry* find(CharPos pos) const {
    const std::size_t i = lowerBound(pos);
    return i < entries_.size() && entries_[i].pos == pos ? &entries_[i] : nullptr;
  }

  // Removes the entries in [from, to) and moves the later ones back.
  void erase(CharPos from, CharPos to) {
    if (from >= to) return;
    const std::size_t a = lowerBound(from);
    const std::size_t b = lowerBound(to);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(a),
                   entries_.begin() + static_cast<std::ptrdiff_t>(b));
    for (std::size_t i = a; i < entries_.size(); ++i) entries_[i].pos -= to - from;
  }

  // Opens a gap of length at pos and puts the given entries (positions relative to pos) in it.
  void insert(CharPos pos, CharPos length, const std::vector<Entry>& fresh) {
    const std::size_t a = lowerBound(pos);
    for (std::size_t i = a; i < entries_.size(); ++i) entries_[i].pos += length;
    std::vector<Entry> moved;
    moved.reserve(fresh.size());
    for (const auto& e : fresh) moved.push_back({e.pos + pos, e.value});
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(a), moved.begin(), moved.end());
  }

  // Entries in [from, to) with positions relative to from.
  std::vector<Entry> slice(CharPos from, CharPos to) const {
    std::vector<Entry> out;
    for (std::size_t i = lowerBound(from); i < entries_.size() && entries_[i].pos < to; ++i) {
      out.push_back({entries_[i].pos - from, entries_[i].value});
    }
    return out;
  }

  std::size_t memoryUsage() const { return entries_.capacity() * sizeof(Entry); }
  void shrinkToFit() { entries_.shrink_to_fit(); }

 private:
  std::vector<Entry> entries_;
};

}  // namespace richedit
