// Doubles of the dock-site tests: items whose controls have the size the
// test gives them, so that every length a row arrangement produces can be
// worked out in the test, and a toolbar window that runs a callback when
// the window system moves it.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

#include "ui/bars/dxBarComponents.h"
#include "ui/bars/dxBarItems.h"
#include "ui/bars/dxBarToolbarControl.h"

namespace docktest {

// An item kind of its own, so that the registry gives it the control below.
class TFixedItem : public TdxBarItem {
  DX_COMPONENT_CLASS(TFixedItem, TdxBarItem)
public:
  explicit TFixedItem(TComponent* AOwner) : TdxBarItem(AOwner) {}
  int32_t ControlWidth = 23;
  int32_t ControlHeight = 22;
};

// Takes its size from its item.
class TFixedItemControl : public TdxBarItemControl {
  DX_CLASS(TFixedItemControl, TdxBarItemControl)
public:
  TFixedItemControl(TCustomdxBarControl* AParent, TdxBarItemLink* ALink) : TdxBarItemControl(AParent, ALink) {}
  int32_t GetWidth() override { return Fixed() ? Fixed()->ControlWidth : 0; }
  int32_t GetHeight() override { return Fixed() ? Fixed()->ControlHeight : 0; }
  TRect GetBounds() override { return ItemLink()->ItemRect(); }

private:
  TFixedItem* Fixed() const { return dynamic_cast<TFixedItem*>(GetItem()); }
};

// A toolbar window that calls OnMoved after each WM_WINDOWPOSCHANGED.
class TMovingBarControl : public TdxBarControl {
public:
  explicit TMovingBarControl(TComponent* AOwner) : TdxBarControl(AOwner) {}
  std::function<void(TMovingBarControl*)> OnMoved;

protected:
  void Dispatch(TMessage& m) override {
    TdxBarControl::Dispatch(m);
    if (m.Msg == win::WM_WINDOWPOSCHANGED && OnMoved) {
      std::function<void(TMovingBarControl*)> moved = OnMoved;
      moved(this);
    }
  }
};

}  // namespace docktest
