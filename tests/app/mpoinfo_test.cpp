#include "app/MPOFileFormat.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "app/DUtil.h"
#include "platform/classes/streams.h"
#include "platform/rtl/sysutils.h"
#include "tests/support/exiftool.h"
#include "tests/app/mpo_builder.h"
#include "tests/support/testsupport.h"

namespace fs = std::filesystem;
using namespace mpob;

namespace {

void LoadFile(TMPOInfo& info, const fs::path& file) {
  TFileStream s(file.string(), fmOpenRead | fmShareDenyWrite);
  info.LoadFromStream(s);
}

void LoadBytes(TMPOInfo& info, const std::string& bytes) {
  TStringStream s(bytes);
  info.LoadFromStream(s);
}

// The bytes of image i, read through the window the viewer opens over them.
std::string ImageBytes(const TMPOInfo& info, const fs::path& file, int32_t i) {
  TFileStream s(file.string(), fmOpenRead | fmShareDenyWrite);
  TClippedStream window(s, info.GetImageOffset(i), info.GetImageSize(i));
  window.Seek(0, soBeginning);
  std::string out(size_t(window.Size()), '\0');
  out.resize(size_t(window.Read(out.data(), int32_t(out.size()))));
  return out;
}

std::vector<fs::path> RealMpoFiles() {
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(testsupport::SharedDataDir() / "real"))
    if (e.path().extension() == ".mpo") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

// "name : value" lines of exiftool -s output, by name.
std::map<std::string, std::string> Fields(const std::string& text) {
  std::map<std::string, std::string> m;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const size_t colon = line.find(" : ");
    if (colon == std::string::npos) continue;
    std::string name = Trim(line.substr(0, colon));
    if (name.rfind('[', 0) == 0) name = Trim(name.substr(name.find(']') + 1));
    m.emplace(name, Trim(line.substr(colon + 3)));
  }
  return m;
}

}  // namespace

TEST(MPOInfoRealFiles, SecondPictureIsTheBytesExiftoolExtracts) {
  REQUIRE_SHARED_TESTDATA();
  REQUIRE_EXIFTOOL();
  const auto files = RealMpoFiles();
  ASSERT_FALSE(files.empty());
  std::vector<exiftool::Job> jobs;
  for (const fs::path& file : files) {
    jobs.push_back({{"-a", "-G1", "-s", "-MPF:all"}, file});
    jobs.push_back({{"-b", "-MPImage2"}, file});
    jobs.push_back({{"-a", "-G1", "-s", "-MPImage2:MPImageStart"}, file});
  }
  const std::vector<std::string> read = exiftool::RunEach(jobs);
  for (size_t i = 0; i < files.size(); ++i) {
    const fs::path& file = files[i];
    SCOPED_TRACE(file.filename().string());
    TMPOInfo info;
    ASSERT_NO_THROW(LoadFile(info, file));
    const auto mpf = Fields(read[3 * i]);
    ASSERT_TRUE(mpf.count("NumberOfImages"));
    EXPECT_EQ(info.GetNumberOfImages(), std::stoi(mpf.at("NumberOfImages")));
    EXPECT_EQ(info.MPEntries().Count(), info.GetNumberOfImages());
    const std::string& expected = read[3 * i + 1];
    ASSERT_GT(expected.size(), 100u);
    EXPECT_TRUE(ImageBytes(info, file, 1) == expected) << "picture 2 differs from exiftool's";
    // exiftool shows image 2's start as a file offset.
    EXPECT_EQ(info.GetImageOffset(1), std::stoll(Fields(read[3 * i + 2]).at("MPImageStart")));
  }
}

