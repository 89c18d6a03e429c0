#include "engine/VpPrinter.h"

#include <winspool.h>

#include <stdexcept>

#include "engine/VpGdiSupport.h"

// Device-mode fields ---------------------------------------------------------------------------

void WriteCollate(DEVMODEW& mode, bool collate) {
  mode.dmFields |= DM_COLLATE;
  mode.dmCollate = collate ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
}
bool ReadCollate(const DEVMODEW& mode) { return mode.dmCollate == DMCOLLATE_TRUE; }

void WriteDuplex(DEVMODEW& mode, TVpDuplexType duplex) {
  mode.dmFields |= DM_DUPLEX;
  mode.dmDuplex = DuplexToDevice(duplex);
}
TVpDuplexType ReadDuplex(const DEVMODEW& mode) { return DuplexFromDevice(mode.dmDuplex); }

void WriteCopies(DEVMODEW& mode, int copies) {
  mode.dmFields |= DM_COPIES;
  mode.dmCopies = static_cast<short>(copies);
}
int ReadCopies(const DEVMODEW& mode) { return mode.dmCopies; }

void WritePrintColor(DEVMODEW& mode, TVpPrintColor color) {
  mode.dmFields |= DM_COLOR;
  mode.dmColor = PrintColorToDevice(color);
}
TVpPrintColor ReadPrintColor(const DEVMODEW& mode) { return PrintColorFromDevice(mode.dmColor); }

void WriteDitherType(DEVMODEW& mode, TVpDitherType dither) {
  mode.dmFields |= DM_DITHERTYPE;
  mode.dmDitherType = DitherTypeToDevice(dither);
}
TVpDitherType ReadDitherType(const DEVMODEW& mode) {
  return DitherTypeFromDevice(mode.dmDitherType);
}

void WritePrintQuality(DEVMODEW& mode, TVpPrintQuality quality) {
  mode.dmFields |= DM_PRINTQUALITY;
  mode.dmPrintQuality = PrintQualityToDevice(quality);
}
TVpPrintQuality ReadPrintQuality(const DEVMODEW& mode) {
  return PrintQualityFromDevice(mode.dmPrintQuality);
}

void WriteOrientation(DEVMODEW& mode, TVpOrientation orientation) {
  mode.dmFields |= DM_ORIENTATION;
  mode.dmOrientation = orientation == vpLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
}

void WritePaperCode(DEVMODEW& mode, int code) {
  mode.dmFields |= DM_PAPERSIZE;
  mode.dmPaperSize = static_cast<short>(code);
}

namespace {

// An open printer handle for the driver calls, closed when it goes.
class TPrinterHandle {
 public:
  explicit TPrinterHandle(const std::wstring& name) {
    if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &handle_, nullptr)) handle_ = nullptr;
  }
  ~TPrinterHandle() {
    if (handle_) ClosePrinter(handle_);
  }
  TPrinterHandle(const TPrinterHandle&) = delete;
  TPrinterHandle& operator=(const TPrinterHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

std::vector<std::wstring> InstalledPrinters() {
  DWORD needed = 0, count = 0;
  const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  EnumPrintersW(flags, nullptr, 4, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed);
  std::vector<std::wstring> names;
  if (needed == 0 || !EnumPrintersW(flags, nullptr, 4, buffer.data(), needed, &needed, &count))
    return names;
  const auto* info = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) names.emplace_back(info[i].pPrinterName);
  return names;
}

std::wstring DefaultPrinter() {
  DWORD size = 0;
  GetDefaultPrinterW(nullptr, &size);
  std::wstring name(size, L'\0');
  if (size == 0 || !GetDefaultPrinterW(name.data(), &size)) return {};
  name.resize(size > 0 ? size - 1 : 0);
  return name;
}

}  // namespace

// The printer ----------------------------------------------------------------------------------

TVpSpoolerCalls TVpSpoolerCalls::Platform() {
  return {StartDocW, StartPage, EndPage, ResetDCW, EndDoc, AbortDoc};
}

