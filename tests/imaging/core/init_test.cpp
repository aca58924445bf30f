#include "imaging/core/ieinit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "imaging/core/ieglobals.h"
#include "platform/rtl/exceptions.h"

namespace {

std::vector<std::string>& Calls() {
  static std::vector<std::string> calls;
  return calls;
}

const std::vector<std::string> kInitOrder = {
    "IEGDIPlusInitialize", "IEDefsInitialize",       "IEUtilsInitialize",       "IEJ2000Initialize",
    "IEVectInitialize",    "IEIOInitialize",         "IEProcInitialize",        "VovidErViewInitialize",
    "IECCITTInitialize",   "IETextControlInitialize", "IEPresetImagesInitialize", "IEVisionInitialize"};
const std::vector<std::string> kFinalizeOrder = {
    "IEPresetImagesFinalize", "IETextControlFinalize", "IECCITTFinalize", "VovidErViewFinalize",
    "IEProcFinalize",         "IEIOFinalize",          "IEVectFinalize",  "IEJ2000Finalize",
    "IEUtilsFinalize",        "IEDefsFinalize",        "IEGDIPlusFinalize", "IEVisionFinalize"};

bool gFail = false;
void BoundInit() {
  Calls().push_back("bound init");
  if (gFail) throw std::runtime_error("plug-in broke");
}
void BoundFini() { Calls().push_back("bound fini"); }

// These tests drive the start-up order themselves: each begins with the
// library shut down and leaves it started as many times as it found it.
class Startup : public testing::Test {
protected:
  void SetUp() override {
    startedBefore_ = IEInitializeCount();
    while (IEInitializeCount() > 0) IEFinalize();
    Calls().clear();
    IESetLibraryTrace([](std::string_view name) { Calls().emplace_back(name); });
  }
  void TearDown() override {
    while (IEInitializeCount() > 0) IEFinalize();
    IESetLibraryTrace({});
    IEBindLibraryUnit(ieluVision, nullptr, nullptr);
    gFail = false;
    for (int32_t i = 0; i < startedBefore_; ++i) IEInitialize();
  }

private:
  int32_t startedBefore_ = 0;
};

}  // namespace

TEST_F(Startup, RunsTheUnitsInOrderOnceAndShutsThemDownInReverse) {
  EXPECT_EQ(IEStartupMarker(), "");
  IEInitialize();
  EXPECT_EQ(Calls(), kInitOrder);
  EXPECT_EQ(IEStartupMarker(), "STATICINIT");
  IEInitialize();  // only counts
  EXPECT_EQ(Calls().size(), kInitOrder.size());
  EXPECT_EQ(IEInitializeCount(), 2);
  Calls().clear();
  IEFinalize();  // only counts down
  EXPECT_TRUE(Calls().empty());
  EXPECT_EQ(IEStartupMarker(), "STATICINIT");
  IEFinalize();
  EXPECT_EQ(Calls(), kFinalizeOrder);
  EXPECT_EQ(IEStartupMarker(), "");
  Calls().clear();
  IEFinalize();  // one more than started: nothing
  EXPECT_TRUE(Calls().empty());
  // After a full shut-down everything starts again.
  IEInitialize();
  EXPECT_EQ(Calls(), kInitOrder);
}

TEST_F(Startup, FinalizeWithoutInitializeDoesNothing) {
  IEFinalize();
  EXPECT_TRUE(Calls().empty());
  EXPECT_EQ(IEInitializeCount(), 0);
}

TEST_F(Startup, BoundRoutinesRunInTheirSlotAndTheVisionPluginGoesLast) {
  IEBindLibraryUnit(ieluVision, &BoundInit, &BoundFini);
  IEInitialize();
  ASSERT_EQ(Calls().size(), kInitOrder.size() + 1);
  EXPECT_EQ(Calls()[11], "IEVisionInitialize");
  EXPECT_EQ(Calls()[12], "bound init");
  Calls().clear();
  IEFinalize();
  ASSERT_EQ(Calls().size(), kFinalizeOrder.size() + 1);
  EXPECT_EQ(Calls()[10], "IEGDIPlusFinalize");
  EXPECT_EQ(Calls()[11], "IEVisionFinalize");
  EXPECT_EQ(Calls()[12], "bound fini");
  EXPECT_THROW(IEBindLibraryUnit(ieluUtils, &BoundInit, &BoundFini), EArgumentException);
}

TEST_F(Startup, AFailingInitRoutineLeavesTheCountAndReachesTheCaller) {
  IEBindLibraryUnit(ieluVision, &BoundInit, &BoundFini);
  gFail = true;
  EXPECT_THROW(IEInitialize(), std::runtime_error);
  EXPECT_EQ(IEInitializeCount(), 0);
  Calls().clear();
  IEFinalize();  // nothing was started
  EXPECT_TRUE(Calls().empty());
  gFail = false;
  IEInitialize();
  EXPECT_EQ(Calls().size(), kInitOrder.size() + 1);
  EXPECT_EQ(IEInitializeCount(), 1);
}

TEST_F(Startup, UnitInitializationStartsOnceAndStopsOnItsLastRun) {
  IEUtilsUnitInitialize();
  IEUtilsUnitInitialize();
  EXPECT_EQ(Calls(), kInitOrder);
  Calls().clear();
  IEUtilsUnitFinalize();
  EXPECT_TRUE(Calls().empty());
  IEUtilsUnitFinalize();
  EXPECT_EQ(Calls(), kFinalizeOrder);
  EXPECT_EQ(IEStartupMarker(), "");
  IEUtilsUnitFinalize();  // unmatched
  EXPECT_EQ(Calls().size(), kFinalizeOrder.size());
}

TEST_F(Startup, CoreValuesAfterStartUp) {
  IEPreviewZoomFilter = rfNone;
  IEDefaultMemoryThreshold = 123;
  IEFileStorageFallback = false;
  IERowBlocksFallback = false;
  IEProcessorCoresCache = 8;
  IECosineBlendTable.fill(-1);
  IEInitialize();
  EXPECT_EQ(IEPreviewZoomFilter, rfFastLinear);
  EXPECT_EQ(IEDefaultMemoryThreshold, -1);
  EXPECT_TRUE(IEFileStorageFallback);
  EXPECT_TRUE(IERowBlocksFallback);
  EXPECT_EQ(IEProcessorCoresCache, -1);
  EXPECT_EQ(IEWindowsVersionClass, 9);
  EXPECT_TRUE(IEUseWideFileAPI);
  // Worked by hand: 64 - 64 cos(i pi / 255) at i = 0, 85 (pi/3), 128, 170 (2 pi/3), 255.
  EXPECT_EQ(IECosineBlendTable[0], 0);
  EXPECT_EQ(IECosineBlendTable[85], 32);
  EXPECT_EQ(IECosineBlendTable[128], 64);
  EXPECT_EQ(IECosineBlendTable[170], 96);
  EXPECT_EQ(IECosineBlendTable[255], 128);
  for (int i = 1; i < 256; ++i) EXPECT_GE(IECosineBlendTable[size_t(i)], IECosineBlendTable[size_t(i - 1)]);
}
