// The toolbar library's shared lookups and services, driven headless: the
// walk from windows and components to forms, owners and bar managers, the
// live bar-window list and the root of a bar-window chain, keyboard
// navigation and key tips, accelerators and shortcuts, the queue pumps, menu
// sounds and the small numeric helpers.
#include "ui/bars/dxBarRoutines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/lists.h"
#include "platform/classes/typinfo.h"
#include "platform/gdi/syscolors.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/graphics.h"
#include "platform/vcl/stdctrls.h"
#include "platform/win/winuser.h"
#include "tests/platform/vcl/controls_test.h"
#include "tests/ui/bars/bar_doubles.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarStartup.h"
#include "ui/lookandfeel/cxClasses.h"

using namespace bartest;

namespace {

class BarRoutinesTest : public BarFormTest {};

// ---------------------------------------------------------------- windows, forms and owners

// outer form > middle form (an MDI child) > inner form > panel, each one parented in the one before.
class FormChainTest : public BarRoutinesTest {
protected:
  void SetUp() override {
    BarRoutinesTest::SetUp();
    outer_ = MakeForm({0, 0, 400, 300});
    outer_->Show();
    middle_ = Add<TForm>(outer_, {0, 0, 300, 200});
    middle_->SetFormStyle(fsMDIChild);
    inner_ = Add<TForm>(middle_, {0, 0, 200, 100});
    panel_ = Add<TPanel>(inner_, {0, 0, 50, 50});
    panel_->HandleNeeded();
    win::WNDCLASS wc;
    wc.lpfnWndProc = win::DefWindowProc;
    wc.lpszClassName = kBareClass;
    win::RegisterClass(&wc);  // 0 when an earlier test registered it: the class is there either way
  }
  // A bare child window of the panel, as an embedded foreign window would be.
  win::HWND MakeBareChild() {
    return win::CreateWindowEx(0, kBareClass, "", win::WS_CHILD | win::WS_VISIBLE, 0, 0, 10, 10, panel_->Handle(),
                               nullptr, nullptr, nullptr);
  }
  static constexpr const char* kBareClass = "BarRoutinesBareChild";
  TForm* outer_ = nullptr;  // the fixture's forms own the chain
  TForm* middle_ = nullptr;
  TForm* inner_ = nullptr;
  TPanel* panel_ = nullptr;
};

TEST_F(FormChainTest, FormOfAWindowControlByKind) {
  ASSERT_TRUE(win::GetWindowLong(inner_->Handle(), win::GWL_STYLE) & win::WS_CHILD);
  struct Case {
    TWinControl* from;
    int32_t kind;
    TCustomForm* want;
  } cases[] = {
      {panel_, dxFormOutermost, outer_}, {panel_, dxFormMDIChild, middle_}, {panel_, dxFormNearest, inner_},
      {inner_, dxFormNearest, inner_},   {inner_, dxFormMDIChild, middle_}, {outer_, dxFormOutermost, outer_},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FindFormOfWindowControl(c.from, c.kind), c.want) << c.from->Name() << " kind " << c.kind;
  // Without an MDI child on the way the outermost form answers.
  middle_->SetFormStyle(fsNormal);
  EXPECT_EQ(FindFormOfWindowControl(panel_, dxFormMDIChild), outer_);
}

TEST_F(FormChainTest, FormLookupsWithoutAHandleOrOwnerAnswerNull) {
  TPanel loose(nullptr);  // never shown: no handle
  EXPECT_FALSE(loose.HandleAllocated());
  EXPECT_EQ(FindFormOfWindowControl(&loose, dxFormNearest), nullptr);
  EXPECT_EQ(FindFormOfWindowControl(nullptr, dxFormOutermost), nullptr);
  TComponent orphan(nullptr);
  EXPECT_EQ(FormOfComponent(&orphan), nullptr);
  EXPECT_EQ(FormOfComponent(nullptr), nullptr);
  EXPECT_EQ(FormOfBarManager(nullptr, dxFormOutermost), nullptr);
}

TEST_F(FormChainTest, ComponentsFindTheFormOfTheirWindowOwner) {
  auto* owned = new TComponent(panel_);  // owned by the panel, freed with it
  EXPECT_EQ(WinControlOwnerOf(owned), panel_);
  EXPECT_EQ(FormOfComponent(owned), inner_);
  TdxBarManager manager(inner_);
  EXPECT_EQ(FormOfBarManager(&manager, dxFormOutermost), outer_);
  EXPECT_EQ(FormOfBarManager(&manager, dxFormNearest), inner_);
}

TEST_F(FormChainTest, ManagersAreFoundFromComponentsAndWindows) {
  TdxBarManager manager(middle_);
  auto* owned = new TComponent(panel_);
  struct Case {
    const char* what;
    TdxBarManager* got;
    TdxBarManager* want;
  } cases[] = {
      {"the manager itself", ManagerOfComponent(&manager), &manager},
      {"the manager's owner", ManagerOfComponent(middle_), &manager},
      {"a form without a manager", ManagerOfComponent(inner_), nullptr},
      {"null", ManagerOfComponent(nullptr), nullptr},
      {"the owner's window", BarManagerOfWindow(middle_->Handle()), &manager},
      {"a window whose control owns none", BarManagerOfWindow(panel_->Handle()), nullptr},
      {"no window", BarManagerOfWindow(nullptr), nullptr},
      {"a component owned by a control below the owner", BarManagerForComponent(owned), &manager},
      {"the panel up its windows", BarManagerForComponent(panel_), &manager},
      {"a form above the owner", BarManagerForComponent(outer_), nullptr},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.what;
  TPanel loose(nullptr);  // a window control without a handle
  EXPECT_EQ(BarManagerForComponent(&loose), nullptr);
  EXPECT_TRUE(IsBarManagerOwnerWindow(&manager, outer_->Handle()));
}

TEST_F(FormChainTest, ParentControlsOfWindowsWithoutAControl) {
  win::HWND bare = MakeBareChild();
  ASSERT_NE(bare, nullptr);
  EXPECT_EQ(FindControl(bare), nullptr);
  EXPECT_EQ(FindVclControlUpwards(bare), panel_);
  EXPECT_EQ(FindVclControlUpwards(panel_->Handle()), panel_);
  EXPECT_EQ(FindVclControlUpwards(nullptr), nullptr);
  EXPECT_EQ(NearestVclParentOfChild(bare), panel_);
  EXPECT_EQ(NearestVclParentOfChild(panel_->Handle()), inner_);  // its own control is not considered
  EXPECT_EQ(NearestVclParentOfChild(outer_->Handle()), nullptr);  // a top-level window has no parent to climb to
  EXPECT_TRUE(IsWindowOwnedBy(bare, outer_->Handle()));
  EXPECT_FALSE(IsWindowOwnedBy(outer_->Handle(), bare));
  EXPECT_FALSE(IsOtherProcessWindow(bare));
  win::DestroyWindow(bare);
  EXPECT_TRUE(IsOtherProcessWindow(bare));  // a stale handle belongs to no window of ours
  EXPECT_TRUE(IsOtherProcessWindow(nullptr));
}

TEST_F(FormChainTest, ControlsWithinAParentByWindowsOrByParents) {
  auto* label = new TLabel(inner_);  // not windowed: its parent stands for it
  label->SetParent(panel_);
  TForm other(nullptr);
  auto* detached = new TPanel(&other);  // no handle yet
  auto* detachedChild = new TPanel(&other);
  detachedChild->SetParent(detached);
  struct Case {
    const char* what;
    TWinControl* parent;
    TControl* control;
    bool want;
  } cases[] = {
      {"a control in a form three levels down", outer_, panel_, true},
      {"the parent itself", panel_, panel_, true},
      {"a graphic control through its parent", middle_, label, true},
      {"a form is not within its child", panel_, inner_, false},
      {"parents without handles", detached, detachedChild, true},
      {"parents without handles, reversed", detachedChild, detached, false},
      {"a handle and no handle, unrelated", outer_, detachedChild, false},
      {"no parent", nullptr, panel_, false},
      {"no control", outer_, nullptr, false},
  };
  ASSERT_FALSE(detached->HandleAllocated());
  for (const Case& c : cases) EXPECT_EQ(IsControlWithin(c.parent, c.control), c.want) << c.what;
  EXPECT_EQ(WindowedSelfOrParent(label), panel_);
  EXPECT_EQ(WindowedSelfOrParent(panel_), panel_);
  EXPECT_EQ(WindowedSelfOrParent(nullptr), nullptr);
  TdxBarManager manager(middle_);
  EXPECT_TRUE(IsControlWithinManagerOwner(&manager, label));
  EXPECT_FALSE(IsControlWithinManagerOwner(&manager, outer_));
  EXPECT_FALSE(IsControlWithinManagerOwner(nullptr, label));
}

TEST_F(FormChainTest, FocusActivationAndShowing) {
  win::SetFocus(panel_->Handle());
  ASSERT_EQ(win::GetFocus(), panel_->Handle());
  EXPECT_TRUE(IsWindowOrParentFocused(panel_->Handle()));
  EXPECT_FALSE(IsWindowOrParentFocused(inner_->Handle()));
  EXPECT_FALSE(IsWindowOrParentFocused(nullptr));
  win::SetFocus(inner_->Handle());
  EXPECT_TRUE(IsWindowOrParentFocused(panel_->Handle()));  // a parent has the focus
  EXPECT_FALSE(IsWindowControlShowing(panel_));  // its forms inside the outer one are hidden
  auto* onOuter = Add<TPanel>(outer_, {300, 0, 350, 50});
  TPanel loose(nullptr);
  EXPECT_FALSE(IsWindowControlShowing(&loose));  // no handle
  EXPECT_TRUE(IsWindowControlShowing(onOuter));
  onOuter->SetVisible(false);
  EXPECT_FALSE(IsWindowControlShowing(onOuter));
  EXPECT_FALSE(IsWindowControlShowing(nullptr));
  TComponent plain(nullptr);
  EXPECT_FALSE(IsWindowControlShowing(&plain));

  TForm* second = MakeForm({500, 0, 600, 100});
  win::SetActiveWindow(second->Handle());
  ActivateTopLevelWindow(panel_->Handle());
  EXPECT_EQ(win::GetActiveWindow(), outer_->Handle());
  EXPECT_EQ(ActiveFormOrMDIChild(), outer_);
  win::EnableWindow(outer_->Handle(), false);
  EXPECT_EQ(ActiveFormOrMDIChild(), nullptr);  // a disabled form does not answer
  win::EnableWindow(outer_->Handle(), true);
  EXPECT_EQ(FindTopHostControl(nullptr, true), nullptr);
}

TEST_F(FormChainTest, WindowHandlesAndTimersAreReleasedOnce) {
  win::HWND wnd = MakeBareChild();
  ASSERT_NE(wnd, nullptr);
  win::HWND kept = wnd;
  ReleaseWindowHandle(kept, false);
  EXPECT_EQ(kept, nullptr);
  EXPECT_TRUE(win::IsWindow(wnd));
  win::HWND doomed = wnd;
  ReleaseWindowHandle(doomed, true);
  EXPECT_EQ(doomed, nullptr);
  EXPECT_FALSE(win::IsWindow(wnd));
  ReleaseWindowHandle(doomed, true);  // nothing left to release

  win::UINT_PTR id = 7;
  ASSERT_NE(win::SetTimer(panel_->Handle(), id, 1000, nullptr), 0u);
  EXPECT_TRUE(StopWindowTimer(panel_->Handle(), id));
  EXPECT_EQ(id, 0u);
  EXPECT_FALSE(StopWindowTimer(panel_->Handle(), id));  // id 0: nothing to stop
  win::UINT_PTR unknown = 99;
  EXPECT_FALSE(StopWindowTimer(panel_->Handle(), unknown));
  EXPECT_EQ(unknown, 99u);  // a failed kill keeps the id
}

// A panel that counts the cancel-mode notices it hears.
class TCancelProbe : public TPanel {
public:
  using TPanel::TPanel;
  int Cancels = 0;

protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_CANCELMODE) ++Cancels;
    TPanel::WndProc(m);
  }
};

