// Figures for starting Tessary (aim: under 0.5 s each): from starting the process until its
// main window is visible, has the caption that names the document and answers a message,
// with no document, the 160 KB sample and a generated 1 MB document as the argument. The
// first paint itself cannot be seen from another process; a window that answers has
// handled the paint queued by its showing. Run it under Wine with a warm prefix:
//   tools/wine-run build/mingw/bench/writer/writer_startup_bench.exe [runs]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/writer/GeneratedRtf.h"
#include "bench/writer/ProgramStart.h"

namespace fs = std::filesystem;

namespace {

const std::wstring kCaption = L"Ombrel Tessary Express";

// Seconds until the window whose caption names the document shows, and until it answers.
ProgramStart StartOnce(const fs::path& exe, const fs::path& document) {
  const std::wstring caption =
      document.empty() ? kCaption : kCaption + L" >>  [" + document.wstring() + L"]";
  ProgramStart start =
      StartProgram(exe, document.empty() ? L"" : L"\"" + document.wstring() + L"\"", caption);
  start.visible /= 1000;
  start.answering /= 1000;
  return start;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const fs::path folder =
      fs::temp_directory_path() / (L"tessary-startup-" + std::to_wstring(GetCurrentProcessId()));
  fs::create_directories(folder);
  const fs::path exe = folder / L"Tessary.exe";
  fs::copy_file(TESSARY_EXE, exe);
  // A program that ran before: a first run stops at "File not Found!" for its history.
  std::ofstream(folder / L"WrdFileList.dat", std::ios::binary);
  const fs::path sample = folder / L"lo-long-document.rtf";
  fs::copy_file(fs::path(TEST_DATA_DIR) / "rtf" / "lo-long-document.rtf", sample);
  const fs::path generated = folder / L"generated.rtf";
  std::ofstream(generated, std::ios::binary) << GeneratedRtf(1024 * 1024);

  StartOnce(exe, {});  // warms the prefix and the file cache
  struct Case {
    const char* name;
    fs::path document;
  };
  const Case cases[] = {
      {"no document", {}}, {"160 KB sample", sample}, {"1 MB generated", generated}};
  std::printf(
      "Tessary start until the main window shows and answers (%d runs, median/max s; "
      "aim < 0.5 s):\n",
      runs);
  for (const Case& c : cases) {
    std::vector<double> visible, answering;
    for (int i = 0; i < runs; ++i) {
      const ProgramStart s = StartOnce(exe, c.document);
      visible.push_back(s.visible);
      answering.push_back(s.answering);
    }
    std::printf("  %-15s visible %.3f / %.3f   answering %.3f / %.3f\n", c.name, Median(visible),
                *std::max_element(visible.begin(), visible.end()), Median(answering),
                *std::max_element(answering.begin(), answering.end()));
  }
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return 0;
}
