#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "ui/lookandfeel/FillPatterns.h"
#include "ui/lookandfeel/cxGraphics.h"

namespace {

constexpr TColor kWhite = clWhite;

// A white bitmap of the given size with a TcxCanvas over it.
struct Surface {
  TBitmap bmp;
  TcxCanvas canvas;
  Surface(int32_t w, int32_t h) : bmp(w, h), canvas(bmp.Canvas()) {
    bmp.Canvas()->Brush()->SetColor(kWhite);
    bmp.Canvas()->FillRect(TRect(0, 0, w, h));
  }
  TColor At(int32_t x, int32_t y) { return TColor(win::GetPixel(bmp.Canvas()->Handle(), x, y)); }
  // Device pixels regardless of the canvas's origins.
  std::vector<TColor> All() {
    std::vector<TColor> v;
    for (int32_t y = 0; y < bmp.Height(); ++y)
      for (int32_t x = 0; x < bmp.Width(); ++x) v.push_back(PixelAt(x, y));
    return v;
  }
  TColor PixelAt(int32_t x, int32_t y) {
    const auto* row = static_cast<const uint8_t*>(bmp.ScanLine(y));
    const int32_t bpp = bmp.PixelFormat() == pf32bit ? 4 : 3;
    const uint8_t* p = row + x * bpp;
    return TColor(p[2] | (p[1] << 8) | (p[0] << 16));
  }
};

std::vector<TColor> Expected(int32_t w, int32_t h, const std::vector<std::pair<TRect, TColor>>& layers) {
  std::vector<TColor> v(size_t(w * h), kWhite);
  for (const auto& [r, c] : layers)
    for (int32_t y = std::max(r.Top, 0); y < std::min(r.Bottom, h); ++y)
      for (int32_t x = std::max(r.Left, 0); x < std::min(r.Right, w); ++x) v[size_t(y * w + x)] = c;
  return v;
}

TEST(TcxRegion, CombineModesAndOffset) {
  struct Case {
    TcxRegionCombineMode mode;
    TPoint inside, outside;
  };
  // This region (0,0,10,10), the other (5,0,15,10).
  const Case cases[] = {{rcmCopy, {12, 5}, {2, 5}},
                        {rcmUnion, {2, 5}, {20, 5}},
                        {rcmSubtract, {2, 5}, {7, 5}},
                        {rcmIntersect, {7, 5}, {2, 5}}};
  for (const Case& c : cases) {
    TcxRegion r(0, 0, 10, 10);
    r.CombineWith(new TcxRegion(5, 0, 15, 10), c.mode, true);
    EXPECT_TRUE(win::PtInRegion(r.Handle(), c.inside.X, c.inside.Y)) << int(c.mode);
    EXPECT_FALSE(win::PtInRegion(r.Handle(), c.outside.X, c.outside.Y)) << int(c.mode);
  }
  std::unique_ptr<TcxRegion> r(TcxRegion::CreateFromRect(TRect(0, 0, 4, 4)));
  r->Offset(TPoint(10, 20));
  TRect box;
  win::GetRgnBox(r->Handle(), &box);
  EXPECT_EQ(box, TRect(10, 20, 14, 24));
  TcxRegion empty;
  win::GetRgnBox(empty.Handle(), &box);
  EXPECT_TRUE(box.IsEmpty());
}

TEST(TcxCanvas, FillRectColourSentinels) {
  Surface s(8, 8);
  s.canvas.FillRect(TRect(1, 1, 5, 5), clNone);
  EXPECT_EQ(s.All(), Expected(8, 8, {}));
  s.canvas.Brush()->SetColor(clRed);
  s.canvas.FillRect(TRect(1, 1, 5, 5), clDefault);
  s.canvas.FillRect(TRect(6, 6, 8, 8), clBlue);
  EXPECT_EQ(s.All(), Expected(8, 8, {{TRect(1, 1, 5, 5), clRed}, {TRect(6, 6, 8, 8), clBlue}}));
  EXPECT_EQ(s.canvas.Brush()->Color(), clBlue);
}

TEST(TcxCanvas, FrameRectStaysInsideWhateverTheLineWidth) {
  struct Case {
    TRect r;
    int32_t lineWidth;
    TcxBorders borders;
    std::vector<std::pair<TRect, TColor>> expected;
  };
  const Case cases[] = {
      {TRect(2, 2, 6, 5), 10, cxBordersAll, {{TRect(2, 2, 6, 5), clRed}}},
      {TRect(1, 1, 9, 9), 2, cxBordersAll,
       {{TRect(1, 1, 3, 9), clRed}, {TRect(7, 1, 9, 9), clRed}, {TRect(1, 1, 9, 3), clRed}, {TRect(1, 7, 9, 9), clRed}}},
      {TRect(1, 1, 9, 9), 3, TcxBorders{bRight, bBottom}, {{TRect(6, 1, 9, 9), clRed}, {TRect(1, 6, 9, 9), clRed}}},
      {TRect(5, 5, 2, 8), 2, cxBordersAll, {}},  // inverted
  };
  for (const Case& c : cases) {
    Surface s(10, 10);
    s.canvas.FrameRect(c.r, clRed, c.lineWidth, c.borders);
    EXPECT_EQ(s.All(), Expected(10, 10, c.expected)) << c.r.Left << "," << c.lineWidth;
  }
}

TEST(TcxCanvas, TiledFillFollowsTheLogicalOrigin) {
  TBitmap tile(3, 2);
  const TColor colours[2][3] = {{clRed, clLime, clBlue}, {clYellow, clAqua, clFuchsia}};
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 3; ++x) tile.Canvas()->SetPixels(x, y, colours[y][x]);
  for (const TPoint org : {TPoint(0, 0), TPoint(4, 1), TPoint(-5, -3)}) {
    Surface s(12, 9);
    s.canvas.SetWindowOrg(org);
    const TRect r(org.X + 1, org.Y + 1, org.X + 11, org.Y + 8);
    s.canvas.FillRect(r, &tile);
    for (int32_t dy = 0; dy < 9; ++dy) {
      for (int32_t dx = 0; dx < 12; ++dx) {
        const int32_t lx = dx + org.X, ly = dy + org.Y;
        const bool inside = lx >= r.Left && lx < r.Right && ly >= r.Top && ly < r.Bottom;
        const TColor want = inside ? colours[((ly % 2) + 2) % 2][((lx % 3) + 3) % 3] : kWhite;
        ASSERT_EQ(s.PixelAt(dx, dy), want) << org.X << " at " << dx << "," << dy;
      }
    }
  }
}

