#pragma once
#include <chrono>
#include <cstdio>

namespace bench {

// Runs work repeatedly for about a fifth of a second and prints the mean time per run.
template <class Work>
double Measure(const char* name, Work work) {
  using Clock = std::chrono::steady_clock;
  for (int i = 0; i < 20; ++i) work();  // warm caches and lazy set-up
  long runs = 0;
  const auto start = Clock::now();
  auto now = start;
  while (now - start < std::chrono::milliseconds(200)) {
    for (int i = 0; i < 10; ++i) work();
    runs += 10;
    now = Clock::now();
  }
  const double us =
      std::chrono::duration<double, std::micro>(now - start).count() / static_cast<double>(runs);
  std::printf("%-52s %10.2f us\n", name, us);
  return us;
}

}  // namespace bench
