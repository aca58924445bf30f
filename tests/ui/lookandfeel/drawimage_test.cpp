#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/vcl/imglist.h"
#include "tests/ui/lookandfeel/pixel_quads.h"
#include "ui/lookandfeel/cxDrawImage.h"
#include "ui/lookandfeel/cxGraphics.h"
#include "ui/lookandfeel/cxGraphicsBitmaps.h"
#include "ui/lookandfeel/cxImageList.h"
#include "ui/lookandfeel/dxCore.h"

namespace {

using namespace pixel_quads;

constexpr uint32_t kGreen = 0x00008000;  // clGreen as a pixel
constexpr uint32_t kKey = 0x00FF00FF;    // clFuchsia
constexpr uint32_t kBlue = 0x000000FF;
constexpr uint32_t kRgb = 0x00FFFFFF;

// A 32-bit target of one colour.
struct Screen {
  TBitmap bmp;
  Screen(int32_t w, int32_t h, uint32_t color) : bmp(w, h) {
    bmp.SetPixelFormat(pf32bit);
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) SetPixel(bmp, x, y, color);
  }
  win::HDC DC() { return bmp.Canvas()->Handle(); }
  uint32_t At(int32_t x, int32_t y) { return Pixel(bmp, x, y) & kRgb; }
};

// A glyph of the given depth: key colour everywhere, pixel colour inside inner (glyph coordinates).
std::unique_ptr<TBitmap> Glyph(TPixelFormat format, int32_t w, int32_t h, const TRect& inner, uint32_t pixel,
                               uint32_t key = kKey) {
  auto g = std::make_unique<TBitmap>(w, h);
  g->SetPixelFormat(pf32bit);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      SetPixel(*g, x, y, (x >= inner.Left && x < inner.Right && y >= inner.Top && y < inner.Bottom) ? pixel : key);
  g->SetPixelFormat(format);
  return g;
}

uint32_t Rgb(TColor c) { return ColorToRGBQuad(c) & kRgb; }

TEST(DrawImage, NothingForAnEmptyGlyphAndAnInvalidIndex) {
  Screen s(4, 4, kGreen);
  TImageList list(2, 2);
  TBitmap empty;
  DrawImage(s.DC(), TRect(0, 0, 2, 2), TRect(0, 0, 4, 4), &empty, nullptr, 0, idmNormal, false,
            win::HBRUSH(win::GetStockObject(win::BLACK_BRUSH)));
  DrawImage(s.DC(), TRect(0, 0, 2, 2), TRect(0, 0, 4, 4), nullptr, &list, -1, idmNormal, false,
            win::HBRUSH(win::GetStockObject(win::BLACK_BRUSH)));
  DrawImage(s.DC(), TRect(0, 0, 2, 2), TRect(0, 0, 4, 4), nullptr, &list, 0, idmNormal, false,
            win::HBRUSH(win::GetStockObject(win::BLACK_BRUSH)));
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 4; ++x) EXPECT_EQ(s.At(x, y), kGreen);
}

TEST(DrawImage, ColourKeysShowTheBackground) {
  // By the key given, and by the glyph's own transparent colour (its bottom-left pixel).
  for (bool ownKey : {false, true}) {
    Screen s(6, 5, kGreen);
    auto g = Glyph(pf24bit, 3, 3, TRect(1, 1, 2, 2), kBlue);
    DrawImage(s.DC(), TRect(2, 1, 5, 4), TRect(0, 0, 6, 5), g.get(), nullptr, -1, idmNormal, false, nullptr,
              ownKey ? clNone : clFuchsia, ownKey);
    for (int32_t y = 0; y < 5; ++y)
      for (int32_t x = 0; x < 6; ++x) EXPECT_EQ(s.At(x, y), x == 3 && y == 2 ? kBlue : kGreen) << x << "," << y;
  }
  // Without a key the glyph is opaque.
  Screen s(3, 3, kGreen);
  auto g = Glyph(pf24bit, 3, 3, TRect(1, 1, 2, 2), kBlue);
  DrawImage(s.DC(), TRect(0, 0, 3, 3), TRect(0, 0, 3, 3), g.get(), nullptr, -1, idmNormal);
  EXPECT_EQ(s.At(0, 0), kKey);
}

