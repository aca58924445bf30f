// The headless screen as bar windows, menus and their shadows use it:
// layered windows composed over what lies below, window regions, stacking,
// several monitors, the module table per backend, and window calls from a
// worker while the main thread waits for it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <vector>

#include "platform/classes/threads.h"
#include "platform/display/display.h"
#include "platform/display/headless.h"
#include "tests/platform/display/paint_solid.h"

namespace {

using namespace win;

std::map<HWND, COLORREF> g_fill;
std::map<HWND, std::vector<UINT>> g_got;

LRESULT Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_LBUTTONDOWN || m == WM_MOUSEACTIVATE) g_got[h].push_back(m);
  if (m == WM_PAINT && g_fill.count(h)) {
    PaintClientSolid(h, g_fill[h]);
    return 0;
  }
  return DefWindowProc(h, m, w, l);
}

// 0xRRGGBB as the composed screen reports it.
constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return (r << 16) | (g << 8) | b; }

// Channels within one step of each other (the blend rounds once per term).
::testing::AssertionResult Near(uint32_t got, uint32_t want) {
  for (int s = 0; s <= 16; s += 8)
    if (std::abs(int((got >> s) & 0xFF) - int((want >> s) & 0xFF)) > 1)
      return ::testing::AssertionFailure() << std::hex << "got 0x" << got << ", want 0x" << want;
  return ::testing::AssertionSuccess();
}

class ComposeTest : public ::testing::Test {
protected:
  void SetUp() override {
    display::UseHeadlessDisplay();
    backend_ = dynamic_cast<display::HeadlessBackend*>(display::InitDisplay());
    ASSERT_NE(backend_, nullptr);
    static bool registered = false;
    if (!registered) {
      WNDCLASSEX wc;
      wc.lpfnWndProc = Proc;
      wc.lpszClassName = "ComposeTest";
      ASSERT_NE(RegisterClassEx(&wc), 0);
      registered = true;
    }
    g_fill.clear();
    g_got.clear();
  }
  void TearDown() override {
    for (HWND h : made_)
      if (IsWindow(h)) DestroyWindow(h);
    Pump();
    display::ShutdownDisplay();
  }
  HWND Popup(RECT r, COLORREF fill, DWORD ex = 0, HWND owner = nullptr) {
    HWND h = CreateWindowEx(ex, "ComposeTest", "", WS_POPUP, r.Left, r.Top, r.Width(), r.Height(), owner, nullptr,
                            nullptr, nullptr);
    if (!h) return nullptr;
    made_.push_back(h);
    g_fill[h] = fill;
    ShowWindow(h, SW_SHOWNA);
    return h;
  }
  static void Pump() {
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessage(&m);
    }
  }
  uint32_t ScreenAt(int x, int y) const { return backend_->Screen().At(x, y); }

  display::HeadlessBackend* backend_ = nullptr;
  std::vector<HWND> made_;
};

TEST_F(ComposeTest, AConstantAlphaWindowBlendsOverWhatLiesBelow) {
  Popup({0, 0, 200, 200}, RGB(200, 100, 50));
  HWND glass = Popup({50, 50, 150, 150}, RGB(0, 40, 255), WS_EX_LAYERED);
  for (BYTE alpha : {BYTE(0), BYTE(64), BYTE(128), BYTE(255)}) {
    ASSERT_TRUE(SetLayeredWindowAttributes(glass, 0, alpha, LWA_ALPHA));
    Pump();
    auto mix = [&](double s, double d) { return uint32_t(std::lround((s * alpha + d * (255 - alpha)) / 255.0)); };
    EXPECT_TRUE(Near(ScreenAt(100, 100), Rgb(mix(0, 200), mix(40, 100), mix(255, 50)))) << "alpha " << int(alpha);
    EXPECT_EQ(ScreenAt(20, 20), Rgb(200, 100, 50)) << "outside the layered window";
  }
}

