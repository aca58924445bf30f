// The viewer's two toolbars end to end on the headless display: the form's
// description read through the filer, the bars docked side by side in the
// top edge dock, the form's keys pressing the view-mode buttons, and full
// screen's hiding and showing of both bars. Every length is worked out here
// from the glyph size, the painter's button border, separator and bar margins.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/platform/vcl/controls_test.h"
#include "tests/ui/bars/viewer_bars_form.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/bars/dxBarToolbarControl.h"

namespace bartest {
namespace {

class ViewerBarsTest : public vcltest::VclTest {
protected:
  void SetUp() override {
    VclTest::SetUp();
    Open();
  }
  void TearDown() override {
    form.reset();
    VclTest::TearDown();
  }
  // A fresh window, shown.
  void Open() {
    form.reset();
    form = TViewerBarsForm::Create();
    form->Show();
    Pump();
  }

  TdxBar* General() { return form->dxBarManager1Bar1; }
  TdxBar* Navigation() { return form->dxBarManager1Bar2; }
  TdxDockControl* TopDock() { return form->dxBarManager1->Bars()->EdgeDock(dsTop); }
  static TdxBarControl* Window(TdxBar* ABar) { return dynamic_cast<TdxBarControl*>(ABar->GetControl()); }
  static TdxBarItemLink* LinkOf(TdxBar* ABar, TdxBarItem* AItem) {
    TdxBarItemLinks* links = ABar->GetItemLinks();
    for (int32_t i = 0; i < links->Count(); ++i)
      if (links->GetItem(i)->GetItem() == AItem) return links->GetItem(i);
    return nullptr;
  }
  std::vector<TdxBarButton*> ModeButtons() {
    return {form->btn2D,          form->btn3DGray,    form->btn3DColor,   form->btn3DDubois,
            form->btn3DInterlace, form->btnLeftImage, form->btn3DRedGreen};
  }
  std::string DownModes() {
    std::string s;
    for (TdxBarButton* b : ModeButtons()) s += b->Down() ? '1' : '0';
    return s;
  }

