#pragma once
// TFrmMain: Tessary's one main window. It owns the editor with the document, the toolbar, the
// side panel "Text Properties" and the status bar; it runs the window's commands, starts the
// sibling programs and a second instance, and hands the document files to DocumentFiles.
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Form.h"
#include "writer/DocumentFiles.h"
#include "writer/EditorBox.h"
#include "writer/EditorSettings.h"
#include "writer/FormatCommands.h"
#include "writer/History.h"
#include "writer/MainCommands.h"
#include "writer/MainToolbar.h"
#include "writer/PopupMenus.h"
#include "writer/SidePanel.h"
#include "writer/StatusPanels.h"
#include "writer/SymbolTools.h"
#include "writer/TextSearch.h"
#include "writer/export/ExportProgress.h"
#include "writer/export/PresentationOptions.h"
#include "writer/insert/DllFormU.h"
#include "writer/print/MarginSettings.h"

class TfrmPrintPreview;
namespace writer {
class QuickPrint;
}

class TFrmMain : public Form, public writer::SidePanelControls, public DocumentHost {
 public:
  static constexpr int kWidth = 1024;
  static constexpr int kHeight = 570;
  static constexpr int kSpacer = 10;

  TFrmMain();
  ~TFrmMain() override;
  // The folder (with its trailing separator) of "Tessary.ini" and "WrdFileList.dat", given
  // before Create: the program's own. Without one the settings are neither read nor written
  // and the history lasts for the run.
  void SetDataFolder(std::wstring folder) { dataFolder_ = std::move(folder); }
  void Create();

  writer::MainToolbar ToolBar1;
  Label spcTop, spcLeft;
  writer::EditorBox Editor;
  writer::StatusPanels StatusBar1;
  TfrmExport frmExport;
  TfrmPresentation frmPresentation;
  TDllForms DllForms;

  DocumentFiles& Documents() { return *documents_; }
  const writer::OwnerDrawnMenu& EditorMenu() const { return editorMenu_; }
  const writer::OwnerDrawnMenu& NewMenu() const { return newMenu_; }
  const writer::OwnerDrawnMenu& SaveMenu() const { return saveMenu_; }
  const writer::OwnerDrawnMenu& FindMenu() const { return findMenu_; }
  const writer::OwnerDrawnMenu& AlignMenu() const { return alignMenu_; }
  writer::FormatCommands& Formatting() { return *formats_; }
  writer::TextSearch& Search() { return *search_; }
  writer::SymbolTools& Symbols() { return *symbols_; }

  // Full work-area height, 1024 wide, centred; only in the normal state.
  void PlaceMainWindow();

  // Runs a command of a button, menu item or key; a disabled command does nothing.
  void RunCommand(int command);
  bool CommandEnabled(int command) const { return !disabled_.count(command); }
  void SetCommandEnabled(int command, bool enabled);
  // The command of a key press (Ctrl from the keyboard state), run when enabled; true when the
  // key belongs to the window's short-cuts.
  bool HandleShortcut(UINT key);

  void BtnCloseClick() { Close(); }
  void btnHelpClick();
  void NewDocumentWindowClick();
  void SpellCheckClick();
  void MailMergeClick();
  void EnvelopeClick();
  void SelectAllClick();
  void ClearSelectionClick();
  void ClearAllClick();
  void HideSidePanelClick();
  void UpdateWordCount();
  void UpdateCaretPosition();
  // Count, side panel and caret position after the selection moved.
  void SelectionChanged();
  void btnParaFormatClick();
  void BtnPrintPreviewClick();
  // The toolbar's Quick Print (toolbar true) and Ctrl+P.
  void BtnQuickPrintClick(bool toolbar);
  // The table builder; its picture is pasted at the caret when it reports one.
  void InsertTableClick();

