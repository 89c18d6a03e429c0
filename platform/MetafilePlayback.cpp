#include "platform/MetafilePlayback.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/GdiHandles.h"

namespace {

// Where the context puts logical units on the device, when it only scales and moves them:
// device = scale * logical + offset on each axis, both scales positive.
struct AxisScale {
  double sx = 1, sy = 1, ox = 0, oy = 0;

  bool Isotropic() const { return std::abs(sx - sy) <= 0.005 * std::max(sx, sy); }
};

// The world transform and the mapping mode together.
std::optional<AxisScale> DeviceScale(HDC dc) {
  XFORM world{1, 0, 0, 1, 0, 0};
  SIZE window{1, 1}, viewport{1, 1};
  POINT windowOrg{}, viewportOrg{};
  if (!GetWorldTransform(dc, &world) || !GetWindowExtEx(dc, &window) ||
      !GetViewportExtEx(dc, &viewport) || !GetWindowOrgEx(dc, &windowOrg) ||
      !GetViewportOrgEx(dc, &viewportOrg) || window.cx == 0 || window.cy == 0) {
    return std::nullopt;
  }
  if (world.eM12 != 0 || world.eM21 != 0) return std::nullopt;  // turned or sheared
  const double kx = static_cast<double>(viewport.cx) / window.cx;
  const double ky = static_cast<double>(viewport.cy) / window.cy;
  AxisScale s{world.eM11 * kx, world.eM22 * ky, (world.eDx - windowOrg.x) * kx + viewportOrg.x,
              (world.eDy - windowOrg.y) * ky + viewportOrg.y};
  if (!(s.sx > 0 && s.sy > 0)) return std::nullopt;  // mirrored text keeps the usual playback
  return s;
}

// Whether a text record's characters and advances lie inside it, as its counts say.
bool WithinRecord(const ENHMETARECORD& record) {
  if (record.nSize < sizeof(EMREXTTEXTOUTW)) return false;
  const EMRTEXT& t = reinterpret_cast<const EMREXTTEXTOUTW&>(record).emrtext;
  const std::uint64_t n = t.nChars, size = record.nSize;
  const std::uint64_t advances = (t.fOptions & ETO_PDY) ? 2 * n : n;
  return t.offString + n * sizeof(wchar_t) <= size &&
         (t.offDx == 0 || t.offDx + advances * sizeof(INT) <= size);
}

// A text record's characters and advances, copied out of a record WithinRecord accepted;
// nothing for records the usual playback draws (no advances, or vertical ones as well).
struct TextRecord {
  const EMRTEXT* text = nullptr;
  std::wstring chars;
  std::vector<INT> advances;
};

std::optional<TextRecord> ReadTextRecord(const ENHMETARECORD& record) {
  const EMRTEXT& t = reinterpret_cast<const EMREXTTEXTOUTW&>(record).emrtext;
  if (t.nChars == 0 || (t.fOptions & ETO_PDY) || t.offDx == 0) return std::nullopt;
  const auto* bytes = reinterpret_cast<const BYTE*>(&record);
  TextRecord out{&t, std::wstring(t.nChars, L'\0'), std::vector<INT>(t.nChars)};
  std::memcpy(out.chars.data(), bytes + t.offString, t.nChars * sizeof(wchar_t));
  std::memcpy(out.advances.data(), bytes + t.offDx, t.nChars * sizeof(INT));
  return out;
}

// Device coordinates and sizes beyond this are far outside any device, and safe to round.
constexpr double kLimit = 1 << 27;

int Round(double v) { return static_cast<int>(std::lround(v)); }

// The recorded font at its device size: heights rounded to a whole pixel, never to nothing.
LOGFONTW DeviceFont(const LOGFONTW& logical, const AxisScale& s) {
  LOGFONTW lf = logical;
  const auto scaled = [](LONG v, double k) {
    const int r = Round(v * k);
    return v != 0 && r == 0 ? (v < 0 ? -1 : 1) : r;
  };
  lf.lfHeight = scaled(logical.lfHeight, s.sy);
  if (logical.lfWidth != 0) {
    lf.lfWidth = scaled(logical.lfWidth, s.sx);
  } else if (!s.Isotropic()) {
    // Stretched one way more than the other: the font's own average width, scaled across.
    MemoryDC measure;
    FontHandle font(CreateFontIndirectW(&logical));
    Selection use(measure.get(), font.get());
    TEXTMETRICW metrics{};
    if (GetTextMetricsW(measure.get(), &metrics)) lf.lfWidth = scaled(metrics.tmAveCharWidth, s.sx);
  }
  return lf;
}

bool SameFont(const LOGFONTW& a, const LOGFONTW& b) {
  return std::memcmp(&a, &b, offsetof(LOGFONTW, lfFaceName)) == 0 &&
         std::wcsncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

// The fonts of a row of text records in one font at one scale, sized and made once.
class DeviceFonts {
 public:
  const LOGFONTW& Scaled(const LOGFONTW& logical, const AxisScale& s) {
    if (!SameFont(logical, logical_) || s.sx != sx_ || s.sy != sy_) {
      logical_ = logical;
      sx_ = s.sx;
      sy_ = s.sy;
      scaled_ = DeviceFont(logical, s);
    }
    return scaled_;
  }

  HFONT For(const LOGFONTW& lf) {
    if (!font_ || !SameFont(lf, made_)) {
      font_.Reset(CreateFontIndirectW(&lf));
      made_ = lf;
    }
    return font_.get();
  }

 private:
  LOGFONTW logical_{}, scaled_{}, made_{};
  double sx_ = 0, sy_ = 0;
  FontHandle font_;
};

// Where each character starts on the device, and where the last one ends, as recorded.
std::optional<std::vector<double>> RecordedPositions(const TextRecord& r, const AxisScale& s) {
  std::vector<double> at;
  at.reserve(r.advances.size() + 1);
  std::int64_t x = r.text->ptlReference.x;
  at.push_back(s.sx * x + s.ox);
  for (const INT advance : r.advances) at.push_back(s.sx * (x += advance) + s.ox);
  for (const double v : at) {
    if (std::abs(v) > kLimit) return std::nullopt;
  }
  return at;
}

bool Blank(wchar_t c) { return c == L' ' || c == L'\t' || c == 0xA0 || c == 0x3000; }

// Inside each word the characters follow the device font's own advances, stretched to the
// word's recorded width: advances recorded at a small size are whole pixels of that size, and
// scaled up they would open gaps after the characters they rounded up. Words and blanks keep
// their recorded places, so alignment and justification stay as recorded.
void FitWords(HDC dc, const std::wstring& chars, std::vector<double>& at) {
  std::vector<INT> extents(chars.size());
  for (std::size_t first = 0; first < chars.size();) {
    if (Blank(chars[first])) {
      ++first;
      continue;
    }
    std::size_t end = first;
    while (end < chars.size() && !Blank(chars[end])) ++end;
    const int n = static_cast<int>(end - first);
    SIZE size{};
    if (n > 1 &&
        GetTextExtentExPointW(dc, chars.data() + first, n, 0, nullptr, extents.data(), &size) &&
        extents[n - 1] > 0) {
      const double left = at[first], width = at[end] - left;
      for (int i = 1; i < n; ++i) at[first + i] = left + width * extents[i - 1] / extents[n - 1];
    }
    first = end;
  }
}

std::vector<INT> Advances(const std::vector<double>& at) {
  std::vector<INT> dx(at.size() - 1);
  for (std::size_t i = 0; i < dx.size(); ++i) dx[i] = Round(at[i + 1]) - Round(at[i]);
  return dx;
}

// A rectangle of logical units in device pixels; nothing when it lies far outside any device.
std::optional<RECT> ToDevice(LONG left, LONG top, LONG right, LONG bottom, const AxisScale& s) {
  const double x0 = s.sx * left + s.ox, y0 = s.sy * top + s.oy;
  const double x1 = s.sx * right + s.ox, y1 = s.sy * bottom + s.oy;
  if (std::max({std::abs(x0), std::abs(y0), std::abs(x1), std::abs(y1)}) > kLimit) {
    return std::nullopt;
  }
  return RECT{Round(x0), Round(y0), Round(x1), Round(y1)};
}

// What a playback keeps from record to record: its fonts, and the device pixels the context
// lets it draw on (none known on a recorder, where everything is kept).
struct Playback {
  DeviceFonts fonts;
  std::optional<RECT> visible;
};

std::optional<RECT> VisibleArea(HDC dc) {
  RECT box{};
  const std::optional<AxisScale> s = DeviceScale(dc);
  if (!s || GetDeviceCaps(dc, TECHNOLOGY) == DT_METAFILE || GetClipBox(dc, &box) == ERROR) {
    return std::nullopt;
  }
  return ToDevice(box.left, box.top, box.right, box.bottom, *s);
}

// A text record placed on the device: where its characters start and the last one ends, its
// baseline (or whichever line its alignment names), its clipping or opaque box, and its font.
struct DeviceText {
  std::vector<double> at;
  double y = 0;
  std::optional<RECT> box;
  LOGFONTW font{};

  // Whether the text, in any alignment, could reach into the area: a big table plays
  // thousands of texts, and a window shows few of them.
  bool MayShow(const RECT& area) const {
    const double em = std::max({std::abs(font.lfHeight), std::abs(font.lfWidth) * 2L, 64L});
    const double reach = 2 * em + 2, width = at.back() - at.front();
    return at.front() - width - reach < area.right && at.back() + reach > area.left &&
           y - reach < area.bottom && y + reach > area.top;
  }
};

// Nothing when the record is left to the usual playback: the context turns, mirrors or
// stretches turned text, or the text would land far outside any device.
std::optional<DeviceText> Place(HDC dc, const TextRecord& r, DeviceFonts& fonts) {
  const std::optional<AxisScale> s = DeviceScale(dc);
  LOGFONTW logical{};
  if (!s || !GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof logical, &logical)) {
    return std::nullopt;
  }
  if ((logical.lfEscapement != 0 || logical.lfOrientation != 0) && !s->Isotropic()) {
    return std::nullopt;
  }
  const EMRTEXT& t = *r.text;
  std::optional<std::vector<double>> at = RecordedPositions(r, *s);
  const double y = s->sy * t.ptlReference.y + s->oy;
  if (!at || std::abs(y) > kLimit || std::abs(logical.lfHeight * s->sy) > kLimit ||
      std::abs(logical.lfWidth * s->sx) > kLimit) {
    return std::nullopt;
  }
  DeviceText placed{std::move(*at), y, std::nullopt, fonts.Scaled(logical, *s)};
  if (t.fOptions & (ETO_CLIPPED | ETO_OPAQUE)) {
    placed.box = ToDevice(t.rcl.left, t.rcl.top, t.rcl.right, t.rcl.bottom, *s);
    if (!placed.box) return std::nullopt;
  }
  return placed;
}

// Draws in device pixels, the context's own transforms set aside for the one call.
void Draw(HDC dc, const TextRecord& r, DeviceText& text, DeviceFonts& fonts) {
  const int saved = SaveDC(dc);
  SetGraphicsMode(dc, GM_ADVANCED);
  ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
  SetMapMode(dc, MM_TEXT);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  SelectObject(dc, fonts.For(text.font));
  if (!(r.text->fOptions & ETO_GLYPH_INDEX)) FitWords(dc, r.chars, text.at);
  const std::vector<INT> dx = Advances(text.at);
  ExtTextOutW(dc, Round(text.at.front()), Round(text.y), r.text->fOptions,
              text.box ? &*text.box : nullptr, r.chars.data(), static_cast<UINT>(r.chars.size()),
              dx.data());
  RestoreDC(dc, saved);
}

// Draws the record at the device's font size; false when it is left to the usual playback.
bool DrawAtDeviceSize(HDC dc, const ENHMETARECORD& record, Playback& playback) {
  if (GetTextAlign(dc) & TA_UPDATECP) return false;
  const std::optional<TextRecord> r = ReadTextRecord(record);
  std::optional<DeviceText> text = r ? Place(dc, *r, playback.fonts) : std::nullopt;
  if (!text) return false;
  const bool opaque = (r->text->fOptions & ETO_OPAQUE) != 0;
  if (opaque || !playback.visible || text->MayShow(*playback.visible)) {
    Draw(dc, *r, *text, playback.fonts);
  }
  return true;
}

int CALLBACK PlayRecord(HDC dc, HANDLETABLE* objects, const ENHMETARECORD* record, int count,
                        LPARAM data) {
  try {
    auto& playback = *reinterpret_cast<Playback*>(data);
    if (record->iType == EMR_EXTTEXTOUTW) {
      // A damaged record draws nothing rather than have its text read past its end.
      if (!WithinRecord(*record) || DrawAtDeviceSize(dc, *record, playback)) return 1;
    }
  } catch (...) {
    // Out of memory for the advances: the usual playback draws the record.
  }
  PlayEnhMetaFileRecord(dc, objects, record, static_cast<UINT>(count));
  return 1;  // a record that fails does not stop the rest, as with PlayEnhMetaFile
}

}  // namespace

bool PlayMetafile(HDC dc, HENHMETAFILE metafile, const RECT& box) {
  if (!metafile) return false;
  Playback playback;
  playback.visible = VisibleArea(dc);
  return EnumEnhMetaFile(dc, metafile, PlayRecord, &playback, &box) != FALSE;
}