TEST(DrawImage, BrushPaintsTheBackground) {
  Screen s(5, 3, kGreen);
  auto g = Glyph(pf24bit, 2, 2, TRect(0, 0, 1, 1), kBlue);
  win::HBRUSH yellow = win::CreateSolidBrush(win::COLORREF(clYellow));
  DrawImage(s.DC(), TRect(2, 1, 4, 3), TRect(1, 0, 5, 3), g.get(), nullptr, -1, idmNormal, false, yellow, clFuchsia);
  win::DeleteObject(yellow);
  EXPECT_EQ(s.At(0, 0), kGreen);  // outside the background rectangle
  EXPECT_EQ(s.At(1, 0), Rgb(clYellow));
  EXPECT_EQ(s.At(2, 1), kBlue);
  EXPECT_EQ(s.At(3, 2), Rgb(clYellow));
}

TEST(DrawImage, ModesFilterAndBlendOpaqueGlyphs) {
  const uint32_t p = Quad(40, 120, 200, 0);
  const uint32_t opaque = p | 0xFF000000;
  const uint32_t bg = Quad(10, 220, 30, 0);
  const uint8_t dingy[3] = {uint8_t(40 + (215 * 3 + 5) / 10), uint8_t(120 + (135 * 3 + 5) / 10),
                            uint8_t(200 + (55 * 3 + 5) / 10)};
  struct Row {
    TcxImageDrawMode mode;
    uint32_t expected;
  };
  const uint8_t avg = (40 + 120 + 200) / 3;
  const Row rows[] = {
      {idmNormal, p},
      {idmGrayScale, Quad(avg, avg, avg, 0)},
      {idmDingy, Quad(dingy[0], dingy[1], dingy[2], 0)},
      {idmFaded, Blended(WithGrey(opaque, GreyOf(opaque, 0.299f, 0.587f, 0.114f)), bg, 64) & kRgb},
  };
  for (const Row& row : rows) {
    Screen s(2, 2, bg);
    auto g = Glyph(pf24bit, 2, 2, TRect(0, 0, 2, 2), p);
    DrawImage(s.DC(), TRect(0, 0, 2, 2), TRect(0, 0, 2, 2), g.get(), nullptr, -1, row.mode);
    EXPECT_EQ(s.At(1, 1), row.expected) << int(row.mode);
  }
}

TEST(DrawImage, DisabledWithAlphaGreysAndBlendsAt151) {
  const uint32_t bg = Quad(10, 220, 30, 0);
  const uint32_t half = Quad(20, 60, 100, 128), full = Quad(40, 120, 200, 255);
  auto g = Glyph(pf32bit, 2, 1, TRect(0, 0, 1, 1), half, full);
  Screen s(2, 1, bg);
  DrawImage(s.DC(), TRect(0, 0, 2, 1), TRect(0, 0, 2, 1), g.get(), nullptr, -1, idmDisabled);
  for (int32_t x = 0; x < 2; ++x) {
    const uint32_t src = x == 0 ? half : full;
    const uint32_t grey = WithGrey(src, GreyOf(src, 0.0729f, 0.7146f, 0.2125f));
    EXPECT_EQ(s.At(x, 0), Blended(grey, bg, 151) & kRgb) << x;
  }
}

TEST(DrawImage, DisabledWithoutAlphaIsDirtyGreyWithAHighlightCopy) {
  const uint32_t red = Quad(0, 0, 255, 0);
  auto g = Glyph(pf24bit, 3, 3, TRect(0, 0, 2, 2), red);
  Screen s(5, 5, kGreen);
  DrawImage(s.DC(), TRect(1, 1, 4, 4), TRect(0, 0, 5, 5), g.get(), nullptr, -1, idmDisabled, false, nullptr,
            clFuchsia);
  const uint32_t shadow = (ColorToRGBQuad(clBtnShadow) & kRgb) | 0xC0000000u;
  const uint32_t opaqueRed = red | 0xFF000000;
  const uint32_t dirty = Blended(shadow, WithGrey(opaqueRed, GreyOf(opaqueRed, 0.299f, 0.587f, 0.114f)), 238);
  const uint32_t light = Rgb(clBtnHighlight);
  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 5; ++x) {
      const int32_t gx = x - 1, gy = y - 1;
      const auto inGlyph = [](int32_t a, int32_t b) { return a >= 0 && a < 2 && b >= 0 && b < 2; };
      uint32_t expected = kGreen;
      if (inGlyph(gx, gy))
        expected = Blended(dirty, kGreen, 255) & kRgb;
      else if (inGlyph(gx - 1, gy - 1) && gx < 3 && gy < 3)
        expected = light;
      EXPECT_EQ(s.At(x, y), expected) << x << "," << y;
    }
}

