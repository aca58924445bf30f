// Popup menus: creation with a manager, fonts and sizes, moving between
// managers, the own message loop (what it re-posts, drops and passes on),
// PopupEx's one-call options, shortcuts and the recursion check.
#include "ui/bars/dxBarPopupMenu.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/ui/bars/bar_doubles.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarStrs.h"

using namespace bartest;
using namespace win;

namespace {

constexpr UINT kCloseMenu = WM_APP + 1;

// A menu window that logs what Popup made of it and may refuse to show.
class TMenuWindow : public TdxBarSubMenuControl {
public:
  TMenuWindow(TdxBarManager* AManager, TLog& ALog, bool AFail)
      : TdxBarSubMenuControl(AManager), log_(ALog), fail_(AFail) {}
  ~TMenuWindow() override { log_.push_back("window freed"); }
  void ShowAnimated() override {
    log_.push_back("show at " + std::to_string(Left()) + "," + std::to_string(Top()) +
                   (Animated ? " animated" : " plain"));
    if (fail_) throw EdxException("no room");
    TdxBarSubMenuControl::ShowAnimated();
  }

private:
  TLog& log_;
  bool fail_;
};

class TTestPopupMenu : public TdxBarPopupMenu {
public:
  TTestPopupMenu(TComponent* AOwner, TLog& ALog) : TdxBarPopupMenu(AOwner), log_(ALog) {}
  TdxBarSubMenuControl* CreateSubMenuControl() override {
    ++Created;
    Window = new TMenuWindow(BarManager(), log_, FailToShow);
    return Window;
  }
  int Created = 0;
  bool FailToShow = false;
  TMenuWindow* Window = nullptr;

private:
  TLog& log_;
};

// A window of the form that logs the messages the test sends it; kCloseMenu closes the open menu.
class TProbeWindow : public TCustomControl {
public:
  TProbeWindow(TForm* AForm, TLog& ALog) : TCustomControl(AForm), log_(ALog) {
    SetBounds(10, 10, 50, 50);
    SetParent(AForm);
  }
  std::function<void()> CloseMenu;

protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == kCloseMenu) {
      log_.push_back("close");
      if (CloseMenu) CloseMenu();
      return;
    }
    if (m.Msg == WM_COMMAND) log_.push_back("command " + std::to_string(m.WParam));
    if (m.Msg == WM_LBUTTONDOWN) log_.push_back("button down");
    TCustomControl::WndProc(m);
  }

private:
  TLog& log_;
};

class PopupMenuTest : public BarFormTest {
protected:
  void SetUp() override {
    BarFormTest::SetUp();
    form = ShownForm();
    manager = new TdxBarManager(form);
    menu = new TTestPopupMenu(form, log);
    probe = new TProbeWindow(form, log);
    probe->CloseMenu = [this] {
      if (menu->Window && menu->ItemLinks()->BarControl) menu->Window->Close();
    };
    Pump();
    log.clear();
  }

  TLog log;
  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  TTestPopupMenu* menu = nullptr;
  TProbeWindow* probe = nullptr;
};

TEST_F(BarFormTest, APopupMenuNeedsARegisteredManager) {
  ASSERT_EQ(dxBarManagerList()->Count(), 0);
  try {
    TdxBarPopupMenu menu(form_.get());
    FAIL() << "made without a manager";
  } catch (const EdxException& e) {
    EXPECT_STREQ(e.what(), "There are no TdxBarManagers available");
  }
}

TEST_F(BarFormTest, APopupMenuTakesTheManagerOfItsOwnerElseTheFirstOne) {
  auto other = std::make_unique<TForm>(nullptr);
  TdxBarManager first(other.get());
  TdxBarManager own(form_.get());
  TdxBarPopupMenu ofForm(form_.get());
  TdxBarPopupMenu ofNothing(nullptr);
  EXPECT_EQ(ofForm.BarManager(), &own);
  EXPECT_EQ(ofNothing.BarManager(), &first);
  EXPECT_GE(own.PopupMenuList()->IndexOf(&ofForm), 0);
  EXPECT_GE(first.PopupMenuList()->IndexOf(&ofNothing), 0);
}

TEST_F(PopupMenuTest, BarSizeIsNeverNegative) {
  for (auto [given, stored] : {std::pair{-5, 0}, {0, 0}, {7, 7}}) {
    menu->SetBarSize(given);
    EXPECT_EQ(menu->BarSize(), stored) << given;
  }
}

