// The values an item control hands to its painter: what it shows, where, and
// in which state. The control fills them before it paints and after it
// measures; the painter reads them and never keeps them.
#pragma once

#include <cstdint>
#include <string>

#include "platform/rtl/object.h"
#include "platform/rtl/types.h"
#include "ui/bars/dxBarElements.h"

class TcxCanvas;

class TdxBarItemControlDrawParams : public TObject {
  DX_CLASS(TdxBarItemControlDrawParams, TObject)
public:
  explicit TdxBarItemControlDrawParams(TdxBarItemControl* AItemControl) : itemControl_(AItemControl) {}
  TdxBarItemControl* BarItemControl() const { return itemControl_; }
  TdxBarItemViewSize ViewSize() const { return viewSize_; }
  // A change clears the control's glyph cache: the glyph is drawn at another size.
  void SetViewSize(TdxBarItemViewSize Value);

  TcxCanvas* Canvas = nullptr;
  std::string Caption;
  std::string Description;
  std::string ShortCut;
  TdxBarPaintType PaintType = ptHorz;
  TdxBarItemViewStructure ViewStructure = 0;
  bool Enabled = true;
  bool CanSelect = true;
  bool DrawSelected = false;
  bool DroppedDown = false;
  bool IsDropDown = false;
  int32_t HotPartIndex = dxBarNoHotPart;
  bool IsCustomizing = false;
  bool IsPressed = false;
  bool SelectedByKey = false;
  // The glyph area with the button's borders.
  TSize GlyphAreaSize;

  bool ShowsIcon() const { return (ViewStructure & ivsIcon) != 0; }
  bool ShowsText() const { return (ViewStructure & ivsText) != 0; }

private:
  TdxBarItemControl* itemControl_;
  TdxBarItemViewSize viewSize_ = ivsSmall;
};

class TdxBarButtonLikeControlDrawParams : public TdxBarItemControlDrawParams {
  DX_CLASS(TdxBarButtonLikeControlDrawParams, TdxBarItemControlDrawParams)
public:
  using TdxBarItemControlDrawParams::TdxBarItemControlDrawParams;
  bool Down = false;
  bool IsPressedCopy = false;
  bool FlatAndDroppedDown = false;
  bool IsButton = true;
  bool DropDownEnabled = true;
  bool PressedFrame = false;
  bool PlainFrame = false;
  bool GrayScaleGlyph = false;
  bool Lowered = false;
  TSize DropDownArrowSize;
  TdxBarButtonGroupPosition RealPositionInButtonGroup = bgpNone;
};

class TdxBarApplicationMenuButtonControlDrawParams : public TdxBarButtonLikeControlDrawParams {
  DX_CLASS(TdxBarApplicationMenuButtonControlDrawParams, TdxBarButtonLikeControlDrawParams)
public:
  using TdxBarButtonLikeControlDrawParams::TdxBarButtonLikeControlDrawParams;
  int32_t ButtonWidth = 0;
};

class TdxBarEditLikeControlDrawParams : public TdxBarItemControlDrawParams {
  DX_CLASS(TdxBarEditLikeControlDrawParams, TdxBarItemControlDrawParams)
public:
  using TdxBarItemControlDrawParams::TdxBarItemControlDrawParams;
  int32_t EditValue = 0;
};

// The border styles of static items; sbsEtched is drawn as a raised inner
// and a sunken outer edge, the others through DrawEdge.
enum TdxBarStaticBorderStyle : uint8_t { sbsNone, sbsLowered, sbsRaised, sbsEtched, sbsBump };

class TdxBarStaticLikeControlDrawParams : public TdxBarItemControlDrawParams {
  DX_CLASS(TdxBarStaticLikeControlDrawParams, TdxBarItemControlDrawParams)
public:
  using TdxBarItemControlDrawParams::TdxBarItemControlDrawParams;
  TRect BorderOffsets;
  TdxBarStaticBorderStyle BorderStyle = sbsNone;
};

class TdxBarSeparatorControlDrawParams : public TdxBarStaticLikeControlDrawParams {
  DX_CLASS(TdxBarSeparatorControlDrawParams, TdxBarStaticLikeControlDrawParams)
public:
  using TdxBarStaticLikeControlDrawParams::TdxBarStaticLikeControlDrawParams;
  bool IsFirstInLinks = false;
};
