#include "engine/VpLabelTemplate.h"

#include <array>
#include <stdexcept>
#include <utility>

namespace {

constexpr std::array<const char*, kVpLabelTemplateCount> kTemplateNames{
    "Custom_Template", "L7159_Address",   "L7160_Address",      "L7161_Address",
    "L7162_Address",   "L7163_Address",   "L7164_Address",      "L7165_Parcel",
    "L7166_Parcel",    "L7167_Shipping",  "L7168_Shipping",     "L7169_Parcel",
    "L7170_Eurofolio", "L7171_LeverArch", "L7172_RingBinder",   "L7173_Shipping",
    "L7263_Address",   "J8660_Diskette",  "Avery_5160_Address", "Avery_8160_Address",
    "Herma_4209",
};

std::int32_t CheckedCount(std::int32_t count, const char* what) {
  if (count < 0) {
    throw std::invalid_argument(std::string("The number of labels ") + what +
                                " cannot be negative (" + std::to_string(count) + ")");
  }
  return count;
}

}  // namespace

std::string LabelTemplateName(TVpLabelTemplate id) {
  const auto ordinal = static_cast<unsigned>(id);
  if (ordinal >= kTemplateNames.size()) {
    throw std::invalid_argument("Unknown label template " + std::to_string(ordinal));
  }
  return kTemplateNames[ordinal];
}

std::optional<TVpLabelTemplate> LabelTemplateFromOrdinal(int ordinal) {
  if (ordinal < 0 || ordinal >= kVpLabelTemplateCount) return std::nullopt;
  return static_cast<TVpLabelTemplate>(ordinal);
}

TVpSize TemplatePageSize(TVpPaperSize paper, const std::optional<TVpSize>& given,
                         TVpMeasurement measurement) {
  if (paper != TVpPaperSize::Custom) return PaperSizeInches(paper);
  if (given) return ConvertSize(*given, measurement, vpInches);
  return PaperSizeInches(TVpPaperSize::A4);
}

TVpLabelTemplateInfo::TVpLabelTemplateInfo(TVpLabelTemplate id, std::string sheetName,
                                           const TVpLabelSheetValues& values,
                                           std::optional<TVpSize> pageSize, TVpPaperSize paper,
                                           TVpOrientation orientation, TVpLabelShape shape,
                                           TVpMeasurement measurement)
    : id_(id),
      sheetName_(std::move(sheetName)),
      across_(CheckedCount(values.Across, "across")),
      down_(CheckedCount(values.Down, "down")),
      shape_(shape),
      pageSize_(TemplatePageSize(paper, pageSize, measurement)),
      paper_(paper),
      orientation_(orientation) {
  Write(labelWidth_, values.LabelWidth, measurement);
  Write(labelHeight_, values.LabelHeight, measurement);
  Write(cornerRadius_, values.CornerRadius, measurement);
  Write(horzPitch_, values.HorzPitch, measurement);
  Write(vertPitch_, values.VertPitch, measurement);
  Write(leftOffset_, values.LeftOffset, measurement);
  Write(topOffset_, values.TopOffset, measurement);
}

void TVpLabelTemplateInfo::WriteCount(std::int32_t& count, std::int32_t value, const char* what) {
  if (CheckedCount(value, what) == 0) return;
  count = value;
}

void TVpLabelTemplateInfo::SetAcross(std::int32_t across) { WriteCount(across_, across, "across"); }

void TVpLabelTemplateInfo::SetDown(std::int32_t down) { WriteCount(down_, down, "down"); }

TVpSize TVpLabelTemplateInfo::PageSize(TVpMeasurement m) const {
  return ConvertSize(pageSize_, vpInches, m);
}

void TVpLabelTemplateInfo::SetPaperSize(TVpPaperSize paper) {
  if (paper_ == TVpPaperSize::Custom) return;
  pageSize_ = TemplatePageSize(paper, std::nullopt, vpInches);  // validates before storing
  paper_ = paper;
}
