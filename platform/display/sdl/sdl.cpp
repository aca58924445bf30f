#include "platform/display/sdl/sdl.h"

#include "platform/display/display.h"

#include <SDL.h>

#include <atomic>
#include <cstring>
#include <map>

#include "platform/gdi/icon.h"
#include "platform/rtl/text.h"

namespace display {

using namespace win;

namespace {

struct NativeWindow {
  SDL_Window* Window = nullptr;
  NativeWindowState State;
};

int SdlButton(uint8_t b) {
  switch (b) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    case SDL_BUTTON_X1: return 3;
    case SDL_BUTTON_X2: return 4;
    default: return -1;
  }
}

SDL_SystemCursor SystemCursorFor(int id) {
  switch (id) {
    case 32513: return SDL_SYSTEM_CURSOR_IBEAM;
    case 32514: return SDL_SYSTEM_CURSOR_WAIT;
    case 32515: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case 32642: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case 32643: return SDL_SYSTEM_CURSOR_SIZENESW;
    case 32644: return SDL_SYSTEM_CURSOR_SIZEWE;
    case 32645: return SDL_SYSTEM_CURSOR_SIZENS;
    case 32640:
    case 32646: return SDL_SYSTEM_CURSOR_SIZEALL;
    case 32648: return SDL_SYSTEM_CURSOR_NO;
    case 32649: return SDL_SYSTEM_CURSOR_HAND;
    case 32650: return SDL_SYSTEM_CURSOR_WAITARROW;
    default: return SDL_SYSTEM_CURSOR_ARROW;
  }
}

}  // namespace

struct SdlBackend::Impl {
  Uint32 WakeEvent = 0;
  std::atomic<bool> WakePending{false};
  std::map<HWND, NativeWindow> Windows;
  std::map<Uint32, HWND> ById;
  std::map<int, SDL_Cursor*> SystemCursors;
  SDL_Cursor* Custom = nullptr;
  bool CursorShown = true;
  bool HaveCursor = true;
  bool FocusLostPending = false;

  HWND HwndOf(Uint32 windowId) const {
    auto it = ById.find(windowId);
    return it == ById.end() ? nullptr : it->second;
  }
  SDL_Window* WindowOf(HWND h) const {
    auto it = Windows.find(h);
    return it == Windows.end() ? nullptr : it->second.Window;
  }
  POINT ToScreen(Uint32 windowId, int x, int y) const {
    SDL_Window* w = SDL_GetWindowFromID(windowId);
    int wx = 0, wy = 0;
    if (w) SDL_GetWindowPosition(w, &wx, &wy);
    return {wx + x, wy + y};
  }

