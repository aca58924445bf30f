// Deleting to the recycle bin asks first unless told not to; the move itself is the platform's trash.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/DUtil.h"
#include "tests/support/trash_fixture.h"
#include "tests/support/testsupport.h"

namespace fs = std::filesystem;

TEST_F(TrashFixture, MissingFilesAndRefusalsLeaveEverythingAlone) {
  EXPECT_FALSE(DeleteFileToRecycleBin(nullptr, (tmp / "docs" / "none.jpg").string(), true, true));
  const fs::path file = tmp / "docs" / "keep.jpg";
  testsupport::WriteFileBytes(file, "k");
  std::vector<std::string> asked;
  auto old = SetRecycleConfirmHandler([&](const std::string& p) {
    asked.push_back(p);
    return false;
  });
  EXPECT_FALSE(DeleteFileToRecycleBin(nullptr, file.string(), false, false));
  EXPECT_TRUE(fs::exists(file));
  EXPECT_EQ(asked, std::vector<std::string>{file.string()});
  // Without the confirmation nobody is asked.
  EXPECT_TRUE(DeleteFileToRecycleBin(nullptr, file.string(), true, false));
  EXPECT_EQ(asked.size(), 1u);
  SetRecycleConfirmHandler(old);
}

TEST_F(TrashFixture, ConfirmedFileLandsInTheTrash) {
  const fs::path file = tmp / "docs" / "a.jpg";
  testsupport::WriteFileBytes(file, "1");
  auto old = SetRecycleConfirmHandler([](const std::string&) { return true; });
  EXPECT_TRUE(DeleteFileToRecycleBin(nullptr, file.string(), false, false));
  SetRecycleConfirmHandler(old);
  EXPECT_FALSE(fs::exists(file));
  EXPECT_EQ(testsupport::ReadFileBytes(trash / "files" / "a.jpg"), "1");
}