// Three more SOI markers inside picture 1 (thumbnail, previews) and 414 bytes of
// padding before picture 2: the MP entries, not the markers, say where it is.
TEST(MPOInfoRealFiles, PanasonicPairSplits) {
  REQUIRE_SHARED_TESTDATA();
  const fs::path file = testsupport::SharedDataDir() / "real" / "Panasonic-DMC-GX8.mpo";
  TMPOInfo info;
  LoadFile(info, file);
  EXPECT_EQ(info.Pictures().Count(), 2);
  EXPECT_EQ(info.MPAttributeIFDs().Count(), 2);
  EXPECT_EQ(info.MPHeaderPositions().size(), 2u);
  EXPECT_EQ(info.GetImageOffset(0), 0);
  EXPECT_EQ(info.GetImageOffset(1) - info.GetImageSize(0), 414);
  const std::string left = ImageBytes(info, file, 0), right = ImageBytes(info, file, 1);
  const std::string all = testsupport::ReadFileBytes(file);
  ASSERT_EQ(right.size(), size_t(info.GetImageSize(1)));
  EXPECT_EQ(right.substr(0, 2), "\xFF\xD8");
  EXPECT_EQ(right.substr(right.size() - 2), "\xFF\xD9");
  EXPECT_EQ(left.substr(left.size() - 2), "\xFF\xD9");
  // Splitting at the next SOI marker would have cut inside picture 1.
  EXPECT_LT(all.find("\xFF\xD8\xFF", 2), size_t(info.GetImageSize(0)));
  EXPECT_EQ(info.Pictures().Items(0)->ExifIFD0().GetMake(), "Panasonic");
  EXPECT_EQ(info.Pictures().Items(1)->ExifIFD0().GetMake(), "Panasonic");
}

// A stub with the real Fujifilm layout: every maker-note tag reads as exiftool reads it.
TEST(MPOInfoRealFiles, FujifilmMakerNotesAgreeWithExiftool) {
  REQUIRE_SHARED_TESTDATA();
  REQUIRE_EXIFTOOL();
  const fs::path file = testsupport::SharedDataDir() / "real" / "FujiFilm.jpg";
  TMPOInfo info;
  LoadFile(info, file);
  ASSERT_EQ(info.Pictures().Count(), 1);
  const TFujiMakerNotes& fuji = info.Pictures().Items(0)->FujiMakerNotes();
  std::istringstream lines(exiftool::Run({"-a", "-u", "-n", "-H", "-s", "-FujiFilm:all"}, file));
  std::string line;
  int compared = 0;
  while (std::getline(lines, line)) {
    // "0x1001 Sharpness                       : 3"
    const uint16_t tag = uint16_t(std::stoul(line.substr(0, 6), nullptr, 16));
    const std::string value = Trim(line.substr(line.find(" : ") + 3));
    SCOPED_TRACE(line);
    ASSERT_TRUE(fuji.HasTag(tag));
    const std::string ours = fuji.GetValueText(tag);
    double a, b;
    if (TryStrToFloat(value, a) && TryStrToFloat(ours, b)) EXPECT_DOUBLE_EQ(a, b);
    else EXPECT_EQ(ours, value);
    ++compared;
  }
  EXPECT_EQ(compared, fuji.Count());
  EXPECT_GT(compared, 10);
  EXPECT_EQ(info.Pictures().Items(0)->ExifIFD0().GetMake(), "FUJIFILM");
  EXPECT_EQ(info.Pictures().Items(0)->ExifIFD0().GetModel(), "FinePix2400Zoom");
  EXPECT_EQ(info.Pictures().Items(0)->ExifIFD().GetExifVersion(), "0210");
  // A plain JPEG has no MP index.
  try {
    info.GetNumberOfImages();
    FAIL();
  } catch (const EMPOFormatException& e) {
    EXPECT_EQ(e.Message(), "Tag B001 does not exist");
  }
}

TEST(MPOInfoFixture, ParallaxOfTheFujifilmPair) {
  const fs::path file = testsupport::DataFile("parallax_pair.mpo");
  TMPOInfo info;
  LoadFile(info, file);
  EXPECT_DOUBLE_EQ(info.GetParallax(), -3.125);
  ASSERT_EQ(info.Pictures().Count(), 2);
  // Picture 2 starts at an odd offset; its Exif block is read all the same.
  EXPECT_EQ(info.GetImageOffset(1) % 2, 1);
  EXPECT_EQ(info.Pictures().Items(1)->FujiMakerNotes().GetInteger(0x1101), 2);
  if (!exiftool::Available()) GTEST_SKIP() << "exiftool is not installed: fixture not re-checked";
  EXPECT_DOUBLE_EQ(std::stod(Fields(exiftool::Run({"-n", "-FujiFilm:Parallax"}, file)).at("Parallax")), -3.125);
  const std::string seq = Fields(testsupport::RunCommand("exiftool -b -MPImage2 " +
                                                         testsupport::ShellQuote(file.string()) +
                                                         " | exiftool -n -FujiFilm:SequenceNumber -"))
                              .at("Sequence Number");
  EXPECT_EQ(info.Pictures().Items(1)->FujiMakerNotes().GetValueText(0x1101), seq);
}

