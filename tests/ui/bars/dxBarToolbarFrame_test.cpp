// The toolbar window's frame: creation, the non-client hit test of docked
// and floating bars, the limits of sizing and placing a floating bar, and
// the close button of the floating caption. Positions come from the
// painter's frame sizes: a floating window is framed by FrameWidth and
// FrameHeight bands, its caption (FloatingBarClientRect) is
// SmallCaptionHeight high, and the close button is the caption's last square.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/win/winuser.h"
#include "tests/ui/bars/frame_doubles.h"
#include "ui/bars/dxBarDrawing.h"

namespace bartest {
namespace {

class ToolbarFrameTest : public ToolbarFormTest {
protected:
  void SetUp() override {
    ToolbarFormTest::SetUp();
    RegisterBarItemClass(TFrameItem::StaticClass(), TFrameControl::StaticClass(), false);
    SetdxBarCreateItemControlProc([](TClass, TCustomdxBarControl* AWindow, TdxBarItemLink* ALink) -> TdxBarItemControl* {
      return new TFrameControl(AWindow, ALink);
    });
  }
  void TearDown() override {
    delete manager;
    manager = nullptr;
    TdxBarItemList* registry = ItemClassRegistry();
    for (int32_t i = registry->Count() - 1; i >= 0; --i)
      if (registry->ItemClassAt(i) == TFrameItem::StaticClass()) registry->RemoveRegistration(i);
    ToolbarFormTest::TearDown();
  }

  TdxBarItemLink* AddFrameLink(TdxBar* ABar, int32_t AWidth, int32_t AHeight, bool AAccepts, bool ABeginGroup = false) {
    auto* item = new TFrameItem(form);
    item->SetBarManager(manager);
    item->ControlWidth = AWidth;
    item->ControlHeight = AHeight;
    item->Accepts = AAccepts;
    TdxBarItemLink* link = ABar->GetItemLinks()->Add();
    link->SetItem(item);
    link->SetBeginGroup(ABeginGroup);
    return link;
  }

  // The bar shown with a toolbar window of its own on ASide (a floating
  // window at the screen rectangle R, a docked one as a child of the form).
  TdxBarControl* Show(TdxBar* ABar, TdxBarDockingStyle ASide, TRect R, TdxBarPainter* APainter = nullptr) {
    ABar->SetDockingStyle(ASide);
    ABar->SetVisible(true);
    auto* w = new TdxBarControl(manager);
    ABar->SetControl(w);
    w->SetItemLinks(ABar->GetItemLinks());
    if (APainter) w->SetPainter(APainter);
    w->SetDockingStyle(ASide);
    if (ASide != dsNone) w->SetParent(form);
    w->HandleNeeded();
    w->UpdateMetrics();
    w->SetBounds(R.Left, R.Top, R.Width(), R.Height());
    w->RecalcNonClient();
    win::ShowWindow(w->Handle(), win::SW_SHOWNA);
    Pump();
    return w;
  }

  static TRect WindowRect(TdxBarControl* w) {
    win::RECT r{};
    win::GetWindowRect(w->Handle(), &r);
    return r;
  }
  // WM_NCHITTEST at a point in window coordinates.
  static win::LRESULT HitAt(TdxBarControl* w, TPoint AWindowPoint) {
    const TRect r = WindowRect(w);
    return win::SendMessage(w->Handle(), win::WM_NCHITTEST, 0,
                            win::MAKELPARAM(uint16_t(r.Left + AWindowPoint.X), uint16_t(r.Top + AWindowPoint.Y)));
  }
  // The client origin in window coordinates.
  static TPoint ClientInWindow(TdxBarControl* w) {
    const TRect r = WindowRect(w);
    const TPoint o = w->ClientOrigin();
    return {o.X - r.Left, o.Y - r.Top};
  }

