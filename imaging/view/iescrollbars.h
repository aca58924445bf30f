// The view's scroll bars and mouse-state questions over the window system.
// Every scroll-bar routine takes the window and the bar (win::SB_HORZ or
// win::SB_VERT) and, with flat set, goes through the common controls' flat
// variants (win::FlatSB_...) instead of the plain calls.
#pragma once

#include <cstdint>

#include "platform/win/winuser.h"

// Range, page and position in one call (mask SIF_RANGE | SIF_PAGE | SIF_POS).
// A set redraw is passed on as a true value with every bit set. Returns the
// bar's new position.
int32_t IESetScrollInfo(win::HWND handle, int32_t bar, int32_t minPos, int32_t maxPos, int32_t page,
                        int32_t position, bool redraw, bool flat);
// The range alone (mask SIF_RANGE). Always returns -1.
int32_t IESetScrollRange(win::HWND handle, int32_t bar, int32_t minPos, int32_t maxPos, win::BOOL redraw, bool flat);
// The position alone (mask SIF_POS). Returns the bar's new position.
int32_t IESetScrollPos(win::HWND handle, int32_t bar, int32_t position, win::BOOL redraw, bool flat);
// A caller's own record, passed on as it is. Returns the bar's new position.
int32_t IESetScrollInfoEx(win::HWND handle, int32_t bar, const win::SCROLLINFO& info, bool flat, win::BOOL redraw);
// Enables or disables the arrows (ESB_ flags).
bool IEEnableScrollBar(win::HWND handle, int32_t bar, win::UINT arrows, bool flat);
// Shows or hides the bar.
bool IEShowScrollBar(win::HWND handle, int32_t bar, bool show, bool flat);

// True while the primary button is down: the left one, or the right one when
// the buttons are swapped (asynchronous state, SM_SWAPBUTTON).
bool IEIsPrimaryMouseButtonDown();
// True when the program runs in a remote session (SM_REMOTESESSION); never here.
bool IEIsRemoteSession();
