#include "platform/Controls.h"

#include <commctrl.h>

#include <stdexcept>

#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/Tooltips.h"

namespace {
const wchar_t kControlProp[] = L"ProjectControl";
// Ids start above the dialog manager's IDOK..IDHELP so Enter and Esc never hit a control.
int nextId = 1000;
}  // namespace

Control::~Control() {
  if (hwnd_ && IsWindow(hwnd_) && GetPropW(hwnd_, kControlProp) == this) {
    if (originalProc_)
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(originalProc_));
    RemovePropW(hwnd_, kControlProp);
    DestroyWindow(hwnd_);
  }
}

Control* Control::FromHandle(HWND wnd) {
  return wnd ? static_cast<Control*>(GetPropW(wnd, kControlProp)) : nullptr;
}

void Control::CreateWindowed(HWND parent, const wchar_t* windowClass, DWORD style, DWORD exStyle,
                             int left, int top, int width, int height, const std::wstring& text) {
  id_ = nextId++;
  hwnd_ =
      CreateWindowExW(exStyle, windowClass, text.c_str(), style | WS_CHILD | WS_VISIBLE, left, top,
                      width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                      GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) throw std::runtime_error("A control could not be created");
  SetPropW(hwnd_, kControlProp, this);
  SetFont(Application::Get().UiFont());
}

void Control::Attach(HWND wnd, const std::wstring& text) {
  if (!wnd) throw std::runtime_error("A control could not be created");
  hwnd_ = wnd;
  id_ = GetDlgCtrlID(wnd);
  SetPropW(hwnd_, kControlProp, this);
  SetText(text);
  SetFont(Application::Get().UiFont());
}

void Control::SetText(const std::wstring& text) { SetWindowTextW(hwnd_, text.c_str()); }

std::wstring Control::Text() const {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Control::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled); }
bool Control::Enabled() const { return IsWindowEnabled(hwnd_); }
void Control::SetVisible(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }
bool Control::Visible() const { return IsWindowVisible(hwnd_); }

void Control::SetBounds(int left, int top, int width, int height) {
  SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT Control::Bounds() const {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void Control::SetFocus() { ::SetFocus(hwnd_); }
void Control::SetFont(HFONT font) {
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}
void Control::Invalidate() { InvalidateRect(hwnd_, nullptr, TRUE); }

void Control::SetHint(const std::wstring& hint) {
  hint_ = hint;
  if (Form* form = Form::FromHandle(GetAncestor(hwnd_, GA_ROOT))) form->Hints().Set(hwnd_, hint);
}

void Control::SetMessageHook(MessageHook hook) {
  if (!originalProc_ && hook) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    originalProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Control::HookProc)));
  }
  hook_ = std::move(hook);
}

LRESULT Control::CallOriginal(UINT msg, WPARAM wp, LPARAM lp) const {
  if (originalProc_) return CallWindowProcW(originalProc_, hwnd_, msg, wp, lp);
  return SendMessageW(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK Control::HookProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<Control*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (self->hook_) {
    try {
      LRESULT result = 0;
      if (self->hook_(msg, wp, lp, result)) return result;
    } catch (...) {
      Application::Get().HandleCurrentException();
      return 0;
    }
  }
  return CallWindowProcW(self->originalProc_, wnd, msg, wp, lp);
}

bool RouteControlMessage(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
  if (msg == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lp);
    Control* c = Control::FromHandle(header->hwndFrom);
    return c && c->HandleNotify(*header, result);
  }
  if (msg == WM_DRAWITEM) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    if (item->CtlType == ODT_MENU) return false;
    Control* c = Control::FromHandle(item->hwndItem);
    if (c && c->HandleDrawItem(*item)) {
      result = TRUE;
      return true;
    }
  }
  return false;
}

// Buttons ---------------------------------------------------------------------------------

void Button::Create(HWND parent, const std::wstring& caption, int left, int top, int width,
                    int height, DWORD style) {
  CreateWindowed(parent, WC_BUTTONW, style | WS_TABSTOP, 0, left, top, width, height, caption);
}

void Button::Click() { SendMessageW(Handle(), BM_CLICK, 0, 0); }

void Button::HandleCommand(WORD code) {
  if (code != BN_CLICKED) return;
  if (modalResult_ != 0)
    if (Form* form = Form::FromHandle(GetAncestor(Handle(), GA_ROOT)))
      form->SetModalResult(modalResult_);
  if (OnClick) OnClick();
}

