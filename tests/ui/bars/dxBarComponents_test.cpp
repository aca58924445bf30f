// The manager's component lists and groups: the non-owning object list, the
// change listeners that keep components and their lists in step, and groups
// with their recursion check and switching under one bars update.
#include "ui/bars/dxBarComponents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/vcl/forms.h"
#include "tests/platform/vcl/controls_test.h"
#include "tests/ui/bars/bar_doubles.h"
#include "ui/bars/dxBar.h"

using namespace bartest;

namespace {

class BarComponentsTest : public vcltest::VclTest {
protected:
  void SetUp() override {
    VclTest::SetUp();
    form_ = std::make_unique<TForm>(nullptr);
  }
  void TearDown() override {
    form_.reset();
    VclTest::TearDown();
  }
  std::unique_ptr<TForm> form_;
};

// An item that refreshes the bars on its own when its visibility changes,
// as the real items do.
class TRefreshingItem : public TdxBarItem {
public:
  using TdxBarItem::TdxBarItem;

protected:
  void VisibleChanged() override {
    BarManager()->BeginBarsUpdate();
    BarManager()->EndBarsUpdate();
  }
};

TEST(DxObjectList, CopyToDropsNullAndDuplicatesOnlyForAnObjectList) {
  TObject a, b;
  TdxObjectList source;
  source.Add(&a);
  source.Add(nullptr);
  source.Add(&b);
  source.Add(&a);

  TdxObjectList once;
  once.Add(&b);  // replaced, not kept
  source.CopyTo(&once);
  ASSERT_EQ(once.Count(), 2);
  EXPECT_EQ(once.Items(0), &a);
  EXPECT_EQ(once.Items(1), &b);

  TList plain;
  source.CopyTo(&plain);
  ASSERT_EQ(plain.Count(), 4);
  EXPECT_EQ(plain.Items(0), &a);
  EXPECT_EQ(plain.Items(1), nullptr);
  EXPECT_EQ(plain.Items(2), &b);
  EXPECT_EQ(plain.Items(3), &a);
}

TEST(DxObjectList, LookupsOutsideTheListAnswerNull) {
  TdxObjectList list;
  EXPECT_EQ(list.Last(), nullptr);
  EXPECT_EQ(list.GetItem(0), nullptr);
  TObject a, b;
  list.Add(&a);
  list.Add(&b);
  for (int32_t index : {-1, 2, 100}) EXPECT_EQ(list.GetItem(index), nullptr) << index;
  EXPECT_EQ(list.GetItem(1), &b);
  EXPECT_EQ(list.Last(), &b);
  TdxObjectList::AddToListOnce(&list, &a);
  TdxObjectList::AddToListOnce(&list, nullptr);
  EXPECT_EQ(list.Count(), 2);
}

TEST_F(BarComponentsTest, ListsHearOfChangesAndForgetFreedMembers) {
  TdxBarManager m(form_.get());
  TdxBarComponentList first, second;
  std::vector<const TComponent*> heard;
  first.OnListChanged = [&](TObject*, TComponent* c, TcxItemNotification n) {
    if (n == inChanged) heard.push_back(c);
  };
  auto* item = new TdxBarItem(form_.get());
  first.Add(item);
  second.Add(item);
  EXPECT_EQ(item->ChangeListeners()->Count(), 2);

  item->NotifyChangeListeners(false);
  item->NotifyChangeListeners(true);
  EXPECT_EQ(heard, (std::vector<const TComponent*>{item, nullptr}));

  second.Remove(item);
  EXPECT_EQ(item->ChangeListeners()->Count(), 1);
  delete item;
  EXPECT_EQ(first.Count(), 0);
}

TEST_F(BarComponentsTest, ListsRefuseComponentsThatAreNotBarComponents) {
  TdxBarComponentList list;
  auto* plain = new TComponent(form_.get());
  list.Add(plain);
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(BarComponentsTest, GroupsRefuseRecursionAtAnyDepth) {
  TdxBarManager m(form_.get());
  TdxBarGroup* outer = m.AddGroup();
  TdxBarGroup* middle = m.AddGroup();
  TdxBarGroup* inner = m.AddGroup();
  outer->Add(middle);
  middle->Add(inner);
  const std::string message = "You cannot create recursive groups";

  struct Case {
    TdxBarGroup* group;
    TdxBarGroup* added;
  };
  for (const Case& c : {Case{outer, outer}, Case{middle, outer}, Case{inner, outer}, Case{inner, middle}}) {
    const int32_t before = c.group->GetCount();
    try {
      c.group->Add(c.added);
      ADD_FAILURE() << "no error";
    } catch (const EdxException& e) {
      EXPECT_EQ(std::string(e.what()), message);
    }
    EXPECT_EQ(c.group->GetCount(), before);
  }

  // A group that sits below another but does not hold this one is fine.
  TdxBarGroup* side = m.AddGroup();
  side->Add(inner);
  EXPECT_EQ(side->GetCount(), 1);
}

TEST_F(BarComponentsTest, GroupKeepsOneEntryPerMemberAndForgetsFreedOnes) {
  TdxBarManager m(form_.get());
  TdxBarGroup* group = m.AddGroup();
  auto* item = new TdxBarItem(form_.get());
  item->SetBarManager(&m);
  auto* other = new TdxBarItem(form_.get());
  other->SetBarManager(&m);
  group->Add(item);
  group->Add(item);
  group->Add(nullptr);
  group->Add(other);
  ASSERT_EQ(group->GetCount(), 2);
  delete item;
  ASSERT_EQ(group->GetCount(), 1);
  EXPECT_EQ(group->GetItem(0), other);
  // Freeing the group first leaves the member with no dangling listener.
  delete group;
  EXPECT_EQ(other->ChangeListeners()->Count(), 1);  // the manager's item list
  EXPECT_EQ(m.GetGroupCount(), 0);
}

TEST_F(BarComponentsTest, HidingAGroupHidesEveryMemberWithOneRedraw) {
  TLog log;
  TdxBarManager m(form_.get());
  form_->Show();
  auto* dock = new TRecordingDock(form_.get(), "dock", log);
  dock->SetBarManager(&m);
  dock->HandleNeeded();
  TdxBar* bar = m.Bars()->Add();
  dock->AddRow()->Bars.push_back(bar);

  TdxBarGroup* outer = m.AddGroup();
  TdxBarGroup* inner = m.AddGroup();
  std::vector<TdxBarItem*> items;
  for (int i = 0; i < 3; ++i) {
    items.push_back(new TRefreshingItem(form_.get()));
    items.back()->SetBarManager(&m);
  }
  outer->Add(items[0]);
  outer->Add(inner);
  inner->Add(items[1]);
  inner->Add(items[2]);
  log.clear();

  outer->SetVisible(ivNever);
  for (TdxBarItem* item : items) EXPECT_EQ(item->Visible(), ivNever);
  EXPECT_EQ(inner->Visible(), ivNever);
  EXPECT_EQ(std::count(log.begin(), log.end(), "dock redraw 0"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "dock redraw 1"), 1);

  outer->SetEnabled(false);
  for (TdxBarItem* item : items) EXPECT_FALSE(item->Enabled());
  EXPECT_FALSE(inner->Enabled());
  EXPECT_FALSE(m.IsBarsUpdateLocked());
  delete dock;
}

TEST_F(BarComponentsTest, GroupIndexFollowsTheManagersGroupList) {
  TdxBarManager m(form_.get());
  TdxBarGroup* a = m.AddGroup();
  TdxBarGroup* b = m.AddGroup();
  TdxBarGroup* c = m.AddGroup();
  c->SetIndex(0);
  EXPECT_EQ(m.GetGroup(0), c);
  EXPECT_EQ(m.GetGroup(1), a);
  EXPECT_EQ(m.GetGroup(2), b);
  EXPECT_EQ(b->GetIndex(), 2);
  EXPECT_EQ(b->GetParentComponent(), &m);

  TdxBarGroup loose(form_.get());
  EXPECT_FALSE(loose.HasParent());
  loose.SetParentComponent(&m);
  EXPECT_EQ(loose.BarManager(), &m);
  EXPECT_EQ(loose.GetIndex(), 3);
}

}  // namespace
