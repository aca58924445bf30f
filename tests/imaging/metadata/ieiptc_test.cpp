#include "imaging/metadata/ieiptc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/imaging/formats/tiffbuilder.h"
#include "tests/support/testsupport.h"

namespace {

std::string Str(const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); }

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

std::string Item(const TIEIPTCInfoList& l, int32_t i) {
  return std::string(reinterpret_cast<const char*>(l.GetItemData(i)), size_t(l.GetItemLength(i)));
}

const std::string kVersion("\x1C\x02\x00\x00\x02\x00\x02", 7);
const std::string kWrapperStart("Photoshop 3.0\0" "8BIM\x04\x04\0\0", 22);

}  // namespace

TEST(IEIPTCInfoList, SaveWithoutHeaderWritesTheVersionDatasetAndPads) {
  TIEIPTCInfoList l;
  l.AddBufferItem(2, 120, 3, "abc");
  const std::vector<uint8_t> expected = {0x1C, 0x02, 0x00, 0x00, 0x02, 0x00, 0x02, 0x1C,
                                         0x02, 0x78, 0x00, 0x03, 0x61, 0x62, 0x63, 0x00};
  EXPECT_EQ(l.SaveToBuffer(false), expected);
}

TEST(IEIPTCInfoList, SaveWithPhotoshopHeaderCountsTheDatasets) {
  TIEIPTCInfoList l;
  l.AddBufferItem(2, 120, 3, "abc");
  const std::string out = Str(l.SaveToBuffer(true));
  ASSERT_EQ(out.size(), 34u);
  EXPECT_EQ(out.substr(0, 22), kWrapperStart);
  EXPECT_EQ(out.substr(22, 4), std::string("\0\0\0\x08", 4));
  EXPECT_EQ(out.substr(26), std::string("\x1C\x02\x78\x00\x03" "abc", 8));
}

TEST(IEIPTCInfoList, SkipsVersionAndEmptyItemsAndGivesNothingForAnEmptyList) {
  TIEIPTCInfoList l;
  EXPECT_TRUE(l.SaveToBuffer(true).empty());
  l.AddBufferItem(2, 0, 2, "\x00\x04");
  l.AddBufferItem(2, 25, 0, nullptr);
  l.AddBufferItem(1, 90, 3, "\x1B%G");
  EXPECT_EQ(Str(l.SaveToBuffer(false)), kVersion + std::string("\x1C\x01\x5A\x00\x03\x1B%G\0", 9));  // 15 bytes, padded
}

