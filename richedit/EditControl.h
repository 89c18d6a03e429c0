#pragma once
// The state of one rich-edit window and the handlers its window procedure calls. The work is
// split by concern: RichEditWindow.cpp dispatches and notifies the parent, EditMessages.cpp
// answers the data messages, EditView.cpp paints, scrolls and places the caret, EditKeys.cpp
// handles the keyboard and the mouse, EditClipboard.cpp copies and pastes. Positions on screen are
// client pixels; layout works in twips and is converted at the screen's resolution.
#include <windows.h>

#include <richedit.h>

#include <cstdint>
#include <optional>
#include <string_view>

#include "richedit/DocumentLayout.h"
#include "richedit/EditSession.h"
#include "richedit/FormatRangeMessage.h"
#include "richedit/GdiTextMeasurer.h"
#include "richedit/PictureBitmaps.h"
#include "richedit/UrlDetection.h"

namespace richedit {

// SEL_EMPTY, or SEL_TEXT with SEL_MULTICHAR for more than one character.
WORD selectionType(CharRange range);

// A refused key or command sounds as on the platform's control.
inline void refuse() { MessageBeep(MB_OK); }

class EditControl {
 public:
  EditControl(HWND window, const CREATESTRUCTW& create);
  EditControl(const EditControl&) = delete;
  EditControl& operator=(const EditControl&) = delete;

