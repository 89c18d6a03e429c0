#include "platform/Form.h"

#include <windowsx.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/Tooltips.h"

namespace {

const wchar_t kFormClass[] = L"ProjectForm";
Form::ModalHandler modalHandler;

void RegisterFormClass(WNDPROC proc) {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  wc.lpszClassName = kFormClass;
  RegisterClassExW(&wc);
  registered = true;
}

// The windows a modal form disables: every other enabled, visible top-level window of the thread.
struct ThreadWindows {
  HWND except;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectEnabled(HWND w, LPARAM lp) {
  auto* windows = reinterpret_cast<ThreadWindows*>(lp);
  if (w != windows->except && IsWindowVisible(w) && IsWindowEnabled(w)) windows->found.push_back(w);
  return TRUE;
}

std::vector<HWND> DisableOthers(HWND modal) {
  ThreadWindows windows{modal, {}};
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&windows));
  for (HWND w : windows.found) EnableWindow(w, FALSE);
  return windows.found;
}

void EnableAll(const std::vector<HWND>& windows) {
  for (HWND w : windows) EnableWindow(w, TRUE);
}

}  // namespace

FormStyle FormStyle::Dialog(const std::wstring& caption, int width, int height) {
  FormStyle s;
  s.caption = caption;
  s.width = width;
  s.height = height;
  s.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  s.exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  return s;
}

FormStyle FormStyle::DialogWithClient(const std::wstring& caption, int clientWidth,
                                      int clientHeight) {
  FormStyle style = Dialog(caption, 0, 0);
  RECT r{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&r, style.style, FALSE, style.exStyle);
  style.width = r.right - r.left;
  style.height = r.bottom - r.top;
  return style;
}

FormStyle FormStyle::Borderless(const std::wstring& caption, int width, int height) {
  FormStyle s;
  s.caption = caption;
  s.width = width;
  s.height = height;
  s.style = WS_POPUP | WS_CLIPCHILDREN;
  s.exStyle = WS_EX_CONTROLPARENT;
  return s;
}

Form::Form() : color_(GetSysColor(COLOR_BTNFACE)) {}

Form::~Form() {
  delete hints_;
  if (hwnd_) {
    // Too late for the derived class's events: detach, then let the window go.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  Application::Get().RemoveForm(this);
}

void Form::Create(const FormStyle& style, HWND owner) {
  RegisterFormClass(&Form::StaticProc);
  Application& app = Application::Get();
  if (!owner && app.MainForm() && app.MainForm() != this) owner = app.MainForm()->Handle();
  if (style.color != CLR_INVALID) color_ = style.color;
  brush_.Reset(CreateSolidBrush(color_));
  CreateWindowExW(style.exStyle, kFormClass, style.caption.c_str(), style.style, CW_USEDEFAULT,
                  CW_USEDEFAULT, style.width, style.height, owner, nullptr,
                  GetModuleHandleW(nullptr), this);
  if (!hwnd_) throw std::runtime_error("The window could not be created");
  app.AddForm(this);
  FormCreate();
}

void Form::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

Form* Form::FromHandle(HWND wnd) {
  // The window procedure tells a form from other windows without a class-name lookup,
  // which under Wine would be a server round trip on every message the loop dispatches.
  if (!wnd || GetWindowLongPtrW(wnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&Form::StaticProc))
    return nullptr;
  return reinterpret_cast<Form*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
}

void Form::Show() {
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void Form::Hide() { ShowWindow(hwnd_, SW_HIDE); }
bool Form::Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }
void Form::Close() { SendMessageW(hwnd_, WM_CLOSE, 0, 0); }

Form::ModalHandler Form::SetModalHandler(ModalHandler handler) {
  return std::exchange(modalHandler, std::move(handler));
}

void Form::SetModalResult(int result) {
  modalResult_ = result;
  if (modal_) PostMessageW(hwnd_, WM_NULL, 0, 0);  // wake the modal loop
}

int Form::ShowModal() {
  modalResult_ = mrNone;
  modal_ = true;
  const std::vector<HWND> disabled = DisableOthers(hwnd_);
  Show();
  try {
    if (modalHandler) {
      modalHandler(*this);
      if (modalResult_ == mrNone) modalResult_ = mrCancel;
    } else {
      RunModalLoop();
    }
  } catch (...) {
    EnableAll(disabled);
    Hide();
    modal_ = false;
    throw;
  }
  // Enable the owner before hiding, so that activation returns to it.
  EnableAll(disabled);
  Hide();
  modal_ = false;
  return modalResult_;
}

void Form::RunModalLoop() {
  Application& app = Application::Get();
  MSG msg;
  while (modalResult_ == mrNone) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      modalResult_ = mrCancel;
      break;
    }
    app.DispatchOne(msg);
    if (!IsWindowVisible(hwnd_) && modalResult_ == mrNone) modalResult_ = mrCancel;
  }
}

