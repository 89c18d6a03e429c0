#include "engine/VpRtfPreview.h"

#include <richedit.h>

#include <algorithm>
#include <cwctype>

#include "engine/VpGdiSupport.h"
#include "engine/VpGdiTarget.h"
#include "engine/VpRounding.h"
#include "platform/HourglassCursor.h"
#include "platform/MetafilePlayback.h"
#include "richedit/RichEditWindow.h"

namespace {

constexpr int kLeadTwips = 90;  // kept between the top allowance and the first line
constexpr int kMaxCopyLength = 1000000;
constexpr long double kOverhangInches = 0.1L;
// Larger pictures of a page's text (zoomed far in) are not kept: it is played each time.
constexpr long long kMostShownPixels = 4'000'000;

struct StringCursor {
  std::string_view text;
  std::size_t at = 0;
};

DWORD CALLBACK AppendOut(DWORD_PTR cookie, LPBYTE bytes, LONG count, LONG* written) {
  reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(bytes),
                                                 static_cast<std::size_t>(count));
  *written = count;
  return 0;
}

// Hands over what was asked for; fewer bytes only at the end of the text.
DWORD CALLBACK ReadIn(DWORD_PTR cookie, LPBYTE bytes, LONG count, LONG* read) {
  auto* cursor = reinterpret_cast<StringCursor*>(cookie);
  const std::size_t n =
      std::min(static_cast<std::size_t>(std::max(count, 0L)), cursor->text.size() - cursor->at);
  std::copy_n(cursor->text.data() + cursor->at, n, bytes);
  cursor->at += n;
  *read = static_cast<LONG>(n);
  return 0;
}

void StreamRtfIn(HWND control, std::string_view rtf, UINT flags) {
  StringCursor cursor{rtf};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&cursor), 0, ReadIn};
  SendMessageW(control, EM_STREAMIN, flags, reinterpret_cast<LPARAM>(&stream));
}

std::wstring LowerClassName(HWND control) {
  wchar_t name[64]{};
  GetClassNameW(control, name, 64);
  std::wstring lower(name);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  return lower;
}

LONG TextLength(HWND control) {
  // Paragraph ends count one position here, as in the ranges EM_FORMATRANGE answers.
  GETTEXTLENGTHEX how{GTL_DEFAULT, 0};
  LONG n = static_cast<LONG>(
      SendMessageW(control, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0));
  if (LowerClassName(control) == L"trichedit98") --n;
  return std::max(n, 0L);
}

void AdvancedTypography(HWND control) {
  SendMessageW(control, EM_SETTYPOGRAPHYOPTIONS, TO_ADVANCEDTYPOGRAPHY, TO_ADVANCEDTYPOGRAPHY);
}

HWND MakeHolder() {
  static const wchar_t* const kClass = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TVpRichEditHolder";
    RegisterClassW(&wc);
    return wc.lpszClassName;
  }();
  return CreateWindowExW(WS_EX_TOOLWINDOW, kClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

HWND MakePlainRichEdit(HWND parent) {
  const HWND control = CreateWindowExW(0, richedit::registerRichEditClass(), L"",
                                       WS_CHILD | ES_MULTILINE | ES_AUTOHSCROLL, 0, 0, 0, 0, parent,
                                       nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, EM_EXLIMITTEXT, 0, kMaxCopyLength);
  return control;
}

std::int32_t Twips(long double inches) { return VpRoundToInt(inches * 1440); }

// The one kept picture of a page's text: only the page on screen needs it.
struct ShownText {
  const void* owner = nullptr;
  SIZE size{};
  BitmapHandle bitmap;
};
ShownText& Shown() {
  static ShownText shown;
  return shown;
}

}  // namespace

std::string GetRtfText(HWND control) {
  std::string rtf;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&rtf), 0, AppendOut};
  SendMessageW(control, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  return rtf;
}

void PutRtfText(HWND control, std::string_view rtf) {
  if (IsExtendedRichEdit(control)) {
    SETTEXTEX how{ST_SELECTION, CP_ACP};
    const std::string text(rtf);
    SendMessageW(control, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how),
                 reinterpret_cast<LPARAM>(text.c_str()));
    return;
  }
  if (!rtf.empty()) StreamRtfIn(control, rtf, SFF_SELECTION | SF_RTF);
}

bool IsExtendedRichEdit(HWND control) {
  const std::wstring name = LowerClassName(control);
  return name == L"trxrichedit" || name == L"trxdbrichedit" || name == L"tjvxrichedit" ||
         name == L"tjvxdbrichedit";
}

