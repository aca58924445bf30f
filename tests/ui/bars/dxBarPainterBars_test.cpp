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

// ---------------------------------------------------------------- toolbar windows

// A painter with a grip and extra floating frame widths of its own, so that
// the non-client sizes show where each goes.
class TGripPainter : public TdxBarPainter {
public:
  using TdxBarPainter::TdxBarPainter;
  int32_t BarGripAreaSize(TdxBarControl*) override { return 9; }
  int32_t BarNoGripIndent(TdxBarControl*) override { return 4; }
  int32_t FloatingFrameExtraWidth() override { return 1; }
  int32_t FloatingFrameExtraTop() override { return 2; }
  int32_t FloatingFrameExtraBottom() override { return 3; }
  bool FillsCaptionBackground() override { return FillsCaption; }
  bool FillsCaption = false;
};

class ToolbarPainterTest : public BarManagerFormTest {
protected:
  void SetUp() override {
    BarManagerFormTest::SetUp();
    toolbar_ = new TTestToolbar(manager_);
    toolbar_->SetPainter(&painter_);
    toolbar_->SetBounds(0, 0, 120, 26);
  }
  void TearDown() override {
    delete toolbar_;
    BarManagerFormTest::TearDown();
  }
  TGripPainter painter_{nullptr};
  TTestToolbar* toolbar_ = nullptr;
};

TEST_F(ToolbarPainterTest, NonClientSizesByPlaceAndBorder) {
  const int32_t fw = win::GetSystemMetrics(win::SM_CXFRAME), fh = win::GetSystemMetrics(win::SM_CYFRAME);
  const int32_t caption = painter_.SmallCaptionHeight() + 1, grip = win::GetSystemMetrics(win::SM_CXHSCROLL);
  const struct {
    const char* What;
    TdxBarDockingStyle Side;
    bool Border, Movable, StatusLike, HasCaption, SizeGrip;
    TRect Want;
  } cases[] = {
      {"top, bordered: margins and the grip area on the left", dsTop, true, true, false, false, false, {2 + 9, 2, 2, 2}},
      {"bottom, not movable: the no-grip indent", dsBottom, true, false, false, false, false, {2 + 4, 2, 2, 2}},
      {"left, bordered: the grip area on top", dsLeft, true, true, false, false, false, {2, 2 + 9, 2, 2}},
      {"top, borderless", dsTop, false, true, false, false, false, {0, 0, 0, 0}},
      {"status-like", dsBottom, false, true, true, false, false, {0, 2, 0, 0}},
      {"status-like with its size grip", dsBottom, false, true, true, false, true, {0, 2, grip, 0}},
      {"floating without a caption", dsNone, true, true, false, false, false, {fw, fh, fw, fh}},
      {"floating with a caption", dsNone, true, true, false, true, false, {fw + 1, fh + caption + 2, fw + 1, fh + 3}},
  };
  for (const auto& c : cases) {
    toolbar_->SetDockingStyle(c.Side);
    toolbar_->Border = c.Border;
    toolbar_->Movable = c.Movable;
    toolbar_->StatusLike = c.StatusLike;
    EXPECT_EQ(painter_.BarCalcNonClient(toolbar_, c.HasCaption, c.SizeGrip), c.Want) << c.What;
  }
}

TEST_F(ToolbarPainterTest, MarkSitsAtTheEndOfTheBarOrLeftOfTheCloseButton) {
  toolbar_->MarkSize = 11;
  toolbar_->SetDockingStyle(dsTop);
  EXPECT_EQ(painter_.BarMarkRect(toolbar_), TRect(120 - 11, 0, 120, 26));
  toolbar_->SetBounds(0, 0, 26, 90);
  toolbar_->SetDockingStyle(dsLeft);
  EXPECT_EQ(painter_.BarMarkRect(toolbar_), TRect(0, 90 - 11, 26, 90));
  toolbar_->SetBounds(0, 0, 120, 60);
  toolbar_->SetDockingStyle(dsNone);
  const TRect caption = painter_.FloatingBarClientRect({0, 0, 120, 60});
  const int32_t h = caption.Height();
  EXPECT_EQ(painter_.BarMarkRect(toolbar_), TRect(caption.Right - h, caption.Top, caption.Right, caption.Bottom));
  toolbar_->CloseButton = true;
  const int32_t shift = painter_.CloseButtonSize().cx + 1;
  EXPECT_EQ(painter_.BarMarkRect(toolbar_),
            TRect(caption.Right - h - shift, caption.Top, caption.Right - shift, caption.Bottom));
  toolbar_->SetBounds(0, 0, 2 * painter_.FrameWidth() + h + 3, 60);  // too narrow for both
  const TRect narrow = painter_.FloatingBarClientRect({0, 0, toolbar_->Width(), 60});
  EXPECT_EQ(painter_.BarMarkRect(toolbar_).Left, narrow.Left) << "never left of the caption";
}

