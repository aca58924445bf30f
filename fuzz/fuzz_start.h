// Start-up shared by the targets that go through the image library: started
// once through the program's own start-up, so that the format registry, the
// content tests and the library's slots are in place.
#pragma once

#include "imaging/vector/iestartup.h"

inline void FuzzStartImageLibrary() {
  static const bool started = [] {
    IEStartLibrary();
    return true;
  }();
  (void)started;
}
