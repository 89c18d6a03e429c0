#pragma once
// Bit values and enumerations of the platform's rich-edit interface, under our own names so
// that this header can live beside <windows.h> (whose macros use the platform names). The
// values are the platform's own: the window layer copies masks and effects straight into
// CHARFORMAT2 / PARAFORMAT2 and back.
#include <cstdint>

namespace richedit {

// CHARFORMAT2::dwMask bits (CFM_*).
namespace cfm {
inline constexpr std::uint32_t Bold = 0x00000001;
inline constexpr std::uint32_t Italic = 0x00000002;
inline constexpr std::uint32_t Underline = 0x00000004;
inline constexpr std::uint32_t StrikeOut = 0x00000008;
inline constexpr std::uint32_t Protected = 0x00000010;
inline constexpr std::uint32_t Link = 0x00000020;
inline constexpr std::uint32_t SmallCaps = 0x00000040;
inline constexpr std::uint32_t AllCaps = 0x00000080;
inline constexpr std::uint32_t Hidden = 0x00000100;
inline constexpr std::uint32_t SubScript = 0x00030000;  // covers superscript too
inline constexpr std::uint32_t SuperScript = SubScript;
inline constexpr std::uint32_t Weight = 0x00400000;
inline constexpr std::uint32_t UnderlineType = 0x00800000;
inline constexpr std::uint32_t BackColor = 0x04000000;
inline constexpr std::uint32_t CharSet = 0x08000000;
inline constexpr std::uint32_t Offset = 0x10000000;
inline constexpr std::uint32_t Face = 0x20000000;
inline constexpr std::uint32_t Color = 0x40000000;
inline constexpr std::uint32_t Size = 0x80000000;
// Every field this model keeps; EM_GETCHARFORMAT reports uniformity only for these.
inline constexpr std::uint32_t Supported =
    Bold | Italic | Underline | StrikeOut | Protected | Link | SmallCaps | AllCaps | Hidden |
    SubScript | Weight | UnderlineType | BackColor | CharSet | Offset | Face | Color | Size;
}  // namespace cfm

// CHARFORMAT2::dwEffects bits (CFE_*).
namespace cfe {
inline constexpr std::uint32_t Bold = 0x00000001;
inline constexpr std::uint32_t Italic = 0x00000002;
inline constexpr std::uint32_t Underline = 0x00000004;
inline constexpr std::uint32_t StrikeOut = 0x00000008;
inline constexpr std::uint32_t Protected = 0x00000010;
inline constexpr std::uint32_t Link = 0x00000020;
inline constexpr std::uint32_t SmallCaps = 0x00000040;
inline constexpr std::uint32_t AllCaps = 0x00000080;
inline constexpr std::uint32_t Hidden = 0x00000100;
inline constexpr std::uint32_t SubScript = 0x00010000;
inline constexpr std::uint32_t SuperScript = 0x00020000;
inline constexpr std::uint32_t AutoBackColor = 0x04000000;
inline constexpr std::uint32_t AutoColor = 0x40000000;
inline constexpr std::uint32_t Kept = Bold | Italic | Underline | StrikeOut | Protected | Link |
                                      SmallCaps | AllCaps | Hidden | SubScript | SuperScript |
                                      AutoBackColor | AutoColor;
}  // namespace cfe

// CHARFORMAT2::bUnderlineType (CFU_*).
namespace cfu {
inline constexpr std::uint8_t None = 0;
inline constexpr std::uint8_t Single = 1;
inline constexpr std::uint8_t Word = 2;
inline constexpr std::uint8_t Double = 3;
inline constexpr std::uint8_t Dotted = 4;
inline constexpr std::uint8_t Dash = 5;
inline constexpr std::uint8_t DashDot = 6;
inline constexpr std::uint8_t DashDotDot = 7;
inline constexpr std::uint8_t Wave = 8;
inline constexpr std::uint8_t Thick = 9;
inline constexpr std::uint8_t Hairline = 10;
inline constexpr std::uint8_t DoubleWave = 11;
inline constexpr std::uint8_t HeavyWave = 12;
inline constexpr std::uint8_t LongDash = 13;
inline constexpr std::uint8_t ThickDash = 14;
inline constexpr std::uint8_t ThickDashDot = 15;
inline constexpr std::uint8_t ThickDashDotDot = 16;
inline constexpr std::uint8_t ThickDotted = 17;
inline constexpr std::uint8_t ThickLongDash = 18;
inline constexpr std::uint8_t Last = ThickLongDash;
}  // namespace cfu

// PARAFORMAT2::dwMask bits (PFM_*).
namespace pfm {
inline constexpr std::uint32_t StartIndent = 0x00000001;
inline constexpr std::uint32_t RightIndent = 0x00000002;
inline constexpr std::uint32_t Offset = 0x00000004;
inline constexpr std::uint32_t Alignment = 0x00000008;
inline constexpr std::uint32_t TabStops = 0x00000010;
inline constexpr std::uint32_t Numbering = 0x00000020;
inline constexpr std::uint32_t SpaceBefore = 0x00000040;
inline constexpr std::uint32_t SpaceAfter = 0x00000080;
inline constexpr std::uint32_t LineSpacing = 0x00000100;
inline constexpr std::uint32_t NumberingStyle = 0x00002000;
inline constexpr std::uint32_t NumberingTab = 0x00004000;
inline constexpr std::uint32_t NumberingStart = 0x00008000;
inline constexpr std::uint32_t Keep = 0x00020000;
inline constexpr std::uint32_t KeepNext = 0x00040000;
inline constexpr std::uint32_t PageBreakBefore = 0x00080000;
inline constexpr std::uint32_t OffsetIndent = 0x80000000;  // dxStartIndent is relative
inline constexpr std::uint32_t Supported = StartIndent | RightIndent | Offset | Alignment |
                                           TabStops | Numbering | SpaceBefore | SpaceAfter |
                                           LineSpacing | NumberingStyle | NumberingTab |
                                           NumberingStart | Keep | KeepNext | PageBreakBefore;
}  // namespace pfm

// PARAFORMAT2::wEffects bits (PFE_* = PFM_* >> 16).
namespace pfe {
inline constexpr std::uint16_t Keep = 0x0002;
inline constexpr std::uint16_t KeepNext = 0x0004;
inline constexpr std::uint16_t PageBreakBefore = 0x0008;
inline constexpr std::uint16_t Kept = Keep | KeepNext | PageBreakBefore;
}  // namespace pfe

// PARAFORMAT2::wNumbering (PFN_*).
namespace pfn {
inline constexpr std::uint16_t None = 0;
inline constexpr std::uint16_t Bullet = 1;
inline constexpr std::uint16_t Arabic = 2;
inline constexpr std::uint16_t LcLetter = 3;
inline constexpr std::uint16_t UcLetter = 4;
inline constexpr std::uint16_t LcRoman = 5;
inline constexpr std::uint16_t UcRoman = 6;
inline constexpr std::uint16_t Last = UcRoman;
}  // namespace pfn

// PARAFORMAT2::wNumberingStyle (PFNS_*).
namespace pfns {
inline constexpr std::uint16_t Paren = 0x000;
inline constexpr std::uint16_t Parens = 0x100;
inline constexpr std::uint16_t Period = 0x200;
inline constexpr std::uint16_t Plain = 0x300;
inline constexpr std::uint16_t NoNumber = 0x400;
inline constexpr std::uint16_t NewNumber = 0x8000;
}  // namespace pfns

// PARAFORMAT2::wAlignment (PFA_*).
namespace pfa {
inline constexpr std::uint16_t Left = 1;
inline constexpr std::uint16_t Right = 2;
inline constexpr std::uint16_t Center = 3;
inline constexpr std::uint16_t Justify = 4;
}  // namespace pfa

// PARAFORMAT2::bLineSpacingRule.
namespace lsr {
inline constexpr std::uint8_t Single = 0;
inline constexpr std::uint8_t OneAndHalf = 1;
inline constexpr std::uint8_t Double = 2;
inline constexpr std::uint8_t AtLeast = 3;   // dyLineSpacing twips, at least single
inline constexpr std::uint8_t Exactly = 4;   // dyLineSpacing twips exactly
inline constexpr std::uint8_t Multiple = 5;  // dyLineSpacing / 20 lines
}  // namespace lsr

// PARAFORMAT2::rgxTabs entries: position in the low 24 bits, alignment in bits 24-27,
// leader in bits 28-31.
namespace tab {
inline constexpr std::uint32_t PositionMask = 0x00FFFFFF;
inline constexpr int AlignShift = 24;
inline constexpr int LeaderShift = 28;
inline constexpr std::uint32_t Left = 0, Center = 1, Right = 2, Decimal = 3, Bar = 4;
inline constexpr std::uint32_t NoLeader = 0, Dots = 1, Dashes = 2, Lines = 3, Thick = 4, Equals = 5;
inline constexpr int MaxStops = 32;  // MAX_TAB_STOPS
}  // namespace tab

// EM_SETCHARFORMAT / EM_GETCHARFORMAT wParam (SCF_*).
namespace scf {
inline constexpr std::uint32_t Default = 0x0000;
inline constexpr std::uint32_t Selection = 0x0001;
inline constexpr std::uint32_t Word = 0x0002;
inline constexpr std::uint32_t All = 0x0004;
}  // namespace scf

// EM_STREAMIN / EM_STREAMOUT wParam (SF_*, SFF_*).
namespace sf {
inline constexpr std::uint32_t Text = 0x0001;
inline constexpr std::uint32_t Rtf = 0x0002;
inline constexpr std::uint32_t Unicode = 0x0010;
inline constexpr std::uint32_t UseCodePage = 0x0020;  // text in the code page of the high word
inline constexpr std::uint32_t Selection = 0x8000;    // SFF_SELECTION
inline constexpr std::uint32_t FormatMask = 0x0003;
}  // namespace sf

// EM_FINDTEXTEX wParam (FR_*).
namespace fr {
inline constexpr std::uint32_t Down = 0x1;
inline constexpr std::uint32_t WholeWord = 0x2;
inline constexpr std::uint32_t MatchCase = 0x4;
}  // namespace fr

// Character sets (bCharSet) that change how bytes are read.
namespace charset {
inline constexpr std::uint8_t Ansi = 0;
inline constexpr std::uint8_t Default = 1;
inline constexpr std::uint8_t Symbol = 2;
}  // namespace charset

// Characters with a meaning of their own in the text.
namespace ch {
inline constexpr char16_t ParagraphEnd = u'\r';
inline constexpr char16_t LineBreak = 0x000B;  // \line, Shift+Enter
inline constexpr char16_t PageBreak = 0x000C;  // \page
inline constexpr char16_t Tab = u'\t';
inline constexpr char16_t Object = 0xFFFC;  // an embedded picture (WCH_EMBEDDING)
}  // namespace ch

}  // namespace richedit
