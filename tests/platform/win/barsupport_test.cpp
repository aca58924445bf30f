// What bar windows and menus rely on beyond windows and messages: the
// version answer, the screen depth, menu sounds, sizing driven by hit-test
// codes, look-through windows, child lookup and timers in nested loops.
#include <string>
#include <vector>

#include "tests/platform/win/wintest.h"

namespace {

using namespace wintest;

TEST(PlatformVersion, TheDefaultIsNt61AndATestCanPlayAnotherRelease) {
  auto read = [] {
    OSVERSIONINFO vi;
    EXPECT_TRUE(GetVersionExW(&vi));
    return PlatformVersion{vi.dwPlatformId, vi.dwMajorVersion, vi.dwMinorVersion, vi.dwBuildNumber};
  };
  const PlatformVersion def = read();
  EXPECT_EQ(def.PlatformId, DWORD(VER_PLATFORM_WIN32_NT));
  EXPECT_EQ(def.Major, 6u);
  EXPECT_EQ(def.Minor, 1u);
  const PlatformVersion plays[] = {{2, 5, 1, 2600}, {2, 5, 2, 3790}, {2, 6, 0, 6002}, {1, 4, 10, 2222}};
  for (const PlatformVersion& v : plays) {
    {
      ScopedPlatformVersion scoped(v);
      EXPECT_EQ(read(), v);
      EXPECT_EQ(GetPlatformVersion(), v);
    }
    EXPECT_EQ(read(), def) << "restored";
  }
  OSVERSIONINFO wrong;
  wrong.dwOSVersionInfoSize = 20;
  EXPECT_FALSE(GetVersionExW(&wrong));
  EXPECT_FALSE(GetVersionExW(nullptr));
}

TEST(ScreenDepth, CanBeForcedToAPaletteDisplay) {
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
  EXPECT_EQ(GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE, 0);
  EXPECT_EQ(SetScreenBitsPerPixel(8), 32);
  for (HDC dc : {screen, mem}) {
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 8);
    EXPECT_NE(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE, 0);
    EXPECT_EQ(GetDeviceCaps(dc, SIZEPALETTE), 256);
  }
  EXPECT_EQ(SetScreenBitsPerPixel(7), 0) << "not a depth";
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 8);
  EXPECT_EQ(SetScreenBitsPerPixel(32), 8);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
}

TEST(Sounds, ReachTheHookWithTheirAliasAndPlayNothing) {
  std::vector<std::pair<std::string, DWORD>> heard;
  SetSoundHook([&](const std::string& s, DWORD f) { heard.push_back({s, f}); });
  const DWORD flags = SND_ALIAS | SND_ASYNC | SND_NODEFAULT | SND_NOWAIT;
  EXPECT_TRUE(PlaySoundW("MenuPopup", nullptr, flags));
  EXPECT_TRUE(PlaySoundW("MenuCommand", nullptr, flags));
  EXPECT_TRUE(PlaySoundW(nullptr, nullptr, flags)) << "stops what plays";
  SetSoundHook(nullptr);
  EXPECT_TRUE(PlaySoundW("MenuPopup", nullptr, flags));
  ASSERT_EQ(heard.size(), 3u);
  EXPECT_EQ(heard[0], std::make_pair(std::string("MenuPopup"), flags));
  EXPECT_EQ(heard[1].first, "MenuCommand");
  EXPECT_EQ(heard[2].first, "");
}

TEST(Sounds, MessageBeepReachesTheHookAsTheAliasOfItsIconType) {
  std::vector<std::string> heard;
  SetSoundHook([&](const std::string& s, DWORD f) {
    EXPECT_EQ(f, SND_ALIAS | SND_ASYNC);
    heard.push_back(s);
  });
  const std::pair<UINT, const char*> cases[] = {
      {0, "SystemDefault"},           {0xFFFFFFFFu, "SystemDefault"},        {MB_ICONHAND, "SystemHand"},
      {MB_ICONQUESTION, "SystemQuestion"}, {MB_ICONEXCLAMATION, "SystemExclamation"},
      {MB_ICONASTERISK | MB_YESNO, "SystemAsterisk"},
  };
  for (const auto& [type, alias] : cases) {
    heard.clear();
    EXPECT_TRUE(MessageBeep(type));
    EXPECT_EQ(heard, std::vector<std::string>{alias}) << type;
  }
  SetSoundHook(nullptr);
}

class BarSupport : public WinTest {};

