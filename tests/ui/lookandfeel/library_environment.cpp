// Starts the look-and-feel library once per test program, the way the program
// starts it, and stops it after the last test.
#include <gtest/gtest.h>

#include "ui/lookandfeel/cxLookAndFeelStartup.h"

namespace {

class LookAndFeelEnvironment : public ::testing::Environment {
public:
  void SetUp() override { cxStartLookAndFeel(); }
  void TearDown() override { cxStopLookAndFeel(); }
};

// Registered before main runs; GoogleTest owns the object.
[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new LookAndFeelEnvironment);

}  // namespace
