// Layer rendering of the view: what the back buffer holds after a paint,
// compared with a composition computed here from the layers' pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

#include "imaging/core/ieblend.h"
#include "imaging/core/iebitmap.h"
#include "imaging/core/ieglobals.h"
#include "imaging/view/voviderview.h"
#include "tests/platform/vcl/controls_test.h"

namespace {

TRGB ColorOf(TColor c) {
  const auto v = uint32_t(c);
  return TRGB{uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
}

void FillNoise(TIEBitmap& b, int32_t w, int32_t h, uint32_t seed) {
  ASSERT_TRUE(b.Allocate(w, h, ie24RGB));
  std::mt19937 rng(seed);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      b.SetPixel24(x, y, TRGB{uint8_t(rng()), uint8_t(rng()), uint8_t(rng())});
}

void FillSolid(TIEBitmap& b, int32_t w, int32_t h, TRGB c) {
  ASSERT_TRUE(b.Allocate(w, h, ie24RGB));
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) b.SetPixel24(x, y, c);
}

// One layer as the model composes it: its pixels at (ox + posX, oy + posY)
// on the client, combined with what is below through the operation.
struct ModelLayer {
  TIEBitmap* bitmap;
  int32_t posX, posY;
  uint8_t op;
};

// The back buffer of a view at 100 % without scrolling: the background,
// then every layer bottom to top, each pixel through IEBlendPixel with the
// destination row.
std::vector<TRGB> Compose(int32_t w, int32_t h, int32_t ox, int32_t oy, TRGB background,
                          const std::vector<ModelLayer>& layers) {
  std::vector<TRGB> out(size_t(w) * h, background);
  for (const ModelLayer& l : layers)
    for (int32_t by = 0; by < l.bitmap->GetHeight(); ++by)
      for (int32_t bx = 0; bx < l.bitmap->GetWidth(); ++bx) {
        const int32_t x = ox + l.posX + bx, y = oy + l.posY + by;
        if (x < 0 || y < 0 || x >= w || y >= h) continue;
        const TRGB s = l.bitmap->GetPixel24(bx, by);
        IEBlendPixel(&s.b, &out[size_t(y) * w + x].b, l.op, y);
      }
  return out;
}

class ViewRenderTest : public vcltest::VclTest {
protected:
  void SetUp() override {
    VclTest::SetUp();
    IELuminanceWeights = TIELuminanceWeights{};
  }

  // A view filling a borderless form, set up as the stereo viewer sets it up.
  TVovidErView* MakeView(int32_t w, int32_t h) {
    TForm* form = MakeForm(Rect(0, 0, w, h), clBlack);
    view_ = new TVovidErView(form);
    view_->SetBorderStyle(bsNone);
    view_->SetScrollBars(ssNone);
    view_->SetLegacyBitmap(false);
    view_->SetBackground(clBlack);
    view_->SetBounds(0, 0, w, h);
    view_->SetParent(form);
    form->Show();
    Pump();
    return view_;
  }
  TIEBitmap& LayerBitmap(int32_t i) { return *view_->GetLayer(i)->Bitmap; }
  // Layer 0 gets w x h noise; layers above are added with AddLayer.
  int32_t AddNoiseLayer(int32_t w, int32_t h, uint32_t seed) {
    const int32_t i = view_->GetLayerCount() == 1 && !layer0Used_ ? 0 : view_->AddLayer();
    layer0Used_ = true;
    FillNoise(LayerBitmap(i), w, h, seed);
    return i;
  }
  // Lays the view out and paints it; the back buffer is then fresh.
  void Render() {
    view_->Update();
    Pump();
    ASSERT_FALSE(view_->BackBufferDirty());
  }
  TIEBitmap& Back() { return *view_->BackBufferIE(); }
  // Every back-buffer pixel against the model; reports the first few differences.
  void ExpectBackBuffer(const std::vector<TRGB>& want) {
    TIEBitmap& b = Back();
    const int32_t w = b.GetWidth(), h = b.GetHeight();
    ASSERT_EQ(want.size(), size_t(w) * h);
    int32_t bad = 0;
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) {
        const TRGB got = b.GetPixel24(x, y), exp = want[size_t(y) * w + x];
        if (!(got == exp) && ++bad <= 5)
          ADD_FAILURE() << "pixel (" << x << ", " << y << "): got " << int(got.r) << "," << int(got.g) << ","
                        << int(got.b) << " want " << int(exp.r) << "," << int(exp.g) << "," << int(exp.b);
      }
    EXPECT_EQ(bad, 0);
  }

