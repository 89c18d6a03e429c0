#pragma once
// Wrappers for the standard controls the windows are built from. A control knows its
// window; its parent form routes notifications back to it by window handle, so controls can
// sit inside panels as well as directly on a form.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class Control {
 public:
  Control() = default;
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  HWND Handle() const { return hwnd_; }
  int Id() const { return id_; }
  static Control* FromHandle(HWND wnd);

  void SetText(const std::wstring& text);
  std::wstring Text() const;
  void SetEnabled(bool enabled);
  bool Enabled() const;
  void SetVisible(bool visible);
  bool Visible() const;
  void SetBounds(int left, int top, int width, int height);
  RECT Bounds() const;  // in the parent's client coordinates
  void SetFocus();
  void SetFont(HFONT font);
  void SetHint(const std::wstring& hint);
  const std::wstring& Hint() const { return hint_; }
  void Invalidate();

  // Called by the parent's routing.
  virtual void HandleCommand(WORD /*code*/) {}
  virtual bool HandleNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
  virtual bool HandleDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }

  // Sees every message of the control's own window before the control does; return true
  // with result set to swallow it.
  using MessageHook = std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)>;
  void SetMessageHook(MessageHook hook);
  // The control's own answer to a message, past the hook: for bulk work that only the
  // control itself needs to see.
  LRESULT CallOriginal(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;

 protected:
  void CreateWindowed(HWND parent, const wchar_t* windowClass, DWORD style, DWORD exStyle, int left,
                      int top, int width, int height, const std::wstring& text);
  // Wraps a child window made elsewhere (a styled control) as CreateWindowed would: the
  // text and the UI font.
  void Attach(HWND wnd, const std::wstring& text);

 private:
  // Classic subclassing with the wrapper in GWLP_USERDATA: the shell's subclass helper looks
  // its data up in window properties, which under Wine costs a server round trip per message.
  static LRESULT CALLBACK HookProc(HWND, UINT, WPARAM, LPARAM);
  HWND hwnd_ = nullptr;
  int id_ = 0;
  std::wstring hint_;
  MessageHook hook_;
  WNDPROC originalProc_ = nullptr;
};

// Routes WM_NOTIFY and WM_DRAWITEM of a control to its wrapper; any parent window procedure
// can call it. True when a wrapper took the message.
bool RouteControlMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

class Button : public Control {
 public:
  void Create(HWND parent, const std::wstring& caption, int left, int top, int width, int height,
              DWORD style = BS_PUSHBUTTON);
  // Clicks as the user does (BM_CLICK), so the click goes through the window.
  void Click();
  // A non-zero modal result ends a modal parent form with it when clicked.
  void SetModalResult(int result) { modalResult_ = result; }
  std::function<void()> OnClick;
  void HandleCommand(WORD code) override;

 private:
  int modalResult_ = 0;
};

class CheckBox : public Button {
 public:
  void Create(HWND parent, const std::wstring& caption, int left, int top, int width, int height);
  bool Checked() const;
  void SetChecked(bool checked);
};

class RadioButton : public Button {
 public:
  // The first button of a group starts it (WS_GROUP); buttons of a group are exclusive.
  void Create(HWND parent, const std::wstring& caption, int left, int top, int width, int height,
              bool firstOfGroup);
  bool Checked() const;
  void SetChecked(bool checked);
};

class GroupBox : public Control {
 public:
  void Create(HWND parent, const std::wstring& caption, int left, int top, int width, int height);
};

class Label : public Control {
 public:
  void Create(HWND parent, const std::wstring& caption, int left, int top, int width, int height,
              DWORD style = SS_LEFT);
  std::function<void()> OnClick;
  void HandleCommand(WORD code) override;
};

class Edit : public Control {
 public:
  void Create(HWND parent, int left, int top, int width, int height, DWORD style = 0);
  void SetMaxLength(int characters);
  void SetReadOnly(bool readOnly);
  void SelectAll();
  std::function<void()> OnChange;
  void HandleCommand(WORD code) override;
};

class ListBox : public Control {
 public:
  // ownerDraw: the rows are drawn by OnDrawItem but still carry their strings, so
  // LB_GETTEXT reads them.
  void Create(HWND parent, int left, int top, int width, int height, bool ownerDraw = false);
  int Add(const std::wstring& text);
  void Clear();
  int Count() const;
  std::wstring ItemText(int index) const;
  int SelectedIndex() const;
  void SetSelectedIndex(int index);
  void SetItemHeight(int height);
  std::function<void()> OnSelChange;
  std::function<void()> OnDblClick;
  std::function<void(const DRAWITEMSTRUCT&)> OnDrawItem;
  void HandleCommand(WORD code) override;
  bool HandleDrawItem(const DRAWITEMSTRUCT& item) override;
};

class ComboBox : public Control {
 public:
  void Create(HWND parent, int left, int top, int width, int height,
              DWORD style = CBS_DROPDOWNLIST);
  int Add(const std::wstring& text);
  void Clear();
  int Count() const;
  std::wstring ItemText(int index) const;
  int SelectedIndex() const;
  void SetSelectedIndex(int index);
  std::function<void()> OnChange;
  void HandleCommand(WORD code) override;
};
