// The manager's component lists and groups: the non-owning object list, the
// change listeners that keep components and their lists in step, and groups
// with their recursion check and switching under one bars update.
#include "ui/bars/dxBarComponents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/classes/filer.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/forms.h"
#include "tests/platform/vcl/controls_test.h"
#include "tests/ui/bars/bar_doubles.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarHooks.h"

using namespace bartest;

namespace {

class BarComponentsTest : public BarFormTest {};

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
  item->SetBarManager(nullptr);  // only in the two lists
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

namespace {

// ---- categories

class CategoriesTest : public BarComponentsTest {
protected:
  void SetUp() override {
    BarComponentsTest::SetUp();
    m_ = new TdxBarManager(form_.get());
  }
  // One category name per entry after "Default" is replaced by the first.
  void Names(std::initializer_list<const char*> names) {
    TStrings* c = m_->Categories();
    c->Clear();
    for (const char* n : names) c->Add(n);
  }
  // An item of each given category, in order.
  std::vector<TdxBarItem*> ItemsIn(std::initializer_list<int32_t> categories) {
    std::vector<TdxBarItem*> items;
    for (int32_t c : categories) {
      items.push_back(new TdxBarItem(form_.get()));
      items.back()->SetCategory(c);
      items.back()->SetBarManager(m_);
    }
    return items;
  }
  static std::vector<int32_t> CategoriesOf(const std::vector<TdxBarItem*>& items) {
    std::vector<int32_t> out;
    for (TdxBarItem* i : items) out.push_back(i->Category());
    return out;
  }
  std::vector<std::string> CategoryNames() const {
    std::vector<std::string> out;
    for (int32_t i = 0; i < m_->Categories()->Count(); ++i) out.push_back(m_->Categories()->Strings(i));
    return out;
  }
  TdxBarManager* m_ = nullptr;  // owned by the form
};

TEST_F(CategoriesTest, AManagerStartsWithDefault) {
  EXPECT_EQ(CategoryNames(), std::vector<std::string>{"Default"});
}

TEST_F(CategoriesTest, DeletingTheOnlyCategoryDestroysItsItemsAndLeavesDefault) {
  Names({"File"});
  int destroyed = 0;
  auto* item = new TCountedItem(form_.get(), destroyed);
  item->SetBarManager(m_);
  item->SetCategory(0);
  m_->Categories()->Delete(0);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(m_->GetItemCount(), 0);
  EXPECT_EQ(CategoryNames(), std::vector<std::string>{"Default"});
}

TEST_F(CategoriesTest, DeletingMovesLaterItemsDownAndBadIndexesDoNothing) {
  Names({"File", "Edit", "View"});
  int destroyed = 0;
  auto* doomed = new TCountedItem(form_.get(), destroyed);
  doomed->SetCategory(1);
  doomed->SetBarManager(m_);
  std::vector<TdxBarItem*> kept = ItemsIn({0, 2, 2});
  m_->Categories()->Delete(1);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(CategoriesOf(kept), (std::vector<int32_t>{0, 1, 1}));
  EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"File", "View"}));

  for (int32_t bad : {-1, 2}) {
    m_->Categories()->Delete(bad);
    m_->Categories()->Exchange(bad, 0);
    m_->Categories()->Move(0, bad);
  }
  EXPECT_EQ(CategoriesOf(kept), (std::vector<int32_t>{0, 1, 1}));
  EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"File", "View"}));
  EXPECT_THROW(m_->Categories()->Insert(5, "Far"), EStringListError);
}

TEST_F(CategoriesTest, InsertingMovesItemsUpExceptAtTheEnd) {
  Names({"File", "Edit"});
  std::vector<TdxBarItem*> items = ItemsIn({0, 1});
  m_->Categories()->Insert(2, "Help");
  EXPECT_EQ(CategoriesOf(items), (std::vector<int32_t>{0, 1}));
  m_->Categories()->Insert(0, "Start");
  EXPECT_EQ(CategoriesOf(items), (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"Start", "File", "Edit", "Help"}));
}

