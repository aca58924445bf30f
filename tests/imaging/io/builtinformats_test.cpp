// Every built-in format the registry lists, as the library's start-up leaves
// it: either a reader for it is part of this build and reads a small fixture,
// or the format fails as unbuilt (abort flag, target untouched, one finish).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imaging/io/ieregistry.h"
#include "imaging/io/vovideriocomp.h"
#include "tests/support/testsupport.h"

namespace {

TEST(BuiltinFormats, EveryListedFormatIsReadableOrFailsAsUnbuilt) {
  // A format with a reader needs a row here; sizes as exiftool reports them.
  struct Fixture {
    int32_t id;
    const char* file;
    int32_t width, height;
  };
  const std::vector<Fixture> fixtures = {
      {ioJPEG, "FujiFilm-MM.jpg", 8, 8}, {ioTIFF, "twopage_le.tif", 4, 3}, {ioPNG, "png_rgba_text.png", 5, 4}};
  ASSERT_GT(IEFileFormatCount(), 0);
  size_t readable = 0;
  for (int32_t i = 0; i < IEFileFormatCount(); ++i) {
    const TIEFileFormatInfo& entry = *IEFileFormatAt(i);
    if (!entry.IsBuiltIn || !entry.CanRead()) continue;
    SCOPED_TRACE(entry.FormatName);
    const bool built = entry.FileType == ioJPEG || IEGetBuiltinReader(entry.FileType) != nullptr;
    const Fixture* fixture = nullptr;
    for (const Fixture& f : fixtures)
      if (f.id == entry.FileType) fixture = &f;
    TIEBitmap target;
    auto io = TVovidErIO::CreateFromBitmap(&target);
    int32_t finished = 0;
    io->OnFinishWork = [&](TObject*) { ++finished; };
    if (built) {
      ASSERT_NE(fixture, nullptr) << "a readable format without a fixture";
      io->ParamsFromFileFormat(testsupport::DataFile(fixture->file).string(), entry.FileType);
      EXPECT_EQ(io->Params().FileType, entry.FileType);
      EXPECT_EQ(io->Params().Width, fixture->width);
      EXPECT_EQ(io->Params().Height, fixture->height);
      ++readable;
    } else {
      EXPECT_EQ(fixture, nullptr) << "a fixture for a format without a reader";
      const std::string any = testsupport::DataFile("FujiFilm-MM.jpg").string();
      io->ParamsFromFileFormat(any, entry.FileType);
      EXPECT_EQ(io->Params().FileType, 0);
      EXPECT_EQ(finished, 1);
      io->LoadFromFileFormat(any, entry.FileType);
      EXPECT_TRUE(io->Aborting());
      EXPECT_EQ(target.GetWidth(), 0);
      EXPECT_EQ(finished, 2);
    }
  }
  EXPECT_EQ(readable, fixtures.size());
}

}  // namespace
