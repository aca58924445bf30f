// Doubles for the toolbar window's layout tests: an item whose control
// reports the width, height and minimum width the test gives the item, and
// a form with a bar manager whose links make such controls.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include "tests/ui/bars/item_doubles.h"
#include "ui/bars/dxBarComponents.h"
#include "ui/bars/dxBarItems.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/bars/dxBarToolbarControl.h"

namespace bartest {

// Its control is as large as the item says.
class TSizedItem : public TdxBarItem {
  DX_COMPONENT_CLASS(TSizedItem, TdxBarItem)
public:
  explicit TSizedItem(TComponent* AOwner) : TdxBarItem(AOwner) {}
  int32_t ControlWidth = 0, ControlHeight = 0, ControlMinWidth = 1, ControlMinHeight = 1;
};

class TSizedControl : public TdxBarItemControl {
  DX_CLASS(TSizedControl, TdxBarItemControl)
public:
  TSizedControl(TCustomdxBarControl* AParent, TdxBarItemLink* ALink) : TdxBarItemControl(AParent, ALink) {}
  int32_t GetWidth() override { return Sized() ? Sized()->ControlWidth : 0; }
  int32_t GetHeight() override { return Sized() ? Sized()->ControlHeight : 0; }
  int32_t GetMinWidth() override { return Sized() ? Sized()->ControlMinWidth : 1; }
  int32_t GetMinHeight() override { return Sized() ? Sized()->ControlMinHeight : 1; }

private:
  TSizedItem* Sized() const { return dynamic_cast<TSizedItem*>(GetItem()); }
};

// One link of a test bar: the control's size and whether it begins a group.
struct TLinkSize {
  int32_t Width, Height;
  bool BeginGroup = false;
};

// A shown form with a manager; toolbar windows made here are freed in TearDown.
class ToolbarFormTest : public BarFormTest {
protected:
  void SetUp() override {
    BarFormTest::SetUp();
    form = ShownForm();
    form->SetBounds(0, 0, 800, 600);
    manager = new TdxBarManager(form);
    RegisterBarItemClass(TSizedItem::StaticClass(), TSizedControl::StaticClass(), false);
    installedMaker = dxBarCreateItemControlProc();
    SetdxBarCreateItemControlProc([](TClass, TCustomdxBarControl* AWindow, TdxBarItemLink* ALink) -> TdxBarItemControl* {
      return new TSizedControl(AWindow, ALink);
    });
  }
  void TearDown() override {
    for (TdxBarControl* w : windows)
      if (IsLiveBarControl(w)) delete w;
    SetdxBarCreateItemControlProc(installedMaker);
    TdxBarItemList* registry = ItemClassRegistry();
    for (int32_t i = registry->Count() - 1; i >= 0; --i)
      if (registry->ItemClassAt(i) == TSizedItem::StaticClass()) registry->RemoveRegistration(i);
    delete manager;
    BarFormTest::TearDown();
  }

  // A bar of the manager with one link per size.
  TdxBar* NewBar(std::initializer_list<TLinkSize> ALinks) {
    TdxBar* bar = manager->Bars()->Add();
    for (const TLinkSize& link : ALinks) AddLink(bar, link);
    return bar;
  }
  TdxBarItemLink* AddLink(TdxBar* ABar, const TLinkSize& ALink) {
    auto* item = new TSizedItem(form);
    item->SetBarManager(manager);
    item->ControlWidth = ALink.Width;
    item->ControlHeight = ALink.Height;
    TdxBarItemLink* link = ABar->GetItemLinks()->Add();
    link->SetItem(item);
    link->SetBeginGroup(ALink.BeginGroup);
    return link;
  }
  TSizedItem* ItemOf(TdxBarItemLink* ALink) { return dynamic_cast<TSizedItem*>(ALink->GetItem()); }

  // The window of ABar on ASide (dsNone: floating), with its handle and
  // metrics, ACLientWidth x AClientHeight large.
  TdxBarControl* WindowFor(TdxBar* ABar, TdxBarDockingStyle ASide, int32_t AClientWidth = 200,
                           int32_t AClientHeight = 40) {
    TdxBarControl* w = TdxBarControl::CreateForBar(manager, ABar);
    windows.push_back(w);
    w->SetDockingStyle(ASide);
    w->SetParent(form);
    w->SetBounds(0, 0, AClientWidth, AClientHeight);
    w->HandleNeeded();
    // The frame the window's non-client area takes goes around the client size.
    w->SetBounds(0, 0, 2 * AClientWidth - w->ClientWidth(), 2 * AClientHeight - w->ClientHeight());
    w->UpdateMetrics();
    // A fitting limit shows the most recently used links; none is used yet,
    // so the recent order is the links' order.
    TdxBarItemLinks* links = ABar->GetItemLinks();
    for (int32_t i = links->Count() - 1; i >= 0; --i) links->GetItem(i)->BringToFront(false);
    return w;
  }

  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  std::vector<TdxBarControl*> windows;
  // The start-up's maker, put back for the tests that follow.
  TdxBarCreateItemControlProc installedMaker = nullptr;
};

}  // namespace bartest
