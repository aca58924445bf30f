#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/classes/collection.h"
#include "platform/classes/component.h"
#include "platform/classes/lists.h"
#include "platform/rtl/exceptions.h"

namespace {

// Pointers to the elements of a fixed array, so that lists hold recognisable values.
int g_slots[8];
void* P(int i) { return &g_slots[i]; }
std::vector<void*> Ps(std::initializer_list<int> idx) {
  std::vector<void*> v;
  for (int i : idx) v.push_back(P(i));
  return v;
}
std::vector<void*> Contents(const TList& l) { return {l.begin(), l.end()}; }

class TRecordingList : public TList {
public:
  std::vector<std::pair<void*, TListNotification>> events;

protected:
  void Notify(void* ptr, TListNotification action) override { events.emplace_back(ptr, action); }
};

TEST(ListTest, BadIndexesRaiseWithTheIndex) {
  TList l;
  l.Add(P(0));
  l.Add(P(1));
  const std::vector<std::pair<std::function<void()>, int>> cases = {
      {[&] { l.Items(2); }, 2},          {[&] { l.Items(-1); }, -1},       {[&] { l.Delete(2); }, 2},
      {[&] { l.Insert(3, P(0)); }, 3},   {[&] { l.SetItems(5, P(0)); }, 5}, {[&] { l.Exchange(0, 7); }, 7},
      {[&] { l.Move(0, 2); }, 2},        {[&] { l.Move(4, 0); }, 4},
  };
  for (const auto& [call, index] : cases) {
    try {
      call();
      ADD_FAILURE() << "no error for index " << index;
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(index) + ")");
    }
  }
  EXPECT_EQ(Contents(l), Ps({0, 1}));
  TList empty;
  EXPECT_THROW(empty.First(), EListError);
  EXPECT_THROW(empty.Last(), EListError);
}

TEST(ListTest, EditsMatchAVectorModel) {
  TList l;
  for (int i = 0; i < 5; ++i) l.Add(P(i));
  l.Insert(0, P(7));   // 7 0 1 2 3 4
  l.Delete(3);         // 7 0 1 3 4
  l.Move(0, 4);        // 0 1 3 4 7
  l.Exchange(1, 3);    // 0 4 3 1 7
  EXPECT_EQ(l.Remove(P(3)), 2);  // 0 4 1 7
  EXPECT_EQ(l.Remove(P(6)), -1);
  EXPECT_EQ(Contents(l), Ps({0, 4, 1, 7}));
  EXPECT_EQ(l.IndexOf(P(7)), 3);
  EXPECT_EQ(l.First(), P(0));
  EXPECT_EQ(l.Last(), P(7));
  l.SetCount(6);
  EXPECT_EQ(l.Items(5), nullptr);
  l.Insert(1, nullptr);
  l.Pack();
  EXPECT_EQ(Contents(l), Ps({0, 4, 1, 7}));
  EXPECT_THROW(l.SetCapacity(2), EListError);
  EXPECT_THROW(l.SetCount(-1), EListError);
}

TEST(ListTest, NotifyReportsEachNonNullItemThatComesOrGoes) {
  TRecordingList l;
  l.Add(P(0));
  l.Add(nullptr);
  l.Add(P(1));
  l.Extract(P(0));
  l.SetItems(1, P(2));  // replaces 1
  l.Delete(0);          // the null entry: nothing to report
  l.SetCount(0);
  using E = std::pair<void*, TListNotification>;
  EXPECT_EQ(l.events, (std::vector<E>{{P(0), lnAdded}, {P(1), lnAdded}, {P(0), lnExtracted},
                                      {P(1), lnDeleted}, {P(2), lnAdded}, {P(2), lnDeleted}}));
  EXPECT_EQ(l.Extract(P(5)), nullptr);
}

TEST(ListTest, SortIsStable) {
  // Sort on the first digit only: entries with the same key keep their order.
  std::vector<int> keys = {31, 12, 33, 11, 22, 32, 13};
  TList l;
  for (int& k : keys) l.Add(&k);
  l.Sort([](void* a, void* b) { return *static_cast<int*>(a) / 10 - *static_cast<int*>(b) / 10; });
  std::vector<int> got;
  for (void* p : l) got.push_back(*static_cast<int*>(p));
  EXPECT_EQ(got, (std::vector<int>{12, 11, 13, 22, 31, 33, 32}));
}

TEST(ListTest, SortWithAnInconsistentComparisonKeepsTheItems) {
  std::mt19937 rng(7);
  std::vector<int> values(200);
  TList l;
  for (int& v : values) l.Add(&v);
  l.Sort([&](void*, void*) { return int32_t(rng() % 3) - 1; });
  std::vector<void*> got = Contents(l), want;
  for (int& v : values) want.push_back(&v);
  std::sort(got.begin(), got.end());
  EXPECT_EQ(got, want);
}

