// Display backends: the sibling implementations of win::DisplayBackend and
// the start-up choice between them.
//
// - headless: a virtual screen of a settable size; every top-level window's
//   surface is readable and input is injected by the caller (tests).
// - sdl: real windows through SDL2, one native window per top-level window.
//
// Only platform/display/sdl* includes SDL headers.
#pragma once

#include <memory>
#include <string>

#include "platform/win/backend.h"

namespace display {

// Which backend DUPLEXION_DISPLAY asks for ("headless" or "sdl"); without it,
// sdl when a display server is named ($DISPLAY or $WAYLAND_DISPLAY), headless
// otherwise. Empty for an unknown value. note receives a line worth telling
// the user (why headless was chosen, or what was wrong), or stays empty.
std::string ChooseBackendName(const char* requested, const char* x11Display, const char* waylandDisplay,
                              std::string* note);

// Makes the backend chosen from the environment and registers it with the
// window system on the calling thread (the one that will run the message
// loop). An sdl backend that cannot start falls back to headless. Tells on
// stderr what it chose when it was not asked for explicitly or had to fall
// back. Returns the backend, owned here until ShutdownDisplay.
win::DisplayBackend* InitDisplay();
// Unregisters and frees the backend InitDisplay made.
void ShutdownDisplay();

}  // namespace display