  struct THit {
    const char* Where;
    TPoint At;  // window coordinates
    win::LRESULT Result, Kept;
  };
  static void CheckHits(TdxBarControl* w, const std::vector<THit>& AHits) {
    for (const THit& h : AHits) {
      SCOPED_TRACE(h.Where);
      EXPECT_EQ(HitAt(w, h.At), h.Result);
      EXPECT_EQ(w->HitCode(), h.Kept);
    }
  }
};

TEST_F(ToolbarFrameTest, WindowsAreChildrenWhenDockedAndOwnedPopupsWhenFloating) {
  TdxBar* docked = NewBar({{40, 22}});
  TdxBarControl* d = Show(docked, dsTop, TRect(0, 0, 200, 30));
  // The style's high word, apart from WS_VISIBLE.
  constexpr uint32_t kMask = 0xFFFF0000u & ~uint32_t(win::WS_VISIBLE);
  EXPECT_EQ(uint32_t(win::GetWindowLong(d->Handle(), win::GWL_STYLE)) & kMask, 0x46000000u);
  EXPECT_EQ(win::GetParent(d->Handle()), form->Handle());

  TdxBar* floating = NewBar({{40, 22}});
  TdxBarControl* f = Show(floating, dsNone, TRect(300, 200, 420, 260));
  EXPECT_EQ(uint32_t(win::GetWindowLong(f->Handle(), win::GWL_STYLE)) & kMask, 0x86000000u);
  EXPECT_EQ(win::GetWindow(f->Handle(), win::GW_OWNER), form->Handle());
  EXPECT_EQ(uint32_t(win::GetWindowLong(f->Handle(), win::GWL_EXSTYLE)) & win::WS_EX_LAYERED, 0u);
}

// Below 255 a floating bar is layered with that alpha; without the bound
// entry point nothing changes.
TEST_F(ToolbarFrameTest, TheAlphaValueMakesAFloatingBarLayeredOnlyBelow255) {
  struct Case {
    uint8_t Alpha;
    bool Bound;
    bool Layered;
  };
  const TSetLayeredWindowAttributesProc saved = dxSetLayeredWindowAttributes;
  for (const Case& c : {Case{128, true, true}, Case{255, true, false}, Case{128, false, false}}) {
    SCOPED_TRACE(int(c.Alpha) * 10 + c.Bound);
    dxSetLayeredWindowAttributes = c.Bound ? saved : nullptr;
    TdxBar* bar = NewBar({{40, 22}});
    bar->SetAlphaBlendValue(c.Alpha);
    TdxBarControl* w = Show(bar, dsNone, TRect(300, 200, 420, 260));
    const bool layered = (uint32_t(win::GetWindowLong(w->Handle(), win::GWL_EXSTYLE)) & win::WS_EX_LAYERED) != 0;
    EXPECT_EQ(layered, c.Layered);
    if (c.Layered) {
      win::BYTE alpha = 0;
      win::GetLayeredWindowAttributes(w->Handle(), nullptr, &alpha, nullptr);
      EXPECT_EQ(alpha, c.Alpha);
    }
    bar->SetVisible(false);
  }
  dxSetLayeredWindowAttributes = saved;
}

// A docked bar whose window goes with its dock site's window is hidden and
// recorded for restoring; the restoring shows it again.
TEST_F(ToolbarFrameTest, ABarWhoseWindowGoesWithItsDockSiteIsRestoredLater) {
  auto* dock = new TdxBarDockControl(form);
  dock->SetParent(form);
  dock->SetBounds(0, 0, 300, 40);
  dock->SetBarManager(manager);
  TdxBar* bar = NewBar({{40, 22}});
  TdxBarControl* w = Show(bar, dsTop, TRect(0, 0, 200, 30));
  // Moving the window between parents is the bar's own doing (update-locked).
  w->BeginUpdate();
  w->SetParent(dock);
  w->EndUpdate();
  ASSERT_EQ(win::GetParent(w->Handle()), dock->Handle());
  EXPECT_TRUE(bar->GetVisible());
  manager->BeginRestoringBars();
  dock->DestroyHandle();
  EXPECT_TRUE(PumpUntil([&] { return !bar->GetVisible(); }));
  EXPECT_EQ(bar->GetControl(), nullptr);
  EXPECT_GE(manager->IndexOfRestoringBar(bar), 0);
  // A window freed by the bar itself is not recorded.
  TdxBar* other = NewBar({{40, 22}});
  Show(other, dsNone, TRect(300, 200, 420, 260));
  other->SetVisible(false);
  EXPECT_LT(manager->IndexOfRestoringBar(other), 0);
  manager->RestoreBarsOfDock(nullptr);
  EXPECT_TRUE(bar->GetVisible());
}

// Docked: a control that accepts the mouse is the client's; one that does
// not, the gaps and the grip drag the bar; the mark keeps the default.
TEST_F(ToolbarFrameTest, TheHitTestOfADockedBar) {
  TdxBar* bar = NewBar({});
  AddFrameLink(bar, 40, 22, true);
  AddFrameLink(bar, 30, 22, false, true);
  TdxBarControl* w = Show(bar, dsTop, TRect(0, 0, 200, 34));
  const TPoint c = ClientInWindow(w);
  // The base painter: a 2-pixel margin all round and no grip area.
  ASSERT_EQ(c, TPoint(2, 2));
  const int32_t cw = w->ClientWidth(), ch = w->ClientHeight();
  const int32_t top = (ch - 22) / 2, s = w->Painter()->BarSeparatorSize();
  ASSERT_TRUE(w->HasMark());
  const int32_t markSize = w->Painter()->BarMarkSize();
  CheckHits(w, {
                   {"accepting control", {c.X + 10, c.Y + top + 5}, win::HTCLIENT, win::HTCLIENT},
                   {"refusing control", {c.X + 40 + s + 10, c.Y + top + 5}, win::HTCLIENT, win::HTCAPTION},
                   {"gap above a control", {c.X + 10, c.Y + top - 1}, win::HTCLIENT, win::HTCAPTION},
                   {"empty client", {c.X + 120, c.Y + 5}, win::HTCLIENT, win::HTCAPTION},
                   {"grip", {c.X - 1, c.Y + 5}, win::HTCLIENT, win::HTCAPTION},
                   {"mark", {c.X + cw - markSize / 2, c.Y + ch / 2}, win::HTCLIENT, 0},
               });
}

// Floating, under a Standard-like and a flat-like painter: the four bands
// size the window, the close button is the window system's under the
// Standard look and the bar's own under the flat look, the rest drags.
TEST_F(ToolbarFrameTest, TheHitTestOfAFloatingBar) {
  TStandardLikePainter standard(nullptr);
  TFlatLikePainter flat(nullptr);
  for (TdxBarPainter* painter : {static_cast<TdxBarPainter*>(&standard), static_cast<TdxBarPainter*>(&flat)}) {
    const bool isStandard = painter == &standard;
    SCOPED_TRACE(isStandard ? "standard" : "flat");
    TdxBar* bar = NewBar({});
    bar->SetShowMark(false);
    AddFrameLink(bar, 40, 22, true);
    AddFrameLink(bar, 40, 22, false);
    TdxBarControl* w = Show(bar, dsNone, TRect(300, 200, 420, 270), painter);
    const int32_t fw = painter->FrameWidth(), fh = painter->FrameHeight(), sch = painter->SmallCaptionHeight();
    const int32_t ww = w->Width(), wh = w->Height();
    ASSERT_GT(fw, 1);
    ASSERT_GT(fh, 1);
    // The caption's last square, the button of CloseButtonSize centred in it.
    const TSize button = painter->CloseButtonSize();
    const int32_t sqLeft = ww - fw - sch, sqTop = fh;
    const TRect closeRect(sqLeft + (sch - button.cx) / 2, sqTop + (sch - button.cy) / 2,
                          sqLeft + (sch - button.cx) / 2 + button.cx, sqTop + (sch - button.cy) / 2 + button.cy);
    EXPECT_EQ(w->GetCloseButtonRect(), closeRect);
    const TPoint c = ClientInWindow(w);
    EXPECT_EQ(c, TPoint(fw, fh + sch + 1));
    const TPoint closeCentre{closeRect.Left + closeRect.Width() / 2, closeRect.Top + closeRect.Height() / 2};
    const int32_t itemTop = w->GetItemRect(bar->GetItemLinks()->GetItem(0)->Control()).Top;
    std::vector<THit> hits = {
        {"top band", {ww / 2, 0}, win::HTTOP, win::HTTOP},
        {"top-left corner: the top band first", {0, 0}, win::HTTOP, win::HTTOP},
        {"right band", {ww - 1, wh / 2}, win::HTRIGHT, win::HTRIGHT},
        {"bottom band", {ww / 2, wh - 1}, win::HTBOTTOM, win::HTBOTTOM},
        {"bottom-right corner: the right band first", {ww - 1, wh - 1}, win::HTRIGHT, win::HTRIGHT},
        {"left band", {0, wh / 2}, win::HTLEFT, win::HTLEFT},
        {"caption", {fw + 3, fh + sch / 2}, win::HTCLIENT, win::HTCAPTION},
        {"close button", closeCentre, isStandard ? win::HTCLOSE : win::HTCLIENT,
         isStandard ? win::HTCLIENT : win::HTCLOSE},
        {"accepting control", {c.X + 10, c.Y + itemTop + 5}, win::HTCLIENT, 0},
        {"refusing control", {c.X + 50, c.Y + itemTop + 5}, win::HTCLIENT, win::HTCAPTION},
    };
    // The flat button leaves the corner of its square to the caption.
    if (!isStandard) hits.push_back({"beside the flat close button", {sqLeft, sqTop}, win::HTCLIENT, win::HTCAPTION});
    CheckHits(w, hits);
    bar->SetVisible(false);
  }
}

// The size grip of a status-like bar at the client's bottom right.
TEST_F(ToolbarFrameTest, TheSizeGripOfAStatusLikeBarSizesTheWindow) {
  TdxBar* bar = NewBar({{40, 22}});
  bar->SetBorderStyle(bbsNone);
  bar->SetWholeRow(true);
  const int32_t fh = form->ClientHeight();
  TdxBarControl* w = Show(bar, dsBottom, TRect(0, fh - 30, form->ClientWidth(), fh));
  ASSERT_TRUE(bar->HasSizeGrip());
  const TSize grip = w->Painter()->SizeGripSize();
  const TPoint c = ClientInWindow(w);
  // The grip indent above the client; the grip's column right of it.
  EXPECT_EQ(c, TPoint(0, w->Painter()->SizeGripIndent()));
  EXPECT_EQ(w->Width() - w->ClientWidth(), grip.cx);
  const int32_t cw = w->ClientWidth(), ch = w->ClientHeight();
  EXPECT_EQ(w->GetSizeGripRect(), TRect(cw, ch - grip.cy, cw + grip.cx, ch));
  CheckHits(w, {
                   {"size grip", {c.X + cw + grip.cx / 2, c.Y + ch - 2}, win::HTBOTTOMRIGHT, win::HTBOTTOMRIGHT},
                   {"above the grip", {c.X + cw + grip.cx / 2, c.Y + ch - grip.cy - 1}, win::HTCLIENT, win::HTCAPTION},
               });
}

// The floating bands: WM_GETMINMAXINFO's limits.
TEST_F(ToolbarFrameTest, AFloatingBarIsNeverTrackedBelow10By10) {
  TdxBarControl* w = Show(NewBar({{40, 22}}), dsNone, TRect(300, 200, 420, 260));
  win::MINMAXINFO info{};
  win::SendMessage(w->Handle(), win::WM_GETMINMAXINFO, 0, reinterpret_cast<win::LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize, win::POINT(10, 10));
  EXPECT_EQ(info.ptMaxTrackSize, win::POINT(30000, 30000));
  EXPECT_EQ(info.ptMaxSize, win::POINT(30000, 30000));
  EXPECT_EQ(info.ptMaxPosition, win::POINT(30000, 30000));
}

// Six 60-pixel links: a row holds as many as the width takes, so the only
// client widths are multiples of 60 and the height is 22 per row.
TEST_F(ToolbarFrameTest, SizingFromAnEdgeYieldsOnlyWrappedWidthsAndACornerNothing) {
  TdxBar* bar = NewBar({});
  bar->SetShowMark(false);
  bar->SetAllowClose(false);
  for (int32_t i = 0; i < 6; ++i) AddFrameLink(bar, 60, 22, true);
  TdxBarControl* w = Show(bar, dsNone, TRect(100, 100, 460, 200));
  const int32_t fw = w->Width() - w->ClientWidth(), fh = w->Height() - w->ClientHeight();
  const TRect before = WindowRect(w);
  struct Case {
    win::WPARAM Edge;
    int32_t OfferedClientWidth;  // for the left and right edges
    int32_t Top;
  };
  for (const Case& c : {Case{win::WMSZ_RIGHT, 130, 100}, Case{win::WMSZ_RIGHT, 359, 100}, Case{win::WMSZ_LEFT, 200, 100},
                        Case{win::WMSZ_RIGHT, 61, -40}, Case{win::WMSZ_BOTTOMRIGHT, 130, 100},
                        Case{win::WMSZ_TOPLEFT, 200, 100}}) {
    SCOPED_TRACE(testing::Message() << c.Edge << " " << c.OfferedClientWidth << " " << c.Top);
    win::RECT r(500, c.Top, 500 + c.OfferedClientWidth + fw, c.Top + 50);
    const win::LRESULT result = win::SendMessage(w->Handle(), win::WM_SIZING, c.Edge, reinterpret_cast<win::LPARAM>(&r));
    EXPECT_EQ(result, 1);
    if (c.Edge != win::WMSZ_LEFT && c.Edge != win::WMSZ_RIGHT) {
      EXPECT_EQ(TRect(r), before);
      continue;
    }
    const int32_t perRow = std::max(1, c.OfferedClientWidth / 60), rows = (6 + perRow - 1) / perRow;
    const int32_t width = perRow * 60 + fw, height = rows * 22 + fh;
    const int32_t top = std::max(c.Top, -15);
    const int32_t right = 500 + c.OfferedClientWidth + fw;
    const TRect expected = c.Edge == win::WMSZ_RIGHT ? TRect(500, top, 500 + width, top + height)
                                                     : TRect(right - width, top, right, top + height);
    EXPECT_EQ(TRect(r), expected);
  }
}

// Two monitors; the cursor on the right one. A bar that would lie on no work
// area comes back onto the right monitor's work area, each axis on its own.
TEST_F(ToolbarFrameTest, AFloatingBarOffEveryWorkAreaComesBackOntoTheCursorMonitor) {
  backend_->SetMonitors({{{0, 0, 512, 768}, {0, 0, 512, 740}}, {{512, 0, 1024, 768}, {540, 20, 1024, 700}}});
  backend_->MouseMove(700, 300);
  Pump();
  TdxBarControl* w = Show(NewBar({{40, 22}}), dsNone, TRect(300, 200, 420, 260));
  const int32_t ww = w->Width(), wh = w->Height();
  struct Case {
    const char* Where;
    TPoint Moved;
    TPoint Expected;
  };
  for (const Case& c : {Case{"right of every work area", {2000, 100}, {1024 - ww, 100}},
                        Case{"beyond the left and the top", {-500, -300}, {540, 20}},
                        Case{"left of every work area only", {-500, 300}, {540, 300}},
                        Case{"above only", {600, -300}, {600, 20}},
                        Case{"below and right", {1500, 900}, {1024 - ww, 700 - wh}},
                        Case{"on the left monitor", {100, 100}, {100, 100}},
                        Case{"touching the right work area's top from above", {800, 20 - wh}, {800, 20}},
                        Case{"across both monitors", {450, 300}, {450, 300}}}) {
    SCOPED_TRACE(c.Where);
    w->SetBounds(c.Moved.X, c.Moved.Y, ww, wh);
    EXPECT_EQ(WindowRect(w), TRect(c.Expected.X, c.Expected.Y, c.Expected.X + ww, c.Expected.Y + wh));
  }
  // A window without size ends on the work area too.
  w->SetBounds(3000, 3000, 0, 0);
  const TRect r = WindowRect(w);
  EXPECT_EQ(r.TopLeft(), TPoint(1023, 699));
  backend_->SetMonitors({});
}

class ToolbarCloseButtonTest : public ToolbarFrameTest {
protected:
  void SetUp() override {
    ToolbarFrameTest::SetUp();
    bar = NewBar({{40, 22}});
    bar->SetShowMark(false);
    window = Show(bar, dsNone, TRect(300, 200, 420, 270), &painter);
    const TRect close = window->GetCloseButtonRect();
    const TRect r = WindowRect(window);
    onButton = {r.Left + close.Left + close.Width() / 2, r.Top + close.Top + close.Height() / 2};
    manager->OnBarClose = [this](TObject*, TdxBar* ABar) {
      closed.push_back(ABar);
      if (FreeOnClose) delete ABar;
    };
  }
  // Handles what is queued until WM_QUIT arrives (its code) or nothing waits (-1).
  static int64_t DispatchUntilQuit() {
    win::MSG msg;
    while (win::PeekMessage(&msg, nullptr, 0, 0, win::PM_REMOVE)) {
      if (msg.message == win::WM_QUIT) return int64_t(msg.wParam);
      win::TranslateMessage(&msg);
      win::DispatchMessage(&msg);
    }
    return -1;
  }

