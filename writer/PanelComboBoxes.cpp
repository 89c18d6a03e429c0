#include "writer/PanelComboBoxes.h"

#include <iterator>

#include "platform/GdiHandles.h"

namespace writer {
namespace {

constexpr int kRowHeight = 20;
constexpr DWORD kOwnerDrawnList = CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;

struct NamedColor {
  const wchar_t* name;
  COLORREF color;
};

constexpr NamedColor kStandardColors[] = {
    {L"Black", RGB(0, 0, 0)},
    {L"Maroon", RGB(128, 0, 0)},
    {L"Green", RGB(0, 128, 0)},
    {L"Olive", RGB(128, 128, 0)},
    {L"Navy", RGB(0, 0, 128)},
    {L"Purple", RGB(128, 0, 128)},
    {L"Teal", RGB(0, 128, 128)},
    {L"Gray", RGB(128, 128, 128)},
    {L"Silver", RGB(192, 192, 192)},
    {L"Red", RGB(255, 0, 0)},
    {L"Lime", RGB(0, 255, 0)},
    {L"Yellow", RGB(255, 255, 0)},
    {L"Blue", RGB(0, 0, 255)},
    {L"Fuchsia", RGB(255, 0, 255)},
    {L"Aqua", RGB(0, 255, 255)},
    {L"White", RGB(255, 255, 255)},
    {L"Default", ColorComboBox::kAutomatic},
};
constexpr int kCustomRow = static_cast<int>(std::size(kStandardColors));

std::wstring RowText(HWND box, UINT index) {
  const auto length = SendMessageW(box, CB_GETLBTEXTLEN, index, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(box, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// The row's background and text colour as selected or not; returns the text colour.
COLORREF PaintRowBackground(const DRAWITEMSTRUCT& item) {
  const bool selected = item.itemState & ODS_SELECTED;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const COLORREF text = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
  SetTextColor(item.hDC, text);
  SetBkMode(item.hDC, TRANSPARENT);
  return text;
}

void DrawRowText(const DRAWITEMSTRUCT& item, const std::wstring& text, int left) {
  RECT r = item.rcItem;
  r.left += left;
  DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &r,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void SetRowHeights(HWND box) {
  SendMessageW(box, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kRowHeight);
  SendMessageW(box, CB_SETITEMHEIGHT, 0, kRowHeight);
}

}  // namespace

void FontComboBox::Create(HWND parent, int left, int top, int width, int height) {
  ComboBox::Create(parent, left, top, width, height, kOwnerDrawnList);
  SetRowHeights(Handle());
}

bool FontComboBox::HandleDrawItem(const DRAWITEMSTRUCT& item) {
  PaintRowBackground(item);
  if (item.itemID == static_cast<UINT>(-1)) return true;
  const std::wstring face = RowText(Handle(), item.itemID);
  // The closed box shows the name in the panel's font; the open list shows each face.
  const bool inList = !(item.itemState & ODS_COMBOBOXEDIT);
  FontHandle font(inList ? CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                       DEFAULT_QUALITY, DEFAULT_PITCH, face.c_str())
                         : nullptr);
  const HGDIOBJ old = font.get() ? SelectObject(item.hDC, font.get()) : nullptr;
  DrawRowText(item, face, 4);
  if (old) SelectObject(item.hDC, old);
  return true;
}

void ColorComboBox::Create(HWND parent, int left, int top, int width, int height) {
  ComboBox::Create(parent, left, top, width, height, kOwnerDrawnList);
  SetRowHeights(Handle());
}

int ColorComboBox::AddColor(const std::wstring& name, COLORREF color) {
  const int index = Add(name);
  SendMessageW(Handle(), CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(color));
  return index;
}

void ColorComboBox::FillStandardColors() {
  Clear();
  for (const NamedColor& c : kStandardColors) AddColor(c.name, c.color);
  SetSelectedIndex(0);
}

COLORREF ColorComboBox::ColorAt(int index) const {
  return static_cast<COLORREF>(
      SendMessageW(Handle(), CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

std::optional<COLORREF> ColorComboBox::SelectedColor() const {
  const int index = SelectedIndex();
  if (index < 0) return std::nullopt;
  return ColorAt(index);
}

void ColorComboBox::SelectColor(COLORREF color) {
  for (int i = 0; i < kCustomRow && i < Count(); ++i)
    if (ColorAt(i) == color) {
      if (SelectedIndex() != i) SetSelectedIndex(i);
      return;
    }
  // One row holds the latest colour of the document that the list lacks.
  while (Count() > kCustomRow) SendMessageW(Handle(), CB_DELETESTRING, kCustomRow, 0);
  wchar_t name[16];
  swprintf(name, 16, L"#%02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color));
  SetSelectedIndex(AddColor(name, color));
}

bool ColorComboBox::HandleDrawItem(const DRAWITEMSTRUCT& item) {
  const COLORREF text = PaintRowBackground(item);
  if (item.itemID == static_cast<UINT>(-1)) return true;
  const COLORREF color = ColorAt(static_cast<int>(item.itemID));
  RECT swatch{item.rcItem.left + 4, item.rcItem.top + 3, item.rcItem.left + 28,
              item.rcItem.bottom - 3};
  if (color != kAutomatic) {
    BrushHandle fill(CreateSolidBrush(color));
    FillRect(item.hDC, &swatch, fill.get());
  }
  BrushHandle frame(CreateSolidBrush(text));
  FrameRect(item.hDC, &swatch, frame.get());
  DrawRowText(item, RowText(Handle(), item.itemID), 34);
  return true;
}

}  // namespace writer
