#include "writer/CompressedRichTextFiles.h"

#include <richedit.h>

#include "platform/Application.h"
#include "platform/HourglassCursor.h"
#include "platform/WholeFile.h"
#include "writer/CompressedRichText.h"
#include "writer/EditorStreams.h"
#include "writer/FileStreams.h"

namespace {

std::string Compress(RestartableSource& source) {
  StringSink compressed;
  RichTextCompressor compressor(compressed);
  std::string block(kCompressedBlockSize, '\0');
  while (const std::size_t n = source.read(block.data(), block.size()))
    compressor.write(block.data(), n);
  compressor.finish();
  return std::move(compressed.bytes);
}

// Redrawing stays off while the control loads and comes back, with a repaint, however the
// load ends; then the messages the load held up run.
class RedrawSuspended {
 public:
  explicit RedrawSuspended(HWND window) : window_(window) {
    SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
  }
  ~RedrawSuspended() {
    SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    Application::Get().ProcessMessages();
  }
  RedrawSuspended(const RedrawSuspended&) = delete;
  RedrawSuspended& operator=(const RedrawSuspended&) = delete;

 private:
  HWND window_;
};

}  // namespace

void SaveCompressedRichText(HWND editor, const std::wstring& path) {
  Application::Get().ProcessMessages();
  {
    HourglassCursor hourglass;
    const TemporaryFile rtf(path + L".tmp");
    {
      FileSink sink(rtf.path());
      StreamOut(editor, SF_RTF, sink);
      sink.close();
    }
    std::string compressed;
    {
      FileSource source(rtf.path());
      compressed = Compress(source);
    }
    ReplaceFileContents(path, compressed);
  }
  Application::Get().ProcessMessages();
}

void LoadCompressedRichText(HWND editor, const std::wstring& path) {
  HourglassCursor hourglass;
  Application::Get().ProcessMessages();
  const RedrawSuspended noRedraw(editor);
  FileSource file(path);
  DecompressingReader reader(file);
  StreamInWithFallback(editor, reader, SF_RTF, SF_TEXT);
}
