#include "controls/ContentLayout.h"

#include <algorithm>

namespace controls {
namespace {

// Left or top at which DrawText centres extent `size` in [from, to).
int Centred(int from, int to, int size) { return from + (to - from - size) / 2; }

}  // namespace

TButtonContent LayoutButtonContent(const TPixelRect& client, TPixelSize text, TPixelSize glyph,
                                   int spacing, TButtonLayout layout, bool hasCaption) {
  TButtonContent out;
  out.captionRect = client;
  const bool hasGlyph = glyph.cx > 0 && glyph.cy > 0;
  if (!hasGlyph) return out;
  if (!hasCaption) {
    out.glyphX = Centred(client.left, client.right, glyph.cx);
    out.glyphY = Centred(client.top, client.bottom, glyph.cy);
    return out;
  }
  TPixelRect& r = out.captionRect;
  switch (layout) {
    case TButtonLayout::blGlyphLeft: {
      r.left += glyph.cx + spacing;
      const int textLeft = std::max(r.left, Centred(r.left, r.right, text.cx));
      out.glyphX = textLeft - spacing - glyph.cx;
      out.glyphY = Centred(client.top, client.bottom, glyph.cy);
      break;
    }
    case TButtonLayout::blGlyphRight: {
      r.right -= glyph.cx + spacing;
      const int textRight = std::min(r.right, Centred(r.left, r.right, text.cx) + text.cx);
      out.glyphX = textRight + spacing;
      out.glyphY = Centred(client.top, client.bottom, glyph.cy);
      break;
    }
    case TButtonLayout::blGlyphTop: {
      r.top += glyph.cy + spacing;
      const int textTop = std::max(r.top, Centred(r.top, r.bottom, text.cy));
      out.glyphX = Centred(client.left, client.right, glyph.cx);
      out.glyphY = textTop - spacing - glyph.cy;
      break;
    }
    case TButtonLayout::blGlyphBottom: {
      r.bottom -= glyph.cy + spacing;
      const int textBottom = std::min(r.bottom, Centred(r.top, r.bottom, text.cy) + text.cy);
      out.glyphX = Centred(client.left, client.right, glyph.cx);
      out.glyphY = textBottom + spacing;
      break;
    }
  }
  return out;
}

TPanelCaption LayoutPanelCaption(int width, int height, int cornerWidth, int borderWidth,
                                 TCaptionPosition position) {
  const int side = (cornerWidth + borderWidth) / 2;
  const int outward = (cornerWidth - borderWidth) / 2;
  TPanelCaption out;
  out.rect = {side, borderWidth, width - side, height - borderWidth};
  switch (position) {
    case TCaptionPosition::cpGroupBox:
    case TCaptionPosition::cpTopLeft:
      out.horz = THorzPlace::Left;
      out.vert = TVertPlace::Top;
      break;
    case TCaptionPosition::cpTopCenter: out.vert = TVertPlace::Top; break;
    case TCaptionPosition::cpTopRight:
      out.horz = THorzPlace::Right;
      out.vert = TVertPlace::Top;
      break;
    case TCaptionPosition::cpMiddleLeft:
      out.horz = THorzPlace::Left;
      out.rect.left -= outward;
      break;
    case TCaptionPosition::cpMiddleCenter: break;
    case TCaptionPosition::cpMiddleRight:
      out.horz = THorzPlace::Right;
      out.rect.right += outward;
      break;
    case TCaptionPosition::cpBottomLeft:
      out.horz = THorzPlace::Left;
      out.vert = TVertPlace::Bottom;
      break;
    case TCaptionPosition::cpBottomCenter: out.vert = TVertPlace::Bottom; break;
    case TCaptionPosition::cpBottomRight:
      out.horz = THorzPlace::Right;
      out.vert = TVertPlace::Bottom;
      break;
  }
  return out;
}

}  // namespace controls
