#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/classes/component.h"
#include "platform/classes/strings.h"
#include "platform/rtl/exceptions.h"

namespace {

using Log = std::vector<std::string>;

// Writes its name to a log when destroyed and every notification it receives.
class TProbe : public TComponent {
  DX_COMPONENT_CLASS(TProbe, TComponent)
public:
  explicit TProbe(TComponent* owner, Log* log = nullptr, std::string name = {}) : TComponent(owner), log_(log) {
    if (!name.empty()) SetName(name);
  }
  ~TProbe() override {
    if (log_) log_->push_back("~" + Name());
  }
  void Notification(TComponent* c, TOperation op) override {
    if (log_) log_->push_back(Name() + (op == opInsert ? " +" : " -") + c->Name());
    if (op == opRemove && c == watched) watched = nullptr;
    TComponent::Notification(c, op);
  }
  TComponent* watched = nullptr;

private:
  Log* log_;
};

// A watcher that forgets to call the base Notification: the link must still go.
class TCarelessWatcher : public TComponent {
public:
  using TComponent::TComponent;
  void Notification(TComponent* c, TOperation op) override {
    if (op == opRemove && c == watched) watched = nullptr;
  }
  TComponent* watched = nullptr;
};

TEST(ComponentTest, OwnerDeletesOwnedComponentsLastCreatedFirst) {
  Log log;
  {
    TProbe owner(nullptr, nullptr, "Form");
    new TProbe(&owner, &log, "A");
    new TProbe(&owner, &log, "B");
    new TProbe(&owner, &log, "C");
    ASSERT_EQ(owner.ComponentCount(), 3);
    log.clear();  // siblings heard the inserts
  }
  EXPECT_EQ(log, (Log{"~C", "~B", "~A"}));
}

TEST(ComponentTest, OwnedComponentsLeaveTheListBeforeTheyDie) {
  struct TCheck : TComponent {
    TCheck(TComponent* owner, std::vector<int>* counts) : TComponent(owner), counts_(counts) {}
    ~TCheck() override { counts_->push_back(seenOwner ? seenOwner->ComponentCount() : -1); }
    std::vector<int>* counts_;
    TComponent* seenOwner = nullptr;
  };
  std::vector<int> counts;
  {
    TComponent owner(nullptr);
    for (int i = 0; i < 3; ++i) static_cast<TCheck*>(new TCheck(&owner, &counts))->seenOwner = &owner;
    EXPECT_TRUE(owner.Components(0)->Owner() == &owner);
  }
  // Each one dies after it was taken out: the owner holds 2, then 1, then 0.
  EXPECT_EQ(counts, (std::vector<int>{2, 1, 0}));
}

TEST(ComponentTest, DeletingAnOwnedComponentRemovesItFromItsOwner) {
  Log log;
  TProbe owner(nullptr, &log, "Form");
  auto* a = new TProbe(&owner, nullptr, "A");
  auto* b = new TProbe(&owner, nullptr, "B");
  log.clear();
  delete a;
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), b);
  EXPECT_EQ(owner.FindComponent("A"), nullptr);
  EXPECT_EQ(log, (Log{"Form -A"}));
}

TEST(ComponentTest, OwnerHearsInsertAndRemove) {
  Log log;
  TProbe owner(nullptr, &log, "Form");
  auto child = std::make_unique<TProbe>(nullptr, nullptr, "Child");
  owner.InsertComponent(child.get());
  EXPECT_EQ(child->Owner(), &owner);
  owner.RemoveComponent(child.get());
  EXPECT_EQ(child->Owner(), nullptr);
  EXPECT_EQ(owner.ComponentCount(), 0);
  EXPECT_EQ(log, (Log{"Form +Child", "Form -Child"}));
}

TEST(ComponentTest, InsertComponentTakesItAwayFromThePreviousOwner) {
  TComponent first(nullptr), second(nullptr);
  auto* c = new TComponent(&first);
  second.InsertComponent(c);
  EXPECT_EQ(first.ComponentCount(), 0);
  EXPECT_EQ(second.ComponentCount(), 1);
  EXPECT_EQ(c->Owner(), &second);
  // Only second deletes it now (a double delete would show under the sanitizer).
}

TEST(ComponentTest, RemoveComponentIgnoresAComponentOwnedElsewhere) {
  TComponent first(nullptr), second(nullptr);
  auto* c = new TComponent(&first);
  second.RemoveComponent(c);
  EXPECT_EQ(c->Owner(), &first);
  EXPECT_EQ(first.ComponentCount(), 1);
}

