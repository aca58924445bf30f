// Button controls driven headless in test bar windows: the click and the
// check state, the pressed look, view structures by paint style, parts and
// widths, the drop-down request, the hover timers of menus, large buttons
// and the application-menu button.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/vcl/graphics.h"
#include "tests/ui/bars/button_control_doubles.h"
#include "ui/bars/dxBarDrawParams.h"
#include "ui/bars/dxBarViewInfo.h"
#include "ui/lookandfeel/cxGraphics.h"

using namespace bartest;

namespace {

// The item rectangle every button gets in its bar window.
const TRect kButtonRect(10, 4, 90, 26);
// The manager's default ButtonArrowWidth with small icons, odd already.
constexpr int32_t kArrowWidth = 11;

class ButtonControlTest : public ButtonControlFormTest {
protected:
  TPoint MainPartPoint() const { return {kButtonRect.Left + 5, kButtonRect.Top + 5}; }
  TPoint ArrowPartPoint() const { return {kButtonRect.Right - 3, kButtonRect.Top + 5}; }
  // The left button goes down at a client point of an inert bar.
  void HoldLeftAt(TCustomdxBarControl* ABar, TPoint AClient) {
    const TPoint p = ABar->ClientToScreen(AClient);
    backend_->MouseMove(p.X, p.Y);
    backend_->MouseDown(0, p.X, p.Y);
    Pump();
  }
  void ReleaseLeftAt(TCustomdxBarControl* ABar, TPoint AClient) {
    const TPoint p = ABar->ClientToScreen(AClient);
    backend_->MouseUp(0, p.X, p.Y);
    Pump();
  }
};

// ---------------------------------------------------------------- the click

TEST_F(ButtonControlTest, AClickOnTheMainPartTogglesACheckButtonOnceBeforeOnClick) {
  struct Case {
    TdxBarButtonStyle style;
    bool toggles;
  } cases[] = {{bsDefault, false}, {bsChecked, true}, {bsDropDown, false}, {bsCheckedDropDown, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.style));
    TdxBarButton* button = NewButton(c.style);
    auto* control = Place<TdxBarButtonControl>(toolbar_, button, kButtonRect);
    std::vector<bool> downAtClick;
    button->OnClick = [&](TObject*) { downAtClick.push_back(button->Down()); };
    control->UpdateHotPart(MainPartPoint());
    ASSERT_EQ(control->HotPartIndex(), dxBarMainHotPart);
    control->ControlClick(true);
    ASSERT_EQ(downAtClick.size(), 1u);
    EXPECT_EQ(downAtClick[0], c.toggles);
    EXPECT_EQ(button->Down(), c.toggles);
    // A second click turns it up again.
    control->ControlClick(true);
    ASSERT_EQ(downAtClick.size(), 2u);
    EXPECT_FALSE(button->Down());
  }
}

TEST_F(ButtonControlTest, AMouseClickOutsideTheMainPartDoesNothing) {
  TdxBarButton* button = NewButton(bsCheckedDropDown);
  button->SetDropDownMenu(NewMenu());
  auto* control = Place<TdxBarButtonControl>(toolbar_, button, kButtonRect);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  for (TPoint p : {ArrowPartPoint(), TPoint(kButtonRect.Right + 5, kButtonRect.Top)}) {
    control->UpdateHotPart(p);
    control->ControlClick(true);
  }
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(button->Down());
  // The keyboard has no hot part: it clicks the main part.
  control->ControlClick(false);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(button->Down());
}

