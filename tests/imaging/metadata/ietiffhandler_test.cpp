#include "imaging/metadata/ietiffhandler.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/imaging/formats/tiffbuilder.h"
#include "tests/support/testsupport.h"

using tiffbuild::Builder;
using tiffbuild::BytesOf;
using tiffbuild::StreamOf;

namespace {

// tiffdump's view of a file: for each directory its offset, next offset and tags in order.
struct DumpedIFD {
  uint32_t offset = 0, next = 0;
  std::vector<std::pair<int, std::string>> tags;  // tag number, the rest of the line
};

std::vector<DumpedIFD> TiffDump(const std::string& file, std::string& header) {
  bool ok;
  const std::string out = tiffbuild::RunCommand("tiffdump " + testsupport::ShellQuote(file) + " 2>&1", ok);
  std::vector<DumpedIFD> dirs;
  std::smatch m;
  const std::regex dirRe(R"(Directory \d+: offset (\d+) \(0x[0-9a-f]+\) next (\d+))");
  const std::regex tagRe(R"(^\S.*? \((\d+)\) (.*)$)");
  std::istringstream lines(out);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("Magic:", 0) == 0) header = line;
    if (std::regex_search(line, m, dirRe)) {
      dirs.push_back({uint32_t(std::stoul(m[1])), uint32_t(std::stoul(m[2])), {}});
    } else if (!dirs.empty() && std::regex_match(line, m, tagRe)) {
      dirs.back().tags.push_back({std::stoi(m[1]), m[2]});
    }
  }
  return dirs;
}

// Pixel data of every page as Pillow decodes it, one text for each file, from one
// Python process. On failure ok is false and the one text is Python's complaint.
std::vector<std::string> PilPages(const std::vector<std::string>& files, bool& ok) {
  const std::string end = "-- end of file --";
  std::string cmd = "/usr/bin/python3 -c " +
                    testsupport::ShellQuote("import sys\nfrom PIL import Image, ImageSequence\n"
                                            "for f in sys.argv[1:]:\n"
                                            "    for p in ImageSequence.Iterator(Image.open(f)):\n"
                                            "        print(p.mode, p.size, list(p.getdata()))\n"
                                            "    print('" + end + "')\n");
  for (const std::string& f : files) cmd += " " + testsupport::ShellQuote(f);
  const std::string out = tiffbuild::RunCommand(cmd + " 2>&1", ok);
  if (!ok) return {out};
  std::vector<std::string> pages;
  for (size_t from = 0, at; (at = out.find(end + "\n", from)) != std::string::npos; from = at + end.size() + 1)
    pages.push_back(out.substr(from, at - from));
  return pages;
}

bool HavePil() {
  static const bool have = [] {
    bool ok;
    tiffbuild::RunCommand("/usr/bin/python3 -c 'import PIL' 2>/dev/null", ok);
    return ok;
  }();
  return have;
}

std::string Saved(TIETIFFHandler& h, int32_t page = -1) {
  TMemoryStream out;
  h.SaveToStream(out, page);
  return BytesOf(out);
}

uint32_t LE32(const std::string& s, size_t at) {
  return uint8_t(s[at]) | (uint32_t(uint8_t(s[at + 1])) << 8) | (uint32_t(uint8_t(s[at + 2])) << 16) |
         (uint32_t(uint8_t(s[at + 3])) << 24);
}

uint16_t LE16(const std::string& s, size_t at) { return uint16_t(uint8_t(s[at]) | (uint8_t(s[at + 1]) << 8)); }

}  // namespace

// ---- loading and saving whole files -----------------------------------------------------------

TEST(IETIFFHandler, TwoPageLittleEndianFileIsWrittenWithTheDocumentedLayout) {
  TIETIFFHandler h;
  ASSERT_TRUE(h.LoadFromFile(testsupport::DataFile("twopage_le.tif").string()));
  ASSERT_EQ(h.PageCount(), 2);
  EXPECT_FALSE(h.BigEndian());
  const std::string out = Saved(h);
  ASSERT_GE(out.size(), 8u);
  EXPECT_EQ(out.substr(0, 4), std::string("II\x2A\0", 4));
  EXPECT_EQ(LE32(out, 4), 8u);
  // Page 0 has 10 entries: its data starts at 8 + 2 + 120 + 4 = 134 with BitsPerSample
  // (3 SHORTs, 6 bytes), then the 36-byte strip; page 1 follows right after, at 176.
  EXPECT_EQ(LE16(out, 8), 10);
  EXPECT_EQ(LE32(out, 8 + 2 + 120), 176u);
  const uint16_t n1 = LE16(out, 176);
  EXPECT_EQ(LE32(out, 176 + 2 + 12 * n1), 0u);

  if (!tiffbuild::HaveTool("tiffdump") || !HavePil()) GTEST_SKIP() << "tiffdump or Pillow missing";
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir / "out.tif", out);
  std::string header;
  const auto dirs = TiffDump((dir / "out.tif").string(), header);
  EXPECT_NE(header.find("little-endian"), std::string::npos) << header;
  ASSERT_EQ(dirs.size(), 2u);
  EXPECT_EQ(dirs[0].offset, 8u);
  EXPECT_EQ(dirs[0].next, 176u);
  EXPECT_EQ(dirs[1].offset, 176u);
  EXPECT_EQ(dirs[1].next, 0u);
  bool ok;
  const auto pages = PilPages({testsupport::DataFile("twopage_le.tif").string(), (dir / "out.tif").string()}, ok);
  ASSERT_TRUE(ok) << pages[0];
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[1], pages[0]);
}

