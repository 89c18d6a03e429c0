#include "engine/VpResource.h"

#include <algorithm>

namespace {

std::int32_t ReadCount(TVpMemoryStream& stream, const char* what) {
  const std::int32_t count = stream.ReadInt32();
  if (count < 0)
    throw EVpStreamError(std::string("The stored ") + what + " list has a negative count.");
  return count;
}

// Style letters as stored: "b", "i", "u" in that order, comma-separated; strike-out is not kept.
std::string FontStyleLetters(std::uint8_t style) {
  std::string letters;
  const auto add = [&](std::uint8_t bit, char letter) {
    if (!(style & bit)) return;
    if (!letters.empty()) letters += ',';
    letters += letter;
  };
  add(vpBold, 'b');
  add(vpItalic, 'i');
  add(vpUnderline, 'u');
  return letters;
}

std::uint8_t FontStyleFromLetters(std::string_view letters) {
  std::uint8_t style = 0;
  if (letters.find('b') != std::string_view::npos) style |= vpBold;
  if (letters.find('i') != std::string_view::npos) style |= vpItalic;
  if (letters.find('u') != std::string_view::npos) style |= vpUnderline;
  return style;
}

std::uint32_t ReadColor(const TVpValueList& values, std::uint32_t fallback) {
  return static_cast<std::uint32_t>(values.ReadInteger("CL", static_cast<std::int32_t>(fallback)));
}

void WriteColor(TVpValueList& values, std::uint32_t color) {
  values.WriteInteger("CL", static_cast<std::int32_t>(color));
}

}  // namespace

template <class Entry>
int TVpResourceList<Entry>::IndexOf(const Entry* entry) const {
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].get() == entry) return static_cast<int>(i);
  return -1;
}

template <class Entry>
void TVpResourceList<Entry>::Release(const Entry* entry) {
  const int index = IndexOf(entry);
  if (index < 0) return;
  const auto at = static_cast<std::size_t>(index);
  if (counts_[at] > 1) {
    --counts_[at];
    return;
  }
  entries_.erase(entries_.begin() + index);
  counts_.erase(counts_.begin() + index);
}

template <class Entry>
const Entry* TVpResourceList<Entry>::AddShared(const Entry& value,
                                               const std::function<bool(const Entry&)>& same) {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (same(*entries_[i])) {
      ++counts_[i];
      return entries_[i].get();
    }
  }
  return Append(value);
}

template <class Entry>
const Entry* TVpResourceList<Entry>::Append(Entry value) {
  entries_.push_back(std::make_unique<Entry>(std::move(value)));
  counts_.push_back(1);
  return entries_.back().get();
}

template class TVpResourceList<TVpPen>;
template class TVpResourceList<TVpBrush>;
template class TVpResourceList<TVpFont>;
template class TVpResourceList<TVpPicture>;
template class TVpResourceList<std::shared_ptr<TVpRichText>>;

// Pens ---------------------------------------------------------------------------------------

const TVpPen* TVpPenList::Add(const TVpPen& pen) {
  return AddShared(pen, [&](const TVpPen& entry) { return entry == pen; });
}

void TVpPenList::SaveToStream(TVpMemoryStream& stream) const {
  stream.WriteInt32(Count());
  for (int i = 0; i < Count(); ++i) {
    const TVpPen& pen = *At(i);
    TVpValueList values;
    WriteColor(values, pen.Color);
    values.WriteInteger("SZ", pen.Width);
    values.WriteInteger("ST", pen.Style);
    values.WriteInteger("PM", pen.Mode);
    values.SaveToStream(stream);
  }
}

void TVpPenList::LoadFromStream(TVpMemoryStream& stream) {
  const std::int32_t count = ReadCount(stream, "pen");
  for (std::int32_t i = 0; i < count; ++i) {
    const TVpValueList values = TVpValueList::LoadFromStream(stream);
    TVpPen pen;
    pen.Color = ReadColor(values, 0);
    pen.Width = values.ReadInteger("SZ", 1);
    pen.Style = values.ReadInteger("ST", vpPenSolid);
    pen.Mode = values.ReadInteger("PM", vpPenModeCopy);
    Add(pen);
  }
}

// Brushes ------------------------------------------------------------------------------------

const TVpBrush* TVpBrushList::Add(const TVpBrush& brush) {
  return AddShared(brush, [&](const TVpBrush& entry) { return entry == brush; });
}

void TVpBrushList::SaveToStream(TVpMemoryStream& stream) const {
  stream.WriteInt32(Count());
  for (int i = 0; i < Count(); ++i) {
    TVpValueList values;
    WriteColor(values, At(i)->Color);
    values.WriteInteger("ST", At(i)->Style);
    values.SaveToStream(stream);
  }
}

void TVpBrushList::LoadFromStream(TVpMemoryStream& stream) {
  Clear();
  const std::int32_t count = ReadCount(stream, "brush");
  for (std::int32_t i = 0; i < count; ++i) {
    const TVpValueList values = TVpValueList::LoadFromStream(stream);
    TVpBrush brush;
    brush.Color = ReadColor(values, kVpWhite);
    brush.Style = values.ReadInteger("ST", 0);
    Add(brush);
  }
}

