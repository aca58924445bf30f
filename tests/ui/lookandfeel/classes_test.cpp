#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "platform/win/winuser.h"
#include "ui/lookandfeel/cxClasses.h"

namespace {

TEST(RangeCenter, FloorsTheMean) {
  const int32_t pairs[][2] = {{-3, 0}, {3, 0}, {0, 0}, {-1, 0}, {-4, 1}, {5, 6}, {INT32_MAX, INT32_MAX},
                              {INT32_MIN, INT32_MIN}, {INT32_MIN, INT32_MAX}};
  for (const auto& p : pairs)
    EXPECT_EQ(RangeCenter(p[0], p[1]), int32_t(std::floor((double(p[0]) + p[1]) / 2))) << p[0] << ", " << p[1];
  EXPECT_EQ(RangeCenter(-3, 0), -2);
  EXPECT_EQ(RangeCenter(3, 0), 1);
}

TEST(TextBeforeBar, CutsAtTheFirstBar) {
  EXPECT_EQ(TextBeforeBar("Text|hint|more"), "Text");
  EXPECT_EQ(TextBeforeBar("plain"), "plain");
  EXPECT_EQ(TextBeforeBar("|x"), "");
}

TEST(SameMethod, BothHalvesCount) {
  int a = 0, b = 0;
  EXPECT_TRUE(SameMethod({&a, &b}, {&a, &b}));
  EXPECT_FALSE(SameMethod({&a, &b}, {&a, &a}));
  EXPECT_FALSE(SameMethod({&b, &b}, {&a, &b}));
}

TEST(CallNotifyEvent, CallsOnlyAnAssignedEvent) {
  TObject sender;
  TObject* seen = nullptr;
  CallNotifyEvent(&sender, [&](TObject* s) { seen = s; });
  EXPECT_EQ(seen, &sender);
  EXPECT_NO_THROW(CallNotifyEvent(&sender, TNotifyEvent()));
}

// ---- width distribution

struct AutoWidthItem {
  int32_t preferred, minimum;
  bool fixed;
};

std::vector<int32_t> Distribute(int32_t width, const std::vector<AutoWidthItem>& items) {
  TcxAutoWidthObject obj(int32_t(items.size()));
  obj.WidthToFill = width;
  for (const AutoWidthItem& i : items) {
    TcxAutoWidthItem* item = obj.NewItem();
    item->PreferredWidth = i.preferred;
    item->MinimumWidth = i.minimum;
    item->IsFixed = i.fixed;
  }
  obj.DistributeWidth();
  std::vector<int32_t> widths;
  for (int32_t i = 0; i < obj.Count(); ++i) widths.push_back(obj.Items(i)->CalculatedWidth);
  return widths;
}

TEST(DistributeWidth, Table) {
  struct Case {
    const char* what;
    int32_t width;
    std::vector<AutoWidthItem> items;
    std::vector<int32_t> expected;
  };
  const Case cases[] = {
      // Spans 0..1..2..3 of 3 scaled to 100 round to 0, 33, 67, 100.
      {"three equal free items", 100, {{1, 0, false}, {1, 0, false}, {1, 0, false}}, {33, 34, 33}},
      // A's share 5 is below its minimum 30: pinned, B takes the 20 left.
      {"a minimum pins an item", 50, {{10, 30, false}, {90, 0, false}}, {30, 20}},
      {"all fixed keep their preferred widths", 500, {{10, 50, true}, {20, 0, true}}, {10, 20}},
      {"fixed items leave the rest to the free", 100, {{40, 0, true}, {1, 0, false}, {3, 0, false}}, {40, 15, 45}},
      {"zero preferred sum gives the minimums", 100, {{0, 7, false}, {0, 3, false}}, {7, 3}},
      {"negative minimum counts as none", 100, {{0, -5, false}, {0, 4, false}}, {0, 4}},
      {"negative minimum with real shares", 90, {{1, -50, false}, {2, -1, false}}, {30, 60}},
      {"no items", 100, {}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Distribute(c.width, c.items), c.expected) << c.what;
}

TEST(DistributeWidth, SharesFillTheWidthExactly) {
  const std::vector<AutoWidthItem> items = {{7, 0, false}, {13, 0, false}, {29, 0, false}, {1, 0, false}};
  for (int32_t width : {0, 1, 17, 99, 100, 1001}) {
    int64_t sum = 0;
    for (int32_t w : Distribute(width, items)) sum += w;
    EXPECT_EQ(sum, width) << width;
  }
}

// ---- registered class list

class TKeyA : public TObject {
  DX_CLASS(TKeyA, TObject)
};
class TKeyB : public TKeyA {
  DX_CLASS(TKeyB, TKeyA)
};
class TKeyC : public TKeyB {
  DX_CLASS(TKeyC, TKeyB)
};
class TValue1 : public TObject {
  DX_CLASS(TValue1, TObject)
};
class TValue2 : public TObject {
  DX_CLASS(TValue2, TObject)
};

TEST(RegisteredClassList, AncestorsStayBeforeDescendants) {
  TcxRegisteredClassList list;
  list.RegisterPair(TKeyB::StaticClass(), TValue2::StaticClass());
  list.RegisterPair(TKeyA::StaticClass(), TValue1::StaticClass());  // goes before its descendant
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Items(0).KeyClass, TKeyA::StaticClass());
  EXPECT_EQ(list.Items(1).KeyClass, TKeyB::StaticClass());

  TcxRegisteredClassList list2;
  list2.RegisterPair(TKeyA::StaticClass(), TValue1::StaticClass());
  list2.RegisterPair(TKeyB::StaticClass(), TValue2::StaticClass());
  EXPECT_EQ(list2.Items(1).KeyClass, TKeyB::StaticClass());
  EXPECT_EQ(list2.GetValueClass(TKeyC::StaticClass()), TValue2::StaticClass());  // nearest ancestor
  EXPECT_EQ(list2.GetValueClass(TKeyA::StaticClass()), TValue1::StaticClass());
  EXPECT_EQ(list2.GetValueClass(TObject::StaticClass()), nullptr);
  EXPECT_EQ(list2.GetValueClass(nullptr), nullptr);
}

TEST(RegisteredClassList, UnregisterRemovesExactPairsOnly) {
  TcxRegisteredClassList list;
  list.RegisterPair(TKeyA::StaticClass(), TValue1::StaticClass());
  list.RegisterPair(TKeyA::StaticClass(), TValue2::StaticClass());
  list.RegisterPair(TKeyB::StaticClass(), TValue1::StaticClass());
  list.UnregisterPair(TKeyA::StaticClass(), TValue1::StaticClass());
  list.UnregisterPair(TKeyC::StaticClass(), TValue1::StaticClass());  // never registered
  ASSERT_EQ(list.Count(), 2);
  for (int32_t i = 0; i < list.Count(); ++i)
    EXPECT_FALSE(list.Items(i).KeyClass == TKeyA::StaticClass() && list.Items(i).ValueClass == TValue1::StaticClass());
  EXPECT_EQ(list.GetValueClass(TKeyC::StaticClass()), TValue1::StaticClass());  // from TKeyB's pair
}

TEST(RegisteredClasses, FirstDescriptionStaysAndLookupsAreExact) {
  TcxRegisteredClasses classes;
  classes.AddClass(TKeyB::StaticClass(), "Beta|the second");
  classes.AddClass(TKeyA::StaticClass(), "alpha");
  classes.AddClass(TKeyB::StaticClass(), "Other");
  ASSERT_EQ(classes.Count(), 2);
  EXPECT_EQ(classes.Descriptions(classes.IndexOfClass(TKeyB::StaticClass())), "Beta");
  EXPECT_EQ(classes.FindClassByName("TKeyA"), TKeyA::StaticClass());
  EXPECT_EQ(classes.FindClassByName("tkeya"), nullptr);
  EXPECT_EQ(classes.IndexOfClass(TKeyC::StaticClass()), -1);
  classes.SetSortByDescription(true);
  EXPECT_EQ(classes.Classes(0), TKeyA::StaticClass());  // "alpha" before "Beta", ignoring case
  classes.RemoveClass(TKeyA::StaticClass());
  classes.RemoveClass(TKeyC::StaticClass());
  EXPECT_EQ(classes.Count(), 1);
}

// ---- object links

TEST(ObjectLinks, NilObjectMakesNoLinkAndNoController) {
  EXPECT_EQ(AddObjectLink(nullptr), nullptr);
  EXPECT_EQ(cxObjectLinkController(), nullptr);
  RemoveObjectLink(nullptr);
  ClearObjectLinks(nullptr);  // no controller: nothing happens
  EXPECT_EQ(cxObjectLinkController(), nullptr);
}

TEST(ObjectLinks, TargetTurnsNilWhenTheComponentDies) {
  auto target = std::make_unique<TcxComponent>(nullptr);
  TObject other;
  TcxObjectLink* link = AddObjectLink(target.get());
  TcxObjectLink* keep = AddObjectLink(&other);
  ASSERT_NE(cxObjectLinkController(), nullptr);
  EXPECT_EQ(link->Target, target.get());
  target.reset();
  EXPECT_EQ(link->Target, nullptr);
  EXPECT_EQ(keep->Target, &other);
  RemoveObjectLink(link);
  EXPECT_NE(cxObjectLinkController(), nullptr);  // one link is still held
  RemoveObjectLink(keep);
  EXPECT_EQ(cxObjectLinkController(), nullptr);  // freed with the last link
}

// ---- unique names

class TdxBarScreenTip : public TComponent {
  DX_COMPONENT_CLASS(TdxBarScreenTip, TComponent)
public:
  using TComponent::TComponent;
};

TEST(MakeUniqueComponentName, NumbersUpFromTheFreeName) {
  TComponent form(nullptr);
  auto* repository = new TComponent(&form);
  repository->SetName("R1");
  auto* first = new TdxBarScreenTip(&form);
  std::string name;
  MakeUniqueComponentName(&form, repository, first, name, "", "TdxBar");
  EXPECT_EQ(name, "R1ScreenTip1");
  first->SetName(name);
  auto* second = new TdxBarScreenTip(&form);
  MakeUniqueComponentName(&form, repository, second, name, "", "TdxBar");
  EXPECT_EQ(name, "R1ScreenTip2");
  // The item itself does not count as taking its own name.
  MakeUniqueComponentName(&form, repository, first, name, "", "TdxBar");
  EXPECT_EQ(name, "R1ScreenTip1");
}

TEST(MakeUniqueComponentName, SuffixAndPrefixRules) {
  TComponent form(nullptr);
  auto* item = new TdxBarScreenTip(&form);
  std::string name;
  // Nothing of the suffix survives and there is no parent: the class name without its prefix.
  MakeUniqueComponentName(&form, nullptr, item, name, "#!-\xC3\xA4", "TdxBar");
  EXPECT_EQ(name, "ScreenTip");
  // A suffix that is an identifier is used as it is, without a number while free.
  MakeUniqueComponentName(&form, nullptr, item, name, "Ok_1", "TdxBar");
  EXPECT_EQ(name, "Ok_1");
  // A suffix starting with a digit gets the class name before it; no prefix: the leading T goes.
  MakeUniqueComponentName(&form, nullptr, item, name, "7", "");
  EXPECT_EQ(name, "dxBarScreenTip7");
  auto* taken = new TComponent(&form);
  taken->SetName("dxBarScreenTip7");
  MakeUniqueComponentName(&form, nullptr, item, name, "7", "");
  EXPECT_EQ(name, "dxBarScreenTip71");
}

// ---- thread hooks

win::LRESULT NextHook(int code, win::WPARAM w, win::LPARAM l) { return win::CallNextHookEx(nullptr, code, w, l); }

TEST(ThreadHooks, SetAndReleaseLeaveTheHandleClear) {
  win::HHOOK hook = nullptr;
  SetThreadHook(hook, win::WH_CALLWNDPROC, &NextHook);
  EXPECT_NE(hook, nullptr);
  ReleaseThreadHook(hook);
  EXPECT_EQ(hook, nullptr);
  ReleaseThreadHook(hook);  // already released: nothing
  EXPECT_EQ(hook, nullptr);
}

// ---- object lists

class TCounted : public TObject {
public:
  explicit TCounted(int& alive) : alive_(alive) { ++alive_; }
  ~TCounted() override { --alive_; }

private:
  int& alive_;
};

TEST(CxObjectList, OwnershipDecidesWhetherClearFrees) {
  int alive = 0;
  {
    TcxObjectList owning(true);
    owning.Add(new TCounted(alive));
    owning.Add(new TCounted(alive));
    auto* extracted = static_cast<TObject*>(owning.Extract(owning.Items(0)));
    EXPECT_EQ(alive, 2);  // extract never frees
    delete extracted;
    owning.Clear();
    EXPECT_EQ(alive, 0);
    owning.Add(new TCounted(alive));
  }
  EXPECT_EQ(alive, 0);  // freed with the list
  TCounted a(alive), b(alive);
  {
    TcxObjectList borrowing(false);
    borrowing.Add(&a);
    borrowing.Add(&b);
    borrowing.Clear();
    EXPECT_EQ(alive, 2);
    borrowing.Add(&a);
  }
  EXPECT_EQ(alive, 2);
}

}  // namespace
