// The shell library started once per test program, the way the program starts it.
#include <gtest/gtest.h>

#include "shell/ShCommonObjects.h"
#include "shell/ShChangeNotifier.h"
#include "shell/ShDataObject.h"
#include "shell/ShShellUtilities.h"
#include "shell/ShThreadManager.h"

namespace {

struct ShellLibraryEnvironment : ::testing::Environment {
  void SetUp() override {
    ShCommonObjectsInitialize();
    ShDataObjectInitialize();
    ShThreadManagerInitialize();
    ShShellUtilitiesInitialize();
    ShChangeNotifierInitialize();
  }
  void TearDown() override {
    ShChangeNotifierFinalize();
    ShShellUtilitiesFinalize();
    ShThreadManagerFinalize();
    ShDataObjectFinalize();
    ShCommonObjectsFinalize();
  }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new ShellLibraryEnvironment);

}  // namespace
