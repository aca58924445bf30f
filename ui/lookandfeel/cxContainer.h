// Window and form helpers of the toolbar library, and the list of open popup
// windows with the three thread hooks that close them when the user acts
// elsewhere. No popup window of this system enters the list, so the hooks
// pass every message on.
#pragma once

#include <cstdint>
#include <string>

#include "platform/vcl/controls.h"

class TCustomForm;
class TList;

// ---- window and form helpers

// The form's window is the active one, or the top-level window holding it is.
bool IsFormActive(TCustomForm* AForm);
// The first window from Wnd up its parents that is not a child window; 0 when none.
win::HWND GetTopLevelWindow(win::HWND AWnd);
// Takes Wnd's queued messages in [MinMsg, MaxMsg] out of the queue: all of
// them, or at most one when All is false. A WM_QUIT met is posted again and
// ends the removal. True when a message was removed.
bool RemovePendingMessages(win::HWND AWnd, win::UINT AMinMsg, win::UINT AMaxMsg, bool AAll);
// Disables Wnd when it is enabled and remembers it in List (of HWND).
void DisableWindowIntoList(TList* AList, win::HWND AWnd);
// Enables the windows of List that still exist; nothing for a null list.
void EnableWindowsFromList(TList* AList);
// Modifiers and mouse buttons held now.
TShiftState GetShiftState();
bool IsControlWindowVisible(TWinControl* AControl);
// Wnd is the control's window or, with Deep, lies inside it: in its window,
// in one of its windowed children's, or in a listed popup window it opened.
bool IsWindowOf(TWinControl* AControl, win::HWND AWnd, bool ADeep);

// The number of a container style value whose name equals Name ignoring
// case ("BorderColor" 0 ... "TransparentBorder" 9); -1 for an unknown name.
int32_t FindValueIndex(const std::string& AName);

// ---- popup windows

// The open popup windows (TWinControl*, each owned by the control that
// opened it). A popup is closed by hiding it and taking it out of the list,
// when the user presses a mouse button outside it and its owner, or when one
// of its owner's windows is destroyed, closed, hidden, moved, deactivated or
// the application is. Alt-key presses are neutralised while a popup is open.
TList* cxPopupWindowList();
// True while a container's popup is open (the bar manager asks); nothing in
// this system opens one.
extern bool ContainerPopupActive;
// Whether the platform offers GetScrollBarInfo, looked up at unit start-up.
bool cxGetScrollBarInfoExists();

void cxContainerUnitStart();
void cxContainerUnitStop();
