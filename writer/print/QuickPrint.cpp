#include "writer/print/QuickPrint.h"

#include <richedit.h>

#include <cmath>
#include <vector>

#include "platform/Application.h"
#include "platform/Error.h"
#include "platform/HourglassCursor.h"
#include "writer/print/PrintPreview.h"

namespace writer {

namespace {

int RoundedMm(double millimeters) { return static_cast<int>(std::nearbyint(millimeters)); }

// A printer device context made from the dialog's choice, deleted with the job.
class PrinterDc {
 public:
  explicit PrinterDc(const PrintChoice& choice) {
    const auto* mode =
        choice.devMode.empty() ? nullptr : reinterpret_cast<const DEVMODEW*>(choice.devMode.data());
    dc_ = CreateDCW(L"WINSPOOL", choice.printerName.c_str(), nullptr, mode);
    if (!dc_) throw EError("The printer cannot be opened.");
  }
  ~PrinterDc() { DeleteDC(dc_); }
  PrinterDc(const PrinterDc&) = delete;
  PrinterDc& operator=(const PrinterDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// One document on the printer: withdrawn (AbortDoc) unless Finish ran, so a failed job is
// never left half printed nor reported as printed.
class PrintJob {
 public:
  PrintJob(HDC dc, const std::wstring& title) : dc_(dc) {
    DOCINFOW doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = title.c_str();
    if (StartDocW(dc_, &doc) <= 0) throw EError("The printer did not start the document.");
    open_ = true;
    StartSheet();
  }
  ~PrintJob() {
    if (open_) AbortDoc(dc_);
  }
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;
  void NewSheet() {
    if (EndPage(dc_) <= 0) throw EError("The printer did not finish a page.");
    StartSheet();
  }
  void Finish() {
    if (EndPage(dc_) <= 0 || EndDoc(dc_) <= 0)
      throw EError("The printer refused to finish the document.");
    open_ = false;
  }

 private:
  void StartSheet() {
    if (StartPage(dc_) <= 0) throw EError("The printer did not start a page.");
  }
  HDC dc_;
  bool open_ = false;
};

RECT ToTwips(HDC dc, const RECT& pixels) {
  const int x = GetDeviceCaps(dc, LOGPIXELSX), y = GetDeviceCaps(dc, LOGPIXELSY);
  return {pixels.left * 1440 / x, pixels.top * 1440 / y, pixels.right * 1440 / x,
          pixels.bottom * 1440 / y};
}

RECT PrintableTwips(HDC dc) {
  return ToTwips(dc, {0, 0, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)});
}

// Frees the control's kept layout however the job ends.
struct FormatRelease {
  HWND editor;
  ~FormatRelease() { SendMessageW(editor, EM_FORMATRANGE, FALSE, 0); }
};

}  // namespace

RECT QuickPrintPageRect(double leftMm, double topMm, double rightMm, double bottomMm,
                        POINT resolution, SIZE page) {
  const int px = resolution.x / 25, py = resolution.y / 25;
  const int l = RoundedMm(leftMm + 5), r = RoundedMm(rightMm + 5);
  const int t = RoundedMm(topMm), b = RoundedMm(bottomMm);
  return {l * px, t * py, page.cx - r * px, page.cy - b * py};
}

int PrintRangeLoop(long first, long end, const std::function<long(long)>& format,
                   const std::function<void()>& newPage) {
  long start = first;
  int pages = 1;
  for (;;) {
    const long next = format(start);
    if (next == -1 || next >= end) return pages;
    if (next <= start)
      throw EError("The text does not fit between the page margins; nothing was printed.");
    newPage();
    ++pages;
    start = next;
  }
}

std::wstring QuickPrint::Title() const { return jobTitle_ ? jobTitle_() : L""; }

void QuickPrint::Run(bool toolbar) {
  CHARRANGE selection{};
  SendMessageW(editor_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  if (toolbar && selection.cpMin == selection.cpMax)
    EnginePath();
  else
    DialogPath();
  WaitForJob();
}

void QuickPrint::EnginePath() {
  preview_.SetJobTitle();
  {
    HourglassCursor hourglass;
    preview_.Relayout();
  }
  Application::Get().ProcessMessages();
  preview_.VpPreview1().PrintAll();
}

void QuickPrint::DialogPath() {
  CHARRANGE selection{};
  SendMessageW(editor_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  PrintRequest request;
  request.allowPageRange = false;
  request.allowSelection = true;
  request.selectionChosen = selection.cpMax > selection.cpMin;
  Application::Get().ProcessMessages();
  const std::optional<PrintChoice> choice = CurrentDialogs().PickPrint(request);
  if (!choice) return;
  PrinterDc printer(*choice);
  const HDC dc = printer.get();
  TVpMargins& margins = preview_.VpPreview1().Margins();
  pageRect_ = QuickPrintPageRect(margins.Left().AsMillimeters(), margins.Top().AsMillimeters(),
                                 margins.Right().AsMillimeters(), margins.Bottom().AsMillimeters(),
                                 {GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY)},
                                 {GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)});
  if (choice->range == PrintChoice::Range::Selection)
    PrintSelection(dc, selection);
  else
    PrintDocument(dc);
}

void QuickPrint::PrintSelection(HDC dc, CHARRANGE selection) {
  PrintJob job(dc, Title());
  FormatRelease release{editor_};
  FORMATRANGE fr{};
  fr.hdc = fr.hdcTarget = dc;
  const RECT area = ToTwips(dc, pageRect_);
  const RECT page = PrintableTwips(dc);
  PrintRangeLoop(
      selection.cpMin, selection.cpMax,
      [&](long start) {
        // Set again before every call: the control shortens the rectangle to what it used.
        fr.rc = area;
        fr.rcPage = page;
        fr.chrg = {start, selection.cpMax};
        return static_cast<long>(
            SendMessageW(editor_, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&fr)));
      },
      [&] { job.NewSheet(); });
  job.Finish();
}

void QuickPrint::PrintDocument(HDC dc) {
  PrintJob job(dc, Title());
  const RECT area = IsRectEmpty(&pageRect_) ? PrintableTwips(dc) : ToTwips(dc, pageRect_);
  GETTEXTLENGTHEX how{GTL_DEFAULT, CP_ACP};
  const long length = static_cast<long>(
      SendMessageW(editor_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0));
  const int mapMode = SetMapMode(dc, MM_TEXT);
  FormatRelease release{editor_};
  SendMessageW(editor_, EM_FORMATRANGE, FALSE, 0);
  FORMATRANGE fr{};
  fr.hdc = fr.hdcTarget = dc;
  try {
    PrintRangeLoop(
        0, length,
        [&](long start) {
          fr.rc = area;
          fr.rcPage = area;
          fr.chrg = {start, -1};
          return static_cast<long>(
              SendMessageW(editor_, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&fr)));
        },
        [&] { job.NewSheet(); });
  } catch (...) {
    SetMapMode(dc, mapMode);
    throw;
  }
  SetMapMode(dc, mapMode);
  job.Finish();
}

void QuickPrint::WaitForJob() {
  TVpPrinter& printer = preview_.VpPreview1().VpPrinter();
  while (printer.Printing()) {
    Application::Get().ProcessMessages();
    Sleep(10);
  }
}

}  // namespace writer