// A floating bar has no sizing frame of its own: it answers WM_NCHITTEST
// with the edge codes, and the default handling sizes it, asking
// WM_SIZING and WM_WINDOWPOSCHANGING, which may rewrite the rectangle.
TEST_F(BarSupport, EdgeCodesFromTheHitTestSizeAFramelessWindow) {
  int sizing = 0;
  HWND bar = Make(WS_POPUP | WS_VISIBLE, {100, 100, 200, 140}, nullptr,
                  [&](HWND h, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
                    if (m == WM_NCHITTEST) {
                      RECT r;
                      GetWindowRect(h, &r);
                      return GET_X_LPARAM(l) >= r.Right - 4 ? HTRIGHT : HTCLIENT;
                    }
                    if (m == WM_SIZING) {  // widths in steps of 10
                      auto* r = reinterpret_cast<RECT*>(l);
                      r->Right = r->Left + (r->Width() + 5) / 10 * 10;
                      ++sizing;
                      return 1;
                    }
                    if (m == WM_WINDOWPOSCHANGING) {  // never wider than 150
                      auto* wp = reinterpret_cast<WINDOWPOS*>(l);
                      if (!(wp->flags & SWP_NOSIZE) && wp->cx > 150) wp->cx = 150;
                    }
                    return std::nullopt;
                  });
  ASSERT_NE(bar, nullptr);
  Pump();
  // The whole drag is queued first: the sizing loop is modal.
  InputMouseMove({198, 120});
  InputMouseButton(0, true, {198, 120});
  InputMouseMove({221, 120});  // width 123 -> 120
  InputMouseButton(0, false, {221, 120});
  Pump();
  RECT r;
  GetWindowRect(bar, &r);
  EXPECT_GT(sizing, 0);
  EXPECT_EQ(r, RECT(100, 100, 220, 140));
  InputMouseMove({218, 120});
  InputMouseButton(0, true, {218, 120});
  InputMouseMove({290, 120});
  InputMouseButton(0, false, {290, 120});
  Pump();
  GetWindowRect(bar, &r);
  EXPECT_EQ(r, RECT(100, 100, 250, 140)) << "WM_WINDOWPOSCHANGING has the last word";
  EXPECT_EQ(GetCapture(), nullptr);
}

// Shadow parts answer HTTRANSPARENT: the mouse goes to what lies below.
TEST_F(BarSupport, AWindowAnsweringTransparentIsLookedThrough) {
  HWND below = Make(WS_POPUP | WS_VISIBLE, {0, 0, 200, 200});
  HWND shadow = Make(WS_POPUP | WS_VISIBLE, {50, 50, 150, 150}, nullptr,
                     [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                       if (m == WM_NCHITTEST) return HTTRANSPARENT;
                       return std::nullopt;
                     },
                     WS_EX_TOPMOST | WS_EX_NOACTIVATE);
  Pump();
  EXPECT_EQ(WindowFromPoint({100, 100}), below);
  ClearLog();
  InputMouseButton(0, true, {100, 100});
  InputMouseButton(0, false, {100, 100});
  Pump();
  EXPECT_EQ(Count(below, WM_LBUTTONDOWN), 1);
  EXPECT_EQ(Count(shadow, WM_LBUTTONDOWN), 0);
}

TEST_F(BarSupport, ChildLookupCanSkipHiddenChildren) {
  HWND parent = Make(WS_POPUP | WS_VISIBLE, {0, 0, 200, 200});
  HWND shown = Make(WS_CHILD | WS_VISIBLE, {0, 0, 100, 100}, parent);
  HWND hidden = Make(WS_CHILD, {50, 50, 150, 150}, parent);  // on top, not shown
  EXPECT_EQ(ChildWindowFromPointEx(parent, {60, 60}, CWP_ALL), hidden);
  EXPECT_EQ(ChildWindowFromPointEx(parent, {60, 60}, CWP_SKIPINVISIBLE), shown);
  EXPECT_EQ(ChildWindowFromPointEx(parent, {120, 120}, CWP_SKIPINVISIBLE), parent);
  EXPECT_EQ(ChildWindowFromPointEx(parent, {500, 5}, CWP_SKIPINVISIBLE), nullptr);
  DestroyWindow(shown);
  EXPECT_EQ(ChildWindowFromPointEx(shown, {1, 1}, CWP_ALL), nullptr);
}

// Menu scroll and delay timers keep firing while a drag or tear-off loop runs.
TEST_F(BarSupport, WindowAndThreadTimersFireInsideANestedLoop) {
  static int threadTicks = 0;
  threadTicks = 0;
  int windowTicks = 0;
  HWND w = Make(WS_POPUP, {0, 0, 10, 10}, nullptr, [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_TIMER) ++windowTicks;
    if (m != WM_APP) return std::nullopt;
    SetTimer(h, 7, 10, nullptr);
    const UINT_PTR t = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) { ++threadTicks; });
    MSG inner;
    while ((windowTicks < 3 || threadTicks < 3) && GetModalMessage(&inner)) DispatchMessage(&inner);
    KillTimer(h, 7);
    KillTimer(nullptr, t);
    return 0;
  });
  PostMessage(w, WM_APP, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return windowTicks >= 3 && threadTicks >= 3; }));
}

}  // namespace
