// Dock sites: the side from the alignment, the dock's size (empty, sunken
// border, far edge kept), rows shared or not, the arrangement of a row of
// toolbar windows, the dock messages and bar windows that go away while a
// row is arranged. Every length is worked out here from the item controls'
// sizes, the separator size, the mark space and the bar's frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "tests/ui/bars/bar_doubles.h"
#include "tests/ui/bars/dock_doubles.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/bars/dxBarRoutines.h"

namespace docktest {
namespace {

using bartest::BarFormTest;

class DockTest : public BarFormTest {
protected:
  void SetUp() override {
    BarFormTest::SetUp();
    RegisterBarItemClass(TFixedItem::StaticClass(), TFixedItemControl::StaticClass(), false);
    unitsMaker = dxBarCreateItemControlProc();
    SetdxBarCreateItemControlProc([](TClass, TCustomdxBarControl* AWindow, TdxBarItemLink* ALink) -> TdxBarItemControl* {
      return new TFixedItemControl(AWindow, ALink);
    });
    form = MakeForm({0, 0, 1200, 500});
    form->Show();
    Pump();
    manager = new TdxBarManager(form);
  }
  void TearDown() override {
    delete manager;
    SetdxBarCreateItemControlProc(unitsMaker);
    TdxBarItemList* registry = ItemClassRegistry();
    for (int32_t i = registry->Count() - 1; i >= 0; --i)
      if (registry->ItemClassAt(i) == TFixedItem::StaticClass()) registry->RemoveRegistration(i);
    BarFormTest::TearDown();
  }

  // A bar with one fixed-size item per width; the group starts are links' BeginGroup.
  TdxBar* MakeBar(const std::string& ACaption, const std::vector<int32_t>& AWidths, int32_t AHeight = 22,
                  const std::vector<bool>& AGroups = {}) {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetCaption(ACaption);
    for (size_t i = 0; i < AWidths.size(); ++i) {
      auto* item = new TFixedItem(form);
      item->SetBarManager(manager);
      item->ControlWidth = AWidths[i];
      item->ControlHeight = AHeight;
      TdxBarItemLink* link = bar->GetItemLinks()->Add();
      link->SetItem(item);
      if (i < AGroups.size()) link->SetBeginGroup(AGroups[i]);
    }
    return bar;
  }
  TdxBar* ShowDocked(TdxBar* ABar, TdxBarDockingStyle ASide, int32_t ARow, int32_t ADockedLeft, int32_t ADockedTop = 0) {
    ABar->SetDockingStyle(ASide);
    ABar->SetRow(ARow);
    ABar->SetDockedLeft(ADockedLeft);
    ABar->SetDockedTop(ADockedTop);
    ABar->SetVisible(true);
    return ABar;
  }
  TdxBarControl* Window(TdxBar* ABar) { return dynamic_cast<TdxBarControl*>(ABar->GetControl()); }
  TdxDockControl* Edge(TdxBarDockingStyle ASide) { return manager->Bars()->EdgeDock(ASide); }

