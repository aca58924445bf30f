// The display lines of the tag lists and the info panel's merge of two pictures.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <map>
#include <sstream>

#include "app/MPOFileFormat.h"
#include "platform/classes/streams.h"
#include "platform/classes/strings.h"
#include "platform/rtl/sysutils.h"
#include "tests/app/mpo_builder.h"
#include "tests/support/exiftool.h"
#include "tests/support/testsupport.h"

namespace fs = std::filesystem;
using namespace mpob;

namespace {

using Lines = std::vector<std::string>;

// Fixes the number format the lines are compared in, whatever ran before.
class DecimalPoint {
public:
  DecimalPoint() {
    FormatSettings().DecimalSeparator = '.';
    FormatSettings().ThousandSeparator = ',';
  }
  ~DecimalPoint() { FormatSettings() = saved_; }

private:
  TFormatSettings saved_ = FormatSettings();
};

Lines ToLines(const TStrings& strings) {
  Lines out;
  for (int32_t i = 0; i < strings.Count(); ++i) out.push_back(strings.Strings(i));
  return out;
}

Lines Dump(const TTiffTagList& list) {
  TStringList lines;
  list.DumpToStrings(&lines);
  return ToLines(lines);
}

// A list of the given kind read from one IFD (at offset 8 of a block standing for the TIFF data).
template <class List>
void ReadInto(List& list, const std::vector<Tag>& tags, bool be = false) {
  TStringStream s(std::string(8, 'H') + Ifd(tags, 8, 0, be));
  s.SetPosition(8);
  list.SetBigEndian(be);
  list.ReadIFD(s, 0);
}

template <class List>
Lines DumpOf(const std::vector<Tag>& tags, bool be = false) {
  List list;
  ReadInto(list, tags, be);
  return Dump(list);
}

std::string MessageOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EMPOFormatException& e) {
    return e.Message();
  }
  return "(no exception)";
}

Tag Shorts(uint16_t tag, const std::vector<uint16_t>& values, bool be = false) {
  std::string bytes;
  for (uint16_t v : values) bytes += U16(v, be);
  return {tag, 3, uint32_t(values.size()), bytes};
}

Tag Rational(uint16_t tag, uint32_t n, uint32_t d, bool be = false) { return {tag, 5, 1, U32(n, be) + U32(d, be)}; }

void LoadBytes(TMPOInfo& info, const std::string& bytes) {
  TStringStream s(bytes);
  info.LoadFromStream(s);
}

Lines Merged(const std::string& bytes) {
  TMPOInfo info;
  LoadBytes(info, bytes);
  TStringList lines;
  MergeMakerNoteLines(info, &lines);
  return ToLines(lines);
}

// "0x1001 Sharpness : 3" lines of exiftool -H -s, by tag number.
std::map<uint16_t, std::string> ExiftoolByTag(const std::string& text) {
  std::map<uint16_t, std::string> m;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const size_t colon = line.find(" : ");
    if (colon == std::string::npos || line.rfind("0x", 0) != 0) continue;
    m.emplace(uint16_t(std::stoul(line.substr(0, 6), nullptr, 16)), Trim(line.substr(colon + 3)));
  }
  return m;
}

std::string JpegWithExif(const std::string& tiff) { return "\xFF\xD8" + Segment(0xE1, std::string("Exif\0\0", 6) + tiff) + JpegBody(); }

// A JPEG whose Exif block (of the given byte order) holds Canon maker notes
// with these tags. Canon offsets count from the TIFF header, so the note is
// placed as the Exif IFD's last data block and laid out for that position.
std::string CanonJpeg(bool be, const std::function<std::vector<Tag>(bool)>& tags) {
  ExifLayout e{.bigEndian = be, .make = "Canon"};
  e.makerNote = std::string(256, '\0');
  const uint32_t noteAt = uint32_t(ExifTiff(e).size() - 256);
  e.makerNote = Ifd(tags(be), noteAt, 0, be);
  e.makerNote.resize(256, '\0');
  return JpegWithExif(ExifTiff(e));
}

}  // namespace

// ---- Real file

