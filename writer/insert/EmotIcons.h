#pragma once
// TfrmEmoticons, "Emotional Icons": 29 small pictures in three rows and 6 divider lines. A
// click puts the picture (an enhanced metafile) or the line (text) on the clipboard, sets the
// picker's flag and closes it; the main window pastes and clears the flag.
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "controls/StyledWrappers.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/GdiHandles.h"
#include "writer/insert/DrawnButton.h"
#include "writer/insert/InsertClipboard.h"

class TfrmEmoticons : public Form {
 public:
  static constexpr int kClientWidth = 560;
  static constexpr int kClientHeight = 404;

  void Create(HWND owner);

  // Set by a picture or divider click; the main window clears it after pasting.
  bool Chosen() const { return chosen_; }
  void ClearChosen() { chosen_ = false; }

  // Numbers 1 to 29 are pictures, 30 to 35 dividers.
  void ItemClick(int number);
  writer::DrawnButton& Item(int number) { return *items_.at(static_cast<std::size_t>(number - 1)); }
  HENHMETAFILE Picture(int number) const {
    return pictures_.at(static_cast<std::size_t>(number - 1)).get();
  }
  std::wstring HoverText() const { return lblName.Text(); }

  Label lblName, lblDividers;
  StyledButton btnClose;

 protected:
  void FormShow() override;
  void FormPaint(HDC dc) override;
  void FormMouseDown(int button, POINT client) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void BuildPictures();
  void BuildDividers();
  void DrawPicture(int number, const DRAWITEMSTRUCT& item, bool hot) const;
  void DrawDivider(int number, const DRAWITEMSTRUCT& item, bool hot) const;

  bool chosen_ = false;
  std::vector<writer::MetafileHandle> pictures_;
  std::vector<std::unique_ptr<writer::DrawnButton>> items_;
  FontHandle titleFont_, nameFont_, boldFont_, dividerFont_;
  BrushHandle bandBrush_;
};
