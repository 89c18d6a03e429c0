#pragma once
// What a page shows: recorded drawing objects with their geometry in inches and their pens,
// brushes, fonts and pictures referenced from the page list's shared resource table. Objects
// draw again at any resolution, report their outline, move, and store themselves as value lists.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engine/VpDrawTarget.h"
#include "engine/VpNotify.h"
#include "engine/VpResource.h"
#include "engine/VpStream.h"
#include "engine/VpTypes.h"

// Stored type codes; fixed.
enum TVpObjectType : std::int32_t {
  vpTextObject = 0,
  vpRectangleShape = 2,
  vpEllipseShape = 3,
  vpRoundRectShape = 4,
  vpRemoveClipObject = 9,
  vpClipRectObject = 10,
  vpClipRoundRectObject = 11,
  vpClipEllipseObject = 12,
  vpGraphicObject = 13,
};

// Raster operation codes as the platform numbers them (the GDI side checks them).
inline constexpr std::uint32_t kVpSrcCopy = 0x00CC0020;

class TVpBaseObject {
 public:
  explicit TVpBaseObject(TVpResourceTable& resources) : resources_(resources) {}
  virtual ~TVpBaseObject() = default;
  TVpBaseObject(const TVpBaseObject&) = delete;
  TVpBaseObject& operator=(const TVpBaseObject&) = delete;

  virtual TVpObjectType ObjectType() const = 0;
  // Visible objects can be hit, reordered and outlined; clip objects cannot.
  virtual bool IsVisible() const { return false; }

  bool Printable() const { return printable_; }
  void SetPrintable(bool printable) { printable_ = printable; }
  std::int32_t UserId() const { return userId_; }
  void SetUserId(std::int32_t id) { userId_ = id; }
  void LockChanges(bool locked) { changesLocked_ = locked; }

  // Raised by Changed unless changes are locked; the page list binds it to its page.
  TVpNotifyEvent<TVpBaseObject> OnChange;
  void Changed();

  virtual void Draw(TVpDrawTarget& target, const TVpDrawContext& context) const;
  virtual void MoveBy(TVpMeasurement measurement, long double dx, long double dy);

  // The value list: two empty lines, ID, UI, then each class's keys from the base down.
  virtual void SaveToValues(TVpValueList& values) const;
  virtual void LoadFromValues(const TVpValueList& values);
  // The type code, then the value list as a block.
  void SaveToStream(TVpMemoryStream& stream) const;
  // Reads the value list (the caller has read the type code and made the object).
  void LoadFromStream(TVpMemoryStream& stream);

 protected:
  TVpResourceTable& resources_;

 private:
  bool printable_ = true;
  std::int32_t userId_ = -1;
  bool changesLocked_ = false;
};

class TVpVisibleObject : public TVpBaseObject {
 public:
  using TVpBaseObject::TVpBaseObject;
  bool IsVisible() const override { return true; }

  // Directions: 0 to the top of the drawing order, 1 one up, 2 one down, 3 to the bottom.
  TVpCallback<TVpVisibleObject&, int> OnReorder;
  void Reorder(int direction) { OnReorder(*this, direction); }

  bool Shown() const { return shown_; }
  void SetShown(bool shown) { shown_ = shown; }

  // The box of what Draw traces, for hit-testing.
  virtual TVpRectCorners GetOutline(TVpDrawTarget& target, const TVpDrawContext& context) const;

 private:
  bool shown_ = true;
};

// Objects that draw with a shared pen. Editing goes through a private copy that is committed
// back to the shared list, so objects never change a resource that others use.
class TVpOutlineShape : public TVpVisibleObject {
 public:
  using TVpVisibleObject::TVpVisibleObject;
  const TVpPen* Pen() const { return pen_; }
  // An entry the caller took from the pen list.
  void SetPen(const TVpPen* shared);
  void EditPen(const std::function<void(TVpPen&)>& edit);

  void Draw(TVpDrawTarget& target, const TVpDrawContext& context) const override;
  void SaveToValues(TVpValueList& values) const override;
  void LoadFromValues(const TVpValueList& values) override;

