#include "writer/insert/EmotIcons.h"

#include "controls/DibSurface.h"
#include "controls/PixelReduce.h"
#include "platform/ModalResult.h"
#include "writer/insert/EmoticonPictures.h"
#include "writer/insert/InsertClipboard.h"
#include "writer/insert/TitleBand.h"

namespace {

constexpr int kBandHeight = 30;
constexpr COLORREF kBand = RGB(0, 128, 192);
constexpr COLORREF kHot = RGB(255, 240, 200);
constexpr COLORREF kHotEdge = RGB(230, 170, 60);
constexpr int kPad = 12;  // around each picture
constexpr int kOversample = 4;
// The first picture of each row and the row's top and height.
struct Row {
  int first, last, top, height;
};
constexpr Row kRows[] = {{1, 12, 40, 50}, {13, 23, 94, 56}, {24, 29, 154, 56}};
constexpr int kNameTop = 214;
constexpr int kDividerTop = 270;

FontHandle MakeFont(const wchar_t* face, int height, int weight = FW_NORMAL) {
  return FontHandle(CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH, face));
}

void FillHot(HDC dc, const RECT& r, bool hot) {
  BrushHandle fill(CreateSolidBrush(hot ? kHot : RGB(255, 255, 255)));
  FillRect(dc, &r, fill.get());
  if (!hot) return;
  PenHandle edge(CreatePen(PS_SOLID, 1, kHotEdge));
  Selection pen(dc, edge.get());
  Selection brush(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, r.left, r.top, r.right, r.bottom, 8, 8);
}

}  // namespace

void TfrmEmoticons::Create(HWND owner) {
  FormStyle style = FormStyle::Borderless(L"Emotional Icons", kClientWidth, kClientHeight);
  style.style |= WS_BORDER;
  style.color = RGB(255, 255, 255);
  Form::Create(style, owner);
  bandBrush_.Reset(CreateSolidBrush(kBand));
  titleFont_ = MakeFont(L"Arial", -16, FW_BOLD);
  nameFont_ = MakeFont(L"Arial", -19);
  boldFont_ = MakeFont(L"Arial", -14, FW_BOLD);
  dividerFont_ = MakeFont(L"Courier New", -15, FW_BOLD);
  BuildPictures();
  lblName.Create(Handle(), L"", 0, kNameTop, kClientWidth, 26, SS_CENTER);
  lblName.SetFont(nameFont_.get());
  lblDividers.Create(Handle(), L"Dividers / Lines", 16, kDividerTop - 24, 200, 20);
  lblDividers.SetFont(boldFont_.get());
  BuildDividers();
  btnClose.Create(Handle(), L"Close", kClientWidth - 116, kClientHeight - 42, 104, 32);
  btnClose.SetModalResult(mrCancel);
  SetCancelButton(&btnClose);
}

void TfrmEmoticons::BuildPictures() {
  HDC screen = GetDC(nullptr);
  for (int i = 0; i < writer::kEmoticonCount; ++i)
    pictures_.emplace_back(writer::DrawEmoticon(i, screen));
  ReleaseDC(nullptr, screen);
  const auto infos = writer::Emoticons();
  for (const Row& row : kRows) {
    int width = 0;
    for (int n = row.first; n <= row.last; ++n) width += infos[n - 1].width + kPad;
    int left = (kClientWidth - width) / 2;
    for (int n = row.first; n <= row.last; ++n) {
      const writer::EmoticonInfo& info = infos[n - 1];
      auto button = std::make_unique<writer::DrawnButton>();
      button->Create(Handle(), info.name, left, row.top, info.width + kPad, row.height);
      button->OnDraw = [this, n](const DRAWITEMSTRUCT& item, bool hot) {
        DrawPicture(n, item, hot);
      };
      button->OnEnter = [this, n] { lblName.SetText(writer::Emoticons()[n - 1].name); };
      button->OnLeave = [this] { lblName.SetText(L""); };
      button->OnClick = [this, n] { ItemClick(n); };
      items_.push_back(std::move(button));
      left += info.width + kPad;
    }
  }
}

