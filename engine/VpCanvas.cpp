#include "engine/VpCanvas.h"

#include "engine/VpPageList.h"

TVpCanvas::TVpCanvas(TVpPageList& pages) : pages_(pages) { SaveState(); }

bool TVpCanvas::CompareGraphics() const { return pages_.Resources().Graphics.CompareGraphics(); }

void TVpCanvas::SetCompareGraphics(bool on) { pages_.Resources().Graphics.SetCompareGraphics(on); }

template <class Shape>
std::unique_ptr<Shape> TVpCanvas::NewShape(long double x1, long double y1, long double x2,
                                           long double y2, TVpMeasurement measurement) {
  TVpResourceTable& resources = pages_.Resources();
  auto shape = std::make_unique<Shape>(resources);
  shape->SetBrush(resources.Brushes.Add(Brush));
  shape->SetPen(resources.Pens.Add(Pen));
  shape->SetRect({x1, y1, x2, y2}, measurement);
  return shape;
}

void TVpCanvas::Place(std::unique_ptr<TVpBaseObject> object) {
  last_ = &pages_.AddObject(std::move(object), origin_);
}

void TVpCanvas::Rectangle(long double x1, long double y1, long double x2, long double y2,
                          TVpMeasurement measurement) {
  Place(NewShape<TVpRectangleShape>(x1, y1, x2, y2, measurement));
}

void TVpCanvas::Ellipse(long double x1, long double y1, long double x2, long double y2,
                        TVpMeasurement measurement) {
  Place(NewShape<TVpEllipseShape>(x1, y1, x2, y2, measurement));
}

void TVpCanvas::RoundRect(long double x1, long double y1, long double x2, long double y2,
                          long double x3, long double y3, TVpMeasurement measurement) {
  auto shape = NewShape<TVpRoundRectShape>(x1, y1, x2, y2, measurement);
  shape->SetCorner({x3, y3}, measurement);
  Place(std::move(shape));
}

void TVpCanvas::TextOut(long double x, long double y, std::string text,
                        TVpMeasurement measurement) {
  TextOutEx(x, y, std::move(text), measurement, std::nullopt, 0);
}

void TVpCanvas::TextOutEx(long double x, long double y, std::string text,
                          TVpMeasurement measurement, const std::optional<TVpRect>& clip,
                          long double angle) {
  TVpResourceTable& resources = pages_.Resources();
  auto object = std::make_unique<TVpTextObject>(resources);
  object->SetX(x, measurement);
  object->SetY(y, measurement);
  object->SetText(std::move(text));
  if (clip) object->SetClipRect(*clip, measurement);
  // The angle belongs to this text only: the canvas font keeps angle 0.
  TVpFont turned = Font;
  turned.Angle = angle;
  Font.Angle = 0;
  object->SetFont(resources.Fonts.Add(turned));
  object->SetBrush(resources.Brushes.Add(Brush));
  object->SetPen(resources.Pens.Add(Pen));
  Place(std::move(object));
}

void TVpCanvas::StretchDraw(long double x1, long double y1, long double x2, long double y2,
                            const TVpPicture& picture, TVpMeasurement measurement) {
  auto object = NewShape<TVpGraphicObject>(x1, y1, x2, y2, measurement);
  object->SetPicture(picture);
  object->SetCopyMode(CopyMode);
  Place(std::move(object));
}

template <class Clip>
void TVpCanvas::PlaceClip(std::unique_ptr<Clip> clip, long double x1, long double y1,
                          long double x2, long double y2, TVpMeasurement measurement) {
  clip->SetRect({x1, y1, x2, y2}, measurement);
  Place(std::move(clip));
}

void TVpCanvas::ClipRect(long double x1, long double y1, long double x2, long double y2,
                         TVpMeasurement measurement) {
  PlaceClip(std::make_unique<TVpClipRectObject>(pages_.Resources()), x1, y1, x2, y2, measurement);
}

void TVpCanvas::ClipEllipse(long double x1, long double y1, long double x2, long double y2,
                            TVpMeasurement measurement) {
  PlaceClip(std::make_unique<TVpClipEllipseObject>(pages_.Resources()), x1, y1, x2, y2,
            measurement);
}

void TVpCanvas::ClipRoundRect(long double x1, long double y1, long double x2, long double y2,
                              long double x3, long double y3, TVpMeasurement measurement) {
  auto clip = std::make_unique<TVpClipRoundRectObject>(pages_.Resources());
  clip->SetCorner({x3, y3}, measurement);
  PlaceClip(std::move(clip), x1, y1, x2, y2, measurement);
}

void TVpCanvas::RemoveClip() { Place(std::make_unique<TVpRemoveClipObject>(pages_.Resources())); }

void TVpCanvas::SaveState() { saved_ = {origin_, Brush, Font, Pen}; }

void TVpCanvas::RestoreState() {
  origin_ = saved_.origin;
  Brush = saved_.brush;
  Font = saved_.font;
  Pen = saved_.pen;
}
