#include "app/uConfig.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "platform/rtl/sysutils.h"
#include "tests/support/scoped_env.h"
#include "tests/support/testsupport.h"

namespace fs = std::filesystem;

namespace {

// The file's "key=value" lines of one section, read without the INI classes.
std::map<std::string, std::string> Section(const fs::path& file, const std::string& name) {
  std::map<std::string, std::string> keys;
  std::istringstream in(testsupport::ReadFileBytes(file));
  std::string line, current;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 1 && line.front() == '[' && line.back() == ']') current = line.substr(1, line.size() - 2);
    else if (current == name && line.find('=') != std::string::npos)
      keys[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
  }
  return keys;
}

struct ConfigFixture : ::testing::Test {
  testsupport::TempDir tmp;
  ScopedEnv env;
  fs::path file;
  void SetUp() override {
    env.Set("XDG_CONFIG_HOME", tmp.Path().string());
    file = tmp / "Tallowmere Duplexion" / "DuplexionConfig.ini";
  }
  void TearDown() override {
    try {
      UConfigFinalize();
    } catch (...) {
    }
  }
};

}  // namespace

TEST_F(ConfigFixture, FirstStartWritesTheDefaultsAtTheEnd) {
  TConfig* c = GetConfig();
  EXPECT_EQ(c->FileName(), file.string());
  EXPECT_TRUE(fs::is_directory(file.parent_path()));
  EXPECT_FALSE(c->ShowFullScreenInfo());
  EXPECT_TRUE(c->FastMode());
  EXPECT_EQ(c->ViewMode(), 39);
  EXPECT_TRUE(c->AntiAlias());
  EXPECT_EQ(GetConfig(), c);
  EXPECT_FALSE(fs::exists(file)) << "nothing is written before the end";
  UConfigFinalize();
  const auto keys = Section(file, "Default");
  EXPECT_EQ(keys, (std::map<std::string, std::string>{
                      {"FullScreenInfo", "0"}, {"FastMode", "1"}, {"ViewMode", "39"}, {"Antialias", "1"}}));
}

TEST_F(ConfigFixture, ChangesRoundTrip) {
  TConfig* c = GetConfig();
  c->SetShowFullScreenInfo(true);
  c->SetFastMode(false);
  c->SetViewMode(41);
  c->SetAntiAlias(false);
  UConfigFinalize();
  EXPECT_EQ(Section(file, "Default").at("ViewMode"), "41");
  c = GetConfig();  // a new instance, read from the file
  EXPECT_TRUE(c->ShowFullScreenInfo());
  EXPECT_FALSE(c->FastMode());
  EXPECT_EQ(c->ViewMode(), 41);
  EXPECT_FALSE(c->AntiAlias());
}

TEST_F(ConfigFixture, MissingAndUnreadableKeysGiveDefaultsAndOtherContentStays) {
  fs::create_directories(file.parent_path());
  testsupport::WriteFileBytes(file, "[Other]\nKeep=me\n[Default]\nViewMode=42\nFastMode=yes\n");
  TConfig* c = GetConfig();
  EXPECT_EQ(c->ViewMode(), 42);
  EXPECT_TRUE(c->FastMode());  // not an integer: the default
  EXPECT_FALSE(c->ShowFullScreenInfo());
  EXPECT_TRUE(c->AntiAlias());
  UConfigFinalize();
  EXPECT_EQ(Section(file, "Other").at("Keep"), "me");
  EXPECT_EQ(Section(file, "Default").at("FastMode"), "1");
}

TEST_F(ConfigFixture, AFileThatCannotBeWrittenFailsAtTheEnd) {
  // The settings folder's name is taken by a file.
  testsupport::WriteFileBytes(file.parent_path(), "in the way");
  GetConfig();
  EXPECT_THROW(UConfigFinalize(), EStreamError);
  // The instance is gone all the same: a second shut-down writes nothing.
  EXPECT_NO_THROW(UConfigFinalize());
}

TEST_F(ConfigFixture, ASettingsFileWithCrLfIsReadAndWrittenBackWithLf) {
  fs::create_directories(file.parent_path());
  testsupport::WriteFileBytes(file, "[Default]\r\nFullScreenInfo=1\r\nViewMode=40\r\nAntialias=0\r\n");
  TConfig* c = GetConfig();
  EXPECT_TRUE(c->ShowFullScreenInfo());
  EXPECT_EQ(c->ViewMode(), 40);
  EXPECT_FALSE(c->AntiAlias());
  UConfigFinalize();
  EXPECT_EQ(testsupport::ReadFileBytes(file), "[Default]\nFullScreenInfo=1\nViewMode=40\nAntialias=0\nFastMode=1\n");
}
