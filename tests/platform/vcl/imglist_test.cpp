// TImageList: masked and alpha images, drawing on a canvas, copies out,
// and the list operations with their change notifications.
#include "platform/vcl/imglist.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/vcl/graphics.h"

namespace {

// 0xRRGGBB of a canvas pixel.
uint32_t At(TBitmap& b, int x, int y) {
  TColor c = b.Canvas()->Pixels(x, y);
  return (uint32_t(GetRValue(uint32_t(c))) << 16) | (uint32_t(GetGValue(uint32_t(c))) << 8) | GetBValue(uint32_t(c));
}

bool Near(uint32_t a, uint32_t b, int tol = 1) {
  for (int s = 0; s < 24; s += 8)
    if (std::abs(int((a >> s) & 0xFF) - int((b >> s) & 0xFF)) > tol) return false;
  return true;
}

// A 32 x 16 strip of two 16 x 16 images: red and blue, each with a magenta corner square.
std::unique_ptr<TBitmap> Strip() {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf24bit);
  b->SetSize(32, 16);
  TCanvas* c = b->Canvas();
  c->Brush()->SetColor(clRed);
  c->FillRect({0, 0, 16, 16});
  c->Brush()->SetColor(clBlue);
  c->FillRect({16, 0, 32, 16});
  c->Brush()->SetColor(clFuchsia);
  c->FillRect({0, 0, 4, 4});
  c->FillRect({16, 0, 20, 4});
  return b;
}

std::unique_ptr<TBitmap> White(int w, int h) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf24bit);
  b->SetSize(w, h);
  b->Canvas()->Brush()->SetColor(clWhite);
  b->Canvas()->FillRect({0, 0, w, h});
  return b;
}

TEST(ImageList, MaskedImagesLeaveTheBackgroundWhereTheMaskColourWas) {
  TImageList list(16, 16);
  auto strip = Strip();
  EXPECT_EQ(list.AddMasked(strip.get(), clFuchsia), 0);
  ASSERT_EQ(list.Count(), 2);
  auto dest = White(40, 20);
  list.Draw(dest->Canvas(), 2, 3, 0);
  list.Draw(dest->Canvas(), 20, 3, 1);
  EXPECT_EQ(At(*dest, 2 + 1, 3 + 1), 0xFFFFFFu) << "masked corner";
  EXPECT_EQ(At(*dest, 2 + 8, 3 + 8), 0xFF0000u);
  EXPECT_EQ(At(*dest, 20 + 1, 3 + 1), 0xFFFFFFu);
  EXPECT_EQ(At(*dest, 20 + 8, 3 + 8), 0x0000FFu);
  EXPECT_EQ(At(*dest, 1, 1), 0xFFFFFFu) << "nothing outside the image";
  // A mask bitmap does the same: white keeps the background.
  TImageList byMask(16, 16);
  TBitmap mask;
  mask.SetPixelFormat(pf24bit);
  mask.SetSize(16, 16);
  mask.Canvas()->Brush()->SetColor(clBlack);
  mask.Canvas()->FillRect({0, 0, 16, 16});
  mask.Canvas()->Brush()->SetColor(clWhite);
  mask.Canvas()->FillRect({8, 0, 16, 16});
  auto red = White(16, 16);
  red->Canvas()->Brush()->SetColor(clRed);
  red->Canvas()->FillRect({0, 0, 16, 16});
  EXPECT_EQ(byMask.Add(red.get(), &mask), 0);
  auto d2 = White(16, 16);
  byMask.Draw(d2->Canvas(), 0, 0, 0);
  EXPECT_EQ(At(*d2, 3, 3), 0xFF0000u);
  EXPECT_EQ(At(*d2, 12, 3), 0xFFFFFFu);
}

