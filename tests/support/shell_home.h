// A private home for tests of the shell namespace: HOME, the XDG base
// folders and user-dirs.dirs point into a scratch folder, so the tests see
// real files of their own and never the user's.
#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/scoped_env.h"
#include "tests/support/testsupport.h"

struct ShellHomeFixture : ::testing::Test {
  testsupport::TempDir tmp;
  ScopedEnv env;
  std::filesystem::path home, config, data;

  void SetUp() override {
    home = tmp / "home";
    config = home / "cfg";
    data = home / "data";
    std::filesystem::create_directories(config);
    std::filesystem::create_directories(data);
    env.Set("HOME", home.string());
    env.Set("XDG_CONFIG_HOME", config.string());
    env.Set("XDG_DATA_HOME", data.string());
  }
  // Writes user-dirs.dirs with the given lines.
  void UserDirs(const std::string& lines) { testsupport::WriteFileBytes(config / "user-dirs.dirs", lines); }
};