TEST(DrawImage, ShadowedDrawsTheShadowAtPlusTwoAndTheGlyphUpLeft) {
  auto g = Glyph(pf24bit, 4, 4, TRect(0, 0, 2, 2), kBlue);
  Screen s(12, 12, kGreen);
  DrawImage(s.DC(), TRect(4, 4, 8, 8), TRect(0, 0, 12, 12), g.get(), nullptr, -1, idmShadowed, false, nullptr,
            clFuchsia);
  const uint32_t shadow = Rgb(clBtnShadow);
  for (int32_t y = 0; y < 12; ++y)
    for (int32_t x = 0; x < 12; ++x) {
      uint32_t expected = kGreen;
      if (x >= 3 && x < 5 && y >= 3 && y < 5)
        expected = kBlue;
      else if (x >= 5 && x < 7 && y >= 5 && y < 7)
        expected = shadow;
      EXPECT_EQ(s.At(x, y), expected) << x << "," << y;
    }
}

// A TImageList or a TcxImageList of w x h, and how each adds an image with a mask.
struct ListCase {
  const char* name;
  std::function<std::unique_ptr<TCustomImageList>(int32_t w, int32_t h)> make;
  std::function<int32_t(TCustomImageList*, TBitmap*, TBitmap*)> add;
};

const ListCase kListCases[] = {
    {"TImageList",
     [](int32_t w, int32_t h) {
       auto list = std::make_unique<TImageList>(w, h);
       list->SetColorDepth(cd24Bit);
       return std::unique_ptr<TCustomImageList>(std::move(list));
     },
     [](TCustomImageList* l, TBitmap* i, TBitmap* m) { return l->Add(i, m); }},
    {"TcxImageList",
     [](int32_t w, int32_t h) {
       auto list = std::make_unique<TcxImageList>(nullptr);
       list->SetSize(w, h);
       return std::unique_ptr<TCustomImageList>(std::move(list));
     },
     [](TCustomImageList* l, TBitmap* i, TBitmap* m) { return static_cast<TcxImageList*>(l)->AddBitmap(i, m); }},
};

TEST(DrawImage, ImageListMaskShowsTheBackground) {
  for (const ListCase& c : kListCases) {
    auto list = c.make(2, 2);
    TBitmap image(2, 2), mask(2, 2);
    image.SetPixelFormat(pf24bit);
    image.Canvas()->Brush()->SetColor(clBlue);
    image.Canvas()->FillRect(TRect(0, 0, 2, 2));
    mask.SetPixelFormat(pf24bit);
    mask.Canvas()->Brush()->SetColor(clBlack);
    mask.Canvas()->FillRect(TRect(0, 0, 2, 2));
    mask.Canvas()->SetPixels(1, 0, clWhite);
    ASSERT_EQ(c.add(list.get(), &image, &mask), 0) << c.name;
    Screen s(2, 2, kGreen);
    DrawImage(s.DC(), TRect(0, 0, 2, 2), TRect(0, 0, 2, 2), nullptr, list.get(), 0, idmNormal);
    EXPECT_EQ(s.At(1, 0), kGreen) << c.name;
    EXPECT_EQ(s.At(0, 0), Rgb(clBlue)) << c.name;
    EXPECT_EQ(s.At(1, 1), Rgb(clBlue)) << c.name;
  }
}

TEST(DrawImage, ImageListAlphaBlends) {
  for (const ListCase& c : kListCases) {
    auto list = c.make(1, 1);
    TBitmap image(1, 1);
    image.SetPixelFormat(pf32bit);
    SetPixel(image, 0, 0, Quad(0, 0, 255, 128));  // straight red at alpha 128
    image.SetAlphaFormat(afDefined);
    ASSERT_EQ(c.add(list.get(), &image, nullptr), 0) << c.name;
    Screen s(1, 1, kBlue);
    DrawImage(s.DC(), TRect(0, 0, 1, 1), TRect(0, 0, 1, 1), nullptr, list.get(), 0, idmNormal);
    // Premultiplied red 128 over blue: 128 + 0, blue (1 - 128 / 255) x 255 = 127.
    EXPECT_EQ(s.At(0, 0), Quad(127, 0, 128, 0)) << c.name;
  }
}

