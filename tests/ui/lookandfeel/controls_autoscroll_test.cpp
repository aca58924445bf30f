// The middle-button auto-scroll loop, driven tick by tick: a message hook
// counts the loop's timer ticks and injects the user's input at chosen ones.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

#include "tests/platform/vcl/controls_test.h"
#include "ui/lookandfeel/cxControls.h"

namespace {

// A control with chosen scroll bars that records what the loop asks of it.
class TScrollProbe : public TCustomControl, public IcxAutoScrollControl {
public:
  explicit TScrollProbe(TComponent* owner) : TCustomControl(owner) {}
  bool Horz = true, Vert = true;
  std::vector<uint8_t> Scrolled;
  std::vector<bool> ScrollingContent;
  std::vector<uint32_t> ScrolledAtTick;
  int MiddleUps = 0, LeftDowns = 0;
  const uint32_t* TickCounter = nullptr;

  TWinControl* AutoScrollWindow() override { return this; }
  bool IsAutoScrollBarVisible(bool Horizontal) override { return Horizontal ? Horz : Vert; }
  void ScrollInDirection(uint8_t Direction) override {
    Scrolled.push_back(Direction);
    ScrolledAtTick.push_back(*TickCounter);
  }
  void SetScrollingContent(bool Value) override { ScrollingContent.push_back(Value); }

protected:
  void Dispatch(TMessage& m) override {
    if (m.Msg == win::WM_MBUTTONUP) ++MiddleUps;
    if (m.Msg == win::WM_LBUTTONDOWN) ++LeftDowns;
    TCustomControl::Dispatch(m);
  }
};

// What happens at each tick of the loop's thread timer, before the loop sees it.
struct TScript {
  std::map<uint32_t, std::function<void()>> At;
  uint32_t Ticks = 0;
};
TScript* script = nullptr;

win::LRESULT CountTicks(int code, win::WPARAM removed, win::LPARAM lParam) {
  const auto* msg = reinterpret_cast<const win::MSG*>(lParam);
  if (code >= 0 && removed == win::PM_REMOVE && script && msg->message == win::WM_TIMER && !msg->hwnd) {
    ++script->Ticks;
    if (auto it = script->At.find(script->Ticks); it != script->At.end()) it->second();
  }
  return win::CallNextHookEx(nullptr, code, removed, lParam);
}

class CxAutoScrollTest : public vcltest::VclTest {
protected:
  void SetUp() override {
    VclTest::SetUp();
    form_ = ShownForm();
    const win::HBITMAP marker = cxLoadAutoScrollBitmap("CX_FULLSCROLLBITMAP");
    win::BITMAP info;
    win::GetObject(marker, sizeof(info), &info);
    win::DeleteObject(marker);
    half_ = info.bmWidth / 2;
    Fresh();
  }
  // A new control with both bars, the middle button down at its centre, an empty script.
  void Fresh() {
    delete probe_;
    script_ = {};
    probe_ = Add<TScrollProbe>(form_, {20, 20, 320, 270});
    probe_->TickCounter = &script_.Ticks;
    Pump();
    start_ = At(probe_, 150, 120);
    backend_->MouseMove(start_.X, start_.Y);
    backend_->MouseDown(2, start_.X, start_.Y);
    Pump();
  }
  // Runs the loop with the script; a guard ends it with Esc at tick 200.
  void Run() {
    script_.At.try_emplace(200, [this] { backend_->Key(win::VK_ESCAPE); });
    script = &script_;
    const win::HHOOK hook = win::SetWindowsHookEx(win::WH_GETMESSAGE, &CountTicks, nullptr, 0);
    cxRunAutoScroll(*probe_);
    win::UnhookWindowsHookEx(hook);
    script = nullptr;
    endedAt_ = script_.Ticks;
  }
  void Move(int dx, int dy) { backend_->MouseMove(start_.X + dx, start_.Y + dy); }

  TForm* form_ = nullptr;
  TScrollProbe* probe_ = nullptr;
  TPoint start_;
  int half_ = 0;
  TScript script_;
  uint32_t endedAt_ = 0;
};

TEST_F(CxAutoScrollTest, AMiddleClickWithoutMovingKeepsItRunningUntilEsc) {
  bool capturedWhileRunning = false;
  win::HCURSOR restCursor = nullptr;
  win::HWND marker = nullptr;
  char markerClass[16] = {};
  script_.At[2] = [&] {
    marker = win::WindowFromPoint(start_);
    win::GetClassName(marker, markerClass, sizeof markerClass);
    backend_->MouseUp(2, start_.X, start_.Y);
  };
  script_.At[3] = [&] { Move(half_ - 1, -(half_ - 1)); };  // still inside the neutral zone
  script_.At[6] = [&] {
    capturedWhileRunning = win::GetCapture() == probe_->Handle();
    restCursor = win::GetCursor();
    backend_->Key(win::VK_ESCAPE);
  };
  Run();
  EXPECT_EQ(endedAt_, 6u);
  EXPECT_TRUE(capturedWhileRunning);
  // The marker sat over the start point and is gone.
  EXPECT_STREQ(markerClass, "STATIC");
  EXPECT_FALSE(win::IsWindow(marker));
  EXPECT_EQ(restCursor, Screen->Cursors(crcxFullScroll));
  EXPECT_EQ(probe_->MiddleUps, 1);  // handed to the control
  EXPECT_TRUE(probe_->Scrolled.empty());
  EXPECT_EQ(probe_->ScrollingContent, (std::vector<bool>{true, false}));
  EXPECT_EQ(win::GetCapture(), nullptr);
}

TEST_F(CxAutoScrollTest, SpeedGrowsWithTheDistance) {
  // A line every (13 - speed) ticks; speed = (distance - half) / 5 + 1, at most 12.
  struct Case {
    int dx, dy;
    uint8_t direction;
    uint32_t every;
  } cases[] = {
      {0, 200, 4, 1},                  // far below: speed 12, every tick
      {0, -(half_ + 1), 3, 12},        // just above the zone: speed 1
      {-(half_ + 25), 3, 1, 7},        // left: speed 6
      {half_ + 14, -(half_ + 14), 3, 10},  // a diagonal goes vertical: speed 3
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy);
    Fresh();
    win::HCURSOR moving = nullptr;
    script_.At[1] = [&] { Move(c.dx, c.dy); };  // seen after tick 1
    script_.At[25] = [&] {
      moving = win::GetCursor();
      backend_->Key(win::VK_ESCAPE);
    };
    Run();
    std::vector<uint32_t> expected;
    for (uint32_t tick = 2; tick <= 25; ++tick)
      if (tick % c.every == 0) expected.push_back(tick);
    EXPECT_EQ(probe_->ScrolledAtTick, expected);
    EXPECT_EQ(probe_->Scrolled, std::vector<uint8_t>(expected.size(), c.direction));
    const int32_t cursors[] = {0, crcxLeftScroll, crcxRightScroll, crcxUpScroll, crcxDownScroll};
    EXPECT_EQ(moving, Screen->Cursors(cursors[c.direction]));
  }
}

