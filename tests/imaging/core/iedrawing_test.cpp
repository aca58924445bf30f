#include "imaging/core/iedrawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <future>
#include <numbers>
#include <thread>

#include "platform/vcl/graphics.h"
#include "platform/win/winuser.h"

namespace {

TEST(GaussianCurve, PeaksAtHiInTheMiddle) {
  std::vector<double> v;
  IEGaussianCurve(4, 130, 255, 0.5, v);
  ASSERT_EQ(v.size(), 4u);
  const double expected[4] = {240.31, 251.15, 255, 251.15};
  for (size_t i = 0; i < 4; ++i) EXPECT_NEAR(v[i], expected[i], 0.01) << i;

  // Against the bell evaluated here: v = g(x) / g(0) * (hi - lo) + lo, g(x) = exp(-sigma^2 x^2 / 2).
  IEGaussianCurve(9, 10, 50, 3.0, v);
  for (int i = 0; i < 9; ++i) {
    const double x = 2.0 * i / 9 - 1;
    const double peakX = 2.0 * 4 / 9 - 1;  // the column nearest the middle is the largest
    EXPECT_NEAR(v[size_t(i)], std::exp(-4.5 * (x * x - peakX * peakX)) * 40 + 10, 1e-9) << i;
  }
  IEGaussianCurve(0, 0, 1, 1.0, v);
  EXPECT_TRUE(v.empty());
}

int32_t RowGray(TBitmap& bmp, int32_t y, int32_t x) { return static_cast<const uint8_t*>(bmp.ScanLine(y))[3 * x]; }

TEST(GrayStripes, RowsRepeat240_251_255_251) {
  TBitmap bmp(2, 2);
  bmp.SetPixelFormat(pf8bit);
  IEDrawGrayStripes(bmp, 5, 6);
  ASSERT_EQ(bmp.PixelFormat(), pf24bit);
  ASSERT_EQ(bmp.Width(), 5);
  ASSERT_EQ(bmp.Height(), 6);
  const int want[6] = {240, 251, 255, 251, 240, 251};
  for (int32_t y = 0; y < 6; ++y)
    for (int32_t i = 0; i < 15; ++i) EXPECT_EQ(static_cast<const uint8_t*>(bmp.ScanLine(y))[i], want[y]) << y;
}

TEST(NoiseGradient, NarrowRowsNeverLeaveOffsetZero) {
  // A run only ends after more than 100 pixels, and each row restarts it: rows of 7 keep offset 0.
  TBitmap bmp;
  IEDrawNoiseGradient(bmp, 7, 4);
  ASSERT_EQ(bmp.PixelFormat(), pf24bit);
  std::vector<double> levels;
  IEGaussianCurve(7, 160, 208, 3.0, levels);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 7; ++x) {
      const auto* p = static_cast<const uint8_t*>(bmp.ScanLine(y)) + 3 * x;
      EXPECT_EQ(p[0], int(std::trunc(levels[size_t(x)])));
      EXPECT_EQ(p[1], p[0]);
      EXPECT_EQ(p[2], p[0]);
    }
  EXPECT_EQ(RowGray(bmp, 0, 3), 208);
}

TEST(NoiseGradient, WideRowsStayWithinTenAboveTheCurve) {
  TBitmap bmp;
  IERandSeed = 12345;
  IEDrawNoiseGradient(bmp, 300, 20);
  std::vector<double> levels;
  IEGaussianCurve(300, 160, 208, 3.0, levels);
  bool sawOffset = false;
  for (int32_t y = 0; y < 20; ++y)
    for (int32_t x = 0; x < 300; ++x) {
      const int d = RowGray(bmp, y, x) - int(std::trunc(levels[size_t(x)]));
      ASSERT_GE(d, 0);
      ASSERT_LE(d, 10);
      sawOffset |= d != 0;
      if (y == 0 && x <= 100) {
        ASSERT_EQ(d, 0) << x;  // no run can end before its 101st pixel
      }
    }
  EXPECT_TRUE(sawOffset);
  // The same seed draws the same picture.
  TBitmap again;
  IERandSeed = 12345;
  IEDrawNoiseGradient(again, 300, 20);
  for (int32_t y = 0; y < 20; ++y)
    for (int32_t x = 0; x < 300; ++x) ASSERT_EQ(RowGray(again, y, x), RowGray(bmp, y, x));
}

TEST(Random, StaysInRange) {
  IERandSeed = 1;
  for (int i = 0; i < 1000; ++i) {
    const int32_t v = IERandom(11);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 11);
  }
  EXPECT_EQ(IERandom(0), 0);
}


TColor PixelAt(TBitmap& bmp, int32_t x, int32_t y) {
  const auto* p = static_cast<const uint8_t*>(bmp.ScanLine(y)) + 3 * x;
  return TColor(p[2] | p[1] << 8 | p[0] << 16);
}

