#include "richedit/RichEditWindow.h"

#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "platform/Application.h"
#include "platform/GdiHandles.h"
#include "richedit/EditControl.h"
#include "richedit/SystemCodePages.h"

namespace richedit {
namespace {

constexpr wchar_t kClassName[] = L"RichTextEdit";

EditControl* controlOf(HWND window) {
  return reinterpret_cast<EditControl*>(GetWindowLongPtrW(window, 0));
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (message == WM_NCCREATE) {
      auto control =
          std::make_unique<EditControl>(window, *reinterpret_cast<CREATESTRUCTW*>(lParam));
      SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(control.release()));
    } else if (message == WM_NCDESTROY) {
      std::unique_ptr<EditControl> owned(controlOf(window));
      SetWindowLongPtrW(window, 0, 0);
    } else if (EditControl* control = controlOf(window)) {
      return control->handle(message, wParam, lParam);
    }
  } catch (...) {
    Application::Get().HandleCurrentException();
    if (message == WM_NCCREATE) return FALSE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

const wchar_t* registerRichEditClass() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = windowProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered ? kClassName : nullptr;
}

EditControl::EditControl(HWND window, const CREATESTRUCTW& create)
    : window_(window),
      session_(&systemCodePages(), GetACP()),
      layout_(session_.document(), measurer_, LayoutOptions{}),
      formatter_(session_.document(), measurer_),
      hasScrollBar_((create.style & WS_VSCROLL) != 0) {
  hasHScrollBar_ = (create.style & WS_HSCROLL) != 0;
  const WindowDC screen(nullptr);
  dpiX_ = GetDeviceCaps(screen.get(), LOGPIXELSX);
  dpiY_ = GetDeviceCaps(screen.get(), LOGPIXELSY);
  session_.document().setChangeListener([this](const ChangeNotice& n) { onDocumentChange(n); });
}

void EditControl::onDocumentChange(const ChangeNotice& notice) {
  layout_.onChange(notice);
  formatter_.onChange(notice);
  if (urlDetection_ & AURL_ENABLEURL) urls_.onChange(session_.document(), notice);
  bitmaps_.clear();
  ++changes_;
  // What the next paint must draw again: earlier changes behind this one move with it.
  CharRange dirty{notice.pos, notice.pos + notice.inserted};
  if (dirty_) {
    CharPos end = dirty_->max;
    if (end > notice.pos) end = std::max(end + notice.inserted - notice.removed, notice.pos);
    dirty = {std::min(dirty_->min, dirty.min), std::max(end, dirty.max)};
  }
  dirty_ = dirty;
  formatDirty_ = formatDirty_ || notice.formatOnly;
}

LRESULT EditControl::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = dispatch(message, wParam, lParam);
  afterCommand();
  return result;
}

void EditControl::afterCommand() {
  const CharRange sel = session_.selection();
  const bool changed = changes_ != notifiedChanges_;
  const bool moved = !(sel == notifiedSelection_);
  if (!changed && !moved) return;
  // A selection set by a message starts keyboard extension from its start.
  if (!(sel == CharRange{std::min(anchor_, active_), std::max(anchor_, active_)})) {
    anchor_ = sel.min;
    active_ = sel.max;
    column_.reset();
  }
  notifiedChanges_ = changes_;
  const CharRange before = std::exchange(notifiedSelection_, sel);
  // EN_UPDATE comes before the changed text is shown.
  if (changed && (eventMask_ & ENM_UPDATE)) sendCommand(EN_UPDATE);
  if (changed) updateScrollBar();
  if (moved && redraw_) scrollToCaret();
  if (moved && !redraw_) caretScrollPending_ = true;
  invalidateChange();
  invalidateSelectionChange(before, sel);
  if (redraw_) updateCaret();
  // The platform's control reports the new selection before the change.
  if (moved && (eventMask_ & ENM_SELCHANGE)) {
    SELCHANGE n{};
    n.chrg = {sel.min, sel.max};
    n.seltyp = selectionType(sel);
    notifyParent(n.nmhdr, EN_SELCHANGE);
  }
  if (changed && (eventMask_ & ENM_CHANGE)) sendCommand(EN_CHANGE);
  if (changed) requestResize();
}

void EditControl::requestResize() {
  if (!(eventMask_ & ENM_REQUESTRESIZE)) return;
  REQRESIZE n{};
  n.rc = formatRect();
  n.rc.bottom = n.rc.top + static_cast<LONG>(documentHeight());
  notifyParent(n.nmhdr, EN_REQUESTRESIZE);
}

LRESULT EditControl::notifyParent(NMHDR& header, UINT code) {
  header = {window_, static_cast<UINT_PTR>(GetDlgCtrlID(window_)), code};
  return SendMessageW(GetParent(window_), WM_NOTIFY, header.idFrom,
                      reinterpret_cast<LPARAM>(&header));
}

void EditControl::sendCommand(WORD code) {
  const HWND parent = GetParent(window_);
  if (!parent) return;
  SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window_), code),
               reinterpret_cast<LPARAM>(window_));
}

