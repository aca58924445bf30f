// A private home for tests of the shell namespace: HOME, the XDG base
// folders and user-dirs.dirs point into a scratch folder, so the tests see
// real files of their own and never the user's.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/rtl/taskmem.h"
#include "tests/support/scoped_env.h"
#include "tests/support/testsupport.h"

// An item-ID list owned by a test.
struct PidlFree {
  void operator()(uint8_t* p) const { TaskMemFree(p); }
};
using Pidl = std::unique_ptr<uint8_t, PidlFree>;

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
