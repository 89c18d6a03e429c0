#include "controls/StyledWrappers.h"

void StyledButton::Create(HWND parent, const std::wstring& caption, int left, int top, int width,
                          int height) {
  styled_ = std::make_unique<controls::TStyledButton>(parent, left, top, width, height);
  Attach(styled_->Handle(), caption);
}

void StyledCheckBox::Create(HWND parent, const std::wstring& caption, int left, int top, int width,
                            int height) {
  styled_ = std::make_unique<controls::TStyledCheckBox>(parent, left, top, width, height);
  Attach(styled_->Handle(), caption);
}

void StyledRadioButton::Create(HWND parent, const std::wstring& caption, int left, int top,
                               int width, int height, bool) {
  styled_ = std::make_unique<controls::TStyledRadioButton>(parent, left, top, width, height);
  Attach(styled_->Handle(), caption);
}

void StyledGroupBox::Create(HWND parent, const std::wstring& caption, int left, int top, int width,
                            int height) {
  styled_ = std::make_unique<controls::TStyledPanel>(parent, left, top, width, height);
  controls::TStyledPanel& panel = *styled_;
  panel.SetCaptionPosition(controls::TCaptionPosition::cpGroupBox);
  panel.SetGradient(false);
  panel.SetColor(RGB(255, 255, 255));
  panel.SetOuterColor(GetSysColor(COLOR_BTNFACE));
  panel.SetBorderColor(RGB(160, 170, 185));
  panel.SetCornerWidth(10);
  panel.SetAntialiased(true);
  Attach(panel.Handle(), caption);
}
