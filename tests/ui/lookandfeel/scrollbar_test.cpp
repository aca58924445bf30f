// The painter-drawn scroll bar: its geometry against the formulas evaluated
// here on the platform's metrics, the range rules, and the mouse behaviour
// (auto-repeat, thumb tracking) driven by injected input and timer ticks.
#include "ui/lookandfeel/cxScrollBar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/gdi/syscolors.h"
#include "platform/rtl/intmath.h"
#include "tests/platform/vcl/controls_test.h"
#include "ui/lookandfeel/cxControls.h"

namespace {

class CxScrollBarTest : public vcltest::VclTest {
protected:
  void SetUp() override {
    VclTest::SetUp();
    form_ = ShownForm();
  }
  // A bar on the form recording what it reports.
  TcxScrollBar* MakeBar(TScrollBarKind kind, TRect bounds) {
    auto* bar = new TcxScrollBar(form_);
    bar->SetKind(kind);
    bar->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    bar->SetParent(form_);
    bar->OnScroll = [this](TObject*, TScrollCode code, int32_t& pos) {
      codes_.push_back(code);
      positions_.push_back(pos);
    };
    bar->OnChange = [this](TObject*) { ++changes_; };
    Pump();
    return bar;
  }
  static TcxTimer* RepeatTimer(TcxScrollBar* bar) {
    for (int32_t i = 0; i < bar->ComponentCount(); ++i)
      if (auto* t = dynamic_cast<TcxTimer*>(bar->Components(i))) return t;
    return nullptr;
  }
  // One tick of the repeat timer, as the shared timer window delivers it.
  static void Tick(TcxTimer* timer) {
    win::SendMessage(cxTimerWindow()->Handle(), win::WM_TIMER, timer->EventID(), 0);
  }
  void Press(TControl* c, TPoint p) {
    const TPoint s = At(c, p.X, p.Y);
    backend_->MouseMove(s.X, s.Y);
    backend_->MouseDown(0, s.X, s.Y);
    Pump();
  }
  void MoveMouse(TControl* c, TPoint p) {
    const TPoint s = At(c, p.X, p.Y);
    backend_->MouseMove(s.X, s.Y);
    Pump();
  }
  void Release(TControl* c, TPoint p) {
    const TPoint s = At(c, p.X, p.Y);
    backend_->MouseUp(0, s.X, s.Y);
    Pump();
  }
  static TPoint Center(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

  TForm* form_ = nullptr;
  std::vector<TScrollCode> codes_;
  std::vector<int32_t> positions_;
  int changes_ = 0;
};

// The thumb as the documented formulas place it, computed independently of the bar.
struct TExpectedThumb {
  int32_t arrow, start, size;  // along the bar; size 0: no thumb
};
TExpectedThumb ExpectedThumb(bool vertical, int32_t w, int32_t h, int32_t minV, int32_t maxV, int32_t page,
                             int32_t pos, int32_t minThumb) {
  const int32_t length = vertical ? h : w;
  const int32_t arrow = std::min(win::GetSystemMetrics(vertical ? win::SM_CXVSCROLL : win::SM_CYHSCROLL), length / 2);
  const int32_t track = length - 2 * arrow;
  if (page != 0) {
    if (track < minThumb || maxV == minV) return {arrow, 0, 0};
    int32_t size = std::min(track, MulDiv(page, track, maxV - minV + 1));
    size = std::max(size, minThumb);
    const int32_t d = std::max(maxV - minV - page + 1, 1);
    return {arrow, arrow + MulDiv(track - size, std::min(pos - minV, d), d), size};
  }
  const int32_t size = win::GetSystemMetrics(vertical ? win::SM_CYVTHUMB : win::SM_CXHTHUMB);
  if (track < size) return {arrow, 0, 0};
  int32_t start = arrow;
  if (track - size > 0 && maxV != minV) start += MulDiv(track - size, pos - minV, maxV - minV);
  return {arrow, start, size};
}

TEST_F(CxScrollBarTest, ThumbAndArrowsFollowTheFormulas) {
  struct Case {
    const char* name;
    TScrollBarKind kind;
    int32_t w, h, minV, maxV, page, pos;
  };
  const Case cases[] = {
      {"no page, horizontal, middle", sbHorizontal, 200, 17, 0, 100, 0, 40},
      {"no page, vertical, end", sbVertical, 17, 150, -20, 30, 0, 30},
      {"page, proportional", sbHorizontal, 300, 17, 0, 99, 25, 50},
      {"page, thumb at its minimum", sbVertical, 17, 200, 0, 10000, 10, 5000},
      {"page, position beyond the last page", sbHorizontal, 240, 17, 0, 100, 30, 95},
      {"short bar: arrows of half the height", sbVertical, 17, 20, 0, 100, 0, 50},
      {"track shorter than the system thumb", sbHorizontal, 45, 17, 0, 100, 0, 10},
      {"track shorter than the minimal thumb", sbVertical, 17, 40, 0, 100, 10, 10},
      {"empty range", sbHorizontal, 200, 17, 5, 5, 1, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TcxScrollBar* bar = MakeBar(c.kind, {0, 0, c.w, c.h});
    bar->SetScrollParams(c.minV, c.maxV, c.pos, c.page);
    const bool vertical = c.kind == sbVertical;
    const int32_t minThumb = bar->Painter()->ScrollThumbMinSize(vertical);
    const TExpectedThumb e = ExpectedThumb(vertical, c.w, c.h, c.minV, c.maxV, c.page, c.pos, minThumb);
    const TcxScrollBarViewInfo& vi = *bar->ViewInfo();
    const int32_t length = vertical ? c.h : c.w;
    if (vertical) {
      EXPECT_EQ(vi.TopLeftArrowRect, TRect(0, 0, c.w, e.arrow));
      EXPECT_EQ(vi.BottomRightArrowRect, TRect(0, length - e.arrow, c.w, length));
    } else {
      EXPECT_EQ(vi.TopLeftArrowRect, TRect(0, 0, e.arrow, c.h));
      EXPECT_EQ(vi.BottomRightArrowRect, TRect(length - e.arrow, 0, length, c.h));
    }
    if (e.size == 0) {
      EXPECT_TRUE(vi.ThumbnailRect.IsEmpty());
      EXPECT_TRUE(vi.PageUpRect.IsEmpty());
      EXPECT_TRUE(vi.PageDownRect.IsEmpty());
      // A click in the track hits nothing.
      const int32_t mid = e.arrow + (length - 2 * e.arrow) / 2;
      if (length > 2 * e.arrow) {
        EXPECT_EQ(bar->GetPartAt(vertical ? TPoint{c.w / 2, mid} : TPoint{mid, c.h / 2}), sbpNone);
      }
    } else {
      const TRect thumb = vertical ? TRect(0, e.start, c.w, e.start + e.size) : TRect(e.start, 0, e.start + e.size, c.h);
      EXPECT_EQ(vi.ThumbnailRect, thumb);
      EXPECT_EQ(bar->GetPartAt(Center(thumb)), sbpThumbnail);
    }
    delete bar;
  }
}

TEST_F(CxScrollBarTest, PageCoveringTheRangeKeepsTheThumbOnTheTrack) {
  TcxScrollBar* bar = MakeBar(sbHorizontal, {0, 0, 200, 17});
  // Range 5..10 holds 6 positions; a page of them all (or more) leaves no room to move.
  for (int32_t page : {6, 7}) {
    SCOPED_TRACE(page);
    bar->SetScrollParams(5, 10, 8, page);
    const TcxScrollBarViewInfo& vi = *bar->ViewInfo();
    EXPECT_EQ(vi.ThumbnailRect.Left, vi.TopLeftArrowRect.Right);
    EXPECT_EQ(vi.ThumbnailRect.Right, vi.BottomRightArrowRect.Left);
    // With no room for the thumb, its one place means the start of the range.
    EXPECT_EQ(vi.PositionFromThumb(), 5);
  }
}

TEST_F(CxScrollBarTest, OutOfRangeParametersRaiseAndChangeNothing) {
  TcxScrollBar* bar = MakeBar(sbHorizontal, {0, 0, 200, 17});
  bar->SetScrollParams(0, 50, 20, 10);
  const TRect thumb = bar->ViewInfo()->ThumbnailRect;
  struct Case {
    const char* name;
    std::function<void()> set;
  };
  const Case cases[] = {
      {"Max below Min", [&] { bar->SetMax(-1); }},
      {"Min above Max", [&] { bar->SetMin(51); }},
      {"Max below PageSize", [&] { bar->SetPageSize(51); }},
      {"all at once", [&] { bar->SetScrollParams(10, 5, 0, 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      c.set();
      ADD_FAILURE() << "no error";
    } catch (const EInvalidOperation& e) {
      EXPECT_EQ(e.Message(), "Scrollbar property out of range");
    }
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), 50);
    EXPECT_EQ(bar->PageSize(), 10);
    EXPECT_EQ(bar->Position(), 20);
    EXPECT_EQ(bar->ViewInfo()->ThumbnailRect, thumb);
  }
}

TEST_F(CxScrollBarTest, PositionOnADisabledBarEnablesItAndIsClamped) {
  TcxScrollBar* bar = MakeBar(sbHorizontal, {0, 0, 200, 17});
  bar->SetEnabled(false);
  EXPECT_TRUE(bar->ViewInfo()->ThumbnailRect.IsEmpty());
  bar->SetPosition(500);
  EXPECT_TRUE(bar->Enabled());
  EXPECT_EQ(bar->Position(), 100);
  EXPECT_EQ(changes_, 1);
  EXPECT_FALSE(bar->ViewInfo()->ThumbnailRect.IsEmpty());
  // The same values again change nothing.
  bar->SetPosition(100);
  EXPECT_EQ(changes_, 1);
}

TEST_F(CxScrollBarTest, KindTurnsTheBar) {
  auto* bar = new TcxScrollBar(form_);
  bar->SetParent(form_);
  const int32_t thickness = win::GetSystemMetrics(win::SM_CYHSCROLL);
  ASSERT_EQ(bar->Width(), 121);
  ASSERT_EQ(bar->Height(), thickness);
  bar->SetKind(sbVertical);
  EXPECT_EQ(bar->Width(), thickness);
  EXPECT_EQ(bar->Height(), 121);
  EXPECT_EQ(bar->ViewInfo()->BottomRightArrowRect.Bottom, 121);
}

TEST_F(CxScrollBarTest, HeldArrowRepeatsAfterTheDelayAndPausesOffThePart) {
  TcxScrollBar* bar = MakeBar(sbHorizontal, {10, 10, 210, 27});
  TcxTimer* timer = RepeatTimer(bar);
  ASSERT_NE(timer, nullptr);
  const TPoint arrow = Center(bar->ViewInfo()->BottomRightArrowRect);
  Press(bar, arrow);
  // Once at once; the repeat waits 400 ms.
  EXPECT_EQ(bar->Position(), 1);
  EXPECT_EQ(codes_.front(), scLineDown);
  EXPECT_TRUE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 400u);
  int32_t before = bar->Position();
  Tick(timer);
  EXPECT_EQ(bar->Position(), before + 1);
  EXPECT_EQ(timer->Interval(), 60u);
  before = bar->Position();
  Tick(timer);
  EXPECT_EQ(bar->Position(), before + 1);
  // Off the arrow the repeat pauses; back on it, it resumes.
  MoveMouse(bar, {100, 8});
  EXPECT_FALSE(timer->Enabled());
  before = bar->Position();
  Tick(timer);
  EXPECT_EQ(bar->Position(), before);
  MoveMouse(bar, arrow);
  EXPECT_TRUE(timer->Enabled());
  before = bar->Position();
  Tick(timer);
  EXPECT_EQ(bar->Position(), before + 1);
  Release(bar, arrow);
  EXPECT_FALSE(timer->Enabled());
  EXPECT_EQ(codes_.back(), scEndScroll);
  EXPECT_EQ(bar->PressedPart(), sbpNone);
}

TEST_F(CxScrollBarTest, DraggedThumbReportsTrackThenPositionAndSnapsBackFarAcross) {
  for (bool unlimited : {false, true}) {
    SCOPED_TRACE(unlimited ? "unlimited" : "limited");
    codes_.clear();
    changes_ = 0;
    TcxScrollBar* bar = MakeBar(sbHorizontal, {10, 10, 310, 27});
    bar->SetUnlimitedTracking(unlimited);
    const TcxScrollBarViewInfo& vi = *bar->ViewInfo();
    const TPoint grab = Center(vi.ThumbnailRect);
    const int32_t track = vi.TrackLength(), thumb = vi.ThumbnailRect.Width();
    Press(bar, grab);
    MoveMouse(bar, {grab.X + 60, grab.Y});
    const int32_t dragged = MulDiv(100, vi.ThumbnailRect.Left - vi.TrackStart(), track - thumb);
    EXPECT_EQ(vi.ThumbnailRect.Left, vi.TrackStart() + 60);
    EXPECT_EQ(bar->Position(), dragged);
    EXPECT_GT(dragged, 0);
    EXPECT_EQ(changes_, 0);
    for (TScrollCode c : codes_) EXPECT_EQ(c, scTrack);
    // 137 below the bar is outside the zone: back to where the drag began.
    MoveMouse(bar, {grab.X + 60, 17 + 137});
    EXPECT_EQ(bar->Position(), unlimited ? dragged : 0);
    MoveMouse(bar, {grab.X + 60, grab.Y});
    EXPECT_EQ(bar->Position(), dragged);
    Release(bar, {grab.X + 60, grab.Y});
    ASSERT_GE(codes_.size(), 2u);
    EXPECT_EQ(codes_[codes_.size() - 2], scPosition);
    EXPECT_EQ(codes_.back(), scEndScroll);
    EXPECT_EQ(bar->Position(), dragged);
    delete bar;
  }
}

TEST_F(CxScrollBarTest, BarFreedInsideOnScrollStopsQuietly) {
  TcxScrollBar* bar = MakeBar(sbVertical, {10, 10, 27, 200});
  bar->OnScroll = [&](TObject*, TScrollCode, int32_t&) { delete bar; };
  Press(form_, {18, 15});
  Release(form_, {18, 15});
  EXPECT_EQ(form_->ControlCount(), 0);
}

}  // namespace
