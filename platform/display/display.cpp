#include "platform/display/display.h"

#include <cstdio>
#include <cstdlib>

#include "platform/display/headless.h"
#include "platform/rtl/exceptions.h"

namespace display {

namespace {
std::unique_ptr<win::DisplayBackend> g_backend;
bool g_chosen = false;
ScreenBackendMaker g_screen;  // empty: headless only
bool Set(const char* s) { return s && *s; }
}  // namespace

std::string ChooseBackendName(const char* requested, const char* x11Display, const char* waylandDisplay,
                              std::string* note) {
  if (note) note->clear();
  if (Set(requested)) {
    std::string r = requested;
    if (r == "headless" || r == "sdl") return r;
    if (note) *note = "DUPLEXION_DISPLAY=" + r + " is not a display backend (headless or sdl)";
    return {};
  }
  if (Set(x11Display) || Set(waylandDisplay)) return "sdl";
  if (note) *note = "no display server ($DISPLAY and $WAYLAND_DISPLAY are unset): using the headless display";
  return "headless";
}

void UseHeadlessDisplay() {
  g_chosen = true;
  g_screen = nullptr;
}

void UseScreenDisplay(ScreenBackendMaker maker) {
  g_chosen = true;
  g_screen = std::move(maker);
}

bool DisplayChosen() { return g_chosen; }

void ClearDisplayChoice() {
  g_chosen = false;
  g_screen = nullptr;
}

win::DisplayBackend* InitDisplay() {
  if (!g_chosen)
    throw EInvalidOperation(
        "No display backend was chosen: the program calls display::UseHeadlessDisplay or display::UseSdlDisplay "
        "before Application->Initialize");
  ShutdownDisplay();
  if (!g_screen) {
    g_backend = std::make_unique<HeadlessBackend>();
    win::SetDisplayBackend(g_backend.get());
    return g_backend.get();
  }
  std::string note;
  std::string name = ChooseBackendName(std::getenv("DUPLEXION_DISPLAY"), std::getenv("DISPLAY"),
                                       std::getenv("WAYLAND_DISPLAY"), &note);
  if (!note.empty()) std::fprintf(stderr, "duplexion: %s\n", note.c_str());
  if (name.empty()) name = "headless";
  if (name == "sdl") {
    std::string error;
    if (auto screen = g_screen(&error)) {
      g_backend = std::move(screen);
    } else {
      std::fprintf(stderr, "duplexion: the SDL display did not start (%s): using the headless display\n",
                   error.c_str());
    }
  }
  if (!g_backend) g_backend = std::make_unique<HeadlessBackend>();
  win::SetDisplayBackend(g_backend.get());
  return g_backend.get();
}

void ShutdownDisplay() {
  if (!g_backend) return;
  win::SetDisplayBackend(nullptr);
  g_backend.reset();
}

}  // namespace display