TVpPrinter::TVpPrinter() : printers_(InstalledPrinters()) {
  const std::wstring preferred = DefaultPrinter();
  for (std::size_t i = 0; i < printers_.size(); ++i)
    if (printers_[i] == preferred) index_ = static_cast<int>(i);
  if (index_ < 0 && !printers_.empty()) index_ = 0;
  ResetDeviceMode();
  ShowMessage = [](const std::string& text) {
    MessageBoxW(nullptr, VpWideFromAcp(text).c_str(), L"Print", MB_OK | MB_ICONERROR);
  };
}

TVpPrinter::~TVpPrinter() {
  if (dc_) AbortJob();
}

const std::wstring& TVpPrinter::Name() const {
  return printers_.at(static_cast<std::size_t>(index_));
}

DEVMODEW* TVpPrinter::Mode() {
  return devmode_.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(devmode_.data());
}

const DEVMODEW* TVpPrinter::Mode() const {
  return devmode_.empty() ? nullptr : reinterpret_cast<const DEVMODEW*>(devmode_.data());
}

std::optional<DEVMODEW> TVpPrinter::DeviceMode() const {
  if (!Mode()) return std::nullopt;
  return *Mode();
}

void TVpPrinter::ResetDeviceMode() {
  devmode_.clear();
  if (index_ < 0) return;
  TPrinterHandle printer(Name());
  if (!printer.get()) return;
  auto* name = const_cast<wchar_t*>(Name().c_str());
  const LONG size = DocumentPropertiesW(nullptr, printer.get(), name, nullptr, nullptr, 0);
  if (size < static_cast<LONG>(sizeof(DEVMODEW))) return;
  devmode_.resize(static_cast<std::size_t>(size));
  if (DocumentPropertiesW(nullptr, printer.get(), name, Mode(), nullptr, DM_OUT_BUFFER) != IDOK)
    devmode_.clear();
}

// The driver merges the written fields into its own; a mode it refuses gives way to its
// default settings for the same printer.
bool TVpPrinter::Validate() {
  TPrinterHandle printer(Name());
  std::vector<BYTE> merged(devmode_.size());
  if (printer.get() &&
      DocumentPropertiesW(nullptr, printer.get(), const_cast<wchar_t*>(Name().c_str()),
                          reinterpret_cast<DEVMODEW*>(merged.data()), Mode(),
                          DM_IN_BUFFER | DM_OUT_BUFFER) == IDOK) {
    devmode_ = std::move(merged);
    return true;
  }
  ResetDeviceMode();
  return false;
}

template <class Value>
Value TVpPrinter::ReadSetting(Value fallback, Value (*read)(const DEVMODEW&)) const {
  const DEVMODEW* mode = Mode();
  return mode ? read(*mode) : fallback;
}

void TVpPrinter::WriteSetting(const std::function<void(DEVMODEW&)>& write) {
  DEVMODEW* mode = Mode();
  if (!mode) return;
  write(*mode);
  // A running job keeps the mode it started with until its next sheet.
  if (!Printing()) Validate();
}

bool TVpPrinter::Collate() const { return ReadSetting<bool>(false, ReadCollate); }
void TVpPrinter::SetCollate(bool on) {
  WriteSetting([&](DEVMODEW& m) { WriteCollate(m, on); });
}
TVpDuplexType TVpPrinter::Duplex() const { return ReadSetting(vpSimplex, ReadDuplex); }
void TVpPrinter::SetDuplex(TVpDuplexType duplex) {
  WriteSetting([&](DEVMODEW& m) { WriteDuplex(m, duplex); });
}
int TVpPrinter::PrintCopies() const { return ReadSetting(1, ReadCopies); }
void TVpPrinter::SetPrintCopies(int copies) {
  WriteSetting([&](DEVMODEW& m) { WriteCopies(m, copies); });
}
TVpPrintColor TVpPrinter::PrintColor() const { return ReadSetting(vpColor, ReadPrintColor); }
void TVpPrinter::SetPrintColor(TVpPrintColor color) {
  WriteSetting([&](DEVMODEW& m) { WritePrintColor(m, color); });
}
TVpDitherType TVpPrinter::DitherType() const { return ReadSetting(vpNone, ReadDitherType); }
void TVpPrinter::SetDitherType(TVpDitherType dither) {
  WriteSetting([&](DEVMODEW& m) { WriteDitherType(m, dither); });
}
TVpPrintQuality TVpPrinter::PrintQuality() const { return ReadSetting(vpMedium, ReadPrintQuality); }
void TVpPrinter::SetPrintQuality(TVpPrintQuality quality) {
  WriteSetting([&](DEVMODEW& m) { WritePrintQuality(m, quality); });
  RefreshPrinterInfo();
}

