#include "engine/VpGdiTarget.h"

#include <algorithm>
#include <climits>

#include "engine/VpFontMapper.h"
#include "engine/VpGdiSupport.h"
#include "engine/VpRounding.h"
#include "platform/MetafilePlayback.h"

namespace {

std::vector<POINT> Points(const std::vector<TVpIntPoint>& points) {
  std::vector<POINT> result;
  result.reserve(points.size());
  for (const TVpIntPoint& p : points) result.push_back({p.X, p.Y});
  return result;
}

// The box around points, grown by reach on every side.
TVpIntRect BoxAround(const std::vector<TVpIntPoint>& points, int reach) {
  TVpIntRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (const TVpIntPoint& p : points) {
    box.Left = std::min(box.Left, p.X);
    box.Top = std::min(box.Top, p.Y);
    box.Right = std::max(box.Right, p.X);
    box.Bottom = std::max(box.Bottom, p.Y);
  }
  const auto grow = [reach](std::int32_t v, int by) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(std::int64_t{v} + by, INT_MIN, INT_MAX));
  };
  return {grow(box.Left, -reach), grow(box.Top, -reach), grow(box.Right, reach + 1),
          grow(box.Bottom, reach + 1)};
}

std::vector<TVpIntPoint> PathPoints(const TVpPath& path) {
  std::vector<TVpIntPoint> points;
  for (const TVpPathStep& step : path)
    points.insert(points.end(), step.points.begin(), step.points.end());
  return points;
}

// True when every pixel of box lies inside region.
bool Contains(HRGN region, const TVpIntRect& box) {
  if (box.Left >= box.Right || box.Top >= box.Bottom) return true;
  const RegionHandle area(CreateRectRgn(box.Left, box.Top, box.Right, box.Bottom));
  const RegionHandle outside(CreateRectRgn(0, 0, 0, 0));
  return area && outside && CombineRgn(outside.get(), area.get(), region, RGN_DIFF) == NULLREGION;
}

// A side's length that cannot overflow, however far apart the sides are.
int Extent(std::int32_t from, std::int32_t to) {
  return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{to} - from, INT_MIN, INT_MAX));
}

DWORD PenStyle(std::int32_t style) {
  switch (style) {
    case vpPenDash: return PS_DASH;
    case vpPenDot: return PS_DOT;
    case vpPenDashDot: return PS_DASHDOT;
    case vpPenDashDotDot: return PS_DASHDOTDOT;
    case vpPenClear: return PS_NULL;
    default: return PS_SOLID;
  }
}

}  // namespace

DWORD PrinterRasterOperation(std::uint32_t copyMode) {
  constexpr DWORD kPrintable[] = {BLACKNESS, NOTSRCERASE, NOTSRCCOPY, SRCERASE,   DSTINVERT,
                                  PATINVERT, SRCINVERT,   SRCAND,     MERGEPAINT, MERGECOPY,
                                  SRCPAINT,  PATCOPY,     PATPAINT,   WHITENESS};
  return std::find(std::begin(kPrintable), std::end(kPrintable), copyMode) != std::end(kPrintable)
             ? copyMode
             : SRCCOPY;
}