TEST(TagDisplayTexts, RealFujifilmFileReadsAsExiftoolReadsIt) {
  REQUIRE_SHARED_TESTDATA();
  DecimalPoint dp;
  const fs::path file = testsupport::SharedDataDir() / "real" / "FujiFilm.jpg";
  TMPOInfo info;
  {
    TFileStream s(file.string(), fmOpenRead | fmShareDenyWrite);
    info.LoadFromStream(s);
  }
  ASSERT_EQ(info.Pictures().Count(), 1);
  TMPOIndividualPicture& picture = *info.Pictures().Items(0);
  // exiftool -n gives: Version 0130, Quality NORMAL, Sharpness 3, WhiteBalance 0, FujiFlashMode 3,
  // FlashExposureComp 0, and 0 for every other tag; these are the texts of those values.
  const Lines fuji = {"Version=0130",
                      "Quality=NORMAL",
                      "Sharpness=Normal",
                      "White Balance=Auto",
                      "Flash Mode=Red-eye Reduction",
                      "Flash Strength=0 EV",
                      "Macro=False",
                      "Focus Mode=Auto Focus",
                      "SlowSync=False",
                      "PictureMode=Auto",
                      "Continuos taking or auto bracketing mode=False",
                      "$1200=0",
                      "Blur Warning=No Blur Warning",
                      "Focus Warning=Auto Focus Good",
                      "Auto Exposure Warning=Auto Exposure Good"};
  EXPECT_EQ(Dump(picture.FujiMakerNotes()), fuji);

  TStringList merged;
  MergeMakerNoteLines(info, &merged);
  Lines expected = fuji;
  expected.push_back(" ");
  EXPECT_EQ(ToLines(merged), expected);

  const Lines ifd0 = Dump(picture.ExifIFD0()), exif = Dump(picture.ExifIFD());
  auto has = [](const Lines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  for (const char* line : {"Make=FUJIFILM", "Model=FinePix2400Zoom", "Attribute IFD exists",
                           "Software Used=Digital Camera FinePix2400Zoom Ver1.70"})
    EXPECT_TRUE(has(ifd0, line)) << line;
  for (const char* line : {"Maker Notes exist", "Interoperability Pointer exists", "EXIF Version=0210"})
    EXPECT_TRUE(has(exif, line)) << line;
  EXPECT_EQ(ifd0.size(), size_t(picture.ExifIFD0().Count()));
  EXPECT_EQ(exif.size(), size_t(picture.ExifIFD().Count()));

  REQUIRE_EXIFTOOL();
  const auto tool = ExiftoolByTag(exiftool::Run({"-a", "-u", "-n", "-H", "-s", "-IFD0:all", "-ExifIFD:all"}, file));
  // Numeric lines: label and exiftool's number (the Exif version 0210 is below 0230: the old ISO label).
  const struct {
    const Lines* lines;
    uint16_t tag;
    const char* label;
  } numeric[] = {{&ifd0, 0x0112, "Orientation="},       {&ifd0, 0x011A, "XResolution="},
                 {&ifd0, 0x0213, "YCbCrPositioning"},   {&exif, 0x829D, "F Number="},
                 {&exif, 0x8827, "ISO Speed Ratings="}, {&exif, 0x9102, "Image compression mode="},
                 {&exif, 0xA002, "Valid image width="}, {&exif, 0xA210, "Focal plane resolution unit="}};
  for (const auto& n : numeric) {
    SCOPED_TRACE(n.label);
    ASSERT_TRUE(tool.count(n.tag));
    const std::string label = n.label;
    auto it = std::find_if(n.lines->begin(), n.lines->end(),
                           [&](const std::string& l) { return l.rfind(label, 0) == 0; });
    ASSERT_NE(it, n.lines->end());
    EXPECT_DOUBLE_EQ(std::stod(it->substr(label.size())), std::stod(tool.at(n.tag)));
  }
}

// ---- Fixtures checked with exiftool

TEST(TagDisplayTexts, FujifilmFixtureNumbersAgreeWithExiftool) {
  DecimalPoint dp;
  const std::vector<Tag> tags = {
      Undef(0x0000, "0130"),
      Short(0x1001, 4),                        // Sharpness: Hard
      Short(0x1002, 1536),                     // White balance: UNDERWATER
      SRational(0x1011, -2, 3),                // Flash strength
      Shorts(0x1023, {1234, 567}),             // Focus pixel
      Long(0x1101, 37),                        // Sequence number
      SRational(0xB211, -1250, 1000),          // Parallax
      SRational(0xB212, 75, 1000),             // Vertical parallax
  };
  const Lines expected = {"Version=0130",        "Sharpness=Hard",         "White Balance=UNDERWATER",
                          "Flash Strength=-0.666666666666667 EV",           "Focus Pixel=(1234|567)",
                          "Sequence Number=37",  "Parallax=-1.25",         "Vertical Parallax=0.075"};
  testsupport::TempDir dir;
  std::vector<exiftool::Job> jobs;
  for (bool be : {false, true}) {
    SCOPED_TRACE(be ? "big-endian Exif" : "little-endian Exif");
    const std::string bytes = "\xFF\xD8" + ExifApp1({.bigEndian = be, .makerNote = FujiMakerNote(tags)}) + JpegBody();
    TMPOInfo info;
    LoadBytes(info, bytes);
    ASSERT_EQ(info.Pictures().Count(), 1);
    EXPECT_EQ(Dump(info.Pictures().Items(0)->FujiMakerNotes()), expected);
    const fs::path file = dir / (be ? "fuji_mm.jpg" : "fuji_ii.jpg");
    testsupport::WriteFileBytes(file, bytes);
    jobs.push_back({{"-a", "-u", "-n", "-H", "-s", "-FujiFilm:all"}, file});
  }
  REQUIRE_EXIFTOOL();
  for (const std::string& out : exiftool::RunEach(jobs)) {
    const auto tool = ExiftoolByTag(out);
    ASSERT_EQ(tool.size(), tags.size()) << out;
    // The numbers of our lines, tag by tag, as exiftool -n reads them.
    EXPECT_EQ(tool.at(0x1001), "4");     // Hard
    EXPECT_EQ(tool.at(0x1002), "1536");  // UNDERWATER
    EXPECT_NEAR(std::stod(tool.at(0x1011)), -2.0 / 3, 1e-9);  // exiftool prints 10 digits
    EXPECT_EQ(tool.at(0x1023), "1234 567");
    EXPECT_EQ(tool.at(0x1101), "37");
    EXPECT_DOUBLE_EQ(std::stod(tool.at(0xB211)), -1.25);
    EXPECT_DOUBLE_EQ(std::stod(tool.at(0xB212)), 0.075);
  }
}

TEST(TagDisplayTexts, CanonFixtureAgreesWithExiftool) {
  // Element 0 holds the array's size in bytes, as cameras write it (exiftool checks it).
  const std::vector<uint16_t> settings = {46,     2, 30, 3, 1, 0,      7,      9, 9,      1, 0, 33,
                                          1,      0xFFFF, 0xFFFC, 0, 0x4064, 3, 0, 0x3001, 1, 5, 6};
  // Element index, exiftool's name and number for it, our line.
  const struct {
    uint16_t index;
    const char* name;
    const char* tool;
    const char* line;
  } rows[] = {
      {1, "MacroMode", "2", "Macro: Normal"},
      {2, "SelfTimer", "30", "Self timer: 30 * 1/10th sec"},
      {3, "Quality", "3", "Quality: Fine"},
      {4, "CanonFlashMode", "1", "Flash: Auto"},
      {5, "ContinuousDrive", "0", "Continuous drive mode: Single or timer"},
      {7, "FocusMode", "9", "Focus Mode: ? 9"},
      {9, "RecordMode", "1", "Record Mode: JPEG"},
      {10, "CanonImageSize", "0", "Image Size: Large"},
      {11, "EasyMode", "33", "Easy Shoot: ISO 3200"},
      {12, "DigitalZoom", "1", "Digital Zoom: 2\u00D7"},
      {13, "Contrast", "-1", "Contrast: Low (-1)"},  // exiftool reads the element as signed
      {14, "Saturation", "-4", "Saturation: Low (-4)"},
      {16, "CameraISO", "100", "CCD ISO: 100"},  // 0x4064
      {17, "MeteringMode", "3", "Metering Mode: Evaluative"},
      {18, "FocusRange", "0", "Focus Type: Manual"},
      {19, "AFPoint", "12289", "AF Point: Auto AF point selection"},
      {20, "CanonExposureMode", "1", "Exposure Mode: P - Program AE"},
  };
  Lines expected = {"Unknown 0=7"};
  for (const auto& r : rows) {
    expected.push_back(r.line);
    if (r.index == 5) expected.push_back("Unknown[6] 7");
    if (r.index == 7) expected.push_back("Unknown[8] 9");
  }
  expected.push_back("Focal Length=(0, 35, 5, 8)");

  testsupport::TempDir dir;
  std::vector<exiftool::Job> jobs;
  for (bool be : {false, true}) {
    SCOPED_TRACE(be ? "big-endian Exif" : "little-endian Exif");
    const std::string bytes = CanonJpeg(be, [&](bool b) {
      return std::vector<Tag>{Short(0x0000, 7, b), Shorts(0x0001, settings, b), Shorts(0x0002, {0, 35, 5, 8}, b)};
    });
    TMPOInfo info;
    LoadBytes(info, bytes);
    ASSERT_EQ(info.Pictures().Count(), 1);
    EXPECT_EQ(Dump(info.Pictures().Items(0)->CanonMakerNotes()), expected);
    const fs::path file = dir / (be ? "canon_mm.jpg" : "canon_ii.jpg");
    testsupport::WriteFileBytes(file, bytes);
    jobs.push_back({{"-a", "-u", "-n", "-s", "-Canon:all"}, file});
  }
  REQUIRE_EXIFTOOL();
  for (const std::string& out : exiftool::RunEach(jobs)) {
    // The camera settings and the other Canon tags share exiftool's group; names tell them apart.
    std::map<std::string, std::string> tool;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line))
      if (const size_t colon = line.find(" : "); colon != std::string::npos)
        tool.emplace(Trim(line.substr(0, colon)), Trim(line.substr(colon + 3)));
    for (const auto& r : rows) {
      SCOPED_TRACE(r.line);
      ASSERT_TRUE(tool.count(r.name)) << out;
      EXPECT_EQ(tool.at(r.name), r.tool);
    }
    EXPECT_EQ(tool.at("Canon_0x0000"), "7");
    EXPECT_EQ(tool.at("FocalLength"), "35");  // exiftool shows element 1 of tag 2
  }
}

