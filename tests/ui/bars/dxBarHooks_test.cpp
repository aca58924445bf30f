// The toolbar thread hooks: keys injected into the headless display pass the
// keyboard hook before the focused control and the form's shortcut handler;
// doubles of bar windows, item controls and the keyboard navigation record
// what the hooks ask of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/stdctrls.h"
#include "tests/ui/bars/bar_doubles.h"
#include "ui/bars/dxBarHooks.h"

namespace bartest {
namespace {

// A bar window whose answers the test sets; it logs what the hooks tell it.
class TRoutingBarControl : public TCustomdxBarControl {
public:
  TRoutingBarControl(TdxBarManager* AManager, std::string AName, TLog& ALog)
      : TCustomdxBarControl(AManager), name_(std::move(AName)), log_(ALog) {}
  bool Wheel = false;
  bool AcceptShortCuts = true;
  void CloseUp() override {
    log_.push_back(name_ + " close");
    if (GetBarManager()->FocusedBarControl() == this) GetBarManager()->SetFocusedBarControl(nullptr);
  }
  bool WantsMouseWheel() override { return Wheel; }
  bool AcceptsShortCuts() override { return AcceptShortCuts; }
  void ActivateKeyboardMode(TdxBarItemControl* AItemControl) override {
    log_.push_back(name_ + " keyboard mode " + AItemControl->GetItem()->Caption());
    TCustomdxBarControl::ActivateKeyboardMode(AItemControl);
  }

protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == win::WM_KEYDOWN) log_.push_back(name_ + " keydown " + std::to_string(m.WParam));
    if (m.Msg == win::WM_KEYUP) log_.push_back(name_ + " keyup " + std::to_string(m.WParam));
    TCustomdxBarControl::WndProc(m);
  }

private:
  std::string name_;
  TLog& log_;
};

class TRoutingItemControl : public TdxBarItemControl {
public:
  TRoutingItemControl(TCustomdxBarControl* AParent, TdxBarItemLink* ALink, bool ASubItem)
      : TdxBarItemControl(AParent, ALink), subItem_(ASubItem) {}
  bool OpensSubMenu() override { return subItem_; }

private:
  bool subItem_;
};

// The keyboard navigation's part, recorded.
class TRecordingNavigation : public IdxBarHookNavigation {
public:
  explicit TRecordingNavigation(TLog& ALog) : log_(ALog) {}
  bool ClaimsKey(win::WORD, TShiftState) override { return false; }
  void ProcessNavigationKey(win::WORD, TShiftState) override {}
  bool HasSelectedElement() override { return false; }
  bool IsAltHoldWaiting() override { return false; }
  bool IsKeyTipScopeActive() override { return false; }
  void BeginAltHoldWait(IdxBarAccessibilityHelper*) override { log_.push_back("alt wait"); }
  void EndAltHoldWait(bool AShow) override {
    if (AShow) log_.push_back("key tips");
  }
  void SelectRootDefault(IdxBarAccessibilityHelper*) override { log_.push_back("select main menu"); }
  void EndKeyboardMode() override {}
  void ClearNavigationMode() override {}

private:
  TLog& log_;
};

