#pragma once
// A picture as the exporters hand it to the file writers: 8-bit red, green and blue samples in
// that order, rows from top to bottom with no padding between them.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace writer {

struct RgbColor {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const RgbColor&) const = default;
};

class RgbImage {
 public:
  RgbImage() = default;
  RgbImage(int width, int height, RgbColor fill = {255, 255, 255})
      : width_(width), height_(height) {
    samples_.resize(static_cast<std::size_t>(width) * height * 3);
    for (std::size_t i = 0; i < samples_.size(); i += 3) {
      samples_[i] = fill.red;
      samples_[i + 1] = fill.green;
      samples_[i + 2] = fill.blue;
    }
  }

  int Width() const { return width_; }
  int Height() const { return height_; }
  std::size_t RowBytes() const { return static_cast<std::size_t>(width_) * 3; }
  std::uint8_t* Row(int y) { return samples_.data() + y * RowBytes(); }
  const std::uint8_t* Row(int y) const { return samples_.data() + y * RowBytes(); }
  const std::vector<std::uint8_t>& Samples() const { return samples_; }

  RgbColor Pixel(int x, int y) const {
    const std::uint8_t* p = Row(y) + 3 * x;
    return {p[0], p[1], p[2]};
  }
  void SetPixel(int x, int y, RgbColor c) {
    std::uint8_t* p = Row(y) + 3 * x;
    p[0] = c.red;
    p[1] = c.green;
    p[2] = c.blue;
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> samples_;
};

}  // namespace writer
