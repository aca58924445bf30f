// The view core: the road from a change to pixels (Update only invalidates,
// Paint renders only a dirty back buffer), the two locks, the messages the
// input/output component posts, the image operations and the listeners.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "imaging/core/ievclbitmap.h"
#include "imaging/io/vovideriocomp.h"
#include "imaging/processing/voviderproc.h"
#include "imaging/view/ietransition.h"
#include "imaging/view/voviderview.h"
#include "platform/vcl/timers.h"
#include "tests/imaging/view/viewtest.h"

namespace {

using viewtest::ViewTest;

class ViewCoreTest : public ViewTest {
protected:
  // Counts renders (OnDrawBackBuffer) and paints (OnPaint) of a view.
  void Count(TVovidErView* v) {
    v->OnDrawBackBuffer = [this](TObject*) { ++renders_; };
    v->OnPaint = [this](TObject*) { ++paints_; };
  }
  // Counters and logs the views' handlers write to: members, because the
  // form frees the views only at tear-down.
  int renders_ = 0;
  int paints_ = 0;
  int notified_ = 0;
  int finished_ = 0;
  int changes_ = 0;
  std::vector<int32_t> progress_;
  std::vector<TCursor> asked_;
};

TEST_F(ViewCoreTest, UpdateOnlyInvalidatesAndPaintRendersOnlyADirtyBackBuffer) {
  TVovidErView* v = MakeView(120, 90);
  FillSolid(v, 40, 30, TRGB{10, 20, 30});
  Pump();
  Count(v);

  v->Update();
  EXPECT_TRUE(v->BackBufferDirty());
  EXPECT_EQ(renders_, 0) << "Update must not render by itself";
  Pump();
  EXPECT_EQ(renders_, 1);
  EXPECT_FALSE(v->BackBufferDirty());
  const int paintsAfterRender = paints_;
  EXPECT_GE(paintsAfterRender, 1);

  // An uncovered window area repaints from the clean back buffer.
  win::InvalidateRect(v->Handle(), nullptr, win::FALSE);
  Pump();
  EXPECT_GT(paints_, paintsAfterRender);
  EXPECT_EQ(renders_, 1) << "a clean back buffer must be reused";

  // Two updates before the paint still render once.
  v->Update();
  v->Update();
  Pump();
  EXPECT_EQ(renders_, 2);
}

TEST_F(ViewCoreTest, NestedPaintLocksDeferEverythingToTheLastUnlock) {
  TVovidErView* v = MakeView(100, 80);
  FillSolid(v, 30, 30, TRGB{1, 2, 3});
  Pump();
  Count(v);

  v->LockPaint();
  v->LockPaint();
  v->Update();
  Pump();
  EXPECT_EQ(renders_, 0) << "nothing renders while painting is locked";
  EXPECT_TRUE(v->BackBufferDirty());
  const int paints = paints_;

  // An inner unlock neither updates nor invalidates: no paint follows.
  EXPECT_EQ(v->UnlockPaint(), 1);
  Pump();
  EXPECT_EQ(paints_, paints);
  EXPECT_EQ(renders_, 0);

  // The last one updates, and the paint that follows renders once.
  EXPECT_EQ(v->UnlockPaint(), 0);
  Pump();
  EXPECT_GT(paints_, paints);
  EXPECT_EQ(renders_, 1);
  EXPECT_EQ(v->PaintLockCount(), 0);
}

TEST_F(ViewCoreTest, UnlockingAnUnlockedView) {
  TVovidErView* v = MakeView(100, 80);
  FillSolid(v, 30, 30, TRGB{1, 2, 3});
  Pump();
  ASSERT_FALSE(v->BackBufferDirty());

  // UnlockPaint on 0 stays at 0 and still updates.
  EXPECT_EQ(v->UnlockPaint(), 0);
  EXPECT_EQ(v->PaintLockCount(), 0);
  EXPECT_TRUE(v->BackBufferDirty());
  Pump();
  ASSERT_FALSE(v->BackBufferDirty());

  // UnlockPaintNoRefresh on 0 stays at 0 and does not update.
  EXPECT_EQ(v->UnlockPaintNoRefresh(), 0);
  EXPECT_EQ(v->PaintLockCount(), 0);
  EXPECT_FALSE(v->BackBufferDirty());

  // The update lock: Update does nothing until the last UnlockUpdate.
  v->LockUpdate();
  v->LockUpdate();
  v->Update();
  EXPECT_FALSE(v->BackBufferDirty());
  v->UnlockUpdate();
  EXPECT_FALSE(v->BackBufferDirty());
  v->UnlockUpdate();
  EXPECT_TRUE(v->BackBufferDirty());
  Pump();
  v->UnlockUpdateNoRefresh();
  EXPECT_EQ(v->UpdateLockCount(), 0);
  EXPECT_FALSE(v->BackBufferDirty());
}

TEST_F(ViewCoreTest, PostedMessagesOfTheInputOutputComponent) {
  TVovidErView* v = MakeView(100, 80);
  FillSolid(v, 30, 30, TRGB{1, 2, 3});
  Pump();
  Count(v);
  v->SetOnProgress([this, v](TObject* sender, int32_t per) {
    EXPECT_EQ(sender, v);
    progress_.push_back(per);
  });
  v->SetOnFinishWork([this, v](TObject* sender) {
    EXPECT_EQ(sender, v);
    ++finished_;
  });

  win::PostMessage(v->Handle(), IEM_UPDATE, 0, 0);
  win::PostMessage(v->Handle(), IEM_PROGRESS, 42, 0);
  win::PostMessage(v->Handle(), IEM_FINISHWORK, 0, 0);
  // The DirectShow messages are ignored.
  win::PostMessage(v->Handle(), IEM_DSHOWNEWFRAME, 0, 0);
  win::PostMessage(v->Handle(), IEM_DSHOWEVENT, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return finished_ > 0; }));
  Pump();
  EXPECT_EQ(renders_, 1) << "0x1F58 must update the view";
  EXPECT_EQ(progress_, std::vector<int32_t>{42});
  EXPECT_EQ(finished_, 1);
}

