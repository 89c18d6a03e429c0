#pragma once
// The document's exports: to PDF (each page a picture) and to a presentation file (an animated
// GIF, a frame a page). Both lay the editor's document out page by page, show their progress,
// and write the target only once it is complete, replacing an old file in one step; after a
// failure the old file is as it was and nothing is left beside it.
#include <windows.h>

#include <functional>
#include <string>

class TfrmExport;
class TfrmPresentation;

namespace writer {

struct ExportContext {
  HWND editor = nullptr;
  HWND owner = nullptr;  // the main window
  TfrmExport* progress = nullptr;
  std::function<void()> processMessages;
};

// title: the PDF's title (the file's name, as the save dialog gave it).
void ExportToPdf(const ExportContext& context, const std::wstring& path, const std::wstring& title);
void ExportPresentation(const ExportContext& context, TfrmPresentation& options,
                        const std::wstring& path);

}  // namespace writer
