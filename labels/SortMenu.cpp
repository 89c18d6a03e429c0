#include "labels/SortMenu.h"

#include "controls/DrawGradientBand.h"
#include "labels/RowPainter.h"
#include "platform/Application.h"

namespace {

constexpr int kImageColumn = 26;  // the menu has pictures, so every item has this column
constexpr COLORREF kCaptionColor = RGB(0, 21, 110);

SIZE TextSize(HDC dc, HFONT font, const std::wstring& text) {
  Selection sel(dc, font);
  SIZE size{};
  if (text.empty()) {
    size.cx = 0;
    size.cy = 0;
  } else {
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  }
  return size;
}

void DrawPicture(HDC dc, int left, int top, SortMenu::Picture picture, HFONT bold) {
  // A 16 x 16 badge: "#" for the number order, "Az" for the alphabetical one.
  RECT badge{left, top, left + 16, top + 16};
  BrushHandle fill(CreateSolidBrush(RGB(255, 255, 255)));
  PenHandle edge(CreatePen(PS_SOLID, 1, kCaptionColor));
  {
    Selection b(dc, fill.get());
    Selection p(dc, edge.get());
    RoundRect(dc, badge.left, badge.top, badge.right, badge.bottom, 4, 4);
  }
  Selection font(dc, bold);
  SetTextColor(dc, kCaptionColor);
  const wchar_t* text = picture == SortMenu::NumberPicture ? L"#" : L"Az";
  DrawTextW(dc, text, -1, &badge, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace

SortMenu::SortMenu(std::vector<Item> items) : items_(std::move(items)), menu_(CreatePopupMenu()) {
  for (const Item& item : items_)
    AppendMenuW(menu_, MF_OWNERDRAW, static_cast<UINT_PTR>(item.id),
                reinterpret_cast<LPCWSTR>(&item));
}

SortMenu::~SortMenu() { DestroyMenu(menu_); }

void SortMenu::Popup(HWND owner, POINT screen) const {
  TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0,
                 owner, nullptr);
}

const SortMenu::Item* SortMenu::Find(UINT id) const {
  for (const Item& item : items_)
    if (static_cast<UINT>(item.id) == id) return &item;
  return nullptr;
}

HFONT SortMenu::BoldFont() const {
  if (!bold_) {
    LOGFONTW lf{};
    GetObjectW(Application::Get().UiFont(), sizeof lf, &lf);
    lf.lfWeight = FW_BOLD;
    bold_.Reset(CreateFontIndirectW(&lf));
  }
  return bold_.get();
}

bool SortMenu::Measure(MEASUREITEMSTRUCT& mis) const {
  const Item* item = Find(mis.itemID);
  if (!item) return false;
  WindowDC screen(nullptr);
  const SIZE caption = TextSize(screen.get(), BoldFont(), item->caption);
  const SIZE hint = TextSize(screen.get(), Application::Get().UiFont(), item->hint);
  mis.itemHeight = static_cast<UINT>(caption.cy + hint.cy + 13);
  mis.itemWidth = static_cast<UINT>(std::max(caption.cx, hint.cx) + 8 + kImageColumn);
  return true;
}

bool SortMenu::Draw(const DRAWITEMSTRUCT& dis) const {
  const Item* item = Find(dis.itemID);
  if (!item) return false;
  HDC dc = dis.hDC;
  const RECT& r = dis.rcItem;
  const bool disabled = (dis.itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
  BrushHandle background(CreateSolidBrush(RGB(250, 250, 250)));
  FillRect(dc, &r, background.get());
  controls::DrawGradientBand(dc, RECT{r.left, r.top, r.left + kImageColumn, r.bottom},
                             {RGB(223, 239, 247), RGB(124, 168, 211), RGB(124, 168, 211)},
                             controls::TBandDirection::LeftToRight);
  if ((dis.itemState & ODS_SELECTED) && !disabled) PaintSelectedBox(dc, r);
  SetBkMode(dc, TRANSPARENT);
  DrawPicture(dc, r.left + 4, r.top + 5, item->picture, BoldFont());

  const int textLeft = r.left + kImageColumn + 4;
  SetTextColor(dc, disabled ? RGB(192, 192, 192) : kCaptionColor);
  int top = r.top + 6;
  {
    Selection font(dc, BoldFont());
    TextOutW(dc, textLeft, top, item->caption.c_str(), static_cast<int>(item->caption.size()));
    SIZE size{};
    GetTextExtentPoint32W(dc, item->caption.c_str(), static_cast<int>(item->caption.size()), &size);
    top += size.cy;
  }
  if (!item->hint.empty()) {
    Selection font(dc, Application::Get().UiFont());
    TextOutW(dc, textLeft, top, item->hint.c_str(), static_cast<int>(item->hint.size()));
  }
  return true;
}