TEST_F(ViewCoreTest, TheInputOutputComponentUpdatesItsViewOnTheViewsThread) {
  TVovidErView* v = MakeView(100, 80);
  Pump();
  v->SetOnProgress([this](TObject*, int32_t per) { progress_.push_back(per); });
  TVovidErIO* io = v->GetIO();
  EXPECT_EQ(io, v->GetIO()) << "made once";
  EXPECT_EQ(io->Owner(), v);
  // The handlers go along, now and when set later.
  ASSERT_TRUE(io->OnProgress);
  io->OnProgress(io, 7);
  EXPECT_FALSE(io->OnFinishWork);
  v->SetOnFinishWork([this](TObject*) { ++finished_; });
  ASSERT_TRUE(io->OnFinishWork);
  io->OnFinishWork(io);
  EXPECT_EQ(progress_, std::vector<int32_t>{7});
  EXPECT_EQ(finished_, 1);
  EXPECT_EQ(io->IEBitmap(), v->GetIEBitmap());
  EXPECT_EQ(io->NotifyWindow(), v->Handle());
  FillSolid(v, 30, 30, TRGB{1, 2, 3});
  Pump();
  ASSERT_FALSE(v->BackBufferDirty());
  io->UpdateTarget();
  EXPECT_TRUE(v->BackBufferDirty()) << "on the view's thread the update happens at once";
}

