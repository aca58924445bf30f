// The shell library started once per test program, the way the program starts it.
#include <gtest/gtest.h>

#include "shell/ShellLibraries.h"

namespace {

struct ShellLibraryEnvironment : ::testing::Environment {
  void SetUp() override { ShellLibrariesInitialize(); }
  void TearDown() override { ShellLibrariesFinalize(); }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new ShellLibraryEnvironment);

}  // namespace
