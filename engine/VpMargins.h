#pragma once
// The page list's margins: the printable frame of every page, drawn as a dotted rectangle in
// the preview, optionally clipping what is drawn, and stored in form resources as one text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/VpDrawTarget.h"
#include "engine/VpMarginValues.h"
#include "engine/VpNotify.h"
#include "engine/VpResource.h"
#include "engine/VpValue.h"

class TVpMargins {
 public:
  using ChangeEvent = TVpNotifyEvent<TVpMargins>;

  // Half an inch on every side; silver dotted pens one pixel wide.
  TVpMargins();
  // The values notify through this object, so it stays where it was made.
  TVpMargins(const TVpMargins&) = delete;
  TVpMargins& operator=(const TVpMargins&) = delete;

  // Each option notifies only when it changes.
  bool ClipMargins() const { return clipMargins_; }
  void SetClipMargins(bool clip);
  bool ShowPrinterMargins() const { return showPrinterMargins_; }
  void SetShowPrinterMargins(bool show);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  // Writing either pen notifies.
  const TVpPen& Pen() const { return pen_; }
  void SetPen(const TVpPen& pen);
  const TVpPen& PrinterMarginPen() const { return printerPen_; }
  void SetPrinterMarginPen(const TVpPen& pen);

  // Distances from the page edges; a change of any of them notifies.
  TVpValue& Left() { return left_; }
  const TVpValue& Left() const { return left_; }
  TVpValue& Top() { return top_; }
  const TVpValue& Top() const { return top_; }
  TVpValue& Right() { return right_; }
  const TVpValue& Right() const { return right_; }
  TVpValue& Bottom() { return bottom_; }
  const TVpValue& Bottom() const { return bottom_; }
  // The four in inches as Left, Top, Right, Bottom.
  TVpRect AsRect() const;

  // The four in a chosen unit as single floats.
  TVpMarginValues& Values() { return values_; }

  // Copies the four values, both pens, ShowPrinterMargins and Visible (not ClipMargins), then
  // notifies once.
  void Assign(const TVpMargins& source);

  // The margin rectangle of a page of page inches at ppiX by ppiY pixels per inch.
  TVpIntRect MarginRect(TVpSize page, int ppiX, int ppiY) const;
  TVpIntRect MarginRect(TVpSize page, int ppi) const { return MarginRect(page, ppi, ppi); }

  // The stored form: the four margins in whole twips, then Pen and PrinterMarginPen, each pen
  // as the comma text of colour, width, style and mode, all joined as comma text.
  std::string MarginValues() const;
  // Reads the stored form. Four items set the margins and leave the pens; six set the pens
  // too. Anything else throws std::invalid_argument with a sentence naming the text, and
  // changes nothing. Notifies once when something was set.
  void SetMarginValues(std::string_view text);

  // Before the content: clips target to the margin rectangle when ClipMargins.
  void ClipContent(TVpDrawTarget& target, TVpSize page, int ppiX, int ppiY) const;
  // After the content, in the preview: the margin rectangle with Pen when Visible, then the
  // printable area with PrinterMarginPen when ShowPrinterMargins and a printer gives one.
  void DrawOutlines(TVpDrawTarget& target, TVpSize page, int ppi,
                    const std::optional<TVpIntRect>& printableArea) const;

  ChangeEvent OnChange;

 private:
  void Changed() {
    if (!quiet_) OnChange(*this);
  }

  bool clipMargins_ = false;
  TVpPen pen_;
  TVpPen printerPen_;
  bool showPrinterMargins_ = false;
  bool visible_ = false;
  TVpValue left_;
  TVpValue top_;
  TVpValue right_;
  TVpValue bottom_;
  TVpMarginValues values_;
  bool quiet_ = false;  // while one operation sets several parts and notifies once itself
};

// The printer's printable area on a device at ppi pixels per inch, from the paper size and
// the four unprintable offsets (Left, Top, Right, Bottom), all in inches.
TVpIntRect PrintableAreaRect(TVpSize paper, const TVpRect& offsets, int ppi);
