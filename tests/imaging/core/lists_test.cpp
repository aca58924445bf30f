#include "imaging/core/ielists.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/streamtestutil.h"

TEST(IEList, CapacityGrowsToTwiceOrTheCountAndShrinkingKeepsIt) {
  TIEIntegerList l;
  EXPECT_EQ(l.ItemSize(), 4);
  l.SetCount(5);
  EXPECT_EQ(l.Capacity(), 5);
  l.SetCount(6);
  EXPECT_EQ(l.Capacity(), 10);
  l.SetCount(2);
  EXPECT_EQ(l.Capacity(), 10);
  EXPECT_EQ(l.Count(), 2);
  EXPECT_EQ(l.ChangeFlags() & 1, 1u);
  EXPECT_THROW(l.SetCount(-1), EListError);
}

TEST(IEList, AddKeepsItemsAcrossGrowth) {
  TIEIntegerList l;
  for (int32_t i = 0; i < 100; ++i) EXPECT_EQ(l.Add(i * i), i);
  for (int32_t i = 0; i < 100; ++i) EXPECT_EQ(l.Items(i), i * i);
  EXPECT_EQ(l.Capacity(), 128);
}

TEST(IEList, DeleteRemovesOneItemAndShrinksTheBlock) {
  TIEIntegerList l;
  for (int32_t v : {10, 20, 30, 40}) l.Add(v);
  l.SetChangeFlags(0);
  for (int32_t bad : {-1, 4, 100}) l.Delete(bad);
  EXPECT_EQ(l.Count(), 4);
  EXPECT_EQ(l.ChangeFlags(), 0u);
  l.Delete(1);
  EXPECT_EQ(l.Count(), 3);
  EXPECT_EQ(l.Capacity(), 3);
  EXPECT_EQ(l.Items(0), 10);
  EXPECT_EQ(l.Items(1), 30);
  EXPECT_EQ(l.Items(2), 40);
  EXPECT_EQ(l.ChangeFlags(), 1u);
  TIEIntegerList one;
  one.Add(7);
  one.Delete(0);
  EXPECT_EQ(one.Count(), 0);
  EXPECT_EQ(one.Capacity(), 0);
}

TEST(IEList, IndexesOutsideTheListRaise) {
  TIEDoubleList l;
  l.Add(1.5);
  EXPECT_DOUBLE_EQ(l.Items(0), 1.5);
  for (int32_t bad : {-1, 1, 1000}) {
    EXPECT_THROW(l.Items(bad), EListError);
    EXPECT_THROW(l.GetItemAddress(bad), EListError);
  }
}

TEST(IEList, AssignCopiesItemsAndExtraFields) {
  TIEDoubleList src;
  for (double v : {0.5, 1.5, 2.5}) src.Add(v);
  src.RangeMin = 1;
  src.RangeMax = 9;
  src.RangeStep = 0.25;
  src.DefaultIndex = 2;
  src.CurrentIndex = 1;
  TIEDoubleList dst;
  dst.SetCount(100);
  dst.Assign(&src);
  EXPECT_EQ(dst.Count(), 3);
  EXPECT_EQ(dst.Capacity(), 3);
  EXPECT_DOUBLE_EQ(dst.Items(2), 2.5);
  EXPECT_DOUBLE_EQ(dst.RangeStep, 0.25);
  EXPECT_EQ(dst.DefaultIndex, 2);
  EXPECT_EQ(dst.CurrentIndex, 1);
  dst.Assign(nullptr);
  EXPECT_EQ(dst.Count(), 3);
  // Items of another kind would be read as doubles past their block.
  TIEIntegerList ints;
  ints.Add(1);
  EXPECT_THROW(dst.Assign(&ints), EInvalidCast);
  dst.Clear();
  EXPECT_EQ(dst.Count(), 0);
  EXPECT_EQ(dst.ItemSize(), 8);
  EXPECT_DOUBLE_EQ(dst.RangeMax, 0);
}

TEST(IERecordList, HoldsRecordsOfItsSize) {
  struct Span {
    int32_t row, left, right, dir;
  };
  TIERecordList l(sizeof(Span));
  l.SetCapacity(8);
  EXPECT_EQ(l.Capacity(), 8);
  EXPECT_EQ(l.Count(), 0);
  for (int32_t i = 0; i < 20; ++i) {
    const Span s{i, i * 2, i * 3, -i};
    l.Add(&s);
  }
  Span s;
  std::memcpy(&s, l.GetItemPtr(13), sizeof s);
  EXPECT_EQ(s.row, 13);
  EXPECT_EQ(s.right, 39);
  EXPECT_EQ(s.dir, -13);
  EXPECT_THROW(l.GetItemPtr(20), EListError);
  // Assigning into a record list of another record size takes the other's size.
  TIERecordList small(2);
  small.Assign(&l);
  EXPECT_EQ(small.ItemSize(), int32_t(sizeof(Span)));
  std::memcpy(&s, small.GetItemPtr(19), sizeof s);
  EXPECT_EQ(s.left, 38);
}