  // What a horizontal bar of these item widths takes along a top dock.
  struct Lengths {
    int32_t Min, Full, Thickness;
  };
  Lengths Expected(TdxBar* ABar, const std::vector<int32_t>& AWidths, int32_t AHeight,
                   const std::vector<bool>& AGroups = {}) {
    TdxBarControl* w = Window(ABar);
    const int32_t s = w->Painter()->BarSeparatorSize();
    const int32_t k = w->Painter()->BarMarkSize();
    const int32_t markSpace = w->HasMark() ? k : 0;
    const int32_t frameAlong = ABar->GetNonClientWidth(dsTop), frameAcross = ABar->GetNonClientHeight(dsTop);
    int32_t sum = 0;
    for (size_t i = 0; i < AWidths.size(); ++i) sum += AWidths[i] + (i > 0 && i < AGroups.size() && AGroups[i] ? s : 0);
    Lengths l;
    l.Full = sum + markSpace + frameAlong;
    l.Min = AWidths.front() + markSpace + frameAlong;
    if (!w->HasMark() && l.Min != l.Full) l.Min += k;
    l.Thickness = AHeight + frameAcross;
    return l;
  }
  // Narrows or widens the form so that the top dock's client is AWidth wide.
  void SetDockWidth(int32_t AWidth) {
    TdxDockControl* top = Edge(dsTop);
    form->SetClientWidth(form->ClientWidth() + AWidth - top->ClientWidth());
    ASSERT_EQ(top->ClientWidth(), AWidth);
  }

  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  TdxBarCreateItemControlProc unitsMaker = nullptr;
};

// ---------------------------------------------------------------- side

TEST_F(DockTest, TheSideFollowsTheAlignment) {
  struct Case {
    TAlign align;
    TdxBarDockingStyle side;
    bool horizontal, nearSide;
  } cases[] = {
      {alNone, dsTop, true, true},     {alTop, dsTop, true, true},       {alBottom, dsBottom, true, false},
      {alLeft, dsLeft, false, true},   {alRight, dsRight, false, false}, {alClient, dsTop, true, true},
      {alCustom, dsTop, true, true},
  };
  TdxBarDockControl site(nullptr);
  EXPECT_EQ(site.DockAlign(), dalTop);
  for (const Case& c : cases) {
    site.SetAlign(c.align);
    EXPECT_EQ(site.GetSide(), c.side) << int(c.align);
    EXPECT_EQ(site.IsHorizontal(), c.horizontal) << int(c.align);
    EXPECT_EQ(site.IsVertical(), !c.horizontal) << int(c.align);
    EXPECT_EQ(site.IsNearSide(), c.nearSide) << int(c.align);
  }
}

// ---------------------------------------------------------------- dock size

TEST_F(DockTest, AnEmptyDockHasItsEmptySize) {
  struct Case {
    const char* what;
    bool designing, allowZero;
    int32_t height;
  } cases[] = {
      {"at run time", false, false, 0},
      {"at design time", true, false, 3},
      {"at design time allowing zero size", true, true, 0},
  };
  for (const Case& c : cases) {
    auto* site = new TdxBarDockControl(form);
    site->SetParent(form);
    site->SetBarManager(manager);
    site->SetHeight(40);
    site->SetDesigning(c.designing);
    site->SetAllowZeroSizeInDesignTime(c.allowZero);
    site->UpdateDock();
    EXPECT_EQ(site->Height(), c.height) << c.what;
    delete site;
  }
  // The edge docks of a manager without bars.
  for (TdxBarDockingStyle side : {dsLeft, dsTop, dsRight, dsBottom}) {
    Edge(side)->UpdateDock();
    EXPECT_EQ(IsVerticalDockingStyle(side) ? Edge(side)->Width() : Edge(side)->Height(), 0) << int(side);
  }
}

TEST_F(DockTest, TheSunkenBorderAddsTwoToANonEmptyDock) {
  const std::vector<int32_t> widths{30, 40};
  TdxBar* bar = ShowDocked(MakeBar("General", widths, 24), dsTop, 0, 0);
  const Lengths l = Expected(bar, widths, 24);
  TdxDockControl* top = Edge(dsTop);
  EXPECT_EQ(top->Height(), l.Thickness);
  manager->SetSunkenBorder(true);
  EXPECT_EQ(top->Height(), l.Thickness + 2);
  EXPECT_EQ(top->ClientHeight(), l.Thickness);
  EXPECT_EQ(top->ClientWidth(), top->Width() - 2);
  // The empty bottom dock stays without size.
  Edge(dsBottom)->UpdateDock();
  EXPECT_EQ(Edge(dsBottom)->Height(), 0);
  manager->SetSunkenBorder(false);
  EXPECT_EQ(top->Height(), l.Thickness);
}

TEST_F(DockTest, RightAndBottomDocksKeepTheirFarEdge) {
  const std::vector<int32_t> widths{25, 25, 25};
  for (TdxBarDockingStyle side : {dsRight, dsBottom}) {
    TdxDockControl* dock = Edge(side);
    const TRect before = dock->BoundsRect();
    TdxBar* bar = ShowDocked(MakeBar(side == dsRight ? "Right" : "Bottom", widths, 22), side, 0, 0);
    const TRect after = dock->BoundsRect();
    TdxBarControl* w = Window(bar);
    ASSERT_NE(w, nullptr);
    if (side == dsRight) {
      // A vertical bar: each control is as wide as the widest and the row is the bar's width.
      EXPECT_EQ(after.Width(), w->Width());
      EXPECT_EQ(after.Right, before.Right);
      EXPECT_EQ(after.Right, form->ClientWidth());
    } else {
      EXPECT_EQ(after.Height(), w->Height());
      EXPECT_EQ(after.Bottom, before.Bottom);
      EXPECT_EQ(after.Bottom, form->ClientHeight());
    }
    EXPECT_GT(w->Width(), 0);
    EXPECT_GT(w->Height(), 0);
  }
}

// ---------------------------------------------------------------- rows

TEST_F(DockTest, AWholeRowBarNeverSharesItsRow) {
  const std::vector<int32_t> widths{40, 40};
  TdxBar* menu = MakeBar("Menu", widths, 20);
  menu->SetWholeRow(true);
  ShowDocked(menu, dsTop, 0, 0);
  TdxBar* other = ShowDocked(MakeBar("Other", widths, 26), dsTop, 0, 200);
  TdxDockControl* top = Edge(dsTop);
  ASSERT_EQ(top->GetRowCount(), 2);
  const int32_t menuRow = menu->GetRow(), otherRow = other->GetRow();
  EXPECT_NE(menuRow, otherRow);
  EXPECT_EQ(top->GetRow(menuRow)->GetColCount(), 1);
  EXPECT_EQ(top->GetRow(otherRow)->GetColCount(), 1);
  // The whole-row bar takes the dock's length; the rows stack.
  const Lengths lm = Expected(menu, widths, 20), lo = Expected(other, widths, 26);
  EXPECT_EQ(Window(menu)->Width(), top->ClientWidth());
  EXPECT_EQ(Window(menu)->Height(), lm.Thickness);
  EXPECT_EQ(Window(other)->Top(), menuRow < otherRow ? lm.Thickness : 0);
  EXPECT_EQ(top->Height(), lm.Thickness + lo.Thickness);
  // Docking a third bar into the whole-row bar's row makes a new row again.
  TdxBar* third = ShowDocked(MakeBar("Third", widths, 20), dsTop, menuRow, 300);
  EXPECT_EQ(top->GetRowCount(), 3);
  EXPECT_EQ(top->GetRow(menu->GetRow())->GetColCount(), 1);
  EXPECT_NE(third->GetRow(), menu->GetRow());
}

TEST_F(DockTest, SharingARowClearsOneOnRowAndLeavingItKeepsTheRest) {
  const std::vector<int32_t> widths{30};
  TdxBar* a = ShowDocked(MakeBar("A", widths), dsTop, 0, 0);
  TdxBar* b = ShowDocked(MakeBar("B", widths), dsTop, 0, 300);
  TdxDockControl* top = Edge(dsTop);
  ASSERT_EQ(top->GetRowCount(), 1);
  ASSERT_EQ(top->GetRow(0)->GetColCount(), 2);
  EXPECT_FALSE(a->OneOnRow());
  EXPECT_FALSE(b->OneOnRow());
  // Hiding B keeps where it was: row 0 shared with A.
  b->SetVisible(false);
  EXPECT_EQ(top->GetRow(0)->GetColCount(), 1);
  EXPECT_FALSE(b->OneOnRow());
  EXPECT_EQ(b->DockedLeft(), 300);
  b->SetVisible(true);
  EXPECT_EQ(top->GetRowCount(), 1);
  EXPECT_EQ(Window(b)->Left(), 300);
}

TEST_F(DockTest, DockingLeftOfTheDockClampsThePlaceToItsEdge) {
  const std::vector<int32_t> widths{30};
  TdxBar* a = MakeBar("A", widths);
  a->SetDockingStyle(dsTop);
  a->SetVisible(true);
  TdxDockControl* top = Edge(dsTop);
  TdxBarControl* w = Window(a);
  ASSERT_NE(w, nullptr);
  w->BeginUpdate();
  top->DockBar(w, top->ClientToScreen(TPoint(-50, 0)), true);
  w->EndUpdate();
  TdxDockCol* col = top->FindCol(w);
  ASSERT_NE(col, nullptr);
  EXPECT_EQ(col->Pos.X, 0);
  EXPECT_EQ(w->Left(), 0);
  // A negative stored place becomes 0 as well.
  a->SetDockedLeft(-20);
  EXPECT_EQ(a->DockedLeft(), 0);
}

// ---------------------------------------------------------------- the viewer's two bars

// "General" at 0 and "Navigation" at 377 in row 0 of the top edge dock.
TEST_F(DockTest, TheViewersBarsKeepTheirPlacesThenSlideThenShrink) {
  const std::vector<int32_t> generalWidths{23, 23, 23, 23, 23, 23, 23, 23};
  const std::vector<bool> generalGroups{false, false, false, true, false, false, true, false};
  const std::vector<int32_t> navigationWidths{23, 23, 23, 23, 23, 23};
  const std::vector<bool> navigationGroups{false, false, true, false, false, false};
  TdxBar* general = MakeBar("General", generalWidths, 22, generalGroups);
  TdxBar* navigation = MakeBar("Navigation", navigationWidths, 22, navigationGroups);
  ShowDocked(general, dsTop, 0, 0);
  ShowDocked(navigation, dsTop, 0, 377);
  const Lengths g = Expected(general, generalWidths, 22, generalGroups);
  const Lengths n = Expected(navigation, navigationWidths, 22, navigationGroups);
  ASSERT_LE(g.Full, 377) << "the first bar must fit before the second's stored place";
  TdxDockControl* top = Edge(dsTop);
  ASSERT_EQ(top->GetRowCount(), 1);
  ASSERT_EQ(top->GetRow(0)->GetColCount(), 2);
  TdxBarControl* gw = Window(general);
  TdxBarControl* nw = Window(navigation);

  struct Case {
    const char* what;
    int32_t dockWidth;
    int32_t generalWidth, navigationLeft, navigationWidth;
  } cases[] = {
      {"wide: both at full length at their stored places", 377 + n.Full + 100, g.Full, 377, n.Full},
      {"exactly wide enough for both stored places", 377 + n.Full, g.Full, 377, n.Full},
      {"narrower: the second slides left", 377 + n.Full - 40, g.Full, 377 - 40, n.Full},
      {"the second reaches the first's full length", g.Full + n.Full, g.Full, g.Full, n.Full},
      {"the second shrinks", g.Full + n.Full - 30, g.Full, g.Full, n.Full - 30},
      {"the second at its minimum", g.Full + n.Min, g.Full, g.Full, n.Min},
      {"then the first shrinks", g.Full + n.Min - 25, g.Full - 25, g.Full - 25, n.Min},
      {"the first at its minimum", g.Min + n.Min, g.Min, g.Min, n.Min},
      {"the first never below its minimum", g.Min + n.Min - 30, g.Min, g.Min, n.Min},
  };
  for (const Case& c : cases) {
    SetDockWidth(c.dockWidth);
    top->UpdateDock();
    EXPECT_EQ(gw->Left(), 0) << c.what;
    EXPECT_EQ(gw->Width(), c.generalWidth) << c.what;
    EXPECT_EQ(nw->Left(), c.navigationLeft) << c.what;
    EXPECT_EQ(nw->Width(), c.navigationWidth) << c.what;
    EXPECT_EQ(gw->Top(), 0) << c.what;
    EXPECT_EQ(nw->Top(), 0) << c.what;
    EXPECT_EQ(gw->Height(), g.Thickness) << c.what;
    EXPECT_EQ(top->Height(), std::max(gw->Height(), nw->Height())) << c.what;
    // A shrunk bar hides links behind its mark.
    EXPECT_EQ(nw->HiddenLinks, c.navigationWidth < n.Full) << c.what;
    EXPECT_EQ(gw->HiddenLinks, c.generalWidth < g.Full) << c.what;
    if (c.navigationWidth < n.Full) {
      EXPECT_TRUE(nw->HasMark()) << c.what;
    }
  }
  // Widening again puts both back at their stored places.
  SetDockWidth(377 + n.Full + 100);
  top->UpdateDock();
  EXPECT_EQ(nw->Left(), 377);
  EXPECT_EQ(gw->Width(), g.Full);
}

// ---------------------------------------------------------------- dock sites and managers

TEST_F(DockTest, RemovingADockSiteMovesItsBarsToTheEdgeDockOfItsSide) {
  auto* site = new TdxBarDockControl(form);
  site->SetParent(form);
  site->SetAlign(dalLeft);
  site->SetBarManager(manager);
  const std::vector<int32_t> widths{30, 30};
  TdxBar* bar = MakeBar("Tools", widths);
  bar->SetDockControl(site);
  bar->SetVisible(true);
  ASSERT_NE(Window(bar), nullptr);
  EXPECT_EQ(Window(bar)->DockControl(), site);
  EXPECT_EQ(site->GetRowCount(), 1);
  EXPECT_GT(site->Width(), 0);

  site->SetBarManager(nullptr);
  EXPECT_EQ(bar->GetDockControl(), nullptr);
  EXPECT_EQ(bar->GetDockingStyle(), dsLeft);
  EXPECT_EQ(bar->GetRealDockControl(), Edge(dsLeft));
  ASSERT_NE(Window(bar), nullptr);
  EXPECT_EQ(Window(bar)->DockControl(), Edge(dsLeft));
  EXPECT_NE(Edge(dsLeft)->FindCol(Window(bar)), nullptr);
  EXPECT_EQ(site->GetRowCount(), 0);
  EXPECT_EQ(Edge(dsLeft)->Width(), Window(bar)->Width());
  delete site;
}

TEST_F(DockTest, ADockSiteOfAnotherManagerIsRefused) {
  TForm* other = MakeForm({0, 0, 300, 200});
  auto* otherManager = new TdxBarManager(other);
  auto* site = new TdxBarDockControl(other);
  site->SetParent(other);
  site->SetBarManager(otherManager);
  TdxBar* bar = MakeBar("Tools", {30});
  bar->SetDockingStyle(dsTop);
  bar->SetDockControl(site);
  EXPECT_EQ(bar->GetDockControl(), nullptr);
  bar->SetDockedDockControl(site);
  EXPECT_EQ(bar->DockedDockControl(), nullptr);
  bar->SetVisible(true);
  EXPECT_EQ(site->GetRowCount(), 0);
  EXPECT_EQ(Window(bar)->DockControl(), Edge(dsTop));
  delete otherManager;
  delete site;
}

// ---------------------------------------------------------------- windows that go away

TEST_F(DockTest, ABarWindowDestroyedWhileTheRowMovesItsWindowsIsNotTouchedAgain) {
  TdxDockControl* top = Edge(dsTop);
  TdxBar* a = MakeBar("A", {40});
  TdxBar* b = MakeBar("B", {40});
  TdxBar* c = MakeBar("C", {40});
  std::vector<TMovingBarControl*> windows;
  int32_t x = 0;
  for (TdxBar* bar : {a, b, c}) {
    auto* w = new TMovingBarControl(manager);
    a->GetBarManager();
    bar->SetControl(w);
    w->SetItemLinks(bar->GetItemLinks());
    bar->GetItemLinks()->BarControl = w;
    w->SetDockingStyle(dsTop);
    w->SetDockControl(top);
    w->SetParent(top);
    w->SetVisible(true);
    w->HandleNeeded();
    w->BeginUpdate();
    top->DockBar(w, top->ClientToScreen(TPoint(x, 0)), false);
    w->EndUpdate();
    x += 200;
    windows.push_back(w);
  }
  ASSERT_EQ(top->GetRowCount(), 1);
  ASSERT_EQ(top->GetRow(0)->GetColCount(), 3);
  // A wants another place; moving it there destroys B, which the row would move next.
  top->FindCol(windows[0])->Pos.X = 10;
  TMovingBarControl* doomed = windows[1];
  windows[0]->OnMoved = [&](TMovingBarControl*) {
    if (!doomed) return;
    TMovingBarControl* w = doomed;
    doomed = nullptr;
    delete w;
  };
  top->UpdateDock();
  EXPECT_EQ(doomed, nullptr);
  EXPECT_EQ(b->GetControl(), nullptr);
  // The row goes on with the windows that are left.
  EXPECT_EQ(windows[2]->Left(), 400);
  top->UpdateDock();
  ASSERT_EQ(top->GetRow(0)->GetColCount(), 2);
  EXPECT_EQ(top->GetRow(0)->GetCol(0)->BarControl(), windows[0]);
  EXPECT_EQ(top->GetRow(0)->GetCol(1)->BarControl(), windows[2]);
}

// ---------------------------------------------------------------- messages

TEST_F(DockTest, TheDockAnswersItsMessages) {
  TdxDockControl* top = Edge(dsTop);
  ShowDocked(MakeBar("A", {30}), dsTop, 0, 0);
  ASSERT_TRUE(top->HandleAllocated());
  const win::HWND h = top->Handle();

  // WM_MOUSEACTIVATE: the dock never takes the activation.
  EXPECT_EQ(win::SendMessage(h, win::WM_MOUSEACTIVATE, reinterpret_cast<win::WPARAM>(form->Handle()), 0),
            win::LRESULT(win::MA_NOACTIVATE));
  // WM_LBUTTONDBLCLK enters customizing only when the manager allows it.
  manager->SetCanCustomize(false);
  EXPECT_EQ(win::SendMessage(h, win::WM_LBUTTONDBLCLK, 0, 0), 0);
  EXPECT_FALSE(manager->IsCustomizing());
  manager->SetCanCustomize(true);
  EXPECT_EQ(win::SendMessage(h, win::WM_LBUTTONDBLCLK, 0, 0), 0);
  EXPECT_TRUE(manager->IsCustomizing());
  manager->SetCustomizingFlag(false);

  // WM_ERASEBKGND fills the given rectangle through the painter and answers 1.
  top->SetParentColor(false);
  top->SetColor(TColor(0x00336699));
  EXPECT_EQ(win::SendMessage(h, win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(win::GetDC(h)), 0), 1);

  // WM_DESTROY starts the manager's restoring list.
  EXPECT_FALSE(manager->IsRestoringListed());
  top->DestroyHandle();
  EXPECT_TRUE(manager->IsRestoringListed());
  manager->EndRestoringBars();
}

TEST_F(DockTest, TheSunkenBorderIsTheClientInsetAndASunkenEdge) {
  TdxDockControl* top = Edge(dsTop);
  ShowDocked(MakeBar("A", {30}), dsTop, 0, 0);
  manager->SetSunkenBorder(true);
  const win::HWND h = top->Handle();
  win::RECT window{}, client{};
  win::GetWindowRect(h, &window);
  win::GetClientRect(h, &client);
  EXPECT_EQ(client.Right, (window.Right - window.Left) - 2);
  EXPECT_EQ(client.Bottom, (window.Bottom - window.Top) - 2);
  TPoint origin{0, 0};
  win::ClientToScreen(h, &origin);
  EXPECT_EQ(origin.X - window.Left, 1);
  EXPECT_EQ(origin.Y - window.Top, 1);

  // BDR_SUNKENOUTER: shadow at the top-left, highlight at the bottom-right.
  win::SendMessage(h, win::WM_NCPAINT, 1, 0);
  const win::HDC dc = win::GetWindowDC(h);
  const int32_t w = window.Right - window.Left, hgt = window.Bottom - window.Top;
  EXPECT_EQ(win::GetPixel(dc, 0, hgt / 2), ColorToRGB(TColor(clBtnShadow)));
  EXPECT_EQ(win::GetPixel(dc, w / 2, 0), ColorToRGB(TColor(clBtnShadow)));
  EXPECT_EQ(win::GetPixel(dc, w - 1, hgt / 2), ColorToRGB(TColor(clBtnHighlight)));
  EXPECT_EQ(win::GetPixel(dc, w / 2, hgt - 1), ColorToRGB(TColor(clBtnHighlight)));
  win::ReleaseDC(h, dc);
}

TEST_F(DockTest, ADockSiteWindowMadeAgainShowsTheBarsWaitingForIt) {
  auto* site = new TdxBarDockControl(form);
  site->SetParent(form);
  site->SetBarManager(manager);
  TdxBar* waiting = MakeBar("Waiting", {30});
  waiting->SetDockControl(site);
  TdxBar* elsewhere = MakeBar("Elsewhere", {30});
  elsewhere->SetDockingStyle(dsBottom);
  site->DestroyHandle();
  ASSERT_FALSE(site->HandleAllocated());
  manager->BeginRestoringBars();
  manager->AddRestoringBar(waiting);
  manager->AddRestoringBar(elsewhere);
  site->HandleNeeded();
  EXPECT_TRUE(waiting->GetVisible());
  ASSERT_NE(Window(waiting), nullptr);
  EXPECT_EQ(Window(waiting)->DockControl(), site);
  EXPECT_EQ(manager->IndexOfRestoringBar(waiting), -1);
  // A bar of another dock site keeps waiting.
  EXPECT_FALSE(elsewhere->GetVisible());
  EXPECT_EQ(manager->IndexOfRestoringBar(elsewhere), 0);
  manager->EndRestoringBars();
  delete site;
}

}  // namespace
}  // namespace docktest