class HooksTest : public vcltest::VclTest {
protected:
  void SetUp() override {
    VclTest::SetUp();
    form_ = ShownForm();
    memo_ = Add<TMemo>(form_, {10, 10, 200, 100});
    memo_->OnKeyDown = [this](TObject*, win::WORD& key, TShiftState) { seen_.push_back("memo down " + std::to_string(key)); };
    memo_->OnKeyUp = [this](TObject*, win::WORD& key, TShiftState) { seen_.push_back("memo up " + std::to_string(key)); };
    form_->OnShortCut = [this](TWMKey& msg, bool&) { seen_.push_back("form " + std::to_string(msg.CharCode)); };
    manager_ = new TdxBarManager(form_);
    bar_ = manager_->AddBar();
    barWindow_ = new TRoutingBarControl(manager_, "bar", log_);
    bar_->SetVisible(true);
    bar_->SetControl(barWindow_);
    // Toolbar accelerators look only at the links that fit a visible bar window.
    barWindow_->SetBounds(0, 0, 600, 30);
    bar_->GetItemLinks()->BarControl = barWindow_;
    memo_->SetFocus();
    Pump();
  }
  void TearDown() override {
    dxBarHookPartners().Navigation = nullptr;
    delete manager_;
    VclTest::TearDown();
  }
  // An item on the bar that logs its clicks.
  TdxBarItem* AddItem(const std::string& ACaption, TShortCut AShortCut, bool ASubItem = false) {
    auto* item = new TdxBarItem(form_);
    item->SetBarManager(manager_);
    item->SetCaption(ACaption);
    item->SetShortCut(AShortCut);
    item->OnClick = [this, ACaption](TObject*) { log_.push_back("click " + ACaption); };
    TdxBarItemLink* link = bar_->GetItemLinks()->Add();
    link->SetItem(item);
    link->SetControl(new TRoutingItemControl(barWindow_, link, ASubItem));  // the link owns it
    const int32_t left = 40 * link->Index();
    link->SetItemRect(TRect(left, 0, left + 40, 20));
    return item;
  }

  TForm* form_ = nullptr;
  TMemo* memo_ = nullptr;
  TdxBarManager* manager_ = nullptr;
  TdxBar* bar_ = nullptr;
  TRoutingBarControl* barWindow_ = nullptr;
  TLog log_, seen_;
};

TEST_F(HooksTest, TheHooksLiveWhileManagersExist) {
  EXPECT_NE(dxBarHookState().KeyboardHook, nullptr);
  EXPECT_NE(dxBarHookState().MouseHook, nullptr);
  EXPECT_NE(dxBarHookState().CallWndProcHook, nullptr);
  delete manager_;
  manager_ = nullptr;
  EXPECT_EQ(dxBarHookState().KeyboardHook, nullptr);
  EXPECT_EQ(dxBarHookState().MouseHook, nullptr);
  EXPECT_EQ(dxBarHookState().CallWndProcHook, nullptr);
}

// The viewer's button keys: each clicks its item once, and neither the
// focused memo nor the form's shortcut handler sees the key.
TEST_F(HooksTest, ViewerShortCutsClickTheirItemOnceAndGoNoFurther) {
  struct Row {
    const char* Caption;
    win::UINT Key;
    bool Ctrl, Alt;
  };
  const Row rows[] = {{"Previous", win::VK_LEFT, false, false}, {"Next", win::VK_RIGHT, false, false},
                      {"Open", 'O', true, false},             {"Fit", '0', true, false},
                      {"Actual Size", '0', true, true},       {"2D", '1', true, false},
                      {"Gray", '2', true, false},             {"Color", '3', true, false},
                      {"Dubois", '4', true, false},           {"Interlace", '5', true, false},
                      {"Left", '6', true, false},             {"Red/Green", '7', true, false}};
  for (const Row& r : rows) {
    TShiftState shift;
    if (r.Ctrl) shift.Include(ssCtrl);
    if (r.Alt) shift.Include(ssAlt);
    AddItem(r.Caption, ShortCut(win::WORD(r.Key), shift));
  }
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Caption);
    log_.clear();
    seen_.clear();
    Press(r.Key, false, r.Ctrl, r.Alt);
    EXPECT_EQ(log_, TLog{std::string("click ") + r.Caption});
    for (const std::string& s : seen_) {
      EXPECT_EQ(s.find(" " + std::to_string(r.Key)), std::string::npos) << s;
    }
  }
}

