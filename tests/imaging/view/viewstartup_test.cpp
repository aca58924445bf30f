// What a view gets from the library's start-up alone (the test environment
// starts it as the program does): no processing routine is called and no
// slot is filled here.
#include <gtest/gtest.h>

#include <string>

#include "imaging/core/iebitmap.h"
#include "imaging/io/vovideriocomp.h"
#include "imaging/view/voviderview.h"
#include "platform/vcl/graphics.h"
#include "tests/imaging/io/ioc_testjpeg.h"
#include "tests/imaging/view/viewtest.h"
#include "tests/support/testsupport.h"

namespace {

class ViewStartup : public viewtest::ViewTest {};

// Gray levels strictly between black and white on row y of the back buffer.
int32_t Intermediates(TIEBitmap& back, int32_t y) {
  int32_t n = 0;
  for (int32_t x = 0; x < back.GetWidth(); ++x) {
    const TRGB p = back.GetPixel24(x, y);
    if (p.g != 0 && p.g != 255) ++n;
  }
  return n;
}

TEST_F(ViewStartup, FilteredZoomAndPixelFormatConversionWork) {
  TVovidErView* v = MakeView(64, 64);
  // A 32-bit platform bitmap, left half black and right half white: the view
  // keeps only 1 and 24 bits, so it must convert the pixels.
  TBitmap source(16, 16);
  source.SetPixelFormat(pf32bit);
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 16; ++x)
      for (int32_t c = 0; c < 4; ++c) static_cast<uint8_t*>(source.ScanLine(y))[4 * x + c] = x < 8 ? 0 : 255;
  v->Assign(&source);
  TIEBitmap* image = v->GetIEBitmap();
  ASSERT_EQ(image->GetPixelFormat(), ie24RGB);
  EXPECT_EQ(image->GetPixel24(7, 3), (TRGB{0, 0, 0}));
  EXPECT_EQ(image->GetPixel24(8, 3), (TRGB{255, 255, 255}));

  v->SetZoom(400);
  v->SetZoomFilter(rfNone);
  v->Update();
  Pump();
  ASSERT_FALSE(v->BackBufferDirty());
  EXPECT_EQ(Intermediates(*v->BackBufferIE(), 30), 0);  // nearest pixels: a hard edge

  v->SetZoomFilter(rfFastLinear);
  v->Update();
  Pump();
  ASSERT_FALSE(v->BackBufferDirty());
  EXPECT_GT(Intermediates(*v->BackBufferIE(), 30), 0);  // the filter blends across the edge
}

// A JPEG whose JFIF header says 150 x 75 dots per inch, loaded through the
// view's own I/O component: the view takes the resolution; with AutoAdjustDPI
// the shorter side is resampled first, so both become 150.
TEST_F(ViewStartup, ALoadedPicturesResolutionReachesTheView) {
  testsupport::TempDir dir;
  ioctest::MadeJpeg made = ioctest::MakeJpeg(dir, 8, 6);
  if (made.jpeg.empty()) GTEST_SKIP() << "cjpeg and djpeg are needed to make the picture";
  std::string bytes = made.jpeg;
  ASSERT_EQ(bytes.substr(6, 5), std::string("JFIF\0", 5));
  bytes[13] = 1;  // dots per inch
  bytes[14] = 0, bytes[15] = char(150);
  bytes[16] = 0, bytes[17] = char(75);
  const std::string path = (dir / "dpi.jpg").string();
  testsupport::WriteFileBytes(path, bytes);

  struct Case {
    bool autoAdjust;
    int32_t width, height, dpiX, dpiY;
  };
  const Case cases[] = {{false, 8, 6, 150, 75}, {true, 8, 12, 150, 150}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.autoAdjust ? "AutoAdjustDPI" : "as read");
    TVovidErView* v = MakeView(40, 40);
    v->SetDpi(300, 300);
    TVovidErIO* io = v->GetIO();
    io->AutoAdjustDPI = c.autoAdjust;
    io->LoadFromFile(path);
    ASSERT_FALSE(io->Aborting());
    EXPECT_EQ(v->GetIEBitmap()->GetWidth(), c.width);
    EXPECT_EQ(v->GetIEBitmap()->GetHeight(), c.height);
    EXPECT_EQ(v->DpiX(), c.dpiX);
    EXPECT_EQ(v->DpiY(), c.dpiY);
  }
}

}  // namespace
