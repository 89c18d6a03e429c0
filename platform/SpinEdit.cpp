#include "platform/SpinEdit.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr int kArrowWidth = 17;

std::wstring NumberText(double value) {
  wchar_t text[64];
  if (value == std::floor(value) && std::fabs(value) < 1e15)
    std::swprintf(text, 64, L"%.0f", value);
  else
    std::swprintf(text, 64, L"%g", value);
  return text;
}

bool ParseNumber(std::wstring text, double& value) {
  std::replace(text.begin(), text.end(), L',', L'.');
  wchar_t* end = nullptr;
  const double parsed = std::wcstod(text.c_str(), &end);
  while (end && *end == L' ') ++end;
  if (end == text.c_str() || (end && *end) || !std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

}  // namespace

void SpinEdit::Create(HWND parent, int left, int top, int width, int height) {
  Edit::Create(parent, left, top, width - kArrowWidth, height);
  arrows_.Create(parent, Handle());
  SetValue(last_);
}

void SpinEdit::Arrows::Create(HWND parent, HWND buddy) {
  CreateWindowed(parent, UPDOWN_CLASSW, UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, 0,
                 0, 0, L"");
  SendMessageW(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  // The arrows only report steps; the edit owns the value.
  SendMessageW(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(-1000), 1000);
  SendMessageW(Handle(), UDM_SETPOS32, 0, 0);
}

bool SpinEdit::Arrows::HandleNotify(const NMHDR& header, LRESULT& result) {
  if (header.code != UDN_DELTAPOS) return false;
  const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
  owner_.Step(change.iDelta);
  if (owner_.OnArrow) owner_.OnArrow(change.iDelta > 0 ? 1 : -1);
  result = TRUE;  // keep the arrows' own position where it is
  return true;
}

void SpinEdit::SetBounds(int left, int top, int width, int height) {
  Edit::SetBounds(left, top, width - kArrowWidth, height);
  SendMessageW(arrows_.Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Handle()), 0);
}

void SpinEdit::SetEnabled(bool enabled) {
  Edit::SetEnabled(enabled);
  arrows_.SetEnabled(enabled);
}

void SpinEdit::SetRange(double minValue, double maxValue) {
  min_ = minValue;
  max_ = std::max(minValue, maxValue);
  if (Handle()) SetValue(Value());
}

double SpinEdit::Clamp(double value) const { return std::clamp(value, min_, max_); }

double SpinEdit::Value() const {
  double value = last_;
  if (Handle()) ParseNumber(Text(), value);
  return Clamp(value);
}

void SpinEdit::SetValue(double value) {
  last_ = Clamp(std::isfinite(value) ? value : last_);
  if (Handle() && Text() != NumberText(last_)) SetText(NumberText(last_));
}

void SpinEdit::Step(int delta) { SetValue(Value() + delta * increment_); }

void SpinEdit::HandleCommand(WORD code) {
  if (code == EN_CHANGE) {
    double typed = 0;
    if (ParseNumber(Text(), typed)) last_ = Clamp(typed);
    if (OnChange) OnChange();
  } else if (code == EN_KILLFOCUS) {
    SetValue(Value());  // show what will be used
  }
}
