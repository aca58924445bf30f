// The component timer over its shared window, and mouse-leave tracking,
// driven on the headless display by injected mouse moves and the message loop.
#include "ui/lookandfeel/cxControls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/display/display.h"
#include "platform/vcl/forms.h"
#include "tests/platform/vcl/controls_test.h"
#include "ui/lookandfeel/cxLookAndFeelStartup.h"

namespace {

// Counts the CM_MOUSELEAVE that tracking sends (lParam: the control itself),
// apart from the framework's own (lParam 0).
class TLeaveProbe : public TCustomControl {
public:
  explicit TLeaveProbe(TComponent* owner) : TCustomControl(owner) {}
  int TrackedLeaves = 0;

protected:
  void Dispatch(TMessage& m) override {
    if (m.Msg == CM_MOUSELEAVE && m.LParam == reinterpret_cast<win::LPARAM>(this)) ++TrackedLeaves;
    TCustomControl::Dispatch(m);
  }
};

struct TCaller : IcxMouseTrackingCaller {
  int Leaves = 0;
  void MouseLeave() override { ++Leaves; }
};

class CxControlsTest : public vcltest::VclTest {
protected:
  // Pumps through several tracking ticks.
  static void PumpTicks() {
    const win::DWORD start = win::GetTickCount();
    while (win::GetTickCount() - start < 60) {
      Pump();
      win::MsgWaitForMultipleObjects(0, nullptr, win::FALSE, 10, win::QS_ALLINPUT);
    }
  }
  // A probe at client (50, 50)-(150, 150) of a shown form.
  TLeaveProbe* ShownProbe() {
    form_ = ShownForm();
    auto* probe = Add<TLeaveProbe>(form_, {50, 50, 150, 150});
    Pump();
    return probe;
  }
  void MoveTo(TControl* c, int x, int y) {
    VclTest::MoveTo(c, x, y);
    Pump();
  }
  // A probe tracked over its client area with the mouse inside it.
  TLeaveProbe* TrackedProbe(IcxMouseTrackingCaller* caller) {
    TLeaveProbe* probe = ShownProbe();
    MoveTo(probe, 50, 50);
    StartMouseLeaveTracking(probe, probe->ClientRect(), caller);
    return probe;
  }

  TForm* form_ = nullptr;
};

void PostTick(const TcxTimer& t) {
  win::PostMessage(cxTimerWindow()->Handle(), win::WM_TIMER, t.EventID(), 0);
}

TEST_F(CxControlsTest, TimerRunsOnlyEnabledWithAHandler) {
  TcxTimer t(nullptr);
  EXPECT_TRUE(t.Enabled());
  EXPECT_EQ(t.Interval(), 1000u);
  EXPECT_FALSE(t.TimerOn());  // no handler yet
  t.SetEnabled(false);
  int ticks = 0;
  t.SetOnTimer([&](TObject* sender) {
    EXPECT_EQ(sender, &t);
    ++ticks;
  });
  EXPECT_FALSE(t.TimerOn());
  t.SetInterval(0);  // ignored
  EXPECT_EQ(t.Interval(), 1000u);
  t.SetInterval(15);
  EXPECT_FALSE(t.TimerOn());
  t.SetEnabled(true);
  EXPECT_TRUE(t.TimerOn());
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }));
  t.SetOnTimer(nullptr);
  EXPECT_FALSE(t.TimerOn());
}

TEST_F(CxControlsTest, TimersShareOneWindowAndAStaleTickIsDropped) {
  TcxTimer a(nullptr), b(nullptr);
  std::vector<char> fired;
  a.SetOnTimer([&](TObject*) { fired.push_back('a'); });
  b.SetOnTimer([&](TObject*) { fired.push_back('b'); });
  // Interval 1000: only the posted ticks arrive within the test.
  PostTick(b);
  PostTick(a);
  Pump();
  EXPECT_EQ(fired, (std::vector<char>{'b', 'a'}));
  a.SetEnabled(false);
  PostTick(a);  // queued after the kill
  PostTick(b);
  Pump();
  EXPECT_EQ(fired, (std::vector<char>{'b', 'a', 'b'}));
}