TEST_F(ToolbarPainterTest, MarkOfAHorizontalBarShowsItsTriangleAndTheChevronsOfHiddenLinks) {
  const TColor text = SysColor(win::COLOR_BTNTEXT);
  for (int32_t height : {22, 16})
    for (bool hidden : {false, true}) {
      toolbar_->SetDockingStyle(dsTop);
      toolbar_->HiddenLinks = hidden;
      const TRect mark(40, 2, 51, 2 + height);
      ClippedSurface s(60, 30);
      const DcState before = StateOf(s.DC());
      painter_.BarDrawMarkFaded(toolbar_, s.DC(), mark);
      EXPECT_EQ(StateOf(s.DC()), before);
      const std::string what = std::to_string(height) + (hidden ? " high, hidden links" : " high");
      // The triangle (x, y), (x + 4, y), (x + 2, y + 2): x = left + 3, y = bottom - 7, one lower under 17.
      const int32_t x = 43, y = mark.Bottom - 7 + (height < 17 ? 1 : 0);
      for (const TPoint p : {TPoint{x, y}, TPoint{x + 4, y}, TPoint{x + 2, y + 2}, TPoint{x + 1, y + 1}})
        EXPECT_EQ(s.At(p.X, p.Y), ColorToRGB(text)) << what << " at " << p.X << "," << p.Y;
      EXPECT_EQ(s.At(x + 2, y + 3), kPaper) << what;
      EXPECT_EQ(s.At(x - 1, y), kPaper) << what;
      // The chevrons 2 and 6 pixels in, from t = 4 (3 when narrow) down 5 rows.
      const int32_t t = height < 17 ? 3 : 4;
      for (int32_t in : {2, 6}) {
        EXPECT_EQ(s.At(40 + in, t), hidden ? ColorToRGB(text) : kPaper) << what << " chevron " << in;
        EXPECT_EQ(s.At(40 + in + 2, t + 2), hidden ? ColorToRGB(text) : kPaper) << what << " chevron " << in;
      }
      EXPECT_EQ(s.FirstOutside(mark), "") << what;
    }
}

TEST_F(ToolbarPainterTest, CaptionButtonFaceByState) {
  const struct {
    int32_t State;
    TColor Frame, Inside;
  } cases[] = {{0, SysColor(win::COLOR_INACTIVECAPTION), SysColor(win::COLOR_INACTIVECAPTION)},
               {1, kPaper, SysColor(win::COLOR_HIGHLIGHT)},
               {2, kPaper, SysColor(win::COLOR_BTNFACE)}};
  for (const auto& c : cases) {
    ClippedSurface s(30, 30);
    const DcState before = StateOf(s.DC());
    painter_.BarDrawNonClient(toolbar_, s.DC(), {5, 5, 20, 18}, c.State);
    EXPECT_EQ(StateOf(s.DC()), before);
    // The base selection frame is empty: the ring keeps what was there.
    EXPECT_EQ(s.At(5, 5), ColorToRGB(c.Frame)) << c.State;
    EXPECT_EQ(s.At(12, 11), ColorToRGB(c.Inside)) << c.State;
    EXPECT_EQ(s.FirstOutside({5, 5, 20, 18}), "") << c.State;
  }
}

// The caption text as the Part defines its font: the small-caption font of
// the non-client metrics, in the window font's face and at least 11 pixels
// high unless the manager uses the system font; drawn on its own at the
// text's place.
void DrawExpectedCaption(Surface& s, const std::string& text, const TRect& r, const char* face, bool opaque) {
  win::NONCLIENTMETRICS m{};
  m.cbSize = sizeof(m);
  win::SystemParametersInfoW(win::SPI_GETNONCLIENTMETRICS, 0, &m, 0);
  win::LOGFONT lf = m.lfSmCaptionFont;
  if (face) {
    win::SetFaceName(lf, face);
    if (lf.lfHeight > -11) lf.lfHeight = -11;
  }
  win::HDC dc = s.bmp.Canvas()->Handle();
  win::HFONT font = win::CreateFontIndirectW(&lf);
  win::HGDIOBJ old = win::SelectObject(dc, font);
  win::SetTextColor(dc, win::GetSysColor(win::COLOR_CAPTIONTEXT));
  win::SetBkColor(dc, win::GetSysColor(win::COLOR_INACTIVECAPTION));
  win::SetBkMode(dc, opaque ? win::OPAQUE : win::TRANSPARENT);
  win::SIZE extent{};
  win::GetTextExtentPoint32(dc, text, &extent);
  win::ExtTextOut(dc, r.Left, r.Top + (r.Height() - extent.cy) / 2,
                  opaque ? win::ETO_OPAQUE | win::ETO_CLIPPED : win::ETO_CLIPPED, &r, text);
  win::SelectObject(dc, old);
  win::DeleteObject(font);
}