TEST_F(ButtonControlTest, PressingTheArrowPartOpensTheMenuBelowWithoutToggling) {
  TdxBarButton* button = NewButton(bsCheckedDropDown);
  auto* menu = NewMenu();
  button->SetDropDownMenu(menu);
  auto* bar = NewBar<TInertBar>(TRect(0, 100, 300, 130));
  auto* control = Place<TdxBarButtonControl>(bar, button, kButtonRect);
  control->ShowAnimation = false;
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  control->UpdateHotPart(ArrowPartPoint());
  control->Press(true);
  EXPECT_EQ(menu->Popups, 0) << "the arrow opens only while the left button is down on it";
  HoldLeftAt(bar, ArrowPartPoint());
  control->Press(true);
  ReleaseLeftAt(bar, ArrowPartPoint());
  control->ControlClick(true);

  ASSERT_EQ(menu->Popups, 1);
  EXPECT_TRUE(menu->IsOpen());
  EXPECT_TRUE(control->IsDroppedDown());
  EXPECT_TRUE(bar->NavigationFlag);
  EXPECT_EQ(menu->At, bar->ClientToScreen({kButtonRect.Left, kButtonRect.Bottom}));
  EXPECT_EQ(menu->Options.OwnerHeight, kButtonRect.Height());
  EXPECT_EQ(menu->Options.OwnerWidth, 0);
  EXPECT_FALSE(menu->Options.ShowAnimation);
  EXPECT_FALSE(button->Down());
  EXPECT_EQ(clicks, 0);

  control->CloseUp(true);
  EXPECT_FALSE(menu->IsOpen());
  EXPECT_FALSE(control->IsDroppedDown());
}

TEST_F(ButtonControlTest, AClickHandlerThatFreesTheBarWindowEndsTheClickSafely) {
  auto* bar = NewBar<TTestBarControl>(TRect(0, 100, 300, 130));
  auto links = std::make_unique<TdxBarItemLinks>(manager_, nullptr);
  bar->SetItemLinks(links.get());
  TdxBarButton* button = NewButton(bsChecked);
  TdxBarItemLink* link = links->Add();
  link->SetItem(button);
  auto* control = new TdxBarButtonControl(bar, link);
  link->SetControl(control);
  link->SetItemRect(kButtonRect);
  control->CalcParts();
  int clicks = 0;
  button->OnClick = [&](TObject*) {
    ++clicks;
    delete bar;
  };
  control->UpdateHotPart(MainPartPoint());
  control->ControlClick(true);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(button->Down());
  EXPECT_EQ(link->Control(), nullptr);
}

// ---------------------------------------------------------------- the pressed look

TEST_F(ButtonControlTest, ADownCheckButtonLooksPressedOnlyWhileHeldOverItsMainPart) {
  TdxBarButton* button = NewButton(bsChecked);
  button->SetDown(true);
  auto* bar = NewBar<TInertBar>(TRect(0, 100, 300, 130));
  auto* control = Place<TdxBarButtonControl>(bar, button, kButtonRect);
  bar->Active = true;
  bar->SetSelectedControl(control);
  auto* params = control->ButtonDrawParams();
  control->UpdateHotPart(MainPartPoint());

  control->CalcDrawParams(true);
  EXPECT_TRUE(params->Down);
  EXPECT_FALSE(params->IsPressed) << "down, not held";

  HoldLeftAt(bar, MainPartPoint());
  control->CalcDrawParams(true);
  EXPECT_TRUE(params->Down);
  EXPECT_TRUE(params->IsPressed) << "held over the main part";

  // Held in an inactive window: not pressed.
  bar->Active = false;
  control->CalcDrawParams(true);
  EXPECT_FALSE(params->IsPressed) << "inactive window";
  bar->Active = true;

  // Still held, the mouse moved off the button.
  const TPoint off = bar->ClientToScreen({kButtonRect.Right + 20, kButtonRect.Top + 5});
  backend_->MouseMove(off.X, off.Y);
  Pump();
  control->CalcDrawParams(true);
  EXPECT_FALSE(params->IsPressed) << "held off the button";

  ReleaseLeftAt(bar, {kButtonRect.Right + 20, kButtonRect.Top + 5});
  control->CalcDrawParams(true);
  EXPECT_FALSE(params->IsPressed);
  EXPECT_TRUE(params->Down);
}

TEST_F(ButtonControlTest, ThePressedFlagShowsPressedOnlyOnButtonsThatAreNotChecked) {
  for (TdxBarButtonStyle style : {bsDefault, bsDropDown, bsChecked, bsCheckedDropDown}) {
    SCOPED_TRACE(int(style));
    auto* control = Place<TdxBarButtonControl>(toolbar_, NewButton(style), kButtonRect);
    control->SetPressed(true);
    control->CalcDrawParams(true);
    const bool checked = style == bsChecked || style == bsCheckedDropDown;
    EXPECT_EQ(control->ButtonDrawParams()->IsPressed, !checked);
    EXPECT_EQ(control->ButtonDrawParams()->IsPressedCopy, !checked);
  }
}

