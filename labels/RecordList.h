#pragma once
// The main window's record list: a standard owner-drawn list box that keeps its rows'
// strings (so assistive tools and drivers read them with LB_GETTEXT), each row with a check
// mark held as the row's item data (1 ticked, 0 not). Ticking never selects a row.
#include <functional>
#include <string>
#include <vector>

#include "platform/Controls.h"

// The mouse and keys of a list's mark column: a click in the first markWidth pixels of a
// row, or Space, calls mark with that row (or the selected one) without selecting it. True
// when the message was taken; a list's message hook calls it first.
bool HandleMarkColumn(const ListBox& list, int markWidth, UINT msg, WPARAM wp, LPARAM lp,
                      LRESULT& result, const std::function<void(int)>& mark);

class RecordList : public ListBox {
 public:
  static constexpr int kCheckWidth = 20;  // the check mark column at the left of each row

  void Create(HWND parent, int left, int top, int width, int height);

  // Replaces all rows: ticks and the selection go.
  void SetRows(const std::vector<std::wstring>& rows);
  bool Ticked(int row) const;
  void SetTicked(int row, bool ticked);
  void SetAllTicked(bool ticked);
  // The ticked rows, top to bottom.
  std::vector<int> TickedRows() const;
  int RowCount() const;
  std::wstring RowText(int row) const;

 private:
  // Bulk work (filling, ticking 10,000 rows) talks to the list box through CallOriginal,
  // past the hook.
  bool Hook(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  void Draw(const DRAWITEMSTRUCT& item);
  void Toggle(int row);
};