TEST(ImageList, AlphaImagesBlendAndDisabledOnesAreGreyedAndFainter) {
  TBitmap img;
  img.SetPixelFormat(pf32bit);
  img.SetSize(4, 4);
  for (int y = 0; y < 4; ++y) {
    auto* row = static_cast<uint32_t*>(img.ScanLine(y));
    for (int x = 0; x < 4; ++x) row[x] = 0x80FF0000u;  // red at alpha 128, straight
  }
  img.SetAlphaFormat(afDefined);
  TImageList list(4, 4);
  ASSERT_EQ(list.Add(&img, nullptr), 0);
  EXPECT_EQ(list.Pixels(0)[0], 0x80FF0000u);
  auto dest = White(8, 4);
  list.Draw(dest->Canvas(), 0, 0, 0, true);
  list.Draw(dest->Canvas(), 4, 0, 0, false);
  // Over white: c = src * a + 255 * (1 - a).
  const double a = 128 / 255.0;
  auto over = [&](double src, double alpha) { return uint32_t(src * alpha + 255 * (1 - alpha) + 0.5); };
  const uint32_t enabled = (over(255, a) << 16) | (over(0, a) << 8) | over(0, a);
  EXPECT_TRUE(Near(At(*dest, 1, 1), enabled, 2)) << std::hex << At(*dest, 1, 1);
  const double grey = 255 * 0.30, a2 = 64 / 255.0;
  const uint32_t g = over(grey, a2);
  EXPECT_TRUE(Near(At(*dest, 5, 1), (g << 16) | (g << 8) | g, 2)) << std::hex << At(*dest, 5, 1);
}

TEST(ImageList, CopiesOutKeepThePixels) {
  TImageList list(16, 16);
  auto strip = Strip();
  list.AddMasked(strip.get(), clFuchsia);
  TBitmap out;
  ASSERT_TRUE(list.GetBitmap(1, &out));
  EXPECT_EQ(out.Width(), 16);
  EXPECT_EQ(out.AlphaFormat(), afDefined);
  const auto& px = list.Pixels(1);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) EXPECT_EQ(static_cast<uint32_t*>(out.ScanLine(y))[x], px[size_t(y * 16 + x)]);
  TIcon icon;
  ASSERT_TRUE(list.GetIcon(0, &icon));
  EXPECT_EQ(icon.Width(), 16);
  TImageList again(16, 16);
  EXPECT_EQ(again.AddIcon(&icon), 0);
  EXPECT_EQ(again.Pixels(0), list.Pixels(0));
  EXPECT_FALSE(list.GetBitmap(2, &out));
  EXPECT_FALSE(list.GetBitmap(-1, &out));
}

TEST(ImageList, ListOperationsTellTheirChanges) {
  TImageList list(16, 16);
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  auto strip = Strip();
  list.AddMasked(strip.get(), clFuchsia);  // red, blue
  EXPECT_EQ(changes, 1);
  const auto red = list.Pixels(0), blue = list.Pixels(1);
  list.Move(0, 1);
  EXPECT_EQ(list.Pixels(0), blue);
  list.ReplaceMasked(0, strip.get(), clFuchsia);
  EXPECT_EQ(list.Pixels(0), red);
  list.Delete(1);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(changes, 4);
  list.BeginUpdate();
  list.AddMasked(strip.get(), clFuchsia);
  list.Delete(0);
  EXPECT_EQ(changes, 4);
  list.EndUpdate();
  EXPECT_EQ(changes, 5) << "one notice for the batch";
  EXPECT_THROW(list.Delete(5), EInvalidOperation);
  EXPECT_THROW(list.Replace(-2, strip.get(), nullptr), EInvalidOperation);
  auto dest = White(4, 4);
  list.Draw(dest->Canvas(), 0, 0, 9);  // out of range: draws nothing
  EXPECT_EQ(At(*dest, 1, 1), 0xFFFFFFu);
  list.SetWidth(24);
  EXPECT_EQ(list.Count(), 0) << "a new size empties the list";
  EXPECT_EQ(list.AddMasked(nullptr, clNone), -1);
}

}  // namespace