// ---------------------------------------------------------------- view structures

TEST_F(ButtonControlTest, TheViewStructureFollowsThePaintStyleAndThePlace) {
  manager_->SetImages(images_);
  auto* menuBar = NewBar<TTestMenuBar>(TRect(0, 100, 300, 200));
  constexpr TdxBarItemViewStructure icon = ivsIcon, text = ivsText, both = ivsIcon | ivsText;
  struct Case {
    TdxBarPaintStyle style;
    bool image;
    TdxBarItemViewStructure inMenu, onToolbar;
  } cases[] = {
      {psStandard, true, both, icon},         {psStandard, false, both, text},
      {psCaption, true, text, text},          {psCaption, false, text, text},
      {psCaptionInMenu, true, text, icon},    {psCaptionInMenu, false, text, icon},
      {psCaptionGlyph, true, both, both},     {psCaptionGlyph, false, both, both},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(int(c.style)) + (c.image ? " with image" : " without image"));
    TdxBarButton* button = NewButton(bsDefault);
    button->SetPaintStyle(c.style);
    button->SetImageIndex(c.image ? 0 : -1);
    auto* onToolbar = Place<TdxBarButtonControl>(toolbar_, button, kButtonRect);
    auto* inMenu = Place<TdxBarButtonControl>(menuBar, button, kButtonRect);
    EXPECT_EQ(onToolbar->GetViewStructure(), c.onToolbar);
    EXPECT_EQ(inMenu->GetViewStructure(), c.inMenu);
  }
}

// ---------------------------------------------------------------- parts, widths and drawing

TEST_F(ButtonControlTest, ADropDownButtonHasAnArrowPartAtItsFarEnd) {
  struct Case {
    TdxBarButtonStyle style;
    std::vector<TRect> parts;
  } cases[] = {
      {bsDefault, {kButtonRect}},
      {bsChecked, {kButtonRect}},
      {bsDropDown,
       {TRect(kButtonRect.Left, kButtonRect.Top, kButtonRect.Right - kArrowWidth, kButtonRect.Bottom),
        TRect(kButtonRect.Right - kArrowWidth, kButtonRect.Top, kButtonRect.Right, kButtonRect.Bottom)}},
      {bsCheckedDropDown,
       {TRect(kButtonRect.Left, kButtonRect.Top, kButtonRect.Right - kArrowWidth, kButtonRect.Bottom),
        TRect(kButtonRect.Right - kArrowWidth, kButtonRect.Top, kButtonRect.Right, kButtonRect.Bottom)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.style));
    auto* control = Place<TdxBarButtonControl>(toolbar_, NewButton(c.style), kButtonRect);
    EXPECT_EQ(control->Parts(), c.parts);
    EXPECT_EQ(control->PartAtPos(ArrowPartPoint()), c.parts.size() == 2 ? dxBarArrowHotPart : dxBarMainHotPart);
  }
}

TEST_F(ButtonControlTest, TheArrowRoomAndTheLoweredBorderWidenTheButton) {
  auto* plain = Place<TdxBarButtonControl>(toolbar_, NewButton(bsDefault), kButtonRect);
  auto* dropDown = Place<TdxBarButtonControl>(toolbar_, NewButton(bsDropDown), kButtonRect);
  TdxBarButton* loweredButton = NewButton(bsDefault);
  loweredButton->SetLowered(true);
  auto* lowered = Place<TdxBarButtonControl>(toolbar_, loweredButton, kButtonRect);
  // The caption's left margin and the arrow width.
  EXPECT_EQ(dropDown->GetWidth() - plain->GetWidth(), painter_->ItemCaptionMargins().Left + kArrowWidth);
  EXPECT_EQ(dropDown->GetHeight(), plain->GetHeight());
  // One pixel of sunken edge on each side.
  EXPECT_EQ(lowered->GetWidth() - plain->GetWidth(), 2);
  EXPECT_EQ(lowered->GetHeight() - plain->GetHeight(), 2);
}