TEST_F(BarRoutinesTest, ZOrderPlacementAndCancelModeOfTheActiveForm) {
  TForm* lower = MakeForm({0, 0, 100, 100});
  TForm* upper = MakeForm({50, 50, 150, 150});
  lower->Show();
  upper->Show();
  auto* probe = Add<TCancelProbe>(upper, {0, 0, 20, 20});
  upper->SetActiveControl(probe);
  win::SetActiveWindow(upper->Handle());
  ASSERT_EQ(win::GetActiveWindow(), upper->Handle());
  PlaceWindowInZOrder(lower->Handle(), win::HWND_TOP, false);
  EXPECT_EQ(win::GetWindow(lower->Handle(), win::GW_HWNDNEXT), upper->Handle());  // lower is now above
  EXPECT_EQ(win::GetActiveWindow(), upper->Handle());  // and was not activated
  EXPECT_EQ(lower->BoundsRect(), TRect(0, 0, 100, 100));  // nor moved or sized

  CancelModeOfActiveForm();
  EXPECT_EQ(probe->Cancels, 1);
  win::SetActiveWindow(nullptr);
  if (!win::GetActiveWindow()) {
    CancelModeOfActiveForm();  // no active form: nothing to tell
    EXPECT_EQ(probe->Cancels, 1);
  }
}

