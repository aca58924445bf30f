// A private home trash for tests that delete files: XDG_DATA_HOME points into
// a scratch folder, so nothing reaches the user's own trash.
#pragma once

#include <filesystem>

#include <gtest/gtest.h>

#include "tests/support/scoped_env.h"
#include "tests/support/testsupport.h"

struct TrashFixture : ::testing::Test {
  testsupport::TempDir tmp;
  ScopedEnv env;
  std::filesystem::path trash;
  void SetUp() override {
    env.Set("XDG_DATA_HOME", (tmp / "share").string());
    trash = tmp / "share" / "Trash";
    std::filesystem::create_directories(tmp / "docs" / "other");
  }
};
