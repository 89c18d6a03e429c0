#pragma once
// The side panel's two lists that draw their rows: font names each in its own face, and text
// colours each with a swatch.
#include <windows.h>

#include <optional>
#include <string>

#include "platform/Controls.h"

namespace writer {

class FontComboBox : public ComboBox {
 public:
  void Create(HWND parent, int left, int top, int width, int height);
  bool HandleDrawItem(const DRAWITEMSTRUCT& item) override;
};

class ColorComboBox : public ComboBox {
 public:
  // The automatic text colour's row ("Default").
  static constexpr COLORREF kAutomatic = 0xFF000000;

  void Create(HWND parent, int left, int top, int width, int height);
  // The standard colours and "Default".
  void FillStandardColors();
  // The chosen row's colour (kAutomatic for "Default"); nothing without a choice.
  std::optional<COLORREF> SelectedColor() const;
  // Chooses the row of the colour; a colour outside the list gets a row of its own.
  void SelectColor(COLORREF color);
  bool HandleDrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  COLORREF ColorAt(int index) const;
  int AddColor(const std::wstring& name, COLORREF color);
};

}  // namespace writer
