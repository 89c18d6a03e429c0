#pragma once
// Two pickers that work beside a preview and keep in step with it through the VPM_ messages:
// an owner-drawn list of paper sizes or printers with a small picture before each name, and a
// small sheet picture with a column of buttons that sets the orientation or the number of
// pages per sheet. The pictures are drawn in code.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/VpPageList.h"
#include "engine/VpPaperImage.h"
#include "engine/VpPaperImageLayout.h"
#include "platform/GdiHandles.h"

class TVpPreview;

enum TVpPropertyPicture : std::uint8_t {
  vpEnvelopePicture = 0,
  vpPaperPicture = 1,
  vpPrinterPicture = 2
};
// A 16 by 16 picture with its top-left corner at x, y; the background shows through.
void DrawPropertyPicture(HDC dc, TVpPropertyPicture picture, int x, int y);

enum TVpComboPropertyType : std::uint8_t { vpPaperList = 0, vpPrinterList = 1 };

class TVpPropertyComboBox {
 public:
  // addItem is true on entry; clearing it leaves the name out.
  using AddItemEvent =
      std::function<void(TVpPropertyComboBox&, const std::string& item, bool& addItem)>;
  static constexpr int kItemHeight = 20;
  static constexpr int kPictureLeft = 6;
  static constexpr int kTextLeft = 24;

  // A child of parent; height is the dropped-down list's.
  explicit TVpPropertyComboBox(HWND parent, int x = 0, int y = 0, int width = 145,
                               int height = 200);
  ~TVpPropertyComboBox();
  TVpPropertyComboBox(const TVpPropertyComboBox&) = delete;
  TVpPropertyComboBox& operator=(const TVpPropertyComboBox&) = delete;

  // The window attached to the preview; the combo box inside it.
  HWND Handle() const { return hwnd_; }
  std::string About() const { return VpAboutText("TVpPropertyComboBox"); }
  HWND ComboHandle() const { return combo_; }

  // Both refill the list. A preview that has been freed reads as none.
  TVpPreview* Preview();
  void SetPreview(TVpPreview* preview);
  TVpComboPropertyType PreviewProperty() const { return property_; }
  void SetPreviewProperty(TVpComboPropertyType property);

  // The paper names in catalogue order or the installed printers, as OnAddItem lets them, the
  // preview's paper size or current printer selected. Nothing without a preview.
  void Fill();
  int ItemCount() const { return static_cast<int>(items_.size()); }
  const std::string& Item(int index) const { return items_.at(static_cast<std::size_t>(index)); }
  // The selected item, or -1.
  int ItemIndex() const;
  TVpPropertyPicture ItemPicture(int index) const;
  // As the user's choice: selects the item, sets the preview's paper size or printer and
  // raises OnChange.
  void ChooseItem(int index);

  AddItemEvent OnAddItem;
  std::function<void(TVpPropertyComboBox&)> OnChange;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  void DrawItem(const DRAWITEMSTRUCT& item);

  HWND hwnd_ = nullptr;
  HWND combo_ = nullptr;
  TVpPreview* preview_ = nullptr;
  HWND previewWnd_ = nullptr;
  TVpComboPropertyType property_ = vpPrinterList;
  std::vector<std::string> items_;
  bool choosing_ = false;
};

enum TVpGraphicPropertyType : std::uint8_t { vpMultipageGraphic = 0, vpOrientationGraphic = 1 };

class TVpPropertyGraphic {
 public:
  static constexpr int kButtonSize = 23;
  static constexpr int kButtonLeft = 8;
  // The picture's left gutter when created, and when the buttons are shown again.
  static constexpr int kInitialGutter = 26;
  static constexpr int kButtonGutter = 30;
  static constexpr int kZoom = 6;

  explicit TVpPropertyGraphic(HWND parent, int x = 0, int y = 0, int width = 137, int height = 105);
  ~TVpPropertyGraphic();
  TVpPropertyGraphic(const TVpPropertyGraphic&) = delete;
  TVpPropertyGraphic& operator=(const TVpPropertyGraphic&) = delete;

  HWND Handle() const { return hwnd_; }
  std::string About() const { return VpAboutText("TVpPropertyGraphic"); }

  // Both re-read the preview and remake the buttons.
  TVpPreview* Preview();
  void SetPreview(TVpPreview* preview);
  TVpGraphicPropertyType PreviewProperty() const { return property_; }
  void SetPreviewProperty(TVpGraphicPropertyType property);
  int ButtonSpacing() const { return buttonSpacing_; }
  void SetButtonSpacing(int spacing);
  bool ShowButtons() const { return showButtons_; }
  void SetShowButtons(bool show);
  TVpShadow& Shadow() { return shadow_; }

  // Two buttons for the orientation, three for one, two or four pages per sheet.
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  // Button n, 1-based, and the one that is down.
  HWND Button(int n) const { return buttons_.at(static_cast<std::size_t>(n - 1)); }
  int Choice() const { return choice_; }
  // As the user's press: shows the choice and sets the preview's orientation or pages per sheet.
  void PressButton(int n);

  // What the picture shows: the sheet as it will print.
  TVpOrientation SheetOrientation() const { return sheet_.Orientation(); }
  TVpPagesPerSheet Pages() const { return pages_; }
  TVpIntRect SheetRect() const;
  void Paint(HDC dc);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  void MakeButtons();
  void PlaceButtons();
  void ReadPreview();
  void Show(int choice);
  void DrawButton(const DRAWITEMSTRUCT& item);
  void DrawNumbers(HDC dc);

  HWND hwnd_ = nullptr;
  TVpPreview* preview_ = nullptr;
  HWND previewWnd_ = nullptr;
  TVpGraphicPropertyType property_ = vpOrientationGraphic;
  int buttonSpacing_ = 8;
  bool showButtons_ = true;
  TVpShadow shadow_;
  TVpPageList sheet_;
  TVpPaperImage image_;  // windowless, painted in this window
  TVpPagesPerSheet pages_ = vpOnePage;
  std::vector<HWND> buttons_;
  int choice_ = 1;
};