  // Read and written by the print preview's margins dialog; kept in "Tessary.ini".
  writer::MarginSettings Margins;
  // "Tessary.ini": read and applied once, at the first activation (or the first command, when
  // that comes sooner); written when the window is destroyed (when they were read in this run).
  // A failed write is not reported.
  void LoadSettings();
  void SaveSettings();
  // What the settings file receives: the side panel's font and size, the zoom, whether the side
  // panel shows, the margins.
  writer::EditorSettings CurrentSettings() const;
  void ApplySettings(const writer::EditorSettings& settings);
  bool SettingsLoaded() const { return settingsLoaded_; }
  writer::THistoryForm& History() { return *history_; }
  TfrmPrintPreview& PrintPreview() { return *printPreview_; }
  // The Editor's context menu at the screen point (the right button went down in it).
  void EditorMouseDownRight(POINT screen);

  // Starting other programs and documents through the shell; tests record the calls.
  struct ShellRequest {
    std::wstring file;
    std::wstring verb;
    int show;
  };
  using ShellStarter = std::function<void(HWND owner, const ShellRequest&)>;
  void SetShellStarter(ShellStarter starter) { shell_ = std::move(starter); }
  // The program's arguments; the first, when it names an existing file, opens at first show.
  void SetArguments(std::vector<std::wstring> arguments) { arguments_ = std::move(arguments); }

  // DocumentHost.
  void SetCaption(const std::wstring& caption) override { Form::SetCaption(caption); }
  void SetApplicationTitle(const std::wstring& title) override;
  void SetModifiedPanel(const std::wstring& text) override { StatusBar1.SetPanel(2, text); }
  void ApplyZoom() override;
  void FocusEditor() override;
  void ProcessMessages() override;
  void RecordInHistory(const std::wstring& path, HistoryKind kind) override;
  std::optional<std::wstring> FirstHistoryRow() override { return history_->FirstShownRow(); }
  bool CanExport(DocumentKind) const override { return true; }
  void Export(DocumentKind kind, const std::wstring& path) override;

  bool PreTranslateMessage(MSG& msg) override;

 protected:
  void FormShow() override;
  void FormActivate() override;
  bool FormCloseQuery() override;
  void FormClose() override;
  void FormDestroy() override;
  void FormResize() override;
  void FormMenuCommand(int id) override { RunCommand(id); }
  void FormMeasureMenuItem(MEASUREITEMSTRUCT& mis) override;
  void FormDrawMenuItem(const DRAWITEMSTRUCT& dis) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  static RECT MainWindowPlace();
  void MoveToPlace();
  void BuildToolbar();
  void BuildEditor();
  void BuildPrinting();
  void BuildHistory();
  void EnsureSettingsLoaded();
  void ShowHint(const std::wstring& hint) { StatusBar1.SetPanel(0, hint); }
  void ShowDropDown(int command, RECT button);
  void StartProgram(const std::wstring& file, const wchar_t* verb, int show);
  void OpenLink(const std::wstring& link);
  void EditorKeyDown(WPARAM key);
  void FirstShow();
  void CountWordsNow();
  std::vector<writer::OwnerDrawnMenu*> Menus();

  std::unique_ptr<DocumentFiles> documents_;
  std::unique_ptr<TfrmPrintPreview> printPreview_;
  std::unique_ptr<writer::QuickPrint> quickPrint_;
  std::unique_ptr<writer::THistoryForm> history_;
  std::wstring dataFolder_;
  bool settingsLoaded_ = false;
  writer::OwnerDrawnMenu editorMenu_, newMenu_, saveMenu_, findMenu_, alignMenu_;
  std::unique_ptr<writer::FormatCommands> formats_;
  std::unique_ptr<writer::TextSearch> search_;
  std::unique_ptr<writer::SymbolTools> symbols_;
  // The count runs when the text changed; in a long document once typing pauses.
  bool countStale_ = true;
  std::set<int> disabled_;
  ShellStarter shell_;
  std::vector<std::wstring> arguments_;
  BrushHandle panelBrush_;
  bool shown_ = false;
  bool closing_ = false;
};
