// Starts the libraries once per test program in the program's order (the
// translation library, then the toolbar library with the look-and-feel library
// under it) and stops them after the last test.
#include <gtest/gtest.h>

#include "i18n/siComp.h"
#include "ui/bars/dxBarStartup.h"

namespace {

class BarsEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    SiStartLibrary();
    dxStartBars();
  }
  void TearDown() override {
    dxStopBars();
    SiStopLibrary();
  }
};

// Registered before main runs; GoogleTest owns the object.
[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new BarsEnvironment);

}  // namespace