TEST_F(CategoriesTest, MovingCarriesItemsAndDataWithTheName) {
  Names({"A", "B", "C"});
  std::vector<TdxBarItem*> items = ItemsIn({0, 1, 2, 0});
  m_->SetCategoryVisible(0, false);
  m_->Categories()->Move(0, 2);
  EXPECT_EQ(CategoriesOf(items), (std::vector<int32_t>{2, 0, 1, 2}));
  EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"B", "C", "A"}));
  EXPECT_FALSE(m_->GetCategoryVisible(2));
  EXPECT_TRUE(m_->GetCategoryVisible(0));

  m_->Categories()->Move(2, 0);
  EXPECT_EQ(CategoriesOf(items), (std::vector<int32_t>{0, 1, 2, 0}));
  EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"A", "B", "C"}));
}

TEST_F(CategoriesTest, ExchangingSwapsTheItemsOfBoth) {
  Names({"A", "B", "C"});
  std::vector<TdxBarItem*> items = ItemsIn({0, 2, 1});
  m_->Categories()->Exchange(0, 2);
  EXPECT_EQ(CategoriesOf(items), (std::vector<int32_t>{2, 0, 1}));
  EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"C", "B", "A"}));
}

// ---- item-class registry

// Stand-ins of the sixteen item kinds, registered in the toolbar unit's order.
#define STAND_IN(Name)                      \
  class Name : public TdxBarItem {          \
    DX_COMPONENT_CLASS(Name, TdxBarItem)    \
  public:                                   \
    using TdxBarItem::TdxBarItem;           \
  };
STAND_IN(TStandInButton)
STAND_IN(TStandInLargeButton)
STAND_IN(TStandInEdit)
STAND_IN(TStandInCustomCombo)
STAND_IN(TStandInCombo)
STAND_IN(TStandInSubItem)
STAND_IN(TStandInListItem)
STAND_IN(TStandInContainerItem)
STAND_IN(TStandInExtraPaneListItem)
STAND_IN(TStandInLabel)
STAND_IN(TStandInSeparator)
STAND_IN(TStandInAppMenuButton)
STAND_IN(TStandInQuickCustExtButton)
STAND_IN(TStandInQuickCustItem)
STAND_IN(TStandInQuickAccessItem)
STAND_IN(TStandInSystemMenuSubItem)
#undef STAND_IN

class TStandInButtonSubclass : public TStandInButton {
  DX_COMPONENT_CLASS(TStandInButtonSubclass, TStandInButton)
public:
  using TStandInButton::TStandInButton;
};

class TStandInControl : public TdxBarItemControl {
  DX_CLASS(TStandInControl, TdxBarItemControl)
};
class TStandInOtherControl : public TdxBarItemControl {
  DX_CLASS(TStandInOtherControl, TdxBarItemControl)
};

struct Registration {
  TClass item;
  bool visible;
};
const Registration kStartUp[] = {
    {TStandInButton::StaticClass(), true},          {TStandInLargeButton::StaticClass(), true},
    {TStandInEdit::StaticClass(), true},            {TStandInCustomCombo::StaticClass(), true},
    {TStandInCombo::StaticClass(), true},           {TStandInSubItem::StaticClass(), true},
    {TStandInListItem::StaticClass(), true},        {TStandInContainerItem::StaticClass(), true},
    {TStandInExtraPaneListItem::StaticClass(), false}, {TStandInLabel::StaticClass(), false},
    {TStandInSeparator::StaticClass(), true},       {TStandInAppMenuButton::StaticClass(), false},
    {TStandInQuickCustExtButton::StaticClass(), false}, {TStandInQuickCustItem::StaticClass(), false},
    {TStandInQuickAccessItem::StaticClass(), false}, {TStandInSystemMenuSubItem::StaticClass(), false},
};

