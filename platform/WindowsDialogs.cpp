// The real dialogs: message boxes and the Windows common dialogs.
#include <windows.h>

#include <commdlg.h>

#include <cstring>

#include "platform/Dialogs.h"
#include "platform/FileFilter.h"
#include "platform/InputBox.h"

namespace {

UINT BoxStyle(DialogKind kind, DialogButtons buttons) {
  UINT style = MB_TASKMODAL;
  switch (kind) {
    case DialogKind::Information: style |= MB_ICONINFORMATION; break;
    case DialogKind::Confirmation: style |= MB_ICONQUESTION; break;
    case DialogKind::Error: style |= MB_ICONERROR; break;
    case DialogKind::Warning: style |= MB_ICONWARNING; break;
    default: break;
  }
  switch (buttons) {
    case DialogButtons::Ok: style |= MB_OK; break;
    case DialogButtons::YesNo: style |= MB_YESNO; break;
    case DialogButtons::YesNoCancel: style |= MB_YESNOCANCEL; break;
  }
  return style;
}

DialogAnswer AnswerOf(int id) {
  switch (id) {
    case IDYES: return DialogAnswer::Yes;
    case IDNO: return DialogAnswer::No;
    case IDOK: return DialogAnswer::Ok;
    default: return DialogAnswer::Cancel;
  }
}

std::wstring DeviceName(HGLOBAL devNames) {
  if (!devNames) return {};
  auto* names = static_cast<DEVNAMES*>(GlobalLock(devNames));
  std::wstring name = reinterpret_cast<const wchar_t*>(names) + names->wDeviceOffset;
  GlobalUnlock(devNames);
  return name;
}

std::vector<unsigned char> DevModeBytes(HGLOBAL devMode) {
  if (!devMode) return {};
  auto* mode = static_cast<DEVMODEW*>(GlobalLock(devMode));
  std::vector<unsigned char> bytes(mode->dmSize + mode->dmDriverExtra);
  std::memcpy(bytes.data(), mode, bytes.size());
  GlobalUnlock(devMode);
  return bytes;
}

class WindowsDialogs final : public Dialogs {
 public:
  DialogAnswer ShowBox(DialogKind kind, DialogButtons buttons, const std::wstring& caption,
                       const std::wstring& text) override {
    return AnswerOf(
        MessageBoxW(GetActiveWindow(), text.c_str(), caption.c_str(), BoxStyle(kind, buttons)));
  }

  std::optional<FileDialogResult> PickFile(DialogKind kind,
                                           const FileDialogRequest& request) override {
    const std::wstring filter = ToDialogFilter(request.filter);
    std::wstring path = request.fileName;
    path.resize(32768, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetActiveWindow();
    ofn.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(request.filterIndex);
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = static_cast<DWORD>(path.size());
    ofn.lpstrInitialDir = request.initialDir.empty() ? nullptr : request.initialDir.c_str();
    ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    ofn.lpstrDefExt = request.defaultExt.empty() ? nullptr : request.defaultExt.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    const bool ok =
        kind == DialogKind::SaveFile
            ? (ofn.Flags |= OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST, GetSaveFileNameW(&ofn))
            : (ofn.Flags |= OFN_FILEMUSTEXIST, GetOpenFileNameW(&ofn));
    if (!ok) return std::nullopt;
    path.resize(wcslen(path.c_str()));
    return FileDialogResult{path, static_cast<int>(ofn.nFilterIndex)};
  }

  std::optional<unsigned> PickColor(unsigned initial) override {
    static COLORREF custom[16] = {};
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = GetActiveWindow();
    cc.rgbResult = initial;
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&cc)) return std::nullopt;
    return cc.rgbResult;
  }

  std::optional<FontChoice> PickFont(const FontRequest& request) override {
    const FontChoice& initial = request.initial;
    LOGFONTW lf{};
    HDC screen = GetDC(nullptr);
    lf.lfHeight = -MulDiv(initial.pointSize, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    lf.lfWeight = initial.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = initial.italic;
    lf.lfUnderline = initial.underline;
    lf.lfStrikeOut = initial.strikeOut;
    lf.lfCharSet = static_cast<BYTE>(initial.charset);
    wcsncpy(lf.lfFaceName, initial.face.c_str(), LF_FACESIZE - 1);
    CHOOSEFONTW cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = GetActiveWindow();
    cf.lpLogFont = &lf;
    cf.iPointSize = initial.pointSize * 10;
    cf.rgbColors = initial.color;
    cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    if (request.trueTypeOnly) cf.Flags |= CF_TTONLY;
    if (request.minPointSize > 0 && request.maxPointSize >= request.minPointSize) {
      cf.Flags |= CF_LIMITSIZE;
      cf.nSizeMin = request.minPointSize;
      cf.nSizeMax = request.maxPointSize;
    }
    if (!ChooseFontW(&cf)) return std::nullopt;
    FontChoice choice;
    choice.face = lf.lfFaceName;
    choice.pointSize = cf.iPointSize / 10;
    choice.bold = lf.lfWeight >= FW_BOLD;
    choice.italic = lf.lfItalic;
    choice.underline = lf.lfUnderline;
    choice.strikeOut = lf.lfStrikeOut;
    choice.color = cf.rgbColors;
    choice.charset = lf.lfCharSet;
    return choice;
  }

  std::optional<PrintChoice> PickPrint(const PrintRequest& request) override {
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = GetActiveWindow();
    pd.Flags = PD_USEDEVMODECOPIESANDCOLLATE;
    if (!request.allowPageRange) pd.Flags |= PD_NOPAGENUMS;
    if (!request.allowSelection) pd.Flags |= PD_NOSELECTION;
    if (request.allowSelection && request.selectionChosen) pd.Flags |= PD_SELECTION;
    pd.nMinPage = static_cast<WORD>(request.minPage);
    pd.nMaxPage = static_cast<WORD>(request.maxPage);
    pd.nFromPage = static_cast<WORD>(request.fromPage);
    pd.nToPage = static_cast<WORD>(request.toPage);
    pd.nCopies = static_cast<WORD>(request.copies);
    if (!PrintDlgW(&pd)) return std::nullopt;
    PrintChoice choice;
    choice.range = (pd.Flags & PD_PAGENUMS)    ? PrintChoice::Range::Pages
                   : (pd.Flags & PD_SELECTION) ? PrintChoice::Range::Selection
                                               : PrintChoice::Range::All;
    choice.fromPage = pd.nFromPage;
    choice.toPage = pd.nToPage;
    choice.printerName = DeviceName(pd.hDevNames);
    choice.devMode = DevModeBytes(pd.hDevMode);
    if (!choice.devMode.empty()) {
      const auto* mode = reinterpret_cast<const DEVMODEW*>(choice.devMode.data());
      choice.copies = mode->dmCopies;
      choice.collate = mode->dmCollate == DMCOLLATE_TRUE;
    }
    GlobalFree(pd.hDevMode);
    GlobalFree(pd.hDevNames);
    return choice;
  }

  std::optional<std::wstring> InputBox(const std::wstring& caption, const std::wstring& prompt,
                                       const std::wstring& initial) override {
    return RunInputBox(GetActiveWindow(), caption, prompt, initial);
  }
};

}  // namespace

std::unique_ptr<Dialogs> MakeWindowsDialogs() { return std::make_unique<WindowsDialogs>(); }
