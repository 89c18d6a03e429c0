#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/VpMarrowby.h"
#include "engine/VpPreview.h"
#include "tests/engine/NearLongDouble.h"
#include "tests/engine/RecordingTarget.h"

namespace {

using T = TVpLabelTemplate;
constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();

// Where a label of the default sheet (3 across, 8 down) lies.
TVpRect SheetRect(int col, int row) {
  const long double left = 0.25L + (col - 1) * 2.63L;
  const long double top = 0.54L + (row - 1) * 1.33L;
  return {left, top, left + 2.52L, top + 1.33L};
}

void ExpectRect(const TVpRect& actual, const TVpRect& expected) {
  EXPECT_NEAR_LD(actual.Left, expected.Left, 1e-12L);
  EXPECT_NEAR_LD(actual.Top, expected.Top, 1e-12L);
  EXPECT_NEAR_LD(actual.Right, expected.Right, 1e-12L);
  EXPECT_NEAR_LD(actual.Bottom, expected.Bottom, 1e-12L);
}

// A preview in a hidden window with a component drawing into it. The canvas starts from the
// user margins (half an inch), so label positions also show that runs place from the page.
struct TScene {
  struct Drawn {
    int label, page;
    TVpRect rect;
  };
  HWND host = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 400, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  std::unique_ptr<TVpPreview> preview = std::make_unique<TVpPreview>(host);
  TVpMarrowby labels;
  std::vector<std::string> messages;
  std::vector<Drawn> drawn;

  TScene() {
    labels.SetPreview(preview.get());
    labels.ShowMessage = [this](const std::string& text) { messages.push_back(text); };
    labels.OnDrawLabel = [this](TVpMarrowby&, int n, TVpValueRect& rect, TVpCanvas& canvas) {
      drawn.push_back({n, preview->CurrentPage(), rect.AsRect()});
      canvas.TextOut(rect.Left().AsInches(), rect.Top().AsInches(), "x", vpInches);
    };
    preview->Canvas().SetCoordsRelativeTo(vpFromUserMargins);
  }
  ~TScene() {
    preview.reset();
    DestroyWindow(host);
  }
  TVpPage& Page(int n) { return preview->GetPage(n); }
  std::vector<TVpRect> Outlines(int page) {
    std::vector<TVpRect> rects;
    for (int i = 0; i < Page(page).ObjectCount(); ++i)
      if (auto* shape = dynamic_cast<const TVpBaseSolidShape*>(&Page(page).Object(i));
          shape && !shape->Printable())
        rects.push_back(shape->Rect());
    return rects;
  }
  bool HasOutline(int page, const TVpRect& r) {
    auto same = [](long double a, long double b) { return std::fabs(a - b) < 1e-12L; };
    const std::vector<TVpRect> rects = Outlines(page);
    return std::any_of(rects.begin(), rects.end(), [&](const TVpRect& o) {
      return same(o.Left, r.Left) && same(o.Top, r.Top) && same(o.Right, r.Right) &&
             same(o.Bottom, r.Bottom);
    });
  }
  TVpLabelTemplateInfo& UseSheet(const TVpLabelSheetValues& values,
                                 TVpLabelShape shape = TVpLabelShape::RoundRect,
                                 TVpPaperSize paper = TVpPaperSize::A4,
                                 std::optional<TVpSize> page = std::nullopt) {
    labels.SetTemplate(T::Custom_Template);
    return labels.Templates().AddCustomTemplate("Custom_Template", values, page, paper, shape,
                                                vpInches);
  }
};

}  // namespace