TEST_F(ViewCoreTest, SolidBlackBackgroundAroundACentredImage) {
  const int32_t vw = 90, vh = 70, iw = 30, ih = 20;
  TVovidErView* v = MakeView(vw, vh);
  FillImage(v, iw, ih, [](int32_t x, int32_t y) { return TRGB{uint8_t(x * 7 + 1), uint8_t(y * 11 + 1), 200}; });
  Pump();
  TIEBitmap* bb = v->BackBufferIE();
  ASSERT_EQ(bb->GetWidth(), vw);
  ASSERT_EQ(bb->GetHeight(), vh);
  // Centred: the image area starts at half the free space.
  const int32_t ox = (vw - iw) / 2, oy = (vh - ih) / 2;
  int wrong = 0;
  for (int32_t y = 0; y < vh; ++y)
    for (int32_t x = 0; x < vw; ++x) {
      const TRGB p = bb->GetPixel24(x, y);
      const bool inside = x >= ox && x < ox + iw && y >= oy && y < oy + ih;
      const TRGB want = inside ? TRGB{uint8_t((x - ox) * 7 + 1), uint8_t((y - oy) * 11 + 1), 200} : TRGB{0, 0, 0};
      if (!(p == want)) ++wrong;
    }
  EXPECT_EQ(wrong, 0);
  // The window shows the back buffer.
  EXPECT_EQ(Pixel(v, 0, 0), 0x000000u);
  EXPECT_EQ(Pixel(v, ox + 3, oy + 2), (200u << 16) | (uint32_t(2 * 11 + 1) << 8) | uint32_t(3 * 7 + 1));
}

TEST_F(ViewCoreTest, EveryCopyPathShowsTheBackBuffer) {
  // The copy to the window is chosen by the screen's depth: palette screens
  // take the rows through a device-independent header, high-colour screens a
  // half-tone stretch of equal size, true-colour ones a block copy. Each must
  // put the back buffer's pixels where they belong.
  const int32_t saved = IEViewUnit.ScreenBitsPerPixel;
  for (int32_t bpp : {8, 16, 24, 32}) {
    IEViewUnit.ScreenBitsPerPixel = bpp;
    TVovidErView* v = MakeView(64, 48);
    FillImage(v, 64, 48, [](int32_t x, int32_t y) { return TRGB{uint8_t(x * 3), uint8_t(y * 5), uint8_t(x ^ y)}; });
    Pump();
    // A partial repaint copies only the invalid part, from the same place of the back buffer.
    win::RECT part{10, 7, 30, 19};
    win::InvalidateRect(v->Handle(), &part, win::FALSE);
    Pump();
    int wrong = 0;
    for (int32_t y = 0; y < 48; ++y)
      for (int32_t x = 0; x < 64; ++x) {
        const uint32_t want = (uint32_t(x ^ y) << 16) | (uint32_t(uint8_t(y * 5)) << 8) | uint8_t(x * 3);
        wrong += Pixel(v, x, y) != want;
      }
    EXPECT_EQ(wrong, 0) << bpp << " bits per pixel";
    v->GetParentForm()->Hide();
  }
  IEViewUnit.ScreenBitsPerPixel = saved;
}

TEST_F(ViewCoreTest, IsEmptyBelowTwoPixelsBothWays) {
  struct Case {
    int32_t w, h;
    bool empty;
  };
  const Case cases[] = {{1, 1, true}, {1, 2, false}, {2, 1, false}, {2, 2, false}};
  TVovidErView* v = MakeView(60, 60);
  EXPECT_TRUE(v->IsEmpty()) << "a new view holds no image";
  for (const Case& c : cases) {
    FillSolid(v, c.w, c.h, TRGB{});
    EXPECT_EQ(v->IsEmpty(), c.empty) << c.w << " x " << c.h;
  }
}

TEST_F(ViewCoreTest, AnEmptyViewAnswersEveryQueryWithFiniteValues) {
  TVovidErView* v = MakeView(80, 60, ssBoth);
  ASSERT_EQ(v->GetIEBitmap()->GetWidth(), 0);
  v->Update();
  EXPECT_TRUE(std::isfinite(v->GetFitZoom()));
  EXPECT_TRUE(std::isfinite(v->GetFitZoomOfControl()));
  v->FitToClient();
  EXPECT_EQ(v->ZoomPercentX(), 100);
  v->SetZoom(250);
  EXPECT_EQ(v->ZoomPercentX(), 250);
  v->ScrollTo(30, 40);
  EXPECT_EQ(v->ScrollOriginX(), 0);
  EXPECT_EQ(v->ScrollOriginY(), 0);
  int32_t mx = -1, my = -1;
  v->GetMaxScroll(mx, my);
  EXPECT_EQ(mx, 0);
  EXPECT_EQ(my, 0);
  v->CalcVisibleArea();
  v->UpdateCoordTables();
  (void)v->ClientToBitmapX(10);
  (void)v->ClientToBitmapY(10);
  (void)v->BitmapToClientX(10);
  (void)v->BitmapToClientY(10);
  v->HandleMouseWheel(120, 5, 5, false);
  v->ZoomAroundPoint(10, 10, false, 300);
  v->ScrollVertically(5, 0);
  v->ScrollHorizontally(1, 0);
  Pump();
  EXPECT_TRUE(std::isfinite(v->ZoomPercentX()));
}

