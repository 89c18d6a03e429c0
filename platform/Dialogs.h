#pragma once
// Every message box and common dialog goes through one interface, so that tests can
// record what the programs say and answer from a script instead of blocking on a window.
#include <memory>
#include <optional>
#include <string>
#include <vector>

enum class DialogKind {
  Information,
  Confirmation,
  Error,
  Warning,
  Message,
  OpenFile,
  SaveFile,
  Color,
  Font,
  Print,
  Input
};
enum class DialogButtons { Ok, YesNo, YesNoCancel };
enum class DialogAnswer { Ok, Cancel, Yes, No };

struct FileDialogRequest {
  std::wstring title;
  std::wstring filter;      // "Text|*.txt|All|*.*"
  int filterIndex = 1;      // 1-based, as the common dialogs count
  std::wstring defaultExt;  // without the dot
  std::wstring initialDir;
  std::wstring fileName;
};

struct FileDialogResult {
  std::wstring path;
  int filterIndex = 1;
};

struct FontChoice {
  std::wstring face;
  int pointSize = 10;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  unsigned color = 0;  // 0x00BBGGRR
  int charset = 1;     // DEFAULT_CHARSET
};

// What the font dialog offers: the font it starts with and, when set, only TrueType faces
// and sizes within a range.
struct FontRequest {
  FontChoice initial;
  bool trueTypeOnly = false;
  int minPointSize = 0;  // 0: no limit
  int maxPointSize = 0;
};

struct PrintRequest {
  int minPage = 1;
  int maxPage = 1;
  int fromPage = 1;
  int toPage = 1;
  int copies = 1;
  bool allowPageRange = true;
  bool allowSelection = false;
  bool selectionChosen = false;  // the range starts at the selection
};

struct PrintChoice {
  enum class Range { All, Pages, Selection };
  Range range = Range::All;
  int fromPage = 1;
  int toPage = 1;
  int copies = 1;
  bool collate = false;
  std::wstring printerName;
  std::vector<unsigned char> devMode;  // the chosen DEVMODEW, as the driver filled it
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  virtual DialogAnswer ShowBox(DialogKind kind, DialogButtons buttons, const std::wstring& caption,
                               const std::wstring& text) = 0;
  virtual std::optional<FileDialogResult> PickFile(DialogKind kind,
                                                   const FileDialogRequest& request) = 0;
  virtual std::optional<unsigned> PickColor(unsigned initial) = 0;
  virtual std::optional<FontChoice> PickFont(const FontRequest& request) = 0;
  virtual std::optional<PrintChoice> PickPrint(const PrintRequest& request) = 0;
  virtual std::optional<std::wstring> InputBox(const std::wstring& caption,
                                               const std::wstring& prompt,
                                               const std::wstring& initial) = 0;
};

// The dialogs in use: the Windows ones unless a test installed others.
Dialogs& CurrentDialogs();
// Installs replacement dialogs (nullptr puts the Windows ones back); returns the previous.
Dialogs* InstallDialogs(Dialogs* dialogs);
std::unique_ptr<Dialogs> MakeWindowsDialogs();

// The programs' message boxes, captioned with the application title.
void ShowInformation(const std::wstring& text);
bool ConfirmYesNo(const std::wstring& text);
DialogAnswer ConfirmYesNoCancel(const std::wstring& text);
void ShowError(const std::wstring& text);
void ShowWarning(const std::wstring& text);
void ShowPlainMessage(const std::wstring& text);

std::optional<FileDialogResult> OpenFileDialog(const FileDialogRequest& request);
std::optional<FileDialogResult> SaveFileDialog(const FileDialogRequest& request);
std::optional<FontChoice> FontDialog(const FontRequest& request);
