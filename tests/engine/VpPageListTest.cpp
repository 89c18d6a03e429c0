#include <gtest/gtest.h>

#include "engine/VpPageList.h"
#include "tests/engine/NearLongDouble.h"
#include "tests/engine/RecordingTarget.h"

namespace {

// Counts every notification of a list by name.
struct TNotifications {
  std::map<std::string, int> counts;
  std::vector<std::string> order;
  explicit TNotifications(TVpPageList& list) {
    Watch(list.OnNewPage, "new");
    Watch(list.OnClear, "clear");
    Watch(list.OnPageChanged, "changed");
    Watch(list.OnBeforePageChange, "before");
    Watch(list.OnPageContentChanged, "content");
    Watch(list.OnPageCountChanged, "count");
    Watch(list.OnMarginsChanged, "margins");
  }
  void Watch(TVpNotifyEvent<TVpPageList>& event, std::string name) {
    event = [this, name](TVpPageList&) {
      ++counts[name];
      order.push_back(name);
    };
  }
  void Reset() {
    counts.clear();
    order.clear();
  }
};

std::string Record(const TVpBaseObject& object) {
  TVpMemoryStream stream;
  object.SaveToStream(stream);
  return stream.Bytes();
}

}  // namespace

TEST(PageList, PagesAndCurrentPageNotifyAsTheOwnerExpects) {
  TVpPageList list;
  for (int i = 0; i < 3; ++i) list.AddPage();
  TNotifications seen(list);
  list.AddPage();
  EXPECT_EQ(list.CurrentPage(), 4);
  EXPECT_EQ(seen.order, (std::vector<std::string>{"count", "content", "before", "changed", "new"}));

  seen.Reset();
  for (int n : {0, 5, 4}) list.GoToPage(n);
  EXPECT_TRUE(seen.order.empty()) << "out of range or already current: nothing happens";

  list.BeginUpdate();
  list.BeginUpdate();
  for (int i = 0; i < 10; ++i) list.AddPage();
  list.EndUpdate();
  EXPECT_EQ(seen.counts["count"], 0) << "still inside the outer update";
  list.EndUpdate();
  list.EndUpdate();  // an extra one is harmless
  EXPECT_EQ(seen.counts["new"], 10);
  EXPECT_EQ(seen.counts["count"], 1);
  EXPECT_EQ(seen.counts["content"], 1);

  seen.Reset();
  list.ClearPages(false, true);
  EXPECT_EQ(list.PageCount(), 1);
  EXPECT_EQ(list.CurrentPage(), 1);
  EXPECT_EQ(seen.counts["changed"], 0) << "page 1 was already current";
  EXPECT_EQ(seen.counts["new"], 1);
  EXPECT_EQ(seen.order.back(), "clear");
}

TEST(PageList, PaperSizeAndOrientationResizeEveryPage) {
  TVpPageList list;
  list.AddPage();
  list.AddPage();
  list.SetPaperSize(TVpPaperSize::Ledger);
  list.SetOrientation(vpLandscape);
  EXPECT_EQ(list.GetPage(1).Size(), (TVpSize{17, 11}));
  list.SetOrientation(vpPortrait);
  EXPECT_EQ(list.GetPage(2).Size(), (TVpSize{11, 17}));
  list.SetCustomPaperSize(100, 50, vpMillimeters);
  EXPECT_NEAR_LD(list.GetPage(1).Size().Width, 100 / 25.4L, 1e-15L);
  EXPECT_EQ(list.PaperSize(), TVpPaperSize::Custom);
}