  std::unique_ptr<TViewerBarsForm> form;
};

// ---------------------------------------------------------------- the description

TEST_F(ViewerBarsTest, TheDescriptionGivesTheSixteenButtonsAndTheTwoBars) {
  TdxBarManager* m = form->dxBarManager1;
  EXPECT_EQ(m->Style(), bmsOffice11);
  EXPECT_EQ(m->Images(), form->ImageList1);
  const TShiftState ctrl{ssCtrl};
  struct Row {
    TdxBarButton* TViewerBarsForm::*Button;
    const char* Caption;
    const char* Hint;
    TShortCut Keys;
    TdxBarButtonStyle Style;
    int32_t Group;
    bool Down;
  } rows[] = {
      {&TViewerBarsForm::btnOpen, "Open...", "Open", ShortCut('O', ctrl), bsDefault, 0, false},
      {&TViewerBarsForm::btnFit, "Fit", "Fit", ShortCut('0', ctrl), bsDefault, 0, false},
      {&TViewerBarsForm::btnOriginalSize, "Actual Size", "Actual Size", ShortCut('0', {ssCtrl, ssAlt}), bsDefault,
       0, false},
      {&TViewerBarsForm::btnFullScreen, "Full Screen", "Full Screen", scNone, bsChecked, 0, false},
      {&TViewerBarsForm::btn2D, "2D", "2D", ShortCut('1', ctrl), bsChecked, 1, false},
      {&TViewerBarsForm::btn3DGray, "3D Grayscale", "3D Grayscale", ShortCut('2', ctrl), bsChecked, 1, false},
      {&TViewerBarsForm::btn3DColor, "3D Color", "3D Color", ShortCut('3', ctrl), bsChecked, 1, true},
      {&TViewerBarsForm::btn3DDubois, "3D Color Dubois", "3D Color Dubois", ShortCut('4', ctrl), bsChecked, 1, false},
      {&TViewerBarsForm::btn3DInterlace, "Interlaced", "Interlace", ShortCut('5', ctrl), bsChecked, 1, false},
      {&TViewerBarsForm::btnLeftImage, "Left Image", "Left Image", ShortCut('6', ctrl), bsChecked, 1, false},
      {&TViewerBarsForm::btn3DRedGreen, "3D GrayScale Red/Green", "3D GrayScale Red/Green", ShortCut('7', ctrl),
       bsChecked, 1, false},
      {&TViewerBarsForm::btnFastMode, "Load Images in low resolution (faster)",
       "Load Images in low resolution (faster)", scNone, bsChecked, 0, true},
      {&TViewerBarsForm::btnAntialias, "Antialias", "Antialias", scNone, bsChecked, 0, false},
      {&TViewerBarsForm::btnAbout, "Info", "About", scNone, bsDefault, 0, false},
      {&TViewerBarsForm::btnPrev, "Previous", "Previous", ShortCut(win::VK_LEFT, {}), bsDefault, 0, false},
      {&TViewerBarsForm::btnNext, "Next", "Next", ShortCut(win::VK_RIGHT, {}), bsDefault, 0, false},
  };
  std::vector<TdxBarItem*> seen;
  for (const Row& r : rows) {
    TdxBarButton* b = form.get()->*r.Button;
    ASSERT_NE(b, nullptr) << r.Caption;
    SCOPED_TRACE(b->Name());
    EXPECT_EQ(b->Caption(), r.Caption);
    EXPECT_EQ(b->Hint(), r.Hint);
    EXPECT_EQ(b->ShortCut(), r.Keys);
    EXPECT_EQ(b->ButtonStyle(), r.Style);
    EXPECT_EQ(b->GroupIndex(), r.Group);
    EXPECT_EQ(b->Down(), r.Down);
    EXPECT_EQ(b->BarManager(), m);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), b), 0);  // sixteen distinct buttons
    seen.push_back(b);
  }

  // The bars' links in order, group starts marked; btnLeftImage on no bar.
  struct BarRow {
    TdxBar* Bar;
    const char* Caption;
    int32_t DockedLeft;
    std::vector<std::pair<TdxBarButton*, bool>> Links;
  } bars[] = {
      {General(),
       "General",
       0,
       {{form->btnOpen, false},
        {form->btnFit, false},
        {form->btnOriginalSize, false},
        {form->btnFullScreen, false},
        {form->btn2D, true},
        {form->btn3DGray, false},
        {form->btn3DColor, false},
        {form->btn3DDubois, false},
        {form->btn3DInterlace, false},
        {form->btn3DRedGreen, false},
        {form->btnFastMode, true},
        {form->btnAntialias, false},
        {form->btnAbout, false}}},
      {Navigation(), "Navigation", 377, {{form->btnPrev, false}, {form->btnNext, false}}},
  };
  for (const BarRow& b : bars) {
    SCOPED_TRACE(b.Caption);
    EXPECT_EQ(b.Bar->Caption(), b.Caption);
    EXPECT_EQ(b.Bar->GetDockingStyle(), dsTop);
    EXPECT_EQ(b.Bar->GetRow(), 0);
    EXPECT_EQ(b.Bar->DockedLeft(), b.DockedLeft);
    EXPECT_TRUE(b.Bar->GetVisible());
    TdxBarItemLinks* links = b.Bar->GetItemLinks();
    ASSERT_EQ(links->Count(), int32_t(b.Links.size()));
    for (int32_t i = 0; i < links->Count(); ++i) {
      EXPECT_EQ(links->GetItem(i)->GetItem(), b.Links[size_t(i)].first) << i;
      EXPECT_EQ(links->GetItem(i)->GetBeginGroup(), b.Links[size_t(i)].second) << i;
    }
  }
  EXPECT_EQ(form->btnLeftImage->GetLinkCount(), 0);
}

// ---------------------------------------------------------------- layout

