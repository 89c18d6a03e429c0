#include "controls/StyledControl.h"

#include <stdexcept>

#include "controls/StyledClasses.h"
#include "platform/ControlErrors.h"
#include "platform/GdiHandles.h"

namespace controls {
namespace {

constexpr UINT_PTR kFadeTimer = 1;

// The object a control's constructor is creating a window for; WM_NCCREATE picks it up.
thread_local TStyledControl* t_pending = nullptr;

POINT ClientPoint(LPARAM lp) {
  return {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
}

// A window's background colour as its class brush gives it.
TColor ClassBackground(HWND hwnd) {
  const auto brush = static_cast<ULONG_PTR>(GetClassLongPtrW(hwnd, GCLP_HBRBACKGROUND));
  if (brush == 0) return GetSysColor(COLOR_BTNFACE);
  if (brush <= COLOR_MENUBAR + 1) return GetSysColor(static_cast<int>(brush) - 1);
  LOGBRUSH lb{};
  if (GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof lb, &lb) == sizeof lb &&
      lb.lbStyle == BS_SOLID)
    return lb.lbColor;
  return GetSysColor(COLOR_BTNFACE);
}

}  // namespace

void AttachStyledControl(HWND hwnd, TStyledControl* control, bool ownedByWindow) {
  SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(control));
  control->hwnd_ = hwnd;
  control->ownedByWindow_ = ownedByWindow;
  control->fontColor_ = GetSysColor(COLOR_WINDOWTEXT);
}

LRESULT CALLBACK StyledWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* control = reinterpret_cast<TStyledControl*>(GetWindowLongPtrW(hwnd, 0));
  if (!control && msg == WM_NCCREATE) {
    if (t_pending) {
      control = std::exchange(t_pending, nullptr);
      AttachStyledControl(hwnd, control, false);
    } else if ((control = NewStyledControlForWindow(hwnd))) {
      AttachStyledControl(hwnd, control, true);
    }
  }
  if (!control) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    return control->Dispatch(msg, wp, lp);
  } catch (const std::exception& e) {
    ReportControlError(e);
  } catch (...) {
    ReportControlError(std::runtime_error("An unknown failure happened in a control."));
  }
  return msg == WM_NCCREATE ? TRUE : 0;
}

TStyledControl::~TStyledControl() {
  if (hwnd_ && !ownedByWindow_) {
    // Detach first: the derived parts are gone, so no message may reach them any more.
    const HWND hwnd = hwnd_;
    KillTimer(hwnd, kFadeTimer);
    SetWindowLongPtrW(hwnd, 0, 0);
    hwnd_ = nullptr;
    DestroyWindow(hwnd);
  }
}

TStyledControl* TStyledControl::FromHandle(HWND hwnd) {
  if (!hwnd || !IsStyledControlWindow(hwnd)) return nullptr;
  return reinterpret_cast<TStyledControl*>(GetWindowLongPtrW(hwnd, 0));
}

void TStyledControl::CreateControl(const wchar_t* className, HWND parent, int x, int y, int width,
                                   int height, DWORD style, DWORD exStyle) {
  RegisterStyledControlClasses();
  t_pending = this;
  const HWND hwnd = CreateWindowExW(exStyle, className, L"", style, x, y, width, height, parent,
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
  t_pending = nullptr;
  if (!hwnd) throw std::runtime_error("The control's window could not be created.");
}

LRESULT TStyledControl::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  const LRESULT result = HandleMessage(msg, wp, lp);
  if (msg == WM_NCDESTROY) Detach();
  return result;
}

void TStyledControl::Detach() {
  SetWindowLongPtrW(hwnd_, 0, 0);
  hwnd_ = nullptr;
  timerRunning_ = false;
  if (ownedByWindow_) delete this;
}

