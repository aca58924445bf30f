// Item links and link collections driven headless: the derived lists with
// separator pruning, effective group starts, the user-value protocol,
// recent-use counts, shortcuts, the two accelerator searches, merging,
// loading and the inherited menu options. A links owner and a bar window
// stand-in record what the collection asks of them.
#include "ui/bars/dxBarElements.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/forms.h"
#include "tests/ui/bars/item_doubles.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarItemStylesData.h"
#include "ui/bars/dxBarItems.h"
#include "ui/bars/dxBarLabels.h"
#include "ui/lookandfeel/cxStyles.h"
#include "ui/lookandfeel/dxCore.h"

using namespace bartest;

namespace {

// Owns a collection the way a popup menu or sub-item does; refuses items when told to.
class TTestLinksOwner : public TComponent, public IdxBarLinksOwner {
public:
  TTestLinksOwner(TComponent* AOwner, TdxBarManager* AManager) : TComponent(AOwner) {
    links_ = std::make_unique<TdxBarSubMenuControlItemLinks>(AManager, this);
  }
  TdxBarItemLinks* GetItemLinks() override { return links_.get(); }
  bool CanContainItem(TdxBarItem* AItem, std::string& AErrorText) override {
    if (AItem != Refused) return true;
    AErrorText = "You cannot create recursive menus";
    return false;
  }
  TCustomdxBarControl* CreateBarControl() override { return nullptr; }
  TdxBarItem* Refused = nullptr;

private:
  std::unique_ptr<TdxBarItemLinks> links_;
};

// An item whose links show a control in bar windows.
class TControlledItem : public TdxBarItem {
public:
  using TdxBarItem::TdxBarItem;
  TClass GetControlClass(bool) override { return TdxBarItemControl::StaticClass(); }
};

class ItemLinksTest : public BarManagerFormTest {
protected:
  void SetUp() override {
    BarManagerFormTest::SetUp();
    owner_ = new TTestLinksOwner(form_.get(), manager_);
  }
  void TearDown() override {
    SetdxBarMergingBar(nullptr);
    if (shownLinks_) shownLinks_->BarControl = nullptr;
    toolbarWindow_.reset();
    BarManagerFormTest::TearDown();
  }
  TdxBarItemLinks* Menu() { return owner_->GetItemLinks(); }
  template <class T = TdxBarItem>
  T* NewItem(const std::string& ACaption, const std::string& AName = {}) {
    auto* item = new T(form_.get());
    if (!AName.empty()) item->SetName(AName);
    item->SetCaption(ACaption);
    item->OnClick = [this, ACaption](TObject*) { log_.push_back("click " + ACaption); };
    return item;
  }
  TdxBarItemLink* AddLink(TdxBarItemLinks* ALinks, TdxBarItem* AItem) {
    TdxBarItemLink* link = ALinks->Add();
    link->SetItem(AItem);
    return link;
  }
  // "name" per link: the item's caption, "-" for a separator.
  static std::vector<std::string> Captions(TdxBarItemLinks* ALinks, int32_t (TdxBarItemLinks::*ACount)() const,
                                           TdxBarItemLink* (TdxBarItemLinks::*AAt)(int32_t) const) {
    std::vector<std::string> out;
    for (int32_t i = 0; i < (ALinks->*ACount)(); ++i) {
      TdxBarItemLink* link = (ALinks->*AAt)(i);
      out.push_back(dynamic_cast<TdxBarSeparator*>(link->GetItem()) ? "-" : link->GetCaption());
    }
    return out;
  }
  static std::vector<std::string> VisibleCaptions(TdxBarItemLinks* ALinks) {
    return Captions(ALinks, &TdxBarItemLinks::GetVisibleItemCount, &TdxBarItemLinks::VisibleItems);
  }
  // A toolbar with links to "a" and "b" (whose item makes controls), shown
  // by a window that logs as "toolbar".
  TdxBarItemLinks* ShownToolbar() {
    TdxBar* bar = BarWith({NewItem("a"), NewItem<TControlledItem>("b")});
    toolbarWindow_ = std::make_unique<TKindBarControl>(manager_, "toolbar", log_, 0);
    shownLinks_ = bar->GetItemLinks();
    shownLinks_->BarControl = toolbarWindow_.get();
    return shownLinks_;
  }
  TTestLinksOwner* owner_ = nullptr;
  TLog log_;
  std::unique_ptr<TKindBarControl> toolbarWindow_;
  TdxBarItemLinks* shownLinks_ = nullptr;
};

using Names = std::vector<std::string>;

// ---------------------------------------------------------------- derived lists

TEST_F(ItemLinksTest, SeparatorRunsKeepTheirLastAndTrailingSeparatorsGo) {
  struct Case {
    const char* what;
    bool designing, customizing;
    Names expected;
  } cases[] = {
      {"running", false, false, {"a", "-", "b"}},
      {"in the designer", true, false, {"a", "-", "-", "b", "-"}},
      {"while customizing", false, true, {"a", "-", "-", "b", "-"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    manager_->SetDesigning(c.designing, false);
    manager_->SetCustomizingFlag(c.customizing);
    TdxBarItemLinks* links = Menu();
    links->Clear();
    AddLink(links, NewItem("a"));
    AddLink(links, NewItem<TdxBarSeparator>("s1"));
    AddLink(links, NewItem<TdxBarSeparator>("s2"));
    AddLink(links, NewItem("b"));
    AddLink(links, NewItem<TdxBarSeparator>("s3"));
    EXPECT_EQ(VisibleCaptions(links), c.expected);
    EXPECT_EQ(links->GetAvailableCount(), 5);
    if (c.designing || c.customizing) {
      EXPECT_EQ(links->CandidateItemCount(), 5);
      continue;
    }
    // The kept separator is the last of its run.
    EXPECT_EQ(links->VisibleItems(1), links->GetItem(2));
    EXPECT_EQ(links->CandidateItemCount(), 3);
  }
  manager_->SetDesigning(false, false);
  manager_->SetCustomizingFlag(false);
}

TEST_F(ItemLinksTest, HiddenLinksAndUnavailableItemsLeaveTheirLists) {
  TdxBarItemLinks* links = Menu();
  AddLink(links, NewItem("a"));
  TdxBarItemLink* hidden = AddLink(links, NewItem("hidden"));
  TdxBarItem* never = NewItem("never");
  AddLink(links, never);
  AddLink(links, NewItem("b"));
  links->Add();  // no item: in no list
  hidden->SetVisible(false);
  never->SetVisible(ivNever);
  EXPECT_EQ(Captions(links, &TdxBarItemLinks::GetAvailableCount, &TdxBarItemLinks::AvailableItems),
            (Names{"a", "hidden", "b"}));
  EXPECT_EQ(Captions(links, &TdxBarItemLinks::CandidateItemCount, &TdxBarItemLinks::CandidateItems),
            (Names{"a", "b"}));
  EXPECT_EQ(VisibleCaptions(links), (Names{"a", "b"}));
  EXPECT_EQ(hidden->GetVisibleIndex(), -1);
  EXPECT_EQ(links->GetItem(3)->GetCandidateIndex(), 1);
}

TEST_F(ItemLinksTest, TheEffectiveGroupStartFollowsSeparatorsAndHiddenLinks) {
  struct Case {
    const char* what;
    std::vector<const char*> links;  // "-" separator, "*" begins a group, "~" hidden
    std::vector<bool> expected;      // per link
  } cases[] = {
      {"first visible link", {"*a", "b"}, {false, false}},
      {"plain group start", {"a", "*b"}, {false, true}},
      {"after a separator item", {"a", "-", "*b"}, {false, false, false}},
      {"hidden group start carried over", {"a", "~*h", "b"}, {false, true, true}},
      {"hidden link without group start", {"a", "~h", "b"}, {false, false, false}},
      {"first visible after a hidden first link", {"~*h", "a"}, {true, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TdxBarItemLinks* links = Menu();
    links->Clear();
    for (const char* row : c.links) {
      std::string s = row;
      const bool hidden = s.find('~') != std::string::npos;
      const bool group = s.find('*') != std::string::npos;
      TdxBarItemLink* link = AddLink(links, s == "-" ? NewItem<TdxBarSeparator>("-") : NewItem(s));
      link->SetBeginGroup(group);
      if (hidden) link->SetVisible(false);
    }
    for (int32_t i = 0; i < links->Count(); ++i) EXPECT_EQ(links->GetItem(i)->GetBeginGroup(), c.expected[size_t(i)]) << i;
  }
}

// A bar window whose behaviour flags the test picks and that lets every
// control take its item's alignment (as a toolbar does for its last link).
class TAligningBar : public TKindBarControl {
public:
  using TKindBarControl::TKindBarControl;
  uint16_t GetBehaviorFlags() override { return Flags; }
  bool CanAlignItem(TdxBarItemControl*) override { return true; }
  uint16_t Flags = 0x13;
};

// A hidden group start carries over to the next visible link, except to a
// centred or right-aligned control on a bar window with option 0x10.
TEST_F(ItemLinksTest, AHiddenGroupStartDoesNotCarryOverToAnAlignedControlUnderOption0x10) {
  struct Case {
    const char* what;
    TdxBarItemAlign align;
    uint16_t flags;
    bool ownGroupStart;
    bool expected;
  } cases[] = {
      {"left aligned", iaLeft, 0x13, false, true},
      {"centred", iaCenter, 0x13, false, false},
      {"right aligned", iaRight, 0x13, false, false},
      {"client aligned", iaClient, 0x13, false, true},
      {"right aligned without option 0x10", iaRight, 0x03, false, true},
      {"right aligned with its own group start", iaRight, 0x13, true, true},
  };
  TAligningBar window(manager_, "toolbar", log_, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TdxBarItemLinks* links = Menu();
    links->Clear();
    AddLink(links, NewItem("a"));
    TdxBarItemLink* hidden = AddLink(links, NewItem("h"));
    hidden->SetBeginGroup(true);
    hidden->SetVisible(false);
    TdxBarItemLink* last = AddLink(links, NewItem("b"));
    last->SetBeginGroup(c.ownGroupStart);
    last->GetItem()->SetAlign(c.align);
    window.Flags = c.flags;
    new TRecordingItemControl(&window, last, "b", log_);
    EXPECT_EQ(last->GetBeginGroup(), c.expected);
    last->DestroyControl();
  }
}

// ---------------------------------------------------------------- setting the item

TEST_F(ItemLinksTest, AnItemTheOwnerRefusesRaisesItsTextAndANullItemFreesTheLink) {
  TdxBarItem* refused = NewItem("menu");
  owner_->Refused = refused;
  TdxBarItemLink* link = Menu()->Add();
  std::vector<TdxBarItemLink*> changed;
  manager_->OnItemLinkChange = [&](TdxBarManager*, TdxBarItemLink* L) { changed.push_back(L); };
  try {
    link->SetItem(refused);
    FAIL() << "no exception";
  } catch (const EdxException& e) {
    EXPECT_STREQ(e.what(), "You cannot create recursive menus");
  }
  EXPECT_EQ(link->GetItem(), nullptr);
  EXPECT_EQ(refused->GetLinkCount(), 0);
  EXPECT_EQ(changed, std::vector<TdxBarItemLink*>{link});  // the change is still announced
  EXPECT_EQ(Menu()->UpdateCount(), 0);

  TdxBarItem* other = NewItem("other");
  link->SetItem(other);
  EXPECT_EQ(other->GetLink(0), link);
  link->SetItem(nullptr);
  EXPECT_EQ(Menu()->Count(), 0);
  EXPECT_EQ(other->GetLinkCount(), 0);
}

// ---------------------------------------------------------------- user values

TEST_F(ItemLinksTest, UserValuesSwitchTheirFlagOnAndClearingAFlagResetsItsValue) {
  TdxBar* bar = BarWith({NewItem("Item")});
  TKindBarControl window(manager_, "toolbar", log_, 0);
  TdxBarItemLink* link = bar->GetItemLinks()->GetItem(0);
  new TRecordingItemControl(&window, link, "link", log_);

  link->SetUserCaption("Mine");
  EXPECT_EQ(link->UserDefine(), UserDefineBit(udCaption));
  EXPECT_EQ(link->GetCaption(), "Mine");
  link->SetUserWidth(40);
  link->SetUserPaintStyle(psCaptionGlyph);
  EXPECT_EQ(link->UserDefine(), UserDefineBit(udCaption) | UserDefineBit(udWidth) | UserDefineBit(udPaintStyle));
  EXPECT_EQ(link->GetWidth(), 40);
  EXPECT_EQ(link->GetPaintStyle(), psCaptionGlyph);
  EXPECT_EQ(log_, (TLog{"link caption", "link width", "link paint style"}));
  log_.clear();

  // Flags going off reset their values; the item's show again.
  link->SetUserDefine(UserDefineBit(udWidth) | 0xF0);
  EXPECT_EQ(link->UserDefine(), UserDefineBit(udWidth));  // bits outside the set are masked
  EXPECT_EQ(link->UserCaption(), "");
  EXPECT_EQ(link->GetCaption(), "Item");
  EXPECT_EQ(link->UserPaintStyle(), psStandard);
  EXPECT_EQ(link->UserWidth(), 40);
  EXPECT_EQ(log_, (TLog{"link caption", "link paint style"}));

  // A link without item shows its own values.
  TdxBarItemLink* bare = bar->GetItemLinks()->Add();
  bare->SetUserDefine(0);
  EXPECT_EQ(bare->GetPaintStyle(), psStandard);
  EXPECT_EQ(bare->GetWidth(), 0);
}

// ---------------------------------------------------------------- visibility and loading

TEST_F(ItemLinksTest, VisibleIsHeldBackWhileLoadingAndAppliedWithTheLoadedData) {
  TdxBarItemLinks* links = Menu();
  TdxBarItemLink* link = AddLink(links, NewItem("a"));
  manager_->SetLoading(true);
  link->SetVisible(false);
  EXPECT_TRUE(link->Visible());
  EXPECT_FALSE(link->LoadedVisible);
  manager_->SetLoading(false);
  EXPECT_EQ(links->GetVisibleItemCount(), 1);
  links->ApplyLoadedData(true);
  EXPECT_FALSE(link->Visible());
  EXPECT_EQ(links->GetVisibleItemCount(), 0);
}

TEST_F(ItemLinksTest, StoredItemNamesResolveAfterLoadingAndUnknownNamesLeaveNoItem) {
  TdxBarItem* save = NewItem("Save", "SaveItem");
  TdxBarItemLinks* links = Menu();
  links->Add()->LoadedItemName = "saveitem";  // names compare case-insensitively
  links->Add()->LoadedItemName = "NoSuchItem";
  links->ResolveItemNames();
  EXPECT_EQ(links->Count(), 2);
  EXPECT_EQ(links->GetItem(0)->GetItem(), save);
  EXPECT_EQ(links->GetItem(1)->GetItem(), nullptr);
  EXPECT_EQ(links->GetItem(1)->LoadedItemName, "");
  EXPECT_EQ(VisibleCaptions(links), (Names{"Save"}));
}

TEST_F(ItemLinksTest, AVisibilityChangeRebuildsTheBarWindowAndFreesOrMakesTheControl) {
  TdxBarItemLinks* links = ShownToolbar();
  TdxBarItemLink* b = links->GetItem(1);
  new TRecordingItemControl(toolbarWindow_.get(), b, "b", log_);
  b->SetVisible(false);
  EXPECT_EQ(log_, TLog{"toolbar rebuild"});
  EXPECT_EQ(b->Control(), nullptr);
  EXPECT_EQ(links->GetVisibleItemCount(), 1);
  // Shown again: the item control unit's maker makes the control.
  const TdxBarCreateItemControlProc installed = dxBarCreateItemControlProc();
  static TLog* made = &log_;
  SetdxBarCreateItemControlProc([](TClass, TCustomdxBarControl* AWindow, TdxBarItemLink* ALink) -> TdxBarItemControl* {
    return new TRecordingItemControl(AWindow, ALink, "made", *made);
  });
  log_.clear();
  b->SetVisible(true);
  EXPECT_NE(b->Control(), nullptr);
  // Without a maker a link that needs a control raises an error that names the slot.
  SetdxBarCreateItemControlProc(nullptr);
  b->DestroyControl();
  EXPECT_THROW(b->CreateControl(), EdxException);
  EXPECT_NE(std::find(log_.begin(), log_.end(), "toolbar rebuild"), log_.end());
  EXPECT_EQ(links->GetVisibleItemCount(), 2);
  SetdxBarCreateItemControlProc(installed);
}

// A freed link leaves nothing of itself in its bar window.
TEST_F(ItemLinksTest, AFreedLinkIsForgottenAsTheWindowsSelectionAndMouseLink) {
  TdxBarItemLinks* links = ShownToolbar();
  TKindBarControl& window = *toolbarWindow_;
  TdxBarItemLink* b = links->GetItem(1);
  auto* control = new TRecordingItemControl(&window, b, "b", log_);
  window.SetSelectedControl(control);
  window.MouseLink = b;
  delete b;
  EXPECT_EQ(window.GetSelectedControl(), nullptr);
  EXPECT_EQ(window.MouseLink, nullptr);
  // Another link under the mouse stays.
  window.MouseLink = links->GetItem(0);
  delete AddLink(links, NewItem("c"));
  EXPECT_EQ(window.MouseLink, links->GetItem(0));
}

// ---------------------------------------------------------------- recent items

TEST_F(ItemLinksTest, TheInitialUseCountFollowsTheRecentPercentage) {
  struct Case {
    int32_t percents, expected;
  } cases[] = {{95, 20}, {100, 0}, {90, 10}, {70, 4}};
  for (const Case& c : cases) {
    manager_->SetMostRecentItemsPercents(c.percents);
    // The smallest n >= 1 with n * (100 - p) div 100 > 0.
    EXPECT_EQ(manager_->InitialUseCount(), c.expected) << c.percents;
    TdxBarItemLink* link = Menu()->Add();
    EXPECT_EQ(link->UseCount, c.expected) << c.percents;
  }
}

TEST_F(ItemLinksTest, TheRecentCountEndsAtTheLastRecentLinkAboveTheThreshold) {
  struct Case {
    const char* what;
    TdxBarManagerStyle style;
    int32_t percents;
    std::vector<int32_t> useCounts;  // per link, in recent order
    int32_t expected;
  } cases[] = {
      // Threshold 0 + (100 - 0) * 5 / 100 = 5: the link with 7 is the last at or above it.
      {"95 %", bmsOffice11, 95, {100, 7, 50, 3, 0, 4}, 3},
      {"95 %, the last candidate qualifies", bmsOffice11, 95, {3, 0, 100, 5}, -1},
      {"95 %, exactly the threshold", bmsOffice11, 95, {100, 5, 4, 0}, 2},
      // 50 * 5 / 100 = 2.5 rounds to the even 2, not 3.
      {"half rounds to even, down", bmsOffice11, 95, {50, 2, 0}, 2},
      // 70 * 5 / 100 = 3.5 rounds to 4.
      {"half rounds to even, up", bmsOffice11, 95, {70, 4, 3, 0}, 2},
      {"100 % shows everything", bmsOffice11, 100, {100, 7, 50, 3, 0, 4}, -1},
      {"standard style uses no recent items", bmsStandard, 95, {100, 7, 50, 3, 0, 4}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    manager_->SetStyle(c.style);
    manager_->SetMostRecentItemsPercents(c.percents);
    TdxBarItemLinks* links = Menu();
    links->Clear();
    for (size_t i = 0; i < c.useCounts.size(); ++i) AddLink(links, NewItem("i" + std::to_string(i)));
    for (int32_t i = 0; i < links->Count(); ++i) {
      links->GetItem(i)->UseCount = c.useCounts[size_t(i)];
      links->GetItem(i)->SetRecentIndex(i);
    }
    ASSERT_EQ(links->RecentItems(0), links->GetItem(0));
    EXPECT_EQ(links->ComputeRecentCount(), c.expected);
  }
}

TEST_F(ItemLinksTest, ARecentCountShowsTheFrontOfTheRecentListInCollectionOrder) {
  manager_->SetStyle(bmsOffice11);
  TdxBarItemLinks* links = Menu();
  for (const char* c : {"a", "b", "c", "d"}) AddLink(links, NewItem(c));
  links->GetItem(3)->SetRecentIndex(0);  // d, a, b, c
  links->GetItem(1)->SetRecentIndex(0);  // b, d, a, c
  links->SetRecentCount(2);
  EXPECT_EQ(VisibleCaptions(links), (Names{"b", "d"}));
  links->RestoreRecentCount();
  EXPECT_EQ(VisibleCaptions(links), (Names{"a", "b", "c", "d"}));
  // Without recent items the count stays -1.
  manager_->SetStyle(bmsStandard);
  links->SetRecentCount(2);
  EXPECT_EQ(links->RecentCount(), -1);
}

TEST_F(ItemLinksTest, RunningACommandMovesItsLinkToTheFrontAndCountsIt) {
  manager_->SetStyle(bmsOffice11);
  TdxBarItemLinks* links = Menu();
  for (const char* c : {"a", "b", "c"}) AddLink(links, NewItem(c));
  TdxBarItemLink* c = links->GetItem(2);
  c->MoveToRecentEnd();
  const int32_t before = c->UseCount;
  c->MarkUsed();
  EXPECT_EQ(c->GetRecentIndex(), 0);
  EXPECT_EQ(c->UseCount, before + 1);
  c->MarkUsed(false);
  EXPECT_EQ(c->UseCount, before + 1);
  // MostRecentlyUsed off: no uses, to the end.
  c->SetMostRecentlyUsed(false);
  EXPECT_EQ(c->UseCount, 0);
  EXPECT_EQ(c->GetRecentIndex(), 2);
  c->SetMostRecentlyUsed(true);
  EXPECT_EQ(c->UseCount, manager_->InitialUseCount());
  EXPECT_EQ(c->GetRecentIndex(), 0);
}

// ---------------------------------------------------------------- shortcuts

TEST_F(ItemLinksTest, ShortCutsReachHiddenLinksButNeverAZeroShortCut) {
  TdxBarItemLinks* links = Menu();
  TdxBarItem* open = NewItem("Open");
  open->SetShortCut(Ctrl('O'));
  TdxBarItem* none = NewItem("None");
  AddLink(links, none);
  AddLink(links, open)->SetVisible(false);
  EXPECT_FALSE(links->DispatchShortCut(0));
  EXPECT_TRUE(log_.empty());
  EXPECT_TRUE(links->DispatchShortCut(Ctrl('O')));
  EXPECT_EQ(log_, TLog{"click Open"});
  EXPECT_FALSE(links->DispatchShortCut(Ctrl('P')));
  open->SetVisible(ivNever);  // an unavailable item does not take part
  EXPECT_FALSE(links->DispatchShortCut(Ctrl('O')));
}

// ---------------------------------------------------------------- accelerators

class ToolbarAcceleratorTest : public ItemLinksTest {
protected:
  void SetUp() override {
    ItemLinksTest::SetUp();
    window_ = new TKindBarControl(manager_, "toolbar", log_, 0);
    window_->SetBounds(0, 0, 400, 30);
    window_->SetVisible(true);
    bar_ = manager_->Bars()->Add();
    bar_->GetItemLinks()->BarControl = window_;
  }
  void TearDown() override {
    bar_->GetItemLinks()->BarControl = nullptr;
    delete window_;
    ItemLinksTest::TearDown();
  }
  TdxBarItemLink* Add(const std::string& ACaption) {
    TdxBarItemLink* link = AddLink(bar_->GetItemLinks(), NewItem(ACaption));
    new TRecordingItemControl(window_, link, ACaption, log_);
    const int32_t left = 40 * link->Index();
    link->SetItemRect(TRect(left, 0, left + 40, 20));
    return link;
  }
  TdxBarItemLink* Find(win::WORD AKey, TShiftState AShift, TdxBarItemLink* AStart) {
    return bar_->GetItemLinks()->FindLinkByAccelerator(AKey, AShift, AStart);
  }
  TKindBarControl* window_ = nullptr;
  TdxBar* bar_ = nullptr;
};

TEST_F(ToolbarAcceleratorTest, AltLetterSelectsTheNextMatchingLinkWithWrapAround) {
  TdxBarItemLink* save = Add("&Save");
  TdxBarItemLink* open = Add("&Open");
  TdxBarItemLink* send = Add("&Send");
  TdxBarItemLink* digit = Add("Item &1");
  TdxBarItemLink* literal = Add("R&&D");
  const TShiftState alt{ssAlt};
  struct Case {
    const char* what;
    win::WORD key;
    TShiftState shift;
    TdxBarItemLink* start;
    TdxBarItemLink* expected;
  } cases[] = {
      {"no start: the first match", 'S', alt, nullptr, save},
      {"after the current link", 'S', alt, save, send},
      {"wraps around", 'S', alt, send, save},
      {"from a link that does not match", 'S', alt, open, send},
      {"a unique match from itself: none other", 'O', alt, open, nullptr},
      {"Shift does not matter for letters", 'S', TShiftState{ssAlt, ssShift}, nullptr, save},
      {"Ctrl never", 'S', TShiftState{ssAlt, ssCtrl}, nullptr, nullptr},
      {"a digit", '1', alt, nullptr, digit},
      {"a digit with Shift does not match", '1', TShiftState{ssAlt, ssShift}, nullptr, nullptr},
      {"a doubled ampersand is no accelerator", 'D', alt, nullptr, nullptr},
  };
  for (const Case& c : cases) EXPECT_EQ(Find(c.key, c.shift, c.start), c.expected) << c.what;
  (void)literal;
  // Links that overflowed the window, and a hidden window, take no part.
  save->SetItemRect(TRect(390, 0, 430, 20));
  EXPECT_EQ(Find('S', alt, nullptr), nullptr);  // the fitting links end before the first
  save->SetItemRect(TRect(0, 0, 40, 20));
  window_->SetVisible(false);
  EXPECT_EQ(Find('S', alt, nullptr), nullptr);
}

TEST_F(ToolbarAcceleratorTest, TheSelectableWalkWrapsAndSkipsLinksWithoutControls) {
  TdxBarItemLink* a = Add("a");
  TdxBarItemLink* b = Add("b");
  TdxBarItemLink* c = Add("c");
  b->GetItem()->CanSelect = false;
  TdxBarItemLinks* links = bar_->GetItemLinks();
  EXPECT_EQ(links->GetFittingCount(), 3);
  EXPECT_EQ(links->GetFirstSelectableLink(), a);
  EXPECT_EQ(links->GetLastSelectableLink(), c);
  EXPECT_EQ(links->GetNextSelectableLink(a, false), c);
  EXPECT_EQ(links->GetNextSelectableLink(a, true), b);
  EXPECT_EQ(links->GetNextSelectableLink(c, false), a);
  EXPECT_EQ(links->GetPrevSelectableLink(a, false), c);
  EXPECT_EQ(links->GetPrevSelectableLink(c, false), a);
  EXPECT_EQ(links->GetNextSelectableLink(nullptr, false), a);
  a->GetItem()->CanSelect = false;
  c->GetItem()->CanSelect = false;
  EXPECT_EQ(links->GetNextSelectableLink(a, false), nullptr);
}

TEST_F(ItemLinksTest, ASubMenuWalkWithoutStartVisitsTheFirstCandidateLast) {
  TdxBarItemLinks* links = Menu();
  TdxBarItemLink* apple = AddLink(links, NewItem("&Apple"));
  TdxBarItemLink* avocado = AddLink(links, NewItem("A&vocado"));
  TdxBarItemLink* almond = AddLink(links, NewItem("&Almond"));
  TdxBarItemLink* hidden = AddLink(links, NewItem("&Apricot"));
  hidden->SetVisible(false);
  const TShiftState alt{ssAlt};
  struct Case {
    const char* what;
    win::WORD key;
    TdxBarItemLink* start;
    TdxBarItemLink* expected;
  } cases[] = {
      {"no start: the first candidate comes last", 'A', nullptr, almond},
      {"after the start", 'A', apple, almond},
      {"round to the first", 'A', almond, apple},
      {"a single match from itself: none", 'V', avocado, nullptr},
      {"a single match without start", 'V', nullptr, avocado},
      {"a start that is no candidate: the candidates after it", 'A', hidden, apple},
  };
  for (const Case& c : cases) EXPECT_EQ(links->FindLinkByAccelerator(c.key, alt, c.start), c.expected) << c.what;
  links->Clear();
  EXPECT_EQ(links->FindLinkByAccelerator('A', alt, nullptr), nullptr);
}

// ---------------------------------------------------------------- editing

TEST_F(ItemLinksTest, MoveIgnoresBadIndexesAndPassBeginGroupToNextKeepsTheGroupLine) {
  TdxBarItemLinks* links = Menu();
  for (const char* c : {"a", "b", "c"}) AddLink(links, NewItem(c));
  links->Move(0, 5);
  links->Move(-1, 0);
  EXPECT_EQ(VisibleCaptions(links), (Names{"a", "b", "c"}));
  links->Move(0, 2);
  EXPECT_EQ(VisibleCaptions(links), (Names{"b", "c", "a"}));

  // The dragged link began a group: the next one takes it.
  links->GetItem(1)->SetBeginGroup(true);
  links->GetItem(1)->PassBeginGroupToNext();
  EXPECT_TRUE(links->GetItem(2)->StoredBeginGroup());
  // The first link leaving: the next one would become first, its group start goes.
  links->GetItem(0)->PassBeginGroupToNext();
  EXPECT_FALSE(links->GetItem(1)->StoredBeginGroup());
}

// ---------------------------------------------------------------- merging

TEST_F(ItemLinksTest, MergingPlacesLinksByMergeOrderAndUnmergeTakesThemOut) {
  TdxBar* target = BarWith({NewItem("t0"), NewItem("t5"), NewItem("t9")});
  target->GetItemLinks()->GetItem(1)->GetItem()->SetMergeOrder(5);
  target->GetItemLinks()->GetItem(2)->GetItem()->SetMergeOrder(9);
  TdxBar* source = BarWith({NewItem("s5"), NewItem("s0"), NewItem("skip"), NewItem("s7")});
  TdxBarItemLinks* src = source->GetItemLinks();
  src->GetItem(0)->GetItem()->SetMergeOrder(5);
  src->GetItem(2)->GetItem()->SetMergeKind(mkNone);
  src->GetItem(3)->GetItem()->SetMergeOrder(7);
  src->GetItem(3)->SetUserCaption("seven");
  std::vector<std::string> asked;
  manager_->OnMergeItemLink = [&](TdxBarManager*, TdxBarItemLinks*, TdxBarItemLinks*, TdxBarItemLink* ALink,
                                  TdxBarItemMergeKind&, int32_t& AIndex) {
    asked.push_back(ALink->GetCaption() + "@" + std::to_string(AIndex));
  };
  SetdxBarMergingBar(source);
  target->GetItemLinks()->Merge(src);
  SetdxBarMergingBar(nullptr);
  // s5 after t5 (equal orders: the later link), s0 after t0, s7 after s5.
  EXPECT_EQ(asked, (std::vector<std::string>{"s5@2", "s0@1", "seven@4"}));
  EXPECT_EQ(VisibleCaptions(target->GetItemLinks()), (Names{"t0", "s0", "t5", "s5", "seven", "t9"}));
  EXPECT_EQ(target->GetItemLinks()->GetItem(1)->CreatedByMerging, source);

  target->GetItemLinks()->Unmerge(source);
  EXPECT_EQ(VisibleCaptions(target->GetItemLinks()), (Names{"t0", "t5", "t9"}));
}

TEST_F(ItemLinksTest, TheMergeEventCanMoveOrSkipALink) {
  TdxBar* target = BarWith({NewItem("t0"), NewItem("t1")});
  TdxBar* source = BarWith({NewItem("first"), NewItem("dropped"), NewItem("beyond")});
  manager_->OnMergeItemLink = [&](TdxBarManager*, TdxBarItemLinks*, TdxBarItemLinks*, TdxBarItemLink* ALink,
                                  TdxBarItemMergeKind&, int32_t& AIndex) {
    const std::string c = ALink->GetCaption();
    if (c == "first") AIndex = 0;
    if (c == "dropped") AIndex = -1;
    if (c == "beyond") AIndex = 99;
  };
  target->GetItemLinks()->Merge(source->GetItemLinks());
  EXPECT_EQ(VisibleCaptions(target->GetItemLinks()), (Names{"first", "t0", "t1"}));
  // Without a bar being merged the copies count as merged by no bar; Unmerge(null) takes every merged link.
  target->GetItemLinks()->GetItem(0)->CreatedByMerging = source;
  target->GetItemLinks()->Unmerge(nullptr);
  EXPECT_EQ(VisibleCaptions(target->GetItemLinks()), (Names{"t0", "t1"}));
}

// ---------------------------------------------------------------- copying

TEST_F(ItemLinksTest, AssignCopiesUserValuesPlacementAndVisibility) {
  TdxBar* from = BarWith({NewItem("a"), NewItem("b")});
  TdxBarItemLink* b = from->GetItemLinks()->GetItem(1);
  b->SetUserCaption("bee");
  b->SetBeginGroup(true);
  b->SetPosition(ipContinuesRow);
  b->SetViewLevels(3);
  b->SetVisible(false);
  int data = 0;
  b->Data = &data;
  TdxBar* to = BarWith({NewItem("old")});
  to->GetItemLinks()->Assign(from->GetItemLinks());
  TdxBarItemLinks* links = to->GetItemLinks();
  ASSERT_EQ(links->Count(), 2);
  TdxBarItemLink* copy = links->GetItem(1);
  EXPECT_EQ(copy->GetItem(), b->GetItem());
  EXPECT_EQ(copy->GetCaption(), "bee");
  EXPECT_TRUE(copy->StoredBeginGroup());
  EXPECT_EQ(copy->Position(), ipContinuesRow);
  EXPECT_EQ(copy->ViewLevels(), 3);
  EXPECT_FALSE(copy->Visible());
  EXPECT_EQ(copy->Data, &data);
  EXPECT_EQ(copy->CreatedByMerging, nullptr);
}

// ---------------------------------------------------------------- menu options

TEST_F(ItemLinksTest, MenuOptionsComeFromTheParentMenuUnlessAssigned) {
  TdxBarItemLinks* parent = Menu();
  TTestLinksOwner child(form_.get(), manager_);
  TKindBarControl parentWindow(manager_, "parent", log_, 2);
  TKindBarControl childWindow(manager_, "child", log_, 2);
  parentWindow.SetItemLinks(parent);
  childWindow.SetItemLinks(child.GetItemLinks());
  childWindow.SetParentBarControl(&parentWindow);
  parent->BarControl = &parentWindow;
  child.GetItemLinks()->BarControl = &childWindow;
  TdxBarItemLinks* links = child.GetItemLinks();

  EXPECT_FALSE(links->GetShowDescriptions());
  EXPECT_TRUE(links->GetShowShortCuts());
  EXPECT_EQ(links->GetItemSize(), misNormal);
  parent->ItemOptions()->SetSize(misLarge);
  parent->ItemOptions()->SetShowShortCuts(false);
  EXPECT_EQ(links->GetItemSize(), misLarge);
  EXPECT_FALSE(links->GetShowShortCuts());
  links->ItemOptions()->SetShowShortCuts(true);
  EXPECT_TRUE(links->GetShowShortCuts());
  EXPECT_EQ(links->ItemOptions()->AssignedValues(), ItemOptionBit(ioShowShortCuts));

  TdxBarItemOptions copy(nullptr);
  copy.Assign(parent->ItemOptions());
  EXPECT_EQ(copy.AssignedValues(), ItemOptionBit(ioSize) | ItemOptionBit(ioShowShortCuts));
  EXPECT_EQ(copy.Size(), misLarge);
  parent->BarControl = nullptr;
  child.GetItemLinks()->BarControl = nullptr;
}

// ---------------------------------------------------------------- styles data

// Kinds the styles data reported, as text: "drawing" or "structure".
std::vector<std::string> KindsOf(const std::vector<TdxBarItemStyleChangeKind>& AKinds) {
  std::vector<std::string> out;
  for (TdxBarItemStyleChangeKind k : AKinds) out.push_back(k == sckStructure ? "structure" : "drawing");
  return out;
}

TEST_F(ItemLinksTest, StyleChangesReportOnlyWhatTheSnapshotSawChange) {
  TcxStyle style(nullptr);
  std::vector<TdxBarItemStyleChangeKind> kinds;
  TdxBarItemStylesData data(nullptr, 2);
  data.OnChanged = [&](TdxBarItemStyleChangeKind k) { kinds.push_back(k); };
  struct Case {
    const char* what;
    std::function<void()> change;
    Names expected;
  } cases[] = {
      {"an empty style enters a slot", [&] { data.SetStyle(0, &style); }, {}},
      {"the same style again", [&] { data.SetStyle(0, &style); }, {}},
      {"a colour appears", [&] { style.SetColor(clRed); }, {"drawing"}},
      {"another colour", [&] { style.SetColor(clBlue); }, {"drawing"}},
      {"the same RGB as a system colour",
       [&] {
         style.SetColor(clBtnFace);
         kinds.clear();
         style.SetColor(ColorToRGB(clBtnFace));
       },
       {}},
      {"a text colour appears", [&] { style.SetTextColor(clGreen); }, {"drawing"}},
      {"the font's height", [&] { style.Font()->SetHeight(-20); }, {"structure"}},
      {"the font's colour is no font change", [&] { style.Font()->SetColor(clRed); }, {}},
      {"the font's name", [&] { style.Font()->SetName("DejaVu Serif"); }, {"structure"}},
      {"the font's style", [&] { style.Font()->SetStyle({fsBold}); }, {"structure"}},
      {"the style leaves the slot: everything it had goes", [&] { data.SetStyle(0, nullptr); }, {"structure"}},
      {"an index outside the slots", [&] { data.SetStyle(2, &style); }, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    kinds.clear();
    c.change();
    EXPECT_EQ(KindsOf(kinds), c.expected);
  }
  EXPECT_EQ(data.GetStyle(2), nullptr);
}

TEST_F(ItemLinksTest, UnderTheLockAStructuralChangeWinsAndFiresOnce) {
  TcxStyle style(nullptr);
  std::vector<TdxBarItemStyleChangeKind> kinds;
  TdxBarItemStylesData data(nullptr, 1);
  data.SetStyle(0, &style);
  data.OnChanged = [&](TdxBarItemStyleChangeKind k) { kinds.push_back(k); };
  struct Case {
    const char* what;
    std::function<void()> changes;
    Names expected;
  } cases[] = {
      {"nothing", [] {}, {}},
      {"colours only", [&] { style.SetColor(clRed); style.SetTextColor(clBlue); }, {"drawing"}},
      {"colour, font, colour",
       [&] { style.SetColor(clYellow); style.Font()->SetHeight(-30); style.SetColor(clLime); },
       {"structure"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    kinds.clear();
    data.BeginUpdate();
    data.BeginUpdate();
    c.changes();
    data.EndUpdate();
    EXPECT_TRUE(kinds.empty());  // only the last unlock reports
    data.EndUpdate();
    EXPECT_EQ(KindsOf(kinds), c.expected);
  }
}

TEST_F(ItemLinksTest, AStyleListensWhileAnySlotHoldsItAndAFreedStyleLeavesEverySlot) {
  auto style = std::make_unique<TcxStyle>(nullptr);
  style->Font()->SetHeight(-15);
  std::vector<TdxBarItemStyleChangeKind> kinds;
  {
    TdxBarItemStylesData data(nullptr, 2);
    data.OnChanged = [&](TdxBarItemStyleChangeKind k) { kinds.push_back(k); };
    data.SetStyle(0, style.get());
    data.SetStyle(1, style.get());
    EXPECT_EQ(style->UserCount(), 1);
    data.SetStyle(0, nullptr);
    EXPECT_EQ(style->UserCount(), 1);
    data.SetStyle(0, style.get());
    kinds.clear();
    // Freed: both slots empty, one structural report for the lost font.
    style.reset();
    EXPECT_EQ(data.GetStyle(0), nullptr);
    EXPECT_EQ(data.GetStyle(1), nullptr);
    EXPECT_EQ(KindsOf(kinds), (Names{"structure"}));
    // Destroying the data with a style in a slot: the style stops hearing of it, no report.
    style = std::make_unique<TcxStyle>(nullptr);
    style->SetColor(clRed);
    data.SetStyle(0, style.get());
    kinds.clear();
  }
  EXPECT_EQ(style->UserCount(), 0);
  EXPECT_TRUE(kinds.empty());
}

// The item's Style is slot 0: a font change gives its links new controls and
// lays their bar windows out again, a colour change repaints.
TEST_F(ItemLinksTest, TheItemStyleSitsInSlotZeroAndItsChangesReachTheControls) {
  TdxBarItemLink* link = ShownToolbar()->GetItem(1);
  TdxBarItem* item = link->GetItem();
  const TdxBarCreateItemControlProc installed = dxBarCreateItemControlProc();
  static TLog* made = &log_;
  SetdxBarCreateItemControlProc([](TClass, TCustomdxBarControl* AWindow, TdxBarItemLink* ALink) -> TdxBarItemControl* {
    made->push_back("made");
    return new TRecordingItemControl(AWindow, ALink, "b", *made);
  });
  link->CreateControl();
  TcxStyle style(nullptr);
  item->SetStyle(&style);
  EXPECT_EQ(item->StylesData()->GetStyle(0), &style);
  EXPECT_EQ(item->Style(), &style);
  EXPECT_EQ(item->StylesData()->Count(), item->GetStyleCount());

  log_.clear();
  style.SetColor(clRed);
  EXPECT_NE(std::find(log_.begin(), log_.end(), "b invalidate"), log_.end());
  EXPECT_EQ(std::find(log_.begin(), log_.end(), "made"), log_.end());
  EXPECT_EQ(item->GetStyleViewParams(0).Color, clRed);

  log_.clear();
  style.Font()->SetHeight(-25);
  EXPECT_EQ(std::count(log_.begin(), log_.end(), "made"), 1);
  EXPECT_NE(std::find(log_.begin(), log_.end(), "toolbar rebuild"), log_.end());
  EXPECT_NE(link->Control(), nullptr);

  // While the bar updates are locked the controls stay; the bars are still asked.
  log_.clear();
  manager_->BeginBarsUpdate();
  style.Font()->SetHeight(-26);
  manager_->EndBarsUpdate();
  EXPECT_EQ(std::count(log_.begin(), log_.end(), "made"), 0);

  item->SetStyle(nullptr);
  EXPECT_EQ(style.UserCount(), 0);
  EXPECT_EQ(item->GetStyleViewParams(0).Color, clDefault);
  link->DestroyControl();
  SetdxBarCreateItemControlProc(installed);
}

}  // namespace
