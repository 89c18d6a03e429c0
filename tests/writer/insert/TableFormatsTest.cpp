// The table builder's file formats and style list, portable: what a file holds byte for byte,
// that each format reads back what it wrote, and that damaged files give a sentence naming
// the damage instead of a partial table.
#include <string>

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "writer/insert/CellStyles.h"
#include "writer/insert/GridCellLayout.h"
#include "writer/insert/TableSizes.h"
#include "writer/insert/TableText.h"

using namespace writer;

namespace {

TableTexts Sample() {
  TableTexts t(3, 2);
  t.At(0, 0) = "Name";
  t.At(1, 0) = "Price, EUR";
  t.At(2, 0) = "";
  t.At(0, 1) = "He said \"yes\"";
  t.At(1, 1) = "two\r\nlines";
  t.At(2, 1) = "plain";
  return t;
}

std::string ThrownText(auto&& read) {
  try {
    read();
  } catch (const EError& e) {
    return e.what();
  }
  return "(nothing thrown)";
}

TEST(TableText, WritesCountsThenCellsColumnByColumnAndReadsThemBack) {
  TableTexts t(2, 2);
  t.At(0, 0) = "a";
  t.At(1, 0) = "b";
  t.At(0, 1) = "";
  t.At(1, 1) = "d e";
  EXPECT_EQ(WriteTableText(t), "2\r\n2\r\na\r\n\r\nb\r\nd e\r\n");
  EXPECT_EQ(ReadTableText(WriteTableText(t)), t);
  // Lines ending in LF alone and counts with blanks read the same; extra lines are ignored.
  EXPECT_EQ(ReadTableText(" 2 \n+2\na\n\nb\nd e\nextra\n"), t);
}

TEST(TableText, ALineBreakInsideACellIsWrittenAsABlankSoTheCellsStayInPlace) {
  const TableTexts back = ReadTableText(WriteTableText(Sample()));
  EXPECT_EQ(back.At(1, 1), "two  lines");
  EXPECT_EQ(back.At(2, 1), "plain");
}

TEST(TableText, DamagedFilesNameTheirDamage) {
  const std::string longLine(kMaxCellText + 1, 'x');
  const struct Case {
    std::string file;
    std::string message;
  } cases[] = {
      {"", "The table file ends before its column count."},
      {"5\r\n", "The table file ends before its row count."},
      {"five\r\n5\r\n", "The table file is damaged: line 1 holds no column count."},
      {"5\r\n-1\r\n", "The table file is damaged: line 2 holds no row count."},
      {"5\r\n99999999999\r\n", "The table file is damaged: line 2 holds no row count."},
      {"101\r\n5\r\n",
       "The table file asks for 101 columns; a table has 1 to 100 columns and rows."},
      {"1\r\n0\r\n", "The table file asks for 0 rows; a table has 1 to 100 columns and rows."},
      {"2\r\n2\r\na\r\nb\r\nc\r\n",
       "The table file is damaged: it ends after 3 of its 4 cell texts."},
      {"1\r\n1\r\n" + longLine,
       "The table file is damaged: line 3 is longer than 32767 characters."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file.substr(0, 40));
    EXPECT_EQ(ThrownText([&] { ReadTableText(c.file); }), c.message);
  }
}

TEST(TableCsv, QuotesFieldsWithSeparatorsQuotesBlanksAndLineBreaks) {
  EXPECT_EQ(WriteTableCsv(Sample()),
            "Name,\"Price, EUR\",\r\n\"He said \"\"yes\"\"\",\"two\r\nlines\",plain\r\n");
  // A row of one empty cell is two double quotes, so the line is not blank.
  TableTexts single(1, 2);
  single.At(0, 1) = "x";
  EXPECT_EQ(WriteTableCsv(single), "\"\"\r\nx\r\n");
  EXPECT_EQ(ReadTableCsv(WriteTableCsv(single)), single);
}

TEST(TableCsv, ReadsBackWhatItWroteAndFillsShortRows) {
  EXPECT_EQ(ReadTableCsv(WriteTableCsv(Sample())), Sample());
  const TableTexts ragged = ReadTableCsv("a,b,c\nd\r\n\"e\"x,\"\"\"\"");
  ASSERT_EQ(ragged.columns, 3);
  ASSERT_EQ(ragged.rows, 3);
  EXPECT_EQ(ragged.At(0, 1), "d");
  EXPECT_EQ(ragged.At(2, 1), "");
  EXPECT_EQ(ragged.At(0, 2), "ex");
  EXPECT_EQ(ragged.At(1, 2), "\"");
}

TEST(TableCsv, DamagedOrOversizedFilesGiveAClearMessage) {
  std::string wide(100, ',');
  std::string tall;
  for (int i = 0; i < 101; ++i) tall += "x\r\n";
  const struct Case {
    std::string file;
    std::string message;
  } cases[] = {
      {"", "The CSV file is empty; there is no table to import."},
      {"a,\"open\r\nb,c\r\n",
       "The CSV file is damaged: a quoted field that starts on line 1 is never closed."},
      {wide, "Line 1 of the CSV file holds more than 100 fields; a table has at most 100 columns."},
      {tall, "The CSV file holds more than 100 lines; a table has at most 100 rows."},
      {"a\r\n" + std::string(kMaxCellText + 1, 'y'),
       "The table file is damaged: a field of line 2 is longer than 32767 characters."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file.substr(0, 40));
    EXPECT_EQ(ThrownText([&] { ReadTableCsv(c.file); }), c.message);
  }
}

TEST(CellStyleList, DefaultsFollowTheHeadersAndGrowingKeepsOldEntries) {
  CellDefaults d;
  CellStyleList list;
  list.Rebuild(5, 5, d);
  list.Find(1, 1)->colour = 0x123456;
  list.Resize(8, 5, d);  // the column count typed from 5 to 8
  ASSERT_EQ(list.Count(), 40u);
  EXPECT_EQ(list.Find(1, 1)->colour, 0x123456u);
  const struct Case {
    int column, row;
    CellColour colour;
    CellFont font;
    CellAlignment alignment;
  } cases[] = {
      {6, 0, d.headerColour, CellFont::Header, CellAlignment::Centre},
      {0, 0, d.headerColour, CellFont::Header, CellAlignment::Centre},
      {0, 3, d.headerColour, CellFont::Header, CellAlignment::Left},
      {7, 4, d.bodyColour, CellFont::Table, CellAlignment::Left},
  };
  for (const Case& c : cases) {
    const TCellStyle* s = list.Find(c.column, c.row);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->row, c.row);
    EXPECT_EQ(s->column, c.column);
    EXPECT_EQ(s->colour, c.colour) << c.column << "," << c.row;
    EXPECT_EQ(s->font, c.font) << c.column << "," << c.row;
    EXPECT_EQ(s->alignment, c.alignment) << c.column << "," << c.row;
  }
  list.Resize(2, 3, d);
  EXPECT_EQ(list.Count(), 6u);
  EXPECT_EQ(list.Find(2, 0), nullptr);
  EXPECT_EQ(list.Find(1, 1)->colour, 0x123456u);
}