TEST(BarComponentState, ComparingWithAnAncestorNeedsLoadingAndAncestorWithoutReading) {
  struct Case {
    bool loading, ancestor, reading, want;
  } cases[] = {
      {true, true, false, true},  {true, true, true, false},   {false, true, false, false},
      {true, false, false, false}, {false, false, false, false},
  };
  for (const Case& c : cases) {
    TComponent component(nullptr);
    TComponentState state = component.ComponentState();
    state.Set(csLoading, c.loading);
    state.Set(csAncestor, c.ancestor);
    state.Set(csReading, c.reading);
    component.SetComponentState(state);
    EXPECT_EQ(IsComparingWithAncestor(&component), c.want) << c.loading << c.ancestor << c.reading;
  }
  EXPECT_FALSE(IsComparingWithAncestor(nullptr));
}

TEST(BarMessages, ButtonDownMessagesAreTheTwelvePressesAndDoubleClicks) {
  const std::vector<win::UINT> downs{161, 163, 164, 166, 167, 169, 513, 515, 516, 518, 519, 521};
  for (win::UINT msg = 0; msg < 0x400; ++msg) {
    const bool listed = std::find(downs.begin(), downs.end(), msg) != downs.end();
    EXPECT_EQ(IsButtonDownMessage(msg), listed) << msg;
  }
}

// ---------------------------------------------------------------- items, links and bar windows

// A bar window whose quick-chain answer the test chooses.
class TChainBar : public TCustomdxBarControl {
public:
  TChainBar(TdxBarManager* AManager, bool AQuick) : TCustomdxBarControl(AManager), quick_(AQuick) {}
  bool IsInQuickChain() override { return quick_; }
  IdxBarAccessibilityHelper* GetIAccessibilityHelper() override { return Helper; }
  void InvalidateItemControl(TdxBarItemControl* AControl) override { Repainted.push_back(AControl); }
  IdxBarAccessibilityHelper* Helper = nullptr;
  std::vector<TdxBarItemControl*> Repainted;

private:
  bool quick_;
};

class TChainSubMenu : public TdxBarSubMenuControl {
public:
  TChainSubMenu(TdxBarManager* AManager, TCustomdxBarControl* AParent) : TdxBarSubMenuControl(AManager) {
    SetParentBarControl(AParent);
  }
  // A sub-menu answers what the window it drops from answers.
  bool IsInQuickChain() override { return GetParentBarControl()->IsInQuickChain(); }
};

TEST_F(BarRoutinesTest, BarWindowsAreLiveFromConstructionToDestruction) {
  TdxBarManager manager(form_.get());
  auto* bar = new TChainBar(&manager, false);
  EXPECT_TRUE(IsLiveBarControl(bar));
  EXPECT_FALSE(IsLiveBarControl(nullptr));
  SetCurrentBarControl(bar);
  EXPECT_EQ(CurrentBarControl(), bar);
  EXPECT_EQ(CurrentBarManager(), &manager);
  EXPECT_FALSE(IsCurrentBarControlUsable());  // no handle yet
  bar->SetParent(form_.get());
  bar->HandleNeeded();
  EXPECT_TRUE(IsCurrentBarControlUsable());
  win::EnableWindow(bar->Handle(), false);
  EXPECT_FALSE(IsCurrentBarControlUsable());
  delete bar;
  EXPECT_FALSE(IsLiveBarControl(bar));
  EXPECT_EQ(CurrentBarControl(), nullptr);  // a destroyed window is no longer current
  EXPECT_EQ(CurrentBarManager(), nullptr);
  EXPECT_FALSE(IsCurrentBarControlUsable());
}

TEST_F(BarRoutinesTest, RootOfABarChainStopsAtTheQuickCustomizationWindow) {
  TdxBarManager manager(form_.get());
  TChainBar toolbar(&manager, false);
  TChainSubMenu menu(&manager, &toolbar);
  TChainSubMenu subMenu(&manager, &menu);
  TChainBar quick(&manager, true);
  quick.SetParentBarControl(&subMenu);
  TChainSubMenu quickMenu(&manager, &quick);
  TChainSubMenu loneMenu(&manager, nullptr);
  struct Case {
    const char* what;
    TCustomdxBarControl* from;
    TCustomdxBarControl* root;
    TCustomdxBarControl* nonMenuRoot;
  } cases[] = {
      {"a toolbar", &toolbar, &toolbar, &toolbar},
      {"a sub-menu two levels down", &subMenu, &toolbar, &toolbar},
      {"the quick-customization window", &quick, &quick, &quick},
      {"a sub-menu of the quick-customization window", &quickMenu, &quick, &quick},
      {"a sub-menu without a parent", &loneMenu, &loneMenu, nullptr},
      {"null", nullptr, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RootBarControl(c.from), c.root) << c.what;
    EXPECT_EQ(RootNonMenuBarControl(c.from), c.nonMenuRoot) << c.what;
  }
  TdxBarItemControl onSubMenu(&subMenu, nullptr), onLoneMenu(&loneMenu, nullptr);
  EXPECT_EQ(RootBarOfItemControl(&onSubMenu), &toolbar);
  EXPECT_EQ(ParentNonMenuBarOfItemControl(&onSubMenu), &toolbar);
  EXPECT_EQ(RootBarOfItemControl(&onLoneMenu), &loneMenu);
  EXPECT_EQ(ParentNonMenuBarOfItemControl(&onLoneMenu), nullptr);
  EXPECT_EQ(RootBarOfItemControl(nullptr), nullptr);
  EXPECT_EQ(ParentNonMenuBarOfItemControl(nullptr), nullptr);
}