// Fonts --------------------------------------------------------------------------------------

const TVpFont* TVpFontList::Add(const TVpFont& font) {
  return AddShared(font, [&](const TVpFont& entry) { return entry == font; });
}

void TVpFontList::SaveToStream(TVpMemoryStream& stream) const {
  stream.WriteInt32(Count());
  for (int i = 0; i < Count(); ++i) {
    const TVpFont& font = *At(i);
    TVpValueList values;
    WriteColor(values, font.Color);
    values.WriteText("ST", FontStyleLetters(font.Style));
    values.WriteFloat("FA", font.Angle);
    values.WriteInteger("SZ", font.Size);
    values.WriteInteger("CS", font.Charset);
    values.WriteText("FN", font.Name);
    values.SaveToStream(stream);
  }
}

void TVpFontList::LoadFromStream(TVpMemoryStream& stream) {
  Clear();
  const std::int32_t count = ReadCount(stream, "font");
  for (std::int32_t i = 0; i < count; ++i) {
    const TVpValueList values = TVpValueList::LoadFromStream(stream);
    TVpFont font;
    font.Color = ReadColor(values, kVpWhite);
    font.Style = FontStyleFromLetters(values.ReadText("ST", ""));
    // A font needs a face; an empty name reads as the default one, as an absent name does.
    font.Name = values.ReadText("FN", "");
    if (font.Name.empty()) font.Name = "Arial";
    font.Size = values.ReadInteger("SZ", 10);
    font.Angle = values.ReadFloat("FA", 0);
    font.Charset = values.ReadInteger("CS", kVpDefaultCharset);
    Add(font);
  }
}

// Pictures -----------------------------------------------------------------------------------

const TVpPicture* TVpGraphicList::Add(const TVpPicture& picture) {
  if (!compare_) return Append(picture);
  return AddShared(picture, [&](const TVpPicture& entry) {
    return entry.Width == picture.Width && entry.Height == picture.Height &&
           entry.Bytes == picture.Bytes;
  });
}

int TVpGraphicList::IndexOfBytes(const TVpPicture& picture) const {
  for (int i = 0; i < Count(); ++i)
    if (At(i)->Bytes == picture.Bytes) return i;
  return -1;
}

void TVpGraphicList::SaveToStream(TVpMemoryStream& stream) const {
  stream.WriteInt32(Count());
  for (int i = 0; i < Count(); ++i) {
    stream.WriteByte(static_cast<std::uint8_t>(At(i)->Kind));
    const std::size_t endField = stream.Position();
    stream.WriteInt32(0);
    stream.Write(At(i)->Bytes);
    // The end position lets a reader skip an entry it cannot read without losing its place.
    stream.PatchInt32(endField, static_cast<std::int32_t>(stream.Size()));
    stream.Seek(stream.Size());
  }
}

void TVpGraphicList::LoadFromStream(TVpMemoryStream& stream) {
  const std::int32_t count = ReadCount(stream, "picture");
  for (std::int32_t i = 0; i < count; ++i) {
    const std::uint8_t kind = stream.ReadByte();
    const std::int32_t end = stream.ReadInt32();
    if (end < 0 || static_cast<std::size_t>(end) < stream.Position() ||
        static_cast<std::size_t>(end) > stream.Size())
      throw EVpStreamError("A stored picture ends outside the stream.");
    const std::size_t length = static_cast<std::size_t>(end) - stream.Position();
    if (kind > static_cast<std::uint8_t>(TVpPictureKind::Bitmap)) {
      stream.Seek(static_cast<std::size_t>(end));
      continue;
    }
    TVpPicture picture = PictureFromFileBytes(stream.Read(length));
    if (picture.Kind != static_cast<TVpPictureKind>(kind))
      throw EVpStreamError("A stored picture is not of the kind its entry names.");
    Append(std::move(picture));
  }
}

// Rich-text controls -------------------------------------------------------------------------

const std::shared_ptr<TVpRichText>* TVpCustomMemoList::Add(std::shared_ptr<TVpRichText> control) {
  return AddShared(control,
                   [&](const std::shared_ptr<TVpRichText>& entry) { return entry == control; });
}

void TVpCustomMemoList::SaveToStream(TVpMemoryStream& stream) const {
  stream.WriteInt32(Count());
  for (int i = 0; i < Count(); ++i) {
    const TVpRichText& control = **At(i);
    stream.WriteInt32(control.IsRich() ? 1 : 0);
    WriteBlock(stream, control.RtfText());
  }
}

void TVpCustomMemoList::LoadFromStream(TVpMemoryStream& stream, const Factory& factory) {
  const std::int32_t count = ReadCount(stream, "rich text");
  for (std::int32_t i = 0; i < count; ++i) {
    const bool rich = stream.ReadInt32() == 1;
    const std::string rtf = ReadBlock(stream);
    if (!factory) continue;
    if (std::shared_ptr<TVpRichText> control = factory(rich, rtf)) Append(std::move(control));
  }
}

void TVpResourceTable::Clear() {
  Brushes.Clear();
  Fonts.Clear();
  Pens.Clear();
  Graphics.Clear();
  Memos.Clear();
}
