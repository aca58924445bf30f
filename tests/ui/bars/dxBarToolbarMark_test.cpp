// The toolbar window's mark and its drop-down, the MDI buttons, the double
// click that floats and docks a bar, focus and keyboard mode. Mouse input is
// injected at points worked out from the painter's mark size and the layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/gdi/syscolors.h"
#include "platform/win/menu.h"
#include "tests/ui/bars/mark_doubles.h"
#include "tests/ui/bars/toolbar_doubles.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/bars/dxBarToolbarMark.h"
#include "ui/lookandfeel/cxControls.h"

namespace bartest {
namespace {

constexpr int32_t kLinkWidth = 40, kLinkHeight = 22, kLinkCount = 5;

class ToolbarMarkTest : public ToolbarFormTest {
protected:
  // A top bar of kLinkCount equal links whose window has room for AShown of
  // them and the mark; as the dock site does, HiddenLinks tells the rest are hidden.
  TdxBarControl* TopBarShowing(int32_t AShown, bool AAllowQuickCustomizing = true) {
    TdxBar* bar = NewBar({});
    bar->SetAllowQuickCustomizing(AAllowQuickCustomizing);
    for (int32_t i = 0; i < kLinkCount; ++i) AddLink(bar, {kLinkWidth, kLinkHeight});
    TdxBarControl* w = WindowFor(bar, dsTop);
    w->HiddenLinks = AShown < kLinkCount;
    const int32_t mark = w->Painter()->BarMarkSize();
    const TSize size = w->CalcSizeForWidth(dsTop, AShown * kLinkWidth + mark);
    w->SetBounds(0, 0, size.cx + w->Width() - w->ClientWidth(), size.cy + w->Height() - w->ClientHeight());
    w->CalcItemPositions();
    w->SetVisible(true);
    Pump();
    return w;
  }
  // The middle of the mark at the end of a docked horizontal bar.
  void ClickMark(TdxBarControl* w) {
    const int32_t mark = w->Painter()->BarMarkSize();
    Click(w, w->ClientWidth() - mark / 2 - 1, w->ClientHeight() / 2);
    Pump();
  }
  // The popup shows copies of ABar's links.
  void FillFrom(TdxBarControl* APopup, TdxBar* ABar) {
    for (int32_t i = 0; i < ABar->GetItemLinks()->Count(); ++i)
      APopup->ItemLinks()->Add()->Assign(ABar->GetItemLinks()->GetItem(i));
  }
  // The window's hit test finds the drag area (the grip of a docked bar,
  // the caption of a floating one), then the double click arrives there.
  void DoubleClickDragArea(TdxBarControl* w) {
    win::POINT screen{-2, 2};
    win::ClientToScreen(w->Handle(), &screen);
    if (w->DockingStyle() == dsNone) {
      const TRect bounds = w->GetScreenBounds(), caption = w->GetCaptionRect();
      screen = {bounds.Left + caption.Left + 2, bounds.Top + caption.Top + 2};
    }
    win::SendMessage(w->Handle(), win::WM_NCHITTEST, 0, win::MAKELPARAM(screen.X, screen.Y));
    ASSERT_EQ(w->HitCode(), win::HTCAPTION);
    win::POINT client = screen;
    win::ScreenToClient(w->Handle(), &client);
    win::SendMessage(w->Handle(), win::WM_LBUTTONDBLCLK, win::MK_LBUTTON, win::MAKELPARAM(client.X, client.Y));
    Pump();
  }
  TdxBarItemLinks* PopupLinks(TQuickPopupDesigner& ADesigner) {
    return ADesigner.Made.empty() ? nullptr : ADesigner.Made.back()->ItemLinks();
  }
};

// ---------------------------------------------------------------- the mark

TEST_F(ToolbarMarkTest, TheDropDownListsTheLinksThatDoNotFitThenAddOrRemoveButtons) {
  struct Case {
    int32_t Shown;
    bool AllowQuickCustomizing;
  };
  for (const Case& c : {Case{2, true}, Case{1, true}, Case{4, false}, Case{kLinkCount, true}}) {
    SCOPED_TRACE(std::to_string(c.Shown) + (c.AllowQuickCustomizing ? " quick" : ""));
    TQuickPopupDesigner designer;
    TdxBarControl* w = TopBarShowing(c.Shown, c.AllowQuickCustomizing);
    TdxBarItemLinks* barLinks = w->ItemLinks();
    ASSERT_EQ(barLinks->GetVisibleItemCount(), c.Shown);
    ASSERT_TRUE(w->HasMark());

    ClickMark(w);
    ASSERT_EQ(designer.Made.size(), 1u);
    EXPECT_EQ(w->GetMarkState(), 2);
    EXPECT_EQ(w->QuickPopup(), designer.Made[0]);
    TdxBarItemLinks* links = PopupLinks(designer);
    const int32_t hidden = kLinkCount - c.Shown;
    ASSERT_EQ(links->Count(), hidden + (c.AllowQuickCustomizing ? 1 : 0));
    for (int32_t i = 0; i < hidden; ++i) {
      TdxBarItemLink* original = barLinks->GetItem(c.Shown + i);
      EXPECT_EQ(links->GetItem(i)->GetItem(), original->GetItem()) << i;
      EXPECT_EQ(links->GetItem(i)->RepresentedLink, original) << i;
    }
    if (c.AllowQuickCustomizing) {
      TdxBarItemLink* entry = links->GetItem(hidden);
      auto* item = dynamic_cast<TdxBarQuickAccessItem*>(entry->GetItem());
      ASSERT_NE(item, nullptr);
      EXPECT_EQ(item->Caption(), "&Add or Remove Buttons");
      EXPECT_EQ(item->Toolbar, w);
      EXPECT_TRUE(entry->StoredBeginGroup());
    }

    // A second press closes the drop-down and leaves the mark hot.
    const int32_t destroyed = TQuickPopupDouble::Destroyed;
    ClickMark(w);
    EXPECT_EQ(TQuickPopupDouble::Destroyed, destroyed + 1);
    EXPECT_EQ(w->QuickPopup(), nullptr);
    EXPECT_EQ(w->GetMarkState(), 1);
  }
}

TEST_F(ToolbarMarkTest, ABarWithAllLinksShownAndNoQuickCustomizingHasNoMark) {
  manager->SetStyle(bmsStandard);
  struct Case {
    bool ShowMark, AllowQuickCustomizing;
    int32_t Shown;
    bool Mark;
  };
  const Case cases[] = {
      {true, false, kLinkCount, false},
      {true, true, kLinkCount, true},
      {true, false, 2, true},
      {false, true, 2, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.ShowMark) + std::to_string(c.AllowQuickCustomizing) + std::to_string(c.Shown));
    TdxBarControl* w = TopBarShowing(c.Shown, c.AllowQuickCustomizing);
    w->Bar()->SetShowMark(c.ShowMark);
    EXPECT_EQ(w->HasMark(), c.Mark);
    EXPECT_EQ(w->GetMarkSize(), c.Mark ? w->Painter()->BarMarkSize() : 0);
    EXPECT_EQ(w->GetMarkRect().IsEmpty(), !c.Mark);
  }
}

TEST_F(ToolbarMarkTest, WithoutADesignControllerTheMarkDropsAndNothingOpens) {
  TdxBarControl* w = TopBarShowing(2);
  ClickMark(w);
  EXPECT_EQ(w->GetMarkState(), 2);
  EXPECT_EQ(w->QuickPopup(), nullptr);
}

TEST_F(ToolbarMarkTest, ClosingTheDropDownResetsTheMarkOfItsBar) {
  TQuickPopupDesigner designer;
  TdxBarControl* w = TopBarShowing(2);
  ClickMark(w);
  ASSERT_EQ(designer.Made.size(), 1u);
  const int32_t destroyed = TQuickPopupDouble::Destroyed;
  designer.Made[0]->Hide();
  EXPECT_EQ(TQuickPopupDouble::Destroyed, destroyed + 1);
  EXPECT_EQ(w->GetMarkState(), 0);
  EXPECT_EQ(w->QuickPopup(), nullptr);
  EXPECT_TRUE(w->Visible()) << "the toolbar stays";
}

TEST_F(ToolbarMarkTest, TheDropDownOpensBesideTheMarkInsideTheWorkArea) {
  const TRect area(0, 0, 1024, 740);
  backend_->SetMonitors({{TRect(0, 0, 1024, 768), area}});
  TdxBar* top = NewBar({{40, 22}});
  TdxBarControl* parent = WindowFor(top, dsTop);
  TdxBar* left = NewBar({{40, 22}});
  TdxBarControl* verticalParent = WindowFor(left, dsLeft);
  TdxBar* listBar = NewBar({{60, 22}, {60, 22}});
  struct Case {
    TdxBarControl* Parent;
    TRect Mark;
    bool Vertical;
  };
  const Case cases[] = {
      {parent, TRect(300, 100, 311, 126), false},   // below the mark
      {parent, TRect(1015, 100, 1024, 126), false},  // kept left of the right edge
      {parent, TRect(300, 730, 311, 740), false},   // above the mark
      {parent, TRect(-5, 100, 6, 126), false},       // kept right of the left edge
      {verticalParent, TRect(0, 300, 26, 311), true},     // right of the mark
      {verticalParent, TRect(1000, 300, 1024, 311), true},  // left of the mark
      {verticalParent, TRect(0, 735, 26, 740), true},       // kept above the bottom
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Mark.Left) + "," + std::to_string(c.Mark.Top));
    auto* popup = new TQuickPopupDouble(manager);
    windows.push_back(popup);
    popup->SetParentBarControl(c.Parent);
    FillFrom(popup, listBar);
    const TSize size = popup->GetPopupSize();
    ASSERT_GT(size.cx, 0);
    int32_t x, y;
    if (c.Vertical) {
      x = c.Mark.Right + size.cx > area.Right ? c.Mark.Left - size.cx : c.Mark.Right;
      y = std::max(area.Top, std::min(c.Mark.Top, area.Bottom - size.cy));
    } else {
      x = std::max(area.Left, std::min(c.Mark.Left, area.Right - size.cx));
      y = c.Mark.Bottom + size.cy > area.Bottom ? c.Mark.Top - size.cy : c.Mark.Bottom;
    }
    popup->ShowAsPopup(c.Mark);
    EXPECT_EQ(popup->GetScreenBounds(), TRect(x, y, x + size.cx, y + size.cy));
    EXPECT_TRUE(win::IsWindowVisible(popup->Handle()));
    popup->SetParentBarControl(nullptr);
  }
}

