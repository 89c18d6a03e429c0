#pragma once
// The page list's shared drawing resources: pens, brushes, fonts, pictures and rich-text
// controls, each kept once per distinct value with a reference count, so thousands of label
// objects that draw with one pen or one logo share a single entry. Objects refer to entries;
// the table owns them.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/VpNotify.h"
#include "engine/VpStream.h"

// The colour that means "no colour": a pen of it draws nothing, a brush of it paints nothing.
inline constexpr std::uint32_t kVpNoColor = 0x1FFFFFFF;
inline constexpr std::uint32_t kVpWhite = 0xFFFFFF;
inline constexpr std::uint32_t kVpSilver = 0xC0C0C0;

// Ordinals as stored; the same order as the platform's pen and brush styles.
enum TVpPenStyle : std::int32_t {
  vpPenSolid,
  vpPenDash,
  vpPenDot,
  vpPenDashDot,
  vpPenDashDotDot,
  vpPenClear,
  vpPenInsideFrame,
};
// Pen mix modes; 4 is plain copy.
enum TVpPenMode : std::int32_t { vpPenModeCopy = 4 };
enum TVpBrushStyle : std::int32_t {
  vpBrushSolid,
  vpBrushClear,
  vpBrushHorizontal,
  vpBrushVertical,
  vpBrushFDiagonal,
  vpBrushBDiagonal,
  vpBrushCross,
  vpBrushDiagCross,
};

enum TVpFontStyle : std::uint8_t {
  vpBold = 1,
  vpItalic = 2,
  vpUnderline = 4,
  vpStrikeOut = 8,
};

inline constexpr std::int32_t kVpDefaultCharset = 1;

struct TVpPen {
  std::int32_t Width = 0;  // in 1/288 inch
  std::uint32_t Color = 0;
  std::int32_t Style = vpPenSolid;
  std::int32_t Mode = 0;
  friend bool operator==(const TVpPen&, const TVpPen&) = default;
};

struct TVpBrush {
  std::uint32_t Color = kVpWhite;
  std::int32_t Style = vpBrushClear;
  friend bool operator==(const TVpBrush&, const TVpBrush&) = default;
};

struct TVpFont {
  std::int32_t Size = 12;  // points
  std::uint8_t Style = 0;  // TVpFontStyle bits
  long double Angle = 0;   // degrees, counter-clockwise
  std::uint32_t Color = 0;
  std::int32_t Charset = kVpDefaultCharset;
  std::string Name;  // compared case-sensitively
  friend bool operator==(const TVpFont&, const TVpFont&) = default;
};

// A picture as its own file bytes (a JPEG stream, an enhanced metafile, a device-independent
// bitmap file), so it is stored, compared and saved without a device.
enum class TVpPictureKind : std::uint8_t { Jpeg = 0, Metafile = 1, Bitmap = 2 };

struct TVpPicture {
  TVpPictureKind Kind = TVpPictureKind::Bitmap;
  std::string Bytes;
  std::int32_t Width = 0;  // pixels (metafiles: device pixels of their frame)
  std::int32_t Height = 0;
  // The bitmap's pixel-format ordinal (pf1bit 1, pf4bit 2, pf8bit 3, pf15bit 4, pf16bit 5,
  // pf24bit 6, pf32bit 7); 0 for the other kinds.
  std::int32_t PixelFormat = 0;
};

// Reads kind, size and pixel format from the bytes of a .bmp, .jpg or .emf file; throws
// EVpStreamError for bytes that are none of these or are cut short.
TVpPicture PictureFromFileBytes(std::string bytes);

// The rich-text block of a page draws through this seam; the rich-edit side implements it.
class TVpRichText {
 public:
  virtual ~TVpRichText() = default;
  virtual bool IsRich() const = 0;
  virtual std::string RtfText() const = 0;
};

// An owning list of distinct entries with their reference counts at the same index; every
// count is at least 1.
template <class Entry>
class TVpResourceList {
 public:
  int Count() const { return static_cast<int>(entries_.size()); }
  // nullptr for -1 or any index outside the list.
  const Entry* At(int index) const {
    return index >= 0 && index < Count() ? entries_[static_cast<std::size_t>(index)].get()
                                         : nullptr;
  }
  int IndexOf(const Entry* entry) const;
  int References(int index) const { return counts_.at(static_cast<std::size_t>(index)); }
  // Deletes the entry when its count is 1, else counts one reference less; an entry that is
  // not in the list is left alone.
  void Release(const Entry* entry);
  void Clear() {
    entries_.clear();
    counts_.clear();
  }

 protected:
  // The first entry for which same(entry) holds gets one more reference; otherwise a copy of
  // value is stored with count 1.
  const Entry* AddShared(const Entry& value, const std::function<bool(const Entry&)>& same);
  const Entry* Append(Entry value);

 private:
  std::vector<std::unique_ptr<Entry>> entries_;
  std::vector<int> counts_;
};

class TVpPenList : public TVpResourceList<TVpPen> {
 public:
  const TVpPen* Add(const TVpPen& pen);
  void SaveToStream(TVpMemoryStream& stream) const;
  // Adds what it reads to what the list holds.
  void LoadFromStream(TVpMemoryStream& stream);
};

class TVpBrushList : public TVpResourceList<TVpBrush> {
 public:
  const TVpBrush* Add(const TVpBrush& brush);
  void SaveToStream(TVpMemoryStream& stream) const;
  // Empties the list first.
  void LoadFromStream(TVpMemoryStream& stream);
};

class TVpFontList : public TVpResourceList<TVpFont> {
 public:
  const TVpFont* Add(const TVpFont& font);
  void SaveToStream(TVpMemoryStream& stream) const;
  // Empties the list first.
  void LoadFromStream(TVpMemoryStream& stream);
};

class TVpGraphicList : public TVpResourceList<TVpPicture> {
 public:
  bool CompareGraphics() const { return compare_; }
  void SetCompareGraphics(bool on) { compare_ = on; }
  // With CompareGraphics, an entry of the same size and bytes gets one more reference;
  // otherwise, or when there is none, a copy is stored.
  const TVpPicture* Add(const TVpPicture& picture);
  // The first entry with the same bytes, whatever CompareGraphics says; -1 when none.
  int IndexOfBytes(const TVpPicture& picture) const;
  void SaveToStream(TVpMemoryStream& stream) const;
  // Appends what it reads; entries of an unknown kind are skipped.
  void LoadFromStream(TVpMemoryStream& stream);

 private:
  bool compare_ = true;
};

class TVpCustomMemoList : public TVpResourceList<std::shared_ptr<TVpRichText>> {
 public:
  // Makes the control for a stored entry: rich is the stored flag, rtf the content.
  using Factory = std::function<std::shared_ptr<TVpRichText>(bool rich, const std::string& rtf)>;
  const std::shared_ptr<TVpRichText>* Add(std::shared_ptr<TVpRichText> control);
  void SaveToStream(TVpMemoryStream& stream) const;
  // Appends what it reads; without a factory the entries are read and skipped.
  void LoadFromStream(TVpMemoryStream& stream, const Factory& factory);
};

// The five lists, created in this order: brushes, fonts, pens, pictures, rich-text controls.
class TVpResourceTable {
 public:
  TVpBrushList Brushes;
  TVpFontList Fonts;
  TVpPenList Pens;
  TVpGraphicList Graphics;
  TVpCustomMemoList Memos;

  void Clear();
};
