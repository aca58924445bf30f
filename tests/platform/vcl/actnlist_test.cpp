// Actions: linked controls follow them, clicks run them, lists handle
// them first, groups and automatic checking.
#include "platform/vcl/actnlist.h"

#include "tests/platform/vcl/controls_test.h"

namespace vcltest {
namespace {

TEST_F(VclTest, ALinkedControlFollowsItsActionAndAClickRunsIt) {
  TForm* f = MakeForm({100, 100, 300, 200});
  auto* list = new TActionList(f);
  auto* open = new TAction(f);
  open->SetActionList(list);
  open->SetCaption("&Open");
  open->SetHint("Opens a picture");
  int runs = 0;
  open->OnExecute = [&](TObject* s) {
    EXPECT_EQ(s, open);
    ++runs;
  };
  auto* b = Add<TProbe>(f, Bounds(10, 10, 60, 25));
  b->SetAction(open);
  EXPECT_EQ(b->Caption(), "&Open");
  EXPECT_EQ(b->Hint(), "Opens a picture");
  open->SetCaption("Open again");
  open->SetEnabled(false);
  EXPECT_EQ(b->Caption(), "Open again");
  EXPECT_FALSE(b->Enabled());
  open->SetEnabled(true);
  open->SetVisible(false);
  EXPECT_FALSE(b->Visible());
  open->SetVisible(true);
  f->Show();
  Pump();
  Click(b, 5, 5);
  Pump();
  EXPECT_EQ(runs, 1);
  // An OnClick of its own wins over the action.
  int own = 0;
  b->OnClick = [&](TObject*) { ++own; };
  Click(b, 40, 15);
  Pump();
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(own, 1);
  delete open;
  EXPECT_EQ(b->Action(), nullptr);
  EXPECT_EQ(list->ActionCount(), 0);
}

TEST(Actions, ListsHandleFirstAndDisabledActionsDoNothing) {
  TActionList list(nullptr);
  TAction a(nullptr);
  a.SetActionList(&list);
  std::vector<std::string> log;
  a.OnExecute = [&](TObject*) { log.push_back("action"); };
  bool listHandles = true;
  list.OnExecute = [&](TBasicAction* act, bool& handled) {
    EXPECT_EQ(act, &a);
    log.push_back("list");
    handled = listHandles;
  };
  EXPECT_TRUE(a.Execute());
  listHandles = false;
  EXPECT_TRUE(a.Execute());
  a.SetEnabled(false);
  EXPECT_FALSE(a.Execute());
  EXPECT_EQ(log, (std::vector<std::string>{"list", "list", "action"}));
  EXPECT_EQ(a.Index(), 0);
  a.SetActionList(nullptr);
  EXPECT_EQ(list.ActionCount(), 0);
}

TEST(Actions, GroupsKeepOneCheckedAndAutoCheckToggles) {
  TActionList list(nullptr);
  TAction one(nullptr), two(nullptr), loose(nullptr);
  for (TAction* a : {&one, &two, &loose}) a->SetActionList(&list);
  one.SetGroupIndex(1);
  two.SetGroupIndex(1);
  one.SetChecked(true);
  two.SetChecked(true);
  EXPECT_FALSE(one.Checked());
  EXPECT_TRUE(two.Checked());
  loose.SetAutoCheck(true);
  loose.Execute();
  EXPECT_TRUE(loose.Checked());
  loose.Execute();
  EXPECT_FALSE(loose.Checked());
  // A checked member of a group stays checked when run again.
  two.SetAutoCheck(true);
  two.Execute();
  EXPECT_TRUE(two.Checked());
}

}  // namespace
}  // namespace vcltest
