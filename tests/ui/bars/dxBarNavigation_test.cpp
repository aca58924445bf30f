// Keyboard navigation and key tips: the Alt-hold wait on its timer, typing
// key tips (narrowing, executing, beeping), navigation keys and moving the
// selection, and elements that go away.
#include "ui/bars/dxBarNavigation.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "tests/ui/bars/bar_doubles.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarElements.h"
#include "ui/lookandfeel/cxControls.h"

using namespace bartest;
using namespace win;

namespace {

// Label windows that keep the texts on screen and log each round.
class TLabels : public TdxBarKeyTipWindows {
public:
  TObject* Add(const std::string& AText, TPoint, bool, uint8_t, uint8_t) override {
    labels_.push_back(std::make_unique<TLabel>(AText));
    return labels_.back().get();
  }
  void Remove(TObject* ALabel) override {
    std::erase_if(labels_, [ALabel](const auto& l) { return l.get() == ALabel; });
  }
  void EndUpdate() override { ++Rounds; }
  std::multiset<std::string> Shown() const {
    std::multiset<std::string> s;
    for (const auto& l : labels_) s.insert(l->Text);
    return s;
  }
  int Rounds = 0;

private:
  struct TLabel : TObject {
    explicit TLabel(std::string AText) : Text(std::move(AText)) {}
    std::string Text;
  };
  std::vector<std::unique_ptr<TLabel>> labels_;
};

// A bar element: what it answers is set by the test, what it is told goes to a log.
class TElement : public IdxBarAccessibilityHelper {
public:
  TElement(std::string AName, TLog& ALog) : name_(std::move(AName)), log_(ALog) {}
  TdxBarKeyTipWindows* GetKeyTipWindowsManager() override { return Labels; }
  void CollectKeyTips(TdxObjectList* AList) override {
    for (const TdxBarKeyTipInfo& info : KeyTips) AList->Add(new TdxBarKeyTipData(info));
  }
  IdxBarAccessibilityHelper* GetNextAccessibleObject(int32_t ADirection) override { return Nearest[ADirection]; }
  IdxBarAccessibilityHelper* GetNextTabObject(bool ABackward) override { return ABackward ? TabPrev : TabNext; }
  bool ProcessNavKey(uint16_t& AKey) override { return Handles.count(AKey) > 0; }
  bool AcceptsNavKey(uint16_t AKey) override { return Accepts.count(AKey) > 0; }
  bool CanNavigateToChildren(uint16_t AKey) override { return Enters.count(AKey) > 0; }
  void Select(bool AByTab) override { log_.push_back(name_ + (AByTab ? " selected by tab" : " selected")); }
  void Unselect(IdxBarAccessibilityHelper* ANext) override {
    log_.push_back(name_ + " unselected" + (ANext ? " for " + static_cast<TElement*>(ANext)->name_ : ""));
  }
  IdxBarAccessibilityHelper* FirstSelectableElement() override { return First; }
  TCustomdxBarControl* GetBarControl() override { return Bar; }
  TdxBarManager* GetBarManager() override { return nullptr; }
  IdxBarAccessibilityHelper* GetDefaultSelectableChild() override { return DefaultChild; }
  TRect GetScreenBounds() override { return {}; }
  void NotifyOwnerDestroyed() override {}
  IdxBarAccessibilityHelper* GetKeyTipParent() override { return nullptr; }
  bool IsKeyTipContainer() override { return Labels != nullptr; }
  IdxBarAccessibilityHelper* GetBarHelper() override { return BarHelper ? BarHelper : this; }
  void EscapeKeyTipScope() override { log_.push_back(name_ + " escape"); }