 private:
  const TVpPen* pen_ = nullptr;
};

class TVpSolidShape : public TVpOutlineShape {
 public:
  using TVpOutlineShape::TVpOutlineShape;
  const TVpBrush* Brush() const { return brush_; }
  void SetBrush(const TVpBrush* shared);
  void EditBrush(const std::function<void(TVpBrush&)>& edit);

  void Draw(TVpDrawTarget& target, const TVpDrawContext& context) const override;
  void SaveToValues(TVpValueList& values) const override;
  void LoadFromValues(const TVpValueList& values) override;

 private:
  const TVpBrush* brush_ = nullptr;
};

// A shape with a rectangle in inches.
class TVpBaseSolidShape : public TVpSolidShape {
 public:
  using TVpSolidShape::TVpSolidShape;
  const TVpRect& Rect() const { return rect_; }
  void SetRect(const TVpRect& rect, TVpMeasurement measurement);
  void MoveBy(TVpMeasurement measurement, long double dx, long double dy) override;

 protected:
  TVpRect rect_;
};

class TVpSimpleSolidShape : public TVpBaseSolidShape {
 public:
  using TVpBaseSolidShape::TVpBaseSolidShape;
  void SaveToValues(TVpValueList& values) const override;
  void LoadFromValues(const TVpValueList& values) override;
};

class TVpRectangleShape : public TVpSimpleSolidShape {
 public:
  using TVpSimpleSolidShape::TVpSimpleSolidShape;
  TVpObjectType ObjectType() const override { return vpRectangleShape; }
  void Draw(TVpDrawTarget& target, const TVpDrawContext& context) const override;
};

class TVpEllipseShape : public TVpSimpleSolidShape {
 public:
  using TVpSimpleSolidShape::TVpSimpleSolidShape;
  TVpObjectType ObjectType() const override { return vpEllipseShape; }
  void Draw(TVpDrawTarget& target, const TVpDrawContext& context) const override;
};

class TVpGraphicObject : public TVpSimpleSolidShape {
 public:
  using TVpSimpleSolidShape::TVpSimpleSolidShape;
  TVpObjectType ObjectType() const override { return vpGraphicObject; }

  const TVpPicture* Picture() const { return picture_; }
  // Adds the picture to the shared list; a bitmap's pixel format becomes the object's.
  void SetPicture(const TVpPicture& picture);
  std::uint32_t CopyMode() const { return copyMode_; }
  void SetCopyMode(std::uint32_t mode) { copyMode_ = mode; }
  std::int32_t PixelFormat() const { return pixelFormat_; }

  void Draw(TVpDrawTarget& target, const TVpDrawContext& context) const override;
  void SaveToValues(TVpValueList& values) const override;
  void LoadFromValues(const TVpValueList& values) override;

 private:
  const TVpPicture* picture_ = nullptr;
  std::uint32_t copyMode_ = kVpSrcCopy;
  std::int32_t pixelFormat_ = 3;
};

// A rectangle with a third pair: the corner ellipse's width and height.
class TVpSemiComplexShape : public TVpSimpleSolidShape {
 public:
  using TVpSimpleSolidShape::TVpSimpleSolidShape;
  TVpPoint Corner() const { return corner_; }
  void SetCorner(TVpPoint corner, TVpMeasurement measurement);
  void SaveToValues(TVpValueList& values) const override;
  void LoadFromValues(const TVpValueList& values) override;

 protected:
  TVpPoint corner_;
};

class TVpRoundRectShape : public TVpSemiComplexShape {
 public:
  using TVpSemiComplexShape::TVpSemiComplexShape;
  TVpObjectType ObjectType() const override { return vpRoundRectShape; }
  void Draw(TVpDrawTarget& target, const TVpDrawContext& context) const override;
};

// Text placed at its top-left corner (the rectangle's Left and Top), optionally clipped.
class TVpBaseTextObject : public TVpBaseSolidShape {
 public:
  using TVpBaseSolidShape::TVpBaseSolidShape;

