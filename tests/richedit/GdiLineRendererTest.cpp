#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "richedit/DocumentLayout.h"
#include "richedit/GdiLineRenderer.h"
#include "richedit/GdiTextMeasurer.h"
#include "richedit/PictureBitmaps.h"
#include "tests/richedit/GdiCanvas.h"
#include "tests/richedit/TestSupport.h"
#include "tests/support/PngWriter.h"

namespace richedit {
namespace {

using test::Canvas;

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

std::string hex(std::string_view bytes) {
  static constexpr char digits[] = "0123456789abcdef";
  std::string out;
  for (const unsigned char b : bytes) out += {digits[b >> 4], digits[b & 15]};
  return out;
}

std::string pngOf(int side, COLORREF colour) {
  std::vector<std::uint8_t> rgb;
  for (int i = 0; i < side * side; ++i) {
    rgb.insert(rgb.end(), {GetRValue(colour), GetGValue(colour), GetBValue(colour)});
  }
  const std::vector<std::uint8_t> png = EncodePng(side, side, rgb);
  return {png.begin(), png.end()};
}

// 8 x 8 pixels of RGB(201, 120, 41), made with ImageMagick's convert.
std::string ochreJpeg() {
  const std::string_view digits =
      "ffd8ffe000104a46494600010100000100010000ffdb00430002010101010102010101020202020204030202"
      "02020504040304060506060605060606070908060709070606080b08090a0a0a0a0a06080b0c0b0a0c090a0a"
      "0affdb004301020202020202050303050a0706070a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a"
      "0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0affc000110800080008030111000211010311"
      "01ffc40014000100000000000000000000000000000005ffc400141001000000000000000000000000000000"
      "00ffc40014010100000000000000000000000000000008ffc400141101000000000000000000000000000000"
      "00ffda000c03010002110311003f00702b2f1fffd9";
  std::string bytes;
  for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
    bytes += static_cast<char>(std::stoi(std::string(digits.substr(i, 2)), nullptr, 16));
  }
  return bytes;
}

// A metafile of what draw draws in size logical units: enhanced (on the screen as reference
// device, in frame, 0.01 mm, when one is given) or Windows.
template <typename Draw>
std::string metafileOf(bool enhanced, SIZE size, const RECT* frame, Draw draw) {
  const HDC recorder =
      enhanced ? CreateEnhMetaFileW(nullptr, nullptr, frame, nullptr) : CreateMetaFileW(nullptr);
  if (!enhanced) {
    SetMapMode(recorder, MM_ANISOTROPIC);
    SetWindowExtEx(recorder, size.cx, size.cy, nullptr);
  }
  draw(recorder);
  std::string bytes;
  if (enhanced) {
    const HENHMETAFILE emf = CloseEnhMetaFile(recorder);
    bytes.resize(GetEnhMetaFileBits(emf, 0, nullptr));
    GetEnhMetaFileBits(emf, static_cast<UINT>(bytes.size()), reinterpret_cast<BYTE*>(bytes.data()));
    DeleteEnhMetaFile(emf);
  } else {
    const HMETAFILE wmf = CloseMetaFile(recorder);
    bytes.resize(GetMetaFileBitsEx(wmf, 0, nullptr));
    GetMetaFileBitsEx(wmf, static_cast<UINT>(bytes.size()), bytes.data());
    DeleteMetaFile(wmf);
  }
  return bytes;
}

// 100 x 100 logical units filled with colour.
std::string metafileOf(bool enhanced, COLORREF colour) {
  return metafileOf(enhanced, {100, 100}, nullptr, [&](HDC dc) {
    BrushHandle brush(CreateSolidBrush(colour));
    const RECT all{0, 0, 100, 100};
    FillRect(dc, &all, brush.get());
  });
}

// A packed 2 x 2 24-bit bitmap of one colour.
std::string dibOf(COLORREF colour) {
  std::string dib(40 + 16, '\0');
  BITMAPINFOHEADER h{};
  h.biSize = 40;
  h.biWidth = 2;
  h.biHeight = 2;
  h.biPlanes = 1;
  h.biBitCount = 24;
  std::memcpy(dib.data(), &h, sizeof h);
  for (int pixel = 0; pixel < 4; ++pixel) {
    char* p = dib.data() + 40 + pixel / 2 * 8 + pixel % 2 * 3;
    p[0] = static_cast<char>(GetBValue(colour));
    p[1] = static_cast<char>(GetGValue(colour));
    p[2] = static_cast<char>(GetRValue(colour));
  }
  return dib;
}

bool closeTo(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= 3 && std::abs(GetGValue(a) - GetGValue(b)) <= 3 &&
         std::abs(GetBValue(a) - GetBValue(b)) <= 3;
}

constexpr COLORREF kPlaceholder = RGB(224, 224, 224);
constexpr COLORREF kPlaceholderEdge = RGB(160, 160, 160);

class PictureRenderTest : public GdiLineRendererTest {
 protected:
  // One picture an inch wide and half an inch high, alone in its paragraph (\picw and \pich are
  // a metafile's size in hundredths of a millimetre).
  void loadPicture(const char* keyword, std::string_view bytes) {
    load("{\\rtf1{\\pict\\" + std::string(keyword) +
             "\\picw2540\\pich1270\\picwgoal1440\\pichgoal720 " + hex(bytes) + "}\\par}",
         14400);
  }
  // Every picture's box at dpi, as the renderer places it.
  std::vector<RECT> pictureBoxes(int dpi) {
    const auto device = [&](std::int64_t twips) {
      return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / 1440));
    };
    std::vector<RECT> boxes;
    for (int i = 0; i < layout->lineCount(); ++i) {
      const LineDrawing drawing = layout->drawing(i);
      const std::int64_t baseline = layout->line(i).top + drawing.baseline;
      for (const ObjectPiece& o : drawing.objects) {
        boxes.push_back({device(o.x), device(baseline - o.extent.height),
                         device(std::int64_t{o.x} + o.extent.width), device(baseline)});
      }
    }
    return boxes;
  }
};

