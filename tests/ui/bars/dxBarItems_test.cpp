// The toolbar item driven headless with recording item controls and bar
// windows: the caption's hint rule, the three click layers, actions,
// categories, availability, the notices to the item controls, destruction
// and the design-time answers.
#include "ui/bars/dxBarItems.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/classes/lists.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/forms.h"
#include "tests/ui/bars/item_doubles.h"
#include "ui/bars/dxBar.h"

using namespace bartest;

namespace {

class BarItemTest : public BarManagerFormTest {
protected:
  void TearDown() override {
    Application->OnException = nullptr;
    BarManagerFormTest::TearDown();
  }
  template <class T = TdxBarItem>
  T* NewItem(const std::string& AName = {}) {
    auto* item = new T(form_.get());
    if (!AName.empty()) item->SetName(AName);
    return item;
  }
  // The link owns the control.
  TRecordingItemControl* ControlFor(TdxBarItemLink* ALink, TCustomdxBarControl* AWindow, const std::string& AName) {
    return new TRecordingItemControl(AWindow, ALink, AName, log_);
  }

  TLog log_;
};

// ---------------------------------------------------------------- construction

TEST_F(BarItemTest, ANewItemTakesTheManagerOfItsFormAndTheDefaultsOfItsClass) {
  TdxBarItem* item = NewItem();
  EXPECT_EQ(item->BarManager(), manager_);
  EXPECT_EQ(manager_->GetItem(manager_->GetItemCount() - 1), item);
  EXPECT_EQ(item->Category(), -1);
  EXPECT_EQ(item->ImageIndex(), -1);
  EXPECT_EQ(item->LargeImageIndex(), -1);
  EXPECT_EQ(item->Visible(), ivAlways);
  EXPECT_EQ(item->LoadedVisible(), ivAlways);
  EXPECT_EQ(item->GlyphLayout(), glTop);
  EXPECT_EQ(item->MergeKind(), mkAdd);
  EXPECT_TRUE(item->Enabled());
  EXPECT_TRUE(item->CanSelect);
  EXPECT_FALSE(item->HasParent());  // a parent only while it has a category
  item->SetCategory(0);
  EXPECT_TRUE(item->HasParent());
  EXPECT_EQ(item->GetParentComponent(), manager_);

  struct Case {
    TdxBarItem* item;
    const char* caption;
  } cases[] = {
      {NewItem<TdxBarItem>(), "New Item"},
      {NewItem<TdxBarButton>(), "New Button"},
      {NewItem<TdxBarLargeButton>(), "New Button"},
      {NewItem<TdxBarSeparator>(), "New Separator"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.item->GetDefaultCaption(), c.caption) << c.item->ClassName();
}

// ---------------------------------------------------------------- caption and hint

TEST_F(BarItemTest, TheHintFollowsTheCaptionWhileItWasTakenFromIt) {
  struct Case {
    const char* oldCaption;
    const char* hint;
    const char* newCaption;
    const char* expected;
  } cases[] = {
      {"", "", "&Open...", "Open"},
      {"&Open...", "Open|Long text", "&Save...", "Save|Long text"},
      {"&Open...", "Other", "&Save...", "Other"},
      {"&Open...", "Other|Long text", "&Save...", "Other|Long text"},
      {"Fit", "Fit", "&Actual Size", "Actual Size"},
  };
  for (const Case& c : cases) {
    TdxBarItem* item = NewItem();
    item->SetCaption(c.oldCaption);
    item->SetHint(c.hint);
    item->SetCaption(c.newCaption);
    EXPECT_EQ(item->Hint(), c.expected) << c.oldCaption << " -> " << c.newCaption << " with hint " << c.hint;
    EXPECT_EQ(item->Caption(), c.newCaption);
  }
}

TEST_F(BarItemTest, TheCleanCaptionDropsOnlyTheFirstAmpersandAndEllipsis) {
  TdxBarItem* item = NewItem();
  struct Case {
    const char* caption;
    const char* clean;
  } cases[] = {{"&Open...", "Open"}, {"A&&B......", "A&B..."}, {"Plain", "Plain"}, {"", ""}};
  for (const Case& c : cases) {
    item->SetCaption(c.caption);
    EXPECT_EQ(item->GetCleanCaption(), c.clean) << c.caption;
  }
}

TEST_F(BarItemTest, ACaptionReadWhileLoadingLeavesTheHint) {
  TdxBarItem* item = NewItem();
  manager_->SetLoading(true);
  item->SetCaption("&Open...");
  manager_->SetLoading(false);
  EXPECT_EQ(item->Caption(), "&Open...");
  EXPECT_EQ(item->Hint(), "");
}

// ---------------------------------------------------------------- clicks

TEST_F(BarItemTest, AClickTellsTheManagerFirstAndADisabledItemIgnoresEveryWayIn) {
  auto* item = NewItem<TdxBarItem>("item");
  item->SetShortCut(Ctrl('O'));
  TLog log;
  manager_->OnClickItem = [&](TdxBarManager*, TdxBarItem* clicked) { log.push_back("manager " + clicked->Name()); };
  item->OnClick = [&](TObject* sender) { log.push_back("click " + static_cast<TComponent*>(sender)->Name()); };
  item->Click();
  item->PerformClick();
  EXPECT_TRUE(item->DispatchShortCut(Ctrl('O')));
  EXPECT_FALSE(item->DispatchShortCut(Ctrl('P')));
  EXPECT_EQ(log, (TLog{"manager item", "click item", "manager item", "click item", "manager item", "click item"}));

  log.clear();
  item->SetEnabled(false);
  item->Click();
  item->PerformClick();
  EXPECT_FALSE(item->DispatchShortCut(Ctrl('O')));
  EXPECT_TRUE(log.empty());
}

TEST_F(BarItemTest, WhatAClickRaisesGoesToTheApplicationWithTheItemAsSender) {
  auto* item = NewItem<TdxBarItem>("item");
  std::vector<std::pair<TObject*, std::string>> reported;
  Application->OnException = [&](TObject* sender, Exception& e) { reported.emplace_back(sender, e.Message()); };
  item->OnClick = [](TObject*) { throw EdxException("from OnClick"); };
  EXPECT_NO_THROW(item->Click());
  EXPECT_NO_THROW(item->PerformClick());
  manager_->OnClickItem = [](TdxBarManager*, TdxBarItem*) { throw Exception("from the manager"); };
  bool clicked = false;
  item->OnClick = [&](TObject*) { clicked = true; };
  EXPECT_NO_THROW(item->Click());
  EXPECT_FALSE(clicked);
  ASSERT_EQ(reported.size(), 3u);
  EXPECT_EQ(reported[0], std::make_pair(static_cast<TObject*>(item), std::string("from OnClick")));
  EXPECT_EQ(reported[1].second, "from OnClick");
  EXPECT_EQ(reported[2], std::make_pair(static_cast<TObject*>(item), std::string("from the manager")));
}

TEST_F(BarItemTest, AnItemFreedByItsOwnClickIsNotTouchedAgain) {
  int destroyed = 0;
  auto* item = new TCountedItem(form_.get(), destroyed);
  BarWith({item, item});
  item->OnClick = [item](TObject*) { delete item; };
  item->Click();
  EXPECT_EQ(destroyed, 1);

  // Freed by the manager's notice: DoClick no longer runs.
  auto* second = new TCountedItem(form_.get(), destroyed);
  bool clicked = false;
  second->OnClick = [&](TObject*) { clicked = true; };
  manager_->OnClickItem = [](TdxBarManager*, TdxBarItem* i) { delete i; };
  second->PerformClick();
  EXPECT_EQ(destroyed, 2);
  EXPECT_FALSE(clicked);
}

// ---------------------------------------------------------------- actions

TEST_F(BarItemTest, AnOnClickThatIsTheActionsOwnHandlerRunsTheActionWithTheItemAsTarget) {
  auto* action = new TAction(form_.get());
  TLog log;
  TdxBarItem* item = NewItem("item");
  action->OnExecute = [&, item](TObject* sender) {
    log.push_back(sender == action ? "action" : "other");
    if (action->ActionComponent() == item) log.push_back("target item");
  };
  item->SetAction(action);
  ASSERT_TRUE(SameEventCode(item->OnClick, action->OnExecute));  // copied by the action change
  item->Click();
  EXPECT_EQ(log, (TLog{"action", "target item"}));
  EXPECT_EQ(action->ActionComponent(), nullptr);

  // A handler of its own runs instead of the action.
  log.clear();
  item->OnClick = [&](TObject* sender) { log.push_back(sender == item ? "own" : "other"); };
  item->Click();
  EXPECT_EQ(log, TLog{"own"});
}

TEST_F(BarItemTest, ActionsFreedDuringTheirExecutionAreLeftAlone) {
  TAction* action = new TAction(form_.get());
  TdxBarItem* item = NewItem();
  action->OnExecute = [&action](TObject*) {
    delete action;
    action = nullptr;
  };
  item->SetAction(action);
  item->Click();
  EXPECT_EQ(action, nullptr);
  EXPECT_EQ(item->Action(), nullptr);
  item->Click();  // the handler copied from the action now runs as the item's own

  auto* second = new TAction(form_.get());
  int destroyed = 0;
  auto* doomed = new TCountedItem(form_.get(), destroyed);
  second->OnExecute = [doomed](TObject*) { delete doomed; };
  doomed->SetAction(second);
  doomed->Click();
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(second->ActionComponent(), nullptr);
}

TEST_F(BarItemTest, CheckDefaultsCopyOnlyWhereTheItemStillHasItsDefault) {
  auto* action = new TAction(form_.get());
  action->SetCaption("&Theirs");
  action->SetChecked(true);
  action->SetEnabled(false);
  action->SetHelpContext(12);
  action->SetHint("Their hint");
  action->SetImageIndex(4);
  action->SetShortCut(Ctrl('T'));
  action->SetVisible(false);
  action->OnExecute = [](TObject*) {};

  auto* fresh = NewItem<TdxBarButton>();
  fresh->SetButtonStyle(bsChecked);
  fresh->ActionChange(action, true);
  EXPECT_EQ(fresh->Caption(), "&Theirs");
  EXPECT_EQ(fresh->Hint(), "Their hint");  // the caption did not carry the hint along
  EXPECT_TRUE(fresh->Down());
  EXPECT_FALSE(fresh->Enabled());
  EXPECT_EQ(fresh->HelpContext(), 12);
  EXPECT_EQ(fresh->ImageIndex(), 4);
  EXPECT_EQ(fresh->ShortCut(), Ctrl('T'));
  EXPECT_EQ(fresh->Visible(), ivNever);
  EXPECT_TRUE(SameEventCode(fresh->OnClick, action->OnExecute));

  auto* own = NewItem<TdxBarButton>();
  own->SetCaption("Mine");
  own->SetHint("My hint");
  own->SetHelpContext(3);
  own->SetImageIndex(1);
  own->SetShortCut(Ctrl('M'));
  own->SetVisible(ivInCustomizing);
  own->SetEnabled(false);
  bool mine = false;
  own->OnClick = [&](TObject*) { mine = true; };
  own->ActionChange(action, true);
  EXPECT_EQ(own->Caption(), "Mine");
  EXPECT_EQ(own->Hint(), "My hint");
  EXPECT_EQ(own->HelpContext(), 3);
  EXPECT_EQ(own->ImageIndex(), 1);
  EXPECT_EQ(own->ShortCut(), Ctrl('M'));
  EXPECT_EQ(own->Visible(), ivInCustomizing);
  EXPECT_FALSE(own->Down());  // the button is not checkable
  own->OnClick(nullptr);
  EXPECT_TRUE(mine);

  // Without check defaults every value is copied, and a later change of the action follows.
  own->SetAction(action);
  EXPECT_EQ(own->Caption(), "&Theirs");
  action->SetCaption("Changed");
  EXPECT_EQ(own->Caption(), "Changed");
  EXPECT_TRUE(own->ActionLink()->IsCaptionLinked());
  own->SetCaption("Again mine");
  EXPECT_FALSE(own->ActionLink()->IsCaptionLinked());
  EXPECT_TRUE(own->IsCaptionStored());
}

TEST_F(BarItemTest, CopyingToAnActionAndFromAnItemTakesTheListedValues) {
  auto* button = NewItem<TdxBarButton>();
  button->SetButtonStyle(bsChecked);
  button->SetDown(true);
  button->SetCaption("&Fit");
  button->SetHint("Fit|Fit to the window");
  button->SetHelpContext(9);
  button->SetImageIndex(6);
  button->SetShortCut(Ctrl('0'));
  button->SetVisible(ivNever);
  button->OnClick = [](TObject*) {};
  TAction action(nullptr);
  button->AssignTo(&action);
  EXPECT_EQ(action.Caption(), "&Fit");
  EXPECT_TRUE(action.Checked());
  EXPECT_EQ(action.Hint(), "Fit|Fit to the window");
  EXPECT_EQ(action.HelpContext(), 9);
  EXPECT_EQ(action.ImageIndex(), 6);
  EXPECT_EQ(action.ShortCut(), Ctrl('0'));
  EXPECT_FALSE(action.Visible());
  EXPECT_TRUE(SameEventCode(action.OnExecute, button->OnClick));
  button->SetVisible(ivInCustomizing);
  button->AssignTo(&action);
  EXPECT_FALSE(action.Visible());  // ivInCustomizing leaves it

  manager_->Categories()->Add("View");
  button->SetCategory(1);
  button->SetMergeOrder(-4);
  EXPECT_EQ(button->MergeOrder(), 0);
  button->SetMergeOrder(5);
  TdxBarItem* copy = NewItem();
  copy->Assign(button);
  EXPECT_EQ(copy->Caption(), "&Fit");
  EXPECT_EQ(copy->Category(), 1);
  EXPECT_EQ(copy->Hint(), "Fit|Fit to the window");
  EXPECT_EQ(copy->ImageIndex(), 6);
  EXPECT_EQ(copy->MergeOrder(), 5);
  EXPECT_EQ(copy->ShortCut(), Ctrl('0'));
  EXPECT_EQ(copy->Visible(), ivInCustomizing);
}

// ---------------------------------------------------------------- categories and availability

TEST_F(BarItemTest, ACategoryMoveLeavesTheItemBehindTheLastItemOfItsNewCategory) {
  manager_->Categories()->Add("B");
  manager_->Categories()->Add("C");
  auto order = [&] {
    std::string s;
    for (int32_t i = 0; i < manager_->GetItemCount(); ++i) s += manager_->GetItem(i)->Name();
    return s;
  };
  TdxBarItem* a = NewItem("a");
  TdxBarItem* b = NewItem("b");
  TdxBarItem* c = NewItem("c");
  TdxBarItem* d = NewItem("d");
  // The first item of a category stays where it is.
  a->SetCategory(0);
  b->SetCategory(1);
  EXPECT_EQ(order(), "abcd");
  // The last item of A (a) stands before c: c goes right after it.
  c->SetCategory(0);
  EXPECT_EQ(order(), "acbd");
  d->SetCategory(1);
  EXPECT_EQ(order(), "acbd");  // b, the last of B, stands before d already, right before it
  // The last item of B (d) stands after a: a takes d's place and the others move up.
  a->SetCategory(1);
  EXPECT_EQ(order(), "cbda");
  // The last item of A (c) stands before d: d goes right after it.
  d->SetCategory(0);
  EXPECT_EQ(order(), "cdba");
  // C has no items: the item stays where it is.
  b->SetCategory(2);
  EXPECT_EQ(order(), "cdba");
  EXPECT_EQ(b->Category(), 2);
  // A category the manager does not have is ignored.
  c->SetCategory(3);
  c->SetCategory(-2);
  EXPECT_EQ(c->Category(), 0);
  EXPECT_EQ(order(), "cdba");
}

TEST_F(BarItemTest, AvailabilityFollowsVisibleAndTheDesigner) {
  class TUnavailable : public TdxBarItem {
  public:
    using TdxBarItem::TdxBarItem;
    bool IsAvailable() const override { return false; }
  };
  struct Case {
    TdxBarItemVisible visible;
    bool available;
    bool designing;
    bool expected;
  } cases[] = {
      {ivAlways, true, false, true},         {ivAlways, false, false, false},
      {ivAlways, false, true, true},         {ivInCustomizing, true, false, false},
      {ivInCustomizing, true, true, true},   {ivNever, true, true, false},
  };
  for (const Case& c : cases) {
    TdxBarItem* item = c.available ? NewItem() : NewItem<TUnavailable>();
    item->SetVisible(c.visible);
    manager_->SetDesigning(c.designing, false);
    EXPECT_EQ(item->IsItemAvailable(), c.expected)
        << int(c.visible) << " available " << c.available << " designing " << c.designing;
    manager_->SetDesigning(false, false);
  }
}

TEST_F(BarItemTest, VisibleReadWhileLoadingWaitsAndAChangeReevaluatesInsideABarsUpdate) {
  TdxBarItem* item = NewItem();
  TdxBar* bar = BarWith({item});
  manager_->SetLoading(true);
  item->SetVisible(ivNever);
  EXPECT_EQ(item->Visible(), ivAlways);
  EXPECT_EQ(item->LoadedVisible(), ivNever);
  manager_->SetLoading(false);
  EXPECT_EQ(bar->GetItemLinks()->GetAvailableCount(), 1);
  item->SetVisible(ivNever);
  EXPECT_EQ(bar->GetItemLinks()->GetAvailableCount(), 0);
  EXPECT_FALSE(manager_->IsBarsUpdateLocked());
}

TEST_F(BarItemTest, NegativeWidthsAreIgnored) {
  TdxBarItem* item = NewItem();
  item->SetWidth(40);
  item->SetWidth(-1);
  EXPECT_EQ(item->Width(), 40);
  item->SetWidth(0);
  EXPECT_EQ(item->Width(), 0);
}

// ---------------------------------------------------------------- notices to the controls

TEST_F(BarItemTest, NoticesReachTheControlsOfLinksWithoutTheirOwnValue) {
  TdxBarItem* item = NewItem();
  TdxBar* bar = BarWith({item, item});
  TKindBarControl window(manager_, "toolbar", log_, 0);
  bar->GetItemLinks()->BarControl = &window;
  TdxBarItemLink* plain = bar->GetItemLinks()->GetItem(0);
  TdxBarItemLink* own = bar->GetItemLinks()->GetItem(1);
  own->SetUserDefine(UserDefineBit(udCaption) | UserDefineBit(udGlyph) | UserDefineBit(udWidth));
  ControlFor(plain, &window, "plain");
  ControlFor(own, &window, "own");

  struct Case {
    const char* what;
    std::function<void()> change;
    TLog expected;
  } cases[] = {
      {"caption", [&] { item->SetCaption("x"); }, {"plain caption"}},
      {"enabled", [&] { item->SetEnabled(false); },
       {"plain clear glyph", "plain enabled", "own clear glyph", "own enabled"}},
      {"image", [&] { item->SetImageIndex(3); }, {"plain clear all", "plain image"}},
      {"large image", [&] { item->SetLargeImageIndex(2); },
       {"plain clear all", "own clear all", "plain large image", "own large image"}},
      {"hot image", [&] { item->HotGlyphChanged(); },
       {"plain clear glyph", "plain hot image", "own clear glyph", "own hot image"}},
      {"width", [&] { item->SetWidth(30); }, {"plain width"}},
      {"shortcut", [&] { item->SetShortCut(Ctrl('S')); }, {}},
      {"same value", [&] { item->SetWidth(30); }, {}},
      {"controls", [&] { item->RefreshControls(); }, {"plain invalidate", "own invalidate"}},
      {"layouts", [&] { item->RefreshControlLayouts(); }, {"plain refresh", "own refresh"}},
      {"align", [&] { item->SetAlign(iaRight); }, {"toolbar rebuild"}},
  };
  for (const Case& c : cases) {
    log_.clear();
    c.change();
    EXPECT_EQ(log_, c.expected) << c.what;
  }
  bar->GetItemLinks()->BarControl = nullptr;
}

TEST_F(BarItemTest, UpdateBarsReachesTheWindowsOfTheAskedKindsButNotAnActiveSelection) {
  TdxBarItem* item = NewItem();
  TdxBar* toolbar = BarWith({item});
  auto* menu = new TdxBarPopupMenu(form_.get());
  menu->SetBarManager(manager_);
  menu->GetItemLinks()->Add()->SetItem(item);
  TKindBarControl bar(manager_, "toolbar", log_, 0);
  TKindBarControl sub(manager_, "menu", log_, 2);
  toolbar->GetItemLinks()->BarControl = &bar;
  menu->GetItemLinks()->BarControl = &sub;
  TRecordingItemControl* inMenu = ControlFor(menu->GetItemLinks()->GetItem(0), &sub, "entry");

  struct Case {
    TdxBarItem::TdxBarKinds kinds;
    bool menuActive;
    TLog expected;
  } cases[] = {
      {TdxBarItem::bkAll, false, {"toolbar rebuild", "menu rebuild"}},
      {TdxBarItem::BarKindBit(2), false, {"menu rebuild"}},
      {TdxBarItem::BarKindBit(0) | TdxBarItem::BarKindBit(1), false, {"toolbar rebuild"}},
      {TdxBarItem::bkAll, true, {"toolbar rebuild"}},
  };
  for (const Case& c : cases) {
    sub.Active = c.menuActive;
    sub.SetSelectedControl(c.menuActive ? inMenu : nullptr);
    log_.clear();
    item->UpdateBars(c.kinds);
    EXPECT_EQ(log_, c.expected) << int(c.kinds) << " active " << c.menuActive;
  }
  // The selected control of an active menu is not repainted either.
  log_.clear();
  item->RefreshControls();
  EXPECT_TRUE(log_.empty());
  sub.SetSelectedControl(nullptr);
  // A shortcut change relayouts only the menus.
  sub.Active = false;
  log_.clear();
  item->SetShortCut(Ctrl('K'));
  EXPECT_EQ(log_, TLog{"menu rebuild"});
  toolbar->GetItemLinks()->BarControl = nullptr;
  menu->GetItemLinks()->BarControl = nullptr;
}

// ---------------------------------------------------------------- destruction

TEST_F(BarItemTest, DestroyingAnItemRemovesEveryLinkInsideABarsUpdate) {
  TdxBarItem* item = NewItem();
  TdxBarItem* other = NewItem();
  TdxBar* first = BarWith({item, other, item});
  TdxBar* second = BarWith({item});
  TKindBarControl window(manager_, "toolbar", log_, 0);
  first->GetItemLinks()->BarControl = &window;
  EXPECT_EQ(item->GetLinkCount(), 3);
  bool destroyedEventRan = false;
  item->OnDestroy = [&](TObject* sender) { destroyedEventRan = sender == item && item->GetLinkCount() == 3; };
  window.RecalcSize();  // outside a lock nothing is deferred
  EXPECT_FALSE(first->DeferredRecalc);
  delete item;
  EXPECT_TRUE(destroyedEventRan);
  EXPECT_EQ(first->GetItemLinks()->Count(), 1);
  EXPECT_EQ(first->GetItemLinks()->GetItem(0)->GetItem(), other);
  EXPECT_EQ(second->GetItemLinks()->Count(), 0);
  EXPECT_FALSE(manager_->IsBarsUpdateLocked());
  EXPECT_EQ(manager_->ItemList()->IndexOf(item), -1);
  first->GetItemLinks()->BarControl = nullptr;
}

// ---------------------------------------------------------------- design time

TEST_F(BarItemTest, DesignActionsDependOnTheDesignerAndTheItemClass) {
  TFakeDesigner designer;
  TdxBarItem* item = NewItem();
  auto* button = NewItem<TdxBarButton>();
  auto* large = NewItem<TdxBarLargeButton>();
  auto* separator = NewItem<TdxBarSeparator>();
  struct Case {
    bool designing;
    bool customized;
    uint32_t base;
  } cases[] = {{false, false, 1049}, {false, true, 1049}, {true, false, 2}, {true, true, 7903}};
  for (const Case& c : cases) {
    manager_->SetDesigning(c.designing, false);
    designer.Customized = c.customized;
    const uint32_t buttonBits = 0x20u | (c.designing ? 0x100u : 0u);
    EXPECT_EQ(item->GetDesignActions(), c.base);
    EXPECT_EQ(button->GetDesignActions(), c.base | buttonBits);
    EXPECT_EQ(large->GetDesignActions(), (c.base | buttonBits) & ~0x20u);
    EXPECT_EQ(separator->GetDesignActions(), c.base & ~0x1000u);
  }
  manager_->SetDesigning(false, false);
}

TEST_F(BarItemTest, DesignSelectionGoesThroughTheDesigner) {
  TFakeDesigner designer;
  TdxBarItem* item = NewItem("item");
  EXPECT_FALSE(item->SelectDesignLink());
  TdxBar* bar = BarWith({item});
  TKindBarControl window(manager_, "toolbar", log_, 0);
  window.SetName("window");
  bar->GetItemLinks()->BarControl = &window;
  ControlFor(bar->GetItemLinks()->GetItem(0), &window, "link");
  EXPECT_TRUE(item->SelectDesignLink());
  item->SynchronizeDesignSelection();
  item->ShowDefaultEventHandler();
  EXPECT_EQ(designer.Log, (TLog{"select window", "drop stale", "handler item"}));
  EXPECT_EQ(log_, TLog{"link design state"});
  // An item with links is only unlinked by a delete; then it may go.
  EXPECT_TRUE(item->CanBeDeleted(false));
  EXPECT_FALSE(item->DeleteIfAllowed(false));
  EXPECT_EQ(bar->GetItemLinks()->Count(), 0);
  bar->GetItemLinks()->BarControl = nullptr;
  EXPECT_TRUE(item->DeleteIfAllowed(false));
  EXPECT_EQ(manager_->GetItemCount(), 0);
}

}  // namespace
