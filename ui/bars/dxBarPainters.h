// The bar painters. The manager makes its default painter from a painter
// class through the class's virtual constructor, whose one argument is the
// look-and-feel's skin painter (always null here), and frees it.
#pragma once

#include <cstdint>

#include "platform/rtl/object.h"
#include "platform/rtl/types.h"

namespace win {
struct DeviceContext;
using HDC = DeviceContext*;
}  // namespace win

#define DX_BAR_PAINTER_CLASS(Self, ParentClass) \
  DX_CLASS_WITH_FACTORY(Self, ParentClass, [](TObject* skinPainter) -> TObject* { return new Self(skinPainter); })

class TdxBarPainter : public TObject {
  DX_BAR_PAINTER_CLASS(TdxBarPainter, TObject)
public:
  explicit TdxBarPainter(TObject* ASkinPainter) : skinPainter_(ASkinPainter) {}
  TObject* SkinPainter() const { return skinPainter_; }
  virtual bool QuickPopupOnRight() { return false; }
  virtual int32_t DropDownBorderSize() { return 2; }
  // The frame of a drop-down window, R its window rectangle at the origin:
  // a dark outer line, the rest of the border in AColor (the list's colour).
  virtual void DropDownDrawBorder(win::HDC DC, TColor AColor, const TRect& R);

private:
  TObject* skinPainter_;
};

class TdxBarStandardPainter : public TdxBarPainter {
  DX_BAR_PAINTER_CLASS(TdxBarStandardPainter, TdxBarPainter)
public:
  using TdxBarPainter::TdxBarPainter;
};

class TdxBarEnhancedPainter : public TdxBarStandardPainter {
  DX_BAR_PAINTER_CLASS(TdxBarEnhancedPainter, TdxBarStandardPainter)
public:
  using TdxBarStandardPainter::TdxBarStandardPainter;
};

class TdxBarFlatPainter : public TdxBarPainter {
  DX_BAR_PAINTER_CLASS(TdxBarFlatPainter, TdxBarPainter)
public:
  using TdxBarPainter::TdxBarPainter;
};

class TdxBarXPPainter : public TdxBarFlatPainter {
  DX_BAR_PAINTER_CLASS(TdxBarXPPainter, TdxBarFlatPainter)
public:
  using TdxBarFlatPainter::TdxBarFlatPainter;
};

class TdxBarOffice11Painter : public TdxBarFlatPainter {
  DX_BAR_PAINTER_CLASS(TdxBarOffice11Painter, TdxBarFlatPainter)
public:
  using TdxBarFlatPainter::TdxBarFlatPainter;
};

using TdxBarPainterClass = TClass;

// The painter class of the skin style (5); nothing here changes it.
inline TdxBarPainterClass dxBarSkinPainterClass = TdxBarStandardPainter::StaticClass();