TEST(CellStyleList, HeaderSwitchesColoursAndFonts) {
  CellDefaults d;
  CellStyleList list;
  list.Rebuild(3, 3, d);
  d.headerRow = false;
  list.HeaderRowSwitched(d);
  EXPECT_EQ(list.Find(1, 0)->colour, d.bodyColour);
  EXPECT_EQ(list.Find(1, 0)->font, CellFont::Table);
  EXPECT_EQ(list.Find(0, 0)->colour, d.headerColour) << "still in the header column";
  d.headerRow = true;
  list.HeaderRowSwitched(d);
  EXPECT_EQ(list.Find(2, 0)->alignment, CellAlignment::Centre) << "alignment stays";
  EXPECT_EQ(list.Find(2, 0)->font, CellFont::Header);

  list.ColourColumn(1, 0xAA, d);
  list.ColourRow(2, 0xBB, d);
  EXPECT_EQ(list.Find(1, 0)->colour, d.headerColour);
  EXPECT_EQ(list.Find(1, 1)->colour, 0xAAu);
  EXPECT_EQ(list.Find(1, 2)->colour, 0xBBu);
  EXPECT_EQ(list.Find(0, 2)->colour, d.headerColour);
  d.headerColumn = false;
  list.HeaderColumnSwitched(d);
  list.ColourRow(1, 0xCC, d);
  EXPECT_EQ(list.Find(0, 1)->colour, 0xCCu);
  d.headerColour = 0xDD;
  list.ColourHeaders(d);
  EXPECT_EQ(list.Find(0, 0)->colour, 0xDDu);
  EXPECT_EQ(list.Find(0, 2)->colour, d.bodyColour);
}

TEST(GridCellLayout, AccumulatesRectanglesAndChoosesPensAndLayouts) {
  CellDefaults d;
  CellStyleList styles;
  styles.Rebuild(3, 2, d);
  styles.Find(2, 1)->alignment = CellAlignment::Right;
  styles.Find(1, 1)->alignment = static_cast<CellAlignment>(7);
  GridGeometry g{{64, 10, 600}, {24, 30}, true, true};
  EXPECT_EQ(g.Width(), 674);
  EXPECT_EQ(g.Height(), 54);
  const auto specs = BuildCellSpecs(g, styles);
  ASSERT_EQ(specs.size(), 6u);
  const TCellSpecs& last = specs[5];
  EXPECT_EQ(last.left, 74);
  EXPECT_EQ(last.top, 24);
  EXPECT_EQ(last.right, 674);
  EXPECT_EQ(last.bottom, 54);
  EXPECT_EQ(last.layout, CellTextLayout::WrapRight);
  EXPECT_EQ(last.pen, kBodyPen);
  EXPECT_EQ(specs[0].layout, CellTextLayout::HeaderLeft) << "top left: a column-0 header";
  EXPECT_EQ(specs[0].pen, kHeaderPen);
  EXPECT_EQ(specs[1].layout, CellTextLayout::HeaderCentre);
  EXPECT_EQ(specs[3].layout, CellTextLayout::HeaderLeft);
  EXPECT_EQ(specs[4].layout, CellTextLayout::None) << "an unknown alignment draws no text";
}

}  // namespace

namespace {

TEST(ColumnWidthText, ShowsMillimetresAndInchesFromWholeTwipsPerPixel) {
  EXPECT_EQ(ColumnWidthText(64, 96), "Col Width: 16.798 mm - 0.661 inches");
  EXPECT_EQ(ColumnWidthText(600, 96), "Col Width: 157.480 mm - 6.200 inches");
  // 120 per inch: 12 whole twips a pixel, so a 10-pixel column is 3.281 mm.
  EXPECT_EQ(ColumnWidthText(10, 120), "Col Width: 3.281 mm - 0.129 inches");
}

}  // namespace