  TVovidErView* view_ = nullptr;
  bool layer0Used_ = false;
};

// The stereo pair: two equal layers, the right one 10 pixels to the right.
// The view is wider and higher than the pair, so it is centred with an odd
// vertical offset: the interlaced operations must follow the back buffer's
// rows, not the picture's.
TEST_F(ViewRenderTest, StereoPairBlendsTheRightPictureOverTheLeftWithEachStereoOperation) {
  MakeView(100, 83);
  const int32_t w = 64, h = 48, ox = (100 - w) / 2, oy = (83 - h) / 2;
  ASSERT_EQ(oy % 2, 1);
  AddNoiseLayer(w, h, 1);
  AddNoiseLayer(w, h, 2);
  TIELayer& right = *view_->GetLayer(1);
  right.PosX = 10;
  // A first paint on white, so that the black background below is painted, not left over.
  view_->SetBackground(clWhite);
  Render();
  ASSERT_EQ(Back().GetPixel24(0, 0), (TRGB{255, 255, 255}));
  view_->SetBackground(clBlack);
  for (uint8_t op = 38; op <= 43; ++op) {
    SCOPED_TRACE("operation " + std::to_string(op));
    right.Operation = op;
    Render();
    EXPECT_EQ(view_->ImageOffsetX(), ox);
    EXPECT_EQ(view_->ImageOffsetY(), oy);
    ExpectBackBuffer(Compose(100, 83, ox, oy, TRGB{}, {{&LayerBitmap(0), 0, 0, 0}, {&LayerBitmap(1), 10, 0, op}}));
    TRect r0 = view_->GetLayer(0)->DrawnRect, r1 = right.DrawnRect;
    r0.Offset(10, 0);
    EXPECT_EQ(r1, r0);
    EXPECT_EQ(r0, TRect(ox + 10, oy, ox + 10 + w, oy + h));
  }
}

// Two operations checked against their definitions written out here, on a
// pixel inside the overlap of the two pictures.
TEST_F(ViewRenderTest, GrayAndColourAnaglyphsFollowTheirDefinitions) {
  MakeView(100, 83);
  const int32_t ox = 18, oy = 17;
  AddNoiseLayer(64, 48, 3);
  AddNoiseLayer(64, 48, 4);
  view_->GetLayer(1)->PosX = 10;
  auto gray = [](TRGB p) { return (p.r * 21 + p.g * 71 + p.b * 8) / 100; };
  for (int32_t bx : {10, 33, 63})
    for (int32_t by : {0, 21, 47}) {
      const TRGB l = LayerBitmap(0).GetPixel24(bx, by), r = LayerBitmap(1).GetPixel24(bx - 10, by);
      view_->GetLayer(1)->Operation = ieloAnaglyphGray;
      Render();
      const TRGB g = Back().GetPixel24(ox + bx, oy + by);
      EXPECT_EQ(g.r, gray(l));
      EXPECT_EQ(g.g, gray(r));
      EXPECT_EQ(g.b, gray(r));
      view_->GetLayer(1)->Operation = ieloAnaglyphColor;
      Render();
      const TRGB c = Back().GetPixel24(ox + bx, oy + by);
      EXPECT_EQ(c.r, l.r);
      EXPECT_EQ(c.g, r.g);
      EXPECT_EQ(c.b, r.b);
    }
  // Row interlace: the right picture on the back buffer's even rows only.
  view_->GetLayer(1)->Operation = ieloInterlaceEven;
  Render();
  for (int32_t by : {0, 1, 2, 3}) {
    const int32_t y = oy + by;
    const TRGB want = y % 2 == 0 ? LayerBitmap(1).GetPixel24(20, by) : LayerBitmap(0).GetPixel24(30, by);
    EXPECT_EQ(Back().GetPixel24(ox + 30, y), want) << "row " << y;
  }
}

