#include "labels/RecordList.h"

#include <windowsx.h>

#include "labels/RowPainter.h"
#include "platform/Application.h"

void RecordList::Create(HWND parent, int left, int top, int width, int height) {
  ListBox::Create(parent, left, top, width, height, true);
  SetItemHeight(kRowHeight);
  OnDrawItem = [this](const DRAWITEMSTRUCT& item) { Draw(item); };
  SetMessageHook([this](UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    return Hook(msg, wp, lp, result);
  });
}

void RecordList::SetRows(const std::vector<std::wstring>& rows) {
  CallOriginal(WM_SETREDRAW, FALSE);
  CallOriginal(LB_RESETCONTENT);
  // Reserve once: growing the list row by row costs quadratic time for large tables.
  std::size_t chars = 0;
  for (const auto& r : rows) chars += r.size() + 1;
  CallOriginal(LB_INITSTORAGE, rows.size(), static_cast<LPARAM>(chars * sizeof(wchar_t)));
  for (const auto& r : rows) CallOriginal(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(r.c_str()));
  CallOriginal(WM_SETREDRAW, TRUE);
  InvalidateRect(Handle(), nullptr, TRUE);
}

int RecordList::RowCount() const { return static_cast<int>(CallOriginal(LB_GETCOUNT)); }

std::wstring RecordList::RowText(int row) const {
  const LRESULT n = CallOriginal(LB_GETTEXTLEN, static_cast<WPARAM>(row));
  if (n == LB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  CallOriginal(LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(n));
  return text;
}

bool RecordList::Ticked(int row) const {
  return CallOriginal(LB_GETITEMDATA, static_cast<WPARAM>(row)) == 1;
}

void RecordList::SetTicked(int row, bool ticked) {
  CallOriginal(LB_SETITEMDATA, static_cast<WPARAM>(row), ticked ? 1 : 0);
  RECT r{};
  if (CallOriginal(LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r)) !=
      LB_ERR)
    InvalidateRect(Handle(), &r, FALSE);
}

void RecordList::SetAllTicked(bool ticked) {
  const int n = RowCount();
  for (int i = 0; i < n; ++i) CallOriginal(LB_SETITEMDATA, static_cast<WPARAM>(i), ticked ? 1 : 0);
  Invalidate();
}

std::vector<int> RecordList::TickedRows() const {
  std::vector<int> rows;
  const int n = RowCount();
  for (int i = 0; i < n; ++i)
    if (Ticked(i)) rows.push_back(i);
  return rows;
}

void RecordList::Toggle(int row) {
  if (row >= 0 && row < RowCount()) SetTicked(row, !Ticked(row));
}

bool HandleMarkColumn(const ListBox& list, int markWidth, UINT msg, WPARAM wp, LPARAM lp,
                      LRESULT& result, const std::function<void(int)>& mark) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (GET_X_LPARAM(lp) < markWidth) {
        const LRESULT hit = list.CallOriginal(LB_ITEMFROMPOINT, 0, lp);
        ::SetFocus(list.Handle());
        if (HIWORD(hit) == 0) mark(LOWORD(hit));
        result = 0;
        return true;  // marking is not selecting
      }
      break;
    case WM_KEYDOWN:
      if (wp == VK_SPACE) {
        mark(list.SelectedIndex());
        result = 0;
        return true;
      }
      break;
    case WM_CHAR:
      if (wp == L' ') {  // no beep and no search for the Space already handled
        result = 0;
        return true;
      }
      break;
  }
  return false;
}

bool RecordList::Hook(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  return HandleMarkColumn(*this, kCheckWidth, msg, wp, lp, result,
                          [this](int row) { Toggle(row); });
}

void RecordList::Draw(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const int row = static_cast<int>(item.itemID);
  RECT check = item.rcItem;
  check.right = check.left + kCheckWidth;
  PaintCheckMark(item.hDC, check, item.itemData == 1);
  RECT rest = item.rcItem;
  rest.left = check.right;
  PaintRow(item.hDC, rest, RowText(row), (item.itemState & ODS_SELECTED) != 0);
}