TEST(ItemClassRegistry, StartUpRegistrationsOfferNineKinds) {
  {
    TdxBarItemList registry;
    for (const Registration& r : kStartUp) registry.AddRegistration(r.item, TStandInControl::StaticClass(), r.visible);
    EXPECT_EQ(GetClass("TStandInSeparator"), TStandInSeparator::StaticClass());
    ASSERT_EQ(registry.VisibleItemCount(), 9);
    std::vector<TClass> offered, expected;
    for (int32_t i = 0; i < registry.VisibleItemCount(); ++i) offered.push_back(registry.VisibleItemClass(i));
    for (const Registration& r : kStartUp)
      if (r.visible) expected.push_back(r.item);
    EXPECT_EQ(offered, expected);
    EXPECT_EQ(registry.VisibleItemClass(0), TStandInButton::StaticClass());
    for (int32_t bad : {-1, 9}) EXPECT_EQ(registry.VisibleItemClass(bad), nullptr) << bad;
    for (int32_t bad : {-1, 16}) EXPECT_THROW(registry.RecordAt(bad), EListError) << bad;
    EXPECT_THROW(registry.RemoveRegistration(16), EListError);
  }
  // Freeing the registry unregisters every class.
  EXPECT_EQ(GetClass("TStandInSeparator"), nullptr);
  EXPECT_EQ(GetClass("TStandInButton"), nullptr);
}

TEST(ItemClassRegistry, ControlLookupIsByExactClassAndTheFirstRecordWins) {
  TdxBarItemList registry;
  registry.AddRegistration(TStandInButton::StaticClass(), TStandInControl::StaticClass(), true);
  registry.AddRegistration(TStandInButton::StaticClass(), TStandInOtherControl::StaticClass(), true);
  EXPECT_EQ(registry.ItemControlClassOf(TStandInButton::StaticClass()), TStandInControl::StaticClass());
  EXPECT_EQ(registry.ItemControlClassOf(TStandInButtonSubclass::StaticClass()), nullptr);
  EXPECT_EQ(registry.ItemControlClassOf(TdxBarItem::StaticClass()), nullptr);
  registry.RemoveRegistration(0);
  EXPECT_EQ(registry.ItemControlClassOf(TStandInButton::StaticClass()), TStandInOtherControl::StaticClass());
  // Still registered for streaming while a record names it.
  EXPECT_EQ(GetClass("TStandInButton"), TStandInButton::StaticClass());
}

// ---- manager list

// Two managers on one form (one owned by a panel on it) and a third on
// another form.
class ManagerListTest : public BarComponentsTest {
protected:
  void SetUp() override {
    BarComponentsTest::SetUp();
    other_ = std::make_unique<TForm>(nullptr);
    panel_ = new TPanel(form_.get());
    panel_->SetParent(form_.get());
    first_ = new TdxBarManager(form_.get());
    second_ = new TdxBarManager(panel_);
    elsewhere_ = new TdxBarManager(other_.get());
    panel_->HandleNeeded();
    other_->HandleNeeded();
  }
  void TearDown() override {
    dxBarManagerSlots().MdiChildFormOfManager = nullptr;
    dxBarManagerSlots().ActiveMdiChildHandle = nullptr;
    other_.reset();
    BarComponentsTest::TearDown();
  }
  std::unique_ptr<TForm> other_;
  TPanel* panel_ = nullptr;
  TdxBarManager *first_ = nullptr, *second_ = nullptr, *elsewhere_ = nullptr;
};

TEST_F(ManagerListTest, NextManagerOfFormCyclesBetweenTheManagersOfOneForm) {
  TdxBarManagerList* list = dxBarManagerList();
  EXPECT_EQ(second_->GetMainForm(), form_.get());
  struct Case {
    TdxBarManager* from;
    bool forward;
    TdxBarManager* expected;
  };
  for (const Case& c : {Case{first_, true, second_}, Case{second_, true, first_}, Case{first_, false, second_},
                        Case{second_, false, first_}, Case{elsewhere_, true, elsewhere_},
                        Case{elsewhere_, false, elsewhere_}})
    EXPECT_EQ(list->NextManagerOfForm(c.from, c.forward), c.expected);
  EXPECT_FALSE(IsManagerOfForm(elsewhere_, form_.get()));
  EXPECT_TRUE(IsManagerOfForm(second_, form_.get()));
}