TEST_F(BarRoutinesTest, RootOfACyclicChainEnds) {
  TdxBarManager manager(form_.get());
  TChainBar a(&manager, false), b(&manager, false);
  a.SetParentBarControl(&b);
  b.SetParentBarControl(&a);
  TCustomdxBarControl* root = RootBarControl(&a);
  EXPECT_TRUE(root == &a || root == &b);
}

TEST_F(BarRoutinesTest, ItemsLinksAndControlsLeadToEachOther) {
  TdxBarManager manager(form_.get());
  auto* item = new TdxBarItem(form_.get());
  item->SetBarManager(&manager);
  TdxBar* bar = manager.AddBar();
  TdxBarItemLink* link = bar->GetItemLinks()->Add();
  link->SetItem(item);
  TChainBar window(&manager, false);
  TdxBarItemControl control(&window, link);
  link->SetControl(&control);
  EXPECT_EQ(ControlOfItemLink(link), &control);
  EXPECT_EQ(ItemLinkOfControl(&control), link);
  EXPECT_EQ(ItemOfControl(&control), item);
  EXPECT_EQ(ItemOfItemLink(link), item);
  EXPECT_EQ(ControlOfItemLink(nullptr), nullptr);
  EXPECT_EQ(ItemLinkOfControl(nullptr), nullptr);
  EXPECT_EQ(ItemOfControl(nullptr), nullptr);
  EXPECT_EQ(ItemOfItemLink(nullptr), nullptr);
  EXPECT_EQ(EditThemeStateOfControl(&control), 1);
  item->SetEnabled(false);
  EXPECT_EQ(EditThemeStateOfControl(&control), 4);
  EXPECT_EQ(EditThemeStateOfControl(nullptr), 4);
  RepaintItemControl(&control);  // the window has no handle: nothing to repaint
  RepaintItemControl(nullptr);
  EXPECT_TRUE(window.Repainted.empty());
  window.SetParent(form_.get());
  window.HandleNeeded();
  RepaintItemControl(&control);
  EXPECT_EQ(window.Repainted, (std::vector<TdxBarItemControl*>{&control}));
  link->SetControl(nullptr);
  EXPECT_EQ(OwnedItemLinks(bar), bar->GetItemLinks());
  EXPECT_EQ(OwnedItemLinks(item), nullptr);
  EXPECT_EQ(OwnedItemLinks(nullptr), nullptr);
}

TEST_F(BarRoutinesTest, ObjectLinksAreClearedBeforeTheyAreRemoved) {
  TComponent target(nullptr);
  TcxObjectLink* link = AddObjectLink(&target);
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(ObjectOfLink(link), &target);
  EXPECT_EQ(ObjectOfLink(nullptr), nullptr);
  ReleaseObjectLink(link);
  EXPECT_EQ(link, nullptr);
  ReleaseObjectLink(link);  // nothing left
}

TEST_F(BarRoutinesTest, ANotifyingBitmapCallsItsHandler) {
  int changes = 0;
  std::unique_ptr<TBitmap> bitmap = CreateNotifyingBitmap([&](TObject*) { ++changes; });
  bitmap->SetSize(4, 4);
  EXPECT_GT(changes, 0);
}

// ---------------------------------------------------------------- strings and shortcuts

TEST(BarAccelerators, PositionOfTheAcceleratorWithAndWithoutDeletion) {
  struct Case {
    std::string caption;
    int32_t pos;
    int32_t posDeleted;
    std::string deleted;
  } cases[] = {
      {"&File", 2, 1, "File"},
      {"a&&b", 0, 0, "a&b"},
      {"File&", 0, 0, "File&"},
      {"Save &As", 7, 6, "Save As"},
      {"&a&b", 4, 2, "ab"},  // the last accelerator wins
      {"&&&", 0, 0, "&&"},
      {"&", 0, 0, "&"},
      {"", 0, 0, ""},
      {"\xC3\x9C&ber", 3, 2, "\xC3\x9C" "ber"},  // "Über": positions count characters
  };
  for (const Case& c : cases) {
    std::string kept = c.caption;
    EXPECT_EQ(FindAcceleratorPos(kept, false), c.pos) << c.caption;
    EXPECT_EQ(kept, c.caption);
    std::string changed = c.caption;
    EXPECT_EQ(FindAcceleratorPos(changed, true), c.posDeleted) << c.caption;
    EXPECT_EQ(changed, c.deleted) << c.caption;
  }
  EXPECT_EQ(StripAccelerators("&a&&b&"), "a&b");
}

// Holds Shift and Ctrl as the test asks and restores the keyboard after.
class KeyStateScope {
public:
  KeyStateScope(bool shift, bool ctrl) {
    win::GetKeyboardState(saved_);
    win::BYTE keys[256] = {};
    keys[win::VK_SHIFT] = shift ? 0x80 : 0;
    keys[win::VK_CONTROL] = ctrl ? 0x80 : 0;
    win::SetKeyboardState(keys);
  }
  ~KeyStateScope() { win::SetKeyboardState(saved_); }

private:
  win::BYTE saved_[256] = {};
};

