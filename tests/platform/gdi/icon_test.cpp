// Icon objects: creation from pixels and from bitmaps, and DrawIconEx's
// mask, image and alpha paths.
#include "platform/gdi/icon.h"

#include <gtest/gtest.h>

#include <vector>
#include "tests/platform/gdi/surface_canvas.h"

namespace win {
namespace {

constexpr uint32_t kGrey = 0x00808080;

struct Canvas : test::SurfaceCanvas {
  Canvas(int width, int height, uint32_t fill = kGrey) : SurfaceCanvas(width, height, fill) {}
};

struct IconDeleter {
  void operator()(IconObject* i) const { DestroyIcon(i); }
};
using UniqueIcon = std::unique_ptr<IconObject, IconDeleter>;

// 4 x 4: the left half opaque (red on top, blue below), the right half transparent over green.
UniqueIcon MaskedIcon() {
  std::vector<uint32_t> px(16);
  std::vector<uint8_t> mask(16);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      px[size_t(y * 4 + x)] = x < 2 ? (y < 2 ? 0x00FF0000u : 0x000000FFu) : 0x0000FF00u;
      mask[size_t(y * 4 + x)] = x < 2 ? 0 : 1;
    }
  return UniqueIcon(CreateIconFromPixels(4, 4, px.data(), mask.data()));
}

struct DrawCase {
  UINT flags;
  uint32_t opaqueTop, transparent;  // expected at (0,0) and at (3,0)
};

class DrawIconTest : public ::testing::TestWithParam<DrawCase> {};

TEST_P(DrawIconTest, MaskAndImageCombineAsTheFlagsSay) {
  const DrawCase& c = GetParam();
  UniqueIcon icon = MaskedIcon();
  ASSERT_TRUE(icon);
  Canvas cv(6, 6);
  ASSERT_TRUE(DrawIconEx(cv.dc, 1, 1, icon.get(), 0, 0, 0, nullptr, c.flags));
  EXPECT_EQ(cv.At(1, 1), c.opaqueTop);
  EXPECT_EQ(cv.At(4, 1), c.transparent);
  EXPECT_EQ(cv.At(0, 0), kGrey);
  EXPECT_EQ(cv.At(5, 5), kGrey);
}

INSTANTIATE_TEST_SUITE_P(Flags, DrawIconTest,
                         ::testing::Values(
                             // AND mask then XOR image: transparent pixels are destination ^ image.
                             DrawCase{DI_NORMAL, 0x00FF0000u, kGrey ^ 0x0000FF00u},
                             DrawCase{DI_MASK, 0x00000000u, kGrey},
                             DrawCase{DI_IMAGE, 0x00FF0000u, 0x0000FF00u}));

TEST(IconTest, AlphaIconsBlendOverTheDestination) {
  const uint32_t a = 128;
  std::vector<uint32_t> px(4, (a << 24) | 0x00FF0000u);
  UniqueIcon icon(CreateIconFromPixels(2, 2, px.data(), nullptr));
  ASSERT_TRUE(icon);
  Canvas cv(2, 2, 0x00FFFFFF);
  ASSERT_TRUE(DrawIconEx(cv.dc, 0, 0, icon.get(), 0, 0, 0, nullptr, DI_NORMAL));
  auto blend = [&](uint32_t s, uint32_t d) { return (s * a + d * (255 - a) + 127) / 255; };
  const uint32_t expected = (blend(255, 255) << 16) | (blend(0, 255) << 8) | blend(0, 255);
  EXPECT_EQ(cv.At(0, 0), expected);
  EXPECT_EQ(cv.At(1, 1), expected);
}

TEST(IconTest, DrawingScalesByWholePixels) {
  UniqueIcon icon = MaskedIcon();
  Canvas cv(8, 8);
  ASSERT_TRUE(DrawIconEx(cv.dc, 0, 0, icon.get(), 8, 8, 0, nullptr, DI_NORMAL));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const uint32_t expected = x < 4 ? (y < 4 ? 0x00FF0000u : 0x000000FFu) : (kGrey ^ 0x0000FF00u);
      EXPECT_EQ(cv.At(x, y), expected) << x << "," << y;
    }
}