// ---- The rows that can go wrong

TEST(TagDisplayTexts, FujifilmRows) {
  DecimalPoint dp;
  const struct {
    Tag tag;
    const char* line;  // nullptr: no line
  } rows[] = {
      // Sharpness: ends of its values, and "other" is empty.
      {Short(0x1001, 1), "Sharpness=Softest"},
      {Short(0x1001, 5), "Sharpness=Hardest"},
      {Short(0x1001, 0), "Sharpness="},
      {Short(0x1001, 6), "Sharpness="},
      {Short(0x1001, 0x8000), "Sharpness=Film Simulation"},
      {Short(0x1001, 0xFFFF), "Sharpness=n/a"},
      // White balance: the custom range, its neighbours ("?"), the quoted texts.
      {Short(0x1002, 3839), "White Balance=?"},
      {Short(0x1002, 3840), "White Balance=Custom 1"},
      {Short(0x1002, 3844), "White Balance=Custom 5"},
      {Short(0x1002, 3845), "White Balance=?"},
      {Short(0x1002, 4864), "White Balance=Custom \u201CDaylight\u201D fluorescent lamps"},
      {Short(0x1002, 4866), "White Balance=Custom \u201CCool White\u201D fluorescent lamps"},
      {Short(0x1002, 4867), "White Balance=Custom \"\"Warm White\"\" fluorescent lamps"},
      {Short(0x1002, 4868), "White Balance=Custom \"\"2800K-3000K\"\" fluorescent lamps"},
      {Short(0x1002, 5120), "White Balance=Custom Incandescent light"},
      {Short(0x1003, 768), "Color Saturation=Black & White"},
      {Short(0x1003, 1), "Color Saturation=?"},
      {Short(0x1004, 0x8000), "Tone (Contrast)=Film Simulation"},
      {Short(0x1004, 768), "Tone (Contrast)=?"},
      {Short(0x1005, 5000), "Color temperature"},
      {Short(0x1010, 4), "Flash Mode=External"},
      {Short(0x1010, 5), "Flash Mode=?"},
      {SRational(0x1011, 1, 2), "Flash Strength=0.5 EV"},
      {Short(0x1020, 2), "Macro=True"},
      {Short(0x1020, 0), "Macro=False"},
      {Short(0x1021, 1), "Focus Mode=Manual Focus"},
      {Short(0x1021, 2), "Focus Mode=?"},
      {Short(0x1022, 1), "2D AF Mode=Center"},
      {Short(0x1022, 2), "2D AF Mode=?"},
      {Short(0x1030, 1), "SlowSync=True"},
      // Picture mode: 22 lies in a gap of its table; "other" is empty.
      {Short(0x1031, 21), "PictureMode=Baby Mode"},
      {Short(0x1031, 22), "PictureMode="},
      {Short(0x1031, 23), "PictureMode=Night (Tripod)"},
      {Short(0x1031, 768), "PictureMode=Manual Exposure"},
      {Short(0x1032, 5), "$1032 (Burst Count?)=5"},
      {Short(0x1033, 1), "EXR=Manual"},
      {Short(0x1033, 2), "EXR=?"},
      {Short(0x1034, 768), "EXR Mode=Dynamic Range priority"},
      {Short(0x1034, 0), "EXR Mode="},
      {Short(0x1035, 9), "$1035=9"},
      {Short(0x1100, 1), "Continuos taking or auto bracketing mode=True"},
      {Short(0x1200, 3), "$1200=3"},
      {Short(0x1210, 48), "Color Mode=B&W"},
      {Short(0x1210, 32), "Color Mode=?"},
      {Short(0x1300, 2), "Blur Warning=Blur Warning"},
      {Short(0x1300, 0), "Blur Warning=No Blur Warning"},
      {Short(0x1301, 2), "Focus Warning=?"},
      {Short(0x1302, 1), "Auto Exposure Warning=Over exposure (>1/1000s,F11)"},
      {Short(0x1303, 0), "$1303=0"},
      {Short(0x1400, 3), "Dynamic Range=Wide"},
      {Short(0x1400, 2), "Dynamic Range=?"},
      {Short(0x1408, 1), nullptr},
      {Short(0x1409, 1), nullptr},
      {Short(0x140A, 4), "$140A=4"},
      {Shorts(0x1422, {1, 2, 3}), "$1422=1, 2, 3"},
      {Shorts(0x4005, {10, 20, 30, 40}), "FocusedFace=10, 20, 30, 40"},
      {Short(0x4100, 2), "Faces detected=2"},
      {Shorts(0x4103, {1, 2, 3, 4, 5, 6, 7, 8}), "Face Positions=(1, 2, 3, 4, 5, 6, 7, 8)"},
      {Short(0x4200, 1), "$4200=1"},
      {SRational(0xB211, -1, -1), "Parallax=N/A"},
      // Parallax flags: each bit, both, none, the "consecutive" mark and foreign bits.
      {Short(0xB213, 0x0000), "Parallax Flags=[]"},
      {Short(0xB213, 0x0001), "Parallax Flags=[manual]"},
      {Short(0xB213, 0x0100), "Parallax Flags=[edited]"},
      {Short(0xB213, 0x0101), "Parallax Flags=[manual][edited]"},
      {Short(0xB213, 0x0003), "Parallax Flags=00000003"},
      {Short(0xB213, 0x0102), "Parallax Flags=00000102"},
      {Short(0xB213, 0xFFFF), "Parallax Flags=consecutive shots"},
      {Long(0xB213, 0x80000001), "Parallax Flags=80000001"},
      {Short(0xB214, 0), "Auto Parallax=OK"},
      {Short(0xB214, 1), "Auto Parallax=Not found"},
      {Short(0xB214, 0xFFFF), "Auto Parallax=N/A"},
      {Short(0xB214, 0xAB), "Auto Parallax=00AB"},
      {Long(0xB214, 0x12345), "Auto Parallax=12345"},
      // Tags without a label: the fallback line, at least two hexadecimal digits.
      {Short(0x0005, 7), "$05=7"},
      {Ascii(0x0010, "FC  12345"), "InternalSerialNumber=FC  12345"},
      {Short(0x1E00, 3), "$1E00=3"},
      {{0xB2FF, 10, 1, U32(1, false) + U32(4, false)}, "$B2FF=0.25"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.line ? r.line : "no line");
    const Lines lines = DumpOf<TFujiMakerNotes>({r.tag});
    EXPECT_EQ(lines, r.line ? Lines{r.line} : Lines{});
  }
}

