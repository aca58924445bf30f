#include "platform/display/headless.h"

#include <algorithm>

#include "platform/rtl/text.h"

namespace display {

using namespace win;

HeadlessBackend::HeadlessBackend(SIZE screen) : screen_(screen), work_{0, 0, screen.cx, screen.cy} {}

SIZE HeadlessBackend::ScreenSize() {
  std::lock_guard lk(mutex_);
  return screen_;
}

RECT HeadlessBackend::WorkArea() {
  std::lock_guard lk(mutex_);
  return work_;
}

std::vector<MonitorArea> HeadlessBackend::Monitors() {
  {
    std::lock_guard lk(mutex_);
    if (monitors_) return *monitors_;
  }
  return DisplayBackend::Monitors();
}

void HeadlessBackend::SetMonitors(std::vector<MonitorArea> monitors) {
  {
    std::lock_guard lk(mutex_);
    monitors_ = monitors;
  }
  InputMonitorsChanged(std::move(monitors));
}

void HeadlessBackend::WindowCreated(HWND hwnd, const NativeWindowState& state) {
  std::lock_guard lk(mutex_);
  windows_[hwnd] = state;
}

void HeadlessBackend::WindowChanged(HWND hwnd, const NativeWindowState& state) {
  std::lock_guard lk(mutex_);
  windows_[hwnd] = state;
}

void HeadlessBackend::WindowDestroyed(HWND hwnd) {
  std::lock_guard lk(mutex_);
  windows_.erase(hwnd);
  presents_.erase(hwnd);
}

void HeadlessBackend::Present(HWND hwnd, const Surface&, const RECT&) {
  std::lock_guard lk(mutex_);
  ++presents_[hwnd];
}

void HeadlessBackend::Activate(HWND hwnd) {
  std::lock_guard lk(mutex_);
  activated_ = hwnd;
}

void HeadlessBackend::SetCursorShape(HCURSOR, int standardId) {
  std::lock_guard lk(mutex_);
  cursorId_ = standardId;
}

void HeadlessBackend::ShowCursor(bool show) {
  std::lock_guard lk(mutex_);
  cursorVisible_ = show;
}

bool HeadlessBackend::SetClipboardText(const std::string& text) {
  std::lock_guard lk(mutex_);
  clipboard_ = text;
  return true;
}

std::optional<std::string> HeadlessBackend::ClipboardText() {
  std::lock_guard lk(mutex_);
  return clipboard_;
}

void HeadlessBackend::SetScreen(SIZE size, RECT workArea) {
  {
    std::lock_guard lk(mutex_);
    screen_ = size;
    work_ = workArea.IsEmpty() ? RECT{0, 0, size.cx, size.cy} : workArea;
  }
  InputScreenChanged(size, WorkArea());
}

void HeadlessBackend::MouseMove(int x, int y) { InputMouseMove({x, y}); }
void HeadlessBackend::MouseDown(int button, int x, int y) { InputMouseButton(button, true, {x, y}); }
void HeadlessBackend::MouseUp(int button, int x, int y) { InputMouseButton(button, false, {x, y}); }

void HeadlessBackend::Click(int x, int y, int button) {
  InputMouseMove({x, y});
  InputMouseButton(button, true, {x, y});
  InputMouseButton(button, false, {x, y});
}

void HeadlessBackend::Wheel(int delta, int x, int y, bool horizontal) {
  InputMouseMove({x, y});
  InputMouseWheel(delta, {x, y}, horizontal);
}

void HeadlessBackend::KeyDown(UINT vk, char32_t ch) {
  KeyMapping k;
  if (!KeyFromVirtualKey(vk, k)) k.Vk = vk;
  InputKey(k.Vk, k.Scan, k.Extended, true, ch);
}

void HeadlessBackend::KeyUp(UINT vk) {
  KeyMapping k;
  if (!KeyFromVirtualKey(vk, k)) k.Vk = vk;
  InputKey(k.Vk, k.Scan, k.Extended, false);
}

void HeadlessBackend::Key(UINT vk, char32_t ch) {
  KeyDown(vk, ch);
  KeyUp(vk);
}

void HeadlessBackend::Type(const std::string& text) {
  for (char16_t u : Utf8ToUtf16(text)) {
    const SHORT scan = VkKeyScan(u);
    if (scan == -1) {
      InputText(Utf16ToUtf8(std::u16string(1, u)));
      continue;
    }
    const UINT vk = UINT(scan & 0xFF);
    const bool shift = scan & 0x100, ctrl = scan & 0x200;
    if (shift) KeyDown(VK_LSHIFT);
    if (ctrl) KeyDown(VK_LCONTROL);
    Key(vk, ctrl ? 0 : u);
    if (ctrl) KeyUp(VK_LCONTROL);
    if (shift) KeyUp(VK_LSHIFT);
  }
}

void HeadlessBackend::MoveWindow(HWND hwnd, int x, int y) { InputWindowMoved(hwnd, {x, y}); }
void HeadlessBackend::ResizeWindow(HWND hwnd, int width, int height) { InputWindowResized(hwnd, {width, height}); }
void HeadlessBackend::CloseWindow(HWND hwnd) { InputCloseRequest(hwnd); }
void HeadlessBackend::FocusWindow(HWND hwnd) { InputFocusChanged(hwnd, hwnd != nullptr); }

std::optional<NativeWindowState> HeadlessBackend::Native(HWND hwnd) const {
  std::lock_guard lk(mutex_);
  auto it = windows_.find(hwnd);
  if (it == windows_.end()) return std::nullopt;
  return it->second;
}

int HeadlessBackend::PresentCount(HWND hwnd) const {
  std::lock_guard lk(mutex_);
  auto it = presents_.find(hwnd);
  return it == presents_.end() ? 0 : it->second;
}

int HeadlessBackend::CursorId() const {
  std::lock_guard lk(mutex_);
  return cursorId_;
}

bool HeadlessBackend::CursorVisible() const {
  std::lock_guard lk(mutex_);
  return cursorVisible_;
}

HWND HeadlessBackend::LastActivated() const {
  std::lock_guard lk(mutex_);
  return activated_;
}

bool HeadlessBackend::Snapshot(HWND hwnd, SurfacePixels& out) const { return CopyWindowSurface(hwnd, out); }

namespace {
uint8_t Scale(uint32_t v, uint32_t k) { return uint8_t((v * k + 127) / 255); }
}  // namespace

uint32_t HeadlessBackend::ComposePixel(uint32_t src, uint32_t dst, uint8_t alpha, bool perPixel) {
  uint32_t out = 0;
  // Premultiplied source: colour and alpha both scale by the constant alpha.
  const uint32_t a = perPixel ? Scale(src >> 24, alpha) : alpha;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
    const uint32_t c = perPixel ? Scale(s, alpha) + Scale(d, 255 - a) : Scale(s, a) + Scale(d, 255 - a);
    out |= std::min<uint32_t>(c, 255) << shift;
  }
  return out;
}

