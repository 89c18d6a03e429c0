#include "writer/export/PresentationShapes.h"

#include <algorithm>
#include <array>

namespace writer {

namespace {

struct ScreenSize {
  const wchar_t* label;
  int width;
  int height;
};

constexpr std::array<ScreenSize, 3> kScreenSizes = {
    {{L"800 x 600", 800, 600}, {L"900 x 675", 900, 675}, {L"1000 x 750", 1000, 750}}};

int ScreenIndex(const std::wstring& label) {
  for (std::size_t i = 0; i < kScreenSizes.size(); ++i)
    if (label == kScreenSizes[i].label) return static_cast<int>(i);
  return 0;
}

PageShape WithTextArea(int width, int height) {
  return {width, height, width - kTextAreaMargin, height - kTextAreaMargin};
}

}  // namespace

PageShape ShapeOf(PresentationChoice choice, const std::wstring& screenLabel) {
  switch (choice) {
    case PresentationChoice::FullPage: return WithTextArea(693, 950);
    case PresentationChoice::HalfPage: return WithTextArea(693, 485);
    case PresentationChoice::ScreenSize: {
      const ScreenSize& size = kScreenSizes[ScreenIndex(screenLabel)];
      return WithTextArea(size.width, size.height);
    }
  }
  return WithTextArea(693, 950);
}

std::wstring LargerScreenLabel(const std::wstring& label) {
  const int last = static_cast<int>(kScreenSizes.size()) - 1;
  return kScreenSizes[std::min(ScreenIndex(label) + 1, last)].label;
}

std::wstring SmallerScreenLabel(const std::wstring& label) {
  return kScreenSizes[std::max(ScreenIndex(label) - 1, 0)].label;
}

std::uint16_t FrameDelay(int seconds) {
  return static_cast<std::uint16_t>(std::clamp(seconds, 5, 60) * 1000);
}

}  // namespace writer