TVpRichEditCopy::TVpRichEditCopy(HWND source, HWND control)
    : source_(source), holder_(MakeHolder()), control_(control) {
  if (!control_) control_ = MakePlainRichEdit(holder_);
  SetParent(control_, holder_);
  SetWindowPos(control_, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
  StreamRtfIn(control_, GetRtfText(source), SF_RTF);
}

TVpRichEditCopy::~TVpRichEditCopy() {
  DestroyWindow(control_);
  DestroyWindow(holder_);
}

std::shared_ptr<TVpRichText> AddRichText(TVpPageList& list, HWND source,
                                         const TVpNeedRichEditFn& needRichEdit) {
  TVpCustomMemoList& memos = list.Resources().Memos;
  for (int i = 0; i < memos.Count(); ++i) {
    const auto* copy = dynamic_cast<const TVpRichEditCopy*>(memos.At(i)->get());
    if (copy && copy->Source() == source) return *memos.Add(*memos.At(i));
  }
  HWND made = needRichEdit ? needRichEdit() : nullptr;
  return *memos.Add(std::make_shared<TVpRichEditCopy>(source, made));
}

TVpReferenceDc::TVpReferenceDc(TVpPrinter& printer) : dc_(nullptr) {
  if (printer.PrinterIndex() >= 0) {
    std::optional<DEVMODEW> mode = printer.DeviceMode();
    if (mode) {
      mode->dmDriverExtra = 0;
      WriteOrientation(*mode, printer.Orientation());
    }
    dc_ = CreateICW(L"WINSPOOL",
                    printer.Printers()[static_cast<std::size_t>(printer.PrinterIndex())].c_str(),
                    nullptr, mode ? &*mode : nullptr);
  }
  if (!dc_) dc_ = CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
}

RECT VpRtfLayoutRect(TVpSize page, const TVpMargins& margins, std::int32_t topAllowance,
                     std::int32_t bottomAllowance, bool wrap) {
  RECT r{margins.Left().AsTwips(), topAllowance + kLeadTwips,
         Twips(page.Width) - margins.Right().AsTwips(), Twips(page.Height) - bottomAllowance};
  if (!wrap) r.right *= 10;
  return r;
}

// TVpRtfPageBlock -------------------------------------------------------------------------------

TVpRtfPageBlock::~TVpRtfPageBlock() {
  if (Shown().owner == this) Shown() = ShownText{};
}

FORMATRANGE TVpRtfPageBlock::FormatRecord(HDC dc) const {
  const TVpSize page = info_.PageSize;
  FORMATRANGE fr{};
  fr.hdc = dc;
  fr.hdcTarget = reference_->get();
  fr.rcPage = {0, 0, Twips(page.Width), Twips(page.Height)};
  fr.rc = {Twips(info_.Rect.Left), Twips(info_.Rect.Top), Twips(info_.Rect.Right),
           Twips(info_.Rect.Bottom) + 1};
  if (!info_.Wrap) fr.rc.right *= 10;
  fr.chrg = {info_.FirstChar, info_.EndChar};
  return fr;
}

TVpEnhMetaFile TVpRtfPageBlock::Recording() const {
  const TVpSize page = info_.PageSize;
  // The frame is the whole page, so playing it into the page's rectangle scales it there.
  const RECT frame{0, 0, VpRoundToInt(page.Width * 2540), VpRoundToInt(page.Height * 2540)};
  const HDC dc = CreateEnhMetaFileW(reference_->get(), nullptr, &frame, nullptr);
  if (!dc) return {};
  FORMATRANGE fr = FormatRecord(dc);
  const HWND control = static_cast<const TVpRichEditCopy&>(*info_.Control).Control();
  // The control keeps its layout between pages: releasing it here would lay the document
  // out again from its start for every page drawn.
  SendMessageW(control, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&fr));
  return TVpEnhMetaFile(CloseEnhMetaFile(dc));
}

void TVpRtfPageBlock::Draw(TVpDrawTarget& target, const TVpDrawContext& context) const {
  auto* gdi = dynamic_cast<TVpGdiTarget*>(&target);
  const auto* copy = dynamic_cast<const TVpRichEditCopy*>(info_.Control.get());
  if (!gdi || !copy) return;
  const HDC dc = gdi->Dc();
  if (target.IsPrinter()) {
    FORMATRANGE fr = FormatRecord(dc);
    fr.hdcTarget = dc;
    SendMessageW(copy->Control(), EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&fr));
    return;
  }
  if (!recorded_.get()) recorded_ = Recording();
  if (recorded_.get()) Show(dc, context);
}

