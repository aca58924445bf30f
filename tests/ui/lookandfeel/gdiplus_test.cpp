#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/vcl/graphics.h"
#include "tests/ui/lookandfeel/fake_gdiplus.h"
#include "tests/ui/lookandfeel/pixel_quads.h"
#include "ui/lookandfeel/dxFading.h"
#include "ui/lookandfeel/dxGDIPlusAPI.h"
#include "ui/lookandfeel/dxGDIPlusClasses.h"

using namespace win;
using namespace pixel_quads;

namespace {

// The software image class installed for one test.
class SoftwareImages : public ::testing::Test {
protected:
  SoftwareImages() { SetdxGPImageClass(TdxGPImage::StaticClass()); }
  ~SoftwareImages() override { SetdxGPImageClass(TdxGPNullImage::StaticClass()); }

  static std::unique_ptr<TdxGPImage> Image(int32_t w, int32_t h, const std::vector<uint32_t>& pixels,
                                           bool hasAlpha = true) {
    TdxRGBColors bits;
    for (uint32_t p : pixels) bits.push_back(Q(p));
    auto image = dxNewGPImage();
    image->CreateFromBits(w, h, bits, hasAlpha);
    return image;
  }
  static std::vector<uint32_t> Pixels(const TdxGPImage& image) {
    std::vector<uint32_t> out;
    for (RGBQUAD q : image.Bits()) out.push_back(V(q));
    return out;
  }
};

TEST(GdiPlusOnThisPlatform, UnavailableAndNothingDependsOnIt) {
  EXPECT_FALSE(GdiPlusAvailable());
  EXPECT_FALSE(GdiPlusAvailable());  // asked again, still no gdiplus.dll
  EXPECT_FALSE(GdiPlusLoaded());
  EXPECT_EQ(dxGPImageClass(), TdxGPNullImage::StaticClass());
  EXPECT_EQ(TPicture::GraphicClassForExtension("PNG"), nullptr);
  TGUID clsid;
  EXPECT_EQ(dxFindEncoderClsid("image/png", clsid), 1);
  ASSERT_NE(dxFader(), nullptr);
  EXPECT_FALSE(dxFader()->IsFadingAvailable());

  // A null image takes no pixels and so has nothing to give.
  auto image = dxNewGPImage();
  image->CreateFromBits(2, 1, TdxRGBColors(2, RGBQUAD{1, 2, 3, 4}), true);
  EXPECT_TRUE(image->Empty());
  EXPECT_EQ(image->Width(), 0);
  EXPECT_EQ(image->BlendWith(*image, 128), nullptr);
  EXPECT_TRUE(image->Clone()->Empty());
  TBitmap target(2, 2);
  target.SetPixelFormat(pf32bit);
  SetPixel(target, 0, 0, 0xFF102030);
  image->DrawToDC(target.Canvas()->Handle(), Rect(0, 0, 2, 2));
  EXPECT_EQ(Pixel(target, 0, 0), 0xFF102030u);
}

TEST(GdiPlusBinding, AFailedLoadIsTriedAgainAndLeavesNothingLoaded) {
  struct Case {
    const char* missing;
    int32_t startupStatus;
    std::vector<std::string> journal;
  } cases[] = {
      {"GdipFree", 0, {}},
      {"GdipCloneBitmapAreaI", 0, {}},  // the last one bound
      {"", 2, {"startup v1 bg-suppressed"}},
  };
  for (const Case& c : cases) {
    TFakeGdiPlus gdiPlus(c.missing, c.startupStatus);
    const int before = ModuleLoadCount("gdiplus.dll");
    EXPECT_FALSE(GdiPlusAvailable()) << c.missing;
    EXPECT_FALSE(GdiPlusAvailable()) << c.missing;
    EXPECT_EQ(ModuleLoadCount("gdiplus.dll"), before + 2) << c.missing;
    EXPECT_EQ(GetModuleHandle("gdiplus.dll"), nullptr) << c.missing;
    std::vector<std::string> once = c.journal;
    once.insert(once.end(), c.journal.begin(), c.journal.end());
    EXPECT_EQ(FakeGdiPlusJournal(), once) << c.missing;
  }
}

TEST(GdiPlusBinding, StartsOnceAndShutsDownWithItsToken) {
  TFakeGdiPlus gdiPlus;
  EXPECT_TRUE(GdiPlusAvailable());
  EXPECT_TRUE(GdiPlusAvailable());
  EXPECT_NE(GetModuleHandle("gdiplus.dll"), nullptr);
  UnloadGdiPlus();
  EXPECT_FALSE(GdiPlusLoaded());
  EXPECT_EQ(GetModuleHandle("gdiplus.dll"), nullptr);
  EXPECT_EQ(FakeGdiPlusJournal(),
            (std::vector<std::string>{"startup v1 bg-suppressed", "hook 77", "unhook 77", "shutdown 77"}));
}

std::vector<std::string> unitJournal;
void InitA() { unitJournal.push_back("init A"); }
void FinA() { unitJournal.push_back("fin A"); }
void InitB() { unitJournal.push_back("init B"); }
void FinB() { unitJournal.push_back("fin B"); }
void FinC() { unitJournal.push_back("fin C"); }

TEST(UnitsLoader, InitialisesAtOnceAndFinalisesBackwards) {
  unitJournal.clear();
  {
    TdxUnitsLoader loader;
    loader.RegisterUnit(&InitA, &FinA);
    loader.RegisterUnit(&InitB, &FinB);
    loader.RegisterUnit(nullptr, &FinC);
    EXPECT_EQ(unitJournal, (std::vector<std::string>{"init A", "init B"}));
    loader.UnregisterUnit(&FinB);  // runs it, once
    loader.UnregisterUnit(&FinB);
  }
  EXPECT_EQ(unitJournal, (std::vector<std::string>{"init A", "init B", "fin B", "fin C", "fin A"}));
  // Without an initialiser having run, finalisers are dropped unrun.
  unitJournal.clear();
  {
    TdxUnitsLoader loader;
    loader.RegisterUnit(nullptr, &FinA);
  }
  EXPECT_TRUE(unitJournal.empty());
}

TEST_F(SoftwareImages, OwnsItsPixels) {
  TdxRGBColors caller = {Q(0x00102030), Q(0x80405060)};
  const TdxRGBColors kept = caller;
  auto image = dxNewGPImage();
  image->CreateFromBits(2, 1, caller, false);
  EXPECT_EQ(caller, kept);  // the caller's array is not written
  EXPECT_EQ(Pixels(*image), (std::vector<uint32_t>{0xFF102030, 0xFF405060}));
  caller[0] = Q(0);
  EXPECT_EQ(Pixels(*image)[0], 0xFF102030u);  // nor kept
  EXPECT_EQ(image->Width(), 2);
  EXPECT_EQ(image->Height(), 1);

  struct Case {
    int32_t w, h;
    size_t pixels;
  } bad[] = {{0, 0, 0}, {0, 3, 4}, {-2, -2, 4}, {3, 2, 5}, {0x10000, 0x10000, 4}};
  for (const Case& c : bad) {
    auto empty = dxNewGPImage();
    empty->CreateFromBits(c.w, c.h, TdxRGBColors(c.pixels), true);
    EXPECT_TRUE(empty->Empty()) << c.w << "x" << c.h;
    EXPECT_EQ(empty->Width(), 0);
    EXPECT_EQ(empty->BlendWith(*image, 10), nullptr);
  }

  auto copy = image->Clone();
  EXPECT_EQ(copy->ClassType(), TdxGPImage::StaticClass());
  EXPECT_EQ(Pixels(*copy), Pixels(*image));
  EXPECT_NE(copy->Bits().data(), image->Bits().data());
}

TEST_F(SoftwareImages, BlendsEveryByte) {
  const std::vector<uint32_t> own = {0x00000000, 0xFF8040C0, 0x7F7F7F7F}, other = {0xFFFFFFFF, 0x10203040,
                                                                                   0x01FE0280};
  auto a = Image(3, 1, own), b = Image(3, 1, other);
  for (int alpha : {0, 1, 64, 128, 200, 255}) {
    auto blended = a->BlendWith(*b, uint8_t(alpha));
    ASSERT_NE(blended, nullptr);
    for (size_t i = 0; i < own.size(); ++i)
      for (int shift = 0; shift < 32; shift += 8) {
        const double x = (own[i] >> shift) & 255, y = (other[i] >> shift) & 255;
        const double expected = std::round((1 - alpha / 255.0) * x + alpha / 255.0 * y);
        EXPECT_EQ((Pixels(*blended)[i] >> shift) & 255, uint32_t(expected)) << alpha << " " << i << " " << shift;
      }
  }
  EXPECT_EQ(Pixels(*a->BlendWith(*b, 0)), own);
  EXPECT_EQ(Pixels(*a->BlendWith(*b, 255)), other);
  // Images of two sizes are not blended (the smaller would be read past its end).
  EXPECT_EQ(a->BlendWith(*Image(2, 1, {0, 0}), 128), nullptr);
  EXPECT_EQ(a->BlendWith(*Image(1, 3, {0, 0, 0}), 128), nullptr);
}

TEST_F(SoftwareImages, FromBitmapsKeepsAlphaOnlyOf32Bits) {
  TBitmap deep(2, 1);
  deep.SetPixelFormat(pf32bit);
  SetPixel(deep, 0, 0, 0x80402010);
  SetPixel(deep, 1, 0, 0x00000000);
  auto image = dxNewGPImage();
  image->CreateFromBitmap(deep);
  EXPECT_EQ(Pixels(*image), (std::vector<uint32_t>{0x80402010, 0x00000000}));

  TBitmap flat(2, 1);
  flat.SetPixelFormat(pf24bit);
  flat.Canvas()->SetPixels(0, 0, 0x102030);  // a TColor: red 0x30
  flat.Canvas()->SetPixels(1, 0, 0);
  image->CreateFromBitmap(flat);
  EXPECT_EQ(Pixels(*image), (std::vector<uint32_t>{0xFF302010, 0xFF000000}));

  TBitmap none;
  auto empty = dxNewGPImage();
  empty->CreateFromBitmap(none);
  EXPECT_TRUE(empty->Empty());
}

TEST_F(SoftwareImages, DrawsStretchedOverTheTarget) {
  // Premultiplied: half-transparent dark red, and opaque blue.
  auto image = Image(2, 1, {0x80400000, 0xFF0000FF});
  TBitmap target(4, 2);
  target.SetPixelFormat(pf32bit);
  const uint32_t background = 0xFF20C040;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) SetPixel(target, x, y, background);
  image->DrawToDC(target.Canvas()->Handle(), Rect(0, 0, 4, 2));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) {
      const uint32_t source = x < 2 ? 0x80400000 : 0xFF0000FF;
      const uint32_t expected = Blended(source, background, 255);
      for (int shift = 0; shift < 24; shift += 8)
        EXPECT_NEAR(int((Pixel(target, x, y) >> shift) & 255), int((expected >> shift) & 255), 1)
            << x << "," << y << " byte " << shift / 8;
    }
  // An empty destination draws nothing.
  SetPixel(target, 0, 0, background);
  image->DrawToDC(target.Canvas()->Handle(), Rect(0, 0, 0, 2));
  EXPECT_EQ(Pixel(target, 0, 0), background);
}

}  // namespace
