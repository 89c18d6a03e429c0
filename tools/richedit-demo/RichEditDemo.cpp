// RichEditDemo [file]: our rich-edit control alone in a window, to try it by hand and to show
// it: Open (RTF or text), Save and Save As (RTF), Zoom and Exit.
// RichEditDemo --screenshot out.png [--zoom percent] [--select first last] file
// opens the file, zooms, selects, saves a picture of the window as PNG and ends.
#include <windows.h>

#include <commdlg.h>
#include <richedit.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "platform/Error.h"
#include "richedit/RichEditWindow.h"
#include "tests/support/Screenshot.h"
#include "tools/richedit-demo/DemoDocument.h"

namespace {

constexpr wchar_t kTitle[] = L"RichEdit Demo";
constexpr wchar_t kFrameClass[] = L"RichEditDemoFrame";
enum : UINT { IdOpen = 100, IdSave, IdSaveAs, IdExit, IdZoom = 200 };
constexpr int kZooms[] = {50, 75, 100, 150, 200};
constexpr int kZoomCount = sizeof kZooms / sizeof kZooms[0];

struct Demo {
  HWND frame = nullptr;
  HWND edit = nullptr;
  std::wstring path;
  bool pathIsRtf = false;  // Save writes over the file only when it was RTF
  bool quiet = false;      // taking a screenshot: errors go to the standard error, no box
  std::wstring shownCaption;
};

HMENU BuildMenu() {
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, IdOpen, L"&Open...\tCtrl+O");
  AppendMenuW(file, MF_STRING, IdSave, L"&Save\tCtrl+S");
  AppendMenuW(file, MF_STRING, IdSaveAs, L"Save &As...");
  AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(file, MF_STRING, IdExit, L"E&xit");
  HMENU zoom = CreatePopupMenu();
  for (int i = 0; i < kZoomCount; ++i) {
    AppendMenuW(zoom, MF_STRING, IdZoom + i, (std::to_wstring(kZooms[i]) + L" %").c_str());
  }
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(zoom), L"&Zoom");
  return bar;
}

std::wstring DisplayName(const Demo& demo) {
  return demo.path.empty() ? L"Untitled" : std::filesystem::path(demo.path).filename().wstring();
}

// "name* - RichEdit Demo", with the size of a selection when there is one.
void UpdateCaption(Demo& demo) {
  std::wstring caption = DisplayName(demo);
  if (SendMessageW(demo.edit, EM_GETMODIFY, 0, 0)) caption += L"*";
  CHARRANGE sel{};
  SendMessageW(demo.edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&sel));
  if (sel.cpMax > sel.cpMin) {
    caption += L" (" + std::to_wstring(sel.cpMax - sel.cpMin) + L" characters selected)";
  }
  caption += std::wstring(L" - ") + kTitle;
  if (caption == demo.shownCaption) return;  // selection changes come often; spare the flicker
  demo.shownCaption = caption;
  SetWindowTextW(demo.frame, caption.c_str());
}

void ShowError(const Demo& demo, const std::string& utf8) {
  const std::string text = WithFullStop(utf8);
  if (demo.quiet) {
    std::fprintf(stderr, "%s\n", text.c_str());
    return;
  }
  MessageBoxW(demo.frame, WideFromUtf8(text).c_str(), kTitle, MB_OK | MB_ICONERROR);
}

// The file the user picks in the common dialog; empty when cancelled.
std::wstring AskFileName(const Demo& demo, bool save) {
  wchar_t name[MAX_PATH] = L"";
  if (save && !demo.path.empty()) {
    std::filesystem::path suggested(demo.path);
    suggested.replace_extension(L".rtf");
    wcsncpy(name, suggested.c_str(), MAX_PATH - 1);
  }
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = demo.frame;
  ofn.lpstrFilter = save ? L"Rich Text Format (*.rtf)\0*.rtf\0"
                         : L"Documents (*.rtf;*.txt)\0*.rtf;*.txt\0All files (*.*)\0*.*\0";
  ofn.lpstrFile = name;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrDefExt = L"rtf";
  ofn.Flags = OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
              (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST | OFN_HIDEREADONLY);
  const BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  return chosen ? std::wstring(name) : std::wstring();
}

bool IsRtfName(const std::wstring& path) {
  return _wcsicmp(std::filesystem::path(path).extension().c_str(), L".rtf") == 0;
}

