// The stereo viewer's road from an MPO file to the back buffer: both pictures
// decoded by the library's JPEG loaders into layers 0 and 1 of a view, the
// view painted with each stereo operation, every back-buffer pixel checked
// against the operations' definitions applied to pixels that djpeg decoded.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "app/DUtil.h"
#include "app/MPOFileFormat.h"
#include "imaging/core/ieglobals.h"
#include "imaging/io/vovideriocomp.h"
#include "imaging/view/voviderview.h"
#include "platform/classes/streams.h"
#include "tests/platform/vcl/controls_test.h"
#include "tests/support/jpeg_oracle.h"
#include "tests/support/testsupport.h"

namespace fs = std::filesystem;

namespace {

struct Rgb {
  int r, g, b;
};

Rgb ToRgb(const uint8_t* p) { return {p[0], p[1], p[2]}; }

int Clamp255(long double v) { return int(std::clamp<long double>(std::nearbyintl(v), 0, 255)); }

// The stereo operations as the viewer defines them: d is the left picture
// (already in the back buffer), s the right one, row the back buffer's row.
Rgb Stereo(int op, Rgb s, Rgb d, int32_t row) {
  auto gray = [](Rgb p) { return (p.r * 21 + p.g * 71 + p.b * 8) / 100; };
  switch (op) {
    case 38:
      return {gray(d), gray(s), gray(s)};
    case 39:
      return {d.r, s.g, s.b};
    case 40: {
      const long double Dr = d.r, Dg = d.g, Db = d.b, Sr = s.r, Sg = s.g, Sb = s.b;
      return {Clamp255(0.4561L * Dr + 0.500484L * Dg + 0.176381L * Db - 0.0434706L * Sr - 0.0879388L * Sg -
                       0.00155529L * Sb),
              Clamp255(-0.0400822L * Dr - 0.0378246L * Dg - 0.0157589L * Db + 0.378476L * Sr + 0.73364L * Sg -
                       0.0184503L * Sb),
              Clamp255(-0.0152161L * Dr - 0.0205971L * Dg - 0.00546856L * Db - 0.0721527L * Sr - 0.112961L * Sg +
                       1.2264L * Sb)};
    }
    case 41:
      return row % 2 == 0 ? s : d;
    case 42:
      return row % 2 == 1 ? s : d;
    case 43:
      return {d.r, s.g, 0};
  }
  return d;
}

class StereoEndToEndTest : public vcltest::VclTest {};

TEST_F(StereoEndToEndTest, MpoPairRendersEveryStereoOperationExactly) {
  REQUIRE_SHARED_TESTDATA();
  const fs::path mpo = testsupport::SharedDataDir() / "real" / "sugarshack.mpo";
  if (!fs::exists(mpo)) GTEST_SKIP() << mpo << " is missing";
  if (!testsupport::HaveTool("djpeg")) GTEST_SKIP() << "djpeg is not installed";
  IELuminanceWeights = TIELuminanceWeights{};

  // Where the right picture lies, from the MPO index.
  TMPOInfo info;
  {
    TFileStream s(mpo.string(), fmOpenRead | fmShareDenyWrite);
    info.LoadFromStream(s);
  }
  ASSERT_GE(info.GetNumberOfImages(), 2);
  const int64_t offset = info.GetImageOffset(1), size = info.GetImageSize(1);

  // The independent truth: djpeg on the two JPEG streams cut out of the file
  // (default integer DCT and fancy upsampling, what the library's decoder uses).
  ASSERT_LE(offset + size, int64_t(fs::file_size(mpo)));
  const testsupport::Raster left = testsupport::DjpegRange(mpo, 0, uint64_t(info.GetImageSize(0)));
  const testsupport::Raster right = testsupport::DjpegRange(mpo, uint64_t(offset), uint64_t(size));
  ASSERT_EQ(left.channels, 3);
  ASSERT_EQ(right.channels, 3);
  ASSERT_EQ(left.width, right.width);
  ASSERT_EQ(left.height, right.height);
  const int32_t w = left.width, h = left.height;

  // A view larger than the pair by an odd margin: the picture is centred one
  // pixel in, so the back buffer's row parity is not the picture's.
  const int32_t vw = w + 2, vh = h + 3, ox = 1, oy = 1;
  TForm* form = MakeForm(Rect(0, 0, vw, vh), clBlack);
  auto* view = new TVovidErView(form);
  view->SetBorderStyle(bsNone);
  view->SetScrollBars(ssNone);
  view->SetLegacyBitmap(false);
  view->SetBackground(clBlack);
  view->SetBounds(0, 0, vw, vh);
  view->SetParent(form);
  form->Show();
  Pump();

  // The viewer's loading: the left picture with the file loader into layer 0,
  // the right one with the stream loader over its byte range into layer 1.
  view->LockPaint();
  auto io0 = TVovidErIO::CreateFromBitmap(view->GetLayer(0)->Bitmap);
  io0->LoadFromFileJpeg(mpo.string());
  ASSERT_FALSE(io0->Aborting());
  const int32_t l1 = view->AddLayer();
  auto io1 = TVovidErIO::CreateFromBitmap(view->GetLayer(l1)->Bitmap);
  {
    TFileStream file(mpo.string(), fmOpenRead | fmShareDenyWrite);
    TClippedStream window(file, offset, size);
    window.Seek(0, soBeginning);
    io1->LoadFromStreamJpeg(window);
  }
  ASSERT_FALSE(io1->Aborting());
  view->UnlockPaint();
  TIELayer& layer1 = *view->GetLayer(l1);
  ASSERT_EQ(view->GetLayer(0)->Bitmap->GetWidth(), w);
  ASSERT_EQ(layer1.Bitmap->GetHeight(), h);
  ASSERT_EQ(layer1.PosX, 0);

  for (int op = 38; op <= 43; ++op) {
    SCOPED_TRACE("operation " + std::to_string(op));
    layer1.Operation = uint8_t(op);
    view->Update();
    Pump();
    ASSERT_FALSE(view->BackBufferDirty());
    ASSERT_EQ(view->ZoomPercentX(), 100);
    ASSERT_EQ(view->ImageOffsetX(), ox);
    ASSERT_EQ(view->ImageOffsetY(), oy);
    TIEBitmap& back = *view->BackBufferIE();
    ASSERT_EQ(back.GetWidth(), vw);
    ASSERT_EQ(back.GetHeight(), vh);
    int64_t bad = 0;
    for (int32_t y = 0; y < vh; ++y) {
      const auto* row = static_cast<const uint8_t*>(back.GetScanline(y));
      for (int32_t x = 0; x < vw; ++x) {
        const int32_t bx = x - ox, by = y - oy;
        const bool inside = bx >= 0 && bx < w && by >= 0 && by < h;
        const Rgb want = inside ? Stereo(op, ToRgb(right.At(bx, by)), ToRgb(left.At(bx, by)), y) : Rgb{0, 0, 0};
        const Rgb got{row[3 * x + 2], row[3 * x + 1], row[3 * x]};
        if ((got.r != want.r || got.g != want.g || got.b != want.b) && ++bad <= 3)
          ADD_FAILURE() << "pixel (" << x << ", " << y << "): got " << got.r << "," << got.g << "," << got.b
                        << " want " << want.r << "," << want.g << "," << want.b;
      }
    }
    EXPECT_EQ(bad, 0);
  }
}

}  // namespace