void TfrmEmoticons::BuildDividers() {
  const auto dividers = writer::Dividers();
  for (std::size_t i = 0; i < dividers.size(); ++i) {
    const int number = 30 + static_cast<int>(i);
    auto button = std::make_unique<writer::DrawnButton>();
    const int left = 16 + static_cast<int>(i % 2) * 268;
    const int top = kDividerTop + static_cast<int>(i / 2) * 30;
    button->Create(Handle(), dividers[i].sample, left, top, 260, 28);
    button->SetFont(dividerFont_.get());
    button->OnDraw = [this, number](const DRAWITEMSTRUCT& item, bool hot) {
      DrawDivider(number, item, hot);
    };
    button->OnClick = [this, number] { ItemClick(number); };
    items_.push_back(std::move(button));
  }
}

void TfrmEmoticons::ItemClick(int number) {
  if (number <= writer::kEmoticonCount)
    writer::ClipboardPutMetafile(Handle(), Picture(number));
  else
    writer::ClipboardPutText(Handle(), writer::Dividers()[number - 30].text);
  chosen_ = true;
  SetModalResult(mrOk);
}

// Drawn at four times the size and reduced, so the curves are smooth on screen.
void TfrmEmoticons::DrawPicture(int number, const DRAWITEMSTRUCT& item, bool hot) const {
  FillHot(item.hDC, item.rcItem, hot);
  const writer::EmoticonInfo& info = writer::Emoticons()[number - 1];
  const controls::TColor background = hot ? kHot : controls::kWhite;
  controls::TDibSurface large(info.width * kOversample, info.height * kOversample);
  controls::TDibSurface small(info.width, info.height);
  if (!large.Valid() || !small.Valid()) return;
  large.Pixels().Fill(background);
  const RECT all{0, 0, large.Width(), large.Height()};
  PlayEnhMetaFile(large.DC(), Picture(number), &all);
  controls::ReduceBlocks(small.Pixels(), large.Pixels(), kOversample);
  const RECT& r = item.rcItem;
  small.CopyTo(item.hDC, r.left + (r.right - r.left - info.width) / 2,
               r.top + (r.bottom - r.top - info.height) / 2);
}

void TfrmEmoticons::DrawDivider(int number, const DRAWITEMSTRUCT& item, bool hot) const {
  FillHot(item.hDC, item.rcItem, hot);
  Selection font(item.hDC, dividerFont_.get());
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, RGB(0, 21, 110));
  RECT r = item.rcItem;
  DrawTextW(item.hDC, writer::Dividers()[number - 30].sample, -1, &r,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TfrmEmoticons::FormShow() {
  if (HWND owner = GetWindow(Handle(), GW_OWNER)) CenterOn(owner);
  lblName.SetText(L"");
  Form::FormShow();
}

void TfrmEmoticons::FormPaint(HDC dc) {
  writer::PaintTitleBand(dc, bandBrush_.get(), titleFont_.get(), {0, 0, kClientWidth, kBandHeight},
                         L"Emotional Icons");
  PenHandle line(CreatePen(PS_SOLID, 1, RGB(197, 197, 197)));
  Selection pen(dc, line.get());
  MoveToEx(dc, 16, kDividerTop - 30, nullptr);
  LineTo(dc, kClientWidth - 16, kDividerTop - 30);
}

void TfrmEmoticons::FormMouseDown(int button, POINT client) {
  if (button == 0 && client.y < kBandHeight) BeginTitleDrag();
}

LRESULT TfrmEmoticons::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CTLCOLORSTATIC) {
    HDC dc = reinterpret_cast<HDC>(wp);
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, RGB(0, 21, 110));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
  }
  return Form::WndProc(msg, wp, lp);
}