void Form::FormClose() {
  if (modal_) {
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    return;
  }
  Hide();
  if (Application::Get().MainForm() == this) Application::Get().Terminate(0);
}

void Form::SetCaption(const std::wstring& caption) { SetWindowTextW(hwnd_, caption.c_str()); }

std::wstring Form::Caption() const {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Form::SetBounds(int left, int top, int width, int height) {
  SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT Form::Bounds() const {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  return r;
}

RECT Form::ClientRect() const {
  RECT r{};
  GetClientRect(hwnd_, &r);
  return r;
}

void Form::CenterOn(HWND other) {
  RECT me = Bounds(), them{};
  if (!other || !GetWindowRect(other, &them)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &them, 0);
  const int w = me.right - me.left, h = me.bottom - me.top;
  const int left = them.left + ((them.right - them.left) - w) / 2;
  const int top = them.top + ((them.bottom - them.top) - h) / 2;
  SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::BeginTitleDrag() {
  ReleaseCapture();
  SendMessageW(hwnd_, WM_SYSCOMMAND, SC_MOVE + 2, 0);
}

void Form::SetColor(COLORREF color) {
  color_ = color;
  brush_.Reset(CreateSolidBrush(color));
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

Tooltips& Form::Hints() {
  if (!hints_) hints_ = new Tooltips(hwnd_);
  return *hints_;
}

bool Form::PreTranslateMessage(MSG&) { return false; }

LRESULT Form::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

bool Form::RouteCommand(WPARAM wp, LPARAM lp) {
  if (lp) {
    if (Control* c = Control::FromHandle(reinterpret_cast<HWND>(lp))) {
      c->HandleCommand(HIWORD(wp));
      return true;
    }
    return false;
  }
  const int id = LOWORD(wp);
  if (id == IDOK && defaultButton_) {
    defaultButton_->Click();
  } else if (id == IDCANCEL) {
    if (cancelButton_)
      cancelButton_->Click();
    else if (modal_)
      SetModalResult(mrCancel);
  } else {
    FormMenuCommand(id);
  }
  return true;
}

LRESULT Form::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT routed = 0;
  if (RouteControlMessage(msg, wp, lp, routed)) return routed;
  if (msg == ModalResultMessage()) {
    if (modal_) SetModalResult(static_cast<int>(wp));
    return 0;
  }
  switch (msg) {
    case WM_COMMAND:
      if (RouteCommand(wp, lp)) return 0;
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
      return reinterpret_cast<LRESULT>(brush_.get());
    }
    case WM_ERASEBKGND: {
      RECT r = ClientRect();
      FillRect(reinterpret_cast<HDC>(wp), &r, brush_.get());
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      FormPaint(dc);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_SHOWWINDOW:
      if (wp) {
        savedFocus_ = nullptr;
        focusFirstOnActivate_ = firstFocus_ != nullptr;
        FormShow();
        if (firstFocus_) firstFocus_->SetFocus();
      }
      break;
    case WM_ACTIVATE: return Activate(wp, lp);
    case WM_SIZE: FormResize(); break;
    case WM_CLOSE:
      if (FormCloseQuery()) FormClose();
      return 0;
    case WM_DESTROY: FormDestroy(); return 0;
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      if (mis->CtlType == ODT_MENU) {
        FormMeasureMenuItem(*mis);
        return TRUE;
      }
      break;
    }
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      if (dis->CtlType == ODT_MENU) {
        FormDrawMenuItem(*dis);
        return TRUE;
      }
      break;
    }
    case WM_CONTEXTMENU:
      FormContextMenu(reinterpret_cast<HWND>(wp), POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      return 0;
    case WM_LBUTTONDOWN: FormMouseDown(0, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}); return 0;
  }
  return DefaultProc(msg, wp, lp);
}

LRESULT Form::Activate(WPARAM wp, LPARAM lp) {
  if (LOWORD(wp) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus && IsChild(hwnd_, focus)) savedFocus_ = focus;
    return DefaultProc(WM_ACTIVATE, wp, lp);
  }
  // The default activation focuses the form itself; give the focus to the control that
  // should have it.
  const LRESULT result = DefaultProc(WM_ACTIVATE, wp, lp);
  if (!HIWORD(wp)) {
    if (focusFirstOnActivate_ && firstFocus_)
      firstFocus_->SetFocus();
    else if (savedFocus_ && IsWindow(savedFocus_) && IsWindowEnabled(savedFocus_))
      ::SetFocus(savedFocus_);
    focusFirstOnActivate_ = false;
  }
  FormActivate();
  return result;
}

LRESULT CALLBACK Form::StaticProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  Form* form = reinterpret_cast<Form*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    form->hwnd_ = wnd;
    SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  if (!form) return DefWindowProcW(wnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
    form->hwnd_ = nullptr;
    return DefWindowProcW(wnd, msg, wp, lp);
  }
  try {
    return form->WndProc(msg, wp, lp);
  } catch (...) {
    Application::Get().HandleCurrentException();
    return 0;
  }
}
