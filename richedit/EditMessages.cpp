// The data messages of the rich-edit window: text, selection, formats, streams, lines, undo
// and the control's state, with the platform control's character positions.
#include <algorithm>
#include <cstring>
#include <string>
#include <type_traits>

#include "richedit/EditControl.h"
#include "richedit/RichEditWindow.h"
#include "richedit/WordBreaker.h"

namespace richedit {
namespace {

std::u16string_view view(const wchar_t* text) {
  return text ? std::u16string_view(reinterpret_cast<const char16_t*>(text))
              : std::u16string_view();
}

// Copies text and a terminating NUL; capacity counts the NUL.
LRESULT copyOut(std::u16string_view text, wchar_t* buffer, std::size_t capacity) {
  if (!buffer || capacity == 0) return 0;
  const std::size_t n = std::min(text.size(), capacity - 1);
  std::memcpy(buffer, text.data(), n * sizeof(wchar_t));
  buffer[n] = L'\0';
  return static_cast<LRESULT>(n);
}

constexpr std::size_t kUnbounded = static_cast<std::size_t>(-1) / sizeof(wchar_t);

bool isLineEnd(char16_t c) { return c == ch::ParagraphEnd || c == ch::LineBreak; }

// ---- EDITSTREAM callbacks as the core's byte streams

class CallbackSource final : public ByteSource {
 public:
  explicit CallbackSource(EDITSTREAM& stream) : stream_(stream) {}
  std::ptrdiff_t read(char* buffer, std::size_t size) override {
    LONG got = 0;
    const DWORD error =
        stream_.pfnCallback(stream_.dwCookie, reinterpret_cast<LPBYTE>(buffer),
                            static_cast<LONG>(std::min<std::size_t>(size, 0x10000)), &got);
    if (error != 0) {
      stream_.dwError = error;
      return -1;
    }
    return std::clamp<std::ptrdiff_t>(got, 0, static_cast<std::ptrdiff_t>(size));
  }

 private:
  EDITSTREAM& stream_;
};

class CallbackSink final : public ByteSink {
 public:
  explicit CallbackSink(EDITSTREAM& stream) : stream_(stream) {}
  bool write(const char* data, std::size_t size) override {
    while (size > 0) {
      LONG done = 0;
      const auto chunk = static_cast<LONG>(std::min<std::size_t>(size, 0x10000));
      const DWORD error = stream_.pfnCallback(
          stream_.dwCookie, reinterpret_cast<LPBYTE>(const_cast<char*>(data)), chunk, &done);
      if (error != 0) stream_.dwError = error;
      if (error != 0 || done <= 0) return false;
      done = std::min(done, chunk);
      data += done;
      size -= static_cast<std::size_t>(done);
      written += static_cast<std::size_t>(done);
    }
    return true;
  }
  std::size_t written = 0;