TEST(VpMarrowby, PlacesLabelsInSheetOrderFromTheStartLabel) {
  struct Spot {
    int label, page, col, row;
  };
  const struct Case {
    const char* name;
    TVpLabelDrawOrder order;
    int start, count;
    std::vector<int> outlinesPerPage;
    std::vector<Spot> spots;
  } cases[] = {
      {"a full sheet, no empty page after", vpRows, 1, 24, {24}, {{1, 1, 1, 1}, {24, 1, 3, 8}}},
      {"one past a sheet", vpRows, 1, 25, {24, 1}, {{4, 1, 1, 2}, {25, 2, 1, 1}}},
      {"from position 5", vpRows, 5, 3, {3}, {{1, 1, 2, 2}, {2, 1, 3, 2}, {3, 1, 1, 3}}},
      {"skipped positions fill a sheet", vpRows, 26, 1, {0, 1}, {{1, 2, 2, 1}}},
      {"columns", vpColumns, 1, 9, {9}, {{2, 1, 1, 2}, {8, 1, 1, 8}, {9, 1, 2, 1}}},
      {"nothing", vpRows, 1, 0, {0}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TScene scene;
    scene.labels.SetDrawOrder(c.order);
    scene.labels.SetStartLabel(c.start);
    scene.labels.DrawLabels(c.count);
    ASSERT_EQ(scene.preview->PageCount(), static_cast<int>(c.outlinesPerPage.size()));
    for (int page = 1; page <= scene.preview->PageCount(); ++page)
      EXPECT_EQ(scene.Outlines(page).size(), c.outlinesPerPage[page - 1]) << "page " << page;
    ASSERT_EQ(scene.drawn.size(), static_cast<std::size_t>(c.count));
    for (const Spot& spot : c.spots) {
      const TScene::Drawn& d = scene.drawn[spot.label - 1];
      EXPECT_EQ(d.label, spot.label);
      EXPECT_EQ(d.page, spot.page) << "label " << spot.label;
      ExpectRect(d.rect, SheetRect(spot.col, spot.row));
      EXPECT_TRUE(scene.HasOutline(spot.page, SheetRect(spot.col, spot.row)))
          << "label " << spot.label;
    }
    EXPECT_TRUE(scene.messages.empty());
  }
}

TEST(VpMarrowby, OutlinesShowButDoNotPrintAndClipsMatchTheShape) {
  const struct Case {
    TVpLabelShape shape;
    bool clip;
    TVpObjectType outline, clipType;
  } cases[] = {
      {TVpLabelShape::Rectangle, true, vpRectangleShape, vpClipRectObject},
      {TVpLabelShape::RoundRect, true, vpRoundRectShape, vpClipRoundRectObject},
      {TVpLabelShape::Ellipse, true, vpEllipseShape, vpClipEllipseObject},
      {TVpLabelShape::RoundRect, false, vpRoundRectShape, vpTextObject},  // no clip
  };
  const TVpPen labelPen{2, 0x00FF00, vpPenDash, vpPenModeCopy};
  const TVpPen canvasPen{5, 0x0000FF, vpPenSolid, vpPenModeCopy};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.shape) * 2 + c.clip);
    TScene scene;
    scene.UseSheet({1, 1, 2, 1, 0.1L, 2, 1, 0.5L, 0.5L}, c.shape);
    scene.labels.SetClipLabels(c.clip);
    scene.labels.SetLabelPen(labelPen);
    scene.labels.SetLabelBrush({0x123456, vpBrushSolid});
    scene.preview->Canvas().Pen = canvasPen;
    scene.labels.DrawLabels(1);

    // The run's opening clip removal, the outline, the clip, the label's text, its removal.
    const TVpPage& page = scene.Page(1);
    std::vector<TVpObjectType> types;
    for (int i = 0; i < page.ObjectCount(); ++i) types.push_back(page.Object(i).ObjectType());
    std::vector<TVpObjectType> expected{vpRemoveClipObject, c.outline, c.clipType, vpTextObject,
                                        vpRemoveClipObject};
    if (!c.clip) expected.erase(expected.begin() + 2);
    ASSERT_EQ(types, expected);
    const auto& outline = dynamic_cast<const TVpBaseSolidShape&>(page.Object(1));
    EXPECT_EQ(*outline.Pen(), labelPen);
    EXPECT_EQ(*outline.Brush(), (TVpBrush{0x123456, vpBrushSolid}));
    ExpectRect(outline.Rect(), {0.5L, 0.5L, 2.5L, 1.5L});
    if (auto* round = dynamic_cast<const TVpRoundRectShape*>(&outline)) {
      EXPECT_NEAR_LD(round->Corner().X, 0.2L, 1e-15L);
      EXPECT_NEAR_LD(round->Corner().Y, 0.2L, 1e-15L);
    }
    if (c.clip)
      ExpectRect(dynamic_cast<const TVpBaseClipObject&>(page.Object(2)).Rect(),
                 {0.5L, 0.5L, 2.5L, 1.5L});
    if (auto* clip = dynamic_cast<const TVpClipRoundRectObject*>(&page.Object(2))) {
      EXPECT_NEAR_LD(clip->Corner().X, 0.2L, 1e-15L);
    }
    const auto& text = dynamic_cast<const TVpTextObject&>(page.Object(c.clip ? 3 : 2));
    EXPECT_TRUE(text.Printable());
    EXPECT_EQ(*text.Pen(), canvasPen) << "the label handler draws with the canvas's own pen";

    TRecordingTarget screen, printer(true);
    scene.preview->PageList().DrawPage(page, screen, 600, 600);
    scene.preview->PageList().DrawPage(page, printer, 600, 600);
    auto count = [](const TRecordingTarget& t, std::initializer_list<const char*> kinds) {
      return std::count_if(t.calls.begin(), t.calls.end(), [&](const std::string& call) {
        return std::any_of(kinds.begin(), kinds.end(),
                           [&](const char* kind) { return call.rfind(kind, 0) == 0; });
      });
    };
    EXPECT_EQ(count(screen, {"path", "polygon"}), 1);
    EXPECT_EQ(count(printer, {"path", "polygon"}), 0) << "printed sheets carry no outlines";
    EXPECT_EQ(count(printer, {"text"}), 1);
  }
}

