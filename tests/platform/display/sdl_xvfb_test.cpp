// The SDL display on a real X server (Xvfb): what a window paints must be
// what the X server holds. The test starts itself again under xvfb-run and
// reads the screen back with ImageMagick's import, which asks the X server.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/display/sdl/sdl.h"
#include "platform/gdi/syscolors.h"
#include "tests/support/testsupport.h"

namespace {

using namespace win;

constexpr int kScreenW = 320, kScreenH = 240;
constexpr int kX = 40, kY = 30, kW = 64, kH = 48;

using testsupport::RunCommand;
bool Have(const char* tool) { return testsupport::HaveTool(tool); }

LRESULT QuadrantProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m != WM_PAINT) return DefWindowProc(h, m, w, l);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  const COLORREF colors[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(200, 100, 50)};
  for (int i = 0; i < 4; ++i) {
    RECT r{(i % 2) * kW / 2, (i / 2) * kH / 2, (i % 2 + 1) * kW / 2, (i / 2 + 1) * kH / 2};
    HBRUSH b = CreateSolidBrush(colors[i]);
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
  EndPaint(h, &ps);
  return 0;
}

// The X server's screen as RGB bytes, through import.
std::vector<uint8_t> ReadScreen() {
  int status = 0;
  std::string raw = RunCommand("import -silent -window root -depth 8 rgb:- 2>/dev/null", &status);
  if (status != 0 || raw.size() != size_t(kScreenW) * kScreenH * 3) return {};
  return std::vector<uint8_t>(raw.begin(), raw.end());
}

uint32_t At(const std::vector<uint8_t>& rgb, int x, int y) {
  const size_t i = (size_t(y) * kScreenW + size_t(x)) * 3;
  return (uint32_t(rgb[i]) << 16) | (uint32_t(rgb[i + 1]) << 8) | rgb[i + 2];
}

TEST(SdlDisplay, PixelsReadBackFromTheXServerEqualWhatWasPainted) {
  if (!std::getenv("DUPLEXION_XVFB_CHILD")) {
    if (!Have("xvfb-run")) GTEST_SKIP() << "xvfb-run is not installed (package xvfb): the SDL display is not tested";
    if (!Have("import")) GTEST_SKIP() << "import is not installed (package imagemagick): cannot read the X server back";
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    // What libX11, libSDL2 and libdbus keep until exit is theirs, not a leak of ours.
    const char* lsan = std::getenv("LSAN_OPTIONS");
    const std::string lsanOptions =
        lsan ? std::string(lsan) : std::string("suppressions=") + DUPLEXION_LSAN_SUPP + ":print_suppressions=0";
    const std::string cmd = "LSAN_OPTIONS='" + lsanOptions + "' DUPLEXION_XVFB_CHILD=1 xvfb-run -a -s '-screen 0 " + std::to_string(kScreenW) + "x" +
                            std::to_string(kScreenH) + "x24' '" + self +
                            "' --gtest_filter=SdlDisplay.PixelsReadBackFromTheXServerEqualWhatWasPainted 2>&1";
    int status = 0;
    const std::string out = RunCommand(cmd, &status);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << out;
    EXPECT_NE(out.find("[  PASSED  ] 1 test"), std::string::npos) << "the test under Xvfb did not run:\n" << out;
    return;
  }
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "DISPLAY is not set";

  std::string error;
  std::unique_ptr<display::SdlBackend> sdl = display::SdlBackend::Create(&error);
  ASSERT_TRUE(sdl) << error;
  SetDisplayBackend(sdl.get());
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), kScreenW);

  WNDCLASSEX wc;
  wc.lpfnWndProc = QuadrantProc;
  wc.lpszClassName = "SdlXvfbTest";
  ASSERT_NE(RegisterClassEx(&wc), 0);
  HWND w = CreateWindowEx(WS_EX_TOPMOST, "SdlXvfbTest", "", WS_POPUP | WS_VISIBLE, kX, kY, kW, kH, nullptr, nullptr,
                          nullptr, nullptr);
  ASSERT_NE(w, nullptr);

  const uint32_t expected[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xC86432};
  const POINT probes[4] = {{kX + kW / 4, kY + kH / 4}, {kX + 3 * kW / 4, kY + kH / 4},
                           {kX + kW / 4, kY + 3 * kH / 4}, {kX + 3 * kW / 4, kY + 3 * kH / 4}};
  std::vector<uint8_t> screen;
  bool match = false;
  // The X server takes the window and its pixels asynchronously: look again
  // while the loop runs, within a generous bound that only guards a hang.
  for (int attempt = 0; attempt < 100 && !match; ++attempt) {
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&m);
    FlushDisplay();
    screen = ReadScreen();
    match = !screen.empty();
    for (int i = 0; match && i < 4; ++i) match = At(screen, probes[i].X, probes[i].Y) == expected[i];
    if (!match) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ASSERT_FALSE(screen.empty()) << "import could not read the screen";
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(At(screen, probes[i].X, probes[i].Y), expected[i]) << "quadrant " << i;
  EXPECT_NE(At(screen, kX + kW + 5, kY + 5), expected[1]) << "nothing outside the window";

  DestroyWindow(w);
  FlushDisplay();
  SetDisplayBackend(nullptr);
  sdl.reset();
}

}  // namespace
