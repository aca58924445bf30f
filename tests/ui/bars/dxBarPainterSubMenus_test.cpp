// The base painter's sub-menu drawing on a test menu window: the frame and
// detach band, the client edge, the owner gap, the background, separator
// entries, the expand button and the scroll buttons, each pixel computed
// from the system colours and the geometry the painter is held to.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/edge.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "tests/ui/bars/bar_painter_doubles.h"
#include "ui/bars/dxBarDrawParams.h"
#include "ui/bars/dxBarLabels.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/lookandfeel/cxGraphics.h"

using namespace bartest;
using painter_surface::kPaper;
using painter_surface::Surface;

namespace {

constexpr TColor kMenuColor = 0x906030;  // the test menu's brush, unlike every system colour

struct Pixel {
  int32_t X, Y;
  TColor Want;
};

void ExpectPixels(Surface& s, const std::vector<Pixel>& pixels, const std::string& what) {
  for (const Pixel& p : pixels)
    EXPECT_EQ(s.At(p.X, p.Y), ColorToRGB(p.Want)) << what << " at " << p.X << "," << p.Y;
}

constexpr TColor kOver = 0x000001;  // what a test paints over everything afterwards

// Fills the whole surface in AColor through the DC's clip region, then drops
// the clip region so that every pixel can be read again.
void FillAll(ClippedSurface& s, TColor AColor) {
  win::HBRUSH brush = win::CreateSolidBrush(win::COLORREF(AColor));
  const TRect all(0, 0, s.bmp.Width(), s.bmp.Height());
  win::FillRect(s.DC(), &all, brush);
  win::DeleteObject(brush);
  win::SelectClipRgn(s.DC(), nullptr);
}

// Points a canvas at a surface for the length of a scope.
class CanvasOn {
public:
  CanvasOn(TcxCanvas* ACanvas, TCanvas* ATarget) : canvas_(ACanvas), saved_(ACanvas->Canvas()) {
    canvas_->SetCanvas(ATarget);
  }
  ~CanvasOn() { canvas_->SetCanvas(saved_); }
  CanvasOn(const CanvasOn&) = delete;
  CanvasOn& operator=(const CanvasOn&) = delete;

private:
  TcxCanvas* canvas_;
  TCanvas* saved_;
};

class SubMenuPainterTest : public ItemControlFormTest {
protected:
  void SetUp() override {
    ItemControlFormTest::SetUp();
    menuBrush_ = win::CreateSolidBrush(win::COLORREF(kMenuColor));
    menu_ = new TTestSubMenu(manager_);
    menu_->SetPainter(&painter_);
    menu_->BackgroundBrush = menuBrush_;
  }
  void TearDown() override {
    delete menu_;
    win::DeleteObject(menuBrush_);
    ItemControlFormTest::TearDown();
  }
  // An entry of the menu for a new separator; the link owns it.
  TdxBarItemControl* SeparatorEntry() {
    return NewControl<TdxBarItemControl>(menu_, NewItem<TdxBarSeparator>());
  }

