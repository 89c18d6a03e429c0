// Prints how fast our rich-edit window answers with a generated 1 MB RTF document open in a
// shown window of 1000 x 700: reading the document to its first paint, one typed character,
// Page Down, bold over everything and its undo. Each figure includes the repaint
// (UpdateWindow) and is split into the message and the paint. Run it under Wine:
//   tools/wine-run build/mingw/bench/richedit/richedit_window_bench.exe
#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "richedit/RichEditWindow.h"

namespace {

// Paragraphs of varied formatting (justified body text with bold and italic runs, headings,
// bullets) until the RTF holds at least `bytes` bytes.
std::string generateRtf(std::size_t bytes) {
  static const char* const words[] = {
      "the",      "quarterly", "figures",  "show",   "a",        "steady", "rise",
      "in",       "orders",    "from",     "every",  "region,",  "while",  "costs",
      "remained", "within",    "budget;",  "our",    "delivery", "times",  "improved",
      "again",    "and",       "customer", "survey", "results",  "were",   "excellent."};
  constexpr int wordCount = sizeof words / sizeof words[0];
  std::string rtf =
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss Arial;}}"
      "{\\colortbl;\\red0\\green0\\blue160;}\n";
  for (int paragraph = 0; rtf.size() < bytes; ++paragraph) {
    if (paragraph % 25 == 0) {
      rtf += "\\pard\\sb240\\sa120\\f1\\fs32\\b Section " + std::to_string(paragraph / 25 + 1) +
             "\\b0\\par\n";
      continue;
    }
    const bool bullet = paragraph % 25 > 20;
    rtf += bullet ? "\\pard{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb\\'b7}}"
                    "\\fi-360\\li720\\sa60\\f0\\fs22 "
                  : "\\pard\\qj\\sa120\\f0\\fs22 ";
    const int length = bullet ? 12 : 60 + paragraph % 40;
    for (int w = 0; w < length; ++w) {
      const char* word = words[(paragraph * 7 + w * 3) % wordCount];
      if (w % 17 == 5) {
        rtf += std::string("{\\b ") + word + "} ";
      } else if (w % 23 == 9) {
        rtf += std::string("{\\i\\cf1 ") + word + "} ";
      } else {
        rtf += std::string(word) + " ";
      }
    }
    rtf += "\\par\n";
  }
  return rtf + "}";
}

struct Reading {
  std::string_view rest;
};

DWORD CALLBACK readChunk(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto* reading = reinterpret_cast<Reading*>(cookie);
  const std::size_t n = std::min(reading->rest.size(), static_cast<std::size_t>(wanted));
  std::memcpy(buffer, reading->rest.data(), n);
  reading->rest.remove_prefix(n);
  *given = static_cast<LONG>(n);
  return 0;
}

LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE) {
    MoveWindow(GetWindow(window, GW_CHILD), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Handles what the steps left queued (caret blinks, scroll bar updates).
void pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

class Bench {
 public:
  Bench() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = frameProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"EditWindowBench";
    RegisterClassW(&wc);
    frame_ = CreateWindowExW(0, wc.lpszClassName, L"Bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                             1000, 700, nullptr, nullptr, wc.hInstance, nullptr);
    edit_ = CreateWindowExW(0, richedit::registerRichEditClass(), L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE, 0, 0, 0, 0, frame_,
                            nullptr, wc.hInstance, nullptr);
    RECT client{};
    GetClientRect(frame_, &client);
    MoveWindow(edit_, 0, 0, client.right, client.bottom, TRUE);
    send(EM_SETTYPOGRAPHYOPTIONS, TO_ADVANCEDTYPOGRAPHY, TO_ADVANCEDTYPOGRAPHY);
    SetFocus(edit_);
    pump();
  }
  ~Bench() { DestroyWindow(frame_); }

  HWND edit() const { return edit_; }
  bool ready() const { return edit_ != nullptr; }
  LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(edit_, message, wParam, lParam);
  }
  LRESULT streamIn(const std::string& rtf) {
    Reading reading{rtf};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&reading), 0, readChunk};
    return send(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  }
  void select(LONG min, LONG max) {
    CHARRANGE range{min, max};
    send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  }
  // The median over runs of the step and of the repaint after it; prepare runs untimed first.
  // A target of 0 marks a part of another figure.
  template <typename Prepare, typename Step>
  void measure(const char* name, int runs, double target, Prepare prepare, Step step) {
    std::vector<double> messages, paints, totals;
    for (int i = 0; i < runs; ++i) {
      prepare();
      UpdateWindow(edit_);
      pump();
      const auto t0 = Clock::now();
      step();
      const auto t1 = Clock::now();
      UpdateWindow(edit_);
      GdiFlush();
      const auto t2 = Clock::now();
      messages.push_back(ms(t1 - t0));
      paints.push_back(ms(t2 - t1));
      totals.push_back(ms(t2 - t0));
    }
    const double total = median(totals);
    std::printf("  %-48s %7.2f ms (message %.2f, paint %.2f)", name, total, median(messages),
                median(paints));
    if (target > 0) std::printf("  target %g ms%s", target, total <= target ? "" : "  MISSED");
    std::printf("\n");
  }

 private:
  using Clock = std::chrono::steady_clock;
  static double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
  }
  static double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  }
  HWND frame_ = nullptr;
  HWND edit_ = nullptr;
};