TEST(IEIPTCInfoList, LargeItemsUseTheExtendedLengthAndReadBack) {
  std::string big(40000, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = char(i % 251);
  TIEIPTCInfoList l;
  l.AddBufferItem(2, 202, int32_t(big.size()), big.data());
  l.AddBufferItem(2, 5, 5, "title");
  const std::vector<uint8_t> out = l.SaveToBuffer(true);
  EXPECT_EQ(Str(out).substr(26, 9), std::string("\x1C\x02\xCA\x80\x04\x00\x00\x9C\x40", 9));
  const uint32_t total = (uint32_t(out[22]) << 24) | (uint32_t(out[23]) << 16) | (uint32_t(out[24]) << 8) | out[25];
  EXPECT_EQ(total, 40000u + 9 + 5 + 5);

  TIEIPTCInfoList back;
  ASSERT_TRUE(back.LoadFromBuffer(out.data(), int32_t(out.size())));
  EXPECT_FALSE(back.Changed());
  ASSERT_EQ(back.GetCount(), 2);
  EXPECT_EQ(back.GetRecordNumber(0), 2);
  EXPECT_EQ(back.GetDataSet(0), 202);
  EXPECT_EQ(Item(back, 0), big);
  EXPECT_EQ(Item(back, 1), "title");
}

TEST(IEIPTCInfoList, LoadFromMalformedBlocks) {
  const std::string ds("\x1C\x02\x05\x00\x02hi", 7);
  struct Case {
    const char* name;
    std::string block;
    bool result;
    std::vector<std::string> items;
  };
  const std::vector<Case> cases = {
      {"empty", "", false, {}},
      {"only a tag marker", "\x1C", false, {}},
      {"a header with no byte after it", std::string("\x1C\x02\x05\x00\x00", 5), false, {}},
      {"header and one byte of data", std::string("\x1C\x02\x05\x00\x01Z", 6), true, {"Z"}},
      {"data running past the end", std::string("\x1C\x02\x05\x00\x09hi", 7), false, {}},
      {"datasets before a truncated one", ds + std::string("\x1C\x02\x06\x00\x10xy", 7), true, {"hi"}},
      {"extended length larger than the block", std::string("\x1C\x02\x05\x80\x04\x7F\xFF\xFF\xFF" "abc", 12), false, {}},
      {"extended length cut short", std::string("\x1C\x02\x05\x80\x04\x00\x00", 7), false, {}},
      {"length-of-length 2 is read as 4", std::string("\x1C\x02\x05\x80\x02\x00\x00\x00\x02ok", 11), true, {"ok"}},
      {"negative extended length counts by magnitude",
       std::string("\x1C\x02\x05\x80\x04\xFF\xFF\xFF\xFEok", 11), true, {"ok"}},
      {"leading bytes and a run of tag markers", "junk\x1C\x1C\x1C" + ds.substr(1), true, {"hi"}},
      {"Photoshop block without the IPTC resource", std::string("Photoshop 3.0\0" "8BIM\x04\x0C\0\0", 22) + ds, false, {}},
      {"Photoshop block with it", kWrapperStart + std::string("\0\0\0\x07", 4) + ds, true, {"hi"}},
      {"a byte other than the tag marker ends the list", ds + "Q" + ds, true, {"hi"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TIEIPTCInfoList l;
    l.AddBufferItem(9, 9, 1, "x");
    const std::vector<uint8_t> b = Bytes(c.block);
    EXPECT_EQ(l.LoadFromBuffer(b.empty() ? nullptr : b.data(), int32_t(b.size())), c.result);
    ASSERT_EQ(l.GetCount(), int32_t(c.items.size()));
    for (size_t i = 0; i < c.items.size(); ++i) EXPECT_EQ(Item(l, int32_t(i)), c.items[i]);
  }
}

TEST(IEIPTCInfoList, ChangedFlagFollowsEditsAndLoads) {
  TIEIPTCInfoList l;
  EXPECT_FALSE(l.Changed());
  l.AddBufferItem(2, 5, 1, "x");
  EXPECT_TRUE(l.Changed());
  const std::vector<uint8_t> out = l.SaveToBuffer(false);
  EXPECT_TRUE(l.LoadFromBuffer(out.data(), int32_t(out.size())));
  EXPECT_FALSE(l.Changed());
  EXPECT_FALSE(l.LoadFromBuffer(nullptr, 0));
  EXPECT_TRUE(l.Changed());  // an empty block leaves the list cleared and marked changed
  TIEIPTCInfoList other;
  other.Assign(&l);
  EXPECT_TRUE(other.Changed());
}

TEST(IEIPTCInfoList, PhotoshopBlockIsReadByExiftool) {
  // Independent reader: the block in a JPEG's APP13 marker, read by exiftool.
  if (!tiffbuild::HaveTool("exiftool")) GTEST_SKIP() << "exiftool not installed";
  REQUIRE_SHARED_TESTDATA();
  TIEIPTCInfoList l;
  l.AddBufferItem(2, 5, 9, "Mountains");                 // ObjectName
  l.AddBufferItem(2, 80, 7, "A. User");                  // By-line
  std::string caption(33000, 'c');                        // Caption-Abstract, extended length
  l.AddBufferItem(2, 120, int32_t(caption.size()), caption.data());
  const std::vector<uint8_t> block = l.SaveToBuffer(true);
  const std::string jpeg = testsupport::ReadFileBytes(testsupport::SharedDataDir() / "real" / "testorig.jpg");
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir / "iptc.jpg", tiffbuild::InsertMarker(jpeg, 0xED, Str(block)));
  bool ok;
  auto tags = tiffbuild::ExifTool((dir / "iptc.jpg").string(), ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(tags["IPTC:ObjectName"], "Mountains");
  EXPECT_EQ(tags["IPTC:By-line"], "A. User");
  EXPECT_EQ(tags["IPTC:Caption-Abstract"].size(), caption.size());
}