TEST(ListTest, AssignCombinesAsSets) {
  struct Case {
    TListAssignOp op;
    std::vector<void*> want;
  };
  // dest {0,1,2}, source {1,2,3}
  const std::vector<Case> cases = {
      {laCopy, Ps({1, 2, 3})}, {laAnd, Ps({1, 2})},       {laOr, Ps({0, 1, 2, 3})},
      {laXor, Ps({0, 3})},     {laSrcUnique, Ps({3})},    {laDestUnique, Ps({0})},
  };
  for (const Case& c : cases) {
    TList dest, source;
    for (int i : {0, 1, 2}) dest.Add(P(i));
    for (int i : {1, 2, 3}) source.Add(P(i));
    dest.Assign(source, c.op);
    EXPECT_EQ(Contents(dest), c.want) << "op " << int(c.op);
  }
}

// Counts live instances so that tests see which objects a list freed.
class TCounted : public TObject {
  DX_CLASS(TCounted, TObject)
public:
  explicit TCounted(int* live) : live_(live) { ++*live_; }
  ~TCounted() override { --*live_; }

private:
  int* live_;
};

TEST(ObjectListTest, OwningListFreesWhatLeavesItExceptExtracted) {
  int live = 0;
  std::unique_ptr<TCounted> kept;
  {
    TObjectList l;
    EXPECT_TRUE(l.OwnsObjects());
    TCounted* objs[5];
    for (auto& o : objs) l.Add(o = new TCounted(&live));
    l.Delete(0);
    EXPECT_EQ(live, 4);
    l.Remove(objs[1]);
    EXPECT_EQ(live, 3);
    kept.reset(static_cast<TCounted*>(l.Extract(objs[2])));
    EXPECT_EQ(live, 3);
    EXPECT_EQ(l.Count(), 2);
    l.SetItems(0, new TCounted(&live));  // replaces objs[3]
    EXPECT_EQ(live, 3);
    EXPECT_EQ(l.IndexOf(objs[4]), 1);
  }
  EXPECT_EQ(live, 1);  // only the extracted one survives the list
  kept.reset();
  EXPECT_EQ(live, 0);
}

TEST(ObjectListTest, NonOwningListLeavesObjectsAlone) {
  int live = 0;
  TCounted a(&live), b(&live);
  {
    TObjectList l(false);
    l.Add(&a);
    l.Add(&b);
    l.Delete(0);
    l.Clear();
  }
  EXPECT_EQ(live, 2);
}

TEST(ObjectListTest, FindInstanceOfAndTypedList) {
  int live = 0;
  TObjectListOf<TCounted> l;
  l.Add(new TCounted(&live));
  l.Add(new TCounted(&live));
  TObjectList mixed;
  mixed.Add(new TObject);
  mixed.Add(new TCounted(&live));
  EXPECT_EQ(mixed.FindInstanceOf(TCounted::StaticClass()), 1);
  EXPECT_EQ(mixed.FindInstanceOf(TObject::StaticClass(), false, 1), 1);
  EXPECT_EQ(mixed.FindInstanceOf(TCounted::StaticClass(), true, 2), -1);
  EXPECT_EQ(l.Last()->ClassName(), "TCounted");
}

TEST(ThreadListTest, DuplicatesRule) {
  TThreadList l;
  l.Add(P(0));
  l.Add(P(0));  // dupIgnore
  EXPECT_EQ(l.LockList()->Count(), 1);
  l.UnlockList();
  l.SetDuplicates(dupError);
  EXPECT_THROW(l.Add(P(0)), EListError);
  l.SetDuplicates(dupAccept);
  l.Add(P(0));
  TList* locked = l.LockList();
  EXPECT_EQ(locked->Count(), 2);
  l.UnlockList();
}

// ---- collections

class TNamedItem : public TCollectionItem {
  DX_CLASS(TNamedItem, TCollectionItem)
public:
  explicit TNamedItem(TCollection* c) : TCollectionItem(c), text("made") {}
  void Assign(TPersistent* source) override {
    if (auto* other = dynamic_cast<TNamedItem*>(source)) text = other->text;
    else TCollectionItem::Assign(source);
  }
  void Touch() { Changed(false); }
  std::string text;

protected:
  std::string GetDisplayName() override { return text; }
};

class TRecordingCollection : public TCollection {
public:
  TRecordingCollection() : TCollection(CollectionItemClassOf<TNamedItem>()) {}
  std::vector<std::string> events;

protected:
  void Update(TCollectionItem* item) override {
    events.push_back(item ? "update " + item->DisplayName() : "update all");
  }
  void Notify(TCollectionItem* item, TCollectionNotification action) override {
    static const char* names[] = {"added ", "extracting ", "deleting "};
    // The item must be whole here: its own constructor has finished.
    events.push_back(names[action] + static_cast<TNamedItem*>(item)->text);
  }
};

TNamedItem* AddNamed(TCollection& c, const std::string& text) {
  auto* item = static_cast<TNamedItem*>(c.Add());
  item->text = text;
  return item;
}

