#include "writer/Main.h"

#include <richedit.h>
#include <shellapi.h>

#include <cwchar>

#include "platform/Application.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/ExeFolder.h"
#include "writer/EditorSettingsFile.h"
#include "writer/HistoryFile.h"
#include "writer/Insertions.h"
#include "writer/ParaFmt.h"
#include "writer/WordCount.h"
#include "writer/ZoomTable.h"
#include "writer/export/DocumentExports.h"
#include "writer/print/PrintPreview.h"
#include "writer/print/QuickPrint.h"

using namespace writer;

namespace {

const ToolButton kToolButtons[] = {
    {cmdNew, ToolIcon::NewPage, L"Start a New Document", true},
    {cmdHistory, ToolIcon::History, L"Open Document History...", false},
    {cmdOpen, ToolIcon::OpenFolder, L"Open a Document...", false},
    {cmdSave, ToolIcon::SaveDisk, L"Save Current Document...", true},
    {0, ToolIcon::NewPage, L"", false},
    {cmdQuickPrint, ToolIcon::QuickPrint, L"Quick Print", false},
    {cmdPrintPreview, ToolIcon::Preview, L"Print Preview...", false},
    {0, ToolIcon::NewPage, L"", false},
    {cmdCut, ToolIcon::Cut, L"Cut Selection To Clipboard", false},
    {cmdCopy, ToolIcon::Copy, L"Copy Selection To Clipboard", false},
    {cmdPaste, ToolIcon::Paste, L"Paste From Clipboard", false},
    {cmdUndo, ToolIcon::Undo, L"Undo Action", false},
    {cmdRedo, ToolIcon::Redo, L"Redo Action", false},
    {0, ToolIcon::NewPage, L"", false},
    {cmdFind, ToolIcon::Find, L"Find Text...", true},
    {cmdDate, ToolIcon::Date, L"Insert Current Date", false},
    {cmdPicture, ToolIcon::Picture, L"Insert a Picture...", false},
    {cmdEmoticons, ToolIcon::Emoticon, L"Insert an Emotional Icon...", false},
    {cmdSpecialChar, ToolIcon::SpecialChar, L"Insert a Special Character...", false},
    {0, ToolIcon::NewPage, L"", false},
    {cmdClose, ToolIcon::Exit, L"Leave Ombrel Tessary Express", false},
};

// A long document is counted once typing pauses; a short one at every change.
constexpr int kImmediateCountLength = 20000;
constexpr UINT_PTR kCountTimer = 1;
constexpr UINT kCountDelay = 250;
constexpr UINT kOpenSearchMessage = WM_APP + 1;

std::vector<MenuEntry> EditorMenuEntries() {
  return {
      {cmdCut, L"Cu&t", L"Ctrl+X", L"", ToolIcon::Cut},
      {cmdCopy, L"&Copy", L"Ctrl+C", L"", ToolIcon::Copy},
      {cmdPaste, L"&Paste", L"Ctrl+V", L"", ToolIcon::Paste},
      MenuEntry::Separator(),
      {cmdSelectAll, L"Select All", L"Ctrl+A"},
      MenuEntry::Separator(),
      {cmdClearSelection, L"Clear Selection", L"Ctrl+D"},
      {cmdClearAll, L"Clear All"},
      MenuEntry::Separator(),
      {cmdInsertTable, L"Insert Table...", L"", L"", ToolIcon::Table},
      {cmdInsertEquation, L"Insert From Equation Builder...", L"", L"", ToolIcon::Equation},
      MenuEntry::Separator(),
      {cmdHideSidePanel, L"Hide Side Panel", L"", L"", std::nullopt, true},
  };
}

void ShellOpen(HWND owner, const TFrmMain::ShellRequest& request) {
  ShellExecuteW(owner, request.verb.c_str(), request.file.c_str(), nullptr, nullptr, request.show);
}

std::vector<std::wstring> ProgramArguments() {
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> result;
  for (int i = 1; i < count; ++i) result.emplace_back(args[i]);
  LocalFree(args);
  return result;
}

bool IsExistingFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

TFrmMain::TFrmMain()
    : editorMenu_(EditorMenuEntries()),
      newMenu_({{cmdNewWindow, L"New Document Window...", L"", L"Start another Tessary window",
                 ToolIcon::NewPage}}),
      saveMenu_({{cmdSaveAs, L"Save Document As...", L"", L"Save under a new name or format",
                  ToolIcon::SaveDisk}}),
      findMenu_({{cmdFindReplace, L"Find and Replace...", L"", L"Find text and replace it",
                  ToolIcon::Find}}),
      alignMenu_({{cmdJustify, L"Fully Justified Text", L"", L"", ToolIcon::AlignRight},
                  MenuEntry::Separator(),
                  {cmdSuperscript, L"SuperScript", L"", L"", std::nullopt, true},
                  {cmdSubscript, L"SubScript", L"", L"", std::nullopt, true}}),
      shell_(ShellOpen),
      arguments_(ProgramArguments()),
      panelBrush_(CreateSolidBrush(SidePanelFrame::kColor)) {}

TFrmMain::~TFrmMain() = default;  // the print windows go with it

void TFrmMain::Create() {
  FormStyle style;
  style.caption = kProgramCaption;
  style.width = kWidth;
  style.height = kHeight;
  style.color = RGB(255, 255, 255);
  Form::Create(style);
  HWND w = Handle();
  BuildToolbar();
  spcTop.Create(w, L"", 0, MainToolbar::kHeight, kWidth, kSpacer, SS_NOTIFY);
  spcLeft.Create(w, L"", 0, MainToolbar::kHeight + kSpacer, kSpacer, 100, SS_NOTIFY);
  for (Label* spacer : {&spcTop, &spcLeft})
    spacer->SetMessageHook([this](UINT msg, WPARAM, LPARAM, LRESULT&) {
      if (msg == WM_MOUSEMOVE) ShowHint(L"");
      return false;
    });
  BuildSidePanel(
      w, [this](int command) { RunCommand(command); },
      [this](const std::wstring& hint) { ShowHint(hint); });
  BuildEditor();
  StatusBar1.Create(w);
  documents_ = std::make_unique<DocumentFiles>(Editor.Handle(), *this);
  frmExport.Create(w);
  frmPresentation.Create(w);
  DllForms.Create(w);
  formats_ = std::make_unique<FormatCommands>(*this, Editor.Handle());
  formats_->FillLists(w);
  formats_->OnScriptTicks = [this](int command, bool on) { alignMenu_.SetChecked(command, on); };
  formats_->ProcessMessages = [] { Application::Get().ProcessMessages(); };
  OnButtonDropDown = [this](int command, RECT screen) {
    if (command == cmdAlignRight) alignMenu_.Popup(Handle(), POINT{screen.left, screen.bottom});
  };
  search_ = std::make_unique<TextSearch>(w, Editor.Handle());
  search_->OnReplacedAll = [this] {
    countStale_ = true;
    documents_->SetModifiedState(documents_->Modified());
    SelectionChanged();
  };
  symbols_ = std::make_unique<SymbolTools>(Editor.Handle(), formats_->SymbolFontNames());
  symbols_->Create(w);
  BuildPrinting();
  BuildHistory();
  // In place before the first showing: a document from the command line is laid out once.
  MoveToPlace();
  FormResize();
}

void TFrmMain::BuildToolbar() {
  ToolBar1.Create(Handle(), kToolButtons);
  ToolBar1.OnHint = [this](const std::wstring& hint) { ShowHint(hint); };
  ToolBar1.OnDropDown = [this](int command, RECT button) { ShowDropDown(command, button); };
}

void TFrmMain::BuildEditor() {
  Editor.Create(Handle());
  Editor.OnChange = [this] {
    countStale_ = true;
    UpdateWordCount();
    documents_->SetModifiedState(documents_->Modified());
  };
  Editor.OnSelectionChange = [this] { SelectionChanged(); };
  Editor.OnLinkClick = [this](const std::wstring& link) { OpenLink(link); };
  Editor.SetMessageHook([this](UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_RBUTTONDOWN) {
      POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      ClientToScreen(Editor.Handle(), &p);
      EditorMouseDownRight(p);
      return true;
    }
    if (msg == WM_KEYDOWN) EditorKeyDown(wp);
    // The armed format painter shows the hand and paints when a mouse button comes up.
    if (formats_ && formats_->PainterArmed()) {
      if (msg == WM_SETCURSOR) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        result = TRUE;
        return true;
      }
      if (msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP) {
        result = Editor.CallOriginal(msg, wp, lp);
        formats_->ApplyPainter();
        return true;
      }
    }
    return false;
  });
}

