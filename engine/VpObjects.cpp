#include "engine/VpObjects.h"

#include "engine/VpExpandTokens.h"
#include "engine/VpRounding.h"

namespace {

constexpr TVpRect kNoClip{-1, -1, -1, -1};

// Private copy, edit, then back into the shared list: the old entry loses one reference and
// the object points at the entry equal to the edited copy.
template <class Resource, class List>
const Resource* EditShared(List& list, const Resource* current,
                           const std::function<void(Resource&)>& edit) {
  Resource copy = current ? *current : Resource{};
  edit(copy);
  list.Release(current);
  return list.Add(copy);
}

// An object's first resource is simply referenced; false when it already has one, which
// then changes through a private copy.
template <class Resource>
bool ReferenceFirst(const Resource*& current, const Resource* shared) {
  if (current && shared) return false;
  current = shared;
  return true;
}

// A stored index resolves to the entry at that place; -1 and absent keys mean none.
template <class List>
auto ResolveIndex(const List& list, std::int32_t index, const char* what) {
  if (index == -1) return decltype(list.At(0)){nullptr};
  auto entry = list.At(index);
  if (!entry)
    throw EVpStreamError("A stored object refers to " + std::string(what) + " " +
                         std::to_string(index) + ", which its list does not hold.");
  return entry;
}

TVpIntRect ToDevice(const TVpRect& inches, const TVpDrawContext& c) {
  return DeviceRect(inches, c.PpiX, c.PpiY);
}

TVpRectCorners Corners(const TVpIntRect& box) { return RectToCorners(box); }

}  // namespace

// Base ---------------------------------------------------------------------------------------

void TVpBaseObject::Changed() {
  if (!changesLocked_) OnChange(*this);
}

void TVpBaseObject::Draw(TVpDrawTarget&, const TVpDrawContext&) const {}

void TVpBaseObject::MoveBy(TVpMeasurement, long double, long double) {}

void TVpBaseObject::SaveToValues(TVpValueList& values) const {
  values.AddLine("");
  values.AddLine("");
  values.WriteInteger("ID", ObjectType());
  values.WriteInteger("UI", userId_);
}

void TVpBaseObject::LoadFromValues(const TVpValueList& values) {
  userId_ = values.ReadInteger("UI", -1);
}

void TVpBaseObject::SaveToStream(TVpMemoryStream& stream) const {
  stream.WriteInt32(ObjectType());
  TVpValueList values;
  SaveToValues(values);
  values.SaveToStream(stream);
}

void TVpBaseObject::LoadFromStream(TVpMemoryStream& stream) {
  LoadFromValues(TVpValueList::LoadFromStream(stream));
}

TVpRectCorners TVpVisibleObject::GetOutline(TVpDrawTarget& target,
                                            const TVpDrawContext& context) const {
  target.BeginOutline();
  if (!target.IsPrinter() || Printable()) Draw(target, context);
  return Corners(target.EndOutline());
}

// Pen and brush ------------------------------------------------------------------------------

void TVpOutlineShape::SetPen(const TVpPen* shared) {
  if (!ReferenceFirst(pen_, shared)) EditPen([&](TVpPen& copy) { copy = *shared; });
}

void TVpOutlineShape::EditPen(const std::function<void(TVpPen&)>& edit) {
  pen_ = EditShared(resources_.Pens, pen_, edit);
  Changed();
}

void TVpOutlineShape::Draw(TVpDrawTarget& target, const TVpDrawContext& context) const {
  if (pen_) target.SelectPen(*pen_, context.PpiX);
}

void TVpOutlineShape::SaveToValues(TVpValueList& values) const {
  TVpVisibleObject::SaveToValues(values);
  if (pen_) values.WriteInteger("P", resources_.Pens.IndexOf(pen_));
}

void TVpOutlineShape::LoadFromValues(const TVpValueList& values) {
  TVpVisibleObject::LoadFromValues(values);
  pen_ = ResolveIndex(resources_.Pens, values.ReadInteger("P", -1), "pen");
}

