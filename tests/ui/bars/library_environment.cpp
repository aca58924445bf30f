// Starts the toolbar library (and the look-and-feel library under it) once per
// test program, the way the program starts it, and stops it after the last test.
#include <gtest/gtest.h>

#include "ui/bars/dxBarStartup.h"

namespace {

class BarsEnvironment : public ::testing::Environment {
public:
  void SetUp() override { dxStartBars(); }
  void TearDown() override { dxStopBars(); }
};

// Registered before main runs; GoogleTest owns the object.
[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new BarsEnvironment);

}  // namespace
