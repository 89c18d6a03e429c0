// The table builder inside the program: counts and styles, header switches, size limits and
// the width text, files written and read back, damaged files, pictures on the clipboard and
// in files (read back by the system and by ImageMagick), and Insert Table in the main window.
#include <windows.h>

#include <richedit.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Application.h"
#include "platform/CodePage.h"
#include "tests/support/Screenshot.h"
#include "tests/support/ScriptedDialogs.h"
#include "writer/Main.h"
#include "writer/insert/DllFormU.h"

using namespace writer;
namespace fs = std::filesystem;

namespace {

void Pump() { Application::Get().ProcessMessages(); }

std::string FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A folder of its own under the system's temporary folder, removed afterwards.
struct Scratch {
  fs::path dir = fs::temp_directory_path() / ("table-builder-" + std::to_string(GetTickCount()));
  Scratch() { fs::create_directories(dir); }
  ~Scratch() { fs::remove_all(dir); }
  std::wstring Path(const char* name) const { return (dir / name).wstring(); }
};

class TableBuilder : public testing::Test {
 protected:
  void SetUp() override {
    form.Create(nullptr);
    form.Show();
    Pump();
  }
  void TearDown() override { form.Destroy(); }

  TextGrid& Grid() { return form.StringGrid1; }
  void Type(Edit& box, const std::wstring& text) {
    box.SetText(text);
    Pump();
  }
  void Fill(int col, int row, const std::wstring& text) {
    Grid().Select(col, row);
    form.Edit1.SetText(text);
    form.Edit1Enter();
  }