void typing(Bench& bench, LONG caret) {
  bench.select(caret, caret);
  bench.send(EM_SCROLLCARET);
  bench.measure(
      "one typed character (WM_CHAR) and repaint", 50, 5, [] {},
      [&] { bench.send(WM_CHAR, L'x'); });
  bench.measure(
      "one typed character at the start", 50, 5, [&] { bench.select(0, 0); },
      [&] { bench.send(WM_CHAR, L'x'); });
}

void paging(Bench& bench) {
  bench.select(0, 0);
  bench.send(EM_SCROLLCARET);
  bench.measure(
      "Page Down and repaint", 30, 16, [] {}, [&] { bench.send(WM_KEYDOWN, VK_NEXT); });
}

void formatting(Bench& bench) {
  CHARFORMAT2W bold{};
  bold.cbSize = sizeof bold;
  bold.dwMask = CFM_BOLD;
  bold.dwEffects = CFE_BOLD;
  // Bold and not bold in turn, so that every run changes every character.
  CHARFORMAT2W toggled = bold;
  bench.measure(
      "select all, bold on / off (EM_SETCHARFORMAT)", 4, 100,
      [&] {
        bench.select(0, -1);
        toggled.dwEffects ^= CFE_BOLD;
      },
      [&] { bench.send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&toggled)); });
  bench.measure(
      "undo the bold (EM_UNDO)", 3, 100,
      [&] {
        bench.select(0, -1);
        bench.send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&bold));
      },
      [&] { bench.send(EM_UNDO); });
}

// Parts of the figures above, to see where their time goes.
void parts(Bench& bench, LONG caret) {
  std::printf("where the time goes:\n");
  bench.select(caret, caret);
  bench.send(EM_SCROLLCARET);
  bench.measure(
      "typed character with redraw off (edit, layout)", 20, 0,
      [&] { bench.send(WM_SETREDRAW, FALSE); }, [&] { bench.send(WM_CHAR, L'x'); });
  bench.send(WM_SETREDRAW, TRUE);
  bench.measure(
      "repaint of the whole window", 20, 0, [] {},
      [&] { InvalidateRect(bench.edit(), nullptr, FALSE); });
  SCROLLINFO bar{};
  bar.cbSize = sizeof bar;
  bar.fMask = SIF_ALL;
  GetScrollInfo(bench.edit(), SB_VERT, &bar);
  bench.measure(
      "SetScrollInfo, same values, redrawn", 20, 0, [] {},
      [&] { SetScrollInfo(bench.edit(), SB_VERT, &bar, TRUE); });
  bench.measure(
      "WM_GETTEXTLENGTH", 20, 0, [] {}, [&] { bench.send(WM_GETTEXTLENGTH); });
}

void run(Bench& bench, const std::string& rtf) {
  bench.measure(
      "stream in the RTF, to the first paint", 5, 300, [] {}, [&] { bench.streamIn(rtf); });
  const auto length = static_cast<LONG>(bench.send(WM_GETTEXTLENGTH));
  std::printf("  (%zu RTF bytes, %ld characters, %ld lines)\n", rtf.size(),
              static_cast<long>(length), static_cast<long>(bench.send(EM_GETLINECOUNT)));
  typing(bench, length / 2);
  paging(bench);
  formatting(bench);
  parts(bench, length / 2);
}

}  // namespace

int main() {
  Bench bench;
  if (!bench.ready()) {
    std::fprintf(stderr, "The rich-edit window could not be created.\n");
    return 1;
  }
  const std::string rtf = generateRtf(1 << 20);
  std::printf("rich-edit window, 1000 x 700, generated 1 MB RTF:\n");
  run(bench, rtf);
  return 0;
}
