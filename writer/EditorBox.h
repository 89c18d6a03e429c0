#pragma once
// The document's editor: our rich-edit control set up as the word processor uses it, with
// its notifications handed on as events.
#include <windows.h>

#include <richedit.h>

#include <functional>
#include <string>

#include "platform/Controls.h"

namespace writer {

class EditorBox : public Control {
 public:
  static constexpr DWORD kEventMask = ENM_CHANGE | ENM_SELCHANGE | ENM_LINK | ENM_PROTECTED;

  // No border, vertical scroll bar always shown, selection kept visible without the focus,
  // rich text in Arial 12 point, URL detection on, 100 undo steps.
  void Create(HWND parent);

  // The text of a character range.
  std::wstring TextRange(LONG first, LONG last) const;
  CHARRANGE Selection() const;
  void Select(LONG first, LONG last);

  std::function<void()> OnChange;
  std::function<void()> OnSelectionChange;
  std::function<void(const std::wstring&)> OnLinkClick;
  void HandleCommand(WORD code) override;
  bool HandleNotify(const NMHDR& header, LRESULT& result) override;
};

}  // namespace writer