SurfacePixels HeadlessBackend::Screen(uint32_t background) const {
  SurfacePixels screen;
  std::map<HWND, NativeWindowState> windows;
  {
    std::lock_guard lk(mutex_);
    screen.Width = screen_.cx;
    screen.Height = screen_.cy;
    windows = windows_;
  }
  screen.Pixels.assign(size_t(screen.Width) * size_t(screen.Height), background & 0xFFFFFF);
  auto order = TopLevelWindows();
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    auto w = windows.find(*it);
    if (w == windows.end() || !w->second.Visible || w->second.Minimized) continue;
    SurfacePixels px;
    if (!CopyWindowSurface(*it, px)) continue;
    // The window region, in surface (window) coordinates.
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    const bool cut = GetWindowRgn(*it, rgn) != ERROR;
    const NativeWindowState& st = w->second;
    for (int32_t y = st.Source.Top; y < st.Source.Bottom; ++y)
      for (int32_t x = st.Source.Left; x < st.Source.Right; ++x) {
        const int32_t sx = st.Bounds.Left + x - st.Source.Left, sy = st.Bounds.Top + y - st.Source.Top;
        if (x < 0 || y < 0 || x >= px.Width || y >= px.Height) continue;
        if (sx < 0 || sy < 0 || sx >= screen.Width || sy >= screen.Height) continue;
        if (cut && !PtInRegion(rgn, x, y)) continue;
        uint32_t& dst = screen.Pixels[size_t(sy) * size_t(screen.Width) + size_t(sx)];
        const uint32_t src = px.Pixels[size_t(y) * size_t(px.Width) + size_t(x)];
        dst = st.Alpha == 255 && !st.PerPixelAlpha ? src & 0xFFFFFF : ComposePixel(src, dst, st.Alpha, st.PerPixelAlpha);
      }
    DeleteObject(rgn);
  }
  return screen;
}

}  // namespace display
