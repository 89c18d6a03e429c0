#pragma once
// The page shapes a presentation offers, the screen size label's steps and the frame delay:
// what the options window chooses, without the window.
#include <cstdint>
#include <string>

namespace writer {

// A page picture and the text area on it; the text area starts 20 pixels from the left and
// the top.
struct PageShape {
  int width = 0;
  int height = 0;
  int textRight = 0;
  int textBottom = 0;
};

enum class PresentationChoice { FullPage, HalfPage, ScreenSize };

inline constexpr PageShape kPdfPageShape{693, 950, 693, 950};
inline constexpr int kTextAreaMargin = 20;  // pixels

// The shape of the choice; the screen choice reads its size label ("800 x 600"); a label
// that names no offered size gives the smallest.
PageShape ShapeOf(PresentationChoice choice, const std::wstring& screenLabel);

// The screen size label one step larger or smaller; the ends stay where they are.
std::wstring LargerScreenLabel(const std::wstring& label);
std::wstring SmallerScreenLabel(const std::wstring& label);

inline constexpr wchar_t kDefaultScreenLabel[] = L"800 x 600";

// The time a page stays on screen, in milliseconds, from whole seconds (5 to 60).
std::uint16_t FrameDelay(int seconds);

}  // namespace writer
