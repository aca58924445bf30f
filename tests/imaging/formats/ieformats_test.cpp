#include <gtest/gtest.h>

#include "imaging/core/ieinit.h"
#include "imaging/formats/ieformats.h"
#include "imaging/io/ieioset.h"
#include "imaging/io/ieregistry.h"
#include "imaging/io/iestreamload.h"
#include "imaging/metadata/ieexif.h"
#include "platform/classes/streams.h"
#include "tests/support/testsupport.h"

namespace {

// Starting the library with the format unit bound gives the core's EXIF
// routines the TIFF reader and lets content sniffing use the TIFF test;
// shutting it down takes both back.
TEST(FormatsUnit, StartUpBindsTheTIFFReaderAndShutDownUnbindsIt) {
  // Started once by the test environment: shut down, then started again.
  ASSERT_EQ(IEInitializeCount(), 1);
  IEFinalize();
  EXPECT_EQ(IEExifTIFFBridge.Read, nullptr);
  EXPECT_EQ(IEGetBuiltinReader(ioTIFF), nullptr);
  IEInitialize();
  EXPECT_NE(IEExifTIFFBridge.Read, nullptr);
  EXPECT_NE(IEGetBuiltinReader(ioTIFF), nullptr);
  TMemoryStream tiff;
  tiff.LoadFromFile(testsupport::DataFile("twopage_le.tif").string());
  tiff.SetPosition(0);
  EXPECT_EQ(IEDetectStreamFormat(tiff), int32_t(ioTIFF));
}

}  // namespace