TEST_F(CxControlsTest, ATimerFreedByItsHandlerIsSafe) {
  auto* t = new TcxTimer(nullptr);
  int ticks = 0;
  t->SetOnTimer([&, t](TObject*) {
    ++ticks;
    delete t;
  });
  const uintptr_t id = t->EventID();
  win::PostMessage(cxTimerWindow()->Handle(), win::WM_TIMER, id, 0);
  win::PostMessage(cxTimerWindow()->Handle(), win::WM_TIMER, id, 0);
  Pump();
  EXPECT_EQ(ticks, 1);
}

TEST_F(CxControlsTest, LeavingTheBoundsInsideTheClientAreaSendsNoLeaveMessage) {
  TLeaveProbe* probe = ShownProbe();
  MoveTo(probe, 5, 5);
  TCaller caller;
  StartMouseLeaveTracking(probe, {0, 0, 20, 20}, &caller);
  StartMouseLeaveTracking(probe, {0, 0, 20, 20}, &caller);  // one timer per caller
  ASSERT_TRUE(IsMouseLeaveTracked(&caller));
  PumpTicks();
  EXPECT_EQ(caller.Leaves, 0);
  MoveTo(probe, 60, 60);
  ASSERT_TRUE(PumpUntil([&] { return caller.Leaves > 0; }));
  PumpTicks();
  EXPECT_EQ(caller.Leaves, 1);
  EXPECT_EQ(probe->TrackedLeaves, 0);
  EXPECT_FALSE(IsMouseLeaveTracked(&caller));
}

TEST_F(CxControlsTest, LeavingTheClientAreaSendsTheLeaveMessage) {
  TCaller caller;
  TLeaveProbe* probe = TrackedProbe(&caller);
  MoveTo(probe, 150, 50);
  ASSERT_TRUE(PumpUntil([&] { return caller.Leaves > 0; }));
  EXPECT_EQ(probe->TrackedLeaves, 1);
}

TEST_F(CxControlsTest, DisablingTheControlOrAParentEndsTrackingWithTheLeaveMessage) {
  for (bool disableParent : {false, true}) {
    SCOPED_TRACE(disableParent ? "parent" : "control");
    TCaller caller;
    TLeaveProbe* probe = TrackedProbe(&caller);
    PumpTicks();
    ASSERT_TRUE(IsMouseLeaveTracked(&caller));
    if (disableParent)
      form_->SetEnabled(false);
    else
      probe->SetEnabled(false);
    ASSERT_TRUE(PumpUntil([&] { return caller.Leaves > 0; }));
    EXPECT_EQ(probe->TrackedLeaves, 1);
    EXPECT_FALSE(IsMouseLeaveTracked(&caller));
  }
}

TEST_F(CxControlsTest, AControlFreedWhileTrackedEndsTracking) {
  TCaller caller;
  TLeaveProbe* probe = TrackedProbe(&caller);
  delete probe;
  ASSERT_TRUE(PumpUntil([&] { return caller.Leaves > 0; }));
  EXPECT_FALSE(IsMouseLeaveTracked(&caller));
}

TEST_F(CxControlsTest, AHitTestingCallerDecidesWhereItIs) {
  struct THitTest : IcxMouseTrackingHitTest {
    int Leaves = 0;
    TPoint Last{-100, -100};
    void MouseLeave() override { ++Leaves; }
    bool PtInCaller(TPoint p) override {
      Last = p;
      return p.X < 30;
    }
  } caller;
  TLeaveProbe* probe = ShownProbe();
  MoveTo(probe, 20, 10);  // outside the bounds given, inside the caller's own test
  StartMouseLeaveTracking(probe, {0, 0, 5, 5}, &caller);
  PumpTicks();
  EXPECT_EQ(caller.Leaves, 0);
  EXPECT_EQ(caller.Last, (TPoint{20, 10}));  // client coordinates
  MoveTo(probe, 35, 10);
  ASSERT_TRUE(PumpUntil([&] { return caller.Leaves > 0; }));
  EXPECT_EQ(probe->TrackedLeaves, 0);  // still inside the control
}