TEST_F(PictureRenderTest, EveryKindFillsItsBoxAtEveryResolution) {
  const struct {
    const char* keyword;
    std::string bytes;
    COLORREF colour;
  } cases[] = {
      {"emfblip", metafileOf(true, RGB(0, 0, 255)), RGB(0, 0, 255)},
      {"wmetafile8", metafileOf(false, RGB(0, 128, 0)), RGB(0, 128, 0)},
      {"dibitmap0", dibOf(RGB(255, 0, 0)), RGB(255, 0, 0)},
      {"pngblip", pngOf(2, RGB(40, 90, 200)), RGB(40, 90, 200)},
      {"jpegblip", ochreJpeg(), RGB(201, 120, 41)},
  };
  for (const auto& c : cases) {
    loadPicture(c.keyword, c.bytes);
    for (const int dpi : {96, 300}) {
      SCOPED_TRACE(std::string(c.keyword) + " at " + std::to_string(dpi) + " dpi");
      Canvas canvas(dpi * 2, dpi);
      render(canvas, dpi);
      const std::vector<RECT> boxes = pictureBoxes(dpi);
      ASSERT_EQ(boxes.size(), 1u);
      const RECT b = boxes[0];
      EXPECT_NEAR(b.right - b.left, dpi, 1);
      EXPECT_NEAR(b.bottom - b.top, dpi / 2, 1);
      for (const POINT p :
           {POINT{b.left + 1, b.top + 1}, POINT{(b.left + b.right) / 2, (b.top + b.bottom) / 2},
            POINT{b.right - 2, b.bottom - 2}}) {
        EXPECT_TRUE(closeTo(canvas.pixel(p.x, p.y), c.colour))
            << p.x << "," << p.y << ": " << std::hex << canvas.pixel(p.x, p.y);
      }
      // Metafiles may spill over by their frame's rounding, a hundredth of their size.
      const int spill = 1 + dpi / 100;
      EXPECT_FALSE(canvas.ink(b.right + spill, (b.top + b.bottom) / 2)) << "right of the box";
      EXPECT_FALSE(canvas.ink((b.left + b.right) / 2, b.bottom + spill)) << "below the box";
    }
  }
}