TEST(TcxCanvas, ExcludedFillProtectsItsRectangle) {
  Surface s(8, 8);
  s.canvas.Brush()->SetColor(clRed);
  s.canvas.FillRect(TRect(2, 2, 4, 4), nullptr, true);
  s.canvas.FillRect(TRect(0, 0, 8, 8), clBlue);
  EXPECT_EQ(s.All(), Expected(8, 8, {{TRect(0, 0, 8, 8), clBlue}, {TRect(2, 2, 4, 4), clRed}}));
}

TEST(TcxCanvas, FillWithBordersFramesThenFillsTheInside) {
  Surface s(10, 10);
  s.canvas.FillRect(TRect(1, 1, 9, 9), TcxViewParams{nullptr, clLime}, TcxBorders{bLeft, bTop}, clRed, 2);
  EXPECT_EQ(s.All(), Expected(10, 10, {{TRect(1, 1, 3, 9), clRed}, {TRect(1, 1, 9, 3), clRed}, {TRect(3, 3, 9, 9), clLime}}));
}

TEST(TcxCanvas, ClipStackOnADCWithoutClip) {
  Surface s(4, 4);
  s.canvas.PushClipRegion();
  s.canvas.IntersectClipRect(TRect(1, 1, 2, 2));
  s.canvas.PopClipRegion();
  s.canvas.PopClipRegion();  // empty stack: nothing
  std::unique_ptr<TcxRegion> clip(s.canvas.GetClipRegion(true));
  TRect box;
  win::GetRgnBox(clip->Handle(), &box);
  EXPECT_EQ(box, TRect(0, 0, 30000, 30000));
  s.canvas.FillRect(TRect(0, 0, 4, 4), clRed);
  EXPECT_EQ(s.All(), Expected(4, 4, {{TRect(0, 0, 4, 4), clRed}}));
}