TEST(VpMarrowby, SetsThePaperOfTheSheet) {
  const struct Case {
    T id;
    TVpPaperSize paper;
    TVpOrientation orientation;
    TVpSize page;
  } cases[] = {
      {T::L7169_Parcel, TVpPaperSize::A4, vpLandscape, {}},
      {T::Avery_5160_Address, TVpPaperSize::Letter, vpPortrait, {}},
      {T::Custom_Template, TVpPaperSize::Custom, vpPortrait, {5, 3}},
  };
  for (const Case& c : cases) {
    TScene scene;
    scene.preview->SetOrientation(c.orientation == vpPortrait ? vpLandscape : vpPortrait);
    scene.labels.SetTemplate(c.id);
    if (c.id == T::Custom_Template)
      scene.UseSheet({2, 2, 1, 1, 0, 1, 1, 0, 0}, TVpLabelShape::Rectangle, c.paper, c.page);
    scene.labels.DrawLabels(0);
    EXPECT_EQ(scene.preview->PaperSize(), c.paper);
    if (c.id == T::Custom_Template)
      EXPECT_EQ(scene.preview->PageList().PageSize(), c.page);
    else
      EXPECT_EQ(scene.preview->Orientation(), c.orientation);
    EXPECT_EQ(scene.preview->PageCount(), 1);
    EXPECT_TRUE(scene.Outlines(1).empty());
  }
}

TEST(VpMarrowby, RefusesWhatItCannotLayOutAndSaysWhy) {
  {  // No preview, or one that has gone since: the message, and nothing drawn.
    TScene scene;
    scene.labels.SetPreview(nullptr);
    scene.labels.DrawLabels(3);
    EXPECT_EQ(scene.Page(1).ObjectCount(), 0);
    scene.labels.SetPreview(scene.preview.get());
    scene.preview.reset();
    EXPECT_EQ(scene.labels.Preview(), nullptr);
    scene.labels.DrawLabels(3);
    const std::string text =
        "TVpMarrowby Error!\r\n\r\nThe \"Preview\" property must be set to a TVpPreview "
        "component.";
    EXPECT_EQ(scene.messages, (std::vector<std::string>{text, text}));
  }
  const long double inf = std::numeric_limits<long double>::infinity();
  const struct Case {
    TVpLabelSheetValues values;
    int shape;
    TVpPaperSize paper;
    TVpSize page;
    const char* problem;
  } cases[] = {
      {{3, 8, kNaN, 1, 0, 3, 1, 0, 0},
       1,
       TVpPaperSize::A4,
       {},
       "label width must be a finite number"},
      {{3, 8, -1, 1, 0, 3, 1, 0, 0}, 1, TVpPaperSize::A4, {}, "label width must be greater than 0"},
      {{3, 8, 1, 0, 0, 3, 1, 0, 0}, 1, TVpPaperSize::A4, {}, "label height must be greater than 0"},
      {{3, 8, 1, 1, 0, inf, 1, 0, 0},
       1,
       TVpPaperSize::A4,
       {},
       "horizontal pitch must be a finite number"},
      {{3, 8, 1, 1, 0, 3, 1, 1e300L, 0},
       1,
       TVpPaperSize::A4,
       {},
       "left offset must be between -1000 and 1000 inches"},
      {{3, 8, 1, 1, 0, 3, 1, 0, 0},
       7,
       TVpPaperSize::A4,
       {},
       "outline shape must be a rectangle, a rounded rectangle or an ellipse"},
      {{3, 8, 1, 1, 0, 3, 1, 0, 0},
       1,
       TVpPaperSize::Custom,
       {-1, 5},
       "page width must be greater than 0"},
      // Absurd but harmless: wide sheets, negative pitches, counts of 0.
      {{10000, 10000, 1, 1, 0, -3, -1, 0, 0}, 1, TVpPaperSize::A4, {}, ""},
      {{0, 8, kNaN, 1, 0, 3, 1, 0, 0}, 1, TVpPaperSize::A4, {}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.problem);
    TScene scene;
    scene.UseSheet(c.values, static_cast<TVpLabelShape>(c.shape), c.paper, c.page);
    const std::string problem = c.problem;
    EXPECT_EQ(scene.labels.LayoutProblem(),
              problem.empty() ? "" : "The label sheet's " + problem + ".");
    scene.labels.DrawLabels(3);
    const bool draws = problem.empty() && c.values.Across != 0;
    EXPECT_EQ(scene.Outlines(1).size(), draws ? 3u : 0u);
    if (!draws) {
      EXPECT_EQ(scene.Page(1).ObjectCount(), 0);
    }
    EXPECT_EQ(scene.labels.LabelsPerPage(), std::int64_t{c.values.Across} * c.values.Down);
  }
  TScene scene;
  scene.labels.SetTemplate(T::Avery_8160_Address);  // not in the catalogue
  scene.labels.DrawLabels(3);
  EXPECT_EQ(scene.labels.LabelsPerPage(), 0);
  EXPECT_EQ(scene.Page(1).ObjectCount(), 0);
  // A custom slot added again after the template was chosen is the one used.
  scene.UseSheet({1, 1, 1, 1, 0, 1, 1, 0, 0});
  scene.labels.Templates().AddCustomTemplate(
      "Custom_Template", {2147483647, 2147483647, 1, 1, 0, 1, 1, 0, 0}, std::nullopt,
      TVpPaperSize::A4, TVpLabelShape::Rectangle, vpInches);
  EXPECT_EQ(scene.labels.LabelsPerPage(), std::int64_t{2147483647} * 2147483647);
}