// Reads the file into the control, or saves the control's content to it, and takes its name.
// Failures are told in a message box; false then, and the demo keeps its file.
bool UseFile(Demo& demo, const std::wstring& path, bool save) {
  try {
    if (save) {
      demo::SaveFromControl(demo.edit, path);
    } else {
      demo::LoadIntoControl(demo.edit, path);
    }
  } catch (const std::exception& e) {
    ShowError(demo, e.what());
    return false;
  }
  demo.path = path;
  demo.pathIsRtf = save || IsRtfName(path);
  UpdateCaption(demo);
  return true;
}

bool SaveAs(Demo& demo) {
  const std::wstring path = AskFileName(demo, true);
  return !path.empty() && UseFile(demo, path, true);
}

// A text file or a new document gets a name first, so that RTF never lands in a .txt file.
bool Save(Demo& demo) { return demo.pathIsRtf ? UseFile(demo, demo.path, true) : SaveAs(demo); }

// True when the changes are saved or may go.
bool ConfirmDiscard(Demo& demo) {
  if (!SendMessageW(demo.edit, EM_GETMODIFY, 0, 0)) return true;
  const std::wstring question = L"Do you want to save the changes to " + DisplayName(demo) + L"?";
  switch (MessageBoxW(demo.frame, question.c_str(), kTitle, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES: return Save(demo);
    case IDNO: return true;
    default: return false;
  }
}

// The place of the percentage in kZooms; -1 when it is not one of them.
int ZoomIndex(int percent) {
  for (int i = 0; i < kZoomCount; ++i) {
    if (kZooms[i] == percent) return i;
  }
  return -1;
}

void SetZoom(Demo& demo, int index) {
  SendMessageW(demo.edit, EM_SETZOOM, kZooms[index], 100);
  HMENU zoom = GetSubMenu(GetMenu(demo.frame), 1);
  CheckMenuRadioItem(zoom, IdZoom, IdZoom + kZoomCount - 1, IdZoom + index, MF_BYCOMMAND);
}

void OpenLink(const Demo& demo, const ENLINK& link) {
  std::wstring url(static_cast<std::size_t>(link.chrg.cpMax - link.chrg.cpMin) + 1, L'\0');
  TEXTRANGEW range{link.chrg, url.data()};
  url.resize(static_cast<std::size_t>(
      SendMessageW(demo.edit, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range))));
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(demo.frame, L"open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32) ShowError(demo, "The link \"" + Utf8FromWide(url) + "\" could not be opened");
}

void OnCommand(Demo& demo, UINT id) {
  switch (id) {
    case IdOpen: {
      if (!ConfirmDiscard(demo)) return;
      const std::wstring path = AskFileName(demo, false);
      if (!path.empty()) UseFile(demo, path, false);
      return;
    }
    case IdSave: Save(demo); return;
    case IdSaveAs: SaveAs(demo); return;
    case IdExit: PostMessageW(demo.frame, WM_CLOSE, 0, 0); return;
    default:
      if (id >= IdZoom && id < IdZoom + kZoomCount) SetZoom(demo, static_cast<int>(id - IdZoom));
  }
}

LRESULT OnNotify(Demo& demo, const NMHDR& header) {
  if (header.hwndFrom != demo.edit) return 0;
  if (header.code == EN_SELCHANGE) UpdateCaption(demo);
  if (header.code == EN_LINK) {
    const auto& link = reinterpret_cast<const ENLINK&>(header);
    if (link.msg != WM_LBUTTONUP) return 0;
    OpenLink(demo, link);
    return 1;
  }
  return 0;
}

HWND CreateEdit(HWND frame) {
  HWND edit = CreateWindowExW(
      0, richedit::registerRichEditClass(), L"",
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0, 0, 0,
      0, frame, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!edit) return nullptr;
  // Justified paragraphs are drawn justified only with advanced typography.
  SendMessageW(edit, EM_SETTYPOGRAPHYOPTIONS, TO_ADVANCEDTYPOGRAPHY, TO_ADVANCEDTYPOGRAPHY);
  SendMessageW(edit, EM_AUTOURLDETECT, TRUE, 0);
  // Text clear of the window's edge and the scroll bar.
  SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(6, 6));
  SendMessageW(edit, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE | ENM_LINK);
  return edit;
}