TEST(TcxCanvas, ClipRegionIsInLogicalCoordinates) {
  Surface s(10, 10);
  s.canvas.SetWindowOrg(TPoint(3, 2));
  s.canvas.SetClipRegion(new TcxRegion(3, 2, 6, 5), rcmCopy);  // logical: device (0,0,3,3)
  std::unique_ptr<TcxRegion> device(s.canvas.GetClipRegion(false)), logical(s.canvas.GetClipRegion(true));
  TRect box;
  win::GetRgnBox(device->Handle(), &box);
  EXPECT_EQ(box, TRect(0, 0, 3, 3));
  win::GetRgnBox(logical->Handle(), &box);
  EXPECT_EQ(box, TRect(3, 2, 6, 5));
  s.canvas.SetClipRegion(new TcxRegion(3, 2, 4, 3), rcmSubtract);
  s.canvas.FillRect(TRect(0, 0, 20, 20), clRed);
  EXPECT_EQ(s.All(), Expected(10, 10, {{TRect(0, 0, 3, 3), clRed}, {TRect(0, 0, 1, 1), kWhite}}));
}

TEST(TcxCanvas, PushStateRestoresObjectsAndDC) {
  Surface s(4, 4);
  s.canvas.Brush()->SetColor(clRed);
  s.canvas.Font()->SetColor(clBlue);
  s.canvas.FillRect(TRect(0, 0, 1, 1));  // selects the brush into the DC
  s.canvas.PushState();
  EXPECT_EQ(s.canvas.Brush()->Color(), clRed);  // taken from the DC
  s.canvas.Brush()->SetColor(clLime);
  s.canvas.Font()->SetColor(clYellow);
  s.canvas.SetWindowOrg(TPoint(1, 1));
  s.canvas.IntersectClipRect(TRect(1, 1, 2, 2));
  s.canvas.PopState();
  s.canvas.PopState();  // empty stack: nothing
  EXPECT_EQ(s.canvas.Brush()->Color(), clRed);
  EXPECT_EQ(s.canvas.Font()->Color(), clBlue);
  EXPECT_EQ(s.canvas.GetWindowOrigin(), TPoint(0, 0));
  s.canvas.FillRect(TRect(0, 0, 4, 4));
  EXPECT_EQ(s.All(), Expected(4, 4, {{TRect(0, 0, 4, 4), clRed}}));
}

TEST(TcxCanvas, TakeObjectsFromDCReadsStylesAndPenMode) {
  struct Case {
    int hatch;  // -1 hollow
    TBrushStyle style;
  };
  const Case cases[] = {{-1, bsClear}, {win::HS_HORIZONTAL, bsHorizontal}, {win::HS_DIAGCROSS, bsDiagCross}};
  for (const Case& c : cases) {
    Surface s(2, 2);
    win::HDC dc = s.canvas.Handle();
    win::HBRUSH b = c.hatch < 0 ? win::HBRUSH(win::GetStockObject(win::HOLLOW_BRUSH))
                                : win::CreateHatchBrush(c.hatch, TColor(clMaroon));
    win::HGDIOBJ old = win::SelectObject(dc, b);
    win::SetROP2(dc, win::R2_XORPEN);
    TcxCanvas probe(s.bmp.Canvas());
    probe.TakeObjectsFromDC(dc);
    win::SelectObject(dc, old);
    if (c.hatch >= 0) {
      win::DeleteObject(b);
      EXPECT_EQ(probe.Brush()->Color(), clMaroon);
    }
    EXPECT_EQ(probe.Brush()->Style(), c.style);
    EXPECT_EQ(probe.Pen()->Mode(), pmXor);
  }
}

TEST(TcxCanvas, DrawEdgeColourTable) {
  struct Case {
    bool sunken, outer;
    TColor topLeft, bottomRight;
  };
  const Case cases[] = {{false, true, cl3DLight, cl3DDkShadow},
                        {true, true, clBtnShadow, clBtnHighlight},
                        {false, false, clBtnHighlight, clBtnShadow},
                        {true, false, cl3DDkShadow, cl3DLight}};
  for (const Case& c : cases) {
    Surface s(6, 5);
    s.canvas.DrawEdge(TRect(1, 1, 5, 4), c.sunken, c.outer);
    const TColor tl = ColorToRGB(c.topLeft), br = ColorToRGB(c.bottomRight);
    EXPECT_EQ(s.All(), Expected(6, 5,
                                {{TRect(1, 1, 2, 4), tl}, {TRect(1, 1, 5, 2), tl}, {TRect(4, 1, 5, 4), br},
                                 {TRect(1, 3, 5, 4), br}}))
        << c.sunken << c.outer;
  }
}

