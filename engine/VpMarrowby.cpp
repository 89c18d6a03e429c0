#include "engine/VpMarrowby.h"

#include <cmath>

#include "engine/VpGdiSupport.h"
#include "engine/VpPreview.h"

namespace {

constexpr char kNoPreviewText[] =
    "TVpMarrowby Error!\r\n\r\nThe \"Preview\" property must be set to a TVpPreview component.";

bool WithinBound(long double inches) {
  return std::isfinite(inches) && std::fabs(inches) <= TVpMarrowby::kMaxLengthInches;
}

std::string Sentence(const char* what, const std::string& rule) {
  return std::string("The label sheet's ") + what + " must " + rule + ".";
}

// positive: the length must be above 0 (a label's or a page's size).
std::string LengthProblem(const char* what, long double inches, bool positive) {
  const std::string bound = std::to_string(static_cast<int>(TVpMarrowby::kMaxLengthInches));
  if (!std::isfinite(inches)) return Sentence(what, "be a finite number");
  if (positive && !(inches > 0)) return Sentence(what, "be greater than 0");
  if (WithinBound(inches)) return {};
  return Sentence(what, positive ? "be at most " + bound + " inches"
                                 : "be between -" + bound + " and " + bound + " inches");
}

std::string SheetProblem(const TVpLabelTemplateInfo& sheet) {
  const struct {
    const char* what;
    long double inches;
    bool positive;
  } lengths[] = {
      {"label width", sheet.LabelWidth(), true},
      {"label height", sheet.LabelHeight(), true},
      {"corner radius", sheet.CornerRadius(), false},
      {"horizontal pitch", sheet.HorzPitch(), false},
      {"vertical pitch", sheet.VertPitch(), false},
      {"left offset", sheet.LeftOffset(), false},
      {"top offset", sheet.TopOffset(), false},
  };
  for (const auto& length : lengths) {
    if (std::string problem = LengthProblem(length.what, length.inches, length.positive);
        !problem.empty())
      return problem;
  }
  if (sheet.OutlineShape() > TVpLabelShape::Ellipse)
    return Sentence("outline shape", "be a rectangle, a rounded rectangle or an ellipse");
  if (!PaperSizeFromOrdinal(static_cast<int>(sheet.PaperSize())))
    return Sentence("paper size", "be one of the known paper sizes");
  if (sheet.PaperSize() == TVpPaperSize::Custom) {
    const TVpSize page = sheet.PageSize();
    if (std::string problem = LengthProblem("page width", page.Width, true); !problem.empty())
      return problem;
    return LengthProblem("page height", page.Height, true);
  }
  if (!OrientationFromOrdinal(sheet.Orientation()))
    return Sentence("orientation", "be portrait or landscape");
  return {};
}

bool HasLabels(const TVpLabelTemplateInfo* sheet) {
  return sheet && sheet->Across() != 0 && sheet->Down() != 0;
}

// What a run reads of its sheet, taken once.
struct Geometry {
  explicit Geometry(const TVpLabelTemplateInfo& sheet)
      : across(sheet.Across()),
        down(sheet.Down()),
        width(sheet.LabelWidth()),
        height(sheet.LabelHeight()),
        horzPitch(sheet.HorzPitch()),
        vertPitch(sheet.VertPitch()),
        corner(2 * sheet.CornerRadius()),
        start{sheet.LeftOffset(), sheet.TopOffset()},
        shape(sheet.OutlineShape()) {}
  std::int32_t across, down;
  long double width, height, horzPitch, vertPitch;
  long double corner;  // the corner ellipse's width and height
  TVpPoint start;
  TVpLabelShape shape;
};

void SetPaper(const TVpLabelTemplateInfo& sheet, TVpPreview& preview) {
  if (sheet.PaperSize() == TVpPaperSize::Custom) {
    const TVpSize page = sheet.PageSize();
    preview.SetCustomPaperSize(page.Width, page.Height, vpInches);
  } else {
    preview.SetPaperSize(sheet.PaperSize());
    preview.SetOrientation(sheet.Orientation());
  }
}

void DrawOutline(TVpCanvas& canvas, const Geometry& g, const TVpRect& r, const TVpBrush& brush,
                 const TVpPen& pen) {
  const TVpBrush canvasBrush = canvas.Brush;
  const TVpPen canvasPen = canvas.Pen;
  canvas.Brush = brush;
  canvas.Pen = pen;
  switch (g.shape) {
    case TVpLabelShape::Rectangle:
      canvas.Rectangle(r.Left, r.Top, r.Right, r.Bottom, vpInches);
      break;
    case TVpLabelShape::RoundRect:
      canvas.RoundRect(r.Left, r.Top, r.Right, r.Bottom, g.corner, g.corner, vpInches);
      break;
    case TVpLabelShape::Ellipse: canvas.Ellipse(r.Left, r.Top, r.Right, r.Bottom, vpInches); break;
  }
  canvas.Brush = canvasBrush;
  canvas.Pen = canvasPen;
  // Outlines guide the eye on screen; the sheet itself already has them.
  canvas.LastObject()->SetPrintable(false);
}

void ClipTo(TVpCanvas& canvas, const Geometry& g, const TVpRect& r) {
  switch (g.shape) {
    case TVpLabelShape::Rectangle:
      canvas.ClipRect(r.Left, r.Top, r.Right, r.Bottom, vpInches);
      break;
    case TVpLabelShape::RoundRect:
      canvas.ClipRoundRect(r.Left, r.Top, r.Right, r.Bottom, g.corner, g.corner, vpInches);
      break;
    case TVpLabelShape::Ellipse:
      canvas.ClipEllipse(r.Left, r.Top, r.Right, r.Bottom, vpInches);
      break;
  }
}

}  // namespace