void TVpPrinter::SetPaper(TVpPaperSize paper) {
  WriteSetting([&](DEVMODEW& m) { WritePaperCode(m, PrinterPaperCode(paper)); });
  info_.reset();
}

void TVpPrinter::SelectPrinter(int index) {
  if (index < 0 || index >= static_cast<int>(printers_.size()))
    throw std::out_of_range("There is no printer with that number.");
  index_ = index;
  ResetDeviceMode();
  RefreshPrinterInfo();
  if (OnChangePrinter) OnChangePrinter(*this);
}

bool TVpPrinter::PrinterAvailable() const {
  if (index_ < 0) return false;
  const HDC ic = CreateICW(L"WINSPOOL", Name().c_str(), nullptr, Mode());
  if (!ic) return false;
  DeleteDC(ic);
  return true;
}

void TVpPrinter::SetOrientation(TVpOrientation orientation) {
  if (orientation == orientation_) return;
  orientation_ = orientation;
  RefreshPrinterInfo();
}

const TVpPrinterInfo& TVpPrinter::Info() {
  if (!info_) RefreshPrinterInfo();
  return *info_;
}

// Measured in portrait whatever the job's orientation, from the printer's own mode.
void TVpPrinter::RefreshPrinterInfo() {
  TVpPrinterInfo info;
  HDC ic = nullptr;
  if (index_ >= 0) {
    std::vector<BYTE> portrait = devmode_;
    if (!portrait.empty())
      WriteOrientation(*reinterpret_cast<DEVMODEW*>(portrait.data()), vpPortrait);
    ic = CreateICW(L"WINSPOOL", Name().c_str(), nullptr,
                   portrait.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(portrait.data()));
  }
  if (!ic) {
    info.NoDevice = true;
    info_ = info;
    return;
  }
  info.PhysicalWidth = GetDeviceCaps(ic, PHYSICALWIDTH);
  info.PhysicalHeight = GetDeviceCaps(ic, PHYSICALHEIGHT);
  info.PrintableWidth = GetDeviceCaps(ic, HORZRES);
  info.PrintableHeight = GetDeviceCaps(ic, VERTRES);
  info.OffsetLeft = GetDeviceCaps(ic, PHYSICALOFFSETX);
  info.OffsetTop = GetDeviceCaps(ic, PHYSICALOFFSETY);
  info.ResolutionX = GetDeviceCaps(ic, LOGPIXELSX);
  info.ResolutionY = GetDeviceCaps(ic, LOGPIXELSY);
  DeleteDC(ic);
  const int rotation =
      DeviceCapabilitiesW(Name().c_str(), nullptr, DC_ORIENTATION, nullptr, nullptr);
  info.LandscapeRotation = rotation == 90 ? 1 : rotation == 270 ? 2 : 0;
  if (info.ResolutionX <= 0 || info.ResolutionY <= 0) info = TVpPrinterInfo{.NoDevice = true};
  info_ = info;
}

TVpIntPoint TVpPrinter::Resolution() const {
  return (info_ ? *info_ : TVpPrinterInfo{}).Resolution(orientation_);
}

// The job --------------------------------------------------------------------------------------

void TVpPrinter::Check(int result, const char* what) {
  if (result > 0) return;
  AbortJob();
  throw std::runtime_error(std::string("The printer refused to ") + what + ".");
}

