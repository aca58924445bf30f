#include "app/uConfig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
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

namespace {

// Every path under root, relative to it.
std::set<std::string> Tree(const fs::path& root) {
  std::set<std::string> paths;
  for (const auto& e : fs::recursive_directory_iterator(root)) paths.insert(fs::relative(e.path(), root).string());
  return paths;
}

// Makes a folder the working folder for one scope.
class ScopedWorkingFolder {
public:
  explicit ScopedWorkingFolder(const fs::path& dir) : saved_(fs::current_path()) { fs::current_path(dir); }
  ~ScopedWorkingFolder() { fs::current_path(saved_); }
  ScopedWorkingFolder(const ScopedWorkingFolder&) = delete;
  ScopedWorkingFolder& operator=(const ScopedWorkingFolder&) = delete;

private:
  fs::path saved_;
};

}  // namespace

// Where the settings go for each state of $XDG_CONFIG_HOME and the home
// folder. Whatever happens, nothing lands in the working folder, and nothing
// is made outside the one settings file's folders.
TEST(ConfigFolder, FallsBackToTheHomeConfigThenToMemoryAndNeverWritesTheWorkingFolder) {
  enum Xdg { xdgFolder, xdgNewFolder, xdgPlainFile, xdgRelative, xdgUnset };
  struct Case {
    const char* name;
    Xdg xdg;
    bool homeExists;
    const char* written;  // the settings file, relative to the scratch root; empty: none
  };
  const Case cases[] = {
      {"XDG folder", xdgFolder, true, "xdg/Tallowmere Duplexion/DuplexionConfig.ini"},
      {"XDG folder to make", xdgNewFolder, true, "new/xdg/Tallowmere Duplexion/DuplexionConfig.ini"},
      {"XDG names a plain file", xdgPlainFile, true, "home/.config/Tallowmere Duplexion/DuplexionConfig.ini"},
      {"XDG relative", xdgRelative, true, "home/.config/Tallowmere Duplexion/DuplexionConfig.ini"},
      {"XDG unset", xdgUnset, true, "home/.config/Tallowmere Duplexion/DuplexionConfig.ini"},
      {"XDG folder, no home", xdgFolder, false, "xdg/Tallowmere Duplexion/DuplexionConfig.ini"},
      {"XDG plain file, no home", xdgPlainFile, false, ""},
      {"XDG unset, no home", xdgUnset, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testsupport::TempDir root;
    const fs::path work = root / "work", home = root / "home";
    fs::create_directories(work);
    fs::create_directories(root / "xdg");
    testsupport::WriteFileBytes(root / "xdg-file", "not a folder");
    if (c.homeExists) fs::create_directories(home);

    ScopedEnv env;
    env.Set("HOME", home.string());
    switch (c.xdg) {
      case xdgFolder: env.Set("XDG_CONFIG_HOME", (root / "xdg").string()); break;
      case xdgNewFolder: env.Set("XDG_CONFIG_HOME", (root / "new" / "xdg").string()); break;
      case xdgPlainFile: env.Set("XDG_CONFIG_HOME", (root / "xdg-file").string()); break;
      case xdgRelative: env.Set("XDG_CONFIG_HOME", "xdg"); break;
      case xdgUnset: env.Set("XDG_CONFIG_HOME", std::nullopt); break;
    }
    const std::set<std::string> before = Tree(root.Path());

    std::string err;
    {
      ScopedWorkingFolder cwd(work);
      testing::internal::CaptureStderr();
      try {
        TConfig* config = GetConfig();
        config->SetViewMode(41);
        EXPECT_EQ(GetConfig()->ViewMode(), 41);  // held in memory whatever the folder
        EXPECT_EQ(config->FileName(), *c.written ? (root / c.written).string() : std::string());
        UConfigFinalize();
      } catch (const std::exception& e) {
        ADD_FAILURE() << e.what();
        try {
          UConfigFinalize();
        } catch (...) {
        }
      }
      err = testing::internal::GetCapturedStderr();
    }

    EXPECT_TRUE(fs::is_empty(work)) << "the working folder got " << Tree(work).size() << " entries";
    const std::set<std::string> after = Tree(root.Path());
    const std::string written = c.written;
    for (const std::string& p : after) {
      if (!before.count(p)) {
        EXPECT_EQ(written.compare(0, p.size(), p), 0) << "made outside the settings file's folders: " << p;
      }
    }
    if (!written.empty()) {
      EXPECT_TRUE(fs::is_regular_file(root / written));
      if (fs::is_regular_file(root / written)) {
        EXPECT_EQ(Section(root / written, "Default")["ViewMode"], "41");
      }
      EXPECT_EQ(err, "");
    } else {
      EXPECT_EQ(after, before) << "nothing may be written";
      EXPECT_FALSE(fs::exists(home)) << "a missing home is not made";
      // One line, naming the folder that could not be used.
      EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
      EXPECT_TRUE(!err.empty() && err.back() == '\n') << err;
      EXPECT_NE(err.find((home / ".config").string()), std::string::npos) << err;
      if (c.xdg == xdgPlainFile) {
        EXPECT_NE(err.find((root / "xdg-file").string()), std::string::npos) << err;
      }
    }
  }
}
