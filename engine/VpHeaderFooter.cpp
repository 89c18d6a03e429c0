#include "engine/VpHeaderFooter.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "engine/VpExpandTokens.h"
#include "engine/VpMargins.h"
#include "engine/VpRounding.h"

namespace {

// Device arithmetic on saturated coordinates stays inside int32 instead of wrapping.
std::int32_t Clamp32(std::int64_t value) {
  using Limits = std::numeric_limits<std::int32_t>;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, Limits::min(), Limits::max()));
}

TVpFont DefaultCaptionFont() {
  TVpFont font;
  font.Name = "Arial";
  font.Size = 12;
  return font;
}

}  // namespace

// Captions -----------------------------------------------------------------------------------

TVpHeaderFooterCaption::TVpHeaderFooterCaption() : font_(DefaultCaptionFont()) {}

void TVpHeaderFooterCaption::SetCaption(std::string_view caption) {
  if (caption == caption_) return;
  caption_ = caption;
  OnChange(*this);
}

void TVpHeaderFooterCaption::SetFont(const TVpFont& font) {
  font_ = font;
  OnChange(*this);
}

void TVpHeaderFooterCaption::Assign(const TVpHeaderFooterCaption& source) {
  if (&source == this) return;
  caption_ = source.caption_;
  font_ = source.font_;
  OnChange(*this);
}

// Header and footer --------------------------------------------------------------------------

TVpHeaderFooter::TVpHeaderFooter()
    : pen_{1, 0x000000, vpPenSolid, vpPenModeCopy},
      height_(TVpValue::ChangeEvent([this](TVpValue&) { Changed(); })) {
  for (auto& caption : captions_) caption.OnChange = [this](TVpHeaderFooterCaption&) { Changed(); };
}

TVpHeaderFooterCaption& TVpHeaderFooter::Caption(int index) {
  if (index < 0 || index > 2) throw std::out_of_range("A band has captions 0, 1 and 2 only.");
  return captions_[static_cast<std::size_t>(index)];
}

const TVpHeaderFooterCaption& TVpHeaderFooter::Caption(int index) const {
  return const_cast<TVpHeaderFooter&>(*this).Caption(index);
}

void TVpHeaderFooter::SetShowLine(bool show) {
  if (show == showLine_) return;
  showLine_ = show;
  Changed();
}

void TVpHeaderFooter::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed();
}

void TVpHeaderFooter::SetHeight(TVpMeasurement measurement, long double number) {
  height_.SetValue(measurement, number);  // notifies through the value when it changed
}

const TVpFont& TVpHeaderFooter::BandFont() const {
  const TVpFont* chosen = &captions_[0].Font();
  if (captions_[1].Font().Size > chosen->Size) chosen = &captions_[1].Font();
  if (captions_[2].Font().Size > chosen->Size) chosen = &captions_[2].Font();
  return *chosen;
}

long double TVpHeaderFooter::BandHeight(const TVpCellHeightFn& cellHeight) const {
  if (height_.AsInches() != 0) return height_.AsInches();
  if (!cellHeight) return 0;
  return static_cast<long double>(cellHeight(BandFont(), kVpBandMeasurePpi)) / kVpBandMeasurePpi;
}

void TVpHeaderFooter::Assign(const TVpHeaderFooter& source) {
  if (&source == this) return;
  assigning_ = true;
  for (std::size_t i = 0; i < captions_.size(); ++i) captions_[i].Assign(source.captions_[i]);
  assigning_ = false;
  Changed();
}

std::optional<TVpBandLayout> TVpHeaderFooter::Layout(const TVpBandInput& input) const {
  if (!visible_) return std::nullopt;
  TVpBandLayout layout;
  const TVpIntRect band = BandRect(input);
  layout.Band = band;
  for (std::size_t i = 0; i < 3; ++i) {
    const TVpSize text = input.CaptionSizes[i];
    const std::int64_t width = VpRoundToInt(input.PpiX * text.Width);
    std::int64_t x = band.Left;
    // Integer division truncates toward zero, as the centred caption needs.
    if (i == 1) x = (std::int64_t{band.Right} + band.Left - width) / 2;
    if (i == 2) x = band.Right - width;
    layout.CaptionAt[i] = {Clamp32(x), CaptionTop(band, input, text.Height)};
  }
  layout.ShowLine = showLine_;
  const std::int32_t row = LineRow(band);
  layout.LineFrom = {band.Left, row};
  layout.LineTo = {band.Right, row};
  return layout;
}

void TVpHeaderFooter::Draw(TVpDrawTarget& target, const TVpDrawContext& context, TVpSize page,
                           const TVpRect& margins, long double bandHeight) const {
  if (!visible_) return;
  TVpBandInput input{context.PpiX, context.PpiY, page, margins, bandHeight, {}};
  std::array<std::string, 3> texts;
  for (std::size_t i = 0; i < 3; ++i)
    texts[i] = ExpandTokens(captions_[i].Caption(), context.PageNumber, context.PageCount);
  // Every caption is measured in its own font before placing; placing needs only its own size.
  std::array<bool, 3> measured{};
  for (std::size_t i = 0; i < 3; ++i) {
    if (texts[i].empty()) continue;  // an empty caption shows nothing
    target.SelectFont(captions_[i].Font(), context.PpiX);
    input.CaptionSizes[i] = target.MeasureText(texts[i]);
    measured[i] = true;
  }
  const TVpBandLayout layout = *Layout(input);
  for (std::size_t i = 0; i < 3; ++i) {
    if (!measured[i]) continue;
    target.SelectFont(captions_[i].Font(), context.PpiX);
    target.PlaceText(layout.CaptionAt[i], texts[i], std::nullopt);
  }
  if (layout.ShowLine) {
    target.SelectPixelPen(pen_);
    target.Line(layout.LineFrom, layout.LineTo);
  }
}

TVpIntRect TVpHeader::BandRect(const TVpBandInput& in) const {
  return {VpRoundToInt(in.PpiX * in.Margins.Left), VpRoundToInt(in.PpiY * in.Margins.Top),
          VpRoundToInt((in.Page.Width - in.Margins.Right) * in.PpiX),
          VpRoundToInt((in.Margins.Top + in.BandHeight) * in.PpiY)};
}

std::int32_t TVpHeader::CaptionTop(const TVpIntRect& band, const TVpBandInput& input,
                                   long double textHeight) const {
  // ppiX, not ppiY: the text's height is taken at the horizontal resolution it was sized at.
  return Clamp32(std::int64_t{band.Bottom} - VpRoundToInt(input.PpiX * textHeight));
}

TVpIntRect TVpFooter::BandRect(const TVpBandInput& in) const {
  const long double bottom = in.Page.Height - in.Margins.Bottom;
  return {VpRoundToInt(in.PpiX * in.Margins.Left), VpRoundToInt((bottom - in.BandHeight) * in.PpiY),
          VpRoundToInt((in.Page.Width - in.Margins.Right) * in.PpiX),
          VpRoundToInt(bottom * in.PpiY)};
}
