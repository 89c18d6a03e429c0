#pragma once
// What the custom label windows need of the rest of the program: the printing mode, the
// settings record holding each mode's default custom sheet, the tables, the label sheet
// component's template list (which holds the custom template slot) and the print window's
// pages. The print window provides it.
#include "engine/VpLabelTemplateList.h"
#include "labels/records/LabelSettings.h"
#include "labels/records/PrintMode.h"
#include "labels/records/RecordStore.h"

class CustomLabelHost {
 public:
  virtual ~CustomLabelHost() = default;
  virtual PrintMode Mode() const = 0;
  virtual TLabelSettings& SettingsRecord() = 0;
  virtual RecordStore& Store() = 0;
  virtual TVpLabelTemplateList& Templates() = 0;
  // Empties the print window's preview (one blank page remains).
  virtual void ClearPreview() = 0;
  // Applies the print window's selected label type again.
  virtual void ApplyLabelType() = 0;
  // Builds the print window's pages for the current mode.
  virtual void BuildPages() = 0;
};
