// The component's JPEG savers, checked with djpeg and exiftool.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "imaging/io/jpegfilt.h"
#include "imaging/io/vovideriocomp.h"
#include "platform/classes/streams.h"
#include "tests/imaging/io/jpegsegments.h"
#include "tests/support/exiftool.h"
#include "tests/support/imaging/raster_bitmap.h"
#include "tests/support/jpeg_oracle.h"
#include "tests/support/testsupport.h"

namespace fs = std::filesystem;
using testsupport::Raster;

namespace {

Raster Gradient(int32_t w, int32_t h) {
  Raster r{w, h, 3, {}};
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) r.pixels.insert(r.pixels.end(), {uint8_t(x * 3), uint8_t(y * 3), 90});
  return r;
}

TEST(JpegSave, FileCarriesExifIptcAndXmpAndDecodes) {
  if (!testsupport::HaveJpegTools()) GTEST_SKIP() << "djpeg/cjpeg are not installed";
  REQUIRE_EXIFTOOL();
  std::unique_ptr<TIEBitmap> bitmap = testsupport::BitmapOfRaster(Gradient(60, 40));
  std::unique_ptr<TVovidErIO> io = TVovidErIO::CreateFromBitmap(bitmap.get());
  TIOParamsVals& p = io->Params();
  p.HasExif = true;
  p.ExifMake = "Duplexion";
  p.IPTCInfoList.AddBufferItem(2, 120, 7, "caption");
  p.XMPPacket = "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>"
                "<rdf:Description xmlns:dc='http://purl.org/dc/elements/1.1/' dc:format='image/jpeg'/></rdf:RDF></x:xmpmeta>";
  p.SetDpiX(240);
  p.SetDpiY(240);
  int finished = 0;
  io->OnFinishWork = [&](TObject*) { ++finished; };
  testsupport::TempDir dir;
  const fs::path file = dir / "saved.jpg";
  io->SaveToFileJpeg(file.string());
  EXPECT_FALSE(io->Aborting());
  EXPECT_EQ(finished, 1);
  EXPECT_EQ(p.FileType, ioJPEG);
  const Raster decoded = testsupport::DjpegFile(file);
  EXPECT_EQ(decoded.width, 60);
  EXPECT_EQ(exiftool::Run({"-n", "-T", "-IFD0:Make", "-IPTC:Caption-Abstract", "-XMP:Format", "-JFIF:XResolution"}, file),
            "Duplexion\tcaption\timage/jpeg\t240\n");
}

TEST(JpegSave, AFailedSaveLeavesTheOldFileAsItWas) {
  testsupport::TempDir dir;
  const fs::path file = dir / "old.jpg";
  testsupport::WriteFileBytes(file, "old contents");
  TIEBitmap empty;
  std::unique_ptr<TVovidErIO> io = TVovidErIO::CreateFromBitmap(&empty);
  io->SaveToFileJpeg(file.string());
  EXPECT_TRUE(io->Aborting());
  EXPECT_EQ(testsupport::ReadFileBytes(file), "old contents");
  TMemoryStream stream;
  io->StreamHeaders = true;
  io->SaveToStreamJpeg(stream);
  EXPECT_TRUE(io->Aborting());
  EXPECT_EQ(stream.Size(), 0);

  // EXIF too large for one marker: refused, not cut short.
  std::unique_ptr<TIEBitmap> bitmap = testsupport::BitmapOfRaster(Gradient(8, 8));
  io->SetAttachedBitmap(bitmap.get());
  io->Params().HasExif = true;
  io->Params().ExifImageDescription = std::string(70000, 'd');
  EXPECT_THROW(io->SaveToFileJpeg(file.string()), EIEJpegException);
  EXPECT_TRUE(io->Aborting());
  EXPECT_EQ(testsupport::ReadFileBytes(file), "old contents");
}