// ---------------------------------------------------------------- MDI buttons

class ToolbarMDIButtonsTest : public ToolbarMarkTest {
protected:
  TdxBarControl* MainMenu() {
    TdxBar* bar = NewBar({{40, 22}, {40, 22}});
    bar->SetIsMainMenu(true);
    TdxBarControl* w = WindowFor(bar, dsTop, 400, 24);
    w->CalcItemPositions();
    w->SetVisible(true);
    // Above the maximized child, which covers the screen.
    form->BringToFront();
    Pump();
    return w;
  }
  void ClickButton(TdxBarControl* w, int32_t AIndex) {
    const TRect r = w->GetMDIButtonRect(AIndex);
    Click(w, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    Pump();
  }
};

// The main menu is a multi-line bar: with no control of the last row
// under them, the buttons sit flush with its bottom edge.
TEST_F(ToolbarMDIButtonsTest, ButtonsSitAtTheEndOfTheLastRow) {
  TActiveChildDouble child;
  TdxBarControl* w = MainMenu();
  ASSERT_TRUE(w->AreMDIButtonsVisible());
  ASSERT_TRUE(w->IsMultiLine());
  const int32_t bw = win::GetSystemMetrics(win::SM_CXMENUSIZE) - 2;
  const int32_t bh = win::GetSystemMetrics(win::SM_CYMENUSIZE) - 4;
  const int32_t available = w->ClientWidth() - w->GetMarkSpace();
  const int32_t top = w->ClientHeight() - bh;
  for (int32_t i = 0; i < 3; ++i) {
    const int32_t left = available + i * bw - (3 * bw + 2) + (i == 2 ? 2 : 0);
    const TRect r = w->GetMDIButtonRect(i);
    EXPECT_EQ(r, TRect(left, top, left + bw, top + bh)) << i;
    // The window's hit test leaves the buttons to themselves: no drag area there.
    const TPoint centre = w->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    win::SendMessage(w->Handle(), win::WM_NCHITTEST, 0, win::MAKELPARAM(centre.X, centre.Y));
    EXPECT_NE(w->HitCode(), win::HTCAPTION) << i;
  }
}

TEST_F(ToolbarMDIButtonsTest, AReleaseOnAButtonSendsItsCommandToTheActiveChild) {
  TActiveChildDouble child;
  TdxBarControl* w = MainMenu();
  const win::WPARAM commands[] = {win::SC_MINIMIZE, win::SC_RESTORE, win::SC_CLOSE};
  for (int32_t i = 0; i < 3; ++i) {
    child.Commands.clear();
    ClickButton(w, i);
    EXPECT_EQ(child.Commands, std::vector<win::WPARAM>{commands[i]}) << i;
  }
  // Pressed on one button, released on another: nothing.
  child.Commands.clear();
  const TRect from = w->GetMDIButtonRect(0), to = w->GetMDIButtonRect(1);
  const TPoint down = w->ClientToScreen({from.Left + 2, from.Top + 2});
  const TPoint up = w->ClientToScreen({to.Left + 2, to.Top + 2});
  backend_->MouseDown(0, down.X, down.Y);
  Pump();
  EXPECT_EQ(w->GetMDIButtonState(0), 4);
  backend_->MouseMove(up.X, up.Y);
  Pump();
  EXPECT_EQ(w->GetMDIButtonState(0), 3);
  backend_->MouseUp(0, up.X, up.Y);
  Pump();
  EXPECT_TRUE(child.Commands.empty());
}

TEST_F(ToolbarMDIButtonsTest, TheChildsSystemMenuEnablesTheButtons) {
  struct Case {
    bool MinimizeBox, CanClose;
    int32_t Index;
    bool Enabled;
  };
  const Case cases[] = {
      {true, true, 0, true},  {false, true, 0, false}, {true, true, 2, true},
      {true, false, 2, false}, {false, false, 1, true},  // restore always works
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Index) + (c.MinimizeBox ? " box" : "") + (c.CanClose ? " closes" : ""));
    TActiveChildDouble child(c.MinimizeBox, c.CanClose);
    TdxBarControl* w = MainMenu();
    EXPECT_EQ(w->IsMDIButtonEnabled(c.Index, false), c.Enabled);
    EXPECT_EQ(w->IsMDIButtonEnabled(c.Index, true), c.Enabled);
    EXPECT_EQ(w->GetMDIButtonState(c.Index) == 1, !c.Enabled);
    ClickButton(w, c.Index);
    EXPECT_EQ(child.Commands.size(), c.Enabled ? 1u : 0u);
  }
}

