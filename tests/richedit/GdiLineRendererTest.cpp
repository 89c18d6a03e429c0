#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "platform/richedit/DocumentLayout.h"
#include "platform/richedit/FormatRangeMessage.h"
#include "platform/richedit/GdiLineRenderer.h"
#include "platform/richedit/GdiTextMeasurer.h"
#include "tests/richedit/TestSupport.h"

namespace richedit {
namespace {

// A white 32-bit top-down bitmap selected into a memory DC.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    old_ = SelectObject(dc_.get(), bitmap_.get());
    std::memset(bits_, 0xFF, static_cast<std::size_t>(width) * height * 4);
  }
  ~Canvas() { SelectObject(dc_.get(), old_); }
  HDC dc() const { return dc_.get(); }
  COLORREF pixel(int x, int y) const {
    GdiFlush();
    const auto p = static_cast<const std::uint32_t*>(bits_)[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  bool ink(int x, int y) const { return pixel(x, y) != RGB(255, 255, 255); }
  // The ink's leftmost and rightmost columns within rows [top, bottom); -1 without ink.
  std::pair<int, int> inkColumns(int top, int bottom) const {
    int left = -1;
    int right = -1;
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y) {
      for (int x = 0; x < width_; ++x) {
        if (!ink(x, y)) continue;
        if (left < 0 || x < left) left = x;
        right = std::max(right, x);
      }
    }
    return {left, right};
  }

 private:
  int width_;
  int height_;
  MemoryDC dc_;
  BitmapHandle bitmap_;
  void* bits_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

class GdiLineRendererTest : public ::testing::Test {
 protected:
  void load(std::string_view rtf, std::int32_t width) {
    doc = test::documentFromRtf(rtf);
    layout = std::make_unique<DocumentLayout>(doc, measurer, LayoutOptions{width, true, true});
  }
  void render(Canvas& canvas, int dpi) {
    GdiLineRenderer r(canvas.dc(), {dpi / 1440.0, dpi / 1440.0, {0, 0}});
    r.drawLines(*layout, doc, 0, layout->lineCount(), 0);
  }
  // The ink of a line at 96 dpi: its rows, less those it shares with its neighbours.
  std::pair<int, int> lineInk(const Canvas& canvas, int line) {
    const DocumentLine l = layout->line(line);
    return canvas.inkColumns(static_cast<int>((l.top * 96 + 1439) / 1440),
                             static_cast<int>((l.top + l.box.height) * 96 / 1440));
  }

  GdiTextMeasurer measurer;
  RichTextDocument doc;
  std::unique_ptr<DocumentLayout> layout;
};

TEST_F(GdiLineRendererTest, TextKeepsItsLayoutAtEveryResolution) {
  load("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs40 Hello wide world\\par}", 14400);
  const int lineRight = layout->caretPoint(16).x;  // after "world"
  for (const int dpi : {96, 150, 300}) {
    Canvas canvas(dpi * 6, dpi);
    render(canvas, dpi);
    const auto [left, right] = canvas.inkColumns(0, dpi);
    EXPECT_GE(left, 0) << dpi;
    EXPECT_LE(left, dpi / 20) << dpi;
    EXPECT_NEAR(right, lineRight * dpi / 1440, 2 + dpi / 48) << dpi;
  }
}

TEST_F(GdiLineRendererTest, JustifiedLinesEndFlushRightButNotTheLast) {
  load(
      "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20\\qj "
      "Justified text runs from margin to margin on every line but the last one of its "
      "paragraph, which keeps its natural width.\\par}",
      4320);
  ASSERT_GE(layout->lineCount(), 3);
  Canvas canvas(400, 300);
  render(canvas, 96);
  for (int line = 0; line + 1 < layout->lineCount(); ++line) {
    EXPECT_NEAR(lineInk(canvas, line).second, 288, 3) << "line " << line;
  }
  const int last = layout->lineCount() - 1;
  const auto lastInk = lineInk(canvas, last);
  const LineBox lastBox = layout->line(last).box;
  EXPECT_EQ(lastBox.slack, 0);
  EXPECT_NEAR(lastInk.second, (lastBox.left + lastBox.width) * 96 / 1440, 2)
      << "the last line keeps its natural width";
}

TEST_F(GdiLineRendererTest, BitmapPicturesFillTheirGoalSize) {
  // A 2 x 2 red bitmap shown one inch by half an inch.
  std::string dib(40 + 16, '\0');
  BITMAPINFOHEADER h{};
  h.biSize = 40;
  h.biWidth = 2;
  h.biHeight = 2;
  h.biPlanes = 1;
  h.biBitCount = 24;
  std::memcpy(dib.data(), &h, sizeof h);
  for (int row = 0; row < 2; ++row) {
    for (int col = 0; col < 2; ++col) dib[40 + row * 8 + col * 3 + 2] = static_cast<char>(0xFF);
  }
  load("{\\rtf1 x\\par}", 14400);
  Picture picture;
  picture.kind = PictureKind::Dib;
  picture.data = dib;
  picture.goalWidth = 1440;
  picture.goalHeight = 720;
  doc.insertPicture({0, 0}, picture);
  layout = std::make_unique<DocumentLayout>(doc, measurer, LayoutOptions{14400, true, true});
  Canvas canvas(200, 100);
  render(canvas, 96);
  EXPECT_EQ(canvas.pixel(48, 24), RGB(255, 0, 0));
  EXPECT_EQ(canvas.pixel(2, 2), RGB(255, 0, 0));
  EXPECT_EQ(canvas.pixel(93, 45), RGB(255, 0, 0));
  EXPECT_FALSE(canvas.ink(150, 10)) << "nothing beyond the picture and its letter";

  // A picture whose bits are cut short draws nothing rather than reading past its bytes.
  picture.data = dib.substr(0, 50);
  doc.clear();
  doc.insertPicture({0, 0}, picture);
  layout = std::make_unique<DocumentLayout>(doc, measurer, LayoutOptions{14400, true, true});
  Canvas cut(200, 100);
  render(cut, 96);
  EXPECT_FALSE(cut.ink(48, 24));
}

TEST_F(GdiLineRendererTest, MetafilePicturesArePlayedIntoTheirBox) {
  const HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  {
    BrushHandle blue(CreateSolidBrush(RGB(0, 0, 255)));
    const RECT all{0, 0, 100, 100};
    FillRect(recorder, &all, blue.get());
  }
  const HENHMETAFILE emf = CloseEnhMetaFile(recorder);
  std::string bytes(GetEnhMetaFileBits(emf, 0, nullptr), '\0');
  GetEnhMetaFileBits(emf, static_cast<UINT>(bytes.size()), reinterpret_cast<BYTE*>(bytes.data()));
  DeleteEnhMetaFile(emf);

  load("{\\rtf1 \\par}", 14400);
  Picture picture;
  picture.kind = PictureKind::Emf;
  picture.data = bytes;
  picture.goalWidth = 720;
  picture.goalHeight = 720;
  doc.insertPicture({0, 0}, picture);
  layout = std::make_unique<DocumentLayout>(doc, measurer, LayoutOptions{14400, true, true});
  Canvas canvas(100, 100);
  render(canvas, 96);
  EXPECT_EQ(canvas.pixel(24, 24), RGB(0, 0, 255));
  EXPECT_FALSE(canvas.ink(70, 24));
}

TEST_F(GdiLineRendererTest, TheSelectionDrawsOnItsHighlight) {
  load("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 abc def ghi\\par}", 14400);
  Canvas canvas(300, 40);
  {
    GdiLineRenderer r(canvas.dc(), {96 / 1440.0, 96 / 1440.0, {0, 0}});
    r.setSelection({4, 7}, RGB(0, 0, 128), RGB(255, 255, 255));
    r.drawLines(*layout, doc, 0, 1, 0);
  }
  const int from = layout->caretPoint(4).x * 96 / 1440;
  const int to = layout->caretPoint(7).x * 96 / 1440;
  EXPECT_EQ(canvas.pixel(from + 1, 1), RGB(0, 0, 128)) << "the selected background";
  EXPECT_EQ(canvas.pixel(to - 1, 1), RGB(0, 0, 128));
  EXPECT_EQ(canvas.pixel(from - 2, 1), RGB(255, 255, 255)) << "nothing before it";
  EXPECT_EQ(canvas.pixel(to + 2, 1), RGB(255, 255, 255)) << "nor after it";
}

TEST_F(GdiLineRendererTest, FormatRangeMeasuresAndRendersTheSameBreak) {
  load(
      "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 First paragraph of the page.\\par "
      "Second paragraph, long enough to wrap onto a further line or two of the page.\\par "
      "Third.\\par}",
      0);
  FormatRangeHandler handler(doc, measurer);
  Canvas measured(400, 200);
  Canvas rendered(400, 200);
  // Half an inch in, two inches wide, an inch high: at 96 dpi from (48, 48) to (240, 144).
  FORMATRANGE record{};
  record.hdc = record.hdcTarget = measured.dc();
  record.rc = {720, 720, 3600, 2160};
  record.rcPage = {0, 0, 12240, 15840};
  record.chrg = {0, -1};
  const LRESULT measure = handler.formatRange(0, &record);
  EXPECT_GT(measure, 0);
  EXPECT_LT(measure, doc.textLength()) << "an inch does not hold it all";
  EXPECT_LE(record.rc.bottom, 2160);
  EXPECT_EQ(measured.inkColumns(0, 200).first, -1) << "measuring draws nothing";

  record.hdc = rendered.dc();
  record.rc = {720, 720, 3600, 2160};
  EXPECT_EQ(handler.formatRange(1, &record), measure);
  const auto [left, right] = rendered.inkColumns(0, 200);
  EXPECT_GE(left, 48);
  EXPECT_LE(left, 52);
  EXPECT_LE(right, 240);
  EXPECT_EQ(rendered.inkColumns(0, 47).first, -1) << "nothing above the rectangle";
  EXPECT_EQ(rendered.inkColumns(145, 200).first, -1) << "nothing below it";

  // The band measured last, displayed in a rectangle of the same device.
  record.hdc = measured.dc();
  record.rc = {720, 720, 3600, 2160};
  EXPECT_EQ(handler.formatRange(0, &record), measure);
  const RECT band{100, 10, 300, 110};
  EXPECT_EQ(handler.displayBand(&band), TRUE);
  EXPECT_GE(measured.inkColumns(0, 200).first, 100);
  EXPECT_EQ(measured.inkColumns(0, 200).first - 100, left - 48) << "the same lines, moved";

  record.chrg = {static_cast<LONG>(measure), -1};
  record.rc = {720, 720, 3600, 2160};
  EXPECT_EQ(handler.formatRange(0, &record), doc.textLength()) << "the last page";
  EXPECT_EQ(handler.formatRange(0, nullptr), 0);
  EXPECT_EQ(handler.formatter().layout(), nullptr);
  EXPECT_EQ(handler.displayBand(&band), FALSE) << "nothing formatted any more";
}

}  // namespace
}  // namespace richedit
