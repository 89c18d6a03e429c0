#pragma once
// Small helpers of the rich-text benchmarks: reading a sample file, timing a step.
#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The median of runs timings of f, in milliseconds.
template <typename F>
double medianMs(int runs, F f) {
  using Clock = std::chrono::steady_clock;
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    const auto t0 = Clock::now();
    f();
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}
