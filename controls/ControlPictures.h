#pragma once
#include <cstdint>
#include <vector>

#include "controls/PixelBuffer.h"
#include "controls/StyledTypes.h"

namespace controls {

// Side of a check box's box, and of the check mark drawn inside it.
inline constexpr int kCheckBoxSize = 13;
inline constexpr int kCheckMarkSize = 9;
// Diameter of a radio button's dot, whatever the circle's size.
inline constexpr int kRadioDotSize = 7;

// The check mark, black on white, to be tinted.
TPixelBuffer BuildCheckMark();
// The radio dot, black on white with soft edges, to be tinted.
TPixelBuffer BuildRadioDot();

// One of a check box's three pictures: a gradient from the top left with a one-pixel outline.
TPixelBuffer BuildBoxPicture(TColor from, TColor to, TColor border);

int RadioDiameter(TRadioSize size);
int RadioDotInset(TRadioSize size);

// One of a radio button's pictures: background with a gradient inside the circle and the
// circle's outline, drawn four times larger and reduced, so the edge is smooth. coverage holds
// per pixel how much of it (0 to 255) the circle covers, so it can be laid over another
// background than the one it was built on.
struct TRadioPicture {
  TPixelBuffer picture;
  TColor background = 0;
  std::vector<std::uint8_t> coverage;
};
TRadioPicture BuildRadioPicture(int diameter, TColor background, TColor from, TColor to,
                                TColor border);

// Draws face (a radio picture, or a mix of them, built on background) at (x, y) over whatever
// dst holds there: where the circle covers a pixel only partly, the share of the picture's own
// background is replaced by dst's pixel. coverage has one value per pixel of face.
void DrawCovered(const TPixelView& dst, int x, int y, const TPixelView& face,
                 const std::vector<std::uint8_t>& coverage, TColor background);

}  // namespace controls
