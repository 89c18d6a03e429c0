#include "richedit/RunList.h"

#include <algorithm>

namespace richedit {

void RunList::reset(CharPos length, FormatId style) {
  runs_.clear();
  length_ = length;
  if (length > 0) runs_.push_back({0, style});
}

CharPos RunList::runEnd(std::size_t i) const {
  return i + 1 < runs_.size() ? runs_[i + 1].start : length_;
}

std::size_t RunList::indexAt(CharPos pos) const {
  auto it = std::upper_bound(runs_.begin(), runs_.end(), pos,
                             [](CharPos p, const Run& r) { return p < r.start; });
  return static_cast<std::size_t>(it - runs_.begin()) - 1;
}

std::size_t RunList::splitAt(CharPos pos) {
  if (pos >= length_) return runs_.size();
  const std::size_t i = indexAt(pos);
  if (runs_[i].start == pos) return i;
  runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(i) + 1, Run{pos, runs_[i].style});
  return i + 1;
}

void RunList::mergeAround(std::size_t first, std::size_t last) {
  // Merges equal neighbours in [first - 1, last + 1), the only places an edit can create them.
  std::size_t begin = first > 0 ? first - 1 : 0;
  std::size_t end = std::min(last + 1, runs_.size());
  if (begin >= end) return;
  std::size_t out = begin + 1;
  for (std::size_t i = begin + 1; i < end; ++i) {
    if (runs_[i].style != runs_[out - 1].style) runs_[out++] = runs_[i];
  }
  runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(out),
              runs_.begin() + static_cast<std::ptrdiff_t>(end));
}

std::vector<StyleSpan> RunList::slice(CharPos from, CharPos to) const {
  std::vector<StyleSpan> spans;
  if (from >= to) return spans;
  for (std::size_t i = indexAt(from); i < runs_.size() && runs_[i].start < to; ++i) {
    const CharPos a = std::max(from, runs_[i].start);
    const CharPos b = std::min(to, runEnd(i));
    spans.push_back({b - a, runs_[i].style});
  }
  return spans;
}

void RunList::erase(CharPos from, CharPos to) {
  if (from >= to) return;
  const std::size_t first = splitAt(from);
  const std::size_t last = splitAt(to);
  runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(first),
              runs_.begin() + static_cast<std::ptrdiff_t>(last));
  const CharPos removed = to - from;
  for (std::size_t i = first; i < runs_.size(); ++i) runs_[i].start -= removed;
  length_ -= removed;
  mergeAround(first, first);
}

void RunList::insert(CharPos pos, const std::vector<StyleSpan>& spans) {
  CharPos added = 0;
  for (const auto& s : spans) added += s.length;
  if (added <= 0) return;
  const std::size_t at = splitAt(pos);
  for (std::size_t i = at; i < runs_.size(); ++i) runs_[i].start += added;
  std::vector<Run> fresh;
  fresh.reserve(spans.size());
  CharPos p = pos;
  for (const auto& s : spans) {
    if (s.length <= 0) continue;
    fresh.push_back({p, s.style});
    p += s.length;
  }
  runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(at), fresh.begin(), fresh.end());
  length_ += added;
  mergeAround(at, at + fresh.size());
}

void RunList::assign(CharPos from, CharPos to, const std::vector<StyleSpan>& spans) {
  if (from >= to) return;
  const std::size_t first = splitAt(from);
  const std::size_t last = splitAt(to);
  runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(first),
              runs_.begin() + static_cast<std::ptrdiff_t>(last));
  std::vector<Run> fresh;
  CharPos p = from;
  for (const auto& s : spans) {
    if (s.length <= 0) continue;
    fresh.push_back({p, s.style});
    p += s.length;
  }
  runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(first), fresh.begin(), fresh.end());
  mergeAround(first, first + fresh.size());
}

}  // namespace richedit
