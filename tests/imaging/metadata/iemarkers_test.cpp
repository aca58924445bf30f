#include "imaging/metadata/iemarkers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/rtl/exceptions.h"

namespace {

std::string Payload(const TIEMarkerList& l, int32_t i) {
  return std::string(reinterpret_cast<const char*>(l.GetMarkerData(i)), size_t(l.GetMarkerLength(i)));
}

std::string Icc(uint8_t chunk) {
  std::string p("ICC_PROFILE\0", 12);
  p += char(chunk);
  p += char(2);
  p += "profile bytes";
  return p;
}

const std::string kExif("Exif\0\0II*\0", 10);
const std::string kXmp("http://ns.adobe.com/xap/1.0/\0<x/>", 33);

struct SortCase {
  const char* name;
  std::vector<std::pair<int32_t, std::string>> in;
  std::vector<std::pair<int32_t, std::string>> out;
};

}  // namespace

TEST(IEMarkerList, SortMarkersOrdersCodesIccChunksAndPutsExifFirst) {
  const std::vector<SortCase> cases = {
      {"the documented example",
       {{0xE1, kXmp}, {0xE0, "JFIF"}, {0xE1, kExif}, {0xE2, Icc(2)}, {0xE2, Icc(1)}},
       {{0xE0, "JFIF"}, {0xE1, kExif}, {0xE1, kXmp}, {0xE2, Icc(1)}, {0xE2, Icc(2)}}},
      {"comment last, APP13 before it",
       {{0xFE, "note"}, {0xED, "Photoshop"}, {0xE0, "JFIF"}},
       {{0xE0, "JFIF"}, {0xED, "Photoshop"}, {0xFE, "note"}}},
      {"an APP2 that is not ICC sorts by code only",
       {{0xE2, "MPF\0"}, {0xE1, kExif}},
       {{0xE1, kExif}, {0xE2, "MPF\0"}}},
      {"three ICC chunks in reverse",
       {{0xE2, Icc(3)}, {0xE2, Icc(2)}, {0xE2, Icc(1)}},
       {{0xE2, Icc(1)}, {0xE2, Icc(2)}, {0xE2, Icc(3)}}},
      {"empty list", {}, {}},
  };
  for (const SortCase& c : cases) {
    SCOPED_TRACE(c.name);
    TIEMarkerList l;
    for (const auto& [code, p] : c.in) l.AddMarker(code, p.data(), int32_t(p.size()));
    l.SortMarkers();
    ASSERT_EQ(l.GetCount(), int32_t(c.out.size()));
    for (size_t i = 0; i < c.out.size(); ++i) {
      EXPECT_EQ(l.GetMarkerType(int32_t(i)), c.out[i].first) << i;
      EXPECT_EQ(Payload(l, int32_t(i)), c.out[i].second) << i;
    }
  }
}