TEST(IETIFFHandler, BigEndianFileIsWrittenBackBigEndianInTagOrder) {
  TIETIFFHandler h;
  ASSERT_TRUE(h.LoadFromFile(testsupport::DataFile("twopage_be.tif").string()));
  ASSERT_EQ(h.PageCount(), 2);
  EXPECT_TRUE(h.BigEndian());
  const std::string out = Saved(h);
  EXPECT_EQ(out.substr(0, 4), std::string("MM\0\x2A", 4));
  if (!tiffbuild::HaveTool("tiffdump") || !HavePil()) GTEST_SKIP() << "tiffdump or Pillow missing";
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir / "out.tif", out);
  std::string header;
  const auto dirs = TiffDump((dir / "out.tif").string(), header);
  EXPECT_NE(header.find("big-endian"), std::string::npos) << header;
  ASSERT_EQ(dirs.size(), 2u);
  for (const DumpedIFD& d : dirs) {
    ASSERT_FALSE(d.tags.empty());
    for (size_t i = 1; i < d.tags.size(); ++i) EXPECT_LT(d.tags[i - 1].first, d.tags[i].first);
  }
  bool ok;
  const auto pages = PilPages({testsupport::DataFile("twopage_be.tif").string(), (dir / "out.tif").string()}, ok);
  ASSERT_TRUE(ok) << pages[0];
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[1], pages[0]);
}

TEST(IETIFFHandler, SavingOnePageAtAnOffsetCountsFromTheStreamStart) {
  TIETIFFHandler h;
  ASSERT_TRUE(h.LoadFromFile(testsupport::DataFile("twopage_le.tif").string()));
  TMemoryStream out;
  out.WriteBuffer("0123456789", 10);
  h.SaveToStream(out, 1);
  const std::string s = BytesOf(out);
  EXPECT_EQ(s.substr(10, 2), "II");
  EXPECT_EQ(LE32(s, 14), 18u);  // the IFD right after the header, as a stream position
  const uint16_t n = LE16(s, 18);
  EXPECT_EQ(LE32(s, 18 + 2 + 12 * n), 0u);
  TIETIFFHandler back;
  // Offsets count from the stream's start, so the structure reads back from a stream holding the prefix.
  auto whole = StreamOf(s);
  whole->SetPosition(10);
  ASSERT_TRUE(back.LoadFromStream(*whole));
  ASSERT_EQ(back.PageCount(), 1);
  EXPECT_EQ(back.GetIntegerTagByTag(back.Page(0), 256, 0), 2);
}

TEST(IETIFFHandler, ExifSubIFDIsWrittenEvenAndTerminated) {
  TIETIFFHandler h;
  ASSERT_TRUE(h.LoadFromFile(testsupport::DataFile("exif_gps.tif").string()));
  ASSERT_EQ(h.PageCount(), 1);
  const int32_t exif = h.GetTagIndex(0, 34665);
  ASSERT_GE(exif, 0);
  ASSERT_TRUE(h.Page(0)[size_t(exif)].SubIFD);
  const std::string out = Saved(h);
  // Find the written Exif pointer in IFD 0.
  const uint32_t ifd0 = LE32(out, 4);
  const uint16_t n = LE16(out, ifd0);
  uint32_t exifAt = 0;
  for (uint16_t i = 0; i < n; ++i)
    if (LE16(out, ifd0 + 2 + 12 * i) == 34665) exifAt = LE32(out, ifd0 + 2 + 12 * i + 8);
  ASSERT_NE(exifAt, 0u);
  EXPECT_EQ(exifAt % 2, 0u);
  const uint16_t ne = LE16(out, exifAt);
  EXPECT_EQ(ne, h.Page(0)[size_t(exif)].SubIFD->size());
  EXPECT_EQ(LE32(out, exifAt + 2 + 12 * ne), 0u);

  if (!tiffbuild::HaveTool("exiftool")) GTEST_SKIP() << "exiftool missing";
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir / "out.tif", out);
  bool ok1, ok2;
  auto before = tiffbuild::ExifTool(testsupport::DataFile("exif_gps.tif").string(), ok1);
  auto after = tiffbuild::ExifTool((dir / "out.tif").string(), ok2);
  ASSERT_TRUE(ok1 && ok2);
  int compared = 0;
  for (const auto& [key, value] : before) {
    if (key.rfind("IFD0:", 0) != 0 && key.rfind("ExifIFD:", 0) != 0 && key.rfind("GPS:", 0) != 0) continue;
    if (key == "IFD0:StripOffsets") continue;  // the strip moved
    EXPECT_EQ(after[key], value) << key;
    ++compared;
  }
  EXPECT_GT(compared, 20);
}

// ---- chains -----------------------------------------------------------------------------------

