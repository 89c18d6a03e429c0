#pragma once
// The undo and redo stacks of a document. A step is one user-visible action: one or more
// changes undone together. Consecutive typing merges into one step until something breaks
// the typing group (the caret moving, a format change, stopTyping()).
#include <cstddef>
#include <deque>
#include <variant>
#include <vector>

#include "richedit/RichTextFragment.h"
#include "richedit/TextTypes.h"

namespace richedit {

struct TextChange {
  CharPos pos = 0;
  RichTextFragment removed;
  RichTextFragment inserted;
};

struct StyleChange {  // character formats of [pos, pos + length); ids of the document's pool
  CharPos pos = 0;
  std::vector<StyleSpan> before;
  std::vector<StyleSpan> after;
};

struct ParaChange {  // formats of consecutive paragraphs from index first; the document's ids
  std::size_t first = 0;
  std::vector<FormatId> before;
  std::vector<FormatId> after;
};

using Change = std::variant<TextChange, StyleChange, ParaChange>;

struct UndoStep {
  std::vector<Change> changes;
  bool typing = false;  // an open typing group that later keystrokes may extend
};

class UndoHistory {
 public:
  static constexpr int DefaultLimit = 100;

  int limit() const { return limit_; }
  void setLimit(int limit);  // 0 switches undo off and forgets every step
  void clear();

  bool canUndo() const { return !undo_.empty(); }
  bool canRedo() const { return !redo_.empty(); }

  // Starts a new step (or extends the open group) with change; forgets the redo stack.
  void record(Change change, bool typing);
  // The open typing step when it is the last one, else nullptr; used to merge keystrokes.
  UndoStep* openTypingStep();
  void stopTyping();

  // Everything recorded between begin and end becomes one step; calls may nest.
  void beginGroup();
  void endGroup();

  UndoStep takeUndo();  // precondition: canUndo()
  UndoStep takeRedo();  // precondition: canRedo()
  void pushRedo(UndoStep step);
  void pushUndo(UndoStep step);  // after a redo; keeps the redo stack

 private:
  void trim();

  std::deque<UndoStep> undo_;
  std::vector<UndoStep> redo_;
  int limit_ = DefaultLimit;
  int groupDepth_ = 0;
  bool groupStarted_ = false;
};

}  // namespace richedit