// A 32-bit top-down DIB whose pixels the test writes itself.
struct Dib {
  HDC Dc = nullptr;
  HBITMAP Bmp = nullptr;
  HGDIOBJ Old = nullptr;
  uint32_t* Bits = nullptr;
  int W = 0;
  Dib(int w, int h) : W(w) {
    BITMAPINFO bi{};
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    Dc = CreateCompatibleDC(nullptr);
    Bmp = CreateDIBSection(Dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    Bits = static_cast<uint32_t*>(bits);
    Old = SelectObject(Dc, Bmp);
  }
  ~Dib() {
    SelectObject(Dc, Old);
    DeleteObject(Bmp);
    DeleteDC(Dc);
  }
  uint32_t& At(int x, int y) { return Bits[y * W + x]; }
};

TEST_F(ComposeTest, AnImageWithPerPixelAlphaComposesPremultipliedColourPixelByPixel) {
  Popup({0, 0, 200, 200}, RGB(200, 100, 50));
  HWND shadow = Popup({40, 40, 44, 140}, RGB(255, 255, 255), WS_EX_LAYERED | WS_EX_TOPMOST);
  Pump();
  // A shadow strip: black with alpha 60, 45, 30, 15 across, as menus cast them.
  Dib img(4, 100);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 4; ++x) img.At(x, y) = uint32_t(15 * (4 - x)) << 24;
  // And one premultiplied coloured pixel: half-transparent pure blue.
  img.At(0, 0) = (128u << 24) | 128u;
  struct Row {
    BYTE Constant;
  };
  for (Row row : {Row{255}, Row{128}}) {
    SIZE size{4, 100};
    POINT src{0, 0};
    BLENDFUNCTION bf{AC_SRC_OVER, 0, row.Constant, AC_SRC_ALPHA};
    ASSERT_TRUE(UpdateLayeredWindow(shadow, nullptr, nullptr, &size, img.Dc, &src, 0, &bf, ULW_ALPHA));
    Pump();
    const double k = row.Constant / 255.0;
    for (int x = 0; x < 4; ++x) {
      const double a = 15 * (4 - x) * k;
      auto over = [&](double s, double d) { return uint32_t(std::lround(s * k + d * (255 - a) / 255.0)); };
      EXPECT_TRUE(Near(ScreenAt(40 + x, 70), Rgb(over(0, 200), over(0, 100), over(0, 50))))
          << "column " << x << ", constant alpha " << int(row.Constant);
    }
    const double a = 128 * k;
    auto over = [&](double s, double d) { return uint32_t(std::lround(s * k + d * (255 - a) / 255.0)); };
    EXPECT_TRUE(Near(ScreenAt(40, 40), Rgb(over(0, 200), over(0, 100), over(128, 50))));
  }
  // Setting the constant alpha again turns the image back into an opaque one.
  ASSERT_TRUE(SetLayeredWindowAttributes(shadow, 0, 255, LWA_ALPHA));
  Pump();
  EXPECT_FALSE(backend_->Native(shadow)->PerPixelAlpha);
}

