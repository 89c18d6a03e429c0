#pragma once
// The main window's owner-drawn pop-up menus: bold captions with an optional short-cut text
// and hint line, a gradient picture column on the left, and a rounded warm highlight.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/GdiHandles.h"
#include "writer/ToolIcons.h"

namespace writer {

struct MenuEntry {
  MenuEntry(int id, std::wstring caption, std::wstring shortcut = {}, std::wstring hint = {},
            std::optional<ToolIcon> icon = {}, bool tick = false)
      : id(id),
        caption(std::move(caption)),
        shortcut(std::move(shortcut)),
        hint(std::move(hint)),
        icon(icon),
        tick(tick) {}

  int id;  // 0 for a separator
  std::wstring caption;
  std::wstring shortcut;
  std::wstring hint;
  std::optional<ToolIcon> icon;
  bool tick;  // a tick item shows its state in the picture column

  static MenuEntry Separator(std::wstring caption = {}) { return {0, std::move(caption)}; }
  bool IsSeparator() const { return id == 0; }
};

// The warm highlight of a chosen item or row: clipped to a rectangle with 5-pixel rounded
// corners, a top-to-bottom gradient #FFF5DD, #FFF5DD, #FFD25E and a #C5C5C5 rounded outline
// one pixel inside the right and bottom edges.
void DrawHighlight(HDC dc, const RECT& r);

// The size an item asks for, from its texts measured in the menu fonts.
struct MenuTextSizes {
  SIZE caption{}, shortcut{}, hint{};
};
SIZE MenuItemSize(const MenuEntry& entry, const MenuTextSizes& sizes, bool hasImages);

class OwnerDrawnMenu {
 public:
  explicit OwnerDrawnMenu(std::vector<MenuEntry> entries);
  ~OwnerDrawnMenu();
  OwnerDrawnMenu(const OwnerDrawnMenu&) = delete;
  OwnerDrawnMenu& operator=(const OwnerDrawnMenu&) = delete;

  HMENU Handle() const { return menu_; }
  const std::vector<MenuEntry>& Entries() const { return entries_; }
  // Opens the menu at the screen point; the chosen item's id reaches owner as WM_COMMAND.
  void Popup(HWND owner, POINT screen) const;

  void SetEnabled(int id, bool enabled);
  bool Enabled(int id) const;
  void SetChecked(int id, bool checked);
  bool Checked(int id) const;

  // Answer WM_MEASUREITEM and WM_DRAWITEM for this menu's items; false for other items.
  bool Measure(MEASUREITEMSTRUCT& mis) const;
  bool Draw(const DRAWITEMSTRUCT& dis) const;

 private:
  const MenuEntry* Own(ULONG_PTR data) const;
  bool HasImages() const;

  std::vector<MenuEntry> entries_;
  HMENU menu_;
};

}  // namespace writer
