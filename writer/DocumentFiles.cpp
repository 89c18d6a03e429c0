#include "writer/DocumentFiles.h"

#include <richedit.h>

#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/HourglassCursor.h"
#include "platform/PathText.h"
#include "platform/WholeFile.h"
#include "writer/CompressedRichTextFiles.h"
#include "writer/DocumentFilesContent.h"
#include "writer/EditorStreams.h"

namespace {

const wchar_t kSaveFilter[] =
    L"Rich Text Format (*.rtf)|*.rtf|Rich Text Compressed (*.rtc)|*.rtc|Word 97-2003 & 6.0/95 - "
    L"RTF (*.doc)|*.doc|Portable Document Format (*.pdf)|*.pdf|Ombrel Presentation Format "
    L"(*.ovx)|*.ovx|Plain Text ANSI (*.txt)|*.txt";
const wchar_t kOpenFilter[] =
    L"Rich Text Format (*.rtf)|*.rtf|Rich Text Compressed (*.rtc)|*.rtc|Word 97-2003 & 6.0/95 - "
    L"RTF (*.doc)|*.doc|Plain Text ANSI (*.txt)|*.txt|All Files (*.*)|*.*";

FileDialogRequest SaveRequest(const std::wstring& fileName, const std::wstring& folder) {
  FileDialogRequest request;
  request.filter = kSaveFilter;
  request.defaultExt = L"rtf";
  request.fileName = fileName;
  request.initialDir = folder;
  return request;
}

FileDialogRequest OpenRequest() {
  FileDialogRequest request;
  request.title = L"Open Document";
  request.filter = kOpenFilter;
  request.defaultExt = L"rtf";
  return request;
}

void RefuseUnsavable(const std::wstring& path, const DocumentHost& host) {
  if (const std::string reason = UnsavableNameReason(path); !reason.empty()) throw EError(reason);
  const DocumentKind kind = DocumentKindOf(path);
  if (IsExportKind(kind) && !host.CanExport(kind)) {
    throw EError(kind == DocumentKind::Pdf ? "Export to PDF is not available yet."
                                           : "Export to presentation files is not available yet.");
  }
}

bool IsExistingFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

UINT FlagsFor(StreamFormat format, StreamMode mode) {
  if (format == StreamFormat::sfRichText) return SF_RTF;
  return SF_TEXT | (mode == StreamMode::smUnicode ? SF_UNICODE : 0);
}

// The retry after a failed load: the other format, as 8-bit text when that is text.
UINT OtherFormat(StreamFormat format) {
  return format == StreamFormat::sfRichText ? SF_TEXT : SF_RTF;
}

// Runs the command and gives the Editor the focus however it ends.
template <typename F>
auto FocusingAfter(DocumentHost& host, F&& command) {
  try {
    auto result = command();
    host.FocusEditor();
    return result;
  } catch (...) {
    host.FocusEditor();
    throw;
  }
}

}  // namespace

bool DocumentFiles::Modified() const { return SendMessageW(editor_, EM_GETMODIFY, 0, 0) != 0; }

