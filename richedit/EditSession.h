#pragma once
// What the control holds besides the document: the selection, the format the next typed
// character takes, the text mode and the code page, with the rich-edit messages' semantics.
// The window layer turns messages into these calls one for one (EM_EXSETSEL -> setSelection,
// EM_SETCHARFORMAT -> setCharFormat, EM_STREAMIN -> streamIn, ...).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "richedit/ByteStream.h"
#include "richedit/CodePages.h"
#include "richedit/RichTextDocument.h"

namespace richedit {

enum class TextMode { Rich, Plain };

struct StreamResult {
  bool ok = true;  // false: nothing was changed; message says why
  std::string message;
  bool truncated = false;         // RTF that ended inside an open group (what was read is in)
  bool textLimitReached = false;  // the text was cut at the document's text limit
};

class EditSession {
 public:
  // converter: null for the built-in pages; codePage: the system code page for 8-bit text.
  explicit EditSession(const CodePageConverter* converter = nullptr, std::uint32_t codePage = 1252);

  RichTextDocument& document() { return doc_; }
  const RichTextDocument& document() const { return doc_; }
  std::uint32_t codePage() const { return codePage_; }

  // ---- Selection (EM_EXSETSEL): {0, -1} selects everything including the final paragraph
  // mark, a negative max runs to that end, a negative min collapses the selection to its end;
  // other positions are clamped to the text.
  CharRange selection() const;
  void setSelection(CharPos min, CharPos max);
  CharPos caret() const { return selection().max; }

  // ---- Typing and editing. Typing and the Backspace and Delete keys coalesce into one undo
  // step until the selection moves.
  void typeText(std::u16string_view text);
  // Typing in overtype mode: with an empty selection the text replaces as many characters
  // after the caret, but never a paragraph end or a line break.
  void overtypeText(std::u16string_view text);
  void deleteBackward();
  void deleteForward();
  CharRange replaceSelection(std::u16string_view text, bool canUndo = true);  // EM_REPLACESEL
  CharRange insertPicture(Picture picture);

  // ---- Formats. scf: scf::Selection, scf::Word | scf::Selection, scf::All, or scf::Default.
  // With an empty selection, scf::Selection sets the format the next typed text takes and
  // scf::Word the word at the caret with its trailing blanks.
  bool setCharFormat(std::uint32_t scf, const CharFormat& format, std::uint32_t mask);
  CharFormat charFormat(std::uint32_t scf, std::uint32_t* uniformMask = nullptr) const;
  bool setParaFormat(const ParaFormat& format, std::uint32_t mask);
  ParaFormat paraFormat(std::uint32_t* uniformMask = nullptr) const;

  CharRange findText(std::uint32_t flags, CharRange range, std::u16string_view what) const {
    return doc_.find(what, range, flags);
  }

  // ---- Streams. flags: sf::Rtf or sf::Text, with sf::Unicode or sf::UseCodePage and a code
  // page in the high word (text only), and sf::Selection. A stream that is not RTF, or a source
  // that fails, changes nothing and reports ok = false, so the caller can try the other format.
  StreamResult streamIn(std::uint32_t flags, ByteSource& source);
  bool streamOut(std::uint32_t flags, ByteSink& sink) const;

  // ---- Text mode (EM_SETTEXTMODE): switching drops the formatting and the undo history.
  TextMode textMode() const { return doc_.plainText() ? TextMode::Plain : TextMode::Rich; }
  void setTextMode(TextMode mode);

  // ---- Undo (EM_UNDO, EM_REDO, EM_SETUNDOLIMIT, EM_STOPGROUPTYPING)
  bool undo();
  bool redo();
  bool canUndo() const { return doc_.canUndo(); }
  bool canRedo() const { return doc_.canRedo(); }
  int setUndoLimit(int limit);
  void stopGroupTyping() { doc_.stopTyping(); }

  bool modified() const { return doc_.modified(); }
  void setModified(bool modified) { doc_.setModified(modified); }

 private:
  CharStyle typingStyle() const;
  std::uint32_t textCodePage(std::uint32_t flags) const;
  void moveCaret(CharPos pos);

  const CodePageConverter& converter_;
  std::uint32_t codePage_;
  RichTextDocument doc_;
  CharRange sel_;
  std::optional<CharStyle> typing_;  // set by scf::Selection on an empty selection
};

}  // namespace richedit
