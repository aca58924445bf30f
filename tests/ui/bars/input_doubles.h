// A bar window for the input tests: its links laid out as a vertical stack
// (IsVertical chosen by the test), and an item class whose links make the
// least item control.
#pragma once

#include <cstdint>

#include "platform/win/winuser.h"
#include "ui/bars/dxBarElements.h"
#include "ui/bars/dxBarItems.h"
#include "ui/bars/dxBarViewInfo.h"
#include "ui/lookandfeel/cxClasses.h"

namespace bartest {

class TInputBar : public TCustomdxBarControl {
public:
  explicit TInputBar(TdxBarManager* AManager) : TCustomdxBarControl(AManager) {}
  // Each laid-out control's view info, bounded by its link's rectangle, as
  // the toolbar window does it.
  void CalcViewInfo() override {
    TCustomdxBarControl::CalcViewInfo();
    for (int32_t i = 0; ItemLinks() && i < ItemLinks()->Count(); ++i) {
      TdxBarItemLink* link = ItemLinks()->GetItem(i);
      if (TdxBarItemControl* c = link->Control(); c && !link->ItemRect().IsEmpty()) {
        ViewInfo()->AppendItemControlInfo(c->ViewInfo());
        c->ViewInfo()->SetBounds(link->ItemRect());
      }
    }
  }
  void Recalculate() override {
    TCustomdxBarControl::Recalculate();
    CalcLayout(1, 0);
    CalcViewInfo();
  }
  bool IsVertical() const override { return Vertical; }
  void DoHide() override {
    ++Hides;
    TCustomdxBarControl::DoHide();
  }
  bool Vertical = false;
  int Hides = 0;
};

// A toolbar window's press as the toolbar window will make it: an active bar
// lets the control select itself, an inactive one enters menu mode with it,
// and in menu mode a control that captures the mouse holds the capture.
class TPressingBar : public TInputBar {
public:
  using TInputBar::TInputBar;
  void PressItemControl(TdxBarItemControl* AControl) override {
    if (!AControl || !AControl->GetEnabled() || !AControl->AcceptsMouse()) {
      SetActive(false);
      return;
    }
    TcxScopedObjectLink self(this);
    if (IsActive())
      AControl->SelectFromMouse();
    else
      ActivateKeyboard(AControl);
    if (!self.Alive()) return;
    if (GetSelectedControl() == AControl && AControl->CapturesMouse()) {
      CapturedControl = AControl;
      win::SetCapture(Handle());
    }
    TInputBar::PressItemControl(AControl);
  }
};

// The same as a menu window: bar kind 2, paint type menu.
class TInputMenuBar : public TInputBar {
public:
  using TInputBar::TInputBar;
  int32_t GetBarKind() const override { return 2; }
  int32_t GetPaintType() override { return ptMenu; }
};

// An item registered with TInputItemControl for the length of a test.
class TInputItem : public TdxBarItem {
  DX_COMPONENT_CLASS(TInputItem, TdxBarItem)
public:
  explicit TInputItem(TComponent* AOwner) : TdxBarItem(AOwner) {}
};

// The least item control.
class TInputItemControl : public TdxBarItemControl {
  DX_CLASS(TInputItemControl, TdxBarItemControl)
public:
  TInputItemControl(TCustomdxBarControl* AParent, TdxBarItemLink* ALink) : TdxBarItemControl(AParent, ALink) {}
};

}  // namespace bartest