// The viewer's four layers: both pictures moved by half the parallax in
// opposite directions and black strips as wide as the parallax at both edges.
TEST_F(ViewRenderTest, ViewerLayoutShowsBlackStripsAndTheOperationBetweenThem) {
  MakeView(90, 60);
  const int32_t w = 64, h = 48, e = 6, ox = (90 - w) / 2, oy = (60 - h) / 2;
  AddNoiseLayer(w, h, 5);
  AddNoiseLayer(w, h, 6);
  view_->GetLayer(0)->PosX = e / 2;
  view_->GetLayer(1)->PosX = -e / 2;
  view_->GetLayer(1)->Operation = ieloAnaglyphDubois;
  const int32_t s1 = view_->AddLayer(), s2 = view_->AddLayer();
  FillSolid(LayerBitmap(s1), e, h, TRGB{});
  FillSolid(LayerBitmap(s2), e, h, TRGB{});
  view_->GetLayer(s1)->PosX = -e / 2;
  view_->GetLayer(s2)->PosX = w - e / 2;
  Render();
  ExpectBackBuffer(Compose(90, 60, ox, oy, TRGB{},
                           {{&LayerBitmap(0), e / 2, 0, 0},
                            {&LayerBitmap(1), -e / 2, 0, ieloAnaglyphDubois},
                            {&LayerBitmap(s1), -e / 2, 0, 0},
                            {&LayerBitmap(s2), w - e / 2, 0, 0}}));
  for (int32_t y = oy; y < oy + h; ++y)
    for (int32_t x : {ox - e / 2, ox + e / 2 - 1, ox + w - e / 2, ox + w + e / 2 - 1})
      EXPECT_EQ(Back().GetPixel24(x, y), TRGB{}) << x << ", " << y;
  // Between the strips the Dubois anaglyph of the two pictures.
  const TRGB l = LayerBitmap(0).GetPixel24(20, 10), r = LayerBitmap(1).GetPixel24(26, 10);
  TRGB want = l;
  IEBlendPixel(&r.b, &want.b, ieloAnaglyphDubois, oy + 10);
  EXPECT_EQ(Back().GetPixel24(ox + 23, oy + 10), want);
}

// A single layer at the origin is drawn through the view's own coordinate
// tables (the visible part only); moved by one pixel it is placed like any layer.
TEST_F(ViewRenderTest, SingleLayerAtOriginTakesTheDirectCaseAndMovedTakesThePositionedCase) {
  struct Case {
    int32_t posX;
    int32_t sourceX;  // DrawSourceRect.X: the first visible column, or the whole bitmap
  };
  for (Case c : {Case{0, 10}, Case{1, 0}}) {
    SCOPED_TRACE("PosX " + std::to_string(c.posX));
    forms_.clear();
    layer0Used_ = false;
    MakeView(60, 50);
    AddNoiseLayer(40, 30, 7);
    view_->SetZoom(200);
    view_->ScrollTo(20, 10);
    view_->GetLayer(0)->PosX = c.posX;
    Render();
    ASSERT_EQ(view_->ScrollOriginX(), 20);
    ASSERT_EQ(view_->ScrollOriginY(), 10);
    TIELayer& l = *view_->GetLayer(0);
    EXPECT_EQ(l.DrawSourceRect.X, c.sourceX);
    if (c.posX == 0) {
      EXPECT_EQ(l.DrawSourceRect.Width, view_->VisibleColumns());
      EXPECT_EQ(l.DrawnRect, TRect(0, 0, 60, 50));
    } else {
      EXPECT_EQ(l.DrawSourceRect.Width, 40);
      EXPECT_EQ(l.DrawnRect.Left, 2 * c.posX - 20);
    }
    // At 200 % client column x shows bitmap column (x + origin) / 2, less the position.
    for (int32_t y : {0, 7, 49})
      for (int32_t x : {0, 1, 2, 3, 31, 59}) {
        const int32_t bx = (x + 20) / 2 - c.posX, by = (y + 10) / 2;
        EXPECT_EQ(Back().GetPixel24(x, y), LayerBitmap(0).GetPixel24(bx, by)) << x << ", " << y;
      }
  }
}

