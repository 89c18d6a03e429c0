// The text grid as the mouse and keyboard drive it: sizing a column and a row by dragging a
// header border, moving a column and a row by dragging a header cell, Tab walking the cells,
// scrolling keeping the selection in view, and the owner-draw hook seeing the cells shown.
#include <windows.h>

#include <set>
#include <utility>

#include <gtest/gtest.h>

#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/TextGrid.h"

namespace {

class TextGridTest : public testing::Test {
 protected:
  void SetUp() override {
    form.Create(FormStyle::DialogWithClient(L"Grid", 400, 300));
    grid.Create(form.Handle(), 0, 0, 400, 300);
    grid.SetDefaultSizes(64, 24);
    form.Show();
    Application::Get().ProcessMessages();
  }
  void TearDown() override { form.Destroy(); }

  void Mouse(UINT msg, int x, int y) {
    SendMessageW(grid.Handle(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
  }
  void Drag(POINT from, POINT to) {
    Mouse(WM_LBUTTONDOWN, from.x, from.y);
    Mouse(WM_MOUSEMOVE, to.x, to.y);
    Mouse(WM_LBUTTONUP, to.x, to.y);
  }
  void Key(WPARAM key) { SendMessageW(grid.Handle(), WM_KEYDOWN, key, 0); }

  Form form;
  TextGrid grid;
};

TEST_F(TextGridTest, DraggingHeaderBordersSizesColumnsAndRows) {
  int changes = 0;
  grid.OnSizeChanged = [&] { ++changes; };
  // Column 1's right border is at 64 + 1 + 64 = 129 (the grid line after each cell).
  Drag({129, 10}, {229, 10});
  EXPECT_EQ(grid.ColWidth(1), 164);
  // Row 2's bottom border is at 3 x 24 + 2 = 74, dragged in the header column.
  Drag({20, 74}, {20, 124});
  EXPECT_EQ(grid.RowHeight(2), 74);
  EXPECT_EQ(changes, 2);
  // A border inside the body sizes nothing; it selects the cell.
  Drag({129, 60}, {200, 60});
  EXPECT_EQ(grid.ColWidth(1), 164);
}

TEST_F(TextGridTest, DraggingAHeaderCellMovesTextsAndSizesButNotTheSelection) {
  grid.SetCell(1, 0, L"A");
  grid.SetCell(1, 2, L"a2");
  grid.SetCell(3, 0, L"C");
  grid.SetColWidth(1, 80);
  std::pair<int, int> moved{-1, -1};
  grid.OnColumnMoved = [&](int from, int to) { moved = {from, to}; };
  Drag({100, 10}, {250, 10});  // column 1's header onto column 3
  EXPECT_EQ(moved, std::make_pair(1, 3));
  EXPECT_EQ(grid.Cell(3, 0), L"A");
  EXPECT_EQ(grid.Cell(3, 2), L"a2");
  EXPECT_EQ(grid.Cell(2, 0), L"C");
  EXPECT_EQ(grid.ColWidth(3), 80);
  grid.SetCell(0, 1, L"row one");
  Drag({10, 35}, {10, 110});  // row 1's header onto row 4
  EXPECT_EQ(grid.Cell(0, 4), L"row one");
  EXPECT_EQ(grid.Cell(0, 1), L"");
}

TEST_F(TextGridTest, KeysWalkTheCellsAndTheViewFollowsTheSelection) {
  grid.SetColCount(40);
  grid.SetRowCount(60);
  EXPECT_EQ(grid.Col(), 1);
  Key(VK_LEFT);
  EXPECT_EQ(grid.Col(), 1) << "the header column cannot be selected";
  for (int i = 0; i < 39; ++i) Key(VK_TAB);
  EXPECT_EQ(grid.Col(), 1);
  EXPECT_EQ(grid.Row(), 2) << "Tab past the last column goes on in the next row";
  Key(VK_END);
  EXPECT_EQ(grid.Col(), 39);
  RECT cell = grid.CellRect(39, 2);
  EXPECT_FALSE(IsRectEmpty(&cell)) << "scrolled into view";
  EXPECT_GT(grid.LeftCol(), 30);
  for (int i = 0; i < 7; ++i) Key(VK_NEXT);
  EXPECT_EQ(grid.Row(), 59);
  cell = grid.CellRect(39, 59);
  RECT client;
  GetClientRect(grid.Handle(), &client);
  EXPECT_LE(cell.bottom, client.bottom);
  cell = grid.CellRect(5, 5);
  EXPECT_TRUE(IsRectEmpty(&cell)) << "scrolled out of view";
  const SIZE area = grid.VisibleArea();
  EXPECT_LE(area.cx, client.right);
  EXPECT_GT(area.cx, client.right - 66);
}

TEST_F(TextGridTest, TheDrawHookSeesEveryShownCellOnceAndEditingIsHandedOver) {
  grid.SetColCount(20);
  grid.SetRowCount(20);
  std::set<std::pair<int, int>> drawn;
  grid.OnDrawCell = [&](HDC, int c, int r, const RECT&, TextGrid::DrawState) {
    EXPECT_TRUE(drawn.insert({c, r}).second);
  };
  grid.ScrollTo(10, 10);
  UpdateWindow(grid.Handle());
  EXPECT_TRUE(drawn.count({0, 0}));
  EXPECT_TRUE(drawn.count({10, 10}));
  EXPECT_TRUE(drawn.count({0, 12}));
  EXPECT_FALSE(drawn.count({5, 5}));
  wchar_t started = L'?';
  grid.OnEditRequest = [&](wchar_t first) { started = first; };
  Key(VK_RETURN);
  EXPECT_EQ(started, 0);
  SendMessageW(grid.Handle(), WM_CHAR, L'x', 0);
  EXPECT_EQ(started, L'x');
}

}  // namespace

namespace {

TEST_F(TextGridTest, WithoutAnEditHandlerTheCellIsEditedInPlace) {
  grid.SetCell(2, 2, L"old");
  grid.Select(2, 2);
  const HWND editor = grid.InPlaceEditor().Handle();
  EXPECT_EQ(editor, nullptr);
  const struct Case {
    WPARAM start;  // VK_RETURN, or a character typed
    const wchar_t* typed;
    WPARAM end;
    const wchar_t* cell;
  } cases[] = {
      {VK_RETURN, L"old and new", VK_RETURN, L"old and new"},
      {L'x', nullptr, VK_RETURN, L"x"},
      {VK_RETURN, L"dropped", VK_ESCAPE, L"x"},
  };
  for (const Case& c : cases) {
    if (c.start == VK_RETURN)
      Key(VK_RETURN);
    else
      SendMessageW(grid.Handle(), WM_CHAR, c.start, 0);
    ASSERT_TRUE(grid.Editing());
    const Edit& box = grid.InPlaceEditor();
    EXPECT_TRUE(box.Visible());
    EXPECT_EQ(GetFocus(), box.Handle());
    const RECT cell = grid.CellRect(2, 2);
    EXPECT_EQ(box.Bounds().left, cell.left);
    if (c.typed) SetWindowTextW(box.Handle(), c.typed);
    SendMessageW(box.Handle(), WM_KEYDOWN, c.end, 0);
    EXPECT_FALSE(grid.Editing());
    EXPECT_FALSE(box.Visible());
    EXPECT_EQ(grid.Cell(2, 2), c.cell);
    EXPECT_EQ(GetFocus(), grid.Handle());
  }
  // Moving away stores what was typed.
  Key(VK_RETURN);
  SetWindowTextW(grid.InPlaceEditor().Handle(), L"kept");
  grid.Select(3, 3);
  EXPECT_EQ(grid.Cell(2, 2), L"kept");
}

}  // namespace
