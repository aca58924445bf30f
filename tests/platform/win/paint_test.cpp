// Update regions, WM_PAINT, erasing, clipping of children, scrolling.
#include "platform/gdi/syscolors.h"
#include "tests/platform/win/wintest.h"

namespace wintest {
namespace {

using PaintTest = WinTest;

Handler FillOnPaint(COLORREF color, RECT* rcPaint = nullptr, BOOL* fErase = nullptr) {
  return [=](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m != WM_PAINT) return std::nullopt;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    if (rcPaint) *rcPaint = ps.rcPaint;
    if (fErase) *fErase = ps.fErase;
    RECT all;
    GetClientRect(h, &all);
    HBRUSH b = CreateSolidBrush(color);
    FillRect(dc, &all, b);  // everything: the clip decides what lands
    DeleteObject(b);
    EndPaint(h, &ps);
    return 0;
  };
}

TEST_F(PaintTest, ThePaintClipIsTheUnionOfInvalidatedRectsAndSparesChildren) {
  RECT rcPaint;
  HWND parent = Make(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, {0, 0, 200, 100}, nullptr,
                     FillOnPaint(RGB(255, 0, 0), &rcPaint), WS_EX_NOACTIVATE);
  HWND child = Make(WS_CHILD | WS_VISIBLE, {100, 0, 150, 50}, parent, FillOnPaint(RGB(0, 0, 255)));
  Pump();
  FillClient(parent, RGB(0, 255, 0));  // green everywhere the parent may draw
  ASSERT_FALSE(GetUpdateRect(parent, nullptr, FALSE));
  ASSERT_FALSE(GetUpdateRect(child, nullptr, FALSE));
  RECT a{10, 10, 30, 30}, b{90, 20, 120, 40};  // b reaches into the child
  InvalidateRect(parent, &a, FALSE);
  InvalidateRect(parent, &b, FALSE);
  Pump();
  EXPECT_EQ(rcPaint, RECT(10, 10, 120, 40));
  struct Probe {
    int X, Y;
    uint32_t Color;
  };
  for (Probe p : {Probe{10, 10, Rgb(255, 0, 0)}, Probe{29, 29, Rgb(255, 0, 0)}, Probe{95, 25, Rgb(255, 0, 0)},
                  Probe{50, 25, Rgb(0, 255, 0)}, Probe{30, 30, Rgb(0, 255, 0)}, Probe{15, 60, Rgb(0, 255, 0)},
                  Probe{110, 25, Rgb(0, 0, 255)}, Probe{140, 45, Rgb(0, 0, 255)}, Probe{160, 25, Rgb(0, 255, 0)}})
    EXPECT_EQ(ClientPixel(parent, p.X, p.Y), p.Color) << p.X << "," << p.Y;
  EXPECT_EQ(Count(child, WM_PAINT), 1) << "a WS_CLIPCHILDREN parent does not repaint its children";
}

TEST_F(PaintTest, WithoutClipChildrenTheChildPaintsAfterItsParent) {
  HWND parent = Make(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, nullptr, FillOnPaint(RGB(255, 0, 0)), WS_EX_NOACTIVATE);
  HWND child = Make(WS_CHILD | WS_VISIBLE, {20, 20, 60, 60}, parent, FillOnPaint(RGB(0, 0, 255)));
  Pump();
  InvalidateRect(parent, nullptr, FALSE);
  EXPECT_TRUE(GetUpdateRect(child, nullptr, FALSE)) << "the invalidation reaches the child";
  Pump();
  EXPECT_EQ(ClientPixel(parent, 30, 30), Rgb(0, 0, 255));
  EXPECT_EQ(ClientPixel(parent, 10, 10), Rgb(255, 0, 0));
}

TEST_F(PaintTest, AHandledEraseBackgroundSuppressesTheErase) {
  struct Row {
    const char* What;
    std::optional<LRESULT> EraseAnswer;  // nullopt: the default erase with the class brush
    uint32_t Expected;
    BOOL FErase;
  };
  const uint32_t window = GetSysColor(COLOR_WINDOW);
  const uint32_t windowRgb = Rgb(GetRValue(window), GetGValue(window), GetBValue(window));
  for (Row row : {Row{"handled", 1, Rgb(10, 20, 30), FALSE}, Row{"default", std::nullopt, windowRgb, FALSE},
                  Row{"declined", 0, Rgb(10, 20, 30), TRUE}}) {
    SCOPED_TRACE(row.What);
    BOOL fErase = -1;
    HWND w = Make(WS_POPUP | WS_VISIBLE, {0, 0, 50, 50}, nullptr,
                  [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                    if (m == WM_ERASEBKGND) return row.EraseAnswer;
                    if (m == WM_PAINT) {
                      PAINTSTRUCT ps;
                      BeginPaint(h, &ps);
                      fErase = ps.fErase;
                      EndPaint(h, &ps);
                      return 0;
                    }
                    return std::nullopt;
                  },
                  WS_EX_NOACTIVATE);
    Pump();
    FillClient(w, RGB(10, 20, 30));
    InvalidateRect(w, nullptr, TRUE);
    Pump();
    EXPECT_EQ(ClientPixel(w, 25, 25), row.Expected);
    EXPECT_EQ(fErase, row.FErase);
    DestroyWindow(w);
  }
}

TEST_F(PaintTest, ValidateAndUpdateRegions) {
  HWND w = Make(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, nullptr, {}, WS_EX_NOACTIVATE);
  Pump();
  RECT a{0, 0, 50, 50};
  InvalidateRect(w, &a, FALSE);
  RECT half{0, 0, 50, 25};
  ValidateRect(w, &half);
  RECT u;
  ASSERT_TRUE(GetUpdateRect(w, &u, FALSE));
  EXPECT_EQ(u, RECT(0, 25, 50, 50));
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetUpdateRgn(w, rgn, FALSE), SIMPLEREGION);
  DeleteObject(rgn);
  UpdateWindow(w);
  EXPECT_FALSE(GetUpdateRect(w, &u, FALSE));
  ClearLog();
  RedrawWindow(w, nullptr, nullptr, RDW_INTERNALPAINT);
  Pump();
  EXPECT_EQ(Count(w, WM_PAINT), 1) << "an internal paint comes once without an update region";
}

