// Every built-in format the registry lists, as the library's start-up leaves
// it: either its reader is part of this build and reads a small fixture, or
// a load fails as an unbuilt format (abort flag, target untouched, one finish).
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "imaging/io/ieregistry.h"
#include "imaging/io/vovideriocomp.h"
#include "tests/support/testsupport.h"

namespace {

TEST(BuiltinFormats, EveryListedFormatIsReadableOrFailsAsUnbuilt) {
  // A format whose reader is installed needs a row here.
  const std::map<int32_t, std::string> fixtures = {{ioJPEG, "FujiFilm-MM.jpg"}, {ioTIFF, "twopage_le.tif"}};
  ASSERT_GT(IEFileFormatCount(), 0);
  int32_t readable = 0;
  for (int32_t i = 0; i < IEFileFormatCount(); ++i) {
    const TIEFileFormatInfo& entry = *IEFileFormatAt(i);
    if (!entry.IsBuiltIn || !entry.CanRead()) continue;
    SCOPED_TRACE(entry.FormatName);
    const bool built = entry.FileType == ioJPEG || IEGetBuiltinReader(entry.FileType) != nullptr;
    const auto fixture = fixtures.find(entry.FileType);
    TIEBitmap target;
    auto io = TVovidErIO::CreateFromBitmap(&target);
    int32_t finished = 0;
    io->OnFinishWork = [&](TObject*) { ++finished; };
    if (built) {
      ASSERT_NE(fixture, fixtures.end()) << "a readable format without a fixture";
      io->LoadFromFileFormat(testsupport::DataFile(fixture->second).string(), entry.FileType);
      EXPECT_FALSE(io->Aborting());
      EXPECT_GT(target.GetWidth(), 0);
      EXPECT_EQ(io->Params().FileType, entry.FileType);
      ++readable;
    } else {
      io->LoadFromFileFormat(testsupport::DataFile("FujiFilm-MM.jpg").string(), entry.FileType);
      EXPECT_TRUE(io->Aborting());
      EXPECT_EQ(target.GetWidth(), 0);
    }
    EXPECT_EQ(finished, 1);
  }
  EXPECT_EQ(readable, int32_t(fixtures.size()));
}

// The TIFF reader installed by start-up gives the fixture's first page as its
// maker wrote it: 4 x 3 RGB, pixel i = (10 i, 255 - 10 i, 37 i mod 256).
TEST(BuiltinFormats, TheStartUpsTIFFReaderGivesTheFirstPage) {
  TIEBitmap target;
  auto io = TVovidErIO::CreateFromBitmap(&target);
  io->LoadFromFile(testsupport::DataFile("twopage_le.tif").string());
  ASSERT_FALSE(io->Aborting());
  ASSERT_EQ(target.GetWidth(), 4);
  ASSERT_EQ(target.GetHeight(), 3);
  ASSERT_EQ(target.GetPixelFormat(), ie24RGB);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 4; ++x) {
      const int32_t i = y * 4 + x;
      const TRGB p = target.GetPixel24(x, y);
      EXPECT_EQ(p.r, 10 * i) << i;
      EXPECT_EQ(p.g, 255 - 10 * i) << i;
      EXPECT_EQ(p.b, 37 * i % 256) << i;
    }
  EXPECT_GE(io->Params().DpiX(), 2);  // a missing resolution becomes the default
}

}  // namespace