// A glyph-only button is the glyph plus the painter's button border; the
// bar's window adds the bar margins across.
TEST_F(ViewerBarsTest, EachBarFillsOneRowOfTheTopDock) {
  for (TdxBar* bar : {General(), Navigation()}) {
    SCOPED_TRACE(bar->Caption());
    TdxBarControl* w = Window(bar);
    ASSERT_NE(w, nullptr);
    TdxBarPainter* p = w->Painter();
    const int32_t glyph = form->ImageList1->Width();
    const TSize button(p->ButtonWidthWithBorder(glyph), p->ButtonHeightWithBorder(glyph));
    const TRect margins = p->BarMargins(bar, dsTop);
    EXPECT_EQ(button, TSize(23, 22));
    EXPECT_EQ(margins.Top + margins.Bottom, 4);
    EXPECT_EQ(w->Height(), button.cy + margins.Top + margins.Bottom);
    EXPECT_EQ(w->Top(), 0);
    TdxBarItemLinks* links = bar->GetItemLinks();
    for (int32_t i = 0; i < links->Count(); ++i) {
      const TRect r = links->GetItem(i)->ItemRect();
      EXPECT_EQ(TSize(r.Width(), r.Height()), button) << i;
    }
  }
  EXPECT_EQ(TopDock()->Height(), 26);
  EXPECT_EQ(TopDock()->GetRowCount(), 1);
}

// Along the bar: the buttons one after the other with the separator size
// before btn2D and btnFastMode. Navigation sits at its stored place, or right
// behind General when General is longer.
TEST_F(ViewerBarsTest, GeneralPlacesItsButtonsWithTheTwoGroupGaps) {
  for (TdxBar* bar : {General(), Navigation()}) {
    SCOPED_TRACE(bar->Caption());
    TdxBarControl* w = Window(bar);
    ASSERT_NE(w, nullptr);
    TdxBarPainter* p = w->Painter();
    const int32_t width = p->ButtonWidthWithBorder(form->ImageList1->Width());
    const int32_t s = p->BarSeparatorSize();
    EXPECT_EQ(s, 5);
    TdxBarItemLinks* links = bar->GetItemLinks();
    int32_t pos = 0;
    for (int32_t i = 0; i < links->Count(); ++i) {
      TdxBarItem* item = links->GetItem(i)->GetItem();
      if (item == form->btn2D || item == form->btnFastMode) pos += s;
      EXPECT_EQ(links->GetItem(i)->ItemRect().Left, pos) << item->Name();
      pos += width;
    }
  }
  EXPECT_EQ(Window(General())->Left(), 0);
  EXPECT_EQ(Window(Navigation())->Left(), std::max(377, Window(General())->Width()));
}

// At full length a docked bar's client length is its buttons, the group gaps
// and the space its mark takes at the end; the window adds its frame.
TEST_F(ViewerBarsTest, EachBarsClientLengthHoldsItsButtonsGapsAndMark) {
  for (TdxBar* bar : {General(), Navigation()}) {
    SCOPED_TRACE(bar->Caption());
    TdxBarControl* w = Window(bar);
    ASSERT_NE(w, nullptr);
    TdxBarPainter* p = w->Painter();
    ASSERT_TRUE(w->HasMark());
    EXPECT_EQ(p->BarMarkSize(), 11);
    const int32_t width = p->ButtonWidthWithBorder(form->ImageList1->Width());
    int32_t length = p->BarMarkSize();
    TdxBarItemLinks* links = bar->GetItemLinks();
    for (int32_t i = 0; i < links->Count(); ++i) {
      TdxBarItem* item = links->GetItem(i)->GetItem();
      if (item == form->btn2D || item == form->btnFastMode) length += p->BarSeparatorSize();
      length += width;
    }
    EXPECT_EQ(w->GetFullWidth(dsTop), length);
    EXPECT_EQ(w->Width(), length + bar->GetNonClientWidth(dsTop));
  }
}

// ---------------------------------------------------------------- pressing the mode buttons