// The platform has no MDI yet: its two answers come from doubles.
TEST_F(ManagerListTest, AManagerOnAnInactiveMdiChildIsNotOfItsForm) {
  static win::HWND mdiChild, active;
  mdiChild = form_->Handle();
  dxBarManagerSlots().MdiChildFormOfManager = [](TdxBarManager*) { return mdiChild; };
  dxBarManagerSlots().ActiveMdiChildHandle = [] { return active; };
  active = other_->Handle();
  EXPECT_FALSE(IsManagerOfForm(first_, form_.get()));
  active = form_->Handle();
  EXPECT_TRUE(IsManagerOfForm(first_, form_.get()));
}

TEST_F(ManagerListTest, NoManagerIsCustomizingAtFirst) {
  EXPECT_EQ(dxBarManagerList()->CustomizingManager(), nullptr);
}

// ---- image options

TEST_F(BarComponentsTest, ImageOptionsDefaults) {
  TdxBarManager m(form_.get());
  TdxBarImageOptions* o = m.ImageOptions();
  EXPECT_EQ(o->ImageListBkColor(), TColor(0xFF00FF));
  EXPECT_TRUE(o->StretchGlyphs);
  EXPECT_TRUE(o->CacheGlyphs);
  EXPECT_TRUE(o->UseLeftBottomPixelAsTransparent());
  EXPECT_FALSE(o->SmoothGlyphs);
  EXPECT_FALSE(o->LargeIcons());
  EXPECT_FALSE(o->IsLoading());
  EXPECT_EQ(o->GetOwner(), &m);
}

TEST_F(BarComponentsTest, GlyphSizeFollowsLargeIconsAndLargeImages) {
  TdxBarManager m(form_.get());
  TImageList large(form_.get());
  large.SetSize(48, 48);
  struct Case {
    bool largeIcons, useLarge, withList;
    int32_t size;
  };
  for (const Case& c : {Case{false, false, false, 16}, Case{false, true, true, 16}, Case{true, false, false, 32},
                        Case{true, true, false, 32}, Case{true, false, true, 32}, Case{true, true, true, 48}}) {
    m.SetLargeImages(c.withList ? &large : nullptr);
    m.SetLargeIcons(c.largeIcons);
    m.SetUseLargeImagesForLargeIcons(c.useLarge);
    EXPECT_EQ(m.GetGlyphSize(), c.size) << c.largeIcons << c.useLarge << c.withList;
  }
}

TEST_F(BarComponentsTest, FreeingAUsedImageListClearsItAndTheItemsReact) {
  TLog log;
  TdxBarManager m(form_.get());
  auto* item = new TGlyphItem(form_.get(), "item", log, false, false);
  item->SetImageIndex(0);
  item->SetBarManager(&m);
  auto* images = new TImageList(form_.get());
  m.SetImages(images);
  m.SetDisabledImages(images);
  log.clear();
  delete images;
  EXPECT_EQ(m.Images(), nullptr);
  EXPECT_EQ(m.DisabledImages(), nullptr);
  EXPECT_EQ(log, (TLog{"item glyph", "item glyph"}));
}

TEST_F(BarComponentsTest, AssigningImageOptionsCopiesAllButCacheGlyphs) {
  TdxBarManager m(form_.get());
  TForm otherForm(nullptr);
  TdxBarManager source(&otherForm);
  TImageList a(form_.get()), b(form_.get()), c(form_.get()), d(form_.get());
  TdxBarImageOptions* s = source.ImageOptions();
  s->SetImages(&a);
  s->SetHotImages(&b);
  s->SetDisabledImages(&c);
  s->SetLargeImages(&d);
  s->SetDisabledLargeImages(&a);
  s->SetImageListBkColor(clRed);
  s->SetLargeIcons(true);
  s->SetMakeDisabledImagesFaded(true);
  s->SmoothGlyphs = true;
  s->StretchGlyphs = false;
  s->CacheGlyphs = false;
  s->SetUseLargeImagesForLargeIcons(true);
  s->SetUseLeftBottomPixelAsTransparent(false);

  TdxBarImageOptions* o = m.ImageOptions();
  o->Assign(s);
  EXPECT_EQ(o->Images(), &a);
  EXPECT_EQ(o->HotImages(), &b);
  EXPECT_EQ(o->DisabledImages(), &c);
  EXPECT_EQ(o->LargeImages(), &d);
  EXPECT_EQ(o->DisabledLargeImages(), &a);
  EXPECT_EQ(o->ImageListBkColor(), clRed);
  EXPECT_TRUE(o->LargeIcons());
  EXPECT_TRUE(o->MakeDisabledImagesFaded());
  EXPECT_TRUE(o->SmoothGlyphs);
  EXPECT_FALSE(o->StretchGlyphs);
  EXPECT_TRUE(o->CacheGlyphs);
  EXPECT_TRUE(o->UseLargeImagesForLargeIcons());
  EXPECT_FALSE(o->UseLeftBottomPixelAsTransparent());
  EXPECT_THROW(o->Assign(m.Backgrounds()), EConvertError);
}

}  // namespace