TEST_F(ViewRenderTest, LayersSmallerThanMinLayerSizeInBothDirectionsAreNotDrawn) {
  struct Case {
    int32_t w, h;
    bool drawn;
  };
  const TRGB red{0, 0, 255};
  for (Case c : {Case{1, 1, false}, Case{1, 5, true}, Case{5, 1, true}}) {
    SCOPED_TRACE(std::to_string(c.w) + " x " + std::to_string(c.h));
    forms_.clear();
    layer0Used_ = false;
    MakeView(60, 50);
    AddNoiseLayer(40, 30, 8);
    const int32_t i = view_->AddLayer();
    FillSolid(LayerBitmap(i), c.w, c.h, red);
    view_->GetLayer(i)->PosX = 5;
    view_->GetLayer(i)->PosY = 6;
    Render();
    const TRGB want = c.drawn ? red : LayerBitmap(0).GetPixel24(5, 6);
    EXPECT_EQ(Back().GetPixel24(10 + 5, 10 + 6), want);
  }
}

// A quarter turn counter-clockwise: a 20 x 10 layer whose left half is red
// stands 10 x 20 with the red half at the bottom. An eighth of a turn leaves
// the corners of its bounding box transparent.
TEST_F(ViewRenderTest, RotatedLayerIsDrawnInItsRotatedBoxAndKeepsItsGeometry) {
  const TRGB red{0, 0, 255}, green{0, 255, 0};
  for (double angle : {90.0, 45.0}) {
    SCOPED_TRACE(angle);
    forms_.clear();
    layer0Used_ = false;
    MakeView(100, 100);
    AddNoiseLayer(80, 80, 9);
    const int32_t ox = 10, oy = 10;
    const int32_t i = view_->AddLayer();
    TIEBitmap& b = LayerBitmap(i);
    ASSERT_TRUE(b.Allocate(20, 10, ie24RGB));
    for (int32_t y = 0; y < 10; ++y)
      for (int32_t x = 0; x < 20; ++x) b.SetPixel24(x, y, x < 10 ? red : green);
    TIELayer& l = *view_->GetLayer(i);
    l.PosX = 30;
    l.PosY = 20;
    l.SetRotation(angle);
    Render();
    EXPECT_EQ(l.Width, 0);
    EXPECT_EQ(l.Height, 0);
    EXPECT_EQ(l.PosX, 30);
    EXPECT_EQ(l.PosY, 20);
    // The corners (0,0), (20,0), (20,10), (0,10) turned about the centre
    // (10, 5), counter-clockwise with y pointing down: (dx, dy) goes to
    // (dx cos + dy sin, dy cos - dx sin).
    const double t = angle * std::numbers::pi / 180, cs = std::cos(t), sn = std::sin(t);
    const TPoint corner[4] = {{0, 0}, {20, 0}, {20, 10}, {0, 10}};
    double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
    for (int k = 0; k < 4; ++k) {
      const double dx = corner[k].X - 10, dy = corner[k].Y - 5;
      const double x = 10 + dx * cs + dy * sn, y = 5 + dy * cs - dx * sn;
      minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
      EXPECT_NEAR(l.Corners[size_t(k)].X, x + 30 + ox, 1) << "corner " << k;
      EXPECT_NEAR(l.Corners[size_t(k)].Y, y + 20 + oy, 1) << "corner " << k;
    }
    // The drawn box is the turned one's bounding box.
    EXPECT_NEAR(l.DrawnRect.Left, ox + 30 + minX, 1.5);
    EXPECT_NEAR(l.DrawnRect.Top, oy + 20 + minY, 1.5);
    EXPECT_NEAR(l.DrawnRect.Right, ox + 30 + maxX, 1.5);
    EXPECT_NEAR(l.DrawnRect.Bottom, oy + 20 + maxY, 1.5);
    if (angle == 90) {
      const int32_t cx = l.DrawnRect.Left + 5;
      EXPECT_EQ(Back().GetPixel24(cx, l.DrawnRect.Top + 3), green);
      EXPECT_EQ(Back().GetPixel24(cx, l.DrawnRect.Bottom - 4), red);
      // Outside the turned box but inside the unturned one: layer 0 shows.
      EXPECT_EQ(Back().GetPixel24(ox + 30 + 2, oy + 20 + 2), LayerBitmap(0).GetPixel24(32, 22));
    } else {
      // A corner of the bounding box lies outside the turned layer.
      const int32_t x = l.DrawnRect.Left + 1, y = l.DrawnRect.Top + 1;
      EXPECT_EQ(Back().GetPixel24(x, y), LayerBitmap(0).GetPixel24(x - ox, y - oy));
      // Its centre is inside: the two halves meet there.
      const TRGB c = Back().GetPixel24(ox + 30 + 10 - 3, oy + 20 + 5 + 3);
      EXPECT_TRUE(c == red || c.r > 200) << int(c.r) << "," << int(c.g) << "," << int(c.b);
    }
  }
}

