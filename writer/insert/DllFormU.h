#pragma once
// TDllForms, "String Grid Table": the table builder. The user fills a grid of up to 100 x 100
// cells, colours cells, rows and columns, gives header and body cells a font each, aligns and
// sizes them, and inserts the table into the document as a picture through the clipboard (a
// bitmap of the visible cells or a metafile of the whole grid), saves it as a picture file,
// or exchanges its texts as ".txt" and ".csv" files. Created once; keeps its table for the run.
#include <map>
#include <string>

#include "controls/StyledWrappers.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/GdiHandles.h"
#include "platform/SpinEdit.h"
#include "platform/TextGrid.h"
#include "writer/insert/CellStyles.h"
#include "writer/insert/RenderGrid.h"
#include "writer/insert/TableText.h"

class TDllForms : public Form {
 public:
  static constexpr int kClientWidth = 780;
  static constexpr int kClientHeight = 530;
  static const wchar_t kHelpText[];

  void Create(HWND owner);

  // Set by the two insert buttons, cleared when the window is shown.
  bool InsertResult() const { return insertResult_; }
  const writer::CellStyleList& Styles() const { return styles_; }
  const writer::CellDefaults& Defaults() const { return defaults_; }
  writer::TableFonts Fonts() const;
  const FontChoice& HeaderFontChoice() const { return headerChoice_; }
  const FontChoice& TableFontChoice() const { return tableChoice_; }

  // The grid's texts as the files hold them, and a table put into the grid as an import does.
  writer::TableTexts Texts() const;
  void LoadTexts(const writer::TableTexts& table);

  // Event handlers, named as the controls they belong to.
  void Edit1Enter();
  void ColCountChange();
  void RowCountChange();
  void chkColHClick();
  void chkRowHClick();
  void chkAutoHeightClick();
  void btnCellColourClick();
  void btnColumnColourClick();
  void btnRowColourClick();
  void btnHeaderColourClick();
  void btnAlignClick(writer::CellAlignment alignment);
  void btnTableFontClick();
  void btnHeaderFontClick();
  void SetColWidthArrow(int delta);
  void SetColWidthEnter();
  void SetRowHeightArrow(int delta);
  void SetRowHeightEnter();
  void btnWidthStepClick(int delta);
  void btnClearTabelClick();
  void btnImportClick();
  void btnExportClick();
  void btnSaveAsClick();
  void btnInsertClick();
  void btnEmfClick();
  void SpeedButton1Click();
  void StringGrid1SelectCell(int col, int row);
  void StringGrid1ClickCell(int col, int row);
  void StringGrid1EditRequest(wchar_t first);
  void StringGrid1DrawCell(HDC dc, int col, int row, const RECT& rect);

  // The automatic height of a row: its tallest wrapped text, at least 24 pixels.
  int AutomaticRowHeight(int row) const;
  void ApplyAutomaticHeights();

  Label lblInsertText;
  Edit Edit1;
  Label lblColumns, lblRows;
  SpinEdit ColCount, RowCount;
  StyledCheckBox chkColH, chkRowH, chkAutoHeight;
  Label lblColours, lblAlign, lblFonts, lblWidth, lblHeight;
  StyledButton btnCellColour, btnColumnColour, btnRowColour, btnHeaderColour;
  StyledButton btnAlignLeft, btnAlignCenter, btnAlignRight;
  StyledButton btnTableFont, btnHeaderFont;
  SpinEdit SetColWidth, SetRowHeight;
  StyledButton btnDecreaseWidth, btnIncreaseWidth;
  Label Label3;
  TextGrid StringGrid1;
  StyledButton btnClearTabel, btnImport, btnExport, btnSaveAs, btnInsert, btnEmf, btnClose;
  StyledButton SpeedButton1;

  bool PreTranslateMessage(MSG& msg) override;

 protected:
  void FormShow() override;
  void FormActivate() override;

 private:
  void CreateControls();
  void CreateToolRows();
  void CreateButtons();
  void ApplyCounts();
  void RefreshSizeBoxes();
  void SetSelectedColWidth(int width);
  void SetSelectedRowHeight(int height);
  void SetFont(bool header, const FontChoice& choice);
  writer::TCellStyle* SelectedStyle();
  void WriteExport(const std::wstring& path);
  void Repaint() { StringGrid1.Invalidate(); }

  writer::CellStyleList styles_;
  writer::CellDefaults defaults_;
  FontChoice headerChoice_, tableChoice_;
  FontHandle headerFont_, tableFont_;
  // Brushes of the cell colours in use, made once each for the repaints.
  std::map<writer::CellColour, BrushHandle> cellBrushes_;
  bool insertResult_ = false;
  bool settingCounts_ = false;
};