TEST_F(ToolbarPainterTest, FloatingCaptionTextInTheSmallCaptionFontClippedToItsRectangle) {
  NonClientFontOverride small(&win::NONCLIENTMETRICS::lfSmCaptionFont, "DejaVu Serif", -8);
  TdxBar* bar = manager_->Bars()->Add();
  bar->SetCaption("Wide Navigation Toolbar");
  toolbar_->SetBar(bar);
  toolbar_->Font()->SetName("DejaVu Sans");
  toolbar_->SetDockingStyle(dsNone);
  win::HBRUSH line = win::CreateSolidBrush(0x123456);
  const struct {
    const char* What;
    bool SystemFont, Fills;
    TRect Caption;
  } cases[] = {
      {"opaque, window face, 11 pixels", false, false, {4, 4, 200, 20}},
      {"system font", true, false, {4, 4, 200, 20}},
      {"clipped to a short caption", false, false, {4, 4, 40, 20}},
      {"filled caption, transparent text", false, true, {4, 4, 200, 20}},
  };
  for (const auto& c : cases) {
    manager_->SetUseSystemFont(c.SystemFont);
    painter_.FillsCaption = c.Fills;
    ClippedSurface s(210, 30), want(210, 30);
    const DcState before = StateOf(s.DC());
    painter_.BarDrawFloatingCaption(toolbar_, s.DC(), c.Caption, line);
    EXPECT_EQ(StateOf(s.DC()), before) << c.What;
    // Expected: the line under the caption, the caption fill, the text 2 in.
    const TRect under(c.Caption.Left, c.Caption.Bottom, c.Caption.Right, c.Caption.Bottom + 1);
    win::FillRect(want.DC(), &under, line);
    if (c.Fills) win::FillRect(want.DC(), &c.Caption, SysColorBrushValue(win::COLOR_BTNFACE));
    TRect text = c.Caption;
    text.Left += 2;
    DrawExpectedCaption(want, "Wide Navigation Toolbar", text, c.SystemFont ? nullptr : "DejaVu Sans", !c.Fills);
    EXPECT_TRUE(s.SameAs(want)) << c.What;
    EXPECT_EQ(s.FirstOutside({c.Caption.Left, c.Caption.Top, c.Caption.Right, c.Caption.Bottom + 1}), "") << c.What;
    EXPECT_FALSE(s.Where(SysColor(win::COLOR_CAPTIONTEXT)).empty()) << c.What << ": no text";
  }
  manager_->SetUseSystemFont(false);
  // An empty caption rectangle gets no text, and nothing else either.
  for (const TRect& r : {TRect(4, 4, 4, 20), TRect(30, 4, 10, 20)}) {
    ClippedSurface s(60, 30);
    painter_.BarDrawFloatingCaption(toolbar_, s.DC(), r, line);
    EXPECT_TRUE(PaintedPixels(s).empty());
  }
  win::DeleteObject(line);
  toolbar_->SetBar(nullptr);
}

TEST_F(ToolbarPainterTest, DockedBarShowsItsDockSiteBackground) {
  auto* dock = new TdxDockControl(form_.get());
  dock->SetColor(clTeal);
  toolbar_->SetDockControl(dock);
  toolbar_->SetDockingStyle(dsTop);
  ClippedSurface s(70, 30);
  const DcState before = StateOf(s.DC());
  painter_.BarDrawBackgroundBitmap(toolbar_, s.DC(), {2, 2, 40, 20}, {2, 2, 40, 20}, nullptr, clNone);
  EXPECT_EQ(StateOf(s.DC()), before);
  EXPECT_EQ(s.Where(clTeal).size(), size_t(38 * 18));
  EXPECT_EQ(s.FirstOutside({2, 2, 40, 20}), "");
  toolbar_->SetDockControl(nullptr);
}

}  // namespace