  void Apply(NativeWindow& nw, const NativeWindowState& st, bool first) {
    SDL_Window* w = nw.Window;
    const NativeWindowState& old = nw.State;
    if (first || st.Title != old.Title) SDL_SetWindowTitle(w, st.Title.c_str());
    if (first || st.Decorated != old.Decorated) SDL_SetWindowBordered(w, st.Decorated ? SDL_TRUE : SDL_FALSE);
    if (first || st.Resizable != old.Resizable) SDL_SetWindowResizable(w, st.Resizable ? SDL_TRUE : SDL_FALSE);
    if (first || st.Topmost != old.Topmost) SDL_SetWindowAlwaysOnTop(w, st.Topmost ? SDL_TRUE : SDL_FALSE);
    if (first || st.Alpha != old.Alpha) SDL_SetWindowOpacity(w, float(st.Alpha) / 255.0f);
    if (!first && old.FullScreen && !st.FullScreen) SDL_SetWindowFullscreen(w, 0);
    if (!st.FullScreen) {
      if (first || st.Bounds.Width() != old.Bounds.Width() || st.Bounds.Height() != old.Bounds.Height() ||
          old.FullScreen)
        SDL_SetWindowSize(w, std::max(st.Bounds.Width(), 1), std::max(st.Bounds.Height(), 1));
      if (first || st.Bounds.Left != old.Bounds.Left || st.Bounds.Top != old.Bounds.Top || old.FullScreen)
        SDL_SetWindowPosition(w, st.Bounds.Left, st.Bounds.Top);
    }
    const bool show = st.Visible && !st.Bounds.IsEmpty();
    const bool wasShown = !first && old.Visible && !old.Bounds.IsEmpty();
    if (show && !wasShown) SDL_ShowWindow(w);
    if (!show && wasShown) SDL_HideWindow(w);
    if (st.FullScreen && (first || !old.FullScreen)) SDL_SetWindowFullscreen(w, SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (show && st.Minimized && (first || !old.Minimized)) SDL_MinimizeWindow(w);
    if (show && !st.Minimized && !first && old.Minimized) SDL_RestoreWindow(w);
    nw.State = st;
  }

  // Copies the window's whole surface again (after a resize or an expose).
  void PresentAll(HWND h) {
    auto it = Windows.find(h);
    if (it == Windows.end()) return;
    SurfacePixels px;
    if (!CopyWindowSurface(h, px) || px.Width <= 0 || px.Height <= 0) return;
    Surface s;
    s.Bits = reinterpret_cast<uint8_t*>(px.Pixels.data());
    s.Width = px.Width;
    s.Height = px.Height;
    s.Stride = ptrdiff_t(px.Width) * 4;
    Blit(it->second, s, {0, 0, px.Width, px.Height});
  }

  void Blit(NativeWindow& nw, const Surface& surface, const RECT& dirty) {
    SDL_Surface* ws = SDL_GetWindowSurface(nw.Window);
    if (!ws) return;
    const RECT src = nw.State.Source;
    RECT part;
    if (!IntersectRect(part, dirty, src)) return;
    // Destination in the native window: the part's offset from the source's corner.
    int x0 = part.Left - src.Left, y0 = part.Top - src.Top;
    int w = std::min(part.Width(), ws->w - x0), h = std::min(part.Height(), ws->h - y0);
    if (w <= 0 || h <= 0 || x0 < 0 || y0 < 0) return;
    const uint8_t* from = surface.Bits + ptrdiff_t(part.Top) * surface.Stride + ptrdiff_t(part.Left) * 4;
    if (SDL_MUSTLOCK(ws)) SDL_LockSurface(ws);
    uint8_t* to = static_cast<uint8_t*>(ws->pixels) + ptrdiff_t(y0) * ws->pitch + ptrdiff_t(x0) * ws->format->BytesPerPixel;
    if (ws->format->format == SDL_PIXELFORMAT_RGB888 || ws->format->format == SDL_PIXELFORMAT_ARGB8888) {
      for (int y = 0; y < h; ++y) std::memcpy(to + ptrdiff_t(y) * ws->pitch, from + ptrdiff_t(y) * surface.Stride, size_t(w) * 4);
    } else {
      SDL_ConvertPixels(w, h, SDL_PIXELFORMAT_RGB888, from, int(surface.Stride), ws->format->format, to, ws->pitch);
    }
    if (SDL_MUSTLOCK(ws)) SDL_UnlockSurface(ws);
    SDL_Rect r{x0, y0, w, h};
    SDL_UpdateWindowSurfaceRects(nw.Window, &r, 1);
  }

  void HandleKey(const SDL_KeyboardEvent& k) {
    const bool down = k.type == SDL_KEYDOWN;
    const SDL_Keycode sym = k.keysym.sym;
    const char32_t layout = (sym >= 'a' && sym <= 'z') ? char32_t(sym) : 0;
    KeyMapping m;
    if (!KeyFromHidUsage(uint32_t(k.keysym.scancode), layout, m)) return;
    char32_t ch = 0;
    std::string rest;
    if (down) {
      // The text a key typed follows it in the same batch of events.
      SDL_Event t;
      if (SDL_PeepEvents(&t, 1, SDL_PEEKEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT) == 1) {
        SDL_PeepEvents(&t, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT);
        std::string text = t.text.text;
        size_t pos = 0;
        if (!text.empty()) ch = Utf8NextCodePoint(text, pos);
        rest = text.substr(pos);
      }
    }
    InputKey(m.Vk, m.Scan, m.Extended, down, ch);
    if (!rest.empty()) InputText(rest);
  }

  void Handle(const SDL_Event& e) {
    if (e.type == WakeEvent) {
      WakePending = false;
      return;
    }
    switch (e.type) {
      case SDL_MOUSEMOTION: InputMouseMove(ToScreen(e.motion.windowID, e.motion.x, e.motion.y)); break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        int b = SdlButton(e.button.button);
        if (b >= 0) InputMouseButton(b, e.type == SDL_MOUSEBUTTONDOWN, ToScreen(e.button.windowID, e.button.x, e.button.y));
        break;
      }
      case SDL_MOUSEWHEEL: {
        int x = 0, y = 0;
        SDL_GetMouseState(&x, &y);
        POINT p = ToScreen(e.wheel.windowID, x, y);
        const int flip = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
        if (e.wheel.y) InputMouseWheel(flip * e.wheel.y * WHEEL_DELTA, p, false);
        if (e.wheel.x) InputMouseWheel(flip * e.wheel.x * WHEEL_DELTA, p, true);
        break;
      }
      case SDL_KEYDOWN:
      case SDL_KEYUP: HandleKey(e.key); break;
      case SDL_TEXTINPUT: InputText(e.text.text); break;
      case SDL_WINDOWEVENT: {
        HWND h = HwndOf(e.window.windowID);
        if (!h) break;
        switch (e.window.event) {
          case SDL_WINDOWEVENT_MOVED:
            if (auto it = Windows.find(h); it != Windows.end() && !it->second.State.FullScreen)
              InputWindowMoved(h, {e.window.data1, e.window.data2});
            break;
          case SDL_WINDOWEVENT_SIZE_CHANGED:
            if (auto it = Windows.find(h); it != Windows.end() && !it->second.State.FullScreen)
              InputWindowResized(h, {e.window.data1, e.window.data2});
            PresentAll(h);
            break;
          case SDL_WINDOWEVENT_EXPOSED:
            if (SDL_Window* w = WindowOf(h)) SDL_UpdateWindowSurface(w);
            break;
          case SDL_WINDOWEVENT_CLOSE: InputCloseRequest(h); break;
          case SDL_WINDOWEVENT_FOCUS_GAINED:
            FocusLostPending = false;
            InputFocusChanged(h, true);
            break;
          case SDL_WINDOWEVENT_FOCUS_LOST: FocusLostPending = true; break;
          case SDL_WINDOWEVENT_LEAVE: {
            // The mouse left our windows: a move to where it is now lets
            // mouse-leave tracking notice.
            int x = 0, y = 0;
            SDL_GetGlobalMouseState(&x, &y);
            InputMouseMove({x, y});
            break;
          }
          default: break;
        }
        break;
      }
      case SDL_DISPLAYEVENT: {
        SDL_DisplayMode mode;
        SDL_Rect usable;
        if (SDL_GetDesktopDisplayMode(0, &mode) == 0 && SDL_GetDisplayUsableBounds(0, &usable) == 0)
          InputScreenChanged({mode.w, mode.h}, {usable.x, usable.y, usable.x + usable.w, usable.y + usable.h});
        break;
      }
      default: break;
    }
  }