  TdxBarPainter painter_{nullptr};
  win::HBRUSH menuBrush_ = nullptr;
  TTestSubMenu* menu_ = nullptr;
};

// ---------------------------------------------------------------- frame

TEST_F(SubMenuPainterTest, PlainMenuGetsLightLinesTopLeftAndARaisedOuterEdgeBottomRight) {
  ClippedSurface s(60, 50);
  const DcState before = StateOf(s.DC());
  painter_.SubMenuDrawBorder(menu_, s.DC(), {5, 5, 55, 45});
  EXPECT_EQ(StateOf(s.DC()), before);
  const TColor face = SysColor(win::COLOR_BTNFACE), dark = SysColor(win::COLOR_3DDKSHADOW);
  ExpectPixels(s,
               {{5, 5, face}, {5, 43, face}, {30, 5, face}, {53, 5, face},  // left column and top row
                {5, 44, dark}, {30, 44, dark}, {54, 30, dark}, {54, 6, dark}, {54, 44, dark},
                {30, 20, kPaper}, {6, 6, kPaper}, {4, 4, kPaper}, {55, 45, kPaper}},
               "plain frame");
  EXPECT_EQ(s.FirstOutside({5, 5, 55, 45}), "");
}

TEST_F(SubMenuPainterTest, DetachableMenuGetsAnInnerEdgeAndTheFramedBandThatLightsUpWhenHot) {
  menu_->Detachable = true;
  menu_->DetachCaptionHeight = 5;
  for (bool hot : {false, true}) {
    menu_->DetachBandHot = hot;
    ClippedSurface s(60, 50);
    const DcState before = StateOf(s.DC());
    painter_.SubMenuDrawBorder(menu_, s.DC(), {5, 5, 55, 45});
    EXPECT_EQ(StateOf(s.DC()), before);
    const TColor face = SysColor(win::COLOR_BTNFACE), light = SysColor(win::COLOR_BTNHIGHLIGHT),
                 shadow = SysColor(win::COLOR_BTNSHADOW),
                 band = SysColor(hot ? win::COLOR_ACTIVECAPTION : win::COLOR_INACTIVECAPTION);
    // Inner edge one pixel in; its frame (7, 7) .. (53, 7 + 5 + 3 - 1); the
    // band inside the menu's inner rectangle (shrunk by 3), 5 pixels high.
    ExpectPixels(s,
                 {{20, 6, light}, {6, 20, light}, {53, 20, shadow}, {30, 44, SysColor(win::COLOR_3DDKSHADOW)},
                  {7, 10, face}, {30, 7, face}, {30, 13, face}, {52, 10, face},
                  {8, 8, band}, {51, 12, band}, {30, 10, band},
                  {30, 14, kPaper}, {30, 30, kPaper}},
                 hot ? "hot band" : "band");
    EXPECT_EQ(s.Where(band).size(), size_t(44 * 5)) << "the band is (8, 8) .. (52, 13)";
  }
}

TEST_F(SubMenuPainterTest, ClientEdgeIsARaisedInnerEdgeAndAFrameInTheBrush) {
  for (bool detachable : {false, true}) {
    menu_->Detachable = detachable;
    ClippedSurface s(60, 50);
    const DcState before = StateOf(s.DC());
    TRect r(10, 10, 50, 40);
    painter_.SubMenuDrawClientEdge(menu_, s.DC(), r, menuBrush_);
    EXPECT_EQ(StateOf(s.DC()), before);
    const int32_t top = detachable ? 8 : 10;  // two pixels higher on detachable menus
    EXPECT_EQ(r, TRect(12, top + 2, 48, 38)) << "what lies inside the frame";
    ExpectPixels(s,
                 {{30, top, SysColor(win::COLOR_BTNHIGHLIGHT)}, {10, 25, SysColor(win::COLOR_BTNHIGHLIGHT)},
                  {30, 39, SysColor(win::COLOR_BTNSHADOW)}, {49, 25, SysColor(win::COLOR_BTNSHADOW)},
                  {30, top + 1, kMenuColor}, {11, 25, kMenuColor}, {48, 25, kMenuColor}, {30, 38, kMenuColor},
                  {30, 25, kPaper}, {30, top - 1, kPaper}},
                 detachable ? "detachable" : "plain");
  }
}

TEST_F(SubMenuPainterTest, OwnerGapIsFilledWithTheOwnerBrushWhenThereIsOne) {
  ClippedSurface s(40, 40);
  painter_.BarDrawOwnerFrame(menu_, s.DC());
  EXPECT_TRUE(PaintedPixels(s).empty()) << "no owner gap";
  menu_->OwnerGap = TRect(3, 0, 20, 1);
  const DcState before = StateOf(s.DC());
  painter_.BarDrawOwnerFrame(menu_, s.DC());
  EXPECT_EQ(StateOf(s.DC()), before);
  PixelSet want;
  for (int32_t x = 3; x < 20; ++x) want.insert({x, 0});
  EXPECT_EQ(PaintedPixels(s), want);
  EXPECT_EQ(s.At(10, 0), ColorToRGB(SysColor(win::COLOR_BTNFACE))) << "the base owner brush is the toolbar brush";
}

TEST_F(SubMenuPainterTest, BackgroundTilesTheMenuBitmapElseFillsWithTheBrush) {
  TBitmap tile(4, 3);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 4; ++x) tile.Canvas()->SetPixels(x, y, TColor(0x102030 + 0x10 * x + 0x1000 * y));
  ClippedSurface plain(30, 30), tiled(30, 30);
  painter_.SubMenuFillBackground(menu_, plain.DC(), {5, 6, 25, 20}, menuBrush_);
  EXPECT_EQ(plain.Where(kMenuColor).size(), size_t(20 * 14));
  menu_->BackgroundBitmap = &tile;
  const DcState before = StateOf(tiled.DC());
  painter_.SubMenuFillBackground(menu_, tiled.DC(), {5, 6, 25, 20}, menuBrush_);
  EXPECT_EQ(StateOf(tiled.DC()), before);
  // Tiles from the menu's origin: (x, y) shows the tile's (x mod 4, y mod 3).
  for (int32_t y = 6; y < 20; ++y)
    for (int32_t x = 5; x < 25; ++x)
      ASSERT_EQ(tiled.At(x, y), TColor(0x102030 + 0x10 * (x % 4) + 0x1000 * (y % 3))) << x << "," << y;
  EXPECT_EQ(tiled.FirstOutside({5, 6, 25, 20}), "");
}