 private:
  EDITSTREAM& stream_;
};

// ---- CHARFORMAT and PARAFORMAT in their A and W, 1.0 and 2.0 forms

template <typename CF>
constexpr bool isFormat2 =
    std::is_base_of_v<CHARFORMAT2W, CF> || std::is_base_of_v<CHARFORMAT2A, CF>;

template <typename CF>
constexpr std::uint32_t charMaskFor() {
  return isFormat2<CF> ? cfm::Supported : (CFM_ALL & cfm::Supported);
}

// Copies the fields a record and the model share, from the record into the model or, with
// toRecord, the other way; the face name travels separately.
template <bool toRecord>
void transfer(auto& model, auto& record) {
  if constexpr (toRecord) {
    record = static_cast<std::remove_cvref_t<decltype(record)>>(model);
  } else {
    model = static_cast<std::remove_cvref_t<decltype(model)>>(record);
  }
}

template <bool toRecord, typename Model, typename CF>
void transferCharFields(Model& f, CF& r) {
  transfer<toRecord>(f.effects, r.dwEffects);
  transfer<toRecord>(f.height, r.yHeight);
  transfer<toRecord>(f.offset, r.yOffset);
  transfer<toRecord>(f.textColor, r.crTextColor);
  transfer<toRecord>(f.charSet, r.bCharSet);
  transfer<toRecord>(f.pitchAndFamily, r.bPitchAndFamily);
  if constexpr (isFormat2<std::remove_cv_t<CF>>) {
    transfer<toRecord>(f.weight, r.wWeight);
    transfer<toRecord>(f.backColor, r.crBackColor);
    transfer<toRecord>(f.underlineType, r.bUnderlineType);
  }
}

template <typename CF>
constexpr bool wideFace = std::is_same_v<std::remove_cvref_t<decltype(CF{}.szFaceName[0])>, WCHAR>;

template <typename CF>
CharFormat fromRecord(const CF& in) {
  CharFormat f;
  transferCharFields<false>(f, in);
  wchar_t face[LF_FACESIZE]{};
  if constexpr (wideFace<CF>) {
    wcsncpy(face, in.szFaceName, LF_FACESIZE - 1);
  } else {
    MultiByteToWideChar(CP_ACP, 0, in.szFaceName,
                        static_cast<int>(strnlen(in.szFaceName, LF_FACESIZE)), face,
                        LF_FACESIZE - 1);
  }
  f.setFaceName(view(face));
  return f;
}

template <typename CF>
void toRecord(const CharFormat& f, CF& out) {
  transferCharFields<true>(f, out);
  const std::u16string_view face = f.faceName();
  std::memset(out.szFaceName, 0, sizeof out.szFaceName);
  if constexpr (wideFace<CF>) {
    std::memcpy(out.szFaceName, face.data(), face.size() * sizeof(wchar_t));
  } else {
    WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(face.data()),
                        static_cast<int>(face.size()), out.szFaceName, LF_FACESIZE - 1, nullptr,
                        nullptr);
  }
}

// Calls f with the record lParam points to, by its cbSize; false for an unknown size.
template <typename F>
bool withCharRecord(LPARAM lParam, F&& f) {
  auto* any = reinterpret_cast<CHARFORMATW*>(lParam);
  if (!any) return false;
  switch (any->cbSize) {
    case sizeof(CHARFORMATW): f(*any); return true;
    case sizeof(CHARFORMATA): f(*reinterpret_cast<CHARFORMATA*>(lParam)); return true;
    case sizeof(CHARFORMAT2W): f(*reinterpret_cast<CHARFORMAT2W*>(lParam)); return true;
    case sizeof(CHARFORMAT2A): f(*reinterpret_cast<CHARFORMAT2A*>(lParam)); return true;
    default: return false;
  }
}

constexpr std::uint32_t kParaMask1 = pfm::StartIndent | pfm::RightIndent | pfm::Offset |
                                     pfm::Alignment | pfm::TabStops | pfm::Numbering |
                                     pfm::OffsetIndent;

template <bool toRecord, typename Model, typename PF>
void transferParaFields(Model& p, PF& r, bool two) {
  transfer<toRecord>(p.numbering, r.wNumbering);
  transfer<toRecord>(p.startIndent, r.dxStartIndent);
  transfer<toRecord>(p.rightIndent, r.dxRightIndent);
  transfer<toRecord>(p.offset, r.dxOffset);
  transfer<toRecord>(p.alignment, r.wAlignment);
  if (!two) return;
  transfer<toRecord>(p.effects, r.wEffects);
  transfer<toRecord>(p.spaceBefore, r.dySpaceBefore);
  transfer<toRecord>(p.spaceAfter, r.dySpaceAfter);
  transfer<toRecord>(p.lineSpacing, r.dyLineSpacing);
  transfer<toRecord>(p.lineSpacingRule, r.bLineSpacingRule);
  transfer<toRecord>(p.numberingStart, r.wNumberingStart);
  transfer<toRecord>(p.numberingStyle, r.wNumberingStyle);
  transfer<toRecord>(p.numberingTab, r.wNumberingTab);
}

ParaFormat fromRecord(const PARAFORMAT2& in, bool two) {
  ParaFormat p;
  transferParaFields<false>(p, in, two);
  p.tabCount = std::clamp<SHORT>(in.cTabCount, 0, MAX_TAB_STOPS);
  std::copy_n(in.rgxTabs, p.tabCount, p.tabs.begin());
  return p;
}

void toRecord(const ParaFormat& p, PARAFORMAT2& out, bool two) {
  transferParaFields<true>(p, out, two);
  out.cTabCount = p.tabCount;
  std::copy(p.tabs.begin(), p.tabs.end(), out.rgxTabs);
}

// The record lParam points to, and whether it is a PARAFORMAT2; null for an unknown size.
PARAFORMAT2* paraRecord(LPARAM lParam, bool& two) {
  auto* record = reinterpret_cast<PARAFORMAT2*>(lParam);
  if (!record) return nullptr;
  two = record->cbSize == sizeof(PARAFORMAT2);
  return two || record->cbSize == sizeof(PARAFORMAT) ? record : nullptr;
}

}  // namespace

