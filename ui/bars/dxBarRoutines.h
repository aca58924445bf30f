// The toolbar library's shared lookups and small services: interface queries
// of keyboard navigation and key tips, the walk from a window or component to
// its form, owner, bar manager or bar window, the live bar-window list, the
// process-wide singletons, accelerator and shortcut texts, message-queue pumps,
// menu sounds and a message box. The drawing helpers live in dxBarDrawing.h.
//
// Lookups answer null, False or 0 for a missing object (null link, control,
// window, manager, no handle) and raise nothing of their own. Main thread only.
#pragma once

#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/persistent.h"
#include "platform/rtl/types.h"
#include "platform/win/winuser.h"
#include "ui/bars/dxBarTypes.h"

class TObject;
class TPersistent;
class TComponent;
class TControl;
class TWinControl;
class TCustomForm;
class TList;
class TBitmap;
class TcxObjectLink;
class TdxObjectList;
class TdxBarItem;
class TdxBarItemLink;
class TdxBarItemLinks;
class TdxBarItemControl;
class TdxBarFlatPainter;
struct TTypeInfo;
using TShortCut = uint16_t;  // as the framework's controls declare it

// ---------------------------------------------------------------- keyboard navigation and key tips

// Tells a set helper that its owner is being destroyed, then clears it.
void DetachAccessibilityHelper(IdxBarAccessibilityHelper*& AHelper);
// The object's navigation helper; null when it has none.
void QueryBarAccessibilityHelper(TObject* AObject, IdxBarAccessibilityHelper*& AHelper);
// The enclosing key-tip container of AHelper (or the top of its key-tip
// parents); null when AHelper has no key-tip parent.
void FindKeyTipScopeHelper(IdxBarAccessibilityHelper* AHelper, IdxBarAccessibilityHelper*& AScope);
// Directions of FindNearestInDirection; 4 and 5 ask for nothing spatial.
enum : int32_t { dxNavLeft = 0, dxNavUp = 1, dxNavRight = 2, dxNavDown = 3 };
// The helper of AList (entries are IdxBarAccessibilityHelper*) nearest to
// ASource in ADirection: the smallest non-negative gap wins, ties go to the
// smaller angle between the centres. Left and right with AWrap search again
// from the far side of the screen when nothing lies that way. Null when none.
IdxBarAccessibilityHelper* FindNearestInDirection(IdxBarAccessibilityHelper* ASource, TList* AList,
                                                  int32_t ADirection, bool AWrap);
// The helper of the main-menu bar window of the window's bar manager; null
// without a manager or a main-menu bar window.
void RootAccessibleOfWindow(win::HWND AWnd, IdxBarAccessibilityHelper*& AHelper);
// What Esc does while the key tips of AScope are shown (nothing for null).
void EscapeFromKeyTipScope(IdxBarAccessibilityHelper* AScope);
void QueryLinksOwner(TObject* AObject, IdxBarLinksOwner*& AOwner);
// The owner's links; null when AObject owns none.
TdxBarItemLinks* OwnedItemLinks(TObject* AObject);
// The key types a printable character that is not a space.
bool IsKeyTipTextKey(win::WORD AKey);

bool SupportsSelectableItem(TObject* AObject);
bool QuerySelectable(TObject* AObject, IdxBarSelectableItem*& AItem);
void QuerySelectableItem(TObject* AObject, IdxBarSelectableItem*& AItem);
// The persistent behind AItem; null for null.
TPersistent* InstanceOfSelectableItem(IdxBarSelectableItem* AItem);
// Takes out (without freeing) every entry that is not a selectable item, last first.
void RemoveUnselectableItems(TdxObjectList* AList);

// ---------------------------------------------------------------- windows, forms and owners