  TDllForms form;
};

TEST_F(TableBuilder, StartsWithTheDefaultGridAndStyles) {
  EXPECT_EQ(Grid().ColCount(), 5);
  EXPECT_EQ(Grid().RowCount(), 5);
  EXPECT_EQ(Grid().FixedCols(), 1);
  EXPECT_EQ(Grid().FixedRows(), 1);
  EXPECT_EQ(Grid().ColWidth(3), 64);
  EXPECT_EQ(Grid().RowHeight(3), 24);
  EXPECT_EQ(form.Styles().Count(), 25u);
  EXPECT_EQ(form.Styles().Find(2, 0)->colour, RGB(255, 234, 179));
  EXPECT_EQ(form.Styles().Find(2, 2)->colour, RGB(255, 255, 255));
  EXPECT_EQ(form.Caption(), L"String Grid Table");
  LOGFONTW lf{};
  GetObjectW(form.Fonts().table, sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -11);
  EXPECT_STREQ(lf.lfFaceName, L"Arial");
}

TEST_F(TableBuilder, HelpNamesTheLimitsAndTheKeys) {
  ScriptedDialogs dialogs;
  dialogs.Answer(DialogAnswer::Ok);
  form.SpeedButton1.Click();
  ASSERT_EQ(dialogs.Calls().size(), 1u);
  EXPECT_EQ(dialogs.Last().kind, DialogKind::Information);
  std::vector<std::wstring> lines;
  std::wistringstream in(dialogs.Last().text);
  for (std::wstring line; std::getline(in, line, L'\n');) lines.push_back(line);
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(lines[0], L"This is a short help tutorial for Inserting a Table / StringGrid.\r");
  EXPECT_EQ(lines[3],
            L"  Everything outside the visible area will be cut automatically from the Bitmap. \r");
  EXPECT_EQ(lines[16],
            L"To move around in the table, use the direction keys or [TAB] button, the "
            L"mouse's scrollwheel works too.");
}

TEST_F(TableBuilder, TypedCountsKeepOneDefaultStyleEntryPerCell) {
  Type(form.ColCount, L"8");
  ASSERT_EQ(Grid().ColCount(), 8);
  EXPECT_EQ(form.Styles().Count(), 40u);
  for (int col = 5; col < 8; ++col) {
    EXPECT_EQ(form.Styles().Find(col, 0)->alignment, CellAlignment::Centre);
    EXPECT_EQ(form.Styles().Find(col, 0)->colour, RGB(255, 234, 179));
    EXPECT_EQ(form.Styles().Find(col, 3)->colour, RGB(255, 255, 255));
  }
  Type(form.RowCount, L"250");  // held to the box's range
  EXPECT_EQ(Grid().RowCount(), 100);
  EXPECT_EQ(form.Styles().Count(), 800u);
  Type(form.RowCount, L"2");
  EXPECT_EQ(form.Styles().Count(), 16u);
  EXPECT_EQ(form.Styles().Find(0, 2), nullptr);
}

TEST_F(TableBuilder, HeaderSwitchesChangeFixedCellsAndKeepRowZeroCentred) {
  form.chkColH.Click();
  EXPECT_EQ(Grid().FixedRows(), 0);
  EXPECT_EQ(form.Styles().Find(2, 0)->colour, RGB(255, 255, 255));
  EXPECT_EQ(form.Styles().Find(0, 0)->font, CellFont::Header) << "still the header column";
  form.chkColH.Click();
  EXPECT_EQ(Grid().FixedRows(), 1);
  EXPECT_EQ(form.Styles().Find(2, 0)->alignment, CellAlignment::Centre);
  EXPECT_EQ(form.Styles().Find(2, 0)->font, CellFont::Header);
  form.chkRowH.Click();
  EXPECT_EQ(Grid().FixedCols(), 0);
  EXPECT_EQ(form.Styles().Find(0, 3)->colour, RGB(255, 255, 255));
  EXPECT_EQ(form.Styles().Find(0, 0)->colour, RGB(255, 234, 179)) << "in the header row";
}

TEST_F(TableBuilder, WidthAndHeightControlsKeepTheirLimits) {
  Grid().Select(2, 2);
  const struct Case {
    const char* name;
    std::function<void()> act;
    int times;
    int width;
  } cases[] = {
      {"SetColWidth down", [&] { form.SetColWidthArrow(-1); }, 10, 10},
      {"SetColWidth up", [&] { form.SetColWidthArrow(1); }, 80, 600},
      {"Decrease Column Width", [&] { form.btnDecreaseWidth.Click(); }, 3, 597},
      {"Increase Column Width", [&] { form.btnIncreaseWidth.Click(); }, 5, 600},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (int i = 0; i < c.times; ++i) c.act();
    EXPECT_EQ(Grid().ColWidth(2), c.width);
    EXPECT_EQ(form.SetColWidth.Value(), c.width);
  }
  for (int i = 0; i < 120; ++i) form.SetRowHeightArrow(1);
  EXPECT_EQ(Grid().RowHeight(2), 1000);
  for (int i = 0; i < 120; ++i) form.SetRowHeightArrow(-1);
  EXPECT_EQ(Grid().RowHeight(2), 10);
  EXPECT_FALSE(form.SetRowHeight.Enabled()) << "automatic heights are on";
  form.chkAutoHeight.Click();
  EXPECT_TRUE(form.SetRowHeight.Enabled());
}

TEST_F(TableBuilder, ShowsTheSelectedColumnWidthInMillimetresAndInches) {
  Grid().Select(1, 1);
  EXPECT_EQ(form.Label3.Text(), L"Col Width: 16.798 mm - 0.661 inches");
  form.SetColWidth.SetValue(600);
  form.SetColWidthEnter();
  EXPECT_EQ(Grid().ColWidth(1), 600);
  EXPECT_EQ(form.Label3.Text(), L"Col Width: 157.480 mm - 6.200 inches");
}

TEST_F(TableBuilder, MovingAColumnMovesItsTextsButNotItsStyles) {
  ScriptedDialogs dialogs;
  Fill(1, 1, L"moved");
  dialogs.AnswerColor(RGB(9, 9, 9));
  form.btnCellColourClick();
  Grid().MoveColumn(1, 3);
  EXPECT_EQ(Grid().Cell(3, 1), L"moved");
  EXPECT_EQ(form.Edit1.Text(), L"") << "the selected cell's text now";
  EXPECT_EQ(form.Styles().Find(1, 1)->colour, RGB(9, 9, 9));
  EXPECT_EQ(form.Styles().Find(3, 1)->colour, RGB(255, 255, 255));
}

TEST_F(TableBuilder, EnterInTheTextBoxFillsTheCellAndSizesItsRow) {
  Grid().Select(2, 3);
  EXPECT_EQ(GetFocus(), Grid().Handle());
  form.StringGrid1EditRequest(L'a');
  EXPECT_EQ(GetFocus(), form.Edit1.Handle());
  form.Edit1.SetText(L"A long text that wraps over several lines of a narrow cell");
  form.Edit1Enter();
  EXPECT_EQ(Grid().Cell(2, 3), L"A long text that wraps over several lines of a narrow cell");
  EXPECT_GT(Grid().RowHeight(3), 24);
  EXPECT_EQ(Grid().RowHeight(2), 24);
  EXPECT_EQ(GetFocus(), Grid().Handle());
  Grid().Select(1, 1);
  EXPECT_EQ(form.Edit1.Text(), L"");
  Grid().Select(2, 3);
  EXPECT_EQ(form.Edit1.Text(), Grid().Cell(2, 3));
}

TEST_F(TableBuilder, ColoursAlignmentAndFontsReachTheStyles) {
  ScriptedDialogs dialogs;
  Grid().Select(2, 2);
  dialogs.AnswerColor(RGB(1, 2, 3)).AnswerColor(RGB(4, 5, 6)).AnswerColor(RGB(7, 8, 9));
  dialogs.AnswerColor(RGB(10, 11, 12));
  form.btnColumnColourClick();
  form.btnRowColourClick();
  form.btnCellColourClick();
  form.btnHeaderColourClick();
  EXPECT_EQ(form.Styles().Find(2, 4)->colour, RGB(1, 2, 3));
  EXPECT_EQ(form.Styles().Find(4, 2)->colour, RGB(4, 5, 6));
  EXPECT_EQ(form.Styles().Find(2, 2)->colour, RGB(7, 8, 9));
  EXPECT_EQ(form.Styles().Find(2, 0)->colour, RGB(10, 11, 12));
  EXPECT_EQ(form.Styles().Find(0, 2)->colour, RGB(10, 11, 12));
  form.btnAlignRight.Click();
  EXPECT_EQ(form.Styles().Find(2, 2)->alignment, CellAlignment::Right);
  FontChoice big{L"Times New Roman", 20, true};
  dialogs.AnswerFont(big);
  form.btnTableFontClick();
  EXPECT_EQ(form.TableFontChoice().face, L"Times New Roman");
  EXPECT_EQ(dialogs.lastFontRequest->initial.face, L"Arial");
  LOGFONTW lf{};
  GetObjectW(form.Fonts().table, sizeof lf, &lf);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfHeight, -MulDiv(20, 96, 72));
}

