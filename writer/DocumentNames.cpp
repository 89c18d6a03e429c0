#include "writer/DocumentNames.h"

#include <algorithm>
#include <cwctype>

namespace {

std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  return text;
}

std::string Ascii(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

}  // namespace

std::wstring FileNamePart(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/:");
  return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

std::wstring ExtensionOf(const std::wstring& path) {
  const std::wstring name = FileNamePart(path);
  const std::size_t dot = name.rfind(L'.');
  return dot == std::wstring::npos ? std::wstring() : name.substr(dot);
}

DocumentKind DocumentKindOf(const std::wstring& path) {
  const std::wstring extension = Lower(ExtensionOf(path));
  if (extension == L".rtf" || extension == L".doc") return DocumentKind::RichText;
  if (extension == L".rtc") return DocumentKind::CompressedRichText;
  if (extension == L".txt") return DocumentKind::PlainText;
  if (extension == L".pdf") return DocumentKind::Pdf;
  if (extension == L".ovx") return DocumentKind::Presentation;
  return DocumentKind::Unknown;
}

std::wstring DocumentCaption(const std::wstring& path) {
  return std::wstring(kProgramCaption) + L" >>  [" + path + L"]";
}

std::wstring SuggestedSaveName(const std::wstring& documentName) {
  const std::wstring name = FileNamePart(documentName);
  return name.substr(0, name.size() - ExtensionOf(name).size());
}

std::wstring SaveChangesPrompt(const std::wstring& documentName) {
  // Formatted from "Save changes to %s?" with the name in blanks and brackets.
  return L"Save changes to  [" + FileNamePart(documentName) + L"] ?";
}

std::string UnsavableNameReason(const std::wstring& path) {
  if (DocumentKindOf(path) != DocumentKind::Unknown) return {};
  const std::wstring extension = ExtensionOf(path);
  const std::string what =
      extension.empty() ? "files without an extension" : "\"" + Ascii(extension) + "\" files";
  return "Tessary cannot save documents as " + what +
         ". Choose Rich Text Format, Rich Text Compressed, Word 97-2003 & 6.0/95 - RTF or Plain "
         "Text ANSI.";
}
