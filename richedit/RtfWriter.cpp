#include "richedit/RtfWriter.h"

#include <array>
#include <map>
#include <optional>
#include <string_view>
#include <tuple>
#include <vector>

#include "richedit/ListNumbering.h"

namespace richedit {

namespace {

// Appends RTF, remembering whether a control word needs a delimiter before plain text.
class RtfOut {
 public:
  void word(std::string_view name) {
    out_.push_back('\\');
    out_.append(name);
    afterWord_ = true;
  }
  void word(std::string_view name, long long value) {
    word(name);
    out_.append(std::to_string(value));
  }
  void open() {
    out_.push_back('{');
    afterWord_ = false;
  }
  void close() {
    out_.push_back('}');
    afterWord_ = false;
  }
  void hexByte(unsigned char b) {
    static const char digits[] = "0123456789abcdef";
    out_ += "\\'";
    out_.push_back(digits[b >> 4]);
    out_.push_back(digits[b & 15]);
    afterWord_ = false;
  }
  void escaped(char c) {
    out_.push_back('\\');
    out_.push_back(c);
    afterWord_ = false;
  }
  void plain(char c) {
    const bool joins = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == ' ' || c == '-';
    if (afterWord_ && joins) out_.push_back(' ');
    out_.push_back(c);
    afterWord_ = false;
  }
  void lineEnd() {
    out_ += "\r\n";
    afterWord_ = false;
  }
  void raw(std::string_view s) { out_.append(s); }
  std::string& str() { return out_; }

 private:
  std::string out_;
  bool afterWord_ = false;
};

using FontKey = std::tuple<std::u16string, std::uint8_t, std::uint8_t>;

struct WriterState {
  int font = -1;  // none yet: the first text names its font (readers may ignore \deff)
  std::int32_t halfPoints = 24;
  std::uint32_t effects = 0;  // bold, italic, strike, caps, hidden, protected, scripts
  std::uint8_t underline = cfu::None;
  std::int32_t offsetHalfPoints = 0;
  int textColor = 0;
  int backColor = 0;
};

constexpr std::uint32_t TrackedEffects = cfe::Bold | cfe::Italic | cfe::StrikeOut | cfe::SmallCaps |
                                         cfe::AllCaps | cfe::Hidden | cfe::Protected |
                                         cfe::SuperScript | cfe::SubScript;

const char* underlineWord(std::uint8_t type) {
  switch (type) {
    case cfu::Single: return "ul";
    case cfu::Word: return "ulw";
    case cfu::Double: return "uldb";
    case cfu::Dotted: return "uld";
    case cfu::Dash: return "uldash";
    case cfu::DashDot: return "uldashd";
    case cfu::DashDotDot: return "uldashdd";
    case cfu::Wave: return "ulwave";
    case cfu::Thick: return "ulth";
    case cfu::Hairline: return "ulhair";
    case cfu::DoubleWave: return "ululdbwave";
    case cfu::HeavyWave: return "ulhwave";
    case cfu::LongDash: return "ulldash";
    case cfu::ThickDash: return "ulthdash";
    case cfu::ThickDashDot: return "ulthdashd";
    case cfu::ThickDashDotDot: return "ulthdashdd";
    case cfu::ThickDotted: return "ulthd";
    case cfu::ThickLongDash: return "ulthldash";
    default: return "ulnone";
  }
}

class Writer {
 public:
  Writer(const RichTextFragment& f, const RtfWriteOptions& o)
      : f_(f), options_(o), converter_(o.converter ? *o.converter : builtinCodePages()) {}

  std::string run();

 private:
  void collectTables();
  int fontIndex(const CharFormat& c) const;
  int colorIndex(Color c) const;
  void writeHeader();
  void writeParagraphStart(const ParaFormat& p, bool& havePara, ParaFormat& last);
  void writeParaProperties(const ParaFormat& p);
  void writePnGroup(const ParaFormat& p);
  void writeCharState(const CharStyle& style);
  void writeText(std::u16string_view text, const CharFormat& format);
  void writeChar(char16_t c, std::uint32_t codePage);
  bool writeInCodePage(char16_t c, std::uint32_t codePage);
  bool asciiReadsBack(std::uint32_t codePage, char16_t c);
  void writePicture(const Picture& p);
  void openLink(const std::u16string& target);
  void closeLink();