// ---------------------------------------------------------------- separator entries

TEST_F(SubMenuPainterTest, SeparatorEntryIsItsBackgroundAndAnEtchedLineFourPixelsIn) {
  TdxBarItemControl* entry = SeparatorEntry();
  TdxBarItemControl* other = SeparatorEntry();
  // The window's current item brush becomes its background brush while it paints an entry.
  Surface scratch(10, 10);
  menu_->PaintItemControl(&scratch.canvas, other);
  ASSERT_EQ(menu_->ItemBrush(), menuBrush_);
  const struct {
    const char* What;
    bool NonRecent, RunStart;
    int32_t SideBar;
    TRect Filled;
    TColor Fill;
  } cases[] = {
      {"recent entry: the parent's background", false, false, 0, {10, 20, 70, 30}, SysColor(win::COLOR_BTNFACE)},
      {"first of the rarely used run", true, true, 0, {10, 20, 70, 30}, SysColor(win::COLOR_BTNFACE)},
      {"inside the run: item brush, 1 left and 2 right", true, false, 0, {9, 20, 72, 30}, kMenuColor},
      {"inside the run with a side bar: nothing left", true, false, 8, {10, 20, 72, 30}, kMenuColor},
  };
  for (const auto& c : cases) {
    menu_->NonRecent.clear();
    if (c.NonRecent) menu_->NonRecent.insert(entry);
    menu_->RunStart = c.RunStart ? entry : nullptr;
    menu_->SideBarWidth = c.SideBar;
    ClippedSurface s(80, 40);
    entry->DrawParams()->Canvas = &s.canvas;
    const DcState before = StateOf(s.DC());
    painter_.SubMenuDrawSeparatorItem(entry->DrawParams(), {10, 20, 70, 30});
    EXPECT_EQ(StateOf(s.DC()), before) << c.What;
    entry->DrawParams()->Canvas = nullptr;
    EXPECT_EQ(s.FirstOutside(c.Filled), "") << c.What;
    // The line: the entry less 4 at the top and bottom, an etched top edge.
    ExpectPixels(s,
                 {{c.Filled.Left, 22, c.Fill}, {c.Filled.Right - 1, 27, c.Fill}, {40, 20, c.Fill}, {40, 29, c.Fill},
                  {10, 24, SysColor(win::COLOR_BTNSHADOW)}, {69, 24, SysColor(win::COLOR_BTNSHADOW)},
                  {40, 25, SysColor(win::COLOR_BTNHIGHLIGHT)}, {40, 26, c.Fill}},
                 c.What);
  }
}

// ---------------------------------------------------------------- expand button

