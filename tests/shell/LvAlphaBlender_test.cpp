// The list-view alpha blender and canvas store, drawn on 32-bit bitmaps whose
// pixels are compared with the blend formula worked out here.
#include "shell/LvAlphaBlender.h"

#include <gtest/gtest.h>

#include "lv_test_owner.h"
#include "platform/vcl/graphics.h"
#include "platform/win/winuser.h"
#include "shell/ShCommonUtilities.h"
#include "tests/ui/lookandfeel/pixel_quads.h"

namespace {

constexpr uint32_t kBackground = 0x00204060;  // B=0x60 G=0x40 R=0x20 in memory order BGRA

std::unique_ptr<TBitmap> Surface32(int32_t w, int32_t h, uint32_t pixel) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf32bit);
  b->SetSize(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) pixel_quads::SetPixel(*b, x, y, pixel);
  return b;
}

uint32_t PixelAt(TBitmap& b, int32_t x, int32_t y) { return pixel_quads::Pixel(b, x, y) & 0x00FFFFFF; }

// (D * (256 - A) + K * A) >> 8 per channel; colour is 0x00BBGGRR, pixels 0x00RRGGBB.
uint32_t Blended(uint32_t pixel, TColor color, int32_t alpha) {
  const uint32_t k[3] = {(uint32_t(color) >> 16) & 0xFF, (uint32_t(color) >> 8) & 0xFF, uint32_t(color) & 0xFF};
  uint32_t out = 0;
  for (int lane = 0; lane < 3; ++lane) {
    const uint32_t d = (pixel >> (8 * lane)) & 0xFF;
    out |= (((d * (256 - alpha) + k[lane] * alpha) >> 8) & 0xFF) << (8 * lane);
  }
  return out;
}

class LvAlphaBlenderTest : public ::testing::Test {
protected:
  TLvTestOwner owner;
  TLvAlphaBlender blender;

  TLvItem* AddItem() {
    auto* g = static_cast<TLvGroup*>(owner.groups.Add(nullptr));
    g->Items()->SetElementClass(TLvItemStored::StaticClass());
    return static_cast<TLvItem*>(g->Items()->Add(nullptr));
  }
};

TEST_F(LvAlphaBlenderTest, BlendRectangleOnAWindowDeviceContextDoesNothing) {
  win::HWND w = win::CreateWindowEx(0, "STATIC", "", win::WS_POPUP | win::WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                    nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  win::HDC dc = win::GetDC(w);
  TCanvas canvas;
  canvas.SetHandle(dc);
  // Blending there would fail for want of a 32-bit bitmap.
  EXPECT_NO_THROW(blender.BlendRectangle(&owner, &canvas, false, 128, 0xFF, TRect(0, 0, 20, 20)));
  EXPECT_NO_THROW(blender.BlendRectangle(&owner, &canvas, true, 128, 0xFF, TRect(0, 0, 20, 20)));
  canvas.SetHandle(nullptr);
  win::ReleaseDC(w, dc);
  win::DestroyWindow(w);
}

TEST_F(LvAlphaBlenderTest, BlendRectangleClipsToTheClientRectangle) {
  auto surface = Surface32(40, 30, kBackground);
  owner.client = TRect(0, 0, 25, 30);
  const TColor color = RGBColor(0xF0, 0x10, 0x80);
  blender.BlendRectangle(&owner, surface->Canvas(), false, 100, color, TRect(10, 5, 35, 12));
  EXPECT_EQ(PixelAt(*surface, 10, 5), Blended(kBackground, color, 100));
  EXPECT_EQ(PixelAt(*surface, 24, 11), Blended(kBackground, color, 100));
  EXPECT_EQ(PixelAt(*surface, 25, 5), kBackground);  // outside the client rectangle
  EXPECT_EQ(PixelAt(*surface, 9, 5), kBackground);
  EXPECT_EQ(PixelAt(*surface, 10, 12), kBackground);
}

TEST_F(LvAlphaBlenderTest, BlendRectangleInViewCoordinatesLandsAtTheScrolledPlace) {
  auto surface = Surface32(40, 30, kBackground);
  owner.offsetX = 100;
  owner.offsetY = 50;
  const TColor color = RGBColor(0, 0, 0xFF);
  // View (95..110, 55..60) meets the bitmap's view extent (100..140, 50..80) at (100..110, 55..60).
  blender.BlendRectangle(&owner, surface->Canvas(), true, 200, color, TRect(95, 55, 110, 60));
  EXPECT_EQ(PixelAt(*surface, 0, 5), Blended(kBackground, color, 200));
  EXPECT_EQ(PixelAt(*surface, 9, 9), Blended(kBackground, color, 200));
  EXPECT_EQ(PixelAt(*surface, 10, 5), kBackground);
  EXPECT_EQ(PixelAt(*surface, 0, 10), kBackground);
}

TEST_F(LvAlphaBlenderTest, BlendRectangleTurnsASystemColourIntoItsRgbValue) {
  auto surface = Surface32(10, 10, kBackground);
  blender.BlendRectangle(&owner, surface->Canvas(), false, 255, clHighlight, TRect(0, 0, 10, 10));
  EXPECT_EQ(PixelAt(*surface, 5, 5), Blended(kBackground, ColorToRGB(clHighlight), 255));
}

TEST_F(LvAlphaBlenderTest, BlendSettingsFollowFocusEnabledAndSelection) {
  struct Case {
    bool focused, enabled, selected, highlighted;
    bool blend;
    TColor color;
    int32_t alpha;
  };
  TLvTestOwner& o = owner;
  const Case cases[] = {
      {false, true, false, false, false, o.unfocusedColor, o.inactiveAlpha},
      {false, true, true, false, true, o.unfocusedColor, o.inactiveAlpha},
      {false, false, false, false, false, o.unfocusedColor, o.inactiveAlpha},
      {false, false, false, true, true, o.unfocusedColor, o.inactiveAlpha},
      {true, true, false, false, false, o.focusedColor, o.selectionAlpha},
      {true, true, true, false, true, o.focusedColor, o.selectionAlpha},
      {true, true, false, true, true, o.focusedColor, o.selectionAlpha},
      {true, false, false, false, true, o.disabledColor, o.inactiveAlpha},
  };
  TLvItem* item = AddItem();
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.focused << c.enabled << c.selected << c.highlighted);
    owner.focusedOwner = c.focused;
    item->SetEnabled(c.enabled);
    item->SetSelected(c.selected);
    item->SetHighlighted(c.highlighted);
    const TLvBlendSettings s = blender.BlendSettingsFor(&owner, item);
    EXPECT_EQ(s.Blend, c.blend);
    EXPECT_EQ(s.Color, c.color);
    EXPECT_EQ(s.Alpha, c.alpha);
  }
  EXPECT_FALSE(blender.BlendSettingsFor(nullptr, item).Blend);
}