TEST_F(ViewCoreTest, AClientWithoutPixelsNeverGetsAnEmptyBackBuffer) {
  TVovidErView* v = MakeView(60, 50);
  FillSolid(v, 20, 20, TRGB{5, 5, 5});
  Pump();
  ASSERT_EQ(v->BackBufferIE()->GetWidth(), 60);
  v->SetBounds(0, 0, 0, 0);
  Pump();
  EXPECT_EQ(v->ClientWidth(), 0);
  v->PaintRect(TRect{0, 0, 10, 10});
  v->Paint();
  Pump();
  EXPECT_GT(v->BackBufferIE()->GetWidth(), 0);
  EXPECT_GT(v->BackBufferIE()->GetHeight(), 0);
}

TEST_F(ViewCoreTest, AssignNilFillsWithTheBackgroundAndKeepsTheSize) {
  TVovidErView* v = MakeView(60, 50);
  FillSolid(v, 23, 17, TRGB{9, 9, 9});
  v->GetIEBitmap()->GetAlphaChannel();
  v->SetBackground(TColor(0x00336699));  // 0x00BBGGRR
  v->Assign(nullptr);
  TIEBitmap* b = v->GetIEBitmap();
  ASSERT_EQ(b->GetWidth(), 23);
  ASSERT_EQ(b->GetHeight(), 17);
  EXPECT_FALSE(b->HasAlphaChannel());
  const TRGB want{0x33, 0x66, 0x99};
  int wrong = 0;
  for (int32_t y = 0; y < 17; ++y)
    for (int32_t x = 0; x < 23; ++x) wrong += !(b->GetPixel24(x, y) == want);
  EXPECT_EQ(wrong, 0);
}

TEST_F(ViewCoreTest, AssignFromAnotherViewCopiesImageBackgroundAndResolution) {
  TVovidErView* a = MakeView(60, 50);
  TVovidErView* b = MakeView(60, 50, ssNone, 200, 20);
  FillImage(a, 5, 4, [](int32_t x, int32_t y) { return TRGB{uint8_t(x), uint8_t(y), 7}; });
  a->SetBackground(clRed);
  a->SetDpi(72, 150);
  b->OnImageChange = [this](TObject*) { ++changes_; };
  b->Assign(a);
  EXPECT_EQ(b->GetIEBitmap()->GetWidth(), 5);
  EXPECT_TRUE(b->GetIEBitmap()->GetPixel24(4, 3) == (TRGB{4, 3, 7}));
  EXPECT_EQ(b->Background(), clRed);
  EXPECT_EQ(b->DpiX(), 72);
  EXPECT_EQ(b->DpiY(), 150);
  EXPECT_EQ(changes_, 1);
}

TEST_F(ViewCoreTest, AssignFromAPlatformBitmapKeeps1And24Bits) {
  struct Case {
    TPixelFormat source;
    TIEPixelFormat want;
  };
  const Case cases[] = {{pf1bit, ie1g}, {pf8bit, ie24RGB}, {pf24bit, ie24RGB}, {pf32bit, ie24RGB}};
  TVovidErView* v = MakeView(60, 50);
  for (const Case& c : cases) {
    TBitmap source;
    source.SetPixelFormat(c.source);
    source.SetSize(5, 4);
    source.Canvas()->Brush()->SetColor(clWhite);
    source.Canvas()->FillRect(TRect{0, 0, 5, 4});
    source.Canvas()->SetPixels(3, 2, clBlack);
    v->Assign(&source);
    TIEBitmap* b = v->GetIEBitmap();
    EXPECT_EQ(b->GetPixelFormat(), c.want) << int(c.source);
    EXPECT_EQ(b->GetWidth(), 5);
    if (c.want == ie24RGB) {
      EXPECT_TRUE(b->GetPixel24(3, 2) == (TRGB{0, 0, 0}));
      EXPECT_TRUE(b->GetPixel24(0, 0) == (TRGB{255, 255, 255}));
    }
  }
}