void TFrmMain::SelectionChanged() {
  UpdateWordCount();
  formats_->RefreshControls();
  UpdateCaretPosition();
}

// Counting a long text costs more than a keystroke may: after a change in a long document the
// count waits until typing pauses, so the label is right whenever the user reads it.
void TFrmMain::UpdateWordCount() {
  if (!countStale_) return;
  if (GetWindowTextLengthW(Editor.Handle()) <= kImmediateCountLength) {
    KillTimer(Handle(), kCountTimer);
    CountWordsNow();
  } else {
    SetTimer(Handle(), kCountTimer, kCountDelay, nullptr);
  }
}

void TFrmMain::CountWordsNow() {
  countStale_ = false;
  const std::wstring text = Editor.Text();
  const std::u16string line =
      WordCountText(CountWords({reinterpret_cast<const char16_t*>(text.data()), text.size()}));
  Label3.SetText(std::wstring(line.begin(), line.end()));
}

// "Line: %3d  Column: %3d" for the end of the selection, both counted from 1.
void TFrmMain::UpdateCaretPosition() {
  const LONG caret = Editor.Selection().cpMax;
  const auto line = SendMessageW(Editor.Handle(), EM_EXLINEFROMCHAR, 0, caret);
  const auto start = SendMessageW(Editor.Handle(), EM_LINEINDEX, static_cast<WPARAM>(line), 0);
  wchar_t text[48];
  swprintf(text, 48, L"Line: %3d  Column: %3d", static_cast<int>(line + 1),
           static_cast<int>(caret - start + 1));
  StatusBar1.SetPanel(1, text);
}