TEST(BarCharSets, OnlyEightBitCharactersCanBeMembers) {
  TdxAnsiCharSet set;
  set.set('&').set(0xE9).set(0xFF);
  const struct {
    char32_t ch;
    bool member;
  } cases[] = {
      {U'&', true},   {U'\u00E9', true},  {U'\u00FF', true},  {U'a', false}, {0, false},
      // Code points above 255 whose low byte is a member are still outside.
      {U'\u0126', false}, {U'\u01E9', false}, {U'\u20FF', false}, {U'\U0001F926', false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsCharInSet(c.ch, set), c.member) << uint32_t(c.ch);
}

TEST(BarShortCuts, ShortCutFromKeyAndTheKeyState) {
  constexpr int32_t kAltBit = 1 << 29;
  struct Case {
    uint8_t key;
    bool shift, ctrl;
    int32_t keyData;
    TShortCut want;
  } cases[] = {
      {0x53, false, true, kAltBit, 0xC053}, {0x53, false, false, 0, 0x0053}, {0x53, true, false, 0, 0x2053},
      {0x53, true, true, kAltBit, 0xE053},  {0x53, false, false, ~kAltBit, 0x0053},
      {0, true, true, kAltBit, 0},  // no key, no shortcut
  };
  for (const Case& c : cases) {
    KeyStateScope keys(c.shift, c.ctrl);
    EXPECT_EQ(ShortCutFromKey(c.key, c.keyData), c.want) << int(c.key) << " shift " << c.shift << " ctrl " << c.ctrl;
  }
  EXPECT_EQ(ShortCutHintSuffix(TShortCut(scCtrl | 'S')), " (Ctrl+S)");
  EXPECT_EQ(ShortCutHintSuffix(0), "");
}

TEST(BarStrings, NamesOfEnumerationsAndSetsAndSectionDelimiters) {
  TTypeInfo colours;
  colours.Kind = tkEnumeration;
  colours.MinValue = 0;
  colours.MaxValue = 2;
  colours.EnumNames = {"cRed", "cGreen", "cBlue"};
  TTypeInfo colourSet;
  colourSet.Kind = tkSet;
  colourSet.CompType = &colours;
  std::vector<std::string> names{"stale"};
  EnumNamesToStringArray(&colours, names);
  EXPECT_EQ(names, (std::vector<std::string>{"cRed", "cGreen", "cBlue"}));
  names = {"stale"};
  SetTypeNamesToStringArray(&colourSet, names);
  EXPECT_EQ(names, (std::vector<std::string>{"cRed", "cGreen", "cBlue"}));
  EnumNamesToStringArray(nullptr, names);
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(SectionDelimiter(true), "\\");
  EXPECT_EQ(SectionDelimiter(false), ".");
}

// ---------------------------------------------------------------- numbers

TEST(BarNumbers, HighestStateBelowFour) {
  struct Case {
    uint8_t set, want;
  } cases[] = {{0x00, 255}, {0x05, 2}, {0x01, 0}, {0x08, 3}, {0xFF, 3}, {0xF0, 255}, {0x12, 1}};
  for (const Case& c : cases) EXPECT_EQ(HighestStateBelowFour(c.set), c.want) << int(c.set);
}

// Plays a screen of another resolution for the length of a test.
class ScreenDpiScope {
public:
  explicit ScreenDpiScope(int dpi) { win::SetScreenLogPixels(dpi); }
  ~ScreenDpiScope() { win::SetScreenLogPixels(96); }
};

TEST(BarNumbers, ScaleToScreenDpiRoundsHalvesToEven) {
  struct Case {
    int32_t value, base, dpi, want;
  } cases[] = {
      {13, 96, 120, 16},  // 16.25
      {6, 96, 144, 9},    {3, 96, 144, 4},  // 4.5 goes to the even 4
      {5, 96, 144, 8},                      // 7.5 goes to the even 8
      {-3, 96, 144, -4},  {7, 96, 96, 7},   {100, 120, 96, 80},
      {13, 0, 120, 13},  // no base: the value as it is
  };
  for (const Case& c : cases) {
    ScreenDpiScope dpi(c.dpi);
    ASSERT_EQ(Screen->PixelsPerInch(), c.dpi);
    EXPECT_EQ(ScaleToScreenDpi(c.value, c.base), c.want) << c.value << " from " << c.base << " at " << c.dpi;
  }
}

TEST(BarNumbers, SmallHelpers) {
  int32_t width = 5;
  EnsureMinWidth(width, 8);
  EXPECT_EQ(width, 8);
  EnsureMinWidth(width, 3);
  EXPECT_EQ(width, 8);
  EXPECT_EQ(BooleanToItemVisible(true), ivAlways);
  EXPECT_EQ(BooleanToItemVisible(false), ivNever);
  auto owned = std::make_unique<TObject>();
  FreeAndClearField(owned);
  EXPECT_EQ(owned, nullptr);
}

// ---------------------------------------------------------------- keyboard navigation and key tips

// The helpers' list as the navigation controller hands it over.
struct HelperList {
  explicit HelperList(std::vector<TFakeNavHelper*> helpers) {
    for (TFakeNavHelper* h : helpers) list.Add(static_cast<IdxBarAccessibilityHelper*>(h));
  }
  TList list;
};

std::string NameOf(IdxBarAccessibilityHelper* h) {
  return h ? static_cast<TFakeNavHelper*>(h)->Name() : std::string("none");
}

TEST(BarNavigation, NearestInEachDirection) {
  // The source sits at (100, 100)-(120, 120); its centre is (110, 110).
  TFakeNavHelper source("source", {100, 100, 120, 120});
  TFakeNavHelper rightLow("rightLow", {130, 130, 150, 150});    // gap 10, 45 degrees off
  TFakeNavHelper rightLevel("rightLevel", {130, 95, 150, 115});  // gap 10, about 14 degrees off
  TFakeNavHelper rightFar("rightFar", {200, 100, 220, 120});     // gap 80, level
  TFakeNavHelper overlapping("overlapping", {115, 100, 135, 120});  // gap -5 to the right, -15 to the left
  TFakeNavHelper above("above", {100, 60, 120, 80});              // gap 20 upwards
  TFakeNavHelper aboveNear("aboveNear", {150, 85, 170, 95});      // gap 5 upwards, far off the axis
  TFakeNavHelper mirroredUp("mirroredUp", {130, 80, 150, 100});   // gap 10, 45 degrees up
  struct Case {
    const char* what;
    std::vector<TFakeNavHelper*> list;
    int32_t direction;
    const char* want;
  } cases[] = {
      {"equal gaps: the smaller angle wins, wherever it stands", {&rightLow, &rightLevel, &rightFar}, dxNavRight,
       "rightLevel"},
      {"equal gaps and equal angles: the first stays", {&mirroredUp, &rightLow}, dxNavRight, "mirroredUp"},
      {"a smaller gap wins over a better angle", {&rightFar, &rightLevel}, dxNavRight, "rightLevel"},
      {"an overlapping candidate is never taken", {&overlapping}, dxNavRight, "none"},
      {"an overlapping candidate is passed over", {&overlapping, &rightFar}, dxNavRight, "rightFar"},
      {"the gap alone decides upwards", {&above, &aboveNear}, dxNavUp, "aboveNear"},
      {"nothing lies below", {&above, &rightLevel}, dxNavDown, "none"},
      {"nothing lies to the left", {&rightLevel, &overlapping}, dxNavLeft, "none"},
      {"direction 4 asks for nothing spatial", {&rightLevel}, 4, "none"},
      {"direction 5 asks for nothing spatial", {&rightLevel}, 5, "none"},
  };
  for (const Case& c : cases) {
    HelperList list(c.list);
    EXPECT_EQ(NameOf(FindNearestInDirection(&source, &list.list, c.direction, false)), c.want) << c.what;
  }
  HelperList list({&rightLevel});
  EXPECT_EQ(FindNearestInDirection(nullptr, &list.list, dxNavRight, true), nullptr);
  EXPECT_EQ(FindNearestInDirection(&source, nullptr, dxNavRight, true), nullptr);
  list.list.Add(nullptr);  // a hole in the list is skipped
  EXPECT_EQ(NameOf(FindNearestInDirection(&source, &list.list, dxNavRight, false)), "rightLevel");
}

TEST(BarNavigation, WrappingComesRoundFromTheFarSide) {
  // One row of three buttons and one button on the row below.
  TFakeNavHelper first("first", {0, 0, 20, 20}), second("second", {30, 0, 50, 20}), third("third", {60, 0, 80, 20});
  TFakeNavHelper below("below", {30, 40, 50, 60});
  HelperList row({&first, &second, &third, &below});
  struct Case {
    TFakeNavHelper* from;
    int32_t direction;
    bool wrap;
    const char* want;
  } cases[] = {
      {&first, dxNavLeft, false, "none"},  {&first, dxNavLeft, true, "third"},
      {&third, dxNavRight, false, "none"}, {&third, dxNavRight, true, "first"},
      {&second, dxNavLeft, true, "first"},  // something lies that way: no wrapping
      {&first, dxNavUp, true, "none"},      // only left and right wrap
      {&below, dxNavDown, true, "none"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NameOf(FindNearestInDirection(c.from, &row.list, c.direction, c.wrap)), c.want)
        << c.from->Name() << " direction " << c.direction << " wrap " << c.wrap;
}

TEST(BarNavigation, KeyTipScopesAndHelperNotices) {
  TLog log;
  TFakeNavHelper top("top", {}, &log), container("container", {}, &log), group("group", {}, &log),
      button("button", {}, &log), barHelper("bar", {}, &log);
  container.KeyTipContainer = true;
  container.KeyTipParent = &top;
  group.KeyTipParent = &container;
  button.KeyTipParent = &group;
  IdxBarAccessibilityHelper* scope = &button;
  FindKeyTipScopeHelper(&button, scope);
  EXPECT_EQ(NameOf(scope), "container");
  FindKeyTipScopeHelper(&top, scope);  // no key-tip parent
  EXPECT_EQ(scope, nullptr);
  FindKeyTipScopeHelper(nullptr, scope);
  EXPECT_EQ(scope, nullptr);
  container.KeyTipContainer = false;  // no container: the top of the chain
  FindKeyTipScopeHelper(&button, scope);
  EXPECT_EQ(NameOf(scope), "top");
  top.KeyTipParent = &group;  // a cycle of parents still ends
  FindKeyTipScopeHelper(&button, scope);
  EXPECT_NE(scope, nullptr);

  group.BarHelper = &barHelper;
  EscapeFromKeyTipScope(&group);
  EscapeFromKeyTipScope(nullptr);
  IdxBarAccessibilityHelper* held = &button;
  DetachAccessibilityHelper(held);
  EXPECT_EQ(held, nullptr);
  DetachAccessibilityHelper(held);  // nothing held: nothing told
  EXPECT_EQ(log, (TLog{"bar escape", "button owner destroyed"}));
}

// A component that is a navigation element, a links owner and a selectable element at once.
class TSelectableThing : public TComponent, public IdxBarSelectableItem {
public:
  TSelectableThing() : TComponent(nullptr) {}
  bool CanBeDeleted(bool) override { return true; }
  TdxBarManager* GetBarManager() override { return nullptr; }
  TPersistent* ImplementingObject() override { return this; }
  void DeleteIfAllowed(IdxBarSelectableItem*&, bool) override {}
  void CopyActionSetting(TdxBarCustomizationAction) override {}
  void CollectOwners(TdxObjectList*) override {}
  void NextSelectable(IdxBarSelectableItem*& AElement) override { AElement = nullptr; }
  TPersistent* SelectableParentObject() override { return nullptr; }
  int32_t GetDesignSelectionState() override { return 0; }
  TdxBarCustomizationActions ElementActions() override { return {}; }
  bool IsComplexElement() override { return false; }
  bool IsDesignSelected() override { return false; }
  void DesignSelect(int32_t) override {}
  bool SelectOwnParent() override { return false; }
  void RefreshSelectionMark() override {}
};

TEST(BarNavigation, InterfaceQueriesAnswerNullForObjectsWithout) {
  TSelectableThing thing;
  TComponent plain(nullptr);
  IdxBarSelectableItem* item = nullptr;
  EXPECT_TRUE(SupportsSelectableItem(&thing));
  EXPECT_FALSE(SupportsSelectableItem(&plain));
  EXPECT_FALSE(SupportsSelectableItem(nullptr));
  EXPECT_TRUE(QuerySelectable(&thing, item));
  EXPECT_EQ(InstanceOfSelectableItem(item), &thing);
  EXPECT_FALSE(QuerySelectable(&plain, item));
  EXPECT_EQ(item, nullptr);
  QuerySelectableItem(&thing, item);
  EXPECT_NE(item, nullptr);
  QuerySelectableItem(nullptr, item);
  EXPECT_EQ(item, nullptr);
  EXPECT_EQ(InstanceOfSelectableItem(nullptr), nullptr);
  TFakeNavHelper stale("stale", {});
  IdxBarAccessibilityHelper* helper = &stale;
  QueryBarAccessibilityHelper(&thing, helper);
  EXPECT_EQ(helper, nullptr);
  IdxBarLinksOwner* owner = nullptr;
  QueryLinksOwner(&plain, owner);
  EXPECT_EQ(owner, nullptr);

  TSelectableThing second;
  TdxObjectList list;
  list.Add(&plain);
  list.Add(&thing);
  list.Add(nullptr);
  list.Add(&second);
  list.Add(&plain);
  RemoveUnselectableItems(&list);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Items(0), &thing);
  EXPECT_EQ(list.Items(1), &second);
  RemoveUnselectableItems(nullptr);
}

TEST_F(BarRoutinesTest, RootAccessibleOfAWindowIsItsMainMenuHelper) {
  IdxBarAccessibilityHelper* helper = nullptr;
  form_->HandleNeeded();
  RootAccessibleOfWindow(form_->Handle(), helper);
  EXPECT_EQ(helper, nullptr);  // no manager
  TdxBarManager manager(form_.get());
  TdxBar* menu = manager.AddBar(true);
  RootAccessibleOfWindow(form_->Handle(), helper);
  EXPECT_EQ(helper, nullptr);  // the main menu shows no window
  TChainBar window(&manager, false);
  TFakeNavHelper menuHelper("menu", {});
  window.Helper = &menuHelper;
  menu->SetControl(&window);
  ASSERT_EQ(manager.GetMainMenuBarControl(), &window);
  RootAccessibleOfWindow(form_->Handle(), helper);
  EXPECT_EQ(helper, &menuHelper);
  RootAccessibleOfWindow(nullptr, helper);
  EXPECT_EQ(helper, nullptr);
  menu->SetControl(nullptr);
}

TEST(BarKeys, KeyTipTextKeys) {
  struct Case {
    win::WORD key;
    bool want;
  } cases[] = {
      {'A', true},           {'7', true},         {win::VK_OEM_PERIOD, true}, {win::VK_SPACE, false},
      {win::VK_RETURN, false}, {win::VK_ESCAPE, false}, {win::VK_F1, false},   {win::VK_SHIFT, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsKeyTipTextKey(c.key), c.want) << int(c.key);
}

// ---------------------------------------------------------------- input and the queue

// Counts what reaches it and never validates its paints (the pump must still end).
struct QueueProbe {
  static inline std::vector<win::UINT> seen;
  static win::LRESULT Proc(win::HWND hwnd, win::UINT msg, win::WPARAM wp, win::LPARAM lp) {
    if (msg == win::WM_PAINT || (msg >= win::WM_MOUSEFIRST && msg <= win::WM_MOUSEWHEEL) || msg == win::WM_KEYDOWN) {
      seen.push_back(msg);
      return 0;
    }
    return win::DefWindowProc(hwnd, msg, wp, lp);
  }
};

class BarQueueTest : public BarRoutinesTest {
protected:
  void SetUp() override {
    BarRoutinesTest::SetUp();
    Pump();
    win::WNDCLASS wc;
    wc.lpfnWndProc = QueueProbe::Proc;
    wc.lpszClassName = "BarRoutinesQueueProbe";
    win::RegisterClass(&wc);
    wnd_ = win::CreateWindowEx(0, wc.lpszClassName, "", win::WS_POPUP, 0, 0, 20, 20, nullptr, nullptr, nullptr,
                               nullptr);
    ASSERT_NE(wnd_, nullptr);
    QueueProbe::seen.clear();
  }
  void TearDown() override {
    win::DestroyWindow(wnd_);
    BarRoutinesTest::TearDown();
  }
  // Takes every message left for the window out of the queue, in order.
  std::vector<win::UINT> Drain() {
    std::vector<win::UINT> left;
    win::MSG m{};
    while (win::PeekMessage(&m, wnd_, 0, 0, win::PM_REMOVE)) left.push_back(m.message);
    return left;
  }
  win::HWND wnd_ = nullptr;
};

TEST_F(BarQueueTest, MouseMessagesAreDispatchedAndOthersStay) {
  win::PostMessage(wnd_, win::WM_KEYDOWN, 'A', 0);
  win::PostMessage(wnd_, win::WM_MOUSEMOVE, 0, 0);
  win::PostMessage(wnd_, win::WM_LBUTTONDOWN, 0, 0);
  win::PostMessage(wnd_, win::WM_MOUSEWHEEL, 0, 0);
  win::PostMessage(wnd_, win::WM_CHAR, 'a', 0);
  DispatchPendingMouseMessages();
  EXPECT_EQ(QueueProbe::seen, (std::vector<win::UINT>{win::WM_MOUSEMOVE, win::WM_LBUTTONDOWN, win::WM_MOUSEWHEEL}));
  EXPECT_TRUE(DiscardPendingChars(wnd_));
  EXPECT_FALSE(DiscardPendingChars(wnd_));
  EXPECT_EQ(Drain(), (std::vector<win::UINT>{win::WM_KEYDOWN}));
}

TEST_F(BarQueueTest, AQuitMetOnTheWayIsPostedAgain) {
  win::PostMessage(wnd_, win::WM_MOUSEMOVE, 0, 0);
  win::PostQuitMessage(7);
  DispatchPendingMouseMessages();
  win::MSG m{};
  ASSERT_TRUE(win::PeekMessage(&m, nullptr, 0, 0, win::PM_REMOVE));
  EXPECT_EQ(m.message, win::UINT(win::WM_QUIT));
  EXPECT_EQ(m.wParam, 7u);
  win::PostQuitMessage(3);
  DispatchPendingPaints();
  ASSERT_TRUE(win::PeekMessage(&m, nullptr, 0, 0, win::PM_REMOVE));
  EXPECT_EQ(m.message, win::UINT(win::WM_QUIT));
  EXPECT_EQ(m.wParam, 3u);
  Drain();
}

TEST_F(BarQueueTest, PaintsAreDispatchedOnceEvenWhenNotValidated) {
  win::ShowWindow(wnd_, win::SW_SHOWNOACTIVATE);
  QueueProbe::seen.clear();
  win::InvalidateRect(wnd_, nullptr, false);
  win::PostMessage(wnd_, win::WM_MOUSEMOVE, 0, 0);
  DispatchPendingPaints();
  EXPECT_EQ(QueueProbe::seen, (std::vector<win::UINT>{win::WM_PAINT}));
  win::ValidateRect(wnd_, nullptr);
  EXPECT_EQ(Drain(), (std::vector<win::UINT>{win::WM_MOUSEMOVE}));
}

TEST(BarSounds, MenuSoundsAreRequestedAndStopStartsNone) {
  std::vector<std::pair<std::string, win::DWORD>> requests;
  win::SetSoundHook([&](const std::string& sound, win::DWORD flags) { requests.emplace_back(sound, flags); });
  constexpr win::DWORD kFlags = win::SND_ALIAS | win::SND_ASYNC | win::SND_NODEFAULT | win::SND_NOWAIT;
  PlayMenuSound(dxMenuSoundPopup);
  PlayMenuSound(dxMenuSoundCommand);
  PlayMenuSound(dxMenuSoundStop);
  StopMenuSound();
  PlayMenuSound(9);  // no such sound: stops only
  win::SetSoundHook(nullptr);
  const std::vector<std::pair<std::string, win::DWORD>> want{
      {"MenuPopup", kFlags}, {"MenuCommand", kFlags}, {"", kFlags}, {"", kFlags}, {"", kFlags}};
  EXPECT_EQ(requests, want);
}

TEST_F(BarRoutinesTest, MouseButtonsFollowTheSwapSetting) {
  backend_->MouseDown(0, 5, 5);  // the physical left button
  EXPECT_TRUE(IsMouseButtonDown(win::VK_LBUTTON, win::VK_RBUTTON));
  EXPECT_TRUE(IsPrimaryButtonDown());
  EXPECT_FALSE(IsSecondaryButtonDown());
  win::SetSwapButtonMetric(true);
  EXPECT_FALSE(IsPrimaryButtonDown());  // the primary button is now the right one
  EXPECT_TRUE(IsSecondaryButtonDown());
  win::SetSwapButtonMetric(false);
  backend_->MouseUp(0, 5, 5);
  EXPECT_FALSE(IsPrimaryButtonDown());
  Pump();
}

TEST_F(BarRoutinesTest, ApplicationFocusNeedsActivationAndAnActiveWindow) {
  TForm* shown = MakeForm({0, 0, 50, 50});
  win::SetActiveWindow(shown->Handle());
  TdxBarAppActivation& a = dxBarAppActivation();
  const TdxBarAppActivation saved = a;
  a = {true, false};
  EXPECT_TRUE(ApplicationHasFocus());
  a = {true, true};
  EXPECT_FALSE(ApplicationHasFocus());
  a = {false, false};
  EXPECT_FALSE(ApplicationHasFocus());
  a = {true, false};
  win::SetActiveWindow(nullptr);
  if (!win::GetActiveWindow()) {
    EXPECT_FALSE(ApplicationHasFocus());
  }
  a = saved;
}

TEST_F(BarRoutinesTest, MessageBoxesCarryTheApplicationTitle) {
  const std::string savedTitle = Application->Title();
  Application->SetTitle("Duplexion test");
  std::vector<std::string> shown;
  win::SetMessageBoxHook([&](win::HWND, const std::string& text, const std::string& caption, win::UINT type) {
    shown.push_back(caption + "|" + text + "|" + std::to_string(type));
    return win::IDNO;
  });
  EXPECT_EQ(ShowBarMessageBox("Reset the toolbar?", win::MB_YESNO | win::MB_ICONQUESTION), win::IDNO);
  Application->SetTitle(savedTitle);
  EXPECT_EQ(shown, (std::vector<std::string>{"Duplexion test|Reset the toolbar?|" +
                                             std::to_string(win::MB_YESNO | win::MB_ICONQUESTION)}));
}

TEST_F(BarRoutinesTest, WorkAreaOfTheMonitorNearestThePoint) {
  backend_->SetMonitors({{{0, 0, 512, 768}, {0, 0, 512, 740}}, {{512, 0, 1024, 768}, {540, 20, 1024, 768}}});
  struct Case {
    TPoint at;
    TRect want;
  } cases[] = {
      {{100, 100}, {0, 0, 512, 740}},
      {{900, 100}, {540, 20, 1024, 768}},
      {{5000, 100}, {540, 20, 1024, 768}},  // off every screen: the nearest monitor
  };
  for (const Case& c : cases) {
    TRect r{-1, -1, -1, -1};
    WorkAreaAtPoint(c.at, r);
    EXPECT_EQ(r, c.want) << c.at.X;
  }
}

// ---------------------------------------------------------------- singletons

TEST_F(BarRoutinesTest, SharedSingletonsAndPopupMenus) {
  TdxBarFlatPainter* painter = SharedFlatPainter();
  ASSERT_NE(painter, nullptr);
  EXPECT_EQ(SharedFlatPainter(), painter);
  EXPECT_FALSE(IsBarUnitFinalizing());
  EXPECT_EQ(ScreenColorDepth(), 32);

  EXPECT_FALSE(AnyPopupMenuShowing());
  struct TShowingMenu : TdxBarPopupMenu {
    using TdxBarPopupMenu::TdxBarPopupMenu;
    bool IsShowing() override { return Showing; }
    bool Showing = false;
  };
  TdxBarManager manager(form_.get());
  auto* menu = new TShowingMenu(form_.get());
  menu->SetBarManager(&manager);
  EXPECT_FALSE(AnyPopupMenuShowing());
  menu->Showing = true;
  EXPECT_TRUE(AnyPopupMenuShowing());
  menu->Showing = false;
}

// ---------------------------------------------------------------- shut-down

TEST(BarRoutinesDeathTest, NoSingletonIsMadeOnceTheToolbarUnitStopped) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        const bool before = SharedFlatPainter() != nullptr && ItemClassRegistry() != nullptr && !IsBarUnitFinalizing();
        dxStopBars();
        const bool after = IsBarUnitFinalizing() && SharedFlatPainter() == nullptr && ItemClassRegistry() == nullptr;
        RegisterBarItemClass(TdxBarItem::StaticClass(), TdxBarItemControl::StaticClass(), true);  // ignored
        const bool still = SharedFlatPainter() == nullptr && ItemClassRegistry() == nullptr;
        std::exit((before ? 0 : 1) | (after ? 0 : 2) | (still ? 0 : 4));
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
