// A window's own scroll bars: the client area they take, their state, their
// drawing, and the scroll messages a press on them sends.
#include "platform/gdi/syscolors.h"
#include "tests/platform/win/wintest.h"

namespace wintest {
namespace {

using ScrollBarTest = WinTest;

// A 200 x 150 popup without a frame at (100, 100): window, client and screen
// coordinates differ only by that offset.
constexpr RECT kRect{100, 100, 300, 250};
constexpr int kBar = 17;  // SM_CXVSCROLL / SM_CYHSCROLL, also each arrow's length

struct Scroll {
  UINT Msg;
  WORD Code;
  WORD Pos;
  bool operator==(const Scroll&) const = default;
};

std::vector<Scroll> ScrollsOf(const std::vector<Rec>& log) {
  std::vector<Scroll> out;
  for (const Rec& r : log)
    if (r.Msg == WM_HSCROLL || r.Msg == WM_VSCROLL) {
      EXPECT_EQ(r.LParam, 0) << "a window's own bar has no control handle";
      out.push_back({r.Msg, LOWORD(r.WParam), HIWORD(r.WParam)});
    }
  return out;
}

uint32_t Sys(int index) {
  const COLORREF c = GetSysColor(index);
  return Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

void SetBar(HWND h, int bar, int min, int max, UINT page, int pos) {
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  si.nMin = min;
  si.nMax = max;
  si.nPage = page;
  si.nPos = pos;
  SetScrollInfo(h, bar, &si, TRUE);
}

TEST_F(ScrollBarTest, ShowingABarTakesItsRoomFromTheClientAndSendsWmSize) {
  struct Row {
    int Bar;
    BOOL Show;
    int Width, Height;  // client size afterwards
  };
  HWND h = Make(WS_POPUP | WS_VISIBLE, kRect, nullptr, {}, WS_EX_NOACTIVATE);
  Pump();
  for (Row row : {Row{SB_VERT, TRUE, 200 - kBar, 150}, Row{SB_HORZ, TRUE, 200 - kBar, 150 - kBar},
                  Row{SB_VERT, FALSE, 200, 150 - kBar}, Row{SB_BOTH, FALSE, 200, 150},
                  Row{SB_BOTH, TRUE, 200 - kBar, 150 - kBar}}) {
    SCOPED_TRACE(testing::Message() << "bar " << row.Bar << " show " << row.Show);
    ClearLog();
    EXPECT_TRUE(ShowScrollBar(h, row.Bar, row.Show));
    RECT c;
    GetClientRect(h, &c);
    EXPECT_EQ(c.Width(), row.Width);
    EXPECT_EQ(c.Height(), row.Height);
    std::vector<LPARAM> sizes;
    for (const Rec& r : Log(h))
      if (r.Msg == WM_SIZE) sizes.push_back(r.LParam);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0], MAKELPARAM(row.Width, row.Height));
    const LONG style = GetWindowLong(h, GWL_STYLE);
    EXPECT_EQ((style & WS_VSCROLL) != 0, row.Width == 200 - kBar);
    EXPECT_EQ((style & WS_HSCROLL) != 0, row.Height == 150 - kBar);
  }
  // Asking for what is already there changes nothing and sends nothing.
  ClearLog();
  EXPECT_TRUE(ShowScrollBar(h, SB_VERT, TRUE));
  EXPECT_EQ(Count(h, WM_SIZE), 0);
  EXPECT_FALSE(ShowScrollBar(h, SB_CTL, TRUE));
}

TEST_F(ScrollBarTest, InfoRoundTripClampsPageAndPosition) {
  struct Row {
    const char* What;
    UINT Mask;
    int Min, Max;
    UINT Page;
    int Pos;
    // Expected afterwards, starting from 0..100, page 10, position 0.
    int EMin, EMax;
    UINT EPage;
    int EPos;
  };
  const Row rows[] = {
      {"all inside", SIF_ALL, 0, 100, 10, 50, 0, 100, 10, 50},
      {"position past the last page", SIF_POS, 0, 0, 0, 95, 0, 100, 10, 91},
      {"position before the start", SIF_POS, 0, 0, 0, -5, 0, 100, 10, 0},
      {"no page: the maximum itself", SIF_PAGE | SIF_POS, 0, 0, 0, 100, 0, 100, 0, 100},
      {"page larger than the range", SIF_PAGE | SIF_POS, 0, 0, 200, 50, 0, 100, 101, 0},
      {"range alone keeps the page", SIF_RANGE, 20, 40, 0, 0, 20, 40, 10, 20},
      {"reversed range closes", SIF_RANGE | SIF_POS, 10, 5, 0, 7, 10, 10, 1, 10},
      {"the view's 16-bit span", SIF_ALL, 0, 65535, 32768, 65535, 0, 65535, 32768, 32768},
  };
  HWND h = Make(WS_POPUP | WS_VISIBLE | WS_HSCROLL, kRect, nullptr, {}, WS_EX_NOACTIVATE);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.What);
    SetBar(h, SB_HORZ, 0, 100, 10, 0);
    SCROLLINFO in;
    in.fMask = row.Mask;
    in.nMin = row.Min;
    in.nMax = row.Max;
    in.nPage = row.Page;
    in.nPos = row.Pos;
    EXPECT_EQ(SetScrollInfo(h, SB_HORZ, &in, FALSE), row.EPos);
    SCROLLINFO out;
    out.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(h, SB_HORZ, &out));
    EXPECT_EQ(out.nMin, row.EMin);
    EXPECT_EQ(out.nMax, row.EMax);
    EXPECT_EQ(out.nPage, row.EPage);
    EXPECT_EQ(out.nPos, row.EPos);
    EXPECT_EQ(out.nTrackPos, row.EPos) << "no drag: the track position is the position";
  }
  // The vertical bar is separate, and the short calls clamp the same way.
  SetBar(h, SB_HORZ, 0, 100, 10, 30);
  EXPECT_EQ(SetScrollPos(h, SB_VERT, 70, FALSE), 0);
  EXPECT_EQ(GetScrollPos(h, SB_VERT), 70);
  EXPECT_EQ(GetScrollPos(h, SB_HORZ), 30);
  EXPECT_EQ(SetScrollPos(h, SB_HORZ, 500, FALSE), 30);
  EXPECT_EQ(GetScrollPos(h, SB_HORZ), 91);
  EXPECT_TRUE(SetScrollRange(h, SB_HORZ, 0, 50, FALSE));
  EXPECT_EQ(GetScrollPos(h, SB_HORZ), 41);
  int lo = -1, hi = -1;
  EXPECT_TRUE(GetScrollRange(h, SB_HORZ, &lo, &hi));
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 50);
  // Failures: a bad size, SB_CTL, a stale window.
  SCROLLINFO bad;
  bad.cbSize = 12;
  bad.fMask = SIF_POS;
  bad.nPos = 5;
  EXPECT_EQ(SetScrollInfo(h, SB_HORZ, &bad, FALSE), 0);
  EXPECT_EQ(GetScrollPos(h, SB_HORZ), 41);
  SCROLLINFO any;
  any.fMask = SIF_ALL;
  EXPECT_FALSE(GetScrollInfo(h, SB_CTL, &any));
  DestroyWindow(h);
  EXPECT_FALSE(GetScrollInfo(h, SB_HORZ, &any));
  EXPECT_EQ(SetScrollPos(h, SB_HORZ, 3, FALSE), 0);
}