TEST_F(ViewCoreTest, PointerEnteringAndLeaving) {
  TVovidErView* v = MakeView(60, 50);
  v->OnMouseEnter = [this](TObject* sender) { changes_ += sender != nullptr ? 1 : 0; };
  v->OnMouseLeave = [this](TObject*) { ++finished_; };
  MoveTo(v, 10, 10);
  Pump();
  EXPECT_EQ(changes_, 1);
  EXPECT_EQ(finished_, 0);
  backend_->MouseMove(600, 600);
  Pump();
  EXPECT_EQ(finished_, 1);
}

TEST_F(ViewCoreTest, VersionIsFixed) {
  TVovidErView* v = MakeView(40, 40);
  v->SetVovidErVersion("9.9");
  EXPECT_EQ(v->VovidErVersion(), "4.0.2");
}

TEST_F(ViewCoreTest, ResolutionSettersIgnoreZero) {
  TVovidErView* v = MakeView(40, 40);
  EXPECT_EQ(v->DpiX(), 300);
  EXPECT_EQ(v->DpiY(), 300);
  v->SetDpi(0, 96);
  EXPECT_EQ(v->DpiX(), 300);
  EXPECT_EQ(v->DpiY(), 96);
  v->SetDpiX(0);
  v->SetDpiY(0);
  EXPECT_EQ(v->DpiX(), 300);
  EXPECT_EQ(v->DpiY(), 96);
}

TEST_F(ViewCoreTest, ChangeListenersInOrderAndAtDestruction) {
  TForm* form = MakeForm(Rect(10, 10, 110, 110));
  auto* v = new TVovidErView(form);
  std::vector<std::pair<char, int32_t>> log;
  TObject* seen = nullptr;
  auto listener = [&](char name) {
    return [&log, &seen, name](TObject* view, int32_t change) {
      seen = view;
      log.emplace_back(name, change);
    };
  };
  v->AddChangeHandler(listener('a'));
  TIEChangeHandlerRecord* b = v->AddChangeHandler(listener('b'));
  v->AddChangeHandler(listener('c'));
  v->NotifyChange();
  EXPECT_EQ(log, (std::vector<std::pair<char, int32_t>>{{'a', 0}, {'b', 0}, {'c', 0}}));
  EXPECT_EQ(seen, static_cast<TObject*>(v));
  log.clear();
  v->RemoveChangeHandler(b);
  v->RemoveChangeHandler(nullptr);
  v->RemoveChangeHandler(b);  // no longer there: ignored
  delete v;
  EXPECT_EQ(log, (std::vector<std::pair<char, int32_t>>{{'a', 1}, {'c', 1}}));
}

TEST_F(ViewCoreTest, BorderStyleRecreatesTheWindowAndKeepsTheImage) {
  TVovidErView* v = MakeView(80, 60);
  FillSolid(v, 12, 10, TRGB{4, 5, 6});
  v->SetZoom(200);
  Pump();
  const win::HWND before = v->Handle();
  v->SetBorderStyle(bsSingle);
  Pump();
  EXPECT_NE(v->Handle(), before);
  EXPECT_NE(win::GetWindowLong(v->Handle(), win::GWL_EXSTYLE) & win::WS_EX_CLIENTEDGE, 0);
  EXPECT_LT(v->ClientWidth(), 80) << "the sunken edge takes room";
  const win::HWND sunken = v->Handle();
  v->SetViewCtl3D(false);
  Pump();
  EXPECT_NE(v->Handle(), sunken);
  EXPECT_EQ(win::GetWindowLong(v->Handle(), win::GWL_EXSTYLE) & win::WS_EX_CLIENTEDGE, 0);
  EXPECT_NE(win::GetWindowLong(v->Handle(), win::GWL_STYLE) & win::WS_BORDER, 0);
  EXPECT_EQ(v->GetIEBitmap()->GetWidth(), 12);
  EXPECT_EQ(v->ZoomPercentX(), 200);
  // The window class repaints from the back buffer only.
  EXPECT_EQ(win::GetClassLongPtr(v->Handle(), win::GCL_STYLE) & (win::CS_HREDRAW | win::CS_VREDRAW), 0u);
}