// Without a manager on the focused form: the active form's manager acts,
// and the main form's only when it allows calls from another form.
TEST_F(HooksTest, ShortCutsFallBackToTheActiveFormThenToTheMainForm) {
  AddItem("Open", ShortCut('O', TShiftState{ssCtrl}));
  TCustomForm* savedMain = Application->MainForm();
  Application->SetMainForm(form_);
  // No focused window: the active form (the one with the manager) acts.
  win::SetFocus(nullptr);
  Press('O', false, true, false);
  EXPECT_EQ(log_, TLog{"click Open"});
  // Another form without manager is active and focused.
  TForm* other = MakeForm({300, 300, 400, 400});
  other->Show();
  auto* edit = Add<TMemo>(other, {0, 0, 50, 50});
  edit->SetFocus();
  Pump();
  ASSERT_EQ(win::GetActiveWindow(), other->Handle());
  for (bool allow : {false, true}) {
    SCOPED_TRACE(allow);
    manager_->SetAllowCallFromAnotherForm(allow);
    log_.clear();
    Press('O', false, true, false);
    EXPECT_EQ(log_, allow ? TLog{"click Open"} : TLog{});
  }
  Application->SetMainForm(savedMain);
}

// The popup menu linked to the focused control takes a shortcut before the
// bars do; another control's key goes to the bar item of the same shortcut.
TEST_F(HooksTest, APopupMenuLinkedToTheFocusedControlTakesItsShortCutFirst) {
  const TShortCut key = ShortCut('K', TShiftState{ssCtrl});
  AddItem("on the bar", key);
  auto* menu = new TdxBarPopupMenu(form_);
  menu->SetBarManager(manager_);
  auto* item = new TdxBarItem(form_);
  item->SetBarManager(manager_);
  item->SetShortCut(key);
  item->OnClick = [this](TObject*) { log_.push_back("click in the menu"); };
  menu->ItemLinks()->Add()->SetItem(item);
  TdxBarPopupMenuLink* link = manager_->PopupMenuLinks()->Add();
  link->SetControl(memo_);
  link->SetPopupMenu(menu);
  auto* unlinked = Add<TMemo>(form_, {10, 110, 200, 180});
  struct Row {
    TMemo* Focus;
    const char* Click;
  };
  for (Row r : {Row{memo_, "click in the menu"}, Row{unlinked, "click on the bar"}}) {
    SCOPED_TRACE(r.Click);
    r.Focus->SetFocus();
    Pump();
    log_.clear();
    seen_.clear();
    Press('K', false, true, false);
    EXPECT_EQ(log_, TLog{r.Click});
    for (const std::string& s : seen_) EXPECT_EQ(s.find(" " + std::to_string('K')), std::string::npos) << s;
  }
}

TEST_F(HooksTest, KeysWithoutShortCutReachTheFocusedControl) {
  AddItem("Open", ShortCut('O', TShiftState{ssCtrl}));
  Press('P', false, true, false);
  Press(win::VK_LEFT, true, false, false);
  EXPECT_TRUE(log_.empty());
  EXPECT_NE(std::find(seen_.begin(), seen_.end(), "memo down " + std::to_string('P')), seen_.end());
  EXPECT_NE(std::find(seen_.begin(), seen_.end(), "memo up " + std::to_string(win::VK_LEFT)), seen_.end());
}

TEST_F(HooksTest, HiddenBarsAndBarsThatRefuseShortCutsDoNotClick) {
  AddItem("Open", ShortCut('O', TShiftState{ssCtrl}));
  barWindow_->AcceptShortCuts = false;
  Press('O', false, true, false);
  EXPECT_TRUE(log_.empty());
  barWindow_->AcceptShortCuts = true;
  bar_->SetVisible(false);
  Press('O', false, true, false);
  EXPECT_TRUE(log_.empty());
  // A bar waiting for its window to come back still takes its shortcuts.
  manager_->BeginRestoringBars();
  manager_->AddRestoringBar(bar_);
  Press('O', false, true, false);
  EXPECT_EQ(log_, TLog{"click Open"});
  manager_->EndRestoringBars();
}

