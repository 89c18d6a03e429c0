#include "richedit/RtfReader.h"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "richedit/RtfTokenizer.h"

namespace richedit {

namespace {

// ------------------------------------------------------------------ control words

// clang-format off
enum class Kw {
  // destinations
  FontTable, ColorTable, StyleSheet, ListTable, ListOverrideTable, List, ListLevel, ListOverride,
  LevelText, Pict, Field, FldInst, FldRslt, Object, Result, ShpPict, NonShpPict, Pn, PnTxtB,
  PnTxtA, UpDnProp, SkipDest,
  // header
  Rtf, Ansi, Mac, Pc, Pca, AnsiCpg, Deff, Uc, U,
  // font table entries
  F, FCharset, FPrq, FNil, FRoman, FSwiss, FModern, FScript, FDecor, FTech, FBidi, Cpg,
  // colour table
  Red, Green, Blue,
  // character formatting
  Plain, B, I, Ul, UlW, UlDb, UlD, UlDash, UlDashD, UlDashDd, UlWave, UlTh, UlHair, UlUlDbWave,
  UlHWave, UlLDash, UlThDash, UlThDashD, UlThDashDd, UlThD, UlThLDash, UlNone, Strike, Striked,
  Scaps, Caps, V, Protect, Super, Sub, NoSuperSub, Up, Dn, Fs, Cf, Cb, Highlight, ChCbPat,
  // paragraph formatting
  Pard, Ql, Qr, Qc, Qj, Qd, Li, Ri, Fi, Sb, Sa, Sl, SlMult, Tx, Tb, Tqr, Tqc, TqDec, TlDot,
  TlHyph, TlUl, TlTh, TlEq, PageBb, Keep, KeepN, InTbl, Ls, Ilvl,
  // table rows
  Trowd, Cellx, Trgaph, Trleft, TrPaddL,
  // list table values
  LevelNfc, LevelStartAt, ListId,
  // old-style numbering
  PnLvlBlt, PnLvlBody, PnLvlCont, PnLvl, PnDec, PnUcLtr, PnLcLtr, PnUcRm, PnLcRm, PnStart,
  PnIndent,
  // pictures
  EmfBlip, PngBlip, JpegBlip, WMetafile, DiBitmap, OtherBlip, PicW, PicH, PicWGoal, PicHGoal,
  PicScaleX, PicScaleY, Bin,
  // text
  Par, Sect, Line, Page, Tab, Cell, Row, NestCell, NestRow, EmDash, EnDash, EmSpace, EnSpace,
  QmSpace, Bullet, LQuote, RQuote, LDblQuote, RDblQuote, Zwj, Zwnj, LtrMark, RtlMark, ChFtn,
};
// clang-format on

const std::unordered_map<std::string_view, Kw>& keywords() {
  static const std::unordered_map<std::string_view, Kw> table = {
      {"fonttbl", Kw::FontTable},
      {"colortbl", Kw::ColorTable},
      {"stylesheet", Kw::StyleSheet},
      {"listtable", Kw::ListTable},
      {"listoverridetable", Kw::ListOverrideTable},
      {"list", Kw::List},
      {"listlevel", Kw::ListLevel},
      {"listoverride", Kw::ListOverride},
      {"leveltext", Kw::LevelText},
      {"pict", Kw::Pict},
      {"field", Kw::Field},
      {"fldinst", Kw::FldInst},
      {"fldrslt", Kw::FldRslt},
      {"object", Kw::Object},
      {"result", Kw::Result},
      {"shppict", Kw::ShpPict},
      {"nonshppict", Kw::NonShpPict},
      {"pn", Kw::Pn},
      {"pntxtb", Kw::PnTxtB},
      {"pntxta", Kw::PnTxtA},
      {"updnprop", Kw::UpDnProp},
      // destinations whose content is not document text
      {"info", Kw::SkipDest},
      {"header", Kw::SkipDest},
      {"headerl", Kw::SkipDest},
      {"headerr", Kw::SkipDest},
      {"headerf", Kw::SkipDest},
      {"footer", Kw::SkipDest},
      {"footerl", Kw::SkipDest},
      {"footerr", Kw::SkipDest},
      {"footerf", Kw::SkipDest},
      {"footnote", Kw::SkipDest},
      {"annotation", Kw::SkipDest},
      {"atnid", Kw::SkipDest},
      {"atnauthor", Kw::SkipDest},
      {"pntext", Kw::SkipDest},
      {"listtext", Kw::SkipDest},
      {"levelnumbers", Kw::SkipDest},
      {"listname", Kw::SkipDest},
      {"lfolevel", Kw::SkipDest},
      {"objdata", Kw::SkipDest},
      {"objclass", Kw::SkipDest},
      {"objname", Kw::SkipDest},
      {"shpinst", Kw::SkipDest},
      {"xe", Kw::SkipDest},
      {"tc", Kw::SkipDest},
      {"txe", Kw::SkipDest},
      {"rxe", Kw::SkipDest},
      {"bkmkstart", Kw::SkipDest},
      {"bkmkend", Kw::SkipDest},
      {"comment", Kw::SkipDest},
      {"doccomm", Kw::SkipDest},
      {"author", Kw::SkipDest},
      {"title", Kw::SkipDest},
      {"subject", Kw::SkipDest},
      {"keywords", Kw::SkipDest},
      {"operator", Kw::SkipDest},
      {"company", Kw::SkipDest},
      {"manager", Kw::SkipDest},
      {"category", Kw::SkipDest},
      {"creatim", Kw::SkipDest},
      {"revtim", Kw::SkipDest},
      {"printim", Kw::SkipDest},
      {"buptim", Kw::SkipDest},
      {"template", Kw::SkipDest},
      {"private", Kw::SkipDest},
      {"filetbl", Kw::SkipDest},
      {"revtbl", Kw::SkipDest},
      {"rsidtbl", Kw::SkipDest},
      {"generator", Kw::SkipDest},
      {"themedata", Kw::SkipDest},
      {"colorschememapping", Kw::SkipDest},
      {"datastore", Kw::SkipDest},
      {"latentstyles", Kw::SkipDest},
      {"xmlnstbl", Kw::SkipDest},
      {"mmathPr", Kw::SkipDest},
      {"pgdsctbl", Kw::SkipDest},
      {"userprops", Kw::SkipDest},
      {"docvar", Kw::SkipDest},
      {"ftnsep", Kw::SkipDest},
      {"ftnsepc", Kw::SkipDest},
      {"ftncn", Kw::SkipDest},
      {"aftnsep", Kw::SkipDest},
      {"aftnsepc", Kw::SkipDest},
      {"aftncn", Kw::SkipDest},
      {"background", Kw::SkipDest},
      {"pnseclvl", Kw::SkipDest},
      {"fldtype", Kw::SkipDest},
      {"blipuid", Kw::SkipDest},
      {"picprop", Kw::SkipDest},
      {"falt", Kw::SkipDest},
      {"panose", Kw::SkipDest},
      {"fname", Kw::SkipDest},
      // header
      {"rtf", Kw::Rtf},
      {"urtf", Kw::Rtf},
      {"ansi", Kw::Ansi},
      {"mac", Kw::Mac},
      {"pc", Kw::Pc},
      {"pca", Kw::Pca},
      {"ansicpg", Kw::AnsiCpg},
      {"deff", Kw::Deff},
      {"uc", Kw::Uc},
      {"u", Kw::U},
      // fonts
      {"f", Kw::F},
      {"fcharset", Kw::FCharset},
      {"fprq", Kw::FPrq},
      {"fnil", Kw::FNil},
      {"froman", Kw::FRoman},
      {"fswiss", Kw::FSwiss},
      {"fmodern", Kw::FModern},
      {"fscript", Kw::FScript},
      {"fdecor", Kw::FDecor},
      {"ftech", Kw::FTech},
      {"fbidi", Kw::FBidi},
      {"cpg", Kw::Cpg},
      // colours
      {"red", Kw::Red},
      {"green", Kw::Green},
      {"blue", Kw::Blue},
      // character formatting
      {"plain", Kw::Plain},
      {"b", Kw::B},
      {"i", Kw::I},
      {"ul", Kw::Ul},
      {"ulw", Kw::UlW},
      {"uldb", Kw::UlDb},
      {"uld", Kw::UlD},
      {"uldash", Kw::UlDash},
      {"uldashd", Kw::UlDashD},
      {"uldashdd", Kw::UlDashDd},
      {"ulwave", Kw::UlWave},
      {"ulth", Kw::UlTh},
      {"ulhair", Kw::UlHair},
      {"ululdbwave", Kw::UlUlDbWave},
      {"ulhwave", Kw::UlHWave},
      {"ulldash", Kw::UlLDash},
      {"ulthdash", Kw::UlThDash},
      {"ulthdashd", Kw::UlThDashD},
      {"ulthdashdd", Kw::UlThDashDd},
      {"ulthd", Kw::UlThD},
      {"ulthldash", Kw::UlThLDash},
      {"ulnone", Kw::UlNone},
      {"strike", Kw::Strike},
      {"striked", Kw::Striked},
      {"scaps", Kw::Scaps},
      {"caps", Kw::Caps},
      {"v", Kw::V},
      {"protect", Kw::Protect},
      {"super", Kw::Super},
      {"sub", Kw::Sub},
      {"nosupersub", Kw::NoSuperSub},
      {"up", Kw::Up},
      {"dn", Kw::Dn},
      {"fs", Kw::Fs},
      {"cf", Kw::Cf},
      {"cb", Kw::Cb},
      {"highlight", Kw::Highlight},
      {"chcbpat", Kw::ChCbPat},
      // paragraph formatting
      {"pard", Kw::Pard},
      {"ql", Kw::Ql},
      {"qr", Kw::Qr},
      {"qc", Kw::Qc},
      {"qj", Kw::Qj},
      {"qd", Kw::Qd},
      {"li", Kw::Li},
      {"ri", Kw::Ri},
      {"fi", Kw::Fi},
      {"sb", Kw::Sb},
      {"sa", Kw::Sa},
      {"sl", Kw::Sl},
      {"slmult", Kw::SlMult},
      {"tx", Kw::Tx},
      {"tb", Kw::Tb},
      {"tqr", Kw::Tqr},
      {"tqc", Kw::Tqc},
      {"tqdec", Kw::TqDec},
      {"tldot", Kw::TlDot},
      {"tlmdot", Kw::TlDot},
      {"tlhyph", Kw::TlHyph},
      {"tlul", Kw::TlUl},
      {"tlth", Kw::TlTh},
      {"tleq", Kw::TlEq},
      {"pagebb", Kw::PageBb},
      {"keep", Kw::Keep},
      {"keepn", Kw::KeepN},
      {"intbl", Kw::InTbl},
      {"trowd", Kw::Trowd},
      {"cellx", Kw::Cellx},
      {"trgaph", Kw::Trgaph},
      {"trleft", Kw::Trleft},
      {"trpaddl", Kw::TrPaddL},
      {"ls", Kw::Ls},
      {"ilvl", Kw::Ilvl},
      // lists
      {"levelnfc", Kw::LevelNfc},
      {"levelnfcn", Kw::LevelNfc},
      {"levelstartat", Kw::LevelStartAt},
      {"listid", Kw::ListId},
      // old-style numbering
      {"pnlvlblt", Kw::PnLvlBlt},
      {"pnlvlbody", Kw::PnLvlBody},
      {"pnlvlcont", Kw::PnLvlCont},
      {"pnlvl", Kw::PnLvl},
      {"pndec", Kw::PnDec},
      {"pnucltr", Kw::PnUcLtr},
      {"pnlcltr", Kw::PnLcLtr},
      {"pnucrm", Kw::PnUcRm},
      {"pnlcrm", Kw::PnLcRm},
      {"pnord", Kw::PnDec},
      {"pncard", Kw::PnDec},
      {"pnordt", Kw::PnDec},
      {"pnstart", Kw::PnStart},
      {"pnindent", Kw::PnIndent},
      // pictures
      {"emfblip", Kw::EmfBlip},
      {"pngblip", Kw::PngBlip},
      {"jpegblip", Kw::JpegBlip},
      {"wmetafile", Kw::WMetafile},
      {"dibitmap", Kw::DiBitmap},
      {"wbitmap", Kw::OtherBlip},
      {"macpict", Kw::OtherBlip},
      {"pmmetafile", Kw::OtherBlip},
      {"picw", Kw::PicW},
      {"pich", Kw::PicH},
      {"picwgoal", Kw::PicWGoal},
      {"pichgoal", Kw::PicHGoal},
      {"picscalex", Kw::PicScaleX},
      {"picscaley", Kw::PicScaleY},
      {"bin", Kw::Bin},
      // text
      {"par", Kw::Par},
      {"sect", Kw::Sect},
      {"column", Kw::Sect},
      {"line", Kw::Line},
      {"lbr", Kw::Line},
      {"page", Kw::Page},
      {"tab", Kw::Tab},
      {"cell", Kw::Cell},
      {"row", Kw::Row},
      {"nestcell", Kw::NestCell},
      {"nestrow", Kw::NestRow},
      {"emdash", Kw::EmDash},
      {"endash", Kw::EnDash},
      {"emspace", Kw::EmSpace},
      {"enspace", Kw::EnSpace},
      {"qmspace", Kw::QmSpace},
      {"bullet", Kw::Bullet},
      {"lquote", Kw::LQuote},
      {"rquote", Kw::RQuote},
      {"ldblquote", Kw::LDblQuote},
      {"rdblquote", Kw::RDblQuote},
      {"zwj", Kw::Zwj},
      {"zwnj", Kw::Zwnj},
      {"ltrmark", Kw::LtrMark},
      {"rtlmark", Kw::RtlMark},
      {"chftn", Kw::ChFtn},
  };
  return table;
}

std::optional<Kw> lookup(std::string_view word) {
  const auto& t = keywords();
  auto it = t.find(word);
  if (it == t.end()) return std::nullopt;
  return it->second;
}

bool isDestination(Kw k) { return k <= Kw::SkipDest; }

// ------------------------------------------------------------------ reader state

enum class Dest : std::uint8_t {
  Body,
  Skip,
  FontTable,
  ColorTable,
  ListTable,
  ListOverrideTable,
  LevelText,
  Pict,
  Field,
  FldInst,
  Object,
  Pn,
  PnTextBefore,
  PnTextAfter,
};

struct CharState {
  CharFormat format;
  int font = -1;
  std::uint32_t codePage = 1252;
  bool autoScript = false;  // \up and \dn stand for superscript and subscript
};

struct ParaState {
  ParaFormat format;
  std::int32_t li = 0;
  std::int32_t fi = 0;
  std::int32_t sl = 0;
  bool slMult = false;
  std::uint32_t tabAlign = tab::Left;
  std::uint32_t tabLeader = tab::NoLeader;
  bool inTable = false;
  std::int32_t ls = -1;  // \ls: the list override, -1 for none (\ls0 is a real one)
  std::int32_t ilvl = 0;
};

struct GroupState {
  Dest dest = Dest::Body;
  CharState chr;
  ParaState para;
  int uc = 1;
  int field = -1;  // index into fields while inside a field
  int link = -1;   // index into links for the result of a hyperlink field
  int list = -1;   // list table: the list and level being read
  int level = -1;
  bool starred = false;   // "\*" seen right after the group's brace
  bool firstWord = true;  // the next control word is the group's first
};

struct FontEntry {
  std::u16string name;
  std::uint8_t charSet = charset::Default;
  std::uint8_t pitchAndFamily = 0;
  std::uint32_t codePage = 0;  // 0: from the character set
};

struct ListLevel {
  int nfc = 0;
  int startAt = 1;
  std::u16string text;
};

struct ListDef {
  std::int32_t id = 0;
  std::vector<ListLevel> levels;
};

struct FieldInfo {
  std::u16string instruction;
  CharPos resultStart = -1;
  int link = -1;
};

struct PnDraft {
  std::uint16_t numbering = pfn::None;
  bool body = false;
  bool cont = false;
  std::uint16_t type = pfn::Arabic;
  std::uint16_t start = 0;
  std::uint16_t tabWidth = 0;
  std::u16string before;
  std::u16string after;
};

constexpr std::size_t MaxFonts = 16384;
constexpr std::size_t MaxColors = 16384;
constexpr std::size_t MaxLists = 4096;
constexpr std::size_t MaxLevels = 9;
constexpr std::size_t MaxSmallText = 4096;  // font names, field instructions, level texts
constexpr std::size_t MaxOverrides = 4096;
constexpr std::size_t MaxFields = 4096;  // fields open at once

// Lengths far beyond any page, clamped so sums of them cannot overflow.
std::int32_t twips(std::int32_t v) { return std::clamp(v, -(1 << 28), 1 << 28); }

// Without control characters (no name or instruction holds them) and outer blanks.
std::u16string trimmed(std::u16string s) {
  std::erase_if(s, [](char16_t c) { return c < 0x20 && c != u'\t'; });
  auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
  while (!s.empty() && blank(s.back())) s.pop_back();
  std::size_t i = 0;
  while (i < s.size() && blank(s[i])) ++i;
  return s.substr(i);
}

// A font table name as a face name holds it: cut to its length and trimmed after the cut.
std::u16string faceName(std::u16string s) {
  s = trimmed(std::move(s));
  if (s.size() >= FaceNameCapacity) s = trimmed(s.substr(0, FaceNameCapacity - 1));
  return s;
}

// The target of a HYPERLINK field instruction, or nullopt for another field.
std::optional<std::u16string> hyperlinkTarget(std::u16string_view inst) {
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < inst.size() && (inst[i] == u' ' || inst[i] == u'\t')) ++i;
  };
  auto word = [&]() {
    skipBlanks();
    std::u16string w;
    if (i < inst.size() && inst[i] == u'"') {
      ++i;
      while (i < inst.size() && inst[i] != u'"') {
        if (inst[i] == u'\\' && i + 1 < inst.size()) ++i;  // \" and \\ stand for themselves
        w.push_back(inst[i++]);
      }
      if (i < inst.size()) ++i;
    } else {
      while (i < inst.size() && inst[i] != u' ' && inst[i] != u'\t') w.push_back(inst[i++]);
    }
    return w;
  };
  std::u16string name = word();
  for (auto& c : name) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  }
  if (name != u"HYPERLINK") return std::nullopt;
  std::u16string url;
  std::u16string anchor;
  while (true) {
    skipBlanks();
    if (i >= inst.size()) break;
    const bool isSwitch = inst[i] == u'\\';
    std::u16string w = word();
    if (isSwitch) {
      if (w == u"\\l") {
        anchor = word();
      } else if (w == u"\\o" || w == u"\\t") {
        word();  // tooltip or frame: not kept
      }
      continue;
    }
    if (url.empty()) url = w;
  }
  if (!anchor.empty()) url += u"#" + anchor;
  if (url.empty()) return std::nullopt;  // a link to nowhere is no link
  return url;
}