WORD selectionType(CharRange range) {
  if (range.empty()) return SEL_EMPTY;
  return range.length() > 1 ? SEL_TEXT | SEL_MULTICHAR : SEL_TEXT;
}

CharRange EditControl::charFormatTarget(std::uint32_t scf) const {
  const RichTextDocument& doc = session_.document();
  const CharRange sel = session_.selection();
  if (scf & scf::All) return {0, doc.textLength()};
  if (!(scf & scf::Selection)) return {};
  if (!sel.empty()) return sel;
  return (scf & scf::Word) ? doc.wordAt(sel.min) : CharRange{};
}

bool EditControl::undo() {
  if (!session_.undo()) return false;
  // The platform's control leaves the caret after what came back, with nothing selected.
  const CharPos end = session_.selection().max;
  session_.setSelection(end, end);
  return true;
}

void EditControl::replaceSelection(std::u16string_view text, bool canUndo) {
  session_.replaceSelection(text, canUndo);
}

bool EditControl::setRtf(std::string_view bytes, bool selection) {
  if (!bytes.starts_with("{\\rtf")) return false;
  MemorySource source(bytes);
  return session_.streamIn(sf::Rtf | (selection ? sf::Selection : 0), source).ok;
}

void EditControl::setText(std::u16string_view text, bool selection, bool keepUndo) {
  if (text.starts_with(u"{\\rtf")) {
    std::string bytes(text.size(), '\0');
    std::transform(text.begin(), text.end(), bytes.begin(),
                   [](char16_t c) { return static_cast<char>(c); });  // RTF is 7-bit
    if (setRtf(bytes, selection)) return;
  }
  if (selection || keepUndo) {
    if (!selection) session_.setSelection(0, -1);
    session_.replaceSelection(text, keepUndo);
    if (!selection) session_.setSelection(0, 0);
    return;
  }
  std::string bytes(text.size() * 2, '\0');
  std::memcpy(bytes.data(), text.data(), bytes.size());
  MemorySource source(bytes);
  session_.streamIn(sf::Text | sf::Unicode, source);
}

LRESULT EditControl::setTextEx(const SETTEXTEX* how, LPARAM text) {
  const DWORD flags = how ? how->flags : ST_DEFAULT;
  const UINT codePage = how ? how->codepage : CP_ACP;
  const bool selection = (flags & ST_SELECTION) != 0;
  const CharPos before = session_.document().textLength() - session_.selection().length();
  if (codePage == 1200) {
    setText(view(reinterpret_cast<const wchar_t*>(text)), selection, flags & ST_KEEPUNDO);
  } else {
    const char* bytes = text ? reinterpret_cast<const char*>(text) : "";
    if (!setRtf(bytes, selection)) {
      std::wstring wide(std::strlen(bytes), L'\0');
      wide.resize(static_cast<std::size_t>(
          MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(wide.size()), wide.data(),
                              static_cast<int>(wide.size()))));
      setText(view(wide.c_str()), selection, flags & ST_KEEPUNDO);
    }
  }
  return selection ? session_.document().textLength() - before : 1;
}

LRESULT EditControl::getTextEx(const GETTEXTEX* how, wchar_t* buffer) {
  if (!how || !buffer || how->cb == 0) return 0;
  const RichTextDocument& doc = session_.document();
  const CharRange sel = session_.selection();
  const CharRange range = (how->flags & GT_SELECTION)
                              ? CharRange{sel.min, std::min(sel.max, doc.textLength())}
                              : CharRange{0, doc.textLength()};
  std::u16string text;
  for (char16_t c : doc.text(range)) {
    if (c == ch::ParagraphEnd && (how->flags & GT_USECRLF)) text += u'\r';
    text += c == ch::ParagraphEnd && (how->flags & GT_USECRLF) ? u'\n' : c;
  }
  if (how->codepage == 1200) return copyOut(text, buffer, how->cb / sizeof(wchar_t));
  // Converted whole, then cut: the conversion fails outright on a short buffer.
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int size = static_cast<int>(text.size());
  std::string bytes(static_cast<std::size_t>(WideCharToMultiByte(how->codepage, 0, wide, size,
                                                                 nullptr, 0, nullptr, nullptr)),
                    '\0');
  WideCharToMultiByte(how->codepage, 0, wide, size, bytes.data(), static_cast<int>(bytes.size()),
                      how->lpDefaultChar, how->lpUsedDefChar);
  const std::size_t n = std::min<std::size_t>(bytes.size(), how->cb - 1);
  std::memcpy(buffer, bytes.data(), n);
  reinterpret_cast<char*>(buffer)[n] = '\0';
  return static_cast<LRESULT>(n);
}

