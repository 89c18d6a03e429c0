#pragma once
// The base of every window of both programs: created once, shown modeless or modal with a
// modal result, centred on another form, with events named as the programs name them.
#include <windows.h>

#include <functional>
#include <string>

#include "platform/GdiHandles.h"
#include "platform/ModalResult.h"

struct FormStyle {
  std::wstring caption;
  int width = 400;  // outer size in pixels
  int height = 300;
  DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  DWORD exStyle = WS_EX_CONTROLPARENT;
  COLORREF color = CLR_INVALID;  // background; CLR_INVALID: the system's button face

  // A fixed-size dialog frame with a caption and a close box.
  static FormStyle Dialog(const std::wstring& caption, int width, int height);
  // A dialog frame whose client area has this size.
  static FormStyle DialogWithClient(const std::wstring& caption, int clientWidth, int clientHeight);
  // A window without frame or caption (moved by dragging its title band).
  static FormStyle Borderless(const std::wstring& caption, int width, int height);
};

class Button;
class Control;
class Tooltips;

class Form {
 public:
  Form();
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Creates the (hidden) window, registers the form with the application and calls
  // FormCreate. Owned forms stay above their owner (the main form unless told otherwise).
  void Create(const FormStyle& style, HWND owner = nullptr);
  void Destroy();
  HWND Handle() const { return hwnd_; }
  static Form* FromHandle(HWND wnd);

  void Show();
  void Hide();
  bool Visible() const;
  // Closes as the close box does: FormCloseQuery, then FormClose.
  void Close();
  // Shows the form modally and returns its modal result (mrCancel when closed otherwise).
  int ShowModal();
  bool IsModal() const { return modal_; }
  void SetModalResult(int result);
  int ModalResult() const { return modalResult_; }

  void SetCaption(const std::wstring& caption);
  std::wstring Caption() const;
  void SetBounds(int left, int top, int width, int height);
  RECT Bounds() const;
  RECT ClientRect() const;
  void CenterOn(HWND other);
  // Starts moving the window with the mouse, as dragging a caption does.
  void BeginTitleDrag();
  void SetColor(COLORREF color);
  COLORREF Color() const { return color_; }

  void SetDefaultButton(Button* button) { defaultButton_ = button; }
  void SetCancelButton(Button* button) { cancelButton_ = button; }
  Tooltips& Hints();
  // The form's tooltips when any control has a hint, else nullptr.
  const Tooltips* HintsIfAny() const { return hints_; }
  // The control focused each time the form is shown. Otherwise an activated form gives the
  // focus back to the control that had it, as a dialog does.
  void SetFirstFocus(Control* control) { firstFocus_ = control; }

  // Lets a test stand in for the user of a modal form: the handler runs once the form is
  // shown and must end it (SetModalResult, a button click); it replaces the message loop.
  using ModalHandler = std::function<void(Form&)>;
  // Returns the handler it replaces.
  static ModalHandler SetModalHandler(ModalHandler handler);

  // Keyboard translation before dispatch (accelerators); true when the message was used.
  virtual bool PreTranslateMessage(MSG& msg);

 protected:
  virtual void FormCreate() {}
  virtual void FormShow() {}
  virtual void FormActivate() {}
  virtual bool FormCloseQuery() { return true; }
  virtual void FormClose();
  virtual void FormResize() {}
  virtual void FormDestroy() {}
  virtual void FormPaint(HDC) {}
  virtual void FormMenuCommand(int /*id*/) {}
  virtual void FormContextMenu(HWND /*target*/, POINT /*screen*/) {}
  virtual void FormMeasureMenuItem(MEASUREITEMSTRUCT&) {}
  virtual void FormDrawMenuItem(const DRAWITEMSTRUCT&) {}
  virtual void FormMouseDown(int /*button*/, POINT /*client*/) {}

  // Messages not handled here go to DefWindowProc; override to see any message.
  virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp);

 private:
  static LRESULT CALLBACK StaticProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  bool RouteCommand(WPARAM wp, LPARAM lp);
  LRESULT Activate(WPARAM wp, LPARAM lp);
  void RunModalLoop();

  HWND hwnd_ = nullptr;
  bool modal_ = false;
  int modalResult_ = mrNone;
  COLORREF color_;
  BrushHandle brush_;
  Button* defaultButton_ = nullptr;
  Button* cancelButton_ = nullptr;
  Tooltips* hints_ = nullptr;
  Control* firstFocus_ = nullptr;
  bool focusFirstOnActivate_ = false;
  HWND savedFocus_ = nullptr;
};