TEST(IETIFFHandler, ChainsEndAtLoopsAndAtTheEnd) {
  struct Case {
    const char* name;
    std::function<std::string()> make;
    bool loads;
    int32_t pages;
  };
  auto twoIFDs = [](uint32_t nextOfB, bool selfLoopA) {
    Builder b(false);
    const uint32_t a = b.AddIFD({b.Short(256, {1})});
    const uint32_t c = b.AddIFD({b.Short(256, {2})});
    b.SetFirstIFD(a);
    b.SetNext(a, 1, selfLoopA ? a : c);
    b.SetNext(c, 1, nextOfB == 1 ? a : nextOfB == 2 ? c : nextOfB);
    return b.Bytes();
  };
  const std::vector<Case> cases = {
      {"A -> B -> A", [&] { return twoIFDs(1, false); }, true, 2},
      {"A -> A", [&] { return twoIFDs(0, true); }, true, 1},
      {"A -> B -> B", [&] { return twoIFDs(2, false); }, true, 2},
      {"B points past the end", [&] { return twoIFDs(100000, false); }, true, 2},
      {"first IFD past the end",
       [] {
         Builder b(false);
         b.SetFirstIFD(5000);
         return b.Bytes();
       },
       true, 0},
      {"no header", [] { return std::string("XX\x2A\0\x08\0\0\0", 8); }, false, 0},
      {"too short for a header", [] { return std::string("II\x2A", 3); }, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto s = StreamOf(c.make());
    TIETIFFHandler h;
    EXPECT_EQ(h.LoadFromStream(*s), c.loads);
    EXPECT_EQ(h.PageCount(), c.pages);
  }
  TIETIFFHandler missing;
  EXPECT_FALSE(missing.LoadFromFile((testsupport::DataDir() / "no such file.tif").string()));
}

// ---- strips -----------------------------------------------------------------------------------

TEST(IETIFFHandler, StripsAreWrittenContiguouslyInElementOrder) {
  Builder b(false);
  const uint32_t late = b.Append(std::string("\x1E\x28", 2));   // strip 1 (row 1) stored first
  b.Append(std::string(7, 'p'));
  const uint32_t early = b.Append(std::string("\x0A\x14", 2));  // strip 0 (row 0) stored later
  const uint32_t ifd = b.AddIFD({b.Long(256, {2}), b.Long(257, {2}), b.Short(258, {8}), b.Short(259, {1}),
                                 b.Short(262, {1}), b.Long(273, {early, late}), b.Long(278, {1}),
                                 b.Long(279, {2, 2})});
  b.SetFirstIFD(ifd);
  auto in = StreamOf(b.Bytes());
  TIETIFFHandler h(*in);
  ASSERT_EQ(h.PageCount(), 1);
  const TIETIFFEntry& strips = h.Page(0)[size_t(h.GetTagIndex(0, 273))];
  ASSERT_TRUE(strips.Loaded);
  ASSERT_EQ(strips.Blocks.size(), 2u);
  EXPECT_EQ(std::string(strips.Blocks[0].begin(), strips.Blocks[0].end()), std::string("\x0A\x14", 2));
  const std::string out = Saved(h);
  // 8 entries: data from 8 + 2 + 96 + 4 = 110; the strips at 110 and 112, the offsets array at 114.
  const uint16_t n = LE16(out, 8);
  ASSERT_EQ(n, 8);
  for (uint16_t i = 0; i < n; ++i) {
    if (LE16(out, 8 + 2 + 12 * i) != 273) continue;
    EXPECT_EQ(LE32(out, 8 + 2 + 12 * i + 4), 2u);
    EXPECT_EQ(LE32(out, 8 + 2 + 12 * i + 8), 114u);
  }
  EXPECT_EQ(LE32(out, 114), 110u);
  EXPECT_EQ(LE32(out, 118), 112u);
  EXPECT_EQ(out.substr(110, 4), std::string("\x0A\x14\x1E\x28", 4));
  if (!HavePil()) GTEST_SKIP() << "Pillow missing";
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir / "strips.tif", out);
  bool ok;
  EXPECT_EQ(PilPages({(dir / "strips.tif").string()}, ok), std::vector<std::string>{"L (2, 2) [10, 20, 30, 40]\n"});
}

TEST(IETIFFHandler, JpegStreamWithoutStripOffsetsGetsOnePointingAtStartOfScan) {
  // A page that holds an old-style JPEG stream through JPEGInterchangeFormat only.
  const std::string jpeg = std::string("\xFF\xD8\xFF\xDB\x00\x04\x01\x02\xFF\xDA\x00\x02\x33\xFF\xD9", 15);
  Builder b(false);
  const uint32_t at = b.Append(jpeg);
  const uint32_t ifd = b.AddIFD({b.Long(256, {8}), b.Long(257, {8}), b.Short(259, {6}), b.Long(513, {at}),
                                 b.Long(514, {uint32_t(jpeg.size())})});
  b.SetFirstIFD(ifd);
  auto in = StreamOf(b.Bytes());
  TIETIFFHandler h(*in);
  ASSERT_EQ(h.PageCount(), 1);
  const size_t before = h.Page(0).size();
  const std::string out = Saved(h);
  EXPECT_EQ(h.Page(0).size(), before);
  EXPECT_EQ(h.GetTagIndex(0, 273), -1);
  const uint16_t n = LE16(out, 8);
  ASSERT_EQ(n, before + 1);
  uint32_t jpegAt = 0, stripAt = 0;
  for (uint16_t i = 0; i < n; ++i) {
    const uint16_t tag = LE16(out, 8 + 2 + 12 * i);
    if (tag == 513) jpegAt = LE32(out, 8 + 2 + 12 * i + 8);
    if (tag == 273) {
      EXPECT_EQ(i, n - 1);  // written last
      stripAt = LE32(out, 8 + 2 + 12 * i + 8);
    }
  }
  EXPECT_EQ(out.substr(jpegAt, jpeg.size()), jpeg);
  EXPECT_EQ(stripAt, jpegAt + 8);  // FF DA is at index 8 of the stream
}