std::optional<LRESULT> EditControl::optionMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // The options that are window styles under the same bits.
  constexpr DWORD styleOptions = ECO_AUTOVSCROLL | ECO_AUTOHSCROLL | ECO_NOHIDESEL | ECO_READONLY |
                                 ECO_WANTRETURN | ECO_SAVESEL | ECO_SELECTIONBAR | ECO_VERTICAL;
  const DWORD current = (style() & styleOptions) | (autoWordSelection_ ? ECO_AUTOWORDSELECTION : 0);
  if (message == EM_GETOPTIONS) return current;
  if (message != EM_SETOPTIONS) return std::nullopt;
  const auto value = static_cast<DWORD>(lParam);
  DWORD next = current;
  switch (wParam) {
    case ECOOP_SET: next = value; break;
    case ECOOP_OR: next |= value; break;
    case ECOOP_AND: next &= value; break;
    case ECOOP_XOR: next ^= value; break;
    default: return current;
  }
  SetWindowLongPtrW(window_, GWL_STYLE,
                    static_cast<LONG_PTR>((style() & ~styleOptions) | (next & styleOptions)));
  autoWordSelection_ = (next & ECO_AUTOWORDSELECTION) != 0;
  relayout();  // the selection bar moves the text
  return next & (styleOptions | ECO_AUTOWORDSELECTION);
}

LRESULT EditControl::streamIn(WPARAM flags, EDITSTREAM* stream) {
  if (!stream || !stream->pfnCallback) return 0;
  stream->dwError = 0;
  // The whole stream first: text that is not RTF is read again as plain text.
  std::string bytes;
  CallbackSource source(*stream);
  char chunk[4096];
  for (std::ptrdiff_t n; (n = source.read(chunk, sizeof chunk)) != 0;) {
    if (n < 0) return 0;
    bytes.append(chunk, static_cast<std::size_t>(n));
  }
  const CharPos start = session_.selection().min;
  MemorySource first(bytes);
  bool rtf = true;
  if (!session_.streamIn(static_cast<std::uint32_t>(flags), first).ok) {
    if ((flags & sf::FormatMask) != sf::Rtf) return 0;
    rtf = false;
    MemorySource again(bytes);
    if (!session_.streamIn((static_cast<std::uint32_t>(flags) & ~sf::FormatMask) | sf::Text, again)
             .ok) {
      return 0;
    }
  }
  // Text counts the characters of the stream, RTF the characters it placed.
  if ((flags & sf::FormatMask) != sf::Rtf || !rtf) {
    return static_cast<LRESULT>((flags & sf::Unicode) ? bytes.size() / 2 : bytes.size());
  }
  if (flags & sf::Selection) return session_.selection().max - start;
  return session_.document().textLength();
}

LRESULT EditControl::streamOut(WPARAM flags, EDITSTREAM* stream) {
  if (!stream || !stream->pfnCallback) return 0;
  stream->dwError = 0;
  CallbackSink sink(*stream);
  session_.streamOut(static_cast<std::uint32_t>(flags), sink);
  const bool unicodeText = (flags & sf::FormatMask) == sf::Text && (flags & sf::Unicode);
  return static_cast<LRESULT>(unicodeText ? sink.written / 2 : sink.written);
}