std::uint16_t numberingStyleFor(std::u16string_view before, std::u16string_view after) {
  if (after == u")" && before == u"(") return pfns::Parens;
  if (after == u")") return pfns::Paren;
  if (after.find(u'.') != std::u16string_view::npos) return pfns::Period;
  if (after.empty() && before.empty()) return pfns::Plain;
  return pfns::Period;
}

// ------------------------------------------------------------------ the reader

class RtfParser {
 public:
  RtfParser(ByteSource& source, const RtfReadOptions& options)
      : tokens_(source),
        options_(options),
        converter_(options.converter ? *options.converter : builtinCodePages()),
        docCodePage_(options.defaultCodePage) {
    GroupState root;
    root.chr.format = baseFormat();
    root.chr.codePage = docCodePage_;
    root.para.format = defaultParaFormat();
    rootState_ = root;
  }

  RtfReadResult run();

 private:
  // stream
  void handleGroupStart();
  void handleGroupEnd();
  void handleWord(std::string_view word, bool hasParam, std::int32_t param);
  void handleSymbol(char c);
  void handleHex(unsigned char b);
  void handleText(std::string_view bytes);
  void addByte(unsigned char b);
  // Level texts hold their length and level numbers as raw byte values.
  void appendLevelByte(unsigned char b) {
    const GroupState& g = top();
    if (g.list < 0 || g.level < 0) return;
    auto& t =
        lists_[static_cast<std::size_t>(g.list)].levels[static_cast<std::size_t>(g.level)].text;
    if (t.size() < MaxSmallText) t.push_back(b);
  }                    // a byte of text from \'hh or an escaped character
  bool consumeSkip();  // one unit of \u fallback; true when the token is to be dropped