TEST_F(CxAutoScrollTest, WhatEndsTheLoop) {
  struct Case {
    const char* name;
    bool leaveZoneFirst;  // at tick 2, back at the start point
    std::function<void()> act;
  } cases[] = {
      {"escape", false, [this] { backend_->Key(win::VK_ESCAPE); }},
      {"left button", false, [this] { backend_->MouseDown(0, start_.X, start_.Y); }},
      {"wheel", false, [this] { backend_->Wheel(120, start_.X, start_.Y); }},
      {"middle release after leaving the zone", true, [this] { backend_->MouseUp(2, start_.X, start_.Y); }},
      {"capture taken", false, [this] { win::SetCapture(form_->Handle()); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fresh();
    if (c.leaveZoneFirst) {
      script_.At[1] = [this] { Move(0, 100); };
      script_.At[2] = [this] { Move(0, 0); };
    }
    script_.At[3] = c.act;
    Run();
    EXPECT_EQ(endedAt_, 3u);
    EXPECT_EQ(probe_->LeftDowns, 0);  // not handed on
    EXPECT_EQ(probe_->ScrollingContent, (std::vector<bool>{true, false}));
    win::ReleaseCapture();
    backend_->MouseUp(0, start_.X, start_.Y);
    backend_->MouseUp(2, start_.X, start_.Y);
    Pump();
  }
}

TEST_F(CxAutoScrollTest, OneBarScrollsOnlyAlongIt) {
  // Without a vertical bar the zone spans the screen's height: only
  // horizontal moves count.
  probe_->Vert = false;
  win::HCURSOR rest = nullptr;
  script_.At[1] = [&] {
    rest = win::GetCursor();
    Move(0, 300);
  };
  script_.At[13] = [&] { Move(100, 300); };
  script_.At[26] = [&] { backend_->Key(win::VK_ESCAPE); };
  Run();
  EXPECT_EQ(rest, Screen->Cursors(crcxHorScroll));
  ASSERT_FALSE(probe_->Scrolled.empty());
  EXPECT_GT(probe_->ScrolledAtTick.front(), 13u);
  EXPECT_EQ(probe_->Scrolled, std::vector<uint8_t>(probe_->Scrolled.size(), 2));
}

TEST_F(CxAutoScrollTest, WithoutScrollBarsNothingHappens) {
  probe_->Horz = probe_->Vert = false;
  Run();
  EXPECT_EQ(endedAt_, 0u);
  EXPECT_TRUE(probe_->ScrollingContent.empty());
  EXPECT_EQ(win::GetCapture(), nullptr);
}

TEST_F(CxAutoScrollTest, AControlFreedWhileScrollingEndsTheLoop) {
  script_.At[1] = [this] { Move(0, 200); };
  script_.At[3] = [this] {
    delete probe_;
    probe_ = nullptr;
  };
  Run();  // the sanitizer watches the freed control
  EXPECT_EQ(endedAt_, 3u);
}

TEST_F(CxAutoScrollTest, QuitIsHandedOnToTheOuterLoop) {
  script_.At[2] = [] { win::PostQuitMessage(3); };
  Run();
  EXPECT_EQ(endedAt_, 2u);
  EXPECT_EQ(probe_->ScrollingContent, (std::vector<bool>{true, false}));
  win::MSG msg;
  ASSERT_TRUE(win::PeekMessage(&msg, nullptr, win::WM_QUIT, win::WM_QUIT, win::PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
}

TEST(CxAutoScrollBitmaps, EachKindHasItsMarker) {
  for (const char* name : {"CX_FULLSCROLLBITMAP", "CX_HORSCROLLBITMAP", "CX_VERSCROLLBITMAP"}) {
    const win::HBITMAP b = cxLoadAutoScrollBitmap(name);
    ASSERT_NE(b, nullptr) << name;
    win::BITMAP info;
    EXPECT_GT(win::GetObject(b, sizeof(info), &info), 0);
    EXPECT_GT(info.bmWidth, 0);
    win::DeleteObject(b);
  }
  EXPECT_EQ(cxLoadAutoScrollBitmap("CX_NOSUCHBITMAP"), nullptr);
}

}  // namespace