TEST_F(ViewCoreTest, MakeEmptyLeavesOnePixelOfBackground) {
  TVovidErView* v = MakeView(50, 50);
  FillSolid(v, 20, 20, TRGB{1, 1, 1});
  v->SetBackground(TColor(0x00020304));
  v->GetTransitionEffects();
  v->MakeEmpty();
  TIEBitmap* b = v->GetIEBitmap();
  EXPECT_EQ(b->GetWidth(), 1);
  EXPECT_EQ(b->GetHeight(), 1);
  EXPECT_TRUE(b->GetPixel24(0, 0) == (TRGB{2, 3, 4}));
  EXPECT_TRUE(v->IsEmpty());
}

TEST_F(ViewCoreTest, TheTransitionEngineIsMadeOnDemandAndKeepsTheHandlers) {
  TVovidErView* v = MakeView(50, 50);
  EXPECT_FALSE(v->OnTransitionStop());
  EXPECT_FALSE(v->OnTransitionPaint());
  v->SetOnTransitionStop([this](TObject*) { ++changes_; });
  TIETransitionEffects* t = v->GetTransitionEffects();
  EXPECT_EQ(t, v->GetTransitionEffects());
  EXPECT_TRUE(v->OnTransitionStop());
  EXPECT_FALSE(t->Running());
  EXPECT_EQ(t->Duration(), 1000);
  EXPECT_FALSE(t->Timer()->Enabled());
  EXPECT_EQ(t->Timer()->Interval(), 1u);
  for (TBitmap* b : {t->StartBitmap(), t->EndBitmap(), t->CurrentBitmap()}) {
    EXPECT_EQ(b->Width(), 1);
    EXPECT_EQ(b->Height(), 1);
    EXPECT_EQ(b->PixelFormat(), pf24bit);
  }
  t->CurrentBitmap()->SetSize(30, 30);
  t->Stop();
  EXPECT_EQ(changes_, 1);
  EXPECT_EQ(t->CurrentBitmap()->Width(), 1);
}

TEST_F(ViewCoreTest, SettersThatUpdate) {
  TVovidErView* v = MakeView(60, 50);
  FillSolid(v, 20, 20, TRGB{1, 1, 1});
  struct Case {
    const char* name;
    std::function<void(TVovidErView*)> change;
    bool updates;
  };
  const Case cases[] = {
      {"Center to the same value", [](TVovidErView* x) { x->SetCenter(true); }, false},
      {"Center off", [](TVovidErView* x) { x->SetCenter(false); }, true},
      {"BackgroundStyle", [](TVovidErView* x) { x->SetBackgroundStyle(iebsCross); }, true},
      {"WallPaperStyle unchanged", [](TVovidErView* x) { x->SetWallPaperStyle(iewoNormal); }, false},
      {"WallPaperStyle", [](TVovidErView* x) { x->SetWallPaperStyle(iewoTile); }, true},
      {"ZoomFilter unchanged", [](TVovidErView* x) { x->SetZoomFilter(rfNone); }, false},
      {"ZoomFilter", [](TVovidErView* x) { x->SetZoomFilter(rfFastLinear); }, true},
      {"EnableAlphaChannel", [](TVovidErView* x) { x->SetEnableAlphaChannel(false); }, true},
      {"ScrollBars", [](TVovidErView* x) { x->SetScrollBars(ssVertical); }, true},
      {"SelectionOptions", [](TVovidErView* x) { x->SetSelectionOptions(0); }, true},
      {"Background", [](TVovidErView* x) { x->SetBackground(clWhite); }, true},
      {"a new size", [](TVovidErView* x) { x->SetBounds(0, 0, 70, 40); }, true},
  };
  for (const Case& c : cases) {
    Pump();
    ASSERT_FALSE(v->BackBufferDirty()) << c.name;
    c.change(v);
    EXPECT_EQ(v->BackBufferDirty(), c.updates) << c.name;
    EXPECT_EQ(v->UpdateReason(), 0) << c.name << ": Update resets the reason";
  }
  EXPECT_EQ(v->ZoomFilter(), rfFastLinear);
}