TEST(DrawImage, ScalesIntoTheGlyphRectangle) {
  for (bool smooth : {false, true}) {
    auto g = Glyph(pf24bit, 2, 2, TRect(0, 0, 2, 2), kBlue);
    Screen s(6, 6, kGreen);
    DrawImage(s.DC(), TRect(1, 1, 5, 5), TRect(0, 0, 6, 6), g.get(), nullptr, -1, idmNormal, smooth);
    for (int32_t y = 0; y < 6; ++y)
      for (int32_t x = 0; x < 6; ++x) {
        const bool inside = x >= 1 && x < 5 && y >= 1 && y < 5;
        const uint32_t p = s.At(x, y);
        if (!inside || !smooth) {
          EXPECT_EQ(p, inside ? kBlue : kGreen) << smooth << " " << x << "," << y;
          continue;
        }
        // Lanczos weights rounded to 1/256 need not add up to one: the
        // alpha may fall a few steps short and let the background through.
        EXPECT_NEAR(int(p & 255), 255, 5) << x << "," << y;
        EXPECT_LE(p >> 8, 5u) << x << "," << y;
      }
  }
}

TEST(DrawImage, HookDrawsInBufferCoordinates) {
  TRect seen;
  GlyphDrawHook = [&](TCanvas* canvas, TCustomImageList*, int32_t, TcxImageDrawMode, TRect& r, TBitmap*) {
    seen = r;
    canvas->Brush()->SetColor(clRed);
    canvas->FillRect(r);
    return true;
  };
  auto g = Glyph(pf24bit, 2, 2, TRect(0, 0, 2, 2), kBlue);
  Screen s(6, 6, kGreen);
  DrawImage(s.DC(), TRect(3, 3, 5, 5), TRect(2, 2, 6, 6), g.get(), nullptr, -1, idmNormal);
  GlyphDrawHook = [](TCanvas*, TCustomImageList*, int32_t, TcxImageDrawMode, TRect&, TBitmap*) { return false; };
  Screen t(6, 6, kGreen);
  DrawImage(t.DC(), TRect(3, 3, 5, 5), TRect(2, 2, 6, 6), g.get(), nullptr, -1, idmNormal);
  GlyphDrawHook = nullptr;
  EXPECT_EQ(seen, TRect(1, 1, 3, 3));
  EXPECT_EQ(s.At(3, 3), Rgb(clRed));
  EXPECT_EQ(s.At(5, 5), kGreen);
  EXPECT_EQ(t.At(3, 3), kBlue);
}

TEST(SharedGlyphBuffers, ReadyAtTheSizeAskedForAndGoneAfterShutdown) {
  TcxAlphaBitmap* a = GetSharedImageBitmap(3, 2);
  ASSERT_NE(a, nullptr);
  SetPixel(*a, 0, 0, 0x12345678);
  a->AddTransparentColor(clRed);
  TcxAlphaBitmap* b = GetSharedImageBitmap(4, 4);
  EXPECT_EQ(a, b);
  EXPECT_EQ(b->Width(), 4);
  EXPECT_EQ(Pixel(*b, 0, 3), 0u);
  EXPECT_TRUE(b->TransparentColors().empty());
  EXPECT_EQ(b->TransparentBkColor(), 0u);
  EXPECT_NE(GetSharedDrawBitmap(1, 1), GetSharedMaskBitmap(1, 1));
  // One set: the unit's slots hold the very buffers the getters hand out.
  EXPECT_EQ(*cxSharedGlyphBuffer(sgbImage), b);
  EXPECT_EQ(*cxSharedGlyphBuffer(sgbDraw), GetSharedDrawBitmap(2, 2));
  EXPECT_EQ(*cxSharedGlyphBuffer(sgbMask), GetSharedMaskBitmap(2, 2));

  cxGraphicsUnitStop();
  EXPECT_EQ(GetSharedDrawBitmap(1, 1), nullptr);
  EXPECT_EQ(GetSharedImageBitmap(1, 1), nullptr);
  EXPECT_EQ(GetSharedMaskBitmap(1, 1), nullptr);
  auto g = Glyph(pf24bit, 1, 1, TRect(0, 0, 1, 1), kBlue);
  Screen s(1, 1, kGreen);
  DrawImage(s.DC(), TRect(0, 0, 1, 1), TRect(0, 0, 1, 1), g.get(), nullptr, -1, idmNormal);
  EXPECT_EQ(s.At(0, 0), kGreen);
  cxGraphicsUnitStart();
  EXPECT_NE(GetSharedDrawBitmap(1, 1), nullptr);
}

