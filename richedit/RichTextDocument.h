#pragma once
// The document a rich-edit control holds, with the platform control's character positions:
// the text is UTF-16, a paragraph end is one position ('\r'), a picture is one position
// (U+FFFC), and the story always ends with a final paragraph mark that belongs to no range
// except a select-all. Formats are stored as runs of interned styles, paragraph formats once
// per paragraph, so memory grows with the text, not with the number of formatted characters.
// Every change is recorded for undo.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "richedit/AnchorList.h"
#include "richedit/CharStyle.h"
#include "richedit/FormatPool.h"
#include "richedit/ParaFormat.h"
#include "richedit/Picture.h"
#include "richedit/RichTextFragment.h"
#include "richedit/RunList.h"
#include "richedit/TextTypes.h"
#include "richedit/UndoHistory.h"

namespace richedit {

enum class EditKind { Plain, Typing };

// What a change touched, for layout and notifications: removed characters at pos replaced by
// inserted ones; formatOnly when no text moved.
struct ChangeNotice {
  CharPos pos = 0;
  CharPos removed = 0;
  CharPos inserted = 0;
  bool formatOnly = false;
};

class RichTextDocument {
 public:
  RichTextDocument();

  // ---- Text
  CharPos textLength() const { return storyLength() - 1; }  // GetTextLength
  CharPos storyLength() const { return static_cast<CharPos>(text_.size()); }
  // The whole story: '\r' paragraph ends, U+FFFC pictures, the final mark last.
  const std::u16string& storyText() const { return text_; }
  std::u16string text(CharRange range) const;  // clamped to the story
  std::u16string windowText() const;           // WM_GETTEXT: CR LF paragraph ends, no final mark
  CharPos windowTextLength() const { return textLength() + paragraphCount() - 1; }
  char16_t charAt(CharPos pos) const { return text_[static_cast<std::size_t>(pos)]; }
  bool empty() const { return textLength() == 0; }

  // ---- Character formats
  const CharStyle& styleAt(CharPos pos) const;  // pos in [0, storyLength)
  // The stretch of equal style that holds pos, for walking the text run by run.
  CharRange runAt(CharPos pos) const;
  CharFormat charFormatAt(CharPos pos) const { return styleAt(pos).format; }
  // The style typing at pos takes: the character before pos, or at a paragraph start the one
  // at pos.
  CharStyle insertionStyle(CharPos pos) const;
  // The format of the range's first character and, in uniformMask, the fields that are the
  // same all over the range (paragraph marks count only when the range holds nothing else).
  CharFormat rangeCharFormat(CharRange range, std::uint32_t* uniformMask) const;
  // Applies the masked fields to every character of the range (the whole story in plain-text
  // mode). An empty range changes nothing. Returns true when anything changed.
  bool setCharFormat(CharRange range, const CharFormat& format, std::uint32_t mask);
  // Marks the range as linked text with the given target (empty: the text is the target).
  bool setLink(CharRange range, bool linked, std::u16string_view target = {});
  const CharFormat& defaultCharFormat() const { return defaultStyle_.format; }
  // SCF_DEFAULT: the format new documents start with; an empty document (or, in plain-text
  // mode, the whole document) takes it at once.
  void setDefaultCharFormat(const CharFormat& format, std::uint32_t mask);

  // ---- Paragraphs and their formats
  int paragraphCount() const { return static_cast<int>(paras_.count()); }
  int paragraphIndexAt(CharPos pos) const;
  CharRange paragraphRange(int index) const;  // including its paragraph end
  ParaFormat paraFormatAt(CharPos pos) const;
  ParaFormat rangeParaFormat(CharRange range, std::uint32_t* uniformMask) const;
  // Applies the masked fields to every paragraph the range touches (an empty range: the
  // paragraph holding it).
  bool setParaFormat(CharRange range, const ParaFormat& format, std::uint32_t mask);

  // ---- Lines without wrapping: broken at paragraph ends and line breaks. The layout layer
  // answers the wrapped line messages; these serve unwrapped controls and the layout itself.
  int lineCount() const;
  int lineFromChar(CharPos pos) const;
  CharPos lineStart(int line) const;   // -1 for a line that does not exist
  CharPos lineLength(int line) const;  // without its break; -1 for a line that does not exist

