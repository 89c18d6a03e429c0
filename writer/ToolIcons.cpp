#include "writer/ToolIcons.h"

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "controls/DibSurface.h"
#include "platform/GdiHandles.h"
#include "writer/IconSketch.h"

namespace writer {
namespace {

using namespace sketch;

void Arrow(Sketch& s, bool left, TColor color) {
  // A U-turn: up the far side, over the top, down into the head.
  const double dir = left ? 1 : -1;
  const double cx = 16, cy = 17, r = 8;
  s.Lines({{cx + dir * r, cy}, {cx + dir * r, 26}}, color, 3);
  s.ArcLine(cx, cy, r, left ? 0 : 180, left ? 180 : 0, color, 3);
  const double hx = cx - dir * r;
  s.Shape({{hx - 5.5, cy - 1}, {hx + 5.5, cy - 1}, {hx, cy + 6.5}}, color, color, 1);
}

void AlignedLines(Sketch& s, int mode) {
  const double widths[] = {22, 14, 22, 16};
  double y = 8;
  for (double w : widths) {
    const double l = mode == 0 ? 5 : mode == 1 ? 16 - w / 2 : 27 - w;
    s.Lines({{l, y}, {l + w, y}}, kInk, 2.5);
    y += 5.5;
  }
}

void IndentPicture(Sketch& s, bool hanging, bool more) {
  s.Lines({{15, 8}, {27, 8}}, kInk, 2.5);
  s.Lines({{15, 14}, {27, 14}}, kInk, 2.5);
  s.Lines({{15, 20}, {27, 20}}, kInk, 2.5);
  s.Lines({{hanging ? 15.0 : 5.0, 26}, {27, 26}}, kInk, 2.5);
  const double y = hanging ? 17 : 11;
  const double from = more ? 3.5 : 12.5, to = more ? 12.5 : 3.5, dir = more ? 1 : -1;
  s.Lines({{from, y}, {to - dir * 3, y}}, kBlue, 2.5);
  s.Shape({{to - dir * 4.5, y - 4}, {to - dir * 4.5, y + 4}, {to, y}}, kBlue, kBlue, 1);
}

void SpacingPicture(Sketch& s, double gap, const wchar_t* label) {
  for (double y = 7; y < 28; y += gap) s.Lines({{4, y}, {17, y}}, kInk, 2.5);
  s.Text(label, 17, 8, 31, 24, 11, kBlue);
}

void Envelope(Sketch& s, double l, double t, double r, double b) {
  s.Box(l, t, r, b, kPaper, kInk);
  s.Lines({{l + 0.5, t + 0.5}, {(l + r) / 2, (t + b) / 2 + 1}, {r - 0.5, t + 0.5}}, kInk, 1.5);
}

void Draw(Sketch& s, ToolIcon icon) {
  switch (icon) {
    case ToolIcon::NewPage:
      Page(s, 6, 3, 25, 29);
      s.TextLines(10, 19, {13, 17, 21});
      s.Circle(24, 24, 6.5, kGreen, kPaper, 1.2);
      s.Lines({{24, 20.5}, {24, 27.5}}, kPaper, 2.2);
      s.Lines({{20.5, 24}, {27.5, 24}}, kPaper, 2.2);
      break;
    case ToolIcon::History:
      s.Circle(16, 16, 12.5, kPaper, kBlue, 2.5);
      for (int i = 0; i < 12; ++i) {
        const double a = i * 3.14159265358979 / 6;
        const double r0 = i % 3 == 0 ? 8.5 : 9.8;
        s.Lines({{16 + r0 * std::cos(a), 16 + r0 * std::sin(a)},
                 {16 + 10.5 * std::cos(a), 16 + 10.5 * std::sin(a)}},
                kGrey, 1.2);
      }
      s.Lines({{16, 16}, {16, 8.5}}, kInk, 2.2);
      s.Lines({{16, 16}, {21.5, 19}}, kInk, 2.2);
      s.Circle(16, 16, 1.5, kRed, kRed, 1);
      break;
    case ToolIcon::OpenFolder:
      s.Shape({{3, 7}, {12, 7}, {14.5, 10}, {27, 10}, {27, 26}, {3, 26}}, kAmber, kBrown, 1.2);
      s.Box(7, 5, 24, 16, kPaper, kGrey, 1);
      s.Shape({{3, 26}, {7.5, 14}, {30.5, 14}, {26.5, 26}}, kGold, kBrown, 1.2);
      break;
    case ToolIcon::SaveDisk:
      s.Shape({{4, 4}, {24, 4}, {28, 8}, {28, 28}, {4, 28}}, kBlue, RGBColor(30, 70, 130), 1.5);
      s.Box(9, 4.5, 23, 12.5, RGBColor(230, 236, 244), kNone);
      s.Box(18.5, 6, 21.5, 11, RGBColor(30, 70, 130), kNone);
      s.Box(8, 17, 24, 27.5, kPaper, kNone);
      s.TextLines(10.5, 21.5, {20.5, 24});
      break;
    case ToolIcon::QuickPrint:
      s.Box(9, 3, 23, 13, kPaper, kInk, 1.2);
      s.Box(3, 11, 29, 24, kGrey, RGBColor(70, 80, 92), 1.2, 4);
      s.Circle(25, 15, 1.4, kGreen, kNone);
      s.Box(8, 19, 24, 29.5, kPaper, kInk, 1.2);
      s.TextLines(11, 21, {23, 26.5});
      break;
    case ToolIcon::Preview:
      Page(s, 4, 3, 21, 28);
      s.TextLines(8, 15, {12, 16, 20});
      s.Lines({{23.5, 23.5}, {29, 29}}, kBrown, 4);
      s.Circle(19, 19, 6.5, kPale, kInk, 2.2);
      break;
    case ToolIcon::Cut:
      s.Lines({{12.5, 20.5}, {22, 3}}, kGrey, 2.5);
      s.Lines({{19.5, 20.5}, {10, 3}}, kGrey, 2.5);
      s.Circle(10, 24.5, 4.5, kPaper, kRed, 2.5);
      s.Circle(22, 24.5, 4.5, kPaper, kRed, 2.5);
      s.Circle(16, 14.5, 1.3, kInk, kNone);
      break;
    case ToolIcon::Copy:
      Page(s, 4, 3, 19, 22, false);
      s.TextLines(7, 16, {8, 12, 16});
      Page(s, 12, 9, 28, 29, false);
      s.TextLines(15, 25, {14, 18, 22, 25.5});
      break;
    case ToolIcon::Paste:
      s.Box(4, 5, 22, 29, RGBColor(201, 139, 75), kBrown, 1.2, 3);
      s.Box(9, 2.5, 17, 8, kGrey, kInk, 1);
      Page(s, 13, 12, 28.5, 30);
      s.TextLines(16, 23, {19, 22.5, 26});
      break;
    case ToolIcon::Undo: Arrow(s, true, kBlue); break;
    case ToolIcon::Redo: Arrow(s, false, kBlue); break;
    case ToolIcon::Find:
      s.Lines({{19.5, 19.5}, {28, 28}}, kBrown, 5);
      s.Circle(13, 13, 9, kPale, kInk, 2.8);
      s.ArcLine(13, 13, 5.5, 100, 170, kPaper, 2);
      break;
    case ToolIcon::Date:
      s.Box(4, 6, 28, 29, kPaper, kInk, 1.5, 3);
      s.Box(4, 6, 28, 12.5, kRed, kInk, 1.5, 3);
      s.Lines({{10, 3}, {10, 8.5}}, kInk, 2.2);
      s.Lines({{22, 3}, {22, 8.5}}, kInk, 2.2);
      s.Text(L"31", 4, 12, 28, 29, 12, kInk);
      break;
    case ToolIcon::Picture:
      s.Box(3, 5, 29, 27, RGBColor(214, 234, 250), kInk);
      s.Shape({{4, 26}, {12, 15}, {18, 22}, {22, 18}, {28, 26}}, kGreen, RGBColor(40, 110, 55), 1);
      s.Circle(22, 11, 3, kGold, kAmber, 1);
      break;
    case ToolIcon::Emoticon:
      s.Circle(16, 16, 13, RGBColor(255, 210, 63), RGBColor(200, 146, 0), 1.8);
      s.Circle(11.5, 12.5, 2, kInk, kNone);
      s.Circle(20.5, 12.5, 2, kInk, kNone);
      s.ArcLine(16, 16, 8, 200, 340, kInk, 2.2);
      break;
    case ToolIcon::SpecialChar:
      s.Box(3, 3, 29, 29, kPaper, kGrey, 1.2, 5);
      s.Text(L"\u03A9", 3, 3, 29, 29, 22, kBlue, L"Times New Roman");
      break;
    case ToolIcon::Exit:
      s.Box(5, 3, 19, 29, RGBColor(160, 100, 55), RGBColor(110, 65, 30), 1.2);
      s.Circle(16, 17, 1.2, kGold, kNone);
      s.Lines({{17, 16}, {28, 16}}, kRed, 3);
      s.Shape({{24, 10.5}, {30.5, 16}, {24, 21.5}}, kRed, kRed, 1);
      break;
    case ToolIcon::Help:
      s.Circle(16, 16, 13, kBlue, RGBColor(30, 70, 130), 1.2);
      s.Text(L"?", 3, 3, 29, 30, 21, kPaper);
      break;
    case ToolIcon::LastDocument:
      Page(s, 4, 3, 22, 29);
      s.TextLines(8, 16, {12, 16, 20});
      s.Circle(23, 22, 7, kPaper, kBlue, 2);
      s.Lines({{23, 22}, {23, 17.5}}, kInk, 1.8);
      s.Lines({{23, 22}, {26, 23.5}}, kInk, 1.8);
      break;
    case ToolIcon::Envelope: Envelope(s, 2.5, 7, 29.5, 26); break;
    case ToolIcon::SpellCheck:
      s.Text(L"abc", 1, 2, 31, 17, 13, kInk);
      s.Lines({{8, 22}, {14, 28}, {26, 16}}, kGreen, 3.2);
      break;
    case ToolIcon::MailMerge:
      Envelope(s, 9, 4, 30, 19);
      Envelope(s, 2, 12, 23, 27);
      break;
    case ToolIcon::FormatPainter:
      s.Box(4, 4, 26, 13, kGold, kAmber, 1.5, 3);
      s.Lines({{26, 8.5}, {29, 8.5}, {29, 17}, {16, 17}, {16, 20}}, kInk, 2);
      s.Box(13.5, 20, 18.5, 30, kBrown, kInk, 1.2, 2);
      break;
    case ToolIcon::Paragraph: s.Text(L"\u00B6", 2, 1, 30, 31, 26, kInk); break;
    case ToolIcon::Bold: s.Text(L"B", 2, 1, 30, 31, 24, kInk, L"Times New Roman", FW_BOLD); break;
    case ToolIcon::Italic:
      s.Text(L"I", 2, 1, 30, 31, 24, kInk, L"Times New Roman", FW_BOLD, true);
      break;
    case ToolIcon::Underline:
      s.Text(L"U", 2, 0, 30, 26, 22, kInk, L"Times New Roman", FW_BOLD);
      s.Lines({{8, 28}, {24, 28}}, kBlue, 2.5);
      break;
    case ToolIcon::AlignLeft: AlignedLines(s, 0); break;
    case ToolIcon::AlignCenter: AlignedLines(s, 1); break;
    case ToolIcon::AlignRight: AlignedLines(s, 2); break;
    case ToolIcon::IndentLess: IndentPicture(s, false, false); break;
    case ToolIcon::HangingLess: IndentPicture(s, true, false); break;
    case ToolIcon::HangingMore: IndentPicture(s, true, true); break;
    case ToolIcon::IndentMore: IndentPicture(s, false, true); break;
    case ToolIcon::Spacing1: SpacingPicture(s, 4.5, L"1"); break;
    case ToolIcon::Spacing15: SpacingPicture(s, 6.5, L"1\u00BD"); break;
    case ToolIcon::Spacing2: SpacingPicture(s, 9, L"2"); break;
    case ToolIcon::Bullets:
      for (double y : {8.0, 16.0, 24.0}) {
        s.Circle(7, y, 2.3, kBlue, kNone);
        s.Lines({{13, y}, {27, y}}, kInk, 2.5);
      }
      break;
    case ToolIcon::Numbering: {
      const wchar_t* digits[] = {L"1", L"2", L"3"};
      double y = 8;
      for (const wchar_t* d : digits) {
        s.Text(d, 1, y - 5, 12, y + 5, 9, kBlue);
        s.Lines({{13, y}, {27, y}}, kInk, 2.5);
        y += 8;
      }
      break;
    }
    case ToolIcon::Highlight:
      s.Text(L"ab", 2, 0, 30, 22, 17, kInk);
      s.Box(4, 23, 28, 30, RGBColor(255, 230, 0), RGBColor(200, 170, 0), 1);
      break;
    case ToolIcon::Table:
      s.Box(3, 5, 29, 27, kPaper, kInk);
      s.Box(3, 5, 29, 11, kPale, kInk);
      s.Lines({{3, 16.5}, {29, 16.5}}, kInk, 1.2);
      s.Lines({{3, 22}, {29, 22}}, kInk, 1.2);
      s.Lines({{12, 5}, {12, 27}}, kInk, 1.2);
      s.Lines({{20.5, 5}, {20.5, 27}}, kInk, 1.2);
      break;
    case ToolIcon::Equation:
      s.Box(3, 3, 29, 29, kPaper, kGrey, 1.2, 5);
      s.Text(L"\u221A", 3, 2, 17, 28, 20, kBlue, L"Times New Roman", FW_NORMAL);
      s.Text(L"x\u00B2", 13, 4, 30, 28, 14, kInk, L"Times New Roman", FW_NORMAL, true);
      break;
  }
}

}  // namespace

controls::TPixelBuffer DrawToolIcon(ToolIcon icon, int size, controls::TColor background) {
  return DrawSketched(size, background, [icon](Sketch& s) { Draw(s, icon); });
}

void BlendToolIcon(const controls::TPixelView& dst, int x, int y, ToolIcon icon, int size) {
  const controls::TPixelBuffer dark = DrawToolIcon(icon, size, controls::kBlack);
  const controls::TPixelBuffer light = DrawToolIcon(icon, size, controls::kWhite);
  BlendOverBackground(dst, x, y, dark, light);
}

void FadeArea(const controls::TPixelView& view, const controls::TPixelRect& area) {
  const controls::TPixelRect inside = view.Bounds().Intersect(area);
  for (int y = inside.top; y < inside.bottom; ++y)
    for (int x = inside.left; x < inside.right; ++x) {
      const TColor c = view.Pixel(x, y);
      const int grey =
          (controls::RedOf(c) * 30 + controls::GreenOf(c) * 59 + controls::BlueOf(c) * 11) / 100;
      const int light = 255 - (255 - grey) * 2 / 5;
      view.SetPixel(x, y, RGBColor(light, light, light));
    }
}

controls::TPixelBuffer FadedIcon(const controls::TPixelBuffer& picture) {
  controls::TPixelBuffer faded(picture.Width(), picture.Height());
  controls::CopyPixels(faded.View(), 0, 0, picture.View(), picture.View().Bounds());
  FadeArea(faded.View(), faded.View().Bounds());
  return faded;
}

ImageListHandle MakeIconList(std::span<const ToolIcon> icons, int size, bool disabled) {
  const int count = static_cast<int>(icons.size());
  ImageListHandle list(ImageList_Create(size, size, ILC_COLOR24, count, 0));
  controls::TDibSurface strip(size * count, size);
  for (int i = 0; i < count; ++i) {
    controls::TPixelBuffer picture = DrawToolIcon(icons[i], size, controls::kWhite);
    if (disabled) picture = FadedIcon(picture);
    controls::CopyPixels(strip.Pixels(), i * size, 0, picture.View(), picture.View().Bounds());
  }
  // The image list copies from a bitmap that is not selected into any DC.
  WindowDC screen(nullptr);
  BitmapHandle bitmap(CreateCompatibleBitmap(screen.get(), size * count, size));
  {
    MemoryDC dc(screen.get());
    Selection s(dc.get(), bitmap.get());
    strip.CopyTo(dc.get());
  }
  ImageList_Add(list.get(), bitmap.get(), nullptr);
  return list;
}

}  // namespace writer
