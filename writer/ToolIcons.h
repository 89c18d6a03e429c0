#pragma once
// The word processor's own pictures for its toolbar, menus and side-panel buttons. They are
// drawn with GDI at four times their size and reduced, so every size is smooth and all of
// them share one set of colours and line weights.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <span>

#include "controls/PixelBuffer.h"

namespace writer {

enum class ToolIcon {
  NewPage,
  History,
  OpenFolder,
  SaveDisk,
  QuickPrint,
  Preview,
  Cut,
  Copy,
  Paste,
  Undo,
  Redo,
  Find,
  Date,
  Picture,
  Emoticon,
  SpecialChar,
  Exit,
  Help,
  LastDocument,
  Envelope,
  SpellCheck,
  MailMerge,
  FormatPainter,
  Paragraph,
  Bold,
  Italic,
  Underline,
  AlignLeft,
  AlignCenter,
  AlignRight,
  IndentLess,
  HangingLess,
  HangingMore,
  IndentMore,
  Spacing1,
  Spacing15,
  Spacing2,
  Bullets,
  Numbering,
  Highlight,
  Table,
  Equation,
};

// The picture at size x size pixels (a multiple of 8) over the background colour.
controls::TPixelBuffer DrawToolIcon(ToolIcon icon, int size, controls::TColor background);
// Draws the picture over what dst holds at (x, y), its smooth edges blended into it.
void BlendToolIcon(const controls::TPixelView& dst, int x, int y, ToolIcon icon, int size);
// The same picture faded to grey, for commands that cannot run.
controls::TPixelBuffer FadedIcon(const controls::TPixelBuffer& picture);
// Fades the pixels of area (clipped to the view) to grey in place.
void FadeArea(const controls::TPixelView& view, const controls::TPixelRect& area);

struct ImageListDeleter {
  void operator()(_IMAGELIST* list) const { ImageList_Destroy(list); }
};
using ImageListHandle = std::unique_ptr<_IMAGELIST, ImageListDeleter>;

// An image list of the pictures in order, on white; faded when disabled is set.
ImageListHandle MakeIconList(std::span<const ToolIcon> icons, int size, bool disabled);

}  // namespace writer
