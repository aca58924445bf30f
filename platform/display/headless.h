// The headless display: a virtual screen that shows nothing. Every top-level
// window's pixels can be read, the native state the window system asked for
// can be inspected, and input is injected as if a user gave it. Injection
// calls are meant for the display thread (the one that registered the
// backend); the window system routes them to the owning threads.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/backend.h"

namespace display {

class HeadlessBackend : public win::DisplayBackend {
public:
  explicit HeadlessBackend(win::SIZE screen = {1024, 768});

  const char* Name() const override { return "headless"; }
  win::SIZE ScreenSize() override;
  win::RECT WorkArea() override;
  std::vector<win::MonitorArea> Monitors() override;
  bool ShowsPerPixelAlpha() const override { return true; }
  void WindowCreated(win::HWND hwnd, const win::NativeWindowState& state) override;
  void WindowChanged(win::HWND hwnd, const win::NativeWindowState& state) override;
  void WindowDestroyed(win::HWND hwnd) override;
  void Present(win::HWND hwnd, const win::Surface& surface, const win::RECT& dirty) override;
  void Activate(win::HWND hwnd) override;
  void SetCursorShape(win::HCURSOR cursor, int standardId) override;
  void ShowCursor(bool show) override;
  bool SetClipboardText(const std::string& text) override;
  std::optional<std::string> ClipboardText() override;

  // The screen changes size (and work area, the whole screen when empty).
  void SetScreen(win::SIZE size, win::RECT workArea = {});
  // Monitors with their bounds and work areas, primary first (the screen
  // keeps its size); an empty list leaves the window system without any.
  void SetMonitors(std::vector<win::MonitorArea> monitors);

  // Mouse, screen coordinates. Buttons: 0 left, 1 right, 2 middle.
  void MouseMove(int x, int y);
  void MouseDown(int button, int x, int y);
  void MouseUp(int button, int x, int y);
  void Click(int x, int y, int button = 0);
  // One notch is 120; positive rolls away from the user.
  void Wheel(int delta, int x, int y, bool horizontal = false);
  // Keys by virtual key (sided modifiers allowed); ch is the character the
  // key gives, 0 to leave it to the window system's own table.
  void KeyDown(win::UINT vk, char32_t ch = 0);
  void KeyUp(win::UINT vk);
  void Key(win::UINT vk, char32_t ch = 0);
  // Types text key by key on a US layout (Shift where a character needs it).
  void Type(const std::string& text);
  // The user moved, sized or closed a native window (content origin and size).
  void MoveWindow(win::HWND hwnd, int x, int y);
  void ResizeWindow(win::HWND hwnd, int width, int height);
  void CloseWindow(win::HWND hwnd);
  // The native keyboard focus went to one of our windows, or elsewhere (null).
  void FocusWindow(win::HWND hwnd);

  // What the window system last handed over.
  std::optional<win::NativeWindowState> Native(win::HWND hwnd) const;
  int PresentCount(win::HWND hwnd) const;
  int CursorId() const;
  bool CursorVisible() const;
  // A locked screen: GetCursorPos fails until it is unlocked.
  void SetInputDesktopActive(bool active) { inputDesktopActive_ = active; }
  bool InputDesktopActive() const override { return inputDesktopActive_; }
  win::HWND LastActivated() const;
  // A window's current pixels, or the screen as the windows stack on it:
  // cut by their window regions, blended by a layered window's constant
  // alpha, or composed per pixel from premultiplied colour over what lies
  // below (see ComposePixel).
  bool Snapshot(win::HWND hwnd, win::SurfacePixels& out) const;
  win::SurfacePixels Screen(uint32_t background = 0) const;
  // One screen pixel: src (0xAARRGGBB) shown over dst (0x00RRGGBB) with
  // the window's constant alpha and, for perPixel, src's own alpha with
  // premultiplied colour.
  static uint32_t ComposePixel(uint32_t src, uint32_t dst, uint8_t alpha, bool perPixel);

private:
  mutable std::mutex mutex_;
  win::SIZE screen_;
  win::RECT work_;
  std::map<win::HWND, win::NativeWindowState> windows_;
  std::map<win::HWND, int> presents_;
  int cursorId_ = 0;
  bool cursorVisible_ = true;
  bool inputDesktopActive_ = true;
  win::HWND activated_ = nullptr;
  std::optional<std::string> clipboard_;
  std::optional<std::vector<win::MonitorArea>> monitors_;
};

}  // namespace display