TVpGdiTarget::TVpGdiTarget(HDC dc, bool printer, TVpGdiPictureCache* cache)
    : dc_(dc), printer_(printer), saved_(SaveDC(dc)), cache_(cache) {
  if (!cache_) {
    ownCache_ = std::make_unique<TVpGdiPictureCache>();
    cache_ = ownCache_.get();
  }
  SetBkMode(dc_, TRANSPARENT);
  SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

// Restoring the saved state selects the DC's own objects again, so the owners below delete
// objects that are no longer selected.
TVpGdiTarget::~TVpGdiTarget() {
  if (outlining_) AbortPath(dc_);
  if (saved_) RestoreDC(dc_, saved_);
}

void TVpGdiTarget::UsePen(HGDIOBJ stock, PenHandle owned) {
  SelectObject(dc_, owned ? owned.get() : stock);
  pen_ = std::move(owned);
}

void TVpGdiTarget::UseBrush(HGDIOBJ stock, BrushHandle owned) {
  SelectObject(dc_, owned ? owned.get() : stock);
  brush_ = std::move(owned);
}

void TVpGdiTarget::SelectPen(const TVpPen& pen, int ppi) {
  const std::int32_t width =
      std::max(0, VpRoundToInt(static_cast<long double>(ppi) / 72 / 4 * pen.Width));
  penWidth_ = std::max(1, width);
  if (pen.Color == kVpNoColor) {
    UsePen(GetStockObject(NULL_PEN));
    return;
  }
  const DWORD style = PenStyle(pen.Style);
  const LOGBRUSH brush{BS_SOLID, VpColorRef(pen.Color), 0};
  HPEN made = nullptr;
  if (style == PS_SOLID && width <= 1) {
    made = ExtCreatePen(PS_COSMETIC | PS_SOLID, 1, &brush, 0, nullptr);
  } else {
    made = ExtCreatePen(PS_GEOMETRIC | style | PS_ENDCAP_FLAT | PS_JOIN_MITER,
                        static_cast<DWORD>(width), &brush, 0, nullptr);
  }
  // A device that refuses the extended pen still gets the colour and the width.
  if (!made) made = CreatePen(static_cast<int>(style), width, brush.lbColor);
  UsePen(GetStockObject(BLACK_PEN), PenHandle(made));
}

void TVpGdiTarget::SelectBrush(const TVpBrush& brush) {
  const COLORREF color = VpColorRef(brush.Color);
  HBRUSH made = nullptr;
  if (brush.Color != kVpNoColor) {
    if (brush.Style == vpBrushSolid) {
      made = CreateSolidBrush(color);
    } else if (brush.Style >= vpBrushHorizontal && brush.Style <= vpBrushDiagCross) {
      // The hatch styles follow the platform's order from HS_HORIZONTAL on.
      made = CreateHatchBrush(HS_HORIZONTAL + (brush.Style - vpBrushHorizontal), color);
    }
  }
  UseBrush(GetStockObject(HOLLOW_BRUSH), BrushHandle(made));
}

void TVpGdiTarget::SelectFont(const TVpFont& font, int ppi) {
  const LOGFONTW lf = VpLogFont(font, ppi);
  FontHandle made(CreateFontIndirectW(&lf));
  SelectObject(dc_, made ? made.get() : GetStockObject(DEFAULT_GUI_FONT));
  font_ = std::move(made);
  fontResource_ = font;
  fontPpi_ = ppi;
  SetTextColor(dc_, VpColorRef(font.Color));
  SetBkMode(dc_, TRANSPARENT);
  SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

void TVpGdiTarget::Trace(const TVpPath& path) {
  for (const TVpPathStep& step : path) {
    const std::vector<POINT> points = Points(step.points);
    if (points.empty()) continue;
    switch (step.kind) {
      case TVpPathStep::MoveTo: MoveToEx(dc_, points[0].x, points[0].y, nullptr); break;
      case TVpPathStep::LineTo: LineTo(dc_, points[0].x, points[0].y); break;
      case TVpPathStep::BezierTo:
        if (points.size() >= 3) {
          PolyBezierTo(dc_, points.data(), static_cast<DWORD>(points.size() / 3 * 3));
        }
        break;
      case TVpPathStep::Polygon:
        Polygon(dc_, points.data(),
                static_cast<int>(std::min<std::size_t>(points.size(), INT_MAX)));
        break;
    }
  }
}

void TVpGdiTarget::DrawPolygon(const std::vector<TVpIntPoint>& points) {
  if (points.empty()) return;
  ClipFor(BoxAround(points, PenReach()));
  const std::vector<POINT> device = Points(points);
  Polygon(dc_, device.data(), static_cast<int>(std::min<std::size_t>(device.size(), INT_MAX)));
}

bool TVpGdiTarget::TraceAsPath(const TVpPath& path) {
  if (outlining_) {
    Trace(path);
    return false;
  }
  BeginPath(dc_);
  Trace(path);
  EndPath(dc_);
  return true;
}

void TVpGdiTarget::StrokeAndFillPath(const TVpPath& path) {
  // The curves' control points enclose the curves.
  if (!outlining_) ClipFor(BoxAround(PathPoints(path), PenReach()));
  if (TraceAsPath(path)) ::StrokeAndFillPath(dc_);
}

void TVpGdiTarget::Line(TVpIntPoint from, TVpIntPoint to) {
  if (!outlining_) ClipFor(BoxAround({from, to}, PenReach()));
  MoveToEx(dc_, from.X, from.Y, nullptr);
  LineTo(dc_, to.X, to.Y);
}

void TVpGdiTarget::ClipToPath(const TVpPath& path) {
  if (!TraceAsPath(path)) return;
  RegionHandle region(PathToRegion(dc_));
  if (!region) region.Reset(CreateRectRgn(0, 0, 0, 0));
  RemoveClip();
  pendingClip_ = std::move(region);
}

void TVpGdiTarget::RemoveClip() {
  if (outlining_) return;
  pendingClip_.Reset(nullptr);
  if (clipSelected_) SelectClipRgn(dc_, nullptr);
  clipSelected_ = false;
}

HDC TVpGdiTarget::Dc() {
  const int width = GetDeviceCaps(dc_, PHYSICALWIDTH), height = GetDeviceCaps(dc_, PHYSICALHEIGHT);
  if (!printer_ || width <= 0 || height <= 0) {
    ApplyClip();
    return dc_;
  }
  // The sheet in the printable area's coordinates.
  const int left = -GetDeviceCaps(dc_, PHYSICALOFFSETX), top = -GetDeviceCaps(dc_, PHYSICALOFFSETY);
  ClipFor(TVpIntRect{left, top, left + width, top + height});
  return dc_;
}

void TVpGdiTarget::ApplyClip() {
  if (!pendingClip_ || clipSelected_) return;
  SelectClipRgn(dc_, pendingClip_.get());
  clipSelected_ = true;
}

void TVpGdiTarget::ClipFor(const std::optional<TVpIntRect>& extent) {
  if (!pendingClip_ || clipSelected_) return;
  if (!extent || !Contains(pendingClip_.get(), *extent)) ApplyClip();
}

std::optional<TVpIntRect> TVpGdiTarget::TextExtent(TVpIntPoint at, std::string_view text,
                                                   const std::optional<TVpIntRect>& clip) {
  if (!fontResource_ || fontResource_->Angle != 0) return std::nullopt;
  const TVpSize size = MeasureText(text);
  // Half an em of room across and a quarter up and down covers overhangs, accents and the
  // mapper's rounding; the cell already holds ascent and descent.
  const int em = std::max(1, MulDiv(fontResource_->Size, fontPpi_, 72));
  TVpIntRect box{at.X - em / 2 - 1, at.Y - em / 4 - 1,
                 at.X + VpRoundToInt(size.Width * fontPpi_) + em / 2 + 1,
                 at.Y + VpRoundToInt(size.Height * fontPpi_) + em / 4 + 1};
  if (clip) {
    box = {std::max(box.Left, clip->Left), std::max(box.Top, clip->Top),
           std::min(box.Right, clip->Right), std::min(box.Bottom, clip->Bottom)};
  }
  return box;
}

void TVpGdiTarget::PlaceText(TVpIntPoint at, std::string_view text,
                             const std::optional<TVpIntRect>& clip) {
  if (!outlining_) ClipFor(TextExtent(at, text, clip));
  if (fontResource_) {
    FontMapper().PlaceText(dc_, *fontResource_, fontPpi_, at, text, clip, !printer_);
    return;
  }
  const std::wstring wide = VpWideFromAcp(text);
  RECT rect{};
  if (clip) rect = {clip->Left, clip->Top, clip->Right, clip->Bottom};
  ExtTextOutW(dc_, at.X, at.Y, clip ? ETO_CLIPPED : 0, clip ? &rect : nullptr, wide.c_str(),
              static_cast<UINT>(wide.size()), nullptr);
}

TVpSize TVpGdiTarget::MeasureText(std::string_view text) {
  return FontMapper().MeasureText(fontResource_.value_or(TVpFont{}), text);
}

TVpIntRect TVpGdiTarget::RegionBox(HRGN region) {
  RECT box{};
  if (!region || GetRgnBox(region, &box) == NULLREGION) return {};
  return {box.left, box.top, box.right, box.bottom};
}

TVpIntRect TVpGdiTarget::TextBounds(TVpIntPoint at, std::string_view text) {
  const std::wstring wide = VpWideFromAcp(text);
  if (outlining_) {
    TextOutW(dc_, at.X, at.Y, wide.c_str(), static_cast<int>(wide.size()));
    return {};
  }
  BeginPath(dc_);
  TextOutW(dc_, at.X, at.Y, wide.c_str(), static_cast<int>(wide.size()));
  EndPath(dc_);
  const RegionHandle region(PathToRegion(dc_));
  return RegionBox(region.get());
}

void TVpGdiTarget::DrawPicture(const TVpPicture& picture, const TVpIntRect& rect,
                               std::uint32_t copyMode, std::int32_t) {
  if (picture.Bytes.empty()) return;
  if (outlining_) {
    Trace(RectanglePath(rect));
    return;
  }
  const TVpGdiPictureCache::TReady ready = cache_->Find(picture);
  // A metafile may draw past its frame.
  ClipFor(ready.Metafile ? std::nullopt : std::optional<TVpIntRect>(rect));
  if (ready.Metafile) {
    const RECT frame{rect.Left, rect.Top, rect.Right, rect.Bottom};
    PlayMetafile(dc_, ready.Metafile, frame);
    return;
  }
  if (!ready.Info) return;
  SetStretchBltMode(dc_, HALFTONE);
  SetBrushOrgEx(dc_, 0, 0, nullptr);
  const DWORD operation = printer_ ? PrinterRasterOperation(copyMode) : copyMode;
  StretchDIBits(dc_, rect.Left, rect.Top, Extent(rect.Left, rect.Right),
                Extent(rect.Top, rect.Bottom), 0, 0, ready.Width, ready.Height, ready.Bits,
                ready.Info, DIB_RGB_COLORS, operation);
}

void TVpGdiTarget::BeginOutline() {
  if (outlining_) return;
  BeginPath(dc_);
  outlining_ = true;
}

TVpIntRect TVpGdiTarget::EndOutline() {
  if (!outlining_) return {};
  outlining_ = false;
  EndPath(dc_);
  const RegionHandle region(PathToRegion(dc_));
  return RegionBox(region.get());
}