TEST(TagDisplayTexts, Ifd0AndExifRows) {
  for (bool be : {false, true}) {
    SCOPED_TRACE(be ? "MM" : "II");
    EXPECT_EQ(DumpOf<TExifTiffTagList>({Ascii(0x010F, "FUJIFILM"), Ascii(0x0110, "W3"), Short(0x0112, 1, be),
                                        Short(0x0115, 3, be), Short(0x011C, 1, be), Shorts(0x0212, {2, 1}, be),
                                        Short(0x0213, 2, be), Long(0x8769, 120, be), Undef(0x9C9B, "ab"),
                                        Short(0x0005, 1, be), Ascii(0x8298, "me")},
                                       be),
              (Lines{"Make=FUJIFILM", "Model=W3", "Orientation=1", "Number of Components3", "PlanarConfiguration1",
                     "YCbCrSubSampling(2, 1)", "YCbCrPositioning2", "Attribute IFD exists", "$9C9B=ab", "$05=1",
                     "Copyright Holder=me"}));
    EXPECT_EQ(DumpOf<TExifAttributesList>({Rational(0x829A, 10, 1250, be), Rational(0x829D, 28, 10, be),
                                           Undef(0x9000, "0221"), Short(0x8827, 100, be), Undef(0x927C, "xyz"),
                                           Undef(0x9286, "comment"), Long(0xA005, 900, be),
                                           Ascii(0x9292, "12"), Short(0xA40C, 2, be), Short(0x0001, 4, be)},
                                          be),
              (Lines{"Exposure Time=10/1250s", "F Number=2.8", "EXIF Version=0221", "ISO Speed Ratings=100",
                     "Maker Notes exist", "User Comments exist", "Interoperability Pointer exists",
                     "DateTimeDigitized subsecondse=12", "Subject distance range=2", "$01=4"}));
  }
  // The ISO label follows the Exif version compared as text.
  const struct {
    const char* version;
    const char* line;
  } versions[] = {{"0221", "ISO Speed Ratings=200"},        {"0229", "ISO Speed Ratings=200"},
                  {"0230", "Photographic Sensitivity=200"}, {"0231", "Photographic Sensitivity=200"},
                  {"023", "ISO Speed Ratings=200"},         {"1000", "Photographic Sensitivity=200"}};
  for (const auto& v : versions) {
    SCOPED_TRACE(v.version);
    EXPECT_EQ(DumpOf<TExifAttributesList>({Short(0x8827, 200), Undef(0x9000, v.version)}),
              (Lines{v.line, std::string("EXIF Version=") + v.version}));
  }
}

