#pragma once
// TPrintPDF1: a PDF 1.4 file whose pages carry pictures and nothing else. The whole file is
// assembled in memory; EndDoc hands back its bytes and the caller stores them, so that a file
// on disk is only ever replaced by a complete document.
#include <cstddef>
#include <string>
#include <vector>

#include "writer/export/OrderedWork.h"
#include "writer/export/RgbImage.h"

namespace writer {

class TPrintPDF1 {
 public:
  // Information values, as UTF-8.
  std::string TITLE;
  std::string Author = kMaker;
  std::string Creator = kMaker;
  std::string Producer = kMaker;
  std::string Keywords;
  std::string Subject;
  int PageWidth = 612;  // points
  int PageHeight = 792;
  bool Compress = true;
  // The resolution the pictures were drawn at (the screen's logical pixels per inch): it
  // decides how large a picture stands on the page.
  int PixelsPerInchX = 96;
  int PixelsPerInchY = 96;

  static constexpr const char* kMaker = "Tessary PDF writer by Ombrel Software";

  int PageNumber() const { return pageNumber_; }

  // Starts a document with its first page open.
  void BeginDoc();
  // Places the picture with its top left corner x, y points from the page's left and top.
  void DrawBitmap(int x, int y, const RgbImage& picture);
  void NewPage();
  // Writes the remaining objects, the cross-reference table and the trailer; the result
  // stays readable through Output() until the next BeginDoc.
  const std::string& EndDoc();
  const std::string& Output() const { return output_; }

 private:
  void AppendObject(const std::string& object);
  void OpenContentStream();
  void CloseContentStream();
  std::string InformationDictionary() const;

  std::string output_;
  std::string object_;   // the open content stream's object so far
  std::string content_;  // its operators, not yet compressed
  std::size_t headerLength_ = 0;
  std::vector<std::size_t> offsets_;  // of objects 1, 2, ... in number order
  std::vector<int> contentNumbers_;
  // Each image object without its number line, deflated on another thread.
  OrderedWork<std::string> images_;
  int objectCount_ = 0;
  int pageNumber_ = 0;
};

// A text as the value of a PDF literal string, parentheses included: plain ASCII as it is,
// anything else as UTF-16 with a byte-order mark; backslashes, parentheses and carriage
// returns escaped.
std::string PdfLiteralString(const std::string& utf8);

// The bytes deflated as one zlib stream at zlib's default level. Throws EError ("error") when
// zlib fails.
std::string DeflateBytes(const void* data, std::size_t size);

}  // namespace writer
