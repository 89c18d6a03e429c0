#include "writer/ZoomTable.h"

#include <string>

namespace writer {
namespace {

struct Band {
  int lastPosition;
  ZoomRow row;
};

constexpr Band kBands[] = {
    {50, {1, 2, 50}},     {69, {3, 5, 60}},   {79, {7, 10, 70}},    {89, {4, 5, 80}},
    {99, {9, 10, 90}},    {109, {0, 0, 100}}, {119, {11, 10, 110}}, {129, {6, 5, 120}},
    {139, {13, 10, 130}}, {149, {7, 5, 140}}, {159, {3, 2, 150}},   {169, {8, 5, 160}},
    {179, {17, 10, 170}}, {189, {9, 5, 180}}, {195, {19, 10, 190}}, {200, {2, 1, 200}},
};

std::u16string Widen(const std::string& text) { return std::u16string(text.begin(), text.end()); }

}  // namespace

std::optional<ZoomRow> ZoomForPosition(int position) {
  if (position < 0 || position > 200) return std::nullopt;
  for (const Band& band : kBands)
    if (position <= band.lastPosition) return band.row;
  return std::nullopt;
}

std::u16string ZoomPanelText(const ZoomRow& row) {
  return Widen("Zoom Factor: " + std::to_string(row.percent) + "%");
}

std::u16string ZoomLabelText(const ZoomRow& row) {
  return Widen("Zoom: " + std::to_string(row.percent) + "%");
}

}  // namespace writer