// Layout -------------------------------------------------------------------------------------

void TFrmMain::FormResize() {
  if (!StatusBar1.Handle()) return;
  const RECT client = ClientRect();
  const int width = client.right;
  ToolBar1.SetBounds(0, 0, width, MainToolbar::kHeight);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  ToolBar1.SetIndent(ToolBar1.ButtonsWidth() > screenWidth - 40 ? (screenWidth - 1000) / 2 : 2);
  SendMessageW(StatusBar1.Handle(), WM_SIZE, 0, 0);
  const int top = MainToolbar::kHeight + kSpacer;
  const int height = std::max(0, static_cast<int>(client.bottom) - top - StatusBar1.Height());
  spcTop.SetBounds(0, MainToolbar::kHeight, width, kSpacer);
  spcLeft.SetBounds(0, top, kSpacer, height);
  PlaceSidePanel(kSpacer, top, height);
  const int editorLeft = pnlSide.Visible() ? kSpacer + SidePanelControls::kWidth : kSpacer;
  Editor.SetBounds(editorLeft, top, std::max(0, width - editorLeft), height);
  InvalidateRect(StatusBar1.Handle(), nullptr, TRUE);
  if (documents_ && !documents_->Modified()) documents_->SetModifiedState(false);
}

// Centred across the work area, as tall as it.
RECT TFrmMain::MainWindowPlace() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int left = (work.right - work.left - kWidth) / 2;
  return RECT{left, work.top, left + kWidth, work.bottom};
}