LRESULT TStyledControl::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // the whole area is painted in WM_PAINT; erasing first would flicker
    case WM_PAINT: OnPaint(); return 0;
    case WM_PRINTCLIENT: PaintTo(reinterpret_cast<HDC>(wp)); return 0;
    case WM_SIZE: OnSize(); return 0;
    case WM_SETTEXT: {
      const LRESULT r = DefWindowProcW(hwnd_, msg, wp, lp);
      Repaint();
      return r;
    }
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wp);
      LookChanged();
      if (LOWORD(lp)) Repaint();
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_ENABLE:
      if (!wp && (fade_.Hovered() || fade_.Pressed())) {
        keyPressed_ = false;  // a held key must not click once the control is enabled again
        keyMadeHover_ = false;
        fade_.MouseLeave(KeepsHoverLook());
        fade_.MouseUp();
        if (GetCapture() == hwnd_) ReleaseCapture();
        StartFade();
      }
      Repaint();
      return 0;
    case WM_SETFOCUS: Repaint(); return 0;
    case WM_KILLFOCUS:
      if (keyPressed_) KeyRelease(false);
      Repaint();
      return 0;
    case WM_KEYDOWN:
      if (wp == VK_SPACE && ClicksOnSpace()) {
        if (!(lp & (1 << 30))) KeyPress();  // not for the key's auto-repeat
        return 0;
      }
      break;
    case WM_KEYUP:
      if (wp == VK_SPACE && keyPressed_) {
        KeyRelease(true);
        return 0;
      }
      break;
    case WM_MOUSEMOVE: MouseMoved(lp); return 0;
    case WM_MOUSELEAVE: MouseLeft(); return 0;
    case WM_LBUTTONDOWN: OnLeftDown(); return 0;
    case WM_LBUTTONUP: OnLeftUp(lp); return 0;
    case WM_CAPTURECHANGED:
      if (fade_.Pressed() && reinterpret_cast<HWND>(lp) != hwnd_) {
        fade_.MouseUp();
        StartFade();
      }
      return 0;
    case WM_TIMER:
      if (wp == kFadeTimer) {
        OnTimer();
        return 0;
      }
      break;
    case WM_GETDLGCODE: return DialogCode(reinterpret_cast<const MSG*>(lp));
    case BM_CLICK:
      if (Enabled()) ClickAction();
      return 0;
    case BM_GETCHECK: return CheckState();
    case BM_GETSTATE:
      return CheckState() | (fade_.Pressed() && fade_.Hovered() ? BST_PUSHED : 0) |
             (GetFocus() == hwnd_ ? BST_FOCUS : 0);
    case WM_SYSCOLORCHANGE:
      LookChanged();
      RebuildPictures();
      Repaint();
      return 0;
    default: break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT TStyledControl::DialogCode(const MSG*) { return 0; }

bool TStyledControl::ShowsFocus() const { return hwnd_ && GetFocus() == hwnd_; }

void TStyledControl::PaintTo(HDC dc) {
  if (!hwnd_) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  if (!surface_.Resize(client.right, client.bottom)) {
    // No memory for the picture: a plain area now, the full look once memory is back.
    const BrushHandle plain(CreateSolidBrush(Color()));
    FillRect(dc, &client, plain.get());
    return;
  }
  // Only the part the DC can show is copied: a child drawn over this control asks for its
  // own small piece of it.
  RECT box{};
  if (GetClipBox(dc, &box) == NULLREGION || !IntersectRect(&box, &box, &client)) return;
  Render(surface_);
  BitBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, surface_.DC(), box.left,
         box.top, SRCCOPY);
}

void TStyledControl::OnPaint() {
  // EndPaint also when painting fails, or the window would ask to be painted forever.
  struct TPaint {
    HWND hwnd;
    PAINTSTRUCT ps{};
    HDC dc;
    explicit TPaint(HWND h) : hwnd(h), dc(BeginPaint(h, &ps)) {}
    ~TPaint() { EndPaint(hwnd, &ps); }
  } paint(hwnd_);
  if (paint.dc) PaintTo(paint.dc);
}