TEST(TcxCanvas, InvertRectInvertsOnlyTheRectangle) {
  Surface s(4, 4);
  s.canvas.FillRect(TRect(0, 0, 2, 4), clRed);
  s.canvas.InvertRect(TRect(1, 1, 3, 3));
  EXPECT_EQ(s.canvas.GetCopyMode(), cmSrcCopy);
  const TColor cyan = TColor(0xFFFF00);
  EXPECT_EQ(s.All(), Expected(4, 4, {{TRect(0, 0, 2, 4), clRed}, {TRect(1, 1, 2, 3), cyan}, {TRect(2, 1, 3, 3), clBlack}}));
}

TEST(TcxCanvas, RotateBitmapTable) {
  constexpr int32_t W = 3, H = 2;
  auto pixel = [](int32_t x, int32_t y) { return TColor(0x010000 * (x + 1) + 0x000100 * (y + 1) + 0x20); };
  struct Case {
    int32_t rotation;
    bool flip;
  };
  const Case cases[] = {{0, true}, {1, false}, {1, true}, {2, false}, {2, true}, {3, false}, {3, true}, {0, false}};
  for (const Case& c : cases) {
    TBitmap bmp(W, H);
    for (int32_t y = 0; y < H; ++y)
      for (int32_t x = 0; x < W; ++x) bmp.Canvas()->SetPixels(x, y, pixel(x, y));
    Surface probe(1, 1);
    probe.canvas.RotateBitmap(&bmp, c.rotation, c.flip);
    const bool quarter = c.rotation == 1 || c.rotation == 2;
    ASSERT_EQ(bmp.Width(), quarter ? H : W);
    ASSERT_EQ(bmp.Height(), quarter ? W : H);
    for (int32_t y = 0; y < H; ++y) {
      for (int32_t x = 0; x < W; ++x) {
        TPoint to;
        switch (c.rotation) {
          case 0: to = c.flip ? TPoint(x, H - 1 - y) : TPoint(x, y); break;
          case 1: to = c.flip ? TPoint(y, x) : TPoint(y, W - 1 - x); break;
          case 2: to = c.flip ? TPoint(H - 1 - y, W - 1 - x) : TPoint(H - 1 - y, x); break;
          default: to = c.flip ? TPoint(W - 1 - x, y) : TPoint(W - 1 - x, H - 1 - y); break;
        }
        EXPECT_EQ(bmp.Canvas()->Pixels(to.X, to.Y), pixel(x, y)) << c.rotation << c.flip << " " << x << "," << y;
      }
    }
  }
  TBitmap empty(0, 0);
  Surface probe(1, 1);
  probe.canvas.RotateBitmap(&empty, 1, true);
  EXPECT_EQ(empty.Width(), 0);
}

TEST(TextFlags, ToDrawTextFlags) {
  using namespace win;
  struct Case {
    uint32_t flags;
    UINT expected;
  };
  const Case cases[] = {
      {0x0264, DT_CENTER | DT_VCENTER | DT_SINGLELINE},
      {0x0001, DT_NOPREFIX},
      {0x0012, DT_RIGHT | DT_BOTTOM | DT_NOPREFIX},
      {0x0400, DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX},
      {0x4400, DT_WORDBREAK | DT_NOPREFIX},
      {0xC400, DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK | DT_NOPREFIX},
      {0x8000, DT_NOPREFIX},
      {0x3980, DT_NOCLIP | DT_EXPANDTABS | DT_END_ELLIPSIS | DT_CALCRECT | DT_PATH_ELLIPSIS | DT_NOPREFIX},
  };
  for (const Case& c : cases) EXPECT_EQ(TextFlagsToDrawTextFlags(c.flags), c.expected) << std::hex << c.flags;
}

TEST(Margins, DeflateRect) {
  TRect r(10, 10, 50, 40);
  DeflateRectByMargins(r, TRect(1, 2, 3, 4));
  EXPECT_EQ(r, TRect(11, 12, 47, 36));
}

