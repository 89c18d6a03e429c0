#include "engine/VpPageList.h"

#include <algorithm>

#include "engine/VpRounding.h"

// Pages --------------------------------------------------------------------------------------

int TVpPage::PageNumber() const { return owner_ ? owner_->IndexOfPage(*this) + 1 : 0; }

TVpBaseObject& TVpPage::Append(std::unique_ptr<TVpBaseObject> object) {
  objects_.push_back(std::move(object));
  Changed();
  return *objects_.back();
}

int TVpPage::IndexOf(const TVpBaseObject& object) const {
  for (std::size_t i = 0; i < objects_.size(); ++i)
    if (objects_[i].get() == &object) return static_cast<int>(i);
  return -1;
}

void TVpPage::Move(int from, int to) {
  const int last = ObjectCount() - 1;
  if (from < 0 || from > last) return;
  to = std::clamp(to, 0, last);
  auto object = std::move(objects_[static_cast<std::size_t>(from)]);
  objects_.erase(objects_.begin() + from);
  objects_.insert(objects_.begin() + to, std::move(object));
  Changed();
}

void TVpPage::SetSize(TVpSize inches) {
  if (inches == size_) return;
  size_ = inches;
  Changed();
}

void TVpPage::SetOrientation(TVpOrientation orientation) {
  size_ = OrientPageSize(size_, orientation);
  orientation_ = orientation;
  Changed();
}

// The list -----------------------------------------------------------------------------------

TVpPageList::TVpPageList() : canvas_(*this) {
  const auto headerChanged = [this](TVpHeaderFooter&) { Raise(OnHeaderFooterChanged, true); };
  header_.OnChange = headerChanged;
  footer_.OnChange = headerChanged;
  margins_.OnChange = [this](TVpMargins&) { Raise(OnMarginsChanged, true); };
}

TVpPageList::~TVpPageList() = default;

void TVpPageList::Raise(const TVpNotifyEvent<TVpPageList>& event, bool batched) {
  if (batched && IsUpdating()) return;
  event(*this);
}

void TVpPageList::ContentChanged() { Raise(OnPageContentChanged, true); }

TVpPage& TVpPageList::AddPage(int insertBefore) {
  auto page = std::make_unique<TVpPage>(this);
  page->SetOrientation(setup_.Orientation());
  page->size_ = setup_.RecomputePageSize();
  page->OnChange = [this](TVpPage&) { ContentChanged(); };
  TVpPage& added = *page;
  if (insertBefore >= 0 && insertBefore < PageCount())
    pages_.insert(pages_.begin() + insertBefore, std::move(page));
  else
    pages_.push_back(std::move(page));
  Raise(OnPageCountChanged, true);
  ContentChanged();
  GoToPage(PageCount());
  OnNewPage(*this);
  return added;
}

void TVpPageList::ClearPages(bool keepEmpty, bool clearResources) {
  pages_.clear();
  current_ = 0;
  if (clearResources) resources_.Clear();
  if (!keepEmpty) {
    current_ = 1;
    AddPage();
  }
  OnClear(*this);
}

int TVpPageList::IndexOfPage(const TVpPage& page) const {
  for (std::size_t i = 0; i < pages_.size(); ++i)
    if (pages_[i].get() == &page) return static_cast<int>(i);
  return -1;
}

void TVpPageList::GoToPage(int n) {
  if (n == current_ || n < 1 || n > PageCount()) return;
  OnBeforePageChange(*this);
  current_ = n;
  OnPageChanged(*this);
}

void TVpPageList::EndUpdate() {
  if (!updates_.EndUpdate()) return;
  OnPageCountChanged(*this);
  OnPageContentChanged(*this);
}

TVpPoint TVpPageList::OriginOffset(TVpCoordsRelative origin) const {
  const long double left = margins_.Left().AsInches();
  const long double top = margins_.Top().AsInches();
  switch (origin) {
    case vpFromPage: return {};
    case vpFromPrinterMargins: return PrinterOffset ? PrinterOffset() : TVpPoint{};
    case vpFromUserMargins: return {left, top};
    case vpFromHeaderLine: return {left, top + HeaderHeight()};
  }
  return {};
}

TVpBaseObject& TVpPageList::AddObject(std::unique_ptr<TVpBaseObject> object,
                                      TVpCoordsRelative origin) {
  if (current_ < 1 || current_ > PageCount()) AddPage();
  const TVpPoint shift = OriginOffset(origin);
  if (shift.X != 0 || shift.Y != 0) {
    object->LockChanges(true);
    object->MoveBy(vpInches, shift.X, shift.Y);
    object->LockChanges(false);
  }
  TVpPage& page = GetPage(current_);
  object->OnChange = [&page](TVpBaseObject&) { page.Changed(); };
  if (auto* visible = dynamic_cast<TVpVisibleObject*>(object.get()))
    visible->OnReorder = [this](TVpVisibleObject& o, int direction) { MoveObject(o, direction); };
  return page.Append(std::move(object));
}

