#include "richedit/UndoHistory.h"

#include <utility>

namespace richedit {

void UndoHistory::setLimit(int limit) {
  limit_ = limit < 0 ? 0 : limit;
  if (limit_ == 0) clear();
  trim();
}

void UndoHistory::clear() {
  undo_.clear();
  redo_.clear();
  groupStarted_ = false;
}

void UndoHistory::record(Change change, bool typing) {
  if (limit_ == 0) return;
  redo_.clear();
  if (groupDepth_ > 0) {
    if (!groupStarted_) {
      undo_.push_back(UndoStep{});
      groupStarted_ = true;
    }
    undo_.back().changes.push_back(std::move(change));
    undo_.back().typing = false;
    trim();
    return;
  }
  if (!undo_.empty()) undo_.back().typing = false;
  UndoStep step;
  step.changes.push_back(std::move(change));
  step.typing = typing;
  undo_.push_back(std::move(step));
  trim();
}

UndoStep* UndoHistory::openTypingStep() {
  if (limit_ == 0 || groupDepth_ > 0 || undo_.empty() || !undo_.back().typing) return nullptr;
  return &undo_.back();
}

void UndoHistory::stopTyping() {
  if (!undo_.empty()) undo_.back().typing = false;
}

void UndoHistory::beginGroup() {
  if (groupDepth_++ == 0) {
    stopTyping();
    groupStarted_ = false;
  }
}

void UndoHistory::endGroup() {
  if (groupDepth_ > 0 && --groupDepth_ == 0) groupStarted_ = false;
}

UndoStep UndoHistory::takeUndo() {
  UndoStep step = std::move(undo_.back());
  undo_.pop_back();
  step.typing = false;
  return step;
}

UndoStep UndoHistory::takeRedo() {
  UndoStep step = std::move(redo_.back());
  redo_.pop_back();
  return step;
}

void UndoHistory::pushRedo(UndoStep step) {
  if (limit_ > 0) redo_.push_back(std::move(step));
}

void UndoHistory::pushUndo(UndoStep step) {
  if (limit_ == 0) return;
  step.typing = false;
  undo_.push_back(std::move(step));
  trim();
}

void UndoHistory::trim() {
  while (static_cast<int>(undo_.size()) > limit_) undo_.pop_front();
}

}  // namespace richedit
