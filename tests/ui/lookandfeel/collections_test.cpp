#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/lookandfeel/cxClasses.h"

namespace {

// ---- component collection

class TTestHost;

class TTestItem : public TcxComponentCollectionItem {
  DX_COMPONENT_CLASS(TTestItem, TcxComponentCollectionItem)
public:
  using TcxComponentCollectionItem::TcxComponentCollectionItem;
  void Touch() { Changed(false); }

protected:
  TcxComponentCollection* CollectionForParent(TComponent* AParent) override;
};

class TOtherItem : public TcxComponentCollectionItem {
  DX_COMPONENT_CLASS(TOtherItem, TcxComponentCollectionItem)
public:
  using TcxComponentCollectionItem::TcxComponentCollectionItem;

protected:
  TcxComponentCollection* CollectionForParent(TComponent* AParent) override;
};

struct Notice {
  TcxComponentCollectionItem* item;
  TcxItemNotification action;
  bool operator==(const Notice&) const = default;
};

class TRecordingCollection : public TcxComponentCollection {
public:
  using TcxComponentCollection::TcxComponentCollection;
  std::vector<std::string> calls;

protected:
  void Notify(TcxComponentCollectionItem* AItem, TcxItemNotification AAction) override {
    calls.push_back("Notify " + std::to_string(AAction) + (AItem->Collection() ? " in" : " out"));
  }
  void AssignItemName(TcxComponentCollectionItem*) override { calls.push_back("AssignItemName"); }
  void Update(TcxComponentCollectionItem* AItem, TcxItemNotification AAction) override {
    calls.push_back("Update " + std::to_string(AAction));
    TcxComponentCollection::Update(AItem, AAction);
  }
};

class TTestHost : public TComponent {
  DX_CLASS(TTestHost, TComponent)
public:
  explicit TTestHost(TComponent* AOwner) : TComponent(AOwner), Items(this, TTestItem::StaticClass()) {
    Items.OnCollectionChange = [this](TObject*, TcxComponentCollectionItem* item, TcxItemNotification action) {
      notices.push_back({item, action});
    };
  }
  TRecordingCollection Items;
  std::vector<Notice> notices;
};

TcxComponentCollection* TTestItem::CollectionForParent(TComponent* AParent) {
  auto* host = dynamic_cast<TTestHost*>(AParent);
  return host ? &host->Items : nullptr;
}
TcxComponentCollection* TOtherItem::CollectionForParent(TComponent* AParent) {
  auto* host = dynamic_cast<TTestHost*>(AParent);
  return host ? &host->Items : nullptr;
}

class ComponentCollection : public ::testing::Test {
protected:
  TComponent form{nullptr};
  TTestHost* host = new TTestHost(&form);
};

TEST_F(ComponentCollection, AddRunsInTheDocumentedOrder) {
  TcxComponentCollectionItem* item = host->Items.Add();
  EXPECT_EQ(item->Owner(), &form);  // the host's owner owns the items
  EXPECT_EQ(item->Collection(), &host->Items);
  EXPECT_EQ(item->GetParentComponent(), host);
  EXPECT_EQ(host->Items.calls, (std::vector<std::string>{"Notify 0 in", "Update 0", "AssignItemName"}));
  EXPECT_EQ(host->notices, (std::vector<Notice>{{item, inAdded}}));
  TcxComponentCollectionItem* second = host->Items.Add();
  EXPECT_EQ(item->ID(), 0);
  EXPECT_EQ(second->ID(), 1);
  EXPECT_EQ(host->Items.NextID(), 2);
}

TEST_F(ComponentCollection, EndUpdateSendsOnlyWhenForced) {
  TTestItem* item = static_cast<TTestItem*>(host->Items.Add());
  host->notices.clear();
  host->Items.BeginUpdate();
  item->Touch();
  host->Items.EndUpdate(false);
  EXPECT_TRUE(host->notices.empty());
  host->Items.BeginUpdate();
  item->Touch();
  item->Touch();
  host->Items.EndUpdate(true);
  EXPECT_EQ(host->notices, (std::vector<Notice>{{nullptr, inChanged}}));
  // Nested: only the outermost forced end reaches the host.
  host->notices.clear();
  host->Items.BeginUpdate();
  host->Items.BeginUpdate();
  host->Items.EndUpdate(true);
  EXPECT_TRUE(host->notices.empty());
  host->Items.EndUpdate(true);
  EXPECT_EQ(host->notices.size(), 1u);
  // An unmatched end does not silence the collection.
  host->Items.EndUpdate(false);
  host->notices.clear();
  item->Touch();
  EXPECT_EQ(host->notices, (std::vector<Notice>{{item, inChanged}}));
}

TEST_F(ComponentCollection, ClearSendsOneNoticeAndDestructionNone) {
  host->Items.Add();
  host->Items.Add();
  host->Items.Add();
  host->notices.clear();
  host->Items.Clear();
  EXPECT_EQ(host->Items.Count(), 0);
  EXPECT_EQ(form.ComponentCount(), 1);  // the items died, the host lives
  EXPECT_EQ(host->notices, (std::vector<Notice>{{nullptr, inChanged}}));
  host->Items.Clear();  // empty: nothing
  EXPECT_EQ(host->notices.size(), 1u);

  std::vector<Notice> late;
  {
    TTestHost lone(nullptr);
    lone.Items.Add();
    lone.Items.Add();
    lone.Items.OnCollectionChange = [&](TObject*, TcxComponentCollectionItem* i, TcxItemNotification a) {
      late.push_back({i, a});
    };
  }
  EXPECT_TRUE(late.empty());
}

TEST_F(ComponentCollection, ItemsLeaveWhenFreedAndWrongClassesStayOut) {
  TcxComponentCollectionItem* a = host->Items.Add();
  TcxComponentCollectionItem* b = host->Items.Add();
  host->notices.clear();
  delete a;
  EXPECT_EQ(host->Items.Count(), 1);
  EXPECT_EQ(host->notices, (std::vector<Notice>{{a, inExtracted}}));
  EXPECT_EQ(b->Index(), 0);

  auto* stranger = new TOtherItem(&form);
  stranger->SetParentComponent(host);  // not of the collection's item class
  EXPECT_EQ(stranger->Collection(), nullptr);
  EXPECT_EQ(stranger->Index(), -1);
  EXPECT_EQ(host->Items.Count(), 1);
}

TEST_F(ComponentCollection, SetIndexMovesAndAnnouncesTheWhole) {
  TcxComponentCollectionItem* a = host->Items.Add();
  TcxComponentCollectionItem* b = host->Items.Add();
  host->notices.clear();
  b->SetIndex(0);
  EXPECT_EQ(host->Items.Items(0), b);
  EXPECT_EQ(a->Index(), 1);
  EXPECT_EQ(host->notices, (std::vector<Notice>{{nullptr, inChanged}}));
  b->SetIndex(0);
  EXPECT_EQ(host->notices.size(), 1u);
  EXPECT_THROW(b->SetIndex(5), EListError);
  EXPECT_THROW(host->Items.Items(2), EListError);
}

TEST(ComponentCollectionClass, RefusesAnItemClassOutsideTheFamily) {
  EXPECT_THROW(TcxComponentCollection(nullptr, TComponent::StaticClass()), EInvalidOperation);
}

// ---- component list

class TOnlyHosts : public TcxComponentList {
protected:
  TClass AcceptedItemClass() const override { return TTestHost::StaticClass(); }
};

struct ListNotice {
  TComponent* component;
  TcxItemNotification action;
  bool operator==(const ListNotice&) const = default;
};

TEST(CxComponentList, NoticesFollowUpdatesAndFreedComponents) {
  TcxComponentList list;
  std::vector<ListNotice> notices;
  list.OnListChanged = [&](TObject*, TComponent* c, TcxItemNotification a) { notices.push_back({c, a}); };
  auto* a = new TComponent(nullptr);
  TComponent b(nullptr);
  list.Add(a);
  list.Add(&b);
  delete a;  // a free notification takes it out of the list
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(notices, (std::vector<ListNotice>{{a, inAdded}, {&b, inAdded}, {a, inExtracted}}));
  notices.clear();
  list.BeginUpdate();
  list.Remove(&b);
  list.EndUpdate();
  EXPECT_EQ(notices, (std::vector<ListNotice>{{nullptr, inChanged}}));
  notices.clear();
  list.Add(&b);
  list.Add(&b);
  notices.clear();
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(notices, (std::vector<ListNotice>{{nullptr, inChanged}}));
  list.BeginUpdate();
  list.Add(&b);
  list.CancelUpdate();
  EXPECT_EQ(notices.size(), 1u);
}

TEST(CxComponentList, OtherClassesAreExtractedSilently) {
  TOnlyHosts list;
  int notices = 0;
  list.OnListChanged = [&](TObject*, TComponent*, TcxItemNotification) { ++notices; };
  TComponent plain(nullptr);
  TTestHost host(nullptr);
  list.Add(&plain);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(notices, 0);
  list.Add(&host);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(notices, 1);
}

TEST(CxComponentList, DestructionSendsNothing) {
  int notices = 0;
  TComponent c(nullptr);
  {
    TcxComponentList list;
    list.Add(&c);
    list.OnListChanged = [&](TObject*, TComponent*, TcxItemNotification) { ++notices; };
  }
  EXPECT_EQ(notices, 0);
}

// ---- owned interfaced collection

class TNumberItem : public TcxInterfacedCollectionItem {
  DX_CLASS(TNumberItem, TcxInterfacedCollectionItem)
public:
  using TcxInterfacedCollectionItem::TcxInterfacedCollectionItem;
  int Value = 0;
};

TEST(OwnedInterfacedCollection, KeepSortedSortsOnWholeChanges) {
  TPersistent owner;
  TcxOwnedInterfacedCollection c(&owner, CollectionItemClassOf<TNumberItem>());
  std::vector<TcxInterfacedCollectionItem*> updated;
  c.OnItemsUpdated = [&](TObject*, TcxInterfacedCollectionItem* item) { updated.push_back(item); };
  c.OnItemsCompare = [](TObject*, TcxInterfacedCollectionItem* a, TcxInterfacedCollectionItem* b) {
    return static_cast<TNumberItem*>(a)->Value - static_cast<TNumberItem*>(b)->Value;
  };
  c.SetKeepSorted(true);
  c.BeginUpdate();
  for (int v : {3, 1, 2}) static_cast<TNumberItem*>(c.Add())->Value = v;
  c.EndUpdate();
  ASSERT_EQ(c.Count(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(static_cast<TNumberItem*>(c.Items(i))->Value, i + 1);
  EXPECT_FALSE(updated.empty());
  EXPECT_EQ(updated.back(), nullptr);
  auto* item = static_cast<TcxInterfacedCollectionItem*>(c.Items(0));
  EXPECT_EQ(item->OwnerInterface(), &c);
  EXPECT_EQ(item->_AddRef(), -1);
  TcxOwnedInterfacedCollection* asCollection = nullptr;
  EXPECT_TRUE(c.QueryInterface(asCollection));
  TcxComponentList* notSupported = nullptr;
  EXPECT_FALSE(c.QueryInterface(notSupported));
}

// ---- components, fake links and the free notificator

class TLinking : public TcxComponent {
  DX_COMPONENT_CLASS(TLinking, TcxComponent)
public:
  using TcxComponent::TcxComponent;
  std::vector<TComponent*> links;

protected:
  void ListFakeLinkComponents(TList* List) override {
    for (TComponent* c : links) List->Add(c);
  }
};

TEST(CxComponent, FakeLinksFollowTheListOnlyInTheDesigner) {
  TComponent form(nullptr);
  auto* a = new TComponent(&form);
  auto* b = new TComponent(&form);
  auto* linking = new TLinking(&form);
  linking->links = {a, b, a, b};
  linking->Loaded();
  EXPECT_EQ(linking->FakeComponentLink1(), nullptr);  // not designing
  linking->SetDesigning(true);
  linking->Loaded();
  EXPECT_EQ(linking->FakeComponentLink1(), a);
  EXPECT_EQ(linking->FakeComponentLink2(), b);
  EXPECT_EQ(linking->FakeComponentLink3(), a);
  delete a;
  EXPECT_EQ(linking->FakeComponentLink1(), nullptr);
  EXPECT_EQ(linking->FakeComponentLink3(), nullptr);
}

TEST(FreeNotificator, ReportsWatchedComponentsOnly) {
  TcxFreeNotificator notificator(nullptr);
  std::vector<TComponent*> freed;
  notificator.OnComponentFreed = [&](TComponent* c) { freed.push_back(c); };
  auto* watched = new TComponent(nullptr);
  auto* unwatched = new TComponent(nullptr);
  notificator.Watch(watched);
  notificator.Watch(unwatched);
  notificator.Unwatch(unwatched);
  notificator.Watch(nullptr);
  delete watched;
  delete unwatched;
  EXPECT_EQ(freed, (std::vector<TComponent*>{watched}));
}

}  // namespace
