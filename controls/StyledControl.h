#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "controls/CaptionPainter.h"
#include "controls/DibSurface.h"
#include "controls/FadeAnimator.h"
#include "controls/StyledTypes.h"

namespace controls {

// Registers the controls' window classes ("TStyledPanel", "TStyledButton", "TStyledCheckBox",
// "TStyledRadioButton"). Creating a control object does it too; call it first when windows are
// made by class name (CreateWindowEx, dialog templates), which makes the window own its object.
// It also hands Enter and Escape in the application's message loop to the styled Default and
// Cancel buttons.
void RegisterStyledControlClasses();

// The base of the custom-drawn controls: a real child window that paints itself through an
// off-screen picture, keeps the hover and press state with the fade levels, and answers the
// messages a standard control answers (caption as window text, font, enable, focus).
class TStyledControl {
 public:
  using TEvent = std::function<void(TStyledControl&)>;

  TStyledControl(const TStyledControl&) = delete;
  TStyledControl& operator=(const TStyledControl&) = delete;
  virtual ~TStyledControl();

  HWND Handle() const { return hwnd_; }
  // The control behind one of its windows, or nullptr for any other window.
  static TStyledControl* FromHandle(HWND hwnd);

  void SetBounds(int left, int top, int width, int height);
  RECT Bounds() const;  // in the parent's client coordinates
  int Width() const;
  int Height() const;

  std::wstring Caption() const;
  void SetCaption(std::wstring_view caption);
  // The background colour; follows the parent's until set.
  TColor Color() const;
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool follow);
  // Not owned; nullptr means the platform's GUI font.
  HFONT Font() const { return font_; }
  void SetFont(HFONT font);
  TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor color);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  bool Visible() const;
  void SetVisible(bool visible);
  const std::wstring& Hint() const { return hint_; }
  void SetHint(std::wstring hint) { hint_ = std::move(hint); }
  bool TabStop() const;
  void SetTabStop(bool tabStop);

  bool TextShadow() const { return textShadow_; }
  void SetTextShadow(bool on);
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool on);
  // With it on, "&" in the caption underlines the next letter (the mnemonic) and is not shown.
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool on);

  TEvent OnClick;
  TEvent OnMouseEnter;
  TEvent OnMouseLeave;

  // Working state.
  bool Hovered() const { return fade_.Hovered(); }
  bool Pressed() const { return fade_.Pressed(); }
  int OverLevel() const { return fade_.OverLevel(); }
  int ClickLevel() const { return fade_.ClickLevel(); }
  bool Fading() const { return timerRunning_; }

  // Draws the control's whole look into dc at (0, 0), exactly as it appears on screen.
  void PaintTo(HDC dc);

 protected:
  TStyledControl() = default;
  // Creates the window; the class must be one of the registered ones.
  void CreateControl(const wchar_t* className, HWND parent, int x, int y, int width, int height,
                     DWORD style, DWORD exStyle = 0);

  // Every message of the window passes here; call the base for what is not handled.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  // Draws the look into the off-screen surface (its DC and pixels are both usable).
  virtual void Render(TDibSurface& surface) = 0;
  // The size or something the pictures are built from changed.
  virtual void RebuildPictures() {}
  // Something of the look changed; the next paint must draw it anew.
  virtual void LookChanged() {}
  // What the dialog manager should know of the control (WM_GETDLGCODE).
  virtual LRESULT DialogCode(const MSG* msg);
  // BST_CHECKED or BST_UNCHECKED, for BM_GETCHECK and BM_GETSTATE.
  virtual LRESULT CheckState() const { return BST_UNCHECKED; }
  // A completed click: mouse released over the control, a key, or BM_CLICK.
  virtual void ClickAction() { Click(); }
  virtual bool TracksMouse() const { return true; }
  // Whether the hover and press looks fade (a panel only reports enter and leave).
  virtual bool Animates() const { return true; }
  // Space presses the control while held and clicks it when released.
  virtual bool ClicksOnSpace() const { return true; }
  virtual TFadeSpeed CurrentFadeSpeed() const { return TFadeSpeed::fsMedium; }
  // A button that is down keeps its hover look when the mouse leaves.
  virtual bool KeepsHoverLook() const { return false; }
  // Whether the focus rectangle is due (the control has the focus).
  virtual bool ShowsFocus() const;

  // Fires OnClick and tells the parent (WM_COMMAND, BN_CLICKED). False when the control was
  // destroyed by the handler, so the caller must not touch it again.
  bool Click();
  // A key that presses the control: the pressed look while held, a click when let go.
  void KeyPress();
  void KeyRelease(bool click);
  void Repaint();
  void StartFade();
  TFadeAnimator& Fade() { return fade_; }

  HFONT EffectiveFont() const;
  UINT CaptionFormat(UINT alignment) const;
  TCaptionStyle CaptionStyle(TColor color, TColor shadowColor, UINT alignment) const;
  // The parent's picture under the control, for controls drawn over their parent.
  void PaintParentBackground(HDC dc);
  // Set when the object lives as long as its window (made by class name).
  std::weak_ptr<bool> AliveToken() const { return alive_; }

 private:
  friend LRESULT CALLBACK StyledWindowProc(HWND, UINT, WPARAM, LPARAM);
  friend void AttachStyledControl(HWND hwnd, TStyledControl* control, bool ownedByWindow);

  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
  void OnPaint();
  void OnSize();
  void MouseMoved(LPARAM lp);
  void MouseLeft();
  void OnLeftDown();
  void OnLeftUp(LPARAM lp);
  void OnTimer();
  void SetHover(bool over);
  void StopFade();
  void Detach();
  bool ContainsClientPoint(LPARAM lp) const;

  HWND hwnd_ = nullptr;
  bool ownedByWindow_ = false;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  TDibSurface surface_;
  TFadeAnimator fade_;
  bool timerRunning_ = false;
  bool trackingLeave_ = false;
  bool keyPressed_ = false;
  bool keyMadeHover_ = false;
  bool parentColor_ = true;
  TColor color_ = 0;
  HFONT font_ = nullptr;
  TColor fontColor_ = 0;
  std::wstring hint_;
  bool textShadow_ = true;
  bool showCaption_ = true;
  bool showAccelChar_ = false;
};

}  // namespace controls
