// Item hints: the timers are fired by calling their procedures, so a test
// reads which timer runs with which delay instead of waiting for it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/ui/bars/bar_doubles.h"
#include "ui/bars/dxBarHints.h"

namespace bartest {
namespace {

class THintItem : public TdxBarItem, public IdxBarItemHint {
public:
  THintItem(TComponent* AOwner, std::string AHint, std::string AShortCut)
      : TdxBarItem(AOwner), hint_(std::move(AHint)), shortCut_(std::move(AShortCut)) {}
  bool GetHintText(std::string& AHint, std::string& AShortCut) override {
    AHint = hint_;
    AShortCut = shortCut_;
    return !hint_.empty();
  }
  bool IsHintEnabled() override { return Enabled(); }

private:
  std::string hint_, shortCut_;
};

// What the timers would do when their time came.
void FireHintTimer() {
  ASSERT_NE(dxBarHintState().HintTimer, 0u);
  DxBarHintTimerProc(nullptr, win::WM_TIMER, dxBarHintState().HintTimer, 0);
}
void FireHiddenHintTimer() {
  ASSERT_NE(dxBarHintState().HiddenHintTimer, 0u);
  DxBarHiddenHintTimerProc(nullptr, win::WM_TIMER, dxBarHintState().HiddenHintTimer, 0);
}

class HintsTest : public vcltest::VclTest {
protected:
  void SetUp() override {
    VclTest::SetUp();
    form_ = ShownForm();
    manager_ = new TdxBarManager(form_);
    open_ = new THintItem(form_, "Open", "Ctrl+O");
    next_ = new THintItem(form_, "Next", "Right");
  }
  void TearDown() override {
    delete manager_;
    VclTest::TearDown();
  }
  static bool Showing() { return dxBarHintWindow() && dxBarHintWindow()->IsShowing(); }
  static std::string Shown() { return Showing() ? dxBarHintWindow()->Caption() : std::string(); }

  TForm* form_ = nullptr;
  TdxBarManager* manager_ = nullptr;
  THintItem* open_ = nullptr;
  THintItem* next_ = nullptr;
};

TEST_F(HintsTest, AHintShowsAfterASecondAndHidesAfterTenSeconds) {
  manager_->SetHintState(true, "", open_);
  EXPECT_FALSE(Showing());
  EXPECT_EQ(dxBarHintState().HintTimerKind, htkShow);
  EXPECT_EQ(dxBarHintState().HintTimerElapse, 1000u);
  FireHintTimer();
  EXPECT_EQ(Shown(), "Open (Ctrl+O)");
  EXPECT_EQ(dxBarHintState().HintTimerKind, htkHide);
  EXPECT_EQ(dxBarHintState().HintTimerElapse, 10000u);
  FireHintTimer();
  EXPECT_FALSE(Showing());
  EXPECT_EQ(dxBarHintState().HintTimer, 0u);
}

TEST_F(HintsTest, TheNextHintWithin400MsShowsAtOnce) {
  manager_->SetHintState(true, "", open_);
  FireHintTimer();
  // Straight from one item to the next: at once.
  manager_->SetHintState(true, "", next_);
  EXPECT_EQ(Shown(), "Next (Right)");
  // Over a place without hint: hidden, and for 400 ms the next hint needs no delay.
  manager_->SetHintState(true, "", nullptr);
  EXPECT_FALSE(Showing());
  EXPECT_TRUE(dxBarHintState().HintJustHidden);
  manager_->SetHintState(true, "", open_);
  EXPECT_EQ(Shown(), "Open (Ctrl+O)");
  manager_->SetHintState(true, "", nullptr);
  FireHiddenHintTimer();
  EXPECT_FALSE(dxBarHintState().HintJustHidden);
  manager_->SetHintState(true, "", next_);
  EXPECT_FALSE(Showing());
  EXPECT_EQ(dxBarHintState().HintTimerKind, htkShow);
  manager_->CancelHint();
  EXPECT_EQ(dxBarHintState().HintTimer, 0u);
}

TEST_F(HintsTest, WhatTheHintShows) {
  struct Row {
    const char* What;
    bool ShowHint, Enabled, ForDisabled, ShortCutInHint, AppShortCuts;
    const char* Expected;  // empty: no hint
  };
  const Row rows[] = {
      {"plain", true, true, true, true, false, "Open (Ctrl+O)"},
      {"no shortcut", true, true, true, false, false, "Open"},
      {"application shortcuts", true, true, true, false, true, "Open (Ctrl+O)"},
      {"disabled shown", true, false, true, true, false, "Open (Ctrl+O)"},
      {"disabled", true, false, false, true, false, ""},
      {"ShowHint off", false, true, true, true, false, ""},
  };
  const bool appShortCuts = Application->HintShortCuts();
  for (const Row& r : rows) {
    SCOPED_TRACE(r.What);
    manager_->SetShowHint(r.ShowHint);
    manager_->SetShowHintForDisabledItems(r.ForDisabled);
    manager_->SetShowShortCutInHint(r.ShortCutInHint);
    Application->SetHintShortCuts(r.AppShortCuts);
    open_->SetEnabled(r.Enabled);
    manager_->SetHintState(true, "", open_);
    if (dxBarHintState().HintTimerKind == htkShow) FireHintTimer();
    EXPECT_EQ(Shown(), r.Expected);
    manager_->SetShowHint(true);
    manager_->CancelHint();
  }
  Application->SetHintShortCuts(appShortCuts);
}

TEST_F(HintsTest, AManagerDestroyedWhileItsHintWaitsStopsTheTimer) {
  TForm* other = MakeForm({10, 10, 100, 100});
  auto* m = new TdxBarManager(other);
  m->SetHintState(true, "Later", nullptr);
  ASSERT_NE(dxBarHintState().HintTimer, 0u);
  delete m;
  EXPECT_EQ(dxBarHintState().HintTimer, 0u);
  EXPECT_EQ(dxBarHintState().HintManager, nullptr);
  // A late tick finds no manager and does nothing.
  DxBarHintTimerProc(nullptr, win::WM_TIMER, 1, 0);
  EXPECT_FALSE(Showing());
}

TEST_F(HintsTest, AnItemFreedWhileItsHintWaitsShowsNothing) {
  auto* doomed = new THintItem(form_, "Gone", "");
  doomed->SetBarManager(manager_);
  manager_->SetHintState(true, "", doomed);
  delete doomed;
  FireHintTimer();
  EXPECT_FALSE(Showing());
  EXPECT_EQ(dxBarHintState().HintTimer, 0u);
}

}  // namespace
}  // namespace bartest
