// The base control: its scroll model, keyboard and popup messages, the
// in-control drag and drop, and its survival of handlers that free it,
// driven by injected mouse and keys on the headless display.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/gdi/syscolors.h"
#include "tests/platform/vcl/controls_test.h"
#include "ui/lookandfeel/cxControls.h"
#include "ui/lookandfeel/cxGraphics.h"

namespace {

// A control whose scroll description and hooks the test chooses.
class TTestControl : public TcxControl {
public:
  explicit TTestControl(TComponent* owner) : TcxControl(owner) {}
  std::function<void(TTestControl*)> Describe;
  std::function<bool(TPoint)> StartDrag;
  struct TScrolled {
    TScrollBarKind kind;
    TScrollCode code;
  };
  std::vector<TScrolled> Scrolled;
  std::vector<TPoint> BeforeDown;
  bool FocusFromBars = true;
  TPoint DragImageSize;

  bool FocusWhenChildIsClicked(TControl* Child) override {
    return FocusFromBars && TcxControl::FocusWhenChildIsClicked(Child);
  }
  bool HasDragImages() override { return true; }
  void GetDragImagesSize(TPoint& P) override { P = DragImageSize; }
  void DrawDragImage(TcxCanvas* ACanvas, const TRect& R) override {
    ACanvas->Brush()->SetColor(clRed);
    ACanvas->Canvas()->FillRect(R);
  }