TEST(JpegSave, StreamWithHeaderLoadsBackAndEndsExactly) {
  if (!testsupport::HaveJpegTools()) GTEST_SKIP() << "djpeg/cjpeg are not installed";
  std::unique_ptr<TIEBitmap> bitmap = testsupport::BitmapOfRaster(Gradient(30, 20));
  std::unique_ptr<TVovidErIO> io = TVovidErIO::CreateFromBitmap(bitmap.get());
  io->StreamHeaders = true;
  TMemoryStream stream;
  stream.WriteBuffer("pre", 3);
  io->SaveToStreamJpeg(stream);
  ASSERT_FALSE(io->Aborting());
  const int64_t end = stream.Position();
  stream.WriteBuffer("post", 4);
  const std::string bytes(static_cast<const char*>(stream.Memory()), size_t(stream.Size()));
  EXPECT_EQ(bytes.substr(3, 8), std::string("JFIF\0\0\0\0", 8));
  const int64_t length = int64_t(uint8_t(bytes[11])) | int64_t(uint8_t(bytes[12])) << 8;
  EXPECT_EQ(3 + 12 + length, end);
  EXPECT_EQ(testsupport::DjpegBytes(bytes.substr(15, size_t(length))).width, 30);

  TIEBitmap loaded;
  std::unique_ptr<TVovidErIO> reader = TVovidErIO::CreateFromBitmap(&loaded);
  reader->StreamHeaders = true;
  stream.SetPosition(3);
  reader->LoadFromStreamJpeg(stream);
  EXPECT_FALSE(reader->Aborting());
  EXPECT_EQ(loaded.GetWidth(), 30);
  EXPECT_EQ(stream.Position(), end);
}

// An APP13 payload with a ResolutionInfo resource (id 1005) whose name is nameLength bytes.
std::string Photoshop(int nameLength, uint32_t dataSize, size_t dataBytes) {
  std::string s = std::string("Photoshop 3.0\0", 14) + "8BIM" + "\x03\xED";
  s += char(nameLength);
  s += std::string(size_t(nameLength), 'n');
  if ((1 + nameLength) % 2) s += '\0';
  s += {char(dataSize >> 24), char(dataSize >> 16), char(dataSize >> 8), char(dataSize)};
  s += std::string(dataBytes, '\x55');
  return s;
}

TEST(JpegSave, PhotoshopResolution) {
  const std::string expected300 = std::string("\x01\x2C\x00\x00\x00\x01\x00\x01\x01\x2C\x00\x00\x00\x01\x00\x01", 16);
  struct Case {
    std::string payload;
    size_t dataAt;  // where the 16 bytes stand; 0: nothing may change
  };
  const Case cases[] = {
      {Photoshop(0, 16, 16), 14 + 6 + 2 + 4},
      {Photoshop(3, 16, 20), 14 + 6 + 4 + 4},
      {Photoshop(0, 8, 16), 0},   // a resource shorter than 16 bytes
      {Photoshop(0, 16, 10), 0},  // a size that claims more than the payload holds
      {Photoshop(200, 16, 0).substr(0, 30), 0},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    TIEBitmap bitmap;
    std::unique_ptr<TVovidErIO> io = TVovidErIO::CreateFromBitmap(&bitmap);
    io->Params().SetDpiX(300);
    io->Params().SetDpiY(300);
    const std::string& payload = cases[i].payload;
    io->Params().JpegMarkers.AddMarker(0xED, payload.data(), int32_t(payload.size()));
    io->UpdatePhotoshopResolution();
    const auto* data = reinterpret_cast<const char*>(io->Params().JpegMarkers.GetMarkerData(0));
    const std::string after(data, payload.size());
    if (cases[i].dataAt == 0)
      EXPECT_EQ(after, payload) << "case " << i;
    else
      EXPECT_EQ(after.substr(cases[i].dataAt, 16), expected300) << "case " << i;
  }
}

}  // namespace
