// The headless backend and the start-up choice of backend.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <vector>

#include "platform/display/display.h"
#include "platform/display/headless.h"
#include "platform/gdi/syscolors.h"
#include "tests/platform/display/paint_solid.h"

namespace {

using namespace win;

TEST(ChooseBackend, FollowsTheEnvironment) {
  struct Row {
    const char* Requested;
    const char* X11;
    const char* Wayland;
    const char* Expected;
    bool Note;
  };
  const Row rows[] = {
      {"headless", ":0", nullptr, "headless", false}, {"sdl", nullptr, nullptr, "sdl", false},
      {nullptr, ":1", nullptr, "sdl", false},         {nullptr, nullptr, "wayland-0", "sdl", false},
      {nullptr, nullptr, nullptr, "headless", true},  {"", "", "", "headless", true},
      {"vulkan", ":0", nullptr, "", true},
  };
  for (const Row& r : rows) {
    std::string note;
    EXPECT_EQ(display::ChooseBackendName(r.Requested, r.X11, r.Wayland, &note), r.Expected)
        << (r.Requested ? r.Requested : "(unset)");
    EXPECT_EQ(!note.empty(), r.Note);
  }
}

// The library never picks a backend itself: without the program's choice the
// start raises, naming the calls that choose; with one it uses it, whatever
// the environment asks for.
TEST(ChooseBackend, TheProgramChoosesAndNothingIsPickedForIt) {
  display::ClearDisplayChoice();
  EXPECT_FALSE(display::DisplayChosen());
  try {
    display::InitDisplay();
    ADD_FAILURE() << "started without a choice";
  } catch (const EInvalidOperation& e) {
    EXPECT_NE(std::string(e.Message()).find("UseHeadlessDisplay"), std::string::npos) << e.Message();
  }
  EXPECT_EQ(GetDisplayBackend(), nullptr);

  int made = 0;
  display::UseScreenDisplay([&made](std::string* error) -> std::unique_ptr<DisplayBackend> {
    ++made;
    *error = "no screen here";
    return nullptr;
  });
  setenv("DUPLEXION_DISPLAY", "sdl", 1);
  EXPECT_NE(dynamic_cast<display::HeadlessBackend*>(display::InitDisplay()), nullptr) << "a failed screen falls back";
  EXPECT_EQ(made, 1);
  display::UseHeadlessDisplay();
  EXPECT_NE(dynamic_cast<display::HeadlessBackend*>(display::InitDisplay()), nullptr);
  EXPECT_EQ(made, 1) << "the headless choice ignores the environment";
  unsetenv("DUPLEXION_DISPLAY");
  display::ShutdownDisplay();
}

std::vector<std::pair<HWND, MSG>> g_log;
std::map<HWND, COLORREF> g_paint;

LRESULT Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  MSG rec;
  rec.message = m;
  rec.wParam = w;
  rec.lParam = l;
  g_log.push_back({h, rec});
  if (m == WM_PAINT && g_paint.count(h)) {
    PaintClientSolid(h, g_paint[h]);
    return 0;
  }
  return DefWindowProc(h, m, w, l);
}

class HeadlessTest : public ::testing::Test {
protected:
  void SetUp() override {
    display::UseHeadlessDisplay();
    backend_ = dynamic_cast<display::HeadlessBackend*>(display::InitDisplay());
    ASSERT_NE(backend_, nullptr);
    static bool registered = false;
    if (!registered) {
      WNDCLASSEX wc;
      wc.lpfnWndProc = Proc;
      wc.lpszClassName = "HeadlessTest";
      wc.hCursor = LoadCursor(nullptr, IDC_HAND);
      ASSERT_NE(RegisterClassEx(&wc), 0);
      registered = true;
    }
    g_log.clear();
    g_paint.clear();
  }
  void TearDown() override {
    for (HWND h : made_)
      if (IsWindow(h)) DestroyWindow(h);
    Pump();
    display::ShutdownDisplay();
    unsetenv("DUPLEXION_DISPLAY");
  }
  HWND Make(DWORD style, RECT r, COLORREF paint, DWORD ex = 0) {
    HWND h = CreateWindowEx(ex, "HeadlessTest", "Duplexion", style, r.Left, r.Top, r.Width(), r.Height(), nullptr,
                            nullptr, nullptr, nullptr);
    if (h) {
      made_.push_back(h);
      g_paint[h] = paint;
      InvalidateRect(h, nullptr, TRUE);
    }
    return h;
  }
  // The loop as the application runs it; it hands the results to the backend when idle.
  static void Pump() {
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessage(&m);
    }
  }
  static std::vector<UINT> Received(HWND h, UINT m) {
    std::vector<UINT> out;
    for (auto& [hw, rec] : g_log)
      if (hw == h && rec.message == m) out.push_back(UINT(rec.wParam));
    return out;
  }

  display::HeadlessBackend* backend_ = nullptr;
  std::vector<HWND> made_;
};

