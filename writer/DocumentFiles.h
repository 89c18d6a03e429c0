#pragma once
// The document between the editor control and files: its name and the window title, load and
// save by extension, the rich and plain text modes, the New, Open, Save and Save As commands,
// the modified flag with its save-changes prompt, and Open Last Active Document.
#include <windows.h>

#include <optional>
#include <string>

#include "writer/DocumentNames.h"

enum class StreamFormat { sfRichText, sfPlainText };
enum class StreamMode { smNone, smUnicode };
enum class HistoryKind { Opened, Saved };

// What the main window provides to the file commands.
class DocumentHost {
 public:
  virtual ~DocumentHost() = default;
  virtual void SetCaption(const std::wstring& caption) = 0;
  virtual void SetApplicationTitle(const std::wstring& title) = 0;
  virtual void SetModifiedPanel(const std::wstring& text) = 0;  // status panel 2
  virtual void ApplyZoom() = 0;
  virtual void FocusEditor() = 0;
  virtual void ProcessMessages() = 0;
  virtual void RecordInHistory(const std::wstring& path, HistoryKind kind) = 0;
  // The first row the history window's list shows, if any.
  virtual std::optional<std::wstring> FirstHistoryRow() = 0;
  // The PDF and presentation exports (kind Pdf or Presentation). Until a window offers one,
  // saving under its extension is refused and changes nothing.
  virtual bool CanExport(DocumentKind kind) const {
    (void)kind;
    return false;
  }
  virtual void Export(DocumentKind kind, const std::wstring& path) {
    (void)kind;
    (void)path;
  }
};

class DocumentFiles {
 public:
  DocumentFiles(HWND editor, DocumentHost& host) : editor_(editor), host_(host) {}

  const std::wstring& DocumentName() const { return documentName_; }
  StreamFormat CurrentStreamFormat() const { return streamFormat_; }
  StreamMode CurrentStreamMode() const { return streamMode_; }
  bool Modified() const;

  // Failures throw EError for the application's general handler. A binary file (a Word
  // document in binary format, an Office Open XML package, a PDF, NUL bytes in its first
  // block) is refused with a sentence naming what it is, leaving the document and its name as
  // they were. Any other failed open leaves an empty untitled document; a failed or refused save
  // leaves the file, the name, the mode and the modified flag as they were. An export keeps the
  // name, title and modified flag.
  void OpenDocumentFile(const std::wstring& path);
  void SaveDocumentFile(const std::wstring& path);
  // False when the user chose Cancel (or cancelled the Save dialog that Yes opened): the
  // caller abandons its command.
  [[nodiscard]] bool ConfirmSaveChanges();
  void SetModifiedState(bool modified);

  void New();
  void Open();
  // False when the user cancelled the Save dialog.
  bool Save();
  void SaveAs();
  void OpenLastActiveDocument();

 private:
  void SetNamed(const std::wstring& path);
  void SetUntitled();
  void ResetEditor();
  void SetMode(bool plain);
  // alreadyRead: the file's bytes when the caller has read them.
  void Load(DocumentKind kind, const std::wstring& path,
            const std::optional<std::string>& alreadyRead = std::nullopt);
  void Write(DocumentKind kind, const std::wstring& path);
  void AfterLoadOrSave(bool documentStored);

  HWND editor_;
  DocumentHost& host_;
  std::wstring documentName_ = kUntitledDocument;
  StreamFormat streamFormat_ = StreamFormat::sfRichText;
  StreamMode streamMode_ = StreamMode::smUnicode;
};