LRESULT HandleFrameMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* demo = reinterpret_cast<Demo*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    demo = static_cast<Demo*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    demo->frame = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(demo));
  }
  if (!demo) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      demo->edit = CreateEdit(window);
      if (!demo->edit) return -1;
      SetZoom(*demo, 2);
      UpdateCaption(*demo);
      return 0;
    case WM_SIZE: MoveWindow(demo->edit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE); return 0;
    case WM_SETFOCUS: SetFocus(demo->edit); return 0;
    case WM_COMMAND:
      if (lParam == 0) {
        OnCommand(*demo, LOWORD(wParam));
      } else if (HIWORD(wParam) == EN_CHANGE) {
        UpdateCaption(*demo);
      }
      return 0;
    case WM_NOTIFY: return OnNotify(*demo, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_CLOSE:
      if (ConfirmDiscard(*demo)) DestroyWindow(window);
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return HandleFrameMessage(window, message, wParam, lParam);
  } catch (...) {
    return DefWindowProcW(window, message, wParam, lParam);  // out of memory for a caption
  }
}

HWND CreateFrame(Demo& demo, int width, int height) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = FrameProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  wc.lpszClassName = kFrameClass;
  RegisterClassExW(&wc);
  return CreateWindowExW(0, kFrameClass, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                         width, height, nullptr, BuildMenu(), wc.hInstance, &demo);
}

std::wstring FullPath(const std::wstring& path) {
  wchar_t full[MAX_PATH];
  const DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
  return n > 0 && n < MAX_PATH ? std::wstring(full, n) : path;
}

struct Options {
  std::wstring file;
  std::wstring screenshot;  // empty: an interactive session
  int zoomIndex = ZoomIndex(100);
  CHARRANGE select{0, 0};
};

// False when the arguments make no sense.
bool ParseArguments(const std::vector<std::wstring>& args, Options& options) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::size_t left = args.size() - i - 1;
    if (args[i] == L"--screenshot" && left >= 1) {
      options.screenshot = args[++i];
    } else if (args[i] == L"--zoom" && left >= 1) {
      options.zoomIndex = ZoomIndex(_wtoi(args[++i].c_str()));
    } else if (args[i] == L"--select" && left >= 2) {
      options.select.cpMin = _wtoi(args[++i].c_str());
      options.select.cpMax = _wtoi(args[++i].c_str());
    } else if (args[i].rfind(L"--", 0) != 0 && options.file.empty()) {
      options.file = FullPath(args[i]);
    } else {
      return false;
    }
  }
  return options.zoomIndex >= 0 && (options.screenshot.empty() || !options.file.empty());
}

int TakeScreenshot(Demo& demo, const Options& options) {
  SetZoom(demo, options.zoomIndex);
  SendMessageW(demo.edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&options.select));
  SendMessageW(demo.edit, EM_SCROLLCARET, 0, 0);
  try {
    SaveWindowPng(demo.frame, options.screenshot);
  } catch (const std::exception& e) {
    ShowError(demo, e.what());
    return 1;
  }
  DestroyWindow(demo.frame);
  return 0;
}

int RunMessageLoop(HWND frame) {
  ACCEL keys[] = {{FCONTROL | FVIRTKEY, 'O', IdOpen}, {FCONTROL | FVIRTKEY, 'S', IdSave}};
  HACCEL table = CreateAcceleratorTableW(keys, 2);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorW(frame, table, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  DestroyAcceleratorTable(table);
  return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  Options options;
  if (!ParseArguments(std::vector<std::wstring>(__wargv + 1, __wargv + __argc), options)) {
    Demo quiet;
    quiet.quiet = !options.screenshot.empty();
    ShowError(
        quiet,
        "Usage: RichEditDemo [file], or RichEditDemo --screenshot out.png [--zoom 50|75|100|150|200] [--select first last] file.");
    return 2;
  }
  const bool screenshot = !options.screenshot.empty();
  Demo demo;
  demo.quiet = screenshot;
  if (!CreateFrame(demo, screenshot ? 900 : 1000, screenshot ? 640 : 700)) return 1;
  ShowWindow(demo.frame, screenshot ? SW_SHOWNORMAL : show);
  UpdateWindow(demo.frame);
  if (!options.file.empty() && !UseFile(demo, options.file, false) && screenshot) return 1;
  SetFocus(demo.edit);
  if (screenshot) return TakeScreenshot(demo, options);
  return RunMessageLoop(demo.frame);
}