  TStandardLikePainter painter{nullptr};
  TdxBar* bar = nullptr;
  TdxBarControl* window = nullptr;
  TPoint onButton;
  std::vector<TdxBar*> closed;
  bool FreeOnClose = false;
};

TEST_F(ToolbarCloseButtonTest, ReleasingOutsideTheButtonDoesNothing) {
  backend_->MouseDown(0, onButton.X, onButton.Y);
  backend_->MouseMove(onButton.X - 40, onButton.Y + 30);
  backend_->MouseUp(0, onButton.X - 40, onButton.Y + 30);
  Pump();
  EXPECT_TRUE(bar->GetVisible());
  EXPECT_EQ(bar->GetControl(), window);
  EXPECT_TRUE(closed.empty());
  EXPECT_EQ(window->GetCloseButtonState(), 0);
  EXPECT_EQ(win::GetCapture(), nullptr);
}

TEST_F(ToolbarCloseButtonTest, ReleasingOnTheButtonHidesTheBarAndFiresOnBarClose) {
  backend_->MouseDown(0, onButton.X, onButton.Y);
  backend_->MouseMove(onButton.X - 40, onButton.Y + 30);
  backend_->MouseMove(onButton.X, onButton.Y);
  backend_->MouseUp(0, onButton.X, onButton.Y);
  Pump();
  EXPECT_FALSE(bar->GetVisible());
  EXPECT_EQ(bar->GetControl(), nullptr);
  EXPECT_EQ(closed, std::vector<TdxBar*>{bar});
  EXPECT_EQ(win::GetCapture(), nullptr);
}

// OnBarClose may free the bar: nothing of it or its window is used afterwards.
TEST_F(ToolbarCloseButtonTest, ABarFreedInOnBarCloseIsNotUsedAgain) {
  FreeOnClose = true;
  backend_->Click(onButton.X, onButton.Y);
  Pump();
  ASSERT_EQ(closed.size(), 1u);
  EXPECT_EQ(manager->Bars()->Count(), 0);
}

// The loop's own dispatching may free the bar (here a timer does).
TEST_F(ToolbarCloseButtonTest, ABarFreedWhileTheButtonIsHeldEndsTheLoop) {
  static TdxBar* victim = nullptr;
  victim = bar;
  win::SetTimer(nullptr, 0, 1, [](win::HWND, win::UINT, win::UINT_PTR id, win::DWORD) {
    win::KillTimer(nullptr, id);
    delete victim;
  });
  backend_->MouseDown(0, onButton.X, onButton.Y);
  Pump();
  EXPECT_EQ(manager->Bars()->Count(), 0);
  EXPECT_EQ(win::GetCapture(), nullptr);
  backend_->MouseUp(0, onButton.X, onButton.Y);
  Pump();
  EXPECT_TRUE(closed.empty());
}

// WM_QUIT ends the loop and is posted again for the loop outside it.
TEST_F(ToolbarCloseButtonTest, AQuitDuringTheLoopIsPassedOn) {
  win::SetTimer(nullptr, 0, 1, [](win::HWND, win::UINT, win::UINT_PTR id, win::DWORD) {
    win::KillTimer(nullptr, id);
    win::PostQuitMessage(7);
  });
  backend_->MouseDown(0, onButton.X, onButton.Y);
  EXPECT_EQ(DispatchUntilQuit(), 7);
  EXPECT_EQ(win::GetCapture(), nullptr);
  EXPECT_EQ(window->GetCloseButtonState(), 0);
  backend_->MouseUp(0, onButton.X, onButton.Y);
  Pump();
  EXPECT_TRUE(bar->GetVisible());
  EXPECT_TRUE(closed.empty());
}

}  // namespace
}  // namespace bartest
