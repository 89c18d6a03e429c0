#pragma once
// The record list's right-click menu: owner-drawn items with a bold caption, an optional
// hint below it and a small picture in a gradient column at the left.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/GdiHandles.h"

class SortMenu {
 public:
  enum Picture { NumberPicture, LetterPicture };
  struct Item {
    int id;
    std::wstring caption;
    std::wstring hint;
    Picture picture;
  };

  explicit SortMenu(std::vector<Item> items);
  ~SortMenu();
  SortMenu(const SortMenu&) = delete;
  SortMenu& operator=(const SortMenu&) = delete;

  HMENU Handle() const { return menu_; }
  // Opens the menu at the screen point; the chosen item's id reaches owner as WM_COMMAND.
  void Popup(HWND owner, POINT screen) const;

  // Answers WM_MEASUREITEM and WM_DRAWITEM for the menu's items; false for other items.
  bool Measure(MEASUREITEMSTRUCT& mis) const;
  bool Draw(const DRAWITEMSTRUCT& dis) const;

 private:
  const Item* Find(UINT id) const;
  HFONT BoldFont() const;

  std::vector<Item> items_;
  HMENU menu_;
  mutable FontHandle bold_;
};