TEST(TcxCanvas, DisabledTextIsEmbossedAndRightAlignedOnePixelFurtherLeft) {
  const std::string text = "Hi";
  constexpr int32_t W = 60, H = 24;
  Surface s(W, H);
  s.canvas.Font()->SetColor(clBlack);
  s.canvas.Font()->SetQuality(fqNonAntialiased);
  const TSize extent = s.canvas.MeasureText(text);
  ASSERT_GT(extent.cx, 0);
  s.canvas.DrawText(text, TRect(0, 0, W, H), cxAlignRight | cxAlignTop | cxSingleLine, false);
  EXPECT_EQ(s.canvas.Font()->Color(), clBlack);
  EXPECT_EQ(s.canvas.Brush()->Style(), bsSolid);
  // Shadow at (W - width - 1, 0), highlight one pixel right and below.
  Surface ref(W, H);
  ref.canvas.Font()->SetQuality(fqNonAntialiased);
  ref.canvas.Canvas()->Brush()->SetStyle(bsClear);
  ref.canvas.Font()->SetColor(clBtnHighlight);
  ref.canvas.Canvas()->TextOut(W - extent.cx, 1, text);
  ref.canvas.Font()->SetColor(clBtnShadow);
  ref.canvas.Canvas()->TextOut(W - extent.cx - 1, 0, text);
  const TColor shadow = ColorToRGB(clBtnShadow);
  const std::vector<TColor> expected = ref.All();
  EXPECT_NE(std::count(expected.begin(), expected.end(), shadow), 0);
  EXPECT_EQ(s.All(), expected);
}

// The box holding every pixel that is not white.
TRect InkBox(Surface& s) {
  TRect box(s.bmp.Width(), s.bmp.Height(), 0, 0);
  for (int32_t y = 0; y < s.bmp.Height(); ++y)
    for (int32_t x = 0; x < s.bmp.Width(); ++x)
      if (s.PixelAt(x, y) != kWhite) box = TRect(std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                                                 std::max(box.Bottom, y + 1));
  return box;
}

TEST(TcxCanvas, SetFontAngleTurnsTheText) {
  struct Case {
    int32_t degrees;
    bool upright;  // the ink runs up the surface
  };
  const Case cases[] = {{0, false}, {90, true}, {270, true}};
  for (const Case& c : cases) {
    Surface s(120, 120);
    s.canvas.Font()->SetSize(14);
    s.canvas.Font()->SetColor(clBlack);
    s.canvas.SetFontAngle(c.degrees);
    win::LOGFONT lf;
    ASSERT_TRUE(QueryLogFont(s.canvas.Font()->Handle(), lf));
    EXPECT_EQ(lf.lfEscapement, c.degrees * 10);
    EXPECT_EQ(lf.lfOutPrecision == win::OUT_TT_ONLY_PRECIS, c.degrees != 0) << c.degrees;
    s.canvas.Canvas()->Brush()->SetStyle(bsClear);
    s.canvas.Canvas()->TextOut(60, 60, "WWWW");
    const TRect ink = InkBox(s);
    ASSERT_FALSE(ink.IsEmpty()) << c.degrees;
    EXPECT_EQ(ink.Height() > ink.Width(), c.upright) << c.degrees;
  }
}

TEST(TcxCanvas, DrawTwoColorEdgesWideStripsInBorderOrder) {
  struct Case {
    TRect r;
    int32_t lineWidth;
    TcxBorders borders;
    std::vector<std::pair<TRect, TColor>> expected;  // painted in order
  };
  const Case cases[] = {
      {TRect(1, 1, 9, 8), 2, cxBordersAll,
       {{TRect(1, 1, 3, 8), clRed}, {TRect(1, 1, 9, 3), clRed}, {TRect(7, 1, 9, 8), clBlue}, {TRect(1, 6, 9, 8), clBlue}}},
      {TRect(2, 2, 6, 6), 3, TcxBorders{bTop, bRight},
       {{TRect(2, 2, 6, 5), clRed}, {TRect(3, 2, 6, 6), clBlue}}},
      // Strips are not clamped to the rectangle.
      {TRect(3, 3, 5, 5), 4, TcxBorders{bLeft, bBottom}, {{TRect(3, 3, 7, 5), clRed}, {TRect(3, 1, 5, 5), clBlue}}},
  };
  for (const Case& c : cases) {
    Surface s(10, 10);
    s.canvas.DrawTwoColorEdges(c.r, clRed, clBlue, c.borders, c.lineWidth);
    EXPECT_EQ(s.All(), Expected(10, 10, c.expected)) << c.r.Left << "," << c.lineWidth;
  }
}

