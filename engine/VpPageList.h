#pragma once
// A document of the page engine: pages of recorded objects that share one paper size, one
// orientation, one header, one footer, one set of margins and one resource table. The list
// keeps a current page for the recording canvas and batches its notifications in updates.

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/VpCanvas.h"
#include "engine/VpHeaderFooter.h"
#include "engine/VpMargins.h"
#include "engine/VpObjects.h"
#include "engine/VpPageSetup.h"
#include "engine/VpValueRect.h"

class TVpPageList;

// The page's rich-text block: the rich-text pagination fills it and the page draws it first.
class TVpPageRtfBlock {
 public:
  virtual ~TVpPageRtfBlock() = default;
  virtual void Draw(TVpDrawTarget& target, const TVpDrawContext& context) const = 0;
};

class TVpPage {
 public:
  explicit TVpPage(TVpPageList* owner) : owner_(owner) {}
  TVpPage(const TVpPage&) = delete;
  TVpPage& operator=(const TVpPage&) = delete;

  // Position in the list plus one; 0 when the page belongs to no list.
  int PageNumber() const;
  TVpPageList* Owner() const { return owner_; }

  int ObjectCount() const { return static_cast<int>(objects_.size()); }
  TVpBaseObject& Object(int index) const { return *objects_.at(static_cast<std::size_t>(index)); }
  // Appends and raises the page's change notification.
  TVpBaseObject& Append(std::unique_ptr<TVpBaseObject> object);
  // Index in the drawing order; -1 when the object is not on this page.
  int IndexOf(const TVpBaseObject& object) const;
  // Moves the object at from to position to (both clamped into the list) and notifies.
  void Move(int from, int to);

  TVpSize Size() const { return size_; }
  // Stores the size and notifies when it differs.
  void SetSize(TVpSize inches);
  TVpOrientation Orientation() const { return orientation_; }
  // Turns the page: landscape makes the width the larger dimension. Always notifies.
  void SetOrientation(TVpOrientation orientation);

  bool ShowHeader() const { return showHeader_; }
  void SetShowHeader(bool show) { showHeader_ = show; }
  bool ShowFooter() const { return showFooter_; }
  void SetShowFooter(bool show) { showFooter_ = show; }

  const TVpPageRtfBlock* RtfBlock() const { return rtf_.get(); }
  void SetRtfBlock(std::unique_ptr<TVpPageRtfBlock> block) { rtf_ = std::move(block); }

  // Raised when the page's objects or its size change; the list binds it.
  TVpNotifyEvent<TVpPage> OnChange;

 private:
  friend class TVpPageList;
  void Changed() { OnChange(*this); }

  TVpPageList* owner_;
  std::vector<std::unique_ptr<TVpBaseObject>> objects_;
  TVpSize size_ = kVpInitialPageSize;
  TVpOrientation orientation_ = vpPortrait;
  bool showHeader_ = true;
  bool showFooter_ = true;
  std::unique_ptr<TVpPageRtfBlock> rtf_;
};

enum TVpPagesPerSheet : std::uint8_t { vpOnePage = 0, vpTwoPage = 1, vpFourPage = 2 };

class TVpPageList {
 public:
  TVpPageList();
  ~TVpPageList();
  TVpPageList(const TVpPageList&) = delete;
  TVpPageList& operator=(const TVpPageList&) = delete;

  TVpResourceTable& Resources() { return resources_; }
  TVpCanvas& Canvas() { return canvas_; }
  TVpHeader& Header() { return header_; }
  TVpFooter& Footer() { return footer_; }
  TVpMargins& Margins() { return margins_; }
  const TVpMargins& Margins() const { return margins_; }

  // Appends a page (or inserts it before the 0-based index) and makes it current.
  TVpPage& AddPage(int insertBefore = -1);
  void ClearPages(bool keepEmpty, bool clearResources);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  // 1-based; 0 until the first page is added.
  int CurrentPage() const { return current_; }
  // The page at 1-based position n.
  TVpPage& GetPage(int n) const { return *pages_.at(static_cast<std::size_t>(n - 1)); }
  int IndexOfPage(const TVpPage& page) const;
  void GoToPage(int n);

