// The MPO and JPS formats as the image library's loaders see them. Pixels are
// compared with djpeg's decoding of the same JPEG stream (for an MPO's second
// picture, the stream exiftool extracts), never with this code's own output.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/MPOFileFormat.h"
#include "imaging/core/iestreams.h"
#include "imaging/io/iestreamload.h"
#include "imaging/io/voviderio.h"
#include "platform/classes/streams.h"
#include "platform/vcl/graphics.h"
#include "tests/support/exiftool.h"
#include "tests/support/imaging/raster_bitmap.h"
#include "tests/support/jpeg_oracle.h"
#include "tests/support/testsupport.h"

namespace {

namespace fs = std::filesystem;
using testsupport::Raster;
using testsupport::TempDir;

#define REQUIRE_JPEG_TOOLS()                                                                \
  do {                                                                                      \
    if (!testsupport::HaveJpegTools()) GTEST_SKIP() << "djpeg/cjpeg are not installed: no independent decoding"; \
  } while (0)

// The stream of the MPO's second picture as exiftool cuts it out.
fs::path ExtractSecondImage(const fs::path& mpo, const TempDir& dir) {
  const fs::path out = dir / "second.jpg";
  testsupport::WriteFileBytes(out, exiftool::Run({"-b", "-MPImage2"}, mpo));
  return out;
}

// The left `width` columns of a picture.
Raster LeftPart(const Raster& p, int32_t width) {
  Raster q{width, p.height, 3, {}};
  for (int32_t y = 0; y < p.height; ++y) q.pixels.insert(q.pixels.end(), p.At(0, y), p.At(0, y) + 3 * width);
  return q;
}

// A picture from rows stored blue, green, red; row(y) gives row y's first pixel.
template <class RowAt>
Raster FromBgrRows(int32_t width, int32_t height, RowAt row) {
  Raster p{width, height, 3, {}};
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* r = row(y);
    for (int32_t x = 0; x < width; ++x) p.pixels.insert(p.pixels.end(), {r[3 * x + 2], r[3 * x + 1], r[3 * x]});
  }
  return p;
}


void ExpectSamePicture(const Raster& expected, const Raster& actual) {
  ASSERT_GT(expected.width, 0) << "no reference decoding";
  ASSERT_EQ(expected.channels, 3);
  ASSERT_EQ(actual.width, expected.width);
  ASSERT_EQ(actual.height, expected.height);
  ASSERT_EQ(actual.pixels.size(), expected.pixels.size());
  size_t differing = 0;
  for (size_t i = 0; i < expected.pixels.size(); ++i) differing += expected.pixels[i] != actual.pixels[i];
  EXPECT_EQ(differing, 0u) << "samples differing from djpeg's decoding";
}

fs::path CopyShared(const std::string& name, const TempDir& dir, const std::string& as) {
  const fs::path to = dir / as;
  fs::copy_file(testsupport::SharedDataDir() / "real" / name, to);
  return to;
}

// A 24-bit bitmap of a fixed pattern, to see whether a load touched it.
void FillMarker(TIEBitmap& bitmap) {
  ASSERT_TRUE(bitmap.Allocate(3, 2, ie24RGB));
  for (int32_t y = 0; y < 2; ++y) {
    auto* row = static_cast<uint8_t*>(bitmap.GetScanline(y));
    for (int32_t i = 0; i < 9; ++i) row[i] = uint8_t(17 * i + 5 * y);
  }
}

// A component aimed at its own bitmap that counts its finish notifications.
struct Loader {
  std::unique_ptr<TIEBitmap> bitmap = std::make_unique<TIEBitmap>();
  std::unique_ptr<TVovidErIO> io = TVovidErIO::CreateFromBitmap(bitmap.get());
  int finished = 0;
  Loader() {
    io->OnFinishWork = [this](TObject*) { ++finished; };
  }
};

