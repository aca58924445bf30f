// Starts the translation library once per test program, through the start-up
// the program uses, and registers the stand-in owner class for form descriptions.
#include <gtest/gtest.h>

#include "i18n_test.h"

namespace {

class TranslationLibraryEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    SiStartLibrary();
    if (!GetClass("TViewerMain")) RegisterClass(TViewerMain::StaticClass());
  }
  void TearDown() override { SiStopLibrary(); }
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new TranslationLibraryEnvironment);

}  // namespace