TEST_F(ButtonControlTest, ALargeArrowRoomInToolbarsAndTheExpandButtonSizeInMenus) {
  auto* menuBar = NewBar<TTestMenuBar>(TRect(0, 100, 300, 200));
  TdxBarButton* button = NewButton(bsDropDown);
  auto* small = Place<TdxBarButtonControl>(toolbar_, button, kButtonRect);
  auto* large = Place<TdxBarLargeButtonControl>(toolbar_, button, kButtonRect);
  auto* inMenu = Place<TdxBarButtonControl>(menuBar, button, kButtonRect);
  EXPECT_EQ(small->GetArrowWidth(), kArrowWidth);
  EXPECT_EQ(large->GetArrowWidth(), 13);  // LargeButtonArrowWidth's default
  const int32_t d = menuBar->GetDefaultItemHeight();
  EXPECT_EQ(inMenu->GetArrowWidth(), d / 4 * 3 + 1);
  // The arrow's height: the default item height div 5, at least 4.
  small->CalcDrawParams(true);
  EXPECT_EQ(small->ButtonDrawParams()->DropDownArrowSize,
            TSize(kArrowWidth, std::max(toolbar_->GetDefaultItemHeight() / 5, 4)));
}

class ButtonDrawingTest : public ButtonControlTest {
protected:
  void SetUp() override {
    ButtonControlTest::SetUp();
    surface_.SetSize(120, 40);
    surface_.Canvas()->Brush()->SetColor(clWhite);
    surface_.Canvas()->FillRect(TRect(0, 0, 120, 40));
    canvas_ = std::make_unique<TcxCanvas>(surface_.Canvas());
  }
  int32_t CountIn(const TRect& R, TColor AColor) {
    int32_t n = 0;
    const TColor rgb = ColorToRGB(AColor);
    for (int32_t y = R.Top; y < R.Bottom; ++y)
      for (int32_t x = R.Left; x < R.Right; ++x) n += surface_.Canvas()->Pixels(x, y) == rgb;
    return n;
  }
  // Pixels of the text colour's half of the scale (the caption's smoothed
  // strokes; background and faces are light).
  int32_t CountDarkIn(const TRect& R) {
    int32_t n = 0;
    for (int32_t y = R.Top; y < R.Bottom; ++y)
      for (int32_t x = R.Left; x < R.Right; ++x) {
        const uint32_t p = uint32_t(surface_.Canvas()->Pixels(x, y));
        n += (p & 0xFF) < 0x80 && ((p >> 8) & 0xFF) < 0x80 && ((p >> 16) & 0xFF) < 0x80;
      }
    return n;
  }
  TBitmap surface_;
  std::unique_ptr<TcxCanvas> canvas_;
};

TEST_F(ButtonDrawingTest, TheDropDownArrowIsAFiveByThreeTriangleCentredInTheArrowPart) {
  auto* control = Place<TdxBarButtonControl>(toolbar_, NewButton(bsDropDown, ""), kButtonRect);
  control->Paint(canvas_.get(), kButtonRect, ptHorz);
  const TRect part(kButtonRect.Right - kArrowWidth, kButtonRect.Top, kButtonRect.Right, kButtonRect.Bottom);
  // ArrowSize 5 x 3 pointing down, centred with halves rounded down.
  const int32_t x0 = (part.Left + part.Right - 5) / 2, y0 = (part.Top + part.Bottom - 3) / 2;
  const std::vector<TRect> rows = {TRect(x0, y0, x0 + 5, y0 + 1), TRect(x0 + 1, y0 + 1, x0 + 4, y0 + 2),
                                   TRect(x0 + 2, y0 + 2, x0 + 3, y0 + 3)};
  for (const TRect& row : rows) EXPECT_EQ(CountIn(row, clBtnText), row.Width()) << row.Top - y0;
  EXPECT_EQ(CountIn(TRect(0, 0, 120, 40), clBtnText), 5 + 3 + 1) << "nothing else in the text colour";
  // The arrow part's face is the bar's background.
  EXPECT_EQ(CountIn(part, clBtnFace), part.Width() * part.Height() - 9);
}

