#include "writer/HistoryPictures.h"

#include "writer/IconSketch.h"

namespace writer {
namespace {

using namespace sketch;

constexpr TColor kRtfTag = RGBColor(196, 58, 48);
constexpr TColor kRtcTag = RGBColor(46, 138, 66);
constexpr TColor kDocTag = RGBColor(36, 92, 170);
constexpr TColor kTxtTag = RGBColor(100, 112, 126);
constexpr TColor kOtherTag = RGBColor(214, 128, 24);
constexpr TColor kGlobe = RGBColor(62, 146, 214);

// A label across the lower left of a page: the kind's letters in white on its colour.
void Tag(Sketch& s, const wchar_t* text, TColor color, double right = 22) {
  s.Box(2, 19.5, right, 29, color, RGBColor(255, 255, 255), 1.2, 3);
  s.Text(text, 2, 19.5, right, 29.5, 8.2, kPaper);
}

void DocumentPage(Sketch& s) { Page(s, 7, 2, 28, 30); }

// Lines of text in the page above the tag.
void PageLines(Sketch& s, std::initializer_list<TColor> colors) {
  double y = 9.5;
  const double ends[] = {23, 19, 24, 21};
  int i = 0;
  for (TColor c : colors) {
    s.Lines({{11, y}, {ends[i++ % 4], y}}, c, 1.8);
    y += 3.5;
  }
}

void PlainTextPicture(Sketch& s, bool tagged) {
  DocumentPage(s);
  PageLines(s, {kLines, kLines, kLines});
  if (tagged) Tag(s, L"TXT", kTxtTag);
}

void RichTextPicture(Sketch& s, bool tagged) {
  DocumentPage(s);
  s.Text(L"A", 10, 5, 18, 15, 10, kRed, L"Times New Roman");
  s.Lines({{18, 9.5}, {24, 9.5}}, kBlue, 1.8);
  s.Lines({{18, 13}, {22, 13}}, kGreen, 1.8);
  s.Lines({{11, 16.5}, {24, 16.5}}, kBlue, 1.8);
  if (tagged) Tag(s, L"RTF", kRtfTag);
}

void WordDocumentPicture(Sketch& s, bool tagged) {
  DocumentPage(s);
  PageLines(s, {kInk, kLines, kLines});
  if (tagged) Tag(s, L"DOC", kDocTag);
}

void CompressedPicture(Sketch& s, bool tagged) {
  DocumentPage(s);
  // A zip down the page: teeth left and right of the seam, the pull at the foot.
  for (int i = 0; i < 5; ++i) {
    const double y = 5 + i * 2.8;
    const double x = i % 2 ? 18.5 : 14.5;
    s.Box(x, y, x + 4, y + 1.8, kInk, kNone);
  }
  s.Box(14.5, 18.5, 22.5, 23, kGold, kAmber, 1.2, 2);
  s.Lines({{18.5, 23}, {18.5, 27}}, kAmber, 1.8);
  if (tagged) Tag(s, L"RTC", kRtcTag);
}

void WebPagePicture(Sketch& s) {
  DocumentPage(s);
  PageLines(s, {kLines, kLines});
  // A globe over the page's lower left: parallels and a meridian.
  s.Circle(11.5, 21.5, 8, kGlobe, RGBColor(30, 90, 150), 1.4);
  s.Lines({{4.5, 21.5}, {18.5, 21.5}}, kPaper, 1.2);
  s.ArcLine(11.5, 21.5, 7.9, 60, 120, kPaper, 1.2);
  s.ArcLine(11.5, 21.5, 7.9, 240, 300, kPaper, 1.2);
  s.ArcLine(18, 21.5, 8.5, 140, 220, kPaper, 1.2);
  s.ArcLine(5, 21.5, 8.5, -40, 40, kPaper, 1.2);
}

void OtherFilePicture(Sketch& s, bool tagged) {
  DocumentPage(s);
  // Brackets of source text, the commonest other kind.
  s.Lines({{15, 7}, {12, 10.5}, {15, 14}}, kGrey, 1.8);
  s.Lines({{20, 7}, {23, 10.5}, {20, 14}}, kGrey, 1.8);
  if (tagged) Tag(s, L"\u2026", kOtherTag);
}

void AllDocumentsPicture(Sketch& s) {
  // Three pages fanned out, the front one with lines of text.
  Page(s, 3, 6, 19, 28, false);
  Page(s, 8, 4, 24, 27, false);
  Page(s, 13, 2, 29, 30);
  s.TextLines(16.5, 24, {10, 14, 18, 22});
  s.Lines({{16.5, 26}, {21, 26}}, kLines, 1.5);
}

}  // namespace

controls::TPixelBuffer DrawHistoryPicture(HistoryPicture picture, int size,
                                          controls::TColor background) {
  return DrawSketched(size, background, [picture](Sketch& s) {
    switch (picture) {
      case HistoryPicture::PlainText: PlainTextPicture(s, true); break;
      case HistoryPicture::OtherFile: OtherFilePicture(s, true); break;
      case HistoryPicture::RichText: RichTextPicture(s, true); break;
      case HistoryPicture::WordDocument: WordDocumentPicture(s, true); break;
      case HistoryPicture::WebPage: WebPagePicture(s); break;
      case HistoryPicture::CompressedRichText: CompressedPicture(s, true); break;
    }
  });
}

controls::TPixelBuffer DrawHistoryFilter(HistoryFilter filter, int size,
                                         controls::TColor background) {
  return DrawSketched(size, background, [filter](Sketch& s) {
    switch (filter) {
      case HistoryFilter::AllDocuments: AllDocumentsPicture(s); break;
      case HistoryFilter::RichTextFormat: RichTextPicture(s, true); break;
      case HistoryFilter::RichTextCompressed: CompressedPicture(s, true); break;
      case HistoryFilter::WordDocument: WordDocumentPicture(s, true); break;
      case HistoryFilter::PlainText: PlainTextPicture(s, true); break;
      case HistoryFilter::OtherTypes: OtherFilePicture(s, true); break;
    }
  });
}

HistoryRowPictures::HistoryRowPictures() {
  for (int i = 0; i < 7; ++i) {
    if (i == 5) continue;
    const auto picture = static_cast<HistoryPicture>(i);
    dark_[i] = DrawHistoryPicture(picture, kSize, controls::kBlack);
    light_[i] = DrawHistoryPicture(picture, kSize, controls::kWhite);
  }
}

void HistoryRowPictures::Blend(const controls::TPixelView& dst, int x, int y,
                               HistoryPicture picture) const {
  const auto index = static_cast<std::size_t>(picture);
  if (index >= dark_.size() || dark_[index].Width() == 0) return;
  const controls::TPixelBuffer& dark = dark_[index];
  const controls::TPixelBuffer& light = light_[index];
  BlendOverBackground(dst, x, y, dark, light);
}

}  // namespace writer