void DocumentFiles::SetModifiedState(bool modified) {
  SendMessageW(editor_, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
  host_.SetModifiedPanel(modified ? L"Modified" : L"");
}

void DocumentFiles::SetNamed(const std::wstring& path) {
  documentName_ = path;
  host_.SetCaption(DocumentCaption(path));
}

void DocumentFiles::SetUntitled() {
  documentName_ = kUntitledDocument;
  host_.SetCaption(kProgramCaption);
}

void DocumentFiles::ResetEditor() {
  ClearEditor(editor_);
  SendMessageW(editor_, EM_SETTYPOGRAPHYOPTIONS, TO_ADVANCEDTYPOGRAPHY, TO_ADVANCEDTYPOGRAPHY);
}

void DocumentFiles::SetMode(bool plain) {
  SetPlainTextMode(editor_, plain);
  streamFormat_ = plain ? StreamFormat::sfPlainText : StreamFormat::sfRichText;
  streamMode_ = plain ? StreamMode::smNone : StreamMode::smUnicode;
}

void DocumentFiles::AfterLoadOrSave(bool documentStored) {
  host_.ApplyZoom();
  // An export stores no document: its changes still need saving. Keys typed ahead and handled
  // while pending messages run change the document after it was stored: they keep the flag.
  if (documentStored) SendMessageW(editor_, EM_SETMODIFY, FALSE, 0);
  host_.ProcessMessages();
  if (documentStored) SetModifiedState(Modified());
  host_.FocusEditor();
  if (documentStored) host_.SetApplicationTitle(FileNamePart(documentName_));
}

void DocumentFiles::OpenDocumentFile(const std::wstring& path) {
  const DocumentKind kind = DocumentKindOf(path);
  // A binary file is never taken for text: refused before anything changes, the current
  // document and its name stay. (A file that cannot be read fails in the load below, as ever.)
  std::optional<std::string> bytes;
  if (kind != DocumentKind::CompressedRichText) {
    try {
      bytes = ReadFileIfExists(path);
    } catch (const EError&) {
    }
    if (bytes) {
      if (const std::string refusal = BinaryContentRefusal(*bytes); !refusal.empty())
        throw EError(refusal);
    }
  }
  SetNamed(path);
  ResetEditor();
  try {
    Load(kind, path, bytes);
  } catch (...) {
    // An empty document under the file's name would overwrite the file on the next Save.
    ResetEditor();
    SetUntitled();
    SetModifiedState(false);
    throw;
  }
  AfterLoadOrSave(true);
}

void DocumentFiles::Load(DocumentKind kind, const std::wstring& path,
                         const std::optional<std::string>& alreadyRead) {
  // Unknown extensions (All Files in the Open dialog) load as rich text too.
  SetMode(kind == DocumentKind::PlainText);
  if (kind == DocumentKind::CompressedRichText) {
    LoadCompressedRichText(editor_, path);
    return;
  }
  std::string readHere;
  const std::string& bytes = alreadyRead ? *alreadyRead : (readHere = ReadWholeFile(path));
  BytesSource source(bytes);
  StreamInWithFallback(editor_, source, FlagsFor(streamFormat_, streamMode_),
                       OtherFormat(streamFormat_));
}

void DocumentFiles::SaveDocumentFile(const std::wstring& path) {
  RefuseUnsavable(path, host_);
  const DocumentKind kind = DocumentKindOf(path);
  Write(kind, path);
  if (!IsExportKind(kind)) SetNamed(path);
  AfterLoadOrSave(!IsExportKind(kind));
}

void DocumentFiles::Write(DocumentKind kind, const std::wstring& path) {
  const bool plain = kind == DocumentKind::PlainText;
  if (IsExportKind(kind)) {
    SetMode(false);
    host_.Export(kind, path);
    return;
  }
  // The mode changes only after the file is written, so a failed save keeps the formatting.
  if (kind == DocumentKind::CompressedRichText) {
    SaveCompressedRichText(editor_, path);
  } else {
    const UINT flags = plain ? SF_TEXT : SF_RTF;
    ReplaceFileContents(path, StreamOutToString(editor_, flags));
  }
  SetMode(plain);
}

bool DocumentFiles::ConfirmSaveChanges() {
  if (!Modified()) return true;
  return FocusingAfter(host_, [&] {
    switch (ConfirmYesNoCancel(SaveChangesPrompt(documentName_))) {
      case DialogAnswer::Yes: return Save();
      case DialogAnswer::No: return true;
      default: return false;
    }
  });
}

void DocumentFiles::New() {
  if (!ConfirmSaveChanges()) return;
  SetUntitled();
  ResetEditor();
  SetMode(false);
  SetModifiedState(false);
}

void DocumentFiles::Open() {
  if (!ConfirmSaveChanges()) return;
  const std::optional<FileDialogResult> picked = OpenFileDialog(OpenRequest());
  if (!picked) return;
  // Recorded first, as the user chose it: opening lets waiting messages run, and a command
  // among them must find the history in the order of the choices.
  host_.RecordInHistory(picked->path, HistoryKind::Opened);
  HourglassCursor hourglass;
  OpenDocumentFile(picked->path);
}

bool DocumentFiles::Save() {
  if (documentName_ != kUntitledDocument) {
    HourglassCursor hourglass;
    SaveDocumentFile(documentName_);
    return true;
  }
  const std::optional<FileDialogResult> picked =
      SaveFileDialog(SaveRequest(kUntitledDocument, std::wstring()));
  if (!picked) return false;
  {
    HourglassCursor hourglass;
    SaveDocumentFile(picked->path);
  }
  // An export name becomes the name too: the next Save exports again.
  documentName_ = picked->path;
  if (!IsExportKind(DocumentKindOf(picked->path)))
    host_.RecordInHistory(picked->path, HistoryKind::Saved);
  return true;
}

void DocumentFiles::SaveAs() {
  const std::optional<FileDialogResult> picked =
      SaveFileDialog(SaveRequest(SuggestedSaveName(documentName_), FolderOfPath(documentName_)));
  if (!picked) return;
  {
    HourglassCursor hourglass;
    SaveDocumentFile(picked->path);
  }
  if (!IsExportKind(DocumentKindOf(picked->path)))
    host_.RecordInHistory(picked->path, HistoryKind::Saved);
}

void DocumentFiles::OpenLastActiveDocument() {
  if (GetWindowTextLengthW(editor_) > 0 && Modified()) {
    const DialogAnswer answer = ConfirmYesNoCancel(L"Save current document?");
    if (answer == DialogAnswer::Cancel) return;
    if (answer == DialogAnswer::Yes && !Save()) return;
  }
  const std::optional<std::wstring> last = host_.FirstHistoryRow();
  if (!last) {
    ShowInformation(L"Document History List is Empty.");
    return;
  }
  if (!IsExistingFile(*last)) {
    ShowInformation(L"Document does not exist or has been deleted.");
    return;
  }
  HourglassCursor hourglass;
  OpenDocumentFile(*last);
}