TEST_F(PaintTest, ScrollWindowMovesPixelsAndInvalidatesWhatItUncovered) {
  HWND w = Make(WS_POPUP | WS_VISIBLE, {0, 0, 40, 40}, nullptr, {}, WS_EX_NOACTIVATE);
  Pump();
  FillClient(w, RGB(0, 0, 0));
  HDC dc = GetDC(w);
  RECT mark{5, 5, 10, 10};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &mark, red);
  DeleteObject(red);
  ReleaseDC(w, dc);
  RECT uncovered;
  ScrollWindowEx(w, 10, 0, nullptr, nullptr, nullptr, &uncovered, SW_INVALIDATE);
  EXPECT_EQ(ClientPixel(w, 15, 5), Rgb(255, 0, 0));
  EXPECT_EQ(ClientPixel(w, 5, 20), Rgb(0, 0, 0)) << "not repainted yet";
  EXPECT_EQ(uncovered, RECT(0, 0, 10, 40));
  RECT u;
  ASSERT_TRUE(GetUpdateRect(w, &u, FALSE));
  EXPECT_EQ(u, RECT(0, 0, 10, 40));
}

TEST_F(PaintTest, TheCaretInvertsItsRectangleWhileShown) {
  HWND w = Make(WS_POPUP | WS_VISIBLE, {0, 0, 40, 40}, nullptr, FillOnPaint(RGB(255, 255, 255)), WS_EX_NOACTIVATE);
  Pump();
  ASSERT_TRUE(CreateCaret(w, nullptr, 2, 10));
  SetCaretPos(5, 5);
  EXPECT_EQ(ClientPixel(w, 5, 5), Rgb(255, 255, 255)) << "a new caret is hidden";
  ShowCaret(w);
  EXPECT_EQ(ClientPixel(w, 5, 5), 0u);
  EXPECT_EQ(ClientPixel(w, 6, 14), 0u);
  EXPECT_EQ(ClientPixel(w, 7, 5), Rgb(255, 255, 255));
  InvalidateRect(w, nullptr, FALSE);
  Pump();
  EXPECT_EQ(ClientPixel(w, 5, 5), 0u) << "painting under the caret keeps it shown";
  SetCaretPos(20, 20);
  EXPECT_EQ(ClientPixel(w, 5, 5), Rgb(255, 255, 255));
  EXPECT_EQ(ClientPixel(w, 20, 20), 0u);
  HideCaret(w);
  EXPECT_EQ(ClientPixel(w, 20, 20), Rgb(255, 255, 255));
  EXPECT_TRUE(DestroyCaret());
  EXPECT_FALSE(ShowCaret(w));
}

TEST_F(PaintTest, TheDefaultFrameIsDrawnAroundTheClientArea) {
  HWND w = Make(WS_POPUP | WS_VISIBLE | WS_BORDER, {0, 0, 30, 30}, nullptr, FillOnPaint(RGB(255, 255, 255)),
                WS_EX_NOACTIVATE);
  Pump();
  RECT c;
  GetClientRect(w, &c);
  EXPECT_EQ(c, RECT(0, 0, 28, 28));
  SurfacePixels px;
  ASSERT_TRUE(CopyWindowSurface(w, px));
  const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
  EXPECT_EQ(px.At(0, 0), Rgb(GetRValue(frame), GetGValue(frame), GetBValue(frame)));
  EXPECT_EQ(px.At(29, 15), px.At(0, 0));
  EXPECT_EQ(px.At(15, 15), Rgb(255, 255, 255));
}

}  // namespace
}  // namespace wintest