// SetWindowPos without moving or sizing; SWP_NOACTIVATE unless AActivate.
void PlaceWindowInZOrder(win::HWND AWnd, win::HWND AInsertAfter, bool AActivate, win::UINT AFlags = 0);
// The control of the first parent window up from the child window AWnd that
// has one (AWnd's own control is not considered); null when none.
TWinControl* NearestVclParentOfChild(win::HWND AWnd);
bool IsComparingWithAncestor(TComponent* AComponent);
// AWnd has the focus, or a window up its chain of child windows has.
bool IsWindowOrParentFocused(win::HWND AWnd);
// A window control with a handle whose window is visible.
bool IsWindowControlShowing(TComponent* AComponent);
// The active window's form leaves its modes.
void CancelModeOfActiveForm();
// Activates the top-level window of AWnd (AWnd itself when it is one).
void ActivateTopLevelWindow(win::HWND AWnd);
// The active enabled form, or the active MDI child of an active MDI parent; null when none.
TWinControl* ActiveFormOrMDIChild();
// AComponent or the first window control up its owner chain; null when none.
TWinControl* WinControlOwnerOf(TComponent* AComponent);
// AComponent when it is a bar manager, else the registered manager it owns; null when none.
TdxBarManager* ManagerOfComponent(TComponent* AComponent);
// The manager of the nearest window control, from AComponent's own up its windows.
TdxBarManager* BarManagerForComponent(TComponent* AComponent);
TdxBarManager* BarManagerOfWindow(win::HWND AWnd);
// Which form FindFormOfWindowControl answers.
enum : int32_t { dxFormOutermost = 0, dxFormMDIChild = 1, dxFormNearest = 2 };
// Walks AControl's window and its parents: the outermost form, the first
// MDI-child form on the way (else the outermost), or the nearest form. Null
// without a handle or a form.
TCustomForm* FindFormOfWindowControl(TWinControl* AControl, int32_t AKind);
TCustomForm* FormOfComponent(TComponent* AComponent);
TCustomForm* FormOfBarManager(TdxBarManager* AManager, int32_t AKind);
// AControl when it is windowed, else its parent.
TWinControl* WindowedSelfOrParent(TControl* AControl);
// AControl lies in AParent: by windows when both have handles, else by the parent chain.
bool IsControlWithin(TWinControl* AParent, TControl* AControl);
bool IsControlWithinManagerOwner(TdxBarManager* AManager, TControl* AControl);
// No kind of control hosts bar windows here: always null, so callers take their no-host path.
TWinControl* FindTopHostControl(TCustomdxBarControl* ABarWindow, bool AAllowParentBar);
// True for no window and for a window of another process.
bool IsOtherProcessWindow(win::HWND AWnd);
// The control of AWnd or of the first parent window that has one.
TWinControl* FindVclControlUpwards(win::HWND AWnd);
// AOwnerWnd lies up the parent (and owner) chain of AWnd.
bool IsWindowOwnedBy(win::HWND AWnd, win::HWND AOwnerWnd);
// Destroys AWnd when asked, then clears it.
void ReleaseWindowHandle(win::HWND& AWnd, bool ADestroy);
// Kills a set timer; True, with ATimerId cleared, when that succeeded.
bool StopWindowTimer(win::HWND AWnd, win::UINT_PTR& ATimerId);

// ---------------------------------------------------------------- items, links and bar windows

TdxBarItemControl* ControlOfItemLink(TdxBarItemLink* ALink);
TdxBarItemLink* ItemLinkOfControl(TdxBarItemControl* AControl);
TdxBarItem* ItemOfControl(TdxBarItemControl* AControl);
TdxBarItem* ItemOfItemLink(TdxBarItemLink* ALink);
TObject* ObjectOfLink(TcxObjectLink* ALink);
// Clears ALink before the link is removed, so nothing reaches a dying link.
void ReleaseObjectLink(TcxObjectLink*& ALink);
// Asks the control's bar window, when it has a handle, to repaint it.
void RepaintItemControl(TdxBarItemControl* AControl);
// 1 (normal) for a control of an enabled item, else 4 (disabled).
int32_t EditThemeStateOfControl(TdxBarItemControl* AControl);

// The live bar-window list: every bar window enters it while it exists.
void RegisterBarControl(TCustomdxBarControl* ABar);
void UnregisterBarControl(TCustomdxBarControl* ABar);
bool IsLiveBarControl(TCustomdxBarControl* ABar);
// The bar window that owns the keyboard and mouse of the toolbars; null when none.
TCustomdxBarControl* CurrentBarControl();
void SetCurrentBarControl(TCustomdxBarControl* ABar);
TdxBarManager* CurrentBarManager();
bool IsCurrentBarControlUsable();
TdxBarItemVisible BooleanToItemVisible(bool AVisible);
// The top of ABar's parent-bar chain; a window of a quick-customization chain
// whose parent is not in one is a root of its own.
TCustomdxBarControl* RootBarControl(TCustomdxBarControl* ABar);
// RootBarControl, null when that is a sub-menu window.
TCustomdxBarControl* RootNonMenuBarControl(TCustomdxBarControl* ABar);
TCustomdxBarControl* RootBarOfItemControl(TdxBarItemControl* AControl);
TCustomdxBarControl* ParentNonMenuBarOfItemControl(TdxBarItemControl* AControl);
std::unique_ptr<TBitmap> CreateNotifyingBitmap(TNotifyEvent AOnChange);

