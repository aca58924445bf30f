// The drop-down list of bar combos: a top-level tool window framed by the bar
// painter, menu-like mouse tracking with the combo's capture, and its keys.
#include "ui/bars/dxBarDropDownListBox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/ui/bars/bar_doubles.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarPainters.h"

using namespace bartest;
using namespace win;

namespace {

constexpr int kRow = 16;  // entry height of the test list
constexpr int kBorder = 2;

// A painter that records the frames it is asked to draw and draws them as
// the base painter does.
class TRecordingPainter : public TdxBarPainter {
public:
  TRecordingPainter() : TdxBarPainter(nullptr) {}
  void DropDownDrawBorder(HDC DC, TColor AColor, const TRect& R) override {
    Frames.push_back({R, AColor});
    TdxBarPainter::DropDownDrawBorder(DC, AColor, R);
  }
  std::vector<std::pair<TRect, TColor>> Frames;
};

// The bar window that holds the combo: draws with a given painter, logs its close.
class TComboBar : public TCustomdxBarControl {
public:
  TComboBar(TdxBarManager* AManager, TdxBarPainter* APainter, TLog& ALog)
      : TCustomdxBarControl(AManager), painter_(APainter), log_(ALog) {}
  TdxBarPainter* GetPainter() override { return painter_; }
  void CloseUp() override { log_.push_back("bar closed"); }

private:
  TdxBarPainter* painter_;
  TLog& log_;
};

// A combo whose active link is the one the test gives it.
class TComboDouble : public TCustomdxBarCombo {
public:
  TComboDouble(TComponent* AOwner, TLog& ALog) : TCustomdxBarCombo(AOwner), log_(ALog) {}
  TdxBarItemLink* GetActiveLink() const override { return ActiveLink; }
  void SetItemIndex(int32_t AIndex) override {
    log_.push_back("combo index " + std::to_string(AIndex));
    TCustomdxBarCombo::SetItemIndex(AIndex);
  }
  TdxBarItemLink* ActiveLink = nullptr;

private:
  TLog& log_;
};

class DropDownListBoxTest : public BarFormTest {
protected:
  void SetUp() override {
    BarFormTest::SetUp();
    form = ShownForm();
    manager = new TdxBarManager(form);
    bar = new TComboBar(manager, &painter, log);
    bar->SetBounds(10, 10, 200, 30);
    bar->SetParent(form);
    bar->SetVisible(true);  // bar windows are made hidden
    manager->SetFocusedBarControl(bar);
    combo = new TComboDouble(form, log);
    links = std::make_unique<TdxBarItemLinks>(manager, nullptr);
    links->UseRecentItems = true;
    link = links->Add();
    link->SetItem(combo);
    initialUses = link->UseCount;
    control = new TdxBarComboControl(bar, link);
    link->SetControl(control);  // the link owns its control
    combo->ActiveLink = link;
    list = combo->DropDownListBox();
    list->SetParent(bar);
    list->SetItemHeight(kRow);
    Pump();
  }
  void TearDown() override {
    links.reset();
    BarFormTest::TearDown();
  }

