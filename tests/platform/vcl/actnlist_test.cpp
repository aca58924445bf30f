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

// Takes hint actions while Takes is set; records what it took.
class THintTaker : public TProbe {
  DX_COMPONENT_CLASS(THintTaker, TProbe)
public:
  using TProbe::TProbe;
  bool Takes = true;
  std::vector<std::string> Taken;
  bool ExecuteAction(TBasicAction* a) override {
    auto* hint = dynamic_cast<THintAction*>(a);
    if (!hint || !Takes) return TProbe::ExecuteAction(a);
    Taken.push_back(hint->Hint());
    return true;
  }
};

TEST_F(VclTest, WithoutOnHintTheHintGoesToTheFormsControls) {
  TForm* main = MakeForm({100, 100, 300, 200});
  auto* box = Add<TProbe>(main, Bounds(0, 0, 200, 100));
  auto* mainTaker = Add<THintTaker>(box, Bounds(10, 10, 50, 20));  // nested one level down
  main->Show();
  Application->SetMainForm(main);
  TForm* other = MakeForm({400, 100, 600, 200});
  auto* otherTaker = Add<THintTaker>(other, Bounds(10, 10, 50, 20));
  other->Show();
  Pump();
  ASSERT_EQ(Screen->ActiveForm(), other);
  mainTaker->Taken.clear();  // what showing the forms brought (the hint of no control)
  otherTaker->Taken.clear();

  Application->SetHint("a");  // the active form first
  otherTaker->Takes = false;
  Application->SetHint("b");  // then the main form
  otherTaker->Takes = true;
  otherTaker->SetVisible(false);
  Application->SetHint("c");  // hidden controls are passed over
  std::vector<std::string> handled;
  Application->OnHint = [&](TObject*) { handled.push_back(Application->Hint()); };
  Application->SetHint("d");  // a handler takes every hint itself
  Application->SetHint("d");  // an equal hint is no news
  Application->OnHint = nullptr;
  Application->SetMainForm(nullptr);

  EXPECT_EQ(otherTaker->Taken, (std::vector<std::string>{"a"}));
  EXPECT_EQ(mainTaker->Taken, (std::vector<std::string>{"b", "c"}));
  EXPECT_EQ(handled, (std::vector<std::string>{"d"}));
}

// An action that acts on one control, wherever it sits on the form.
class TTargetedAction : public TAction {
  DX_COMPONENT_CLASS(TTargetedAction, TAction)
public:
  using TAction::TAction;
  TObject* Target = nullptr;
  std::vector<TObject*> Executed;
  bool HandlesTarget(TObject* t) override { return t == Target; }
  void ExecuteTarget(TObject* t) override { Executed.push_back(t); }
};

TEST_F(VclTest, AnActionWithoutHandlerFindsItsTargetControl) {
  TForm* f = MakeForm({100, 100, 300, 200});
  Add<TProbe>(f, Bounds(0, 0, 50, 20));
  auto* target = Add<TProbe>(f, Bounds(0, 30, 50, 20));
  f->Show();
  Pump();
  TTargetedAction a(nullptr);
  EXPECT_FALSE(a.Execute());  // nobody on the form is its target
  a.Target = target;
  EXPECT_TRUE(a.Execute());
  EXPECT_EQ(a.Executed, (std::vector<TObject*>{target}));
  // A handler of its own runs instead of the search.
  int runs = 0;
  a.OnExecute = [&](TObject*) { ++runs; };
  EXPECT_TRUE(a.Execute());
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(a.Executed.size(), 1u);
}

}  // namespace
}  // namespace vcltest