namespace {

// ---- selection defaults

TEST_F(BarComponentsTest, APlainComponentAnswersTheSelectionDefaults) {
  TdxBarManager m(form_.get());
  int destroyed = 0;
  auto* group = new TCountedGroup(form_.get(), destroyed);
  group->SetBarManager(&m);
  IdxBarSelectableItem* element = group;
  EXPECT_TRUE(element->CanBeDeleted(false));
  EXPECT_EQ(element->GetBarManager(), &m);
  EXPECT_EQ(element->ImplementingObject(), group);
  EXPECT_EQ(element->SelectableParentObject(), form_.get());
  EXPECT_EQ(element->ElementActions(), TdxBarCustomizationActions(1u << 1));  // the set {1}
  EXPECT_FALSE(element->IsComplexElement());
  EXPECT_FALSE(element->IsDesignSelected());
  EXPECT_EQ(element->GetDesignSelectionState(), 0);
  EXPECT_FALSE(element->SelectOwnParent());
  IdxBarSelectableItem* next = element;
  element->NextSelectable(next);
  EXPECT_EQ(next, nullptr);
  TdxObjectList owners;
  element->CollectOwners(&owners);
  element->CollectOwners(&owners);
  ASSERT_EQ(owners.Count(), 1);
  EXPECT_EQ(owners.GetItem(0), form_.get());

  element->DeleteIfAllowed(element, false);
  EXPECT_EQ(element, nullptr);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(m.GetGroupCount(), 0);
}

// ---- groups in form descriptions

constexpr const char* kGroupForm = R"(object Form1: TForm
  object M: TdxBarManager
    object G: TdxBarGroup
      Items = (
        'B2'
        'Nope'
        'B1')
    end
  end
  object B1: TdxBarItem
  end
  object B2: TdxBarItem
  end
end
)";

TEST_F(BarComponentsTest, GroupMembersAreFoundByNameOnceTheFormIsLoaded) {
  ReadComponentText(kGroupForm, form_.get());
  auto* group = dynamic_cast<TdxBarGroup*>(form_->FindComponent("G"));
  ASSERT_NE(group, nullptr);
  // The members come after the group in the description; "Nope" names nothing.
  ASSERT_EQ(group->GetCount(), 2);
  EXPECT_EQ(group->GetItem(0), form_->FindComponent("B2"));
  EXPECT_EQ(group->GetItem(1), form_->FindComponent("B1"));

  const std::string text = WriteComponentText(group);
  EXPECT_NE(text.find("  Items = (\n    'B2'\n    'B1')\n"), std::string::npos) << text;

  // Against an ancestor naming the same members nothing is written.
  TForm ancestorForm(nullptr);
  ReadComponentText(kGroupForm, &ancestorForm);
  auto* ancestor = dynamic_cast<TdxBarGroup*>(ancestorForm.FindComponent("G"));
  ASSERT_NE(ancestor, nullptr);
  EXPECT_EQ(WriteComponentText(group, ancestor).find("Items"), std::string::npos);
  ancestor->Remove(ancestor->GetItem(1));
  EXPECT_NE(WriteComponentText(group, ancestor).find("Items = (\n    'B2'\n    'B1')"), std::string::npos);
}

TEST_F(BarComponentsTest, AGroupNamingItselfIsARecursiveGroup) {
  std::string text = kGroupForm;
  text.replace(text.find("'Nope'"), 6, "'G'");
  try {
    ReadComponentText(text, form_.get());
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_NE(std::string(e.what()).find("You cannot create recursive groups"), std::string::npos) << e.what();
  }
}

