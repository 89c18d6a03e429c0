#pragma once
// The page engine's printer: the installed printers and the current one's device settings,
// what its sheet measures, and print jobs whose pages land one, two or four to a sheet. Both
// programs print through it.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/VpGdiTarget.h"
#include "engine/VpPrintPages.h"
#include "engine/VpPrinterInfo.h"

// The settings fields of a device mode, each marked in dmFields when written. Reading a value
// the device does not know gives the setting's first value.
void WriteCollate(DEVMODEW& mode, bool collate);
bool ReadCollate(const DEVMODEW& mode);
void WriteDuplex(DEVMODEW& mode, TVpDuplexType duplex);
TVpDuplexType ReadDuplex(const DEVMODEW& mode);
void WriteCopies(DEVMODEW& mode, int copies);
int ReadCopies(const DEVMODEW& mode);
void WritePrintColor(DEVMODEW& mode, TVpPrintColor color);
TVpPrintColor ReadPrintColor(const DEVMODEW& mode);
void WriteDitherType(DEVMODEW& mode, TVpDitherType dither);
TVpDitherType ReadDitherType(const DEVMODEW& mode);
void WritePrintQuality(DEVMODEW& mode, TVpPrintQuality quality);
TVpPrintQuality ReadPrintQuality(const DEVMODEW& mode);
void WriteOrientation(DEVMODEW& mode, TVpOrientation orientation);
void WritePaperCode(DEVMODEW& mode, int code);

// The spooler's calls of a print job, each answering as the platform function does (above 0
// or a context on success). Tests replace them to watch a job and to make a step fail.
struct TVpSpoolerCalls {
  std::function<int(HDC, const DOCINFOW*)> BeginDocument;
  std::function<int(HDC)> BeginSheet;
  std::function<int(HDC)> EndSheet;
  std::function<HDC(HDC, const DEVMODEW*)> ResetSheet;
  std::function<int(HDC)> EndDocument;
  std::function<int(HDC)> AbortDocument;
  // The platform's own functions.
  static TVpSpoolerCalls Platform();
};

class TVpPrinter : public TVpPrintSink {
 public:
  static constexpr const char* kNoPrinterText = "Unable to print... No Printer available.";

  // The installed printers, the default one current.
  TVpPrinter();
  ~TVpPrinter() override;
  TVpPrinter(const TVpPrinter&) = delete;
  TVpPrinter& operator=(const TVpPrinter&) = delete;

  const std::vector<std::wstring>& Printers() const { return printers_; }
  // -1 when no printer is installed.
  int PrinterIndex() const { return index_; }
  // Selects the printer with its default settings and raises OnChangePrinter.
  void SelectPrinter(int index);
  // An information context can be made for the current printer.
  bool PrinterAvailable() const;

  bool Collate() const;
  void SetCollate(bool on);
  TVpDuplexType Duplex() const;
  void SetDuplex(TVpDuplexType duplex);
  int PrintCopies() const;
  void SetPrintCopies(int copies);
  TVpPrintColor PrintColor() const;
  void SetPrintColor(TVpPrintColor color);
  TVpDitherType DitherType() const;
  void SetDitherType(TVpDitherType dither);
  TVpPrintQuality PrintQuality() const;
  void SetPrintQuality(TVpPrintQuality quality);
  bool ReversePrintOrder = false;  // stored only
  std::string Title = "<document>";

  TVpOrientation Orientation() const { return orientation_; }
  void SetOrientation(TVpOrientation orientation);
  TVpPagesPerSheet PagesPerSheet() const { return pagesPerSheet_; }
  // The current printer's sheet, measured for portrait (the A4 defaults without a device).
  const TVpPrinterInfo& Info();
  void RefreshPrinterInfo();

  // The print job.
  void SetJobOrientation(TVpOrientation orientation) override { SetOrientation(orientation); }
  void SetPagesPerSheet(TVpPagesPerSheet pages) override { pagesPerSheet_ = pages; }
  void SetPaper(TVpPaperSize paper) override;
  bool BeginJob() override;
  bool Aborted() const override { return aborted_; }
  // Marks the running job aborted: the page loop stops after the current page.
  void Abort();
  // From BeginJob's BeforePrint to the end of the job.
  bool Printing() const { return running_; }
  TVpIntPoint Resolution() const override;
  TVpDrawTarget& Canvas() override;
  HDC Handle() const { return dc_; }
  void NextPage() override;
  void EndJob() override;
  void AbortJob() override;

  // Shows the engine's one message; the programs route it to their message boxes.
  std::function<void(const std::string&)> ShowMessage;
  std::function<void(TVpPrinter&)> BeforePrint;
  std::function<void(TVpPrinter&)> AfterPrint;
  std::function<void(TVpPrinter&)> OnAbortPrint;
  std::function<void(TVpPrinter&)> OnChangePrinter;

  TVpSpoolerCalls Spooler = TVpSpoolerCalls::Platform();

  // The current device mode (a copy of its fixed part), for the tests and the print dialog.
  std::optional<DEVMODEW> DeviceMode() const;

 private:
  DEVMODEW* Mode();
  const DEVMODEW* Mode() const;
  // Reads or writes one setting through the device mode and hands it back to the driver.
  template <class Value>
  Value ReadSetting(Value fallback, Value (*read)(const DEVMODEW&)) const;
  void WriteSetting(const std::function<void(DEVMODEW&)>& write);
  void ResetDeviceMode();
  bool Validate();
  const std::wstring& Name() const;
  // Turns the sheet for the job, opens the device and starts the document and its first sheet.
  void OpenJob();
  void SetupSheetMapping(int k);
  void Check(int result, const char* what);
  // Ends the job on the platform, withdrawing its document when it was not finished.
  void CloseJob(bool finished);

  std::vector<std::wstring> printers_;
  int index_ = -1;
  std::vector<BYTE> devmode_;  // fixed part and driver data
  TVpOrientation orientation_ = vpPortrait;
  TVpPagesPerSheet pagesPerSheet_ = vpOnePage;
  std::optional<TVpPrinterInfo> info_;
  HDC dc_ = nullptr;
  std::unique_ptr<TVpGdiTarget> canvas_;
  TVpGdiPictureCache pictures_;
  bool running_ = false;
  bool aborted_ = false;
  int counter_ = 0;
};