void TVpPageList::MoveObject(const TVpBaseObject& object, int direction) {
  if (current_ < 1 || current_ > PageCount()) return;
  TVpPage& page = GetPage(current_);
  const int at = page.IndexOf(object);
  if (at < 0) return;
  switch (direction) {
    case 0: page.Move(at, page.ObjectCount() - 1); break;
    case 1: page.Move(at, at + 1); break;
    case 2: page.Move(at, at - 1); break;
    case 3: page.Move(at, 0); break;
    default: break;
  }
}

TVpVisibleObject* TVpPageList::ObjectAtPoint(const TVpPage& page, long double x, long double y,
                                             TVpMeasurement measurement,
                                             TVpDrawTarget& outlines) const {
  const TVpIntPoint at{VpRoundToInt(ConvertValue(x, measurement, vpInches) * 600),
                       VpRoundToInt(ConvertValue(y, measurement, vpInches) * 600)};
  const TVpDrawContext context{page.PageNumber(), 600, 600, PageCount()};
  TVpVisibleObject* found = nullptr;
  for (int i = 0; i < page.ObjectCount(); ++i) {
    auto* visible = dynamic_cast<TVpVisibleObject*>(&page.Object(i));
    if (!visible) continue;
    const TVpIntRect box = CornersToRect(visible->GetOutline(outlines, context));
    if (at.X >= box.Left && at.X < box.Right && at.Y >= box.Top && at.Y < box.Bottom)
      found = visible;
  }
  return found;
}

long double TVpPageList::HeaderHeight() const { return header_.BandHeight(CellHeight); }

long double TVpPageList::FooterHeight() const { return footer_.BandHeight(CellHeight); }

TVpValueRect& TVpPageList::HeaderRect() {
  const TVpSize size = current_ >= 1 ? GetPage(current_).Size() : PageSize();
  const long double top = margins_.Top().AsInches();
  headerRect_.SetRect({margins_.Left().AsInches(), top, size.Width - margins_.Right().AsInches(),
                       top + HeaderHeight()});
  return headerRect_;
}

TVpValueRect& TVpPageList::FooterRect() {
  const TVpSize size = current_ >= 1 ? GetPage(current_).Size() : PageSize();
  const long double bottom = size.Height - margins_.Bottom().AsInches();
  footerRect_.SetRect({margins_.Left().AsInches(), bottom - FooterHeight(),
                       size.Width - margins_.Right().AsInches(), bottom});
  return footerRect_;
}

void TVpPageList::ApplyPageSize() {
  for (auto& page : pages_) page->SetSize(setup_.PageSize());
}

void TVpPageList::SetPaperSize(TVpPaperSize paper) {
  if (paper == setup_.PaperSize()) return;
  {
    TVpUpdateGuard<TVpPageList> update(*this);
    setup_.SetPaperSize(paper);
    ApplyPageSize();
  }
  OnPaperSizeChanged(*this);
}

void TVpPageList::SetCustomPaperSize(long double width, long double height,
                                     TVpMeasurement measurement) {
  setup_.SetCustomPaperSize(width, height, measurement);
  ApplyPageSize();
  OnPaperSizeChanged(*this);
}

void TVpPageList::SetOrientation(TVpOrientation orientation) {
  {
    TVpUpdateGuard<TVpPageList> update(*this);
    for (auto& page : pages_) page->SetOrientation(orientation);
    setup_.SetOrientation(orientation);
    if (!pages_.empty()) setup_.SetPageSize(pages_.front()->Size());
  }
  OnOrientationChanged(*this);
}

void TVpPageList::DrawPage(const TVpPage& page, TVpDrawTarget& target, int ppiX, int ppiY) const {
  const TVpDrawContext context{page.PageNumber(), ppiX, ppiY, PageCount()};
  if (const TVpPageRtfBlock* rtf = page.RtfBlock()) rtf->Draw(target, context);
  const bool printer = target.IsPrinter();
  for (int i = 0; i < page.ObjectCount(); ++i) {
    const TVpBaseObject& object = page.Object(i);
    if (printer && !object.Printable()) continue;
    object.Draw(target, context);
  }
  const TVpRect margins = margins_.AsRect();
  if (page.ShowHeader()) header_.Draw(target, context, page.Size(), margins, HeaderHeight());
  if (page.ShowFooter()) footer_.Draw(target, context, page.Size(), margins, FooterHeight());
}
