#pragma once
// The paging loop both exports share: the rich-edit control lays the document out page by
// page (EM_FORMATRANGE) into page pictures at the screen's resolution.
#include <windows.h>

#include <functional>

#include "writer/export/PresentationShapes.h"
#include "writer/export/RgbImage.h"

namespace writer {

struct ScreenResolution {
  int x = 96;  // logical pixels per inch
  int y = 96;
};
ScreenResolution CurrentScreenResolution();

// The control's rendering rectangle in twips for a page shape: the text area's pixels at the
// resolution.
RECT RenderingRectangle(const PageShape& shape, ScreenResolution resolution);

struct PagingSteps {
  // Draws on a fresh white page before the text (the presentation's frame); may be empty.
  std::function<void(HDC, const PageShape&)> decorate;
  // Takes each finished page; percent is how much of the document is done.
  std::function<void(const RgbImage& page, int percent)> page;
  // Lets pending window messages run.
  std::function<void()> processMessages;
};

// Renders every page of the editor's document; an empty document gives one blank page. Throws
// EError when the control places no character on a page (the document would never end).
// The control's paging information is released however it ends.
void RenderDocumentPages(HWND editor, const PageShape& shape, ScreenResolution resolution,
                         const PagingSteps& steps);

}  // namespace writer