  // destinations
  bool enterDestination(Kw k);
  void finishGroup(const GroupState& closed);
  void bodyWord(Kw k, bool hasParam, std::int32_t param);
  void fontTableWord(Kw k, bool hasParam, std::int32_t param);
  void listWord(Kw k, std::int32_t param);
  void pnWord(Kw k, std::int32_t param);
  void pictWord(Kw k, bool hasParam, std::int32_t param);
  void readBinary(std::int32_t count);

  // text output
  void flushBytes(bool keepOpenCharacter = false);
  void emitText(std::u16string_view text);
  void emitChar(char16_t c) { emitText(std::u16string_view(&c, 1)); }
  void endParagraph();
  void endCell();
  void endRow(bool nested);
  void emitPicture();
  bool roomFor(CharPos n);
  void appendToDestination(std::u16string_view text);

  // formats
  CharFormat baseFormat() const;
  // The code page of the font table entry being read: its name is written in it.
  std::uint32_t fontDraftCodePage() const {
    return fontDraft_.codePage ? fontDraft_.codePage
                               : codePageForCharset(fontDraft_.charSet, docCodePage_);
  }
  void resolveFont(CharState& chr, int index) const;
  // The style text takes now; paragraph marks never take part in a link (RTF cannot say so).
  FormatId currentStyle(bool paragraphMark = false);
  FormatId currentParaFormat();
  ParaFormat paraFormatNow();
  FormatId rowParaFormat();
  void applyListNumbering(ParaFormat& f, const ParaState& p) const;
  std::optional<Color> color(std::int32_t index) const;
  void setUnderline(std::uint8_t type, bool hasParam, std::int32_t param);

  GroupState& top() { return stack_.back(); }
  bool inBody() const { return !stack_.empty() && stack_.back().dest == Dest::Body; }

  RtfTokenizer tokens_;
  const RtfReadOptions& options_;
  const CodePageConverter& converter_;
  RtfReadResult result_;
  std::vector<GroupState> stack_;
  GroupState rootState_;
  int skippedDepth_ = 0;  // groups nested past maxDepth that are being skipped
  int skip_ = 0;          // \u fallback characters still to drop
  bool stop_ = false;
  // The document's own group has closed: reading ends there, as the platform's reader's does.
  // Whatever follows (junk, slack of an older file, a second document) is not the document's.
  bool ended_ = false;
  std::uint32_t docCodePage_;
  int defaultFont_ = 0;  // \deff0 unless the header says otherwise
  std::map<int, FontEntry> fonts_;
  FontEntry fontDraft_;
  int fontDraftIndex_ = -1;
  std::string fontDraftBytes_;
  std::vector<std::optional<Color>> colors_;
  int red_ = -1, green_ = -1, blue_ = -1;
  std::vector<ListDef> lists_;
  std::map<std::int32_t, std::int32_t> overrides_;  // \ls number -> \listid
  std::int32_t overrideLs_ = -1, overrideId_ = 0;
  std::vector<FieldInfo> fields_;
  std::vector<std::u16string> links_;
  PnDraft pn_;
  std::optional<Picture> picture_;
  bool pictureUnsupported_ = false;
  bool pictureTooBig_ = false;
  int pictureHighNibble_ = -1;
  std::size_t pictureBytesTotal_ = 0;
  std::string pendingBytes_;
  std::uint32_t pendingCodePage_ = 1252;
  bool pendingCellBreak_ = false;  // a \par inside a cell: a line break if the cell goes on
  bool lastWasCellTab_ = false;
  // The row being read: it becomes one paragraph whose tab stops stand where its cells do.
  std::vector<std::int32_t> cellRights_;            // \cellx: each cell's right edge
  std::vector<std::uint16_t> cellAlignments_;       // of the text of each cell ended so far
  std::optional<std::uint16_t> cellParaAlignment_;  // of the last paragraph ended in the cell
  std::int32_t rowLeft_ = 0;
  std::int32_t cellGap_ = 108;  // text stands this far inside its cell
  int footnotes_ = 0;
  CharStyle lastStyle_;
  FormatId lastStyleId_ = 0;
  bool lastStyleValid_ = false;
};

CharFormat RtfParser::baseFormat() const {
  CharFormat f = options_.baseFormat ? *options_.baseFormat : defaultCharFormat();
  f.effects = cfe::AutoColor | cfe::AutoBackColor;
  f.height = 240;  // RTF's own default size
  f.offset = 0;
  f.weight = NormalWeight;
  f.underlineType = cfu::None;
  f.textColor = f.backColor = 0;
  return f;
}

void RtfParser::resolveFont(CharState& chr, int index) const {
  chr.font = index;
  auto it = fonts_.find(index);
  if (it == fonts_.end()) {
    chr.codePage = docCodePage_;
    return;
  }
  chr.format.setFaceName(it->second.name);
  chr.format.charSet = it->second.charSet;
  chr.format.pitchAndFamily = it->second.pitchAndFamily;
  chr.codePage = it->second.codePage ? it->second.codePage
                                     : codePageForCharset(it->second.charSet, docCodePage_);
}

std::optional<Color> RtfParser::color(std::int32_t index) const {
  if (index <= 0 || static_cast<std::size_t>(index) >= colors_.size()) return std::nullopt;
  return colors_[static_cast<std::size_t>(index)];
}

FormatId RtfParser::currentStyle(bool paragraphMark) {
  const GroupState& g = top();
  CharStyle s{g.chr.format, {}};
  if (g.link >= 0 && !paragraphMark) {
    s.format.effects |= cfe::Link;
    s.linkTarget = links_[static_cast<std::size_t>(g.link)];
  } else {
    s.format.effects &= ~cfe::Link;
  }
  normalize(s.format);
  if (lastStyleValid_ && s == lastStyle_) return lastStyleId_;
  lastStyleId_ = result_.fragment.internStyle(s);
  lastStyle_ = std::move(s);
  lastStyleValid_ = true;
  return lastStyleId_;
}