TEST_F(PopupMenuTest, AFontSetInCodeIsTheMenusOwnUntilTurnedOff) {
  EXPECT_FALSE(menu->UseOwnFont());
  manager->Font()->SetColor(clRed);
  EXPECT_EQ(menu->Font()->Color(), clRed) << "without its own font the menu follows the manager";
  EXPECT_FALSE(menu->UseOwnFont());

  TFont own;
  own.SetColor(clBlue);
  own.SetSize(20);
  menu->SetFont(&own);
  EXPECT_TRUE(menu->UseOwnFont());
  EXPECT_EQ(menu->EditFont()->Size(), 20) << "the edit font copies the own font";
  manager->Font()->SetColor(clGreen);
  EXPECT_EQ(menu->Font()->Color(), clBlue) << "an own font stays";

  menu->SetUseOwnFont(false);
  EXPECT_FALSE(menu->UseOwnFont());
  EXPECT_EQ(menu->Font()->Color(), clGreen);
}

TEST_F(PopupMenuTest, ChangingTheManagerMovesTheMenuBetweenTheLists) {
  auto otherForm = std::make_unique<TForm>(nullptr);
  auto* other = new TdxBarManager(otherForm.get());
  menu->SetBarManager(other);
  EXPECT_LT(manager->PopupMenuList()->IndexOf(menu), 0);
  EXPECT_GE(other->PopupMenuList()->IndexOf(menu), 0);
  EXPECT_EQ(menu->ItemLinks()->BarManager(), other);
  menu->SetBarManager(nullptr);
  EXPECT_EQ(menu->BarManager(), other) << "null changes nothing";
  menu->SetBarManager(manager);
  otherForm.reset();
  EXPECT_EQ(menu->BarManager(), manager);
}

TEST_F(PopupMenuTest, OwnLoopRunsUntilTheMenuClosesAndPassesOtherWindowsCommandsOn) {
  std::vector<std::string> events;
  menu->OnPopup = [&](TObject*) { events.push_back("popup"); };
  menu->OnCloseUp = [&](TObject*) { events.push_back("closeup"); };
  PostMessage(probe->Handle(), WM_COMMAND, 42, 0);
  PostMessage(probe->Handle(), kCloseMenu, 0, 0);
  menu->Popup(30, 40);
  EXPECT_EQ(log, (TLog{"show at 30,40 animated", "command 42", "close", "window freed"}));
  EXPECT_EQ(events, (std::vector<std::string>{"popup", "closeup"}));
  EXPECT_FALSE(menu->IsShowing());
}

TEST_F(PopupMenuTest, AMessageReadAfterTheCloseIsPostedAgainToItsWindow) {
  // A click outside closes the menu from the mouse hook while the loop reads it.
  static TTestPopupMenu* open;
  open = menu;
  HHOOK hook = SetWindowsHookEx(WH_MOUSE, [](int code, WPARAM w, LPARAM l) -> LRESULT {
    if (code == HC_ACTION && w == WM_LBUTTONDOWN && open->ItemLinks()->BarControl) open->Window->Close();
    return CallNextHookEx(nullptr, code, w, l);
  }, nullptr, GetCurrentThreadId());
  const TPoint p = probe->ClientToScreen({5, 5});
  backend_->MouseMove(p.X, p.Y);
  backend_->MouseDown(0, p.X, p.Y);
  menu->Popup(30, 40);
  EXPECT_EQ(log, (TLog{"show at 30,40 animated", "window freed"})) << "the click waits for the caller";
  UnhookWindowsHookEx(hook);
  backend_->MouseUp(0, p.X, p.Y);
  Pump();
  EXPECT_EQ(log.back(), "button down");
}

TEST_F(PopupMenuTest, AQuitDuringTheLoopEndsItAndStaysQueued) {
  PostQuitMessage(3);
  menu->Popup(0, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, WPARAM(3));
  EXPECT_TRUE(menu->IsShowing()) << "only the loop ended";
  menu->Window->Close();
}

