// Buttons on a bar window under the mouse of the headless display: presses,
// releases and moves go through the bar window's own input, so the click,
// the check state, the pressed look, hot tracking, the drop-down request
// and the hover timers of menus are seen as a user causes them.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

#include "tests/ui/bars/button_control_doubles.h"
#include "tests/ui/bars/input_doubles.h"
#include "ui/bars/dxBarDrawParams.h"
#include "ui/bars/dxBarRoutines.h"

namespace bartest {
namespace {

class ButtonMouseTest : public ButtonControlFormTest {
protected:
  void TearDown() override {
    if (bar_ && IsLiveBarControl(bar_)) delete bar_;
    links_.reset();
    ButtonControlFormTest::TearDown();
  }
  // A shown bar window of class T at ABounds of the form, one link per item,
  // laid out as a stack of entries.
  template <class T>
  T* BarWith(std::initializer_list<TdxBarItem*> AItems, const TRect& ABounds = TRect(20, 80, 140, 280)) {
    links_ = std::make_unique<TdxBarControlItemLinks>(manager_, nullptr);
    for (TdxBarItem* item : AItems) links_->Add()->SetItem(item);
    auto* bar = new T(manager_);
    bar_ = bar;
    bar->SetItemLinks(links_.get());
    bar->SetParent(form_.get());
    bar->SetBounds(ABounds.Left, ABounds.Top, ABounds.Width(), ABounds.Height());
    bar->Canvas()->Font()->Assign(toolbar_->Canvas()->Font());
    bar->SetPainter(painter_.get());
    bar->SetVisible(true);
    bar->HandleNeeded();
    bar->Recalculate();
    Pump();
    return bar;
  }
  TdxBarButtonControl* ControlOf(int AIndex) {
    return dynamic_cast<TdxBarButtonControl*>(links_->GetItem(AIndex)->Control());
  }
  TRect RectOf(int AIndex) { return links_->GetItem(AIndex)->ItemRect(); }
  // Screen points of a link's main part and arrow part.
  TPoint MainOf(int AIndex) { return bar_->ClientToScreen({RectOf(AIndex).Left + 4, RectOf(AIndex).Top + 4}); }
  TPoint ArrowOf(int AIndex) { return bar_->ClientToScreen({RectOf(AIndex).Right - 3, RectOf(AIndex).Top + 4}); }
  TPoint Outside() { return bar_->ClientToScreen({bar_->Width() + 30, 10}); }

  void Move(TPoint P) {
    backend_->MouseMove(P.X, P.Y);
    Pump();
  }
  void Down(TPoint P) {
    backend_->MouseMove(P.X, P.Y);
    backend_->MouseDown(0, P.X, P.Y);
    Pump();
  }
  void Up(TPoint P) {
    backend_->MouseMove(P.X, P.Y);
    backend_->MouseUp(0, P.X, P.Y);
    Pump();
  }
  bool LooksPressed(TdxBarButtonControl* AControl) {
    AControl->CalcDrawParams(true);
    return static_cast<TdxBarButtonLikeControlDrawParams*>(AControl->DrawParams())->IsPressed;
  }