void RtfParser::applyListNumbering(ParaFormat& f, const ParaState& p) const {
  if (p.ls < 0) return;
  // An override names its list; a number no override has is taken for the list's own id.
  auto o = overrides_.find(p.ls);
  if (o == overrides_.end() && p.ls == 0) return;
  const std::int32_t id = o == overrides_.end() ? p.ls : o->second;
  const ListDef* list = nullptr;
  for (const auto& l : lists_) {
    if (l.id == id) list = &l;
  }
  if (!list || list->levels.empty()) return;
  const std::size_t lvl = static_cast<std::size_t>(
      std::clamp<std::int32_t>(p.ilvl, 0, static_cast<std::int32_t>(list->levels.size()) - 1));
  const ListLevel& level = list->levels[lvl];
  switch (level.nfc) {
    case 255: f.numbering = pfn::None; return;
    case 23:
      f.numbering = pfn::Bullet;
      f.numberingStyle = pfns::Paren;
      return;
    case 1: f.numbering = pfn::UcRoman; break;
    case 2: f.numbering = pfn::LcRoman; break;
    case 3: f.numbering = pfn::UcLetter; break;
    case 4: f.numbering = pfn::LcLetter; break;
    default: f.numbering = pfn::Arabic; break;
  }
  // The level text is a length, then characters with the level numbers as codes below 10.
  std::u16string_view t(level.text);
  if (!t.empty()) t = t.substr(1, std::min<std::size_t>(t[0], t.size() - 1));
  std::size_t first = t.size(), last = t.size();
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (t[i] < 10) {
      if (first == t.size()) first = i;
      last = i;
    }
  }
  std::u16string_view before = first < t.size() ? t.substr(0, first) : std::u16string_view{};
  std::u16string_view after = last < t.size() ? t.substr(last + 1) : std::u16string_view{};
  f.numberingStyle = numberingStyleFor(before, after);
  f.numberingStart = static_cast<std::uint16_t>(std::clamp(level.startAt, 0, 0xFFFF));
}

FormatId RtfParser::currentParaFormat() {
  return result_.fragment.internParaFormat(paraFormatNow());
}

ParaFormat RtfParser::paraFormatNow() {
  const ParaState& p = top().para;
  ParaFormat f = p.format;
  f.startIndent = p.li + p.fi;
  f.offset = -p.fi;
  if (p.sl == 0) {
    f.lineSpacingRule = lsr::Single;
    f.lineSpacing = 0;
  } else if (p.slMult) {
    f.lineSpacingRule = lsr::Multiple;
    const std::int32_t v = p.sl < 0 ? -p.sl : p.sl;
    f.lineSpacing = (v + 6) / 12;
    if (f.lineSpacing == 0) f.lineSpacingRule = lsr::Single;  // less than a twentieth of a line
  } else if (p.sl > 0) {
    f.lineSpacingRule = lsr::AtLeast;
    f.lineSpacing = p.sl;
  } else {
    f.lineSpacingRule = lsr::Exactly;
    f.lineSpacing = -p.sl;
  }
  applyListNumbering(f, p);
  normalize(f);
  return f;
}

// ------------------------------------------------------------------ text output

bool RtfParser::roomFor(CharPos n) {
  if (result_.fragment.length() + n <= options_.maxChars) return true;
  result_.textLimitReached = true;
  stop_ = true;
  return false;
}

void RtfParser::flushBytes(bool keepOpenCharacter) {
  if (pendingBytes_.empty()) return;
  std::u16string text;
  std::string rest;
  if (pendingCodePage_ == CodePageSymbol) {
    text.reserve(pendingBytes_.size());
    for (char b : pendingBytes_) text.push_back(static_cast<unsigned char>(b));
  } else {
    if (keepOpenCharacter) {
      // A two-byte character whose second byte has not arrived yet waits for it.
      std::size_t i = 0;
      while (i < pendingBytes_.size()) {
        const bool lead =
            converter_.isLeadByte(pendingCodePage_, static_cast<unsigned char>(pendingBytes_[i]));
        if (lead && i + 1 >= pendingBytes_.size()) break;
        i += lead ? 2 : 1;
      }
      rest = pendingBytes_.substr(i);
      pendingBytes_.resize(i);
    }
    text = converter_.decode(pendingCodePage_, pendingBytes_);
  }
  pendingBytes_ = std::move(rest);
  emitText(text);
}

void RtfParser::emitText(std::u16string_view text) {
  if (text.empty() || stop_) return;
  // Controls other than tab, line break and page break are not text.
  std::u16string clean;
  bool needsClean = false;
  for (char16_t c : text) {
    if (c < 0x20 && c != u'\t' && c != 0x0B && c != 0x0C) needsClean = true;
  }
  if (needsClean) {
    for (char16_t c : text) {
      if (c >= 0x20 || c == u'\t' || c == 0x0B || c == 0x0C) clean.push_back(c);
    }
    text = clean;
    if (text.empty()) return;
  }
  if (!inBody()) {
    appendToDestination(text);
    return;
  }
  // Text in a symbol font keeps the font's byte values: U+F0xx, the private-use form of a
  // symbol font's character xx, is that character (and writes back as its byte).
  if (top().chr.format.charSet == charset::Symbol) {
    bool privateUse = false;
    for (char16_t c : text) privateUse = privateUse || (c >= 0xF020 && c <= 0xF0FF);
    if (privateUse) {
      if (text.data() != clean.data()) clean.assign(text);
      for (char16_t& c : clean) {
        if (c >= 0xF020 && c <= 0xF0FF) c = static_cast<char16_t>(c - 0xF000);
      }
      text = clean;
    }
  }
  if (pendingCellBreak_) {
    pendingCellBreak_ = false;
    if (!roomFor(1)) return;
    result_.fragment.appendText(u"\v", currentStyle());
  }
  lastWasCellTab_ = false;
  const CharPos room = options_.maxChars - result_.fragment.length();
  if (static_cast<CharPos>(text.size()) > room) {
    text = text.substr(0, static_cast<std::size_t>(std::max<CharPos>(room, 0)));
    result_.textLimitReached = true;
    stop_ = true;
  }
  result_.fragment.appendText(text, currentStyle());
}

void RtfParser::appendToDestination(std::u16string_view text) {
  GroupState& g = top();
  auto add = [&](std::u16string& to) {
    if (to.size() < MaxSmallText) to.append(text.substr(0, MaxSmallText - to.size()));
  };
  switch (g.dest) {
    case Dest::FldInst:
      if (g.field >= 0) add(fields_[static_cast<std::size_t>(g.field)].instruction);
      break;
    case Dest::LevelText:
      if (g.list >= 0 && g.level >= 0) {
        add(lists_[static_cast<std::size_t>(g.list)]
                .levels[static_cast<std::size_t>(g.level)]
                .text);
      }
      break;
    case Dest::PnTextBefore: add(pn_.before); break;
    case Dest::PnTextAfter: add(pn_.after); break;
    case Dest::FontTable:
      if (fontDraftIndex_ >= 0) {
        fontDraft_.name += converter_.decode(fontDraftCodePage(), fontDraftBytes_);
        fontDraftBytes_.clear();
        add(fontDraft_.name);
      }
      break;
    default: break;
  }
}

void RtfParser::endParagraph() {
  flushBytes();
  if (stop_) return;
  if (top().para.inTable) {
    pendingCellBreak_ = true;
    cellParaAlignment_ = top().para.format.alignment;  // its group may close before the cell
    return;
  }
  if (!roomFor(1)) return;
  pendingCellBreak_ = false;
  lastWasCellTab_ = false;
  result_.fragment.appendParagraphEnd(currentStyle(true), currentParaFormat());
}

void RtfParser::endCell() {
  flushBytes();
  pendingCellBreak_ = false;
  if (stop_ || !roomFor(1)) return;
  result_.fragment.appendText(u"\t", currentStyle());
  lastWasCellTab_ = true;
}

void RtfParser::endRow(bool nested) {
  flushBytes();
  pendingCellBreak_ = false;
  if (stop_) return;
  if (lastWasCellTab_) result_.fragment.removeLastCharIf(u'\t');
  lastWasCellTab_ = false;
  if (!roomFor(1)) return;
  if (nested) {
    result_.fragment.appendText(u"\v", currentStyle());
  } else {
    result_.fragment.appendParagraphEnd(currentStyle(true), rowParaFormat());
  }
  cellAlignments_.clear();
  cellParaAlignment_.reset();
}

// A row's cells go to tab stops at the cells' edges, aligned as their text was: a left cell
// starts inside its left edge, a right one ends inside its right edge, a centred one centres.
FormatId RtfParser::rowParaFormat() {
  ParaFormat f = paraFormatNow();
  const std::size_t cells = std::min(cellRights_.size(), cellAlignments_.size());
  if (cells < 2) return result_.fragment.internParaFormat(f);
  f.alignment = pfa::Left;
  f.startIndent = rowLeft_ + cellGap_;
  f.offset = 0;
  f.tabCount = 0;
  f.tabs.fill(0);
  std::int32_t left = cellRights_[0];
  for (std::size_t i = 1; i < cells && f.tabCount < tab::MaxStops; ++i) {
    const std::int32_t right = std::max(cellRights_[i], left);
    std::int32_t position = left + cellGap_;
    std::uint32_t alignment = tab::Left;
    if (cellAlignments_[i] == pfa::Right) {
      position = right - cellGap_;
      alignment = tab::Right;
    } else if (cellAlignments_[i] == pfa::Center) {
      position = left + (right - left) / 2;
      alignment = tab::Center;
    }
    f.tabs[static_cast<std::size_t>(f.tabCount++)] = makeTabStop(std::max(position, 1), alignment);
    left = right;
  }
  normalize(f);
  return result_.fragment.internParaFormat(f);
}

