// The image view's layer rendering as the stereo viewer uses it: a 1920 x
// 1080 view (on the headless display) showing a 3648 x 2736 pair with the
// Dubois anaglyph (operation 40).
//   BM_FullRepaint   the pair fitted to the view, rendered into the back
//                    buffer and copied to the window; argument 0 draws with
//                    ZoomFilter rfNone, 1 with rfFastLinear (the viewer's
//                    antialias setting);
//   BM_ScrollByOne   at 100 %, a scroll by one pixel (back and forth), which
//                    repaints the whole view.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "imaging/core/iebitmap.h"
#include "imaging/vector/iestartup.h"
#include "imaging/view/voviderview.h"
#include "platform/display/display.h"
#include "platform/vcl/forms.h"

namespace {

constexpr int32_t kWidth = 3648;
constexpr int32_t kHeight = 2736;
constexpr int32_t kViewWidth = 1920;
constexpr int32_t kViewHeight = 1080;

// A photo-like picture: gradients with texture; the right one a shifted copy.
void FillPicture(TIEBitmap& b, int32_t shift) {
  b.Allocate(kWidth, kHeight, ie24RGB);
  for (int32_t y = 0; y < kHeight; ++y) {
    auto* row = static_cast<TRGB*>(b.GetScanline(y));
    for (int32_t x = 0; x < kWidth; ++x) {
      const int32_t sx = x + shift;
      row[x] =
          TRGB{uint8_t(sx * 255 / (kWidth + 64)), uint8_t((sx + y) / 28 + (sx * y) % 7), uint8_t(y * 255 / kHeight)};
    }
  }
}

// One form with the view, made on first use and kept for every benchmark.
struct TStereoView {
  std::unique_ptr<TForm> form;
  TVovidErView* view = nullptr;

  TStereoView() {
    display::UseHeadlessDisplay();
    display::InitDisplay();
    Application->Initialize();
    IEStartLibrary();  // as the program starts it
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetPosition(poDesigned);
    form->SetBoundsRect(Rect(0, 0, kViewWidth, kViewHeight));
    view = new TVovidErView(form.get());
    view->SetBorderStyle(bsNone);
    view->SetScrollBars(ssNone);
    view->SetLegacyBitmap(false);
    view->SetBackground(clBlack);
    view->SetBounds(0, 0, kViewWidth, kViewHeight);
    view->SetParent(form.get());
    form->Show();
    Application->ProcessMessages();
    view->LockPaint();
    FillPicture(*view->GetLayer(0)->Bitmap, 0);
    const int32_t right = view->AddLayer();
    FillPicture(*view->GetLayer(right)->Bitmap, 40);
    view->GetLayer(right)->Operation = ieloAnaglyphDubois;
    view->UnlockPaint();
    Application->ProcessMessages();
  }
  void Repaint() {
    view->Update();
    view->PaintRect(TRect(0, 0, kViewWidth, kViewHeight));
  }
};

TStereoView& Shared() {
  static TStereoView s;
  return s;
}

void BM_FullRepaint(benchmark::State& state) {
  TStereoView& s = Shared();
  s.view->SetZoomFilter(state.range(0) == 0 ? rfNone : rfFastLinear);
  s.view->FitToClient();
  s.Repaint();
  for (auto _ : state) s.Repaint();
  state.counters["zoom %"] = s.view->ZoomPercentX();
}
BENCHMARK(BM_FullRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ScrollByOne(benchmark::State& state) {
  TStereoView& s = Shared();
  s.view->SetZoomFilter(rfNone);
  s.view->SetZoom(100);
  s.view->ScrollTo(800, 600);
  int32_t step = 1;
  for (auto _ : state) {
    s.view->ScrollTo(s.view->ScrollOriginX() + step, s.view->ScrollOriginY());
    step = -step;
  }
}
BENCHMARK(BM_ScrollByOne)->Unit(benchmark::kMillisecond);

}  // namespace
