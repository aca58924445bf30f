// Malformed MPO and JPEG input: each row names the fault and what the parser
// must do with it. Nothing may be read outside the bytes given (the test runs
// under AddressSanitizer), nothing may be allocated for counts the file cannot hold.
#include "app/MPOFileFormat.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/DUtil.h"
#include "platform/classes/streams.h"
#include "tests/app/mpo_builder.h"
#include "tests/support/testsupport.h"

using namespace mpob;

namespace {

enum TOutcome { kParses, kFormatError, kReadError, kListError };

struct Row {
  const char* name;
  std::function<std::string()> bytes;
  TOutcome outcome;
  std::string message = {};  // for kFormatError
  std::function<void(const TMPOInfo&, const std::string&)> check = {};  // for kParses
};

std::string Patch(std::string bytes, const std::string& after, size_t skip, const std::string& with) {
  const size_t at = bytes.find(after);
  EXPECT_NE(at, std::string::npos) << "pattern not in the bytes";
  if (at != std::string::npos) bytes.replace(at + after.size() + skip, with.size(), with);
  return bytes;
}

std::string Pair() { return BuildMpo(FujiPair(1000, 2000)); }

MpoLayout PairLayout() { return FujiPair(1000, 2000); }

std::string WithFirstExif(const std::string& app1) {
  MpoLayout s = PairLayout();
  s.pictures[0].app1 = app1;
  return BuildMpo(s);
}

// Reads the window the viewer would open over image i.
std::string Window(const std::string& file, const TMPOInfo& info, int32_t i) {
  TStringStream s(file);
  TClippedStream w(s, info.GetImageOffset(i), info.GetImageSize(i));
  w.Seek(0, soBeginning);
  std::string out(4096, '\0');
  std::string all;
  int32_t n;
  while ((n = w.Read(out.data(), int32_t(out.size()))) > 0) all.append(out, 0, size_t(n));
  return all;
}

const std::string kMPF("MPF\0", 4);
const std::string kExifId("Exif\0\0", 6);

std::vector<Row> Rows() {
  std::vector<Row> rows;
  rows.push_back({"marker code 0x05", [] { return std::string("\xFF\xD8\xFF\x05", 4); }, kFormatError,
                  "Unknown TIFF Tag 5"});
  rows.push_back({"marker code 0xBF", [] { return std::string("\xFF\xD8\xFF\xBF", 4); }, kFormatError,
                  "Unknown TIFF Tag BF"});
  rows.push_back({"restart marker before any MP index", [] { return std::string("\xFF\xD8\xFF\xD0", 4); },
                  kFormatError, "Tag B001 does not exist"});
  rows.push_back({"MP endian field XX", [] { return Patch(Pair(), kMPF, 0, std::string("XX\0\0", 4)); },
                  kFormatError, "Header.MPEndian has unknown format."});
  rows.push_back({"MPF version 0200",
                  [] {
                    MpoLayout s = PairLayout();
                    s.version = "0200";
                    return BuildMpo(s);
                  },
                  kFormatError, "MPO: Unknown version \"0200\""});
  rows.push_back({"Exif identifier followed by X",
                  [] { return Patch(Pair(), "Exif", 0, "X"); }, kFormatError, "Exif expected, but ExifX found."});
  rows.push_back({"MP index with 0xFFFF entries reads empty",
                  [] { return Patch(Pair(), kMPF, 8, "\xFF\xFF"); }, kFormatError, "Tag B000 does not exist"});
  rows.push_back({"NumberOfImages 0x7FFFFFFF",
                  [] {
                    MpoLayout s = PairLayout();
                    s.numberOfImages = Long(0xB001, 0x7FFFFFFF);
                    return BuildMpo(s);
                  },
                  kReadError});
  rows.push_back({"NumberOfImages 0xFFFF as SHORT",
                  [] {
                    MpoLayout s = PairLayout();
                    s.numberOfImages = Short(0xB001, 0xFFFF);
                    return BuildMpo(s);
                  },
                  kReadError});
  rows.push_back({"NumberOfImages 0xFFFFFFFF reads as no entries",
                  [] {
                    MpoLayout s = PairLayout();
                    s.numberOfImages = Long(0xB001, 0xFFFFFFFF);
                    return BuildMpo(s);
                  },
                  kParses, "",
                  [](const TMPOInfo& info, const std::string&) {
                    EXPECT_EQ(info.MPEntries().Count(), 0);
                    EXPECT_EQ(info.Pictures().Count(), 1);
                    EXPECT_THROW(info.GetImageOffset(1), EListError);
                  }});
  rows.push_back({"NumberOfImages of the wrong type",
                  [] {
                    MpoLayout s = PairLayout();
                    s.numberOfImages = Tag{0xB001, 8, 1, U16(2, false)};
                    return BuildMpo(s);
                  },
                  kFormatError, "Tag B001 has wrong datatype 8"});
  rows.push_back({"image 2 offset past the end of the file",
                  [] {
                    MpoLayout s = PairLayout();
                    s.offset2Override = 0x7FFFFFF0;
                    return BuildMpo(s);
                  },
                  kParses, "",
                  [](const TMPOInfo& info, const std::string& file) {
                    EXPECT_GT(info.GetImageOffset(1), int64_t(file.size()));
                    EXPECT_EQ(info.Pictures().Count(), 1);
                    EXPECT_EQ(Window(file, info, 1), "");
                  }});
  rows.push_back({"image 2 size past the end of the file",
                  [] {
                    MpoLayout s = PairLayout();
                    s.size2Override = 0xFFFFFFFF;
                    return BuildMpo(s);
                  },
                  kParses, "",
                  [](const TMPOInfo& info, const std::string& file) {
                    EXPECT_EQ(info.GetImageSize(1), 0xFFFFFFFFll);
                    EXPECT_EQ(Window(file, info, 1), file.substr(size_t(info.GetImageOffset(1))));
                  }});
  rows.push_back({"truncated inside the Exif segment", [] { return Pair().substr(0, 40); }, kReadError});
  rows.push_back({"truncated inside the MP index",
                  [] {
                    const std::string b = Pair();
                    return b.substr(0, b.find(kMPF) + 30);
                  },
                  kReadError});
  rows.push_back({"file ends after a marker prefix", [] { return std::string("\xFF\xD8\xFF", 3); }, kReadError});
  rows.push_back({"segment length 0 does not loop",
                  [] { return std::string("\xFF\xD8\xFF\xE0\x00\x00", 6) + JpegBody(); }, kParses, "",
                  [](const TMPOInfo& info, const std::string&) { EXPECT_EQ(info.Pictures().Count(), 1); }});
  rows.push_back({"Exif block without byte-order mark",
                  [] { return Patch(Pair(), kExifId, 0, "XX"); }, kParses, "",
                  [](const TMPOInfo& info, const std::string&) {
                    EXPECT_EQ(info.Pictures().Items(0)->ExifIFD0().Count(), 0);
                    EXPECT_DOUBLE_EQ(info.GetParallax(), 2.0);
                  }});
  rows.push_back({"IFD0 with 0xFFFF entries reads empty",
                  [] { return Patch(Pair(), kExifId, 8, "\xFF\xFF"); }, kParses, "",
                  [](const TMPOInfo& info, const std::string&) {
                    EXPECT_EQ(info.Pictures().Items(0)->ExifIFD0().Count(), 0);
                  }});
  rows.push_back({"Exif IFD pointer past the end",
                  [] { return WithFirstExif(ExifApp1({.exifIFD = false, .moreIfd0 = {Long(0x8769, 0xFFFFFF00)}})); },
                  kReadError});
  rows.push_back({"Fujifilm IFD offset past the end",
                  [] {
                    const std::string note = "FUJIFILM" + U32(0xFFFFFFF0, false) + Ifd({Short(0x1001, 3)}, 12, 0, false);
                    return WithFirstExif(ExifApp1({.makerNote = note}));
                  },
                  kReadError});
  rows.push_back({"Fujifilm entry data outside the file",
                  [] {
                    return WithFirstExif(ExifApp1({.makerNote = FujiMakerNote({{0x1000, 7, 100, "", 0x7FFFFFFF}})}));
                  },
                  kReadError});
  rows.push_back({"Fujifilm entry with a count beyond 32 bits of data",
                  [] {
                    return WithFirstExif(ExifApp1({.makerNote = FujiMakerNote({{0xB211, 10, 0x40000000, "", 12}})}));
                  },
                  kReadError});
  rows.push_back({"many maker-note entries sharing one large block",
                  [] {
                    const std::string block(20000, 'b');
                    std::vector<Tag> tags;
                    for (int i = 0; i < 200; ++i)
                      tags.push_back({uint16_t(0x2000 + i), 7, uint32_t(block.size()), "", 12 + 2 + 200 * 12 + 4});
                    return WithFirstExif(ExifApp1({.makerNote = "FUJIFILM" + U32(12, false) + Ifd(tags, 12, 0, false) +
                                                                block}));
                  },
                  kFormatError, "MPO: Tag data exceeds the file size"});
  rows.push_back({"parallax of the wrong type",
                  [] {
                    return WithFirstExif(
                        ExifApp1({.makerNote = FujiMakerNote({{0xB211, 5, 1, U32(1, false) + U32(2, false)}})}));
                  },
                  kParses, "",
                  [](const TMPOInfo& info, const std::string&) {
                    try {
                      info.GetParallax();
                      ADD_FAILURE() << "no exception";
                    } catch (const EMPOFormatException& e) {
                      EXPECT_EQ(e.Message(), "MPO: Tag B211 has wrong datatype 5");
                    }
                  }});
  return rows;
}

}  // namespace