TEST(IEMarkerList, OnlyWholeIccHeadersCompareBySequence) {
  const std::string cutBeforeCount("ICC_PROFILE\0\x05", 13);
  const std::string cutBeforeSequence("ICC_PROFILE\0", 12);
  const struct {
    const char* name;
    int32_t codeA;
    std::string a;
    int32_t codeB;
    std::string b;
    int32_t expected;
  } cases[] = {
      {"two chunks", 0xE2, Icc(3), 0xE2, Icc(1), 2},
      {"a header cut before its count", 0xE2, cutBeforeCount, 0xE2, Icc(1), 0},
      {"a header cut before its sequence number", 0xE2, Icc(4), 0xE2, cutBeforeSequence, 0},
      {"an empty APP2", 0xE2, "", 0xE2, Icc(2), 0},
      {"the ICC text outside APP2", 0xE1, Icc(9), 0xE2, Icc(1), -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TIEMarkerList l;
    l.AddMarker(c.codeA, c.a.data(), int32_t(c.a.size()));
    l.AddMarker(c.codeB, c.b.data(), int32_t(c.b.size()));
    EXPECT_EQ(l.CompareMarkers(0, 1), c.expected);
    EXPECT_EQ(l.CompareMarkers(1, 0), -c.expected);
  }
}

TEST(IEMarkerList, AnExifMarkerEndsFirstAmongSeveralApp1) {
  // The sort is not stable, so which EXIF marker wins is not fixed; one of them leads.
  for (int rotation = 0; rotation < 4; ++rotation) {
    std::vector<std::string> in = {kXmp, kXmp + "2", kExif + "A", kExif + "B"};
    std::rotate(in.begin(), in.begin() + rotation, in.end());
    TIEMarkerList l;
    for (const std::string& p : in) l.AddMarker(0xE1, p.data(), int32_t(p.size()));
    l.AddMarker(0xE0, "JFIF", 4);
    l.SortMarkers();
    ASSERT_EQ(l.GetCount(), 5);
    EXPECT_EQ(l.GetMarkerType(0), 0xE0);
    EXPECT_EQ(Payload(l, 1).substr(0, 10), kExif) << rotation;
  }
}

TEST(IEMarkerList, LengthIsTakenModulo65536) {
  std::vector<uint8_t> data(70000);
  for (size_t i = 0; i < data.size(); ++i) data[i] = uint8_t(i * 31 + 7);
  TIEMarkerList l;
  EXPECT_EQ(l.AddMarker(0xE1, data.data(), 70000), 0);
  ASSERT_EQ(l.GetMarkerLength(0), 70000 - 65536);
  EXPECT_TRUE(std::equal(data.begin(), data.begin() + 4464, l.GetMarkerData(0)));
  l.SetMarker(0, 0xFE, 65536 + 3, data.data() + 100);
  EXPECT_EQ(l.GetMarkerType(0), 0xFE);
  ASSERT_EQ(l.GetMarkerLength(0), 3);
  EXPECT_EQ(l.GetMarkerData(0)[2], data[102]);
  l.AddMarker(0xE0, data.data(), -5);
  EXPECT_EQ(l.GetMarkerLength(1), 0);
}

TEST(IEMarkerList, IndexOfDeleteAssignAndBadIndexes) {
  TIEMarkerList l;
  l.AddMarker(0xE0, "a", 1);
  l.AddMarker(0xE2, "b", 1);
  l.AddMarker(0xE2, "c", 1);
  EXPECT_EQ(l.IndexOf(0xE1), -1);
  EXPECT_EQ(l.IndexOf(0xE2), 1);
  TIEMarkerList copy;
  copy.AddMarker(0xFE, "old", 3);
  copy.Assign(&l);
  copy.Assign(nullptr);
  ASSERT_EQ(copy.GetCount(), 3);
  l.DeleteMarker(1);
  EXPECT_EQ(l.GetCount(), 2);
  EXPECT_EQ(Payload(l, 1), "c");
  EXPECT_EQ(Payload(copy, 1), "b");
  for (int32_t bad : {-1, 2, 100}) {
    EXPECT_THROW(l.GetMarkerData(bad), EListError);
    EXPECT_THROW(l.DeleteMarker(bad), EListError);
    EXPECT_THROW(l.ExchangeMarkers(0, bad), EListError);
  }
  l.Clear();
  EXPECT_EQ(l.GetCount(), 0);
}

TEST(IEMarkerList, IccComparisonNeedsMoreThan13Bytes) {
  TIEMarkerList l;
  const std::string shortIcc("ICC_PROFILE\0\x05", 13);  // 13 bytes: not taken as a chunk
  l.AddMarker(0xE2, shortIcc.data(), 13);
  const std::string chunk = Icc(1);
  l.AddMarker(0xE2, chunk.data(), int32_t(chunk.size()));
  EXPECT_EQ(l.CompareMarkers(0, 1), 0);
  const std::string chunk9 = Icc(9);
  l.AddMarker(0xE2, chunk9.data(), int32_t(chunk9.size()));
  EXPECT_EQ(l.CompareMarkers(2, 1), 8);
}
