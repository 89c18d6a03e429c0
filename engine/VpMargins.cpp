#include "engine/VpMargins.h"

#include <array>
#include <charconv>
#include <stdexcept>
#include <vector>

#include "engine/VpCommaText.h"
#include "engine/VpRounding.h"

namespace {

constexpr long double kDefaultMargin = 0.5L;  // inches
constexpr std::int32_t kLastPenStyle = vpPenInsideFrame;
constexpr std::int32_t kLastPenMode = 15;  // the platform's sixteen mix modes

// Long stored texts are cut in messages so that a message box stays readable.
std::string Quoted(std::string_view text) {
  constexpr std::size_t kShown = 80;
  if (text.size() <= kShown) return "\"" + std::string(text) + "\"";
  return "\"" + std::string(text.substr(0, kShown)) + "...\"";
}

std::optional<std::int32_t> ParseInt(std::string_view text) {
  std::int32_t value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last || first == last) return std::nullopt;
  return value;
}

std::optional<TVpPen> ParsePen(std::string_view text) {
  const std::vector<std::string> items = SplitCommaText(text);
  if (items.size() != 4) return std::nullopt;
  std::array<std::int32_t, 4> numbers{};
  for (std::size_t i = 0; i < 4; ++i) {
    const auto number = ParseInt(items[i]);
    if (!number) return std::nullopt;
    numbers[i] = *number;
  }
  const auto [color, width, style, mode] = numbers;
  if (width < 0 || style < 0 || style > kLastPenStyle || mode < 0 || mode > kLastPenMode)
    return std::nullopt;
  return TVpPen{width, static_cast<std::uint32_t>(color), style, mode};
}

std::string PenText(const TVpPen& pen) {
  // The colour is stored as the platform's signed colour integer.
  return JoinCommaText({std::to_string(static_cast<std::int32_t>(pen.Color)),
                        std::to_string(pen.Width), std::to_string(pen.Style),
                        std::to_string(pen.Mode)});
}

}  // namespace

TVpMargins::TVpMargins()
    : pen_{1, kVpSilver, vpPenDot, vpPenModeCopy},
      printerPen_(pen_),
      left_(TVpValue::ChangeEvent([this](TVpValue&) { Changed(); })),
      top_(TVpValue::ChangeEvent([this](TVpValue&) { Changed(); })),
      right_(TVpValue::ChangeEvent([this](TVpValue&) { Changed(); })),
      bottom_(TVpValue::ChangeEvent([this](TVpValue&) { Changed(); })),
      values_(left_, top_, right_, bottom_) {
  quiet_ = true;
  for (TVpValue* value : {&left_, &top_, &right_, &bottom_}) value->SetAsInches(kDefaultMargin);
  quiet_ = false;
}

void TVpMargins::SetClipMargins(bool clip) {
  if (clip == clipMargins_) return;
  clipMargins_ = clip;
  Changed();
}

void TVpMargins::SetShowPrinterMargins(bool show) {
  if (show == showPrinterMargins_) return;
  showPrinterMargins_ = show;
  Changed();
}

void TVpMargins::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed();
}

void TVpMargins::SetPen(const TVpPen& pen) {
  pen_ = pen;
  Changed();
}

void TVpMargins::SetPrinterMarginPen(const TVpPen& pen) {
  printerPen_ = pen;
  Changed();
}

TVpRect TVpMargins::AsRect() const {
  return {left_.AsInches(), top_.AsInches(), right_.AsInches(), bottom_.AsInches()};
}

void TVpMargins::Assign(const TVpMargins& source) {
  if (&source == this) return;
  quiet_ = true;
  left_.SetAsInches(source.left_.AsInches());
  top_.SetAsInches(source.top_.AsInches());
  right_.SetAsInches(source.right_.AsInches());
  bottom_.SetAsInches(source.bottom_.AsInches());
  pen_ = source.pen_;
  printerPen_ = source.printerPen_;
  showPrinterMargins_ = source.showPrinterMargins_;
  visible_ = source.visible_;
  quiet_ = false;
  Changed();
}

TVpIntRect TVpMargins::MarginRect(TVpSize page, int ppiX, int ppiY) const {
  return {VpRoundToInt(ppiX * left_.AsInches()), VpRoundToInt(ppiY * top_.AsInches()),
          VpRoundToInt((page.Width - right_.AsInches()) * ppiX),
          VpRoundToInt((page.Height - bottom_.AsInches()) * ppiY)};
}

std::string TVpMargins::MarginValues() const {
  return JoinCommaText({std::to_string(left_.AsTwips()), std::to_string(top_.AsTwips()),
                        std::to_string(right_.AsTwips()), std::to_string(bottom_.AsTwips()),
                        PenText(pen_), PenText(printerPen_)});
}

void TVpMargins::SetMarginValues(std::string_view text) {
  // Everything is checked before anything is set, so a bad text leaves the margins as they were.
  const std::vector<std::string> items = SplitCommaText(text);
  if (items.size() != 4 && items.size() != 6)
    throw std::invalid_argument("The margins " + Quoted(text) +
                                " are not four or six comma-separated values.");
  std::array<std::int32_t, 4> twips{};
  for (std::size_t i = 0; i < 4; ++i) {
    const auto number = ParseInt(items[i]);
    if (!number)
      throw std::invalid_argument("The margin " + Quoted(items[i]) + " in " + Quoted(text) +
                                  " is not a whole number of twips.");
    twips[i] = *number;
  }
  std::optional<TVpPen> pen, printerPen;
  if (items.size() == 6) {
    pen = ParsePen(items[4]);
    printerPen = ParsePen(items[5]);
    for (std::size_t i : {std::size_t{4}, std::size_t{5}})
      if (!(i == 4 ? pen : printerPen))
        throw std::invalid_argument("The margin pen " + Quoted(items[i]) +
                                    " is not four whole numbers: colour, width, style and mode.");
  }

  const TVpRect before = AsRect();
  quiet_ = true;
  left_.SetAsTwips(twips[0]);
  top_.SetAsTwips(twips[1]);
  right_.SetAsTwips(twips[2]);
  bottom_.SetAsTwips(twips[3]);
  if (pen) pen_ = *pen;
  if (printerPen) printerPen_ = *printerPen;
  quiet_ = false;
  // Pens are written whenever they are given, and a pen write always notifies.
  if (pen || AsRect() != before) Changed();
}

void TVpMargins::ClipContent(TVpDrawTarget& target, TVpSize page, int ppiX, int ppiY) const {
  if (clipMargins_) target.ClipToPath(RectanglePath(MarginRect(page, ppiX, ppiY)));
}

void TVpMargins::DrawOutlines(TVpDrawTarget& target, TVpSize page, int ppi,
                              const std::optional<TVpIntRect>& printableArea) const {
  const TVpBrush clear{kVpWhite, vpBrushClear};
  if (visible_) {
    target.SelectBrush(clear);
    target.SelectPixelPen(pen_);
    target.StrokeAndFillPath(RectanglePath(MarginRect(page, ppi)));
  }
  if (showPrinterMargins_ && printableArea) {
    target.SelectBrush(clear);
    target.SelectPixelPen(printerPen_);
    target.StrokeAndFillPath(RectanglePath(*printableArea));
  }
}

TVpIntRect PrintableAreaRect(TVpSize paper, const TVpRect& offsets, int ppi) {
  return {VpRoundToInt(ppi * offsets.Left), VpRoundToInt(ppi * offsets.Top),
          VpRoundToInt((paper.Width - offsets.Right) * ppi),
          VpRoundToInt((paper.Height - offsets.Bottom) * ppi)};
}