TEST(TcxCanvas, MultiLineTextAlignedToTheBottomOrCentre) {
  const std::string text = "one\ntwo";
  constexpr int32_t W = 80, H = 90;
  struct Case {
    uint16_t flags;
    bool enabled;
  };
  const Case cases[] = {{cxAlignLeft | cxAlignBottom, true},
                        {cxAlignLeft | cxAlignVCenter, true},
                        {cxAlignLeft | cxAlignBottom, false},
                        {cxAlignLeft | cxAlignTop, true}};
  for (const Case& c : cases) {
    Surface s(W, H);
    s.canvas.Font()->SetQuality(fqNonAntialiased);
    s.canvas.Font()->SetColor(clBlack);
    const TRect r(4, 5, W - 4, H - 6);
    s.canvas.DrawText(text, r, c.flags, c.enabled);
    // Where the platform puts the block: its height from its own measurement.
    Surface ref(W, H);
    ref.canvas.Font()->SetQuality(fqNonAntialiased);
    ref.canvas.Canvas()->RequiredState({csHandleValid, csFontValid});
    TRect calc(0, 0, r.Width(), 0);
    win::DrawTextW(ref.canvas.Handle(), text, -1, &calc, win::DT_CALCRECT | win::DT_NOPREFIX);
    const int32_t d = c.enabled ? 0 : 1;
    int32_t top = r.Top;
    if (c.flags & cxAlignBottom) top = r.Bottom - calc.Height() - d;
    if (c.flags & cxAlignVCenter) top = (r.Top + r.Bottom - calc.Height()) / 2;
    ref.canvas.Canvas()->Brush()->SetStyle(bsClear);
    auto output = [&](TRect at, TColor color) {
      ref.canvas.Font()->SetColor(color);
      ref.canvas.Canvas()->RequiredState({csHandleValid, csFontValid, csBrushValid});
      win::DrawTextW(ref.canvas.Handle(), text, -1, &at, win::DT_NOPREFIX | win::DT_NOCLIP);
    };
    TRect at(r.Left, top, r.Right, r.Bottom);
    if (c.enabled) {
      output(at, clBlack);
    } else {
      TRect shifted = at;
      shifted.Offset(1, 1);
      output(shifted, clBtnHighlight);
      output(at, clBtnShadow);
    }
    EXPECT_EQ(s.All(), ref.All()) << std::hex << c.flags << c.enabled;
    EXPECT_NE(InkBox(s), TRect(W, H, 0, 0));
  }
}

TEST(TextLines, TextSizeOnDCIsTheSingleLineExtent) {
  Surface s(2, 2);
  s.canvas.Canvas()->RequiredState({csHandleValid, csFontValid});
  win::HDC dc = s.canvas.Handle();
  win::TEXTMETRIC tm;
  ASSERT_TRUE(win::GetTextMetrics(dc, &tm));
  for (const std::string& text : std::vector<std::string>{"Wg", "a b\tc", "two\nlines", std::string(10000, 'x')}) {
    TSize extent;
    ASSERT_TRUE(TextExtentOnDC(dc, text, extent));
    const TSize size = GetTextSizeOnDC(dc, text);
    if (text.find_first_of("\t\n") == std::string::npos) {
      EXPECT_EQ(size.cx, extent.cx) << text.size();
    }
    EXPECT_GT(size.cx, 0);
    EXPECT_EQ(size.cy, tm.tmHeight) << text.size();  // one line, whatever the text holds
  }
  EXPECT_EQ(GetTextSizeOnDC(dc, "").cx, 0);
}

TEST(TcxCanvas, EmptyTextDrawsNothing) {
  Surface s(10, 10);
  s.canvas.DrawText("", TRect(0, 0, 10, 10), cxAlignLeft, false);
  EXPECT_EQ(s.All(), Expected(10, 10, {}));
}

