// Items, their data sources and scrolling into view; groups and the walks
// over them.
#include <gtest/gtest.h>

#include "lv_bytes.h"
#include "lv_test_owner.h"
#include "shell/LvListview.h"

namespace {

class LvItemsTest : public ::testing::Test {
protected:
  TLvTestOwner owner;
  TLvGroup* AddGroup() { return static_cast<TLvGroup*>(owner.groups.Add(nullptr)); }
  TLvItem* AddItem(TLvGroup* g, TClass cls = TLvItemStored::StaticClass()) {
    g->Items()->SetElementClass(cls);
    return static_cast<TLvItem*>(g->Items()->Add(nullptr));
  }
};

// A data source with captions, checks and the sink registry.
class CaptionSource : public win::TComObject<IListCaptionsSource, IListChecksSource, IListNotifierRegistry> {
public:
  bool checked = false;
  IListElementSink* sink = nullptr;
  int registrations = 0;
  win::HRESULT QueryInterface(const win::IID& iid, void** out) override {
    if (iid == win::IID_IUnknown || iid == IID_IListCaptionsSource)
      return win::AnswerInterface<IListCaptionsSource>(this, out);
    if (iid == IID_IListChecksSource) return win::AnswerInterface<IListChecksSource>(this, out);
    if (iid == IID_IListNotifierRegistry) return win::AnswerInterface<IListNotifierRegistry>(this, out);
    *out = nullptr;
    return win::E_NOINTERFACE;
  }
  TLvCaptionValue GetCaption(int32_t column) override {
    if (column == 0) return std::string("Name");
    if (column == 1) return int64_t(42);
    return {};
  }
  bool GetChecked(int32_t) override { return checked; }
  void SetChecked(int32_t, bool value) override { checked = value; }
  void RegisterSink(IListElementSink* s) override {
    sink = s;
    ++registrations;
  }
  void UnregisterSink(IListElementSink* s) override {
    if (sink == s) sink = nullptr;
  }
};

// ---------------------------------------------------------------- data

TEST_F(LvItemsTest, StoredCaptionsGrowWithEmptyColumns) {
  TLvItem* item = AddItem(AddGroup());
  EXPECT_EQ(item->GetCaptions(5), "");
  item->SetCaptions(3, "d");
  for (int c = 0; c < 3; ++c) EXPECT_EQ(item->GetCaptions(c), "") << c;
  EXPECT_EQ(item->GetCaptions(3), "d");
  EXPECT_EQ(item->GetCaptions(4), "");
  EXPECT_EQ(item->GetImageIndexes(2), -1);
  item->SetImageIndexes(2, 7);
  EXPECT_EQ(item->GetImageIndexes(0), -1);
  EXPECT_EQ(item->GetImageIndexes(2), 7);
  item->SetStateImageIndexes(1, 3);
  EXPECT_EQ(item->GetStateImageIndexes(0), -1);
  EXPECT_EQ(item->GetStateImageIndexes(1), 3);
  EXPECT_EQ(item->GetDisplayName(), "TLvItemStored") << "an empty caption shows the class";
}

TEST_F(LvItemsTest, GroupKeyWithoutAnswerByVariant) {
  TLvGroup* g = AddGroup();
  struct Case {
    TClass cls;
    int32_t key;
  } cases[] = {{TLvItemStored::StaticClass(), 65535},
               {TLvItemVirtual::StaticClass(), 0},
               {TLvItemInterfaced::StaticClass(), 0}};
  for (const Case& c : cases) EXPECT_EQ(AddItem(g, c.cls)->GetGroupKey(0), c.key) << c.cls->Name;
}

TEST_F(LvItemsTest, InterfacedItemReadsItsSourceAndKeepsItsOwnCheckFlag) {
  TLvItem* item = AddItem(AddGroup(), TLvItemInterfaced::StaticClass());
  EXPECT_EQ(item->Caption(), "") << "no source yet";
  EXPECT_EQ(item->GetDetailCount(), 1);
  auto* source = new CaptionSource;
  source->AddRef();
  item->SetDataInterface(static_cast<IListCaptionsSource*>(source));
  EXPECT_EQ(source->registrations, 1);
  EXPECT_EQ(source->sink, item->Sink());
  EXPECT_EQ(item->Caption(), "Name");
  EXPECT_EQ(item->GetCaptions(1), "42");
  EXPECT_EQ(item->GetImageIndexes(0), -1) << "no image source";

  const uint16_t state = item->State();
  owner.events.clear();
  item->SetChecked(true);
  EXPECT_TRUE(source->checked);
  EXPECT_TRUE(item->Checked());
  EXPECT_EQ(item->State(), state) << "the flag stays as it was";
  EXPECT_TRUE(owner.events.empty());

  // The source going away drops the element's reference.
  source->sink->ReleaseDataInterface();
  EXPECT_EQ(item->DataInterface(), nullptr);
  EXPECT_EQ(source->RefCount(), 1);
  source->Release();
}

TEST_F(LvItemsTest, ReplacingTheDataInterfaceUnregistersTheSink) {
  TLvItem* item = AddItem(AddGroup(), TLvItemInterfaced::StaticClass());
  auto* source = new CaptionSource;
  source->AddRef();
  item->SetDataInterface(static_cast<IListCaptionsSource*>(source));
  item->SetDataInterface(nullptr);
  EXPECT_EQ(source->sink, nullptr);
  EXPECT_EQ(source->RefCount(), 1);
  item->SetDataInterface(static_cast<IListCaptionsSource*>(source));
  owner.groups.Clear(true);  // destruction drops the interface through the setter
  EXPECT_EQ(source->sink, nullptr);
  EXPECT_EQ(source->RefCount(), 1);
  source->Release();
}

TEST_F(LvItemsTest, ShowingAnItemOfAHiddenGroupIsRefusedWithoutAskingTheOwner) {
  TLvGroup* g = AddGroup();
  TLvItem* item = AddItem(g);
  g->SetVisible(false);
  EXPECT_FALSE(item->Visible()) << "hiding a group hides its items";
  owner.events.clear();
  item->SetVisible(true);
  EXPECT_FALSE(item->Visible());
  EXPECT_FALSE(owner.Saw("ItemVisibilityChanging"));
  g->SetVisible(true);
  EXPECT_TRUE(item->Visible());
}

TEST_F(LvItemsTest, DestroyingTheFocusedItemClearsTheOwnersReferences) {
  TLvItem* item = AddItem(AddGroup());
  item->SetSelected(true);
  item->SetFocused(true);
  owner.anchor = item;
  owner.events.clear();
  owner.groups.Clear(true);
  EXPECT_EQ(owner.focused, nullptr);
  EXPECT_EQ(owner.anchor, nullptr);
  EXPECT_EQ(owner.selectedCount, 0);
  EXPECT_TRUE(owner.Saw("ItemFreeing"));
  EXPECT_TRUE(owner.Saw("GroupFreeing"));
}

// ---------------------------------------------------------------- MakeVisible

struct MakeVisibleCase {
  int32_t position;
  TRect item;
  int32_t offsetX, offsetY;
};

TEST_F(LvItemsTest, MakeVisibleMovesTheViewByPosition) {
  // A 200 x 100 client with a 20-pixel header: 80 rows of items below it.
  owner.header.Height = 20;
  ASSERT_EQ(owner.header.LiveHeight(), 20);
  const MakeVisibleCase cases[] = {
      {0, {500, 300, 540, 320}, 500, 300},
      {2, {500, 300, 540, 320}, 540 - 200, 320 - 100 + 20},
      {3, {500, 300, 540, 320}, 500, 320 - 100 + 20},
      {3, {10, 30, 50, 50}, 0, 0},  // already in view: nothing moves
  };
  TLvItem* item = AddItem(AddGroup());
  for (const MakeVisibleCase& c : cases) {
    owner.offsetX = owner.offsetY = 0;
    item->DisplayRect = c.item;
    item->MakeVisible(c.position);
    EXPECT_EQ(owner.offsetX, c.offsetX) << c.position;
    EXPECT_EQ(owner.offsetY, c.offsetY) << c.position;
  }
}

TEST_F(LvItemsTest, MakeVisibleCentreCentresTheItemBelowTheHeader) {
  owner.header.Height = 20;
  TLvItem* item = AddItem(AddGroup());
  item->DisplayRect = TRect(500, 300, 540, 320);
  item->MakeVisible(1);
  // The item's centre, in window coordinates, is the centre of the area below the header.
  const int32_t centreX = (500 + 540) / 2 - owner.offsetX;
  const int32_t centreY = (300 + 320) / 2 - owner.offsetY + 20;
  EXPECT_EQ(centreX, 200 / 2);
  EXPECT_EQ(centreY, 20 + (100 - 20) / 2);

  // Near the origin the scroll manager's clamp keeps the offsets at 0.
  owner.offsetX = owner.offsetY = 0;
  item->DisplayRect = TRect(-30, -10, 10, 10);
  item->MakeVisible(1);
  EXPECT_EQ(owner.offsetX, 0);
  EXPECT_EQ(owner.offsetY, 0);

  // A hidden item does not move the view.
  item->DisplayRect = TRect(500, 300, 540, 320);
  item->SetVisible(false);
  item->MakeVisible(1);
  EXPECT_EQ(owner.offsetX, 0);
}

// ---------------------------------------------------------------- groups

TEST_F(LvItemsTest, NewGroupIsCheckedAndExpanded) {
  TLvGroup* g = AddGroup();
  EXPECT_TRUE(g->Checked());
  EXPECT_TRUE(g->Expanded());
  EXPECT_EQ(g->Items()->Count(), 0);
  EXPECT_EQ(g->Items()->OwnerGroup(), g);
}

TEST_F(LvItemsTest, CheckingAGroupChecksVisibleItemsAndUncheckingClearsAll) {
  TLvGroup* g = AddGroup();
  g->SetChecked(false);
  TLvItem* shown = AddItem(g);
  TLvItem* hidden = AddItem(g);
  hidden->SetVisible(false);
  g->SetChecked(true);
  EXPECT_TRUE(shown->Checked());
  EXPECT_FALSE(hidden->Checked());
  owner.keepChecks = true;
  hidden->SetVisible(true);
  hidden->SetChecked(true);
  hidden->SetVisible(false);
  ASSERT_TRUE(hidden->Checked());
  g->SetChecked(false);
  EXPECT_FALSE(shown->Checked());
  EXPECT_FALSE(hidden->Checked());
  EXPECT_EQ(owner.checkedCount, 0);
}

TEST_F(LvItemsTest, DisablingAGroupDisablesItsItemsAndRefusesItsCheck) {
  TLvGroup* g = AddGroup();
  TLvItem* item = AddItem(g);
  g->SetEnabled(false);
  EXPECT_FALSE(item->Enabled());
  g->SetChecked(false);
  EXPECT_TRUE(g->Checked()) << "a disabled group keeps its check";
  g->SetFocused(true);
  EXPECT_FALSE(g->Focused());
}

TEST_F(LvItemsTest, ExpandingAsksNothingButReportsAndIsBracketed) {
  TLvGroup* g = AddGroup();
  owner.events.clear();
  g->SetExpanded(false);
  EXPECT_FALSE(g->Expanded());
  EXPECT_EQ(owner.Names(), std::vector<std::string>{"GroupCollapse"});
  EXPECT_EQ(owner.updateDepth, 0);
  owner.groupPaintInfo.Expandable = false;
  owner.events.clear();
  g->SetExpanded(true);
  EXPECT_FALSE(g->Expanded());
  EXPECT_TRUE(owner.events.empty());
}

TEST_F(LvItemsTest, NavigationSkipsCollapsedGroups) {
  TLvGroup* first = AddGroup();
  TLvGroup* collapsed = AddGroup();
  TLvGroup* third = AddGroup();
  TLvItem* a0 = AddItem(first);
  TLvItem* a1 = AddItem(first);
  AddItem(collapsed);
  TLvItem* c0 = AddItem(third);
  TLvItem* c1 = AddItem(third);
  collapsed->SetExpanded(false);
  EXPECT_EQ(owner.groups.PrevVisibleItem(c0), a1);
  EXPECT_EQ(owner.groups.NextVisibleItem(a1), c0);
  EXPECT_EQ(owner.groups.NextVisibleItem(c1), nullptr);
  EXPECT_EQ(owner.groups.PrevVisibleItem(a0), nullptr);
  a1->SetVisible(false);
  EXPECT_EQ(owner.groups.PrevVisibleItem(c0), a0);
  EXPECT_EQ(owner.groups.NavigateItem(nullptr, LvSearchVisible, false), nullptr);

  EXPECT_EQ(owner.groups.FirstItem(LvSearchInitialized), nullptr);
  c0->SetInitialized(true);
  a0->SetInitialized(true);
  EXPECT_EQ(owner.groups.FirstItem(LvSearchInitialized), a0);
  EXPECT_EQ(owner.groups.LastItem(LvSearchInitialized), c0);
  EXPECT_EQ(owner.groups.LastItem(LvSearchAny), c1);
  EXPECT_EQ(owner.groups.ItemCount(), 5);
}

TEST_F(LvItemsTest, PointLookupsRespectGroupState) {
  TLvGroup* g = AddGroup();
  g->DisplayRect = TRect(0, 0, 100, 100);
  TLvItem* item = AddItem(g);
  item->DisplayRect = TRect(10, 10, 20, 20);
  EXPECT_EQ(owner.groups.ItemByPoint({15, 15}), item);
  EXPECT_EQ(owner.groups.ItemByPoint({50, 50}), nullptr);
  g->SetEnabled(false);
  EXPECT_EQ(owner.groups.GroupByPoint({15, 15}), nullptr);
  EXPECT_EQ(owner.groups.GroupAtPoint({15, 15}), g);
}

TEST_F(LvItemsTest, TaskPanelGroupStoresItsHeightAfterTheGroup) {
  owner.groups.SetElementClass(TLvGroupTaskPanel::StaticClass());
  auto* panel = static_cast<TLvGroupTaskPanel*>(owner.groups.Add(nullptr));
  EXPECT_EQ(panel->Height(), 200);
  panel->SetHeight(321);
  TMemoryStream s;
  panel->SaveToStream(&s, 6);
  const LvBytes bytes = StreamBytes(s);
  const LvBytes tail(bytes.end() - 4, bytes.end());
  EXPECT_EQ(tail, (LvBytes{0x41, 0x01, 0, 0}));
  auto* back = static_cast<TLvGroupTaskPanel*>(owner.groups.Add(nullptr));
  s.SetPosition(0);
  int32_t version = 0;
  back->LoadFromStream(&s, version);
  EXPECT_EQ(back->Height(), 321);
}

}  // namespace