TEST_F(HeadlessTest, NativeWindowsShowWhatTheWindowSystemAsks) {
  HWND framed = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 300, 250}, RGB(255, 0, 0));
  HWND popup = Make(WS_POPUP | WS_VISIBLE, {400, 50, 450, 80}, RGB(0, 0, 255), WS_EX_NOACTIVATE | WS_EX_TOPMOST);
  Pump();
  auto f = backend_->Native(framed);
  auto p = backend_->Native(popup);
  ASSERT_TRUE(f && p);
  RECT client;
  GetClientRect(framed, &client);
  POINT o{0, 0};
  ClientToScreen(framed, &o);
  EXPECT_TRUE(f->Decorated);
  EXPECT_EQ(f->Bounds, RECT(o.X, o.Y, o.X + client.Right, o.Y + client.Bottom)) << "the native frame replaces ours";
  EXPECT_EQ(f->Title, "Duplexion");
  EXPECT_FALSE(p->Decorated);
  EXPECT_TRUE(p->Popup && p->Topmost && p->NoActivate);
  EXPECT_EQ(p->Bounds, RECT(400, 50, 450, 80));
  EXPECT_GT(backend_->PresentCount(framed), 0);
  SurfacePixels screen = backend_->Screen();
  EXPECT_EQ(screen.At(o.X + 5, o.Y + 5), 0xFF0000u);
  EXPECT_EQ(screen.At(420, 60), 0x0000FFu);
  EXPECT_EQ(screen.At(10, 10), 0u);
  EXPECT_EQ(backend_->LastActivated(), framed);
}

TEST_F(HeadlessTest, AUserMoveOrResizeOfTheNativeWindowMovesTheWindow) {
  HWND framed = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 300, 250}, RGB(255, 0, 0));
  Pump();
  RECT before;
  GetWindowRect(framed, &before);
  POINT o{0, 0};
  ClientToScreen(framed, &o);
  g_log.clear();
  backend_->MoveWindow(framed, o.X + 30, o.Y + 40);  // the content's new origin
  Pump();
  RECT after;
  GetWindowRect(framed, &after);
  EXPECT_EQ(after.Left, before.Left + 30);
  EXPECT_EQ(after.Top, before.Top + 40);
  EXPECT_EQ(after.Width(), before.Width());
  EXPECT_EQ(Received(framed, WM_MOVE).size(), 1u);
  backend_->ResizeWindow(framed, 320, 200);
  Pump();
  RECT client;
  GetClientRect(framed, &client);
  EXPECT_EQ(client, RECT(0, 0, 320, 200));
  EXPECT_EQ(backend_->Native(framed)->Bounds.Width(), 320);
  backend_->CloseWindow(framed);
  Pump();
  EXPECT_FALSE(IsWindow(framed)) << "closing goes through WM_SYSCOMMAND and WM_CLOSE to DestroyWindow";
  EXPECT_FALSE(backend_->Native(framed));
}

TEST_F(HeadlessTest, InjectedInputReachesTheWindows) {
  HWND w = Make(WS_POPUP | WS_VISIBLE, {200, 200, 300, 300}, RGB(0, 255, 0));
  Pump();
  backend_->Click(250, 260);
  backend_->Type("Hi!");
  Pump();
  std::vector<UINT> chars = Received(w, WM_CHAR);
  EXPECT_EQ(chars, (std::vector<UINT>{'H', 'i', '!'}));
  bool clicked = false;
  for (auto& [h, rec] : g_log)
    if (h == w && rec.message == WM_LBUTTONDOWN) clicked = MAKEPOINT(rec.lParam) == POINT(50, 60);
  EXPECT_TRUE(clicked);
  EXPECT_EQ(backend_->CursorId(), 32649) << "the class cursor was set over the client area";
}

TEST_F(HeadlessTest, AFramelessWindowOverTheWholeScreenGoesFullScreen) {
  const SIZE s = backend_->ScreenSize();
  HWND w = Make(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, RGB(0, 0, 0));
  Pump();
  EXPECT_FALSE(backend_->Native(w)->FullScreen);
  ShowWindow(w, SW_SHOWMAXIMIZED);
  Pump();
  EXPECT_TRUE(backend_->Native(w)->FullScreen);
  EXPECT_EQ(backend_->Native(w)->Bounds, RECT(0, 0, s.cx, s.cy));
  ShowWindow(w, SW_RESTORE);
  Pump();
  EXPECT_FALSE(backend_->Native(w)->FullScreen);
}

TEST_F(HeadlessTest, ClipboardTextTravelsToAndFromTheBackend) {
  const char16_t text[] = u"Stereo ✓";
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
  std::memcpy(GlobalLock(h), text, sizeof text);
  GlobalUnlock(h);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, h);
  CloseClipboard();
  EXPECT_EQ(backend_->ClipboardText().value_or(""), "Stereo ✓");

  backend_->SetClipboardText("from elsewhere");
  ASSERT_TRUE(OpenClipboard(nullptr));
  auto* got = static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT)));
  ASSERT_NE(got, nullptr);
  EXPECT_STREQ(got, "from elsewhere");
  GlobalUnlock(GetClipboardData(CF_TEXT));
  CloseClipboard();
}

TEST_F(HeadlessTest, TheScreenSizeFollowsTheBackend) {
  backend_->SetScreen({800, 600}, {0, 0, 800, 560});
  Pump();
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(work, RECT(0, 0, 800, 560));
  backend_->SetScreen({1024, 768});
  Pump();
}

}  // namespace