TEST(TcxCanvas, MeasureTextInAnEmptyRectangleBreaksAtEveryWord) {
  Surface s(2, 2);
  TRect r(5, 5, 5, 5);
  s.canvas.MeasureText("ab cd", r, cxAlignLeft | cxWordBreak | cxDontBreakChars);
  const TSize one = s.canvas.MeasureText("ab");
  EXPECT_EQ(r.Left, 5);
  EXPECT_EQ(r.Top, 5);
  EXPECT_EQ(r.Height(), 2 * one.cy);
}

TEST(TextLines, CalcTextRectForLines) {
  Surface s(2, 2);
  s.canvas.Canvas()->RequiredState({csHandleValid, csFontValid});
  win::HDC dc = s.canvas.Handle();
  const std::string word(10000, 'm');
  TRect r;
  CalcTextRectForLines(dc, word, 3, r, false);
  EXPECT_EQ(r.Width(), GetTextSizeOnDC(dc, word).cx);
  const TSize line = GetTextSizeOnDC(dc, "Wg");
  // No limit: narrow down to the longest word, one word per line.
  CalcTextRectForLines(dc, "aa bb cc", 0, r, false);
  EXPECT_EQ(r.Height(), 3 * line.cy);
  EXPECT_LE(r.Width(), GetTextSizeOnDC(dc, "aa bb").cx - 1);
  CalcTextRectForLines(dc, "aa bb cc", 2, r, true);
  EXPECT_EQ(r.Bottom, 2 * line.cy);
  TRect wrapped(0, 0, r.Width(), 1);
  win::DrawTextW(dc, "aa bb cc", -1, &wrapped, win::DT_CALCRECT | win::DT_WORDBREAK);
  EXPECT_LE(wrapped.Height(), 2 * line.cy);
}

TEST(TextLines, SplitOnLineBreaksAndWidth) {
  Surface s(2, 2);
  win::HDC dc = s.canvas.Handle();
  s.canvas.Canvas()->RequiredState({csHandleValid, csFontValid});
  std::vector<std::string> lines;
  SplitTextIntoLines("one two\r\nthree", &s.canvas, TRect(0, 0, 10000, 10), lines);
  EXPECT_EQ(lines, (std::vector<std::string>{"one two", "three"}));
  lines.clear();
  const int32_t width = std::max(GetTextSizeOnDC(dc, "one two").cx, GetTextSizeOnDC(dc, "three four").cx);
  ASSERT_GT(GetTextSizeOnDC(dc, "one two three").cx, width);
  SplitTextIntoLines("one two three four", &s.canvas, TRect(0, 0, width, 10), lines);
  EXPECT_EQ(lines, (std::vector<std::string>{"one two", "three four"}));
}

TEST(LightColours, FollowTheMixOfFaceHighlightAndWindow) {
  const win::COLORREF f = win::GetSysColor(win::COLOR_BTNFACE), hl = win::GetSysColor(win::COLOR_HIGHLIGHT),
                      wn = win::GetSysColor(win::COLOR_WINDOW);
  auto mix = [&](int pf, int ph, int pw) {
    if (f == 0 || f == 0xFFFFFF) return TColor(hl);
    uint32_t v = 0;
    for (int i = 0; i < 3; ++i) {
      auto ch = [i](win::COLORREF c) { return double((c >> (8 * i)) & 0xFF); };
      const long c = std::lround(ch(f) * pf / 100.0) + std::lround(ch(hl) * ph / 100.0) + std::lround(ch(wn) * pw / 100.0);
      v |= uint32_t(std::clamp(c, 0L, 255L)) << (8 * i);
    }
    return TColor(v);
  };
  EXPECT_EQ(GetLightDownColor(), GetNearestScreenColor(mix(14, 44, 40)));
  EXPECT_EQ(GetLightHotColor(), GetNearestScreenColor(mix(-2, 30, 72)));
}

}  // namespace