TEST(MPOInfoMalformed, EachFaultHasItsOutcome) {
  for (const Row& row : Rows()) {
    SCOPED_TRACE(row.name);
    const std::string bytes = row.bytes();
    TMPOInfo info;
    try {
      TStringStream s(bytes);
      info.LoadFromStream(s);
      ASSERT_EQ(row.outcome, kParses) << "parsed, expected an error";
      if (row.check) row.check(info, bytes);
    } catch (const EMPOFormatException& e) {
      EXPECT_EQ(row.outcome, kFormatError) << e.Message();
      EXPECT_EQ(e.Message(), row.message);
    } catch (const EReadError&) {
      EXPECT_EQ(row.outcome, kReadError);
    }
  }
}

namespace {

// Parses bytes, accepting only the parser's own failures.
void ParseOrFailCleanly(const std::string& bytes) {
  TMPOInfo info;
  TStringStream s(bytes);
  try {
    info.LoadFromStream(s);
    if (info.MPEntries().Count() > 1) {
      TClippedStream w(s, info.GetImageOffset(1), info.GetImageSize(1));
      w.Seek(0, soBeginning);
      char buf[256];
      while (w.Read(buf, sizeof buf) > 0) {
      }
    }
    info.GetParallax();
  } catch (const EMPOFormatException&) {
  } catch (const EReadError&) {
  }
}

}  // namespace

TEST(MPOInfoMalformed, EveryTruncationFailsCleanly) {
  const std::string fixture = testsupport::ReadFileBytes(testsupport::DataFile("parallax_pair.mpo"));
  ASSERT_GT(fixture.size(), 1000u);
  for (const std::string& whole : {fixture, Pair()})
    for (size_t n = 0; n <= whole.size(); ++n) ParseOrFailCleanly(whole.substr(0, n));
}

TEST(MPOInfoMalformed, EveryHeaderByteSetToExtremesFailsCleanly) {
  const std::string fixture = testsupport::ReadFileBytes(testsupport::DataFile("parallax_pair.mpo"));
  // The header segments of picture 1: Exif, maker notes, MP index.
  for (size_t i = 0; i < 400 && i < fixture.size(); ++i)
    for (char v : {'\x00', '\xFF', '\x7F', '\x80'}) {
      std::string b = fixture;
      b[i] = v;
      ParseOrFailCleanly(b);
    }
}
