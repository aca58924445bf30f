// A bar window for the input tests: its links laid out as a vertical stack
// (IsVertical chosen by the test), and an item class whose links make the
// least item control.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "ui/bars/dxBarElements.h"
#include "ui/bars/dxBarItems.h"
#include "ui/bars/dxBarViewInfo.h"

namespace bartest {

class TInputBar : public TCustomdxBarControl {
public:
  explicit TInputBar(TdxBarManager* AManager) : TCustomdxBarControl(AManager) {}
  void CalcViewInfo() override {
    TCustomdxBarControl::CalcViewInfo();
    infos_.clear();
    for (int32_t i = 0; ItemLinks() && i < ItemLinks()->Count(); ++i)
      if (TdxBarItemControl* c = ItemLinks()->GetItem(i)->Control(); c && !ItemLinks()->GetItem(i)->ItemRect().IsEmpty()) {
        infos_.push_back(std::make_unique<TdxBarItemControlViewInfo>(c));
        ViewInfo()->AppendItemControlInfo(infos_.back().get());
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

private:
  std::vector<std::unique_ptr<TdxBarItemControlViewInfo>> infos_;
};

// An item registered with TInputItemControl for the length of a test.
class TInputItem : public TdxBarItem {
  DX_COMPONENT_CLASS(TInputItem, TdxBarItem)
public:
  explicit TInputItem(TComponent* AOwner) : TdxBarItem(AOwner) {}
};

// The least item control: laid out where its bar window puts its link.
class TInputItemControl : public TdxBarItemControl {
  DX_CLASS(TInputItemControl, TdxBarItemControl)
public:
  TInputItemControl(TCustomdxBarControl* AParent, TdxBarItemLink* ALink) : TdxBarItemControl(AParent, ALink) {}
  TRect GetBounds() override { return ItemLink()->ItemRect(); }
};

}  // namespace bartest
