#pragma once
// Rich-text pagination: lays the content of a rich-edit control out on the pages of a preview.
// Each page records the character range that fits into its text rectangle, measured against
// the printer's device context so the preview breaks lines and pages where the printer will;
// the page draws its range later, directly on the printer or through a metafile on screen.
// The engine talks to the control only through the rich-edit messages.

#include <windows.h>

#include <richedit.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "engine/VpGdiSupport.h"
#include "engine/VpPreview.h"
#include "engine/VpValue.h"
#include "platform/GdiHandles.h"

// Streams the control's whole content out as rich text. A control without a parent window is
// parented to the program's main window for the call.
std::string GetRtfText(HWND control);
// Replaces the control's selection with rich text (nothing for an empty text).
void PutRtfText(HWND control, std::string_view rtf);
// The window classes of the extended rich-edit wrappers, compared without case.
bool IsExtendedRichEdit(HWND control);

// The hidden copy of a source control that the pages of a page list draw from: a rich-edit
// control of zero size on an invisible owner window, filled with the source's rich text.
class TVpRichEditCopy : public TVpRichText {
 public:
  // control is taken over (destroyed with the copy); it is sized 0 by 0 and reparented.
  TVpRichEditCopy(HWND source, HWND control);
  ~TVpRichEditCopy() override;
  TVpRichEditCopy(const TVpRichEditCopy&) = delete;
  TVpRichEditCopy& operator=(const TVpRichEditCopy&) = delete;

  HWND Source() const { return source_; }
  HWND Control() const { return control_; }
  bool IsRich() const override { return true; }
  std::string RtfText() const override { return GetRtfText(control_); }

 private:
  HWND source_;
  HWND holder_;
  HWND control_;
};

// Makes a rich-edit control for a copy; null asks for the plain one.
using TVpNeedRichEditFn = std::function<HWND()>;

// The shared copy of source in the list's rich-text resources: made (and filled) the first time
// the source is added, counted one more reference afterwards.
std::shared_ptr<TVpRichText> AddRichText(TVpPageList& list, HWND source,
                                         const TVpNeedRichEditFn& needRichEdit);

// An information context of the wrapper's current printer, or of the screen without one.
class TVpReferenceDc {
 public:
  explicit TVpReferenceDc(TVpPrinter& printer);
  ~TVpReferenceDc() { DeleteDC(dc_); }
  TVpReferenceDc(const TVpReferenceDc&) = delete;
  TVpReferenceDc& operator=(const TVpReferenceDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// One page's rich text: what the pagination recorded for it.
struct TVpPageRtfInfo {
  int FirstChar = 0;
  int EndChar = 0;  // exclusive, as EM_FORMATRANGE answers it
  TVpRect Rect{};   // inches on the page
  std::shared_ptr<TVpRichText> Control;
  bool Wrap = true;
  TVpSize PageSize{};  // inches, as laid out
};

// Draws a page's range: with rendering straight onto a printer's page, through a metafile
// recorded for the printer and played at the target's resolution anywhere else.
class TVpRtfPageBlock : public TVpPageRtfBlock {
 public:
  TVpRtfPageBlock(TVpPageRtfInfo info, std::shared_ptr<TVpReferenceDc> reference)
      : info_(std::move(info)), reference_(std::move(reference)) {}
  ~TVpRtfPageBlock() override;
  TVpRtfPageBlock(const TVpRtfPageBlock&) = delete;
  TVpRtfPageBlock& operator=(const TVpRtfPageBlock&) = delete;
  const TVpPageRtfInfo& Info() const { return info_; }
  void Draw(TVpDrawTarget& target, const TVpDrawContext& context) const override;

 private:
  FORMATRANGE FormatRecord(HDC dc) const;
  TVpEnhMetaFile Recording() const;
  // Plays the recording into dc through a picture of the text area at the device size. The
  // picture of the page shown last is kept, so a repaint at the same zoom is one copy.
  void Show(HDC dc, const TVpDrawContext& context) const;

  TVpPageRtfInfo info_;
  std::shared_ptr<TVpReferenceDc> reference_;
  // The recording is kept: the screen repaints the same page at every zoom step.
  mutable TVpEnhMetaFile recorded_;
};

// The range of a page's layout rectangle in twips: the page less the margins left and right
// and the allowances (plus a 90-twip lead) above and below; ten times wider without wrapping.
RECT VpRtfLayoutRect(TVpSize page, const TVpMargins& margins, std::int32_t topAllowance,
                     std::int32_t bottomAllowance, bool wrap);

class TVpRtfPreview {
 public:
  using NewPageEvent = std::function<void(TVpRtfPreview&, TVpValue& top, TVpValue& bottom)>;
  using ProgressEvent = std::function<void(TVpRtfPreview&, int percent)>;

  TVpRtfPreview() = default;
  TVpRtfPreview(const TVpRtfPreview&) = delete;
  TVpRtfPreview& operator=(const TVpRtfPreview&) = delete;

  TVpPreview* Preview() const { return preview_; }
  // Sets the allowances from the header and footer bands and the top and bottom margins.
  void SetPreview(TVpPreview* preview);

  bool ForceNewPages = true;
  bool WrapLines = true;
  TVpFont TextFileFont{10, 0, 0, 0, kVpDefaultCharset, "Arial"};

  TVpValue& TopAllowance() { return top_; }
  TVpValue& BottomAllowance() { return bottom_; }

  // Lays the editor's text out from the preview's current page on.
  void LoadRichEdit(HWND editor);

  NewPageEvent OnNewPage;
  ProgressEvent OnProgress;
  // A rich-edit control for the hidden copy; without an answer the plain one is made.
  TVpNeedRichEditFn OnNeedRichEdit;
  // The engine's error without a preview; a message box unless told otherwise.
  std::function<void(const std::string&)> ShowMessage;

 private:
  void SetAllowances();
  void Error(const std::string& text) const;
  void MoveToNextPage();

  TVpPreview* preview_ = nullptr;
  TVpValue top_;
  TVpValue bottom_;
};