TEST(MPOInfo, TwoPictureStructure) {
  for (bool be : {false, true}) {
    SCOPED_TRACE(be ? "big-endian MP data" : "little-endian MP data");
    MpoLayout layout = FujiPair(1500, std::nullopt);
    layout.bigEndian = be;
    layout.pictures[0].padding = std::string(7, '\xFF');
    const std::string bytes = BuildMpo(layout);
    TMPOInfo info;
    LoadBytes(info, bytes);
    EXPECT_EQ(info.GetNumberOfImages(), 2);
    ASSERT_EQ(info.MPEntries().Count(), 2);
    EXPECT_EQ(info.MPAttributeIFDs().Count(), 2);
    ASSERT_EQ(info.MPHeaderPositions().size(), 2u);
    EXPECT_EQ(info.Pictures().Count(), 2);
    // Picture 2 is the second SOI after the first picture and its padding.
    const size_t second = bytes.find("\xFF\xD8", 2);
    EXPECT_EQ(info.GetImageOffset(1), int64_t(second));
    EXPECT_EQ(bytes.substr(size_t(info.GetImageOffset(1)), 2), "\xFF\xD8");
    EXPECT_EQ(info.GetImageOffset(1) + info.GetImageSize(1), int64_t(bytes.size()));
    EXPECT_EQ(info.GetImageSize(0) + 7, info.GetImageOffset(1));
    EXPECT_EQ(info.MPHeaderPosition(), info.MPHeaderPositions().back());
    EXPECT_EQ(info.MPAttributeIFDs().Items(1)->GetInteger(0xB101), 2);
    EXPECT_DOUBLE_EQ(info.GetParallax(), 1.5);
    EXPECT_THROW(info.GetImageOffset(2), EListError);
    EXPECT_THROW(info.GetImageSize(-1), EListError);
  }
}

TEST(MPOInfo, ParallaxOfTheLastPictureThatHasOne) {
  struct Row {
    std::optional<int32_t> first, second;
    double expected;
  } rows[] = {{std::nullopt, -1500, -1.5}, {2500, std::nullopt, 2.5}, {1000, -2000, -2.0},
              {std::nullopt, std::nullopt, 0.0}, {-1, -1, 0.0}};
  for (const Row& r : rows) {
    TMPOInfo info;
    MpoLayout layout = FujiPair(r.first, r.second);
    if (r.first == -1) {  // -1/-1 marks "not available"
      layout.pictures[0].app1 = ExifApp1({.makerNote = FujiMakerNote({SRational(0xB211, -1, -1)})});
      layout.pictures[1].app1 = ExifApp1({.makerNote = FujiMakerNote({SRational(0xB211, -1, -1)})});
    }
    LoadBytes(info, BuildMpo(layout));
    EXPECT_DOUBLE_EQ(info.GetParallax(), r.expected);
  }
}

TEST(MPOInfo, FujifilmNotesStayLittleEndianInABigEndianExifBlock) {
  MpoLayout layout = FujiPair(std::nullopt, std::nullopt);
  layout.pictures[0].app1 =
      ExifApp1({.bigEndian = true, .makerNote = FujiMakerNote({Short(0x1001, 3), SRational(0xB211, 2250, 1000)})});
  TMPOInfo info;
  LoadBytes(info, BuildMpo(layout));
  EXPECT_TRUE(info.Pictures().Items(0)->ExifIFD0().BigEndian());
  EXPECT_EQ(info.Pictures().Items(0)->FujiMakerNotes().GetInteger(0x1001), 3);
  EXPECT_DOUBLE_EQ(info.GetParallax(), 2.25);
}

