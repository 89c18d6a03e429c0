#pragma once
// An embedded picture: its original bytes, untouched, and the sizes RTF records for it.
#include <cstdint>
#include <string>

namespace richedit {

enum class PictureKind : std::uint8_t {
  Emf,  // enhanced metafile
  Wmf,  // Windows metafile without its placeable header
  Dib,  // packed device-independent bitmap (BITMAPINFO and bits, no file header)
  Png,
  Jpeg,
};

struct Picture {
  PictureKind kind = PictureKind::Emf;
  std::string data;             // the picture's bytes exactly as stored
  std::int32_t width = 0;       // \picw: pixels for bitmaps, 0.01 mm for metafiles
  std::int32_t height = 0;      // \pich
  std::int32_t goalWidth = 0;   // \picwgoal, twips (0: not given)
  std::int32_t goalHeight = 0;  // \pichgoal, twips
  std::int32_t scaleX = 100;    // \picscalex, percent
  std::int32_t scaleY = 100;    // \picscaley, percent
  std::int32_t mapMode = 8;     // \wmetafileN (metafiles only; 8 is MM_ANISOTROPIC)

  friend bool operator==(const Picture&, const Picture&) = default;
};

}  // namespace richedit
