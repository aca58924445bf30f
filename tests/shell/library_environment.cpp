// The shell library started once per test program, the way the program starts it.
#include <gtest/gtest.h>

#include "shell/ShCommonObjects.h"
#include "shell/ShDataObject.h"

namespace {

struct ShellLibraryEnvironment : ::testing::Environment {
  void SetUp() override {
    ShCommonObjectsInitialize();
    ShDataObjectInitialize();
  }
  void TearDown() override {
    ShDataObjectFinalize();
    ShCommonObjectsFinalize();
  }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new ShellLibraryEnvironment);

}  // namespace
