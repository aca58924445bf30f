#include "imaging/view/ietransition.h"

#include "imaging/view/voviderview.h"
#include "platform/vcl/graphics.h"
#include "platform/vcl/timers.h"

namespace {

std::unique_ptr<TBitmap> WorkBitmap() {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf24bit);
  b->SetSize(1, 1);
  return b;
}

}  // namespace

TIETransitionEffects::TIETransitionEffects(TVovidErView* view) : view_(view) {
  start_ = WorkBitmap();
  end_ = WorkBitmap();
  current_ = WorkBitmap();
  timer_ = new TTimer(view);
  timer_->SetEnabled(false);
  timer_->SetInterval(1);
}

TIETransitionEffects::~TIETransitionEffects() { delete timer_; }

void TIETransitionEffects::Stop(bool updateView) {
  timer_->SetEnabled(false);
  running_ = false;
  start_->SetSize(1, 1);
  end_->SetSize(1, 1);
  current_->SetSize(1, 1);
  if (view_) {
    if (updateView) view_->Update();
    view_->Invalidate();
  }
  if (OnTransitionStop) OnTransitionStop(this);
}
