#pragma once
// The real Tessary.exe as the end-to-end tests drive it: its main window, editor, toolbar and
// status bar, commands posted as the toolbar reports them, and Save As through the real
// dialog.
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "tests/e2e/Driver.h"
#include "writer/MainCommands.h"

inline const std::wstring kCaption = L"Ombrel Tessary Express";

inline std::wstring CaptionFor(const std::filesystem::path& document) {
  return kCaption + L" >>  [" + document.wstring() + L"]";
}

// A folder where Tessary has run before: its history file exists (a first run says
// "File not Found!" before the window shows).
inline ProgramRun::Files TessaryRanBefore() { return {{L"WrdFileList.dat", ""}}; }

class TessaryRun {
 public:
  explicit TessaryRun(const std::wstring& arguments = L"",
                      const ProgramRun::Files& files = TessaryRanBefore())
      : run(TESSARY_EXE, arguments, files) {}

  void Attach(const std::wstring& caption) {
    main = run.WaitForWindow(caption);
    editor = FindChildByIndex(main, L"RichTextEdit", 0);
    toolbar = FindChildByIndex(main, TOOLBARCLASSNAMEW, 0);
    status = FindChildByIndex(main, STATUSCLASSNAMEW, 0);
  }

  // As the toolbar reports a button (or an item of its drop-down menus).
  void Command(writer::Command command) const {
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(command, 0), reinterpret_cast<LPARAM>(toolbar));
  }

  void Type(const std::wstring& text) const {
    for (wchar_t c : text) PostMessageW(editor, WM_CHAR, c, 1);
  }

  std::wstring Text() const { return ControlText(editor); }
  std::wstring Caption() const { return ControlText(main); }
  bool PlainTextMode() const { return (Ask(editor, EM_GETTEXTMODE) & TM_PLAINTEXT) != 0; }
  // Status panel 2 says "Modified" or nothing; its text needs a pointer into the program,
  // its length does not.
  bool ShowsModified() const { return LOWORD(Ask(status, SB_GETTEXTLENGTHW, 2)) == 8; }

  void WaitForCaption(const std::wstring& caption) const {
    ASSERT_TRUE(WaitUntil([&] { return Caption() == caption; })) << Utf8FromWide(Caption());
  }

  void SaveAs(const std::filesystem::path& path) {
    Command(writer::cmdSaveAs);
    run.ChooseFile(L"Save As", path, L"Save");
    WaitForCaption(CaptionFor(path));
  }

  ProgramRun run;
  HWND main = nullptr;
  HWND editor = nullptr;
  HWND toolbar = nullptr;
  HWND status = nullptr;
};
