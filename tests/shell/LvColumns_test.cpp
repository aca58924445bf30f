// Columns: positions, widths, sorting, the drop-down button and the column record.
#include <gtest/gtest.h>

#include "lv_bytes.h"
#include "lv_test_owner.h"
#include "shell/LvListview.h"

namespace {

class LvColumnsTest : public ::testing::Test {
protected:
  TLvTestOwner owner;
  TLvColumns& columns = owner.header.Columns();
  TLvColumn* AddColumn() { return static_cast<TLvColumn*>(columns.Add(nullptr)); }
  std::vector<int32_t> Positions() {
    std::vector<int32_t> out;
    for (int32_t i = 0; i < columns.Count(); ++i) out.push_back(columns.Columns(i)->Position());
    return out;
  }
};

TEST_F(LvColumnsTest, NewColumnDefaults) {
  TLvColumn* a = AddColumn();
  TLvColumn* b = AddColumn();
  EXPECT_EQ(a->Width(), 50);
  EXPECT_EQ(uint32_t(a->BkGndColor()), 0x1FFFFFFFu);
  EXPECT_EQ(a->Position(), 0);
  EXPECT_EQ(b->Position(), 1);
  EXPECT_EQ(a->SortDirection(), esdNone);
  EXPECT_TRUE(a->Enabled() && a->Visible() && !a->Checked());
  EXPECT_FALSE(a->DropDownButton().Visible());
  EXPECT_TRUE(a->DropDownButton().Enabled());
}

TEST_F(LvColumnsTest, MovingAColumnShiftsTheOthers) {
  struct Case {
    int32_t index, to;
    std::vector<int32_t> positions;
  } cases[] = {
      {0, 2, {2, 0, 1}},
      {2, 0, {1, 2, 0}},
      {1, 7, {0, 2, 1}},   // clamped to the last position
      {1, -1, {1, 0, 2}},  // clamped to the first
      {1, 1, {0, 1, 2}},
  };
  for (const Case& c : cases) {
    columns.Clear(true);
    for (int i = 0; i < 3; ++i) AddColumn();
    columns.Columns(c.index)->SetPosition(c.to);
    EXPECT_EQ(Positions(), c.positions) << c.index << " to " << c.to;
  }
  columns.Clear(true);
  AddColumn()->SetPosition(5);
  EXPECT_EQ(Positions(), std::vector<int32_t>{0}) << "a single column is always at 0";
}

TEST_F(LvColumnsTest, WidthAndSort) {
  TLvColumn* c = AddColumn();
  c->SetWidth(-5);
  EXPECT_EQ(c->Width(), 0);
  c->SetWidth(120);
  EXPECT_EQ(owner.header.TotalWidth(), 120);
  owner.autoSort = true;
  c->SetSortDirection(esdAscending);
  EXPECT_EQ(owner.focusedColumn, c);
  EXPECT_EQ(owner.sorts, 1);
  c->AutoSortOnClick = false;
  c->SetSortDirection(esdDescending);
  EXPECT_EQ(owner.sorts, 1);
  owner.groups.Clear(true);
  columns.Clear(true);
  EXPECT_EQ(owner.focusedColumn, nullptr) << "a freed column is no longer focused";
}

TEST_F(LvColumnsTest, HeaderHoverStates) {
  TLvColumn* a = AddColumn();
  TLvColumn* b = AddColumn();
  owner.header.SetHotTrackColumn(a);
  EXPECT_TRUE(a->HotTracking());
  owner.header.SetHotTrackColumn(b);
  EXPECT_FALSE(a->HotTracking());
  EXPECT_TRUE(b->HotTracking());
  a->DropDownButton().State = 0x06;
  owner.header.SetDropDownHoverColumn(a);
  EXPECT_EQ(a->DropDownButton().State, 0x07);
  owner.header.SetDropDownHoverColumn(b);
  EXPECT_EQ(a->DropDownButton().State, 0x00);
  EXPECT_EQ(b->DropDownButton().State, 0x01);
  columns.Clear(true);
  EXPECT_EQ(owner.header.HotTrackColumn(), nullptr);
  EXPECT_EQ(owner.header.DropDownHoverColumn(), nullptr);
}

TEST_F(LvColumnsTest, HeaderHeightFollowsTheView) {
  owner.header.Height = 24;
  struct Case {
    int32_t kind;
    bool allViews;
    int32_t live;
  } cases[] = {{lvkReport, false, 24}, {lvkGrid, false, 24}, {lvkIcon, false, 0}, {lvkIcon, true, 24}};
  for (const Case& c : cases) {
    owner.viewKind = c.kind;
    owner.header.SetShowInAllViews(c.allViews);
    EXPECT_EQ(owner.header.LiveHeight(), c.live) << c.kind;
  }
  owner.header.AutoSizeHeight = true;
  owner.header.FontTextHeight = 30;
  EXPECT_EQ(owner.header.CalculatedHeight(), 38);
  owner.header.SetVisible(false);
  EXPECT_EQ(owner.header.LiveHeight(), 0);
}

// The record of a stored column: element record, the column's fields, the
// helper. Written out by hand for each version.
LvBytes ColumnRecord(int32_t version, int32_t position) {
  LvBytes b;
  AppendElement(b, version, 0x0880);
  Append(b, {2 /*taCenter*/, 0 /*AutoSizeOnDblClk*/});
  if (version > 1) b.push_back(0);  // AutoSortOnClick
  Append(b, {1 /*AutoSpring*/, 0 /*AutoToggleSortGlyph*/});
  AppendI32(b, position);
  Append(b, {2 /*esdDescending*/, 0xAB /*kept byte*/, 0 /*Clickable*/});
  AppendI32(b, 77);
  if (version > 5) {
    AppendI32(b, 0x00112233);
    Append(b, {1, 0, 0, 0x05, 1});  // AlwaysShow, Enabled, AlwaysShow again, state, Visible
  }
  AppendEmptyHelper(b, 4);
  return b;
}

TEST_F(LvColumnsTest, ColumnRecordsOfEachVersionReadBack) {
  for (int32_t version : {1, 5, 6}) {
    SCOPED_TRACE(version);
    TMemoryStream s;
    LoadBytes(s, ColumnRecord(version, 0));
    TLvColumn* c = AddColumn();
    int32_t read = 0;
    c->LoadFromStream(&s, read);
    EXPECT_EQ(read, version);
    EXPECT_EQ(s.Position(), s.Size());
    EXPECT_EQ(c->Alignment(), taCenter);
    EXPECT_FALSE(c->AutoSizeOnDblClk);
    EXPECT_EQ(c->AutoSortOnClick, version == 1) << "version 1 has no such byte and keeps the default";
    EXPECT_TRUE(c->AutoSpring());
    EXPECT_EQ(c->SortDirection(), esdDescending);
    EXPECT_EQ(c->StreamByte, 0xAB);
    EXPECT_FALSE(c->Clickable);
    EXPECT_EQ(c->Width(), 77);
    EXPECT_EQ(uint32_t(c->BkGndColor()), version > 5 ? 0x00112233u : 0x1FFFFFFFu);
    // The third byte of the button lands in AlwaysShow once more.
    EXPECT_FALSE(c->DropDownButton().AlwaysShow());
    EXPECT_EQ(c->DropDownButton().State, version > 5 ? 0x05 : 0);
    EXPECT_EQ(c->DropDownButton().Visible(), version > 5);
  }
}

TEST_F(LvColumnsTest, ColumnRecordWritesAlwaysShowTwice) {
  TLvColumn* c = AddColumn();
  c->SetAlignment(taCenter);
  c->AutoSizeOnDblClk = false;
  c->AutoSortOnClick = false;
  c->SetAutoSpring(true);
  c->AutoToggleSortGlyph = false;
  c->SetSortDirection(esdDescending);
  c->StreamByte = 0xAB;
  c->Clickable = false;
  c->SetWidth(77);
  c->SetBkGndColor(0x00112233);
  c->DropDownButton().SetAlwaysShow(true);
  c->DropDownButton().SetEnabled(false);
  c->DropDownButton().State = 0x05;
  c->DropDownButton().SetVisible(true);
  TMemoryStream s;
  c->SaveToStream(&s, 6);
  LvBytes expected = ColumnRecord(6, 0);
  expected[expected.size() - 16 - 5 + 0] = 1;  // AlwaysShow
  expected[expected.size() - 16 - 5 + 2] = 1;  // AlwaysShow again
  EXPECT_EQ(StreamBytes(s), expected);
}

TEST_F(LvColumnsTest, PositionsFarOutOfRangeKeepAConsistentOrder) {
  LvBytes b;
  AppendI32(b, 6);
  AppendI32(b, 3);
  for (int32_t position : {0x7FFFFFFF, -1000, 5}) {
    AppendName(b, "TLvColumnStored");
    const LvBytes record = ColumnRecord(6, position);
    b.insert(b.end(), record.begin(), record.end());
  }
  TMemoryStream s;
  LoadBytes(s, b);
  columns.ReadItems(&s);
  ASSERT_EQ(columns.Count(), 3);
  const std::vector<TLvColumn*> order = owner.header.PositionList();
  ASSERT_EQ(order.size(), 3u);
  EXPECT_EQ(order[0], columns.Columns(1));
  EXPECT_EQ(order[2], columns.Columns(0));
  EXPECT_EQ(owner.header.LastColumnByPosition(), columns.Columns(0));
  // Moving one brings it back into range.
  columns.Columns(0)->SetPosition(columns.Columns(0)->Position());
  EXPECT_EQ(columns.Columns(0)->Position(), 2);
}

TEST_F(LvColumnsTest, ColumnMakeVisibleIsHorizontalOnly) {
  TLvColumn* c = AddColumn();
  struct Case {
    int32_t position, left, right, offsetX;
  } cases[] = {
      {0, 300, 350, 300}, {3, 300, 350, 300}, {1, 300, 350, 300 - (200 - 50) / 2}, {2, 300, 350, 150}, {0, 10, 60, 0}};
  for (const Case& k : cases) {
    owner.offsetX = owner.offsetY = 0;
    c->DisplayRect = TRect(k.left, 0, k.right, 20);
    c->MakeVisible(k.position);
    EXPECT_EQ(owner.offsetX, k.offsetX) << k.position;
    EXPECT_EQ(owner.offsetY, 0);
  }
}

}  // namespace