void TVpSolidShape::SetBrush(const TVpBrush* shared) {
  if (!ReferenceFirst(brush_, shared)) EditBrush([&](TVpBrush& copy) { copy = *shared; });
}

void TVpSolidShape::EditBrush(const std::function<void(TVpBrush&)>& edit) {
  brush_ = EditShared(resources_.Brushes, brush_, edit);
  Changed();
}

void TVpSolidShape::Draw(TVpDrawTarget& target, const TVpDrawContext& context) const {
  TVpOutlineShape::Draw(target, context);
  if (brush_) target.SelectBrush(*brush_);
}

void TVpSolidShape::SaveToValues(TVpValueList& values) const {
  TVpOutlineShape::SaveToValues(values);
  if (brush_) values.WriteInteger("B", resources_.Brushes.IndexOf(brush_));
}

void TVpSolidShape::LoadFromValues(const TVpValueList& values) {
  TVpOutlineShape::LoadFromValues(values);
  brush_ = ResolveIndex(resources_.Brushes, values.ReadInteger("B", -1), "brush");
}

// Shapes -------------------------------------------------------------------------------------

void TVpBaseSolidShape::SetRect(const TVpRect& rect, TVpMeasurement measurement) {
  rect_ = ConvertRect(rect, measurement, vpInches);
}

void TVpBaseSolidShape::MoveBy(TVpMeasurement measurement, long double dx, long double dy) {
  OffsetVpRect(rect_, ConvertValue(dx, measurement, vpInches),
               ConvertValue(dy, measurement, vpInches));
  Changed();
}

void TVpSimpleSolidShape::SaveToValues(TVpValueList& values) const {
  TVpBaseSolidShape::SaveToValues(values);
  values.WriteRect("XY", rect_);
}

void TVpSimpleSolidShape::LoadFromValues(const TVpValueList& values) {
  TVpBaseSolidShape::LoadFromValues(values);
  rect_ = values.ReadRect("XY", {});
}

void TVpRectangleShape::Draw(TVpDrawTarget& target, const TVpDrawContext& context) const {
  TVpSimpleSolidShape::Draw(target, context);
  target.DrawPolygon(RectanglePath(ToDevice(rect_, context)).front().points);
}

void TVpEllipseShape::Draw(TVpDrawTarget& target, const TVpDrawContext& context) const {
  TVpSimpleSolidShape::Draw(target, context);
  target.StrokeAndFillPath(EllipsePath(ToDevice(rect_, context)));
}

void TVpSemiComplexShape::SetCorner(TVpPoint corner, TVpMeasurement measurement) {
  const TVpPoint inches = ConvertPoint(corner, measurement, vpInches);
  if (inches == corner_) return;
  corner_ = inches;
  Changed();
}

void TVpSemiComplexShape::SaveToValues(TVpValueList& values) const {
  TVpSimpleSolidShape::SaveToValues(values);
  values.WritePoint("XY3", corner_);
}

void TVpSemiComplexShape::LoadFromValues(const TVpValueList& values) {
  TVpSimpleSolidShape::LoadFromValues(values);
  corner_ = values.ReadPoint("XY3", {});
}

void TVpRoundRectShape::Draw(TVpDrawTarget& target, const TVpDrawContext& context) const {
  TVpSemiComplexShape::Draw(target, context);
  target.StrokeAndFillPath(RoundRectPath(ToDevice(rect_, context),
                                         VpRoundToInt(corner_.X * context.PpiX),
                                         VpRoundToInt(corner_.Y * context.PpiY)));
}

// Pictures -----------------------------------------------------------------------------------

void TVpGraphicObject::SetPicture(const TVpPicture& picture) {
  picture_ = resources_.Graphics.Add(picture);
  if (picture_ && picture_->Kind == TVpPictureKind::Bitmap) pixelFormat_ = picture_->PixelFormat;
}

