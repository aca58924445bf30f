// The base painter's drawing of bar windows: backgrounds by kind, separators,
// the size grip through its monochrome mask, and for toolbar windows the
// non-client sizes, the floating caption and the mark; each pixel computed
// from the system colours and the geometry the painter is held to.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/edge.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/win/winuser.h"
#include "tests/ui/bars/bar_painter_doubles.h"
#include "ui/bars/dxBarComponents.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/lookandfeel/cxGraphics.h"

using namespace bartest;
using painter_surface::kPaper;
using painter_surface::Surface;

namespace {

constexpr TColor kBarColor = 0x804020;  // the test bar's brush, unlike every system colour

// A 4 x 3 picture whose every pixel differs, and the colour it tiles at (x, y).
TColor TileColor(int32_t x, int32_t y) { return TColor(0x103050 + 0x10 * (x % 4) + 0x1000 * (y % 3)); }
std::unique_ptr<TBitmap> TilePicture() {
  auto tile = std::make_unique<TBitmap>(4, 3);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 4; ++x) tile->Canvas()->SetPixels(x, y, TileColor(x, y));
  return tile;
}

class BarPainterTest : public BarManagerFormTest {
protected:
  void SetUp() override {
    BarManagerFormTest::SetUp();
    barBrush_ = win::CreateSolidBrush(win::COLORREF(kBarColor));
    bar_ = new TTestBarWindow(manager_);
    bar_->SetPainter(&painter_);
    bar_->SetBounds(0, 0, 60, 30);
    bar_->BackgroundBrush = barBrush_;
  }
  void TearDown() override {
    delete bar_;
    win::DeleteObject(barBrush_);
    BarManagerFormTest::TearDown();
  }

  TdxBarPainter painter_{nullptr};
  win::HBRUSH barBrush_ = nullptr;
  TTestBarWindow* bar_ = nullptr;
};

// ---------------------------------------------------------------- backgrounds

TEST_F(BarPainterTest, ClientIsFilledByKindOfBar) {
  std::unique_ptr<TBitmap> own = TilePicture(), managers = TilePicture();
  // The manager's picture in other colours, so that the two are told apart.
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 4; ++x) managers->Canvas()->SetPixels(x, y, TColor(TileColor(x, y) ^ 0xFF0000));
  const struct {
    const char* What;
    bool OwnBitmap, ManagerBitmap, StatusLike;
    TColor OwnColor;
    std::function<TColor(int32_t, int32_t)> Want;
  } cases[] = {
      {"floating: the brush", false, false, false, clNone, [](int32_t, int32_t) { return kBarColor; }},
      {"its own picture", true, true, true, clRed, [](int32_t x, int32_t y) { return TileColor(x, y); }},
      {"status-like without the manager's picture: the brush", false, false, true, clNone,
       [](int32_t, int32_t) { return kBarColor; }},
      {"its own colour", false, false, false, clLime, [](int32_t, int32_t) { return TColor(clLime); }},
      {"floating with the manager's picture", false, true, false, clNone,
       [](int32_t x, int32_t y) { return TColor(TileColor(x, y) ^ 0xFF0000); }},
      {"status-like with the manager's picture", false, true, true, clNone,
       [](int32_t x, int32_t y) { return TColor(TileColor(x, y) ^ 0xFF0000); }},
  };
  for (const auto& c : cases) {
    bar_->BackgroundBitmap = c.OwnBitmap ? own.get() : nullptr;
    manager_->Backgrounds()->SetBar(c.ManagerBitmap ? managers.get() : nullptr);
    bar_->StatusLike = c.StatusLike;
    bar_->OwnColor = c.OwnColor;
    ClippedSurface s(60, 30);
    const DcState before = StateOf(s.DC());
    const TRect client(5, 4, 50, 26);
    painter_.BarFillClient(bar_, s.DC(), client);
    EXPECT_EQ(StateOf(s.DC()), before) << c.What;
    EXPECT_EQ(s.FirstOutside(client), "") << c.What;
    for (int32_t y = client.Top; y < client.Bottom; ++y)
      for (int32_t x = client.Left; x < client.Right; ++x)
        ASSERT_EQ(s.At(x, y), ColorToRGB(c.Want(x, y))) << c.What << " at " << x << "," << y;
  }
  manager_->Backgrounds()->SetBar(nullptr);
}

// ---------------------------------------------------------------- separators