TEST_F(ButtonDrawingTest, AStandardButtonWithoutImageShowsItsCaptionOnAToolbar) {
  TdxBarButton* button = NewButton(bsDefault, "Open");
  button->SetPaintStyle(psStandard);
  auto* control = Place<TdxBarButtonControl>(toolbar_, button, kButtonRect);
  ASSERT_EQ(ColorToRGB(clBtnText) & 0xFFFFFF, 0u) << "the dark test below expects black text";
  control->Paint(canvas_.get(), kButtonRect, ptHorz);
  // The caption is centred: the button is the caption plus equal indents.
  const TSize extent = TextExtent("Open");
  const int32_t left = kButtonRect.Left + (kButtonRect.Width() - extent.cx) / 2;
  EXPECT_GT(CountDarkIn(TRect(left, kButtonRect.Top, left + extent.cx, kButtonRect.Bottom)), 0);
  EXPECT_EQ(CountDarkIn(TRect(0, 0, left - 1, 40)), 0);
  EXPECT_EQ(CountDarkIn(TRect(left + extent.cx + 1, 0, 120, 40)), 0);
  // Without a caption nothing is written.
  surface_.Canvas()->FillRect(TRect(0, 0, 120, 40));
  button->SetCaption("");
  control->Paint(canvas_.get(), kButtonRect, ptHorz);
  EXPECT_EQ(CountDarkIn(kButtonRect), 0);
}

TEST_F(ButtonDrawingTest, CaptionInMenuShowsTheIconOnAToolbar) {
  manager_->SetImages(images_);
  manager_->ImageOptions()->CacheGlyphs = false;
  TdxBarButton* button = NewButton(bsDefault, "Open");
  button->SetPaintStyle(psCaptionInMenu);
  button->SetImageIndex(0);  // plain red
  auto* control = Place<TdxBarButtonControl>(toolbar_, button, kButtonRect);
  control->Paint(canvas_.get(), kButtonRect, ptHorz);
  EXPECT_EQ(CountIn(kButtonRect, clRed), 16 * 16);
  EXPECT_EQ(CountDarkIn(kButtonRect), 0) << "no caption on the toolbar";
}

// ---------------------------------------------------------------- drop-downs

TEST_F(ButtonControlTest, TheMenuOpensBelowOnAToolbarAndBesideInMenusAndVerticalBars) {
  auto* vertical = NewBar<TTestVerticalBar>(TRect(320, 0, 350, 200));
  auto* menuBar = NewBar<TTestMenuBar>(TRect(0, 100, 300, 200));
  struct Case {
    TCustomdxBarControl* bar;
    bool beside;
    bool animation;
  } cases[] = {{toolbar_, false, true}, {toolbar_, false, false}, {vertical, true, true}, {menuBar, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.bar->ClassName()) + (c.animation ? " animated" : ""));
    TdxBarButton* button = NewButton(bsDropDown);
    auto* menu = NewMenu();
    button->SetDropDownMenu(menu);
    auto* control = Place<TdxBarButtonControl>(c.bar, button, kButtonRect);
    control->ShowAnimation = c.animation;
    control->DropDown(false);
    ASSERT_EQ(menu->Popups, 1);
    const TPoint client = c.beside ? TPoint(kButtonRect.Right, kButtonRect.Top)
                                   : TPoint(kButtonRect.Left, kButtonRect.Bottom);
    EXPECT_EQ(menu->At, c.bar->ClientToScreen(client));
    EXPECT_EQ(menu->Options.OwnerWidth, c.beside ? kButtonRect.Width() : 0);
    EXPECT_EQ(menu->Options.OwnerHeight, c.beside ? 0 : kButtonRect.Height());
    EXPECT_EQ(menu->Options.ShowAnimation, c.animation);
    EXPECT_EQ(menu->Owner, control);
    EXPECT_TRUE(control->IsDroppedDown());
    // A second request while it is open asks nothing more.
    control->DropDown(false);
    EXPECT_EQ(menu->Popups, 1);
    control->CloseUp(true);
    EXPECT_FALSE(menu->IsOpen());
  }
}