void TFrmMain::MoveToPlace() {
  const RECT place = MainWindowPlace();
  const RECT now = Bounds();
  // Moving a shown window costs a round trip to the display and a new layout of a long
  // document, so a window already in place stays.
  if (!EqualRect(&place, &now))
    SetBounds(place.left, place.top, place.right - place.left, place.bottom - place.top);
}

void TFrmMain::PlaceMainWindow() {
  if (IsZoomed(Handle()) || IsIconic(Handle())) return;
  MoveToPlace();
  Application::Get().ProcessMessages();
  FocusEditor();
}

// Life ---------------------------------------------------------------------------------------

void TFrmMain::FormShow() {
  if (shown_) return;
  shown_ = true;
  FirstShow();
}

void TFrmMain::FirstShow() {
  if (!arguments_.empty() && IsExistingFile(arguments_.front()))
    Application::Get().Guard([&] { documents_->OpenDocumentFile(arguments_.front()); });
  FocusEditor();
  StatusBar1.UpdateKeyStates();
  ApplyZoom();
  SelectionChanged();
  documents_->SetModifiedState(false);
}

void TFrmMain::FormActivate() {
  EnsureSettingsLoaded();
  PlaceMainWindow();
}

// At the first activation; a command that comes sooner (under Wine the activation can follow
// the showing by a moment, and another program may drive the window at once) finds them
// applied too, so they never overwrite what the command did.
void TFrmMain::EnsureSettingsLoaded() {
  if (settingsLoaded_) return;
  settingsLoaded_ = true;
  LoadSettings();
}

bool TFrmMain::FormCloseQuery() {
  if (closing_) return false;
  return !documents_->Modified() || documents_->ConfirmSaveChanges();
}

void TFrmMain::FormClose() {
  closing_ = true;
  AnimateWindow(Handle(), 600, AW_BLEND | AW_HIDE);
  closing_ = false;
  Form::FormClose();
}

void TFrmMain::FormDestroy() { SaveSettings(); }

// Settings -----------------------------------------------------------------------------------

void TFrmMain::LoadSettings() {
  if (dataFolder_.empty()) return;
  ApplySettings(ReadEditorSettingsFile(dataFolder_ + kSettingsFileName));
}

void TFrmMain::ApplySettings(const EditorSettings& settings) {
  formats_->ShowStoredFont(FontBoxSize(settings.Size), WideFromBytes(settings.Name));
  ZoomBar.SetPosition(ZoomBarPosition(settings.Zoom));
  printPreview_->TrackBar1.SetPosition(100);
  ApplyZoom();
  // The tick is the negation; a hidden panel is hidden, a shown one keeps its visibility.
  editorMenu_.SetChecked(cmdHideSidePanel, !settings.SideBar);
  if (!settings.SideBar && pnlSide.Visible()) {
    pnlSide.SetVisible(false);
    FormResize();
  }
  Margins = DialogMargins(settings.Margins);
  printPreview_->ApplyMargins(Margins);
  ProcessMessages();
}