void TVpGraphicObject::Draw(TVpDrawTarget& target, const TVpDrawContext& context) const {
  TVpSimpleSolidShape::Draw(target, context);
  if (picture_) target.DrawPicture(*picture_, ToDevice(rect_, context), copyMode_, pixelFormat_);
}

void TVpGraphicObject::SaveToValues(TVpValueList& values) const {
  TVpSimpleSolidShape::SaveToValues(values);
  values.WriteInteger("CM", static_cast<std::int32_t>(copyMode_));
  values.WriteInteger("PF", pixelFormat_);
  if (picture_) values.WriteInteger("G", resources_.Graphics.IndexOfBytes(*picture_));
}

void TVpGraphicObject::LoadFromValues(const TVpValueList& values) {
  TVpSimpleSolidShape::LoadFromValues(values);
  copyMode_ =
      static_cast<std::uint32_t>(values.ReadInteger("CM", static_cast<std::int32_t>(kVpSrcCopy)));
  pixelFormat_ = values.ReadInteger("PF", 3);
  picture_ = ResolveIndex(resources_.Graphics, values.ReadInteger("G", -1), "picture");
}

// Text ---------------------------------------------------------------------------------------

void TVpBaseTextObject::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  Changed();
}

void TVpBaseTextObject::SetX(long double x, TVpMeasurement measurement) {
  rect_.Left = ConvertValue(x, measurement, vpInches);
}

void TVpBaseTextObject::SetY(long double y, TVpMeasurement measurement) {
  rect_.Top = ConvertValue(y, measurement, vpInches);
}

void TVpBaseTextObject::SetClipRect(const TVpRect& clip, TVpMeasurement measurement) {
  const TVpRect inches = clip == kNoClip ? kNoClip : ConvertRect(clip, measurement, vpInches);
  if (inches == clip_) return;
  clip_ = inches;
  Changed();
}

bool TVpBaseTextObject::HasClip() const { return !(clip_ == kNoClip); }

void TVpBaseTextObject::SetFont(const TVpFont* shared) {
  if (!ReferenceFirst(font_, shared)) EditFont([&](TVpFont& copy) { copy = *shared; });
}

void TVpBaseTextObject::EditFont(const std::function<void(TVpFont&)>& edit) {
  font_ = EditShared(resources_.Fonts, font_, edit);
  Changed();
}

void TVpBaseTextObject::Draw(TVpDrawTarget& target, const TVpDrawContext& context) const {
  TVpBaseSolidShape::Draw(target, context);
  if (font_) target.SelectFont(*font_, context.PpiX);
}

void TVpBaseTextObject::SaveToValues(TVpValueList& values) const {
  TVpBaseSolidShape::SaveToValues(values);
  values.WriteText("T", text_);
  values.WriteRect("CR", clip_);
  values.WritePoint("XY", Position());
  if (font_) values.WriteInteger("F", resources_.Fonts.IndexOf(font_));
}

void TVpBaseTextObject::LoadFromValues(const TVpValueList& values) {
  TVpBaseSolidShape::LoadFromValues(values);
  text_ = values.ReadText("T", "");
  clip_ = values.ReadRect("CR", kNoClip);
  const TVpPoint at = values.ReadPoint("XY", {});
  rect_.Left = at.X;
  rect_.Top = at.Y;
  font_ = ResolveIndex(resources_.Fonts, values.ReadInteger("F", -1), "font");
}

void TVpTextObject::Draw(TVpDrawTarget& target, const TVpDrawContext& context) const {
  TVpBaseTextObject::Draw(target, context);
  std::optional<TVpIntRect> clip;
  if (HasClip()) clip = ToDevice(ClipRect(), context);
  target.PlaceText(DevicePoint(Position(), context.PpiX, context.PpiY),
                   ExpandTokens(Text(), context.PageNumber, context.PageCount), clip);
}

void TVpTextObject::MoveBy(TVpMeasurement measurement, long double dx, long double dy) {
  rect_.Left += ConvertValue(dx, measurement, vpInches);
  rect_.Top += ConvertValue(dy, measurement, vpInches);
}