TEST_F(ScrollBarTest, PressesOnArrowsAndTrackSendTheirCodesThenEndScroll) {
  struct Row {
    const char* What;
    int Bar;
    UINT Disabled;  // ESB_ flags
    int Along;      // press point along the bar, from its start
    std::vector<WORD> Codes;
  };
  const std::vector<Row> rows = {
      {"left arrow", SB_HORZ, ESB_ENABLE_BOTH, 5, {SB_LINELEFT, SB_ENDSCROLL}},
      {"right arrow", SB_HORZ, ESB_ENABLE_BOTH, 195, {SB_LINERIGHT, SB_ENDSCROLL}},
      {"track before the thumb", SB_HORZ, ESB_ENABLE_BOTH, 30, {SB_PAGELEFT, SB_ENDSCROLL}},
      {"track after the thumb", SB_HORZ, ESB_ENABLE_BOTH, 170, {SB_PAGERIGHT, SB_ENDSCROLL}},
      {"up arrow", SB_VERT, ESB_ENABLE_BOTH, 3, {SB_LINEUP, SB_ENDSCROLL}},
      {"down arrow", SB_VERT, ESB_ENABLE_BOTH, 145, {SB_LINEDOWN, SB_ENDSCROLL}},
      {"track below the thumb", SB_VERT, ESB_ENABLE_BOTH, 120, {SB_PAGEDOWN, SB_ENDSCROLL}},
      {"disabled left arrow", SB_HORZ, ESB_DISABLE_LTUP, 5, {}},
      {"right arrow beside a disabled left one", SB_HORZ, ESB_DISABLE_LTUP, 195, {SB_LINERIGHT, SB_ENDSCROLL}},
      {"track of a disabled bar", SB_HORZ, ESB_DISABLE_BOTH, 170, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.What);
    const bool horz = row.Bar == SB_HORZ;
    HWND h = Make(WS_POPUP | WS_VISIBLE | (horz ? WS_HSCROLL : WS_VSCROLL), kRect, nullptr, {}, WS_EX_NOACTIVATE);
    SetBar(h, row.Bar, 0, 100, 10, 50);
    EnableScrollBar(h, UINT(row.Bar), row.Disabled);
    Pump();
    ClearLog();
    const POINT at = horz ? POINT{kRect.Left + row.Along, kRect.Bottom - kBar / 2}
                          : POINT{kRect.Right - kBar / 2, kRect.Top + row.Along};
    InputMouseButton(0, true, at);
    InputMouseButton(0, false, at);
    Pump();
    std::vector<Scroll> expected;
    for (WORD c : row.Codes) expected.push_back({horz ? WM_HSCROLL : WM_VSCROLL, c, 0});
    EXPECT_EQ(ScrollsOf(Log(h)), expected);
    EXPECT_EQ(GetScrollPos(h, row.Bar), 50) << "the bar leaves its position to the window";
    EXPECT_EQ(Count(h, WM_LBUTTONDOWN) + Count(h, WM_LBUTTONUP), 0) << "the press belongs to the bar";
    EXPECT_EQ(GetCapture(), nullptr);
    DestroyWindow(h);
  }
}