  const RichTextFragment& f_;
  const RtfWriteOptions& options_;
  const CodePageConverter& converter_;
  RtfOut out_;
  std::map<FontKey, int> fonts_;
  std::vector<FontKey> fontOrder_;
  std::map<Color, int> colors_;
  std::vector<Color> colorOrder_;
  int symbolFont_ = -1;
  WriterState state_;
  std::optional<WriterState> beforeLink_;
  ListCounter listCounter_;  // the numbers the control shows, for \pntext
  // Per code page, which ASCII characters it reads back as themselves.
  std::map<std::uint32_t, std::array<bool, 128>> asciiReadsBack_;
};

FontKey keyOf(const CharFormat& c) {
  return {std::u16string(c.faceName()), c.charSet, c.pitchAndFamily};
}

void Writer::collectTables() {
  auto addFont = [&](const FontKey& k) {
    if (fonts_.emplace(k, static_cast<int>(fontOrder_.size())).second) fontOrder_.push_back(k);
  };
  auto addColor = [&](Color c) {
    if (colors_.emplace(c, static_cast<int>(colorOrder_.size()) + 1).second)
      colorOrder_.push_back(c);
  };
  auto addStyle = [&](FormatId id) {
    const CharFormat& c = f_.style(id).format;
    addFont(keyOf(c));
    if (!c.has(cfe::AutoColor)) addColor(c.textColor);
    if (!c.has(cfe::AutoBackColor)) addColor(c.backColor);
  };
  for (const auto& s : f_.spans()) addStyle(s.style);
  addStyle(f_.endStyle());
  bool bullets = false;
  for (FormatId id : f_.paragraphFormats())
    bullets = bullets || f_.paraFormat(id).numbering == pfn::Bullet;
  bullets = bullets || f_.paraFormat(f_.trailingParaFormat()).numbering == pfn::Bullet;
  if (bullets) {
    const FontKey symbol{u"Symbol", charset::Symbol, 0x02};
    addFont(symbol);
    symbolFont_ = fonts_[symbol];
  }
}

int Writer::fontIndex(const CharFormat& c) const { return fonts_.at(keyOf(c)); }
int Writer::colorIndex(Color c) const { return colors_.at(c); }

void Writer::writeHeader() {
  out_.raw("{");
  out_.word("rtf", 1);
  out_.word("ansi");
  out_.word("ansicpg", options_.codePage);
  out_.word("deff", 0);
  out_.word("nouicompat");
  out_.open();
  out_.word("fonttbl");
  for (std::size_t i = 0; i < fontOrder_.size(); ++i) {
    const auto& [face, charSet, pitchFamily] = fontOrder_[i];
    out_.open();
    out_.word("f", static_cast<long long>(i));
    static const char* families[] = {"fnil", "froman", "fswiss", "fmodern", "fscript", "fdecor"};
    const int family = pitchFamily >> 4;
    out_.word(family <= 5 ? families[family] : "fnil");
    if (pitchFamily & 3) out_.word("fprq", pitchFamily & 3);
    out_.word("fcharset", charSet);
    // The name is read in its font's code page.
    const std::uint32_t nameCodePage = codePageForCharset(charSet, options_.codePage);
    for (char16_t c : face) {
      const bool ascii = c >= 0x20 && c < 0x80 && asciiReadsBack(nameCodePage, c);
      if (ascii && (c == u';' || c == u'{' || c == u'}' || c == u'\\')) {
        out_.hexByte(static_cast<unsigned char>(c));
      } else if (ascii) {
        out_.plain(static_cast<char>(c));
      } else if (c < 0x80 || !writeInCodePage(c, nameCodePage)) {
        out_.word("u", static_cast<std::int16_t>(c));
        out_.plain('?');
      }
    }
    out_.plain(';');
    out_.close();
  }
  out_.close();
  out_.lineEnd();
  if (!colorOrder_.empty()) {
    out_.open();
    out_.word("colortbl");
    out_.plain(';');
    for (Color c : colorOrder_) {
      out_.word("red", c & 0xFF);
      out_.word("green", (c >> 8) & 0xFF);
      out_.word("blue", (c >> 16) & 0xFF);
      out_.plain(';');
    }
    out_.close();
    out_.lineEnd();
  }
  out_.word("viewkind", 4);
  out_.word("uc", 1);
}

void Writer::writeParaProperties(const ParaFormat& p) {
  out_.word("pard");
  switch (p.alignment) {
    case pfa::Right: out_.word("qr"); break;
    case pfa::Center: out_.word("qc"); break;
    case pfa::Justify: out_.word("qj"); break;
    default: break;
  }
  if (p.leftIndent() != 0) out_.word("li", p.leftIndent());
  if (p.offset != 0) out_.word("fi", -static_cast<long long>(p.offset));
  if (p.rightIndent != 0) out_.word("ri", p.rightIndent);
  if (p.spaceBefore != 0) out_.word("sb", p.spaceBefore);
  if (p.spaceAfter != 0) out_.word("sa", p.spaceAfter);
  switch (p.lineSpacingRule) {
    case lsr::OneAndHalf:
      out_.word("sl", 360);
      out_.word("slmult", 1);
      break;
    case lsr::Double:
      out_.word("sl", 480);
      out_.word("slmult", 1);
      break;
    case lsr::AtLeast:
      if (p.lineSpacing > 0) {
        out_.word("sl", p.lineSpacing);
        out_.word("slmult", 0);
      }
      break;
    case lsr::Exactly:
      if (p.lineSpacing > 0) {
        out_.word("sl", -static_cast<long long>(p.lineSpacing));
        out_.word("slmult", 0);
      }
      break;
    case lsr::Multiple:
      if (p.lineSpacing > 0) {
        out_.word("sl", static_cast<long long>(p.lineSpacing) * 12);
        out_.word("slmult", 1);
      }
      break;
    default: break;
  }
  for (int i = 0; i < p.tabCount; ++i) {
    const std::int32_t t = p.tabs[static_cast<std::size_t>(i)];
    switch (tabAlignment(t)) {
      case tab::Center: out_.word("tqc"); break;
      case tab::Right: out_.word("tqr"); break;
      case tab::Decimal: out_.word("tqdec"); break;
      default: break;
    }
    switch (tabLeader(t)) {
      case tab::Dots: out_.word("tldot"); break;
      case tab::Dashes: out_.word("tlhyph"); break;
      case tab::Lines: out_.word("tlul"); break;
      case tab::Thick: out_.word("tlth"); break;
      case tab::Equals: out_.word("tleq"); break;
      default: break;
    }
    out_.word(tabAlignment(t) == tab::Bar ? "tb" : "tx", tabPosition(t));
  }
  if (p.has(pfe::Keep)) out_.word("keep");
  if (p.has(pfe::KeepNext)) out_.word("keepn");
  if (p.has(pfe::PageBreakBefore)) out_.word("pagebb");
  if (p.numbering != pfn::None) writePnGroup(p);
}

void Writer::writePnGroup(const ParaFormat& p) {
  out_.open();
  out_.escaped('*');
  out_.word("pn");
  if (p.numbering == pfn::Bullet) {
    out_.word("pnlvlblt");
    out_.word("pnf", symbolFont_);
  } else {
    out_.word((p.numberingStyle & 0x0700) == pfns::NoNumber ? "pnlvlcont" : "pnlvlbody");
    out_.word("pnf", 0);
  }
  if (p.numberingTab != 0) out_.word("pnindent", p.numberingTab);
  if (p.numberingStart != 0) out_.word("pnstart", p.numberingStart);
  switch (p.numbering) {
    case pfn::Bullet:
      out_.open();
      out_.word("pntxtb");
      out_.hexByte(0xB7);
      out_.close();
      break;
    default: {
      static const char* types[] = {"pndec",   "pndec",  "pndec", "pnlcltr",
                                    "pnucltr", "pnlcrm", "pnucrm"};
      out_.word(types[p.numbering <= pfn::Last ? p.numbering : pfn::Arabic]);
      switch (p.numberingStyle & 0x0700) {
        case pfns::Paren:
          out_.open();
          out_.word("pntxta");
          out_.plain(')');
          out_.close();
          break;
        case pfns::Parens:
          out_.open();
          out_.word("pntxtb");
          out_.plain('(');
          out_.close();
          out_.open();
          out_.word("pntxta");
          out_.plain(')');
          out_.close();
          break;
        case pfns::Period:
          out_.open();
          out_.word("pntxta");
          out_.plain('.');
          out_.close();
          break;
        default: break;
      }
      break;
    }
  }
  out_.close();
}

void Writer::writeParagraphStart(const ParaFormat& p, bool& havePara, ParaFormat& last) {
  if (!havePara || !(p == last)) {
    writeParaProperties(p);
    last = p;
    havePara = true;
  }
  // The label old readers show instead of interpreting \pn: the number the control itself
  // shows, nested lists and all.
  const std::uint32_t number = listCounter_.next(p);
  if (p.numbering == pfn::None) return;
  out_.open();
  out_.word("pntext");
  if (p.numbering == pfn::Bullet) {
    out_.word("f", symbolFont_);
    out_.hexByte(0xB7);
  } else {
    for (char16_t c : numberingLabel(p, number)) out_.plain(static_cast<char>(c));
  }
  out_.word("tab");
  out_.close();
}

void Writer::writeCharState(const CharStyle& style) {
  const CharFormat& c = style.format;
  WriterState want;
  want.font = fontIndex(c);
  want.halfPoints = (c.height + 5) / 10;
  want.effects = c.effects & TrackedEffects;
  want.underline = c.underlineType;
  want.offsetHalfPoints = c.offset / 10;
  want.textColor = c.has(cfe::AutoColor) ? 0 : colorIndex(c.textColor);
  want.backColor = c.has(cfe::AutoBackColor) ? 0 : colorIndex(c.backColor);
  WriterState& s = state_;
  if (want.font != s.font) out_.word("f", want.font);
  if (want.halfPoints != s.halfPoints) out_.word("fs", want.halfPoints);
  auto toggle = [&](std::uint32_t bit, const char* name) {
    if ((want.effects & bit) == (s.effects & bit)) return;
    if (want.effects & bit) {
      out_.word(name);
    } else {
      out_.word(name, 0);
    }
  };
  toggle(cfe::Bold, "b");
  toggle(cfe::Italic, "i");
  toggle(cfe::StrikeOut, "strike");
  toggle(cfe::SmallCaps, "scaps");
  toggle(cfe::AllCaps, "caps");
  toggle(cfe::Hidden, "v");
  toggle(cfe::Protected, "protect");
  const std::uint32_t scripts = cfe::SuperScript | cfe::SubScript;
  if ((want.effects & scripts) != (s.effects & scripts)) {
    if (want.effects & cfe::SuperScript) {
      out_.word("super");
    } else if (want.effects & cfe::SubScript) {
      out_.word("sub");
    } else {
      out_.word("nosupersub");
    }
  }
  if (want.underline != s.underline) out_.word(underlineWord(want.underline));
  if (want.offsetHalfPoints != s.offsetHalfPoints) {
    if (want.offsetHalfPoints >= 0) {
      out_.word("up", want.offsetHalfPoints);
    } else {
      out_.word("dn", -static_cast<long long>(want.offsetHalfPoints));
    }
  }
  if (want.textColor != s.textColor) out_.word("cf", want.textColor);
  if (want.backColor != s.backColor) {
    out_.word("chcbpat", want.backColor);
    out_.word("highlight", want.backColor);
  }
  s = want;
}

// Not every page keeps ASCII: to some converters Johab's 0x5c is the won sign.
bool Writer::asciiReadsBack(std::uint32_t codePage, char16_t c) {
  if (c >= 0x80 || codePage == CodePageSymbol) return true;
  auto it = asciiReadsBack_.find(codePage);
  if (it == asciiReadsBack_.end()) {
    std::string all(0x80, '\0');
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<char>(i);
    const std::u16string back = converter_.decode(codePage, all);
    std::array<bool, 128> same{};
    for (std::size_t i = 0; i < same.size(); ++i)
      same[i] = back.size() == all.size() && back[i] == static_cast<char16_t>(i);
    it = asciiReadsBack_.emplace(codePage, same).first;
  }
  return it->second[c];
}

void Writer::writeChar(char16_t c, std::uint32_t codePage) {
  if (c >= 0x20 && !asciiReadsBack(codePage, c)) {
    out_.word("u", static_cast<std::int16_t>(c));
    out_.plain('?');
    return;
  }
  switch (c) {
    case u'\\': out_.escaped('\\'); return;
    case u'{': out_.escaped('{'); return;
    case u'}': out_.escaped('}'); return;
    case u'\t': out_.word("tab"); return;
    case 0x000B: out_.word("line"); return;
    case 0x000C: out_.word("page"); return;
    case 0x00A0: out_.escaped('~'); return;
    case 0x00AD: out_.escaped('-'); return;
    case 0x2011: out_.escaped('_'); return;
    default: break;
  }
  if (c >= 0x20 && c < 0x80) {
    out_.plain(static_cast<char>(c));
    return;
  }
  if (c >= 0x80 && codePage == CodePageSymbol && c <= 0xFF) {
    out_.hexByte(static_cast<unsigned char>(c));
    return;
  }
  if (c >= 0x80 && codePage != CodePageSymbol && writeInCodePage(c, codePage)) return;
  out_.word("u", static_cast<std::int16_t>(c));
  out_.plain('?');
}

// The character as the bytes of the font's code page, each as \'hh (a trail byte may be a
// backslash or a brace: it is never written as an escape of its own); false when the page has
// no bytes that read back as this character.
bool Writer::writeInCodePage(char16_t c, std::uint32_t codePage) {
  char b;
  if (converter_.encodeChar(codePage, c, b)) {
    out_.hexByte(static_cast<unsigned char>(b));
    return true;
  }
  if (c >= 0xD800 && c <= 0xDFFF) return false;
  const std::u16string_view one(&c, 1);
  const std::string bytes = converter_.encode(codePage, one);
  if (bytes.size() != 2 || !converter_.isLeadByte(codePage, static_cast<unsigned char>(bytes[0])) ||
      converter_.decode(codePage, bytes) != one) {
    return false;
  }
  for (char byte : bytes) out_.hexByte(static_cast<unsigned char>(byte));
  return true;
}

void Writer::writeText(std::u16string_view text, const CharFormat& format) {
  const std::uint32_t cp = codePageForCharset(format.charSet, options_.codePage);
  for (char16_t c : text) writeChar(c, cp);
}

void Writer::writePicture(const Picture& p) {
  out_.open();
  out_.word("pict");
  switch (p.kind) {
    case PictureKind::Emf: out_.word("emfblip"); break;
    case PictureKind::Wmf: out_.word("wmetafile", p.mapMode); break;
    case PictureKind::Dib: out_.word("dibitmap", 0); break;
    case PictureKind::Png: out_.word("pngblip"); break;
    case PictureKind::Jpeg: out_.word("jpegblip"); break;
  }
  out_.word("picw", p.width);
  out_.word("pich", p.height);
  if (p.goalWidth != 0) out_.word("picwgoal", p.goalWidth);
  if (p.goalHeight != 0) out_.word("pichgoal", p.goalHeight);
  if (p.scaleX != 100) out_.word("picscalex", p.scaleX);
  if (p.scaleY != 100) out_.word("picscaley", p.scaleY);
  out_.lineEnd();
  static const char digits[] = "0123456789abcdef";
  std::string& s = out_.str();
  s.reserve(s.size() + p.data.size() * 2 + p.data.size() / 64 * 2 + 8);
  for (std::size_t i = 0; i < p.data.size(); ++i) {
    const auto b = static_cast<unsigned char>(p.data[i]);
    s.push_back(digits[b >> 4]);
    s.push_back(digits[b & 15]);
    if (i % 64 == 63) s += "\r\n";
  }
  out_.close();
}

void Writer::openLink(const std::u16string& target) {
  beforeLink_ = state_;
  out_.open();
  out_.word("field");
  out_.open();
  out_.escaped('*');
  out_.word("fldinst");
  out_.open();
  out_.raw("HYPERLINK \"");
  // Inside the quotes a field instruction escapes quotes and backslashes with a backslash.
  for (char16_t c : target) {
    if (c == u'"' || c == u'\\') out_.escaped('\\');
    writeChar(c, options_.codePage);
  }
  out_.raw("\"");
  out_.close();
  out_.close();
  out_.open();
  out_.word("fldrslt");
  out_.open();
}

void Writer::closeLink() {
  out_.close();
  out_.close();
  out_.close();
  state_ = *beforeLink_;
  beforeLink_.reset();
}

std::string Writer::run() {
  collectTables();
  writeHeader();
  const std::u16string& text = f_.text();
  const auto& spans = f_.spans();
  const auto& pictures = f_.pictures();
  std::size_t span = 0;
  CharPos spanEnd = spans.empty() ? 0 : spans[0].length;
  std::size_t pic = 0;
  std::size_t para = 0;
  bool havePara = false;
  ParaFormat lastPara;
  bool atParagraphStart = true;
  std::optional<std::u16string> linkTarget;  // the open link's target
  const auto n = static_cast<CharPos>(text.size());

  auto paragraphFormatAt = [&]() -> const ParaFormat& {
    return para < f_.paragraphFormats().size() ? f_.paraFormat(f_.paragraphFormats()[para])
                                               : f_.paraFormat(f_.trailingParaFormat());
  };

  for (CharPos i = 0; i < n;) {
    while (span < spans.size() && i >= spanEnd) {
      ++span;
      if (span < spans.size()) spanEnd += spans[span].length;
    }
    const CharStyle& style = f_.style(spans[span].style);
    if (atParagraphStart) {
      if (linkTarget) {
        closeLink();
        linkTarget.reset();
      }
      writeParagraphStart(paragraphFormatAt(), havePara, lastPara);
      atParagraphStart = false;
    }
    const char16_t c = text[static_cast<std::size_t>(i)];
    const bool isPicture = pic < pictures.size() && pictures[pic].pos == i;
    // Links: one field per stretch of equally linked text within a paragraph.
    const bool linked = style.format.has(cfe::Link) && c != u'\r';
    if (linkTarget && (!linked || *linkTarget != style.linkTarget)) {
      closeLink();
      linkTarget.reset();
    }
    if (linked && !linkTarget) {
      std::u16string target = style.linkTarget;
      if (target.empty()) {
        // The shown text is the address: gather this stretch.
        std::size_t s = span;
        CharPos sEnd = spanEnd;
        std::size_t pp = pic;
        for (CharPos j = i; j < n; ++j) {
          while (s < spans.size() && j >= sEnd) {
            ++s;
            if (s < spans.size()) sEnd += spans[s].length;
          }
          const CharStyle& st = f_.style(spans[s].style);
          const char16_t d = text[static_cast<std::size_t>(j)];
          if (!st.format.has(cfe::Link) || !st.linkTarget.empty() || d == u'\r') break;
          while (pp < pictures.size() && pictures[pp].pos < j) ++pp;
          if (pp < pictures.size() && pictures[pp].pos == j) continue;
          target.push_back(d);
        }
      }
      linkTarget = style.linkTarget;
      openLink(target);
    }
    writeCharState(style);
    if (c == u'\r') {
      out_.word("par");
      out_.lineEnd();
      ++para;
      atParagraphStart = true;
      ++i;
      continue;
    }
    if (isPicture) {
      writePicture(*pictures[pic].picture);
      ++pic;
      ++i;
      continue;
    }
    // A stretch of plain characters in this span.
    CharPos stop = std::min(spanEnd, n);
    for (CharPos j = i; j < stop; ++j) {
      const char16_t d = text[static_cast<std::size_t>(j)];
      if (d == u'\r' || (pic < pictures.size() && pictures[pic].pos == j)) {
        stop = j;
        break;
      }
    }
    writeText(std::u16string_view(text).substr(static_cast<std::size_t>(i),
                                               static_cast<std::size_t>(stop - i)),
              style.format);
    i = stop;
  }
  if (linkTarget) closeLink();
  if (n == 0) {
    writeParagraphStart(f_.paraFormat(f_.trailingParaFormat()), havePara, lastPara);
    writeCharState(f_.style(f_.endStyle()));
  }
  out_.close();
  return std::move(out_.str());
}

}  // namespace

std::string writeRtf(const RichTextFragment& fragment, const RtfWriteOptions& options) {
  Writer w(fragment, options);
  return w.run();
}

bool writeRtf(const RichTextFragment& fragment, ByteSink& sink, const RtfWriteOptions& options) {
  const std::string rtf = writeRtf(fragment, options);
  constexpr std::size_t block = 64 * 1024;
  for (std::size_t at = 0; at < rtf.size(); at += block) {
    if (!sink.write(rtf.data() + at, std::min(block, rtf.size() - at))) return false;
  }
  return true;
}

}  // namespace richedit