TEST_F(ButtonControlTest, ADropDownWithNothingToShowIsIgnored) {
  struct Case {
    const char* name;
    bool enabled, dropDownEnabled, menu;
  } cases[] = {{"disabled", false, true, true}, {"drop-down off", true, false, true}, {"no menu", true, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TdxBarButton* button = NewButton(bsDropDown);
    auto* menu = NewMenu();
    if (c.menu) button->SetDropDownMenu(menu);
    button->SetEnabled(c.enabled);
    button->SetDropDownEnabled(c.dropDownEnabled);
    auto* control = Place<TdxBarButtonControl>(toolbar_, button, kButtonRect);
    control->DropDown(false);
    EXPECT_EQ(menu->Popups, 0);
    EXPECT_FALSE(control->IsDroppedDown());
  }
}

TEST_F(ButtonControlTest, KeysThatOpenADropDownDependOnThePlace) {
  auto* menuBar = NewBar<TTestMenuBar>(TRect(0, 100, 300, 200));
  TdxBarButton* dropDown = NewButton(bsDropDown);
  TdxBarButton* plain = NewButton(bsDefault);
  struct Case {
    TCustomdxBarControl* bar;
    TdxBarButton* button;
    uint16_t key;
    bool wanted;
  } cases[] = {
      {toolbar_, dropDown, win::VK_DOWN, true},  {toolbar_, dropDown, win::VK_UP, true},
      {toolbar_, dropDown, win::VK_RIGHT, false}, {menuBar, dropDown, win::VK_RIGHT, true},
      {menuBar, dropDown, win::VK_DOWN, false},  {toolbar_, plain, win::VK_DOWN, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.bar->ClassName()) + " key " + std::to_string(c.key));
    auto* control = Place<TdxBarButtonControl>(c.bar, c.button, kButtonRect);
    EXPECT_EQ(control->WantsKey(c.key), c.wanted);
  }
}

TEST_F(ButtonControlTest, VkDownOnAToolbarDropDownOpensItsMenuBelowAtOnce) {
  TdxBarButton* button = NewButton(bsDropDown);
  auto* menu = NewMenu();
  button->SetDropDownMenu(menu);
  auto* control = Place<TdxBarButtonControl>(toolbar_, button, kButtonRect);
  uint16_t key = win::VK_DOWN;
  control->KeyDown(key, TShiftState());
  ASSERT_EQ(menu->Popups, 1);
  EXPECT_EQ(menu->At, toolbar_->ClientToScreen({kButtonRect.Left, kButtonRect.Bottom}));
  EXPECT_TRUE(toolbar_->NavigationFlag);
  EXPECT_EQ(dxBarButtonLikeTimers().OpenControl, nullptr);
  control->CloseUp(true);
}

// ---------------------------------------------------------------- hover timers in menus

class MenuHoverTest : public ButtonControlTest {
protected:
  void SetUp() override {
    ButtonControlTest::SetUp();
    menuBar_ = NewBar<TTestMenuBar>(TRect(0, 100, 300, 200));
    button_ = NewButton(bsDropDown);
    menu_ = NewMenu();
    button_->SetDropDownMenu(menu_);
    control_ = Place<TdxBarButtonControl>(menuBar_, button_, kButtonRect);
  }
  TTestMenuBar* menuBar_ = nullptr;
  TdxBarButton* button_ = nullptr;
  TOpeningPopupMenu* menu_ = nullptr;
  TdxBarButtonControl* control_ = nullptr;
};

TEST_F(MenuHoverTest, HoverOpensAfterTheOpenTimerAndLeavingClosesAfterTheCloseTimer) {
  control_->Activate(false, false);
  const TdxBarButtonLikeTimers& timers = dxBarButtonLikeTimers();
  EXPECT_EQ(timers.OpenControl, control_);
  EXPECT_NE(timers.OpenTimer, 0u);
  EXPECT_EQ(timers.Interval, 400u);
  EXPECT_FALSE(menu_->IsOpen()) << "nothing opens before the time is up";

  DeliverOpenTimer(timers.OpenTimer);
  EXPECT_TRUE(menu_->IsOpen());
  EXPECT_TRUE(control_->IsDroppedDown());
  EXPECT_EQ(timers.OpenControl, nullptr);
  EXPECT_EQ(menu_->At, menuBar_->ClientToScreen({kButtonRect.Right, kButtonRect.Top}));

  control_->Deactivate(false);
  EXPECT_EQ(timers.CloseControl, control_);
  EXPECT_NE(timers.CloseTimer, 0u);
  EXPECT_EQ(timers.Interval, 400u);
  EXPECT_TRUE(menu_->IsOpen()) << "the menu stays until the close timer";

  DeliverCloseTimer(timers.CloseTimer);
  EXPECT_FALSE(menu_->IsOpen());
  EXPECT_FALSE(control_->IsDroppedDown());
  EXPECT_FALSE(control_->IsActive());
  EXPECT_EQ(timers.CloseControl, nullptr);
}