TEST_F(ScrollBarTest, ThumbDragTracksWithCaptureAndEndsWithThumbPosition) {
  struct Seen {
    WORD Code, Pos;
    int TrackPos, Position;
    bool Captured;
  };
  std::vector<Seen> seen;
  // At position 50 the thumb sits in the middle of the track (17 .. 183).
  const int y = kRect.Bottom - kBar / 2;
  const POINT grab{kRect.Left + 100, y};
  // The rest of the drag arrives once the press has reached the bar, as a
  // user's would. Queued moves merge into the last one; a wheel event between
  // them keeps them apart (and is swallowed by the drag).
  auto moveTo = [](POINT p) {
    InputMouseMove(p);
    InputMouseWheel(0, p);
  };
  auto rest = [&] {
    moveTo({kRect.Left + 400, y});  // far past the end: the last position
    moveTo({kRect.Left + 401, y});  // no new position, no message
    moveTo({kRect.Left - 300, y});  // far before the start: the first
    moveTo(grab);                   // back where it was grabbed
    InputMouseButton(0, false, grab);
  };
  HWND h = Make(WS_POPUP | WS_VISIBLE | WS_HSCROLL, kRect, nullptr,
                [&](HWND w, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
                  if (m == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_HSCROLL) rest();
                  if (m != WM_HSCROLL) return std::nullopt;
                  SCROLLINFO si;
                  si.fMask = SIF_POS | SIF_TRACKPOS;
                  GetScrollInfo(w, SB_HORZ, &si);
                  seen.push_back({LOWORD(wp), HIWORD(wp), si.nTrackPos, si.nPos, GetCapture() == w});
                  return 0;
                },
                WS_EX_NOACTIVATE);
  SetBar(h, SB_HORZ, 0, 100, 10, 50);
  Pump();
  InputMouseButton(0, true, grab);
  Pump();
  const int last = 100 - 10 + 1;
  const std::vector<std::pair<WORD, WORD>> expected = {{SB_THUMBTRACK, WORD(last)},
                                                       {SB_THUMBTRACK, 0},
                                                       {SB_THUMBTRACK, 50},
                                                       {SB_THUMBPOSITION, 50},
                                                       {SB_ENDSCROLL, 0}};
  ASSERT_EQ(seen.size(), expected.size());
  for (size_t i = 0; i < seen.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(seen[i].Code, expected[i].first);
    EXPECT_EQ(seen[i].Pos, expected[i].second);
    EXPECT_EQ(seen[i].Position, 50) << "the window moves the position, not the bar";
    if (seen[i].Code == SB_THUMBTRACK) {
      EXPECT_EQ(seen[i].TrackPos, seen[i].Pos);
      EXPECT_TRUE(seen[i].Captured);
    }
  }
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Count(h, WM_MOUSEMOVE) + Count(h, WM_MOUSEWHEEL) + Count(h, WM_LBUTTONUP), 0)
      << "the drag's mouse input stays with the bar";
  SCROLLINFO si;
  si.fMask = SIF_TRACKPOS;
  GetScrollInfo(h, SB_HORZ, &si);
  EXPECT_EQ(si.nTrackPos, 50);
}