void TStyledControl::OnSize() {
  LookChanged();
  RebuildPictures();
  InvalidateRect(hwnd_, nullptr, FALSE);
}

bool TStyledControl::ContainsClientPoint(LPARAM lp) const {
  RECT client{};
  GetClientRect(hwnd_, &client);
  return PtInRect(&client, ClientPoint(lp)) != FALSE;
}

void TStyledControl::SetHover(bool over) {
  if (over == fade_.Hovered()) return;
  if (over) {
    fade_.MouseEnter();
    StartFade();
    if (TEvent handler = OnMouseEnter) handler(*this);
  } else {
    fade_.MouseLeave(KeepsHoverLook());
    StartFade();
    if (TEvent handler = OnMouseLeave) handler(*this);
  }
}

void TStyledControl::MouseMoved(LPARAM lp) {
  if (!TracksMouse()) return;
  const bool over = ContainsClientPoint(lp);
  if (over && !trackingLeave_) {
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd_, 0};
    trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
  }
  SetHover(over);
}

void TStyledControl::MouseLeft() {
  trackingLeave_ = false;
  if (!TracksMouse() || GetCapture() == hwnd_) return;  // moves keep coming while captured
  SetHover(false);
}

void TStyledControl::OnLeftDown() {
  if (!TracksMouse()) return;
  auto alive = AliveToken();
  if ((GetWindowLongW(hwnd_, GWL_STYLE) & WS_TABSTOP) && GetFocus() != hwnd_) SetFocus(hwnd_);
  if (alive.expired() || !hwnd_) return;
  SetCapture(hwnd_);
  SetHover(true);
  if (alive.expired()) return;
  fade_.MouseDown();
  StartFade();
}

void TStyledControl::OnLeftUp(LPARAM lp) {
  if (!fade_.Pressed()) return;
  const bool over = ContainsClientPoint(lp);
  auto alive = AliveToken();
  SetHover(over);
  if (alive.expired()) return;
  fade_.MouseUp();  // before the capture goes, so WM_CAPTURECHANGED finds nothing pressed
  if (GetCapture() == hwnd_) ReleaseCapture();
  StartFade();
  if (over) ClickAction();
}

void TStyledControl::KeyPress() {
  if (keyPressed_ || fade_.Pressed()) return;
  keyPressed_ = true;
  keyMadeHover_ = !fade_.Hovered();
  if (keyMadeHover_) fade_.MouseEnter();
  fade_.MouseDown();
  StartFade();
}

void TStyledControl::KeyRelease(bool click) {
  keyPressed_ = false;
  fade_.MouseUp();
  if (keyMadeHover_) fade_.MouseLeave(KeepsHoverLook());
  keyMadeHover_ = false;
  StartFade();
  if (click) ClickAction();
}

void TStyledControl::StartFade() {
  if (!hwnd_ || !fade_.Running()) return;
  if (!Animates()) {
    fade_.SetLevels(0, 0);
    return;
  }
  SetTimer(hwnd_, kFadeTimer, static_cast<UINT>(FadeInterval(CurrentFadeSpeed())), nullptr);
  timerRunning_ = true;
}

void TStyledControl::StopFade() {
  if (hwnd_) KillTimer(hwnd_, kFadeTimer);
  timerRunning_ = false;
}

void TStyledControl::OnTimer() {
  if (!fade_.Tick()) StopFade();
  Repaint();
}

void TStyledControl::Repaint() {
  LookChanged();
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

bool TStyledControl::Click() {
  auto alive = AliveToken();
  // A copy: the handler may destroy the control, and with it OnClick.
  if (TEvent handler = OnClick) handler(*this);
  if (alive.expired() || !hwnd_) return false;
  const HWND hwnd = hwnd_;
  SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
               reinterpret_cast<LPARAM>(hwnd));
  return !alive.expired() && hwnd_;
}

void TStyledControl::SetBounds(int left, int top, int width, int height) {
  if (hwnd_) MoveWindow(hwnd_, left, top, width, height, TRUE);
}