TEST_F(MenuHoverTest, ComingBackBeforeTheCloseTimerKeepsTheMenuOpen) {
  control_->Activate(true, false);
  ASSERT_TRUE(menu_->IsOpen());
  control_->Deactivate(false);
  const uintptr_t close = dxBarButtonLikeTimers().CloseTimer;
  control_->Activate(false, false);  // hovered again: an open control only stops its timers
  EXPECT_EQ(dxBarButtonLikeTimers().CloseControl, nullptr);
  EXPECT_EQ(dxBarButtonLikeTimers().OpenControl, nullptr);
  DeliverCloseTimer(close);  // its message was on the way already
  EXPECT_TRUE(menu_->IsOpen());
  control_->CloseUp(true);
}

TEST_F(MenuHoverTest, VkRightOpensAtOnceWithoutATimer) {
  uint16_t key = win::VK_RIGHT;
  control_->KeyDown(key, TShiftState());
  EXPECT_TRUE(menu_->IsOpen());
  EXPECT_EQ(dxBarButtonLikeTimers().OpenControl, nullptr);
  control_->CloseUp(true);
}

TEST_F(MenuHoverTest, AnotherControlsHoverClosesThePendingOneFirst) {
  TdxBarButton* second = NewButton(bsDropDown, "Second");
  auto* secondMenu = NewMenu();
  second->SetDropDownMenu(secondMenu);
  auto* other = Place<TdxBarButtonControl>(menuBar_, second, TRect(10, 30, 90, 52));
  control_->Activate(true, false);
  control_->Deactivate(false);
  ASSERT_EQ(dxBarButtonLikeTimers().CloseControl, control_);
  // The other control opens at once: the pending close happens first.
  other->Activate(true, false);
  EXPECT_FALSE(menu_->IsOpen());
  EXPECT_FALSE(control_->IsDroppedDown());
  EXPECT_TRUE(secondMenu->IsOpen());
  other->CloseUp(true);
}

TEST_F(MenuHoverTest, AFreedControlStopsTheTimersThatServeIt) {
  control_->Activate(false, false);
  const uintptr_t open = dxBarButtonLikeTimers().OpenTimer;
  ASSERT_NE(open, 0u);
  delete control_;
  EXPECT_EQ(dxBarButtonLikeTimers().OpenControl, nullptr);
  DeliverOpenTimer(open);  // a late message of the stopped timer
  EXPECT_FALSE(menu_->IsOpen());
  EXPECT_EQ(menu_->Popups, 0);

  // A dropped-down control waiting for its close timer closes its menu as it goes.
  auto* again = Place<TdxBarButtonControl>(menuBar_, button_, kButtonRect);
  again->Activate(true, false);
  ASSERT_TRUE(menu_->IsOpen());
  again->Deactivate(false);
  const uintptr_t close = dxBarButtonLikeTimers().CloseTimer;
  ASSERT_NE(close, 0u);
  delete again;
  EXPECT_EQ(dxBarButtonLikeTimers().CloseControl, nullptr);
  EXPECT_FALSE(menu_->IsOpen());
  DeliverCloseTimer(close);
  EXPECT_FALSE(menu_->IsOpen());
}

// ---------------------------------------------------------------- large buttons

class LargeButtonTest : public ButtonControlTest {
protected:
  void SetUp() override {
    ButtonControlTest::SetUp();
    large_ = new TImageList(form_.get());
    large_->SetSize(32, 32);
    hot_ = new TImageList(form_.get());
    hot_->SetSize(32, 32);
    for (TImageList* list : {large_, hot_})
      for (TColor color : {clGreen, clYellow}) {
        TBitmap image;
        image.SetSize(32, 32);
        image.Canvas()->Brush()->SetColor(color);
        image.Canvas()->FillRect(TRect(0, 0, 32, 32));
        list->Add(&image, nullptr);
      }
    manager_->SetLargeImages(large_);
    manager_->SetHotImages(hot_);
  }
  TImageList* large_ = nullptr;
  TImageList* hot_ = nullptr;
};