TEST(CollectionTest, IdsStayWithItemsAndAreNeverReused) {
  TCollection c(CollectionItemClassOf<TNamedItem>());
  for (const char* t : {"a", "b", "c"}) AddNamed(c, t);
  EXPECT_EQ(c.Items(2)->ID(), 2);
  c.Items(0)->SetIndex(2);  // b c a
  EXPECT_EQ(c.Items(0)->ID(), 1);
  EXPECT_EQ(c.Items(2)->ID(), 0);
  EXPECT_EQ(c.Items(2)->Index(), 2);
  EXPECT_EQ(static_cast<TNamedItem*>(c.FindItemID(0))->text, "a");
  c.Delete(2);
  EXPECT_EQ(c.FindItemID(0), nullptr);
  EXPECT_EQ(AddNamed(c, "d")->ID(), 3);
  auto* inserted = c.Insert(0);
  EXPECT_EQ(inserted->Index(), 0);
  EXPECT_EQ(inserted->ID(), 4);
  EXPECT_THROW(c.Items(5), EListError);
  delete c.Items(1);  // an item deleted directly leaves its collection
  EXPECT_EQ(c.Count(), 3);
  EXPECT_EQ(c.Items(1)->ID(), 2);
  EXPECT_THROW(c.Items(0)->SetIndex(9), EListError);
}

TEST(CollectionTest, NotificationsOfAddMoveAndDelete) {
  TRecordingCollection c;
  AddNamed(c, "x");  // the notices of Add come before the caller sets the text
  AddNamed(c, "y");
  static_cast<TNamedItem*>(c.Items(0))->Touch();
  c.Items(1)->SetIndex(0);
  c.Delete(0);
  TCollectionItem* x = c.Items(0);
  x->SetCollection(nullptr);  // leaves while whole; the caller owns it now
  delete x;
  EXPECT_EQ(c.events, (std::vector<std::string>{"added made", "update all", "added made", "update all",
                                                "update x", "update all", "deleting y", "extracting y",
                                                "update all", "extracting x", "update all"}));
  EXPECT_EQ(c.Count(), 0);
}

TEST(CollectionTest, UpdateBracketCallsUpdateOnceAndOnlyAfterAChange) {
  TRecordingCollection c;
  c.BeginUpdate();
  c.BeginUpdate();
  AddNamed(c, "a");
  AddNamed(c, "b");
  static_cast<TNamedItem*>(c.Items(0))->Touch();
  c.EndUpdate();
  EXPECT_EQ(std::count(c.events.begin(), c.events.end(), "update all"), 0);
  c.EndUpdate();
  EXPECT_EQ(std::count_if(c.events.begin(), c.events.end(), [](auto& e) { return e.rfind("update", 0) == 0; }), 1);
  EXPECT_EQ(c.events.back(), "update all");
  c.events.clear();
  c.BeginUpdate();
  c.EndUpdate();
  EXPECT_TRUE(c.events.empty());
  c.Clear();  // two deletions, one update
  EXPECT_EQ(std::count(c.events.begin(), c.events.end(), "update all"), 1);
}

TEST(CollectionTest, SetCollectionMovesAnItemAndGivesItANewId) {
  TCollection a(CollectionItemClassOf<TNamedItem>()), b(CollectionItemClassOf<TNamedItem>());
  AddNamed(b, "b0");
  AddNamed(b, "b1");
  auto* item = AddNamed(a, "moving");
  item->SetCollection(&b);
  EXPECT_EQ(a.Count(), 0);
  EXPECT_EQ(b.Count(), 3);
  EXPECT_EQ(item->Collection(), &b);
  EXPECT_EQ(item->ID(), 2);
  // Only b deletes it now.
  TCollection plain;
  auto* wrongKind = plain.Add();
  EXPECT_THROW(wrongKind->SetCollection(&b), EListError);
  EXPECT_EQ(wrongKind->Collection(), &plain);
}

TEST(CollectionTest, AssignCopiesItemsThroughItemAssign) {
  TCollection a(CollectionItemClassOf<TNamedItem>()), b(CollectionItemClassOf<TNamedItem>());
  AddNamed(a, "one");
  AddNamed(a, "two");
  AddNamed(b, "old");
  b.Assign(&a);
  ASSERT_EQ(b.Count(), 2);
  EXPECT_EQ(static_cast<TNamedItem*>(b.Items(1))->text, "two");
  TCollection plain;
  plain.Add();
  EXPECT_THROW(b.Assign(&plain), EConvertError);  // plain items cannot be assigned to TNamedItem
}

TEST(CollectionTest, NamePathsFollowTheOwner) {
  TComponent form(nullptr);
  form.SetName("Form1");
  TOwnedCollection panels(&form, CollectionItemClassOf<TNamedItem>());
  panels.SetPropName("Panels");
  panels.Add();
  panels.Add();
  EXPECT_EQ(panels.GetOwner(), &form);
  EXPECT_EQ(panels.GetNamePath(), "Form1.Panels");
  EXPECT_EQ(panels.Items(1)->GetNamePath(), "Form1.Panels[1]");
  TCollection loose;
  EXPECT_EQ(loose.GetNamePath(), "TCollection");
  EXPECT_EQ(loose.Add()->GetNamePath(), "TCollection[0]");
}

}  // namespace