TEST_F(ToolbarMDIButtonsTest, ALoneCloseButtonRunsTheManagersCloseEvent) {
  manager->SetShowCloseButton(true);
  TdxBarControl* w = MainMenu();
  ASSERT_FALSE(w->AreMDIButtonsVisible());
  ASSERT_TRUE(w->HasMDIButtons());
  const int32_t bw = win::GetSystemMetrics(win::SM_CXMENUSIZE) - 2;
  const int32_t available = w->ClientWidth() - w->GetMarkSpace();
  EXPECT_EQ(w->GetMDIButtonRect(2).Left, available - bw);
  EXPECT_TRUE(w->GetMDIButtonRect(0).IsEmpty());
  int32_t clicks = 0;
  manager->OnCloseButtonClick = [&](TObject*) { ++clicks; };
  ClickButton(w, 2);
  EXPECT_EQ(clicks, 1);
}

// ---------------------------------------------------------------- double click, focus, keyboard mode

TEST_F(ToolbarMarkTest, ADoubleClickOnTheDragAreaFloatsADockedBarAndDocksItBack) {
  TdxBar* bar = NewBar({{40, 22}, {40, 22}});
  bar->SetFloatLeft(230);
  bar->SetFloatTop(170);
  bar->SetFloatClientWidth(120);
  bar->SetFloatClientHeight(80);
  bar->SetDockingStyle(dsTop);
  bar->SetVisible(true);
  Pump();
  TdxDockControl* top = manager->Bars()->EdgeDock(dsTop);
  auto doubleClick = [&] {
    auto* w = dynamic_cast<TdxBarControl*>(bar->GetControl());
    if (!w) return false;
    DoubleClickDragArea(w);
    return true;
  };
  ASSERT_TRUE(doubleClick());
  EXPECT_EQ(bar->GetDockingStyle(), dsNone);
  ASSERT_NE(bar->GetControl(), nullptr);
  const TRect floating = bar->GetControl()->BoundsRect();
  EXPECT_EQ(floating.Left, 230);
  EXPECT_EQ(floating.Top, 170);

  ASSERT_TRUE(doubleClick());
  EXPECT_EQ(bar->GetDockingStyle(), dsTop);
  EXPECT_EQ(bar->GetRealDockControl(), top);
}