std::optional<LRESULT> EditControl::textMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const RichTextDocument& doc = session_.document();
  switch (message) {
    case WM_GETTEXT: return copyOut(doc.windowText(), reinterpret_cast<wchar_t*>(lParam), wParam);
    case WM_GETTEXTLENGTH: return doc.windowTextLength();
    case WM_SETTEXT: setText(view(reinterpret_cast<const wchar_t*>(lParam))); return TRUE;
    case EM_SETTEXTEX: return setTextEx(reinterpret_cast<const SETTEXTEX*>(wParam), lParam);
    case EM_GETTEXTEX:
      return getTextEx(reinterpret_cast<const GETTEXTEX*>(wParam),
                       reinterpret_cast<wchar_t*>(lParam));
    case EM_GETTEXTLENGTHEX: {
      const auto* how = reinterpret_cast<const GETTEXTLENGTHEX*>(wParam);
      const DWORD flags = how ? how->flags : GTL_DEFAULT;
      if ((flags & GTL_NUMCHARS) && (flags & GTL_NUMBYTES)) return E_INVALIDARG;
      if ((flags & GTL_PRECISE) && (flags & GTL_CLOSE)) return E_INVALIDARG;
      if (!(flags & GTL_NUMBYTES)) {
        return (flags & GTL_USECRLF) ? doc.windowTextLength() : doc.textLength();
      }
      const std::u16string text =
          (flags & GTL_USECRLF) ? doc.windowText() : doc.text({0, doc.textLength()});
      const UINT codePage = how->codepage;
      if (codePage == 1200) return static_cast<LRESULT>(text.size() * 2);
      return WideCharToMultiByte(codePage, 0, reinterpret_cast<const wchar_t*>(text.data()),
                                 static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    }
    case EM_GETTEXTRANGE: {
      auto* range = reinterpret_cast<TEXTRANGEW*>(lParam);
      if (!range || !range->lpstrText) return 0;
      const CharPos end = doc.textLength();
      const CharPos a = range->chrg.cpMin;
      const CharPos b = range->chrg.cpMax < 0 ? end : std::min<CharPos>(range->chrg.cpMax, end);
      if (a < 0 || a > b) return 0;
      return copyOut(doc.text({a, b}), range->lpstrText, kUnbounded);
    }
    case EM_GETSELTEXT: {
      const CharRange s = session_.selection();
      return copyOut(doc.text({s.min, std::min(s.max, doc.textLength())}),
                     reinterpret_cast<wchar_t*>(lParam), kUnbounded);
    }
    case EM_REPLACESEL:
      if (allowChange(session_.selection(), message, wParam, lParam)) {
        replaceSelection(view(reinterpret_cast<const wchar_t*>(lParam)), wParam != 0);
      }
      return 0;
    case EM_STREAMIN: return streamIn(wParam, reinterpret_cast<EDITSTREAM*>(lParam));
    case EM_STREAMOUT: return streamOut(wParam, reinterpret_cast<EDITSTREAM*>(lParam));
    case EM_FINDTEXT:
    case EM_FINDTEXTW:
    case EM_FINDTEXTEX:
    case EM_FINDTEXTEXW: {
      // The window is a Unicode window: the plain forms take wide text too.
      auto* find = reinterpret_cast<FINDTEXTEXW*>(lParam);
      if (!find || !find->lpstrText) return -1;
      const CharRange r =
          session_.findText(static_cast<std::uint32_t>(wParam),
                            {find->chrg.cpMin, find->chrg.cpMax}, view(find->lpstrText));
      if (message == EM_FINDTEXTEX || message == EM_FINDTEXTEXW) find->chrgText = {r.min, r.max};
      return r.min;
    }
    case EM_FINDWORDBREAK: {
      const std::u16string& story = doc.storyText();
      const CharPos pos = std::clamp<CharPos>(static_cast<CharPos>(lParam), 0, doc.textLength());
      switch (wParam) {
        case WB_LEFT:
        case WB_MOVEWORDLEFT:
        case WB_LEFTBREAK: return previousWordStart(story, pos);
        case WB_RIGHT:
        case WB_MOVEWORDRIGHT: return nextWordStart(story, pos);
        case WB_RIGHTBREAK: return wordAt(story, pos).max;
        case WB_ISDELIMITER: return classify(doc.charAt(pos)) == CharClass::Blank;
        case WB_CLASSIFY: {
          const CharClass c = classify(doc.charAt(pos));
          return c == CharClass::Blank   ? WBF_ISWHITE | WBF_BREAKLINE
                 : c == CharClass::Break ? WBF_BREAKLINE
                                         : 0;
        }
        default: return 0;
      }
    }
    default: return std::nullopt;
  }
}

void EditControl::setSelectionRange(CharPos min, CharPos max) {
  // An end past the text reaches the final mark, as a select-all does.
  const CharPos length = session_.document().textLength();
  if (min >= 0 && min <= length && max > length) max = -1;
  session_.setSelection(min, max);
}

