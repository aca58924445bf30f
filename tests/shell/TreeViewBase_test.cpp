// The tree-view units as this system runs them: the message pointers, the
// clipboard-format descriptions, and what the base unit's shut-down frees,
// with and without the global clean-up.
#include "shell/TreeViewBase.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/com/com.h"
#include "platform/win/timeperiod.h"

namespace {

TEST(TreeViewUnits, MessagesPointAtTheRunTimeLibrarysTexts) {
  ASSERT_EQ(TreeViewInvalidFormatMessage, &SInvalidFormat);
  ASSERT_EQ(TreeViewArgumentMissingMessage, &SArgumentMissing);
  EXPECT_STREQ(TreeViewInvalidFormatMessage->Text, "Format '%s' invalid or incompatible with argument");
  EXPECT_STREQ(TreeViewArgumentMissingMessage->Text, "No argument for format '%s'");
}

TEST(TreeViewUnits, ClipboardFormatDescriptionsByStandardNumber) {
  const char* const expected[] = {
      "Plain text", "Windows bitmap", "Windows metafile", "Symbolic link", "Data interchange format",
      "Tiff image", "OEM text", "DIB image", "Palette data", "Pen data", "Riff audio data", "Wav audio data",
      "Unicode text", "Enhanced metafile image", "File name(s)", "Locale descriptor"};
  for (uint32_t format = 1; format <= 16; ++format)
    EXPECT_EQ(ClipboardFormatDescription(format), expected[format - 1]) << format;
  for (uint32_t format : {0u, 17u, 0xC000u}) EXPECT_EQ(ClipboardFormatDescription(format), "") << format;
  EXPECT_STREQ(TreeViewLineBreak, "\r\n");
}

// Tells when it is freed.
struct Watched : TObject {
  explicit Watched(bool& freed) : freed_(freed) {}
  ~Watched() override { freed_ = true; }
  bool& freed_;
};

// Stops the base unit down to zero and starts it again afterwards.
struct RestartedTreeViewBase {
  ~RestartedTreeViewBase() {
    TreeViewBaseInitialize();
    TreeViewHelperInitialize();
  }
};

TEST(TreeViewUnits, ShutDownWithoutTheInitialisedFlagLeavesTheGlobalCleanUpAlone) {
  RestartedTreeViewBase restart;
  ASSERT_NE(TreeViewCriticalSection, nullptr);
  TreeViewCriticalSection->Enter();
  TreeViewCriticalSection->Leave();
  EXPECT_FALSE(TreeViewInitialized);
  EXPECT_FALSE(TreeViewNeedsOleUninitialize);
  bool globalFreed = false, imageFreed = false, helperFreed = false;
  TreeViewGlobalObject = std::make_unique<Watched>(globalFreed);
  TreeViewImages[0] = std::make_unique<Watched>(imageFreed);
  TreeViewHelperObject = std::make_unique<Watched>(helperFreed);
  ASSERT_EQ(win::timeBeginPeriod(1), win::TIMERR_NOERROR);
  TreeViewBaseFinalize();
  TreeViewHelperFinalize();
  EXPECT_TRUE(globalFreed);
  EXPECT_EQ(TreeViewGlobalObject, nullptr);
  EXPECT_EQ(TreeViewCriticalSection, nullptr);
  EXPECT_TRUE(helperFreed);
  EXPECT_EQ(TreeViewHelperObject, nullptr);
  EXPECT_FALSE(imageFreed);  // no clean-up: the images stay
  EXPECT_EQ(win::timeEndPeriod(1), win::TIMERR_NOERROR) << "the shut-down must leave the period begun";
  TreeViewImages[0].reset();
  EXPECT_TRUE(imageFreed);
}

TEST(TreeViewUnits, ShutDownAfterTheInitialisedFlagRunsTheGlobalCleanUp) {
  RestartedTreeViewBase restart;
  const int32_t ole = win::OleInitializeCount();
  ASSERT_TRUE(win::SUCCEEDED(win::OleInitialize(nullptr)));
  TreeViewNeedsOleUninitialize = true;
  TreeViewInitialized = true;
  bool freed[9] = {};
  for (size_t i = 0; i < TreeViewImages.size(); ++i) TreeViewImages[i] = std::make_unique<Watched>(freed[i]);
  ASSERT_EQ(win::timeBeginPeriod(1), win::TIMERR_NOERROR);
  TreeViewBaseFinalize();
  for (size_t i = 0; i < TreeViewImages.size(); ++i) {
    EXPECT_TRUE(freed[i]) << i;
    EXPECT_EQ(TreeViewImages[i], nullptr) << i;
  }
  EXPECT_EQ(win::OleInitializeCount(), ole);
  EXPECT_FALSE(TreeViewNeedsOleUninitialize);
  EXPECT_EQ(win::timeEndPeriod(1), win::TIMERR_NOCANDO) << "the clean-up ended the 1 ms period";
  EXPECT_EQ(TreeViewCriticalSection, nullptr);
  TreeViewHelperFinalize();
}

}  // namespace