// The chevron strokes: for each of n = (H - 6) div 2 rows a stroke from
// (x, y') over (x + n div 2, y' + n div 2) to (x + n + 1, y' - 1), end point
// left out, with y' the row, moved n div 2 lower past the first half.
PixelSet ExpandArrowPixels(const TRect& R) {
  const int32_t h = R.Height(), n = (h - 6) / 2, k = n / 2;
  const int32_t x = (R.Left + R.Right - n - 1) / 2, top = R.Top + (h - 2 * n) / 2;
  PixelSet set;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t y = top + i + (i >= k ? k : 0);
    for (int32_t j = 0; j < k; ++j) set.insert({x + j, y + j});       // down the left arm
    for (int32_t j = 0; j <= k; ++j) set.insert({x + k + j, y + k - j});  // up the right arm
  }
  return set;
}

TEST_F(SubMenuPainterTest, ExpandArrowsAreTwoStackedChevronsCentredInTheButton) {
  // Even chevron sizes keep both arms at 45 degrees: H 22 gives n 8, H 14 gives n 4.
  for (const TRect r : {TRect(0, 0, 30, 22), TRect(7, 3, 40, 17)}) {
    ClippedSurface s(50, 30);
    const DcState before = StateOf(s.DC());
    painter_.SubMenuDrawExpandArrows(menu_, s.DC(), r, false);
    EXPECT_EQ(StateOf(s.DC()), before);
    const PixelSet got = PaintedPixels(s);
    EXPECT_EQ(got, ExpandArrowPixels(r)) << Describe(got);
    for (const auto& [x, y] : got) EXPECT_EQ(s.At(x, y), SysColor(win::COLOR_BTNTEXT));
  }
}

TEST_F(SubMenuPainterTest, ExpandButtonIsDrawnOffScreenAndLeavesTheClip) {
  const TRect button(4, 30, 44, 43);  // 13 high: n 3
  for (bool hot : {false, true}) {
    ClippedSurface s(50, 50);
    {
      CanvasOn on(menu_->GetCanvas(), s.bmp.Canvas());
      painter_.SubMenuDrawExpandButton(menu_, button, hot);
    }
    // The button is out of the clip region now: a fill over everything leaves it.
    FillAll(s, kOver);
    const std::string what = hot ? "hot" : "normal";
    const TColor text = SysColor(win::COLOR_BTNTEXT);
    // The menu background, with a raised inner edge round it when hot.
    ExpectPixels(s,
                 {{4, 30, hot ? SysColor(win::COLOR_BTNHIGHLIGHT) : kMenuColor},
                  {43, 42, hot ? SysColor(win::COLOR_BTNSHADOW) : kMenuColor}, {6, 33, kMenuColor},
                  {40, 40, kMenuColor}, {3, 30, kOver}, {44, 35, kOver}, {4, 43, kOver}, {20, 29, kOver}},
                 what);
    // Chevrons of n = 3 rows, x = (4 + 44 - 4) div 2 = 22, from top 30 + (13 - 6) div 2 = 33.
    EXPECT_EQ(s.At(22, 33), ColorToRGB(text)) << what;
    EXPECT_EQ(s.At(23, 34), ColorToRGB(text)) << what;
    int32_t textPixels = 0;
    for (int32_t y = 30; y < 43; ++y)
      for (int32_t x = 4; x < 44; ++x) textPixels += s.At(x, y) == ColorToRGB(text) ? 1 : 0;
    EXPECT_GT(textPixels, 6) << what;
  }
}

// ---------------------------------------------------------------- scroll buttons

// The rows of the surface's pixels of AColor: y -> (first x, last x, count).
struct Row {
  int32_t First, Last, Count;
};
std::map<int32_t, Row> RowsOf(Surface& s, TColor AColor) {
  std::map<int32_t, Row> rows;
  for (const TPoint& p : s.Where(AColor)) {
    auto [it, fresh] = rows.try_emplace(p.Y, Row{p.X, p.X, 0});
    it->second.First = std::min(it->second.First, p.X);
    it->second.Last = std::max(it->second.Last, p.X);
    ++it->second.Count;
  }
  return rows;
}