class MPOFormats : public ::testing::Test {
protected:
  void SetUp() override {
    IERegisterBuiltinFormats();
    RegisterMPOFormats();
  }
  void TearDown() override {
    IERegisterBuiltinFormats();  // as start-up left it, without the MPO entries
    TPicture::UnregisterGraphicClass(TIEMPOImage::StaticClass());
  }
  TempDir dir_;
};

// ---------------------------------------------------------------- registry

struct EntryCase {
  const char* lookup;
  int32_t id;
  const char* name;
  const char* extensions;
};

TEST_F(MPOFormats, ExtensionLookupsFindBothEntriesWithTheirFields) {
  const EntryCase cases[] = {
      {"mpo", 10000, "MPO Image", "MPO"},
      {".JPS", 10001, "JPS Image", "JPS"},
      {".mpo", 10000, "MPO Image", "MPO"},
      {"jps", 10001, "JPS Image", "JPS"},
  };
  for (const EntryCase& c : cases) {
    SCOPED_TRACE(c.lookup);
    TIEFileFormatInfo* e = IEFileFormatFindByExt(c.lookup);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->FileType, c.id);
    EXPECT_EQ(e->FormatName, c.name);
    EXPECT_EQ(e->ExtensionList, c.extensions);
    EXPECT_EQ(e->PreviewPages, 4);
    EXPECT_FALSE(e->IsBuiltIn);
    EXPECT_TRUE(e->CanRead());
    EXPECT_FALSE(e->CanWrite());
    ASSERT_TRUE(e->ContentTest);
    TMemoryStream jpeg;
    jpeg.LoadFromFile(testsupport::DataFile("parallax_pair.mpo").string());
    EXPECT_FALSE(e->ContentTest(jpeg, e->FileType));
  }
}

TEST_F(MPOFormats, EntriesFollowTheLibrarysOwnInOrderAndAreAddedOnce) {
  RegisterMPOFormats();  // a second call adds nothing
  int32_t mpoAt = -1, jpsAt = -1, mpoCount = 0;
  for (int32_t i = 0; i < IEFileFormatCount(); ++i) {
    const int32_t id = IEFileFormatAt(i)->FileType;
    if (id == 10000) mpoAt = i, ++mpoCount;
    if (id == 10001) jpsAt = i;
  }
  EXPECT_EQ(mpoCount, 1);
  EXPECT_EQ(jpsAt, mpoAt + 1);
  EXPECT_EQ(jpsAt, IEFileFormatCount() - 1);
  EXPECT_EQ(TPicture::GraphicClassForExtension(".MPO"), TIEMPOImage::StaticClass());
  EXPECT_NE(TPicture::GraphicFilter(TGraphic::StaticClass()).find("MPO Image (*.mpo)|*.mpo"), std::string::npos);
}

TEST_F(MPOFormats, ContentSniffingNeverPicksThem) {
  REQUIRE_SHARED_TESTDATA();
  struct Case {
    std::string bytes;
    int32_t expected;
  };
  const Case cases[] = {
      {testsupport::ReadFileBytes(testsupport::SharedDataDir() / "real" / "sugarshack.mpo"), ioJPEG},
      {testsupport::ReadFileBytes(testsupport::SharedDataDir() / "real" / "02-super-mario.jps"), ioJPEG},
      // Nothing recognises this, so the program's tests are reached and must refuse.
      {std::string(300, '\x5A'), ioUnknown},
  };
  for (const Case& c : cases) {
    TMemoryStream s;
    s.WriteBuffer(c.bytes.data(), int32_t(c.bytes.size()));
    s.SetPosition(0);
    EXPECT_EQ(IEDetectStreamFormat(s), c.expected);
    EXPECT_EQ(s.Position(), 0);
  }
  // Loading by content takes an MPO for the JPEG it starts with.
  Loader l;
  TMemoryStream mpo;
  mpo.LoadFromFile((testsupport::SharedDataDir() / "real" / "sugarshack.mpo").string());
  mpo.SetPosition(0);
  l.io->LoadFromStream(mpo);
  EXPECT_EQ(l.io->Params().FileType, ioJPEG);
}