bool TVpPrinter::BeginJob() {
  if (!PrinterAvailable()) {
    if (ShowMessage) ShowMessage(kNoPrinterText);
    return false;
  }
  if (Printing() || printers_.empty()) return false;
  running_ = true;
  aborted_ = false;
  try {
    // The handler may cancel, or select another printer with its own settings.
    if (BeforePrint) BeforePrint(*this);
    if (!aborted_) OpenJob();
  } catch (...) {
    running_ = false;
    throw;
  }
  running_ = !aborted_;
  return running_;
}

void TVpPrinter::OpenJob() {
  // Two pages share a sheet side by side: portrait pages on a landscape sheet and back.
  if (pagesPerSheet_ == vpTwoPage)
    orientation_ = orientation_ == vpPortrait ? vpLandscape : vpPortrait;
  if (DEVMODEW* mode = Mode()) {
    WriteOrientation(*mode, orientation_);
    Validate();
  }
  RefreshPrinterInfo();
  dc_ = CreateDCW(L"WINSPOOL", Name().c_str(), nullptr, Mode());
  if (!dc_) throw std::runtime_error("The printer cannot be opened.");
  const std::wstring title = VpWideFromAcp(Title);
  DOCINFOW doc{};
  doc.cbSize = sizeof(doc);
  doc.lpszDocName = title.c_str();
  if (Spooler.BeginDocument(dc_, &doc) <= 0) {
    DeleteDC(std::exchange(dc_, nullptr));
    throw std::runtime_error("The printer refused to start the document.");
  }
  Check(Spooler.BeginSheet(dc_), "start a page");
  counter_ = 1;
  SetupSheetMapping(1);
}

void TVpPrinter::SetupSheetMapping(int k) {
  canvas_.reset();
  const TVpSheetMapping m = SheetMapping(Info(), orientation_, pagesPerSheet_, k);
  SetMapMode(dc_, MM_ANISOTROPIC);
  SetWindowExtEx(dc_, m.WindowExtent.X, m.WindowExtent.Y, nullptr);
  SetViewportExtEx(dc_, m.ViewportExtent.X, m.ViewportExtent.Y, nullptr);
  SetViewportOrgEx(dc_, m.ViewportOrigin.X, m.ViewportOrigin.Y, nullptr);
  canvas_ = std::make_unique<TVpGdiTarget>(dc_, true, &pictures_);
}

TVpDrawTarget& TVpPrinter::Canvas() {
  if (!canvas_) throw std::logic_error("No print job is running.");
  return *canvas_;
}

void TVpPrinter::NextPage() {
  if (!dc_) return;
  const int k = counter_++;
  if (SheetEndsAfter(pagesPerSheet_, k)) {
    canvas_.reset();
    Check(Spooler.EndSheet(dc_), "finish a page");
    if (DEVMODEW* mode = Mode()) {
      WriteOrientation(*mode, orientation_);
      if (!Spooler.ResetSheet(dc_, mode)) Check(0, "turn the next page");
    }
    Check(Spooler.BeginSheet(dc_), "start a page");
  }
  SetupSheetMapping(counter_);
}

void TVpPrinter::CloseJob(bool finished) {
  canvas_.reset();
  if (!finished) Spooler.AbortDocument(dc_);
  DeleteDC(std::exchange(dc_, nullptr));
  running_ = false;
}

void TVpPrinter::EndJob() {
  if (!dc_) return;
  const bool finished = Spooler.EndSheet(dc_) > 0 && Spooler.EndDocument(dc_) > 0;
  CloseJob(finished);
  if (!finished) throw std::runtime_error("The printer refused to finish the document.");
  if (AfterPrint) AfterPrint(*this);
}

void TVpPrinter::Abort() {
  if (!Printing()) return;
  aborted_ = true;
  if (OnAbortPrint) OnAbortPrint(*this);
}

void TVpPrinter::AbortJob() {
  if (dc_) CloseJob(false);
  running_ = false;
}
