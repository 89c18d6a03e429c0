// RtfPages: paginates an RTF file the way EM_FORMATRANGE does and saves pages as PNG files,
// for people to hold them beside another program's rendering of the same file
// (tools/compare-rtf-pages.sh):
//   RtfPages <in.rtf> <out-prefix> [--paper=W,H] [--margins=L,T,R,B] [--pages=A-B]
// Paper and margins are in twips (default US Letter, one inch all round); page n goes to
// <out-prefix>-<n>.png, drawn at the screen's resolution (a memory DC's, which the control
// draws at). Prints "dpi <n>", then one line per page: its number and character range.
#include <windows.h>

#include <richedit.h>

#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/GdiHandles.h"
#include "richedit/ByteStream.h"
#include "richedit/FormatRangeMessage.h"
#include "richedit/GdiTextMeasurer.h"
#include "richedit/RtfReader.h"
#include "tests/richedit/GdiCanvas.h"
#include "tests/support/PngWriter.h"

namespace {

struct Options {
  std::wstring input;
  std::wstring prefix;
  RECT paper{0, 0, 12240, 15840};
  RECT margins{1440, 1440, 1440, 1440};  // left, top, right, bottom
  int firstPage = 1;
  int lastPage = 1 << 20;
};

std::vector<long> numbers(const wchar_t* text, wchar_t separator) {
  std::vector<long> out;
  for (const wchar_t* p = text; *p;) {
    wchar_t* end = nullptr;
    out.push_back(std::wcstol(p, &end, 10));
    if (end == p) throw std::runtime_error("a number was expected in an option");
    p = *end == separator ? end + 1 : end;
    if (*end && *end != separator) throw std::runtime_error("an option is badly separated");
  }
  return out;
}

Options parse(int argc, wchar_t** argv) {
  if (argc < 3) {
    throw std::runtime_error(
        "usage: RtfPages <in.rtf> <out-prefix> [--paper=W,H] [--margins=L,T,R,B] [--pages=A-B]");
  }
  Options o;
  o.input = argv[1];
  o.prefix = argv[2];
  for (int i = 3; i < argc; ++i) {
    const std::wstring arg = argv[i];
    const auto value = [&](const wchar_t* name, std::size_t count, wchar_t separator) {
      const std::wstring head = std::wstring(name) + L"=";
      if (arg.rfind(head, 0) != 0) return std::vector<long>{};
      std::vector<long> v = numbers(arg.c_str() + head.size(), separator);
      if (v.size() != count) throw std::runtime_error("wrong count of numbers in an option");
      return v;
    };
    if (auto v = value(L"--paper", 2, L','); !v.empty()) {
      o.paper = {0, 0, v[0], v[1]};
    } else if (auto m = value(L"--margins", 4, L','); !m.empty()) {
      o.margins = {m[0], m[1], m[2], m[3]};
    } else if (auto p = value(L"--pages", 2, L'-'); !p.empty()) {
      o.firstPage = static_cast<int>(p[0]);
      o.lastPage = static_cast<int>(p[1]);
    } else {
      throw std::runtime_error("unknown option");
    }
  }
  if (o.paper.right <= o.margins.left + o.margins.right ||
      o.paper.bottom <= o.margins.top + o.margins.bottom) {
    throw std::runtime_error("the margins leave no room on the paper");
  }
  return o;
}

std::string readWhole(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  if (!in) throw std::runtime_error("the RTF file cannot be read");
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void savePng(const richedit::test::Canvas& canvas, const std::wstring& path) {
  std::vector<std::uint8_t> rgb;
  rgb.reserve(static_cast<std::size_t>(canvas.width()) * canvas.height() * 3);
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const COLORREF c = canvas.pixel(x, y);
      rgb.insert(rgb.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
    }
  }
  const std::vector<std::uint8_t> png = EncodePng(canvas.width(), canvas.height(), rgb);
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  if (!out) throw std::runtime_error("a page picture cannot be written");
}

int run(const Options& o) {
  const std::string bytes = readWhole(o.input);
  richedit::MemorySource source(bytes);
  richedit::RichTextDocument doc;
  doc.load(richedit::readRtf(source, {}).fragment);

  richedit::GdiTextMeasurer measurer;
  richedit::FormatRangeHandler handler(doc, measurer);
  // Justified paragraphs as the other program sets them.
  handler.handle(EM_SETTYPOGRAPHYOPTIONS, TO_ADVANCEDTYPOGRAPHY, TO_ADVANCEDTYPOGRAPHY);
  MemoryDC measuring;
  // Every memory DC has the screen's resolution, which the control draws at.
  const int dpiX = GetDeviceCaps(measuring.get(), LOGPIXELSX);
  const int dpiY = GetDeviceCaps(measuring.get(), LOGPIXELSY);
  std::printf("dpi %d\n", dpiX);
  const RECT body{o.margins.left, o.margins.top, o.paper.right - o.margins.right,
                  o.paper.bottom - o.margins.bottom};
  const LONG end = doc.textLength();
  LONG at = 0;
  int page = 0;
  do {
    ++page;
    FORMATRANGE record{};
    record.rc = body;
    record.rcPage = o.paper;
    record.chrg = {at, -1};
    LONG next = 0;
    if (page >= o.firstPage && page <= o.lastPage) {
      richedit::test::Canvas canvas(MulDiv(o.paper.right, dpiX, 1440),
                                    MulDiv(o.paper.bottom, dpiY, 1440));
      record.hdc = record.hdcTarget = canvas.dc();
      next = static_cast<LONG>(handler.formatRange(TRUE, &record));
      savePng(canvas, o.prefix + L"-" + std::to_wstring(page) + L".png");
    } else {
      record.hdc = record.hdcTarget = measuring.get();
      next = static_cast<LONG>(handler.formatRange(FALSE, &record));
    }
    std::printf("page %d: %ld-%ld\n", page, static_cast<long>(at), static_cast<long>(next));
    if (next <= at) break;  // nothing fitted: stop rather than loop
    at = next;
  } while (at < end);
  handler.formatRange(FALSE, nullptr);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  try {
    return run(parse(argc, argv));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "RtfPages: %s\n", e.what());
    return 2;
  }
}
