#pragma once
// The main window's toolbar: flat 55 x 40 picture buttons on white, some with a drop-down
// arrow. Moving the mouse over a button reports its hint; clicks report the button's command.
#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "writer/ToolIcons.h"

namespace writer {

struct ToolButton {
  int command;  // 0 for a gap between groups
  ToolIcon icon;
  const wchar_t* hint;
  bool dropDown;
};

class MainToolbar : public Control {
 public:
  static constexpr int kHeight = 42;
  static constexpr int kButtonWidth = 55;
  static constexpr int kButtonHeight = 40;

  void Create(HWND parent, std::span<const ToolButton> buttons);

  void SetCommandEnabled(int command, bool enabled);
  bool CommandEnabled(int command) const;
  // The button's rectangle in the toolbar's client coordinates.
  RECT ButtonRect(int command) const;
  std::wstring HintOf(int command) const;
  // The width all buttons take, from the left indent on.
  int ButtonsWidth() const;
  void SetIndent(int pixels);
  int Indent() const { return indent_; }

  std::function<void(const std::wstring&)> OnHint;
  std::function<void(int command, RECT screenButton)> OnDropDown;
  bool HandleNotify(const NMHDR& header, LRESULT& result) override;

 private:
  bool Hook(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

  std::vector<ToolButton> buttons_;
  ImageListHandle images_, faded_;
  int indent_ = 0;
};

}  // namespace writer