TEST(TagDisplayTexts, CanonCameraSettingsRows) {
  // Each row: the settings array and the lines it gives (after the fixed tag 0 line).
  const struct {
    const char* name;
    std::vector<uint16_t> settings;
    Lines lines;
  } rows[] = {
      {"indexes 0, 15 and 21 on give no line; a self timer of 0 none either",
       {99, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 123, 0, 0, 0, 0, 0, 7, 8},
       {"Macro: EOS macro", "Quality: Economy", "Flash: Flash not fired", "Continuous drive mode: Single or timer",
        "Unknown[6] 0", "Focus Mode: One-Shot", "Unknown[8] 0", "Record Mode: JPEG", "Image Size: Large",
        "Easy Shoot: Full Auto", "Digital Zoom: None", "Contrast: Normal", "Saturation: Normal", "CCD ISO: Not used",
        "Metering Mode: Default", "Focus Type: Manual", "AF Point: N/A", "Exposure Mode: Easy Shooting"}},
      {"values outside each list",
       {0, 3, 1, 6, 7, 7, 0xFFFF, 8, 0xFFFF, 0, 3, 29, 4, 3, 0x7FFE, 0, 0x3FFF, 6, 12, 1, 8},
       {"Macro: ? 3", "Self timer: 1 * 1/10th sec", "Quality: ? 6", "Flash: ? 7", "Continuous drive mode: ? 7",
        "Unknown[6] 65535", "Focus Mode: ? 8", "Unknown[8] 65535", "Record Mode: ? 0", "Image Size: ? 3",
        "Easy Shoot: ? 29", "Digital Zoom: ? 4", "Contrast: ? 3", "Saturation: ? 32766", "CCD ISO: ? 16383",
        "Metering Mode: ? 6", "Focus Type: ? 12", "AF Point: ? 1", "Exposure Mode: ? 8"}},
      {"ends of the lists and the CCD ISO range",
       {0, 2, 0xFFFF, 0xFFFF, 16, 0xFFFF, 1, 6, 2, 7, 0xFFFF, 261, 3, 0x7FFF, 0xFFFE, 0, 0x4000, 5, 11, 0x4006, 7},
       {"Macro: Normal", "Self timer: 65535 * 1/10th sec", "Quality: N/A", "Flash: External Flash",
        "Continuous drive mode: N/A", "Unknown[6] 1", "Focus Mode: MF", "Unknown[8] 2", "Record Mode: CR2+JPEG",
        "Image Size: N/A", "Easy Shoot: Sun Set", "Digital Zoom: \tCalculate 0x0001-0x0025/0x0001-0x0024",
        "Contrast: N/A", "Saturation: Low (-2)", "CCD ISO: 0", "Metering Mode: Center-weighted Average",
        "Focus Type: Super Macro mode (PS-S2/S5)", "AF Point: Face Detect", "Exposure Mode: ? Bulb or Custom (EOS-5D)"}},
      {"shorter than index 20: no line past its count", {0, 1, 0, 5}, {"Macro: Macro", "Quality: Superfine"}},
      {"empty", {}, {}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    for (bool be : {false, true}) {
      const Lines lines = DumpOf<TCanonMakerNotes>({Short(0x0000, 5, be), Shorts(0x0001, r.settings, be),
                                                    Short(0x0003, 9, be), Shorts(0x0002, {1, 2}, be)},
                                                   be);
      ASSERT_GE(lines.size(), 2u);
      EXPECT_EQ(lines.front(), "Unknown 0=5");
      EXPECT_EQ(lines.back(), "Focal Length=(1, 2)");  // tag 3 gives no line
      EXPECT_EQ(Lines(lines.begin() + 1, lines.end() - 1), r.lines);
    }
  }
  // One element at its index, all before it 0 (which gives no self-timer line): the last line is its own.
  const struct {
    int32_t index;
    uint16_t value;
    const char* line;
  } single[] = {
      {3, 32769, "Quality: ? Economy (0x0180)"},
      {3, 32770, "Quality: ? Fine (0x0380)"},
      {3, 32773, "Quality: ? SuperFine (0x0580)"},
      {5, 6, "Continuous drive mode: ? Silent mode (EOS-1Ds-Mark-III)"},
      {10, 9, "Image Size: Widescreen"},
      {11, 28, "Easy Shoot: Still Image"},
      {11, 30, "Easy Shoot: Color Accent"},
      {11, 260, "Easy Shoot: ? 260"},
      {12, 2, "Digital Zoom: 4\u00D7"},
      {13, 4, "Contrast: High (+4)"},
      {13, 0xFFFC, "Contrast: Low (-4)"},
      {13, 0xFFFD, "Contrast: ? 65533"},
      {14, 1, "Saturation: High (+1)"},
      {16, 14, "CCD ISO: Auto High"},
      {16, 20, "CCD ISO: 800"},
      {16, 21, "CCD ISO: ? 21"},
      {16, 0x4064, "CCD ISO: 100"},
      {16, 0x7FFE, "CCD ISO: 16382"},
      {16, 0x7FFF, "CCD ISO: See Exif-ISO"},
      {16, 0x8000, "CCD ISO: ? 32768"},
      {19, 0x2005, "AF Point: Manual AF point selection"},
      {19, 0x4001, "AF Point: Auto AF point selection"},
      {20, 6, "Exposure Mode: M-Dep"},
  };
  for (const auto& r : single) {
    SCOPED_TRACE(r.line);
    std::vector<uint16_t> settings(size_t(r.index + 1), 0);
    settings.back() = r.value;
    EXPECT_EQ(DumpOf<TCanonMakerNotes>({Shorts(0x0001, settings)}).back(), r.line);
  }
}

// ---- Getters and bad input

TEST(TagDisplayTexts, FujifilmGetters) {
  TFujiMakerNotes notes;
  ReadInto(notes, {Short(0x1001, 3), Short(0x1020, 2), Short(0x1030, 0), Shorts(0x1023, {640, 480}),
                   Short(0x1100, 1), Short(0x1300, 0), SRational(0x1011, -1, 3), Short(0x4100, 2),
                   Shorts(0x4103, {1, 2, 3, 4, 5, 6}), Shorts(0x4005, {9, 8, 7, 6}), SRational(0xB212, 5, 100)});
  EXPECT_EQ(notes.GetSharpness(), 3);
  EXPECT_TRUE(notes.GetMacro());  // any value but 0
  EXPECT_FALSE(notes.GetSlowSync());
  EXPECT_TRUE(notes.GetContinuousMode());
  EXPECT_FALSE(notes.GetBlurWarning());
  EXPECT_EQ(notes.GetFocusPixel(), TPoint(640, 480));
  EXPECT_DOUBLE_EQ(notes.GetFlashStrength(), -1.0 / 3);
  EXPECT_TRUE(notes.HasFacesDetected());
  EXPECT_TRUE(notes.HasFocusedFace());
  EXPECT_FALSE(notes.HasParallax());
  EXPECT_EQ(notes.GetFocusedFace(), TRect(9, 8, 7, 6));
  EXPECT_EQ(notes.GetFacePosition(0), TRect(1, 2, 3, 4));
  // A count that is no multiple of 4: the last face is cut, never read past the data.
  EXPECT_EQ(notes.GetFacePosition(1), TRect(5, 6, 0, 0));
  for (int32_t i : {2, -1, std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()})
    EXPECT_EQ(notes.GetFacePosition(i), TRect()) << i;
  EXPECT_EQ(notes.GetVerticalParallax().Numerator, 5);
  EXPECT_EQ(MessageOf([&] { notes.GetWhiteBalance(); }), "Tag 1002 does not exist");
}

// Element getters asked past a tag's count stay inside what was read.
TEST(TagDisplayTexts, ShortArraysReadWithinTheirData) {
  TFujiMakerNotes notes;
  ReadInto(notes, {Short(0x1023, 50), Short(0x1422, 6), Short(0x4005, 1), Shorts(0x4103, {1, 2, 3, 4, 5})});
  EXPECT_EQ(notes.GetFocusPixel(), TPoint(50, 0));
  EXPECT_EQ(Dump(notes), (Lines{"Focus Pixel=(50|0)", "$1422=6, 0, 0", "FocusedFace=1, 0, 0, 0",
                                "Face Positions=(1, 2, 3, 4, 5)"}));
  // Camera settings stored as bytes: read byte by byte, within their bytes.
  EXPECT_EQ(DumpOf<TCanonMakerNotes>({{0x0001, 1, 3, std::string("\x00\x01\x02", 3)}}),
            (Lines{"Macro: Macro", "Self timer: 2 * 1/10th sec"}));
  // An absurd count of a type without a size holds no bytes: refused, not walked.
  EXPECT_EQ(MessageOf([] { DumpOf<TCanonMakerNotes>({{0x0001, 13, 0xFFFFFFFFu, U32(0, false)}}); }),
            "Tag 1 has wrong datatype 13");
}

TEST(TagDisplayTexts, DumpsRaiseWhatTheirGettersRaise) {
  const struct {
    std::function<Lines()> dump;
    const char* message;
  } rows[] = {
      {[] { return DumpOf<TExifAttributesList>({Short(0x8827, 100)}); }, "Tag 9000 does not exist"},
      {[] { return DumpOf<TExifAttributesList>({Short(0x829A, 100)}); }, "MPO: Tag 829A has wrong datatype 3"},
      {[] { return DumpOf<TFujiMakerNotes>({Ascii(0x1001, "x")}); }, "Tag 1001 has wrong datatype 2"},
      {[] { return DumpOf<TFujiMakerNotes>({Short(0x0000, 1)}); }, "MPO: Tag 0 has wrong datatype 3"},
      {[] { return DumpOf<TFujiMakerNotes>({Rational(0xB211, 1, 2)}); }, "MPO: Tag B211 has wrong datatype 5"},
      {[] { return DumpOf<TFujiMakerNotes>({Short(0x1011, 1)}); }, "MPO: Tag 1011 has wrong datatype 3"},
      {[] { return DumpOf<TCanonMakerNotes>({Undef(0x0001, "abcdef")}); }, "Tag 1 has wrong datatype 7"},
  };
  for (const auto& r : rows) EXPECT_EQ(MessageOf([&] { r.dump(); }), r.message);
}

// ---- The info panel's merge

TEST(TagDisplayTexts, MergeKeepsPictureTwosNewLines) {
  DecimalPoint dp;
  auto note = [](int32_t parallax, uint32_t sequence, const char* quality) {
    return FujiMakerNote({Undef(0x0000, "0130"), Ascii(0x1000, quality), Short(0x1001, 3),
                          Short(0x1101, uint16_t(sequence)), SRational(0xB211, parallax, 1000)});
  };
  MpoLayout layout = FujiPair(std::nullopt, std::nullopt);
  layout.pictures[0].app1 = ExifApp1({.makerNote = note(-1500, 1, "NORMAL")});
  layout.pictures[1].app1 = ExifApp1({.makerNote = note(250, 2, "NORMAL")});
  const Lines first = {"Version=0130", "Quality=NORMAL", "Sharpness=Normal", "Sequence Number=1", "Parallax=-1.5"};
  EXPECT_EQ(Merged(BuildMpo(layout)), (Lines{first[0], first[1], first[2], first[3], first[4], " ",
                                             "Sequence Number=2", "Parallax=0.25"}));

  // A line that differs only in case is already there.
  layout.pictures[1].app1 = ExifApp1({.makerNote = note(-1500, 1, "normal")});
  Lines same = first;
  same.push_back(" ");
  EXPECT_EQ(Merged(BuildMpo(layout)), same);
}

TEST(TagDisplayTexts, MergeOfFilesWithoutMakerNotes) {
  // A JPEG with Exif but no maker notes, and bytes without any picture.
  EXPECT_EQ(Merged("\xFF\xD8" + ExifApp1({}) + JpegBody()), Lines{" "});
  EXPECT_EQ(Merged(std::string("no picture here")), Lines{" "});
  EXPECT_EQ(Merged(std::string()), Lines{" "});
}

TEST(TagDisplayTexts, MergeTakesPictureOnesCanonLinesOnly) {
  // Picture 1: Canon notes; picture 2: Canon notes too, which the panel leaves out.
  auto canon = [](uint16_t zero) {
    return [zero](bool be) { return std::vector<Tag>{Short(0x0000, zero, be), Shorts(0x0002, {0, 50}, be)}; };
  };
  const std::string one = CanonJpeg(false, canon(1)), two = CanonJpeg(false, canon(2));
  MpoLayout layout = FujiPair(std::nullopt, std::nullopt);
  // Each picture's APP1 is the Canon Exif segment of the JPEGs above.
  layout.pictures[0].app1 = one.substr(2, one.size() - 2 - JpegBody().size());
  layout.pictures[1].app1 = two.substr(2, two.size() - 2 - JpegBody().size());
  EXPECT_EQ(Merged(BuildMpo(layout)), (Lines{"Unknown 0=1", "Focal Length=(0, 50)", " "}));
}

TEST(TagDisplayTexts, MergeLetsErrorsThroughAndLeavesTheLinesEmpty) {
  MpoLayout layout = FujiPair(std::nullopt, std::nullopt);
  layout.pictures[1].app1 = ExifApp1({.makerNote = FujiMakerNote({Ascii(0x1101, "x")})});
  TMPOInfo info;
  LoadBytes(info, BuildMpo(layout));
  TStringList lines;
  lines.Add("old content");
  EXPECT_EQ(MessageOf([&] { MergeMakerNoteLines(info, &lines); }), "Tag 1101 has wrong datatype 2");
  EXPECT_EQ(lines.Count(), 0);
}

// Inputs the fuzz target found, each with one array entry whose out-of-line
// block was never read (the IFD ran past the end of the file, or the block
// lay outside it) while its stored count says hundreds of millions. The line
// lists the elements the entry holds: none.
TEST(TagDisplayTexts, ArrayWhoseBlockWasNeverReadListsNoElements) {
  struct Row {
    const char* fixture;
    int32_t picture;
    int32_t ifd;  // 0: IFD0, 1: the Exif IFD
    size_t lines;
    size_t at;
    const char* line;
  };
  const Row rows[] = {
      {"exif_ifd_past_end_1553.jpg", 0, 1, 57, 53, "$30C=()"},
      {"exif_ifd_past_end_1666.jpg", 1, 1, 96, 12, "$30C=()"},
      {"ifd0_block_outside_file.jpg", 0, 0, 16, 5, "ResolutionUnit=()"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fixture);
    TMPOInfo info;
    TFileStream s(testsupport::DataFile(row.fixture).string(), fmOpenRead);
    try {
      info.LoadFromStream(s);
    } catch (const EMPOFormatException&) {
    } catch (const EReadError&) {
    }
    ASSERT_GT(info.Pictures().Count(), row.picture);
    TMPOIndividualPicture& picture = *info.Pictures().Items(row.picture);
    const Lines lines = row.ifd == 0 ? Dump(picture.ExifIFD0()) : Dump(picture.ExifIFD());
    EXPECT_EQ(lines.size(), row.lines);
    ASSERT_LT(row.at, lines.size());
    EXPECT_EQ(lines[row.at], row.line);
  }
}