// ---------------------------------------------------------------- MPO reader

TEST_F(MPOFormats, LoadingByExtensionGivesThePictureOfImageIndex) {
  REQUIRE_SHARED_TESTDATA();
  REQUIRE_JPEG_TOOLS();
  REQUIRE_EXIFTOOL();
  const fs::path mpo = CopyShared("sugarshack.mpo", dir_, "pair.mpo");
  const Raster expected[] = {testsupport::DjpegFile(mpo), testsupport::DjpegFile(ExtractSecondImage(mpo, dir_))};
  ASSERT_NE(expected[0].pixels, expected[1].pixels) << "the two pictures must differ for this test to tell them apart";
  for (int32_t index : {1, 0}) {
    SCOPED_TRACE(index);
    Loader l;
    l.io->Params().SetImageIndex(index);
    l.io->LoadFromFile(mpo.string());
    EXPECT_FALSE(l.io->Aborting());
    EXPECT_EQ(l.finished, 1);
    EXPECT_EQ(l.io->Params().ImageCount(), 2);
    EXPECT_EQ(l.io->Params().FileType, ioMPO);
    ExpectSamePicture(expected[index], testsupport::RasterOfBitmap(*l.bitmap));
  }
}

TEST_F(MPOFormats, ImageIndexBeyondTheCountSetsTheCountAndLeavesTheBitmap) {
  REQUIRE_SHARED_TESTDATA();
  const fs::path mpo = CopyShared("sugarshack.mpo", dir_, "pair.mpo");
  Loader l;
  FillMarker(*l.bitmap);
  const Raster before = testsupport::RasterOfBitmap(*l.bitmap);
  l.io->Params().SetImageIndex(5);
  l.io->LoadFromFile(mpo.string());
  EXPECT_EQ(l.io->Params().ImageCount(), 2);
  EXPECT_TRUE(l.io->Aborting()) << "nothing was decoded: the load must not pass for a success";
  EXPECT_EQ(l.finished, 1);
  const Raster after = testsupport::RasterOfBitmap(*l.bitmap);
  EXPECT_EQ(after.width, 3);
  EXPECT_EQ(after.height, 2);
  EXPECT_EQ(after.pixels, before.pixels);
}

// The parser counts offsets from where it started, so an MPO inside a larger
// stream still gives the picture of the index, not bytes of the prefix.
TEST_F(MPOFormats, AnMPOAfterOtherBytesInAStreamReadsItsOwnImages) {
  REQUIRE_JPEG_TOOLS();
  REQUIRE_EXIFTOOL();
  const fs::path mpo = testsupport::DataFile("parallax_pair.mpo");
  const Raster second = testsupport::DjpegFile(ExtractSecondImage(mpo, dir_));
  const std::string prefix(777, '\0');
  const std::string bytes = prefix + testsupport::ReadFileBytes(mpo);
  TMemoryStream s;
  s.WriteBuffer(bytes.data(), int32_t(bytes.size()));
  s.SetPosition(int64_t(prefix.size()));
  Loader l;
  l.io->Params().SetImageIndex(1);
  l.io->LoadFromStreamFormat(s, ioMPO);
  EXPECT_FALSE(l.io->Aborting());
  EXPECT_EQ(l.io->Params().ImageCount(), 2);
  ExpectSamePicture(second, testsupport::RasterOfBitmap(*l.bitmap));
}