  TLabels* Labels = nullptr;
  std::vector<TdxBarKeyTipInfo> KeyTips;
  std::map<int32_t, IdxBarAccessibilityHelper*> Nearest;
  IdxBarAccessibilityHelper* TabNext = nullptr;
  IdxBarAccessibilityHelper* TabPrev = nullptr;
  std::set<uint16_t> Handles, Accepts, Enters;
  IdxBarAccessibilityHelper* First = nullptr;
  IdxBarAccessibilityHelper* DefaultChild = nullptr;
  IdxBarAccessibilityHelper* BarHelper = nullptr;
  TCustomdxBarControl* Bar = nullptr;

private:
  std::string name_;
  TLog& log_;
};

// A bar window that counts its combined repaints.
class TCountingBar : public TCustomdxBarControl {
public:
  using TCustomdxBarControl::TCustomdxBarControl;
  void RepaintBar() override { ++Repaints; }
  int Repaints = 0;
  int MaxUpdateCount = 0;
};

class NavigationTest : public BarFormTest {
protected:
  void SetUp() override {
    BarFormTest::SetUp();
    dxBarHookState().MenuKeyPending = false;
    SetSoundHook([this](const std::string& s, DWORD) { sounds.push_back(s); });
    root.Labels = &labels;
    root.DefaultChild = &fileMenu;
  }
  void TearDown() override {
    controller.reset();
    SetSoundHook(nullptr);
    dxBarHookState().MenuKeyPending = false;
    BarFormTest::TearDown();
  }
  // Key tips F and FX of the main bar, in that order.
  void GiveKeyTips(bool AFEnabled) {
    root.KeyTips = {Tip("F", AFEnabled, "F"), Tip("FX", true, "FX")};
  }
  TdxBarKeyTipInfo Tip(const std::string& AText, bool AEnabled, const std::string& AName) {
    TdxBarKeyTipInfo info;
    info.KeyTip = AText;
    info.Visible = true;
    info.Enabled = AEnabled;
    info.ExecuteProc = [this, AName](bool AByMouse) { log.push_back(AName + (AByMouse ? " clicked" : " typed")); };
    return info;
  }
  // The Alt-hold timer's period has passed.
  void TickAltHoldTimer() {
    ASSERT_NE(controller->AltHoldTimer(), nullptr);
    PostMessage(cxTimerWindow()->Handle(), WM_TIMER, controller->AltHoldTimer()->EventID(), 0);
    Pump();
  }
  void Type(WORD AKey, TShiftState AShift = {}) { controller->ProcessNavigationKey(AKey, AShift); }

