#pragma once
// Live heap bytes of a benchmark, counted by replacing the global allocation functions.
// Include it in exactly one file of each benchmark program.
#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

inline std::atomic<long long> liveBytes{0};

void* operator new(std::size_t n) {
  auto* p = static_cast<std::size_t*>(std::malloc(n + sizeof(std::max_align_t)));
  if (!p) throw std::bad_alloc();
  *p = n;
  liveBytes += static_cast<long long>(n);
  return reinterpret_cast<char*>(p) + sizeof(std::max_align_t);
}
void operator delete(void* q) noexcept {
  if (!q) return;
  auto* p = reinterpret_cast<std::size_t*>(static_cast<char*>(q) - sizeof(std::max_align_t));
  liveBytes -= static_cast<long long>(*p);
  std::free(p);
}
void operator delete(void* q, std::size_t) noexcept { operator delete(q); }
