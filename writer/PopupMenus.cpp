#include "writer/PopupMenus.h"

#include <algorithm>

#include "controls/DibSurface.h"
#include "controls/DrawGradientBand.h"

namespace writer {
namespace {

using controls::TBandDirection;

constexpr int kImageColumn = 38;
constexpr COLORREF kItemBack = RGB(250, 250, 250);
constexpr COLORREF kCaption = RGB(0, 21, 110);
constexpr COLORREF kDisabled = RGB(192, 192, 192);
constexpr COLORREF kLine = RGB(197, 197, 197);
constexpr COLORREF kTickFrame = RGB(158, 158, 158);
constexpr COLORREF kTitledSeparator = RGB(221, 231, 238);
const std::initializer_list<controls::TColor> kColumnStops{RGB(223, 238, 247), RGB(124, 168, 211),
                                                           RGB(124, 168, 211)};
const std::initializer_list<controls::TColor> kWarmStops{RGB(255, 245, 221), RGB(255, 245, 221),
                                                         RGB(255, 210, 94)};

HFONT MenuFont(bool bold) {
  // Arial 12 point at the screen's resolution.
  static FontHandle fonts[2];
  FontHandle& font = fonts[bold ? 1 : 0];
  if (!font) {
    WindowDC screen(nullptr);
    const int height = -MulDiv(12, GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
    font.Reset(CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial"));
  }
  return font.get();
}

SIZE TextSize(HDC dc, HFONT font, const std::wstring& text) {
  if (text.empty()) return SIZE{0, 0};
  Selection s(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

MenuTextSizes Measured(HDC dc, const MenuEntry& entry) {
  return {TextSize(dc, MenuFont(true), entry.caption), TextSize(dc, MenuFont(true), entry.shortcut),
          TextSize(dc, MenuFont(false), entry.hint)};
}

void DrawCheckMark(HDC dc, const RECT& column) {
  BitmapHandle check(LoadBitmapW(nullptr, MAKEINTRESOURCEW(32760)));  // OBM_CHECK
  BITMAP info{};
  if (!check || !GetObjectW(check.get(), sizeof info, &info)) return;
  MemoryDC source(dc);
  Selection s(source.get(), check.get());
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  const int x = column.left + (column.right - column.left - info.bmWidth) / 2;
  const int y = column.top + (column.bottom - column.top - info.bmHeight) / 2;
  BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCAND);
}

void DrawSeparator(HDC dc, const MenuEntry& entry, const RECT& r, bool images) {
  if (!entry.caption.empty()) {
    BrushHandle fill(CreateSolidBrush(kTitledSeparator));
    FillRect(dc, &r, fill.get());
    Selection f(dc, MenuFont(true));
    SetTextColor(dc, kCaption);
    RECT text{r.left + (images ? kImageColumn + 3 : 3), r.top, r.right, r.bottom};
    DrawTextW(dc, entry.caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    return;
  }
  controls::DrawGradientBand(dc, RECT{r.left, r.top, r.left + kImageColumn, r.bottom}, kColumnStops,
                             TBandDirection::LeftToRight);
  PenHandle line(CreatePen(PS_SOLID, 1, kLine));
  Selection p(dc, line.get());
  MoveToEx(dc, r.left + kImageColumn, r.bottom - 2, nullptr);
  LineTo(dc, r.right, r.bottom - 2);
}

}  // namespace

void DrawHighlight(HDC dc, const RECT& r) {
  RegionHandle round(CreateRoundRectRgn(r.left, r.top, r.right + 1, r.bottom + 1, 5, 5));
  SelectClipRgn(dc, round.get());
  controls::DrawGradientBand(dc, r, kWarmStops, TBandDirection::TopToBottom);
  SelectClipRgn(dc, nullptr);
  PenHandle edge(CreatePen(PS_SOLID, 1, kLine));
  Selection p(dc, edge.get());
  Selection b(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, r.left, r.top, r.right, r.bottom, 5, 5);
}

SIZE MenuItemSize(const MenuEntry& entry, const MenuTextSizes& sizes, bool hasImages) {
  if (entry.IsSeparator()) {
    if (entry.caption.empty()) return SIZE{10, 3};
    return SIZE{sizes.caption.cx + 12, sizes.caption.cy + 16};
  }
  LONG width = sizes.caption.cx;
  if (!entry.shortcut.empty()) width += sizes.shortcut.cx + 6;
  width = std::max(width, sizes.hint.cx) + 6 + (hasImages ? kImageColumn : 0);
  return SIZE{width, sizes.caption.cy + sizes.hint.cy + 21};
}

OwnerDrawnMenu::OwnerDrawnMenu(std::vector<MenuEntry> entries)
    : entries_(std::move(entries)), menu_(CreatePopupMenu()) {
  for (const MenuEntry& entry : entries_) {
    const UINT flags = MF_OWNERDRAW | (entry.IsSeparator() ? MF_SEPARATOR : 0);
    AppendMenuW(menu_, flags, static_cast<UINT_PTR>(entry.id), reinterpret_cast<LPCWSTR>(&entry));
  }
}

OwnerDrawnMenu::~OwnerDrawnMenu() { DestroyMenu(menu_); }

void OwnerDrawnMenu::Popup(HWND owner, POINT screen) const {
  TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0,
                 owner, nullptr);
}

void OwnerDrawnMenu::SetEnabled(int id, bool enabled) {
  EnableMenuItem(menu_, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool OwnerDrawnMenu::Enabled(int id) const {
  const UINT state = GetMenuState(menu_, static_cast<UINT>(id), MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

void OwnerDrawnMenu::SetChecked(int id, bool checked) {
  CheckMenuItem(menu_, static_cast<UINT>(id), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool OwnerDrawnMenu::Checked(int id) const {
  const UINT state = GetMenuState(menu_, static_cast<UINT>(id), MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & MF_CHECKED);
}

const MenuEntry* OwnerDrawnMenu::Own(ULONG_PTR data) const {
  for (const MenuEntry& entry : entries_)
    if (reinterpret_cast<ULONG_PTR>(&entry) == data) return &entry;
  return nullptr;
}

bool OwnerDrawnMenu::HasImages() const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [](const MenuEntry& e) { return e.icon.has_value() || e.tick; });
}

bool OwnerDrawnMenu::Measure(MEASUREITEMSTRUCT& mis) const {
  const MenuEntry* entry = Own(mis.itemData);
  if (!entry) return false;
  WindowDC screen(nullptr);
  const SIZE size = MenuItemSize(*entry, Measured(screen.get(), *entry), HasImages());
  mis.itemWidth = static_cast<UINT>(size.cx);
  mis.itemHeight = static_cast<UINT>(size.cy);
  return true;
}

bool OwnerDrawnMenu::Draw(const DRAWITEMSTRUCT& dis) const {
  const MenuEntry* entry = Own(dis.itemData);
  if (!entry) return false;
  const int width = dis.rcItem.right - dis.rcItem.left, height = dis.rcItem.bottom - dis.rcItem.top;
  // Drawn off screen first: the pictures blend into the pixels beneath them.
  controls::TDibSurface surface(width, height);
  if (!surface.Valid()) return true;
  HDC dc = surface.DC();
  const RECT r{0, 0, width, height};
  const bool images = HasImages();
  BrushHandle back(CreateSolidBrush(kItemBack));
  FillRect(dc, &r, back.get());
  SetBkMode(dc, TRANSPARENT);
  if (entry->IsSeparator()) {
    DrawSeparator(dc, *entry, r, images);
    surface.CopyTo(dis.hDC, dis.rcItem.left, dis.rcItem.top);
    return true;
  }
  const bool disabled = (dis.itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
  const bool ticked = (dis.itemState & ODS_CHECKED) != 0;
  const RECT column{0, 0, kImageColumn, height};
  if (images) {
    if (ticked) {
      controls::DrawGradientBand(dc, column, kWarmStops, TBandDirection::TopToBottom);
      BrushHandle frame(CreateSolidBrush(kTickFrame));
      FrameRect(dc, &column, frame.get());
      if (!entry->icon) DrawCheckMark(dc, column);
    } else {
      controls::DrawGradientBand(dc, column, kColumnStops, TBandDirection::LeftToRight);
    }
  }
  if ((dis.itemState & ODS_SELECTED) && !disabled) DrawHighlight(dc, r);
  if (entry->icon) {
    const controls::TPixelView view = surface.Pixels();
    BlendToolIcon(view, 3, 4, *entry->icon, 32);
    if (disabled) FadeArea(view, {3, 4, 3 + 32, 4 + 32});
  }
  const int left = images ? kImageColumn + 3 : 3;
  SetTextColor(dc, disabled ? kDisabled : kCaption);
  int top = 11;
  {
    Selection f(dc, MenuFont(true));
    RECT line{left, top, width - 8, height};
    DrawTextW(dc, entry->caption.c_str(), -1, &line, DT_SINGLELINE);
    if (!entry->shortcut.empty())
      DrawTextW(dc, entry->shortcut.c_str(), -1, &line, DT_SINGLELINE | DT_RIGHT | DT_NOPREFIX);
    top += TextSize(dc, MenuFont(true), entry->caption).cy;
  }
  if (!entry->hint.empty()) {
    Selection f(dc, MenuFont(false));
    RECT line{left, top, width - 8, height};
    DrawTextW(dc, entry->hint.c_str(), -1, &line, DT_SINGLELINE | DT_NOPREFIX);
  }
  surface.CopyTo(dis.hDC, dis.rcItem.left, dis.rcItem.top);
  return true;
}

}  // namespace writer