TEST_F(BarPainterTest, SeparatorIsAnEtchedLineBetweenStripsOfTheBarBackground) {
  const TColor shadow = SysColor(win::COLOR_BTNSHADOW), light = SysColor(win::COLOR_BTNHIGHLIGHT);
  const struct {
    const char* What;
    bool Horizontal, WithBrush;
  } cases[] = {{"in a horizontal bar", false, true},
               {"in a vertical bar", true, true},
               {"without a brush: the window's background", false, false}};
  for (const auto& c : cases) {
    ClippedSurface s(40, 40);
    const DcState before = StateOf(s.DC());
    // A slot of BarSeparatorSize 6: strips of 2, the etched line of 2.
    const TRect slot = c.Horizontal ? TRect(4, 10, 30, 16) : TRect(10, 4, 16, 30);
    painter_.BarDrawSeparator(bar_, s.DC(), slot, c.WithBrush ? barBrush_ : nullptr, c.Horizontal);
    EXPECT_EQ(StateOf(s.DC()), before) << c.What;
    EXPECT_EQ(s.FirstOutside(slot), "") << c.What;
    for (int32_t across = 0; across < 6; ++across) {
      const TColor want = across == 2 ? shadow : across == 3 ? light : kBarColor;
      for (int32_t along : {5, 17, 28}) {
        const int32_t x = c.Horizontal ? along : 10 + across, y = c.Horizontal ? 10 + across : along;
        EXPECT_EQ(s.At(x, y), ColorToRGB(want)) << c.What << " at " << x << "," << y;
      }
    }
  }
}

// ---------------------------------------------------------------- size grip

// The system size grip over a background: the grip drawn on its own, where
// its pixels are not the button face, else the background.
TColor GripOver(Surface& AGrip, int32_t x, int32_t y, TColor ABackground) {
  const TColor g = AGrip.At(x, y);
  return g == ColorToRGB(SysColor(win::COLOR_BTNFACE)) ? ABackground : g;
}

TEST_F(BarPainterTest, SizeGripIsTheSystemGripOverTheWindowBackground) {
  const int32_t cx = win::GetSystemMetrics(win::SM_CXHSCROLL), cy = win::GetSystemMetrics(win::SM_CYHSCROLL);
  EXPECT_EQ(painter_.SizeGripSize(), TSize(cx, cy));
  Surface grip(cx, cy);
  TRect g(0, 0, cx, cy);
  win::DrawFrameControl(grip.bmp.Canvas()->Handle(), &g, win::DFC_SCROLL, win::DFCS_SCROLLSIZEGRIP);

  const TRect area(10, 5, 70, 45);  // taller than the grip
  ClippedSurface s(80, 50);
  const DcState before = StateOf(s.DC());
  painter_.BarDrawSizeGripArea(bar_, s.DC(), area);
  EXPECT_EQ(StateOf(s.DC()), before);
  // The column SizeGripSize wide at the right gets the window background, the
  // grip its bottom square.
  const TRect column(70 - cx, 5, 70, 45);
  EXPECT_EQ(s.FirstOutside(column), "");
  int32_t lines = 0;
  for (int32_t y = column.Top; y < column.Bottom; ++y)
    for (int32_t x = column.Left; x < column.Right; ++x) {
      const bool inGrip = y >= 45 - cy;
      const TColor want = inGrip ? GripOver(grip, x - column.Left, y - (45 - cy), kBarColor) : kBarColor;
      ASSERT_EQ(s.At(x, y), ColorToRGB(want)) << x << "," << y;
      lines += want != kBarColor ? 1 : 0;
    }
  EXPECT_GT(lines, 0) << "the grip has lines of its own";

  ClippedSurface gap(80, 50);
  painter_.BarDrawSizeGripGap(bar_, gap.DC(), area);
  EXPECT_EQ(gap.FirstOutside({10, 5, 70, 7}), "") << "a strip SizeGripIndent (2) high at the top";
  EXPECT_EQ(gap.Where(kBarColor).size(), size_t(60 * 2));
}

// ---------------------------------------------------------------- bad rectangles

TEST_F(BarPainterTest, DegenerateRectanglesDrawNothingOutside) {
  ExpectNothingOutsideDegenerateRects({
      {"client", [&](TcxCanvas* c, const TRect& r) { painter_.BarFillClient(bar_, c->Handle(), r); }},
      {"status-like client",
       [&](TcxCanvas* c, const TRect& r) {
         bar_->StatusLike = true;
         painter_.BarFillClient(bar_, c->Handle(), r);
         bar_->StatusLike = false;
       }},
      {"separator", [&](TcxCanvas* c, const TRect& r) { painter_.BarDrawSeparator(bar_, c->Handle(), r, barBrush_, false); }},
      {"vertical separator",
       [&](TcxCanvas* c, const TRect& r) { painter_.BarDrawSeparator(bar_, c->Handle(), r, nullptr, true); }},
      {"size grip", [&](TcxCanvas* c, const TRect& r) { painter_.BarDrawSizeGripArea(bar_, c->Handle(), r); }},
      {"size grip gap", [&](TcxCanvas* c, const TRect& r) { painter_.BarDrawSizeGripGap(bar_, c->Handle(), r); }},
      {"size grip glyph", [&](TcxCanvas* c, const TRect& r) { painter_.BarDrawSizeGripGlyph(bar_, c->Handle(), r); }},
  });
}

}  // namespace