TEST_F(SubMenuPainterTest, ScrollArrowIsASharpTriangleOfTheSizeOfAThirdOfTheButton) {
  const TColor arrow = 0x2040C0;
  for (const TRect r : {TRect(0, 0, 40, 18), TRect(3, 5, 44, 25), TRect(0, 2, 33, 23), TRect(1, 0, 40, 9)})
    for (bool up : {true, false}) {
      ClippedSurface s(50, 30);
      painter_.SubMenuDrawScrollArrow(menu_, s.DC(), r, up, arrow);
      // The arrow is out of the clip region afterwards: a fill over everything leaves it.
      FillAll(s, kOver);
      const std::string what = std::string(up ? "up " : "down ") + std::to_string(r.Height()) + " high";
      // Size h div 3 - 1; a row for each, each 2 pixels narrower towards the tip.
      const int32_t size = r.Height() / 3 - 1, w = 2 * size - 1;
      const std::map<int32_t, Row> rows = RowsOf(s, arrow);
      EXPECT_EQ(s.Where(arrow).size() + s.Where(kOver).size(), size_t(50 * 30)) << what;
      ASSERT_EQ(int32_t(rows.size()), size) << what;
      const int32_t baseY = up ? rows.rbegin()->first : rows.begin()->first;
      const int32_t centre = (r.Left + r.Right - w) / 2 + size - 1;
      for (const auto& [y, row] : rows) {
        const int32_t k = up ? baseY - y : y - baseY;
        EXPECT_EQ(row.Count, w - 2 * k) << what << " row " << y;
        EXPECT_EQ(row.Last - row.First + 1, row.Count) << what << " row " << y << " has a gap";
        EXPECT_EQ(row.First + row.Last, 2 * centre) << what << " row " << y << " is not centred";
      }
      // Centred vertically as the arrow geometry places it, one lower when
      // the height plus its remainder by 3 is odd.
      const int32_t remainder = r.Height() % 3;
      const int32_t top = (r.Top + r.Bottom - size + 1) / 2 + ((r.Height() + remainder) % 2);
      EXPECT_EQ(rows.begin()->first, top) << what;
    }
}

TEST_F(SubMenuPainterTest, ScrollButtonsSitAtTheEndsOfTheScrollArea) {
  menu_->ScrollArea = TRect(2, 4, 52, 94);
  menu_->DefaultItemHeight = 18;
  EXPECT_EQ(painter_.SubMenuScrollButtonHeight(menu_), 18);
  EXPECT_EQ(painter_.SubMenuScrollButtonRect(menu_, true), TRect(2, 4, 52, 22));
  EXPECT_EQ(painter_.SubMenuScrollButtonRect(menu_, false), TRect(2, 76, 52, 94));
  menu_->TopScrollButton = menu_->BottomScrollButton = true;
  ClippedSurface s(60, 100);
  const DcState before = StateOf(s.DC());
  painter_.SubMenuDrawScrollButtons(menu_, s.DC());
  EXPECT_EQ(StateOf(s.DC()), before) << "the clip comes back";
  const TColor text = SysColor(win::COLOR_BTNTEXT);
  // Both buttons are the menu's background with an arrow of size 18 div 3 - 1 = 5.
  for (const TRect& button : {TRect(2, 4, 52, 22), TRect(2, 76, 52, 94)}) {
    int32_t textPixels = 0, menuPixels = 0;
    for (int32_t y = button.Top; y < button.Bottom; ++y)
      for (int32_t x = button.Left; x < button.Right; ++x) {
        textPixels += s.At(x, y) == ColorToRGB(text) ? 1 : 0;
        menuPixels += s.At(x, y) == kMenuColor ? 1 : 0;
      }
    EXPECT_EQ(textPixels, 9 + 7 + 5 + 3 + 1) << button.Top;
    EXPECT_EQ(textPixels + menuPixels, button.Width() * button.Height()) << button.Top;
  }
  // The top arrow points up: its one-pixel tip lies above its widest row.
  const std::map<int32_t, Row> rows = RowsOf(s, text);
  EXPECT_EQ(rows.begin()->second.Count, 1);
  EXPECT_EQ(rows.rbegin()->second.Count, 1) << "the bottom arrow points down";
  EXPECT_EQ(s.FirstOutside({2, 4, 52, 94}), "");
  EXPECT_EQ(s.At(20, 50), kPaper) << "nothing between the buttons";
}

