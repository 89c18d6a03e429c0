#include "labels/ImportForm.h"

#include <optional>

#include "labels/records/CsvExchange.h"
#include "platform/Application.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/HourglassCursor.h"
#include "platform/WholeFile.h"

namespace {
constexpr int kCaptionLeft = 16, kListLeft = 190, kListWidth = 200, kFirstRow = 88, kRowStep = 30;
const wchar_t kImportError[] =
    L"Error in trying to import file. Make sure file and fields have the right format.";
}  // namespace

void ImportForm::CreateImportForm(const Texts& texts, const std::vector<FieldRow>& rows) {
  rows_ = rows;
  const int height = kFirstRow + static_cast<int>(rows.size()) * kRowStep + 90;
  LabelForm::Create(FormStyle::Dialog(texts.caption, kListLeft + kListWidth + 70, height));
  SetTitleBand(texts.titleBand);
  HWND w = Handle();
  lblFieldList.Create(w, texts.fieldListCaption, kCaptionLeft, 58, 160, 18);
  lblImportedList.Create(w, L"Imported Field List", kListLeft, 58, 150, 18);
  btnOpenFile.Create(w, L"...", kListLeft + kListWidth + 8, 54, 30, 24);
  btnOpenFile.SetHint(L"Open CSV File to Import");

  fieldCaptions.resize(rows.size());
  columnLists.resize(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    fieldCaptions[i] = std::make_unique<TLabelText>();
    fieldCaptions[i]->Create(w, rows[i].caption, kCaptionLeft,
                             kFirstRow + static_cast<int>(i) * kRowStep + 3,
                             kListLeft - kCaptionLeft - 8, 18);
  }
  // The lists are created in Tab order; each sits in its field's row.
  std::vector<std::size_t> byTab(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i)
    byTab[static_cast<std::size_t>(rows[i].tabPosition)] = i;
  for (const std::size_t i : byTab) {
    columnLists[i] = std::make_unique<TLabelComboBox>();
    columnLists[i]->Create(w, kListLeft, kFirstRow + static_cast<int>(i) * kRowStep, kListWidth,
                           240);
  }
  const int buttonsTop = kFirstRow + static_cast<int>(rows.size()) * kRowStep + 12;
  btnImport.Create(w, L"Import", kListLeft, buttonsTop, 96, 28);
  btnCancel.Create(w, L"Cancel", kListLeft + kListWidth - 96, buttonsTop, 96, 28);
  btnOpenFile.OnClick = [this] { btnOpenFileClick(); };
  btnImport.OnClick = [this] { btnImportClick(); };
  btnCancel.SetModalResult(mrCancel);
  SetCancelButton(&btnCancel);
  SetFirstFocus(&btnOpenFile);
}

void ImportForm::FormShow() {
  for (auto& list : columnLists) list->Clear();
  btnImport.SetEnabled(false);
  fileName_.clear();
  columnNames_.clear();
  LabelForm::FormShow();
}

void ImportForm::btnOpenFileClick() {
  FileDialogRequest request;
  request.filter = L"Comma Separated Values File (*.csv)|*.csv";
  request.defaultExt = L"csv";
  const auto chosen = OpenFileDialog(request);
  if (!chosen) return;
  try {
    HourglassCursor busy;
    const std::string bytes = ReadWholeFile(chosen->path);
    columnNames_ = CsvColumnNames(bytes, settings_.Separator);
    fileName_ = chosen->path;
    for (auto& list : columnLists) {
      list->Clear();
      for (const std::string& name : columnNames_) list->Add(WideFromBytes(name));
      list->SetSelectedIndex(-1);
    }
    btnImport.SetEnabled(true);
  } catch (const std::exception& e) {
    ShowError(ErrorText(e));
  }
}

void ImportForm::btnImportClick() {
  bool imported = false;
  {
    HourglassCursor busy;
    try {
      std::vector<CsvColumnChoice> choices;
      for (std::size_t i = 0; i < rows_.size(); ++i) {
        const int selected = columnLists[i]->SelectedIndex();
        choices.push_back({rows_[i].field, selected >= 0 ? std::optional<std::string>(BytesFromWide(
                                                               columnLists[i]->ItemText(selected)))
                                                         : std::nullopt});
      }
      const auto mapping = MapCsvColumns(columnNames_, choices, locale_);
      const std::string bytes = ReadWholeFile(fileName_);
      if (!bytes.empty()) ImportCsvRecords(table_, bytes, mapping, settings_.Separator);
      imported = true;
    } catch (const std::exception&) {
    }
  }
  if (!imported) {
    ShowError(kImportError);
    return;
  }
  SetModalResult(mrOk);
}
