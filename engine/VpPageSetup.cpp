#include "engine/VpPageSetup.h"

#include <cmath>
#include <stdexcept>
#include <utility>

namespace {

bool IsPositiveLength(long double value) { return std::isfinite(value) && value > 0; }

}  // namespace

TVpSize PageSizeForPaper(TVpPaperSize paper, TVpOrientation orientation, TVpSize current) {
  if (paper == TVpPaperSize::Custom) return current;
  TVpSize size = PaperSizeInches(paper);
  if (orientation == vpLandscape) std::swap(size.Width, size.Height);
  return size;
}

TVpSize OrientPageSize(TVpSize page, TVpOrientation orientation) {
  const bool wantWide = orientation == vpLandscape;
  const bool isWide = page.Width > page.Height;
  const bool isTall = page.Width < page.Height;
  if ((wantWide && isTall) || (!wantWide && isWide)) std::swap(page.Width, page.Height);
  return page;
}

TVpPageSetup::TVpPageSetup() : pageSize_(PaperSizeInches(TVpPaperSize::A4)) {}

bool TVpPageSetup::SetPaperSize(TVpPaperSize paper) {
  if (paper == paper_) return false;
  pageSize_ = PageSizeForPaper(paper, orientation_, pageSize_);  // validates before storing
  paper_ = paper;
  return true;
}

void TVpPageSetup::SetCustomPaperSize(long double width, long double height,
                                      TVpMeasurement measurement) {
  const TVpSize inches{ConvertValue(width, measurement, vpInches),
                       ConvertValue(height, measurement, vpInches)};
  if (!IsPositiveLength(inches.Width) || !IsPositiveLength(inches.Height)) {
    throw std::invalid_argument("A custom paper size needs a positive width and height");
  }
  pageSize_ = inches;
  paper_ = TVpPaperSize::Custom;
}

TVpSize TVpPageSetup::RecomputePageSize() {
  pageSize_ = PageSizeForPaper(paper_, orientation_, pageSize_);
  return pageSize_;
}

void TVpPageSetup::SetOrientation(TVpOrientation orientation) {
  if (!OrientationFromOrdinal(orientation)) {
    throw std::invalid_argument("Unknown page orientation " +
                                std::to_string(static_cast<int>(orientation)));
  }
  orientation_ = orientation;
  pageSize_ = OrientPageSize(pageSize_, orientation);
}