TEST(ComponentTest, FreeNotificationReachesEveryWatcher) {
  Log log;
  TComponent form(nullptr);
  auto* target = new TProbe(&form, nullptr, "Target");
  TProbe w1(nullptr, &log, "W1"), w2(nullptr, &log, "W2");
  w1.watched = w2.watched = target;
  target->FreeNotification(&w1);
  target->FreeNotification(&w2);
  target->FreeNotification(&w2);  // twice links once
  delete target;
  EXPECT_EQ(w1.watched, nullptr);
  EXPECT_EQ(w2.watched, nullptr);
  EXPECT_EQ(std::count(log.begin(), log.end(), "W1 -Target"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "W2 -Target"), 1);
  EXPECT_EQ(form.ComponentCount(), 0);
}

TEST(ComponentTest, DeletingTheWatcherFirstUnlinksIt) {
  Log log;
  auto target = std::make_unique<TProbe>(nullptr, &log, "Target");
  auto* watcher = new TProbe(nullptr, &log, "W");
  target->FreeNotification(watcher);
  delete watcher;  // the target hears about it and drops the link
  EXPECT_EQ(log, (Log{"~W", "Target -W"}));
  log.clear();
  target.reset();  // must not call the deleted watcher
  EXPECT_EQ(log, (Log{"~Target"}));
}

TEST(ComponentTest, LinkGoesEvenWhenTheWatcherSkipsTheBaseNotification) {
  auto watcher = std::make_unique<TCarelessWatcher>(nullptr);
  {
    TComponent target(nullptr);
    watcher->watched = &target;
    target.FreeNotification(watcher.get());
  }
  EXPECT_EQ(watcher->watched, nullptr);
  TComponent other(nullptr);
  other.FreeNotification(watcher.get());
  watcher.reset();  // other must have lost its link to the careless watcher
}

TEST(ComponentTest, RemoveFreeNotificationStopsTheNotice) {
  Log log;
  TProbe watcher(nullptr, &log, "W");
  {
    TProbe target(nullptr, nullptr, "T");
    target.FreeNotification(&watcher);
    target.RemoveFreeNotification(&watcher);
  }
  EXPECT_TRUE(log.empty());
}

// Re-pointing a reference moves the notice: the old target's death is no
// longer heard, the new target's death clears the field.
TEST(ComponentTest, SetComponentReferenceMovesTheFreeNotification) {
  Log log;
  TProbe watcher(nullptr, &log, "W");
  auto first = std::make_unique<TProbe>(nullptr, nullptr, "A");
  auto second = std::make_unique<TProbe>(nullptr, nullptr, "B");
  watcher.SetComponentReference(watcher.watched, static_cast<TComponent*>(first.get()));
  watcher.SetComponentReference(watcher.watched, static_cast<TComponent*>(second.get()));
  first.reset();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(watcher.watched, second.get());
  second.reset();
  EXPECT_EQ(log, Log{"W -B"});
  EXPECT_EQ(watcher.watched, nullptr);
}

TEST(ComponentTest, SiblingsHearAboutAWatchedSiblingThroughTheirOwner) {
  Log log;
  {
    TComponent form(nullptr);
    auto* a = new TProbe(&form, &log, "A");
    auto* b = new TProbe(&form, &log, "B");
    auto* c = new TProbe(&form, &log, "C");
    a->watched = b;
    b->FreeNotification(a);
    (void)c;
    delete b;
    EXPECT_EQ(a->watched, nullptr);
    EXPECT_EQ(form.ComponentCount(), 2);
    log.clear();
  }
  // The form's teardown notifies no dead component (sanitizer) and frees C, then A.
  EXPECT_EQ(log.back(), "~A");
  EXPECT_NE(std::find(log.begin(), log.end(), "~C"), log.end());
}

struct NameCase {
  const char* name;
  bool valid;
};

class ComponentNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(ComponentNameTest, NamesMustBeIdentifiers) {
  TComponent c(nullptr);
  const NameCase& nc = GetParam();
  if (nc.valid) {
    c.SetName(nc.name);
    EXPECT_EQ(c.Name(), nc.name);
  } else {
    try {
      c.SetName(nc.name);
      FAIL() << "accepted " << nc.name;
    } catch (const EComponentError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + nc.name + "' is not a valid component name");
    }
    EXPECT_EQ(c.Name(), "");
  }
}

INSTANTIATE_TEST_SUITE_P(Names, ComponentNameTest,
                         testing::Values(NameCase{"", true}, NameCase{"a", true}, NameCase{"_x1", true},
                                         NameCase{"Button1", true}, NameCase{"1a", false},
                                         NameCase{"a b", false}, NameCase{"a-b", false},
                                         NameCase{"Gr\xC3\xB6\xC3\x9F" "e", false}, NameCase{" a", false},
                                         NameCase{"a.b", false}));

