// The toolbar system's thread hooks. While bar managers exist, three hooks
// of the main thread let the toolbars see what goes to ordinary controls:
// the keyboard hook routes menu keys (Alt, F10), item shortcuts and
// accelerators to the bars before the focused control or the form's own
// shortcut handler sees them; the mouse hook closes open menus on outside
// clicks and drops wheel messages that an open menu declines; the
// call-window-procedure hook hands the owner windows' messages (activation,
// colours, settings, help) to their managers. A hook never raises: what a
// handler throws goes to the application's exception report.
#pragma once

#include <cstdint>

#include "platform/vcl/controls.h"
#include "platform/win/winuser.h"
#include "ui/bars/dxBarTypes.h"

class TdxBarManager;
class TCustomdxBarControl;

// What the hooks ask of the keyboard navigation (Alt-hold wait, key tips,
// navigation keys) and of the design controller (selection, the
// quick-customization window). Their units install their objects in
// dxBarHookPartners(); while one is missing its steps are skipped: no key is
// claimed, no wait or key-tip scope is active and nothing is selected.
class IdxBarHookNavigation {
public:
  virtual ~IdxBarHookNavigation() = default;
  virtual bool ClaimsKey(win::WORD AKey, TShiftState AShift) = 0;
  virtual void ProcessNavigationKey(win::WORD AKey, TShiftState AShift) = 0;
  virtual bool HasSelectedElement() = 0;
  virtual bool IsAltHoldWaiting() = 0;
  virtual bool IsKeyTipScopeActive() = 0;
  virtual void BeginAltHoldWait(IdxBarAccessibilityHelper* AHelper) = 0;
  virtual void EndAltHoldWait(bool AShowKeyTips) = 0;
  virtual void SelectRootDefault(IdxBarAccessibilityHelper* AHelper) = 0;
  virtual void EndKeyboardMode() = 0;
  virtual void ClearNavigationMode() = 0;
};

class IdxBarHookDesigner {
public:
  virtual ~IdxBarHookDesigner() = default;
  // The open quick-customization window, null when none.
  virtual TCustomdxBarControl* QuickControl() = 0;
  virtual void CloseQuickControl() = 0;
  virtual bool SelectParentOfSelection() = 0;
  virtual bool DeleteSelection(bool ACtrl, bool AAskConfirmation) = 0;
  virtual void DropStaleLastSelection() = 0;
};

// The Customize dialog as the hooks and the owner messages see it. While no
// object is installed no dialog is open.
class IdxBarHookCustomizing {
public:
  virtual ~IdxBarHookCustomizing() = default;
  // The open dialog's window; null while it is closed.
  virtual win::HWND DialogWindow() = 0;
  // The manager the dialog edits.
  virtual TdxBarManager* DialogManager() = 0;
  // The owner window of the customizing manager (or the MDI main form) moved,
  // was shown or hidden: the dialog follows it.
  virtual void OwnerWindowPosChanged() = 0;
  // The open design-time sub-menu editor's window; null when none.
  virtual win::HWND SubMenuEditorWindow() = 0;
};

struct TdxBarHookPartners {
  IdxBarHookNavigation* Navigation = nullptr;
  IdxBarHookDesigner* Designer = nullptr;
  IdxBarHookCustomizing* Customizing = nullptr;
};
// The open Customize dialog's window; null while none is open.
win::HWND CustomizeDialogWindow();
TdxBarHookPartners& dxBarHookPartners();

// The process-wide marks the hooks keep (main thread only); the application's
// activation marks are dxBarAppActivation's.
struct TdxBarHookState {
  win::HHOOK KeyboardHook = nullptr, MouseHook = nullptr, CallWndProcHook = nullptr;
  // Set while a bar window holds one of its caption buttons pressed: every key is swallowed.
  bool KeySwallow = false;
  // Set while an in-place editor asks whether the toolbar system takes a key:
  // the hook then answers 1 exactly when it consumed the key, else 0.
  bool KeyTest = false;
  // The last key whose key-down the toolbar system consumed.
  bool HandledKeyKept = false;
  win::WORD HandledKey = 0;
  // A plain Alt or F10 went down and may open the main menu on its key-up.
  bool MenuKeyPending = false;
  // Re-entrancy marks: the mouse hook's outside-click handling and the
  // call-window-procedure hook's manager lookup.
  bool MouseReentry = false;
  bool WindowLookup = false;
};
TdxBarHookState& dxBarHookState();

// The toolbar unit's place in the application's start-up chain: it runs the
// procedure it replaced, then stops any menu sound (sound index 2 has no
// name). Joined at the unit's start, left at its end.
void DxBarInitProcHook();
void JoinBarInitProc();
void LeaveBarInitProc();

// Installs the three hooks (once) / removes them and frees the hint window.
void InstallToolbarHooks();
void RemoveToolbarHooks();

win::LRESULT DxBarKeyboardHook(int Code, win::WPARAM wParam, win::LPARAM lParam);
win::LRESULT DxBarMouseHook(int Code, win::WPARAM wParam, win::LPARAM lParam);
win::LRESULT DxBarCallWndProcHook(int Code, win::WPARAM wParam, win::LPARAM lParam);

// The manager that receives keyboard work: the focused window's, else the
// active form's, else the main form's (only with AllowCallFromAnotherForm);
// null while a manager customizes or any manager has a focused bar window.
// With AMenuKey, AAccessible gets the root element of the window found.
TdxBarManager* FindActiveBarManager(bool AMenuKey, IdxBarAccessibilityHelper*& AAccessible);

// Hands a message of Wnd to the manager of Wnd (and owner messages also to
// the managers whose owners lie inside Wnd).
void DispatchOwnerMessage(win::UINT Msg, win::WPARAM wParam, win::LPARAM lParam, win::HWND Wnd);

// The window has the WS_CHILD style (a climb to the form stops at the first one without).
bool HasChildStyle(win::HWND AWnd);

// The bar window that holds the toolbar system's focus, of any manager; null when none.
TCustomdxBarControl* FocusedBarControlOfAnyManager();
