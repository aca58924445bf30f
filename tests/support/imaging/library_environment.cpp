// Starts the image library once per test program, through the same start-up
// the program uses, and shuts it down after the last test. Linked into every
// imaging and application test program, so no test depends on which test ran
// before it to find a unit started or a slot filled.
#include <gtest/gtest.h>

#include "imaging/vector/iestartup.h"

namespace {

class ImagingLibraryEnvironment : public ::testing::Environment {
public:
  void SetUp() override { IEStartLibrary(); }
  void TearDown() override { IEStopLibrary(); }
};

// Registered before main runs; GoogleTest owns the object.
[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new ImagingLibraryEnvironment);

}  // namespace
