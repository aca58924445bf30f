// Device contexts: object selection, the state stack, origins, clipping,
// surfaces owned elsewhere, failure values, and the helpers for text output.
#include <gtest/gtest.h>

#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "tests/support/surface_png.h"

using namespace win;
using testsupport::RawOf;
using testsupport::TestCanvas;

TEST(Dc, DeleteObjectRefusesObjectsSelectedIntoADc) {
  TestCanvas c(4, 4);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
  HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
  HGDIOBJ oldPen = SelectObject(c.Dc(), pen);
  HGDIOBJ oldBrush = SelectObject(c.Dc(), brush);
  EXPECT_EQ(oldPen, GetStockObject(BLACK_PEN));
  EXPECT_EQ(oldBrush, GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetCurrentObject(c.Dc(), OBJ_PEN), pen);
  EXPECT_FALSE(DeleteObject(pen));
  EXPECT_FALSE(DeleteObject(brush));
  EXPECT_FALSE(DeleteObject(c.Bitmap()));
  // Saved states keep their objects alive too.
  SaveDC(c.Dc());
  SelectObject(c.Dc(), oldPen);
  EXPECT_FALSE(DeleteObject(pen));
  RestoreDC(c.Dc(), -1);
  EXPECT_EQ(GetCurrentObject(c.Dc(), OBJ_PEN), pen);
  EXPECT_EQ(SelectObject(c.Dc(), oldPen), pen);
  EXPECT_EQ(SelectObject(c.Dc(), oldBrush), brush);
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_FALSE(DeleteObject(pen));  // a stale handle is refused, not dereferenced
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN)));
  EXPECT_EQ(GetObjectType(GetStockObject(BLACK_PEN)), OBJ_PEN);
}

TEST(Dc, ABitmapLivesInOneDcAtATime) {
  HBITMAP b = CreateBitmap(2, 2, 1, 32, nullptr);
  HDC a = CreateCompatibleDC(nullptr), d = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(a, b);
  EXPECT_NE(old, nullptr);
  EXPECT_EQ(SelectObject(d, b), nullptr);
  SelectObject(a, old);
  EXPECT_NE(SelectObject(d, b), nullptr);
  DeleteDC(d);  // deleting the DC releases what it held
  EXPECT_TRUE(DeleteObject(b));
  DeleteDC(a);
  HDC screen = GetDC(nullptr);
  HBITMAP c = CreateBitmap(2, 2, 1, 32, nullptr);
  EXPECT_EQ(SelectObject(screen, c), nullptr);  // only memory DCs take bitmaps
  DeleteObject(c);
  ReleaseDC(nullptr, screen);
}

TEST(Dc, RestoreDcBringsBackClipObjectsAndAttributes) {
  TestCanvas c(10, 10);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  const int level = SaveDC(c.Dc());
  EXPECT_EQ(level, 1);
  SelectObject(c.Dc(), red);
  SetTextColor(c.Dc(), RGB(9, 9, 9));
  SetROP2(c.Dc(), R2_XORPEN);
  SetViewportOrgEx(c.Dc(), 3, 3, nullptr);
  IntersectClipRect(c.Dc(), 0, 0, 2, 2);  // device 3..5
  EXPECT_EQ(SaveDC(c.Dc()), 2);
  ExcludeClipRect(c.Dc(), 0, 0, 1, 1);
  EXPECT_TRUE(RestoreDC(c.Dc(), -1));
  RECT box;
  GetClipBox(c.Dc(), &box);
  EXPECT_EQ(box, RECT(0, 0, 2, 2));
  EXPECT_TRUE(RestoreDC(c.Dc(), level));
  EXPECT_EQ(GetCurrentObject(c.Dc(), OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetTextColor(c.Dc()), RGB(0, 0, 0));
  EXPECT_EQ(GetROP2(c.Dc()), R2_COPYPEN);
  POINT vp;
  GetViewportOrgEx(c.Dc(), &vp);
  EXPECT_EQ(vp, POINT(0, 0));
  GetClipBox(c.Dc(), &box);
  EXPECT_EQ(box, RECT(0, 0, 10, 10));
  HRGN r = CreateRectRgn(0, 0, 1, 1);
  EXPECT_EQ(GetClipRgn(c.Dc(), r), 0);
  EXPECT_FALSE(RestoreDC(c.Dc(), 1));   // that level is gone
  EXPECT_FALSE(RestoreDC(c.Dc(), -1));  // nothing left to pop
  EXPECT_TRUE(DeleteObject(red));
  DeleteObject(r);
}

TEST(Dc, OriginsMoveDrawingAndClipRegionsStayInDeviceUnits) {
  TestCanvas c(12, 12);
  SetViewportOrgEx(c.Dc(), 5, 4, nullptr);
  SetWindowOrgEx(c.Dc(), 2, 1, nullptr);
  SetPixel(c.Dc(), 2, 1, RGB(255, 0, 0));  // logical (2,1) is device (5,4)
  EXPECT_EQ(c.Rgb(5, 4), 0xFF0000u);
  POINT p{2, 1};
  LPtoDP(c.Dc(), &p, 1);
  EXPECT_EQ(p, POINT(5, 4));
  HRGN clip = CreateRectRgn(0, 0, 6, 6);  // device units
  SelectClipRgn(c.Dc(), clip);
  RECT box;
  GetClipBox(c.Dc(), &box);
  EXPECT_EQ(box, RECT(-3, -3, 3, 3));  // logical
  HRGN got = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(c.Dc(), got), 1);
  EXPECT_TRUE(EqualRgn(got, clip));
  DeleteObject(clip);
  DeleteObject(got);
}

