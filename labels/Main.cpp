#include "labels/Main.h"

#include "labels/MarrowbyForms.h"
#include "labels/records/CsvExchange.h"
#include "labels/records/CustomTemplateSlot.h"
#include "labels/records/RowText.h"
#include "labels/records/TableSchemas.h"
#include "platform/Application.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/HourglassCursor.h"
#include "platform/WholeFile.h"

namespace {

constexpr int kLeft = 12, kButtonWidth = 132, kButtonHeight = 30, kBottomBand = 48;
constexpr int kListLeft = kLeft + kButtonWidth + 12;

struct ModeTexts {
  const wchar_t* newCaption;
  const wchar_t* editCaption;
  const wchar_t* selectToEdit;
  const wchar_t* checkToDelete;
  const wchar_t* confirmDelete;
  const wchar_t* checkToExport;
  const wchar_t* checkToPreview;
};

const ModeTexts kAddressTexts{L"New Contact",
                              L"Edit Contact",
                              L"Please select contact to Edit.",
                              L"Please check [x] contacts to Delete.",
                              L"Delete checked [x] contact(s)?",
                              L"Please check [x] contacts to Export.",
                              L"Please check [x] contacts to Preview."};

const ModeTexts kGeneralTexts{L"New General Information",
                              L"Edit General Information",
                              L"Please select general information to Edit.",
                              L"Please check [x] general information fields to Delete.",
                              L"Delete checked [x] general information?",
                              L"Please check [x] general information fields to Export.",
                              L"Please check [x] general information fields to Preview."};

const wchar_t kSelectAll[] = L"Select All";
const wchar_t kDeselectAll[] = L"Deselect All";

}  // namespace

const wchar_t* const TfrmMain::kWebAddress = L"https://www.marrowby.example/";

const wchar_t* const TfrmMain::kHelpText =
    L"This is a short help tutorial.\r\n\r\n"
    L"- The New button adds a new contact to the list.\r\n\r\n"
    L"- The Edit button lets you edit a selected contact.\r\n\r\n"
    L"- The Delete button is for deleting checked contact(s).\r\n\r\n"
    L"- The Import button imports a csv (comma separated values)\r\n   contact list.\r\n\r\n"
    L"- The Export button exports all the checked contacts to a csv file.\r\n\r\n"
    L"- The Preview button opens the print preview for checked contact(s).";