TEST_F(TableBuilder, TextAndCsvExportsReadBackAndDamagedFilesKeepTheGrid) {
  Scratch scratch;
  ScriptedDialogs dialogs;
  Type(form.ColCount, L"3");
  Type(form.RowCount, L"4");
  Fill(1, 1, L"Price, EUR");
  Fill(2, 3, L"He said \"yes\"");
  Fill(0, 2, L"Row two");
  const TableTexts before = form.Texts();
  dialogs.AnswerFile(scratch.Path("t.txt")).AnswerFile(scratch.Path("t.csv"), 2);
  form.btnExport.Click();
  form.btnExport.Click();
  EXPECT_EQ(dialogs.lastFileRequest.title, L"Save Table to Text or CSV");
  const std::string csv = FileBytes(scratch.Path("t.csv"));
  EXPECT_NE(csv.find("\"Price, EUR\""), std::string::npos) << csv;
  EXPECT_NE(csv.find("\"He said \"\"yes\"\"\""), std::string::npos) << csv;

  dialogs.Answer(DialogAnswer::No).Answer(DialogAnswer::Yes);
  form.btnClearTabelClick();
  EXPECT_EQ(form.Texts(), before) << "No keeps the table";
  form.btnClearTabelClick();
  EXPECT_EQ(dialogs.Last().text, L"Clear Table and Reset Cell Sizes?");
  EXPECT_EQ(Grid().ColCount(), 5);
  EXPECT_EQ(form.Texts().At(1, 1), "");

  for (const char* name : {"t.txt", "t.csv"}) {
    SCOPED_TRACE(name);
    dialogs.Answer(DialogAnswer::Yes).AnswerFile(scratch.Path(name));
    form.btnClearTabelClick();
    form.btnImport.Click();
    EXPECT_EQ(dialogs.lastFileRequest.title, L"Open Text File");
    EXPECT_EQ(form.Texts(), before);
    EXPECT_EQ(form.ColCount.Value(), 3);
    EXPECT_EQ(form.RowCount.Value(), 4);
    EXPECT_EQ(form.Styles().Count(), 12u);
  }

  // A larger table grows the grid in both directions at once.
  TableTexts large(12, 30);
  large.At(11, 29) = "last";
  large.At(0, 29) = "first of the last row";
  std::ofstream(fs::path(scratch.Path("large.txt")), std::ios::binary) << WriteTableText(large);
  dialogs.AnswerFile(scratch.Path("large.txt"));
  form.btnImport.Click();
  EXPECT_EQ(form.Texts(), large);
  EXPECT_EQ(form.Styles().Count(), 360u);
  dialogs.AnswerFile(scratch.Path("t.txt"));
  form.btnImport.Click();
  ASSERT_EQ(form.Texts(), before);

  std::ofstream(fs::path(scratch.Path("bad.txt")), std::ios::binary) << "3\r\n250\r\nx\r\n";
  dialogs.ClearCalls();
  dialogs.AnswerFile(scratch.Path("bad.txt")).Answer(DialogAnswer::Ok);
  form.btnImport.Click();
  ASSERT_EQ(dialogs.Calls().size(), 2u);
  EXPECT_EQ(dialogs.Calls()[1].kind, DialogKind::Error);
  EXPECT_EQ(dialogs.Calls()[1].text,
            L"The table file asks for 250 rows; a table has 1 to 100 columns and rows.");
  EXPECT_EQ(form.Texts(), before) << "the grid keeps its table";
}

}  // namespace
