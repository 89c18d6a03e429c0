#pragma once
// How a paper size and an orientation turn into a page's width and height. The page list
// holds one TVpPageSetup and applies its results to its pages; the free functions are the two
// rules it is built from.

#include "engine/VpPaper.h"

// A page created before any paper size applies to it.
inline constexpr TVpSize kVpInitialPageSize{8.26L, 11.69L};

// The size new pages receive: for Custom the current size is kept; otherwise the paper's
// size, width and height exchanged for landscape.
TVpSize PageSizeForPaper(TVpPaperSize paper, TVpOrientation orientation, TVpSize current);

// Turns one page: landscape makes the width the larger dimension, portrait the smaller.
// Equal dimensions stay as they are.
TVpSize OrientPageSize(TVpSize page, TVpOrientation orientation);

class TVpPageSetup {
 public:
  // A4, portrait, A4's page size.
  TVpPageSetup();

  TVpPaperSize PaperSize() const { return paper_; }
  TVpOrientation Orientation() const { return orientation_; }
  // The size, in inches, that new pages receive.
  TVpSize PageSize() const { return pageSize_; }

  // Returns false and changes nothing when the paper is already set. Otherwise stores it and
  // recomputes PageSize(); the owner then resizes its pages and reports the change.
  bool SetPaperSize(TVpPaperSize paper);

  // Stores the size converted to inches exactly as given (no orientation applied, width may
  // exceed height) and makes the paper Custom. A size that is not positive and finite throws
  // std::invalid_argument and changes nothing.
  void SetCustomPaperSize(long double width, long double height, TVpMeasurement measurement);

  // Recomputes PageSize() from the paper and orientation, as when a page is added.
  TVpSize RecomputePageSize();

  // Stores the orientation and turns PageSize() by the page rule. Owners with pages then
  // take the page size from their first page with SetPageSize.
  void SetOrientation(TVpOrientation orientation);
  void SetPageSize(TVpSize inches) { pageSize_ = inches; }

 private:
  TVpPaperSize paper_ = TVpPaperSize::A4;
  TVpOrientation orientation_ = vpPortrait;
  TVpSize pageSize_;
};