TEST_F(LvAlphaBlenderTest, DisabledItemBlendsWithTheDisabledColourOnlyInAFocusedOwner) {
  if (!HasMMX()) GTEST_SKIP() << "this processor has no MMX; every bitmap is drawn plain";
  TLvItem* item = AddItem();
  item->SetEnabled(false);
  const uint32_t image = 0x00C08040;
  for (bool focused : {true, false}) {
    SCOPED_TRACE(focused);
    owner.focusedOwner = focused;
    auto target = Surface32(20, 20, kBackground);
    auto bitmap = Surface32(10, 10, image);
    bitmap->SetTransparentMode(tmFixed);
    bitmap->SetTransparentColor(RGBColor(1, 2, 3));  // no pixel has it: all opaque
    blender.DrawBlendedBitmap(&owner, item, bitmap.get(), TRect(0, 0, 20, 20), target->Canvas());
    const uint32_t expected = focused ? Blended(image, owner.disabledColor, owner.inactiveAlpha) : image;
    EXPECT_EQ(PixelAt(*target, 5, 5), expected);
    EXPECT_EQ(PixelAt(*target, 14, 14), expected);
    EXPECT_EQ(PixelAt(*target, 4, 4), kBackground);
    EXPECT_EQ(PixelAt(*bitmap, 0, 0), image);  // the source is not touched
  }
}

TEST_F(LvAlphaBlenderTest, ABitmapLargerThanTheRectangleOverhangsEquallyOnBothSides) {
  auto target = Surface32(40, 40, kBackground);
  auto bitmap = Surface32(20, 16, 0x00112233);
  static_cast<uint32_t*>(bitmap->ScanLine(0))[0] = 0x00AA0000;
  static_cast<uint32_t*>(bitmap->ScanLine(15))[19] = 0x0000BB00;
  // rect (15..25, 15..25): offsets (10 - 20) div 2 = -5 and (10 - 16) div 2 = -3.
  blender.DrawBlendedBitmap(&owner, AddItem(), bitmap.get(), TRect(15, 15, 25, 25), target->Canvas());
  EXPECT_EQ(PixelAt(*target, 10, 12), 0x00AA0000u);
  EXPECT_EQ(PixelAt(*target, 29, 27), 0x0000BB00u);
  EXPECT_EQ(PixelAt(*target, 9, 12), kBackground);
  EXPECT_EQ(PixelAt(*target, 30, 27), kBackground);
  EXPECT_EQ(PixelAt(*target, 10, 11), kBackground);
  EXPECT_EQ(PixelAt(*target, 29, 28), kBackground);
}

TEST_F(LvAlphaBlenderTest, AnEmptyRectangleDrawsNothing) {
  auto target = Surface32(20, 20, kBackground);
  auto bitmap = Surface32(4, 4, 0x00FFFFFF);
  blender.DrawBlendedBitmap(&owner, AddItem(), bitmap.get(), TRect(10, 10, 10, 20), target->Canvas());
  EXPECT_EQ(PixelAt(*target, 8, 13), kBackground);
  EXPECT_EQ(PixelAt(*target, 9, 14), kBackground);
}

TEST(LvCanvasStoreTest, RestorePutsBackPenBrushAndFont) {
  auto surface = Surface32(4, 4, 0);
  TCanvas* canvas = surface->Canvas();
  canvas->Pen()->SetColor(clRed);
  canvas->Pen()->SetWidth(3);
  canvas->Brush()->SetColor(clBlue);
  canvas->Font()->SetName("DejaVu Sans");
  canvas->Font()->SetSize(13);
  TLvCanvasStore store;
  store.SaveCanvas(canvas);
  canvas->Pen()->SetColor(clLime);
  canvas->Pen()->SetWidth(1);
  canvas->Brush()->SetColor(clYellow);
  canvas->Font()->SetName("Liberation Serif");
  canvas->Font()->SetSize(7);
  store.RestoreCanvas(canvas);
  EXPECT_EQ(canvas->Pen()->Color(), clRed);
  EXPECT_EQ(canvas->Pen()->Width(), 3);
  EXPECT_EQ(canvas->Brush()->Color(), clBlue);
  EXPECT_EQ(canvas->Font()->Name(), "DejaVu Sans");
  EXPECT_EQ(canvas->Font()->Size(), 13);
}

}  // namespace