TEST_F(ComposeTest, UpdateLayeredWindowRefusesBadRequestsAndChangesNothing) {
  HWND layered = Popup({10, 10, 60, 60}, RGB(1, 2, 3), WS_EX_LAYERED);
  HWND plain = Popup({100, 10, 150, 60}, RGB(1, 2, 3));
  Pump();
  Dib img(20, 20);
  BLENDFUNCTION bf{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  SIZE big{50, 50}, fits{20, 20};
  POINT origin{0, 0}, inside{5, 5}, pos{300, 300};
  EXPECT_FALSE(UpdateLayeredWindow(layered, nullptr, &pos, &big, img.Dc, &origin, 0, &bf, ULW_ALPHA))
      << "the source is smaller than the size";
  EXPECT_FALSE(UpdateLayeredWindow(layered, nullptr, nullptr, &fits, img.Dc, &inside, 0, &bf, ULW_ALPHA))
      << "the source position leaves too little";
  EXPECT_FALSE(UpdateLayeredWindow(layered, nullptr, nullptr, nullptr, img.Dc, &origin, 0, &bf, ULW_ALPHA))
      << "the window's own 50 x 50 is more than the source holds";
  RECT r;
  GetWindowRect(layered, &r);
  EXPECT_EQ(r, RECT(10, 10, 60, 60)) << "a refused call moves nothing";
  EXPECT_FALSE(UpdateLayeredWindow(plain, nullptr, nullptr, &fits, img.Dc, &origin, 0, &bf, ULW_ALPHA))
      << "not a layered window";
  EXPECT_TRUE(UpdateLayeredWindow(layered, nullptr, &pos, &fits, img.Dc, &origin, 0, &bf, ULW_ALPHA));
  GetWindowRect(layered, &r);
  EXPECT_EQ(r, RECT(300, 300, 320, 320));
  DestroyWindow(layered);
  EXPECT_FALSE(UpdateLayeredWindow(layered, nullptr, nullptr, &fits, img.Dc, &origin, 0, &bf, ULW_ALPHA));
  EXPECT_FALSE(SetLayeredWindowAttributes(layered, 0, 10, LWA_ALPHA));
}

TEST_F(ComposeTest, AWindowRegionCutsTheScreenAndTheClicks) {
  HWND below = Popup({0, 0, 300, 300}, RGB(10, 200, 10));
  HWND cut = Popup({100, 100, 200, 200}, RGB(200, 10, 10));
  // Only the left half of the popup remains.
  ASSERT_NE(SetWindowRgn(cut, CreateRectRgn(0, 0, 50, 100), TRUE), 0);
  Pump();
  EXPECT_EQ(ScreenAt(120, 150), Rgb(200, 10, 10));
  EXPECT_EQ(ScreenAt(170, 150), Rgb(10, 200, 10)) << "the cut-away half shows what lies below";
  // Inside first: a click on the lower window would raise it over the popup.
  backend_->Click(120, 150);
  Pump();
  EXPECT_EQ(std::count(g_got[cut].begin(), g_got[cut].end(), WM_LBUTTONDOWN), 1);
  backend_->Click(170, 150);
  Pump();
  EXPECT_EQ(std::count(g_got[below].begin(), g_got[below].end(), WM_LBUTTONDOWN), 1);
  EXPECT_EQ(std::count(g_got[cut].begin(), g_got[cut].end(), WM_LBUTTONDOWN), 1) << "the click went through";

  // A region handle already freed is refused and the old region stays.
  HRGN freed = CreateRectRgn(0, 0, 100, 100);
  DeleteObject(freed);
  EXPECT_EQ(SetWindowRgn(cut, freed, TRUE), 0);
  Pump();
  EXPECT_EQ(ScreenAt(170, 150), Rgb(10, 200, 10));
  DestroyWindow(cut);
  EXPECT_EQ(SetWindowRgn(cut, CreateRectRgn(0, 0, 1, 1), TRUE), 0) << "a destroyed window";
}

TEST_F(ComposeTest, StackingPutsTopmostPopupsOwnedPopupsAndInsertAfterWhereTheyBelong) {
  HWND owner = Popup({0, 0, 100, 100}, RGB(255, 0, 0));
  HWND top = Popup({50, 0, 150, 100}, RGB(0, 255, 0), WS_EX_TOPMOST);
  HWND owned = Popup({20, 20, 80, 80}, RGB(0, 0, 255), 0, owner);
  HWND other = Popup({0, 0, 100, 100}, RGB(255, 255, 0));
  Pump();
  auto index = [](HWND h) {
    auto v = TopLevelWindows();
    return int(std::find(v.begin(), v.end(), h) - v.begin());
  };
  EXPECT_LT(index(top), index(other)) << "a topmost window stays above the others";
  EXPECT_EQ(ScreenAt(60, 50), Rgb(0, 255, 0));

  SetWindowPos(owner, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Pump();
  EXPECT_LT(index(owned), index(owner)) << "an owned popup stays above its owner";
  EXPECT_LT(index(top), index(owned));
  EXPECT_EQ(ScreenAt(30, 50), Rgb(0, 0, 255));
  EXPECT_EQ(ScreenAt(10, 10), Rgb(255, 0, 0));

  // Directly below X, as a shadow part goes below its bar window.
  SetWindowPos(other, owned, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Pump();
  EXPECT_EQ(index(other), index(owned) + 1);
  EXPECT_EQ(ScreenAt(30, 50), Rgb(0, 0, 255));
  EXPECT_EQ(ScreenAt(10, 10), Rgb(255, 255, 0)) << "now above the owner";
}

TEST_F(ComposeTest, TwoMonitorsWithDifferentWorkAreasAnswerOnEitherSideOfTheSeam) {
  const MonitorArea left{{0, 0, 800, 600}, {0, 0, 800, 560}};
  const MonitorArea right{{800, 0, 1824, 768}, {800, 30, 1824, 768}};
  backend_->SetMonitors({left, right});
  HMONITOR a = MonitorFromPoint({799, 10}, MONITOR_DEFAULTTONULL);
  HMONITOR b = MonitorFromPoint({800, 10}, MONITOR_DEFAULTTONULL);
  ASSERT_TRUE(a && b);
  EXPECT_NE(a, b);
  MONITORINFO ia, ib;
  ASSERT_TRUE(GetMonitorInfo(a, &ia));
  ASSERT_TRUE(GetMonitorInfo(b, &ib));
  EXPECT_EQ(ia.rcMonitor, left.Bounds);
  EXPECT_EQ(ia.rcWork, left.Work);
  EXPECT_EQ(ia.dwFlags, MONITORINFOF_PRIMARY);
  EXPECT_EQ(ib.rcWork, right.Work);
  EXPECT_EQ(ib.dwFlags, 0u);

  struct Case {
    POINT Pt;
    DWORD Flags;
    HMONITOR Want;
  };
  const Case cases[] = {
      {{5000, 10}, MONITOR_DEFAULTTONEAREST, b}, {{-50, 700}, MONITOR_DEFAULTTONEAREST, a},
      {{5000, 10}, MONITOR_DEFAULTTOPRIMARY, a}, {{5000, 10}, MONITOR_DEFAULTTONULL, nullptr},
      {{810, 700}, MONITOR_DEFAULTTONULL, b},    {{700, 650}, MONITOR_DEFAULTTONEAREST, a},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MonitorFromPoint(c.Pt, c.Flags), c.Want) << c.Pt.X << "," << c.Pt.Y << " flags " << c.Flags;
  RECT mostlyRight{780, 100, 900, 200};
  EXPECT_EQ(MonitorFromRect(&mostlyRight, MONITOR_DEFAULTTONULL), b);
  HWND w = Popup({700, 100, 790, 200}, RGB(0, 0, 0));
  EXPECT_EQ(MonitorFromWindow(w, MONITOR_DEFAULTTONULL), a);
  std::vector<RECT> seen;
  RECT clip{700, 0, 900, 50};
  EnumDisplayMonitors(
      nullptr, &clip,
      [](HMONITOR, HDC, RECT* r, LPARAM data) {
        reinterpret_cast<std::vector<RECT>*>(data)->push_back(*r);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&seen));
  EXPECT_EQ(seen, (std::vector<RECT>{{700, 0, 800, 50}, {800, 0, 900, 50}}));
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(work, left.Work) << "the primary's work area";

  // No monitor at all: every question fails instead of inventing one.
  backend_->SetMonitors({});
  EXPECT_EQ(MonitorFromPoint({10, 10}, MONITOR_DEFAULTTONEAREST), nullptr);
  EXPECT_EQ(MonitorFromRect(&mostlyRight, MONITOR_DEFAULTTOPRIMARY), nullptr);
  EXPECT_EQ(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), nullptr);
  EXPECT_FALSE(GetMonitorInfo(a, &ia)) << "a handle of the old list";
  int count = 0;
  EnumDisplayMonitors(
      nullptr, nullptr, [](HMONITOR, HDC, RECT*, LPARAM n) { return ++*reinterpret_cast<int*>(n), TRUE; },
      reinterpret_cast<LPARAM>(&count));
  EXPECT_EQ(count, 0);
}

// A backend that keeps every default answer, as a screen without per-pixel alpha does.
class PlainBackend : public DisplayBackend {
public:
  const char* Name() const override { return "plain"; }
  SIZE ScreenSize() override { return {640, 480}; }
  void WindowCreated(HWND, const NativeWindowState&) override {}
  void WindowChanged(HWND, const NativeWindowState&) override {}
  void WindowDestroyed(HWND) override {}
  void Present(HWND, const Surface&, const RECT&) override {}
};

TEST_F(ComposeTest, User32OffersUpdateLayeredWindowOnlyWhereTheBackendShowsPerPixelAlpha) {
  HMODULE user32 = LoadLibrary("USER32");
  ASSERT_NE(user32, nullptr);
  EXPECT_EQ(GetProcAddress(user32, "UpdateLayeredWindow"), reinterpret_cast<FARPROC>(&UpdateLayeredWindow));
  for (const char* name : {"SetLayeredWindowAttributes", "AnimateWindow"})
    EXPECT_NE(GetProcAddress(user32, name), nullptr) << name;

  display::ShutdownDisplay();
  PlainBackend plain;
  SetDisplayBackend(&plain);
  EXPECT_EQ(GetProcAddress(user32, "UpdateLayeredWindow"), nullptr);
  EXPECT_EQ(GetProcAddress(user32, MAKEINTRESOURCE(13)), nullptr) << "nor by its ordinal";
  for (const char* name : {"SetLayeredWindowAttributes", "AnimateWindow"})
    EXPECT_NE(GetProcAddress(user32, name), nullptr) << name;
  SetDisplayBackend(nullptr);
  FreeLibrary(user32);

  // A test's own table still decides what is there at all.
  backend_ = dynamic_cast<display::HeadlessBackend*>(display::InitDisplay());
  {
    std::vector<ModuleDefinition> mods = PlatformModules();
    for (ModuleDefinition& m : mods)
      std::erase_if(m.Exports, [](const ModuleExport& x) { return x.Name == "AnimateWindow"; });
    ScopedModuleTable table(mods);
    HMODULE u = LoadLibrary("user32.dll");
    ASSERT_NE(u, nullptr);
    EXPECT_EQ(GetProcAddress(u, "AnimateWindow"), nullptr);
    EXPECT_NE(GetProcAddress(u, "UpdateLayeredWindow"), nullptr);
    FreeLibrary(u);
  }
}

TEST_F(ComposeTest, AnimateWindowWithBlendShowsTheWindowAtOnce) {
  HWND menu = Popup({10, 10, 50, 50}, RGB(9, 9, 9));
  ShowWindow(menu, SW_HIDE);
  Pump();
  EXPECT_TRUE(AnimateWindow(menu, 150, AW_BLEND));
  Pump();
  EXPECT_TRUE(IsWindowVisible(menu));
  EXPECT_EQ(ScreenAt(20, 20), Rgb(9, 9, 9));
  DestroyWindow(menu);
  EXPECT_FALSE(AnimateWindow(menu, 150, AW_BLEND));
}

// Moves and paints a main-thread popup the way a menu's opening animation
// does: each frame a SetWindowPos, then GetDC, a BitBlt from a memory
// bitmap and ReleaseDC.
class Animator : public TThread {
public:
  Animator(HWND popup, int frames) : TThread(true), popup_(popup), frames_(frames) {}
  static COLORREF Colour(int i) { return RGB(i * 37 % 256, 255 - i * 11 % 256, i * 5 % 256); }

protected:
  void Execute() override {
    for (int i = 1; i <= frames_ && !Terminated(); ++i) {
      SetWindowPos(popup_, nullptr, 100 + i, 50 + i, 20 + i, 10 + 2 * i,
                   SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
      HDC screen = GetDC(nullptr);
      HDC mem = CreateCompatibleDC(screen);
      HBITMAP bmp = CreateCompatibleBitmap(screen, 20 + i, 10 + 2 * i);
      HGDIOBJ old = SelectObject(mem, bmp);
      RECT all{0, 0, 20 + i, 10 + 2 * i};
      HBRUSH b = CreateSolidBrush(Colour(i));
      FillRect(mem, &all, b);
      DeleteObject(b);
      HDC dc = GetDC(popup_);
      BitBlt(dc, 0, 0, 20 + i, 10 + 2 * i, mem, 0, 0, SRCCOPY);
      ReleaseDC(popup_, dc);
      SelectObject(mem, old);
      DeleteObject(bmp);
      DeleteDC(mem);
      ReleaseDC(nullptr, screen);
    }
  }

private:
  HWND popup_;
  int frames_;
};

TEST_F(ComposeTest, AWorkerMovesAndPaintsAPopupWhileTheMainThreadWaitsForIt) {
  HWND popup = Popup({100, 50, 120, 60}, RGB(0, 0, 0), WS_EX_TOPMOST);
  Pump();
  g_fill.erase(popup);  // like an animated menu, it leaves its pixels to the worker
  constexpr int kFrames = 60;
  auto worker = TThread::Create<Animator>(popup, kFrames);
  worker->Start();
  worker->WaitFor();
  EXPECT_FALSE(worker->FatalException());
  RECT r;
  GetWindowRect(popup, &r);
  EXPECT_EQ(r, RECT(100 + kFrames, 50 + kFrames, 100 + kFrames + 20 + kFrames, 50 + kFrames + 10 + 2 * kFrames));
  Pump();
  const COLORREF c = Animator::Colour(kFrames);
  const uint32_t want = Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
  EXPECT_EQ(ScreenAt(r.Left, r.Top), want);
  EXPECT_EQ(ScreenAt(r.Right - 1, r.Bottom - 1), want);
  EXPECT_EQ(backend_->Native(popup)->Bounds, r);
}

}  // namespace
