// TIETransitionEffects: the engine that changes a view's image through an
// animated transition. The view owns at most one, made on first request; it
// asks whether one runs and stops it before it changes size or clears its
// image. This is the part of the engine the view relies on: its work
// bitmaps, duration, timer, running flag, Stop and the three handlers it
// keeps for the view. The effects themselves come with the vector and
// transition subsystem.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/classes/persistent.h"
#include "platform/rtl/object.h"

class TBitmap;
class TTimer;
class TVovidErView;
class TIETransitionEffects;

using TIETransitionStepEvent = std::function<void(TObject* Sender, int32_t step)>;
using TIETransitionPaintEvent =
    std::function<void(TObject* Sender, TBitmap* Bitmap, TIETransitionEffects* Transition, int32_t Step)>;

class TIETransitionEffects : public TObject {
public:
  // Three 1 x 1 24-bit work bitmaps, duration 1000 ms, a disabled 1 ms timer
  // owned by the view (the view's message loop drives it).
  explicit TIETransitionEffects(TVovidErView* view);
  ~TIETransitionEffects() override;
  TIETransitionEffects(const TIETransitionEffects&) = delete;
  TIETransitionEffects& operator=(const TIETransitionEffects&) = delete;

  TVovidErView* View() const { return view_; }
  bool Running() const { return running_; }
  // Milliseconds a transition lasts.
  int32_t Duration() const { return duration_; }
  void SetDuration(int32_t v) { duration_ = v; }

  // Ends a transition: timer off, work bitmaps back to 1 x 1, the view
  // updated (when asked) and repainted, OnTransitionStop fired.
  void Stop(bool updateView = false);

  TBitmap* StartBitmap() const { return start_.get(); }
  TBitmap* EndBitmap() const { return end_.get(); }
  TBitmap* CurrentBitmap() const { return current_.get(); }
  TTimer* Timer() const { return timer_; }

  // The view's handlers, kept here for the effects.
  TNotifyEvent OnTransitionStop;
  TIETransitionStepEvent OnTransitionStep;
  const TIETransitionPaintEvent& OnTransitionPaint() const { return onTransitionPaint_; }
  void SetOnTransitionPaint(TIETransitionPaintEvent handler) { onTransitionPaint_ = std::move(handler); }

protected:
  bool running_ = false;

private:
  TVovidErView* view_;
  int32_t duration_ = 1000;
  std::unique_ptr<TBitmap> start_, end_, current_;
  TTimer* timer_ = nullptr;  // a component of the view, freed here
  TIETransitionPaintEvent onTransitionPaint_;
};