// Canon notes carry no header and count their offsets from the Exif block's TIFF header.
TEST(MPOInfo, CanonMakerNotesFollowTheExifByteOrder) {
  for (bool be : {false, true}) {
    // The maker note lies in the Exif IFD's data; its IFD's data offsets count from the TIFF
    // header, so they are placed by hand: the note is the last block of the TIFF data.
    ExifLayout e{.bigEndian = be, .make = "Canon"};
    e.makerNote = std::string(64, '\0');
    const std::string probe = ExifTiff(e);
    const uint32_t noteAt = uint32_t(probe.size() - 64);
    e.makerNote = Ifd({Short(0x0000, 7, be), {0x0001, 3, 4, U16(0, be) + U16(2, be) + U16(0, be) + U16(3, be)}},
                      noteAt, 0, be);
    e.makerNote.resize(64, '\0');
    MpoLayout layout = FujiPair(std::nullopt, std::nullopt);
    layout.pictures[0].app1 = Segment(0xE1, std::string("Exif\0\0", 6) + ExifTiff(e));
    TMPOInfo info;
    LoadBytes(info, BuildMpo(layout));
    TCanonMakerNotes& canon = info.Pictures().Items(0)->CanonMakerNotes();
    EXPECT_EQ(canon.BigEndian(), be);
    EXPECT_EQ(canon.GetInteger(0x0000), 7);
    EXPECT_EQ(canon.GetIntegerAt(0x0001, 3), 3);
    EXPECT_EQ(info.Pictures().Items(0)->FujiMakerNotes().Count(), 0);
  }
}

TEST(MPOInfo, FirstSegmentWithoutAttributeIFDStopsAtTheFirstFrame) {
  MpoLayout layout = FujiPair(1000, 2000);
  layout.firstHasAttributeIFD = false;
  TMPOInfo info;
  LoadBytes(info, BuildMpo(layout));
  EXPECT_EQ(info.MPAttributeIFDs().Count(), 0);
  EXPECT_EQ(info.Pictures().Count(), 1);
  EXPECT_DOUBLE_EQ(info.GetParallax(), 1.0);
  EXPECT_EQ(info.MPEntries().Count(), 2);
}

TEST(MPOInfo, PlainJpegStopsAtItsFrameHeader) {
  // Two JPEGs one after the other: without an MP index only the first is scanned.
  const std::string one = "\xFF\xD8" + ExifApp1({.makerNote = FujiMakerNote({SRational(0xB211, 500, 1000)})}) + JpegBody();
  TMPOInfo info;
  LoadBytes(info, one + one);
  EXPECT_EQ(info.Pictures().Count(), 1);
  EXPECT_EQ(info.MPHeaderPositions().size(), 0u);
  EXPECT_DOUBLE_EQ(info.GetParallax(), 0.5);
  EXPECT_THROW(info.GetNumberOfImages(), EMPOFormatException);
}

TEST(MPOInfo, FillBytesAndStrayExifBeforeTheFirstPicture) {
  const std::string exif = ExifApp1({.makerNote = FujiMakerNote({SRational(0xB211, 750, 1000)})});
  // An Exif block before any SOI belongs to no picture and is passed over.
  TMPOInfo info;
  LoadBytes(info, exif + "\xFF\xD8" + std::string("\xFF\xFF", 2) + exif.substr(1) + JpegBody());
  ASSERT_EQ(info.Pictures().Count(), 1);
  EXPECT_DOUBLE_EQ(info.GetParallax(), 0.75);
  LoadBytes(info, exif + JpegBody());
  EXPECT_EQ(info.Pictures().Count(), 0);
  EXPECT_DOUBLE_EQ(info.GetParallax(), 0.0);
}

TEST(MPOInfo, ClearForgetsEverything) {
  TMPOInfo info;
  LoadBytes(info, BuildMpo(FujiPair(1000, 1000)));
  info.Clear();
  EXPECT_EQ(info.Pictures().Count(), 0);
  EXPECT_EQ(info.MPEntries().Count(), 0);
  EXPECT_EQ(info.MPIndexIFD().Count(), 0);
  EXPECT_EQ(info.MPHeaderPositions().size(), 0u);
  EXPECT_EQ(info.CurrentPicture(), nullptr);
}
