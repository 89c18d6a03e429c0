#pragma once
// THistoryForm: the document history window ("Document History"). It lists the documents the
// user opened or saved, most recent first, as owner-drawn rows with a picture of their kind;
// six pictures filter the list by file type; the user searches, opens, removes and clears
// entries. The list is read from "WrdFileList.dat" when the window is created at start and
// written whole when it is destroyed at the end.
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "controls/DibSurface.h"
#include "controls/StyledWrappers.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/GdiHandles.h"
#include "writer/DocumentHistory.h"
#include "writer/HistoryPictures.h"

namespace writer {

// What the window needs of the main window.
struct HistoryHost {
  // Whether the document has unsaved changes.
  std::function<bool()> modified;
  // The save-changes prompt; false when the user cancelled.
  std::function<bool()> confirmSaveChanges;
  // Loads the document (OpenDocumentFile); throws when it cannot.
  std::function<void(const std::wstring&)> openDocument;
};

// The list of rows: several selectable, one focused; the window draws them.
class HistoryListBox : public ListBox {
 public:
  void Create(HWND parent, int left, int top, int width, int height);
  // Fills the list with the rows, from the top.
  void Fill(const std::vector<std::wstring>& rows);
  std::vector<std::size_t> SelectedRows() const;
  // The row with the focus rectangle; nothing when the list is empty.
  std::optional<std::size_t> FocusedRow() const;
  void SetFocusedRow(std::size_t row);
  bool IsSelected(std::size_t row) const;
  void SetSelected(std::size_t row, bool selected);
  void DeselectAll();
};

class THistoryForm : public Form {
 public:
  static constexpr int kClientWidth = 777, kClientHeight = 480;
  static constexpr int kRowHeight = 35;
  static constexpr int kBandHeight = 56;

  explicit THistoryForm(HistoryHost host) : host_(std::move(host)) {}
  // Creates the hidden window and reads the history file when a path is given (an empty path
  // keeps the history for this run only). An unreadable file shows "File not Found!" and the
  // history starts empty.
  void Create(HWND owner, const std::wstring& filePath);
  // Shows the window modally (the History button and Ctrl+H); a document chosen with Open is
  // opened once the window has closed.
  void Execute();

  // The Open command and the Save commands record their names.
  void RecordOpenedDocument(const std::wstring& path);
  void RecordSavedDocument(const std::wstring& path);
  // The first row the list shows, for Open Last Active Document.
  std::optional<std::wstring> FirstShownRow() const { return history_.FirstRow(); }
  const DocumentHistory& History() const { return history_; }
  bool FirstShow() const { return firstShow_; }

  // The six type filters, in the order of DocumentHistory's filters.
  std::array<StyledButton, kHistoryFilterCount> imgFilters;
  HistoryListBox ListBox1;
  StyledButton btnClear, btnRemove, btnSearch, btnOpen, btnClose;

  void FilterClick(HistoryFilter filter);
  void btnOpenClick();
  void btnSearchClick();
  void btnRemoveClick();
  void btnClearClick();
  void btnCloseClick();
  void ListBox1Click();
  void ListBox1Enter();

  // The document Open chose, opened by Execute once the window has closed.
  std::optional<std::wstring> PendingDocument() const { return pending_; }

 protected:
  void FormShow() override;
  void FormPaint(HDC dc) override;
  void FormMouseDown(int button, POINT client) override;
  void FormDestroy() override;
  bool PreTranslateMessage(MSG& msg) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void BuildControls();
  // Brings the list in line with the history's rows when they changed.
  void SyncList();
  // Row 0 selected when there are rows and one has the focus; the list takes the focus.
  void SelectFirstRow();
  void DrawRow(const DRAWITEMSTRUCT& item);
  void ShowFilterButtons();
  void SaveFile();

  HistoryHost host_;
  DocumentHistory history_;
  std::wstring filePath_;
  bool firstShow_ = false;
  std::uint64_t listVersion_ = ~std::uint64_t{0};
  std::optional<std::wstring> pending_;
  HistoryRowPictures pictures_;
  controls::TDibSurface rowSurface_;
  FontHandle rowFont_, titleFont_, countFont_;
};

}  // namespace writer
