// Figures for recording pages: a 10,000-label run, the memory it takes per recorded object,
// and clearing it again. Build a release tree (README) and run bench/engine/record_bench.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "bench/engine/LabelRun.h"

namespace {

std::atomic<std::size_t> allocated{0};

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

// Counts what the run allocates; the size is kept in front of each block.
void* operator new(std::size_t size) {
  auto* block = static_cast<std::size_t*>(std::malloc(size + sizeof(std::max_align_t)));
  if (!block) throw std::bad_alloc();
  *block = size;
  allocated += size;
  return reinterpret_cast<char*>(block) + sizeof(std::max_align_t);
}

void operator delete(void* p) noexcept {
  if (!p) return;
  auto* block = reinterpret_cast<std::size_t*>(static_cast<char*>(p) - sizeof(std::max_align_t));
  allocated -= *block;
  std::free(block);
}

void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

int main() {
  using Clock = std::chrono::steady_clock;
  constexpr int kLabels = 10000;
  for (int round = 0; round < 3; ++round) {
    TVpPageList list;
    list.AddPage();
    const std::size_t before = allocated;
    const auto start = Clock::now();
    bench::RecordLabels(list, kLabels);
    const auto recorded = Clock::now();
    const std::size_t bytes = allocated - before;
    int objects = 0;
    for (int p = 1; p <= list.PageCount(); ++p) objects += list.GetPage(p).ObjectCount();
    const TVpResourceTable& r = list.Resources();
    std::printf(
        "record %d labels: %.1f ms, %d pages, %d objects, %.0f bytes per object, "
        "resources: %d pens %d brushes %d fonts\n",
        kLabels, Milliseconds(recorded - start), list.PageCount(), objects,
        static_cast<double>(bytes) / objects, r.Pens.Count(), r.Brushes.Count(), r.Fonts.Count());
    const auto clearStart = Clock::now();
    list.ClearPages(false, true);
    std::printf("ClearPages of the run: %.1f ms\n", Milliseconds(Clock::now() - clearStart));
  }
}