std::optional<LRESULT> EditControl::selectionMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const CharRange sel = session_.selection();
  switch (message) {
    case EM_EXGETSEL:
      if (auto* r = reinterpret_cast<CHARRANGE*>(lParam)) *r = {sel.min, sel.max};
      return 0;
    case EM_EXSETSEL: {
      const auto* r = reinterpret_cast<const CHARRANGE*>(lParam);
      if (r) setSelectionRange(r->cpMin, r->cpMax);
      return session_.selection().max;
    }
    case EM_SETSEL: {
      const auto start = static_cast<CharPos>(wParam);
      const auto end = static_cast<CharPos>(lParam);
      setSelectionRange(start, end);
      // The caret goes to the end given last, as the user would have dragged.
      if (start >= 0 && end >= 0 && start > end) {
        const CharRange now = session_.selection();
        anchor_ = now.max;
        active_ = now.min;
      }
      return 0;
    }
    case EM_GETSEL:
      if (auto* start = reinterpret_cast<DWORD*>(wParam)) *start = static_cast<DWORD>(sel.min);
      if (auto* end = reinterpret_cast<DWORD*>(lParam)) *end = static_cast<DWORD>(sel.max);
      return sel.max > 0xFFFF ? -1 : MAKELRESULT(sel.min, sel.max);
    case EM_SELECTIONTYPE: return selectionType(sel);
    default: return std::nullopt;
  }
}

std::optional<LRESULT> EditControl::formatMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case EM_GETCHARFORMAT: {
      std::uint32_t uniform = 0;
      CharFormat f =
          session_.charFormat((wParam & SCF_SELECTION) ? scf::Selection : scf::Default, &uniform);
      if (wParam & SCF_SELECTION) addDetectedLinks(session_.selection(), f, uniform);
      LRESULT mask = 0;
      withCharRecord(lParam, [&](auto& record) {
        toRecord(f, record);
        record.dwMask = uniform & charMaskFor<std::remove_cvref_t<decltype(record)>>();
        mask = record.dwMask;
      });
      return mask;
    }
    case EM_SETCHARFORMAT: {
      if (!allowChange(charFormatTarget(static_cast<std::uint32_t>(wParam)), message, wParam,
                       lParam)) {
        return FALSE;
      }
      bool done = false;
      withCharRecord(lParam, [&](const auto& record) {
        const std::uint32_t mask =
            record.dwMask & charMaskFor<std::remove_cvref_t<decltype(record)>>();
        session_.setCharFormat(static_cast<std::uint32_t>(wParam), fromRecord(record), mask);
        done = true;
      });
      return done;
    }
    case EM_GETPARAFORMAT: {
      bool two = false;
      PARAFORMAT2* record = paraRecord(lParam, two);
      if (!record) return 0;
      std::uint32_t uniform = 0;
      toRecord(session_.paraFormat(&uniform), *record, two);
      record->dwMask = uniform & (two ? pfm::Supported : kParaMask1 & pfm::Supported);
      return record->dwMask;
    }
    case EM_SETPARAFORMAT: {
      bool two = false;
      const PARAFORMAT2* record = paraRecord(lParam, two);
      if (!record) return FALSE;
      const RichTextDocument& doc = session_.document();
      const CharRange sel = session_.selection();
      const CharRange paragraphs{doc.paragraphRange(doc.paragraphIndexAt(sel.min)).min,
                                 doc.paragraphRange(doc.paragraphIndexAt(sel.max)).max};
      if (!allowChange(paragraphs, message, wParam, lParam)) return FALSE;
      session_.setParaFormat(
          fromRecord(*record, two),
          record->dwMask & (two ? pfm::Supported | pfm::OffsetIndent : kParaMask1));
      return TRUE;
    }
    case WM_SETFONT: setFont(reinterpret_cast<HFONT>(wParam)); return 0;
    case EM_SETBKGNDCOLOR: {
      const COLORREF previous = systemBackground_ ? GetSysColor(COLOR_WINDOW) : background_;
      systemBackground_ = wParam != 0;
      if (!systemBackground_) background_ = static_cast<COLORREF>(lParam);
      invalidate();
      return previous;
    }
    default: return std::nullopt;
  }
}

void EditControl::setFont(HFONT font) {
  LOGFONTW lf{};
  if (!GetObjectW(font ? font : GetStockObject(SYSTEM_FONT), sizeof lf, &lf)) return;
  CharFormat f;
  f.setFaceName(view(lf.lfFaceName));
  f.height = MulDiv(std::abs(lf.lfHeight), 1440, dpiY_);
  f.weight = static_cast<std::uint16_t>(lf.lfWeight ? lf.lfWeight : FW_NORMAL);
  f.effects = (f.weight >= BoldThreshold ? cfe::Bold : 0) | (lf.lfItalic ? cfe::Italic : 0) |
              (lf.lfUnderline ? cfe::Underline : 0) | (lf.lfStrikeOut ? cfe::StrikeOut : 0);
  f.charSet = lf.lfCharSet;
  f.pitchAndFamily = lf.lfPitchAndFamily;
  const std::uint32_t mask = cfm::Face | cfm::Size | cfm::Weight | cfm::Italic | cfm::Underline |
                             cfm::StrikeOut | cfm::CharSet;
  // The font is the control's, not an edit: the modified flag stays as it was.
  const bool modified = session_.modified();
  session_.setCharFormat(scf::Default, f, mask);
  if (!session_.document().empty()) session_.setCharFormat(scf::All, f, mask);
  session_.setModified(modified);
}

