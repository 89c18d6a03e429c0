#pragma once
// Page objects drawn with GDI on a device context: the screen's page image, a printer's page
// or a metafile used for outlines. One unit of the DC is one device pixel.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/VpDrawTarget.h"
#include "engine/VpGdiPictureCache.h"
#include "engine/VpResource.h"
#include "platform/GdiHandles.h"

// The raster operation a bitmap is printed with: copyMode when it is one of the fifteen
// operations every printer carries out (BLACKNESS, NOTSRCERASE, NOTSRCCOPY, SRCERASE,
// DSTINVERT, PATINVERT, SRCINVERT, SRCAND, MERGEPAINT, MERGECOPY, SRCPAINT, PATCOPY, PATPAINT,
// WHITENESS), SRCCOPY for anything else.
DWORD PrinterRasterOperation(std::uint32_t copyMode);

class TVpGdiTarget : public TVpDrawTarget {
 public:
  // dc is not owned and must outlive the target; printer marks a printer's page. Pictures are
  // decoded through cache (see TVpGdiPictureCache); without one the target keeps its own.
  // The DC's state is saved here and restored by the destructor, which also deselects and
  // deletes every pen, brush, font and region the target made.
  TVpGdiTarget(HDC dc, bool printer, TVpGdiPictureCache* cache = nullptr);
  ~TVpGdiTarget() override;
  TVpGdiTarget(const TVpGdiTarget&) = delete;
  TVpGdiTarget& operator=(const TVpGdiTarget&) = delete;

  // For drawing on the DC directly: the clip asked for is in force on what it returns (on a
  // printer, unless it holds the whole sheet: a driver would wrap every text in it).
  HDC Dc();

  bool IsPrinter() const override { return printer_; }

  // Width rounded(ppi / 72 / 4 x width): a geometric pen with flat ends and mitred joins, or
  // a cosmetic one-pixel pen when that is at most 1 and the pen is solid; the no-colour value
  // selects the null pen. The pen's mix mode is not applied.
  void SelectPen(const TVpPen& pen, int ppi) override;
  // The no-colour value and the clear style select the hollow brush.
  void SelectBrush(const TVpBrush& brush) override;
  // Height -MulDiv(size, ppi, 72), rotated by the angle; the text colour is the font's and
  // text is drawn without a background, aligned at its top-left corner.
  void SelectFont(const TVpFont& font, int ppi) override;

  void DrawPolygon(const std::vector<TVpIntPoint>& points) override;
  void StrokeAndFillPath(const TVpPath& path) override;
  void Line(TVpIntPoint from, TVpIntPoint to) override;
  // An empty path clips everything away. The region is selected only when something drawn
  // reaches outside it: a printer driver sends a curved region as one rectangle per line of
  // pixels, so a label whose content keeps clear of its rounded corners prints the same
  // without it, at a fraction of the job's size.
  void ClipToPath(const TVpPath& path) override;
  void RemoveClip() override;

  // Placed by the font mapper: reference 96 per inch unless printing, target the resolution
  // the font was selected at. Before any SelectFont the text is written with the DC's font.
  void PlaceText(TVpIntPoint at, std::string_view text,
                 const std::optional<TVpIntRect>& clip) override;
  TVpSize MeasureText(std::string_view text) override;
  // All zero when the text traces nothing. While an outline is open the text is traced into
  // it instead and the answer is all zero.
  TVpIntRect TextBounds(TVpIntPoint at, std::string_view text) override;

  // Bitmaps go as they are stored and JPEGs as 24-bit pixels; pixelFormat is not used, so a
  // JPEG is never reduced to a palette on paper. A printer gets PrinterRasterOperation(
  // copyMode), other devices copyMode itself, stretched with halftoning. Pictures whose bytes
  // cannot be drawn draw nothing. In an outline a picture traces its rectangle.
  void DrawPicture(const TVpPicture& picture, const TVpIntRect& rect, std::uint32_t copyMode,
                   std::int32_t pixelFormat) override;

  // Between the two calls shapes are only traced (not stroked or filled) into one path, clip
  // changes trace their shape, and EndOutline answers the box of the path's region, all zero
  // when the path is empty.
  void BeginOutline() override;
  TVpIntRect EndOutline() override;

 private:
  void Trace(const TVpPath& path);
  // Outside an outline: the path as the DC's current path, true; inside one: traced only.
  bool TraceAsPath(const TVpPath& path);
  void UsePen(HGDIOBJ stock, PenHandle owned = PenHandle());
  void UseBrush(HGDIOBJ stock, BrushHandle owned = BrushHandle());
  static TVpIntRect RegionBox(HRGN region);
  // Selects the pending clip region unless what is about to be drawn lies wholly inside it;
  // nullopt stands for a drawing whose extent is not known.
  void ClipFor(const std::optional<TVpIntRect>& extent);
  void ApplyClip();
  // How far ink may reach past the points it is drawn through: half the pen, mitred joins.
  int PenReach() const { return penWidth_ * 5 + 1; }
  std::optional<TVpIntRect> TextExtent(TVpIntPoint at, std::string_view text,
                                       const std::optional<TVpIntRect>& clip);

  HDC dc_;
  bool printer_;
  int saved_;
  std::unique_ptr<TVpGdiPictureCache> ownCache_;
  TVpGdiPictureCache* cache_;
  PenHandle pen_;
  BrushHandle brush_;
  FontHandle font_;
  std::optional<TVpFont> fontResource_;
  int fontPpi_ = 0;
  int penWidth_ = 1;
  bool outlining_ = false;
  RegionHandle pendingClip_;  // asked for and not yet selected
  bool clipSelected_ = false;
};