void RtfParser::emitPicture() {
  if (!picture_) return;
  Picture pic = std::move(*picture_);
  picture_.reset();
  if (pictureTooBig_) {
    result_.picturesDropped = true;
    return;
  }
  if (pictureUnsupported_ || pic.data.empty()) return;
  if (!inBody() || stop_ || !roomFor(1)) return;
  if (pendingCellBreak_) {
    pendingCellBreak_ = false;
    if (!roomFor(2)) return;
    result_.fragment.appendText(u"\v", currentStyle());
  }
  lastWasCellTab_ = false;
  pic.data.shrink_to_fit();
  result_.fragment.appendPicture(std::make_shared<const Picture>(std::move(pic)), currentStyle());
}

// ------------------------------------------------------------------ groups

bool RtfParser::consumeSkip() {
  if (skip_ <= 0) return false;
  --skip_;
  return true;
}

void RtfParser::handleGroupStart() {
  flushBytes();
  skip_ = 0;
  if (skippedDepth_ > 0 || static_cast<int>(stack_.size()) >= options_.maxDepth) {
    ++skippedDepth_;
    result_.depthLimitReached = true;
    return;
  }
  if (stack_.empty()) {  // the document's own group (or one after its end)
    stack_.push_back(rootState_);
    top().starred = false;
    top().firstWord = true;
    return;
  }
  GroupState child = top();
  child.starred = false;
  child.firstWord = true;
  // Nested groups of a picture or of an ignored destination are never document text.
  if (child.dest == Dest::Pict || child.dest == Dest::ColorTable) child.dest = Dest::Skip;
  stack_.push_back(std::move(child));
}

void RtfParser::handleGroupEnd() {
  flushBytes();
  skip_ = 0;
  if (skippedDepth_ > 0) {
    --skippedDepth_;
    return;
  }
  if (stack_.empty()) return;  // a stray closing brace
  GroupState closed = std::move(stack_.back());
  stack_.pop_back();
  if (stack_.empty()) {
    rootState_ = closed;
    rootState_.dest = Dest::Body;
    rootState_.field = rootState_.link = -1;
    ended_ = true;  // the document's closing brace: what follows it is not the document's
  }
  finishGroup(closed);
}

void RtfParser::finishGroup(const GroupState& closed) {
  switch (closed.dest) {
    case Dest::FontTable:
      if (fontDraftIndex_ >= 0) {
        fontDraft_.name =
            faceName(fontDraft_.name + converter_.decode(fontDraftCodePage(), fontDraftBytes_));
        if (fonts_.size() < MaxFonts || fonts_.count(fontDraftIndex_))
          fonts_[fontDraftIndex_] = fontDraft_;
        fontDraftIndex_ = -1;
        fontDraftBytes_.clear();
      }
      if (stack_.empty() || stack_.back().dest != Dest::FontTable) {
        // The table is complete: text read so far (and the root) takes its fonts now.
        for (auto& g : stack_) {
          if (g.chr.font < 0 && defaultFont_ >= 0) g.chr.font = defaultFont_;
          if (g.chr.font >= 0) resolveFont(g.chr, g.chr.font);
        }
        if (rootState_.chr.font < 0 && defaultFont_ >= 0) rootState_.chr.font = defaultFont_;
        if (rootState_.chr.font >= 0) resolveFont(rootState_.chr, rootState_.chr.font);
        lastStyleValid_ = false;
      }
      break;
    case Dest::Pict:
      if (stack_.empty() || stack_.back().dest != Dest::Pict) {
        // The picture belongs where its group stood.
        stack_.push_back(closed);
        stack_.back().dest = stack_.size() > 1 ? stack_[stack_.size() - 2].dest : Dest::Body;
        emitPicture();
        stack_.pop_back();
      }
      break;
    case Dest::Pn:
      if (!stack_.empty() && stack_.back().dest != Dest::Pn) {
        ParaFormat& f = stack_.back().para.format;
        if (pn_.cont) {
          f.numbering = pn_.numbering == pfn::Bullet ? pfn::Bullet : pn_.type;
          f.numberingStyle = pfns::NoNumber;
          f.numberingStart = pn_.start;
          f.numberingTab = pn_.tabWidth;
        } else if (pn_.numbering == pfn::Bullet) {
          f.numbering = pfn::Bullet;
          f.numberingStyle = pfns::Paren;
          f.numberingStart = pn_.start;
          f.numberingTab = pn_.tabWidth;
        } else if (pn_.body) {
          f.numbering = pn_.type;
          f.numberingStyle = numberingStyleFor(pn_.before, pn_.after);
          f.numberingStart = pn_.start;
          f.numberingTab = pn_.tabWidth;
        }
        stack_.back().para.ls = -1;
      }
      break;
    default: break;
  }
  // The end of a field group: a link whose shown text is its own address needs no target.
  // Paragraph ends split a link (the writer gives each paragraph's part a field of its own),
  // and pictures are no part of the shown text.
  if (closed.field >= 0 && (stack_.empty() || stack_.back().field != closed.field)) {
    const FieldInfo& fi = fields_[static_cast<std::size_t>(closed.field)];
    auto& frag = result_.fragment;
    if (fi.link >= 0 && fi.resultStart >= 0 && fi.resultStart <= frag.length()) {
      const std::u16string& target = links_[static_cast<std::size_t>(fi.link)];
      const std::u16string& text = frag.text();
      const auto& pictures = frag.pictures();
      auto picture = std::lower_bound(pictures.begin(), pictures.end(), fi.resultStart,
                                      [](const PictureAt& p, CharPos at) { return p.pos < at; });
      for (CharPos from = fi.resultStart; from <= frag.length();) {
        CharPos to = from;
        std::u16string shown;
        for (; to < frag.length() && text[static_cast<std::size_t>(to)] != u'\r'; ++to) {
          while (picture != pictures.end() && picture->pos < to) ++picture;
          if (picture == pictures.end() || picture->pos != to)
            shown.push_back(text[static_cast<std::size_t>(to)]);
        }
        if (shown == target) {
          frag.restyleBetween(from, to, [&](FormatId id) {
            const CharStyle& s = frag.style(id);
            if (s.linkTarget != target) return id;
            CharStyle plain = s;
            plain.linkTarget.clear();
            return frag.internStyle(plain);
          });
          lastStyleValid_ = false;
        }
        from = to + 1;
      }
    }
    // Fields nest like groups: the closed one is the innermost.
    if (fi.link >= 0 && fi.link + 1 == static_cast<int>(links_.size())) links_.pop_back();
    if (closed.field + 1 == static_cast<int>(fields_.size())) fields_.pop_back();
  }
  if (closed.dest == Dest::ListOverrideTable && overrideLs_ >= 0) {
    if (overrides_.size() < MaxOverrides) overrides_[overrideLs_] = overrideId_;
    overrideLs_ = -1;
  }
}

// ------------------------------------------------------------------ control words

bool RtfParser::enterDestination(Kw k) {
  GroupState& g = top();
  switch (k) {
    case Kw::FontTable: g.dest = Dest::FontTable; return true;
    case Kw::ColorTable: g.dest = Dest::ColorTable; return true;
    case Kw::ListTable: g.dest = Dest::ListTable; return true;
    case Kw::ListOverrideTable: g.dest = Dest::ListOverrideTable; return true;
    case Kw::List:
      // A list, a level or a level text outside the list table is never text.
      if (g.dest != Dest::ListTable) {
        g.dest = Dest::Skip;
        return true;
      }
      if (lists_.size() < MaxLists) {
        lists_.emplace_back();
        g.list = static_cast<int>(lists_.size()) - 1;
      } else {
        g.dest = Dest::Skip;
      }
      g.level = -1;
      return true;
    case Kw::ListLevel:
      if (g.dest != Dest::ListTable || g.list < 0) {
        g.dest = Dest::Skip;
        return true;
      }
      if (lists_[static_cast<std::size_t>(g.list)].levels.size() < MaxLevels) {
        lists_[static_cast<std::size_t>(g.list)].levels.emplace_back();
        g.level = static_cast<int>(lists_[static_cast<std::size_t>(g.list)].levels.size()) - 1;
      } else {
        g.dest = Dest::Skip;
      }
      return true;
    case Kw::ListOverride:
      if (g.dest != Dest::ListOverrideTable) {
        g.dest = Dest::Skip;
        return true;
      }
      if (overrideLs_ >= 0 && overrides_.size() < MaxOverrides)
        overrides_[overrideLs_] = overrideId_;
      overrideLs_ = -1;
      overrideId_ = 0;
      return true;
    case Kw::LevelText:
      if (g.dest != Dest::ListTable || g.level < 0) {
        g.dest = Dest::Skip;
        return true;
      }
      g.dest = Dest::LevelText;
      return true;
    case Kw::Pict:
      g.dest = Dest::Pict;
      picture_.emplace();
      pictureUnsupported_ = true;  // until a known picture kind is named
      pictureTooBig_ = false;
      pictureHighNibble_ = -1;
      return true;
    case Kw::Field:
      if (g.dest != Dest::Body) break;
      if (fields_.size() >= MaxFields) {
        g.dest = Dest::Skip;
        return true;
      }
      fields_.emplace_back();
      g.field = static_cast<int>(fields_.size()) - 1;
      g.dest = Dest::Field;
      return true;
    case Kw::FldInst:
      if (g.field < 0) break;
      g.dest = Dest::FldInst;
      return true;
    case Kw::FldRslt: {
      if (g.field < 0) break;
      g.dest = Dest::Body;
      FieldInfo& fi = fields_[static_cast<std::size_t>(g.field)];
      if (fi.resultStart < 0) {
        fi.resultStart = result_.fragment.length();
        if (auto target = hyperlinkTarget(trimmed(fi.instruction))) {
          links_.push_back(std::move(*target));
          fi.link = static_cast<int>(links_.size()) - 1;
        }
      }
      g.link = fi.link >= 0 ? fi.link : g.link;
      return true;
    }
    case Kw::Object:
      if (g.dest != Dest::Body) break;
      g.dest = Dest::Object;
      return true;
    case Kw::Result:
      if (g.dest != Dest::Object) break;
      g.dest = Dest::Body;
      return true;
    case Kw::ShpPict: return true;  // its picture is read as document content
    case Kw::Pn:
      g.dest = Dest::Pn;
      pn_ = PnDraft{};
      return true;
    case Kw::PnTxtB:
      if (g.dest != Dest::Pn) break;
      g.dest = Dest::PnTextBefore;
      return true;
    case Kw::PnTxtA:
      if (g.dest != Dest::Pn) break;
      g.dest = Dest::PnTextAfter;
      return true;
    case Kw::UpDnProp:
      // LibreOffice marks automatic superscript and subscript this way.
      if (stack_.size() >= 2) stack_[stack_.size() - 2].chr.autoScript = true;
      g.dest = Dest::Skip;
      return true;
    case Kw::StyleSheet:
    case Kw::NonShpPict:
    case Kw::SkipDest: g.dest = Dest::Skip; return true;
    default: break;
  }
  return false;
}