void TVpRtfPageBlock::Show(HDC dc, const TVpDrawContext& context) const {
  const RECT page{0, 0, VpRoundToInt(info_.PageSize.Width * context.PpiX),
                  VpRoundToInt(info_.PageSize.Height * context.PpiY)};
  // The text rectangle and a little around it for overhanging glyphs; the sheet is white there
  // and everything else on the page is drawn afterwards.
  const TVpRect& r = info_.Rect;
  POINT area[2] = {{VpRoundToInt((r.Left - kOverhangInches) * context.PpiX),
                    VpRoundToInt((r.Top - kOverhangInches) * context.PpiY)},
                   {VpRoundToInt((r.Right + kOverhangInches) * context.PpiX),
                    VpRoundToInt((r.Bottom + kOverhangInches) * context.PpiY)}};
  POINT device[2] = {area[0], area[1]};
  POINT origin[2] = {{0, 0}, {page.right, page.bottom}};
  LPtoDP(dc, device, 2);
  LPtoDP(dc, origin, 2);
  const SIZE size{device[1].x - device[0].x, device[1].y - device[0].y};
  if (size.cx <= 0 || size.cy <= 0) return;
  if (static_cast<long long>(size.cx) * size.cy > kMostShownPixels) {
    PlayMetafile(dc, recorded_.get(), page);
    return;
  }
  MemoryDC memory(dc);
  ShownText& shown = Shown();
  if (shown.owner != this || size.cx != shown.size.cx || size.cy != shown.size.cy) {
    shown.bitmap.Reset(CreateCompatibleBitmap(dc, size.cx, size.cy));
    shown.owner = this;
    shown.size = size;
    Selection use(memory.get(), shown.bitmap.get());
    const RECT all{0, 0, size.cx, size.cy};
    FillRect(memory.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const RECT placed{origin[0].x - device[0].x, origin[0].y - device[0].y,
                      origin[1].x - device[0].x, origin[1].y - device[0].y};
    PlayMetafile(memory.get(), recorded_.get(), placed);
  }
  Selection use(memory.get(), shown.bitmap.get());
  StretchBlt(dc, area[0].x, area[0].y, area[1].x - area[0].x, area[1].y - area[0].y, memory.get(),
             0, 0, size.cx, size.cy, SRCCOPY);
}

// TVpRtfPreview ---------------------------------------------------------------------------------

void TVpRtfPreview::SetPreview(TVpPreview* preview) {
  preview_ = preview;
  if (preview_) SetAllowances();
}

void TVpRtfPreview::SetAllowances() {
  TVpPageList& list = preview_->PageList();
  const TVpMargins& margins = list.Margins();
  top_.SetAsTwips(margins.Top().AsTwips() + Twips(list.Header().BandHeight(list.CellHeight)));
  bottom_.SetAsTwips(margins.Bottom().AsTwips() + Twips(list.Footer().BandHeight(list.CellHeight)));
}

void TVpRtfPreview::Error(const std::string& text) const {
  if (ShowMessage) {
    ShowMessage(text);
    return;
  }
  MessageBoxW(nullptr, VpWideFromAcp(text).c_str(), L"Error", MB_OK | MB_ICONERROR);
}

void TVpRtfPreview::MoveToNextPage() {
  if (ForceNewPages || preview_->CurrentPage() >= preview_->PageCount())
    preview_->NewPage();
  else
    preview_->NextPage();
  if (OnNewPage) OnNewPage(*this, top_, bottom_);
}

void TVpRtfPreview::LoadRichEdit(HWND editor) {
  if (!preview_) {
    Error(
        "TVpRtfPreview Error!\r\n\r\nThe \"Preview\" property must be set to a TVpPreview "
        "component.");
    return;
  }
  TVpUpdateGuard<TVpPreview> update(*preview_);
  SetAllowances();
  HourglassCursor hourglass;
  auto reference = std::make_shared<TVpReferenceDc>(preview_->VpPrinter());
  const LONG n = TextLength(editor);
  AdvancedTypography(editor);
  SendMessageW(editor, EM_FORMATRANGE, FALSE, 0);
  const std::shared_ptr<TVpRichText> copy =
      AddRichText(preview_->PageList(), editor, OnNeedRichEdit);
  const HWND control = static_cast<const TVpRichEditCopy&>(*copy).Control();

  FORMATRANGE fr{};
  fr.hdc = fr.hdcTarget = reference->get();
  LONG e = 0;
  for (;;) {
    TVpPage& page = preview_->GetPage(preview_->CurrentPage());
    const TVpSize size = page.Size();
    fr.rcPage = {0, 0, Twips(size.Width), Twips(size.Height)};
    fr.rc =
        VpRtfLayoutRect(size, preview_->Margins(), top_.AsTwips(), bottom_.AsTwips(), WrapLines);
    const RECT layout = fr.rc;
    fr.chrg = {e, -1};
    AdvancedTypography(control);
    const LONG start = e;
    e = static_cast<LONG>(
        SendMessageW(control, EM_FORMATRANGE, FALSE, reinterpret_cast<LPARAM>(&fr)));
    TVpPageRtfInfo info{
        start,
        e,
        {layout.left / 1440.0L, layout.top / 1440.0L,
         (WrapLines ? layout.right : layout.right / 10) / 1440.0L, layout.bottom / 1440.0L},
        copy,
        WrapLines,
        size};
    page.SetRtfBlock(std::make_unique<TVpRtfPageBlock>(std::move(info), reference));
    // A rectangle that takes no line (no height left between the allowances) would ask for
    // pages without end; what does not fit on an empty page cannot fit on the next.
    const bool stuck = e <= start;
    if (e < n && e != -1 && !stuck) MoveToNextPage();
    const bool done = e >= n || e == -1 || stuck;
    // 100 only for the last page, however close the rounding brings an earlier one.
    if (OnProgress) OnProgress(*this, done ? 100 : std::min(99, VpRoundToInt(100.0L * e / n)));
    if (done) break;
  }
}
