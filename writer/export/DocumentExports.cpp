#include "writer/export/DocumentExports.h"

#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/GdiHandles.h"
#include "platform/HourglassCursor.h"
#include "platform/WholeFile.h"
#include "writer/export/ExportProgress.h"
#include "writer/export/GifWriter.h"
#include "writer/export/MakerTexts.h"
#include "writer/export/PageRendering.h"
#include "writer/export/PdfWriter.h"
#include "writer/export/PresentationOptions.h"

namespace writer {

namespace {

// The progress window, shown for the export's length.
class ProgressShown {
 public:
  explicit ProgressShown(const ExportContext& context) : context_(context) {
    context_.progress->ShowCentredOn(context_.owner);
    context_.processMessages();
  }
  ~ProgressShown() {
    context_.progress->Close();
    context_.processMessages();
  }
  ProgressShown(const ProgressShown&) = delete;
  ProgressShown& operator=(const ProgressShown&) = delete;

  void Show(int percent) {
    context_.progress->SetProgress(percent);
    context_.processMessages();
  }

 private:
  const ExportContext& context_;
};

// The presentation's frame: a broad rectangle and a rounded one inside its line.
void DrawPageFrame(HDC dc, const PageShape& shape, COLORREF colour) {
  Selection brush(dc, GetStockObject(WHITE_BRUSH));
  {
    PenHandle broad(CreatePen(PS_SOLID, 8, colour));
    Selection pen(dc, broad.get());
    Rectangle(dc, 0, 0, shape.width, shape.height);
  }
  PenHandle narrow(CreatePen(PS_SOLID, 5, colour));
  Selection pen(dc, narrow.get());
  RoundRect(dc, 0, 0, shape.width, shape.height, 30, 30);
}

}  // namespace

void ExportToPdf(const ExportContext& context, const std::wstring& path,
                 const std::wstring& title) {
  {
    HourglassCursor hourglass;
    ProgressShown progress(context);
    const ScreenResolution resolution = CurrentScreenResolution();
    TPrintPDF1 pdf;
    pdf.TITLE = Utf8FromWide(title);
    pdf.Keywords = kPdfKeywords;
    pdf.Subject = kPdfSubject;
    pdf.Producer = kPdfProducer;
    pdf.Author = kPdfAuthor;
    pdf.Creator = kPdfCreator;
    pdf.PageWidth = 596;
    pdf.PageHeight = 842;
    pdf.Compress = true;
    pdf.PixelsPerInchX = resolution.x;
    pdf.PixelsPerInchY = resolution.y;
    pdf.BeginDoc();
    bool firstPage = true;
    PagingSteps steps;
    steps.processMessages = context.processMessages;
    steps.page = [&](const RgbImage& page, int percent) {
      if (!firstPage) pdf.NewPage();
      firstPage = false;
      pdf.DrawBitmap(25, 20, page);
      progress.Show(percent);
    };
    RenderDocumentPages(context.editor, kPdfPageShape, resolution, steps);
    ReplaceFileContents(path, pdf.EndDoc());
  }
  ShowInformation(L"Document succesfully exported to PDF format.");
}

void ExportPresentation(const ExportContext& context, TfrmPresentation& options,
                        const std::wstring& path) {
  {
    HourglassCursor hourglass;
    options.CenterOn(context.owner);
    options.ShowModal();  // its only way out is "Save": the export goes on
    const PageShape shape = options.Shape();
    ProgressShown progress(context);
    const std::uint16_t delay = options.Delay();
    TGIFImage gif;
    for (const char* line : kPresentationComments) gif.Comments.emplace_back(line);
    gif.BackgroundColor = {255, 255, 255};
    gif.Looping = true;
    gif.RepeatCount = 0;
    PagingSteps steps;
    steps.processMessages = context.processMessages;
    if (options.FramePages()) {
      const COLORREF colour = options.FrameColour();
      steps.decorate = [colour](HDC dc, const PageShape& s) { DrawPageFrame(dc, s, colour); };
    }
    steps.page = [&](const RgbImage& page, int percent) {
      gif.SetDelay(gif.AddFrame(page), delay);
      progress.Show(percent);
    };
    RenderDocumentPages(context.editor, shape, CurrentScreenResolution(), steps);
    ReplaceFileContents(path, gif.SaveToBytes());
  }
  ShowInformation(L"Document Succesfully Exported to Ombrel Presentation File Format.");
}

}  // namespace writer