std::optional<LRESULT> EditControl::lineMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const RichTextDocument& doc = session_.document();
  // A line's characters without its break and without the final mark.
  const auto lineText = [&](int index) {
    const DocumentLine l = layout_.line(index);
    CharPos end = std::min(l.end(), doc.textLength());
    if (end > l.start && end == l.end() && isLineEnd(doc.charAt(end - 1))) --end;
    return CharRange{l.start, end};
  };
  const auto lineOf = [&](CharPos pos) {
    return layout_.lineFromChar(std::clamp(pos, 0, doc.textLength()));
  };
  switch (message) {
    case EM_GETLINECOUNT: return layout_.lineCount();
    case EM_LINEINDEX: {
      const auto line = static_cast<int>(wParam);
      if (line < 0) return layout_.line(lineOf(active_)).start;
      return line < layout_.lineCount() ? layout_.line(line).start : -1;
    }
    case EM_LINELENGTH: {
      const auto pos = static_cast<CharPos>(wParam);
      if (pos >= 0) return lineText(lineOf(pos)).length();
      const CharRange sel = session_.selection();
      return (sel.min - layout_.line(lineOf(sel.min)).start) +
             std::max(lineText(lineOf(sel.max)).max - sel.max, 0);
    }
    case EM_LINEFROMCHAR:
    case EM_EXLINEFROMCHAR: {
      const auto pos = static_cast<CharPos>(message == EM_LINEFROMCHAR ? wParam : lParam);
      return lineOf(pos < 0 ? session_.selection().min : pos);
    }
    case EM_GETLINE: {
      auto* buffer = reinterpret_cast<wchar_t*>(lParam);
      const auto line = static_cast<int>(wParam);
      if (!buffer || line < 0 || line >= layout_.lineCount()) return 0;
      const WORD capacity = *reinterpret_cast<const WORD*>(buffer);
      const DocumentLine l = layout_.line(line);
      const std::u16string text = doc.text({l.start, std::min(l.end(), doc.textLength())});
      const std::size_t n = std::min<std::size_t>(text.size(), capacity);
      std::memcpy(buffer, text.data(), n * sizeof(wchar_t));
      if (n == 0 && capacity > 0) buffer[0] = L'\0';
      return static_cast<LRESULT>(n);
    }
    case EM_GETFIRSTVISIBLELINE: return firstVisibleLine();
    case EM_POSFROMCHAR: {
      auto* point = reinterpret_cast<POINTL*>(wParam);
      if (!point) return -1;
      const POINT p =
          positionOf(std::clamp<CharPos>(static_cast<CharPos>(lParam), 0, doc.textLength()));
      *point = {p.x, p.y};
      return 0;
    }
    case EM_CHARFROMPOS: {
      const auto* point = reinterpret_cast<const POINTL*>(lParam);
      if (!point) return -1;
      return charAt({point->x, point->y});
    }
    case EM_SETZOOM: return setZoom(static_cast<int>(wParam), static_cast<int>(lParam));
    case EM_GETZOOM:
      if (auto* n = reinterpret_cast<int*>(wParam)) *n = zoomNumerator_;
      if (auto* d = reinterpret_cast<int*>(lParam)) *d = zoomDenominator_;
      return TRUE;
    case EM_SCROLLCARET: scrollToCaret(); return 0;
    case EM_LINESCROLL: scrollLines(static_cast<int>(lParam)); return TRUE;
    case EM_SCROLL: {
      const int before = firstVisibleLine();
      onVScroll(static_cast<WORD>(wParam));
      return MAKELRESULT(static_cast<WORD>(firstVisibleLine() - before), TRUE);
    }
    case EM_GETSCROLLPOS:
      if (auto* p = reinterpret_cast<POINT*>(lParam)) *p = {0, scrollY_};
      return 1;
    case EM_SETSCROLLPOS:
      if (const auto* p = reinterpret_cast<const POINT*>(lParam)) scrollTo(p->y);
      return 1;
    default: return std::nullopt;
  }
}