  const std::string& Text() const { return text_; }
  void SetText(std::string text);
  TVpPoint Position() const { return {rect_.Left, rect_.Top}; }
  void SetX(long double x, TVpMeasurement measurement);
  void SetY(long double y, TVpMeasurement measurement);
  // In inches; all -1 means no clip.
  const TVpRect& ClipRect() const { return clip_; }
  void SetClipRect(const TVpRect& clip, TVpMeasurement measurement);
  bool HasClip() const;

  const TVpFont* Font() const { return font_; }
  void SetFont(const TVpFont* shared);
  void EditFont(const std::function<void(TVpFont&)>& edit);

  void Draw(TVpDrawTarget& target, const TVpDrawContext& context) const override;
  void SaveToValues(TVpValueList& values) const override;
  void LoadFromValues(const TVpValueList& values) override;

 private:
  std::string text_;
  TVpRect clip_{-1, -1, -1, -1};
  const TVpFont* font_ = nullptr;
};

class TVpTextObject : public TVpBaseTextObject {
 public:
  using TVpBaseTextObject::TVpBaseTextObject;
  TVpObjectType ObjectType() const override { return vpTextObject; }
  void Draw(TVpDrawTarget& target, const TVpDrawContext& context) const override;
  // Moves the position only.
  void MoveBy(TVpMeasurement measurement, long double dx, long double dy) override;
  TVpRectCorners GetOutline(TVpDrawTarget& target, const TVpDrawContext& context) const override;
};

class TVpRemoveClipObject : public TVpBaseObject {
 public:
  using TVpBaseObject::TVpBaseObject;
  TVpObjectType ObjectType() const override { return vpRemoveClipObject; }
  void Draw(TVpDrawTarget& target, const TVpDrawContext& context) const override;
};

// Clip shapes take effect for the objects after them on the page until a RemoveClip. They
// stay where they were recorded: MoveBy does not move them.
class TVpBaseClipObject : public TVpBaseObject {
 public:
  using TVpBaseObject::TVpBaseObject;
  const TVpRect& Rect() const { return rect_; }
  void SetRect(const TVpRect& rect, TVpMeasurement measurement);
  void Draw(TVpDrawTarget& target, const TVpDrawContext& context) const override;
  void SaveToValues(TVpValueList& values) const override;
  void LoadFromValues(const TVpValueList& values) override;

 protected:
  virtual TVpPath ClipPath(const TVpDrawContext& context) const = 0;
  TVpRect rect_;
};

class TVpClipEllipseObject : public TVpBaseClipObject {
 public:
  using TVpBaseClipObject::TVpBaseClipObject;
  TVpObjectType ObjectType() const override { return vpClipEllipseObject; }

 protected:
  TVpPath ClipPath(const TVpDrawContext& context) const override;
};

class TVpClipRectObject : public TVpBaseClipObject {
 public:
  using TVpBaseClipObject::TVpBaseClipObject;
  TVpObjectType ObjectType() const override { return vpClipRectObject; }

 protected:
  TVpPath ClipPath(const TVpDrawContext& context) const override;
};

class TVpClipRoundRectObject : public TVpClipRectObject {
 public:
  using TVpClipRectObject::TVpClipRectObject;
  TVpObjectType ObjectType() const override { return vpClipRoundRectObject; }
  TVpPoint Corner() const { return corner_; }
  void SetCorner(TVpPoint corner, TVpMeasurement measurement);
  void SaveToValues(TVpValueList& values) const override;
  void LoadFromValues(const TVpValueList& values) override;

 protected:
  TVpPath ClipPath(const TVpDrawContext& context) const override;

 private:
  TVpPoint corner_;
};

// A new object of the class a stored type code names; an unknown code throws EVpStreamError.
std::unique_ptr<TVpBaseObject> CreatePageObject(std::int32_t typeCode, TVpResourceTable& resources);
// Reads one object record: the type code and the value list.
std::unique_ptr<TVpBaseObject> ReadPageObject(TVpMemoryStream& stream, TVpResourceTable& resources);