EditorSettings TFrmMain::CurrentSettings() const {
  EditorSettings settings;
  settings.Size = static_cast<int>(FontSize1.Value());
  const int face = FontName.SelectedIndex();
  settings.Name = face >= 0 ? BytesFromWide(FontName.ItemText(face)) : std::string();
  settings.Zoom = ZoomBar.Position();
  // The panel's own visibility: the window may already be hidden when it ends.
  settings.SideBar = (GetWindowLongPtrW(pnlSide.Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
  settings.Margins = Margins;
  return settings;
}

void TFrmMain::SaveSettings() {
  // A run that never read them has nothing of the user's to keep.
  if (dataFolder_.empty() || !settingsLoaded_) return;
  try {
    WriteEditorSettingsFile(dataFolder_ + kSettingsFileName, CurrentSettings());
  } catch (const std::exception&) {
  }
}

// History ------------------------------------------------------------------------------------

void TFrmMain::BuildHistory() {
  HistoryHost host;
  host.modified = [this] { return documents_->Modified(); };
  host.confirmSaveChanges = [this] { return documents_->ConfirmSaveChanges(); };
  host.openDocument = [this](const std::wstring& path) { documents_->OpenDocumentFile(path); };
  history_ = std::make_unique<THistoryForm>(std::move(host));
  history_->Create(Handle(), dataFolder_.empty() ? std::wstring() : dataFolder_ + kHistoryFileName);
}

void TFrmMain::RecordInHistory(const std::wstring& path, HistoryKind kind) {
  if (kind == HistoryKind::Opened)
    history_->RecordOpenedDocument(path);
  else
    history_->RecordSavedDocument(path);
}

// Commands -----------------------------------------------------------------------------------

void TFrmMain::SetCommandEnabled(int command, bool enabled) {
  if (enabled)
    disabled_.erase(command);
  else
    disabled_.insert(command);
  ToolBar1.SetCommandEnabled(command, enabled);
  for (const auto& [id, control] : CommandControls())
    if (id == command) control->SetEnabled(enabled);
  for (OwnerDrawnMenu* menu : Menus()) menu->SetEnabled(command, enabled);
}

std::vector<OwnerDrawnMenu*> TFrmMain::Menus() {
  return {&editorMenu_, &newMenu_, &saveMenu_, &findMenu_, &alignMenu_};
}

void TFrmMain::RunCommand(int command) {
  if (!CommandEnabled(command)) return;
  EnsureSettingsLoaded();
  HWND editor = Editor.Handle();
  switch (command) {
    case cmdNew: documents_->New(); break;
    case cmdNewWindow: NewDocumentWindowClick(); break;
    case cmdHistory: history_->Execute(); break;
    case cmdOpen: documents_->Open(); break;
    case cmdSave: documents_->Save(); break;
    case cmdSaveAs: documents_->SaveAs(); break;
    case cmdLastDocument: documents_->OpenLastActiveDocument(); break;
    case cmdCut: SendMessageW(editor, WM_CUT, 0, 0); break;
    case cmdCopy: SendMessageW(editor, WM_COPY, 0, 0); break;
    case cmdPaste: SendMessageW(editor, WM_PASTE, 0, 0); break;
    case cmdUndo: SendMessageW(editor, EM_UNDO, 0, 0); break;
    case cmdRedo: SendMessageW(editor, EM_REDO, 0, 0); break;
    case cmdClose: BtnCloseClick(); break;
    case cmdSpellCheck: SpellCheckClick(); break;
    case cmdMailMerge: MailMergeClick(); break;
    case cmdEnvelope: EnvelopeClick(); break;
    case cmdHelp: btnHelpClick(); break;
    case cmdSelectAll: SelectAllClick(); break;
    case cmdClearSelection: ClearSelectionClick(); break;
    case cmdClearAll: ClearAllClick(); break;
    case cmdHideSidePanel: HideSidePanelClick(); break;
    case cmdPrintPreview: BtnPrintPreviewClick(); break;
    case cmdQuickPrint: BtnQuickPrintClick(true); break;
    case cmdPrint: BtnQuickPrintClick(false); break;
    // The dialogs open once the command's own message has been handled.
    case cmdFind: PostMessageW(Handle(), kOpenSearchMessage, 0, 0); break;
    case cmdFindReplace: PostMessageW(Handle(), kOpenSearchMessage, 1, 0); break;
    case cmdFindNext: search_->FindNext(); break;
    case cmdDate: InsertDate(editor); break;
    case cmdPicture:
      Application::Get().ProcessMessages();
      Application::Get().Guard([&] { InsertPicture(Handle(), editor); });
      break;
    case cmdParaFormat: btnParaFormatClick(); break;
    case cmdInsertTable: InsertTableClick(); break;
    case cmdEmoticons: Application::Get().Guard([&] { symbols_->InsertEmoticon(); }); break;
    case cmdSpecialChar:
      Application::Get().Guard([&] { symbols_->InsertSpecialCharacter(); });
      break;
    case cmdInsertEquation: Application::Get().Guard([&] { symbols_->InsertEquation(); }); break;
    case cmdZoom: ApplyZoom(); break;
    default:
      if (FormatCommands::Handles(command)) formats_->Run(command);
      break;
  }
}

bool TFrmMain::HandleShortcut(UINT key) {
  const auto held = [](int k) { return GetKeyState(k) < 0; };
  const std::optional<Command> command =
      ShortcutCommand(key, held(VK_CONTROL), held(VK_SHIFT), held(VK_MENU));
  if (!command) return false;
  RunCommand(*command);
  return true;
}

bool TFrmMain::PreTranslateMessage(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  if (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)) return false;
  return HandleShortcut(static_cast<UINT>(msg.wParam));
}

void TFrmMain::BuildPrinting() {
  const auto documentName = [this] { return FileNamePart(documents_->DocumentName()); };
  printPreview_ =
      std::make_unique<TfrmPrintPreview>(PrintPreviewHost{Editor.Handle(), documentName, &Margins});
  printPreview_->Create();
  quickPrint_ = std::make_unique<QuickPrint>(Editor.Handle(), *printPreview_, documentName);
}

void TFrmMain::BtnPrintPreviewClick() { printPreview_->Execute(); }

void TFrmMain::BtnQuickPrintClick(bool toolbar) { quickPrint_->Run(toolbar); }

void TFrmMain::InsertTableClick() {
  DllForms.ShowModal();
  if (DllForms.InsertResult()) SendMessageW(Editor.Handle(), WM_PASTE, 0, 0);
  FocusEditor();
}

void TFrmMain::btnHelpClick() { ShowInformation(ShortcutHelpText()); }

void TFrmMain::StartProgram(const std::wstring& file, const wchar_t* verb, int show) {
  // A missing program or a failing start is not reported.
  shell_(Handle(), ShellRequest{ExeFolder() + file, verb, show});
}

void TFrmMain::NewDocumentWindowClick() { StartProgram(L"Tessary.exe", L"Open", SW_SHOW); }

void TFrmMain::SpellCheckClick() {
  // The text reaches the spell checker through the clipboard.
  const CHARRANGE selection = Editor.Selection();
  if (selection.cpMin == selection.cpMax) Editor.Select(0, -1);
  SendMessageW(Editor.Handle(), WM_COPY, 0, 0);
  StartProgram(L"Quarnet.exe", L"open", SW_SHOWNORMAL);
}

void TFrmMain::MailMergeClick() { StartProgram(L"Brolley.exe", L"open", SW_SHOWNORMAL); }
void TFrmMain::EnvelopeClick() { StartProgram(L"Hollin.exe", L"open", SW_SHOWNORMAL); }

void TFrmMain::OpenLink(const std::wstring& link) {
  shell_(Handle(), ShellRequest{link, L"Open", SW_SHOW});
}

void TFrmMain::SelectAllClick() { Editor.Select(0, -1); }

void TFrmMain::ClearSelectionClick() { SendMessageW(Editor.Handle(), WM_CLEAR, 0, 0); }

void TFrmMain::ClearAllClick() {
  Editor.Select(0, -1);
  SendMessageW(Editor.Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
}

void TFrmMain::HideSidePanelClick() {
  const bool hide = pnlSide.Visible();
  pnlSide.SetVisible(!hide);
  editorMenu_.SetChecked(cmdHideSidePanel, hide);
  FormResize();
}

void TFrmMain::EditorMouseDownRight(POINT screen) { editorMenu_.Popup(Handle(), screen); }

void TFrmMain::ShowDropDown(int command, RECT button) {
  const OwnerDrawnMenu* menu = command == cmdNew    ? &newMenu_
                               : command == cmdSave ? &saveMenu_
                               : command == cmdFind ? &findMenu_
                                                    : nullptr;
  if (menu) menu->Popup(Handle(), POINT{button.left, button.bottom});
}

void TFrmMain::EditorKeyDown(WPARAM key) {
  if (key == VK_NUMLOCK || key == VK_CAPITAL || key == VK_SCROLL || key == VK_INSERT)
    PostMessageW(Handle(), WM_APP, 0, 0);  // after the key has toggled
}

// Cancel puts back what the dialog changed, tab stops included, and the modified flag.
void TFrmMain::btnParaFormatClick() {
  const TextFormats formats(Editor.Handle());
  const PARAFORMAT2 saved = formats.ParagraphFormat();
  const bool modified = documents_->Modified();
  Application::Get().ProcessMessages();
  if (!ExecuteParaFormatDialog(Handle(), Editor.Handle())) {
    formats.SetParagraphFormat(saved, PFM_ALIGNMENT | PFM_STARTINDENT | PFM_OFFSET |
                                          PFM_LINESPACING | PFM_RIGHTINDENT | PFM_SPACEAFTER |
                                          PFM_SPACEBEFORE | PFM_TABSTOPS);
    documents_->SetModifiedState(modified);
  }
  Application::Get().ProcessMessages();
}

// DocumentHost -------------------------------------------------------------------------------

void TFrmMain::ApplyZoom() {
  // Loads and saves end here too, and a load brings a new text to count.
  countStale_ = true;
  UpdateWordCount();
  const std::optional<ZoomRow> row = ZoomForPosition(ZoomBar.Position());
  if (!row) return;
  SendMessageW(Editor.Handle(), EM_SETZOOM, static_cast<WPARAM>(row->numerator), row->denominator);
  const std::u16string panel = ZoomPanelText(*row), label = ZoomLabelText(*row);
  StatusBar1.SetPanel(3, std::wstring(panel.begin(), panel.end()));
  Label1.SetText(std::wstring(label.begin(), label.end()));
}

void TFrmMain::SetApplicationTitle(const std::wstring& title) {
  Application::Get().SetTitle(title);
}

void TFrmMain::FocusEditor() {
  if (IsWindowVisible(Editor.Handle()) && IsWindowEnabled(Editor.Handle())) Editor.SetFocus();
}

void TFrmMain::ProcessMessages() { Application::Get().ProcessMessages(); }

void TFrmMain::Export(DocumentKind kind, const std::wstring& path) {
  const ExportContext context{Editor.Handle(), Handle(), &frmExport, [this] { ProcessMessages(); }};
  if (kind == DocumentKind::Pdf)
    ExportToPdf(context, path, FileNamePart(path));
  else
    ExportPresentation(context, frmPresentation, path);
}

// Messages -----------------------------------------------------------------------------------

void TFrmMain::FormMeasureMenuItem(MEASUREITEMSTRUCT& mis) {
  for (const OwnerDrawnMenu* menu : Menus())
    if (menu->Measure(mis)) return;
}

void TFrmMain::FormDrawMenuItem(const DRAWITEMSTRUCT& dis) {
  for (const OwnerDrawnMenu* menu : Menus())
    if (menu->Draw(dis)) return;
}

LRESULT TFrmMain::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      // The toolbar reports its buttons by command number.
      if (ToolBar1.Handle() && reinterpret_cast<HWND>(lp) == ToolBar1.Handle()) {
        RunCommand(LOWORD(wp));
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
      if (GetParent(reinterpret_cast<HWND>(lp)) == pnlSide.Handle()) {
        SetBkColor(reinterpret_cast<HDC>(wp), SidePanelFrame::kColor);
        return reinterpret_cast<LRESULT>(panelBrush_.get());
      }
      break;
    case WM_APP: StatusBar1.UpdateKeyStates(); return 0;
    case kOpenSearchMessage:
      if (wp)
        search_->OpenReplace();
      else
        search_->OpenFind();
      return 0;
    case WM_TIMER:
      if (wp != kCountTimer) break;
      KillTimer(Handle(), kCountTimer);
      CountWordsNow();
      return 0;
    default:
      if (msg == TextSearch::ReportMessage()) {
        search_->HandleReport(*reinterpret_cast<const FINDREPLACEW*>(lp));
        return 0;
      }
      break;
  }
  return Form::WndProc(msg, wp, lp);
}