TEST_F(ToolbarMarkTest, AFloatingBarNeverDockedGoesOnANewLastRowOfTheTopDock) {
  TdxBar* docked = NewBar({{40, 22}});
  docked->SetDockingStyle(dsTop);
  docked->SetVisible(true);
  TdxBar* bar = NewBar({{40, 22}});
  bar->SetFloatClientWidth(120);
  bar->SetFloatClientHeight(80);
  bar->SetDockingStyle(dsNone);
  bar->SetDockedDockingStyle(dsNone);
  bar->SetVisible(true);
  Pump();
  ASSERT_EQ(bar->GetDockedDockingStyle(), dsNone);
  TdxDockControl* top = manager->Bars()->EdgeDock(dsTop);
  const int32_t rows = top->GetRowCount();
  auto* w = dynamic_cast<TdxBarControl*>(bar->GetControl());
  ASSERT_NE(w, nullptr);
  DoubleClickDragArea(w);
  EXPECT_EQ(bar->GetDockingStyle(), dsTop);
  EXPECT_TRUE(bar->OneOnRow());
  EXPECT_EQ(bar->GetRow(), rows);
  EXPECT_EQ(top->GetRowCount(), rows + 1);
}

TEST_F(ToolbarMarkTest, TheFocusNeverStaysOnAToolbar) {
  TdxBarControl* w = TopBarShowing(kLinkCount);
  auto* edit = Add<TCustomControl>(form, {10, 100, 60, 120});
  edit->HandleNeeded();
  win::SetFocus(edit->Handle());
  win::SetFocus(w->Handle());
  Pump();
  EXPECT_NE(win::GetFocus(), w->Handle());
  EXPECT_EQ(win::GetFocus(), edit->Handle());
}

