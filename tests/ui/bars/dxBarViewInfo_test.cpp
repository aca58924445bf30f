// The layout records of a bar window: the item-control list and the
// separator records, as a bar window's layout pass fills them.
#include "ui/bars/dxBarViewInfo.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/rtl/exceptions.h"
#include "ui/bars/dxBarElements.h"

namespace {

// Three item controls with layout records, in a view info of no particular window.
class ViewInfoTest : public ::testing::Test {
protected:
  TdxBarItemControl a_{nullptr, nullptr}, b_{nullptr, nullptr}, c_{nullptr, nullptr};
  TdxBarItemControlViewInfo &aInfo_{*a_.ViewInfo()}, &bInfo_{*b_.ViewInfo()}, &cInfo_{*c_.ViewInfo()};
  TCustomdxBarControlViewInfo info_{nullptr};
};

TEST_F(ViewInfoTest, TheControlOwnsOneLayoutRecordForItsLife) {
  TdxBarItemControl d(nullptr, nullptr);
  TdxBarItemControlViewInfo* record = d.ViewInfo();
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->Control(), &d);
  EXPECT_EQ(d.ViewInfo(), record);
}

TEST_F(ViewInfoTest, ItemControlsAreListedInLayoutOrder) {
  info_.AppendItemControlInfo(&bInfo_);
  info_.AppendItemControlInfo(&aInfo_);
  ASSERT_EQ(info_.ItemControlInfoCount(), 2);
  EXPECT_EQ(info_.ItemControlInfoAt(0), &bInfo_);
  EXPECT_EQ(info_.ItemControlInfoAt(1), &aInfo_);
  EXPECT_EQ(info_.IndexOfItemControl(&b_), 0);
  EXPECT_EQ(info_.IndexOfItemControl(&a_), 1);
  EXPECT_EQ(info_.IndexOfItemControl(&c_), -1);
  EXPECT_EQ(info_.IndexOfItemControl(nullptr), -1);
  EXPECT_TRUE(info_.HasItemControl(&a_));
  EXPECT_FALSE(info_.HasItemControl(&c_));
  EXPECT_THROW(info_.ItemControlInfoAt(2), EListError);
  EXPECT_THROW(info_.ItemControlInfoAt(-1), EListError);
}

TEST_F(ViewInfoTest, RemovingAnAbsentEntryChangesNothing) {
  info_.AppendItemControlInfo(&aInfo_);
  info_.AppendItemControlInfo(&bInfo_);
  info_.RemoveItemControlInfo(&cInfo_);
  info_.RemoveItemControlInfo(nullptr);
  ASSERT_EQ(info_.ItemControlInfoCount(), 2);
  EXPECT_EQ(info_.ItemControlInfoAt(0), &aInfo_);
  EXPECT_EQ(info_.ItemControlInfoAt(1), &bInfo_);
  info_.RemoveItemControlInfo(&aInfo_);
  ASSERT_EQ(info_.ItemControlInfoCount(), 1);
  EXPECT_EQ(info_.ItemControlInfoAt(0), &bInfo_);
}

TEST_F(ViewInfoTest, SeparatorsKeepTheirBoundsKindAndOrder) {
  info_.AppendSeparator({0, 0, 10, 2}, 1, &a_);
  info_.AppendSeparator({10, 0, 12, 20}, 2, &b_);
  info_.AppendSeparator({0, 30, 10, 32}, 3, &b_);
  ASSERT_EQ(info_.SeparatorCount(), 3);
  TdxBarSeparatorInfo s;
  info_.SeparatorAt(1, s);
  EXPECT_EQ(s.Bounds, TRect(10, 0, 12, 20));
  EXPECT_EQ(s.Kind, 2);
  info_.SeparatorAt(2, s);
  EXPECT_EQ(s.Bounds, TRect(0, 30, 10, 32));
  EXPECT_EQ(s.Kind, 3);
  // A stale index is refused instead of reading past the records.
  EXPECT_THROW(info_.SeparatorAt(3, s), EListError);
  EXPECT_THROW(info_.SeparatorAt(-1, s), EListError);

  int32_t index = -7;
  EXPECT_TRUE(info_.FindSeparatorOfControl(&b_, index));
  EXPECT_EQ(index, 1);  // the first of b's two records
  EXPECT_TRUE(info_.FindSeparatorOfControl(&a_, index));
  EXPECT_EQ(index, 0);
  EXPECT_FALSE(info_.FindSeparatorOfControl(&c_, index));
  EXPECT_FALSE(info_.FindSeparatorOfControl(nullptr, index));
  info_.ClearSeparators();
  EXPECT_EQ(info_.SeparatorCount(), 0);
  EXPECT_FALSE(info_.FindSeparatorOfControl(&a_, index));
}

TEST_F(ViewInfoTest, CalculateOfTheBaseEmptiesBothLists) {
  info_.AppendItemControlInfo(&aInfo_);
  info_.AppendItemControlInfo(&bInfo_);
  info_.AppendSeparator({0, 0, 1, 1}, 0, &a_);
  info_.Calculate();
  EXPECT_EQ(info_.ItemControlInfoCount(), 0);
  EXPECT_EQ(info_.SeparatorCount(), 0);
  EXPECT_FALSE(info_.HasItemControl(&a_));
  // The entries themselves live on.
  EXPECT_EQ(a_.ViewInfo(), &aInfo_);
}

// A descendant's layout pass: the base clears, then the entries are added.
class TTwoItemViewInfo : public TCustomdxBarControlViewInfo {
public:
  TTwoItemViewInfo(TdxBarItemControlViewInfo* A, TdxBarItemControlViewInfo* B)
      : TCustomdxBarControlViewInfo(nullptr), a_(A), b_(B) {}
  void Calculate() override {
    TCustomdxBarControlViewInfo::Calculate();
    AppendItemControlInfo(a_);
    AppendSeparator({0, 0, 1, 1}, 1, a_->Control());
    AppendItemControlInfo(b_);
  }

private:
  TdxBarItemControlViewInfo *a_, *b_;
};

TEST_F(ViewInfoTest, RepeatedLayoutPassesDoNotAccumulate) {
  TTwoItemViewInfo info(&aInfo_, &cInfo_);
  info.Calculate();
  info.Calculate();
  EXPECT_EQ(info.ItemControlInfoCount(), 2);
  EXPECT_EQ(info.SeparatorCount(), 1);
  EXPECT_EQ(info.IndexOfItemControl(&c_), 1);
}

}  // namespace
