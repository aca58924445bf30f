// The XDG base folders and the home folder, from the environment as the XDG
// Base Directory rules read it.
#include "platform/shell/shell.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/support/scoped_env.h"

TEST(XdgFolders, FollowTheEnvironment) {
  const struct {
    std::optional<std::string> Home, Config, Data;
    const char *ExpectedHome, *ExpectedConfig, *ExpectedData;
  } rows[] = {
      {"/home/ada", {}, {}, "/home/ada", "/home/ada/.config", "/home/ada/.local/share"},
      {"/home/ada//", "/cfg/", "/data", "/home/ada", "/cfg", "/data"},
      // Relative values would depend on the current folder: ignored.
      {"/home/ada", "cfg", "./data", "/home/ada", "/home/ada/.config", "/home/ada/.local/share"},
      {"/home/ada", "", "", "/home/ada", "/home/ada/.config", "/home/ada/.local/share"},
  };
  for (const auto& r : rows) {
    ScopedEnv env;
    env.Set("HOME", r.Home);
    env.Set("XDG_CONFIG_HOME", r.Config);
    env.Set("XDG_DATA_HOME", r.Data);
    EXPECT_EQ(UserHomeDir(), r.ExpectedHome);
    EXPECT_EQ(XdgConfigHome(), r.ExpectedConfig) << r.Config.value_or("(unset)");
    EXPECT_EQ(XdgDataHome(), r.ExpectedData) << r.Data.value_or("(unset)");
  }
  // Without HOME the password database names the folder.
  ScopedEnv env;
  env.Set("HOME", std::nullopt);
  EXPECT_FALSE(UserHomeDir().empty());
  EXPECT_EQ(UserHomeDir().front(), '/');
}

TEST(NaturalCompare, DigitsByValueLettersIgnoringCase) {
  const struct {
    const char *A, *B;
    int Sign;
  } rows[] = {
      {"img2", "img10", -1}, {"file007", "file7", 0}, {"Äpfel", "äpfel", 0}, {"a1b2", "a1b10", -1},
      {"img", "img1", -1},   {"2", "a", -1},          {"99999999999999999999", "100000000000000000000", -1},
  };
  for (const auto& r : rows) {
    const int32_t c = NaturalCompare(r.A, r.B), back = NaturalCompare(r.B, r.A);
    EXPECT_EQ((c > 0) - (c < 0), r.Sign) << r.A << " vs " << r.B;
    EXPECT_EQ((back > 0) - (back < 0), -r.Sign) << r.B << " vs " << r.A;
  }
}