TEST_F(PictureRenderTest, PicturesThatCannotBeDrawnShowAGreyBox) {
  const std::string png = pngOf(4, RGB(0, 0, 0));
  const struct {
    const char* what;
    const char* keyword;
    std::string bytes;
  } cases[] = {
      {"png cut short", "pngblip", png.substr(0, png.size() / 2)},
      {"garbage after a png signature", "pngblip", png.substr(0, 8) + std::string(200, 'Z')},
      {"jpeg cut short", "jpegblip", ochreJpeg().substr(0, 120)},
      {"png claiming 60000 x 60000 pixels", "pngblip",
       png.substr(0, 16) + std::string("\0\0\xEA\x60\0\0\xEA\x60", 8) + png.substr(24)},
      {"bitmap cut short", "dibitmap0", dibOf(RGB(0, 0, 0)).substr(0, 50)},
      {"metafile of garbage", "emfblip", std::string(100, 'Z')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    loadPicture(c.keyword, c.bytes);
    for (const int dpi : {96, 300}) {
      Canvas canvas(dpi * 2, dpi);
      EXPECT_NO_THROW(render(canvas, dpi));
      const RECT b = pictureBoxes(dpi).at(0);
      EXPECT_EQ(canvas.pixel((b.left + b.right) / 2, (b.top + b.bottom) / 2), kPlaceholder);
      EXPECT_EQ(canvas.pixel(b.left, b.top), kPlaceholderEdge);
      EXPECT_EQ(canvas.pixel(b.right - 1, b.bottom - 1), kPlaceholderEdge);
      EXPECT_FALSE(canvas.ink(b.right + 1, b.top + 1));
    }
  }
}

TEST_F(PictureRenderTest, DecodedPicturesAreKeptUntilTheirBytesChange) {
  PictureBitmaps bitmaps;
  loadPicture("pngblip", pngOf(2, RGB(255, 0, 0)));
  for (int pass = 0; pass < 2; ++pass) {
    Canvas canvas(96, 96);
    GdiLineRenderer(canvas.dc(), {96 / 1440.0, 96 / 1440.0, {0, 0}}, &bitmaps)
        .drawLines(*layout, doc, 0, layout->lineCount(), 0);
    EXPECT_EQ(canvas.pixel(10, 10), RGB(255, 0, 0));
  }
  EXPECT_EQ(bitmaps.decodes(), 1u) << "the second paint decodes nothing";

  Picture picture;
  picture.kind = PictureKind::Png;
  picture.data = pngOf(2, RGB(0, 0, 0));
  ASSERT_NE(bitmaps.find(picture), nullptr);
  EXPECT_EQ(bitmaps.find(picture)->header.biWidth, 2);
  picture.data = pngOf(3, RGB(0, 0, 0));  // the same picture object, other bytes
  ASSERT_NE(bitmaps.find(picture), nullptr);
  EXPECT_EQ(bitmaps.find(picture)->header.biWidth, 3);
  EXPECT_EQ(bitmaps.decodes(), 3u);
}

TEST_F(PictureRenderTest, SamplePicturesAreDrawn) {
  load(test::readFile(test::dataPath("pandoc-images.rtf")), 9360);
  Canvas canvas(700, 900);
  render(canvas, 96);
  const std::vector<RECT> boxes = pictureBoxes(96);
  ASSERT_EQ(boxes.size(), 3u) << "a PNG, a JPEG and another PNG";
  for (const RECT& b : boxes) {
    ASSERT_LE(b.bottom, 900);
    int blank = 0;
    for (int y = b.top; y < b.bottom; ++y) {
      for (int x = b.left; x < b.right; ++x) {
        const COLORREF c = canvas.pixel(x, y);
        blank += c == RGB(255, 255, 255) || c == kPlaceholder || c == kPlaceholderEdge;
      }
    }
    EXPECT_LT(blank * 2, (b.right - b.left) * (b.bottom - b.top)) << b.left << "," << b.top;
  }
}

// Words in an 11-pixel Arial as programs record them (DrawTextW in the table builder too):
// ExtTextOutW with the advances measured on the screen, in a picture of 200 x 24 pixels whose
// frame is a hundredth of a millimetre larger each way, as rounding to hundredths can make it.
constexpr wchar_t kWords[] = L"Tuesday Wednesday";
constexpr SIZE kWordsArea{200, 24};
constexpr int kWordsPixels = 11;

HFONT wordsFont(int pixels) {
  LOGFONTW lf{};
  lf.lfHeight = -pixels;
  lstrcpyW(lf.lfFaceName, L"Arial");
  return CreateFontIndirectW(&lf);
}

std::string wordsMetafile(bool enhanced, SIZE& frame) {
  const WindowDC screen(nullptr);
  const auto hundredths = [&](int pixels, int mm, int res) {
    return MulDiv(pixels, GetDeviceCaps(screen.get(), mm) * 100, GetDeviceCaps(screen.get(), res)) +
           1;
  };
  frame = {hundredths(kWordsArea.cx, HORZSIZE, HORZRES),
           hundredths(kWordsArea.cy, VERTSIZE, VERTRES)};
  const RECT bounds{0, 0, frame.cx, frame.cy};
  return metafileOf(enhanced, kWordsArea, &bounds, [&](HDC dc) {
    FontHandle font(wordsFont(kWordsPixels));
    const int n = static_cast<int>(std::wcslen(kWords));
    std::vector<INT> ends(n), dx(n);
    SIZE size{};
    {
      Selection measure(screen.get(), font.get());
      GetTextExtentExPointW(screen.get(), kWords, n, 0, nullptr, ends.data(), &size);
    }
    for (int i = 0; i < n; ++i) dx[i] = ends[i] - (i ? ends[i - 1] : 0);
    Selection use(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    ExtTextOutW(dc, 0, 0, 0, nullptr, kWords, n, dx.data());
  });
}

// The metafile in RTF, its frame as \picw and \pich, its drawing's pixels its size on the page.
std::string wordsPicture(bool enhanced) {
  SIZE frame{};
  const std::string bytes = wordsMetafile(enhanced, frame);
  return "{\\rtf1{\\pict" + std::string(enhanced ? "\\emfblip" : "\\wmetafile8") + "\\picw" +
         std::to_string(frame.cx) + "\\pich" + std::to_string(frame.cy) + "\\picwgoal" +
         std::to_string(kWordsArea.cx * 15) + "\\pichgoal" + std::to_string(kWordsArea.cy * 15) +
         " " + hex(bytes) + "}\\par}";
}

// What the ink of a line of words looks like: the gaps between its runs of inked columns,
// widest first, and how dark it is in all.
struct Ink {
  std::vector<int> gaps;
  long darkness = 0;
};

Ink inkIn(const Canvas& canvas, const RECT& area) {
  Ink ink;
  int lastInked = -1;
  for (int x = area.left; x < area.right; ++x) {
    bool inked = false;
    for (int y = area.top; y < area.bottom; ++y) {
      const COLORREF c = canvas.pixel(x, y);
      ink.darkness += 255 * 3 - GetRValue(c) - GetGValue(c) - GetBValue(c);
      inked = inked || c != RGB(255, 255, 255);
    }
    if (!inked) continue;
    if (lastInked >= 0 && x - lastInked > 1) ink.gaps.push_back(x - lastInked - 1);
    lastInked = x;
  }
  std::sort(ink.gaps.rbegin(), ink.gaps.rend());
  return ink;
}

// The widest gap inside a word of two: the widest of all is the blank between them.
int widestInsideAWord(const Ink& ink) { return ink.gaps.size() > 1 ? ink.gaps[1] : 0; }

// A word recorded in a metafile keeps together wherever the picture is drawn: the gaps
// between its letters are those of the same words drawn directly at the size they are shown,
// give or take a pixel for rounding and half a recorded pixel (the recorded advances are whole
// pixels), and its letters are as big.
TEST_F(PictureRenderTest, RecordedWordsKeepTogetherAtEveryResolution) {
  for (const bool enhanced : {true, false}) {
    load(wordsPicture(enhanced), 14400);
    // Shrunk, a hair smaller than recorded, enlarged, and at printer resolutions.
    for (const int dpi : {72, 96, 120, 192, 300, 600}) {
      SCOPED_TRACE(std::string(enhanced ? "enhanced" : "Windows") + " metafile at " +
                   std::to_string(dpi) + " dpi");
      const RECT box = pictureBoxes(dpi).at(0);
      Canvas shown(box.right + 8, box.bottom + 8);
      render(shown, dpi);
      const double scale = static_cast<double>(box.bottom - box.top) / kWordsArea.cy;
      Canvas direct(box.right - box.left, box.bottom - box.top);
      {
        FontHandle font(wordsFont(static_cast<int>(std::lround(kWordsPixels * scale))));
        Selection use(direct.dc(), font.get());
        SetBkMode(direct.dc(), TRANSPARENT);
        TextOutW(direct.dc(), 0, 0, kWords, static_cast<int>(std::wcslen(kWords)));
      }
      const Ink played = inkIn(shown, box);
      const Ink drawn = inkIn(direct, {0, 0, direct.width(), direct.height()});
      ASSERT_FALSE(played.gaps.empty());
      ASSERT_FALSE(drawn.gaps.empty());
      EXPECT_GT(played.gaps[0], widestInsideAWord(played)) << "the blank parts the words";
      EXPECT_LE(widestInsideAWord(played), widestInsideAWord(drawn) + 1 + scale / 2);
      EXPECT_NEAR(played.darkness, drawn.darkness, drawn.darkness / 20) << "letters as big";
    }
  }
}

// Painted through a clip region (a window's update region), a picture shows inside it exactly
// what it shows painted whole, also where a text starts outside the region and ends inside.
TEST_F(PictureRenderTest, APicturePaintedInPartShowsThatPartAsWhole) {
  load(wordsPicture(true), 14400);
  const int dpi = 192;
  const RECT b = pictureBoxes(dpi).at(0);
  const int w = b.right - b.left, h = b.bottom - b.top;
  Canvas whole(b.right + 8, b.bottom + 8);
  render(whole, dpi);
  const RECT clips[] = {
      {b.left + w / 2, b.top, b.right, b.bottom},                 // the second word
      {b.left + w / 4, b.top + h / 4, b.left + w / 3, b.bottom},  // inside the first
      {b.left, b.top, b.left + 4, b.top + 4},                     // a corner before the words
  };
  for (const RECT& clip : clips) {
    SCOPED_TRACE(std::to_string(clip.left) + "," + std::to_string(clip.top));
    Canvas part(whole.width(), whole.height());
    IntersectClipRect(part.dc(), clip.left, clip.top, clip.right, clip.bottom);
    render(part, dpi);
    int differ = 0;
    for (int y = 0; y < part.height(); ++y) {
      for (int x = 0; x < part.width(); ++x) {
        const bool inside = PtInRect(&clip, {x, y});
        differ += part.pixel(x, y) != (inside ? whole.pixel(x, y) : RGB(255, 255, 255));
      }
    }
    EXPECT_EQ(differ, 0);
  }
}

// A text record whose counts reach past its end is drawn as nothing, without reading there.
TEST_F(PictureRenderTest, DamagedTextRecordsDrawNothing) {
  SIZE frame{};
  const std::string words = wordsMetafile(true, frame);
  // Records follow the header; each starts with its type and size.
  std::size_t at = 0;
  for (DWORD type = 0, size = 0; at + 8 <= words.size(); at += size) {
    std::memcpy(&type, words.data() + at, 4);
    std::memcpy(&size, words.data() + at + 4, 4);
    if (type == EMR_EXTTEXTOUTW || size == 0) break;
  }
  ASSERT_LT(at + sizeof(EMREXTTEXTOUTW), words.size());
  const struct {
    const char* what;
    std::size_t field;  // offset in EMREXTTEXTOUTW
    std::uint32_t value;
  } cases[] = {
      {"characters past the end", offsetof(EMREXTTEXTOUTW, emrtext.nChars), 0x40000000},
      {"characters far away", offsetof(EMREXTTEXTOUTW, emrtext.offString), 0xFFFFFFF0},
      {"advances far away", offsetof(EMREXTTEXTOUTW, emrtext.offDx), 0xFFFFFFF0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string damaged = words;
    std::memcpy(damaged.data() + at + c.field, &c.value, sizeof c.value);
    loadPicture("emfblip", damaged);
    Canvas canvas(200, 100);
    render(canvas, 96);
    const RECT b = pictureBoxes(96).at(0);
    EXPECT_EQ(canvas.inkColumns(b.top, b.bottom), std::make_pair(-1, -1));
  }
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

// Capitals draw as they are measured: all caps as the capitals typed in, small caps as
// capitals of four fifths of the size (30 half-points: 24).
TEST_F(GdiLineRendererTest, CapitalsDrawLikeTheCapitalsTheyStandFor) {
  const auto draw = [this](const std::string& body) {
    load("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs30 " + body + "\\par}", 14400);
    auto canvas = std::make_unique<Canvas>(400, 60);
    render(*canvas, 150);
    return canvas;
  };
  const auto same = [](const Canvas& a, const Canvas& b) {
    for (int y = 0; y < a.height(); ++y) {
      for (int x = 0; x < a.width(); ++x) {
        if (a.pixel(x, y) != b.pixel(x, y)) return false;
      }
    }
    return true;
  };
  const auto allCaps = draw("\\caps quick");
  EXPECT_TRUE(same(*allCaps, *draw("QUICK")));
  const auto smallCaps = draw("\\scaps qUick!");
  EXPECT_TRUE(same(*smallCaps, *draw("{\\fs24 Q}U{\\fs24 ICK}!")));
  EXPECT_FALSE(same(*smallCaps, *draw("qUick!")));
}

// Leaders fill the space of a tab to their stop: dots and dashes broken, lines whole.
TEST_F(GdiLineRendererTest, TabLeadersFillTheSpaceBeforeTheirStop) {
  struct Case {
    const char* keyword;
    double minCoverage;
    double maxCoverage;
  } const cases[] = {{"", 0, 0},          {"\\tldot", 0.1, 0.6}, {"\\tlhyph", 0.4, 0.9},
                     {"\\tlul", 0.97, 1}, {"\\tlth", 0.97, 1},   {"\\tleq", 0.97, 1}};
  for (const Case& c : cases) {
    load(std::string("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs24") + c.keyword +
             "\\tx4320 Name\\tab 12\\par}",
         14400);
    Canvas canvas(400, 40);
    render(canvas, 96);
    const int from = layout->caretPoint(4).x * 96 / 1440 + 2;
    const int to = layout->caretPoint(5).x * 96 / 1440 - 2;
    double best = 0;  // the fullest row's share of the tab's width
    for (int y = 0; y < 40; ++y) {
      int inked = 0;
      for (int x = from; x < to; ++x) inked += canvas.ink(x, y);
      best = std::max(best, static_cast<double>(inked) / (to - from));
    }
    EXPECT_GE(best, c.minCoverage) << c.keyword;
    EXPECT_LE(best, c.maxCoverage) << c.keyword;
  }
}

}  // namespace
}  // namespace richedit