TEST_F(HooksTest, AFocusedBarWindowTakesTheKeysAndTheirKeyUps) {
  manager_->SetFocusedBarControl(barWindow_);
  Press(win::VK_DOWN);
  EXPECT_EQ(log_, (TLog{"bar keydown " + std::to_string(win::VK_DOWN), "bar keyup " + std::to_string(win::VK_DOWN)}));
  EXPECT_TRUE(seen_.empty());
  manager_->SetFocusedBarControl(nullptr);
}

TEST_F(HooksTest, TheKeyTestMarkAnswersWhetherTheToolbarsTookTheKey) {
  AddItem("Open", ShortCut('O', TShiftState{ssCtrl}));
  dxBarHookState().KeyTest = true;
  backend_->KeyDown(win::VK_LCONTROL);
  Pump();
  // Key-down of Ctrl+O: the item runs and the answer is 1; a key the bars do not take answers 0.
  EXPECT_EQ(DxBarKeyboardHook(win::HC_ACTION, 'O', 0), 1);
  EXPECT_EQ(DxBarKeyboardHook(win::HC_ACTION, 'P', 0), 0);
  // The key-up of the consumed key-down is consumed as well; a key-up without key-down is not.
  EXPECT_EQ(DxBarKeyboardHook(win::HC_ACTION, 'O', win::LPARAM(0xC0000000)), 1);
  EXPECT_EQ(DxBarKeyboardHook(win::HC_ACTION, 'Q', win::LPARAM(0xC0000000)), 0);
  // A peek is never handled.
  EXPECT_EQ(DxBarKeyboardHook(win::HC_NOREMOVE, 'O', 0), 0);
  dxBarHookState().KeyTest = false;
  backend_->KeyUp(win::VK_LCONTROL);
  Pump();
  EXPECT_EQ(log_, TLog{"click Open"});
}

TEST_F(HooksTest, TheKeySwallowMarkSwallowsEveryKey) {
  dxBarHookState().KeySwallow = true;
  Press('A');
  dxBarHookState().KeySwallow = false;
  EXPECT_TRUE(seen_.empty());
  Press('A');
  EXPECT_FALSE(seen_.empty());
}

TEST_F(HooksTest, AcceleratorsClickAUniqueLinkAndSelectASharedOne) {
  AddItem("&Save", scNone);
  AddItem("Se&nd", scNone);
  AddItem("Sen&d", scNone);
  AddItem("&Draw", scNone, true);
  AddItem("&Open", scNone);
  Press('O', false, false, true);
  EXPECT_EQ(log_, TLog{"click &Open"});
  log_.clear();
  // D is shared by two links: the first enters keyboard mode, nothing is clicked.
  Press('D', false, false, true);
  ASSERT_FALSE(log_.empty());
  EXPECT_EQ(log_[0], "bar keyboard mode Sen&d");
  EXPECT_EQ(std::count_if(log_.begin(), log_.end(), [](const std::string& s) { return s.starts_with("click"); }), 0);
  EXPECT_EQ(manager_->FocusedBarControl(), barWindow_);
  manager_->SetFocusedBarControl(nullptr);
  barWindow_->SetSelectedControl(nullptr);
  log_.clear();
  // A unique sub-item opens as by the keyboard.
  bar_->GetItemLinks()->GetItem(2)->GetItem()->SetCaption("Sen&t");
  Press('D', false, false, true);
  EXPECT_EQ(log_, TLog{"click &Draw"});
  EXPECT_TRUE(barWindow_->KeyboardOpened);
}

// The main-menu bar window's navigation root: Alt and F10 select its default child.
class TMenuRoot : public IdxBarAccessibilityHelper {
public:
  explicit TMenuRoot(TdxBarManager* AManager) : manager_(AManager) {}
  TCustomdxBarControl* GetBarControl() override { return nullptr; }
  TdxBarManager* GetBarManager() override { return manager_; }
  IdxBarAccessibilityHelper* GetDefaultSelectableChild() override { return this; }
  TRect GetScreenBounds() override { return TRect(); }
  void NotifyOwnerDestroyed() override {}
  IdxBarAccessibilityHelper* GetKeyTipParent() override { return nullptr; }
  bool IsKeyTipContainer() override { return true; }
  IdxBarAccessibilityHelper* GetBarHelper() override { return this; }
  void EscapeKeyTipScope() override {}

private:
  TdxBarManager* manager_;
};

