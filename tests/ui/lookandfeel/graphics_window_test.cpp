// The canvas routines that work on windows: invalidation, and the parent's
// background painted under a transparent control, on the headless display.
#include <gtest/gtest.h>

#include "platform/gdi/edge.h"
#include "platform/gdi/syscolors.h"
#include "tests/platform/vcl/controls_test.h"
#include "ui/lookandfeel/cxGraphics.h"

namespace {

using vcltest::TProbe;

// A probe with a one-pixel border, which may veto drawing it.
class TBorderedProbe : public TProbe, public IcxTransparentBackgroundBorder {
public:
  explicit TBorderedProbe(TComponent* owner) : TProbe(owner) {}
  bool DrawBorder = true;
  bool DrawBorderInTransparentBackground() override { return DrawBorder; }

protected:
  void CreateParams(TCreateParams& params) override {
    TProbe::CreateParams(params);
    params.Style |= win::WS_BORDER;
  }
};

class GraphicsWindowTest : public vcltest::VclTest {};

TEST_F(GraphicsWindowTest, InvalidateWindowRectMarksOnlyThatRectangle) {
  TForm* form = ShownForm();
  win::HWND wnd = form->Handle();
  win::ValidateRect(wnd, nullptr);
  InvalidateWindowRect(wnd, TRect(5, 6, 25, 16), false);
  TRect update;
  ASSERT_TRUE(win::GetUpdateRect(wnd, &update, false));
  EXPECT_EQ(update, TRect(5, 6, 25, 16));
  win::ValidateRect(wnd, nullptr);
  InvalidateWindow(wnd, false);
  ASSERT_TRUE(win::GetUpdateRect(wnd, &update, false));
  EXPECT_EQ(update, form->ClientRect());
}

// Parent P (yellow) holds B (blue) below the transparent control C and A (red) above it:
//   P (10,10)-(110,110);  B (20,20)-(60,60);  C (40,40)-(90,90);  A (70,70)-(100,100).
// C's background shows P and B, never A. A B with a one-pixel border has a
// client area of 38 x 38: drawn inside the border, or at the window's corner
// when B vetoes the border.
TEST_F(GraphicsWindowTest, TransparentBackgroundPaintsTheParentAndTheChildrenBelow) {
  struct Case {
    int kind;  // 0 no border, 1 border drawn, 2 border vetoed
    int32_t blueEnd;  // B's client fill ends before this coordinate of P
  };
  const Case cases[] = {{0, 60}, {1, 59}, {2, 58}};
  for (const Case& c : cases) {
    TForm* form = ShownForm();
    auto* parent = Add<TProbe>(form, {10, 10, 110, 110});
    parent->SetColor(clYellow);
    TProbe* below = nullptr;
    if (c.kind == 0) {
      below = Add<TProbe>(parent, {20, 20, 60, 60});
    } else {
      auto* bordered = Add<TBorderedProbe>(parent, {20, 20, 60, 60});
      bordered->DrawBorder = c.kind == 1;
      below = bordered;
    }
    below->Fill = clBlue;
    auto* control = Add<TProbe>(parent, {40, 40, 90, 90});
    auto* above = Add<TProbe>(parent, {70, 70, 100, 100});
    above->Fill = clRed;
    Pump();

    TBitmap bmp(50, 50);
    TcxCanvas canvas(bmp.Canvas());
    canvas.FillRect(TRect(0, 0, 50, 50), clWhite);
    DrawTransparentControlBackground(control, &canvas, TRect(0, 0, 50, 50));

    win::HDC dc = bmp.Canvas()->Handle();
    for (int32_t y = 0; y < 50; ++y) {
      for (int32_t x = 0; x < 50; ++x) {
        const int32_t px = x + 40, py = y + 40;  // in P's client coordinates
        const bool onBorder = c.kind == 1 && (px == 59 || py == 59) && px <= 59 && py <= 59;
        const TColor got = TColor(win::GetPixel(dc, x, y));
        if (onBorder) EXPECT_TRUE(got != clBlue && got != clYellow) << x << "," << y;
        else ASSERT_EQ(got, px < c.blueEnd && py < c.blueEnd ? clBlue : clYellow) << c.kind << " at " << x << "," << y;
      }
    }
    TPoint org;
    win::GetWindowOrgEx(dc, &org);
    EXPECT_EQ(org, TPoint(0, 0));
    EXPECT_FALSE(parent->ControlState().Contains(csPaintCopy));
    EXPECT_FALSE(below->ControlState().Contains(csPaintCopy));
  }
}

TEST_F(GraphicsWindowTest, TransparentBackgroundWithoutParentDrawsNothing) {
  TProbe orphan(nullptr);
  TBitmap bmp(4, 4);
  TcxCanvas canvas(bmp.Canvas());
  canvas.FillRect(TRect(0, 0, 4, 4), clWhite);
  DrawTransparentControlBackground(&orphan, &canvas, TRect(0, 0, 4, 4));
  EXPECT_EQ(bmp.Canvas()->Pixels(2, 2), clWhite);
}

}  // namespace