void RtfParser::handleWord(std::string_view word, bool hasParam, std::int32_t param) {
  flushBytes();
  if (skippedDepth_ > 0) {
    // Binary data must be stepped over even where nothing is kept.
    if (word == "bin" && hasParam) readBinary(param);
    return;
  }
  if (stack_.empty()) stack_.push_back(rootState_);
  GroupState& g = top();
  const bool first = g.firstWord;
  g.firstWord = false;
  if (consumeSkip()) return;
  const auto kw = lookup(word);
  if (kw && *kw == Kw::Bin) {
    readBinary(hasParam ? param : 0);
    return;
  }
  if (g.dest == Dest::Skip) return;
  if (kw && isDestination(*kw)) {
    if (first || *kw == Kw::Pict || *kw == Kw::Field || *kw == Kw::Object || *kw == Kw::List ||
        *kw == Kw::ListLevel || *kw == Kw::LevelText) {
      if (enterDestination(*kw)) return;
    }
    if (g.starred) g.dest = Dest::Skip;
    return;
  }
  if (g.starred && first) {  // an optional destination we do not know
    g.dest = Dest::Skip;
    return;
  }
  if (!kw) return;
  const Kw k = *kw;
  if (k == Kw::Uc) {
    g.uc = std::clamp(hasParam ? param : 1, 0, 16);
    return;
  }
  if (k == Kw::U) {
    if (!hasParam) return;
    emitChar(static_cast<char16_t>(param < 0 ? param + 65536 : param));
    skip_ = g.uc;
    return;
  }
  switch (g.dest) {
    case Dest::Body: bodyWord(k, hasParam, param); break;
    case Dest::FontTable: fontTableWord(k, hasParam, param); break;
    case Dest::ColorTable:
      if (k == Kw::Red) red_ = std::clamp(param, 0, 255);
      if (k == Kw::Green) green_ = std::clamp(param, 0, 255);
      if (k == Kw::Blue) blue_ = std::clamp(param, 0, 255);
      break;
    case Dest::ListTable:
    case Dest::ListOverrideTable: listWord(k, param); break;
    case Dest::Pn: pnWord(k, param); break;
    case Dest::Pict: pictWord(k, hasParam, param); break;
    case Dest::FldInst:
    case Dest::LevelText:
    case Dest::PnTextBefore:
    case Dest::PnTextAfter:
      if (k == Kw::Tab) appendToDestination(u"\t");
      break;
    default: break;
  }
}

void RtfParser::fontTableWord(Kw k, bool hasParam, std::int32_t param) {
  switch (k) {
    case Kw::F:
      if (fontDraftIndex_ >= 0) {
        fontDraft_.name =
            faceName(fontDraft_.name + converter_.decode(fontDraftCodePage(), fontDraftBytes_));
        if (fonts_.size() < MaxFonts) fonts_[fontDraftIndex_] = fontDraft_;
      }
      fontDraft_ = FontEntry{};
      fontDraftBytes_.clear();
      fontDraftIndex_ = hasParam ? param : 0;
      break;
    case Kw::FCharset:
      fontDraft_.charSet = static_cast<std::uint8_t>(std::clamp(param, 0, 255));
      break;
    case Kw::FPrq:
      fontDraft_.pitchAndFamily =
          static_cast<std::uint8_t>((fontDraft_.pitchAndFamily & 0xF0) | (std::clamp(param, 0, 2)));
      break;
    case Kw::FNil:
    case Kw::FRoman:
    case Kw::FSwiss:
    case Kw::FModern:
    case Kw::FScript:
    case Kw::FDecor:
    case Kw::FTech:
    case Kw::FBidi: {
      int family = 0;
      switch (k) {
        case Kw::FRoman: family = 1; break;
        case Kw::FSwiss: family = 2; break;
        case Kw::FModern: family = 3; break;
        case Kw::FScript: family = 4; break;
        case Kw::FDecor: family = 5; break;
        case Kw::FTech: family = 5; break;
        default: family = 0; break;
      }
      fontDraft_.pitchAndFamily =
          static_cast<std::uint8_t>((fontDraft_.pitchAndFamily & 0x0F) | (family << 4));
      break;
    }
    case Kw::Cpg: fontDraft_.codePage = static_cast<std::uint32_t>(std::max(param, 0)); break;
    default: break;
  }
}

void RtfParser::listWord(Kw k, std::int32_t param) {
  GroupState& g = top();
  if (g.dest == Dest::ListOverrideTable) {
    if (k == Kw::ListId) overrideId_ = param;
    if (k == Kw::Ls) overrideLs_ = param >= 0 ? param : -1;
    return;
  }
  if (g.list < 0) return;
  ListDef& list = lists_[static_cast<std::size_t>(g.list)];
  if (k == Kw::ListId) {
    list.id = param;
    return;
  }
  if (g.level < 0) return;
  ListLevel& level = list.levels[static_cast<std::size_t>(g.level)];
  if (k == Kw::LevelNfc) level.nfc = param;
  if (k == Kw::LevelStartAt) level.startAt = param;
}

void RtfParser::pnWord(Kw k, std::int32_t param) {
  switch (k) {
    case Kw::PnLvlBlt: pn_.numbering = pfn::Bullet; break;
    case Kw::PnLvlBody:
    case Kw::PnLvl: pn_.body = true; break;
    case Kw::PnLvlCont: pn_.cont = true; break;
    case Kw::PnDec: pn_.type = pfn::Arabic; break;
    case Kw::PnUcLtr: pn_.type = pfn::UcLetter; break;
    case Kw::PnLcLtr: pn_.type = pfn::LcLetter; break;
    case Kw::PnUcRm: pn_.type = pfn::UcRoman; break;
    case Kw::PnLcRm: pn_.type = pfn::LcRoman; break;
    case Kw::PnStart: pn_.start = static_cast<std::uint16_t>(std::clamp(param, 0, 0xFFFF)); break;
    case Kw::PnIndent:
      pn_.tabWidth = static_cast<std::uint16_t>(std::clamp(param, 0, 0xFFFF));
      break;
    default: break;
  }
}

void RtfParser::pictWord(Kw k, bool hasParam, std::int32_t param) {
  if (!picture_) return;
  Picture& p = *picture_;
  auto kind = [&](PictureKind pk) {
    p.kind = pk;
    pictureUnsupported_ = false;
  };
  switch (k) {
    case Kw::EmfBlip: kind(PictureKind::Emf); break;
    case Kw::PngBlip: kind(PictureKind::Png); break;
    case Kw::JpegBlip: kind(PictureKind::Jpeg); break;
    case Kw::WMetafile:
      kind(PictureKind::Wmf);
      p.mapMode = hasParam ? param : 8;
      break;
    case Kw::DiBitmap: kind(PictureKind::Dib); break;
    case Kw::OtherBlip: pictureUnsupported_ = true; break;
    case Kw::PicW: p.width = param; break;
    case Kw::PicH: p.height = param; break;
    case Kw::PicWGoal: p.goalWidth = param; break;
    case Kw::PicHGoal: p.goalHeight = param; break;
    case Kw::PicScaleX: p.scaleX = param; break;
    case Kw::PicScaleY: p.scaleY = param; break;
    default: break;
  }
}

void RtfParser::readBinary(std::int32_t count) {
  if (count <= 0) return;
  const bool keep = top().dest == Dest::Pict && picture_;
  tokens_.readBinary(static_cast<std::size_t>(count), [&](std::string_view chunk) {
    if (!keep || pictureTooBig_) return;
    if (picture_->data.size() + chunk.size() > options_.maxPictureBytes ||
        pictureBytesTotal_ + chunk.size() > options_.maxTotalPictureBytes) {
      pictureTooBig_ = true;
      picture_->data.clear();
      picture_->data.shrink_to_fit();
      return;
    }
    picture_->data.append(chunk);
    pictureBytesTotal_ += chunk.size();
  });
}