TEST(Canvas, RecordsInInchesFromTheChosenOrigin) {
  TVpPageList list;
  list.AddPage();
  TVpCanvas& canvas = list.Canvas();
  canvas.TextOut(20, 30, "a", vpMillimeters);
  auto& text = dynamic_cast<TVpTextObject&>(*canvas.LastObject());
  EXPECT_NEAR_LD(text.Position().X, 20 / 25.4L, 1e-15L);
  EXPECT_NEAR_LD(text.Position().Y, 30 / 25.4L, 1e-15L);
  EXPECT_FALSE(text.HasClip());

  canvas.SetCoordsRelativeTo(vpFromUserMargins);
  canvas.Rectangle(0, 0, 1, 1, vpInches);
  EXPECT_EQ(dynamic_cast<TVpRectangleShape&>(*canvas.LastObject()).Rect(),
            (TVpRect{0.5L, 0.5L, 1.5L, 1.5L}));

  list.CellHeight = [](const TVpFont&, int ppi) { return ppi / 4; };  // a 0.25 inch band
  canvas.SetCoordsRelativeTo(vpFromHeaderLine);
  canvas.TextOut(0, 0, "b", vpInches);
  EXPECT_EQ(dynamic_cast<TVpTextObject&>(*canvas.LastObject()).Position(), (TVpPoint{0.5L, 0.75L}));

  canvas.ClipRect(0, 0, 1, 1, vpInches);
  EXPECT_EQ(dynamic_cast<TVpClipRectObject&>(*canvas.LastObject()).Rect(), (TVpRect{0, 0, 1, 1}))
      << "clip shapes stay where they were recorded";
}

TEST(Canvas, SharesEqualResourcesAndKeepsTheAngleToOneText) {
  TVpPageList list;
  list.AddPage();
  TVpCanvas& canvas = list.Canvas();
  for (int i = 0; i < 1000; ++i) canvas.TextOut(i, 0, "x", vpMillimeters);
  const TVpResourceTable& r = list.Resources();
  EXPECT_EQ(r.Fonts.Count(), 1);
  EXPECT_EQ(r.Brushes.Count(), 1);
  EXPECT_EQ(r.Pens.Count(), 1);
  EXPECT_EQ(r.Fonts.References(0), 1000);

  canvas.TextOutEx(0, 0, "turned", vpInches, std::nullopt, 45);
  EXPECT_EQ(dynamic_cast<TVpTextObject&>(*canvas.LastObject()).Font()->Angle, 45);
  canvas.TextOut(0, 0, "straight", vpInches);
  EXPECT_EQ(dynamic_cast<TVpTextObject&>(*canvas.LastObject()).Font()->Angle, 0);

  canvas.SaveState();
  canvas.Pen.Color = 0xFF;
  canvas.SetCoordsRelativeTo(vpFromUserMargins);
  canvas.RestoreState();
  EXPECT_EQ(canvas.Pen.Color, 0u);
  EXPECT_EQ(canvas.CoordsRelativeTo(), vpFromPage);
}

TEST(Resources, CountReferencesAndFoldEqualEntries) {
  TVpResourceTable table;
  const TVpPen* pen = table.Pens.Add({4, 0, vpPenSolid, 4});
  EXPECT_EQ(table.Pens.Add({4, 0, vpPenSolid, 4}), pen);
  EXPECT_EQ(table.Pens.References(0), 2);
  table.Pens.Release(pen);
  EXPECT_EQ(table.Pens.References(0), 1);
  table.Pens.Release(pen);
  EXPECT_EQ(table.Pens.Count(), 0);

  TVpFont arial;
  arial.Name = "Arial";
  TVpFont lower = arial;
  lower.Name = "arial";
  table.Fonts.Add(arial);
  table.Fonts.Add(lower);
  EXPECT_EQ(table.Fonts.Count(), 2) << "names compare case-sensitively";

  TVpPicture picture{TVpPictureKind::Bitmap, "BM-bytes", 2, 2, 6};
  table.Graphics.Add(picture);
  table.Graphics.Add(picture);
  EXPECT_EQ(table.Graphics.References(0), 2);
  table.Graphics.SetCompareGraphics(false);
  table.Graphics.Add(picture);
  EXPECT_EQ(table.Graphics.Count(), 2);

  table.Clear();
  table.Pens.Add({});
  EXPECT_EQ(table.Pens.References(0), 1);
}