TEST_F(ToolbarMarkTest, KeyboardModeMakesTheBarFocusedAndGivesTheFocusedBarBack) {
  TdxBarControl* first = TopBarShowing(kLinkCount);
  TdxBarControl* second = TopBarShowing(kLinkCount);
  first->ActivateKeyboard(nullptr);
  EXPECT_EQ(manager->FocusedBarControl(), first);
  EXPECT_EQ(first->GetSelectedControl(), first->ItemLinks()->VisibleItems(0)->Control());
  second->ActivateKeyboard(nullptr);
  EXPECT_EQ(manager->FocusedBarControl(), second);
  EXPECT_EQ(second->PreviousFocusedBar(), first);
  second->Deactivate();
  EXPECT_EQ(manager->FocusedBarControl(), first);
  first->Deactivate();
  EXPECT_EQ(manager->FocusedBarControl(), nullptr);
}

TEST_F(ToolbarMarkTest, TheGripShowsTheSizeAllCursor) {
  TdxBarControl* w = TopBarShowing(kLinkCount);
  EXPECT_EQ(w->GetGripRect(), TRect(-100, -100, 0, 100));
  struct Case {
    TPoint Client;
    TCursor Expected;
  };
  for (const Case& c : {Case{{-3, 5}, crSizeAll}, Case{{5, 5}, crDefault}}) {
    const TPoint screen = w->ClientToScreen(c.Client);
    backend_->MouseMove(screen.X, screen.Y);
    win::SendMessage(w->Handle(), win::WM_SETCURSOR, win::WPARAM(w->Handle()), win::HTCLIENT);
    EXPECT_EQ(w->Cursor(), c.Expected) << c.Client.X;
  }
  w->SetDockingStyle(dsNone);
  EXPECT_TRUE(w->GetGripRect().IsEmpty());
}

// ---------------------------------------------------------------- drop target

TEST_F(ToolbarMarkTest, ADropOutsideTheLinksGoesToTheLastLinkOfTheRow) {
  struct Case {
    TdxBarItemAlign Align;
    int32_t X;
    bool Before;
  };
  const int32_t width = 300;
  const Case cases[] = {
      {iaLeft, 200, false},        // past the links
      {iaRight, 200, true},        // in the gap before a right-aligned last link
      {iaRight, width - 2, false},  // past it, over the mark
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(int(c.Align)) + " at " + std::to_string(c.X));
    TdxBar* bar = NewBar({{40, 22}, {40, 22}, {40, 22}});
    bar->SetUseRestSpace(true);
    TdxBarItemLinks* links = bar->GetItemLinks();
    links->GetItem(2)->GetItem()->SetAlign(c.Align);
    TdxBarControl* w = WindowFor(bar, dsTop, width, 24);
    w->CalcItemPositions();
    const TRect last = links->GetItem(2)->ItemRect();
    ASSERT_EQ(last.Left, c.Align == iaRight ? width - w->GetMarkSpace() - 40 : 80);
    TdxBarItemLink* link = nullptr;
    bool vertical = false, before = false, onSeparator = false;
    w->GetDropTarget({c.X, 10}, link, vertical, before, onSeparator);
    EXPECT_EQ(link, links->GetItem(2));
    EXPECT_EQ(before, c.Before);
  }
}

}  // namespace
}  // namespace bartest
