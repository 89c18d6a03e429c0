#pragma once
// Interns formats so runs and paragraphs store a 32-bit id instead of a whole record. Ids stay
// valid for the pool's lifetime (entries are never removed), which lets undo records keep them.
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace richedit {

using FormatId = std::uint32_t;

template <typename T>
class FormatPool {
 public:
  FormatId intern(const T& value) {
    auto [it, inserted] = index_.try_emplace(value, static_cast<FormatId>(items_.size()));
    if (inserted) items_.push_back(value);
    return it->second;
  }
  const T& get(FormatId id) const { return items_[id]; }
  std::size_t size() const { return items_.size(); }

  // Heap bytes held, for the memory figures of the benchmark.
  std::size_t memoryUsage() const {
    return items_.capacity() * sizeof(T) + index_.size() * (sizeof(T) + 3 * sizeof(void*)) +
           index_.bucket_count() * sizeof(void*);
  }

 private:
  struct Hash {
    std::size_t operator()(const T& v) const { return hashValue(v); }
  };
  std::vector<T> items_;
  std::unordered_map<T, FormatId, Hash> index_;
};

}  // namespace richedit