  void InitScrollBarsParameters() override {
    if (Describe) Describe(this);
  }
  void Scroll(TScrollBarKind Kind, TScrollCode Code, int32_t&) override { Scrolled.push_back({Kind, Code}); }
  bool StartDragAndDrop(TPoint P) override { return StartDrag && StartDrag(P); }
  void BeforeMouseDown(TMouseButton Button, int32_t X, int32_t Y) override {
    BeforeDown.push_back({X, Y});
    TcxControl::BeforeMouseDown(Button, X, Y);
  }
};

// Records the drag-and-drop protocol as the control drives it.
class TRecordingDragObject : public TcxDragAndDropObject {
public:
  TRecordingDragObject(TcxControl* control, std::vector<std::string>* log, bool immediate)
      : TcxDragAndDropObject(control), log_(log), immediate_(immediate) {}
  bool GetImmediateStart() override { return immediate_; }

protected:
  void BeginDragAndDrop() override { log_->push_back("begin"); }
  void DragAndDrop(TPoint P, bool& Accepted) override {
    log_->push_back("drag " + std::to_string(P.X) + "," + std::to_string(P.Y));
    TcxDragAndDropObject::DragAndDrop(P, Accepted);
  }
  void EndDragAndDrop(bool Accepted) override { log_->push_back(Accepted ? "end accepted" : "end refused"); }

private:
  std::vector<std::string>* log_;
  bool immediate_;
};

// A popup menu of another kind than the framework's, recording where it opens.
class TExternalMenu : public TComponent, public IcxExternalPopupMenu {
public:
  explicit TExternalMenu(TComponent* owner) : TComponent(owner) {}
  std::vector<TPoint> Opened;
  bool IsShortCut(TWMKey&) override { return false; }
  void Popup(int32_t X, int32_t Y) override { Opened.push_back({X, Y}); }
};

class CxControlTest : public vcltest::VclTest {
protected:
  void SetUp() override {
    VclTest::SetUp();
    form_ = ShownForm();
  }
  TTestControl* MakeControl(TRect bounds = {10, 10, 210, 160}) {
    auto* c = Add<TTestControl>(form_, bounds);
    Pump();
    return c;
  }
  static int32_t BarWidth() { return win::GetSystemMetrics(win::SM_CXVSCROLL); }
  static int32_t BarHeight() { return win::GetSystemMetrics(win::SM_CYHSCROLL); }

public:
  void ClickAt(TControl* c, int x, int y) { Click(c, x, y); }

protected:
  TForm* form_ = nullptr;
};

// ---------------------------------------------------------------- scroll model

TEST_F(CxControlTest, ScrollModelShowsHidesAndDisablesBars) {
  struct Case {
    const char* name;
    TScrollStyle style;
    // Content extent along each axis; the visible extent is the client bounds.
    int32_t contentW, contentH;
    bool allowHide;
    bool hVisible, hEnabled, vVisible, vEnabled, grip;
  };
  const Case cases[] = {
      {"content fits, may hide", ssBoth, 100, 100, true, false, false, false, false, false},
      {"content fits, may not hide", ssBoth, 100, 100, false, true, false, true, false, true},
      {"only taller", ssBoth, 100, 400, true, false, false, true, true, false},
      {"vertical bar makes the horizontal one needed", ssBoth, 195, 400, true, true, true, true, true, true},
      {"vertical style never shows the horizontal bar", ssVertical, 900, 400, true, false, false, true, true, false},
      {"no bars at all", ssNone, 900, 900, false, false, false, false, false, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TTestControl* c = MakeControl();
    c->SetScrollBars(k.style);
    c->Describe = [&k](TTestControl* self) {
      TRect r;
      self->GetClientBounds(r);
      self->SetScrollBarInfo(sbHorizontal, 0, k.contentW - 1, 1, r.Width(), 0, true, k.allowHide);
      self->SetScrollBarInfo(sbVertical, 0, k.contentH - 1, 1, r.Height(), 0, true, k.allowHide);
    };
    c->UpdateScrollBars();
    EXPECT_EQ(c->HScrollBar()->Visible(), k.hVisible);
    EXPECT_EQ(c->VScrollBar()->Visible(), k.vVisible);
    if (k.hVisible) {
      EXPECT_EQ(c->HScrollBar()->Enabled(), k.hEnabled);
      EXPECT_EQ(c->HScrollBar()->BoundsRect().Top, 150 - BarHeight());
    }
    if (k.vVisible) {
      EXPECT_EQ(c->VScrollBar()->Enabled(), k.vEnabled);
      EXPECT_EQ(c->VScrollBar()->BoundsRect().Left, 200 - BarWidth());
    }
    EXPECT_EQ(c->SizeGrip()->Visible(), k.grip);
    delete c;
  }
}

TEST_F(CxControlTest, VisibilitiesThatWouldFlipForEverEndShownAndDisabled) {
  TTestControl* c = MakeControl();
  // Each bar is needed exactly while the other one is not shown.
  c->Describe = [](TTestControl* self) {
    self->SetScrollBarInfo(sbHorizontal, 0, 100, 1, self->VScrollBar()->Visible() ? 500 : 10, 0, true, true);
    self->SetScrollBarInfo(sbVertical, 0, 100, 1, self->HScrollBar()->Visible() ? 500 : 10, 0, true, true);
  };
  c->UpdateScrollBars();
  EXPECT_TRUE(c->HScrollBar()->Visible());
  EXPECT_TRUE(c->VScrollBar()->Visible());
  EXPECT_FALSE(c->HScrollBar()->Enabled());
  EXPECT_FALSE(c->VScrollBar()->Enabled());
}

TEST_F(CxControlTest, DescriptionThatNeverSettlesStillEnds) {
  TTestControl* c = MakeControl();
  // Against its own pending answers: the horizontal bar wants to be shown
  // exactly while the vertical one is hidden, the vertical one follows it.
  c->Describe = [](TTestControl* self) {
    self->SetScrollBarInfo(sbHorizontal, 0, 100, 1, self->IsVScrollBarVisible() ? 500 : 10, 0, true, true);
    self->SetScrollBarInfo(sbVertical, 0, 100, 1, self->IsHScrollBarVisible() ? 10 : 500, 0, true, true);
  };
  c->UpdateScrollBars();
  EXPECT_EQ(c->SizeGrip()->Visible(), c->HScrollBar()->Visible() && c->VScrollBar()->Visible());
}

TEST_F(CxControlTest, WheelScrollsOnlyWithAVisibleVerticalBar) {
  TTestControl* c = MakeControl();
  c->SetFocus();
  const TPoint p = At(c, 50, 50);
  backend_->MouseMove(p.X, p.Y);
  backend_->Wheel(120, p.X, p.Y);
  Pump();
  EXPECT_TRUE(c->Scrolled.empty());
  c->Describe = [](TTestControl* self) { self->SetScrollBarInfo(sbVertical, 0, 999, 1, 100, 0, true, true); };
  c->UpdateScrollBars();
  ASSERT_TRUE(c->VScrollBar()->Visible());
  backend_->Wheel(-120, p.X, p.Y);
  Pump();
  ASSERT_EQ(int32_t(c->Scrolled.size()), Mouse->WheelScrollLines());
  for (const auto& s : c->Scrolled) {
    EXPECT_EQ(s.kind, sbVertical);
    EXPECT_EQ(s.code, scLineDown);
  }
}

// ---------------------------------------------------------------- keyboard and popups

TEST_F(CxControlTest, DialogCodeSumsTheWantedKeysAndTabOnlyWithoutCtrl) {
  TTestControl* c = MakeControl();
  struct Case {
    TcxKeys keys;
    bool ctrl;
    win::LRESULT code;
  };
  const Case cases[] = {
      {{}, false, 0},
      {{kAll}, false, 4},
      {{kArrows}, false, 1},
      {{kChars}, false, 0x80},
      {{kTab}, false, 2},
      {{kTab}, true, 0},
      {{kAll, kArrows, kChars, kTab}, false, 0x87},
      {{kAll, kArrows, kChars, kTab}, true, 0x85},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "keys " << k.keys.Bits() << (k.ctrl ? " with Ctrl" : ""));
    c->SetKeys(k.keys);
    if (k.ctrl) backend_->KeyDown(win::VK_LCONTROL);
    Pump();
    EXPECT_EQ(c->Perform(win::WM_GETDLGCODE), k.code);
    if (k.ctrl) backend_->KeyUp(win::VK_LCONTROL);
    Pump();
  }
}

TEST_F(CxControlTest, ContextMenuOpensAtTheClientOriginForTheKeyboard) {
  TTestControl* c = MakeControl();
  auto* menu = new TExternalMenu(form_);
  c->SetPopupMenu(menu);
  ASSERT_EQ(c->PopupMenu(), menu);
  EXPECT_EQ(c->Perform(win::WM_CONTEXTMENU, 0, win::MAKELPARAM(-1, -1)), 1);
  const TPoint mouse = At(c, 30, 40);
  c->Perform(win::WM_CONTEXTMENU, 0, win::MAKELPARAM(mouse.X, mouse.Y));
  ASSERT_EQ(menu->Opened.size(), 2u);
  EXPECT_EQ(menu->Opened[0], At(c, 0, 0));
  EXPECT_EQ(menu->Opened[1], mouse);
  // Something that is no menu is not kept; a freed menu is forgotten.
  c->SetPopupMenu(form_);
  EXPECT_EQ(c->PopupMenu(), nullptr);
  c->SetPopupMenu(menu);
  delete menu;
  EXPECT_EQ(c->PopupMenu(), nullptr);
}

// ---------------------------------------------------------------- drag and drop

TEST_F(CxControlTest, DragStartsPastTheThresholdAndEndsAcceptedOnRelease) {
  TTestControl* c = MakeControl();
  std::vector<std::string> log;
  c->SetDragAndDropObjectClass([&log](TcxControl* ctl) { return new TRecordingDragObject(ctl, &log, false); });
  c->StartDrag = [](TPoint) { return true; };
  TPoint p = At(c, 50, 50);
  backend_->MouseMove(p.X, p.Y);
  backend_->MouseDown(0, p.X, p.Y);
  Pump();
  EXPECT_EQ(c->DragAndDropState(), ddsStarting);
  EXPECT_TRUE(log.empty());
  backend_->MouseMove(p.X + 1, p.Y);
  Pump();
  EXPECT_EQ(c->DragAndDropState(), ddsStarting);
  backend_->MouseMove(p.X + 20, p.Y + 5);
  Pump();
  EXPECT_EQ(c->DragAndDropState(), ddsInProcess);
  backend_->MouseUp(0, p.X + 20, p.Y + 5);
  Pump();
  EXPECT_EQ(c->DragAndDropState(), ddsNone);
  EXPECT_EQ(log, (std::vector<std::string>{"begin", "drag 70,55", "end accepted"}));
  EXPECT_FALSE(c->MouseCapture());
}

TEST_F(CxControlTest, EscapeDuringDragAndDropEndsItRefusedAndSwallowsTheKey) {
  TTestControl* c = MakeControl();
  std::vector<std::string> log;
  c->SetDragAndDropObjectClass([&log](TcxControl* ctl) { return new TRecordingDragObject(ctl, &log, true); });
  c->StartDrag = [](TPoint) { return true; };
  int keyDowns = 0;
  c->OnKeyDown = [&](TObject*, win::WORD&, TShiftState) { ++keyDowns; };
  TPoint p = At(c, 50, 50);
  backend_->MouseMove(p.X, p.Y);
  backend_->MouseDown(0, p.X, p.Y);
  Pump();
  ASSERT_TRUE(c->Focused());
  ASSERT_EQ(c->DragAndDropState(), ddsInProcess);
  Press(win::VK_ESCAPE);
  EXPECT_EQ(c->DragAndDropState(), ddsNone);
  EXPECT_EQ(log, (std::vector<std::string>{"begin", "end refused"}));
  EXPECT_EQ(keyDowns, 0);
  backend_->MouseUp(0, p.X, p.Y);
  Pump();
  // Without a drag the key reaches the control.
  Press(win::VK_ESCAPE);
  EXPECT_EQ(keyDowns, 1);
}

TEST_F(CxControlTest, PressOnAnOwnBarFocusesTheControlOnlyWhenItAgrees) {
  for (bool agrees : {true, false}) {
    SCOPED_TRACE(agrees ? "agrees" : "refuses");
    TTestControl* c = MakeControl();
    c->FocusFromBars = agrees;
    c->Describe = [](TTestControl* self) { self->SetScrollBarInfo(sbVertical, 0, 999, 1, 100, 0, true, true); };
    c->UpdateScrollBars();
    Pump();
    Click(c->VScrollBar(), 5, 40);
    Pump();
    EXPECT_EQ(c->Focused(), agrees);
    // The press still reached the bar.
    EXPECT_EQ(c->Scrolled.size(), 2u);  // page down, end of scroll
    delete c;
  }
}

TEST_F(CxControlTest, DragImageIsDrawnOnlyWithASize) {
  TTestControl* c = MakeControl();
  EXPECT_EQ(c->GetDragImages(), nullptr);
  TTestControl* d = MakeControl();
  d->DragImageSize = {16, 12};
  TcxDragImageList* list = d->GetDragImages();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Count(), 1);
  EXPECT_EQ(list->Width(), 16);
  EXPECT_EQ(list->Height(), 12);
}

