#pragma once
// A draw target that writes down what it is asked to draw, one line per call, so tests can
// check what a page or an object draws without a device.

#include <sstream>
#include <string>
#include <vector>

#include "engine/VpDrawTarget.h"

class TRecordingTarget : public TVpDrawTarget {
 public:
  explicit TRecordingTarget(bool printer = false) : printer_(printer) {}

  std::vector<std::string> calls;
  TVpIntRect outline{};  // what EndOutline answers

  bool IsPrinter() const override { return printer_; }
  void SelectPen(const TVpPen& pen, int ppi) override {
    Log("pen " + std::to_string(pen.Width) + " @" + std::to_string(ppi));
  }
  void SelectBrush(const TVpBrush& brush) override { Log("brush " + std::to_string(brush.Color)); }
  void SelectFont(const TVpFont& font, int ppi) override {
    Log("font " + font.Name + " " + std::to_string(font.Size) + " @" + std::to_string(ppi));
  }
  void DrawPolygon(const std::vector<TVpIntPoint>& points) override {
    Log("polygon" + Points(points));
  }
  void StrokeAndFillPath(const TVpPath& path) override { Log("path " + Steps(path)); }
  void Line(TVpIntPoint from, TVpIntPoint to) override { Log("line" + Points({from, to})); }
  void ClipToPath(const TVpPath& path) override { Log("clip " + Steps(path)); }
  void RemoveClip() override { Log("unclip"); }
  void PlaceText(TVpIntPoint at, std::string_view text,
                 const std::optional<TVpIntRect>& clip) override {
    std::string line = "text" + Points({at}) + " '" + std::string(text) + "'";
    if (clip) line += Points({{clip->Left, clip->Top}, {clip->Right, clip->Bottom}});
    Log(line);
  }
  TVpSize MeasureText(std::string_view text) override {
    return {0.1L * static_cast<long double>(text.size()), 0.2L};
  }
  TVpIntRect TextBounds(TVpIntPoint at, std::string_view text) override {
    return {at.X, at.Y, at.X + 10 * static_cast<int>(text.size()), at.Y + 20};
  }
  void DrawPicture(const TVpPicture& picture, const TVpIntRect& rect, std::uint32_t copyMode,
                   std::int32_t) override {
    Log("picture " + std::to_string(picture.Bytes.size()) +
        Points({{rect.Left, rect.Top}, {rect.Right, rect.Bottom}}) + " " +
        std::to_string(copyMode));
  }
  void BeginOutline() override { Log("outline"); }
  TVpIntRect EndOutline() override { return outline; }

 private:
  void Log(std::string line) { calls.push_back(std::move(line)); }
  static std::string Points(const std::vector<TVpIntPoint>& points) {
    std::ostringstream out;
    for (const TVpIntPoint& p : points) out << " " << p.X << "," << p.Y;
    return out.str();
  }
  static std::string Steps(const TVpPath& path) {
    std::string out;
    for (const TVpPathStep& step : path) out += "MLBP"[step.kind] + Points(step.points) + ";";
    return out;
  }

  bool printer_;
};
