// The menu model, shortcuts and the popup menu driven by keys and the mouse.
#include "platform/vcl/menus.h"

#include <gtest/gtest.h>

#include "platform/vcl/actnlist.h"
#include "platform/vcl/stdctrls.h"
#include "tests/platform/vcl/controls_test.h"

namespace menustest {
namespace {

using namespace vcltest;
using win::UINT;

TEST(MenuTextTest, HotkeysAndStripping) {
  struct Row {
    const char* Caption;
    const char* Stripped;
    char32_t Hotkey;
  };
  const Row rows[] = {{"&Open", "Open", U'O'},       {"Save &As...", "Save As...", U'A'}, {"Fish && Chips", "Fish & Chips", 0},
                      {"&&&Both", "&Both", U'B'},    {"Plain", "Plain", 0},             {"Trailing&", "Trailing", 0}};
  for (const Row& r : rows) {
    EXPECT_EQ(StripHotkey(r.Caption), r.Stripped) << r.Caption;
    EXPECT_EQ(GetHotkey(r.Caption), r.Hotkey) << r.Caption;
  }
}

// A menu of Open, a separator, a disabled item, a sub-menu (with two radio
// items) and Exit, owned by one component.
struct MenuFixture {
  TComponent owner{nullptr};
  TPopupMenu* menu = new TPopupMenu(&owner);
  std::string clicked;
  TMenuItem* Item(const char* caption, TShortCut sc = scNone) {
    auto* i = new TMenuItem(&owner);
    i->SetCaption(caption);
    i->SetShortCut(sc);
    i->OnClick = [this, i](TObject*) { clicked += StripHotkey(i->Caption()) + ";"; };
    return i;
  }
  TMenuItem *open, *line, *disabled, *sub, *small, *large, *exit;
  MenuFixture() {
    open = Item("&Open", ShortCut('O', {ssCtrl}));
    line = NewLine(&owner);
    disabled = Item("&Disabled");
    disabled->SetEnabled(false);
    sub = Item("&Size");
    small = Item("S&mall");
    large = Item("&Large", ShortCut(win::VK_F5, {}));
    for (TMenuItem* r : {small, large}) {
      r->SetRadioItem(true);
      r->SetGroupIndex(1);
    }
    small->SetChecked(true);
    sub->Add(small);
    sub->Add(large);
    exit = Item("E&xit");
    for (TMenuItem* i : {open, line, disabled, sub, exit}) menu->Items()->Add(i);
  }
};

TEST(MenuModelTest, TreeOperationsAndRadioGroups) {
  MenuFixture m;
  TMenuItem* root = m.menu->Items();
  EXPECT_EQ(root->Count(), 5);
  EXPECT_EQ(root->IndexOf(m.sub), 3);
  EXPECT_EQ(root->Find("open"), m.open);
  EXPECT_EQ(root->Find("Size"), m.sub);
  EXPECT_EQ(root->Find("nothing"), nullptr);
  EXPECT_TRUE(m.line->IsLine());
  EXPECT_EQ(m.large->GetParentMenu(), m.menu);
  EXPECT_THROW(root->Add(m.small), EMenuError) << "an item has one parent";

  // Checking one radio item unchecks the other of its group.
  m.large->SetChecked(true);
  EXPECT_FALSE(m.small->Checked());
  m.small->SetAutoCheck(true);
  m.small->Click();
  EXPECT_TRUE(m.small->Checked());
  EXPECT_FALSE(m.large->Checked());

  root->Delete(1);
  EXPECT_EQ(m.line->Parent(), nullptr);
  EXPECT_EQ(root->Items(1), m.disabled);
  root->Insert(0, m.line);
  EXPECT_EQ(m.line->MenuIndex(), 0);
  m.exit->SetMenuIndex(0);
  EXPECT_EQ(root->Items(0), m.exit);

  // Freeing an item takes its sub-items and leaves its parent.
  delete m.sub;
  EXPECT_EQ(root->IndexOf(m.sub), -1);
  EXPECT_EQ(root->Count(), 4);
  EXPECT_EQ(m.owner.ComponentCount(), 5) << "the menu, Open, the line, Disabled and Exit are left";
}

TEST(MenuModelTest, ShortCutsClickEnabledItems) {
  MenuFixture m;
  struct Row {
    TShortCut Key;
    bool Handled;
    const char* Clicked;
  };
  m.disabled->SetShortCut(ShortCut('D', {ssCtrl}));
  const Row rows[] = {{ShortCut('O', {ssCtrl}), true, "Open;"},
                      {ShortCut(win::VK_F5, {}), true, "Large;"},
                      {ShortCut('D', {ssCtrl}), false, ""},
                      {ShortCut('O', {}), false, ""}};
  for (const Row& r : rows) {
    m.clicked.clear();
    EXPECT_EQ(m.menu->FindItemByShortCut(r.Key) != nullptr, r.Key != ShortCut('O', {})) << ShortCutToText(r.Key);
    win::WORD key;
    TShiftState shift;
    ShortCutToKey(r.Key, key, shift);
    // As a key message would carry it: the modifiers come from the key state.
    win::BYTE keys[256] = {};
    if (shift.Contains(ssCtrl)) keys[win::VK_CONTROL] = 0x80;
    win::SetKeyboardState(keys);
    TWMKey msg{win::WM_KEYDOWN, key, 0, 0};
    EXPECT_EQ(m.menu->IsShortCut(msg), r.Handled) << ShortCutToText(r.Key);
    EXPECT_EQ(m.clicked, r.Clicked) << ShortCutToText(r.Key);
    win::BYTE none[256] = {};
    win::SetKeyboardState(none);
  }
}

class PopupMenuTest : public VclTest {};

TEST_F(PopupMenuTest, KeysChooseAnItemThatIsClickedAfterTheMenuCloses) {
  struct Row {
    const char* Name;
    std::vector<UINT> Keys;
    std::string Typed;
    const char* Clicked;
  };
  const Row rows[] = {
      {"down and enter picks the first", {win::VK_DOWN, win::VK_RETURN}, "", "Open;"},
      {"the separator is skipped and a disabled item is not chosen",
       {win::VK_DOWN, win::VK_DOWN, win::VK_RETURN, win::VK_UP, win::VK_RETURN},
       "",
       "Open;"},
      {"up wraps to the last", {win::VK_UP, win::VK_RETURN}, "", "Exit;"},
      {"into the sub-menu and back down", {win::VK_UP, win::VK_UP, win::VK_RIGHT, win::VK_DOWN, win::VK_RETURN}, "",
       "Large;"},
      {"escape cancels", {win::VK_DOWN, win::VK_ESCAPE}, "", ""},
      {"accelerator", {}, "x", "Exit;"},
      {"accelerator into a sub-menu", {}, "sm", "Small;"},
  };
  for (const Row& row : rows) {
    MenuFixture m;
    TForm* f = MakeForm({100, 100, 500, 400});
    f->Show();
    Pump();
    int popups = 0;
    bool menuGoneBeforeClick = false;
    m.menu->OnPopup = [&](TObject*) { ++popups; };
    for (TMenuItem* i : {m.open, m.exit, m.small, m.large})
      i->OnClick = [&m, &menuGoneBeforeClick, i](TObject*) {
        menuGoneBeforeClick = win::FindWindow("TMenuPopupWindow", nullptr) == nullptr ||
                              !win::IsWindowVisible(win::FindWindow("TMenuPopupWindow", nullptr));
        m.clicked += StripHotkey(i->Caption()) + ";";
      };
    // The keys wait in the queue until the menu's loop reads them.
    for (UINT k : row.Keys) backend_->Key(k);
    if (!row.Typed.empty()) backend_->Type(row.Typed);
    m.menu->Popup(150, 150);
    EXPECT_EQ(m.clicked, row.Clicked) << row.Name;
    EXPECT_EQ(popups, 1) << row.Name;
    if (*row.Clicked) {
      EXPECT_TRUE(menuGoneBeforeClick) << row.Name;
    }
    EXPECT_EQ(win::GetCapture(), nullptr) << row.Name;
    Pump();
  }
}

TEST_F(PopupMenuTest, TheMouseChoosesAndAClickOutsideCancels) {
  MenuFixture m;
  TForm* f = MakeForm({100, 100, 500, 400});
  f->Show();
  Pump();
  // The first row starts right below the menu's three-pixel frame at its corner.
  backend_->MouseMove(160, 160);
  backend_->Click(160, 160);
  m.menu->Popup(150, 150);
  EXPECT_EQ(m.clicked, "Open;");
  EXPECT_EQ(win::FindWindow("TMenuPopupWindow", nullptr), nullptr) << "the menu's windows are gone";
  // A press outside the menu cancels it and is not passed on.
  m.clicked.clear();
  int formClicks = 0;
  f->OnClick = [&](TObject*) { ++formClicks; };
  backend_->Click(450, 350);
  m.menu->Popup(150, 150);
  EXPECT_EQ(m.clicked, "");
  Pump();
  EXPECT_EQ(formClicks, 0);
}

TEST_F(PopupMenuTest, AControlShowsItsMenuOnTheContextKeyAndForwardsShortCuts) {
  MenuFixture m;
  TForm* f = MakeForm({100, 100, 500, 400});
  auto* e = Add<TEdit>(f, {10, 10, 150, 31});
  e->SetPopupMenu(m.menu);
  f->Show();
  e->SetFocus();
  Pump();
  // Ctrl+O reaches the menu of the focused control.
  backend_->KeyDown(win::VK_LCONTROL);
  backend_->Key('O');
  backend_->KeyUp(win::VK_LCONTROL);
  Pump();
  EXPECT_EQ(m.clicked, "Open;");
  EXPECT_EQ(e->Text(), "") << "the shortcut did not reach the edit";
  // A right click opens the menu at the mouse; Escape closes it again.
  m.clicked.clear();
  TPoint p = At(e, 20, 10);
  backend_->Click(p.X, p.Y, 1);
  backend_->Key(win::VK_DOWN);
  backend_->Key(win::VK_RETURN);
  Pump();
  EXPECT_EQ(m.clicked, "Open;");
  EXPECT_EQ(m.menu->PopupComponent(), e);
  EXPECT_EQ(m.menu->PopupPoint(), p);
}

TEST_F(PopupMenuTest, AnActionDrivesItsItem) {
  TComponent owner(nullptr);
  auto* list = new TActionList(&owner);
  auto* action = new TAction(&owner);
  action->SetActionList(list);
  action->SetCaption("&Rotate");
  action->SetShortCut(ShortCut('R', {ssCtrl}));
  int executed = 0;
  action->OnExecute = [&](TObject*) { ++executed; };
  auto* item = new TMenuItem(&owner);
  item->SetAction(action);
  EXPECT_EQ(item->Caption(), "&Rotate");
  EXPECT_EQ(item->ShortCut(), ShortCut('R', {ssCtrl}));
  item->Click();
  EXPECT_EQ(executed, 1);
  action->SetEnabled(false);
  EXPECT_FALSE(item->Enabled());
  item->Click();
  EXPECT_EQ(executed, 1);
  delete action;
  EXPECT_EQ(item->Action(), nullptr);
}

}  // namespace
}  // namespace menustest