// A plain JPEG named .mpo: the parser finds no MP index.
TEST_F(MPOFormats, APlainJpegNamedMpoFailsForTheMissingNumberOfImages) {
  REQUIRE_SHARED_TESTDATA();
  const fs::path fake = CopyShared("testorig.jpg", dir_, "plain.mpo");

  // The reader raises the parser's error, with the abort flag set first.
  {
    TIEWideFileStream file(fake.string(), fmOpenRead | fmShareDenyWrite);
    TIEBitmap bitmap;
    TIOParamsVals params;
    std::atomic<bool> aborting{false};
    TIEProgressRecord progress;
    progress.Aborting = &aborting;
    try {
      ReadMPOImage(file, bitmap, params, false, progress);
      ADD_FAILURE() << "no exception";
    } catch (const EMPOFormatException& e) {
      EXPECT_EQ(e.Message(), "Tag B001 does not exist");
    }
    EXPECT_TRUE(aborting.load());
    EXPECT_TRUE(bitmap.IsEmpty());
  }
  // By extension the component takes the failure into its abort flag, with one finish call.
  {
    Loader l;
    FillMarker(*l.bitmap);
    const Raster before = testsupport::RasterOfBitmap(*l.bitmap);
    EXPECT_NO_THROW(l.io->LoadFromFile(fake.string()));
    EXPECT_TRUE(l.io->Aborting());
    EXPECT_EQ(l.finished, 1);
    EXPECT_EQ(testsupport::RasterOfBitmap(*l.bitmap).pixels, before.pixels);
  }
  // By format id the component passes the error on; the flag is set all the same.
  {
    Loader l;
    EXPECT_THROW(l.io->LoadFromFileFormat(fake.string(), ioMPO), EMPOFormatException);
    EXPECT_TRUE(l.io->Aborting());
    EXPECT_EQ(l.finished, 1);
  }
}

// The fixture with its MP index's NumberOfImages (tag B001, a little-endian
// LONG holding 2) set to count; empty when that entry is not found once.
std::string PairWithNumberOfImages(uint32_t count) {
  std::string bytes = testsupport::ReadFileBytes(testsupport::DataFile("parallax_pair.mpo"));
  const std::string entry("\x01\xB0\x04\x00\x01\x00\x00\x00\x02\x00\x00\x00", 12);
  const size_t at = bytes.find(entry);
  if (at == std::string::npos || bytes.find(entry, at + 1) != std::string::npos) return {};
  for (size_t i = 0; i < 4; ++i) bytes[at + 8 + i] = char(count >> (8 * i));
  return bytes;
}