// The form's keys press a mode button through its PerformClick: it goes
// down, the group's other down button (btn3DColor, down at design time)
// comes up and the group's handler runs once with the pressed button.
// btnLeftImage, on no bar, answers its keys too.
TEST_F(ViewerBarsTest, TheFormsKeysPressAModeButtonAndRunTheHandlerOnce) {
  const struct Case {
    const char* How;
    std::function<void()> Press;
    TdxBarButton* TViewerBarsForm::*Pressed;
  } cases[] = {
      {"Ctrl+1", [this] { Press('1', false, true); }, &TViewerBarsForm::btn2D},
      {"1", [this] { Press('1'); }, &TViewerBarsForm::btn2D},
      {"keypad 2", [this] { Press(win::VK_NUMPAD2); }, &TViewerBarsForm::btn3DGray},
      {"6: btnLeftImage, on no bar", [this] { Press('6'); }, &TViewerBarsForm::btnLeftImage},
      {"Ctrl+6: btnLeftImage, on no bar", [this] { Press('6', false, true); }, &TViewerBarsForm::btnLeftImage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.How);
    Open();
    TdxBarButton* pressed = form.get()->*c.Pressed;
    ASSERT_EQ(DownModes(), "0010000");
    c.Press();
    std::string expected(7, '0');
    for (size_t i = 0; i < ModeButtons().size(); ++i)
      if (ModeButtons()[i] == pressed) expected[i] = '1';
    EXPECT_EQ(DownModes(), expected);
    EXPECT_EQ(form->Calls, std::vector<std::string>{"btnUpdate3DModeClick " + pressed->Name()});
  }
}

// ---------------------------------------------------------------- full screen hides the bars

TEST_F(ViewerBarsTest, HidingBothBarsEmptiesTheTopDockAndShowingRestoresTheirPlaces) {
  const struct Case {
    const char* How;
    bool NavigationFirst;
  } cases[] = {{"General first", false}, {"Navigation first", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.How);
    Open();
    const int32_t navigationLeft = Window(Navigation())->Left();
    std::vector<TdxBar*> order = {General(), Navigation()};
    if (c.NavigationFirst) std::swap(order[0], order[1]);

    for (TdxBar* bar : order) bar->SetVisible(false);
    Pump();
    EXPECT_EQ(TopDock()->Height(), 0);
    EXPECT_EQ(TopDock()->GetRowCount(), 0);
    for (TdxBar* bar : order) EXPECT_EQ(bar->GetControl(), nullptr) << bar->Caption();

    for (TdxBar* bar : order) bar->SetVisible(true);
    Pump();
    EXPECT_EQ(General()->DockedLeft(), 0);
    EXPECT_EQ(Navigation()->DockedLeft(), 377);
    ASSERT_NE(Window(General()), nullptr);
    ASSERT_NE(Window(Navigation()), nullptr);
    EXPECT_EQ(Window(General())->Left(), 0);
    EXPECT_EQ(Window(Navigation())->Left(), navigationLeft);
    // Back in one row, as before full screen.
    EXPECT_EQ(TopDock()->GetRowCount(), 1);
    EXPECT_EQ(TopDock()->Height(), 26);
    for (TdxBar* bar : order) {
      EXPECT_EQ(bar->GetRow(), 0) << bar->Caption();
      EXPECT_FALSE(bar->OneOnRow()) << bar->Caption();
    }
    EXPECT_EQ(Window(General())->Top(), Window(Navigation())->Top());
  }
}

}  // namespace
}  // namespace bartest
namespace bartest {
namespace {

// The bars are docked while the form is read, before any window has a handle;
// once the form shows, each bar's window is on screen under its buttons.
TEST_F(ViewerBarsTest, BothBarsAreOnScreenOnceTheFormShows) {
  for (auto [bar, item] : {std::pair{General(), static_cast<TdxBarItem*>(form->btn2D)},
                           std::pair{Navigation(), static_cast<TdxBarItem*>(form->btnNext)}}) {
    SCOPED_TRACE(bar->Caption());
    TdxBarControl* w = Window(bar);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->HandleAllocated());
    EXPECT_TRUE(win::IsWindowVisible(w->Handle()));
    TdxBarItemLink* link = LinkOf(bar, item);
    ASSERT_TRUE(link && link->Control());
    const TRect r = w->GetItemRect(link->Control());
    const TPoint p = At(w, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    EXPECT_EQ(win::WindowFromPoint(win::POINT{p.X, p.Y}), w->Handle());
  }
}

}  // namespace
}  // namespace bartest
