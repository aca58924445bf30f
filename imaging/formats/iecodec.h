// What every codec of the format layer shares: the progress and abort record
// handed to each reader and writer, and the progress rule they follow.
//
// Readers take the stream at its current position, fill the parameter record
// and, unless asked for parameters only (preview), decode into the bitmap.
// Data a reader cannot accept sets the abort flag and the reader returns; it
// raises nothing for that. Writers never change the bitmap they are given.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/rtl/object.h"

struct TIECodecProgress {
  // The I/O component's progress event (sender, whole percent); may be empty.
  std::function<void(TObject* sender, int32_t percent)> OnProgress;
  TObject* Sender = nullptr;
  // Work units done so far.
  int32_t Value = 0;
  // Percent per unit (rows, pages) and per coarser block (strips, tiles).
  double PerUnit = 0;
  double PerBlock = 0;
  // The I/O component's abort flag; null means none (nothing can abort, and
  // a codec's own abort is still seen through Aborted()).
  bool* Aborting = nullptr;

  // Before the first unit: Value 0, PerUnit 100 / units, nothing reported yet.
  void Begin(int32_t units);
  // After each unit: reports the truncated percentage when it changed; True
  // when the caller must stop (the abort flag is set).
  bool Step();
  void Abort();
  bool Aborted() const { return Aborting ? *Aborting : ownAbort_; }

private:
  int32_t units_ = 0;
  int32_t lastReported_ = -1;
  bool ownAbort_ = false;
};