  TLog log;
  std::vector<std::string> sounds;
  TLabels labels;
  TElement root{"main bar", log}, fileMenu{"File", log};
  std::unique_ptr<TdxBarNavigationController> controller = std::make_unique<TdxBarNavigationController>();
};

TEST_F(NavigationTest, AltHeldPastTheTimerShowsTheKeyTipsReleasedEarlierSelectsTheDefault) {
  GiveKeyTips(true);
  // Held: the hook's Alt-alone mark is still set when the 500 ms timer fires.
  dxBarHookState().MenuKeyPending = true;
  controller->BeginAltHoldWait(&root);
  EXPECT_EQ(controller->AltHoldTimer()->Interval(), 500u);
  TickAltHoldTimer();
  EXPECT_EQ(controller->KeyTipScope(), &root);
  EXPECT_EQ(labels.Shown(), (std::multiset<std::string>{"F", "FX"}));
  EXPECT_FALSE(controller->IsAltHoldWaiting());
  EXPECT_TRUE(log.empty());
  controller->EndKeyTips();
  EXPECT_TRUE(labels.Shown().empty());

  // Released before: the hook cleared the mark, then selects the root's
  // default element on the key-up and, the root having one, shows the key tips.
  dxBarHookState().MenuKeyPending = true;
  controller->BeginAltHoldWait(&root);
  dxBarHookState().MenuKeyPending = false;
  TickAltHoldTimer();
  EXPECT_EQ(controller->AltHoldTimer(), nullptr);
  EXPECT_TRUE(controller->IsAltHoldWaiting()) << "the root stays until the wait ends";
  EXPECT_TRUE(labels.Shown().empty());
  controller->SelectRootDefault(&root);
  EXPECT_EQ(log, (TLog{"File selected"}));
  EXPECT_TRUE(controller->NavigationMode());
  controller->EndAltHoldWait(true);
  EXPECT_EQ(labels.Shown(), (std::multiset<std::string>{"F", "FX"}));
}

TEST_F(NavigationTest, ASecondRootOrNoRootWhileWaitingRaisesNothing) {
  TElement other{"other bar", log};
  TLabels otherLabels;
  other.Labels = &otherLabels;
  other.KeyTips = {Tip("O", true, "O")};
  EXPECT_NO_THROW(controller->BeginAltHoldWait(nullptr));
  EXPECT_FALSE(controller->IsAltHoldWaiting());
  dxBarHookState().MenuKeyPending = true;
  controller->BeginAltHoldWait(&root);
  EXPECT_NO_THROW(controller->BeginAltHoldWait(&other));
  EXPECT_TRUE(controller->IsAltHoldWaiting());
  TickAltHoldTimer();
  EXPECT_EQ(controller->KeyTipScope(), &other) << "the later root is the one waited for";
  EXPECT_EQ(otherLabels.Shown(), (std::multiset<std::string>{"O"}));
}

TEST_F(NavigationTest, TypingAKeyTipExecutesItOrNarrowsTheScope) {
  struct Case {
    bool fEnabled;
    std::vector<WORD> keys;
    TLog executed;
    std::multiset<std::string> shown;
    std::string typed;
  };
  const Case cases[] = {
      {true, {'F'}, {"F typed"}, {"F", "FX"}, ""},
      {false, {'F'}, {}, {"F", "FX"}, "F"},
      {false, {'F', 'X'}, {"FX typed"}, {"F", "FX"}, "F"},
  };
  for (const Case& c : cases) {
    log.clear();
    GiveKeyTips(c.fEnabled);
    controller->SetKeyTipScope(&root, "");
    for (WORD key : c.keys) Type(key);
    EXPECT_EQ(log, c.executed) << c.keys.size() << " keys, F enabled " << c.fEnabled;
    EXPECT_EQ(labels.Shown(), c.shown) << c.keys.size() << " keys, F enabled " << c.fEnabled;
    EXPECT_EQ(controller->TypedKeyTipText(), c.typed);
    EXPECT_TRUE(sounds.empty());
    controller->EndKeyTips();
  }
}

TEST_F(NavigationTest, ALetterNoKeyTipStartsWithBeepsOnceAndChangesNothing) {
  GiveKeyTips(false);
  controller->SetKeyTipScope(&root, "F");
  const int rounds = labels.Rounds;
  Type('Q');
  EXPECT_EQ(sounds, (std::vector<std::string>{"SystemDefault"}));
  EXPECT_EQ(controller->TypedKeyTipText(), "F");
  EXPECT_EQ(labels.Shown(), (std::multiset<std::string>{"F", "FX"}));
  EXPECT_EQ(labels.Rounds, rounds);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(controller->KeyTipScope(), &root);
}

TEST_F(NavigationTest, AltAndALetterCountOnlyWhenAKeyTipGoesOnWithIt) {
  GiveKeyTips(false);
  struct Case {
    std::string typed;
    WORD key;
    bool counts;
  };
  for (const Case& c : {Case{"", 'F', true}, Case{"", 'X', false}, Case{"F", 'X', true}, Case{"F", 'Y', false}}) {
    controller->SetKeyTipScope(&root, c.typed);
    EXPECT_EQ(controller->IsKeyTipChar(c.key, {ssAlt}), c.counts) << c.typed << char(c.key);
    EXPECT_TRUE(controller->IsKeyTipChar(c.key, {})) << "without Alt any text key counts";
    controller->EndKeyTips();
  }
  EXPECT_TRUE(sounds.empty()) << "asking never beeps";
}

TEST_F(NavigationTest, EmptyAndDuplicateKeyTipTextsAreHarmless) {
  root.KeyTips = {Tip("", true, "empty"), Tip("A", true, "first A"), Tip("A", true, "second A")};
  controller->SetKeyTipScope(&root, "");
  EXPECT_EQ(labels.Shown(), (std::multiset<std::string>{"", "A", "A"}));
  Type('A');
  EXPECT_EQ(log, (TLog{"first A typed"})) << "the first in list order wins";
}

TEST_F(NavigationTest, CtrlTabIsNoNavigationKey) {
  for (WORD key : {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_TAB})
    EXPECT_TRUE(TdxBarNavigationController::IsSelectionMoveKey(key)) << key;
  EXPECT_FALSE(TdxBarNavigationController::IsSelectionMoveKey('A'));
  backend_->KeyDown(VK_LCONTROL);
  Pump();
  EXPECT_FALSE(TdxBarNavigationController::IsSelectionMoveKey(VK_TAB));
  EXPECT_TRUE(TdxBarNavigationController::IsSelectionMoveKey(VK_DOWN));
  backend_->KeyUp(VK_LCONTROL);
  Pump();
}

TEST_F(NavigationTest, KeysTheSelectedElementLeavesMoveTheSelection) {
  TElement left{"left", log}, up{"up", log}, right{"right", log}, down{"down", log};
  TElement next{"next", log}, previous{"previous", log};
  TElement& selected = fileMenu;
  selected.Nearest = {{0, &left}, {1, &up}, {2, &right}, {3, &down}};
  selected.TabNext = &next;
  selected.TabPrev = &previous;
  struct Case {
    WORD key;
    TShiftState shift;
    TLog expected;
  };
  const Case cases[] = {
      {VK_LEFT, {}, {"File unselected for left", "left selected"}},
      {VK_UP, {}, {"File unselected for up", "up selected"}},
      {VK_RIGHT, {}, {"File unselected for right", "right selected"}},
      {VK_DOWN, {}, {"File unselected for down", "down selected"}},
      {VK_TAB, {}, {"File unselected for next", "next selected by tab"}},
      {VK_TAB, {ssShift}, {"File unselected for previous", "previous selected by tab"}},
  };
  for (const Case& c : cases) {
    log.clear();
    controller->ProcessNavigationKey(c.key, c.shift, &selected, &root);
    EXPECT_EQ(log, c.expected) << c.key;
  }
  log.clear();
  selected.Handles = {VK_DOWN};
  controller->ProcessNavigationKey(VK_DOWN, {}, &selected, &root);
  EXPECT_TRUE(log.empty()) << "the element took the key itself";

  // Nothing selected: the first selectable element of the parent's bar.
  root.First = &left;
  controller->ProcessNavigationKey(VK_RIGHT, {}, nullptr, &root);
  EXPECT_EQ(log, (TLog{"left selected"}));
}

TEST_F(NavigationTest, MovingWithinOneBarRepaintsItOnce) {
  TdxBarManager manager(form_.get());
  auto* bar = new TCountingBar(&manager);
  auto* otherBar = new TCountingBar(&manager);
  TElement a{"a", log}, b{"b", log}, c{"c", log};
  a.Bar = bar;
  b.Bar = bar;
  c.Bar = otherBar;
  controller->MoveSelection(false, &b, &a);
  EXPECT_EQ(bar->Repaints, 1);
  EXPECT_EQ(bar->UpdateCount(), 0);
  controller->MoveSelection(false, &c, &b);
  EXPECT_EQ(bar->Repaints, 1) << "no combined repaint across bars";
  EXPECT_EQ(otherBar->Repaints, 0);
  EXPECT_EQ(log, (TLog{"a unselected for b", "b selected", "b unselected for c", "c selected"}));
  log.clear();
  controller->MoveSelection(false, &c, &c);
  controller->MoveSelection(false, nullptr, &c);
  EXPECT_TRUE(log.empty());
}

TEST_F(NavigationTest, AnElementThatGoesAwayIsForgotten) {
  GiveKeyTips(true);
  controller->SetKeyTipScope(&root, "");
  controller->SetStoredSelection(&fileMenu, &root);
  fileMenu.BarHelper = &root;
  controller->DropElementReferences(&root);
  EXPECT_EQ(controller->KeyTipScope(), nullptr);
  EXPECT_TRUE(labels.Shown().empty());
  EXPECT_EQ(controller->GetSelectedObject(), nullptr);
  EXPECT_EQ(controller->GetSelectedParent(), nullptr);

  dxBarHookState().MenuKeyPending = true;
  controller->BeginAltHoldWait(&root);
  controller->DropElementReferences(&root);
  EXPECT_FALSE(controller->IsAltHoldWaiting()) << "a gone root is not shown later";
}

TEST_F(NavigationTest, EscapeInAScopeGoesToTheElementsEscape) {
  GiveKeyTips(true);
  controller->SetKeyTipScope(&root, "");
  Type(VK_ESCAPE);
  EXPECT_EQ(log, (TLog{"main bar escape"}));
}

}  // namespace