std::optional<LRESULT> EditControl::stateMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case EM_UNDO:
    case WM_UNDO: return undo();
    case EM_REDO: return session_.redo();
    case EM_CANUNDO: return session_.canUndo();
    case EM_CANREDO: return session_.canRedo();
    case EM_EMPTYUNDOBUFFER: session_.document().emptyUndo(); return 0;
    case EM_SETUNDOLIMIT: return session_.setUndoLimit(static_cast<int>(wParam));
    case EM_STOPGROUPTYPING: session_.stopGroupTyping(); return 0;
    case EM_BEGINUNDOGROUP: session_.document().beginUndoGroup(); return 0;
    case EM_ENDUNDOGROUP: session_.document().endUndoGroup(); return 0;
    case EM_SETTEXTMODE: {
      const bool plain = (wParam & TM_PLAINTEXT) != 0;
      const bool rich = (wParam & TM_RICHTEXT) != 0;
      if (plain && rich) return E_INVALIDARG;
      if (!session_.document().empty()) return E_UNEXPECTED;
      if (plain || rich) session_.setTextMode(plain ? TextMode::Plain : TextMode::Rich);
      if (wParam & TM_SINGLELEVELUNDO) singleLevelUndo_ = true;
      if (wParam & TM_MULTILEVELUNDO) singleLevelUndo_ = false;
      if (wParam & (TM_SINGLELEVELUNDO | TM_MULTILEVELUNDO)) {
        session_.setUndoLimit(singleLevelUndo_ ? 1 : 100);
      }
      return 0;
    }
    case EM_GETTEXTMODE:
      return (session_.textMode() == TextMode::Plain ? TM_PLAINTEXT : TM_RICHTEXT) |
             (singleLevelUndo_ ? TM_SINGLELEVELUNDO : TM_MULTILEVELUNDO) | TM_MULTICODEPAGE;
    case EM_GETMODIFY: return session_.modified() ? TRUE : FALSE;
    case EM_SETMODIFY: session_.setModified(wParam != 0); return 0;
    case EM_SETREADONLY: {
      const LONG_PTR s = GetWindowLongPtrW(window_, GWL_STYLE);
      SetWindowLongPtrW(window_, GWL_STYLE, wParam ? (s | ES_READONLY) : (s & ~ES_READONLY));
      return TRUE;
    }
    case EM_EXLIMITTEXT:
    case EM_LIMITTEXT: {
      // 0 restores the platform's default of 64K characters.
      const auto limit = static_cast<CharPos>(message == EM_LIMITTEXT ? wParam : lParam);
      session_.document().setTextLimit(limit <= 0 ? 0x10000 : limit);
      return 0;
    }
    case EM_GETLIMITTEXT: return session_.document().textLimit();
    case EM_HIDESELECTION:
      selectionHidden_ = wParam != 0;
      invalidate();
      return 0;
    case EM_AUTOURLDETECT: return setUrlDetection(wParam, lParam);
    case EM_GETAUTOURLDETECT: return urlDetection_ != 0;
    default: return std::nullopt;
  }
}

LRESULT EditControl::setUrlDetection(WPARAM flags, LPARAM schemes) {
  constexpr WPARAM known = AURL_ENABLEURL | AURL_ENABLEEMAILADDR | AURL_ENABLETELNO |
                           AURL_ENABLEEAURLS | AURL_ENABLEDRIVELETTERS | AURL_DISABLEMIXEDLGC;
  if (flags & ~known) return E_INVALIDARG;
  // Only the built-in schemes are recognised; a list of the caller's own is refused.
  if (schemes) return E_NOTIMPL;
  urlDetection_ = flags;
  // Addresses, telephone numbers and drive paths are not recognised: plain URLs only.
  if (urlDetection_ & AURL_ENABLEURL) {
    urls_.scan(session_.document());
  } else {
    urls_.clear();
  }
  invalidate();
  return 0;
}

void EditControl::addDetectedLinks(CharRange range, CharFormat& format,
                                   std::uint32_t& uniform) const {
  if (format.has(cfe::Link) && (uniform & cfm::Link)) return;  // all of it is linked anyway
  // An insertion point reports the format typing takes: the character before it.
  const CharRange url = range.empty() ? urls_.at(range.min - 1) : urls_.firstIn(range);
  if (url.empty()) return;
  if (url.min <= range.min) format.effects |= cfe::Link;
  if (url.min > range.min || url.max < range.max) uniform &= ~cfm::Link;
}

}  // namespace richedit
