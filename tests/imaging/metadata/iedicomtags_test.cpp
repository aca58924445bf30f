#include "imaging/metadata/iedicomtags.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/rtl/exceptions.h"

namespace {

std::vector<uint8_t> Block(const std::string& s) {
  std::vector<uint8_t> v(s.begin(), s.end());
  v.push_back(0);
  return v;
}

}  // namespace

TEST(IEDICOMTags, AddTagStoresValueRepresentationAndTakesTheBlock) {
  TIEDICOMTags tags;
  EXPECT_EQ(tags.AddTag(0x0008, 0x0060, "CT", Block("MR"), 2), 0);
  std::vector<uint8_t> kept = Block("keep");
  EXPECT_EQ(tags.AddTag(0x0010, 0x0010, "PN", std::move(kept), -1), 1);
  EXPECT_EQ(kept.size(), 5u);  // a negative size leaves the block with the caller
  tags.AddTag(0x0028, 0x0010, "UL ", Block("\x02\x00"), 2);
  tags.AddTag(0x7FE0, 0x0010, "", {}, 0);

  const TIEDICOMTagRecord& a = tags.GetTag(0);
  EXPECT_EQ(a.Group, 0x0008);
  EXPECT_EQ(a.Element, 0x0060);
  EXPECT_EQ(std::string(a.VR, 2), "CT");
  EXPECT_EQ(a.Size, 2);
  ASSERT_EQ(a.Data.size(), 3u);
  EXPECT_EQ(std::memcmp(a.Data.data(), "MR", 3), 0);

  EXPECT_EQ(tags.GetTag(1).Size, 0);
  EXPECT_TRUE(tags.GetTag(1).Data.empty());
  EXPECT_EQ(tags.GetTag(2).VR[0], 0);
  EXPECT_EQ(tags.GetTag(2).VR[1], 0);
  EXPECT_TRUE(tags.GetTag(3).Data.empty());
  EXPECT_THROW(tags.GetTag(4), EListError);
}

TEST(IEDICOMTags, AssignCopiesValueAndTerminator) {
  TIEDICOMTags source, copy;
  source.AddTag(0x0020, 0x0013, "IS", Block("1234"), 4);
  source.AddTag(0x0020, 0x0014, "IS", {}, 0);
  copy.AddTag(1, 1, "XX", Block("gone"), 4);
  copy.Assign(source);
  ASSERT_EQ(copy.Count(), 2);
  ASSERT_EQ(copy.GetTag(0).Data.size(), 5u);
  EXPECT_EQ(std::memcmp(copy.GetTag(0).Data.data(), "1234", 5), 0);
  EXPECT_NE(copy.GetTag(0).Data.data(), source.GetTag(0).Data.data());
  EXPECT_TRUE(copy.GetTag(1).Data.empty());
  copy.Clear();
  EXPECT_EQ(copy.Count(), 0);
}

TEST(IEDICOMTags, ABlockShorterThanItsSizeIsNeverReadPast) {
  TIEDICOMTags tags;
  tags.AddTag(1, 2, "OB", std::vector<uint8_t>{'a', 'b'}, 1000);
  const TIEDICOMTagRecord& r = tags.GetTag(0);
  EXPECT_EQ(size_t(r.Size) + 1, r.Data.size());
  EXPECT_EQ(r.Data.back(), 0);
}
