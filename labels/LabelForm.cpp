#include "labels/LabelForm.h"

#include "controls/DrawGradientBand.h"
#include "platform/Application.h"
#include "platform/GdiHandles.h"

namespace {
HFONT BandFont() {
  static FontHandle font(CreateFontW(-20, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                     DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
  return font.get();
}
}  // namespace

void PaintTitleBand(HDC dc, const RECT& rect) {
  controls::DrawGradientBand(dc, rect, {RGB(124, 168, 211), RGB(45, 84, 150), RGB(0, 21, 110)},
                             controls::TBandDirection::TopToBottom);
}

void LabelForm::SetEnterOrder(const std::vector<std::pair<Control*, Control*>>& steps) {
  enterOrder_.clear();
  for (const auto& [from, to] : steps) enterOrder_[from->Handle()] = to;
}

bool LabelForm::PreTranslateMessage(MSG& msg) {
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
    const auto step = enterOrder_.find(msg.hwnd);
    if (step != enterOrder_.end()) {
      step->second->SetFocus();
      return true;
    }
  }
  return Form::PreTranslateMessage(msg);
}

void LabelForm::FormShow() {
  if (centerOnMain_)
    if (Form* main = Application::Get().MainForm(); main && main != this) CenterOn(main->Handle());
}

void LabelForm::FormPaint(HDC dc) {
  if (bandTitle_.empty()) return;
  const RECT client = ClientRect();
  RECT band{0, 0, client.right, kBandHeight};
  PaintTitleBand(dc, band);
  Selection font(dc, BandFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  RECT text{band.left + 12, band.top + 14, band.right - 12, band.bottom};
  DrawTextW(dc, bandTitle_.c_str(), static_cast<int>(bandTitle_.size()), &text,
            DT_SINGLELINE | DT_NOPREFIX | (bandTitleOnRight_ ? DT_RIGHT : DT_LEFT));
}

void LabelForm::FormMouseDown(int button, POINT client) {
  if (dragByBand_ && button == 0 && client.y < kBandHeight) BeginTitleDrag();
}

LRESULT LabelForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  // A caption inside a group sits on the group's white panel, not on the window: it gets the
  // panel's white instead of a box of the window's colour.
  if (msg == WM_CTLCOLORSTATIC) {
    const HWND control = reinterpret_cast<HWND>(lp);
    wchar_t cls[16] = L"";
    GetClassNameW(control, cls, 16);
    if (GetParent(control) != Handle() && _wcsicmp(cls, L"Static") == 0) {
      SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
  }
  return Form::WndProc(msg, wp, lp);
}

void PaintBottomBand(HDC dc, const RECT& client, int height) {
  const RECT band{client.left, client.bottom - height, client.right, client.bottom};
  controls::DrawGradientBand(dc, band, {RGB(240, 240, 240), RGB(214, 220, 228)},
                             controls::TBandDirection::TopToBottom);
  PenHandle line(CreatePen(PS_SOLID, 1, RGB(197, 197, 197)));
  Selection pen(dc, line.get());
  MoveToEx(dc, band.left, band.top, nullptr);
  LineTo(dc, band.right, band.top);
}