TEST_F(ViewCoreTest, DefaultsOfANewView) {
  TForm* form = MakeForm(Rect(0, 0, 300, 300));
  auto* v = new TVovidErView(form);
  EXPECT_EQ(v->Width(), 105);
  EXPECT_EQ(v->Height(), 105);
  EXPECT_EQ(v->Background(), TColor(0xFF00000F));
  EXPECT_EQ(v->BorderStyle(), bsSingle);
  EXPECT_EQ(v->ScrollBars(), ssBoth);
  EXPECT_TRUE(v->Center());
  EXPECT_TRUE(v->LegacyBitmap());
  EXPECT_NE(v->GetLegacyBitmap(), nullptr);
  EXPECT_EQ(v->GetLegacyBitmap(), v->GetIEBitmap()->VclBitmap());
  EXPECT_EQ(v->Cursor(), crIEDefault);
  EXPECT_EQ(v->ZoomPercentX(), 100);
  EXPECT_EQ(v->ZoomPercentY(), 100);
  EXPECT_EQ(v->GetLayerCount(), 1);
  EXPECT_FALSE(v->GetLayer(0)->VisibleBox);
  EXPECT_TRUE(v->GetLayer(0)->Locked);
  EXPECT_EQ(v->GetLayer(0)->Bitmap, v->GetIEBitmap());
  EXPECT_EQ(v->BackBufferIE()->GetWidth(), 10);
  EXPECT_EQ(v->BackBufferIE()->Location(), ieTBitmap);
  EXPECT_EQ(v->SelectionOptions(),
            IESO(iesoAnimated) | IESO(iesoSizeable) | IESO(iesoMoveable) | IESO(iesoCanScroll));
  EXPECT_TRUE(v->EnableInteractionHints());
  EXPECT_EQ(v->MouseWheelParams().WheelValue(), 8);
  EXPECT_EQ(v->VScrollBarParams().LineStep(), -1);
  EXPECT_EQ(v->UpdateLockCount(), 0);
  EXPECT_EQ(v->PaintLockCount(), 0);
  // Without a window the view measures 50 x 50.
  EXPECT_EQ(v->GetViewWidth(), 50);
  EXPECT_EQ(v->GetViewHeight(), 50);
  // The view's cursors are in the screen's table.
  for (TCursor c : {crIEZoomOut, crIEZoomIn, crIEHand, crIEDefault, crIEMoveAll, crIERotate1, TCursor(1814)})
    EXPECT_NE(Screen->Cursors(c), Screen->Cursors(crDefault)) << c;
}

namespace {

// A subclass that logs its overrides, each touching a member of its own.
class LoggingView : public TVovidErView {
public:
  explicit LoggingView(TComponent* owner) : TVovidErView(owner) {}
  void SetBounds(int32_t l, int32_t t, int32_t w, int32_t h) override {
    log_.push_back("bounds " + std::to_string(w));
    TVovidErView::SetBounds(l, t, w, h);
  }
  void Update() override {
    log_.push_back("update");
    TVovidErView::Update();
  }
  void SetDpi(int32_t x, int32_t y) override {
    log_.push_back("dpi " + std::to_string(x));
    TVovidErView::SetDpi(x, y);
  }
  const std::vector<std::string>& Log() const { return log_; }

private:
  std::vector<std::string> log_;
};

}  // namespace