TEST(TextBox, KeptInsideTheAreaSavesWhatWasUnderAndFramesTheBody) {
  struct Case {
    int32_t x, y;
  };
  const Case cases[] = {{-5, -3}, {10, 8}, {500, 500}};
  for (const Case& c : cases) {
    TBitmap area(120, 70);
    area.SetPixelFormat(pf24bit);
    for (int32_t y = 0; y < 70; ++y)
      for (int32_t i = 0; i < 360; ++i) static_cast<uint8_t*>(area.ScanLine(y))[i] = uint8_t(i + y * 7);
    TBitmap original;
    original.Assign(&area);
    TBrush brush;
    brush.SetColor(TColor(0x00336699));
    TFont font;
    const TColor light = TColor(0x00FFFFFF), dark = TColor(0x00404040);
    TBitmap saved;
    int32_t x = c.x, y = c.y;
    IEDrawTextBox(*area.Canvas(), x, y, "Hint", &font, &brush, saved, 120, 70, light, dark);
    const TSize text = area.Canvas()->TextExtent("Hint");
    const int32_t bw = text.cx + 12, bh = text.cy + 12;
    const int32_t wantX = std::min(std::max(c.x, 0), 120 - bw - 1), wantY = std::min(std::max(c.y, 0), 70 - bh - 1);
    EXPECT_EQ(x, wantX);
    EXPECT_EQ(y, wantY);
    ASSERT_EQ(saved.Width(), bw);
    ASSERT_EQ(saved.Height(), bh);
    EXPECT_EQ(saved.PixelFormat(), pf24bit);
    for (int32_t j = 0; j < bh; ++j)
      for (int32_t i = 0; i < bw; ++i) ASSERT_EQ(PixelAt(saved, i, j), PixelAt(original, x + i, y + j)) << i << "," << j;
    // The margin of 6 above and left of the body stays untouched.
    EXPECT_EQ(PixelAt(area, x + 5, y + 10), PixelAt(original, x + 5, y + 10));
    EXPECT_EQ(PixelAt(area, x + 10, y + 5), PixelAt(original, x + 10, y + 5));
    // Body, edges and what lies past the box.
    EXPECT_EQ(PixelAt(area, x + 7, y + 7), TColor(0x00336699));
    EXPECT_EQ(PixelAt(area, x + 6, y + bh / 2), light);
    EXPECT_EQ(PixelAt(area, x + bw / 2, y + 6), light);
    EXPECT_EQ(PixelAt(area, x + bw - 1, y + bh / 2), dark);
    EXPECT_EQ(PixelAt(area, x + bw / 2, y + bh - 1), dark);
    EXPECT_EQ(PixelAt(area, x + bw, y + bh / 2), PixelAt(original, x + bw, y + bh / 2));
  }
}


TEST(DefaultUIFont, SegoeOnlyFromVistaOnAndWhenInstalled) {
  struct Case {
    int32_t versionClass;
    bool segoe;
    const char* name;
    int32_t height;
  };
  const Case cases[] = {{5, true, "Tahoma", -11}, {6, true, "Tahoma", -11}, {7, true, "Segoe UI", -12},
                        {9, true, "Segoe UI", -12}, {9, false, "Tahoma", -11}, {8, false, "Tahoma", -11}};
  for (const Case& c : cases) {
    TFont f;
    f.SetName("Courier");
    f.SetStyle({fsBold});
    IEApplyDefaultUIFont(f, c.versionClass, c.segoe);
    EXPECT_EQ(f.Name(), c.name) << c.versionClass;
    EXPECT_EQ(f.Height(), c.height) << c.versionClass;
    EXPECT_EQ(f.Style(), TFontStyles{});
    EXPECT_EQ(f.Color(), clWindowText);
  }
  TFont* shared = IEGetDefaultUIFont();
  ASSERT_NE(shared, nullptr);
  EXPECT_EQ(IEGetDefaultUIFont(), shared);
  EXPECT_TRUE(shared->Name() == "Tahoma" || shared->Name() == "Segoe UI");
}


TEST(OpenClipboard, FailsWhileAnotherThreadHoldsItAndOpensWhenFree) {
  std::promise<void> opened, done;
  std::thread holder([&] {
    const bool ok = win::OpenClipboard(nullptr);
    opened.set_value();
    done.get_future().wait();
    if (ok) win::CloseClipboard();
  });
  opened.get_future().wait();
  const bool whileHeld = IEOpenClipboard();
  done.set_value();
  holder.join();
  EXPECT_FALSE(whileHeld);
  ASSERT_TRUE(IEOpenClipboard());
  win::CloseClipboard();
}

}  // namespace