// ---------------------------------------------------------------- handlers that free the control

TEST_F(CxControlTest, ControlFreedInsideItsHandlersStopsQuietly) {
  struct Case {
    const char* name;
    std::function<void(TTestControl*& c)> arm;
    std::function<void(CxControlTest* t, TTestControl* c)> act;
  };
  const Case cases[] = {
      {"OnMouseDown",
       [](TTestControl*& c) { c->OnMouseDown = [&c](TObject*, TMouseButton, TShiftState, int32_t, int32_t) { delete c; }; },
       [](CxControlTest* t, TTestControl* c) { t->ClickAt(c, 20, 20); }},
      {"OnContextPopup",
       [](TTestControl*& c) { c->OnContextPopup = [&c](TObject*, TPoint, bool&) { delete c; }; },
       [](CxControlTest*, TTestControl* c) { c->Perform(win::WM_CONTEXTMENU, 0, win::MAKELPARAM(-1, -1)); }},
      {"OnScroll of its bar",
       [](TTestControl*& c) {
         c->Describe = [](TTestControl* self) { self->SetScrollBarInfo(sbVertical, 0, 999, 1, 100, 0, true, true); };
         c->UpdateScrollBars();
         c->VScrollBar()->OnScroll = [&c](TObject*, TScrollCode, int32_t&) { delete c; };
       },
       [](CxControlTest* t, TTestControl* c) { t->ClickAt(c->VScrollBar(), 5, 5); }},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TTestControl* c = MakeControl();
    TTestControl* victim = c;
    k.arm(c);
    k.act(this, victim);
    Pump();
    EXPECT_EQ(form_->ControlCount(), 0);
  }
}

TEST_F(CxControlTest, HugeControlTakesTheMousePointFromTheCursor) {
  // 16-bit message coordinates cannot reach this far into the control.
  TTestControl* c = MakeControl({-35000, 10, 5000, 110});
  const TPoint s = At(c, 35100, 50);
  backend_->MouseMove(s.X, s.Y);
  backend_->MouseDown(0, s.X, s.Y);
  backend_->MouseUp(0, s.X, s.Y);
  Pump();
  ASSERT_EQ(c->BeforeDown.size(), 1u);
  EXPECT_EQ(c->BeforeDown[0], TPoint(35100, 50));
}

}  // namespace