  // One message, with the parent notified of what it changed once it is done.
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  // ---- Dispatch and notifications (RichEditWindow.cpp)
  LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  void afterCommand();
  void onDocumentChange(const ChangeNotice& notice);
  void sendCommand(WORD code);
  // Fills in the header of a WM_NOTIFY record (its first member) and sends it.
  LRESULT notifyParent(NMHDR& header, UINT code);
  void requestResize();  // EN_REQUESTRESIZE with the height the text needs
  // True when the parent swallows a key or mouse message (EN_MSGFILTER); it may change it.
  bool filterInput(UINT& message, WPARAM& wParam, LPARAM& lParam);
  // False when the parent refuses a change to protected text in range (EN_PROTECTED).
  bool allowChange(CharRange range, UINT message, WPARAM wParam, LPARAM lParam);
  // Selects from anchor to active; the caret and keyboard extension follow the active end.
  void select(CharPos anchor, CharPos active);
  CharPos active() const { return active_; }
  CharPos anchor() const { return anchor_; }
  bool readOnly() const { return (style() & ES_READONLY) != 0; }
  DWORD style() const { return static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)); }

  // ---- Data messages (EditMessages.cpp); nothing for a message they do not answer.
  std::optional<LRESULT> textMessage(UINT message, WPARAM wParam, LPARAM lParam);
  std::optional<LRESULT> selectionMessage(UINT message, WPARAM wParam, LPARAM lParam);
  std::optional<LRESULT> formatMessage(UINT message, WPARAM wParam, LPARAM lParam);
  std::optional<LRESULT> lineMessage(UINT message, WPARAM wParam, LPARAM lParam);
  std::optional<LRESULT> stateMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT streamIn(WPARAM flags, EDITSTREAM* stream);
  LRESULT streamOut(WPARAM flags, EDITSTREAM* stream);
  // Text that starts like RTF is read as RTF; selection replaces only the selection, keepUndo
  // keeps the change undoable.
  void setText(std::u16string_view text, bool selection = false, bool keepUndo = false);
  bool setRtf(std::string_view bytes, bool selection);
  LRESULT setTextEx(const SETTEXTEX* how, LPARAM text);
  LRESULT getTextEx(const GETTEXTEX* how, wchar_t* buffer);
  std::optional<LRESULT> optionMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void setSelectionRange(CharPos min, CharPos max);  // EM_EXSETSEL's rules
  void setFont(HFONT font);
  LRESULT setUrlDetection(WPARAM flags, LPARAM schemes);  // EM_AUTOURLDETECT
  // EM_GETCHARFORMAT reports detected URLs as linked text, as the platform's control marks them.
  void addDetectedLinks(CharRange range, CharFormat& format, std::uint32_t& uniform) const;
  void replaceSelection(std::u16string_view text, bool canUndo);
  // What EM_SETCHARFORMAT with these SCF_* flags changes; empty for the typing format.
  CharRange charFormatTarget(std::uint32_t scf) const;
  bool undo();  // EM_UNDO: true when a step was undone

  // ---- View (EditView.cpp)
  void paint();
  void relayout(bool repaint = true);  // the client width or the layout settings changed
  void updateScrollBar();
  void scrollTo(int y);  // the pixel row of the document at the top of the format area
  void scrollLines(int lines);
  void onVScroll(WORD code);
  void onWheel(int delta);
  void scrollToCaret();
  void updateCaret();
  void invalidate();
  // Client rows [top, bottom) are drawn again; the rest of the window keeps its pixels.
  void invalidateRows(int top, int bottom);
  void invalidateRange(CharRange range);  // the lines that hold range
  void invalidateChange();                // what the document changes since the last paint touched
  void invalidateSelectionChange(CharRange before, CharRange after);
  // EM_SETRECT, EM_SETRECTNP, EM_GETRECT and EM_SETMARGINS.
  std::optional<LRESULT> rectMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void scrollBy(int dx, int dy);  // moves the pixels on screen and draws only the uncovered band
  void scrollToX(int x);          // the pixel column of the text at the format area's left
  void onHScroll(WORD code);
  int contentWidth();  // pixels: the widest line, or the wrapping width
  void drawParagraphMarks(HDC dc, int first, int last);  // selected paragraph ends
  RECT formatRect() const;                               // where text goes, in client pixels
  int firstVisibleLine();
  POINT positionOf(CharPos pos);  // the top left of the caret at pos, client pixels
  CharPos charAt(POINT client);
  int pageHeight() const;  // twips of text the format area shows
  double zoom() const;     // 1 without EM_SETZOOM
  double pixelsPerTwipX() const;
  double pixelsPerTwipY() const;
  bool setZoom(int numerator, int denominator);  // 0, 0 turns zoom off
  int toPixelsX(std::int64_t twips) const;
  int toPixelsY(std::int64_t twips) const;
  std::int64_t toTwipsY(int pixels) const;
  std::int32_t toTwipsX(int pixels) const;
  std::int64_t documentHeight();  // pixels

  // ---- Clipboard (EditClipboard.cpp). format 0: the best the clipboard holds.
  void copy();
  void cut();
  void clear();  // deletes the selection
  bool canPaste(UINT format) const;
  void paste(UINT format = 0);

  // ---- Keyboard and mouse (EditKeys.cpp)
  bool keyDown(WPARAM key);  // false: not a key the control handles
  void charInput(wchar_t c);
  void editKey(WPARAM key, bool word);  // Backspace (VK_BACK) or Delete
  void stepNumbering();                 // Ctrl+Shift+L
  void moveTo(CharPos pos, bool extend, bool keepColumn = false);
  CharPos verticalTarget(int lines);  // the position lines below (above when negative)
  CharPos lineEnd(int line);
  CharPos paragraphTarget(bool down);  // Ctrl+Down and Ctrl+Up
  bool inSelectionBar(POINT p) const;  // left of the text, where clicks select lines
  CharRange lineRangeAt(POINT p);      // the whole line at p's height
  void extendByUnits(CharRange unit);  // the drag's first unit to unit, whole units
  void mouseDown(POINT p, bool extend);
  void mouseMove(POINT p);
  void dragScroll();  // the timer while a drag is outside the text
  void endDrag();
  static constexpr UINT_PTR kDragScrollTimer = 1;
  void doubleClick(POINT p);
  CharRange linkAt(POINT p);  // the linked text under the point; empty for none
  // The linked text or the detected URL that holds pos; empty for none.
  CharRange linkHolding(CharPos pos) const;
  // True when the parent took a mouse message over linked text (EN_LINK).
  bool notifyLink(UINT message, WPARAM wParam, LPARAM lParam, POINT p);
  bool setCursor(LPARAM hitTest);  // false: the class cursor applies

  HWND window_;
  EditSession session_;
  GdiTextMeasurer measurer_;
  DocumentLayout layout_;
  FormatRangeHandler formatter_;
  PictureBitmaps bitmaps_;
  DetectedUrls urls_;        // kept only while detection is on
  WPARAM urlDetection_ = 0;  // the AURL_* flags of EM_AUTOURLDETECT

  int dpiX_ = 96;
  int dpiY_ = 96;
  int scrollY_ = 0;
  int scrollX_ = 0;
  std::optional<RECT> setRect_;  // EM_SETRECT; the client less the margins without it
  int leftMargin_ = 1;           // EM_SETMARGINS, pixels
  int rightMargin_ = 1;
  bool hasHScrollBar_ = false;
  // The document changes not yet drawn: from the first changed character to the end of the
  // last, and the height the document had when last drawn.
  std::optional<CharRange> dirty_;
  bool formatDirty_ = false;
  std::int64_t drawnHeight_ = 0;
  int zoomNumerator_ = 0;
  int zoomDenominator_ = 0;
  std::int32_t layoutWidth_ = 0;
  CharPos anchor_ = 0;
  CharPos active_ = 0;
  std::optional<std::int32_t> column_;  // twips; Up and Down keep it
  DWORD eventMask_ = 0;
  COLORREF background_ = 0;
  bool systemBackground_ = true;
  bool autoWordSelection_ = false;
  bool selectionHidden_ = false;  // EM_HIDESELECTION
  bool singleLevelUndo_ = false;
  bool hasScrollBar_ = false;
  bool updatingScrollBar_ = false;
  SCROLLINFO shownVScroll_{};  // what the bars were last set to
  SCROLLINFO shownHScroll_{};
  bool focused_ = false;
  bool redraw_ = true;
  // The caret moved while redrawing was off: the view follows it when redrawing resumes, so
  // that bulk edits do not lay the whole document out for every step.
  bool caretScrollPending_ = false;
  bool caretShown_ = false;
  int caretHeight_ = 0;
  bool dragging_ = false;
  std::optional<CharRange> dragUnit_;  // a drag that started in the selection bar: its lines
  POINT dragPoint_{};
  bool overtype_ = false;  // the Insert key toggles it
  // What the parent was last told, so that a message sent back from a notification does
  // not repeat it.
  std::uint64_t changes_ = 0;
  std::uint64_t notifiedChanges_ = 0;
  CharRange notifiedSelection_;
};

}  // namespace richedit