TEST_F(LargeButtonTest, TheHotAndTheLargeImageStandInForEachOther) {
  struct Case {
    int32_t largeIndex, hotIndex;
    bool selected;
    int32_t index;
    bool fromHot;
    bool found;
  } cases[] = {
      {0, 1, false, 0, false, true}, {0, 1, true, 1, true, true},   // both: the state picks
      {-1, 1, false, 1, true, true}, {0, -1, true, 0, false, true},  // one stands in for the other
      {-1, -1, false, -1, false, false}, {5, 7, true, -1, false, false},  // none (or out of range)
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.largeIndex) + "/" + std::to_string(c.hotIndex) + (c.selected ? " hot" : ""));
    auto* item = NewItem<TdxBarLargeButton>();
    item->SetLargeImageIndex(c.largeIndex);
    item->SetHotImageIndex(c.hotIndex);
    auto* control = Place<TdxBarLargeButtonControl>(toolbar_, item, kButtonRect);
    toolbar_->SetSelectedControl(c.selected ? control : nullptr);
    int32_t index = 99;
    TCustomImageList* list = nullptr;
    TBitmap* glyph = nullptr;
    EXPECT_EQ(control->GetImage(ivsLarge, index, list, glyph), c.found);
    EXPECT_EQ(index, c.index);
    EXPECT_EQ(glyph, nullptr);
    // Without an image the large list is handed back.
    EXPECT_EQ(list, c.found && c.fromHot ? static_cast<TCustomImageList*>(hot_) : large_);
  }
}

TEST_F(LargeButtonTest, ItsOwnWidthAndHeightOverrideTheMeasuredOnes) {
  auto* item = NewItem<TdxBarLargeButton>();
  item->SetCaption("Open");
  item->SetLargeImageIndex(0);
  auto* control = Place<TdxBarLargeButtonControl>(toolbar_, item, kButtonRect);
  EXPECT_EQ(control->GetDefaultViewSize(), ivsLarge);
  EXPECT_NE(control->GetPossibleViewLevels() & ViewLevelBit(ivlLargeIconWithText), 0);
  EXPECT_EQ(control->GetDefaultViewStructure(), TdxBarItemViewStructure(ivsIcon | ivsText));
  item->SetShowCaption(false);
  EXPECT_EQ(control->GetDefaultViewStructure(), ivsIcon);
  // Icon only: the 32-pixel glyph with 10 and 6 pixels of room.
  EXPECT_EQ(control->GetLength(), 32 + 10);
  EXPECT_EQ(control->GetThickness(), 32 + 6);
  item->SetWidth(70);
  item->SetHeight(50);
  EXPECT_EQ(control->GetLength(), 70);
  EXPECT_EQ(control->GetThickness(), 50);
}

// ---------------------------------------------------------------- the application-menu button

TEST_F(ButtonControlTest, TheApplicationMenuButtonIsAlwaysAHorizontalToolbarButton) {
  auto* menuBar = NewBar<TTestMenuBar>(TRect(0, 100, 300, 200));
  TdxBarButton* button = NewButton(bsDefault, "File");
  auto* control = Place<TdxBarApplicationMenuButtonControl>(menuBar, button, kButtonRect);
  EXPECT_EQ(control->GetPaintType(), ptHorz);
  EXPECT_EQ(control->GetDefaultViewStructure(), ivsText);
  manager_->SetImages(images_);
  button->SetImageIndex(1);
  EXPECT_EQ(control->GetDefaultViewStructure(), TdxBarItemViewStructure(ivsIcon | ivsText));
  button->SetWidth(120);
  control->CalcDrawParams(true);
  EXPECT_EQ(static_cast<TdxBarApplicationMenuButtonControlDrawParams*>(control->DrawParams())->ButtonWidth, 120);
}

}  // namespace