TEST(IETIFFHandler, OldJpegWithStripsAndStreamKeepsOnlyTheStream) {
  const std::string jpeg = std::string("\xFF\xD8\xFF\xDA\x00\x02\xFF\xD9", 8);
  Builder b(true);
  const uint32_t at = b.Append(jpeg);
  const uint32_t ifd = b.AddIFD({b.Short(259, {6}), b.Long(273, {at + 2}), b.Long(279, {6}), b.Long(513, {at}),
                                 b.Long(514, {8}), b.Short(519, {1, 2, 3}), b.Short(520, {0}), b.Short(521, {0})});
  b.SetFirstIFD(ifd);
  auto in = StreamOf(b.Bytes());
  TIETIFFHandler h(*in);
  ASSERT_EQ(h.PageCount(), 1);
  for (uint16_t gone : {273, 519, 520, 521}) EXPECT_EQ(h.GetTagIndex(0, gone), -1) << gone;
  EXPECT_GE(h.GetTagIndex(0, 513), 0);
  EXPECT_GE(h.GetTagIndex(0, 279), 0);
}

// ---- editing ----------------------------------------------------------------------------------

TEST(IETIFFHandler, CopyTagDuplicatesBlocksAndSubIFDs) {
  TIETIFFHandler source, target;
  ASSERT_TRUE(source.LoadFromFile(testsupport::DataFile("exif_gps.tif").string()));
  ASSERT_TRUE(target.LoadFromFile(testsupport::DataFile("twopage_le.tif").string()));
  const size_t count = target.Page(1).size();
  target.CopyTag(0, -1, 1, source);
  target.CopyTag(5, 0, 1, source);
  target.CopyTag(0, 0, 7, source);
  EXPECT_EQ(target.Page(1).size(), count);

  target.CopyTag(0, source.GetTagIndex(0, 273), 1, source);
  target.CopyTag(0, source.GetTagIndex(0, 34665), 1, source);
  EXPECT_EQ(target.Page(1).size(), count + 1);  // 273 replaced, 34665 added
  TIETIFFEntry& copied = target.Page(1)[size_t(target.GetTagIndex(1, 273))];
  TIETIFFEntry& original = source.Page(0)[size_t(source.GetTagIndex(0, 273))];
  ASSERT_EQ(copied.Blocks.size(), original.Blocks.size());
  EXPECT_EQ(copied.Blocks[0], original.Blocks[0]);
  original.Blocks[0][0] ^= 0xFF;
  EXPECT_NE(copied.Blocks[0], original.Blocks[0]);
  const TIETIFFEntry& exif = target.Page(1)[size_t(target.GetTagIndex(1, 34665))];
  ASSERT_TRUE(exif.SubIFD);
  EXPECT_EQ(exif.SubIFD->size(), source.Page(0)[size_t(source.GetTagIndex(0, 34665))].SubIFD->size());

  TIETIFFHandler bigEndian;
  ASSERT_TRUE(bigEndian.LoadFromFile(testsupport::DataFile("twopage_be.tif").string()));
  const size_t beCount = bigEndian.Page(0).size();
  bigEndian.CopyTag(0, source.GetTagIndex(0, 271), 0, source);
  EXPECT_EQ(bigEndian.Page(0).size(), beCount);  // byte orders differ: nothing
}

TEST(IETIFFHandler, SetTagWritesTheHandlersByteOrder) {
  for (bool big : {false, true}) {
    SCOPED_TRACE(big ? "big-endian" : "little-endian");
    Builder b(big);
    const uint32_t ifd = b.AddIFD({b.Short(300, {7})});
    b.SetFirstIFD(ifd);
    auto in = StreamOf(b.Bytes());
    TIETIFFHandler h(*in);
    ASSERT_EQ(h.PageCount(), 1);
    TIETIFFTagList& page = h.Page(0);
    h.SetTag(page, 300, int64_t(0x1234), tftShort);
    h.SetTag(page, 301, std::string("abcde"), tftAscii);
    h.SetTag(page, 302, 1.5, tftRational);
    h.SetTag(page, 303, int64_t(-5), tftSByte);
    h.SetTag(page, 304, 2.0, tftDouble);
    h.SetTag(page, 305, int64_t(1), uint16_t(13));  // not a TIFF 6.0 type: nothing
    ASSERT_EQ(page.size(), 5u);
    const TIETIFFEntry& s = page[size_t(h.FindTag(page, 300))];
    EXPECT_EQ(s.Count, 1u);
    EXPECT_EQ(s.Value[0], big ? 0x12 : 0x34);
    EXPECT_EQ(h.GetIntegerTagByTag(page, 300, 0), 0x1234);
    const TIETIFFEntry& a = page[size_t(h.FindTag(page, 301))];
    EXPECT_EQ(a.Count, 6u);
    EXPECT_EQ(std::string(a.Data.begin(), a.Data.end()), std::string("abcde\0", 6));
    const TIETIFFEntry& r = page[size_t(h.FindTag(page, 302))];
    ASSERT_EQ(r.Data.size(), 8u);
    const std::string rb(r.Data.begin(), r.Data.end());
    EXPECT_EQ(rb, big ? std::string("\0\0\x3A\x98\0\0\x27\x10", 8) : std::string("\x98\x3A\0\0\x10\x27\0\0", 8));
    EXPECT_EQ(h.GetIntegerTagByTag(page, 303, 0), -5);
    const TIETIFFEntry& d = page[size_t(h.FindTag(page, 304))];
    ASSERT_EQ(d.Data.size(), 8u);
    EXPECT_EQ(d.Data[big ? 0 : 7], 0x40);
    h.DeleteTag(page, 99);
    h.DeleteTag(page, -1);
    EXPECT_EQ(page.size(), 5u);
  }
}