TVpRectCorners TVpTextObject::GetOutline(TVpDrawTarget& target,
                                         const TVpDrawContext& context) const {
  TVpSolidShape::Draw(target, context);
  if (Font()) target.SelectFont(*Font(), context.PpiX);
  return Corners(target.TextBounds(DevicePoint(Position(), context.PpiX, context.PpiY), Text()));
}

// Clips --------------------------------------------------------------------------------------

void TVpRemoveClipObject::Draw(TVpDrawTarget& target, const TVpDrawContext&) const {
  target.RemoveClip();
}

void TVpBaseClipObject::SetRect(const TVpRect& rect, TVpMeasurement measurement) {
  rect_ = ConvertRect(rect, measurement, vpInches);
}

void TVpBaseClipObject::Draw(TVpDrawTarget& target, const TVpDrawContext& context) const {
  target.ClipToPath(ClipPath(context));
}

void TVpBaseClipObject::SaveToValues(TVpValueList& values) const {
  TVpBaseObject::SaveToValues(values);
  values.WriteRect("XY", rect_);
}

void TVpBaseClipObject::LoadFromValues(const TVpValueList& values) {
  TVpBaseObject::LoadFromValues(values);
  rect_ = values.ReadRect("XY", {});
}

TVpPath TVpClipEllipseObject::ClipPath(const TVpDrawContext& context) const {
  return EllipsePath(ToDevice(rect_, context));
}

TVpPath TVpClipRectObject::ClipPath(const TVpDrawContext& context) const {
  return RectanglePath(ToDevice(rect_, context));
}

void TVpClipRoundRectObject::SetCorner(TVpPoint corner, TVpMeasurement measurement) {
  corner_ = ConvertPoint(corner, measurement, vpInches);
}

void TVpClipRoundRectObject::SaveToValues(TVpValueList& values) const {
  TVpClipRectObject::SaveToValues(values);
  values.WritePoint("XY3", corner_);
}

void TVpClipRoundRectObject::LoadFromValues(const TVpValueList& values) {
  TVpClipRectObject::LoadFromValues(values);
  corner_ = values.ReadPoint("XY3", {});
}

TVpPath TVpClipRoundRectObject::ClipPath(const TVpDrawContext& context) const {
  return RoundRectPath(ToDevice(rect_, context), VpRoundToInt(corner_.X * context.PpiX),
                       VpRoundToInt(corner_.Y * context.PpiY));
}

// Records ------------------------------------------------------------------------------------

std::unique_ptr<TVpBaseObject> CreatePageObject(std::int32_t typeCode,
                                                TVpResourceTable& resources) {
  switch (typeCode) {
    case vpTextObject: return std::make_unique<TVpTextObject>(resources);
    case vpRectangleShape: return std::make_unique<TVpRectangleShape>(resources);
    case vpEllipseShape: return std::make_unique<TVpEllipseShape>(resources);
    case vpRoundRectShape: return std::make_unique<TVpRoundRectShape>(resources);
    case vpRemoveClipObject: return std::make_unique<TVpRemoveClipObject>(resources);
    case vpClipRectObject: return std::make_unique<TVpClipRectObject>(resources);
    case vpClipRoundRectObject: return std::make_unique<TVpClipRoundRectObject>(resources);
    case vpClipEllipseObject: return std::make_unique<TVpClipEllipseObject>(resources);
    case vpGraphicObject: return std::make_unique<TVpGraphicObject>(resources);
  }
  throw EVpStreamError("The stored object type " + std::to_string(typeCode) + " is not known.");
}

std::unique_ptr<TVpBaseObject> ReadPageObject(TVpMemoryStream& stream,
                                              TVpResourceTable& resources) {
  std::unique_ptr<TVpBaseObject> object = CreatePageObject(stream.ReadInt32(), resources);
  object->LoadFromStream(stream);
  return object;
}
