#pragma once
// The label sheet layout component: lays a run of labels out on the pages of a preview. It
// sets the preview's paper from a template, walks the sheet's positions row by row or column
// by column, page after page, records each label's outline (shown on screen, never printed),
// clips to it and calls the owner back once per label to draw the content. It knows nothing
// of records or text.
//
// One class: the component has no variants, so there is no separate base.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "engine/VpCanvas.h"
#include "engine/VpLabelTemplateList.h"
#include "engine/VpResource.h"
#include "engine/VpValue.h"
#include "engine/VpValueRect.h"

class TVpPreview;

enum TVpLabelDrawOrder : std::uint8_t { vpRows = 0, vpColumns = 1 };

class TVpMarrowby {
 public:
  using NotifyEvent = std::function<void(TVpMarrowby&)>;
  // labelNum counts the labels of this run from 1; rect is the label on the page in inches,
  // valid only during the call.
  using DrawLabelEvent =
      std::function<void(TVpMarrowby&, int labelNum, TVpValueRect& rect, TVpCanvas& canvas)>;
  // labelNum is the number the next label drawn gets; col and row count from 1. height and
  // vertSpacing hold the template's label height and vertical pitch in inches; the handler
  // may change them for this position.
  using GetLabelHeightEvent = std::function<void(TVpMarrowby&, int labelNum, int col, int row,
                                                 TVpValue& height, TVpValue& vertSpacing)>;

  // Lengths beyond this many inches (either sign) are refused: no sheet is that large, and
  // the bound keeps every position a run computes finite and every page size drawable.
  static constexpr long double kMaxLengthInches = 1000;

  // The built-in catalogue; template L7159_Address, rows, clipping on, start label 1.
  TVpMarrowby();
  TVpMarrowby(const TVpMarrowby&) = delete;
  TVpMarrowby& operator=(const TVpMarrowby&) = delete;

  bool ClipLabels() const { return clipLabels_; }
  void SetClipLabels(bool clip) { clipLabels_ = clip; }
  TVpLabelDrawOrder DrawOrder() const { return drawOrder_; }
  void SetDrawOrder(TVpLabelDrawOrder order) { drawOrder_ = order; }
  // The outlines' brush (solid white unless told otherwise) and pen (thin, black, solid).
  const TVpBrush& LabelBrush() const { return labelBrush_; }
  void SetLabelBrush(const TVpBrush& brush) { labelBrush_ = brush; }
  const TVpPen& LabelPen() const { return labelPen_; }
  void SetLabelPen(const TVpPen& pen) { labelPen_ = pen; }
  // Positions before this one stay empty; 1 or less uses every position.
  int StartLabel() const { return startLabel_; }
  void SetStartLabel(int label) { startLabel_ = label; }

  // The preview whose pages and canvas a run fills. The preview does not announce its end,
  // so the reference reads nullptr once that preview's window is gone.
  TVpPreview* Preview() const;
  void SetPreview(TVpPreview* preview);

  // The owner adds templates here and changes the custom template slot.
  TVpLabelTemplateList& Templates() { return templates_; }
  // The identifier of the template runs use.
  TVpLabelTemplate Template() const { return template_; }
  void SetTemplate(TVpLabelTemplate id) { template_ = id; }
  // The newest template with that identifier, looked up on every use, so a custom slot added
  // again after SetTemplate is the one used; nullptr when there is none.
  TVpLabelTemplateInfo* CurrentTemplate() const { return templates_.FindById(template_); }
  // Across x Down of the current template (64 bits: counts are 32-bit each); 0 without one.
  std::int64_t LabelsPerPage() const;

  // Why the current template cannot be laid out, as one sentence, or empty. A template must
  // have finite lengths within kMaxLengthInches, a label width and height above 0, a known
  // shape and orientation, and on Custom paper a page width and height above 0. No template,
  // or one with 0 across or down, is no problem: such a run simply draws nothing.
  std::string LayoutProblem() const;

  // Lays count labels out from StartLabel on, onto the preview's current page and new pages
  // as needed; the preview is never cleared. Without a preview it shows the error message and
  // draws nothing; with no template, 0 across or down, or a LayoutProblem it draws nothing
  // (the owner shows LayoutProblem). Time grows with count plus the skipped positions. A
  // handler's failure ends the run with the canvas state restored and the preview's update
  // closed, and then reaches the caller.
  void DrawLabels(int count);

  NotifyEvent BeforeDrawLabels;
  DrawLabelEvent OnDrawLabel;
  // Called for each position, only in vpColumns order. A height that is not above 0, or either
  // value not finite or beyond kMaxLengthInches, is ignored: the template's value stays.
  GetLabelHeightEvent OnGetLabelHeight;

  // Shows the component's error message; a message box unless a test or program replaces it.
  std::function<void(const std::string&)> ShowMessage;

 private:
  void LayOut(const TVpLabelTemplateInfo& sheet, TVpPreview& preview, int count);
  // The label's height and the pitch to the next row at a position, as the handler says.
  void PositionHeights(int labelNum, int col, int row, long double& height,
                       long double& vertSpacing);

  TVpLabelTemplateList templates_;
  TVpLabelTemplate template_ = TVpLabelTemplate::L7159_Address;
  bool clipLabels_ = true;
  TVpLabelDrawOrder drawOrder_ = vpRows;
  TVpBrush labelBrush_{kVpWhite, vpBrushSolid};
  TVpPen labelPen_{1, 0, vpPenSolid, vpPenModeCopy};
  int startLabel_ = 1;
  TVpPreview* preview_ = nullptr;
  HWND previewWnd_ = nullptr;
};
