// The seam between the window system and a display backend (platform/display).
//
// A backend puts top-level windows on a screen and feeds input back. It is
// registered once at start on the thread that will run the main message loop
// (the display thread); every call below into the backend is made on that
// thread, from its message loop, except Wake, which any thread may call.
//
// What a backend shows of a top-level window: the window's surface (one
// 32-bit surface per top-level window, origin at the window rectangle's
// top-left). A decorated native window (a top-level window with a caption:
// the native window manager draws the frame) shows only the client part and
// sits with its content at the client origin; an undecorated one shows the
// whole window rectangle.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/winuser.h"

namespace win {

struct NativeWindowState {
  bool Visible = false;
  bool Decorated = false;   // the native frame stands in for the caption and border
  bool Popup = false;       // menus, hints, shadows: no taskbar entry, never decorated
  bool Resizable = false;   // a decorated window with a sizing frame
  bool Topmost = false;
  bool NoActivate = false;
  bool FullScreen = false;  // an undecorated window covering the whole screen
  bool Minimized = false;
  uint8_t Alpha = 255;      // constant opacity of a layered window
  bool PerPixelAlpha = false;  // the surface holds premultiplied colour with alpha (UpdateLayeredWindow)
  RECT Bounds;              // screen rectangle of the native content
  RECT Source;              // the part of the surface shown, surface coordinates
  HWND Owner = nullptr;     // the top-level owner, for stacking
  std::string Title;
  friend bool operator==(const NativeWindowState&, const NativeWindowState&) = default;
};

// One monitor of the screen, in screen coordinates.
struct MonitorArea {
  RECT Bounds;
  RECT Work;
  friend bool operator==(const MonitorArea&, const MonitorArea&) = default;
};

class DisplayBackend {
public:
  virtual ~DisplayBackend() = default;
  virtual const char* Name() const = 0;
  virtual SIZE ScreenSize() = 0;
  virtual RECT WorkArea() { SIZE s = ScreenSize(); return {0, 0, s.cx, s.cy}; }
  // The monitors, primary first; one covering the screen by default.
  virtual std::vector<MonitorArea> Monitors() {
    SIZE s = ScreenSize();
    return {{{0, 0, s.cx, s.cy}, WorkArea()}};
  }
  // Whether windows whose surface carries per-pixel alpha are shown
  // composed over what lies below; the module table offers
  // UpdateLayeredWindow only then.
  virtual bool ShowsPerPixelAlpha() const { return false; }

  // A top-level window appeared, changed or went away.
  virtual void WindowCreated(HWND hwnd, const NativeWindowState& state) = 0;
  virtual void WindowChanged(HWND hwnd, const NativeWindowState& state) = 0;
  virtual void WindowDestroyed(HWND hwnd) = 0;
  // Pixels of the surface changed inside dirty (surface coordinates).
  virtual void Present(HWND hwnd, const Surface& surface, const RECT& dirty) = 0;
  // Raise and give keyboard focus to a native window.
  virtual void Activate(HWND hwnd) { (void)hwnd; }

  // standardId is the IDC_ number of a standard cursor, 0 for others.
  virtual void SetCursorShape(HCURSOR cursor, int standardId) { (void)cursor; (void)standardId; }
  virtual void ShowCursor(bool show) { (void)show; }
  virtual void WarpCursor(POINT screen) { (void)screen; }
  // Whether the session's desktop takes input; while it does not (a locked
  // screen) the cursor position cannot be read.
  virtual bool InputDesktopActive() const { return true; }

  // Whether the loop should block in WaitEvents rather than on its own
  // condition variable. A backend that answers true must make Wake end a
  // running WaitEvents promptly (also when Wake came first).
  virtual bool WaitsForEvents() const { return false; }
  // Waits up to timeoutMs (0: just polls) and feeds what arrived through the Input* calls.
  virtual void WaitEvents(int timeoutMs) { (void)timeoutMs; }
  virtual void Wake() {}

  virtual bool SetClipboardText(const std::string& text) { (void)text; return false; }
  virtual std::optional<std::string> ClipboardText() { return std::nullopt; }
};

// Registers the backend (null unregisters and forgets every native window).
// The calling thread becomes the display thread. The screen size of
// platform/gdi follows the backend's. The backend must outlive its
// registration.
void SetDisplayBackend(DisplayBackend* backend);
DisplayBackend* GetDisplayBackend();
// Pushes pending native changes and repaints to the backend now (the loop
// does this whenever it runs out of messages). Display thread only.
void FlushDisplay();

// ---------------------------------------------------------------- input from the backend
// Each call queues one event for the thread that owns the window it concerns;
// the window is found when the thread retrieves it, as the platform does.
// Buttons: 0 left, 1 right, 2 middle, 3 X1, 4 X2.
void InputMouseMove(POINT screen);
void InputMouseButton(int button, bool down, POINT screen);
void InputMouseWheel(int delta, POINT screen, bool horizontal = false);
// vk as in the key table below; ch is the character the key gives with the
// current layout and modifiers, when the backend knows it (0 otherwise).
void InputKey(UINT vk, UINT scanCode, bool extended, bool down, char32_t ch = 0);
// Text that came without a key (input methods): WM_CHAR to the focus window.
void InputText(const std::string& utf8);
// The user moved or sized a native window: the new screen rectangle of its
// native content (the client area of a decorated window).
void InputWindowMoved(HWND hwnd, POINT nativeOrigin);
void InputWindowResized(HWND hwnd, SIZE nativeSize);
void InputCloseRequest(HWND hwnd);  // WM_SYSCOMMAND SC_CLOSE
// The application gained or lost the keyboard focus of the desktop; hwnd is
// the native window that got it (null when another application did).
void InputFocusChanged(HWND hwnd, bool focused);
void InputScreenChanged(SIZE screen, RECT workArea);
// The list of monitors changed (taken at once, on any thread).
void InputMonitorsChanged(std::vector<MonitorArea> monitors);

// ---------------------------------------------------------------- surfaces
// A copy of a top-level window's pixels as 0x00RRGGBB values, top row
// first. False for a stale handle or a child window.
struct SurfacePixels {
  int32_t Width = 0, Height = 0;
  std::vector<uint32_t> Pixels;
  uint32_t At(int32_t x, int32_t y) const { return Pixels[size_t(y) * size_t(Width) + size_t(x)] & 0xFFFFFF; }
};
bool CopyWindowSurface(HWND topLevel, SurfacePixels& out);
// The top-level windows in z-order, topmost first.
std::vector<HWND> TopLevelWindows();
// The native state the window system wants for a top-level window.
bool GetNativeWindowState(HWND topLevel, NativeWindowState& out);

// ---------------------------------------------------------------- the key table
// One table maps the backend's keys, given as USB HID keyboard usages (page
// 7, which is what SDL's scancodes are), to virtual keys, set-1 scan codes and
// the extended flag. Modifiers map to their sided keys (VK_LSHIFT ...); key
// messages carry the generic one (VK_SHIFT ...).
struct KeyMapping {
  UINT Vk = 0;
  UINT Scan = 0;
  bool Extended = false;
};
// layoutChar is the lower-case character the key has on the active layout
// (0 when unknown): letters follow it, so VK_Z is the key that types z.
bool KeyFromHidUsage(uint32_t usage, char32_t layoutChar, KeyMapping& out);
// The table's entry for a virtual key (the first, for keys on the table twice).
bool KeyFromVirtualKey(UINT vk, KeyMapping& out);

}  // namespace win