void CheckBox::Create(HWND parent, const std::wstring& caption, int left, int top, int width,
                      int height) {
  Button::Create(parent, caption, left, top, width, height, BS_AUTOCHECKBOX);
}

bool CheckBox::Checked() const { return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
void CheckBox::SetChecked(bool checked) {
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void RadioButton::Create(HWND parent, const std::wstring& caption, int left, int top, int width,
                         int height, bool firstOfGroup) {
  Button::Create(parent, caption, left, top, width, height,
                 BS_AUTORADIOBUTTON | (firstOfGroup ? WS_GROUP : 0));
}

bool RadioButton::Checked() const {
  return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
void RadioButton::SetChecked(bool checked) {
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void GroupBox::Create(HWND parent, const std::wstring& caption, int left, int top, int width,
                      int height) {
  CreateWindowed(parent, WC_BUTTONW, BS_GROUPBOX, 0, left, top, width, height, caption);
}

// Static text -----------------------------------------------------------------------------

void Label::Create(HWND parent, const std::wstring& caption, int left, int top, int width,
                   int height, DWORD style) {
  CreateWindowed(parent, WC_STATICW, style | SS_NOTIFY | SS_NOPREFIX, 0, left, top, width, height,
                 caption);
}

void Label::HandleCommand(WORD code) {
  if (code == STN_CLICKED && OnClick) OnClick();
}

// Edit ------------------------------------------------------------------------------------

void Edit::Create(HWND parent, int left, int top, int width, int height, DWORD style) {
  CreateWindowed(parent, WC_EDITW, style | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, left, top,
                 width, height, L"");
}

void Edit::SetMaxLength(int characters) {
  SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(characters), 0);
}
void Edit::SetReadOnly(bool readOnly) { SendMessageW(Handle(), EM_SETREADONLY, readOnly, 0); }
void Edit::SelectAll() { SendMessageW(Handle(), EM_SETSEL, 0, -1); }

void Edit::HandleCommand(WORD code) {
  if (code == EN_CHANGE && OnChange) OnChange();
}

// List box --------------------------------------------------------------------------------

void ListBox::Create(HWND parent, int left, int top, int width, int height, bool ownerDraw) {
  DWORD style = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
  if (ownerDraw) style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
  CreateWindowed(parent, WC_LISTBOXW, style, WS_EX_CLIENTEDGE, left, top, width, height, L"");
}

int ListBox::Add(const std::wstring& text) {
  return static_cast<int>(
      SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

void ListBox::Clear() { SendMessageW(Handle(), LB_RESETCONTENT, 0, 0); }
int ListBox::Count() const { return static_cast<int>(SendMessageW(Handle(), LB_GETCOUNT, 0, 0)); }

std::wstring ListBox::ItemText(int index) const {
  const LRESULT n = SendMessageW(Handle(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n == LB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  SendMessageW(Handle(), LB_GETTEXT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(n));
  return text;
}

int ListBox::SelectedIndex() const {
  return static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0));
}
void ListBox::SetSelectedIndex(int index) {
  SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}
void ListBox::SetItemHeight(int height) { SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, height); }

void ListBox::HandleCommand(WORD code) {
  if (code == LBN_SELCHANGE && OnSelChange)
    OnSelChange();
  else if (code == LBN_DBLCLK && OnDblClick)
    OnDblClick();
}

bool ListBox::HandleDrawItem(const DRAWITEMSTRUCT& item) {
  if (!OnDrawItem) return false;
  OnDrawItem(item);
  return true;
}

// Combo box -------------------------------------------------------------------------------

void ComboBox::Create(HWND parent, int left, int top, int width, int height, DWORD style) {
  CreateWindowed(parent, WC_COMBOBOXW, style | WS_VSCROLL | WS_TABSTOP, 0, left, top, width, height,
                 L"");
}

int ComboBox::Add(const std::wstring& text) {
  return static_cast<int>(
      SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

void ComboBox::Clear() { SendMessageW(Handle(), CB_RESETCONTENT, 0, 0); }
int ComboBox::Count() const { return static_cast<int>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0)); }

std::wstring ComboBox::ItemText(int index) const {
  const LRESULT n = SendMessageW(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n == CB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  SendMessageW(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(n));
  return text;
}

int ComboBox::SelectedIndex() const {
  return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
}
void ComboBox::SetSelectedIndex(int index) {
  SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void ComboBox::HandleCommand(WORD code) {
  if (code == CBN_SELCHANGE && OnChange) OnChange();
}
