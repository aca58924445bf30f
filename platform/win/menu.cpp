// Menu handles and the system menu.
#include "platform/win/menu.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "platform/win/internal.h"

namespace win {
namespace detail {

namespace {

struct MenuItem {
  UINT Type = MFT_STRING;
  UINT State = MFS_ENABLED;
  UINT Id = 0;
  HMENU Sub = nullptr;
  ULONG_PTR Data = 0;
  std::string Text;
};

struct Menu {
  bool Popup = false;
  std::vector<MenuItem> Items;
};

// Handles are never reused, so a destroyed menu's handle stays stale.
struct MenuTable {
  uintptr_t Next = 0x20000;
  std::unordered_map<uintptr_t, std::unique_ptr<Menu>> Menus;
  std::unordered_map<HWND, HMENU> SystemMenus;
};
MenuTable& T() {
  static auto* t = new MenuTable;
  return *t;
}

Menu* FindMenu(HMENU h) {
  auto it = T().Menus.find(reinterpret_cast<uintptr_t>(h));
  return it == T().Menus.end() ? nullptr : it->second.get();
}

HMENU NewMenu(bool popup) {
  Lock lock;
  MenuTable& t = T();
  auto m = std::make_unique<Menu>();
  m->Popup = popup;
  const uintptr_t h = t.Next++;
  t.Menus[h] = std::move(m);
  return reinterpret_cast<HMENU>(h);
}

void DestroyTree(HMENU h, int depth) {
  auto it = T().Menus.find(reinterpret_cast<uintptr_t>(h));
  if (it == T().Menus.end()) return;
  std::unique_ptr<Menu> m = std::move(it->second);
  T().Menus.erase(it);
  if (depth < 64)
    for (const MenuItem& i : m->Items)
      if (i.Sub) DestroyTree(i.Sub, depth + 1);
}

// The item by command id (depth first through sub-menus) or by position.
MenuItem* FindItem(Menu* m, UINT item, bool byPosition, int depth = 0) {
  if (!m) return nullptr;
  if (byPosition) return item < m->Items.size() ? &m->Items[item] : nullptr;
  for (MenuItem& i : m->Items) {
    if (!i.Sub && !(i.Type & MFT_SEPARATOR) && i.Id == item) return &i;
    if (i.Sub && depth < 64)
      if (MenuItem* r = FindItem(FindMenu(i.Sub), item, false, depth + 1)) return r;
  }
  return nullptr;
}

// Whether target is menu itself or lies somewhere below it.
bool Contains(HMENU menu, HMENU target, int depth = 0) {
  if (menu == target) return true;
  Menu* m = FindMenu(menu);
  if (!m || depth >= 64) return false;
  for (const MenuItem& i : m->Items)
    if (i.Sub && Contains(i.Sub, target, depth + 1)) return true;
  return false;
}

bool IsSubMenuOfAny(HMENU sub) {
  for (auto& [h, m] : T().Menus)
    for (const MenuItem& i : m->Items)
      if (i.Sub == sub) return true;
  return false;
}

UINT StateFlags(const MenuItem& i) {
  UINT f = (i.State & (MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT)) | (i.Type & (MFT_SEPARATOR | MFT_RADIOCHECK));
  if (i.Sub) {
    const Menu* sub = FindMenu(i.Sub);
    f |= MF_POPUP | (UINT(sub ? std::min<size_t>(sub->Items.size(), 0xFF) : 0) << 8);
  }
  return f;
}

MenuItem StringItem(UINT id, const char* text, UINT state = MFS_ENABLED) {
  MenuItem i;
  i.Id = id;
  i.Text = text;
  i.State = state;
  return i;
}

}  // namespace

void DestroySystemMenu(HWND hwnd) {
  MenuTable& t = T();
  auto it = t.SystemMenus.find(hwnd);
  if (it == t.SystemMenus.end()) return;
  DestroyTree(it->second, 0);
  t.SystemMenus.erase(it);
}

}  // namespace detail

using namespace detail;

HMENU CreateMenu() { return NewMenu(false); }
HMENU CreatePopupMenu() { return NewMenu(true); }

BOOL DestroyMenu(HMENU menu) {
  Lock lock;
  if (!FindMenu(menu)) return FALSE;
  // A sub-menu destroyed on its own leaves its item without a menu.
  for (auto& [h, m] : T().Menus)
    for (MenuItem& i : m->Items)
      if (i.Sub == menu) i.Sub = nullptr;
  for (auto it = T().SystemMenus.begin(); it != T().SystemMenus.end(); ++it)
    if (it->second == menu) {
      T().SystemMenus.erase(it);
      break;
    }
  DestroyTree(menu, 0);
  return TRUE;
}

BOOL IsMenu(HMENU menu) {
  Lock lock;
  return FindMenu(menu) ? TRUE : FALSE;
}

BOOL InsertMenuItem(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO* info) {
  if (!info || info->cbSize != sizeof(MENUITEMINFO)) return FALSE;
  Lock lock;
  Menu* m = FindMenu(menu);
  if (!m) return FALSE;
  MenuItem n;
  const UINT mask = info->fMask;
  if (mask & (MIIM_FTYPE | MIIM_TYPE)) n.Type = info->fType & (MFT_SEPARATOR | MFT_RADIOCHECK);
  if (mask & MIIM_STATE) n.State = info->fState & (MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT);
  if (mask & MIIM_ID) n.Id = info->wID;
  if (mask & MIIM_DATA) n.Data = info->dwItemData;
  const bool text = (mask & MIIM_STRING) || ((mask & MIIM_TYPE) && !(n.Type & MFT_SEPARATOR));
  if (text && info->dwTypeData) n.Text = info->dwTypeData;
  if ((mask & MIIM_SUBMENU) && info->hSubMenu) {
    if (!FindMenu(info->hSubMenu) || Contains(info->hSubMenu, menu) || IsSubMenuOfAny(info->hSubMenu)) return FALSE;
    n.Sub = info->hSubMenu;
  }
  size_t pos = m->Items.size();
  if (byPosition) {
    pos = std::min<size_t>(item, m->Items.size());
  } else if (MenuItem* at = FindItem(m, item, false)) {
    // Only an item of this very menu gives a place; one in a sub-menu appends.
    if (at >= m->Items.data() && at < m->Items.data() + m->Items.size()) pos = size_t(at - m->Items.data());
  }
  m->Items.insert(m->Items.begin() + ptrdiff_t(pos), std::move(n));
  return TRUE;
}

int GetMenuItemCount(HMENU menu) {
  Lock lock;
  Menu* m = FindMenu(menu);
  return m ? int(m->Items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int pos) {
  Lock lock;
  Menu* m = FindMenu(menu);
  if (!m || pos < 0) return UINT(-1);
  MenuItem* i = FindItem(m, UINT(pos), true);
  return !i || i->Sub ? UINT(-1) : i->Id;
}

HMENU GetSubMenu(HMENU menu, int pos) {
  Lock lock;
  Menu* m = FindMenu(menu);
  if (!m || pos < 0) return nullptr;
  MenuItem* i = FindItem(m, UINT(pos), true);
  return i ? i->Sub : nullptr;
}

BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFO* info) {
  if (!info || info->cbSize != sizeof(MENUITEMINFO)) return FALSE;
  Lock lock;
  MenuItem* i = FindItem(FindMenu(menu), item, byPosition);
  if (!i) return FALSE;
  const UINT mask = info->fMask;
  if (mask & (MIIM_FTYPE | MIIM_TYPE)) info->fType = i->Type;
  if (mask & MIIM_STATE) info->fState = i->State;
  if (mask & MIIM_ID) info->wID = i->Id;
  if (mask & MIIM_SUBMENU) info->hSubMenu = i->Sub;
  if (mask & MIIM_DATA) info->dwItemData = i->Data;
  if (mask & (MIIM_STRING | MIIM_TYPE)) {
    // Text cut to the buffer at a character boundary, always terminated.
    if (info->dwTypeData && info->cch > 0) {
      size_t n = std::min<size_t>(i->Text.size(), info->cch - 1);
      while (n > 0 && n < i->Text.size() && (uint8_t(i->Text[n]) & 0xC0) == 0x80) --n;
      std::memcpy(info->dwTypeData, i->Text.data(), n);
      info->dwTypeData[n] = 0;
    }
    info->cch = UINT(i->Text.size());
  }
  return TRUE;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  Lock lock;
  MenuItem* i = FindItem(FindMenu(menu), item, (flags & MF_BYPOSITION) != 0);
  return i ? StateFlags(*i) : UINT(-1);
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags) {
  Lock lock;
  MenuItem* i = FindItem(FindMenu(menu), item, (flags & MF_BYPOSITION) != 0);
  if (!i) return -1;
  const UINT before = i->State & MFS_GRAYED;
  i->State = (i->State & ~MFS_GRAYED) | (flags & (MF_GRAYED | MF_DISABLED));
  return BOOL(before);
}

HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
  Lock lock;
  Window* w = FindRaw(hwnd);
  if (!w || w->IsDesktop || !(w->Style & WS_SYSMENU)) return nullptr;
  if (revert) {
    DestroySystemMenu(hwnd);
    return nullptr;
  }
  HMENU& h = T().SystemMenus[hwnd];
  if (!FindMenu(h)) {
    h = NewMenu(true);
    Menu* m = FindMenu(h);
    MenuItem sep;
    sep.Type = MFT_SEPARATOR;
    m->Items = {StringItem(SC_RESTORE, "&Restore"),    StringItem(SC_MOVE, "&Move"),
                StringItem(SC_SIZE, "&Size"),          StringItem(SC_MINIMIZE, "Mi&nimize"),
                StringItem(SC_MAXIMIZE, "Ma&ximize"), sep,
                StringItem(SC_CLOSE, "&Close\tAlt+F4", MFS_DEFAULT)};
  }
  const DWORD style = w->Style;
  const bool minimized = style & WS_MINIMIZE, maximized = style & WS_MAXIMIZE;
  const bool noClose = w->Class && (w->Class->Style & CS_NOCLOSE);
  const struct {
    UINT Id;
    bool Enabled;
  } states[] = {
      {UINT(SC_RESTORE), minimized || maximized},
      {UINT(SC_MOVE), !maximized},
      {UINT(SC_SIZE), (style & WS_THICKFRAME) && !minimized && !maximized},
      {UINT(SC_MINIMIZE), (style & WS_MINIMIZEBOX) && !minimized},
      {UINT(SC_MAXIMIZE), (style & WS_MAXIMIZEBOX) && !maximized},
      {UINT(SC_CLOSE), !noClose},
  };
  Menu* m = FindMenu(h);
  for (const auto& s : states)
    if (MenuItem* i = FindItem(m, s.Id, false)) i->State = (i->State & ~MFS_GRAYED) | (s.Enabled ? 0 : MF_GRAYED);
  return h;
}

}  // namespace win
