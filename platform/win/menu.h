// Menu handles: menus and popup menus as item lists the bars and the system
// menu are built from. Only the handle side lives here; nothing draws a menu
// or tracks one (bar windows draw their own).
//
// An item is a string, a separator, or a string that opens a sub-menu; it
// carries a command id, a state (grayed, checked, default) and a pointer-sized
// value of the caller's. Items are found by command id (searching sub-menus
// too, depth first) or by position. Text is UTF-8; cch counts bytes.
#pragma once

#include "platform/win/winuser.h"

namespace win {

constexpr UINT MF_BYCOMMAND = 0x0000, MF_BYPOSITION = 0x0400, MF_ENABLED = 0x0000, MF_GRAYED = 0x0001,
               MF_DISABLED = 0x0002, MF_UNCHECKED = 0x0000, MF_CHECKED = 0x0008, MF_POPUP = 0x0010,
               MF_STRING = 0x0000, MF_SEPARATOR = 0x0800, MF_DEFAULT = 0x1000;
constexpr UINT MFT_STRING = 0x0000, MFT_RADIOCHECK = 0x0200, MFT_SEPARATOR = 0x0800;
constexpr UINT MFS_ENABLED = 0x0000, MFS_GRAYED = 0x0003, MFS_DISABLED = 0x0003, MFS_UNCHECKED = 0x0000,
               MFS_CHECKED = 0x0008, MFS_HILITE = 0x0080, MFS_DEFAULT = 0x1000;
constexpr UINT MIIM_STATE = 0x0001, MIIM_ID = 0x0002, MIIM_SUBMENU = 0x0004, MIIM_TYPE = 0x0010,
               MIIM_DATA = 0x0020, MIIM_STRING = 0x0040, MIIM_FTYPE = 0x0100;

struct MENUITEMINFO {
  UINT cbSize = sizeof(MENUITEMINFO);
  UINT fMask = 0;
  UINT fType = MFT_STRING;
  UINT fState = MFS_ENABLED;
  UINT wID = 0;
  HMENU hSubMenu = nullptr;
  HBITMAP hbmpChecked = nullptr;    // kept for the layout's sake; not used here
  HBITMAP hbmpUnchecked = nullptr;
  ULONG_PTR dwItemData = 0;
  char* dwTypeData = nullptr;  // in: the text; out: a buffer of cch bytes
  UINT cch = 0;                // out: the text's length in bytes, without the NUL
  HBITMAP hbmpItem = nullptr;
};

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and its sub-menus. FALSE for a stale handle.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
// Inserts before the item named by item (a position past the end appends).
// A sub-menu belongs to its item from then on and goes with it; a menu
// cannot be inserted into itself or into one of its own sub-menus, nor
// twice. MIIM_TYPE is the older mask for fType and the text together.
BOOL InsertMenuItem(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO* info);
inline BOOL InsertMenuItemW(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO* info) {
  return InsertMenuItem(menu, item, byPosition, info);
}
int GetMenuItemCount(HMENU menu);  // -1 for a stale handle
// The command id at a position; UINT(-1) for an item that opens a sub-menu,
// a position out of range or a stale handle.
UINT GetMenuItemID(HMENU menu, int pos);
HMENU GetSubMenu(HMENU menu, int pos);
BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFO* info);
inline BOOL GetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFO* info) {
  return GetMenuItemInfo(menu, item, byPosition, info);
}
// The item's MF_ flags (state and type); for an item opening a sub-menu,
// MF_POPUP with the sub-menu's item count in the high byte. UINT(-1) when
// there is no such item.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
// flags: MF_BYCOMMAND or MF_BYPOSITION with MF_ENABLED, MF_GRAYED or
// MF_DISABLED. Returns the previous MF_GRAYED | MF_DISABLED bits, -1 when
// there is no such item.
BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags);

// The system menu of a window with WS_SYSMENU: "&Restore", "&Move",
// "&Size", "Mi&nimize", "Ma&ximize", a separator and "&Close" (the default
// item) with the SC_ command ids. Each call brings the items' enabled
// states up to the window's state (minimized, maximized, sizing frame,
// minimize and maximize boxes, CS_NOCLOSE). revert drops the window's menu
// and returns null; the menu goes with its window. Null for a window
// without WS_SYSMENU or a stale one.
HMENU GetSystemMenu(HWND hwnd, BOOL revert);

}  // namespace win
