#pragma once
// The table builder's size rules: the limits of column widths and row heights and the text
// that shows a column's width in millimetres and inches. Portable.
#include <string>

namespace writer {

constexpr int kMinColWidth = 10;
constexpr int kMaxColWidth = 600;
constexpr int kMinRowHeight = 10;
constexpr int kMaxRowHeight = 1000;
constexpr int kMinAutoRowHeight = 24;
constexpr int kStartColWidth = 64;
constexpr int kStartRowHeight = 24;
constexpr int kStartCount = 5;

// "Col Width: 16.798 mm - 0.661 inches" for 64 pixels at 96 pixels per inch: the pixels over
// whole twips per pixel times 25.4 / 100, with three decimals.
std::string ColumnWidthText(int pixels, int pixelsPerInch);

}  // namespace writer