TEST_F(SubMenuPainterTest, SeparatorFirstUnderTheTopButtonGetsALineInItsColour) {
  menu_->ScrollArea = TRect(5, 5, 55, 95);
  menu_->DefaultItemHeight = 18;
  menu_->TopScrollButton = true;
  TdxBarItemControl* separator = SeparatorEntry();
  TdxBarItemControl* button = NewControl<TdxBarItemControl>(menu_, NewItem<TdxBarItem>());
  const struct {
    const char* What;
    TdxBarItemControl* First;
    bool NonRecent;
    TColor Line;
  } cases[] = {
      {"an ordinary entry first: no line", button, false, kPaper},
      {"a separator first", separator, false, SysColor(win::COLOR_BTNHIGHLIGHT)},
      {"a rarely used separator first", separator, true, SysColor(win::COLOR_BTNSHADOW)},
  };
  for (const auto& c : cases) {
    menu_->FirstVisible = c.First;
    menu_->NonRecent.clear();
    if (c.NonRecent) menu_->NonRecent.insert(c.First);
    ClippedSurface s(60, 100);
    painter_.SubMenuDrawScrollButtons(menu_, s.DC());
    // One pixel high under the button (5, 5, 55, 23), one wider on both sides.
    ExpectPixels(s, {{4, 23, c.Line}, {30, 23, c.Line}, {55, 23, c.Line}, {3, 23, kPaper}, {56, 23, kPaper},
                     {30, 24, kPaper}, {30, 22, kMenuColor}},
                 c.What);
  }
}

// ---------------------------------------------------------------- bad rectangles

TEST_F(SubMenuPainterTest, DegenerateRectanglesDrawNothingOutside) {
  menu_->Detachable = true;
  ExpectNothingOutsideDegenerateRects({
      {"border", [&](TcxCanvas* c, const TRect& r) { painter_.SubMenuDrawBorder(menu_, c->Handle(), r); }},
      {"client edge",
       [&](TcxCanvas* c, const TRect& r) {
         // Detachable menus reach two pixels above the client rectangle by design.
         menu_->Detachable = false;
         TRect v = r;
         painter_.SubMenuDrawClientEdge(menu_, c->Handle(), v, menuBrush_);
         menu_->Detachable = true;
       }},
      {"detach band", [&](TcxCanvas* c, const TRect& r) { painter_.SubMenuDrawDetachBand(menu_, c->Handle(), r, true); }},
      {"background", [&](TcxCanvas* c, const TRect& r) { painter_.SubMenuFillBackground(menu_, c->Handle(), r, menuBrush_); }},
      {"expand frame", [&](TcxCanvas* c, const TRect& r) { painter_.SubMenuDrawExpandFrame(menu_, c->Handle(), r); }},
      {"expand arrows", [&](TcxCanvas* c, const TRect& r) { painter_.SubMenuDrawExpandArrows(menu_, c->Handle(), r, true); }},
      {"scroll arrow", [&](TcxCanvas* c, const TRect& r) { painter_.SubMenuDrawScrollArrow(menu_, c->Handle(), r, true, clRed); }},
      {"expand button",
       [&](TcxCanvas* c, const TRect& r) {
         CanvasOn on(menu_->GetCanvas(), c->Canvas());
         painter_.SubMenuDrawExpandButton(menu_, r, true);
       }},
  });
}

// ---------------------------------------------------------------- the menu window's own answers

TEST_F(SubMenuPainterTest, MenuWindowAnswersItsIconColumnFromItsFontRowHeight) {
  auto* menu = new TdxBarSubMenuControl(manager_);
  menu->SetPainter(&painter_);
  EXPECT_EQ(menu->GetGlyphAreaWidth(), painter_.SubMenuFieldMetric(menu->FontRowHeight()));
  EXPECT_FALSE(menu->IsDetachable());
  EXPECT_FALSE(menu->IsScrollButtonVisible(true));
  EXPECT_TRUE(menu->GetOwnerGapRect().IsEmpty()) << "nothing opened it";
  delete menu;
}

}  // namespace