TEST(VpMarrowby, ColumnHeightsComeFromTheHandler) {
  for (const TVpLabelDrawOrder order : {vpColumns, vpRows}) {
    TScene scene;
    scene.UseSheet({2, 3, 1, 1, 0, 2, 1.5L, 0.5L, 0.5L});
    scene.labels.SetDrawOrder(order);
    std::vector<std::vector<int>> calls;
    scene.labels.OnGetLabelHeight = [&](TVpMarrowby&, int n, int col, int row, TVpValue& height,
                                        TVpValue& spacing) {
      calls.push_back({n, col, row});
      // Row 3 asks for the impossible: the sheet's own height stays.
      height.SetAsInches(row == 3 ? kNaN : 0.5L * row);
      spacing.SetAsInches(height.AsInches() + 0.25L);
    };
    scene.labels.DrawLabels(6);
    ASSERT_EQ(scene.drawn.size(), 6u);
    if (order == vpRows) {
      EXPECT_TRUE(calls.empty());
      ExpectRect(scene.drawn[5].rect, {2.5L, 3.5L, 3.5L, 4.5L});
      continue;
    }
    EXPECT_EQ(calls, (std::vector<std::vector<int>>{
                         {1, 1, 1}, {2, 1, 2}, {3, 1, 3}, {4, 2, 1}, {5, 2, 2}, {6, 2, 3}}));
    ExpectRect(scene.drawn[0].rect, {0.5L, 0.5L, 1.5L, 1.0L});
    ExpectRect(scene.drawn[1].rect, {0.5L, 1.25L, 1.5L, 2.25L});
    ExpectRect(scene.drawn[2].rect, {0.5L, 2.5L, 1.5L, 3.5L});
    ExpectRect(scene.drawn[3].rect, {2.5L, 0.5L, 3.5L, 1.0L});
  }
}

TEST(VpMarrowby, AFailingHandlerEndsTheRunWithTheStateRestored) {
  enum Where { kBefore, kSecondLabel, kHeight };
  for (const Where where : {kBefore, kSecondLabel, kHeight}) {
    SCOPED_TRACE(where);
    TScene scene;
    TVpCanvas& canvas = scene.preview->Canvas();
    const TVpPen pen{3, 0xFF, vpPenDot, vpPenModeCopy};
    canvas.Pen = pen;
    auto fail = [&](TVpCanvas& c) {
      c.Pen = TVpPen{9, 9, vpPenSolid, vpPenModeCopy};
      c.Font.Name = "Courier New";
      c.SetCoordsRelativeTo(vpFromHeaderLine);
      throw std::runtime_error("stop");
    };
    scene.labels.BeforeDrawLabels = [&](TVpMarrowby&) {
      if (where == kBefore) fail(canvas);
    };
    scene.labels.OnDrawLabel = [&](TVpMarrowby&, int n, TVpValueRect&, TVpCanvas& c) {
      if (where == kSecondLabel && n == 2) fail(c);
    };
    scene.labels.SetDrawOrder(vpColumns);
    scene.labels.OnGetLabelHeight = [&](TVpMarrowby&, int, int, int, TVpValue&, TVpValue&) {
      if (where == kHeight) fail(canvas);
    };
    EXPECT_THROW(scene.labels.DrawLabels(5), std::runtime_error);
    EXPECT_EQ(canvas.Pen, pen);
    EXPECT_EQ(canvas.Font.Name, "Arial");
    EXPECT_EQ(canvas.CoordsRelativeTo(), vpFromUserMargins);
    EXPECT_FALSE(scene.preview->PageList().IsUpdating());
    EXPECT_EQ(scene.Outlines(1).size(), where == kSecondLabel ? 2u : 0u);
  }
}