  void AfterBatch() {
    // Focus moving between two of our windows is not a deactivation.
    if (FocusLostPending && !SDL_GetKeyboardFocus()) InputFocusChanged(nullptr, false);
    FocusLostPending = false;
  }
};

std::unique_ptr<SdlBackend> SdlBackend::Create(std::string* error) {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    if (error) *error = SDL_GetError();
    SDL_Quit();
    return nullptr;
  }
  auto impl = std::make_unique<Impl>();
  impl->WakeEvent = SDL_RegisterEvents(1);
  SDL_StartTextInput();
  return std::unique_ptr<SdlBackend>(new SdlBackend(std::move(impl)));
}

SdlBackend::SdlBackend(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

SdlBackend::~SdlBackend() {
  for (auto& [h, nw] : impl_->Windows) SDL_DestroyWindow(nw.Window);
  impl_->Windows.clear();
  for (auto& [id, c] : impl_->SystemCursors) SDL_FreeCursor(c);
  if (impl_->Custom) SDL_FreeCursor(impl_->Custom);
  SDL_StopTextInput();
  SDL_Quit();
}

SIZE SdlBackend::ScreenSize() {
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return {1024, 768};
  return {mode.w, mode.h};
}

RECT SdlBackend::WorkArea() {
  SDL_Rect r;
  if (SDL_GetDisplayUsableBounds(0, &r) != 0) {
    SIZE s = ScreenSize();
    return {0, 0, s.cx, s.cy};
  }
  return {r.x, r.y, r.x + r.w, r.y + r.h};
}

void SdlBackend::WindowCreated(HWND hwnd, const NativeWindowState& state) {
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (!state.Decorated) flags |= SDL_WINDOW_BORDERLESS;
  if (state.Popup) flags |= SDL_WINDOW_SKIP_TASKBAR | (state.NoActivate || state.Topmost ? SDL_WINDOW_POPUP_MENU : 0);
  const RECT b = state.Bounds;
  SDL_Window* w = SDL_CreateWindow(state.Title.c_str(), b.Left, b.Top, std::max(b.Width(), 1), std::max(b.Height(), 1),
                                   flags);
  if (!w) return;
  NativeWindow& nw = impl_->Windows[hwnd];
  nw.Window = w;
  impl_->ById[SDL_GetWindowID(w)] = hwnd;
  impl_->Apply(nw, state, true);
}

void SdlBackend::WindowChanged(HWND hwnd, const NativeWindowState& state) {
  auto it = impl_->Windows.find(hwnd);
  if (it == impl_->Windows.end()) return;
  impl_->Apply(it->second, state, false);
}

void SdlBackend::WindowDestroyed(HWND hwnd) {
  auto it = impl_->Windows.find(hwnd);
  if (it == impl_->Windows.end()) return;
  impl_->ById.erase(SDL_GetWindowID(it->second.Window));
  SDL_DestroyWindow(it->second.Window);
  impl_->Windows.erase(it);
}

void SdlBackend::Present(HWND hwnd, const Surface& surface, const RECT& dirty) {
  auto it = impl_->Windows.find(hwnd);
  if (it == impl_->Windows.end()) return;
  impl_->Blit(it->second, surface, dirty);
}

void SdlBackend::Activate(HWND hwnd) {
  auto it = impl_->Windows.find(hwnd);
  if (it == impl_->Windows.end() || it->second.State.Popup || it->second.State.NoActivate) return;
  SDL_RaiseWindow(it->second.Window);
}

void SdlBackend::SetCursorShape(HCURSOR cursor, int standardId) {
  impl_->HaveCursor = cursor != nullptr;
  if (cursor && standardId == 0 && IsValidGdiObject(cursor)) {
    const IconObject* ic = cursor;
    std::vector<uint32_t> px(ic->Color.size());
    for (size_t i = 0; i < px.size(); ++i) {
      const bool clear = i < ic->And.size() && ic->And[i];
      px[i] = ic->HasAlpha ? ic->Color[i] : ((ic->Color[i] & 0xFFFFFF) | (clear ? 0 : 0xFF000000u));
    }
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(px.data(), ic->Width, ic->Height, 32, ic->Width * 4,
                                                        SDL_PIXELFORMAT_ARGB8888);
    if (s) {
      SDL_Cursor* c = SDL_CreateColorCursor(s, ic->HotX, ic->HotY);
      SDL_FreeSurface(s);
      if (c) {
        SDL_SetCursor(c);
        if (impl_->Custom) SDL_FreeCursor(impl_->Custom);
        impl_->Custom = c;
      }
    }
  } else if (cursor) {
    SDL_Cursor*& c = impl_->SystemCursors[standardId];
    if (!c) c = SDL_CreateSystemCursor(SystemCursorFor(standardId));
    if (c) SDL_SetCursor(c);
  }
  SDL_ShowCursor(impl_->CursorShown && impl_->HaveCursor ? SDL_ENABLE : SDL_DISABLE);
}

void SdlBackend::ShowCursor(bool show) {
  impl_->CursorShown = show;
  SDL_ShowCursor(impl_->CursorShown && impl_->HaveCursor ? SDL_ENABLE : SDL_DISABLE);
}

void SdlBackend::WarpCursor(POINT screen) { SDL_WarpMouseGlobal(screen.X, screen.Y); }

void SdlBackend::WaitEvents(int timeoutMs) {
  SDL_Event e;
  if (timeoutMs > 0) {
    if (!SDL_WaitEventTimeout(&e, timeoutMs)) return;
    impl_->Handle(e);
  }
  while (SDL_PollEvent(&e)) impl_->Handle(e);
  impl_->AfterBatch();
}

void SdlBackend::Wake() {
  if (impl_->WakePending.exchange(true)) return;
  SDL_Event e;
  SDL_zero(e);
  e.type = impl_->WakeEvent;
  if (SDL_PushEvent(&e) != 1) impl_->WakePending = false;
}

bool SdlBackend::SetClipboardText(const std::string& text) { return SDL_SetClipboardText(text.c_str()) == 0; }

std::optional<std::string> SdlBackend::ClipboardText() {
  if (!SDL_HasClipboardText()) return std::nullopt;
  char* t = SDL_GetClipboardText();
  if (!t) return std::nullopt;
  std::string s = t;
  SDL_free(t);
  return s;
}

void UseSdlDisplay() {
  UseScreenDisplay([](std::string* error) -> std::unique_ptr<win::DisplayBackend> { return SdlBackend::Create(error); });
}

}  // namespace display