TEST(CxControlsWindows, IsWindowEnabledWithParentsFollowsTheChain) {
  display::UseHeadlessDisplay();
  display::InitDisplay();
  {
    TForm form(nullptr);
    auto* child = new TLeaveProbe(&form);
    child->SetParent(&form);
    form.HandleNeeded();
    EXPECT_TRUE(IsWindowEnabledWithParents(child->Handle()));
    form.SetEnabled(false);
    EXPECT_TRUE(win::IsWindowEnabled(child->Handle()));
    EXPECT_FALSE(IsWindowEnabledWithParents(child->Handle()));
  }
  display::ShutdownDisplay();
  unsetenv("DUPLEXION_DISPLAY");
}

TEST(CxControlsShutdown, LiveTrackingIsFreedAndReportedOnce) {
  TCaller caller;
  StartMouseLeaveTracking(nullptr, {0, 0, 10, 10}, &caller);
  ASSERT_TRUE(IsMouseLeaveTracked(&caller));
  ::testing::internal::CaptureStderr();
  EXPECT_NO_THROW(cxControlsUnitStop());
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(IsMouseLeaveTracked(&caller));
  EXPECT_EQ(cxTimerWindow(), nullptr);  // nothing is made after shutdown
  StartMouseLeaveTracking(nullptr, {0, 0, 10, 10}, &caller);
  EXPECT_FALSE(IsMouseLeaveTracked(&caller));
  TcxTimer late(nullptr);
  late.SetOnTimer([](TObject*) {});
  EXPECT_FALSE(late.TimerOn());
  cxControlsUnitStart();  // the rest of the program runs on
  EXPECT_NE(said.find("mouse tracking"), std::string::npos);
  EXPECT_EQ(said.find("mouse tracking", said.find("mouse tracking") + 1), std::string::npos);
  EXPECT_EQ(caller.Leaves, 0);
}

}  // namespace

namespace {

TEST(CxControlsText, RemoveAccelChars) {
  struct Case {
    const char* in;
    bool trailing;
    const char* out;
  } cases[] = {
      {"&File", false, "File"}, {"a&&b", false, "a&b"}, {"Save&", false, "Save"}, {"Save&", true, "Save_"},
      {"&&&x", false, "&x"},    {"", true, ""},        {"plain", true, "plain"},
  };
  for (const Case& c : cases) EXPECT_EQ(RemoveAccelChars(c.in, c.trailing), c.out) << c.in << " " << c.trailing;
}

TEST(CxControlsInput, ShiftStateToMouseKeys) {
  EXPECT_EQ(ShiftStateToMouseKeys(TShiftState{ssShift, ssCtrl, ssLeft, ssRight, ssMiddle}), 0x1Fu);
  EXPECT_EQ(ShiftStateToMouseKeys(TShiftState{ssAlt, ssDouble}), 0u);
  EXPECT_EQ(ShiftStateToMouseKeys(TShiftState{ssCtrl, ssMiddle}), 0x18u);
}

TEST_F(CxControlsTest, MonitorWorkAreaAtPicksTheNearestMonitor) {
  backend_->SetMonitors({{{0, 0, 512, 768}, {0, 0, 512, 740}}, {{512, 0, 1024, 768}, {540, 20, 1024, 768}}});
  EXPECT_EQ(MonitorWorkAreaAt({100, 100}), (TRect{0, 0, 512, 740}));
  EXPECT_EQ(MonitorWorkAreaAt({5000, 10}), (TRect{540, 20, 1024, 768}));
  EXPECT_EQ(GetWorkAreaOfMonitor(nullptr), (TRect{0, 0, 512, 740}));  // the system's, the primary
}

TEST_F(CxControlsTest, SafeCursorPosReadsTheCursor) {
  backend_->MouseMove(123, 45);
  Pump();
  EXPECT_EQ(SafeCursorPos(), (TPoint{123, 45}));
}

}  // namespace