// ---- backgrounds

TEST_F(BarComponentsTest, ABarBackgroundRestylesOnceAndTheSubMenuOneNever) {
  TLog log;
  TdxBarManager m(form_.get());
  auto* dock = new TRecordingDock(form_.get(), "dock", log);
  dock->SetBarManager(&m);
  TdxBarBackgrounds* b = m.Backgrounds();
  EXPECT_EQ(b->GetOwner(), &m);
  TBitmap picture;
  picture.SetSize(4, 2);
  TBitmap empty;
  auto restyles = [&](const std::function<void()>& change) {
    log.clear();
    change();
    return std::count(log.begin(), log.end(), "dock color");
  };
  struct Case {
    const char* what;
    std::function<void()> change;
    long restyles;
  };
  const Case cases[] = {
      {"nothing onto nothing", [&] { b->SetBar(nullptr); }, 0},
      {"a picture", [&] { b->SetBar(&picture); }, 1},
      {"in place", [&] { b->Bar()->SetSize(8, 8); }, 1},
      {"nothing onto a picture", [&] { b->SetBar(nullptr); }, 1},
      {"an empty picture", [&] { b->SetBar(&empty); }, 1},
      {"the sub-menu", [&] { b->SetSubMenu(&picture); }, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(restyles(c.change), c.restyles) << c.what;
  EXPECT_TRUE(b->Bar()->Empty());
  EXPECT_EQ(b->SubMenu()->Width(), 4);

  TForm otherForm(nullptr);
  TdxBarManager other(&otherForm);
  other.Backgrounds()->SetBar(&picture);
  EXPECT_EQ(restyles([&] { b->Assign(other.Backgrounds()); }), 1);
  EXPECT_EQ(b->Bar()->Width(), 4);
  EXPECT_TRUE(b->SubMenu()->Empty());
  EXPECT_THROW(b->Assign(m.ImageOptions()), EConvertError);
  delete dock;
}

// ---- the manager's sub-objects in form descriptions

TEST_F(BarComponentsTest, ImageOptionsAndBackgroundsStreamWithTheManager) {
  TdxBarManager m(form_.get());
  TdxBarImageOptions* o = m.ImageOptions();
  o->CacheGlyphs = false;
  o->SetImageListBkColor(clRed);
  o->SetLargeIcons(true);
  o->SmoothGlyphs = true;
  o->SetUseLeftBottomPixelAsTransparent(false);
  TBitmap picture;
  picture.SetSize(3, 2);
  m.Backgrounds()->SetSubMenu(&picture);
  const std::string text = WriteComponentText(&m);
  for (const char* line : {"  ImageOptions.CacheGlyphs = False\n", "  ImageOptions.ImageListBkColor = clRed\n",
                           "  ImageOptions.LargeIcons = True\n", "  ImageOptions.SmoothGlyphs = True\n",
                           "  ImageOptions.UseLeftBottomPixelAsTransparent = False\n", "  Backgrounds.SubMenu.Data = {"})
    EXPECT_NE(text.find(line), std::string::npos) << line << text;
  // Defaults are not written.
  for (const char* name : {"StretchGlyphs", "MakeDisabledImagesFaded", "Backgrounds.Bar"})
    EXPECT_EQ(text.find(name), std::string::npos) << name << text;

  TForm otherForm(nullptr);
  auto* copy = new TdxBarManager(&otherForm);
  ReadComponentText(text, copy);
  TdxBarImageOptions* c = copy->ImageOptions();
  EXPECT_FALSE(c->CacheGlyphs);
  EXPECT_EQ(c->ImageListBkColor(), clRed);
  EXPECT_TRUE(c->LargeIcons());
  EXPECT_TRUE(c->SmoothGlyphs);
  EXPECT_TRUE(c->StretchGlyphs);
  EXPECT_FALSE(c->UseLeftBottomPixelAsTransparent());
  EXPECT_EQ(copy->Backgrounds()->SubMenu()->Width(), 3);
  EXPECT_EQ(copy->Backgrounds()->SubMenu()->Height(), 2);
  EXPECT_EQ(copy->GetGlyphSize(), 32);
}

TEST_F(BarComponentsTest, ImageOptionsFindTheFormsImageLists) {
  ReadComponentText(R"(object Form1: TForm
  object Images1: TImageList
  end
  object M: TdxBarManager
    ImageOptions.HotImages = Images1
    ImageOptions.Images = Images1
  end
end
)",
                    form_.get());
  auto* m = dynamic_cast<TdxBarManager*>(form_->FindComponent("M"));
  ASSERT_NE(m, nullptr);
  TComponent* images = form_->FindComponent("Images1");
  ASSERT_NE(images, nullptr);
  EXPECT_EQ(m->Images(), images);
  EXPECT_EQ(m->HotImages(), images);
  delete images;
  EXPECT_EQ(m->Images(), nullptr);
  EXPECT_EQ(m->HotImages(), nullptr);
}

// ---- category lists in form descriptions

TEST_F(CategoriesTest, VisibilityListsStreamAfterTheNames) {
  Names({"A", "B", "C"});
  m_->SetCategoryItemsVisible(0, ivNever);
  m_->SetCategoryItemsVisible(1, ivInCustomizing);
  m_->SetCategoryVisible(1, false);
  const std::string text = WriteComponentText(m_);
  EXPECT_NE(text.find("  Categories.Strings = (\n    'A'\n    'B'\n    'C')\n"
                      "  Categories.ItemsVisibles = (\n    0\n    1\n    2)\n"
                      "  Categories.Visibles = (\n    True\n    False\n    True)\n"),
            std::string::npos)
      << text;

  TForm otherForm(nullptr);
  auto* copy = new TdxBarManager(&otherForm);
  ReadComponentText(text, copy);
  ASSERT_EQ(copy->Categories()->Count(), 3);
  const TdxBarItemVisible itemsVisible[] = {ivNever, ivInCustomizing, ivAlways};
  const bool visible[] = {true, false, true};
  for (int32_t i = 0; i < 3; ++i) {
    EXPECT_EQ(copy->GetCategoryItemsVisible(i), itemsVisible[i]) << i;
    EXPECT_EQ(copy->GetCategoryVisible(i), visible[i]) << i;
  }
}

TEST_F(CategoriesTest, StoredListsApplyWhatFitsOrNothing) {
  struct Case {
    const char* property;
    bool fails;
    std::vector<bool> visible;
  };
  const Case cases[] = {
      {"Categories.Visibles = (\n False\n True)", false, {false, true, false}},
      {"Categories.Visibles = ()", false, {true, true, false}},
      {"Categories.Visibles = (\n False\n False\n False\n False)", true, {true, true, false}},
      {"Categories.Visibles = (\n False\n 'x')", true, {true, true, false}},
      {"Categories.ItemsVisibles = (\n 2\n 7)", true, {true, true, false}},
  };
  for (const Case& c : cases) {
    Names({"A", "B", "C"});
    m_->SetCategoryVisible(2, false);
    const std::string text = std::string("object M: TdxBarManager\n  ") + c.property + "\nend\n";
    if (c.fails)
      EXPECT_THROW(ReadComponentText(text, m_), EReadError) << c.property;
    else
      EXPECT_NO_THROW(ReadComponentText(text, m_)) << c.property;
    std::vector<bool> visible;
    for (int32_t i = 0; i < m_->Categories()->Count(); ++i) visible.push_back(m_->GetCategoryVisible(i));
    EXPECT_EQ(visible, c.visible) << c.property;
    EXPECT_EQ(m_->GetCategoryItemsVisible(1), ivAlways) << c.property;
  }
}

// ---- the manager list's end

TEST_F(ManagerListTest, FreeingTheListReleasesTheHooksWhateverManagersRemain) {
  InstallToolbarHooks();
  ASSERT_NE(dxBarHookState().KeyboardHook, nullptr);
  {
    TdxBarManagerList list;
    list.Add(first_);
  }
  EXPECT_EQ(dxBarHookState().KeyboardHook, nullptr);
  EXPECT_EQ(dxBarHookState().MouseHook, nullptr);
  EXPECT_EQ(dxBarHookState().CallWndProcHook, nullptr);
  InstallToolbarHooks();  // the managers of the fixture still live
}

}  // namespace
