#include "imaging/formats/iecodec.h"

#include <cmath>

void TIECodecProgress::Begin(int32_t units) {
  Value = 0;
  PerUnit = units > 0 ? 100.0 / units : 0;
  units_ = units;
  lastReported_ = -1;
}

bool TIECodecProgress::Step() {
  ++Value;
  // The last unit is all the work, even where units x (100 / units) falls just short of 100.
  const int32_t percent = units_ > 0 && Value >= units_ ? 100 : int32_t(std::trunc(Value * PerUnit));
  if (OnProgress && percent != lastReported_) {
    lastReported_ = percent;
    OnProgress(Sender, percent);
  }
  return Aborted();
}

void TIECodecProgress::Abort() {
  if (Aborting)
    *Aborting = true;
  else
    ownAbort_ = true;
}
