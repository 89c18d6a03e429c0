// Snapshot <caption prefix> <png path> [seconds]: waits for a visible top-level window whose
// caption starts with the prefix and saves what it shows as a PNG. Used by ./run.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/support/Screenshot.h"

namespace {

struct Search {
  std::wstring prefix;
  HWND found = nullptr;
};

BOOL CALLBACK Match(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  wchar_t caption[512] = {};
  GetWindowTextW(w, caption, 512);
  if (IsWindowVisible(w) && std::wstring(caption).rfind(s->prefix, 0) == 0) {
    s->found = w;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fputs("usage: Snapshot <caption prefix> <png path> [seconds]\n", stderr);
    return 2;
  }
  const int seconds = argc > 3 ? _wtoi(argv[3]) : 20;
  Search s{argv[1]};
  for (int i = 0; i < seconds * 10 && !s.found; ++i) {
    EnumWindows(Match, reinterpret_cast<LPARAM>(&s));
    if (!s.found) Sleep(100);
  }
  if (!s.found) {
    std::fputs("Snapshot: the window did not appear\n", stderr);
    return 1;
  }
  try {
    SaveWindowPng(s.found, argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Snapshot: %s\n", e.what());
    return 1;
  }
  return 0;
}