// What happens outside layer 0: grey dots (style 2), brightening (style 3),
// and dimming around the current layer. Dots and dimming treat the right and
// bottom edges as inside, brightening does not.
TEST_F(ViewRenderTest, OutsideOfLayerZeroIsMarkedByStyle) {
  enum Kind { kDots, kBrighten, kDim };
  const TColor bg = TColor(0x00E6640A);  // R 10, G 100, B 230
  const TRGB bgc = ColorOf(bg);
  for (Kind k : {kDots, kBrighten, kDim}) {
    SCOPED_TRACE(int(k));
    forms_.clear();
    layer0Used_ = false;
    MakeView(60, 50);
    view_->SetBackground(bg);
    AddNoiseLayer(40, 30, 10);
    const int32_t ox = 10, oy = 10, w = 40, h = 30;
    if (k == kDots) view_->LayersOutsideStyle = 2;
    if (k == kBrighten) view_->LayersOutsideStyle = 3;
    if (k == kDim) view_->GetLayer(0)->DimOutside = true;
    Render();
    for (int32_t y = 0; y < 50; ++y)
      for (int32_t x = 0; x < 60; ++x) {
        const bool inImage = x >= ox && x < ox + w && y >= oy && y < oy + h;
        TRGB want = inImage ? LayerBitmap(0).GetPixel24(x - ox, y - oy) : bgc;
        const bool insideClosed = x >= ox && x <= ox + w && y >= oy && y <= oy + h;
        if (k == kBrighten && !inImage)
          want = TRGB{uint8_t(std::min(bgc.b + 60, 255)), uint8_t(std::min(bgc.g + 60, 255)),
                      uint8_t(std::min(bgc.r + 60, 255))};
        if (!insideClosed && (x + y) % 2 == 0) {
          if (k == kDots) want = TRGB{128, 128, 128};
          if (k == kDim) want = TRGB{97, 97, 97};
        }
        const TRGB got = Back().GetPixel24(x, y);
        if (!(got == want)) {
          ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
          return;
        }
      }
  }
}

// The grid appears from GridMinZoom on: one inverted line per bitmap column edge.
TEST_F(ViewRenderTest, PixelGridIsDrawnFromTheGridZoomOn) {
  const TRGB c{30, 20, 10};
  for (double zoom : {400.0, 399.0}) {
    SCOPED_TRACE(zoom);
    forms_.clear();
    layer0Used_ = false;
    MakeView(100, 100);
    FillSolid(LayerBitmap(0), 8, 8, c);
    layer0Used_ = true;
    view_->ShowPixelGrid = true;
    view_->SetZoom(zoom);
    Render();
    const TIEDrawRect d = view_->GetLayer(0)->DrawDestRect;
    const int32_t y = d.Y + 2;  // between two horizontal lines
    for (int32_t x = d.X; x < d.X + d.Width; ++x) {
      const bool line = zoom >= 400 && (x - d.X) % 4 == 0;
      const TRGB want = line ? TRGB{uint8_t(255 - c.b), uint8_t(255 - c.g), uint8_t(255 - c.r)} : c;
      EXPECT_EQ(Back().GetPixel24(x, y), want) << "column " << x;
    }
  }
}