void RtfParser::setUnderline(std::uint8_t type, bool hasParam, std::int32_t param) {
  CharFormat& f = top().chr.format;
  f.underlineType = (hasParam && param == 0) ? cfu::None : type;
}

void RtfParser::bodyWord(Kw k, bool hasParam, std::int32_t param) {
  GroupState& g = top();
  CharFormat& f = g.chr.format;
  ParaState& p = g.para;
  const bool on = !hasParam || param != 0;
  auto effect = [&](std::uint32_t bit) { f.effects = on ? (f.effects | bit) : (f.effects & ~bit); };
  auto backColor = [&] {
    if (auto c = color(param)) {
      f.backColor = *c;
      f.effects &= ~cfe::AutoBackColor;
    } else {
      f.effects |= cfe::AutoBackColor;
      f.backColor = 0;
    }
  };
  switch (k) {
    // ---- header
    case Kw::Ansi: docCodePage_ = 1252; break;
    case Kw::Mac: docCodePage_ = 10000; break;
    case Kw::Pc: docCodePage_ = 437; break;
    case Kw::Pca: docCodePage_ = 850; break;
    case Kw::AnsiCpg:
      if (param > 0) docCodePage_ = static_cast<std::uint32_t>(param);
      if (g.chr.font < 0) g.chr.codePage = docCodePage_;
      break;
    case Kw::Deff:
      defaultFont_ = param;
      if (g.chr.font < 0) g.chr.font = param;
      break;
    // ---- characters
    case Kw::Plain: {
      const int font = defaultFont_;
      g.chr = CharState{};
      g.chr.format = baseFormat();
      g.chr.codePage = docCodePage_;
      if (font >= 0) resolveFont(g.chr, font);
      break;
    }
    case Kw::F: resolveFont(g.chr, param); break;
    case Kw::Fs:
      if (hasParam && param > 0)
        f.height = static_cast<std::int32_t>(
            std::min<std::int64_t>(std::int64_t{param} * 10, MaxCharHeight));
      break;
    case Kw::B:
      f.effects = on ? (f.effects | cfe::Bold) : (f.effects & ~cfe::Bold);
      f.weight = on ? BoldWeight : NormalWeight;
      break;
    case Kw::I: effect(cfe::Italic); break;
    case Kw::Strike:
    case Kw::Striked: effect(cfe::StrikeOut); break;
    case Kw::Scaps: effect(cfe::SmallCaps); break;
    case Kw::Caps: effect(cfe::AllCaps); break;
    case Kw::V: effect(cfe::Hidden); break;
    case Kw::Protect: effect(cfe::Protected); break;
    case Kw::Ul: setUnderline(cfu::Single, hasParam, param); break;
    case Kw::UlW: setUnderline(cfu::Word, hasParam, param); break;
    case Kw::UlDb: setUnderline(cfu::Double, hasParam, param); break;
    case Kw::UlD: setUnderline(cfu::Dotted, hasParam, param); break;
    case Kw::UlDash: setUnderline(cfu::Dash, hasParam, param); break;
    case Kw::UlDashD: setUnderline(cfu::DashDot, hasParam, param); break;
    case Kw::UlDashDd: setUnderline(cfu::DashDotDot, hasParam, param); break;
    case Kw::UlWave: setUnderline(cfu::Wave, hasParam, param); break;
    case Kw::UlTh: setUnderline(cfu::Thick, hasParam, param); break;
    case Kw::UlHair: setUnderline(cfu::Hairline, hasParam, param); break;
    case Kw::UlUlDbWave: setUnderline(cfu::DoubleWave, hasParam, param); break;
    case Kw::UlHWave: setUnderline(cfu::HeavyWave, hasParam, param); break;
    case Kw::UlLDash: setUnderline(cfu::LongDash, hasParam, param); break;
    case Kw::UlThDash: setUnderline(cfu::ThickDash, hasParam, param); break;
    case Kw::UlThDashD: setUnderline(cfu::ThickDashDot, hasParam, param); break;
    case Kw::UlThDashDd: setUnderline(cfu::ThickDashDotDot, hasParam, param); break;
    case Kw::UlThD: setUnderline(cfu::ThickDotted, hasParam, param); break;
    case Kw::UlThLDash: setUnderline(cfu::ThickLongDash, hasParam, param); break;
    case Kw::UlNone: f.underlineType = cfu::None; break;
    case Kw::Super:
      f.effects =
          on ? ((f.effects | cfe::SuperScript) & ~cfe::SubScript) : (f.effects & ~cfe::SuperScript);
      break;
    case Kw::Sub:
      f.effects =
          on ? ((f.effects | cfe::SubScript) & ~cfe::SuperScript) : (f.effects & ~cfe::SubScript);
      break;
    case Kw::NoSuperSub: f.effects &= ~(cfe::SuperScript | cfe::SubScript); break;
    case Kw::Up:
    case Kw::Dn: {
      const std::int32_t halfPoints = hasParam ? std::clamp(param, -32767, 32767) : 6;
      if (g.chr.autoScript) {
        f.effects &= ~(cfe::SuperScript | cfe::SubScript);
        if (halfPoints != 0) f.effects |= k == Kw::Up ? cfe::SuperScript : cfe::SubScript;
      } else {
        f.offset = (k == Kw::Up ? halfPoints : -halfPoints) * 10;
      }
      break;
    }
    case Kw::Cf:
      if (auto c = color(param)) {
        f.textColor = *c;
        f.effects &= ~cfe::AutoColor;
      } else {
        f.effects |= cfe::AutoColor;
        f.textColor = 0;
      }
      break;
    case Kw::Cb:
    case Kw::Highlight:
    case Kw::ChCbPat: backColor(); break;
    // ---- paragraphs
    case Kw::Pard: {
      p = ParaState{};
      break;
    }
    case Kw::Ql: p.format.alignment = pfa::Left; break;
    case Kw::Qr: p.format.alignment = pfa::Right; break;
    case Kw::Qc: p.format.alignment = pfa::Center; break;
    case Kw::Qj:
    case Kw::Qd: p.format.alignment = pfa::Justify; break;
    case Kw::Li: p.li = twips(param); break;
    case Kw::Ri: p.format.rightIndent = twips(param); break;
    case Kw::Fi: p.fi = twips(param); break;
    case Kw::Sb: p.format.spaceBefore = twips(param); break;
    case Kw::Sa: p.format.spaceAfter = twips(param); break;
    case Kw::Sl: p.sl = twips(param); break;
    case Kw::SlMult: p.slMult = on; break;
    case Kw::Tqr: p.tabAlign = tab::Right; break;
    case Kw::Tqc: p.tabAlign = tab::Center; break;
    case Kw::TqDec: p.tabAlign = tab::Decimal; break;
    case Kw::TlDot: p.tabLeader = tab::Dots; break;
    case Kw::TlHyph: p.tabLeader = tab::Dashes; break;
    case Kw::TlUl: p.tabLeader = tab::Lines; break;
    case Kw::TlTh: p.tabLeader = tab::Thick; break;
    case Kw::TlEq: p.tabLeader = tab::Equals; break;
    case Kw::Tx:
    case Kw::Tb:
      if (p.format.tabCount < tab::MaxStops) {
        const std::int32_t pos =
            std::clamp<std::int32_t>(param, 0, static_cast<std::int32_t>(tab::PositionMask));
        p.format.tabs[static_cast<std::size_t>(p.format.tabCount++)] =
            makeTabStop(pos, k == Kw::Tb ? tab::Bar : p.tabAlign, p.tabLeader);
      }
      p.tabAlign = tab::Left;
      p.tabLeader = tab::NoLeader;
      break;
    case Kw::PageBb:
      p.format.effects = on ? (p.format.effects | pfe::PageBreakBefore)
                            : (p.format.effects & ~pfe::PageBreakBefore);
      break;
    case Kw::Keep:
      p.format.effects = on ? (p.format.effects | pfe::Keep) : (p.format.effects & ~pfe::Keep);
      break;
    case Kw::KeepN:
      p.format.effects =
          on ? (p.format.effects | pfe::KeepNext) : (p.format.effects & ~pfe::KeepNext);
      break;
    case Kw::InTbl: p.inTable = on; break;
    case Kw::Trowd:
      cellRights_.clear();
      rowLeft_ = 0;
      cellGap_ = 108;
      break;
    case Kw::Cellx: cellRights_.push_back(twips(param)); break;
    case Kw::Trleft: rowLeft_ = twips(param); break;
    case Kw::Trgaph:
    case Kw::TrPaddL: cellGap_ = std::clamp(param, 0, 1440); break;
    case Kw::Ls: p.ls = param >= 0 ? param : -1; break;
    case Kw::Ilvl: p.ilvl = param; break;
    // ---- text
    case Kw::Par:
    case Kw::Sect: endParagraph(); break;
    case Kw::Line: emitChar(0x000B); break;
    case Kw::Page: emitChar(0x000C); break;
    case Kw::Tab: emitChar(u'\t'); break;
    case Kw::Cell:
      cellAlignments_.push_back(cellParaAlignment_.value_or(p.format.alignment));
      cellParaAlignment_.reset();
      endCell();
      break;
    case Kw::NestCell: endCell(); break;
    case Kw::Row: endRow(false); break;
    case Kw::NestRow: endRow(true); break;
    case Kw::EmDash: emitChar(0x2014); break;
    case Kw::EnDash: emitChar(0x2013); break;
    case Kw::EmSpace: emitChar(0x2003); break;
    case Kw::EnSpace: emitChar(0x2002); break;
    case Kw::QmSpace: emitChar(0x2005); break;
    case Kw::Bullet: emitChar(0x2022); break;
    case Kw::LQuote: emitChar(0x2018); break;
    case Kw::RQuote: emitChar(0x2019); break;
    case Kw::LDblQuote: emitChar(0x201C); break;
    case Kw::RDblQuote: emitChar(0x201D); break;
    case Kw::Zwj: emitChar(0x200D); break;
    case Kw::Zwnj: emitChar(0x200C); break;
    case Kw::LtrMark: emitChar(0x200E); break;
    case Kw::RtlMark: emitChar(0x200F); break;
    case Kw::ChFtn: {
      // The footnote's number stands in the text; the note itself is not kept.
      const std::string n = std::to_string(++footnotes_);
      emitText(std::u16string(n.begin(), n.end()));
      break;
    }
    default: break;
  }
}

