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
  IEIOBindLibrary();
  IEFormatsBindLibrary();
  IEInitialize();
  EXPECT_NE(IEExifTIFFBridge.Read, nullptr);
  TMemoryStream tiff;
  tiff.LoadFromFile(testsupport::DataFile("twopage_le.tif").string());
  tiff.SetPosition(0);
  EXPECT_EQ(IEDetectStreamFormat(tiff), int32_t(ioTIFF));
  IEFinalize();
  EXPECT_EQ(IEExifTIFFBridge.Read, nullptr);
  IEIOSetFormatsUnitHooks({}, {});
}

}  // namespace