  void BeginUpdate() { updates_.BeginUpdate(); }
  void EndUpdate();
  bool IsUpdating() const { return updates_.IsUpdating(); }

  // Shifts the object by the origin and appends it to the current page.
  TVpBaseObject& AddObject(std::unique_ptr<TVpBaseObject> object, TVpCoordsRelative origin);
  // 0 to the top, 1 one up, 2 one down, 3 to the bottom; only on the current page.
  void MoveObject(const TVpBaseObject& object, int direction);
  // The topmost visible object of the page whose outline at 600 per inch holds the point.
  TVpVisibleObject* ObjectAtPoint(const TVpPage& page, long double x, long double y,
                                  TVpMeasurement measurement, TVpDrawTarget& outlines) const;

  // In inches, for the current page.
  TVpValueRect& HeaderRect();
  TVpValueRect& FooterRect();

  TVpPaperSize PaperSize() const { return setup_.PaperSize(); }
  void SetPaperSize(TVpPaperSize paper);
  void SetCustomPaperSize(long double width, long double height, TVpMeasurement measurement);
  TVpOrientation Orientation() const { return setup_.Orientation(); }
  void SetOrientation(TVpOrientation orientation);
  TVpSize PageSize() const { return setup_.PageSize(); }
  TVpPagesPerSheet PagesPerSheet() const { return pagesPerSheet_; }
  void SetPagesPerSheet(TVpPagesPerSheet pages) { pagesPerSheet_ = pages; }

  // The printer's unprintable left and top margins in inches for the list's orientation;
  // the printer wrapper supplies them (none: the page corner).
  std::function<TVpPoint()> PrinterOffset;
  // The cell height in pixels of a font at a resolution, for header and footer bands; the
  // drawing side supplies it.
  TVpCellHeightFn CellHeight;

  // Rich-text block, objects (skipping unprintable ones on a printer), header, footer.
  void DrawPage(const TVpPage& page, TVpDrawTarget& target, int ppiX, int ppiY) const;

  // Notifications to the owner, each possibly empty.
  TVpNotifyEvent<TVpPageList> OnNewPage;
  TVpNotifyEvent<TVpPageList> OnClear;
  TVpNotifyEvent<TVpPageList> OnPageChanged;
  TVpNotifyEvent<TVpPageList> OnBeforePageChange;
  TVpNotifyEvent<TVpPageList> OnPageContentChanged;   // dropped while updating
  TVpNotifyEvent<TVpPageList> OnPageCountChanged;     // dropped while updating
  TVpNotifyEvent<TVpPageList> OnHeaderFooterChanged;  // dropped while updating
  TVpNotifyEvent<TVpPageList> OnMarginsChanged;       // dropped while updating
  TVpNotifyEvent<TVpPageList> OnOrientationChanged;
  TVpNotifyEvent<TVpPageList> OnPaperSizeChanged;
  TVpNotifyEvent<TVpPageList> OnNeedRichEdit;
  // After each printed page: its place in the job and the number of pages in the job.
  TVpCallback<TVpPageList&, int, int> OnPrintProgress;

 private:
  void ContentChanged();
  void Raise(const TVpNotifyEvent<TVpPageList>& event, bool batched);
  void ApplyPageSize();
  TVpPoint OriginOffset(TVpCoordsRelative origin) const;
  long double HeaderHeight() const;
  long double FooterHeight() const;

  TVpResourceTable resources_;
  TVpCanvas canvas_;
  TVpFooter footer_;
  TVpHeader header_;
  TVpMargins margins_;
  TVpValueRect headerRect_;
  TVpValueRect footerRect_;
  std::vector<std::unique_ptr<TVpPage>> pages_;
  int current_ = 0;
  TVpPageSetup setup_;
  TVpPagesPerSheet pagesPerSheet_ = vpOnePage;
  TVpUpdateCounter updates_;
};