// ------------------------------------------------------------------ symbols and text

void RtfParser::handleSymbol(char c) {
  if (skippedDepth_ > 0) return;
  if (stack_.empty()) stack_.push_back(rootState_);
  GroupState& g = top();
  const bool first = g.firstWord;
  if (c == '*') {
    if (first) g.starred = true;
    return;
  }
  g.firstWord = false;
  if (consumeSkip()) {
    return;
  }
  switch (c) {
    case '\\':
    case '{':
    case '}': addByte(static_cast<unsigned char>(c)); break;
    case '~':
      flushBytes();
      emitChar(0x00A0);
      break;
    case '-':
      flushBytes();
      emitChar(0x00AD);
      break;
    case '_':
      flushBytes();
      emitChar(0x2011);
      break;
    case '\t':
      flushBytes();
      emitChar(u'\t');
      break;
    default: break;
  }
}

void RtfParser::handleHex(unsigned char b) {
  if (skippedDepth_ > 0) return;
  if (stack_.empty()) stack_.push_back(rootState_);
  top().firstWord = false;
  if (consumeSkip()) return;
  addByte(b);
}

void RtfParser::addByte(unsigned char b) {
  GroupState& g = top();
  switch (g.dest) {
    case Dest::LevelText: appendLevelByte(b); break;
    case Dest::Body:
    case Dest::FldInst:
    case Dest::PnTextBefore:
    case Dest::PnTextAfter: {
      const std::uint32_t cp = g.dest == Dest::Body ? g.chr.codePage : docCodePage_;
      if (!pendingBytes_.empty() && pendingCodePage_ != cp) flushBytes();
      pendingCodePage_ = cp;
      pendingBytes_.push_back(static_cast<char>(b));
      break;
    }
    case Dest::FontTable:
      if (fontDraftIndex_ >= 0 && fontDraftBytes_.size() < MaxSmallText)
        fontDraftBytes_.push_back(static_cast<char>(b));
      break;
    case Dest::Pict: {
      // Hex digits arrive as text; a literal byte here is not picture data.
      break;
    }
    default: break;
  }
}

void RtfParser::handleText(std::string_view bytes) {
  if (skippedDepth_ > 0) return;
  if (stack_.empty()) stack_.push_back(rootState_);
  GroupState& g = top();
  g.firstWord = false;
  if (skip_ > 0) {
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(skip_), bytes.size());
    skip_ -= static_cast<int>(n);
    bytes.remove_prefix(n);
    if (bytes.empty()) return;
  }
  switch (g.dest) {
    case Dest::LevelText:
      for (char b : bytes) appendLevelByte(static_cast<unsigned char>(b));
      break;
    case Dest::Body:
    case Dest::FldInst:
    case Dest::PnTextBefore:
    case Dest::PnTextAfter: {
      const std::uint32_t cp = g.dest == Dest::Body ? g.chr.codePage : docCodePage_;
      if (!pendingBytes_.empty() && pendingCodePage_ != cp) flushBytes();
      pendingCodePage_ = cp;
      for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (u >= 0x20) {
          pendingBytes_.push_back(b);
        } else if (u == '\t') {
          pendingBytes_.push_back(b);
        }
      }
      if (pendingBytes_.size() > 16384) flushBytes(true);
      break;
    }
    case Dest::FontTable:
      for (char b : bytes) {
        if (fontDraftIndex_ < 0) break;
        if (b == ';') {
          fontDraft_.name =
              faceName(fontDraft_.name + converter_.decode(fontDraftCodePage(), fontDraftBytes_));
          if (fonts_.size() < MaxFonts || fonts_.count(fontDraftIndex_))
            fonts_[fontDraftIndex_] = fontDraft_;
          fontDraftBytes_.clear();
          fontDraftIndex_ = -1;
        } else if (fontDraftBytes_.size() < MaxSmallText) {
          fontDraftBytes_.push_back(b);
        }
      }
      break;
    case Dest::ColorTable:
      for (char b : bytes) {
        if (b != ';') continue;
        if (colors_.size() < MaxColors) {
          if (red_ < 0 && green_ < 0 && blue_ < 0) {
            colors_.push_back(std::nullopt);
          } else {
            colors_.push_back(rgb(static_cast<unsigned>(std::max(red_, 0)),
                                  static_cast<unsigned>(std::max(green_, 0)),
                                  static_cast<unsigned>(std::max(blue_, 0))));
          }
        }
        red_ = green_ = blue_ = -1;
      }
      break;
    case Dest::Pict:
      if (!picture_ || pictureTooBig_) break;
      for (char b : bytes) {
        int v;
        if (b >= '0' && b <= '9') {
          v = b - '0';
        } else if (b >= 'a' && b <= 'f') {
          v = b - 'a' + 10;
        } else if (b >= 'A' && b <= 'F') {
          v = b - 'A' + 10;
        } else {
          continue;
        }
        if (pictureHighNibble_ < 0) {
          pictureHighNibble_ = v;
          continue;
        }
        if (picture_->data.size() >= options_.maxPictureBytes ||
            pictureBytesTotal_ >= options_.maxTotalPictureBytes) {
          pictureTooBig_ = true;
          picture_->data.clear();
          picture_->data.shrink_to_fit();
          break;
        }
        picture_->data.push_back(static_cast<char>(pictureHighNibble_ * 16 + v));
        ++pictureBytesTotal_;
        pictureHighNibble_ = -1;
      }
      break;
    default: break;
  }
}

// ------------------------------------------------------------------ driver

RtfReadResult RtfParser::run() {
  if (!tokens_.startsLikeRtf()) {
    result_.status = tokens_.sourceFailed() ? RtfStatus::SourceFailed : RtfStatus::NotRtf;
    result_.message = tokens_.sourceFailed() ? "The document could not be read from its source."
                                             : "The document is not in Rich Text Format.";
    return std::move(result_);
  }
  while (!stop_ && !ended_) {
    const RtfToken t = tokens_.next();
    if (t.kind == RtfTokenKind::End) break;
    switch (t.kind) {
      case RtfTokenKind::GroupStart: handleGroupStart(); break;
      case RtfTokenKind::GroupEnd: handleGroupEnd(); break;
      case RtfTokenKind::Word: handleWord(t.word, t.hasParam, t.param); break;
      case RtfTokenKind::Symbol: handleSymbol(t.symbol); break;
      case RtfTokenKind::Hex: handleHex(t.hex); break;
      case RtfTokenKind::Text: handleText(t.text); break;
      case RtfTokenKind::End: break;
    }
  }
  flushBytes();
  auto& frag = result_.fragment;
  result_.truncated = (!stack_.empty() || skippedDepth_ > 0) && !stop_;
  // The text after the last paragraph end belongs to a paragraph with the format in force.
  if (stack_.empty()) stack_.push_back(rootState_);
  std::size_t body = stack_.size();
  while (body > 1 && stack_[body - 1].dest != Dest::Body) --body;
  std::swap(stack_[body - 1], stack_.back());
  const FormatId trailingPara = currentParaFormat();
  const FormatId endStyle = currentStyle(true);
  std::swap(stack_[body - 1], stack_.back());
  // Groups left open close as if the stream had closed them: a cut-off picture or field
  // keeps what it has.
  while (skippedDepth_ > 0 || !stack_.empty()) handleGroupEnd();
  frag.setTrailingParaFormat(trailingPara);
  frag.setEndStyle(endStyle);
  if (tokens_.sourceFailed()) {
    result_.status = RtfStatus::SourceFailed;
    result_.message = "The document could not be read from its source.";
  }
  return std::move(result_);
}

}  // namespace

RtfReadResult readRtf(ByteSource& source, const RtfReadOptions& options) {
  RtfParser parser(source, options);
  return parser.run();
}

}  // namespace richedit