TEST(ComponentTest, NamesAreUniqueAmongSiblingsIgnoringCase) {
  TComponent form(nullptr);
  auto* a = new TComponent(&form);
  auto* b = new TComponent(&form);
  a->SetName("Button");
  try {
    b->SetName("BUTTON");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "A component named BUTTON already exists");
  }
  EXPECT_EQ(b->Name(), "");
  a->SetName("button");  // a component may change the case of its own name
  EXPECT_EQ(a->Name(), "button");
  b->SetName("Other");
  b->SetName("");
  auto* c = new TComponent(&form);
  c->SetName("Other");  // a freed name is free again

  // Components without owner, or with different owners, may share names.
  TComponent x(nullptr), y(nullptr);
  x.SetName("Same");
  y.SetName("Same");
}

TEST(ComponentTest, InsertingAComponentWithATakenNameFails) {
  TComponent form(nullptr);
  (new TComponent(&form))->SetName("Label");
  auto stray = std::make_unique<TComponent>(nullptr);
  stray->SetName("label");
  EXPECT_THROW(form.InsertComponent(stray.get()), EComponentError);
  EXPECT_EQ(stray->Owner(), nullptr);
  EXPECT_EQ(form.ComponentCount(), 1);
}

TEST(ComponentTest, FindComponentIgnoresCase) {
  TComponent form(nullptr);
  auto* a = new TComponent(&form);
  a->SetName("OkButton");
  new TComponent(&form);  // unnamed
  EXPECT_EQ(form.FindComponent("okbutton"), a);
  EXPECT_EQ(form.FindComponent("OKBUTTON"), a);
  EXPECT_EQ(form.FindComponent("OkButton2"), nullptr);
  EXPECT_EQ(form.FindComponent(""), nullptr);
}

TEST(ComponentTest, ComponentIndexMovesWithinTheOwnerAndClamps) {
  TComponent form(nullptr);
  TComponent* c[3];
  for (auto& p : c) p = new TComponent(&form);
  c[0]->SetComponentIndex(2);
  EXPECT_EQ(form.Components(2), c[0]);
  EXPECT_EQ(c[1]->ComponentIndex(), 0);
  c[0]->SetComponentIndex(-5);
  EXPECT_EQ(c[0]->ComponentIndex(), 0);
  c[0]->SetComponentIndex(99);
  EXPECT_EQ(c[0]->ComponentIndex(), 2);
  EXPECT_THROW(form.Components(3), EListError);
  TComponent lone(nullptr);
  EXPECT_EQ(lone.ComponentIndex(), -1);
}

TEST(ComponentTest, DestroyingMarksOwnedComponentsToo) {
  TComponent form(nullptr);
  auto* child = new TComponent(new TComponent(&form));
  form.Destroying();
  EXPECT_TRUE(form.InState(csDestroying));
  EXPECT_TRUE(child->InState(csDestroying));
}

TEST(ComponentTest, StateFlagsAndLoaded) {
  TComponent c(nullptr);
  c.SetLoading(true);
  c.SetReading(true);
  EXPECT_EQ(c.ComponentState(), (TComponentState{csLoading, csReading}));
  c.Loaded();
  EXPECT_FALSE(c.Loading());
  EXPECT_TRUE(c.Reading());
  auto* child = new TComponent(&c);
  c.SetDesigning(true);
  EXPECT_TRUE(child->Designing());
  auto* late = new TComponent(&c);  // a designing owner passes the flag on
  EXPECT_TRUE(late->Designing());
}

TEST(ComponentTest, ClassFactoryMakesOwnedInstances) {
  TComponent form(nullptr);
  TObject* made = TProbe::StaticClass()->Create(&form);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->ClassName(), "TProbe");
  EXPECT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(form.Components(0), made);
  std::unique_ptr<TObject> unowned(TComponent::StaticClass()->Create(nullptr));
  EXPECT_EQ(unowned->ClassName(), "TComponent");
}

TEST(PersistentTest, AssignBetweenUnrelatedClassesNamesBoth) {
  TStringList list;
  TComponent c(nullptr);
  try {
    list.Assign(&c);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TComponent to a TStringList");
  }
  try {
    list.Assign(nullptr);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a nil to a TStringList");
  }
}

TEST(PersistentTest, AssignToLetsTheSourceFillAnotherClass) {
  // A source that knows how to fill a string list with its name.
  struct TNamed : TPersistent {
    std::string text;
    void AssignTo(TPersistent* dest) override {
      if (auto* s = dynamic_cast<TStrings*>(dest)) {
        s->Clear();
        s->Add(text);
      } else {
        TPersistent::AssignTo(dest);
      }
    }
  } named;
  named.text = "hello";
  TStringList list;
  list.Assign(&named);
  EXPECT_EQ(list.ToStringArray(), std::vector<std::string>{"hello"});
}

TEST(PersistentTest, NamePathOfAComponentIsItsName) {
  TComponent c(nullptr);
  c.SetName("Form1");
  EXPECT_EQ(c.GetNamePath(), "Form1");
}

}  // namespace