  // Fills the list and shows it at a screen rectangle, as the combo does.
  void DropDown(int entries, TRect screen) {
    for (int i = 0; i < entries; ++i) list->Items()->Add("entry " + std::to_string(i));
    SetWindowPos(list->Handle(), HWND_TOPMOST, screen.Left, screen.Top, screen.Width(), screen.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Pump();
  }
  // The screen point in the middle of an entry (the first visible one is 0).
  TPoint EntryPoint(int row) {
    RECT wr;
    GetWindowRect(list->Handle(), &wr);
    return {wr.Left + 30, wr.Top + kBorder + row * kRow + kRow / 2};
  }
  // The press on the combo's button: the combo captures the mouse for its
  // list while the button is still down.
  void PressOnCombo() {
    const TPoint p = bar->ClientToScreen({50, 15});
    backend_->MouseMove(p.X, p.Y);
    backend_->MouseDown(0, p.X, p.Y);
    Pump();
    list->SetWaitingForCapture(true);
    SetCapture(list->Handle());
  }

  TLog log;
  TRecordingPainter painter;
  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  TComboBar* bar = nullptr;
  TComboDouble* combo = nullptr;
  std::unique_ptr<TdxBarItemLinks> links;
  TdxBarItemLink* link = nullptr;
  int32_t initialUses = 0;
  TdxBarComboControl* control = nullptr;
  TdxBarDropDownListBox* list = nullptr;
};

TEST_F(DropDownListBoxTest, IsATopmostToolWindowOfItsOwnThatSavesWhatItCovers) {
  DropDown(3, {120, 200, 220, 284});
  const HWND h = list->Handle();
  EXPECT_EQ(GetAncestor(h, GA_ROOT), h) << "not clipped by the bar window";
  EXPECT_EQ(DWORD(GetWindowLongPtr(h, GWL_EXSTYLE)), WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
  EXPECT_TRUE(GetClassLongPtr(h, GCL_STYLE) & CS_SAVEBITS);
  EXPECT_NE(GetFocus(), h);
  EXPECT_FALSE(list->Visible()) << "the combo shows the window, the control stays hidden";
}

TEST_F(DropDownListBoxTest, PressOnTheComboDragIntoTheListAndReleaseChoosesAndCloses) {
  DropDown(5, {120, 200, 220, 200 + 5 * kRow + 2 * kBorder});
  PressOnCombo();
  const TPoint first = EntryPoint(1), chosen = EntryPoint(3);
  backend_->MouseMove(first.X, first.Y);
  Pump();
  EXPECT_FALSE(list->WaitingForCapture());
  EXPECT_EQ(list->ItemIndex(), 1);
  backend_->MouseMove(chosen.X, chosen.Y);
  Pump();
  EXPECT_EQ(control->LocalItemIndex(), 3) << "the control shows the pending choice";
  backend_->MouseUp(0, chosen.X, chosen.Y);
  Pump();
  EXPECT_EQ(log, (TLog{"bar closed", "combo index 3"}));
  EXPECT_EQ(combo->ItemIndex(), 3);
  EXPECT_EQ(link->UseCount, initialUses + 1) << "a use for the recent-items lists";
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DropDownListBoxTest, ReleaseOutsideTheListKeepsItOpenAndGivesTheCaptureUp) {
  DropDown(5, {120, 200, 220, 200 + 5 * kRow + 2 * kBorder});
  PressOnCombo();
  const TPoint p = bar->ClientToScreen({60, 15});
  backend_->MouseMove(p.X, p.Y);
  backend_->MouseUp(0, p.X, p.Y);
  Pump();
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(IsWindowVisible(list->Handle()));
  EXPECT_TRUE(log.empty()) << log.front();
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(link->UseCount, initialUses);
}

TEST_F(DropDownListBoxTest, HoverSelectsTheEntryUnderTheMouseAndNotTheSpaceBelow) {
  DropDown(3, {120, 200, 220, 200 + 5 * kRow + 2 * kBorder});
  for (int row : {2, 0, 1}) {
    const TPoint p = EntryPoint(row);
    backend_->MouseMove(p.X, p.Y);
    Pump();
    EXPECT_EQ(list->ItemIndex(), row);
  }
  const TPoint below = EntryPoint(4);
  backend_->MouseMove(below.X, below.Y);
  Pump();
  EXPECT_EQ(list->ItemIndex(), 1);
}

TEST_F(DropDownListBoxTest, AClickBelowTheEntriesClosesAndLeavesTheComboAlone) {
  DropDown(3, {120, 200, 220, 200 + 5 * kRow + 2 * kBorder});
  combo->TCustomdxBarCombo::SetItemIndex(2);
  const TPoint below = EntryPoint(4);
  backend_->MouseMove(below.X, below.Y);
  backend_->Click(below.X, below.Y);
  Pump();
  EXPECT_EQ(log, (TLog{"bar closed"}));
  EXPECT_EQ(combo->ItemIndex(), 2);
}

TEST_F(DropDownListBoxTest, DownWithoutSelectionGoesToTheEntryAfterTheTopOne) {
  struct Case {
    int entries, top;
    int expected;
  };
  for (const Case& c : {Case{10, 0, 1}, Case{10, 3, 4}, Case{0, 0, -1}}) {
    list->Items()->Clear();
    DropDown(c.entries, {120, 200, 220, 200 + 5 * kRow + 2 * kBorder});
    list->SetTopIndex(c.top);
    ASSERT_EQ(list->TopIndex(), c.top);
    ASSERT_EQ(list->ItemIndex(), -1);
    SendMessage(list->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(list->ItemIndex(), c.expected) << c.entries << " entries, top " << c.top;
  }
}

TEST_F(DropDownListBoxTest, ClientAreaIsInsetByTheBorderOfEveryPainter) {
  DropDown(3, {120, 200, 220, 280});
  for (TClass cls : {TdxBarStandardPainter::StaticClass(), TdxBarEnhancedPainter::StaticClass(),
                     TdxBarFlatPainter::StaticClass(), TdxBarXPPainter::StaticClass(),
                     TdxBarOffice11Painter::StaticClass()}) {
    std::unique_ptr<TdxBarPainter> p(static_cast<TdxBarPainter*>(cls->Create(nullptr)));
    TComboBar other(manager, p.get(), log);
    other.SetParent(form);
    list->SetParent(&other);
    SetWindowPos(list->Handle(), HWND_TOPMOST, 120, 200, 100, 80, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RECT wr, cr;
    GetWindowRect(list->Handle(), &wr);
    GetClientRect(list->Handle(), &cr);
    POINT origin{0, 0};
    ClientToScreen(list->Handle(), &origin);
    EXPECT_EQ(TRect(wr), TRect(120, 200, 220, 280)) << cls->Name;
    EXPECT_EQ(cr.Width(), 100 - 4) << cls->Name;
    EXPECT_EQ(cr.Height(), 80 - 4) << cls->Name;
    EXPECT_EQ(origin.X, 122) << cls->Name;
    EXPECT_EQ(origin.Y, 202) << cls->Name;
    list->SetParent(bar);
  }
}

TEST_F(DropDownListBoxTest, TheBarPainterFramesTheWindowInTheListColour) {
  list->SetColor(clYellow);
  DropDown(3, {120, 200, 220, 280});
  RedrawWindow(list->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  Pump();
  ASSERT_FALSE(painter.Frames.empty());
  EXPECT_EQ(painter.Frames.back().first, TRect(0, 0, 100, 80));
  EXPECT_EQ(painter.Frames.back().second, clYellow);
  SurfacePixels px;
  ASSERT_TRUE(backend_->Snapshot(list->Handle(), px));
  EXPECT_EQ(px.At(0, 0) & 0xFFFFFF, vcltest::Rgb(ColorToRGB(clWindowFrame)));
  EXPECT_EQ(px.At(1, 40) & 0xFFFFFF, vcltest::Rgb(clYellow));
  EXPECT_EQ(px.At(98, 78) & 0xFFFFFF, vcltest::Rgb(clYellow));
}

TEST_F(DropDownListBoxTest, WithoutAComboTheListStillTracksAndChoosesNothing) {
  DropDown(3, {120, 200, 220, 280});
  list->SetCombo(nullptr);
  const TPoint p = EntryPoint(1);
  backend_->MouseMove(p.X, p.Y);
  backend_->Click(p.X, p.Y);
  Pump();
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "combo index 1"), 0) << "nothing is handed to a combo";
  EXPECT_EQ(link->UseCount, initialUses);
}

TEST_F(DropDownListBoxTest, FreeingTheComboFreesItsListWithTheWindow) {
  DropDown(3, {120, 200, 220, 280});
  const HWND h = list->Handle();
  delete combo;
  combo = nullptr;
  EXPECT_FALSE(IsWindow(h));
}

}  // namespace