RECT TStyledControl::Bounds() const {
  RECT r{};
  if (!hwnd_) return r;
  GetWindowRect(hwnd_, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int TStyledControl::Width() const {
  const RECT r = Bounds();
  return r.right - r.left;
}

int TStyledControl::Height() const {
  const RECT r = Bounds();
  return r.bottom - r.top;
}

std::wstring TStyledControl::Caption() const {
  if (!hwnd_) return {};
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void TStyledControl::SetCaption(std::wstring_view caption) {
  if (hwnd_) SetWindowTextW(hwnd_, std::wstring(caption).c_str());
}

TColor TStyledControl::Color() const {
  if (!parentColor_) return color_;
  const HWND parent = hwnd_ ? GetParent(hwnd_) : nullptr;
  if (!parent) return GetSysColor(COLOR_BTNFACE);
  if (const TStyledControl* styled = FromHandle(parent)) return styled->Color();
  return ClassBackground(parent);
}

void TStyledControl::SetColor(TColor color) {
  if (!parentColor_ && color == color_) return;
  parentColor_ = false;
  color_ = color;
  RebuildPictures();
  Repaint();
}

void TStyledControl::SetParentColor(bool follow) {
  if (follow == parentColor_) return;
  if (!follow) color_ = Color();
  parentColor_ = follow;
  RebuildPictures();
  Repaint();
}

void TStyledControl::SetFont(HFONT font) {
  if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void TStyledControl::SetFontColor(TColor color) {
  if (color == fontColor_) return;
  fontColor_ = color;
  Repaint();
}

bool TStyledControl::Enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }

void TStyledControl::SetEnabled(bool enabled) {
  if (hwnd_) EnableWindow(hwnd_, enabled);
}

bool TStyledControl::Visible() const {
  return hwnd_ && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE);
}

void TStyledControl::SetVisible(bool visible) {
  if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

bool TStyledControl::TabStop() const {
  return hwnd_ && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_TABSTOP);
}

void TStyledControl::SetTabStop(bool tabStop) {
  if (!hwnd_) return;
  const LONG style = GetWindowLongW(hwnd_, GWL_STYLE);
  SetWindowLongW(hwnd_, GWL_STYLE, tabStop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
}

void TStyledControl::SetTextShadow(bool on) {
  if (on == textShadow_) return;
  textShadow_ = on;
  Repaint();
}

void TStyledControl::SetShowCaption(bool on) {
  if (on == showCaption_) return;
  showCaption_ = on;
  Repaint();
}

void TStyledControl::SetShowAccelChar(bool on) {
  if (on == showAccelChar_) return;
  showAccelChar_ = on;
  Repaint();
}

HFONT TStyledControl::EffectiveFont() const {
  return font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

UINT TStyledControl::CaptionFormat(UINT alignment) const {
  return DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | alignment |
         (showAccelChar_ ? 0u : static_cast<UINT>(DT_NOPREFIX));
}

TCaptionStyle TStyledControl::CaptionStyle(TColor color, TColor shadowColor, UINT alignment) const {
  TCaptionStyle s;
  s.font = EffectiveFont();
  s.color = color;
  s.shadowColor = shadowColor;
  s.shadow = textShadow_;
  s.enabled = Enabled();
  s.format = CaptionFormat(alignment);
  return s;
}

void TStyledControl::PaintParentBackground(HDC dc) {
  RECT client{};
  GetClientRect(hwnd_, &client);
  {
    const BrushHandle fill(CreateSolidBrush(Color()));
    FillRect(dc, &client, fill.get());
  }
  const HWND parent = GetParent(hwnd_);
  if (!parent) return;
  POINT origin{0, 0};
  MapWindowPoints(hwnd_, parent, &origin, 1);
  POINT old{};
  OffsetViewportOrgEx(dc, -origin.x, -origin.y, &old);
  SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

}  // namespace controls