TEST(IconTest, FlickerFreeBrushReplacesTheBackground) {
  UniqueIcon icon = MaskedIcon();
  Canvas cv(4, 4);
  HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  ASSERT_TRUE(DrawIconEx(cv.dc, 0, 0, icon.get(), 0, 0, 0, white, DI_NORMAL));
  EXPECT_EQ(cv.At(3, 0), 0x00FFFFFFu ^ 0x0000FF00u);
}

TEST(IconTest, BitmapsMakeTheSameIconAndInfoGivesThemBack) {
  // Colour bitmap and 1-bit mask with the same content as MaskedIcon.
  std::vector<uint32_t> color(16);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) color[size_t(y * 4 + x)] = x < 2 ? (y < 2 ? 0x00FF0000u : 0x000000FFu) : 0x0000FF00u;
  const uint8_t maskRows[8] = {0x30, 0, 0x30, 0, 0x30, 0, 0x30, 0};  // columns 2 and 3 set, rows padded to 16 bits
  HBITMAP colorBmp = CreateBitmap(4, 4, 1, 32, color.data());
  HBITMAP maskBmp = CreateBitmap(4, 4, 1, 1, maskRows);
  ICONINFO info;
  info.hbmColor = colorBmp;
  info.hbmMask = maskBmp;
  UniqueIcon fromBitmaps(CreateIconIndirect(&info));
  DeleteObject(colorBmp);
  DeleteObject(maskBmp);
  ASSERT_TRUE(fromBitmaps);

  UniqueIcon reference = MaskedIcon();
  Canvas a(4, 4), b(4, 4);
  DrawIconEx(a.dc, 0, 0, fromBitmaps.get(), 0, 0, 0, nullptr, DI_NORMAL);
  DrawIconEx(b.dc, 0, 0, reference.get(), 0, 0, 0, nullptr, DI_NORMAL);
  EXPECT_EQ(a.px, b.px);

  ICONINFO back;
  ASSERT_TRUE(GetIconInfo(reference.get(), &back));
  UniqueIcon again(CreateIconIndirect(&back));
  DeleteObject(back.hbmColor);
  DeleteObject(back.hbmMask);
  Canvas c(4, 4);
  DrawIconEx(c.dc, 0, 0, again.get(), 0, 0, 0, nullptr, DI_NORMAL);
  EXPECT_EQ(c.px, b.px);
}

TEST(IconTest, MonochromeIconsInvertWhereBothMasksAreSet) {
  // Mask of twice the height: AND rows (1 = keep) then XOR rows (1 = white).
  // Column 0: AND 0, XOR 0 -> black; column 1: AND 0, XOR 1 -> white;
  // column 2: AND 1, XOR 0 -> unchanged; column 3: AND 1, XOR 1 -> inverted.
  const uint8_t rows[8] = {0x30, 0, 0x30, 0, 0x50, 0, 0x50, 0};
  HBITMAP mask = CreateBitmap(4, 4, 1, 1, rows);
  ICONINFO info;
  info.hbmMask = mask;
  UniqueIcon icon(CreateIconIndirect(&info));
  DeleteObject(mask);
  ASSERT_TRUE(icon);
  EXPECT_EQ(icon->Height, 2);
  Canvas cv(4, 2);
  DrawIconEx(cv.dc, 0, 0, icon.get(), 0, 0, 0, nullptr, DI_NORMAL);
  EXPECT_EQ(cv.At(0, 0), 0u);
  EXPECT_EQ(cv.At(1, 0), 0x00FFFFFFu);
  EXPECT_EQ(cv.At(2, 0), kGrey);
  EXPECT_EQ(cv.At(3, 0), kGrey ^ 0x00FFFFFFu);
}

TEST(IconTest, StaleHandlesAreRefused) {
  IconObject* icon = MaskedIcon().release();
  ASSERT_TRUE(DestroyIcon(icon));
  EXPECT_FALSE(DestroyIcon(icon));
  Canvas cv(4, 4);
  EXPECT_FALSE(DrawIconEx(cv.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_FALSE(DeleteObject(MaskedIcon().get()));  // icons go through DestroyIcon
  // Drawing half outside the surface is clipped.
  UniqueIcon ok = MaskedIcon();
  EXPECT_TRUE(DrawIconEx(cv.dc, -2, 2, ok.get(), 0, 0, 0, nullptr, DI_NORMAL));
  // The icon's opaque left half falls off the surface; its transparent half lands at x 0 and 1.
  EXPECT_EQ(cv.At(0, 2), kGrey ^ 0x0000FF00u);
}

}  // namespace
}  // namespace win
