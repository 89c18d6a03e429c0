#include "writer/TextSearch.h"

#include <richedit.h>

#include <algorithm>
#include <cwctype>
#include <vector>

#include "platform/Dialogs.h"
#include "richedit/RichEditWindow.h"

namespace writer {
namespace {

constexpr int kFindWhatEdit = 0x480;  // edt1 of the common dialogs' templates
constexpr DWORD kSearchFlags = FR_DOWN | FR_MATCHCASE | FR_WHOLEWORD;

CHARRANGE SelectionOf(HWND editor) {
  CHARRANGE range{};
  SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range;
}

std::wstring TextOf(HWND editor, CHARRANGE range) {
  if (range.cpMax <= range.cpMin) return {};
  std::wstring text(static_cast<std::size_t>(range.cpMax - range.cpMin) + 1, L'\0');
  TEXTRANGEW request{range, text.data()};
  text.resize(static_cast<std::size_t>(
      SendMessageW(editor, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&request))));
  return text;
}

// The next hit from range's start towards its end (backwards when cpMax < cpMin).
CHARRANGE FindIn(HWND editor, const std::wstring& text, DWORD flags, CHARRANGE range) {
  FINDTEXTEXW find{range, text.c_str(), {-1, -1}};
  const auto found =
      SendMessageW(editor, EM_FINDTEXTEXW, flags & kSearchFlags, reinterpret_cast<LPARAM>(&find));
  return found < 0 ? CHARRANGE{-1, -1} : find.chrgText;
}

void Select(HWND editor, CHARRANGE range) {
  SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

}  // namespace

TextSearch::TextSearch(HWND owner, HWND editor) : owner_(owner), editor_(editor) {}

TextSearch::~TextSearch() {
  for (Dialog& d : dialogs_)
    if (d.window) DestroyWindow(d.window);
}

UINT TextSearch::ReportMessage() {
  static const UINT message = RegisterWindowMessageW(FINDMSGSTRINGW);
  return message;
}

void TextSearch::Open(bool replace) {
  Dialog& dialog = dialogs_[replace ? 1 : 0];
  const Dialog& other = dialogs_[replace ? 0 : 1];
  // The selection becomes the text to find; without one the dialog keeps its text or takes
  // over the other dialog's.
  std::wstring text = TextOf(editor_, SelectionOf(editor_));
  text = text.substr(0, std::min(text.find_first_of(L"\r\n"), std::size_t{kTextLength - 1}));
  if (text.empty()) text = *other.find ? other.find : dialog.find;
  wcsncpy_s(dialog.find, text.c_str(), _TRUNCATE);
  if (dialog.window) {
    SetDlgItemTextW(dialog.window, kFindWhatEdit, dialog.find);
    ShowWindow(dialog.window, SW_SHOW);
    SetForegroundWindow(dialog.window);
    SetActiveWindow(dialog.window);
    return;
  }
  FINDREPLACEW& r = dialog.record;
  r = FINDREPLACEW{};
  r.lStructSize = sizeof r;
  r.hwndOwner = owner_;
  r.Flags = FR_DOWN;
  r.lpstrFindWhat = dialog.find;
  r.wFindWhatLen = kTextLength;
  r.lpstrReplaceWith = dialog.replace;
  r.wReplaceWithLen = kTextLength;
  dialog.window = replace ? ReplaceTextW(&r) : FindTextW(&r);
}

void TextSearch::HandleReport(const FINDREPLACEW& report) {
  const bool fromReplace = &report == &dialogs_[1].record;
  Dialog& dialog = dialogs_[fromReplace ? 1 : 0];
  if (report.Flags & FR_DIALOGTERM) {
    if (lastDialog_ == dialog.window) lastDialog_ = nullptr;
    dialog.window = nullptr;
    return;
  }
  // The replace dialog always searches downwards.
  const DWORD flags = fromReplace ? (report.Flags | FR_DOWN) : report.Flags;
  FINDREPLACEW options = report;
  options.Flags = flags;
  if (report.Flags & FR_REPLACEALL) {
    ReplaceAll(options);
  } else if (report.Flags & FR_REPLACE) {
    Replace(options);
  } else if (report.Flags & FR_FINDNEXT) {
    last_ = {report.lpstrFindWhat, flags};
    lastDialog_ = dialog.window;
    if (!Search(last_.text, flags, true)) ReportNotFound(last_.text);
  }
}

bool TextSearch::Search(const std::wstring& text, DWORD flags, bool moveDialog) {
  if (text.empty()) return false;
  const CHARRANGE selection = SelectionOf(editor_);
  const CHARRANGE range =
      (flags & FR_DOWN) ? CHARRANGE{selection.cpMax, -1} : CHARRANGE{selection.cpMin, 0};
  const CHARRANGE hit = FindIn(editor_, text, flags, range);
  if (hit.cpMin < 0) return false;
  Select(editor_, hit);
  SendMessageW(editor_, EM_SCROLLCARET, 0, 0);
  if (moveDialog && lastDialog_) MoveDialogOffCaret(lastDialog_);
  return true;
}

bool TextSearch::SelectionMatches(const std::wstring& text, DWORD flags) const {
  const std::wstring selected = TextOf(editor_, SelectionOf(editor_));
  if (selected.size() != text.size()) return false;
  if (flags & FR_MATCHCASE) return selected == text;
  return std::equal(selected.begin(), selected.end(), text.begin(),
                    [](wchar_t a, wchar_t b) { return std::towlower(a) == std::towlower(b); });
}

// The selection is replaced only when it is a hit; otherwise Replace finds the next one first.
void TextSearch::Replace(const FINDREPLACEW& report) {
  const std::wstring text = report.lpstrFindWhat;
  last_ = {text, report.Flags};
  lastDialog_ = dialogs_[1].window;
  if (SelectionMatches(text, report.Flags))
    SendMessageW(editor_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(report.lpstrReplaceWith));
  if (!Search(text, report.Flags, true)) ReportNotFound(text);
}

void TextSearch::ReplaceAll(const FINDREPLACEW& report) {
  const std::wstring text = report.lpstrFindWhat;
  const std::wstring replacement = report.lpstrReplaceWith;
  if (text.empty()) return;
  last_ = {text, report.Flags};
  lastDialog_ = dialogs_[1].window;
  // Quiet while it works: no painting and no notifications until every hit is replaced.
  SendMessageW(editor_, WM_SETREDRAW, FALSE, 0);
  const LRESULT events = SendMessageW(editor_, EM_SETEVENTMASK, 0, 0);
  SendMessageW(editor_, richedit::EM_BEGINUNDOGROUP, 0, 0);
  // Every hit from the selection on, found in the text as it is, then replaced from the last
  // to the first: the text before each replacement is unchanged, so the control lays out only
  // what changed instead of everything up to each hit.
  std::vector<CHARRANGE> hits;
  for (LONG from = SelectionOf(editor_).cpMin;;) {
    const CHARRANGE hit = FindIn(editor_, text, report.Flags | FR_DOWN, CHARRANGE{from, -1});
    if (hit.cpMin < 0 || hit.cpMax <= hit.cpMin) break;
    hits.push_back(hit);
    from = hit.cpMax;
  }
  for (auto hit = hits.rbegin(); hit != hits.rend(); ++hit) {
    Select(editor_, *hit);
    SendMessageW(editor_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(replacement.c_str()));
  }
  const auto replaced = static_cast<LONG>(hits.size());
  if (replaced > 0) {
    // The caret ends after the last replacement, as if the hits had been replaced in order.
    LONG end = hits.back().cpMax;
    for (const CHARRANGE& h : hits)
      end += static_cast<LONG>(replacement.size()) - (h.cpMax - h.cpMin);
    Select(editor_, CHARRANGE{end, end});
  }
  SendMessageW(editor_, richedit::EM_ENDUNDOGROUP, 0, 0);
  SendMessageW(editor_, EM_SETEVENTMASK, 0, events);
  SendMessageW(editor_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(editor_, nullptr, TRUE);
  if (replaced == 0) {
    ReportNotFound(text);
    return;
  }
  SendMessageW(editor_, EM_SCROLLCARET, 0, 0);
  if (OnReplacedAll) OnReplacedAll();
}

void TextSearch::FindNext() {
  if (last_.text.empty()) {
    MessageBeep(MB_OK);
  } else if (!Search(last_.text, last_.flags, false)) {
    ReportNotFound(last_.text);
    MessageBeep(MB_OK);
  }
  if (IsWindowVisible(editor_) && IsWindowEnabled(editor_)) SetFocus(editor_);
}

void TextSearch::ReportNotFound(const std::wstring& text) {
  ShowWarning(L"Text \"" + text + L"\" not found.");
}

// A dialog over the hit moves above it, or below when there is no room above.
void TextSearch::MoveDialogOffCaret(HWND dialog) {
  if (!IsWindowVisible(dialog)) return;
  const CHARRANGE selection = SelectionOf(editor_);
  POINTL at{};
  SendMessageW(editor_, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), selection.cpMin);
  POINT hit{at.x, at.y};
  ClientToScreen(editor_, &hit);
  RECT box{};
  GetWindowRect(dialog, &box);
  const int lineHeight = 24;
  RECT text{hit.x, hit.y, hit.x + 1, hit.y + lineHeight};
  RECT overlap{};
  if (!IntersectRect(&overlap, &box, &text)) return;
  const int height = box.bottom - box.top;
  const int top = hit.y - height - 8 >= 0 ? hit.y - height - 8 : hit.y + lineHeight + 8;
  SetWindowPos(dialog, nullptr, box.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace writer
