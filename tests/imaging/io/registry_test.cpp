#include "imaging/io/ieregistry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imaging/core/ieinit.h"
#include "imaging/io/ieioset.h"
#include "tests/imaging/io/ioc_testjpeg.h"

namespace {

std::unique_ptr<TIEFileFormatInfo> ViewerFormat(int32_t id, const char* name, const char* ext) {
  auto e = std::make_unique<TIEFileFormatInfo>();
  e->FileType = id;
  e->FormatName = name;
  e->ExtensionList = ext;
  e->PreviewPages = ppJPEG;
  e->StreamReader = [](TStream&, TIEBitmap&, TIOParamsVals&, bool, TIEProgressRecord&) {};
  e->ContentTest = [](TStream&, int32_t) { return false; };
  return e;
}

TEST(Registry, BuiltinEntriesInRegistrationOrder) {
  ioctest::RegistryScope registry;
  // Without the Windows Imaging Component there is no HD Photo entry.
  const std::vector<int32_t> ids = {1, 2, 3, 4, 5, 21, 6, 7, 8, 28, 9, 10, 11, 12, 16, 13, 14, 17, 18, 19, 20, 24, 25, 26, 27};
  ASSERT_EQ(IEFileFormatCount(), int32_t(ids.size()));
  for (size_t i = 0; i < ids.size(); ++i) {
    TIEFileFormatInfo* e = IEFileFormatAt(int32_t(i));
    EXPECT_EQ(e->FileType, ids[i]) << "position " << i;
    EXPECT_TRUE(e->IsBuiltIn);
  }
  EXPECT_EQ(IEFileFormatFindById(ioHDP), nullptr);
  EXPECT_EQ(IEFileFormatFindByExt("hdp"), nullptr);
  EXPECT_EQ(IEFileFormatFindById(ioAVI), nullptr);

  struct Capability {
    int32_t id;
    bool read, write;
    uint16_t pages;
  };
  for (const Capability& c : std::vector<Capability>{
           {ioJPEG, true, true, ppJPEG}, {ioCUR, true, false, 0}, {ioPS, false, true, 0}, {ioPDF, false, true, 0},
           {ioRAW, true, false, 0}, {ioJ2K, true, true, ppJ2000}, {ioTGA, true, true, ppTGA}}) {
    TIEFileFormatInfo* e = IEFileFormatFindById(c.id);
    ASSERT_NE(e, nullptr) << c.id;
    EXPECT_EQ(e->CanRead(), c.read) << c.id;
    EXPECT_EQ(e->CanWrite(), c.write) << c.id;
    EXPECT_EQ(e->PreviewPages, c.pages) << c.id;
  }
}

TEST(Registry, FindByExtensionInAnyCase) {
  ioctest::RegistryScope registry;
  struct Case {
    const char* ext;
    int32_t id;  // 0: none
  };
  for (const Case& c : std::vector<Case>{
           {".JPG", ioJPEG}, {"jpg", ioJPEG}, {"Jpeg", ioJPEG}, {".jif", ioJPEG}, {"TIFF", ioTIFF}, {"g3n", ioTIFF},
           {"raw", ioRAW}, {"NEF", ioRAW}, {"pix", ioTGA}, {"v2", ioDICOM}, {"J2C", ioJ2K}, {".eps", ioPS},
           {"", 0}, {".", 0}, {"..jpg", 0}, {"jp", 0}, {"xyz", 0}}) {
    TIEFileFormatInfo* e = IEFileFormatFindByExt(c.ext);
    EXPECT_EQ(e ? e->FileType : 0, c.id) << '"' << c.ext << '"';
    EXPECT_EQ(IEFileTypeOfExt(c.ext), c.id) << '"' << c.ext << '"';
  }
  // The raw-bitmap entry has no extension, so nothing finds it that way.
  for (int32_t i = 0; i < IEFileFormatCount(); ++i)
    if (IEFileFormatAt(i)->FileType == ioBMPRAW) {
      EXPECT_EQ(IEFileFormatAt(i)->ExtensionList, "");
    }
  EXPECT_EQ(IEFileFormatExtCount(ioBMPRAW), 0);
}

TEST(Registry, ExtensionsByIndex) {
  ioctest::RegistryScope registry;
  EXPECT_EQ(IEFileFormatExtCount(ioTIFF), 6);
  EXPECT_EQ(IEFileFormatGetExt(ioTIFF, 0), "TIF");
  EXPECT_EQ(IEFileFormatGetExt(ioTIFF, 5), "XIF");
  EXPECT_EQ(IEFileFormatGetExt(ioTIFF, 6), "");
  EXPECT_EQ(IEFileFormatGetExt(ioTIFF, -1), "");
  EXPECT_EQ(IEFileFormatExtCount(999), 0);
  EXPECT_EQ(IEFileFormatGetExt(999, 0), "");
}

TEST(Registry, ProgramFormatsAddedAndRemoved) {
  ioctest::RegistryScope registry;
  const int32_t builtin = IEFileFormatCount();
  EXPECT_EQ(IEFileFormatAdd(ViewerFormat(10000, "MPO Image", "MPO")), builtin);
  EXPECT_EQ(IEFileFormatAdd(ViewerFormat(10001, "JPS Image", "JPS")), builtin + 1);
  EXPECT_EQ(IEFileTypeOfExt("mpo"), 10000);
  EXPECT_EQ(IEFileTypeOfExt(".JPS"), 10001);
  EXPECT_FALSE(IEFileFormatFindById(10000)->IsBuiltIn);
  EXPECT_TRUE(IEFileFormatFindById(10000)->CanRead());
  EXPECT_FALSE(IEFileFormatFindById(10000)->CanWrite());

  IEFileFormatRemove(12345);  // not registered: nothing changes
  EXPECT_EQ(IEFileFormatCount(), builtin + 2);
  IEFileFormatRemove(10000);
  EXPECT_EQ(IEFileFormatCount(), builtin + 1);
  EXPECT_EQ(IEFileTypeOfExt("mpo"), 0);
  EXPECT_EQ(IEFileTypeOfExt("jps"), 10001);
}

TEST(Registry, LibraryStartUpBuildsAndShutDownFreesIt) {
  // Started once by the test environment; shut down here and started again.
  ASSERT_EQ(IEInitializeCount(), 1);
  EXPECT_GT(IEFileFormatCount(), 0);
  EXPECT_EQ(IEFileTypeOfExt("jpg"), ioJPEG);
  EXPECT_NE(IEGetBuiltinReader(ioTIFF), nullptr);
  EXPECT_EQ(IEBufferedStreamRelative, false);
  EXPECT_EQ(IEMaxMetafileSize, 8000);
  IEFinalize();
  EXPECT_EQ(IEFileFormatCount(), 0);
  EXPECT_EQ(IEFileFormatFindByExt("jpg"), nullptr);
  EXPECT_EQ(IEGetBuiltinReader(ioTIFF), nullptr);
  IEInitialize();
  EXPECT_EQ(IEFileTypeOfExt("jpg"), ioJPEG);
  EXPECT_NE(IEGetBuiltinReader(ioTIFF), nullptr);
}

}  // namespace