TEST(Dc, ExtSelectClipRgnCombinesWithTheWholeSurfaceWhenThereIsNoClip) {
  TestCanvas c(10, 10);
  HRGN r = CreateRectRgn(2, 2, 4, 4);
  EXPECT_EQ(ExtSelectClipRgn(c.Dc(), r, RGN_DIFF), COMPLEXREGION);
  EXPECT_FALSE(PtVisible(c.Dc(), 3, 3));
  EXPECT_TRUE(PtVisible(c.Dc(), 9, 9));
  EXPECT_EQ(ExtSelectClipRgn(c.Dc(), nullptr, RGN_AND), ERROR);
  EXPECT_EQ(ExtSelectClipRgn(c.Dc(), nullptr, RGN_COPY), SIMPLEREGION);
  EXPECT_TRUE(PtVisible(c.Dc(), 3, 3));
  DeleteObject(r);
}

TEST(Dc, ASurfaceDcDrawsAtItsOriginInsideItsVisibleRegion) {
  std::vector<uint32_t> pixels(size_t(20) * 10, 0);
  Surface s;
  s.Bits = reinterpret_cast<uint8_t*>(pixels.data());
  s.Width = 20;
  s.Height = 10;
  s.Stride = 20 * 4;
  Region vis(TRect{0, 0, 5, 5});  // device units: the window's client area
  HDC dc = CreateSurfaceDC(s, {10, 2}, &vis);
  HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  RECT big{-100, -100, 100, 100};
  FillRect(dc, &big, white);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) {
      bool in = x >= 10 && x < 15 && y >= 2 && y < 7;
      ASSERT_EQ(pixels[size_t(y * 20 + x)], in ? 0xFFFFFFu : 0u) << x << "," << y;
    }
  RECT box;
  GetClipBox(dc, &box);
  EXPECT_EQ(box, RECT(0, 0, 5, 5));
  POINT org;
  GetDCOrgEx(dc, &org);
  EXPECT_EQ(org, POINT(10, 2));
  DeleteDC(dc);
}

TEST(Dc, ScreenDcReportsTheDisplay) {
  HDC dc = GetDC(nullptr);
  struct Case {
    int index, want;
  } cases[] = {{LOGPIXELSX, 96}, {LOGPIXELSY, 96}, {BITSPIXEL, 32}, {PLANES, 1},
               {NUMCOLORS, -1},  {HORZRES, 1920}, {VERTRES, 1080}, {TECHNOLOGY, DT_RASDISPLAY}};
  for (const Case& k : cases) EXPECT_EQ(GetDeviceCaps(dc, k.index), k.want) << k.index;
  EXPECT_TRUE(GetDeviceCaps(dc, RASTERCAPS) & RC_STRETCHDIB);
  RECT box;
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box, RECT(0, 0, 1920, 1080));
  EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);  // no screen surface attached
  SetScreenSize(800, 600);
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 800);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 600);
  SetScreenSize(1920, 1080);
  EXPECT_EQ(ReleaseDC(nullptr, dc), 1);
}

TEST(Dc, LogicalDotsPerInchFollowTheScreenSettingOnEveryDc) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(nullptr);
  SetScreenLogPixels(144);
  SetScreenLogPixels(0);  // refused
  SetScreenLogPixels(-96);  // refused
  for (HDC dc : {screen, memory}) {
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 144);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 144);
  }
  SetScreenLogPixels(96);
  EXPECT_EQ(GetDeviceCaps(memory, LOGPIXELSY), 96);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

