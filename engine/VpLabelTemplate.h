#pragma once
// One label sheet template: labels across and down, their size and pitch, the offsets to the
// first label, the paper, the orientation and the outline shape. Lengths are held in inches
// and read or written in any measurement.

#include <cstdint>
#include <optional>
#include <string>

#include "engine/VpPaper.h"

// Identifies a template; the names are the built-in templates' names.
enum class TVpLabelTemplate : std::uint8_t {
  Custom_Template = 0,
  L7159_Address,
  L7160_Address,
  L7161_Address,
  L7162_Address,
  L7163_Address,
  L7164_Address,
  L7165_Parcel,
  L7166_Parcel,
  L7167_Shipping,
  L7168_Shipping,
  L7169_Parcel,
  L7170_Eurofolio,
  L7171_LeverArch,
  L7172_RingBinder,
  L7173_Shipping,
  L7263_Address,
  J8660_Diskette,
  Avery_5160_Address,
  Avery_8160_Address,  // has no sheet in the catalogue
  Herma_4209,
};

inline constexpr int kVpLabelTemplateCount = 21;

// The enumerator name; throws std::invalid_argument outside the enumeration.
std::string LabelTemplateName(TVpLabelTemplate id);
std::optional<TVpLabelTemplate> LabelTemplateFromOrdinal(int ordinal);

enum class TVpLabelShape : std::uint8_t {
  Rectangle = 0,
  RoundRect = 1,
  Ellipse = 2,
};

// The numbers that describe a sheet, in the order templates are given: counts, then the
// seven lengths in one measurement.
struct TVpLabelSheetValues {
  std::int32_t Across = 0;
  std::int32_t Down = 0;
  long double LabelWidth = 0;
  long double LabelHeight = 0;
  long double CornerRadius = 0;
  long double HorzPitch = 0;   // left edge to the next label's left edge
  long double VertPitch = 0;   // top edge to the top edge of the label below
  long double LeftOffset = 0;  // page's left edge to the first column
  long double TopOffset = 0;   // page's top edge to the first row
};

// The page size a template keeps: the given size (converted from measurement) for Custom
// paper, A4's size for Custom paper without one, else the paper's own size.
TVpSize TemplatePageSize(TVpPaperSize paper, const std::optional<TVpSize>& given,
                         TVpMeasurement measurement);

class TVpLabelTemplateInfo {
 public:
  // Lengths in values and pageSize are in measurement. Negative counts throw
  // std::invalid_argument.
  TVpLabelTemplateInfo(TVpLabelTemplate id, std::string sheetName,
                       const TVpLabelSheetValues& values, std::optional<TVpSize> pageSize,
                       TVpPaperSize paper, TVpOrientation orientation, TVpLabelShape shape,
                       TVpMeasurement measurement);

  TVpLabelTemplate TemplateId() const { return id_; }
  const std::string& SheetName() const { return sheetName_; }

  std::int32_t Across() const { return across_; }
  std::int32_t Down() const { return down_; }
  // Across x Down, wide enough that no pair of counts overflows.
  std::int64_t LabelsPerPage() const { return std::int64_t{across_} * down_; }

  // A count of 0, or one equal to the current count, leaves it unchanged; a negative count
  // throws std::invalid_argument and leaves it unchanged.
  void SetAcross(std::int32_t across);
  void SetDown(std::int32_t down);

  long double LabelWidth(TVpMeasurement m = vpInches) const { return Read(labelWidth_, m); }
  long double LabelHeight(TVpMeasurement m = vpInches) const { return Read(labelHeight_, m); }
  long double CornerRadius(TVpMeasurement m = vpInches) const { return Read(cornerRadius_, m); }
  long double HorzPitch(TVpMeasurement m = vpInches) const { return Read(horzPitch_, m); }
  long double VertPitch(TVpMeasurement m = vpInches) const { return Read(vertPitch_, m); }
  long double LeftOffset(TVpMeasurement m = vpInches) const { return Read(leftOffset_, m); }
  long double TopOffset(TVpMeasurement m = vpInches) const { return Read(topOffset_, m); }
  TVpSize PageSize(TVpMeasurement m = vpInches) const;

  void SetLabelWidth(long double v, TVpMeasurement m = vpInches) { Write(labelWidth_, v, m); }
  void SetLabelHeight(long double v, TVpMeasurement m = vpInches) { Write(labelHeight_, v, m); }
  void SetCornerRadius(long double v, TVpMeasurement m = vpInches) { Write(cornerRadius_, v, m); }
  void SetHorzPitch(long double v, TVpMeasurement m = vpInches) { Write(horzPitch_, v, m); }
  void SetVertPitch(long double v, TVpMeasurement m = vpInches) { Write(vertPitch_, v, m); }
  void SetLeftOffset(long double v, TVpMeasurement m = vpInches) { Write(leftOffset_, v, m); }
  void SetTopOffset(long double v, TVpMeasurement m = vpInches) { Write(topOffset_, v, m); }

  TVpPaperSize PaperSize() const { return paper_; }
  // A template on Custom paper keeps its paper and page size; any other takes the new paper
  // and that paper's page size (A4's when the new paper is Custom).
  void SetPaperSize(TVpPaperSize paper);

  TVpOrientation Orientation() const { return orientation_; }
  void SetOrientation(TVpOrientation orientation) { orientation_ = orientation; }

  TVpLabelShape OutlineShape() const { return shape_; }
  void SetOutlineShape(TVpLabelShape shape) { shape_ = shape; }

 private:
  static long double Read(long double inches, TVpMeasurement m) {
    return ConvertValue(inches, vpInches, m);
  }
  static void Write(long double& inches, long double value, TVpMeasurement m) {
    inches = ConvertValue(value, m, vpInches);
  }
  static void WriteCount(std::int32_t& count, std::int32_t value, const char* what);

  TVpLabelTemplate id_;
  std::string sheetName_;
  std::int32_t across_ = 0;
  std::int32_t down_ = 0;
  long double labelHeight_ = 0;
  long double labelWidth_ = 0;
  long double horzPitch_ = 0;
  long double vertPitch_ = 0;
  TVpLabelShape shape_ = TVpLabelShape::RoundRect;
  long double cornerRadius_ = 0;
  long double leftOffset_ = 0;
  long double topOffset_ = 0;
  TVpSize pageSize_;
  TVpPaperSize paper_ = TVpPaperSize::A4;
  TVpOrientation orientation_ = vpPortrait;
};