TVpMarrowby::TVpMarrowby() {
  ShowMessage = [](const std::string& text) {
    MessageBoxW(nullptr, VpWideFromAcp(text).c_str(), L"Error", MB_OK | MB_ICONERROR);
  };
}

TVpPreview* TVpMarrowby::Preview() const {
  // The preview does not say when it goes; its window does.
  if (preview_ && IsWindow(previewWnd_) &&
      GetWindowLongPtrW(previewWnd_, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(preview_))
    return preview_;
  return nullptr;
}

void TVpMarrowby::SetPreview(TVpPreview* preview) {
  preview_ = preview;
  previewWnd_ = preview ? preview->Handle() : nullptr;
}

std::int64_t TVpMarrowby::LabelsPerPage() const {
  const TVpLabelTemplateInfo* sheet = CurrentTemplate();
  return sheet ? sheet->LabelsPerPage() : 0;
}

std::string TVpMarrowby::LayoutProblem() const {
  const TVpLabelTemplateInfo* sheet = CurrentTemplate();
  return HasLabels(sheet) ? SheetProblem(*sheet) : std::string();
}

void TVpMarrowby::DrawLabels(int count) {
  TVpPreview* preview = Preview();
  if (!preview) {
    if (ShowMessage) ShowMessage(kNoPreviewText);
    return;
  }
  const TVpLabelTemplateInfo* sheet = CurrentTemplate();
  if (!HasLabels(sheet) || !SheetProblem(*sheet).empty()) return;

  TVpCanvas& canvas = preview->Canvas();
  canvas.SaveState();
  preview->BeginUpdate();
  try {
    LayOut(*sheet, *preview, count);
  } catch (...) {
    canvas.RestoreState();
    preview->EndUpdate();
    throw;
  }
  canvas.RestoreState();
  preview->EndUpdate();
}

void TVpMarrowby::LayOut(const TVpLabelTemplateInfo& sheet, TVpPreview& preview, int count) {
  TVpCanvas& canvas = preview.Canvas();
  canvas.SetCoordsRelativeTo(vpFromPage);
  canvas.RemoveClip();
  if (BeforeDrawLabels) BeforeDrawLabels(*this);
  // The handler may have changed the sheet: the run takes what it left, if still usable, and
  // keeps it, whatever the label handlers change later.
  if (!HasLabels(&sheet) || !SheetProblem(sheet).empty()) return;
  const Geometry g(sheet);
  SetPaper(sheet, preview);

  TVpPoint p = g.start;
  int c = 1;
  int r = 1;
  std::int64_t passed = 0;  // StartLabel may be as large as int allows
  int drawn = 0;
  while (drawn < count) {
    ++passed;
    long double height = g.height;
    long double vertSpacing = g.vertPitch;
    if (OnGetLabelHeight && drawOrder_ == vpColumns)
      PositionHeights(drawn + 1, c, r, height, vertSpacing);
    const TVpRect label{p.X, p.Y, p.X + g.width, p.Y + height};
    if (passed >= startLabel_) {
      DrawOutline(canvas, g, label, labelBrush_, labelPen_);
      if (clipLabels_) ClipTo(canvas, g, label);
      ++drawn;
      if (OnDrawLabel) {
        TVpValueRect rect(label);
        OnDrawLabel(*this, drawn, rect, canvas);
      }
      canvas.RemoveClip();
    }

    if (c == g.across && r == g.down && drawn < count) {
      preview.NewPage();
      p = g.start;
      c = 1;
      r = 1;
    } else if (drawOrder_ == vpColumns) {
      p.Y += vertSpacing;
      if (r == g.down) {
        p.Y = g.start.Y;
        p.X += g.horzPitch;
        ++c;
        r = 1;
      } else {
        ++r;
      }
    } else {
      p.X += g.horzPitch;
      if (c == g.across) {
        p.X = g.start.X;
        p.Y += g.vertPitch;  // the sheet's pitch: rows ignore the handler's
        c = 1;
        ++r;
      } else {
        ++c;
      }
    }
  }
}

void TVpMarrowby::PositionHeights(int labelNum, int col, int row, long double& height,
                                  long double& vertSpacing) {
  TVpValue h(vpInches, height);
  TVpValue vs(vpInches, vertSpacing);
  OnGetLabelHeight(*this, labelNum, col, row, h, vs);
  // Values that would put wild coordinates on the page are not taken.
  if (WithinBound(h.AsInches()) && h.AsInches() > 0) height = h.AsInches();
  if (WithinBound(vs.AsInches())) vertSpacing = vs.AsInches();
}