// With OnDrawLayerGrip the application draws the grips: it is asked for all
// nine and the view adds nothing to what the box alone gives.
TEST_F(ViewRenderTest, DrawLayerGripEventReplacesTheDefaultGrips) {
  MakeView(100, 80);
  AddNoiseLayer(64, 48, 11);
  const int32_t i = AddNoiseLayer(30, 24, 12);  // large enough for grips that do not overlap
  view_->GetLayer(i)->PosX = 20;
  view_->GetLayer(i)->PosY = 15;
  view_->SetCurrentLayer(i);
  // The view's own grips: round, filled with the grip colour.
  view_->SetMouseInteract(IEMI(miMoveLayers) | IEMI(miResizeLayers));
  Render();
  const auto rectsDrawn = view_->GetGripRects(i);
  for (int g = 0; g < 8; ++g) {
    const TRect& r = rectsDrawn[size_t(g)];
    EXPECT_EQ(Back().GetPixel24((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2), ColorOf(view_->LayersGripBrushColor))
        << "grip " << g;
  }
  view_->SetMouseInteract(IEMI(miMoveLayers));
  Render();
  auto boxOnly = TIEBitmap::CreateCopy(&Back());

  std::vector<int32_t> grips;
  std::vector<TRect> rects;
  view_->OnDrawLayerGrip = [&](TObject* sender, TBitmap* bitmap, int32_t layer, int32_t grip, TRect rect) {
    EXPECT_EQ(sender, view_);
    EXPECT_EQ(bitmap, Back().VclBitmap());
    EXPECT_EQ(layer, i);
    grips.push_back(grip);
    rects.push_back(rect);
  };
  view_->SetMouseInteract(IEMI(miMoveLayers) | IEMI(miResizeLayers));
  Render();
  EXPECT_EQ(grips, (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
  const auto expected = view_->GetGripRects(i);
  EXPECT_EQ(rects, std::vector<TRect>(expected.begin(), expected.end()));
  for (int32_t y = 0; y < 80; ++y)
    for (int32_t x = 0; x < 100; ++x)
      ASSERT_EQ(Back().GetPixel24(x, y), boxOnly->GetPixel24(x, y)) << x << ", " << y;
}

// An alpha channel that does not match its image stops the whole render:
// the destination keeps every pixel it had.
TEST_F(ViewRenderTest, CurrentBitmapWithAlphaOfAnotherSizeDrawsNothing) {
  MakeView(60, 50);
  AddNoiseLayer(40, 30, 13);
  Render();
  TIEBitmap dest;
  const TRGB sentinel{1, 2, 3};
  FillSolid(dest, 60, 50, sentinel);
  dest.SetLocation(ieTBitmap);
  auto alpha = TIEBitmap::CreateAlphaChannel(41, 30, ieMemory);
  alpha->Fill(128);
  auto own = LayerBitmap(0).AttachAlphaChannel(std::move(alpha));
  view_->RenderLayers(dest, nullptr, nullptr, true, true);
  for (int32_t y = 0; y < 50; ++y)
    for (int32_t x = 0; x < 60; ++x) ASSERT_EQ(dest.GetPixel24(x, y), sentinel) << x << ", " << y;
  // The same call with a fitting channel draws.
  LayerBitmap(0).AttachAlphaChannel(TIEBitmap::CreateAlphaChannel(40, 30, ieMemory));
  view_->RenderLayers(dest, nullptr, nullptr, true, true);
  EXPECT_EQ(dest.GetPixel24(10, 10), LayerBitmap(0).GetPixel24(0, 0));
  EXPECT_EQ(dest.GetPixel24(0, 0), TRGB{});
}

// A mask layer limits the layer below it to where the mask is white; the
// fade style lets layers above 0 show through at the fade value outside layer 0.
TEST_F(ViewRenderTest, MaskLayerAndFadeStyleSetTheAlphaOfTheLayerDrawn) {
  struct Case {
    bool maskLayer;  // else the fade style
  };
  for (Case c : {Case{true}, Case{false}}) {
    SCOPED_TRACE(c.maskLayer ? "mask layer" : "fade");
    forms_.clear();
    layer0Used_ = false;
    MakeView(80, 60);
    AddNoiseLayer(40, 30, 14);
    const int32_t ox = 20, oy = 15;
    const int32_t i = AddNoiseLayer(20, 10, 15);
    TIELayer& l = *view_->GetLayer(i);
    l.PosX = 30;  // its right half lies outside layer 0
    l.PosY = 5;
    if (c.maskLayer) {
      const int32_t m = view_->AddLayer();
      TIEBitmap& mb = LayerBitmap(m);
      ASSERT_TRUE(mb.Allocate(20, 10, ie8g));
      for (int32_t y = 0; y < 10; ++y)
        for (int32_t x = 0; x < 20; ++x) mb.SetPixelByte(x, y, y < 5 ? 255 : 0);
      view_->GetLayer(m)->IsMask = true;
      view_->GetLayer(m)->Visible = false;
      view_->GetLayer(m)->PosX = 30;
      view_->GetLayer(m)->PosY = 5;
    } else {
      view_->LayersOutsideStyle = 1;
    }
    Render();
    for (int32_t by = 0; by < 10; ++by)
      for (int32_t bx = 0; bx < 20; ++bx) {
        const int32_t x = ox + 30 + bx, y = oy + 5 + by;
        const TRGB s = LayerBitmap(i).GetPixel24(bx, by);
        const bool over0 = 30 + bx <= 40;  // layer-0 columns up to its width count as inside
        const TRGB d = over0 && 30 + bx < 40 ? LayerBitmap(0).GetPixel24(30 + bx, 5 + by) : TRGB{};
        int a;
        if (c.maskLayer)
          a = by < 5 ? 255 : 0;
        else
          a = over0 ? 255 : 60;
        // Alpha mixing, also where the alpha is 255: D + floor(a (S - D) / 256).
        auto mix = [a](int s, int dd) { return uint8_t(dd + int(std::floor(a * double(s - dd) / 256))); };
        const TRGB want{mix(s.b, d.b), mix(s.g, d.g), mix(s.r, d.r)};
        ASSERT_EQ(Back().GetPixel24(x, y), want) << bx << ", " << by;
      }
    // The combined alpha is kept for the next paint; the layer keeps its own.
    ASSERT_NE(l.MaskCache, nullptr);
    EXPECT_EQ(l.MaskCache->GetPixelByte(0, 9), c.maskLayer ? 0 : 255);
    EXPECT_NE(LayerBitmap(i).GetAlphaChannel(), l.MaskCache.get());
  }
}

// A magnifier stretches the part of layer 0 under its centre (1 / rate of
// its size) over the whole layer; style 1 shows it inside an ellipse only.
TEST_F(ViewRenderTest, MagnifierLayerShowsLayerZeroEnlarged) {
  for (uint8_t style : {0, 1}) {
    SCOPED_TRACE(int(style));
    forms_.clear();
    layer0Used_ = false;
    MakeView(60, 50);
    AddNoiseLayer(40, 30, 19);
    const int32_t ox = 10, oy = 10;
    const int32_t i = AddNoiseLayer(10, 10, 20);
    TIELayer& l = *view_->GetLayer(i);
    l.PosX = 10;
    l.PosY = 10;
    l.Magnify.MagnifyEnabled = true;
    l.Magnify.MagnifyRate = 2;
    l.Magnify.MagnifySource = 0;
    l.Magnify.MagnifyStyle = style;
    Render();
    // Centre (15, 15); a 5 x 5 client area from 13 to 18 inclusive, 6 bitmap
    // pixels, stretched over 10 by nearest pixel.
    if (style == 0) {
      for (int32_t v = 0; v < 10; ++v)
        for (int32_t u = 0; u < 10; ++u)
          ASSERT_EQ(Back().GetPixel24(ox + 10 + u, oy + 10 + v), LayerBitmap(0).GetPixel24(13 + u * 6 / 10, 13 + v * 6 / 10))
              << u << ", " << v;
    } else {
      EXPECT_EQ(Back().GetPixel24(ox + 10, oy + 10), LayerBitmap(0).GetPixel24(10, 10));
      EXPECT_EQ(LayerBitmap(i).GetAlphaChannel()->GetPixelByte(0, 0), 0);
      EXPECT_EQ(LayerBitmap(i).GetAlphaChannel()->GetPixelByte(5, 5), 255);
      EXPECT_EQ(LayerBitmap(i).GetPixel24(5, 5), LayerBitmap(0).GetPixel24(13 + 3, 13 + 3));
    }
  }
}

// A cropped layer is cut at layer 0's edges; an uncropped one overhangs them.
TEST_F(ViewRenderTest, CroppedLayerIsClippedToLayerZero) {
  for (bool cropped : {true, false}) {
    SCOPED_TRACE(cropped);
    forms_.clear();
    layer0Used_ = false;
    MakeView(60, 50);
    AddNoiseLayer(40, 30, 21);
    const int32_t ox = 10, oy = 10;
    const int32_t i = AddNoiseLayer(10, 8, 22);
    view_->GetLayer(i)->PosX = -5;
    view_->GetLayer(i)->PosY = 25;  // three rows hang below layer 0
    view_->GetLayer(i)->Cropped = cropped;
    Render();
    for (int32_t by = 0; by < 8; ++by)
      for (int32_t bx = 0; bx < 10; ++bx) {
        const int32_t x = ox - 5 + bx, y = oy + 25 + by;
        const bool inside0 = bx >= 5 && 25 + by < 30;
        const TRGB want = inside0 || !cropped ? LayerBitmap(i).GetPixel24(bx, by) : TRGB{};
        ASSERT_EQ(Back().GetPixel24(x, y), want) << bx << ", " << by;
      }
  }
}

// Flattening renders at 100 % into a bitmap that holds every layer, shifted
// by the most negative position; the view's own zoom and origin survive.
TEST_F(ViewRenderTest, RenderLayersToBitmapHoldsEveryLayerAndKeepsTheViewState) {
  MakeView(60, 50);
  const TColor bg = TColor(0x00204060);
  view_->SetBackground(bg);
  AddNoiseLayer(40, 30, 16);
  const int32_t i = AddNoiseLayer(12, 8, 17);
  view_->GetLayer(i)->PosX = -5;
  view_->GetLayer(i)->PosY = 26;
  view_->GetLayer(i)->Operation = ieloAnaglyphColor;
  view_->SetZoom(200);
  view_->ScrollTo(7, 9);
  Render();
  const double zoom = view_->ZoomPercentX();
  const int32_t originX = view_->ScrollOriginX(), originY = view_->ScrollOriginY();

  TIEBitmap flat;
  view_->RenderLayersToBitmap(flat);
  ASSERT_EQ(flat.GetWidth(), 45);
  ASSERT_EQ(flat.GetHeight(), 34);
  const auto want = Compose(45, 34, 5, 0, ColorOf(bg), {{&LayerBitmap(0), 0, 0, 0}, {&LayerBitmap(i), -5, 26, 39}});
  for (int32_t y = 0; y < 34; ++y)
    for (int32_t x = 0; x < 45; ++x) ASSERT_EQ(flat.GetPixel24(x, y), want[size_t(y) * 45 + x]) << x << ", " << y;
  EXPECT_EQ(view_->ZoomPercentX(), zoom);
  EXPECT_EQ(view_->ScrollOriginX(), originX);
  EXPECT_EQ(view_->ScrollOriginY(), originY);

  view_->FlattenLayers();
  ASSERT_EQ(view_->GetLayerCount(), 1);
  ASSERT_EQ(LayerBitmap(0).GetWidth(), 45);
  for (int32_t y = 0; y < 34; ++y)
    for (int32_t x = 0; x < 45; ++x) ASSERT_EQ(LayerBitmap(0).GetPixel24(x, y), flat.GetPixel24(x, y));
}

TEST_F(ViewRenderTest, SetChessboardStyleStoresWithoutRepainting) {
  MakeView(60, 50);
  AddNoiseLayer(40, 30, 18);
  Render();
  view_->SetChessboardStyle(8, bsCross);
  EXPECT_EQ(view_->ChessboardSize(), 8);
  EXPECT_EQ(view_->ChessboardBrushStyle(), bsCross);
  EXPECT_FALSE(view_->BackBufferDirty());
}

}  // namespace
