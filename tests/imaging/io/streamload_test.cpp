#include "imaging/io/iestreamload.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imaging/io/ieregistry.h"
#include "platform/classes/streams.h"
#include "tests/imaging/io/ioc_testjpeg.h"

namespace {

using namespace std::string_literals;

std::string Header(const std::string& tag, int32_t length) {
  std::string h = tag;
  h.resize(8, '\0');
  for (int i = 0; i < 4; ++i) h += char(uint32_t(length) >> (8 * i));
  return h;
}

std::string Padded(std::string s, size_t size) {
  s.resize(std::max(s.size(), size), 'x');
  return s;
}

const std::string kSOI = "\xFF\xD8\xFF\xE0"s;

// The content tests this unit ships, without the stricter ones the format
// layer installs at start-up (which want a real IFD behind a TIFF signature);
// the format layer's are back when the scope ends.
class ShippedContentTests {
public:
  ShippedContentTests() { IEIOFormatsUnit.Remove(); }
  ~ShippedContentTests() { IEIOFormatsUnit.Install(); }
  ShippedContentTests(const ShippedContentTests&) = delete;
  ShippedContentTests& operator=(const ShippedContentTests&) = delete;
};

struct SniffCase {
  const char* name;
  std::string bytes;
  int32_t id;
};

TEST(StreamLoad, ContentTableInItsOrder) {
  ioctest::RegistryScope registry;
  ShippedContentTests shipped;
  const std::vector<SniffCase> cases = {
      {"library JPEG header", Header("JFIF", 4) + "abcd", ioJPEG},
      {"GIF", Padded("GIF89a", 20), ioGIF},
      {"library PCX header", Header("PCX2", 8) + "12345678", ioPCX},
      {"PCX text", "PCX\0zz"s, ioPCX},
      {"BMP", Padded("BM", 40), ioBMP},
      {"PCX by its first bytes", Padded("\x0A\x05"s, 200), ioPCX},
      {"PCX version too high", Padded("\x0A\x06"s, 200), 0},
      {"library TIFF header", Header("TIFF", 1) + "z", ioTIFF},
      {"TIFF little-endian", Padded("II*\0"s, 20), ioTIFF},
      {"TIFF big-endian", Padded("MM\0*"s, 20), ioTIFF},
      {"PNG", Padded("\x89PNG\r\n\x1A\n"s, 30), ioPNG},
      {"DICOM", Padded(std::string(128, '\0') + "DICM", 200), ioDICOM},
      {"icon", Padded("\0\0\1\0\1\0"s, 30), ioICO},
      {"cursor", Padded("\0\0\2\0\1\0"s, 30), ioCUR},
      {"pixmap", Padded("P6\n"s, 30), ioPXM},
      {"JPEG 2000 file", Padded("\0\0\0\x0CjP  \r\n\x87\n"s, 30), ioJP2},
      {"JPEG 2000 code stream", Padded("\xFF\x4F\xFF\x51"s, 30), ioJ2K},
      {"AVI", Padded("RIFF\0\0\0\0AVI "s, 30), ioAVI},
      {"multipage PCX", Padded("\xB1\x68\xDE\x3A"s, 30), ioDCX},
      {"placeable metafile", Padded("\xD7\xCD\xC6\x9A"s, 30), ioWMF},
      {"enhanced metafile", Padded("\x01\0\0\0"s + std::string(36, '\0') + " EMF", 100), ioEMF},
      {"Photoshop", Padded("8BPS", 30), ioPSD},
      {"JPEG at the start", Padded(kSOI, 30), ioJPEG},
      {"JPEG 149 bytes in", Padded(std::string(149, 'a') + kSOI, 200), ioJPEG},
      {"JPEG 150 bytes in", Padded(std::string(150, 'a') + kSOI, 200), 0},
      // Earlier rules win over later ones whose bytes also match.
      {"BMP before a JPEG marker", Padded("BM" + kSOI, 40), ioBMP},
      {"GIF before a JPEG marker", Padded("GIF" + kSOI, 40), ioGIF},
      {"header with a bad length falls to the JPEG scan", Header("JFIF", 1000) + kSOI + "zz", ioJPEG},
      {"header text longer than the tag", Padded("JFIFX\0\0\0\4\0\0\0"s, 20), 0},
      // The size rules count the whole stream, not what lies after the position.
      {"a PCX text at the end of a longer stream", "PCX\0"s, ioPCX},
      {"empty", "", 0},
      {"noise", Padded("zzzz", 300), 0},
  };
  for (const SniffCase& c : cases) {
    TStringStream s("lead" + c.bytes);
    s.SetPosition(4);
    EXPECT_EQ(IEDetectStreamFormat(s), c.id) << c.name;
    EXPECT_EQ(s.Position(), 4) << c.name;
  }
  // A stream of 4 bytes or fewer skips the header rules.
  TStringStream tiny("PCX\0"s);
  EXPECT_EQ(IEDetectStreamFormat(tiny), 0);
}

TEST(StreamLoad, RegisteredTestsRunAfterTheLibrarysOwn) {
  ioctest::RegistryScope registry;
  std::vector<int32_t> asked;
  auto add = [&](int32_t id, bool answer) {
    auto e = std::make_unique<TIEFileFormatInfo>();
    e->FileType = id;
    e->ExtensionList = "X" + std::to_string(id);
    e->ContentTest = [&asked, answer](TStream& s, int32_t type) {
      asked.push_back(type);
      uint8_t b;
      s.Read(&b, 1);  // moves the position: the sniffer must put it back
      return answer;
    };
    IEFileFormatAdd(std::move(e));
  };
  add(10000, false);
  add(10001, true);
  add(10002, true);

  TStringStream noise(Padded("zzzz", 300));
  EXPECT_EQ(IEDetectStreamFormat(noise), 10001);
  EXPECT_EQ((std::vector<int32_t>{10000, 10001}), asked);
  EXPECT_EQ(noise.Position(), 0);

  asked.clear();
  TStringStream jpeg(Padded(kSOI, 40));
  EXPECT_EQ(IEDetectStreamFormat(jpeg), ioJPEG);
  EXPECT_TRUE(asked.empty());
}

TEST(StreamLoad, InstalledContentTestReplacesAndRestores) {
  ioctest::RegistryScope registry;
  TStringStream s(Padded("TGAX", 40));
  EXPECT_EQ(IEDetectStreamFormat(s), 0);
  IESetContentTest(ictTGA, [](TStream& st) {
    char b[4];
    return st.Read(b, 4) == 4 && std::string(b, 4) == "TGAX";
  });
  EXPECT_EQ(IEDetectStreamFormat(s), ioTGA);
  EXPECT_EQ(s.Position(), 0);
  IESetContentTest(ictTGA, nullptr);
  EXPECT_EQ(IEDetectStreamFormat(s), 0);
}

TEST(StreamLoad, LibraryStreamHeader) {
  struct Case {
    const char* name;
    std::string bytes;
    TIEStreamHeaderState state;
    int32_t length;
  };
  const std::vector<Case> cases = {
      {"exact fit", Header("JFIF", 3) + "abc", ieshValid, 3},
      {"data followed by more", Header("JFIF", 2) + "abcdef", ieshValid, 2},
      {"empty data", Header("JFIF", 0), ieshValid, 0},
      {"length one past the end", Header("JFIF", 4) + "abc", ieshBadLength, 0},
      {"negative length", Header("JFIF", -1) + "abc", ieshBadLength, 0},
      {"huge length", Header("JFIF", 0x7FFFFFFF) + "abc", ieshBadLength, 0},
      {"other tag", Header("TIFF", 3) + "abc", ieshNone, 0},
      {"byte 4 not zero", "JFIFJ\0\0\0\3\0\0\0abc"s, ieshNone, 0},
      {"shorter than a header", "JFIF\0\0\0"s, ieshNone, 0},
  };
  for (const Case& c : cases) {
    TStringStream s("ab" + c.bytes);
    s.SetPosition(2);
    int32_t length = -99;
    EXPECT_EQ(IECheckLibraryStreamHeader(s, "JFIF", &length), c.state) << c.name;
    if (c.state == ieshValid) {
      EXPECT_EQ(length, c.length) << c.name;
    }
    EXPECT_EQ(s.Position(), 2) << c.name;
  }
  TStringStream written;
  IEWriteLibraryStreamHeader(written, "JFIF", 0x01020304);
  EXPECT_EQ(written.DataString(), Header("JFIF", 0x01020304));
}

TEST(StreamLoad, FileFormatWeighsContentAgainstExtension) {
  ioctest::RegistryScope registry;
  ShippedContentTests shipped;
  auto mpo = std::make_unique<TIEFileFormatInfo>();
  mpo->FileType = 10000;
  mpo->ExtensionList = "MPO";
  IEFileFormatAdd(std::move(mpo));

  testsupport::TempDir dir;
  const std::string png = Padded("\x89PNG\r\n\x1A\n"s, 40);
  const std::string jpeg = Padded(kSOI, 40);
  const std::string tiff = Padded("II*\0"s, 40);
  const std::string ico = Padded("\0\0\1\0\1\0"s, 40);
  struct Case {
    const char* file;
    std::string bytes;
    bool check;
    int32_t id;
  };
  const std::vector<Case> cases = {
      {"a.png", png, true, ioPNG},       {"a.jpg", png, true, 0},          {"b.jpg", png, false, ioPNG},
      {"a.mpo", jpeg, true, 10000},      {"b.mpo", jpeg, false, 10000},    {"a.nef", tiff, true, ioRAW},
      {"a.cur", ico, true, ioCUR},       {"a.zzz", jpeg, true, 0},         {"c.zzz", jpeg, false, ioJPEG},
      {"noext", jpeg, false, ioJPEG},    {"d.jpg", "tiny", true, 0},
  };
  for (const Case& c : cases) {
    testsupport::WriteFileBytes(dir / c.file, c.bytes);
    EXPECT_EQ(IEDetectFileFormat((dir / c.file).string(), c.check), c.id) << c.file << " check " << c.check;
  }
  EXPECT_EQ(IEDetectFileFormat((dir / "missing.jpg").string(), true), 0);
  EXPECT_EQ(IEDetectFileFormat(dir.Path().string(), false), 0);
  EXPECT_EQ(IEDetectFileFormat("", false), 0);
}

}  // namespace