namespace {

void SetSystemFlag(win::UINT action, bool on) {
  win::SystemParametersInfo(action, 0, on ? reinterpret_cast<void*>(1) : nullptr, 0);
}

class CxHintWindowTest : public CxControlsTest {
protected:
  void TearDown() override {
    SetSystemFlag(win::SPI_SETTOOLTIPANIMATION, animation_);
    SetSystemFlag(win::SPI_SETTOOLTIPFADE, fade_);
    CxControlsTest::TearDown();
  }
  static bool Flag(win::UINT action) {
    win::BOOL on = win::FALSE;
    win::SystemParametersInfo(action, 0, &on, 0);
    return on;
  }
  bool animation_ = Flag(win::SPI_GETTOOLTIPANIMATION), fade_ = Flag(win::SPI_GETTOOLTIPFADE);
};

TEST_F(CxHintWindowTest, SystemStyleFollowsTheTooltipSettings) {
  struct Case {
    bool animation, fade;
    win::DWORD flags;
  } cases[] = {
      {false, true, 0},
      {true, true, 0x80000 | 0x40000},  // blend
      {true, false, 0x4 | 0x40000},     // downwards
  };
  TcxBaseHintWindow hint(nullptr);
  for (const Case& c : cases) {
    SetSystemFlag(win::SPI_SETTOOLTIPANIMATION, c.animation);
    SetSystemFlag(win::SPI_SETTOOLTIPFADE, c.fade);
    hint.ActivateHint({10, 10, 110, 30}, "short");
    EXPECT_EQ(hint.LastAnimationFlags(), c.flags) << c.animation << c.fade;
  }
  hint.ActivateHint({10, 10, 110, 30}, std::string(100, 'x'));
  EXPECT_EQ(hint.LastAnimationFlags(), 0u);  // long texts are not animated
  EXPECT_TRUE(win::IsWindowVisible(hint.Handle()));
  hint.AnimationStyle = 1;
  EXPECT_EQ(hint.AnimationFlags(), 0x2u | 0x40000u);
  SetSystemFlag(win::SPI_SETTOOLTIPANIMATION, false);
  EXPECT_EQ(hint.AnimationFlags(), 0u);  // explicit styles also follow the system switch
}

TEST_F(CxHintWindowTest, BoundsStayInsideTheWorkArea) {
  backend_->SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 740}}});
  struct Case {
    TRect asked, placed;
  } cases[] = {
      {{1000, 100, 1100, 120}, {924, 100, 1024, 120}},  // past the right edge: left
      {{100, 730, 200, 750}, {100, 720, 200, 740}},      // past the bottom: up
      {{-30, -5, 70, 15}, {0, 0, 100, 20}},              // left of and above: right and down
      {{200, 200, 300, 220}, {200, 200, 300, 220}},
  };
  TcxBaseHintWindow hint(nullptr);
  for (const Case& c : cases) {
    hint.SetBounds(c.asked.Left, c.asked.Top, c.asked.Width(), c.asked.Height());
    EXPECT_EQ(hint.BoundsRect(), c.placed) << c.asked.Left << "," << c.asked.Top;
  }
}

}  // namespace

namespace {

TEST(CxControlsCursors, RegisteredAtStartUp) {
  const win::HCURSOR fallback = Screen->Cursors(crDefault);
  std::vector<win::HCURSOR> seen;
  for (int32_t id = 2100; id <= 2115; ++id) {
    const win::HCURSOR c = Screen->Cursors(id);
    EXPECT_NE(c, fallback) << id;
    EXPECT_EQ(win::StandardCursorId(c), 0) << id;  // our own, not a system one
    seen.push_back(c);
  }
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());  // one per id
  EXPECT_EQ(win::StandardCursorId(Screen->Cursors(-2099)), 32649);  // the system hand
}

}  // namespace