// Clears its image-list field when the list dies, as a toolbar would.
class TListOwner : public TComponent {
public:
  TListOwner() : TComponent(nullptr) {}
  TCustomImageList* images = nullptr;

protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == images) images = nullptr;
  }
};

TEST(SetImageListReference, MovesTheLinkAndTheFreeNotification) {
  TListOwner owner;
  TChangeLink link;
  std::vector<TObject*> changes;
  link.OnChange = [&](TObject* sender) { changes.push_back(sender); };
  auto a = std::make_unique<TcxImageList>(nullptr);
  auto b = std::make_unique<TcxImageList>(nullptr);
  TBitmap image(16, 16);

  SetImageListReference(a.get(), owner.images, &link, &owner);
  EXPECT_EQ(owner.images, a.get());
  EXPECT_EQ(changes, std::vector<TObject*>{a.get()});  // fired once for the new list
  a->AddBitmap(&image, nullptr);
  EXPECT_EQ(changes.size(), 2u);
  SetImageListReference(a.get(), owner.images, &link, &owner);  // unchanged: nothing
  EXPECT_EQ(changes.size(), 2u);

  changes.clear();
  SetImageListReference(b.get(), owner.images, &link, &owner);
  EXPECT_EQ(link.Sender(), b.get());
  a->AddBitmap(&image, nullptr);
  b->AddBitmap(&image, nullptr);
  EXPECT_EQ(changes, (std::vector<TObject*>{b.get(), b.get()}));
  a.reset();  // no longer watched: the field stays
  EXPECT_EQ(owner.images, b.get());
  b.reset();
  EXPECT_EQ(owner.images, nullptr);

  changes.clear();
  SetImageListReference(nullptr, owner.images, &link, &owner);  // already gone: unchanged
  EXPECT_TRUE(changes.empty());
}

TEST(BlitBitmap, CopiesFromTheSourcePoint) {
  auto g = Glyph(pf8bit, 3, 3, TRect(2, 2, 3, 3), kBlue, kKey);
  Screen s(3, 3, kGreen);
  BlitBitmap(s.DC(), g.get(), TRect(0, 0, 2, 2), win::SRCCOPY, TPoint(1, 1));
  EXPECT_EQ(s.At(0, 0), kKey);
  EXPECT_EQ(s.At(1, 1), kBlue);
  EXPECT_EQ(s.At(2, 2), kGreen);
}

TEST(DrawHatchRect, HatchesOnlyTheRectangle) {
  Screen s(5, 4, kGreen);
  DrawHatchRect(s.DC(), TRect(1, 1, 5, 4), clRed, clBlue, 1, 255, 255);
  EXPECT_EQ(s.At(0, 0), kGreen);
  for (int32_t y = 1; y < 4; ++y)
    for (int32_t x = 1; x < 5; ++x) {
      const int32_t fromBottom = 3 - y;  // rows of the rectangle count from its bottom
      const bool odd = ((x - 1) + fromBottom) % 2 == 1;
      EXPECT_EQ(s.At(x, y), odd ? Rgb(clBlue) : Rgb(clRed)) << x << "," << y;
    }
}

TEST(DrawImageQueries, IndexAndBitmap) {
  TImageList list(2, 2);
  TBitmap one(2, 2), empty;
  list.Add(&one, nullptr);
  EXPECT_TRUE(IsValidImageIndex(&list, 0));
  EXPECT_FALSE(IsValidImageIndex(&list, 1));
  EXPECT_FALSE(IsValidImageIndex(&list, -1));
  EXPECT_FALSE(IsValidImageIndex(nullptr, 0));
  EXPECT_TRUE(IsBitmapNotEmpty(&one));
  EXPECT_FALSE(IsBitmapNotEmpty(&empty));
  EXPECT_FALSE(IsBitmapNotEmpty(nullptr));
}

}  // namespace