TEST(Objects, StoreTheirRecordsByteForByte) {
  TVpResourceTable table;
  const TVpPen* pen = table.Pens.Add({});
  table.Brushes.Add({0, vpBrushSolid});
  const TVpBrush* brush = table.Brushes.Add({kVpWhite, vpBrushSolid});
  TVpRectangleShape rect(table);
  rect.SetPen(pen);
  rect.SetBrush(brush);
  rect.SetRect({1, 1, 2.5L, 2}, vpInches);
  const std::string lines = "\r\n\r\nID=2\r\nUI=-1\r\nP=0\r\nB=1\r\nXY=1000,1000,2500,2000\r\n";
  EXPECT_EQ(Record(rect), std::string("\x02\0\0\0", 4) + std::string("\x33\0\0\0", 4) + lines);
  EXPECT_EQ(lines.size(), 0x33u);

  TVpTextObject text(table);
  text.SetText("Name");
  text.SetX(0.25L, vpInches);
  text.SetY(0.5L, vpInches);
  const std::string stored = Record(text);
  EXPECT_NE(stored.find("T=Name\r\nCR=-1000,-1000,-1000,-1000\r\nXY=250,500\r\n"),
            std::string::npos);
}

TEST(Objects, EveryKindReadsBackToTheSameRecord) {
  TVpPageList list;
  list.AddPage();
  TVpCanvas& canvas = list.Canvas();
  canvas.TextOutEx(1, 2, "{PAGE}", vpInches, TVpRect{0, 0, 1, 0.2L}, 0);
  canvas.Rectangle(1, 1, 2, 2, vpInches);
  canvas.Ellipse(1, 1, 2, 2, vpInches);
  canvas.RoundRect(1, 1, 2, 2, 0.25L, 0.5L, vpInches);
  canvas.StretchDraw(0, 0, 1, 1, {TVpPictureKind::Bitmap, "BM..", 1, 1, 6}, vpInches);
  canvas.ClipRect(0, 0, 1, 1, vpInches);
  canvas.ClipEllipse(0, 0, 1, 1, vpInches);
  canvas.ClipRoundRect(0, 0, 1, 1, 0.1L, 0.1L, vpInches);
  canvas.RemoveClip();
  const TVpPage& page = list.GetPage(1);
  ASSERT_EQ(page.ObjectCount(), 9);
  for (int i = 0; i < page.ObjectCount(); ++i) {
    TVpMemoryStream stream(Record(page.Object(i)));
    const auto copy = ReadPageObject(stream, list.Resources());
    EXPECT_EQ(Record(*copy), stream.Bytes()) << "object " << i;
  }
  TVpMemoryStream unknown(std::string("\x07\0\0\0", 4));
  EXPECT_THROW(ReadPageObject(unknown, list.Resources()), EVpStreamError);
  TVpMemoryStream dangling(Record(page.Object(1)));
  list.Resources().Pens.Clear();
  EXPECT_THROW(ReadPageObject(dangling, list.Resources()), EVpStreamError)
      << "a pen index the list does not hold is reported, not followed";
}

TEST(Objects, EditingASharedPenLeavesTheOtherObjectAlone) {
  TVpResourceTable table;
  const TVpPen* shared = table.Pens.Add({1, 0, vpPenSolid, 4});
  table.Pens.Add({1, 0, vpPenSolid, 4});
  TVpRectangleShape a(table), b(table);
  a.SetPen(shared);
  b.SetPen(shared);
  a.EditPen([](TVpPen& pen) { pen.Color = 0xFF; });
  EXPECT_EQ(a.Pen()->Color, 0xFFu);
  EXPECT_EQ(b.Pen()->Color, 0u);
  EXPECT_EQ(table.Pens.Count(), 2);

  TVpRoundRectShape round(table);
  round.SetRect({0, 0, 2, 1}, vpInches);
  round.SetCorner({0.25L, 0.25L}, vpInches);
  round.MoveBy(vpInches, 1, 1);
  EXPECT_EQ(round.Rect(), (TVpRect{1, 1, 3, 2}));
  EXPECT_EQ(round.Corner(), (TVpPoint{0.25L, 0.25L}));
}

