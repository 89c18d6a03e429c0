#pragma once
// Text for a printer, held back until the end of a drawing pass and then drawn face by face.
// A PostScript driver keeps only a couple of downloaded fonts at a time: text that alternates
// between more faces (two families with bold and italic words) makes it send each font again
// at every change, several times a page.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace richedit {

class FontGroupedText {
 public:
  // Text is held back only when asked (for printers); otherwise it is drawn at once.
  FontGroupedText(HDC dc, bool holdBack) : dc_(dc), holdBack_(holdBack) {}
  ~FontGroupedText() { Flush(); }
  FontGroupedText(const FontGroupedText&) = delete;
  FontGroupedText& operator=(const FontGroupedText&) = delete;

  // ExtTextOutW at (x, y) with the given font, colour and advances (dx may be null); the font
  // must stay alive until Flush. Characters are UTF-16.
  void Draw(HFONT font, COLORREF color, int x, int y, std::u16string_view text, const INT* dx);
  // Draws what was held back: the faces in the order they first came, each face's runs in
  // their own order.
  void Flush();

 private:
  struct Run {
    HFONT font;
    COLORREF color;
    int x;
    int y;
    std::u16string text;
    std::vector<INT> dx;
  };
  void drawNow(HFONT font, COLORREF color, int x, int y, std::u16string_view text,
               const INT* dx) const;

  HDC dc_;
  bool holdBack_;
  std::vector<Run> runs_;
};

}  // namespace richedit
