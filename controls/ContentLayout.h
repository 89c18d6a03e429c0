#pragma once
#include "controls/PixelBuffer.h"
#include "controls/StyledTypes.h"

namespace controls {

struct TPixelSize {
  int cx = 0;
  int cy = 0;
};

// Where a button puts its caption and its glyph. The caption rectangle is the client area
// moved aside by the glyph and the spacing; the caption is centred in it, and the glyph sits
// beside the caption's text at the spacing. Without a caption the glyph is centred.
struct TButtonContent {
  TPixelRect captionRect;
  int glyphX = 0;
  int glyphY = 0;
};
TButtonContent LayoutButtonContent(const TPixelRect& client, TPixelSize text, TPixelSize glyph,
                                   int spacing, TButtonLayout layout, bool hasCaption);

enum class THorzPlace { Left, Center, Right };
enum class TVertPlace { Top, Middle, Bottom };

// A panel's caption: the rectangle it is placed in and how.
struct TPanelCaption {
  TPixelRect rect;
  THorzPlace horz = THorzPlace::Center;
  TVertPlace vert = TVertPlace::Middle;
};
TPanelCaption LayoutPanelCaption(int width, int height, int cornerWidth, int borderWidth,
                                 TCaptionPosition position);

// Width of the edge band that an antialiased panel smooths.
inline int PanelSmoothBand(int cornerWidth) { return (cornerWidth + 20) / 2; }

// Top of a check box's box in a control of the given height.
inline int CheckBoxTop(int height) { return (height - 13) / 4; }
// Top of a radio button's circle: vertically centred.
inline int RadioCircleTop(int height, int diameter) { return (height - diameter) / 2; }
// Left of a check box's and a radio button's caption.
inline int CheckBoxCaptionLeft(int spacing) { return spacing + 16; }
inline int RadioCaptionLeft(int diameter, int spacing) { return diameter + spacing + 2; }

// Down after a click on a button of a group: an up button goes down; a down one comes up only
// when all may be up or another of its group is down.
inline bool DownAfterGroupClick(bool down, bool allowAllUp, bool anotherDown) {
  if (!down) return true;
  return !(allowAllUp || anotherDown);
}

}  // namespace controls
