// Window, monitor, mouse, keyboard and popup-menu routines, the drag
// detection loop, and the process-wide controllers, on the headless display.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/classes/threads.h"
#include "platform/gdi/syscolors.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/menus.h"
#include "tests/platform/vcl/controls_test.h"
#include "ui/lookandfeel/cxControls.h"

namespace {

class CxRoutinesTest : public vcltest::VclTest {
protected:
  void TearDown() override {
    if (helper_) DeallocateHWnd(helper_);
    VclTest::TearDown();
  }
  // Runs action from inside the next nested loop (posted before it starts).
  void RunInsideLoop(std::function<void()> action) {
    action_ = std::move(action);
    if (!helper_) helper_ = AllocateHWnd([this](TMessage& m) {
        if (m.Msg == win::WM_APP && action_) action_();
        else m.Result = win::DefWindowProc(helper_, m.Msg, m.WParam, m.LParam);
      });
    win::PostMessage(helper_, win::WM_APP, 0, 0);
  }

  win::HWND helper_ = nullptr;
  std::function<void()> action_;
};

TEST_F(CxRoutinesTest, SafeCursorPosOnALockedDesktop) {
  backend_->MouseMove(30, 40);
  Pump();
  EXPECT_EQ(SafeCursorPos(), (TPoint{30, 40}));
  backend_->SetInputDesktopActive(false);
  EXPECT_EQ(SafeCursorPos(), (TPoint{-1, -1}));
  backend_->SetInputDesktopActive(true);
}

TEST_F(CxRoutinesTest, WithoutMonitorSupportTheSystemWorkAreaCounts) {
  backend_->SetMonitors({{{0, 0, 512, 768}, {0, 0, 512, 740}}, {{512, 0, 1024, 768}, {540, 20, 1024, 768}}});
  ASSERT_EQ(MonitorWorkAreaAt({900, 100}), (TRect{540, 20, 1024, 768}));
  for (const char* entry : {"MonitorFromPoint", "GetMonitorInfoW"}) {
    SCOPED_TRACE(entry);
    win::HideModuleExport("user32.dll", entry, win::TRUE);
    EXPECT_EQ(MonitorWorkAreaAt({900, 100}), (TRect{0, 0, 512, 740}));  // the primary's
    win::HideModuleExport("user32.dll", entry, win::FALSE);
  }
}

TEST(CxRoutines, IsWithinDragThreshold) {
  const int32_t saved = Mouse->DragThreshold();
  Mouse->SetDragThreshold(4);
  struct Case {
    int32_t x, y;
    bool within;
  } cases[] = {{100, 50, true}, {103, 47, true}, {104, 50, false}, {96, 50, false}, {100, 54, false}, {97, 53, true}};
  for (const Case& c : cases) EXPECT_EQ(IsWithinDragThreshold({100, 50}, c.x, c.y), c.within) << c.x << "," << c.y;
  Mouse->SetDragThreshold(saved);
}

TEST_F(CxRoutinesTest, DetectDragOrClick) {
  TForm* form = ShownForm();
  auto* target = Add<vcltest::TProbe>(form, {10, 10, 200, 200});
  auto* other = Add<vcltest::TProbe>(form, {220, 10, 300, 100});
  Pump();
  const int t = Mouse->DragThreshold();
  // Mouse down at target (50, 50); the square reaches t pixels each way, its
  // right and bottom edges outside.
  struct Case {
    const char* name;
    std::function<void(TPoint)> act;
    int32_t result;
  } cases[] = {
      {"release inside", [&](TPoint s) { backend_->MouseMove(s.X + t - 1, s.Y - t);
                                         backend_->MouseUp(0, s.X + t - 1, s.Y - t); }, 0},
      {"right release", [&](TPoint s) { backend_->MouseUp(1, s.X, s.Y); }, 0},
      {"leave right", [&](TPoint s) { backend_->MouseMove(s.X + t, s.Y); }, 1},
      {"leave up", [&](TPoint s) { backend_->MouseMove(s.X, s.Y - t - 1); }, 1},
      {"escape", [&](TPoint) { backend_->Key(win::VK_ESCAPE); }, 2},
      {"capture taken", [&](TPoint) { win::SetCapture(other->Handle()); }, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TPoint start = At(target, 50, 50);
    backend_->MouseMove(start.X, start.Y);
    backend_->MouseDown(0, start.X, start.Y);
    Pump();
    RunInsideLoop([&] { c.act(start); });
    EXPECT_EQ(DetectDragOrClick(target->Handle()), c.result);
    EXPECT_NE(win::GetCapture(), target->Handle());
    win::ReleaseCapture();
    backend_->MouseUp(0, start.X, start.Y);
    Pump();
  }
}

TEST_F(CxRoutinesTest, QuitInsideDragDetectionIsHandedOn) {
  TForm* form = ShownForm();
  RunInsideLoop([] { win::PostQuitMessage(7); });
  EXPECT_EQ(DetectDragOrClick(form->Handle()), 2);
  EXPECT_EQ(win::GetCapture(), nullptr);
  win::MSG msg;
  ASSERT_TRUE(win::PeekMessage(&msg, nullptr, win::WM_QUIT, win::WM_QUIT, win::PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(CxRoutinesTest, KeyCodeToCharFollowsTheKeyboardState) {
  struct Case {
    win::WORD key;
    bool shift;
    char16_t ch;
  } cases[] = {
      {'A', false, u'a'}, {'A', true, u'A'}, {'1', true, u'!'}, {win::VK_OEM_2, false, u'/'},
      {win::VK_SPACE, false, u' '}, {win::VK_F1, false, 0}, {win::VK_LEFT, true, 0},
  };
  for (const Case& c : cases) {
    if (c.shift) backend_->KeyDown(win::VK_SHIFT);
    Pump();
    EXPECT_EQ(KeyCodeToChar(c.key), c.ch) << c.key << " shift " << c.shift;
    if (c.shift) backend_->KeyUp(win::VK_SHIFT);
    Pump();
  }
}

TEST(CxRoutines, IsPrintableChar) {
  for (char16_t ch : {u'a', u' ', u'&', u'\u00E9', u'\u20AC', u'\u4E2D'}) EXPECT_TRUE(IsPrintableChar(ch)) << int(ch);
  for (char16_t ch : {u'\0', u'\t', u'\r', u'\x1B', u'\x7F', u'\u0085'}) EXPECT_FALSE(IsPrintableChar(ch)) << int(ch);
}

TEST_F(CxRoutinesTest, WindowRelations) {
  TForm* form = ShownForm();
  auto* panel = Add<TPanel>(form, {10, 10, 210, 210});
  auto* inner = Add<vcltest::TProbe>(panel, {20, 20, 120, 120});
  auto* hidden = Add<vcltest::TProbe>(inner, {0, 0, 50, 50});
  hidden->SetVisible(false);
  TForm* popup = MakeForm({600, 100, 700, 200});
  popup->HandleNeeded();
  win::SetWindowLongPtr(popup->Handle(), win::GWLP_HWNDPARENT, win::LONG_PTR(form->Handle()));
  Pump();

  EXPECT_TRUE(IsChildStyleWindow(inner->Handle()));
  EXPECT_FALSE(IsChildStyleWindow(form->Handle()));
  EXPECT_TRUE(IsChildOrSameWindow(form->Handle(), inner->Handle()));
  EXPECT_TRUE(IsChildOrSameWindow(inner->Handle(), inner->Handle()));
  EXPECT_FALSE(IsChildOrSameWindow(inner->Handle(), form->Handle()));
  EXPECT_FALSE(IsChildOrSameWindow(nullptr, nullptr));
  EXPECT_TRUE(IsAncestorWindow(form->Handle(), inner->Handle()));
  EXPECT_TRUE(IsAncestorWindow(form->Handle(), popup->Handle()));  // through the owner
  EXPECT_FALSE(IsChildOrSameWindow(form->Handle(), popup->Handle()));
  EXPECT_FALSE(IsAncestorWindow(inner->Handle(), form->Handle()));
  EXPECT_FALSE(IsAncestorWindow(inner->Handle(), inner->Handle()));
  EXPECT_FALSE(IsAncestorWindow(nullptr, inner->Handle()));

  // The hidden child covers inner's corner, so inner is the deepest there.
  EXPECT_EQ(GetDeepestWindowFromPoint(At(inner, 5, 5)), inner->Handle());
  EXPECT_EQ(GetDeepestWindowFromPoint(At(panel, 5, 5)), panel->Handle());
  EXPECT_EQ(GetDeepestWindowFromPoint(At(form, 300, 250)), form->Handle());
  EXPECT_EQ(GetDeepestWindowFromPoint({5000, 5000}), nullptr);
  hidden->SetVisible(true);
  Pump();
  EXPECT_EQ(GetDeepestWindowFromPoint(At(inner, 5, 5)), hidden->Handle());

  // Client coordinates of one window in another's, by way of the screen.
  TPoint p{7, 9};
  ConvertClientPoint(inner->Handle(), form->Handle(), p);
  EXPECT_EQ(p, form->ScreenToClient(At(inner, 7, 9)));
  TRect r{1, 2, 30, 40};
  ConvertClientRect(inner->Handle(), panel->Handle(), r);
  EXPECT_EQ(r, TRect(panel->ScreenToClient(At(inner, 1, 2)), panel->ScreenToClient(At(inner, 30, 40))));
  EXPECT_EQ(GetClientRectOrEmpty(inner->Handle()), (TRect{0, 0, 100, 100}));
  EXPECT_EQ(GetWindowRectOrEmpty(inner->Handle()), TRect(At(inner, 0, 0), At(inner, 100, 100)));
  EXPECT_EQ(GetControlWindowRect(inner), TRect(At(inner, 0, 0), At(inner, 100, 100)));
  const win::HWND gone = hidden->Handle();
  delete hidden;
  EXPECT_EQ(GetClientRectOrEmpty(gone), TRect{});
  EXPECT_EQ(GetWindowRectOrEmpty(gone), TRect{});
  EXPECT_EQ(GetControlWindowRect(nullptr), TRect{});
}

TEST_F(CxRoutinesTest, CanAllocateHandle) {
  TForm* form = MakeForm({0, 0, 100, 100});
  auto* loose = new vcltest::TProbe(form);
  auto* placed = Add<vcltest::TProbe>(form, {0, 0, 10, 10});
  auto* nested = new vcltest::TProbe(form);
  auto* host = new TPanel(form);
  nested->SetParent(host);
  auto* parked = new vcltest::TProbe(form);
  parked->SetParentWindow(form->Handle());
  EXPECT_TRUE(CanAllocateHandle(form));  // a form, with the application's window
  EXPECT_TRUE(CanAllocateHandle(placed));
  EXPECT_FALSE(CanAllocateHandle(loose));
  EXPECT_FALSE(CanAllocateHandle(nested));  // its parent has no parent either
  EXPECT_TRUE(CanAllocateHandle(parked));
  EXPECT_FALSE(placed->HandleAllocated());  // asking made nothing
  placed->HandleNeeded();
  EXPECT_TRUE(CanAllocateHandle(placed));
}

TEST_F(CxRoutinesTest, ComponentNamesAndFormStyles) {
  TForm* form = MakeForm({0, 0, 100, 100});
  form->SetName("Main");
  auto* button = new vcltest::TProbe(form);
  button->SetName("Ok");
  auto* menu = new TPopupMenu(button);
  menu->SetName("Menu");
  EXPECT_EQ(GetFullComponentName(menu), "Main.Ok.Menu");
  EXPECT_EQ(GetFullComponentName(form), "Main");
  EXPECT_EQ(GetFullComponentName(nullptr), "");

  EXPECT_FALSE(IsMDIChildForm(form));
  EXPECT_FALSE(IsMDIForm(button));
  EXPECT_FALSE(IsMDIChildForm(nullptr));
  form->SetFormStyle(fsMDIForm);
  EXPECT_TRUE(IsMDIForm(form));
  EXPECT_FALSE(IsMDIChildForm(form));
  form->SetDesigning(true, false);
  EXPECT_FALSE(IsMDIForm(form));  // not while designed
}

// A popup menu of another library: records what it is asked.
class TExternalMenu : public TComponent, public IcxExternalPopupMenu {
public:
  TExternalMenu() : TComponent(nullptr) {}
  bool IsShortCut(TWMKey& m) override {
    asked.push_back(m.CharCode);
    return m.CharCode == win::VK_F2;
  }
  void Popup(int32_t X, int32_t Y) override { shown.push_back({X, Y}); }
  std::vector<win::WORD> asked;
  std::vector<TPoint> shown;
};

// The framework's menu, shown by recording instead of tracking.
class TRecordedPopupMenu : public TPopupMenu {
public:
  TRecordedPopupMenu() : TPopupMenu(nullptr) {}
  void Popup(int32_t X, int32_t Y) override { shown.push_back({X, Y}); }
  std::vector<TPoint> shown;
};

TEST_F(CxRoutinesTest, PopupMenus) {
  TForm* form = MakeForm({0, 0, 100, 100});
  TExternalMenu external;
  TRecordedPopupMenu popup;
  int clicks = 0;
  popup.Items()->Add(NewItem(&popup, "Refresh", ShortCut(win::VK_F5, {}), false, true, [&](TObject*) { ++clicks; }));
  TComponent plain(nullptr);

  TWMKey f2{win::WM_KEYDOWN, win::VK_F2}, f5{win::WM_KEYDOWN, win::VK_F5};
  EXPECT_TRUE(IsPopupMenuShortCut(&external, f2));
  EXPECT_FALSE(IsPopupMenuShortCut(&external, f5));
  EXPECT_EQ(external.asked, (std::vector<win::WORD>{win::VK_F2, win::VK_F5}));
  EXPECT_TRUE(IsPopupMenuShortCut(&popup, f5));
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(IsPopupMenuShortCut(&popup, f2));
  EXPECT_FALSE(IsPopupMenuShortCut(&plain, f5));
  EXPECT_FALSE(IsPopupMenuShortCut(nullptr, f5));

  EXPECT_TRUE(ShowPopupMenuAt(form, &external, 10, 20));
  EXPECT_EQ(external.shown, (std::vector<TPoint>{{10, 20}}));
  EXPECT_TRUE(ShowPopupMenuAt(form, &popup, 30, 40));
  EXPECT_EQ(popup.shown, (std::vector<TPoint>{{30, 40}}));
  EXPECT_EQ(popup.PopupComponent(), form);
  popup.SetAutoPopup(false);
  EXPECT_FALSE(ShowPopupMenuAt(form, &popup, 50, 60));
  EXPECT_EQ(popup.shown.size(), 1u);
  EXPECT_FALSE(ShowPopupMenuAt(form, &plain, 1, 1));
  EXPECT_FALSE(ShowPopupMenuAt(form, nullptr, 1, 1));
}

// A form being designed, whose designer counts the changes it hears of.
class TDesignedForm : public TForm, public IcxFormDesigner {
public:
  TDesignedForm() : TForm(nullptr) {}
  void DesignerModified() override {
    ++modified;
    if (reenter) DesignController().DesignerModified(this);
  }
  int modified = 0;
  bool reenter = false;
};

TEST_F(CxRoutinesTest, DesignerNotifications) {
  TDesignedForm form;
  auto* control = new vcltest::TProbe(&form);
  control->SetParent(&form);
  NotifyDesignerModified(control);
  EXPECT_EQ(form.modified, 0);  // not designed
  control->SetDesigning(true);
  NotifyDesignerModified(control);
  EXPECT_EQ(form.modified, 1);

  TcxDesignController& designer = DesignController();
  designer.LockDesignerModified();
  designer.LockDesignerModified();
  designer.DesignerModified(&form);
  designer.UnlockDesignerModified();
  designer.DesignerModified(&form);
  EXPECT_EQ(form.modified, 1);  // still locked once
  designer.UnlockDesignerModified();
  designer.UnlockDesignerModified();  // not below zero
  form.reenter = true;
  designer.DesignerModified(&form);
  EXPECT_EQ(form.modified, 2);  // the notice it set off itself is dropped
  designer.LockDesignerModified();
  designer.DesignerModified(&form);
  EXPECT_EQ(form.modified, 2);
  designer.UnlockDesignerModified();
  TForm plainForm(nullptr);
  designer.DesignerModified(&plainForm);  // no designer: nothing
  designer.DesignerModified(nullptr);
}

// Counts the settings-changed notices it receives.
class TSettingsProbe : public TCustomControl {
public:
  explicit TSettingsProbe(TComponent* owner) : TCustomControl(owner) {}
  int heard = 0;

protected:
  void Dispatch(TMessage& m) override {
    if (m.Msg == CM_CXSETTINGSCHANGED) ++heard;
    TCustomControl::Dispatch(m);
  }
};

TEST_F(CxRoutinesTest, SettingsChangesReachTheRegisteredControls) {
  TForm* form = MakeForm({0, 0, 100, 100});
  auto* a = Add<TSettingsProbe>(form, {0, 0, 10, 10});
  auto* b = new TSettingsProbe(form);  // no window
  auto* unregistered = Add<TSettingsProbe>(form, {0, 0, 10, 10});
  a->HandleNeeded();
  unregistered->HandleNeeded();
  TcxSettingsController* settings = SettingsController();
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(settings->Handle(), nullptr);
  settings->Add(a);
  settings->Add(a);
  settings->Add(b);
  const win::HWND window = settings->Handle();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(win::SendMessage(window, win::WM_SETTINGCHANGE, win::SPI_SETNONCLIENTMETRICS, 0), 0);
  win::SendMessage(window, win::WM_SETTINGCHANGE, win::SPI_SETWORKAREA, 0);
  Pump();
  EXPECT_EQ(a->heard, 1);
  EXPECT_EQ(b->heard, 0);
  EXPECT_EQ(unregistered->heard, 0);
  settings->Remove(a);
  EXPECT_EQ(settings->Handle(), window);
  settings->Remove(b);
  EXPECT_EQ(settings->Handle(), nullptr);
  EXPECT_FALSE(win::IsWindow(window));
}

TEST_F(CxRoutinesTest, ASystemControllerRelaysWakeUpsOnlyInALibrary) {
  int wakes = 0;
  SetWakeMainThread([&] { ++wakes; });
  {
    TcxSystemController program(false);
    WakeMainThread()();
    EXPECT_EQ(wakes, 1);  // nothing replaced
  }
  {
    TcxSystemController library(true);
    // Another thread's queued call wakes the main thread through the window.
    bool ran = false;
    std::thread worker([&] { TThread::Queue(nullptr, [&] { ran = true; }); });
    worker.join();
    EXPECT_EQ(wakes, 1);
    EXPECT_FALSE(ran);
    win::MSG msg;
    ASSERT_TRUE(win::PeekMessage(&msg, library.Handle(), 0, 0, win::PM_REMOVE));
    EXPECT_EQ(msg.message, CM_CXSYNCHRONIZE);
    win::DispatchMessage(&msg);
    EXPECT_TRUE(ran);
  }
  WakeMainThread()();
  EXPECT_EQ(wakes, 2);  // restored
  SetWakeMainThread(nullptr);
}

}  // namespace
