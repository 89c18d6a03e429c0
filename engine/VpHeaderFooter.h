#pragma once
// The page list's header and footer: bands inside the margins with a left, a centred and a
// right caption and a separator line. Captions may hold the tokens of ExpandTokens.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "engine/VpDrawTarget.h"
#include "engine/VpNotify.h"
#include "engine/VpResource.h"
#include "engine/VpValue.h"

// The cell height in pixels (the platform's text metrics) of a font at ppi pixels per inch;
// the drawing side supplies it. Band heights ask at kVpBandMeasurePpi.
using TVpCellHeightFn = std::function<int(const TVpFont& font, int ppi)>;
inline constexpr int kVpBandMeasurePpi = 600;

class TVpMargins;

class TVpHeaderFooterCaption {
 public:
  using ChangeEvent = TVpNotifyEvent<TVpHeaderFooterCaption>;

  // Empty text in Arial 12 point.
  TVpHeaderFooterCaption();
  TVpHeaderFooterCaption(const TVpHeaderFooterCaption&) = delete;
  TVpHeaderFooterCaption& operator=(const TVpHeaderFooterCaption&) = delete;

  const std::string& Caption() const { return caption_; }
  // Notifies only when the text differs.
  void SetCaption(std::string_view caption);

  const TVpFont& Font() const { return font_; }
  // Copies the font and notifies, as any change inside the owned font does.
  void SetFont(const TVpFont& font);

  // Copies text and font, then notifies once.
  void Assign(const TVpHeaderFooterCaption& source);

  ChangeEvent OnChange;

 private:
  std::string caption_;
  TVpFont font_;
};

// Where one band goes on a device: what the drawing side places and strokes.
struct TVpBandLayout {
  TVpIntRect Band;
  // Top-left corners of the left, centre and right captions.
  std::array<TVpIntPoint, 3> CaptionAt;
  bool ShowLine = true;
  TVpIntPoint LineFrom;
  TVpIntPoint LineTo;
  friend bool operator==(const TVpBandLayout&, const TVpBandLayout&) = default;
};

// What the band is laid out from. Lengths in inches; CaptionSizes are the measured widths and
// heights of the expanded caption texts (left, centre, right) in the caption's font.
struct TVpBandInput {
  int PpiX = 600;
  int PpiY = 600;
  TVpSize Page;
  TVpRect Margins;  // distances from the four page edges
  long double BandHeight = 0;
  std::array<TVpSize, 3> CaptionSizes{};
};

class TVpHeaderFooter {
 public:
  using ChangeEvent = TVpNotifyEvent<TVpHeaderFooter>;

  TVpHeaderFooter();
  virtual ~TVpHeaderFooter() = default;
  // The captions and the height notify through this object, so it stays where it was made.
  TVpHeaderFooter(const TVpHeaderFooter&) = delete;
  TVpHeaderFooter& operator=(const TVpHeaderFooter&) = delete;

  // Index 0 left, 1 centre, 2 right; any other index throws std::out_of_range.
  TVpHeaderFooterCaption& Caption(int index);
  const TVpHeaderFooterCaption& Caption(int index) const;
  TVpHeaderFooterCaption& CaptionLeft() { return captions_[0]; }
  TVpHeaderFooterCaption& CaptionCenter() { return captions_[1]; }
  TVpHeaderFooterCaption& CaptionRight() { return captions_[2]; }

  // Black, solid, one pixel wide, copy mode. Writing copies it without notifying.
  const TVpPen& Pen() const { return pen_; }
  void SetPen(const TVpPen& pen) { pen_ = pen; }

  bool ShowLine() const { return showLine_; }
  void SetShowLine(bool show);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  // 0 means automatic (from the caption fonts). A change notifies.
  TVpValue& Height() { return height_; }
  const TVpValue& Height() const { return height_; }
  void SetHeight(TVpMeasurement measurement, long double number);

  // The font the automatic height is measured in: the left caption's, the centre's when its
  // point size is strictly larger, then the right's when strictly larger than that.
  const TVpFont& BandFont() const;
  // In inches: the height value when it is not 0; otherwise the band font's cell height at
  // kVpBandMeasurePpi divided by it (0 when no measure is given). Neither the caption texts
  // nor Visible matter.
  long double BandHeight(const TVpCellHeightFn& cellHeight) const;

  // Copies the three captions only; pen, line, visibility and height stay. Notifies once.
  void Assign(const TVpHeaderFooter& source);

  // The band on a device; nothing (std::nullopt) when the band is not visible.
  std::optional<TVpBandLayout> Layout(const TVpBandInput& input) const;

  // Expands, measures and places the three captions, then the separator line, on target at
  // the context's resolution. Draws nothing when the band is not visible.
  void Draw(TVpDrawTarget& target, const TVpDrawContext& context, TVpSize page,
            const TVpRect& margins, long double bandHeight) const;

  ChangeEvent OnChange;

 protected:
  // The band rectangle in device pixels; the header sits below the top margin, the footer
  // above the bottom margin.
  virtual TVpIntRect BandRect(const TVpBandInput& input) const = 0;
  // The top of a caption of the given measured height (inches) in the band.
  virtual std::int32_t CaptionTop(const TVpIntRect& band, const TVpBandInput& input,
                                  long double textHeight) const = 0;
  // The separator's row: the bottom of a header band, the top of a footer band.
  virtual std::int32_t LineRow(const TVpIntRect& band) const = 0;

 private:
  void Changed() {
    if (!assigning_) OnChange(*this);
  }

  std::array<TVpHeaderFooterCaption, 3> captions_;
  TVpPen pen_;
  bool showLine_ = true;
  bool visible_ = false;
  TVpValue height_;
  bool assigning_ = false;
};

// The text sits on the bottom of the band, below the top margin.
class TVpHeader : public TVpHeaderFooter {
 protected:
  TVpIntRect BandRect(const TVpBandInput& input) const override;
  std::int32_t CaptionTop(const TVpIntRect& band, const TVpBandInput& input,
                          long double textHeight) const override;
  std::int32_t LineRow(const TVpIntRect& band) const override { return band.Bottom; }
};

// The text hangs from the top of the band, above the bottom margin.
class TVpFooter : public TVpHeaderFooter {
 protected:
  TVpIntRect BandRect(const TVpBandInput& input) const override;
  std::int32_t CaptionTop(const TVpIntRect& band, const TVpBandInput&, long double) const override {
    return band.Top;
  }
  std::int32_t LineRow(const TVpIntRect& band) const override { return band.Top; }
};
