// Display backends: the sibling implementations of win::DisplayBackend and
// the start-up choice between them. The program chooses (UseHeadlessDisplay,
// or UseSdlDisplay of platform/display/sdl); the library never picks one by
// itself, so that whatever does not show real windows need not link SDL2.
//
// - headless: a virtual screen of a settable size; every top-level window's
//   surface is readable and input is injected by the caller (tests).
// - sdl: real windows through SDL2, one native window per top-level window.
//
// Only platform/display/sdl* includes SDL headers.
#pragma once

#include <functional>
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

// Makes a backend on a real screen: null, with the reason in error, when it cannot start.
using ScreenBackendMaker = std::function<std::unique_ptr<win::DisplayBackend>(std::string* error)>;

// The program's choice, made before TApplication::Initialize and kept until
// changed: always headless (tests), or a real screen made by maker when the
// environment asks for one.
void UseHeadlessDisplay();
void UseScreenDisplay(ScreenBackendMaker maker);
bool DisplayChosen();
// Back to no choice, the state at start.
void ClearDisplayChoice();

// Makes the chosen backend and registers it with the window system on the
// calling thread (the one that will run the message loop). With a screen
// chosen, the environment decides (ChooseBackendName) and a screen that
// cannot start falls back to headless; what was chosen is told on stderr when
// it was not asked for explicitly or had to fall back. Raises
// EInvalidOperation when the program chose nothing. Returns the backend,
// owned here until ShutdownDisplay.
win::DisplayBackend* InitDisplay();
// Unregisters and frees the backend InitDisplay made.
void ShutdownDisplay();

}  // namespace display
