#pragma once
// Document names and the file kinds their extensions stand for. No Windows API, so the rules
// are tested in both trees.
#include <string>

inline constexpr wchar_t kUntitledDocument[] = L"Untitled Document";
inline constexpr wchar_t kProgramCaption[] = L"Ombrel Tessary Express";

enum class DocumentKind { RichText, CompressedRichText, PlainText, Pdf, Presentation, Unknown };

// The name after the last folder separator.
std::wstring FileNamePart(const std::wstring& path);
// From the last "." of the file-name part to its end, dot included; empty without a dot.
std::wstring ExtensionOf(const std::wstring& path);
// By extension, regardless of letter case: ".rtf" and ".doc" are rich text.
DocumentKind DocumentKindOf(const std::wstring& path);
inline bool IsExportKind(DocumentKind kind) {
  return kind == DocumentKind::Pdf || kind == DocumentKind::Presentation;
}

// "Ombrel Tessary Express >>  [path]".
std::wstring DocumentCaption(const std::wstring& path);
// What Save As offers: the file-name part without its extension.
std::wstring SuggestedSaveName(const std::wstring& documentName);
// The save-changes question for the document.
std::wstring SaveChangesPrompt(const std::wstring& documentName);
// Why a document cannot be saved under this name (UTF-8, a sentence), or empty when it can.
std::string UnsavableNameReason(const std::wstring& path);
