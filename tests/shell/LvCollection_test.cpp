// The flag protocol, the element record and the "Items" property.
#include <gtest/gtest.h>

#include "lv_bytes.h"
#include "lv_test_owner.h"
#include "platform/classes/filer.h"
#include "platform/com/oleacc.h"
#include "platform/rtl/exceptions.h"
#include "shell/LvListview.h"
#include "shell/ShCommonUtilities.h"

namespace {

class LvModel : public ::testing::Test {
protected:
  TLvTestOwner owner;
  TLvGroup* group = static_cast<TLvGroup*>(owner.groups.Add(nullptr));
  TLvItem* AddItem() { return static_cast<TLvItem*>(group->Items()->Add(nullptr)); }
};

// ---------------------------------------------------------------- flag protocol

TEST_F(LvModel, FocusAndSelectionGoOnlyToVisibleEnabledElements) {
  struct Case {
    bool visible, enabled;
  } cases[] = {{false, true}, {true, false}, {false, false}};
  for (const Case& c : cases) {
    TLvItem* item = AddItem();
    item->SetEnabled(c.enabled);
    item->SetVisible(c.visible);
    owner.events.clear();
    item->SetFocused(true);
    item->SetSelected(true);
    EXPECT_FALSE(item->Focused());
    EXPECT_FALSE(item->Selected());
    EXPECT_TRUE(owner.events.empty()) << "nothing is asked of a hidden or disabled element";
  }
}

TEST_F(LvModel, AnOwnerThatRefusesEverythingChangesNothing) {
  TLvItem* item = AddItem();
  for (int n = 0; n < LvNotifyCount; ++n) owner.answers[TLvNotify(n)] = false;
  const uint16_t before = item->State();
  owner.events.clear();
  item->SetSelected(true);
  item->SetFocused(true);
  item->SetChecked(true);
  item->SetEnabled(false);
  item->SetVisible(false);
  EXPECT_EQ(item->State(), before);
  for (const std::string& name : owner.Names()) EXPECT_NE(name.find("Changing"), std::string::npos) << name;
  // Ghosting asks no one.
  item->SetGhosted(true);
  EXPECT_TRUE(item->Ghosted());
}

TEST_F(LvModel, LosingVisibleTakesFocusSelectionAndCheckUnlessTheOwnerKeepsChecks) {
  for (bool keep : {false, true}) {
    owner.keepChecks = keep;
    TLvItem* item = AddItem();
    item->SetChecked(true);
    item->SetSelected(true);
    item->SetFocused(true);
    ASSERT_TRUE(item->Selected() && item->Focused() && item->Checked());
    item->SetVisible(false);
    EXPECT_FALSE(item->Visible());
    EXPECT_FALSE(item->Focused());
    EXPECT_FALSE(item->Selected());
    EXPECT_EQ(item->Checked(), keep);
    EXPECT_EQ(owner.focused, nullptr);
  }
}

TEST_F(LvModel, LosingEnabledTakesFocusAndSelectionFirst) {
  TLvItem* item = AddItem();
  item->SetSelected(true);
  item->SetFocused(true);
  owner.events.clear();
  item->SetEnabled(false);
  EXPECT_FALSE(item->Focused() || item->Selected() || item->Enabled());
  const std::vector<std::string> expected = {"ItemEnableChanging",   "ItemFocusChanging",     "ItemFocusChanged",
                                             "ItemSelectionChanging", "ItemSelectionChanged", "ItemEnableChanged"};
  EXPECT_EQ(owner.Names(), expected);
  EXPECT_EQ(owner.selectedCount, 0);
}

// Records, at each notification, the accessibility events told so far.
class EventOrderOwner : public TLvTestOwner {
public:
  size_t eventsWhenAsked = 99, eventsWhenChanged = 99;
  bool NotifyChanging(TLvNotify n, TLvCollectionItem* e) override {
    if (n == lvnItemCheckChanging) eventsWhenAsked = win::TakeWinEvents().size();
    return TLvTestOwner::NotifyChanging(n, e);
  }
  void Notify(TLvNotify n, TLvCollectionItem* e) override {
    if (n == lvnItemCheckChanged) {
      const auto told = win::TakeWinEvents();
      eventsWhenChanged = told.size();
      if (!told.empty()) {
        EXPECT_EQ(told[0].Event, win::EVENT_OBJECT_STATECHANGE);
        EXPECT_EQ(told[0].ObjectId, win::OBJID_CLIENT);
        EXPECT_EQ(told[0].ChildId, 0);
      }
    }
    TLvTestOwner::Notify(n, e);
  }
};

TEST(LvFlags, SetCheckedTellsAccessibilityAfterPermissionAndBeforeTheChange) {
  EventOrderOwner owner;
  owner.handle = true;
  auto* group = static_cast<TLvGroup*>(owner.groups.Add(nullptr));
  auto* item = static_cast<TLvItem*>(group->Items()->Add(nullptr));
  win::TakeWinEvents();
  item->SetChecked(true);
  EXPECT_EQ(owner.eventsWhenAsked, 0u);
  EXPECT_EQ(owner.eventsWhenChanged, 1u);
  EXPECT_TRUE(item->Checked());
  EXPECT_EQ(owner.checkedCount, 1);

  owner.answers[lvnItemCheckChanging] = false;
  item->SetChecked(false);
  EXPECT_TRUE(win::TakeWinEvents().empty()) << "a refused change tells nobody";
  EXPECT_TRUE(item->Checked());
}

TEST_F(LvModel, ClearWithoutFreeingLeavesElementsDestroyingAndAsksNoMore) {
  TLvItem* a = AddItem();
  TLvItem* b = AddItem();
  a->SetChecked(true);
  b->SetSelected(true);
  b->SetFocused(true);
  TLvItems* items = group->Items();
  items->Clear(false);
  EXPECT_EQ(items->Count(), 0);
  EXPECT_TRUE(b->Destroying());
  EXPECT_FALSE(b->Selected() || b->Focused());
  EXPECT_EQ(owner.selectionUpdateDepth, 0);
  EXPECT_EQ(owner.updateDepth, 0);
  // Once destroying, a change only clears and reports.
  owner.events.clear();
  owner.answers[lvnItemCheckChanging] = false;
  a->SetChecked(false);
  EXPECT_FALSE(a->Checked());
  EXPECT_EQ(owner.Names(), std::vector<std::string>{"ItemCheckChanged"});
  // A gain while destroying reports nothing, so the owner's counts stay right.
  owner.events.clear();
  owner.answers.clear();
  a->SetChecked(true);
  b->SetSelected(true);
  EXPECT_FALSE(a->Checked() || b->Selected());
  EXPECT_TRUE(owner.events.empty());
  EXPECT_EQ(owner.checkedCount, 0);
  EXPECT_EQ(owner.selectedCount, 0);
  TLvCollectionItem::Free(a);
  TLvCollectionItem::Free(b);
}

TEST_F(LvModel, VisibleWalksAndRenumbering) {
  TLvItem* items[4];
  for (TLvItem*& i : items) i = AddItem();
  items[1]->SetVisible(false);
  TLvItems* list = group->Items();
  for (int i = 0; i < 4; ++i) EXPECT_EQ(items[i]->Index(), i);
  EXPECT_EQ(list->NextVisible(items[0]), items[2]);
  EXPECT_EQ(list->PrevVisible(items[2]), items[0]);
  EXPECT_EQ(list->PrevVisible(items[0]), nullptr);
  EXPECT_EQ(list->NextVisible(items[3]), nullptr);
  EXPECT_EQ(list->NextVisible(nullptr), nullptr);
  EXPECT_EQ(list->FirstVisible(), nullptr) << "the visible list is the layout's";
  owner.groups.ReIndexLock = 1;
  TLvItem* late = AddItem();
  EXPECT_EQ(late->Index(), -1) << "numbering waits while the groups' lock is held";
  list->RenumberItems(true);
  EXPECT_EQ(late->Index(), 4);
  owner.groups.ReIndexLock = 0;
}

// ---------------------------------------------------------------- element record

TEST_F(LvModel, ElementRecordStoresMarkerVersionAndMaskedState) {
  TLvItem* item = AddItem();
  item->SetChecked(true);
  item->SetSelected(true);
  item->SetBold(true);
  item->SetCut(true);
  item->SetGhosted(true);
  item->SetFocused(true);
  TMemoryStream s;
  item->SaveToStream(&s, 6);
  LvBytes expected = {0xFF, 0xFE, 0xCE, 0x00, 6, 0, 0, 0, 0x81, 0x2C};
  AppendEmptyHelper(expected, 6);
  EXPECT_EQ(StreamBytes(s), expected);
}

TEST_F(LvModel, RecordWithoutMarkerLoadsAsVersionTwoFromItsFirstByte) {
  // Selected | Visible | Enabled, one caption "Hi", one group key 7, and no
  // state image indexes: version 2 predates them.
  LvBytes b = {0x80, 0x0C};
  AppendI32(b, 1);
  AppendI32(b, 2);
  Append(b, {'H', 0, 'i', 0});
  AppendEmptyHelper(b, 3);
  AppendI32(b, 1);
  AppendI32(b, 7);
  TMemoryStream s;
  LoadBytes(s, b);
  auto* item = static_cast<TLvItemStored*>(AddItem());
  int32_t version = 0;
  item->LoadFromStream(&s, version);
  EXPECT_EQ(version, 2);
  EXPECT_EQ(s.Position(), s.Size());
  EXPECT_TRUE(item->Selected());
  EXPECT_EQ(item->Caption(), "Hi");
  EXPECT_EQ(item->GetGroupKey(0), 7);
  EXPECT_EQ(item->StateImageIndex(), -1);

  // The same fields as version 3 want the state image indexes too.
  LvBytes v3;
  AppendElement(v3, 3, 0x0C80);
  v3.insert(v3.end(), b.begin() + 2, b.end());
  LoadBytes(s, v3);
  auto* other = static_cast<TLvItemStored*>(AddItem());
  EXPECT_THROW(other->LoadFromStream(&s, version), EReadError);
}

TEST_F(LvModel, SelectedWithoutEnabledLoadsNeitherSelectedNorEnabled) {
  LvBytes b;
  AppendElement(b, 6, 0x0C00);  // Selected | Visible
  AppendEmptyHelper(b, 6);
  TMemoryStream s;
  LoadBytes(s, b);
  TLvItem* item = AddItem();
  int32_t version = 0;
  item->LoadFromStream(&s, version);
  EXPECT_EQ(version, 6);
  EXPECT_FALSE(item->Selected());
  EXPECT_FALSE(item->Enabled());
  EXPECT_EQ(owner.selectedCount, 0);
}

TEST_F(LvModel, ReadingUnderAnOwnerThatRefusesEverythingKeepsTheDefaults) {
  LvBytes b;
  AppendI32(b, 6);
  AppendI32(b, 1);
  AppendName(b, "TLvItemStored");
  AppendElement(b, 6, 0x2C81 & ~0x0080);  // Checked, Selected, Visible, Bold; not Enabled
  AppendEmptyHelper(b, 6);
  for (int n = 0; n < LvNotifyCount; ++n) owner.answers[TLvNotify(n)] = false;
  TMemoryStream s;
  LoadBytes(s, b);
  group->Items()->ReadItems(&s);
  ASSERT_EQ(group->Items()->Count(), 1);
  TLvItem* item = group->Items()->Items(0);
  EXPECT_TRUE(item->Enabled());
  EXPECT_FALSE(item->Selected() || item->Checked());
  EXPECT_TRUE(item->Bold()) << "bold needs no permission";
  EXPECT_EQ(owner.selectedCount, 0);
  EXPECT_EQ(owner.checkedCount, 0);
}

// ---------------------------------------------------------------- "Items"

// Captures what DefineProperties offers.
class RecordingFiler : public TFiler {
public:
  explicit RecordingFiler(TStream& s) : TFiler(s) {}
  std::string name;
  bool hasData = false;
  TStreamProc write;
  void DefineProperty(const std::string&, const TReaderProc&, const TWriterProc&, bool) override {}
  void DefineBinaryProperty(const std::string& n, const TStreamProc&, const TStreamProc& w, bool has) override {
    name = n;
    hasData = has;
    write = w;
  }
};

TEST_F(LvModel, ItemsPropertyIsStoredOnlyForShownNonEmptyCollections) {
  TMemoryStream s;
  struct Case {
    int items;
    bool hidden, stored;
  } cases[] = {{0, false, false}, {2, true, false}, {2, false, true}};
  for (const Case& c : cases) {
    TLvTestOwner o;
    auto* g = static_cast<TLvGroup*>(o.groups.Add(nullptr));
    for (int i = 0; i < c.items; ++i) g->Items()->Add(nullptr);
    g->Items()->HideFromFormFile = c.hidden;
    RecordingFiler filer(s);
    g->Items()->DefineProperties(&filer);
    EXPECT_EQ(filer.name, "Items");
    EXPECT_EQ(filer.hasData, c.stored);
  }
}

TEST_F(LvModel, ItemsRecordNamesEachElementClass) {
  TLvItem* item = AddItem();
  item->SetCaption("A");
  TMemoryStream s;
  group->Items()->WriteItems(&s);
  LvBytes expected;
  AppendI32(expected, 6);
  AppendI32(expected, 1);
  AppendName(expected, "TLvItemStored");
  AppendElement(expected, 6, 0x0880);
  AppendI32(expected, 1);
  AppendI32(expected, 1);
  Append(expected, {'A', 0});
  AppendEmptyHelper(expected, 5);
  EXPECT_EQ(StreamBytes(s), expected);
}

TEST_F(LvModel, GroupsWithTheirItemsRoundTrip) {
  group->SetCaption("Fotos");
  TLvItem* a = AddItem();
  a->SetCaption("links");
  a->SetChecked(true);
  TLvItem* b = AddItem();
  static_cast<TLvItemStored*>(b)->SetGroupKey(2, 9);
  b->SetSelected(true);
  b->SetEnabled(false);
  group->Items()->SetElementClass(TLvItemVirtual::StaticClass());
  group->Items()->Add(nullptr);
  TMemoryStream s;
  owner.groups.WriteItems(&s);

  TLvTestOwner other;
  s.SetPosition(0);
  other.groups.ReadItems(&s);
  EXPECT_EQ(s.Position(), s.Size());
  ASSERT_EQ(other.groups.Count(), 1);
  TLvGroup* g = other.groups.Groups(0);
  EXPECT_EQ(g->Caption(), "Fotos");
  ASSERT_EQ(g->Items()->Count(), 3);
  EXPECT_EQ(g->Items()->Items(2)->ClassName(), "TLvItemVirtual");
  EXPECT_EQ(g->Items()->Items(0)->Caption(), "links");
  EXPECT_TRUE(g->Items()->Items(0)->Checked());
  EXPECT_EQ(g->Items()->Items(1)->GetGroupKey(2), 9);
  EXPECT_EQ(g->Items()->Items(1)->GetGroupKey(1), 0xFFFF);
  EXPECT_FALSE(g->Items()->Items(1)->Enabled());
  EXPECT_FALSE(g->Items()->Items(1)->Selected());
  EXPECT_EQ(other.selectedCount, 0);
}

// Hostile "Items" records for an item collection: what fails, and how many
// elements stay.
struct HostileCase {
  const char* what;
  LvBytes bytes;
  enum { ReadError, Assertion, None } failure;
  int32_t elementsLeft;
};

LvBytes Header(int32_t version, int32_t count) {
  LvBytes b;
  AppendI32(b, version);
  AppendI32(b, count);
  return b;
}

LvBytes WholeStoredItem() {
  LvBytes b;
  AppendName(b, "TLvItemStored");
  AppendElement(b, 6, 0x0880);
  AppendEmptyHelper(b, 6);
  return b;
}

std::vector<HostileCase> HostileCases() {
  std::vector<HostileCase> cases;
  cases.push_back({"empty", {}, HostileCase::ReadError, 0});
  cases.push_back({"version only", {6, 0, 0, 0}, HostileCase::ReadError, 0});
  cases.push_back({"no elements", Header(6, 0), HostileCase::None, 0});
  cases.push_back({"negative count", Header(6, -1), HostileCase::ReadError, 0});
  cases.push_back({"count past the bytes", Header(6, 0x7FFFFFFF), HostileCase::ReadError, 0});
  {
    LvBytes b = Header(6, 1);
    AppendI32(b, 0x7FFFFFFF);
    Append(b, {'T', 'L', 'v'});
    cases.push_back({"name length past the bytes", b, HostileCase::ReadError, 0});
  }
  {
    LvBytes b = Header(6, 1);
    AppendI32(b, -4);
    Append(b, {0, 0, 0, 0});
    cases.push_back({"negative name length", b, HostileCase::ReadError, 0});
  }
  {
    LvBytes b = Header(6, 1);
    AppendName(b, "TNoSuchItem");
    AppendElement(b, 6, 0x0880);
    cases.push_back({"unregistered class", b, HostileCase::Assertion, 0});
  }
  {
    LvBytes b = Header(6, 2);
    LvBytes item = WholeStoredItem();
    b.insert(b.end(), item.begin(), item.end());
    AppendName(b, "TNoSuchItem");
    AppendElement(b, 6, 0x0880);
    cases.push_back({"unregistered class after one element", b, HostileCase::Assertion, 1});
  }
  {
    LvBytes b = Header(6, 1);
    AppendName(b, "TLvColumnStored");
    AppendElement(b, 6, 0x0880);
    cases.push_back({"a column among items", b, HostileCase::ReadError, 0});
  }
  {
    LvBytes b = Header(6, 1);
    AppendName(b, "TLvItemStored");
    AppendElement(b, 6, 0x0880);
    AppendI32(b, 0x40000000);  // captions
    cases.push_back({"caption count past the bytes", b, HostileCase::ReadError, 1});
  }
  {
    LvBytes b = Header(6, 1);
    AppendName(b, "TLvItemStored");
    AppendElement(b, 6, 0x0880);
    AppendI32(b, 1);
    AppendI32(b, 0x20000000);  // caption length
    Append(b, {'x', 0});
    cases.push_back({"caption length past the bytes", b, HostileCase::ReadError, 1});
  }
  {
    LvBytes b = Header(6, 1);
    AppendName(b, "TLvItemStored");
    AppendElement(b, 6, 0x0880);
    AppendI32(b, 0);
    AppendI32(b, -3);  // details
    cases.push_back({"negative detail count", b, HostileCase::ReadError, 1});
  }
  {
    LvBytes b = Header(4, 0x7FFFFFFF);
    Append(b, {0x80, 0x08});
    cases.push_back({"old record count past the bytes", b, HostileCase::ReadError, 0});
  }
  {
    LvBytes b = Header(4, 1);
    Append(b, {0x80, 0x08, 0, 0});
    cases.push_back({"old record cut short", b, HostileCase::ReadError, 1});
  }
  return cases;
}

TEST_F(LvModel, HostileItemsRecordsFailAndLeaveAConsistentCollection) {
  for (const HostileCase& c : HostileCases()) {
    SCOPED_TRACE(c.what);
    TLvItems* items = group->Items();
    AddItem();  // replaced by the read
    TMemoryStream s;
    LoadBytes(s, c.bytes);
    try {
      items->ReadItems(&s);
      EXPECT_EQ(c.failure, HostileCase::None);
    } catch (const EAssertionFailed& e) {
      EXPECT_EQ(c.failure, HostileCase::Assertion);
      EXPECT_EQ(e.Message(),
                "If using custom item types for Item, Groups or Columns you must register them with the "
                "streaming system with RegisterClass(TMyLvClassItemType)");
    } catch (const EReadError&) {
      EXPECT_EQ(c.failure, HostileCase::ReadError);
    }
    ASSERT_EQ(items->Count(), c.elementsLeft);
    for (int32_t i = 0; i < items->Count(); ++i) EXPECT_EQ(items->Items(i)->Index(), i);
    // Still writable and readable.
    TMemoryStream again;
    items->WriteItems(&again);
    again.SetPosition(0);
    items->ReadItems(&again);
    EXPECT_EQ(items->Count(), c.elementsLeft);
    items->SetElementClass(TLvItemStored::StaticClass());
  }
}

}  // namespace