// ---- malformed input ----------------------------------------------------------------------------

TEST(IETIFFHandler, MalformedDirectoriesAreReadOnlyAsFarAsTheyHold) {
  struct Case {
    const char* name;
    std::function<std::string()> make;
    int32_t pages;
    std::vector<uint16_t> present;
    std::vector<uint16_t> absent;
  };
  const std::vector<Case> cases = {
      {"a count x size that overflows ends the IFD's entries",
       [] {
         Builder b(false);
         const uint32_t ifd = b.AddIFD({b.Short(256, {1}), b.Raw(300, 4, 0xFFFFFFFF, 8), b.Short(400, {1})});
         b.SetFirstIFD(ifd);
         return b.Bytes();
       },
       1, {256}, {300, 400}},
      {"a value outside the file drops that entry only",
       [] {
         Builder b(false);
         const uint32_t ifd = b.AddIFD({b.Raw(270, 2, 20, 0x7FFFFFF0), b.Short(256, {1}), b.Raw(271, 2, 20, 30)});
         b.SetFirstIFD(ifd);
         return b.Bytes();
       },
       1, {256, 271}, {270}},
      {"types outside 1..12 are kept as they stand",
       [] {
         Builder b(false);
         const uint32_t ifd = b.AddIFD({b.Raw(500, 0, 0xFFFFFFFF, 1), b.Raw(501, 99, 1000000, 2)});
         b.SetFirstIFD(ifd);
         return b.Bytes();
       },
       1, {500, 501}, {}},
      {"an Exif pointer to its own IFD is dropped",
       [] {
         Builder b(false);
         // The IFD lands at 8 (right after the header).
         const uint32_t ifd = b.AddIFD({b.Short(256, {1}), b.Long(34665, {8})});
         b.SetFirstIFD(ifd);
         return b.Bytes();
       },
       1, {256}, {34665}},
      {"entries cut off by the end of the file",
       [] {
         Builder b(false);
         const uint32_t ifd = b.AddIFD({b.Short(256, {1}), b.Short(257, {1})});
         b.SetFirstIFD(ifd);
         b.Patch(ifd, b.U16(60000));  // claims far more entries than there are bytes
         std::string s = b.Bytes();
         return s.substr(0, ifd + 2 + 12 * 2 + 3);
       },
       1, {256, 257}, {}},
      {"strips outside the file load as empty blocks",
       [] {
         Builder b(false);
         const uint32_t ifd = b.AddIFD({b.Long(273, {0xFFFFFF00, 4}), b.Long(279, {0xFFFF, 0xFFFFFFFF})});
         b.SetFirstIFD(ifd);
         return b.Bytes();
       },
       1, {273, 279}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto in = StreamOf(c.make());
    TIETIFFHandler h;
    ASSERT_TRUE(h.LoadFromStream(*in));
    ASSERT_EQ(h.PageCount(), c.pages);
    for (uint16_t t : c.present) EXPECT_GE(h.GetTagIndex(0, t), 0) << t;
    for (uint16_t t : c.absent) EXPECT_EQ(h.GetTagIndex(0, t), -1) << t;
    // Whatever was kept can be written and read back.
    const std::string out = Saved(h);
    auto again = StreamOf(out);
    TIETIFFHandler back;
    EXPECT_TRUE(back.LoadFromStream(*again));
    EXPECT_EQ(back.PageCount(), c.pages);
  }
}

TEST(IETIFFHandler, SubIFDLoopsAndDeepNestingAreCut) {
  // Exif -> Interop -> Exif: the pointer back is dropped.
  Builder b(false);
  const uint32_t exifAt = 8 + 2 + 12 * 2 + 4;  // right after IFD 0 with two entries
  const uint32_t ifd0 = b.AddIFD({b.Short(256, {1}), b.Long(34665, {exifAt})});
  const uint32_t exif = b.AddIFD({b.Short(33434, {1}), b.Long(40965, {exifAt + 2 + 24 + 4})});
  const uint32_t interop = b.AddIFD({b.Short(1, {1}), b.Long(34665, {exif})});
  b.SetFirstIFD(ifd0);
  ASSERT_EQ(exif, exifAt);
  (void)interop;
  auto in = StreamOf(b.Bytes());
  TIETIFFHandler h(*in);
  ASSERT_EQ(h.PageCount(), 1);
  const TIETIFFEntry& e = h.Page(0)[size_t(h.GetTagIndex(0, 34665))];
  ASSERT_TRUE(e.SubIFD);
  const int32_t i = TIETIFFHandler::FindTag(*e.SubIFD, 40965);
  ASSERT_GE(i, 0);
  const TIETIFFEntry& io = (*e.SubIFD)[size_t(i)];
  ASSERT_TRUE(io.SubIFD);
  EXPECT_EQ(TIETIFFHandler::FindTag(*io.SubIFD, 34665), -1);
  EXPECT_GE(TIETIFFHandler::FindTag(*io.SubIFD, 1), 0);

  // Ten levels of Interoperability pointers, each to a new IFD: only a few levels are kept.
  Builder deep(false);
  uint32_t next = 0;
  for (int level = 10; level >= 0; --level) {
    std::vector<tiffbuild::Entry> entries = {deep.Short(uint16_t(1000 + level), {1})};
    if (next) entries.push_back(deep.Long(40965, {next}));
    next = deep.AddIFD(entries);
  }
  deep.SetFirstIFD(next);
  auto deepIn = StreamOf(deep.Bytes());
  TIETIFFHandler hd(*deepIn);
  ASSERT_EQ(hd.PageCount(), 1);
  int levels = 0;
  const TIETIFFTagList* list = &hd.Page(0);
  for (;;) {
    const int32_t k = TIETIFFHandler::FindTag(*list, 40965);
    if (k < 0) break;
    list = (*list)[size_t(k)].SubIFD.get();
    ASSERT_NE(list, nullptr);
    ++levels;
  }
  EXPECT_GE(levels, 2);
  EXPECT_LT(levels, 10);
}

TEST(IETIFFHandler, ManyEntriesOnTheSameBytesAreHeldToABound) {
  // 3000 entries all pointing at the same 40,000 bytes would be 120 MB as copies.
  Builder b(false);
  const uint32_t blob = b.Append(std::string(40000, 'b'));
  std::vector<tiffbuild::Entry> entries;
  for (uint16_t t = 0; t < 3000; ++t) entries.push_back(b.Raw(uint16_t(1000 + t), 7, 40000, blob));
  b.SetFirstIFD(b.AddIFD(entries));
  auto in = StreamOf(b.Bytes());
  TIETIFFHandler h(*in);
  ASSERT_EQ(h.PageCount(), 1);
  size_t held = 0;
  for (const TIETIFFEntry& e : h.Page(0)) held += e.Data.size();
  EXPECT_GT(held, 0u);
  EXPECT_LE(held, 4 * b.Bytes().size() + (1u << 20));
}

// ---- maker notes --------------------------------------------------------------------------------

namespace {

// Little- or big-endian pieces for hand-made maker notes.
std::string W16(uint32_t v, bool big) { return big ? std::string{char(v >> 8), char(v)} : std::string{char(v), char(v >> 8)}; }
std::string W32(uint32_t v, bool big) { return W16(big ? v >> 16 : v & 0xFFFF, big) + W16(big ? v & 0xFFFF : v >> 16, big); }
std::string Entry(uint16_t tag, uint16_t type, uint32_t count, const std::string& field, bool big) {
  std::string f = field;
  f.resize(4, '\0');
  return W16(tag, big) + W16(type, big) + W32(count, big) + f;
}

std::string TagStreamBytes(TIETagsHandler& h) { return BytesOf(h.TagStream()); }

// The value bytes of entry i as the normalised (little-endian) tag stream holds them.
std::string ValueOf(TIETagsHandler& h, size_t i) {
  const TTIFFEntry& e = h.IFD().Entries.at(i);
  static const int sizes[13] = {1, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
  const size_t total = size_t(e.Count) * size_t(e.Type <= 12 ? sizes[e.Type] : 1);
  if (total <= 4) return W32(e.Value, false).substr(0, total);
  return TagStreamBytes(h).substr(e.Value, total);
}

// A stream with `before` filler bytes, then the note, then filler.
std::unique_ptr<TMemoryStream> NoteStream(size_t before, const std::string& note) {
  auto s = StreamOf(std::string(before, '.') + note + std::string(16, '.'));
  s->SetPosition(int64_t(before));
  return s;
}

std::string FujiNote() {
  // "FUJIFILM", the IFD's offset (12) from the note's start, then a little-endian IFD whose
  // out-of-line offsets count from the note's start.
  std::string note = "FUJIFILM" + W32(12, false) + W16(4, false);
  const uint32_t data = 12 + 2 + 4 * 12 + 4;
  note += Entry(0x0000, 7, 4, "0130", false);
  note += Entry(0x1000, 2, 8, W32(data, false), false);
  note += Entry(0x1001, 3, 1, W16(3, false), false);
  note += Entry(0x1011, 10, 1, W32(data + 8, false), false);
  note += W32(0, false);
  note += std::string("NORMAL \0", 8) + W32(uint32_t(-1), false) + W32(3, false);
  return note;
}

}  // namespace

TEST(IETagsHandler, FujifilmNoteInABigEndianExifIsReadLittleEndian) {
  auto s = NoteStream(50, FujiNote());
  TIETagsHandler h;
  h.ReadFromStream(*s, int32_t(FujiNote().size()), false);
  EXPECT_EQ(h.DeviceInfo().Header, "FUJIFILM");
  EXPECT_EQ(h.DeviceInfo().HeaderKind, 2);
  ASSERT_EQ(h.IFD().EntryCount, 4);
  EXPECT_TRUE(h.IFD().LittleEndian);
  EXPECT_EQ(h.IFD().Entries[0].Tag, 0x0000);
  EXPECT_EQ(ValueOf(h, 0), "0130");
  EXPECT_EQ(ValueOf(h, 1), std::string("NORMAL \0", 8));
  EXPECT_EQ(h.IFD().Entries[2].Value & 0xFFFF, 3u);
  EXPECT_EQ(ValueOf(h, 3), W32(uint32_t(-1), false) + W32(3, false));
  EXPECT_EQ(h.DataSize(), int32_t(FujiNote().size()));
}

TEST(IETagsHandler, NikonNoteTakesItsByteOrderFromItsOwnHeader) {
  // "Nikon" 00 02 10 00 00, then "MM" header; offsets count from that header.
  std::string note = std::string("Nikon\0\x02\x10\0\0", 10) + "MM" + W16(42, true) + W32(8, true);
  note += W16(3, true);
  note += Entry(0x0002, 3, 2, W16(0, true) + W16(200, true), true);
  note += Entry(0x0004, 2, 8, W32(8 + 2 + 36 + 4, true), true);
  note += Entry(0x0005, 12, 1, W32(8 + 2 + 36 + 4 + 8, true), true);  // DOUBLE: out of line
  note += W32(0, true);
  note += std::string("FINE   \0", 8);
  note += std::string("\x40\x09\x21\xFB\x54\x44\x2D\x18", 8);  // pi, big-endian
  auto s = NoteStream(10, note);
  TIETagsHandler h;
  h.ReadFromStream(*s, int32_t(note.size()), true);
  ASSERT_EQ(h.IFD().EntryCount, 3);
  EXPECT_EQ(h.DeviceInfo().TIFFHeader[0], 'M');
  EXPECT_EQ(ValueOf(h, 0), W16(0, false) + W16(200, false));
  EXPECT_EQ(ValueOf(h, 1), std::string("FINE   \0", 8));
  double pi;
  const std::string d = ValueOf(h, 2);
  ASSERT_EQ(d.size(), 8u);
  std::memcpy(&pi, d.data(), 8);
  EXPECT_DOUBLE_EQ(pi, 3.141592653589793);
}

TEST(IETagsHandler, QvcNotesAreBigEndianAndOthersFollowTheExif) {
  // "QVC": big-endian whatever the EXIF says; offsets count from the stream's origin.
  const size_t at = 30;
  std::string qvc = std::string("QVC\0\0\0", 6) + W16(2, true);
  qvc += Entry(0x0001, 3, 1, W16(777, true), true);
  qvc += Entry(0x0002, 2, 6, W32(uint32_t(at + 6 + 2 + 24 + 4), true), true);
  qvc += W32(0, true) + std::string("CASIO\0", 6);
  auto s = NoteStream(at, qvc);
  TIETagsHandler h;
  h.ReadFromStream(*s, int32_t(qvc.size()), true);
  ASSERT_EQ(h.IFD().EntryCount, 2);
  EXPECT_EQ(h.IFD().Entries[0].Value & 0xFFFF, 777u);
  EXPECT_EQ(ValueOf(h, 1), std::string("CASIO\0", 6));

  // No known header: the IFD opens the note, in the EXIF's order, offsets from the origin.
  std::string plain = W16(2, true) + Entry(0x0010, 4, 1, W32(123456, true), true);
  plain += Entry(0x0011, 2, 5, W32(uint32_t(at + 2 + 24 + 4), true), true);
  plain += W32(0, true) + std::string("ABCD\0", 5);
  auto p = NoteStream(at, plain);
  TIETagsHandler g;
  g.ReadFromStream(*p, int32_t(plain.size()), false);
  EXPECT_TRUE(g.DeviceInfo().Header.empty());
  ASSERT_EQ(g.IFD().EntryCount, 2);
  EXPECT_EQ(g.IFD().Entries[0].Value, 123456u);
  EXPECT_EQ(ValueOf(g, 1), std::string("ABCD\0", 5));
}

TEST(IETagsHandler, MalformedNotesLeaveTheHandlerEmptyOrNeutralised) {
  struct Case {
    const char* name;
    std::string note;
    int32_t size;  // -1: the note's length
    int32_t entries;
  };
  std::string tooMany = "FUJIFILM" + W32(12, false) + W16(257, false) + std::string(257 * 12 + 4, '\0');
  std::string fewBytes = W16(200, false) + std::string(100, '\0');
  std::string farOffset = "FUJIFILM" + W32(0x7FFFFFFF, false) + std::string(40, '\0');
  std::string nikonShort = std::string("Nikon\0\x02\x10\0\0", 10) + "MM\0";
  std::string outside = "FUJIFILM" + W32(12, false) + W16(2, false) + Entry(1, 2, 50, W32(9999, false), false) +
                        Entry(2, 3, 1, W16(5, false), false) + W32(0, false);
  std::string lastEntryAtTheEnd = W16(2, false) + Entry(1, 3, 1, W16(1, false), false) + Entry(2, 3, 1, W16(2, false), false);
  const std::vector<Case> cases = {
      {"one byte", "F", -1, 0},
      {"more than 256 entries", tooMany, -1, 0},
      {"fewer bytes than count x 12", fewBytes, -1, 0},
      {"IFD offset beyond the note", farOffset, -1, 0},
      {"no room for the embedded header", nikonShort, -1, 0},
      {"a size beyond the stream is cut to it", FujiNote(), 1 << 30, 4},
      {"an entry must end before the note does", lastEntryAtTheEnd, -1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto s = NoteStream(0, c.note);
    TIETagsHandler h;
    h.ReadFromStream(*s, c.size < 0 ? int32_t(c.note.size()) : c.size, true);
    EXPECT_EQ(h.IFD().EntryCount, c.entries);
    if (c.entries == 0) {
      EXPECT_EQ(h.TagStream().Size(), 0);
    }
  }
  auto s = NoteStream(0, outside);
  TIETagsHandler h;
  h.ReadFromStream(*s, int32_t(outside.size()), true);
  ASSERT_EQ(h.IFD().EntryCount, 2);
  EXPECT_EQ(h.IFD().Entries[0].Count, 0u);  // pointed outside the note: neutralised
  EXPECT_EQ(h.IFD().Entries[0].Value, 0u);
  EXPECT_EQ(h.IFD().Entries[1].Value & 0xFFFF, 5u);
}

TEST(IETagsHandler, WrittenNotesReadBackTheSame) {
  const size_t at = 20;
  std::string leica = std::string("LEICA\0\0\0", 8) + W16(1, false) +
                      Entry(0x0300, 2, 6, W32(8 + 2 + 12 + 4, false), false) + W32(0, false) + "LEICA\0";
  std::string nikon = std::string("Nikon\0\x02\x10\0\0", 10) + "MM" + W16(42, true) + W32(8, true) + W16(2, true) +
                      Entry(0x0002, 3, 2, W16(0, true) + W16(200, true), true) +
                      Entry(0x0004, 2, 8, W32(8 + 2 + 24 + 4, true), true) + W32(0, true) + std::string("FINE   \0", 8);
  std::string qvc = std::string("QVC\0\0\0", 6) + W16(2, true) + Entry(0x0001, 3, 1, W16(777, true), true) +
                    Entry(0x0002, 2, 6, W32(uint32_t(at + 6 + 2 + 24 + 4), true), true) + W32(0, true) +
                    std::string("CASIO\0", 6);
  for (const std::string& note : {FujiNote(), leica, nikon, qvc}) {
    SCOPED_TRACE(note.substr(0, 5));
    auto s = NoteStream(at, note);
    TIETagsHandler h;
    h.ReadFromStream(*s, int32_t(note.size()), true);
    ASSERT_GT(h.IFD().EntryCount, 0);

    // Written at another position, as a TIFF writer would, then read from there.
    TMemoryStream out;
    out.WriteBuffer(std::string(37, '#').data(), 37);
    const int32_t written = IEWriteMakerNoteBlock(h, out);
    ASSERT_GT(written, 0);
    EXPECT_EQ(out.Position(), 37 + written);
    EXPECT_EQ(BytesOf(out).substr(37, h.DeviceInfo().Header.size()), h.DeviceInfo().Header);
    out.SetPosition(37);
    TIETagsHandler back;
    back.ReadFromStream(out, written, true);
    ASSERT_EQ(back.IFD().EntryCount, h.IFD().EntryCount);
    for (size_t i = 0; i < h.IFD().Entries.size(); ++i) {
      EXPECT_EQ(back.IFD().Entries[i].Tag, h.IFD().Entries[i].Tag);
      EXPECT_EQ(back.IFD().Entries[i].Count, h.IFD().Entries[i].Count);
      EXPECT_EQ(ValueOf(back, i), ValueOf(h, i)) << i;
    }
    TIETagsHandler copy;
    copy.Assign(h);
    EXPECT_EQ(TagStreamBytes(copy), TagStreamBytes(h));
    EXPECT_EQ(copy.Data(), h.Data());
    EXPECT_EQ(copy.IFD().EntryCount, h.IFD().EntryCount);
  }
}

TEST(IETagsHandler, NotesOf65001BytesOrMoreAreNotWritten) {
  std::string note = "FUJIFILM" + W32(12, false) + W16(1, false) + Entry(1, 7, 66000, W32(12 + 2 + 12 + 4, false), false) +
                     W32(0, false) + std::string(66000, 'z');
  auto s = NoteStream(0, note);
  TIETagsHandler h;
  h.ReadFromStream(*s, int32_t(note.size()), true);
  ASSERT_EQ(h.IFD().EntryCount, 1);
  TMemoryStream out;
  out.WriteBuffer("abc", 3);
  EXPECT_EQ(IEWriteMakerNoteBlock(h, out), 0);
  EXPECT_EQ(out.Position(), 3);
}
