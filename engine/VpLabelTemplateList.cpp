#include "engine/VpLabelTemplateList.h"

#include <algorithm>
#include <utility>

#include "engine/VpLabelCatalogue.h"

namespace {

// ASCII only: sheet names are code-page bytes, and other bytes must not depend on a locale.
bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; };
  return std::ranges::equal(a, b, [&](char x, char y) {
    return lower(static_cast<unsigned char>(x)) == lower(static_cast<unsigned char>(y));
  });
}

}  // namespace

TVpLabelTemplateList::TVpLabelTemplateList() {
  for (const TVpBuiltInLabelSheet& sheet : BuiltInLabelSheets()) {
    AddTemplate(sheet.Id, LabelTemplateName(sheet.Id), sheet.Values, std::nullopt, sheet.Paper,
                sheet.Orientation, TVpLabelShape::RoundRect, sheet.Measurement);
  }
}

TVpLabelTemplateInfo& TVpLabelTemplateList::AddTemplate(
    TVpLabelTemplate id, std::string sheetName, const TVpLabelSheetValues& values,
    std::optional<TVpSize> pageSize, TVpPaperSize paper, TVpOrientation orientation,
    TVpLabelShape shape, TVpMeasurement measurement) {
  items_.push_back(std::make_unique<TVpLabelTemplateInfo>(
      id, std::move(sheetName), values, pageSize, paper, orientation, shape, measurement));
  return *items_.back();
}

TVpLabelTemplateInfo& TVpLabelTemplateList::AddCustomTemplate(
    std::string sheetName, const TVpLabelSheetValues& values, std::optional<TVpSize> pageSize,
    TVpPaperSize paper, TVpLabelShape shape, TVpMeasurement measurement) {
  return AddTemplate(TVpLabelTemplate::Custom_Template, std::move(sheetName), values, pageSize,
                     paper, vpPortrait, shape, measurement);
}

TVpLabelTemplateInfo* TVpLabelTemplateList::TemplateAt(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return items_[static_cast<std::size_t>(index)].get();
}

TVpLabelTemplateInfo* TVpLabelTemplateList::FindByName(std::string_view name) const {
  for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
    if (EqualsIgnoringCase((*it)->SheetName(), name)) return it->get();
  }
  return nullptr;
}

TVpLabelTemplateInfo* TVpLabelTemplateList::FindById(TVpLabelTemplate id) const {
  for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
    if ((*it)->TemplateId() == id) return it->get();
  }
  return nullptr;
}
