// The drop shadow of a bar window. Until shadows are drawn it only keeps
// what its window tells it: the window's bounds, the owner part it joins and
// whether it shows.
#pragma once

#include "platform/rtl/object.h"
#include "platform/rtl/types.h"

class TCustomdxBarControl;

class TdxBarShadow : public TObject {
  DX_CLASS(TdxBarShadow, TObject)
public:
  explicit TdxBarShadow(TCustomdxBarControl* AOwner) : owner_(AOwner) {}
  TCustomdxBarControl* Owner() const { return owner_; }
  // AOwnerBounds is empty when the shadow does not take in the owner item.
  void SetOwnerBounds(const TRect& AOwnerBounds, const TRect& AWindowBounds) {
    ownerBounds_ = AOwnerBounds;
    windowBounds_ = AWindowBounds;
  }
  const TRect& OwnerBounds() const { return ownerBounds_; }
  const TRect& WindowBounds() const { return windowBounds_; }
  bool Visible() const { return visible_; }
  void SetVisible(bool Value) { visible_ = Value; }

private:
  TCustomdxBarControl* owner_;
  TRect ownerBounds_, windowBounds_;
  bool visible_ = false;
};
