// The SDL2 display: every top-level window is an SDL window. Windows with a
// caption get the native frame and show their client area; the others
// (popups, menus, hints, shadows) are borderless and show their whole
// window rectangle; menus and hints are override-redirect popups. A window
// covering the whole screen without a frame goes full screen on the desktop's
// mode. Keys go through the window system's key table (SDL scancodes are USB
// HID usages); text input rides along with the key that typed it.
#pragma once

#include <memory>
#include <string>

#include "platform/win/backend.h"

namespace display {

// The program's choice of a real screen: SDL2 when the environment asks for a
// screen (see ChooseBackendName), headless otherwise or when SDL cannot start.
void UseSdlDisplay();

class SdlBackend : public win::DisplayBackend {
public:
  // Null, with the reason in error, when SDL's video cannot start.
  static std::unique_ptr<SdlBackend> Create(std::string* error);
  ~SdlBackend() override;

  const char* Name() const override { return "sdl"; }
  win::SIZE ScreenSize() override;
  win::RECT WorkArea() override;
  void WindowCreated(win::HWND hwnd, const win::NativeWindowState& state) override;
  void WindowChanged(win::HWND hwnd, const win::NativeWindowState& state) override;
  void WindowDestroyed(win::HWND hwnd) override;
  void Present(win::HWND hwnd, const win::Surface& surface, const win::RECT& dirty) override;
  void Activate(win::HWND hwnd) override;
  void SetCursorShape(win::HCURSOR cursor, int standardId) override;
  void ShowCursor(bool show) override;
  void WarpCursor(win::POINT screen) override;
  bool WaitsForEvents() const override { return true; }
  void WaitEvents(int timeoutMs) override;
  void Wake() override;
  bool SetClipboardText(const std::string& text) override;
  std::optional<std::string> ClipboardText() override;

private:
  struct Impl;
  explicit SdlBackend(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace display
