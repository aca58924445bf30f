#include "tests/platform/win/wintest.h"

#include <mutex>

#include "platform/gdi/syscolors.h"

namespace wintest {

namespace {

std::mutex g_mutex;
std::vector<Rec> g_log;
std::map<HWND, Handler> g_handlers;
thread_local Handler t_pending;

LRESULT TestProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  Handler handler;
  {
    std::lock_guard lk(g_mutex);
    g_log.push_back({h, m, w, l});
    if (m == WM_NCCREATE && t_pending) g_handlers[h] = std::move(t_pending);
    auto it = g_handlers.find(h);
    if (it != g_handlers.end()) handler = it->second;
  }
  if (handler)
    if (auto r = handler(h, m, w, l)) return *r;
  return DefWindowProc(h, m, w, l);
}

void RegisterOnce() {
  static bool done = false;
  if (done) return;
  done = true;
  WNDCLASSEX wc;
  wc.lpfnWndProc = TestProc;
  wc.lpszClassName = WinTest::kClass;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(uintptr_t(COLOR_WINDOW + 1));
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  ASSERT_NE(RegisterClassEx(&wc), 0);
  wc.lpszClassName = WinTest::kDblClass;
  wc.style = CS_DBLCLKS;
  ASSERT_NE(RegisterClassEx(&wc), 0);
}

}  // namespace

void WinTest::SetUp() {
  RegisterOnce();
  ClearLog();
}

void WinTest::TearDown() {
  for (auto it = made_.rbegin(); it != made_.rend(); ++it)
    if (IsWindow(*it)) DestroyWindow(*it);
  Pump();
  std::lock_guard lk(g_mutex);
  for (HWND h : made_) g_handlers.erase(h);
  made_.clear();
}

HWND WinTest::Make(DWORD style, RECT r, HWND parent, Handler handler, DWORD exStyle, const char* cls) {
  t_pending = std::move(handler);
  HWND h = CreateWindowEx(exStyle, cls, "test", style, r.Left, r.Top, r.Width(), r.Height(), parent, nullptr,
                          nullptr, nullptr);
  t_pending = nullptr;
  if (h) made_.push_back(h);
  return h;
}

void WinTest::On(HWND hwnd, Handler handler) {
  std::lock_guard lk(g_mutex);
  g_handlers[hwnd] = std::move(handler);
}

void WinTest::Pump() {
  MSG m;
  while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      RepostQuitMessage(m);
      return;
    }
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
}

bool WinTest::PumpUntil(const std::function<bool()>& pred, int guardMs) {
  const auto guard = std::chrono::steady_clock::now() + std::chrono::milliseconds(guardMs);
  while (!pred()) {
    if (std::chrono::steady_clock::now() > guard) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG m;
    while (!pred() && PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessage(&m);
    }
  }
  return true;
}

std::vector<Rec> WinTest::Log(HWND hwnd) const {
  std::lock_guard lk(g_mutex);
  std::vector<Rec> out;
  for (const Rec& r : g_log)
    if (r.Hwnd == hwnd) out.push_back(r);
  return out;
}

std::vector<UINT> WinTest::Messages(HWND hwnd) const {
  std::vector<UINT> out;
  for (const Rec& r : Log(hwnd)) out.push_back(r.Msg);
  return out;
}

int WinTest::Count(HWND hwnd, UINT msg) const {
  int n = 0;
  for (const Rec& r : Log(hwnd)) n += r.Msg == msg;
  return n;
}

void WinTest::ClearLog() {
  std::lock_guard lk(g_mutex);
  g_log.clear();
}

uint32_t WinTest::ClientPixel(HWND hwnd, int x, int y) {
  POINT p{x, y};
  ClientToScreen(hwnd, &p);
  HWND top = GetAncestor(hwnd, GA_ROOT);
  RECT wr;
  GetWindowRect(top, &wr);
  SurfacePixels px;
  if (!CopyWindowSurface(top, px)) return 0xDEADBEEF;
  return px.At(p.X - wr.Left, p.Y - wr.Top);
}

void WinTest::FillClient(HWND hwnd, COLORREF color) {
  HDC dc = GetDC(hwnd);
  RECT r;
  GetClientRect(hwnd, &r);
  HBRUSH b = CreateSolidBrush(color);
  FillRect(dc, &r, b);
  DeleteObject(b);
  ReleaseDC(hwnd, dc);
}

}  // namespace wintest