TEST_F(ViewCoreTest, ConstructionRunsTheViewsOwnMembersAndLaterCallsReachASubclass) {
  TForm* form = MakeForm(Rect(0, 0, 300, 300));
  auto* v = new LoggingView(form);
  // The base constructor's size, resolution and first update are in place,
  // and none of them went to the half-built subclass.
  EXPECT_TRUE(v->Log().empty());
  EXPECT_EQ(v->Width(), 105);
  EXPECT_EQ(v->Height(), 105);
  EXPECT_EQ(v->DpiX(), 300);
  EXPECT_EQ(v->DpiY(), 300);
  EXPECT_TRUE(v->BackBufferDirty());
  EXPECT_EQ(v->UpdateLockCount(), 0);
  v->SetBounds(0, 0, 80, 60);
  v->LockUpdate();
  v->UnlockUpdate();
  v->SetDpi(96, 96);
  EXPECT_EQ(v->Log(), (std::vector<std::string>{"bounds 80", "update", "dpi 96"}));
}

TEST_F(ViewCoreTest, CursorStoredAndShown) {
  TVovidErView* v = MakeView(50, 50);
  v->OnSetCursor = [this](TObject*, TCursor& c) {
    asked_.push_back(c);
    if (c == crIEZoomIn) c = crIEZoomOut;
  };
  v->SetCursor(crIEZoomIn);
  EXPECT_EQ(v->Cursor(), crIEZoomOut) << "the handler's choice is the one stored";
  v->ApplyCursor(crIEHand);
  EXPECT_EQ(v->Cursor(), crIEHand);
  EXPECT_EQ(win::GetCursor(), Screen->Cursors(crIEHand));
  v->RestoreCursor();
  EXPECT_EQ(v->Cursor(), crIEZoomOut);
  EXPECT_EQ(asked_, (std::vector<TCursor>{crIEZoomIn, crIEHand, crIEZoomOut}));
}

TEST_F(ViewCoreTest, LegacyBitmapModeMovesThePixels) {
  TVovidErView* v = MakeView(50, 50);
  FillImage(v, 6, 5, [](int32_t x, int32_t y) { return TRGB{uint8_t(x), uint8_t(y), 1}; });
  v->AddChangeHandler([this](TObject*, int32_t change) { notified_ += change == 0; });
  v->SetLegacyBitmap(true);
  EXPECT_EQ(notified_, 1);
  TIEBitmap* b = v->GetIEBitmap();
  EXPECT_EQ(b->Location(), ieTBitmap);
  ASSERT_NE(v->GetLegacyBitmap(), nullptr);
  EXPECT_EQ(v->GetLegacyBitmap(), b->VclBitmap());
  EXPECT_TRUE(b->GetPixel24(5, 4) == (TRGB{5, 4, 1}));
  v->SetLegacyBitmap(false);
  EXPECT_EQ(v->GetLegacyBitmap(), nullptr);
  EXPECT_NE(b->Location(), ieTBitmap);
  EXPECT_TRUE(b->GetPixel24(5, 4) == (TRGB{5, 4, 1}));
  // A format no platform bitmap holds is refused before anything moves.
  ASSERT_TRUE(b->Allocate(3, 3, ieCMYK));
  EXPECT_ANY_THROW(v->SetLegacyBitmap(true));
  EXPECT_FALSE(v->LegacyBitmap());
  EXPECT_EQ(b->GetPixelFormat(), ieCMYK);
  EXPECT_EQ(b->GetWidth(), 3);
}

TEST_F(ViewCoreTest, DrawVersionShowsTheTextAtTheBottomRight) {
  TVovidErView* v = MakeView(300, 80);
  FillSolid(v, 10, 10, TRGB{0, 0, 0});
  Pump();
  EXPECT_EQ(Pixel(v, 299, 79), 0x000000u);
  v->SetDrawVersion(true);
  Pump();
  // White box behind black text: the bottom-right corner turns white.
  EXPECT_EQ(Pixel(v, 299, 79), 0xFFFFFFu);
  EXPECT_EQ(Pixel(v, 0, 0), 0x000000u);
}

}  // namespace
