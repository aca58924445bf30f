// Start-up shared by the targets that go through the image library: the I/O
// and format units bound and the library started once, the way the program
// starts it, so that the format registry and the content tests are in place.
#pragma once

#include "imaging/core/ieinit.h"
#include "imaging/formats/ieformats.h"
#include "imaging/io/ieioset.h"

inline void FuzzStartImageLibrary() {
  static const bool started = [] {
    IEIOBindLibrary();
    IEFormatsBindLibrary();
    IEInitialize();
    return true;
  }();
  (void)started;
}