// Files from which nothing can be decoded: each path the caller may take sees
// the failure (the reader's error, the component's abort flag), and the
// target keeps its pixels.
TEST_F(MPOFormats, AnMpoThatListsNoPictureOrNotTheOneAskedForFailsOnEveryPath) {
  struct Case {
    uint32_t numberOfImages;
    int32_t imageIndex;
    int32_t imageCount;  // what the parameters report afterwards
    const char* message;
  };
  const Case cases[] = {
      {0, 0, 0, "MPO: the MP index lists no pictures (NumberOfImages 0)"},
      {0xFFFFFFFF, 0, 0, "MPO: the MP index lists no pictures (NumberOfImages 4294967295)"},
      {0x80000000, 0, 0, "MPO: the MP index lists no pictures (NumberOfImages 2147483648)"},
      {2, 2, 2, "MPO: picture 2 was asked for, but the file holds 2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    const std::string bytes = PairWithNumberOfImages(c.numberOfImages);
    ASSERT_FALSE(bytes.empty()) << "the fixture's NumberOfImages entry was not found once";
    const fs::path file = dir_ / "patched.mpo";
    testsupport::WriteFileBytes(file, bytes);

    // The reader itself raises, with the abort flag set first.
    {
      TMemoryStream s;
      s.WriteBuffer(bytes.data(), int32_t(bytes.size()));
      s.SetPosition(0);
      TIEBitmap bitmap;
      FillMarker(bitmap);
      const Raster before = testsupport::RasterOfBitmap(bitmap);
      TIOParamsVals params;
      params.SetImageIndex(c.imageIndex);
      std::atomic<bool> aborting{false};
      TIEProgressRecord progress;
      progress.Aborting = &aborting;
      try {
        ReadMPOImage(s, bitmap, params, false, progress);
        ADD_FAILURE() << "no exception";
      } catch (const EMPOFormatException& e) {
        EXPECT_EQ(e.Message(), c.message);
      }
      EXPECT_TRUE(aborting.load());
      EXPECT_EQ(params.ImageCount(), c.imageCount);
      EXPECT_EQ(testsupport::RasterOfBitmap(bitmap).pixels, before.pixels);
    }
    // By extension the component absorbs the error into its abort flag.
    {
      Loader l;
      FillMarker(*l.bitmap);
      const Raster before = testsupport::RasterOfBitmap(*l.bitmap);
      l.io->Params().SetImageIndex(c.imageIndex);
      EXPECT_NO_THROW(l.io->LoadFromFile(file.string()));
      EXPECT_TRUE(l.io->Aborting());
      EXPECT_EQ(l.finished, 1);
      EXPECT_EQ(l.io->Params().ImageCount(), c.imageCount);
      EXPECT_EQ(testsupport::RasterOfBitmap(*l.bitmap).pixels, before.pixels);
    }
    // By format id from a stream the error reaches the caller, flag set as well.
    {
      Loader l;
      l.io->Params().SetImageIndex(c.imageIndex);
      TMemoryStream s;
      s.WriteBuffer(bytes.data(), int32_t(bytes.size()));
      s.SetPosition(0);
      EXPECT_THROW(l.io->LoadFromStreamFormat(s, ioMPO), EMPOFormatException);
      EXPECT_TRUE(l.io->Aborting());
      EXPECT_EQ(l.finished, 1);
    }
    // A parameters-only read reports no format.
    {
      Loader l;
      l.io->Params().SetImageIndex(c.imageIndex);
      l.io->ParamsFromFileFormat(file.string(), ioMPO);
      EXPECT_EQ(l.io->Params().FileType, 0);
    }
    // The picture class, which always asks for the first picture.
    if (c.imageIndex == 0) {
      TPicture picture;
      EXPECT_THROW(picture.LoadFromFile(file.string()), EMPOFormatException);
      EXPECT_EQ(picture.Graphic(), nullptr);
    }
  }
}

// The file ends inside the second picture's tables (it starts at byte 941):
// the decoder's failure shows as the abort flag.
TEST_F(MPOFormats, ASecondPictureCutInItsHeaderSetsTheAbortFlag) {
  const std::string whole = testsupport::ReadFileBytes(testsupport::DataFile("parallax_pair.mpo"));
  const fs::path cut = dir_ / "cut.mpo";
  testsupport::WriteFileBytes(cut, whole.substr(0, 941 + 300));
  Loader l;
  l.io->Params().SetImageIndex(1);
  l.io->LoadFromFile(cut.string());
  EXPECT_TRUE(l.io->Aborting());
  EXPECT_EQ(l.finished, 1);
}

// ---------------------------------------------------------------- JPS reader

// A side-by-side picture whose halves differ: red ramp left, blue ramp right.
fs::path MakeJps(const TempDir& dir, int32_t width, int32_t height) {
  Raster sbs{width, height, 3, {}};
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      const bool left = x < width / 2;
      sbs.pixels.insert(sbs.pixels.end(), {uint8_t(left ? 40 + x % 200 : 10), uint8_t((y * 7) % 256),
                                           uint8_t(left ? 20 : 60 + x % 190)});
    }
  const std::string jpeg = testsupport::Cjpeg(sbs, {"-quality", "90"});
  if (jpeg.empty()) return {};
  const fs::path jps = dir / "sbs.jps";
  testsupport::WriteFileBytes(jps, jpeg);
  return jps;
}

TEST_F(MPOFormats, AJpsLoadsAsTheLeftHalfOfTheDecodedJpeg) {
  REQUIRE_JPEG_TOOLS();
  const fs::path jps = MakeJps(dir_, 2400, 900);
  ASSERT_FALSE(jps.empty());
  const Raster full = testsupport::DjpegFile(jps);
  Loader l;
  l.io->LoadFromFile(jps.string());
  EXPECT_FALSE(l.io->Aborting());
  EXPECT_EQ(l.finished, 1);
  EXPECT_EQ(l.io->Params().FileType, ioJPS);
  EXPECT_EQ(l.io->Params().Width, 2400);  // the parameters keep the full size
  ExpectSamePicture(LeftPart(full, 1200), testsupport::RasterOfBitmap(*l.bitmap));
}