TEST(DrawPage, DrawsObjectsInOrderAndSkipsUnprintableOnesOnPaper) {
  TVpPageList list;
  list.AddPage();
  TVpCanvas& canvas = list.Canvas();
  canvas.Rectangle(1, 1, 2, 2, vpInches);
  canvas.TextOutEx(0, 0, "p{PAGE}/{NUMPAGES}", vpInches, TVpRect{0, 0, 1, 0.2L}, 0);
  canvas.LastObject()->SetPrintable(false);

  TRecordingTarget screen;
  list.DrawPage(list.GetPage(1), screen, 600, 600);
  EXPECT_EQ(screen.calls[2], "polygon 600,600 1200,600 1200,1200 600,1200 600,600 1200,600");
  EXPECT_EQ(screen.calls.back(), "text 0,0 'p1/1' 0,0 600,120");

  TRecordingTarget paper(true);
  list.DrawPage(list.GetPage(1), paper, 300, 300);
  EXPECT_EQ(paper.calls.size(), 3u) << "pen, brush, polygon; the text is not printable";
}

TEST(PageList, ObjectsAreFoundAndReorderedOnTheCurrentPage) {
  TVpPageList list;
  list.AddPage();
  TVpCanvas& canvas = list.Canvas();
  canvas.Rectangle(0, 0, 2, 2, vpInches);
  TVpBaseObject* lower = canvas.LastObject();
  canvas.Rectangle(1, 1, 3, 3, vpInches);
  TVpBaseObject* upper = canvas.LastObject();

  TRecordingTarget outlines;
  outlines.outline = {0, 0, 1800, 1800};
  EXPECT_EQ(list.ObjectAtPoint(list.GetPage(1), 1.5L, 1.5L, vpInches, outlines), upper)
      << "the topmost of two overlapping objects wins";
  outlines.outline = {};
  EXPECT_EQ(list.ObjectAtPoint(list.GetPage(1), 1.5L, 1.5L, vpInches, outlines), nullptr);

  list.MoveObject(*lower, 2);
  EXPECT_EQ(list.GetPage(1).IndexOf(*lower), 0) << "the first object cannot go lower";
  list.MoveObject(*lower, 0);
  EXPECT_EQ(list.GetPage(1).IndexOf(*lower), 1);
  EXPECT_EQ(list.GetPage(1).IndexOf(*upper), 0);
}