TEST_F(ScrollBarTest, BarsAreDrawnInTheSystemColoursAndRedrawnOnChange) {
  HWND h = Make(WS_POPUP | WS_VISIBLE, kRect, nullptr, {}, WS_EX_NOACTIVATE);
  SetBar(h, SB_HORZ, 0, 100, 10, 0);
  ShowScrollBar(h, SB_BOTH, TRUE);
  Pump();
  // Horizontal bar: y 133 .. 150, x 0 .. 183; track 17 .. 166. Box at (183, 133).
  const int y = 150 - kBar / 2;
  const int thumbFace = kBar + 5, farTrack = 120, nearEnd = 183 - kBar - 6;
  EXPECT_EQ(ClientPixel(h, thumbFace, y), Sys(COLOR_3DFACE)) << "thumb at the start";
  EXPECT_EQ(ClientPixel(h, kBar, 150 - kBar), Sys(COLOR_3DLIGHT)) << "raised thumb edge";
  EXPECT_EQ(ClientPixel(h, farTrack, y), Sys(COLOR_SCROLLBAR));
  EXPECT_EQ(ClientPixel(h, nearEnd, y), Sys(COLOR_SCROLLBAR));
  EXPECT_EQ(ClientPixel(h, 190, 140), Sys(COLOR_3DFACE)) << "box between the bars";
  // A position set with redraw moves the thumb at once.
  SetScrollPos(h, SB_HORZ, 91, TRUE);
  EXPECT_EQ(ClientPixel(h, thumbFace, y), Sys(COLOR_SCROLLBAR));
  EXPECT_EQ(ClientPixel(h, nearEnd, y), Sys(COLOR_3DFACE));
  // Flat bars: the same thumb with a one-pixel shadow frame.
  InitializeFlatSB(h);
  const int thumbLeft = 183 - kBar - 14;  // 14 = track 149 x page 10 / range 101
  EXPECT_EQ(ClientPixel(h, thumbLeft, 150 - kBar), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(UninitializeFlatSB(h), 0);
  EXPECT_EQ(ClientPixel(h, thumbLeft, 150 - kBar), Sys(COLOR_3DLIGHT));
  // A bar disabled as a whole shows no thumb.
  EXPECT_TRUE(EnableScrollBar(h, SB_HORZ, ESB_DISABLE_BOTH));
  EXPECT_FALSE(EnableScrollBar(h, SB_HORZ, ESB_DISABLE_BOTH)) << "already so";
  EXPECT_EQ(ClientPixel(h, nearEnd, y), Sys(COLOR_SCROLLBAR));
}

}  // namespace
}  // namespace wintest