namespace {

TEST(ProcessBrushes, SystemCheckerAndFillPatterns) {
  for (int32_t i = 0; i < 31; ++i) {
    ASSERT_NE(cxSystemBrush(i), nullptr);
    EXPECT_EQ(cxSystemBrush(i)->Handle(), win::GetSysColorBrush(i)) << i;
  }
  EXPECT_EQ(cxSystemBrush(31), nullptr);
  // Both checker brushes paint alternating pixels, the bold pattern brush a single colour.
  struct Case {
    win::HBRUSH brush;
    bool checker;
  };
  const Case cases[] = {{cxCheckerBrush()->Handle(), true}, {FillPatternBrush(false), true}, {FillPatternBrush(true), false}};
  for (const Case& c : cases) {
    TBitmap bmp(4, 4);
    win::HDC dc = bmp.Canvas()->Handle();
    win::SetTextColor(dc, 0x000000);
    win::SetBkColor(dc, 0xFFFFFF);
    const TRect r(0, 0, 4, 4);
    win::FillRect(dc, &r, c.brush);
    for (int32_t y = 0; y < 4; ++y)
      for (int32_t x = 1; x < 4; ++x)
        EXPECT_EQ(win::GetPixel(dc, x, y) != win::GetPixel(dc, x - 1, y), c.checker) << x << "," << y;
  }
}

TEST(ScreenCanvas, PixelsPerInchReadsTheMatchingAxis) {
  win::HDC dc = win::GetDC(nullptr);
  const int x = win::GetDeviceCaps(dc, win::LOGPIXELSX), y = win::GetDeviceCaps(dc, win::LOGPIXELSY);
  win::ReleaseDC(nullptr, dc);
  EXPECT_EQ(GetScreenPixelsPerInch(false), x);
  EXPECT_EQ(GetScreenPixelsPerInch(true), y);
  TFont font;
  Surface s(2, 2);
  s.canvas.SetFont(&font);
  EXPECT_EQ(GetFontTextWidth(&font, "Wide"), s.canvas.MeasureTextWidth("Wide"));
}

TEST(ScreenCanvas, ReleasesTheScreenDCAfterEveryMeasurement) {
  TcxScreenCanvas* screen = ScreenCanvas();
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(ScreenCanvas(), screen);
  TFont font;
  font.SetSize(20);
  screen->Handle();  // a DC as a measurement takes it
  const int32_t wide = GetFontTextWidth(&font, "Wide");
  EXPECT_FALSE(screen->Canvas()->HandleAllocated());
  GetScreenPixelsPerInch(true);
  EXPECT_FALSE(screen->Canvas()->HandleAllocated());
  // The size asked for wins over the font's own.
  EXPECT_GT(GetFontTextWidth(&font, "Wide", 40), wide);
  EXPECT_FALSE(screen->Canvas()->HandleAllocated());
}

TEST(QueryWrappers, ReadObjects) {
  win::LOGBRUSH lb;
  win::HBRUSH b = win::CreateSolidBrush(0x123456);
  ASSERT_TRUE(QueryBrushInfo(b, lb));
  EXPECT_EQ(lb.lbColor, 0x123456u);
  win::DeleteObject(b);
  win::LOGPEN lp;
  EXPECT_FALSE(QueryPenInfo(nullptr, lp));
}

}  // namespace

namespace {

TEST(PaintCanvas, PaintsOnAForeignDCAndRestoresIt) {
  TcxPaintCanvas* paint = PaintCanvas();
  ASSERT_NE(paint, nullptr);
  EXPECT_EQ(PaintCanvas(), paint);
  TBitmap outer(6, 6), inner(6, 6);
  outer.Canvas()->Brush()->SetColor(clWhite);
  outer.Canvas()->FillRect(TRect(0, 0, 6, 6));
  win::HDC dc = outer.Canvas()->Handle();
  win::SetTextColor(dc, 0x0000FF);
  paint->BeginPaint(dc);
  EXPECT_EQ(paint->Font()->Color(), TColor(0x0000FF));  // taken from the DC
  paint->SetWindowOrg(TPoint(-1, -1));
  paint->FillRect(TRect(0, 0, 2, 2), clBlue);
  paint->BeginPaint(inner.Canvas());
  EXPECT_EQ(paint->Canvas(), inner.Canvas());
  EXPECT_EQ(paint->Depth(), 2);
  paint->EndPaint();
  paint->EndPaint();
  paint->EndPaint();  // depth 0: nothing
  EXPECT_EQ(paint->Depth(), 0);
  TPoint org;
  win::GetWindowOrgEx(dc, &org);
  EXPECT_EQ(org, TPoint(0, 0));
  EXPECT_EQ(outer.Canvas()->Pixels(1, 1), clBlue);
  EXPECT_EQ(outer.Canvas()->Pixels(0, 0), clWhite);
  EXPECT_EQ(outer.Canvas()->Pixels(3, 3), clWhite);
}

}  // namespace