// ---------------------------------------------------------------- process-wide values

// Kept by the thread hooks: WM_ACTIVATEAPP sets Active from its wParam and
// clears DeactivatedByOtherApp; a WM_ACTIVATE that deactivates in favour of a
// window of another process sets DeactivatedByOtherApp.
struct TdxBarAppActivation {
  bool Active = true;
  bool DeactivatedByOtherApp = false;
};
TdxBarAppActivation& dxBarAppActivation();

// True once the toolbar unit has begun to shut down: singletons are not made again.
bool IsBarUnitFinalizing();
// The toolbar unit's shut-down raises the flag first and frees the flat painter for good.
void MarkBarUnitFinalizing();
void FreeSharedFlatPainter();
// The shared flat painter, made on first use; null once the unit shuts down.
TdxBarFlatPainter* SharedFlatPainter();
// Some live manager has a popup menu showing now.
bool AnyPopupMenuShowing();

// ---------------------------------------------------------------- strings and shortcuts

// The names of an enumeration, or of a set's element type, from the lowest value up.
void EnumNamesToStringArray(const TTypeInfo* ATypeInfo, std::vector<std::string>& AArray);
void SetTypeNamesToStringArray(const TTypeInfo* ATypeInfo, std::vector<std::string>& AArray);
// "\\" for the registry, "." for INI files.
std::string SectionDelimiter(bool ARegistry);
// AKey with scShift and scCtrl from the key state, and scAlt from bit 29 of
// AKeyData; 0 for key 0.
TShortCut ShortCutFromKey(uint8_t AKey, int32_t AKeyData);
// The 1-based position of the accelerator character (after a single '&'; a
// doubled '&' is a literal one; a last '&' is ignored; the last one wins), 0
// when none. ADelete removes each single '&' and halves each doubled one, and
// the position is then the one in the changed caption.
int32_t FindAcceleratorPos(std::string& ACaption, bool ADelete);
// " (" + the shortcut's text + ")", empty when it has no text.
std::string ShortCutHintSuffix(TShortCut AShortCut);
std::string StripAccelerators(const std::string& AText);
// A set of 8-bit characters; a code point above 255 is never in one.
using TdxAnsiCharSet = std::bitset<256>;
inline bool IsCharInSet(char32_t AChar, const TdxAnsiCharSet& ASet) { return AChar < 256 && ASet.test(AChar); }

// ---------------------------------------------------------------- input state and the message queue

bool IsButtonDownMessage(win::UINT AMsg);
// Removes the window's queued WM_CHAR messages; True when there were any.
bool DiscardPendingChars(win::HWND AWnd);
// Dispatch what is queued of the mouse messages (WM_MOUSEMOVE..WM_MOUSEWHEEL)
// or of WM_PAINT now; a WM_QUIT met on the way is posted again and ends it.
void DispatchPendingMouseMessages();
void DispatchPendingPaints();
enum : int32_t { dxMenuSoundPopup = 0, dxMenuSoundCommand = 1, dxMenuSoundStop = 2 };
// Asks for the menu sound asynchronously; 2 stops what plays and starts none.
// The platform plays nothing: the request is only recorded.
void PlayMenuSound(int32_t ASound);
void StopMenuSound();
// The high bit of the async key state of AButton, or of ASwappedButton while
// the mouse buttons are swapped.
bool IsMouseButtonDown(int32_t AButton, int32_t ASwappedButton);
bool IsPrimaryButtonDown();
bool IsSecondaryButtonDown();
// The application is active, not deactivated by another one, and has an active window.
bool ApplicationHasFocus();

// ---------------------------------------------------------------- other

// The work area of the monitor nearest to APoint.
void WorkAreaAtPoint(TPoint APoint, TRect& R);
void EnsureMinWidth(int32_t& AWidth, int32_t AMinWidth);
// Reads the screen's bits per pixel into the value ScreenColorDepth answers.
void ReadScreenColorDepth();
int32_t ScreenColorDepth();
template <class T>
void FreeAndClearField(std::unique_ptr<T>& AObject) {
  AObject.reset();
}
// A message box captioned with the application's title; its answer (0 without an application).
int32_t ShowBarMessageBox(const std::string& AText, win::UINT AFlags);
// The highest of 3, 2, 1, 0 in ASet (bit i for element i); 255 when none is.
uint8_t HighestStateBelowFour(uint8_t ASet);
// AValue scaled from ABaseDpi to the screen's dots per inch, halves to even;
// a base of 0 gives AValue unchanged (nothing to scale from).
int32_t ScaleToScreenDpi(int32_t AValue, int32_t ABaseDpi);
