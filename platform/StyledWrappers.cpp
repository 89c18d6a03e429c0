#include "platform/StyledWrappers.h"

void StyledButton::Create(HWND parent, const std::wstring& caption, int left, int top, int width,
                          int height)
{
    styled_ = std::make_unique<controls::TStyledButton>(parent, left, top, width, height);
    Attach(styled_->Handle(), caption);
}

void StyledCheckBox::Create(HWND parent, const std::wstring& caption, int left, int top,
                            int width, int height)
{
    styled_ = std::make_unique<controls::TStyledCheckBox>(parent, left, top, width, height);
    Attach(styled_->Handle(), caption);
}

void StyledRadioButton::Create(HWND parent, const std::wstring& caption, int left, int top,
                               int width, int height, bool)
{
    styled_ = std::make_unique<controls::TStyledRadioButton>(parent, left, top, width, height);
    Attach(styled_->Handle(), caption);
}