TEST(IEByteArray, GrowsAndShrinksByTheGrowthBlock) {
  TIEByteArray a(16);
  EXPECT_EQ(a.Capacity(), 16);
  for (int i = 0; i < 16; ++i) a.AppendByte(uint8_t(i));
  EXPECT_EQ(a.Capacity(), 16);
  a.AppendByte(16);
  EXPECT_EQ(a.Size(), 17);
  EXPECT_EQ(a.Capacity(), 33);
  for (int i = 0; i < 17; ++i) EXPECT_EQ(a.Data()[i], i);
  a.SetSize(20);  // within the block
  EXPECT_EQ(a.Capacity(), 33);
  a.SetSize(17);  // not below capacity - growth block
  EXPECT_EQ(a.Capacity(), 33);
  a.SetSize(3);  // below: reallocated, first bytes kept
  EXPECT_EQ(a.Capacity(), 19);
  EXPECT_EQ(a.Data()[2], 2);
  EXPECT_THROW(a.SetSize(-1), EListError);
}

TEST(IEByteArray, AppendFromStreamKeepsOnlyWhatArrived) {
  TMemoryStream s;
  imgtest::Fill(s, "abcdefghij");
  TIEByteArray a(4);
  a.AppendByte('>');
  EXPECT_EQ(a.AppendFromStream(s, 6), 6);
  EXPECT_EQ(a.AppendFromStream(s, 100), 4);
  EXPECT_EQ(a.AppendFromStream(s, 5), 0);
  EXPECT_EQ(a.AppendFromStream(s, -5), 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(a.Data()), size_t(a.Size())), ">abcdefghij");
}

TEST(Hash1, KeysOfOneBucketChain) {
  THash1 h(4);
  EXPECT_EQ(h.TableSize(), 16);
  EXPECT_EQ(h.HashIndex(1), 1);
  EXPECT_EQ(h.HashIndex(17), 1);
  EXPECT_EQ(h.HashIndex(33), 1);
  int32_t bucket;
  THash1Item* item;
  ASSERT_TRUE(h.AddItem(1, bucket, item));
  EXPECT_EQ(bucket, 1);
  EXPECT_EQ(item, nullptr);
  EXPECT_EQ(h.BucketState(1), 1);
  h.SetBucketData(1, 111);
  ASSERT_TRUE(h.AddItem(17, bucket, item));
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->key, 17u);
  EXPECT_EQ(h.BucketState(1), 2);
  // The old key moved to the chain's head with its data; the new key follows.
  THash1Item* head = h.BucketChain(1);
  EXPECT_EQ(head->key, 1u);
  EXPECT_EQ(head->data, 111u);
  EXPECT_EQ(head->next, item);
  EXPECT_FALSE(h.AddItem(17, bucket, item));
  EXPECT_FALSE(h.Insert(1));
  EXPECT_TRUE(h.Insert(33));
  EXPECT_EQ(h.Count(), 3);
  EXPECT_EQ(head->next->next->key, 33u);
  EXPECT_EQ(h.BucketState(2), 0);
  EXPECT_THROW(h.BucketState(16), EListError);
}

TEST(Hash1, CountsDistinctKeys) {
  THash1 h(36);  // taken modulo 32
  EXPECT_EQ(h.Bits(), 4);
  int32_t added = 0;
  for (uint32_t i = 0; i < 1000; ++i) added += h.Insert((i * 37) % 300) ? 1 : 0;
  EXPECT_EQ(added, 300);
  EXPECT_EQ(h.Count(), 300);
}

TEST(ColorCountFromBits, Formula) {
  const struct {
    int32_t bits, samples;
    int64_t count;
  } cases[] = {{8, 3, 16777216}, {1, 1, 2}, {5, 0, 1}, {16, 1, 65536}, {32, 2, 1}, {8, 4, 4294967296LL},
               {16, 4, INT64_MAX}};
  for (const auto& c : cases) EXPECT_EQ(IEColorCountFromBits(c.bits, c.samples), c.count) << c.bits << " " << c.samples;
}

TEST(CopyListItems, CopiesThePointers) {
  int a, b, c;
  TList src, dst;
  src.Add(&a);
  src.Add(&b);
  dst.Add(&c);
  dst.Add(&c);
  dst.Add(&c);
  IECopyListItems(src, dst);
  ASSERT_EQ(dst.Count(), 2);
  EXPECT_EQ(dst.Items(0), &a);
  EXPECT_EQ(dst.Items(1), &b);
}