class TMainMenuWindow : public TRoutingBarControl {
public:
  TMainMenuWindow(TdxBarManager* AManager, TLog& ALog) : TRoutingBarControl(AManager, "menu", ALog), root_(AManager) {}
  IdxBarAccessibilityHelper* GetIAccessibilityHelper() override { return &root_; }

private:
  TMenuRoot root_;
};

TEST_F(HooksTest, MenuKeysSelectTheMainMenuAndOtherKeysDoNot) {
  TRecordingNavigation nav(log_);
  dxBarHookPartners().Navigation = &nav;
  TdxBar* menu = manager_->AddBar(true);
  menu->SetVisible(true);
  menu->SetControl(new TMainMenuWindow(manager_, log_));
  AddItem("&Open", scNone);
  const std::string selected = "select main menu";
  struct Row {
    const char* What;
    std::function<void()> Keys;
    bool UseF10;
    TLog Expected;
    bool MemoSeesF10Up;
  };
  const Row rows[] = {
      {"Alt alone", [&] { Press(win::VK_MENU); }, true, {"alt wait", selected, "key tips"}, false},
      {"Alt with a letter", [&] { Press('O', false, false, true); }, true, {"alt wait", "click &Open"}, false},
      {"Alt with Ctrl", [&] { Press(win::VK_MENU, false, true, false); }, true, {}, false},
      {"F10", [&] { Press(win::VK_F10); }, true, {"alt wait", selected, "key tips"}, false},
      {"Alt alone, F10 off", [&] { Press(win::VK_MENU); }, false, {"alt wait", selected, "key tips"}, false},
      {"F10 without UseF10ForMenu", [&] { Press(win::VK_F10); }, false, {}, true},
      {"Shift+F10", [&] { Press(win::VK_F10, true); }, true, {}, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.What);
    manager_->SetUseF10ForMenu(r.UseF10);
    log_.clear();
    seen_.clear();
    r.Keys();
    EXPECT_EQ(log_, r.Expected);
    // A consumed key-down takes its key-up along; F10 that opens the menu is consumed on its key-up.
    const bool memoSaw = std::find(seen_.begin(), seen_.end(), "memo up " + std::to_string(win::VK_F10)) != seen_.end();
    EXPECT_EQ(memoSaw, r.MemoSeesF10Up);
  }
}

TEST_F(HooksTest, AWheelOverAnOpenMenuThatDeclinesItIsDropped) {
  manager_->SetFocusedBarControl(barWindow_);
  win::MOUSEHOOKSTRUCT mh{};
  mh.hwnd = memo_->Handle();
  for (bool wants : {false, true}) {
    barWindow_->Wheel = wants;
    EXPECT_EQ(DxBarMouseHook(win::HC_ACTION, win::WM_MOUSEWHEEL, win::LPARAM(&mh)), wants ? 0 : 1);
  }
  manager_->SetFocusedBarControl(nullptr);
  barWindow_->Wheel = false;
  EXPECT_EQ(DxBarMouseHook(win::HC_ACTION, win::WM_MOUSEWHEEL, win::LPARAM(&mh)), 0);
}

TEST_F(HooksTest, AClickOutsideTheOpenMenuClosesIt) {
  manager_->SetFocusedBarControl(barWindow_);
  Click(memo_, 5, 5);
  Pump();
  EXPECT_EQ(log_, TLog{"bar close"});
  EXPECT_EQ(manager_->FocusedBarControl(), nullptr);
}

}  // namespace
}  // namespace bartest