TfrmMain::TfrmMain()
    : store_(locale_),
      sortMenu_(
          {{kOrderByNumber, L"Order By Address / General Number", L"", SortMenu::NumberPicture},
           {kOrderBySurname, L"Order By Surname / Field 1", L"", SortMenu::LetterPicture}}) {
  bandTitleOnRight_ = true;
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::Create(const std::wstring& folder) {
  FormStyle style;
  style.caption = L"Marrowby";
  style.width = 640;
  style.height = 500;
  LabelForm::Create(style);
  SetTitleBand(L"Marrowby");
  SetCenterOnMain(false);
  HWND w = Handle();

  lnkWeb.Create(w, L"www.marrowby.example", 8, 4, 160, 16);
  lnkWeb.OnOpen = [](const std::wstring&) { OpenWebAddress(kWebAddress); };
  lnkWeb.OnPaintBackground = [this](HDC dc, const RECT&) {
    const RECT at = lnkWeb.Bounds();
    PaintTitleBand(dc, RECT{-at.left, -at.top, ClientRect().right - at.left, kBandHeight - at.top});
  };

  int top = kBandHeight + 12;
  grpPrintingType.Create(w, L"Printing Type", kLeft, top, kButtonWidth, 70);
  HWND group = grpPrintingType.Handle();
  radAddress.Create(group, L"Address Printing", 6, 20, kButtonWidth - 9, 20, true);
  radGeneral.Create(group, L"General Printing", 6, 42, kButtonWidth - 9, 20, false);
  radAddress.SetChecked(true);
  radAddress.OnClick = [this] { radAddressClick(); };
  radGeneral.OnClick = [this] { radGeneralClick(); };
  top += 82;

  struct Command {
    TLabelButton& button;
    const wchar_t* caption;
    const wchar_t* hint;
    void (TfrmMain::*handler)();
  } commands[] = {
      {btnNew, L"New", L"Add new contact", &TfrmMain::btnNewClick},
      {btnEdit, L"Edit", L"Edit contact information", &TfrmMain::btnEditClick},
      {btnDelete, L"Delete", L"Delete checked contact(s)", &TfrmMain::btnDeleteClick},
      {btnImport, L"Import", L"Import csv contact list", &TfrmMain::btnImportClick},
      {btnExport, L"Export", L"Export checked contacts to csv", &TfrmMain::btnExportClick},
      {btnPreview, L"Preview", L"Preview labels", &TfrmMain::btnPreviewClick},
  };
  for (Command& c : commands) {
    c.button.Create(w, c.caption, kLeft, top, kButtonWidth, kButtonHeight);
    c.button.SetHint(c.hint);
    c.button.OnClick = [this, handler = c.handler] { (this->*handler)(); };
    top += kButtonHeight + 8;
  }

  lstRecords.Create(w, kListLeft, kBandHeight + 12, 300, 300);
  lstRecords.SetHint(L"Double-click contact to edit / Right-click mouse to sort");
  lstRecords.OnDblClick = [this] { btnEditClick(); };

  btnHelp.Create(w, L"?", kLeft, 0, 32, kButtonHeight);
  btnHelp.SetHint(L"Help");
  btnHelp.OnClick = [this] { btnHelpClick(); };
  btnSettings.Create(w, L"...", kLeft + 40, 0, 32, kButtonHeight);
  btnSettings.SetHint(L"Settings");
  btnSettings.OnClick = [this] { btnSettingsClick(); };
  btnSelect.Create(w, kSelectAll, kLeft + 80, 0, 100, kButtonHeight);
  btnSelect.OnClick = [this] { btnSelectClick(); };
  btnExit.Create(w, L"Exit", 0, 0, 80, kButtonHeight);
  btnExit.OnClick = [this] { Close(); };
  FormResize();

  settings_.SetFolder(folder);
  storage_ = std::make_unique<FolderTableStorage>(folder);
  try {
    store_.Open(*storage_);
  } catch (const std::exception& e) {
    ShowError(ErrorText(e));
  }
}

RecordTable& TfrmMain::ModeTable() {
  return mode_ == PrintMode::Address ? store_.cdsContact : store_.cdsGeneral;
}

Form& TfrmMain::EditForm() {
  if (mode_ == PrintMode::Address) return forms_->frmAEContact;
  return forms_->frmAEGeneral;
}

std::int32_t TfrmMain::RowNumberOf(int row) const {
  return RowNumber(BytesFromWide(lstRecords.RowText(row)));
}

std::vector<std::int32_t> TfrmMain::TickedNumbers() const {
  std::vector<std::int32_t> numbers;
  for (const int row : lstRecords.TickedRows()) numbers.push_back(RowNumberOf(row));
  return numbers;
}

// Rows ---------------------------------------------------------------------------------------

void TfrmMain::RebuildRows() {
  lstRecords.SetRows({});
  btnSelect.SetText(kSelectAll);
  RecordTable& table = ModeTable();
  if (!table.IsOpen()) return;  // its failure was shown when it was opened
  std::vector<std::wstring> rows;
  rows.reserve(static_cast<std::size_t>(table.RecordCount()));
  const bool contacts = mode_ == PrintMode::Address;
  for (table.First(); !table.Eof(); table.Next())
    rows.push_back(WideFromBytes(contacts ? ContactRowText(table) : GeneralRowText(table)));
  lstRecords.SetRows(rows);
}

// Commands -----------------------------------------------------------------------------------

void TfrmMain::btnNewClick() {
  const ModeTexts& texts = mode_ == PrintMode::Address ? kAddressTexts : kGeneralTexts;
  RecordTable& table = ModeTable();
  HourglassCursor busy;
  try {
    Form& form = EditForm();
    form.SetCaption(texts.newCaption);
    table.Insert();
    form.ShowModal();
    RebuildRows();
  } catch (const std::exception& e) {
    ShowError(ErrorText(e));
    if (table.IsOpen()) table.Cancel();
  }
}

void TfrmMain::btnEditClick() {
  const ModeTexts& texts = mode_ == PrintMode::Address ? kAddressTexts : kGeneralTexts;
  RecordTable& table = ModeTable();
  HourglassCursor busy;
  try {
    const int position = lstRecords.SelectedIndex();
    if (table.IsEmpty() || position < 0) {
      ShowInformation(texts.selectToEdit);
      return;
    }
    Form& form = EditForm();
    form.SetCaption(texts.editCaption);
    table.LocateNumber(RowNumberOf(position));
    table.Edit();
    form.ShowModal();
    RebuildRows();
    if (position < lstRecords.RowCount()) {
      lstRecords.SetSelectedIndex(position);
      table.LocateNumber(RowNumberOf(position));
    }
  } catch (const std::exception& e) {
    ShowError(ErrorText(e));
    if (table.IsOpen()) table.Cancel();
  }
}

void TfrmMain::btnDeleteClick() {
  const ModeTexts& texts = mode_ == PrintMode::Address ? kAddressTexts : kGeneralTexts;
  RecordTable& table = ModeTable();
  try {
    const std::vector<int> ticked = lstRecords.TickedRows();
    if (table.IsEmpty() || ticked.empty()) {
      ShowInformation(texts.checkToDelete);
      return;
    }
    if (!ConfirmYesNo(texts.confirmDelete)) return;
    HourglassCursor busy;
    for (const int row : ticked) {
      table.LocateNumber(RowNumberOf(row));
      table.Delete();
    }
    RebuildRows();
  } catch (const std::exception& e) {
    ShowError(ErrorText(e));
  }
}

void TfrmMain::btnImportClick() {
  ModeTable().RequireOpen();
  if (mode_ == PrintMode::Address)
    forms_->frmImport.ShowModal();
  else
    forms_->frmImportGeneral.ShowModal();
  RebuildRows();
}

void TfrmMain::btnExportClick() {
  const ModeTexts& texts = mode_ == PrintMode::Address ? kAddressTexts : kGeneralTexts;
  RecordTable& table = ModeTable();
  table.RequireOpen();
  const std::vector<std::int32_t> numbers = TickedNumbers();
  if (numbers.empty()) {
    ShowInformation(texts.checkToExport);
    return;
  }
  const std::string& separator = settings_.record.Separator;
  if (separator.empty()) {
    ShowInformation(WideFromUtf8(kEmptySeparatorText));
    return;
  }
  FileDialogRequest request;
  request.title = L"Export";
  request.filter = L"Comma Separated Values (*.csv)|*.csv";
  request.defaultExt = L"csv";
  const auto chosen = SaveFileDialog(request);
  if (!chosen) return;
  HourglassCursor busy;
  try {
    const std::string text =
        BuildCsvExport(table, numbers, separator,
                       [](const std::string& missing) { ShowError(WideFromUtf8(missing)); });
    ReplaceFileContents(chosen->path, text);
  } catch (const std::exception& e) {
    ShowError(ErrorText(e));
  }
}

void TfrmMain::btnPreviewClick() {
  const ModeTexts& texts = mode_ == PrintMode::Address ? kAddressTexts : kGeneralTexts;
  ModeTable().RequireOpen();
  if (lstRecords.TickedRows().empty()) {
    ShowInformation(texts.checkToPreview);
    return;
  }
  forms_->frmPrint.Prepare();
  forms_->frmPrint.ShowModal();
}

void TfrmMain::btnSelectClick() {
  const bool selectAll = btnSelect.Text() == kSelectAll;
  lstRecords.SetAllTicked(selectAll);
  btnSelect.SetText(selectAll ? kDeselectAll : kSelectAll);
}

void TfrmMain::btnHelpClick() { ShowInformation(kHelpText); }

void TfrmMain::btnSettingsClick() { forms_->frmSettings.ShowModal(); }

void TfrmMain::SetMode(PrintMode mode) {
  mode_ = mode;
  btnSelect.SetText(kSelectAll);
  RebuildRows();
  forms_->frmPrint.EnablePictureGroup(mode == PrintMode::General);
  if (store_.cdsCustomLabel.IsOpen() && !store_.cdsCustomLabel.IsEmpty()) {
    TfrmCustomLabels& custom = forms_->frmCustomLabels;
    custom.ClearSlot();
    custom.ApplyDefault(ModeDefaultName(settings_.record, mode));
  }
}

void TfrmMain::radAddressClick() { SetMode(PrintMode::Address); }
void TfrmMain::radGeneralClick() { SetMode(PrintMode::General); }

void TfrmMain::mnuOrderByNumberClick() {
  HourglassCursor busy;
  ModeTable().SetOrder(mode_ == PrintMode::Address ? "Contact_Number" : "General_No");
  RebuildRows();
}

void TfrmMain::mnuOrderBySurnameClick() {
  HourglassCursor busy;
  ModeTable().SetOrder(mode_ == PrintMode::Address ? "Contact_Surname" : "General_Field1");
  RebuildRows();
}

// Life -------------------------------------------------------------------------------------

void TfrmMain::FormShow() {
  try {
    RebuildRows();
  } catch (const std::exception& e) {
    ShowError(ErrorText(e));
  }
}

void TfrmMain::ReadSettingsOnce() {
  if (settingsRead_) return;
  settingsRead_ = true;
  try {
    settings_.Read();
  } catch (const std::exception& e) {
    ShowError(ErrorText(e));
  }
  try {
    if (store_.cdsCustomLabel.IsOpen() && !store_.cdsCustomLabel.IsEmpty())
      forms_->frmCustomLabels.CreateSlot();
  } catch (const std::exception& e) {
    ShowError(ErrorText(e));
  }
}

void TfrmMain::FormActivate() { ReadSettingsOnce(); }

void TfrmMain::FormClose() {
  // A window closed before it was ever active must not overwrite the file with defaults.
  ReadSettingsOnce();
  try {
    settings_.Write();
  } catch (const std::exception& e) {
    ShowError(ErrorText(e));
  }
  LabelForm::FormClose();
}

void TfrmMain::SaveTables() {
  if (tablesSaved_ || !storage_) return;
  tablesSaved_ = true;
  for (const std::string& failure : store_.SaveChanged(*storage_)) ShowError(WideFromUtf8(failure));
}

void TfrmMain::FormDestroy() { SaveTables(); }

void TfrmMain::FormResize() {
  if (!btnExit.Handle()) return;
  const RECT client = ClientRect();
  const RECT outer = Bounds();
  const int bandTop = static_cast<int>(client.bottom) - kBottomBand;
  const int buttonTop = bandTop + (kBottomBand - kButtonHeight) / 2;
  lstRecords.SetBounds(kListLeft, kBandHeight + 12,
                       std::max<int>(client.right - kListLeft - 12, 40),
                       std::max<int>(bandTop - kBandHeight - 24, 40));
  btnHelp.SetBounds(kLeft, buttonTop, 32, kButtonHeight);
  btnSettings.SetBounds(kLeft + 40, buttonTop, 32, kButtonHeight);
  btnSelect.SetBounds(kLeft + 80, buttonTop, 100, kButtonHeight);
  btnExit.SetBounds((outer.right - outer.left) - 110, buttonTop, 80, kButtonHeight);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TfrmMain::FormPaint(HDC dc) {
  LabelForm::FormPaint(dc);
  PaintBottomBand(dc, ClientRect(), kBottomBand);
}

void TfrmMain::FormMenuCommand(int id) {
  if (id == kOrderByNumber)
    mnuOrderByNumberClick();
  else if (id == kOrderBySurname)
    mnuOrderBySurnameClick();
}

void TfrmMain::FormContextMenu(HWND target, POINT screen) {
  if (target != lstRecords.Handle()) return;
  if (screen.x == -1 && screen.y == -1) {  // from the keyboard
    const RECT r = lstRecords.Bounds();
    screen = POINT{r.left + 8, r.top + 8};
    ClientToScreen(Handle(), &screen);
  }
  sortMenu_.Popup(Handle(), screen);
}

void TfrmMain::FormMeasureMenuItem(MEASUREITEMSTRUCT& mis) { sortMenu_.Measure(mis); }
void TfrmMain::FormDrawMenuItem(const DRAWITEMSTRUCT& dis) { sortMenu_.Draw(dis); }
