#pragma once
// Quick print: the document printed without the preview window, either through the engine
// with the preview's settings or through the print dialog and the control's own page
// formatting (EM_FORMATRANGE) on the chosen printer.
#include <windows.h>

#include <richedit.h>

#include <functional>
#include <string>

#include "platform/Dialogs.h"

class TfrmPrintPreview;

namespace writer {

// The rectangle the dialog path lays each page into, in printer pixels: whole pixels per
// millimetre (resolution div 25), five more millimetres left and right, margins rounded.
RECT QuickPrintPageRect(double leftMm, double topMm, double rightMm, double bottomMm,
                        POINT resolution, SIZE page);

// Prints the range [first, end) page after page: format(start) lays one page out from start
// and answers the first character that did not fit (-1: the end); newPage starts the next
// page. A call that makes no progress would repeat for ever: it ends the job with a failure.
// Answers the number of pages.
int PrintRangeLoop(long first, long end, const std::function<long(long start)>& format,
                   const std::function<void()>& newPage);

class QuickPrint {
 public:
  QuickPrint(HWND editor, TfrmPrintPreview& preview, std::function<std::wstring()> jobTitle)
      : editor_(editor), preview_(preview), jobTitle_(std::move(jobTitle)) {}

  // The toolbar button (toolbar true) or Ctrl+P.
  void Run(bool toolbar);
  void EnginePath();
  void DialogPath();

  // Kept between dialog prints, in printer pixels.
  RECT PageRect() const { return pageRect_; }

 private:
  std::wstring Title() const;
  void PrintSelection(HDC dc, CHARRANGE selection);
  void PrintDocument(HDC dc);
  void WaitForJob();

  HWND editor_;
  TfrmPrintPreview& preview_;
  std::function<std::wstring()> jobTitle_;
  RECT pageRect_{};
};

}  // namespace writer