TEST_F(PopupMenuTest, PopupExOptionsLastOneCallAndTheNextPopupRunsTheLoopAgain) {
  const TRect bounds{5, 6, 70, 80};
  menu->PopupEx(10, 20, 65, 74, false, &bounds, false, probe);
  EXPECT_TRUE(menu->IsShowing()) << "returned at once";
  EXPECT_EQ(menu->Window->OwnerBounds, bounds);
  EXPECT_EQ(menu->Window->OwnerControl, probe);
  EXPECT_EQ(menu->Window->OwnerWidth, 65);
  EXPECT_EQ(menu->Window->OwnerHeight, 74);
  EXPECT_EQ(menu->Window->OwnerWindow, form->Handle());
  menu->Popup(1, 1);
  EXPECT_EQ(menu->Created, 1) << "nothing while it shows";
  menu->Window->Close();

  PostMessage(probe->Handle(), kCloseMenu, 0, 0);
  menu->Popup(11, 21);
  EXPECT_FALSE(menu->IsShowing()) << "the own loop ran until the close";
  EXPECT_EQ(log, (TLog{"show at 10,20 plain", "window freed", "show at 11,21 animated", "close", "window freed"}));
}

TEST_F(PopupMenuTest, AMenuThatFailsToShowIsClosedAndTheErrorPassesOn) {
  bool closed = false;
  menu->OnCloseUp = [&](TObject*) { closed = true; };
  menu->FailToShow = true;
  EXPECT_THROW(menu->Popup(0, 0), EdxException);
  EXPECT_EQ(log, (TLog{"show at 0,0 animated", "window freed"}));
  EXPECT_TRUE(closed);
  EXPECT_EQ(menu->ItemLinks()->BarControl, nullptr);
  EXPECT_FALSE(menu->IsShowing());
}

TEST_F(PopupMenuTest, AMenuFreedWhileItShowsClosesItsWindowWithoutCallingBack) {
  bool closed = false;
  menu->OnCloseUp = [&](TObject*) { closed = true; };
  menu->PopupEx(0, 0, 0, 0, true, nullptr, false, nullptr);
  ASSERT_TRUE(menu->IsShowing());
  delete menu;
  menu = nullptr;
  EXPECT_EQ(log, (TLog{"show at 0,0 animated", "window freed"}));
  EXPECT_FALSE(closed);
}

TEST_F(PopupMenuTest, ShortCutsRunTheirItems) {
  auto* item = new TdxBarItem(form);
  item->SetBarManager(manager);
  item->SetShortCut(VK_F5);
  int clicks = 0;
  item->OnClick = [&](TObject*) { ++clicks; };
  menu->ItemLinks()->Add()->SetItem(item);
  struct Case {
    WPARAM key;
    bool runs;
  };
  for (const Case& c : {Case{VK_F5, true}, Case{VK_F6, false}, Case{0, false}}) {
    clicks = 0;
    EXPECT_EQ(menu->ExecuteShortCut(TMessage{WM_KEYDOWN, c.key, 0}), c.runs) << c.key;
    EXPECT_EQ(clicks, c.runs ? 1 : 0) << c.key;
  }
}

TEST_F(PopupMenuTest, AMenuCannotHoldItselfDirectlyOrThroughASubItem) {
  class TSubItem : public TdxBarItem, public IdxBarLinksOwner {
  public:
    TSubItem(TComponent* AOwner, TdxBarManager* AManager)
        : TdxBarItem(AOwner), links_(std::make_unique<TdxBarItemLinks>(AManager, this)) {}
    TdxBarItemLinks* GetItemLinks() override { return links_.get(); }
    TCustomdxBarControl* CreateBarControl() override { return nullptr; }

  private:
    std::unique_ptr<TdxBarItemLinks> links_;
  };
  std::string error;
  EXPECT_FALSE(menu->ValidateLinksOwner(menu, error));
  EXPECT_EQ(error, "You cannot create recursive menus");

  auto* outer = new TSubItem(form, manager);
  auto* inner = new TSubItem(form, manager);
  outer->GetItemLinks()->Add()->SetItem(inner);
  inner->GetItemLinks()->Add()->SetItem(outer);  // a cycle must not hang the check
  error.clear();
  EXPECT_TRUE(menu->ValidateLinksOwner(outer, error));
  EXPECT_EQ(error, "");
  menu->ItemLinks()->Add()->SetItem(outer);
  EXPECT_TRUE(menu->ItemLinks()->ContainsLinksOwner(inner)) << "through the sub-item";
}

}  // namespace
