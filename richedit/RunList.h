#pragma once
// The character-style runs of a text: a sorted list of run starts, each with a style id.
// Adjacent runs always have different styles, so a text with one format is one run whatever
// its length.
#include <cstddef>
#include <vector>

#include "richedit/TextTypes.h"

namespace richedit {

class RunList {
 public:
  struct Run {
    CharPos start;
    FormatId style;
  };

  void reset(CharPos length, FormatId style);
  CharPos length() const { return length_; }
  std::size_t count() const { return runs_.size(); }
  const Run& run(std::size_t i) const { return runs_[i]; }
  CharPos runEnd(std::size_t i) const;

  std::size_t indexAt(CharPos pos) const;  // the run holding pos (pos < length)
  FormatId styleAt(CharPos pos) const { return runs_[indexAt(pos)].style; }

  std::vector<StyleSpan> slice(CharPos from, CharPos to) const;
  void erase(CharPos from, CharPos to);
  void insert(CharPos pos, const std::vector<StyleSpan>& spans);
  // Replaces the styles of [from, to) with spans of the same total length.
  void assign(CharPos from, CharPos to, const std::vector<StyleSpan>& spans);
  // Gives every run in [from, to) the style restyle(old style) returns.
  template <typename F>
  void restyle(CharPos from, CharPos to, F restyleFn) {
    if (from >= to) return;
    const std::size_t first = splitAt(from);
    const std::size_t last = splitAt(to);
    for (std::size_t i = first; i < last; ++i) runs_[i].style = restyleFn(runs_[i].style);
    mergeAround(first, last);
  }

  std::size_t memoryUsage() const { return runs_.capacity() * sizeof(Run); }
  void shrinkToFit() { runs_.shrink_to_fit(); }

 private:
  std::size_t splitAt(CharPos pos);  // index of the run that starts at pos (count() at the end)
  void mergeAround(std::size_t first, std::size_t last);

  std::vector<Run> runs_;
  CharPos length_ = 0;
};

}  // namespace richedit