TEST_F(MPOFormats, ARealJpsLoadsAsItsLeftPicture) {
  REQUIRE_SHARED_TESTDATA();
  REQUIRE_JPEG_TOOLS();
  const fs::path jps = CopyShared("02-super-mario.jps", dir_, "mario.jps");
  const Raster full = testsupport::DjpegFile(jps);
  Loader l;
  l.io->LoadFromFile(jps.string());
  EXPECT_FALSE(l.io->Aborting());
  EXPECT_EQ(l.bitmap->GetWidth(), 522);
  EXPECT_EQ(l.bitmap->GetHeight(), 720);
  ExpectSamePicture(LeftPart(full, 522), testsupport::RasterOfBitmap(*l.bitmap));
}

// The library's own 12-byte "JFIF" stream header before the JPEG is passed over.
TEST_F(MPOFormats, AJpsBehindTheLibrarysStreamHeaderLoadsFromAStream) {
  REQUIRE_JPEG_TOOLS();
  const fs::path jps = MakeJps(dir_, 96, 24);
  ASSERT_FALSE(jps.empty());
  const Raster full = testsupport::DjpegFile(jps);
  const std::string jpeg = testsupport::ReadFileBytes(jps);
  TMemoryStream s;
  IEWriteLibraryStreamHeader(s, "JFIF", int32_t(jpeg.size()));
  s.WriteBuffer(jpeg.data(), int32_t(jpeg.size()));
  s.SetPosition(0);
  Loader l;
  l.io->LoadFromStreamFormat(s, ioJPS);
  EXPECT_FALSE(l.io->Aborting());
  EXPECT_EQ(l.finished, 1);
  ExpectSamePicture(LeftPart(full, 48), testsupport::RasterOfBitmap(*l.bitmap));
}

// Reading only the parameters must not cut the pixels the target already holds.
TEST_F(MPOFormats, ReadingAJpsParametersLeavesTheTargetWhole) {
  REQUIRE_JPEG_TOOLS();
  const fs::path jps = MakeJps(dir_, 64, 16);
  ASSERT_FALSE(jps.empty());
  Loader l;
  FillMarker(*l.bitmap);
  const Raster before = testsupport::RasterOfBitmap(*l.bitmap);
  l.io->ParamsFromFileFormat(jps.string(), ioJPS);
  EXPECT_EQ(l.io->Params().FileType, ioJPS);
  EXPECT_EQ(l.io->Params().Width, 64);
  EXPECT_EQ(l.io->Params().Height, 16);
  const Raster after = testsupport::RasterOfBitmap(*l.bitmap);
  EXPECT_EQ(after.width, 3);
  EXPECT_EQ(after.pixels, before.pixels);
}

// A stream that is not a JPEG at all: the decoder's abort flag, and the
// target keeps its pixels (nothing is halved).
TEST_F(MPOFormats, ANonJpegJpsFailsWithoutCuttingTheTarget) {
  const fs::path bad = dir_ / "bad.jps";
  testsupport::WriteFileBytes(bad, std::string(200, '\x33'));
  Loader l;
  FillMarker(*l.bitmap);
  const Raster before = testsupport::RasterOfBitmap(*l.bitmap);
  l.io->LoadFromFile(bad.string());
  EXPECT_TRUE(l.io->Aborting());
  EXPECT_EQ(l.finished, 1);
  EXPECT_EQ(testsupport::RasterOfBitmap(*l.bitmap).pixels, before.pixels);
}

// A picture one column wide has no left half: a failed load, not an empty picture.
TEST_F(MPOFormats, AJpsOneColumnWideFails) {
  REQUIRE_JPEG_TOOLS();
  const fs::path jps = MakeJps(dir_, 1, 8);
  ASSERT_FALSE(jps.empty());
  Loader l;
  l.io->LoadFromFile(jps.string());
  EXPECT_TRUE(l.io->Aborting());
  EXPECT_EQ(l.finished, 1);
}

