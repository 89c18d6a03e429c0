#include "controls/StyledCheckBox.h"

#include "controls/ContentLayout.h"
#include "controls/ControlPictures.h"
#include "controls/PixelBlend.h"
#include "controls/PixelTint.h"

namespace controls {
namespace {

constexpr int kBoxLeft = 1;
constexpr int kMarkInset = 2;

}  // namespace

TStyledCheckBox::TStyledCheckBox(HWND parent, int x, int y, int width, int height)
    : TStyledCheckBox(TForWindow{}) {
  CreateControl(L"TStyledCheckBox", parent, x, y, width, height,
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX);
}

TStyledCheckBox::TStyledCheckBox(TForWindow) : mark_(BuildCheckMark()) { RebuildPictures(); }

TStyledControl* TStyledCheckBox::NewForWindow() { return new TStyledCheckBox(TForWindow{}); }

void TStyledCheckBox::SetGradientBorder(bool on) {
  gradientBorder_ = on;
  Repaint();
}

void TStyledCheckBox::ClickAction() {
  SetChecked(!Checked());
  Click();
}

void TStyledCheckBox::RebuildPictures() {
  const TStyledControlColors& c = Colors();
  defaultPicture_ = BuildBoxPicture(c.DefaultFrom, c.DefaultTo, c.BorderColor);
  overPicture_ = BuildBoxPicture(c.OverFrom, c.OverTo, c.BorderColor);
  pressedPicture_ = BuildBoxPicture(c.ClickedFrom, c.ClickedTo, c.BorderColor);
  work_ = TPixelBuffer(kCheckBoxSize, kCheckBoxSize);
}

void TStyledCheckBox::Render(TDibSurface& surface) {
  const TPixelView px = surface.Pixels();
  px.Fill(Color());
  const TPixelView work = work_.View();
  const TPixelRect box = work.Bounds();
  Compose(work, box, defaultPicture_.View(), overPicture_.View(), OverLevel(), 0);
  if (ClickLevel() > 0)
    Blend(work, box.Inset(gradientBorder_ ? 2 : 1), pressedPicture_.View(), ClickLevel());
  const int top = CheckBoxTop(surface.Height());
  CopyPixels(px, kBoxLeft, top, work, box);
  if (Checked())
    DrawTintedMark(px, kBoxLeft + kMarkInset, top + kMarkInset, mark_.View(), MarkColor());
  RenderBordersAndCaption(surface, CheckBoxCaptionLeft(Spacing()));
}

}  // namespace controls