  // ---- Pictures
  const Picture* pictureAt(CharPos pos) const;
  std::size_t pictureCount() const { return objects_.count(); }

  // ---- Editing. Ranges are clamped to [0, textLength]: the final mark is never removed.
  // Text may use CR, LF or CR LF for paragraph ends. style null: the insertion style at
  // range.min. Returns the range the new text occupies.
  CharRange replaceText(CharRange range, std::u16string_view text, const CharStyle* style = nullptr,
                        EditKind kind = EditKind::Plain);
  CharRange replaceWithFragment(CharRange range, const RichTextFragment& fragment);
  CharRange insertPicture(CharRange range, Picture picture, const CharStyle* style = nullptr);
  RichTextFragment copyRange(CharRange range) const;  // may include the final mark
  RichTextFragment copyAll() const { return copyRange({0, storyLength()}); }
  // Replaces the whole document; a fragment ending in a paragraph end gives that paragraph end
  // the role of the final mark. Forgets undo.
  void load(const RichTextFragment& fragment);
  void clear();
  CharPos textLimit() const { return textLimit_; }
  void setTextLimit(CharPos limit);

  // ---- Queries
  CharRange find(std::u16string_view what, CharRange range, std::uint32_t flags) const;
  CharRange wordAt(CharPos pos) const;
  // True when changing range would touch protected text: a non-empty range holding a
  // protected character, or an insertion point inside a protected run.
  bool isProtected(CharRange range) const;

  // ---- Text mode: plain text has one character and one paragraph format for everything.
  bool plainText() const { return plainText_; }
  void setPlainText(bool plain);  // drops formatting and pictures; forgets undo

  // ---- Undo
  bool canUndo() const { return undo_.canUndo(); }
  bool canRedo() const { return undo_.canRedo(); }
  CharRange undo();  // the range the restored content occupies; {-1,-1} when nothing to undo
  CharRange redo();
  int undoLimit() const { return undo_.limit(); }
  void setUndoLimit(int limit) { undo_.setLimit(limit); }
  void stopTyping() { undo_.stopTyping(); }
  void emptyUndo() { undo_.clear(); }
  void beginUndoGroup() { undo_.beginGroup(); }
  void endUndoGroup() { undo_.endGroup(); }

  bool modified() const { return modified_; }
  void setModified(bool modified) { modified_ = modified; }

  void setChangeListener(std::function<void(const ChangeNotice&)> listener) {
    listener_ = std::move(listener);
  }

  std::size_t memoryUsage() const;  // heap bytes held by the content (not the undo history)
  std::size_t runCount() const { return runs_.count(); }

 private:
  CharRange clampEdit(CharRange range) const;
  FormatId paraIdAt(CharPos pos) const;
  RichTextFragment textFragment(std::u16string_view text, const CharStyle& style,
                                const ParaFormat& para) const;
  RichTextFragment splice(CharPos pos, CharPos removeLength, const RichTextFragment& content);
  void insertContent(CharPos pos, const RichTextFragment& content);
  void eraseContent(CharPos from, CharPos to);
  CharRange applyChange(const Change& change, bool forward);
  bool mergeTyping(CharPos pos, const RichTextFragment& removed, const RichTextFragment& inserted);
  void restyleAll(const CharStyle& style);
  void notify(const ChangeNotice& notice);
  void rebuildLines() const;

  std::u16string text_;
  RunList runs_;
  AnchorList<FormatId> paras_;  // one per '\r', at its position
  AnchorList<std::shared_ptr<const Picture>> objects_;
  FormatPool<CharStyle> styles_;
  FormatPool<ParaFormat> paraPool_;
  CharStyle defaultStyle_;
  UndoHistory undo_;
  CharPos textLimit_;
  bool plainText_ = false;
  bool modified_ = false;
  std::function<void(const ChangeNotice&)> listener_;
  mutable std::vector<CharPos> lineStarts_;
  mutable bool linesValid_ = false;
};

}  // namespace richedit
