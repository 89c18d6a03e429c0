#pragma once
// TDLLForm, the character map: the 256 codes of one font in a grid of 20 x 13 cells, a large
// preview of the selected one and its Alt-key number. "  Insert" hands one character to the
// clipboard, "Add" collects characters into a line and "Insert Line" hands the line over; the
// main window then gives the insertion the grid's font and pastes it.
#include <windows.h>

#include <map>
#include <string>

#include "controls/StyledWrappers.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/GdiHandles.h"
#include "writer/insert/PaintBox.h"

namespace writer {

struct GridCell {
  int row = 0;
  int column = 0;
  bool operator==(const GridCell&) const = default;
};

// The code of a cell: (20 x row + column) mod 256, so the last four cells repeat 0 to 3.
int CharacterCode(GridCell cell);
// "ALT + " and the code with a leading "0": "ALT + 065".
std::wstring AltCodeText(int code);

}  // namespace writer

class TDLLForm : public Form {
 public:
  static constexpr int kColumns = 20;
  static constexpr int kRows = 13;
  static constexpr int kCell = 24;
  static constexpr int kClientWidth = 640;
  static constexpr int kClientHeight = 436;

  void Create(HWND owner);

  // The font box's face; a face that is not installed leaves the font as it was.
  void SetFontName(const std::wstring& face);
  std::wstring FontName() const { return face_; }
  // The grid's font: the face at 12 points, in the symbol character set for symbol fonts.
  LOGFONTW GridFont() const;
  bool SymbolFont() const;

  void SelectCell(writer::GridCell cell);
  writer::GridCell CurrentCell() const { return current_; }
  int SelectedCode() const { return writer::CharacterCode(current_); }
  // The text a code stands for in the grid's font: the code itself in a symbol font, the
  // system code page's character otherwise.
  std::wstring CharacterOf(int code) const;

  void btnInsertClick();
  void btnAddClick();
  void btnInsertLineClick();
  void btnCloseClick();

  ComboBox FontComboBox1;
  writer::PaintBox StringGrid1, Image1;
  Label lblFont, lblCode, lblLine;
  Edit Edit1;
  StyledButton btnInsert, btnAdd, btnInsertLine, btnClose;

 protected:
  void FormShow() override;
  void FormPaint(HDC dc) override;
  void FormMouseDown(int button, POINT client) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void FillFontBox();
  void FontChange();
  void PaintGrid(HDC dc) const;
  void PaintPreview(HDC dc, const RECT& area) const;
  bool GridKey(WPARAM key);
  void UpdateButtons();

  std::map<std::wstring, BYTE> charsets_;  // each face's character set
  std::wstring face_ = L"Arial";
  writer::GridCell current_{3, 5};
  FontHandle gridFont_, previewFont_, titleFont_, codeFont_;
  BrushHandle bandBrush_;
};
