// Menu handles and the system menu.
#include "platform/win/menu.h"

#include <string>

#include "tests/platform/win/wintest.h"

namespace {

using namespace wintest;

MENUITEMINFO StringItem(UINT id, const char* text, UINT state = MFS_ENABLED, ULONG_PTR data = 0) {
  MENUITEMINFO mi;
  mi.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_FTYPE | MIIM_DATA;
  mi.wID = id;
  mi.dwTypeData = const_cast<char*>(text);
  mi.fState = state;
  mi.dwItemData = data;
  return mi;
}

std::string TextOf(HMENU m, UINT item, BOOL byPos) {
  char buf[64] = {};
  MENUITEMINFO mi;
  mi.fMask = MIIM_STRING;
  mi.dwTypeData = buf;
  mi.cch = sizeof buf;
  if (!GetMenuItemInfoW(m, item, byPos, &mi)) return "<none>";
  return buf;
}

TEST(Menus, ItemsKeepTheirKindStateAndDataAndAreFoundByIdOrPosition) {
  HMENU bar = CreateMenu();
  HMENU popup = CreatePopupMenu();
  ASSERT_TRUE(bar && popup && bar != popup);
  const MENUITEMINFO open = StringItem(101, "&Open", MFS_DEFAULT, 0xABCD);
  const MENUITEMINFO grid = StringItem(102, "Grid", MFS_CHECKED);
  const MENUITEMINFO gone = StringItem(103, "Rotate", MFS_GRAYED);
  MENUITEMINFO sep;
  sep.fMask = MIIM_FTYPE;
  sep.fType = MFT_SEPARATOR;
  ASSERT_TRUE(InsertMenuItemW(popup, 0, TRUE, &open));
  ASSERT_TRUE(InsertMenuItemW(popup, 1, TRUE, &gone));
  ASSERT_TRUE(InsertMenuItemW(popup, 103, FALSE, &grid)) << "before the item with id 103";
  ASSERT_TRUE(InsertMenuItemW(popup, 99, TRUE, &sep)) << "a position past the end appends";
  MENUITEMINFO sub = StringItem(0, "&View");
  sub.fMask |= MIIM_SUBMENU;
  sub.hSubMenu = popup;
  ASSERT_TRUE(InsertMenuItemW(bar, 0, TRUE, &sub));

  EXPECT_EQ(GetMenuItemCount(popup), 4);
  EXPECT_EQ(GetMenuItemCount(bar), 1);
  EXPECT_EQ(GetMenuItemID(popup, 0), 101u);
  EXPECT_EQ(GetMenuItemID(popup, 1), 102u);
  EXPECT_EQ(GetMenuItemID(popup, 2), 103u);
  EXPECT_EQ(GetMenuItemID(bar, 0), UINT(-1)) << "an item that opens a sub-menu";
  EXPECT_EQ(GetMenuItemID(popup, 9), UINT(-1));
  EXPECT_EQ(GetSubMenu(bar, 0), popup);

  struct Row {
    HMENU Menu;
    UINT Item, By, Want;
  };
  const Row rows[] = {
      {popup, 101, MF_BYCOMMAND, MF_DEFAULT},  {popup, 102, MF_BYCOMMAND, MF_CHECKED},
      {popup, 103, MF_BYCOMMAND, MF_GRAYED | MF_DISABLED}, {popup, 3, MF_BYPOSITION, MF_SEPARATOR},
      {bar, 0, MF_BYPOSITION, MF_POPUP | (4u << 8)},       {bar, 102, MF_BYCOMMAND, MF_CHECKED},
      {popup, 555, MF_BYCOMMAND, UINT(-1)},
  };
  for (const Row& r : rows) EXPECT_EQ(GetMenuState(r.Menu, r.Item, r.By), r.Want) << r.Item;

  MENUITEMINFO got;
  got.fMask = MIIM_ID | MIIM_STATE | MIIM_DATA | MIIM_FTYPE | MIIM_SUBMENU;
  ASSERT_TRUE(GetMenuItemInfoW(popup, 0, TRUE, &got));
  EXPECT_EQ(got.wID, 101u);
  EXPECT_EQ(got.fState, UINT(MFS_DEFAULT));
  EXPECT_EQ(got.dwItemData, 0xABCDu);
  EXPECT_EQ(got.hSubMenu, nullptr);
  EXPECT_EQ(TextOf(popup, 101, FALSE), "&Open");
  EXPECT_EQ(TextOf(bar, 0, TRUE), "&View");

  // The length alone, then a buffer too small: cut and terminated.
  MENUITEMINFO len;
  len.fMask = MIIM_STRING;
  ASSERT_TRUE(GetMenuItemInfoW(popup, 0, TRUE, &len));
  EXPECT_EQ(len.cch, 5u);
  char small[3] = {'x', 'x', 'x'};
  len.dwTypeData = small;
  len.cch = sizeof small;
  ASSERT_TRUE(GetMenuItemInfoW(popup, 0, TRUE, &len));
  EXPECT_STREQ(small, "&O");

  EXPECT_EQ(EnableMenuItem(popup, 103, MF_BYCOMMAND | MF_ENABLED), BOOL(MF_GRAYED | MF_DISABLED));
  EXPECT_EQ(GetMenuState(popup, 103, MF_BYCOMMAND), 0u);
  EXPECT_EQ(EnableMenuItem(popup, 0, MF_BYPOSITION | MF_GRAYED), 0);
  EXPECT_EQ(GetMenuState(popup, 0, MF_BYPOSITION), UINT(MF_GRAYED | MF_DEFAULT));
  EXPECT_EQ(EnableMenuItem(popup, 777, MF_BYCOMMAND | MF_GRAYED), -1);

  // The bar takes its sub-menus with it.
  EXPECT_TRUE(DestroyMenu(bar));
  EXPECT_FALSE(IsMenu(popup));
  EXPECT_FALSE(DestroyMenu(popup));
}

TEST(Menus, CallsOnDestroyedMenusAndBadRecordsFail) {
  HMENU m = CreatePopupMenu();
  HMENU child = CreatePopupMenu();
  const MENUITEMINFO item = StringItem(1, "One");
  MENUITEMINFO wrongSize = item;
  wrongSize.cbSize = 12;
  EXPECT_FALSE(InsertMenuItemW(m, 0, TRUE, &wrongSize));
  EXPECT_FALSE(InsertMenuItemW(m, 0, TRUE, nullptr));
  MENUITEMINFO self = item;
  self.fMask |= MIIM_SUBMENU;
  self.hSubMenu = m;
  EXPECT_FALSE(InsertMenuItemW(m, 0, TRUE, &self)) << "a menu inside itself";
  MENUITEMINFO withChild = item;
  withChild.fMask |= MIIM_SUBMENU;
  withChild.hSubMenu = child;
  ASSERT_TRUE(InsertMenuItemW(m, 0, TRUE, &withChild));
  EXPECT_FALSE(InsertMenuItemW(m, 0, TRUE, &withChild)) << "one sub-menu under two items";
  MENUITEMINFO loop = item;
  loop.fMask |= MIIM_SUBMENU;
  loop.hSubMenu = m;
  EXPECT_FALSE(InsertMenuItemW(child, 0, TRUE, &loop)) << "a cycle";

  ASSERT_TRUE(DestroyMenu(m));
  MENUITEMINFO info;
  info.fMask = MIIM_ID;
  EXPECT_FALSE(InsertMenuItemW(m, 0, TRUE, &item));
  EXPECT_EQ(GetMenuItemCount(m), -1);
  EXPECT_EQ(GetMenuItemID(m, 0), UINT(-1));
  EXPECT_FALSE(GetMenuItemInfoW(m, 0, TRUE, &info));
  EXPECT_EQ(GetMenuState(m, 0, MF_BYPOSITION), UINT(-1));
  EXPECT_EQ(EnableMenuItem(m, 0, MF_BYPOSITION), -1);
  EXPECT_FALSE(DestroyMenu(m));
  EXPECT_FALSE(IsMenu(child));
  EXPECT_FALSE(IsMenu(reinterpret_cast<HMENU>(uintptr_t(0x12345))));
}

class SystemMenu : public WinTest {};

TEST_F(SystemMenu, ListsTheWindowCommandsEnabledAsTheWindowStateAllows) {
  HWND w = Make(WS_OVERLAPPEDWINDOW, {10, 10, 310, 210});
  HMENU m = GetSystemMenu(w, FALSE);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(GetSystemMenu(w, FALSE), m) << "one menu per window";
  const UINT ids[] = {UINT(SC_RESTORE), UINT(SC_MOVE), UINT(SC_SIZE), UINT(SC_MINIMIZE), UINT(SC_MAXIMIZE), 0,
                      UINT(SC_CLOSE)};
  ASSERT_EQ(GetMenuItemCount(m), 7);
  for (int i = 0; i < 7; ++i) {
    if (ids[i] == 0) continue;
    EXPECT_EQ(GetMenuItemID(m, i), ids[i]) << i;
  }
  EXPECT_EQ(GetMenuState(m, 5, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));
  EXPECT_EQ(TextOf(m, UINT(SC_CLOSE), FALSE), "&Close\tAlt+F4");
  EXPECT_TRUE(GetMenuState(m, UINT(SC_CLOSE), MF_BYCOMMAND) & MF_DEFAULT);

  auto grayed = [&](WPARAM id) { return (GetMenuState(GetSystemMenu(w, FALSE), UINT(id), 0) & MF_GRAYED) != 0; };
  struct Row {
    int Show;
    bool Restore, Move, Size, Min, Max;  // grayed
  };
  const Row rows[] = {
      {SW_SHOWNORMAL, true, false, false, false, false},
      {SW_SHOWMAXIMIZED, false, true, true, false, true},
      {SW_MINIMIZE, false, false, true, true, false},
      {SW_RESTORE, true, false, false, false, false},
  };
  for (const Row& r : rows) {
    ShowWindow(w, r.Show);
    EXPECT_EQ(grayed(SC_RESTORE), r.Restore) << r.Show;
    EXPECT_EQ(grayed(SC_MOVE), r.Move) << r.Show;
    EXPECT_EQ(grayed(SC_SIZE), r.Size) << r.Show;
    EXPECT_EQ(grayed(SC_MINIMIZE), r.Min) << r.Show;
    EXPECT_EQ(grayed(SC_MAXIMIZE), r.Max) << r.Show;
    EXPECT_FALSE(grayed(SC_CLOSE));
  }

  // A dialog frame without boxes cannot be sized, minimized or maximized.
  HWND dlg = Make(WS_POPUP | WS_CAPTION | WS_SYSMENU, {0, 0, 100, 100});
  HMENU dm = GetSystemMenu(dlg, FALSE);
  for (WPARAM id : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE})
    EXPECT_TRUE(GetMenuState(dm, UINT(id), 0) & MF_GRAYED) << id;

  EXPECT_EQ(GetSystemMenu(Make(WS_POPUP, {0, 0, 10, 10}), FALSE), nullptr) << "no WS_SYSMENU";
  EXPECT_EQ(GetSystemMenu(w, TRUE), nullptr);
  EXPECT_FALSE(IsMenu(m)) << "revert drops the window's menu";
  HMENU again = GetSystemMenu(w, FALSE);
  ASSERT_NE(again, nullptr);
  DestroyWindow(w);
  EXPECT_FALSE(IsMenu(again)) << "the menu goes with its window";
  EXPECT_EQ(GetSystemMenu(w, FALSE), nullptr);
}

}  // namespace
