#pragma once
// The label sheet templates a layout component offers: the 19 built-in sheets, then whatever
// the program adds (the custom template slot). Lookups return the last match, so a slot added
// again replaces the earlier one in every lookup without anything being removed.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/VpLabelTemplate.h"

class TVpLabelTemplateList {
 public:
  // The built-in catalogue, in catalogue order.
  TVpLabelTemplateList();
  TVpLabelTemplateList(const TVpLabelTemplateList&) = delete;
  TVpLabelTemplateList& operator=(const TVpLabelTemplateList&) = delete;

  // Appends a template; every length (and pageSize) is converted from measurement to inches.
  // pageSize counts only for Custom paper. Existing templates with the same identifier or
  // name stay. Returns the new item, owned by the list and valid for the list's lifetime.
  TVpLabelTemplateInfo& AddTemplate(TVpLabelTemplate id, std::string sheetName,
                                    const TVpLabelSheetValues& values,
                                    std::optional<TVpSize> pageSize, TVpPaperSize paper,
                                    TVpOrientation orientation, TVpLabelShape shape,
                                    TVpMeasurement measurement);

  // AddTemplate with the Custom_Template identifier and portrait orientation.
  TVpLabelTemplateInfo& AddCustomTemplate(std::string sheetName, const TVpLabelSheetValues& values,
                                          std::optional<TVpSize> pageSize, TVpPaperSize paper,
                                          TVpLabelShape shape, TVpMeasurement measurement);

  int Count() const { return static_cast<int>(items_.size()); }

  // The item at a zero-based index; nullptr for -1 or any other index outside the list.
  TVpLabelTemplateInfo* TemplateAt(int index) const;

  // The last item whose SheetName equals the text, ASCII letters compared without case.
  TVpLabelTemplateInfo* FindByName(std::string_view name) const;

  // The last item with this identifier.
  TVpLabelTemplateInfo* FindById(TVpLabelTemplate id) const;

 private:
  std::vector<std::unique_ptr<TVpLabelTemplateInfo>> items_;
};
