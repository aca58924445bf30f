// Page controls, track bars, up-down buttons and progress bars.
#include "platform/vcl/comctrls.h"

#include <gtest/gtest.h>

#include "tests/platform/vcl/controls_test.h"

namespace comctrlstest {
namespace {

using namespace vcltest;
using win::UINT;

class ComCtrlsTest : public VclTest {
protected:
  void SetUp() override {
    VclTest::SetUp();
    RegisterComCtrlsClasses();
  }
};

TEST_F(ComCtrlsTest, TrackBarKeysStepByLineAndPage) {
  TForm* f = ShownForm();
  auto* tb = Add<TTrackBar>(f, {10, 10, 210, 55});
  tb->SetMax(20);
  tb->SetLineSize(2);
  tb->SetPageSize(5);
  tb->SetPosition(10);
  int changes = 0;
  tb->OnChange = [&](TObject*) { ++changes; };
  tb->SetFocus();
  Pump();
  struct Row {
    UINT Key;
    int32_t Position;
  };
  const Row rows[] = {{win::VK_RIGHT, 12}, {win::VK_DOWN, 14}, {win::VK_LEFT, 12}, {win::VK_UP, 10},
                      {win::VK_NEXT, 15},  {win::VK_NEXT, 20}, {win::VK_NEXT, 20}, {win::VK_PRIOR, 15},
                      {win::VK_HOME, 0},   {win::VK_LEFT, 0},  {win::VK_END, 20}};
  int expectedChanges = 0;
  int32_t last = 10;
  for (const Row& r : rows) {
    Press(r.Key);
    EXPECT_EQ(tb->Position(), r.Position) << r.Key;
    if (r.Position != last) ++expectedChanges;
    last = r.Position;
  }
  EXPECT_EQ(changes, expectedChanges) << "no change event when the position stays";
}

TEST_F(ComCtrlsTest, TrackBarMousePagesTowardsTheClickAndDragsTheThumb) {
  TForm* f = ShownForm();
  auto* tb = Add<TTrackBar>(f, {10, 10, 210, 55});
  tb->SetMax(100);
  tb->SetPageSize(10);
  Pump();
  const TRect thumb = tb->ThumbRect();
  Click(tb, thumb.Right + 60, thumb.Top + 3);
  Pump();
  EXPECT_EQ(tb->Position(), 10);
  // Drag the thumb to the far right end.
  const TRect t2 = tb->ThumbRect();
  TPoint a = At(tb, (t2.Left + t2.Right) / 2, (t2.Top + t2.Bottom) / 2), b = At(tb, 400, 20);
  backend_->MouseMove(a.X, a.Y);
  backend_->MouseDown(0, a.X, a.Y);
  Pump();
  backend_->MouseMove(b.X, b.Y);
  Pump();
  backend_->MouseUp(0, b.X, b.Y);
  Pump();
  EXPECT_EQ(tb->Position(), 100);
  // The thumb sits where the position says: the middle of the range is the middle of the channel.
  tb->SetPosition(50);
  const TRect ch = tb->ChannelRect(), mid = tb->ThumbRect();
  EXPECT_NEAR((mid.Left + mid.Right) / 2, (ch.Left + ch.Right) / 2, 1);
}

TEST_F(ComCtrlsTest, UpDownStepsItsAssociatedEdit) {
  TForm* f = ShownForm();
  auto* edit = Add<TEdit>(f, {10, 10, 110, 31});
  auto* ud = Add<TUpDown>(f, {0, 0, 17, 21});
  ud->SetMin(0);
  ud->SetMax(1200);
  ud->SetIncrement(100);
  ud->SetPosition(900);
  ud->SetAssociate(edit);
  std::vector<TUDBtnType> clicks;
  ud->OnClick = [&](TObject*, TUDBtnType b) { clicks.push_back(b); };
  Pump();
  // The buttons sit at the edit's right edge, which gave up their room.
  EXPECT_EQ(edit->Width() + ud->Width(), 100);
  EXPECT_EQ(ud->Left(), edit->Left() + edit->Width());
  EXPECT_EQ(edit->Text(), "900");
  Click(ud, 5, 3);  // the upper button
  Pump();
  EXPECT_EQ(edit->Text(), "1,000");
  EXPECT_EQ(ud->Position(), 1000);
  Click(ud, 5, ud->Height() - 3);
  Pump();
  EXPECT_EQ(edit->Text(), "900");
  // A number typed into the edit is where the next step starts.
  edit->SetText("50");
  Click(ud, 5, 3);
  Pump();
  EXPECT_EQ(ud->Position(), 150);
  // The arrow keys in the edit step too.
  edit->SetFocus();
  Pump();
  Press(win::VK_UP);
  EXPECT_EQ(edit->Text(), "250");
  Press(win::VK_DOWN);
  Press(win::VK_DOWN);
  EXPECT_EQ(edit->Text(), "50");
  EXPECT_EQ(clicks, (std::vector<TUDBtnType>{btNext, btPrev, btNext, btNext, btPrev, btPrev}));
}

TEST_F(ComCtrlsTest, UpDownLimitsWrapAndVeto) {
  struct Row {
    const char* Name;
    bool Wrap;
    bool Allow;
    int32_t Start;
    TUDBtnType Button;
    int32_t Expected;
  };
  const Row rows[] = {
      {"clamped at the top", false, true, 10, btNext, 10}, {"wraps to the bottom", true, true, 10, btNext, 0},
      {"wraps to the top", true, true, 0, btPrev, 10},     {"a vetoed step stays", false, false, 5, btNext, 5},
      {"a plain step", false, true, 5, btPrev, 4},
  };
  TForm* f = ShownForm();
  for (const Row& r : rows) {
    auto* ud = Add<TUpDown>(f, {10, 10, 27, 35});
    ud->SetMax(10);
    ud->SetWrap(r.Wrap);
    ud->SetPosition(r.Start);
    int32_t proposed = -1;
    ud->OnChangingEx = [&](TObject*, bool& allow, int32_t v, TUpDownDirection) {
      proposed = v;
      allow = r.Allow;
    };
    ud->Step(r.Button);
    EXPECT_EQ(ud->Position(), r.Expected) << r.Name;
    if (!r.Allow) {
      EXPECT_EQ(proposed, 6) << r.Name;
    }
    delete ud;
  }
}

TEST_F(ComCtrlsTest, PageControlSwitchesPagesByMouseKeysAndCode) {
  TForm* f = ShownForm();
  auto* pc = Add<TPageControl>(f, {10, 10, 310, 210});
  std::vector<TTabSheet*> pages;
  std::vector<TEdit*> edits;
  for (const char* caption : {"First", "Second", "Third"}) {
    auto* page = new TTabSheet(f);
    page->SetCaption(caption);
    page->SetPageControl(pc);
    pages.push_back(page);
    edits.push_back(Add<TEdit>(page, {8, 8, 100, 29}));
  }
  pc->SetActivePage(pages[0]);
  std::vector<std::string> log;
  bool allow = true;
  pc->OnChanging = [&](TObject*, bool& ok) {
    log.push_back("changing " + pc->ActivePage()->Caption());
    ok = allow;
  };
  pc->OnChange = [&](TObject*) { log.push_back("change " + pc->ActivePage()->Caption()); };
  Pump();
  EXPECT_EQ(pc->PageCount(), 3);
  EXPECT_TRUE(pages[0]->Visible());
  EXPECT_FALSE(pages[1]->Visible());
  // The active page fills the frame below the tabs.
  EXPECT_GT(pages[0]->Top(), pc->TabRect(0).Bottom - 1);
  EXPECT_LT(pages[0]->BoundsRect().Right, pc->Width());

  const TRect tab2 = pc->TabRect(1);
  Click(pc, (tab2.Left + tab2.Right) / 2, (tab2.Top + tab2.Bottom) / 2);
  Pump();
  EXPECT_EQ(pc->ActivePageIndex(), 1);
  EXPECT_TRUE(pages[1]->Visible());
  EXPECT_FALSE(pages[0]->Visible());
  // Ctrl+Tab from inside a page goes to the next page, Ctrl+Shift+Tab back.
  edits[1]->SetFocus();
  Pump();
  Press(win::VK_TAB, false, true);
  EXPECT_EQ(pc->ActivePage(), pages[2]);
  Press(win::VK_TAB, true, true);
  EXPECT_EQ(pc->ActivePage(), pages[1]);
  // OnChanging may refuse.
  allow = false;
  Press(win::VK_TAB, false, true);
  EXPECT_EQ(pc->ActivePage(), pages[1]);
  allow = true;
  // A hidden tab is skipped; from code nothing is fired.
  pages[2]->SetTabVisible(false);
  log.push_back("--");
  pc->SetActivePageIndex(0);
  EXPECT_EQ(pages[2]->TabIndex(), -1);
  EXPECT_EQ(log, (std::vector<std::string>{"changing First", "change Second", "changing Second", "change Third",
                                           "changing Third", "change Second", "changing Second", "--"}));
  // A page that goes away hands the activity on.
  delete pages[0];
  EXPECT_EQ(pc->PageCount(), 2);
  EXPECT_EQ(pc->ActivePage(), pages[1]);
}

TEST_F(ComCtrlsTest, ProgressBarStepsAndFills) {
  TForm* f = ShownForm();
  auto* pb = Add<TProgressBar>(f, {10, 10, 212, 27});
  pb->SetSmooth(true);
  pb->SetStep(30);
  struct Row {
    std::function<void()> Act;
    int32_t Position;
  };
  const Row rows[] = {{[&] { pb->StepIt(); }, 30},   {[&] { pb->StepIt(); }, 60},   {[&] { pb->StepIt(); }, 90},
                      {[&] { pb->StepIt(); }, 0},    {[&] { pb->StepBy(250); }, 100}, {[&] { pb->SetPosition(-5); }, 0},
                      {[&] { pb->SetPosition(50); }, 50}};
  for (const Row& r : rows) {
    r.Act();
    EXPECT_EQ(pb->Position(), r.Position);
  }
  Pump();
  const TRect fill = pb->FilledRect();
  const TRect client = pb->ClientRect();
  EXPECT_NEAR(fill.Width(), (client.Width() - 2) / 2, 1);
  EXPECT_EQ(Pixel(pb, fill.Left + 2, client.Height() / 2), Rgb(ColorToRGB(clHighlight)));
  EXPECT_EQ(Pixel(pb, fill.Right + 2, client.Height() / 2), Rgb(ColorToRGB(clBtnFace)));
}

}  // namespace
}  // namespace comctrlstest
