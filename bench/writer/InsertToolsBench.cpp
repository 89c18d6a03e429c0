// Figures for the symbol insert tools, which the program creates at start: how long creating
// each window takes (the equation builder holds 157 buttons), and recording its picture.
// Run it under Wine with a warm prefix:
//   tools/wine-run build/mingw/bench/writer/writer_insert_tools_bench.exe [runs]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "platform/GdiHandles.h"
#include "writer/insert/CharMaps.h"
#include "writer/insert/EmotIcons.h"
#include "writer/insert/EquationBuilder.h"

using Clock = std::chrono::steady_clock;

namespace {

// Median and largest of runs timings, in milliseconds.
void Report(const char* what, int runs, const std::function<void()>& once) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    const auto t0 = Clock::now();
    once();
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
  }
  std::sort(ms.begin(), ms.end());
  std::printf("  %-36s %8.1f / %8.1f ms\n", what, ms[ms.size() / 2], ms.back());
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  std::printf("Insert tools (%d runs, median/max):\n", runs);
  Report("create the equation builder", runs, [] {
    TfrmEBuilder form;
    form.Create(nullptr);
  });
  Report("create the emoticon picker", runs, [] {
    TfrmEmoticons form;
    form.Create(nullptr);
  });
  Report("create the character map", runs, [] {
    TDLLForm form;
    form.Create(nullptr);
  });
  TfrmEBuilder builder;
  builder.Create(nullptr);
  for (int i = 0; i < 40; ++i) builder.InsertButton(static_cast<std::size_t>(i % 60)).Click();
  Report("record a 40-symbol formula picture", runs, [&] {
    WindowDC screen(builder.Handle());
    writer::RecordEquationPicture(builder.EQBuilder.Handle(), screen.get());
  });
  return 0;
}