TEST(Dc, NullAndStaleHandlesGiveFailureValues) {
  HDC none = nullptr;
  RECT r{0, 0, 4, 4};
  POINT pts[3] = {{0, 0}, {2, 0}, {1, 2}};
  EXPECT_FALSE(Rectangle(none, 0, 0, 4, 4));
  EXPECT_FALSE(Ellipse(none, 0, 0, 4, 4));
  EXPECT_FALSE(LineTo(none, 1, 1));
  EXPECT_FALSE(Polygon(none, pts, 3));
  EXPECT_EQ(FillRect(none, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
  EXPECT_FALSE(BitBlt(none, 0, 0, 4, 4, none, 0, 0, SRCCOPY));
  EXPECT_FALSE(PatBlt(none, 0, 0, 4, 4, PATCOPY));
  EXPECT_EQ(GetPixel(none, 0, 0), CLR_INVALID);
  EXPECT_EQ(SetPixel(none, 0, 0, 0), CLR_INVALID);
  EXPECT_EQ(SelectObject(none, GetStockObject(BLACK_PEN)), nullptr);
  EXPECT_EQ(SaveDC(none), 0);
  EXPECT_FALSE(RestoreDC(none, -1));
  EXPECT_EQ(GetClipBox(none, &r), ERROR);
  EXPECT_EQ(SelectClipRgn(none, nullptr), ERROR);
  EXPECT_EQ(GetDeviceCaps(none, LOGPIXELSX), 0);
  EXPECT_EQ(SetTextColor(none, 0), CLR_INVALID);
  EXPECT_EQ(SetBkMode(none, OPAQUE), 0);
  EXPECT_FALSE(DeleteDC(none));
  EXPECT_FALSE(DeleteObject(nullptr));
  EXPECT_EQ(GetObject(nullptr, 0, nullptr), 0);
  EXPECT_EQ(CreatePatternBrush(nullptr), nullptr);
  EXPECT_EQ(CreateHatchBrush(6, 0), nullptr);
  EXPECT_EQ(CreatePen(99, 1, 0), nullptr);

  TestCanvas c(4, 4);
  HRGN gone = CreateRectRgn(0, 0, 1, 1);
  DeleteObject(gone);
  EXPECT_EQ(SelectClipRgn(c.Dc(), gone), ERROR);
  EXPECT_EQ(OffsetRgn(gone, 1, 1), ERROR);
  EXPECT_FALSE(Polygon(c.Dc(), pts, 1));
  EXPECT_FALSE(Polyline(c.Dc(), pts, 1));
  EXPECT_FALSE(Polygon(c.Dc(), nullptr, 3));
  EXPECT_FALSE(BitBlt(c.Dc(), 0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
  EXPECT_FALSE(StretchBlt(c.Dc(), 0, 0, 4, 4, c.Dc(), 0, 0, 0, 4, SRCCOPY));
  EXPECT_EQ(SetROP2(c.Dc(), 0), 0);
  EXPECT_EQ(SetStretchBltMode(c.Dc(), 9), 0);
  EXPECT_EQ(FillRect(c.Dc(), nullptr, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
  // Figures reaching far outside the surface are clipped, never written out of bounds.
  HPEN wide = CreatePen(PS_SOLID, 9, 0);
  HGDIOBJ old = SelectObject(c.Dc(), wide);
  EXPECT_TRUE(Ellipse(c.Dc(), -50, -50, 50, 50));
  EXPECT_TRUE(Rectangle(c.Dc(), -3, -3, 7, 7));
  MoveToEx(c.Dc(), -1000, -1000, nullptr);
  EXPECT_TRUE(LineTo(c.Dc(), 1000, 1003));
  SelectObject(c.Dc(), old);
  DeleteObject(wide);
}

TEST(Dc, TextHelpersBlendCoverageThroughTheClip) {
  TestCanvas c(8, 2, 0x00000000);
  IntersectClipRect(c.Dc(), 0, 0, 6, 2);
  const uint8_t cov[8] = {0, 255, 128, 64, 255, 255, 255, 255};
  RECT extra{0, 0, 5, 2};
  ASSERT_TRUE(DCBlendSpan(c.Dc(), 0, 0, cov, 8, RGB(200, 100, 255), &extra));
  for (int x = 0; x < 8; ++x) {
    uint32_t want = 0;
    if (x < 5) {
      auto ch = [&](int v) { return uint32_t((v * cov[x] + 127) / 255); };
      want = ch(200) << 16 | ch(100) << 8 | ch(255);
    }
    EXPECT_EQ(c.At(x, 0), want) << x;
  }
  RECT fill{-5, 1, 20, 2};
  ASSERT_TRUE(DCFillSolid(c.Dc(), fill, RGB(1, 2, 3)));
  EXPECT_EQ(c.At(5, 1), 0x010203u);
  EXPECT_EQ(c.At(6, 1), 0u);
  SetROP2(c.Dc(), R2_XORPEN);
  ASSERT_TRUE(DCPutPixel(c.Dc(), 5, 1, RGB(1, 2, 3)));
  EXPECT_EQ(c.At(5, 1), 0u);
}

TEST(Dc, FontObjectsKeepTheirLogicalFont) {
  LOGFONT lf;
  lf.lfHeight = -13;
  lf.lfWeight = FW_BOLD;
  lf.lfItalic = 1;
  SetFaceName(lf, "DejaVu Sans Ünïcode with a very long name beyond the limit");
  HFONT f = CreateFontIndirect(&lf);
  LOGFONT back;
  ASSERT_EQ(GetObject(f, sizeof back, &back), int(sizeof back));
  EXPECT_EQ(back.lfHeight, -13);
  EXPECT_EQ(back.lfWeight, FW_BOLD);
  EXPECT_EQ(back.lfItalic, 1);
  EXPECT_EQ(std::string(back.lfFaceName), "DejaVu Sans Ünïcode with a very");  // 31 characters
  EXPECT_EQ(GetObject(f, sizeof back - 1, &back), 0);
  TestCanvas c(1, 1);
  EXPECT_EQ(SelectObject(c.Dc(), f), GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(GetDCState(c.Dc())->Font, f);
  SelectObject(c.Dc(), GetStockObject(SYSTEM_FONT));
  EXPECT_TRUE(DeleteObject(f));
}

TEST(Dc, ExtremeCoordinatesAreClippedNeverWrapped) {
  TestCanvas c(8, 8);
  const int lo = INT32_MIN, hi = INT32_MAX;
  MoveToEx(c.Dc(), -(1 << 30), -(1 << 30), nullptr);
  ASSERT_TRUE(LineTo(c.Dc(), 1 << 30, 1 << 30));
  for (int i = 0; i < 8; ++i) EXPECT_EQ(c.Rgb(i, i), 0u) << i;  // the diagonal crosses the canvas
  EXPECT_EQ(c.Rgb(1, 0), 0xFFFFFFu);
  MoveToEx(c.Dc(), lo, 5, nullptr);
  ASSERT_TRUE(LineTo(c.Dc(), hi, 5));
  for (int x = 0; x < 8; ++x) EXPECT_EQ(c.Rgb(x, 5), 0u) << x;
  POINT far[3] = {{lo, lo}, {hi, 0}, {0, hi}};
  EXPECT_TRUE(Polygon(c.Dc(), far, 3));
  EXPECT_TRUE(Ellipse(c.Dc(), lo, lo, hi, hi));
  EXPECT_TRUE(RoundRect(c.Dc(), lo, lo, hi, hi, hi, hi));
  EXPECT_TRUE(Pie(c.Dc(), lo, lo, hi, hi, 0, lo, lo, 0));
  EXPECT_TRUE(Rectangle(c.Dc(), lo, lo, hi, hi));
  RECT huge{lo, lo, hi, hi};
  EXPECT_EQ(FillRect(c.Dc(), &huge, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH))), 1);
  EXPECT_EQ(c.Rgb(3, 3), 0x808080u);
  EXPECT_TRUE(PatBlt(c.Dc(), hi, hi, lo, lo, DSTINVERT));
  EXPECT_EQ(c.Rgb(3, 3), 0x7F7F7Fu);
  TestCanvas src(4, 4, 0x123456);
  EXPECT_TRUE(StretchBlt(c.Dc(), lo, lo, hi, hi, src.Dc(), 0, 0, 4, 4, SRCCOPY));
  EXPECT_TRUE(StretchBlt(c.Dc(), 0, 0, 8, 8, src.Dc(), 0, 0, lo, lo, SRCCOPY));
  EXPECT_TRUE(BitBlt(c.Dc(), 0, 0, lo, lo, src.Dc(), hi, hi, SRCCOPY));
  SetStretchBltMode(c.Dc(), HALFTONE);
  EXPECT_TRUE(StretchBlt(c.Dc(), -(1 << 29), -(1 << 29), 1 << 30, 1 << 30, src.Dc(), 0, 0, 4, 4, SRCCOPY));
  EXPECT_EQ(c.Rgb(3, 3), 0x123456u);
  BLENDFUNCTION bf{AC_SRC_OVER, 0, 255, 0};
  EXPECT_TRUE(AlphaBlend(c.Dc(), lo / 2, lo / 2, hi, hi, src.Dc(), 0, 0, 4, 4, bf));
  TRIVERTEX v[2];
  v[0].x = lo;
  v[0].y = lo;
  v[1].x = hi;
  v[1].y = hi;
  GRADIENT_RECT gr{0, 1};
  EXPECT_TRUE(GradientFill(c.Dc(), v, 2, &gr, 1, GRADIENT_FILL_RECT_H));
  HRGN r = CreateEllipticRgn(lo, lo, hi, hi);
  EXPECT_NE(r, nullptr);
  EXPECT_TRUE(FillRgn(c.Dc(), r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
  DeleteObject(r);
}