// ---------------------------------------------------------------- picture class

TEST_F(MPOFormats, APictureLoadsAnMpoThroughTheRegisteredClass) {
  REQUIRE_JPEG_TOOLS();
  const fs::path mpo = dir_ / "pair.mpo";
  fs::copy_file(testsupport::DataFile("parallax_pair.mpo"), mpo);
  const Raster first = testsupport::DjpegFile(mpo);
  TPicture picture;
  picture.LoadFromFile(mpo.string());
  auto* graphic = dynamic_cast<TIEMPOImage*>(picture.Graphic());
  ASSERT_NE(graphic, nullptr);
  EXPECT_EQ(picture.Width(), first.width);
  EXPECT_EQ(picture.Height(), first.height);
  EXPECT_EQ(graphic->IO()->Params().ImageCount(), 2);
  ExpectSamePicture(first, testsupport::RasterOfBitmap(*graphic->IEBitmap()));

  // Drawn at its own size onto a canvas, the picture shows its pixels.
  TBitmap canvasBitmap(first.width + 4, first.height + 4);
  canvasBitmap.SetPixelFormat(pf24bit);
  canvasBitmap.Canvas()->Draw(2, 3, graphic);
  ExpectSamePicture(first, FromBgrRows(first.width, first.height, [&](int32_t y) {
                      return static_cast<const uint8_t*>(canvasBitmap.ScanLine(y + 3)) + 3 * 2;
                    }));

  // A copy made by the picture container holds the same pixels.
  TPicture copy;
  copy.Assign(&picture);
  auto* copied = dynamic_cast<TIEMPOImage*>(copy.Graphic());
  ASSERT_NE(copied, nullptr);
  ExpectSamePicture(first, testsupport::RasterOfBitmap(*copied->IEBitmap()));
}

TEST_F(MPOFormats, APictureOfAPlainJpegNamedMpoRaisesTheParsersError) {
  REQUIRE_SHARED_TESTDATA();
  const fs::path fake = CopyShared("testorig.jpg", dir_, "plain.mpo");
  TPicture picture;
  try {
    picture.LoadFromFile(fake.string());
    ADD_FAILURE() << "no exception";
  } catch (const EMPOFormatException& e) {
    EXPECT_EQ(e.Message(), "Tag B001 does not exist");
  }
  EXPECT_EQ(picture.Graphic(), nullptr);
}

}  // namespace

namespace {

// The adapter base on its own reads whatever the library recognises by content.
TEST(IEGraphicBase, LoadsARecognisedStreamAndRefusesAnUnknownOne) {
  REQUIRE_SHARED_TESTDATA();
  REQUIRE_JPEG_TOOLS();
  const fs::path jpeg = testsupport::SharedDataDir() / "real" / "testorig.jpg";
  TIEGraphicBase graphic;
  int changes = 0;
  graphic.OnChange = [&](TObject*) { ++changes; };
  TMemoryStream s;
  s.LoadFromFile(jpeg.string());
  s.SetPosition(0);
  graphic.LoadFromStream(s);
  EXPECT_EQ(changes, 1);
  ExpectSamePicture(testsupport::DjpegFile(jpeg), testsupport::RasterOfBitmap(*graphic.IEBitmap()));

  TMemoryStream junk;
  const std::string bytes(64, '\x5A');
  junk.WriteBuffer(bytes.data(), int32_t(bytes.size()));
  junk.SetPosition(0);
  EXPECT_THROW(graphic.LoadFromStream(junk), EInvalidGraphic);
  EXPECT_EQ(graphic.Width(), 227);  // the pixels already held stay
  TMemoryStream out;
  EXPECT_THROW(graphic.SaveToStream(out), EInvalidGraphicOperation);
}

}  // namespace