bool EditControl::allowChange(CharRange range, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!(eventMask_ & ENM_PROTECTED) || !session_.document().isProtected(range)) return true;
  const CharRange sel = session_.selection();
  ENPROTECTED n{};
  n.msg = message;
  n.wParam = wParam;
  n.lParam = lParam;
  n.chrg = {sel.min, sel.max};
  return notifyParent(n.nmhdr, EN_PROTECTED) == 0;
}

void EditControl::select(CharPos anchor, CharPos active) {
  const CharPos end = session_.document().textLength();
  anchor_ = std::clamp(anchor, 0, end);
  active_ = std::clamp(active, 0, end);
  session_.setSelection(std::min(anchor_, active_), std::max(anchor_, active_));
}

bool EditControl::filterInput(UINT& message, WPARAM& wParam, LPARAM& lParam) {
  const bool key = message >= WM_KEYFIRST && message <= WM_KEYLAST;
  const bool mouse = message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
  if (!(key && (eventMask_ & ENM_KEYEVENTS)) && !(mouse && (eventMask_ & ENM_MOUSEEVENTS))) {
    return false;
  }
  MSGFILTER n{};
  n.msg = message;
  n.wParam = wParam;
  n.lParam = lParam;
  if (notifyParent(n.nmhdr, EN_MSGFILTER)) {
    return true;
  }
  // The parent may have changed the message into another.
  message = n.msg;
  wParam = n.wParam;
  lParam = n.lParam;
  return false;
}

LRESULT EditControl::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  if (filterInput(message, wParam, lParam)) return 0;
  const POINT mouse{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      if (notifyLink(message, wParam, lParam, mouse)) return 0;
      break;
    case WM_SETCURSOR:
      if (setCursor(lParam)) return TRUE;
      break;
    case WM_DESTROY:
      focused_ = false;
      updateCaret();
      break;
    default: break;
  }
  switch (message) {
    case WM_CREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      if (create->lpszName && !IS_INTRESOURCE(create->lpszName) && *create->lpszName) {
        setText(std::u16string_view(reinterpret_cast<const char16_t*>(create->lpszName)));
      }
      relayout();
      return 0;
    }
    case WM_SIZE: relayout(); return 0;
    case WM_PAINT: paint(); return 0;
    case WM_ERASEBKGND: return 1;  // the paint fills every pixel it draws
    case WM_SETFOCUS:
      focused_ = true;
      updateCaret();
      invalidate();
      sendCommand(EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      focused_ = false;
      endDrag();
      updateCaret();
      invalidate();
      sendCommand(EN_KILLFOCUS);
      return 0;
    case WM_VSCROLL: onVScroll(LOWORD(wParam)); return 0;
    case WM_HSCROLL: onHScroll(LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: onWheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_KEYDOWN:
      if (keyDown(wParam)) return 0;
      break;
    case WM_CHAR: charInput(static_cast<wchar_t>(wParam)); return 0;
    case WM_LBUTTONDOWN: mouseDown(mouse, (wParam & MK_SHIFT) != 0); return 0;
    case WM_LBUTTONDBLCLK: doubleClick(mouse); return 0;
    case WM_MOUSEMOVE:
      if (dragging_) mouseMove(mouse);
      return 0;
    case WM_LBUTTONUP:
      if (dragging_) ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED: endDrag(); return 0;
    case WM_TIMER:
      if (wParam != kDragScrollTimer) break;
      dragScroll();
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL | DLGC_WANTTAB |
             ((style() & ES_MULTILINE) ? DLGC_WANTALLKEYS : 0);
    case WM_SETREDRAW:
      redraw_ = wParam != 0;
      if (redraw_) {
        if (std::exchange(caretScrollPending_, false)) scrollToCaret();
        drawnHeight_ = documentHeight();
        updateScrollBar();
        updateCaret();
        invalidate();
      }
      return 0;
    case WM_COPY: copy(); return 0;
    case WM_CUT: cut(); return 0;
    case WM_PASTE: paste(); return 0;
    case WM_CLEAR: clear(); return 0;
    case EM_REQUESTRESIZE: requestResize(); return 0;
    case EM_CANPASTE: return canPaste(static_cast<UINT>(wParam));
    case EM_PASTESPECIAL: paste(static_cast<UINT>(wParam)); return 0;
    case EM_SETEVENTMASK: return static_cast<LRESULT>(std::exchange(eventMask_, lParam));
    case EM_GETEVENTMASK: return eventMask_;
    default: break;
  }
  using Handler = std::optional<LRESULT> (EditControl::*)(UINT, WPARAM, LPARAM);
  for (Handler h :
       {&EditControl::textMessage, &EditControl::selectionMessage, &EditControl::formatMessage,
        &EditControl::lineMessage, &EditControl::stateMessage, &EditControl::optionMessage,
        &EditControl::rectMessage}) {
    if (const std::optional<LRESULT> r = (this->*h)(message, wParam, lParam)) return *r;
  }
  if (const std::optional<LRESULT> r = formatter_.handle(message, wParam, lParam)) {
    if (message == EM_SETTARGETDEVICE || message == EM_SETTYPOGRAPHYOPTIONS) relayout();
    return *r;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace richedit
