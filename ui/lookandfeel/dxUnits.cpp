#include "ui/lookandfeel/dxUnits.h"

void TdxUnitTable::Start() {
  if (stopped_) return;
  if (startCount_++ > 0) return;
  size_t started = 0;
  try {
    for (const TdxUnitRow& row : rows_) {
      if (trace_) trace_(row.Name, true);
      if (row.Start) row.Start();
      ++started;
    }
  } catch (...) {
    startCount_ = 0;
    StopFrom(started);
    throw;
  }
}

void TdxUnitTable::Stop() {
  if (stopped_ || startCount_ <= 0) return;
  if (--startCount_ > 0) return;
  StopFrom(rows_.size());
}

// Stops the first count units, the last first.
void TdxUnitTable::StopFrom(size_t count) {
  stopped_ = true;
  for (size_t i = count; i > 0; --i) {
    const TdxUnitRow& row = rows_[i - 1];
    if (trace_) trace_(row.Name, false);
    if (row.Stop) row.Stop();
  }
}
