// The viewer's two toolbars end to end on the headless display: the form's
// description read through the filer, the bars docked side by side in the
// top edge dock, a click and the form's keys pressing the view-mode buttons,
// and full screen's hiding and showing of both bars. Every length is worked
// out here from the glyph size, the painter's button border, separator, mark
// and bar margins.
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
  // The mark's room at the end of a docked bar that shows all its links.
  static int32_t MarkSpace(TdxBarControl* w) {
    TdxBar* bar = w->Bar();
    return bar->ShowMark() && w->Painter()->BarShowsMark() && bar->AllowQuickCustomizing() ? w->Painter()->BarMarkSize()
                                                                                           : 0;
  }
  // A button's rectangle in its bar window's client area.
  TRect ButtonRect(TdxBarButton* AButton) { return LinkOf(General(), AButton)->ItemRect(); }
  void ClickCentre(TdxBarButton* AButton) {
    const TRect r = ButtonRect(AButton);
    Click(Window(General()), (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  // The mouse rests on the form below the bars, so no button stays hot.
  void MoveAway() {
    MoveTo(form.get(), 600, 400);
    Pump();
  }
  // The pixel left of the glyph, halfway down: background or pressed fill,
  // the same for every button in the same state.
  uint32_t FillPixel(TdxBarButton* AButton) {
    const TRect r = ButtonRect(AButton);
    return Pixel(Window(General()), r.Left + 1, (r.Top + r.Bottom) / 2);
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

}  // namespace
}  // namespace bartest