  TCustomdxBarControl* bar_ = nullptr;
  std::unique_ptr<TdxBarItemLinks> links_;
};

// ---------------------------------------------------------------- the click

TEST_F(ButtonMouseTest, OneClickTogglesACheckButtonOnceBeforeItsOnClick) {
  TdxBarButton* button = NewButton(bsChecked);
  std::vector<bool> downAtClick;
  button->OnClick = [&](TObject*) { downAtClick.push_back(button->Down()); };
  BarWith<TPressingBar>({button});
  ASSERT_NE(ControlOf(0), nullptr);

  Down(MainOf(0));
  EXPECT_TRUE(downAtClick.empty()) << "the press alone does not click";
  EXPECT_FALSE(button->Down());
  Up(MainOf(0));
  EXPECT_EQ(downAtClick, std::vector<bool>{true});
  EXPECT_TRUE(button->Down());

  Down(MainOf(0));
  Up(MainOf(0));
  EXPECT_EQ(downAtClick, (std::vector<bool>{true, false}));
  EXPECT_FALSE(button->Down());
}

TEST_F(ButtonMouseTest, APressReleasedOutsideTheButtonDoesNotClick) {
  TdxBarButton* button = NewButton(bsChecked);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  BarWith<TPressingBar>({button, NewButton(bsDefault, "Other")});
  for (TPoint release : {Outside(), MainOf(1)}) {
    SCOPED_TRACE(testing::Message() << release.X << "," << release.Y);
    Down(MainOf(0));
    Move(release);
    Up(release);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button->Down());
  }
}

TEST_F(ButtonMouseTest, TheArrowPartOfACheckedDropDownAsksForItsMenuAndDoesNotToggle) {
  TdxBarButton* button = NewButton(bsCheckedDropDown);
  auto* menu = new TRecordingPopupMenu(form_.get());
  menu->ItemLinks()->Add()->SetItem(NewButton(bsDefault, "Inside"));
  button->SetDropDownMenu(menu);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  BarWith<TPressingBar>({button});

  Down(ArrowOf(0));
  Up(ArrowOf(0));
  ASSERT_EQ(menu->Popups, 1);
  // Below the button, keeping its height clear, animated as a mouse press asks.
  EXPECT_EQ(menu->At, bar_->ClientToScreen({RectOf(0).Left, RectOf(0).Bottom}));
  EXPECT_EQ(menu->Options.OwnerHeight, RectOf(0).Height());
  EXPECT_TRUE(menu->Options.ShowAnimation);
  EXPECT_EQ(menu->Owner, ControlOf(0));
  EXPECT_FALSE(button->Down());
  EXPECT_EQ(clicks, 0);
}

// No bar window of this system makes its buttons capture the mouse; this
// one stands for a kind that does.
class TCapturingButtonControl : public TdxBarButtonControl {
public:
  using TdxBarButtonControl::TdxBarButtonControl;
  bool CapturesMouse() override { return !IsDroppedDown(); }
};

TEST_F(ButtonMouseTest, PressingAndReleasingAButtonThatCapturedTheMouseEndsMenuMode) {
  TdxBarButton* button = NewButton(bsDefault);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  TCustomdxBarControl* bar = BarWith<TPressingBar>({button});
  TdxBarItemLink* link = links_->GetItem(0);
  link->DestroyControl();
  link->SetControl(new TCapturingButtonControl(bar, link));
  bar->Recalculate();

  Down(MainOf(0));
  EXPECT_TRUE(bar->IsActive()) << "a press starts menu mode";
  EXPECT_EQ(bar->CapturedControl, link->Control());
  EXPECT_EQ(win::GetCapture(), bar->Handle());
  Up(MainOf(0));
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(bar->IsActive());
  EXPECT_EQ(bar->CapturedControl, nullptr);
  EXPECT_EQ(win::GetCapture(), nullptr);
}

// ---------------------------------------------------------------- the pressed look

TEST_F(ButtonMouseTest, ADownCheckButtonLooksPressedOnlyWhileTheLeftButtonIsHeldOverItsMainPart) {
  TdxBarButton* button = NewButton(bsChecked);
  button->SetDown(true);
  BarWith<TPressingBar>({button});
  TdxBarButtonControl* control = ControlOf(0);
  Move(MainOf(0));
  EXPECT_FALSE(LooksPressed(control)) << "hovered, no button held";
  Down(MainOf(0));
  EXPECT_TRUE(LooksPressed(control));
  Move(Outside());
  EXPECT_FALSE(LooksPressed(control)) << "held, but off the button";
  Move(MainOf(0));
  EXPECT_TRUE(LooksPressed(control));
  Up(Outside());
  EXPECT_FALSE(LooksPressed(control));
  EXPECT_TRUE(button->Down());
}

// ---------------------------------------------------------------- hot tracking

TEST_F(ButtonMouseTest, MovingTheMouseSelectsTheButtonUnderItAndLeavingDropsIt) {
  TCustomdxBarControl* bar = BarWith<TInputBar>({NewButton(bsDefault, "One"), NewButton(bsDefault, "Two")});
  Move(MainOf(1));
  EXPECT_EQ(bar->GetSelectedControl(), ControlOf(1));
  EXPECT_TRUE(bar->MouseInside());
  Move(MainOf(0));
  EXPECT_EQ(bar->GetSelectedControl(), ControlOf(0));
  // The manager's tracking tells the window that the mouse left it.
  Move(Outside());
  EXPECT_TRUE(PumpUntil([&] { return bar->GetSelectedControl() == nullptr; }));
  EXPECT_FALSE(bar->MouseInside());
  EXPECT_FALSE(bar->IsActive()) << "hovering does not start menu mode";
}

// ---------------------------------------------------------------- hover timers of menus

class MenuButtonHoverTest : public ButtonMouseTest {
protected:
  void SetUp() override {
    ButtonMouseTest::SetUp();
    button_ = NewButton(bsDropDown);
    menu_ = NewMenu();
    button_->SetDropDownMenu(menu_);
    BarWith<TInputMenuBar>({button_, NewButton(bsDefault, "Plain")});
  }
  TdxBarButton* button_ = nullptr;
  TOpeningPopupMenu* menu_ = nullptr;
};

TEST_F(MenuButtonHoverTest, HoverOpensWhenTheOpenTimerFiresAndLeavingClosesWhenTheCloseTimerFires) {
  const TdxBarButtonLikeTimers& timers = dxBarButtonLikeTimers();
  Move(MainOf(0));
  ASSERT_EQ(bar_->GetSelectedControl(), ControlOf(0));
  EXPECT_EQ(timers.OpenControl, ControlOf(0));
  EXPECT_EQ(timers.Interval, 400u);
  EXPECT_FALSE(menu_->IsOpen());
  DeliverOpenTimer(timers.OpenTimer);
  EXPECT_TRUE(menu_->IsOpen());
  EXPECT_EQ(menu_->At, bar_->ClientToScreen({RectOf(0).Right, RectOf(0).Top}));

  Move(MainOf(1));
  EXPECT_EQ(timers.CloseControl, ControlOf(0));
  EXPECT_TRUE(menu_->IsOpen()) << "open until the close timer";
  DeliverCloseTimer(timers.CloseTimer);
  EXPECT_FALSE(menu_->IsOpen());
  EXPECT_FALSE(ControlOf(0)->IsDroppedDown());
}

TEST_F(MenuButtonHoverTest, VkRightOnTheSelectedButtonOpensAtOnce) {
  bar_->SetActive(true);
  bar_->SelectControl(ControlOf(0));
  win::SendMessage(bar_->Handle(), win::WM_KEYDOWN, win::VK_RIGHT, 0);
  EXPECT_TRUE(menu_->IsOpen());
  EXPECT_EQ(dxBarButtonLikeTimers().OpenControl, nullptr);
  ControlOf(0)->CloseUp(true);
}

TEST_F(MenuButtonHoverTest, ATimerOfAFreedWindowsButtonOpensNothing) {
  Move(MainOf(0));
  const uintptr_t open = dxBarButtonLikeTimers().OpenTimer;
  ASSERT_NE(open, 0u);
  delete bar_;
  bar_ = nullptr;
  EXPECT_EQ(dxBarButtonLikeTimers().OpenControl, nullptr);
  DeliverOpenTimer(open);
  EXPECT_EQ(menu_->Popups, 0);
}

}  // namespace
}  // namespace bartest