TEST(Resources, ListRecordsReadBackAndSkipWhatTheyCannotRead) {
  TVpResourceTable table;
  table.Pens.Add({4, 0xFF, vpPenDot, 4});
  table.Brushes.Add({0x00FF00, vpBrushSolid});
  TVpFont font;
  font.Name = "Courier New";
  font.Style = vpBold | vpUnderline;
  font.Angle = 12.5L;
  table.Fonts.Add(font);
  TVpMemoryStream stream;
  table.Pens.SaveToStream(stream);
  table.Brushes.SaveToStream(stream);
  table.Fonts.SaveToStream(stream);
  EXPECT_NE(stream.Bytes().find("ST=b,u\r\nFA=12.500\r\n"), std::string::npos);

  stream.Seek(0);
  TVpResourceTable copy;
  copy.Pens.Add({});
  copy.Brushes.Add({});
  copy.Pens.LoadFromStream(stream);
  copy.Brushes.LoadFromStream(stream);
  copy.Fonts.LoadFromStream(stream);
  EXPECT_EQ(copy.Pens.Count(), 2) << "pens are added to what the list holds";
  EXPECT_EQ(copy.Brushes.Count(), 1) << "brushes replace the list";
  EXPECT_EQ(*copy.Pens.At(1), *table.Pens.At(0));
  EXPECT_EQ(*copy.Brushes.At(0), *table.Brushes.At(0));
  EXPECT_EQ(*copy.Fonts.At(0), font);

  TVpMemoryStream bare;
  bare.WriteInt32(2);
  TVpValueList sizeOnly;
  sizeOnly.WriteInteger("SZ", 14);
  sizeOnly.SaveToStream(bare);
  TVpValueList emptyName;
  emptyName.AddLine("FN=");
  emptyName.SaveToStream(bare);
  bare.Seek(0);
  copy.Fonts.LoadFromStream(bare);
  ASSERT_EQ(copy.Fonts.Count(), 2);
  EXPECT_EQ(copy.Fonts.At(0)->Name, "Arial");
  EXPECT_EQ(copy.Fonts.At(0)->Color, kVpWhite);
  EXPECT_EQ(copy.Fonts.At(1)->Name, "Arial") << "an empty face name is no face";

  // Two picture entries, the first of a kind no reader knows: skipped by its end position.
  TVpMemoryStream pictures;
  pictures.WriteInt32(2);
  pictures.WriteByte(7);
  pictures.WriteInt32(static_cast<std::int32_t>(pictures.Size() + 4 + 3));
  pictures.Write("???");
  TVpResourceTable source;
  source.Graphics.Add(PictureFromFileBytes(
      std::string("BM\x3a\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\x18\0\0\0\0\0"
                  "\x04\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\xff\xff\xff\0",
                  58)));
  TVpMemoryStream one;
  source.Graphics.SaveToStream(one);
  const std::string entry = one.Bytes().substr(4);
  pictures.WriteByte(static_cast<std::uint8_t>(entry[0]));
  pictures.WriteInt32(static_cast<std::int32_t>(pictures.Size() + 4 + entry.size() - 5));
  pictures.Write(entry.substr(5));
  pictures.Seek(0);
  TVpGraphicList read;
  read.LoadFromStream(pictures);
  ASSERT_EQ(read.Count(), 1);
  EXPECT_EQ(read.At(0)->Width, 1);

  for (const std::string& hostile :
       {std::string("\xff\xff\xff\xff", 4), std::string("\x01\0\0\0\x02\xff\xff\0\0", 9)}) {
    TVpMemoryStream bad(hostile);
    EXPECT_THROW(TVpGraphicList().LoadFromStream(bad), EVpStreamError);
  }
}

TEST(DrawPage, HeaderAndFooterFollowThePageAndTheBandHeight) {
  TVpPageList list;
  list.CellHeight = [](const TVpFont&, int ppi) { return ppi / 4; };
  list.AddPage();
  list.Header().SetVisible(true);
  list.Footer().SetVisible(true);
  list.Header().CaptionLeft().SetCaption("head");
  list.Footer().CaptionLeft().SetCaption("foot");
  const TVpSize page = list.GetPage(1).Size();
  EXPECT_EQ(list.HeaderRect().AsRect(), (TVpRect{0.5L, 0.5L, page.Width - 0.5L, 0.75L}));
  EXPECT_EQ(list.FooterRect().AsRect(),
            (TVpRect{0.5L, page.Height - 0.75L, page.Width - 0.5L, page.Height - 0.5L}));

  list.GetPage(1).SetShowHeader(false);
  TRecordingTarget target;
  list.DrawPage(list.GetPage(1), target, 600, 600);
  std::string drawn;
  for (const std::string& call : target.calls) drawn += call + "\n";
  EXPECT_EQ(drawn.find("'head'"), std::string::npos);
  EXPECT_NE(drawn.find("'foot'"), std::string::npos);
}
