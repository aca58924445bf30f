// The progress record that the load-and-save component hands to every reader
// and writer: where to report percentages and the flag that stops the work.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

class TObject;

// The component's progress event: Sender and a whole percentage.
using TIEProgressEvent = std::function<void(TObject* Sender, int32_t per)>;

struct TIEProgressRecord {
  TIEProgressEvent fOnProgress;      // may be empty
  TObject* Sender = nullptr;
  int32_t val = 0;                   // units done so far, kept by the reader or writer
  double per1 = 0.0;                 // percent per unit, set by the reader or writer
  // The component's Aborting flag; another thread may raise it while a
  // reader runs, so it is atomic. Readers require it to be set.
  std::atomic<bool>* Aborting = nullptr;
};

// Reports Trunc(val * per1) through the record's event when it differs from
// lastReported (start that at -1 so the first report is always made).
inline void IEReportProgress(TIEProgressRecord& progress, int32_t& lastReported) {
  if (!progress.fOnProgress) return;
  const int32_t per = int32_t(double(progress.val) * progress.per1);
  if (per == lastReported) return;
  lastReported = per;
  progress.fOnProgress(progress.Sender, per);
}
