#pragma once
// The main window's record list: a standard owner-drawn list box that keeps its rows'
// strings (so assistive tools and drivers read them with LB_GETTEXT), each row with a check
// mark held as the row's item data (1 ticked, 0 not). Ticking never selects a row.
#include "platform/Controls.h"

#include <string>
#include <vector>

class RecordList : public ListBox {
public:
    static constexpr int kCheckWidth = 20;  // the check mark column at the left of each row

    RecordList() = default;
    ~RecordList() override;
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
    // The list's own window procedure comes first. This is classic subclassing on purpose:
    // the shell's subclass helper looks its data up per message, which under Wine costs a
    // round trip to the server and made filling or ticking 10,000 rows take seconds.
    static LRESULT CALLBACK ListProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    // The list box's own answer, past every subclass (the tooltip's too): for the bulk
    // messages that only the list itself needs to see.
    LRESULT Direct(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;
    bool Hook(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    void Draw(const DRAWITEMSTRUCT& item);
    void Toggle(int row);

    WNDPROC listProc_ = nullptr;
};
