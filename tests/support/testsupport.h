// Helpers shared by every test program: fixture paths and scratch folders.
#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace testsupport {

// tests/data: small fixtures made here.
std::filesystem::path DataDir();
std::filesystem::path DataFile(const std::string& name);

// ../shared/testdata: real camera files, read-only. Empty when absent.
std::filesystem::path SharedDataDir();

// A fresh folder removed with everything in it when the object dies.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
  std::filesystem::path path_;
};

std::string ReadFileBytes(const std::filesystem::path& p);
void WriteFileBytes(const std::filesystem::path& p, const std::string& bytes);

// Independent tools (exiftool, djpeg, import, ...) run through the shell.
// Standard output of a command; status gets the wait status (-1 when it could not start).
std::string RunCommand(const std::string& command, int* status = nullptr);
// True when the command ran and exited with 0.
bool RunSucceeds(const std::string& command);
bool HaveTool(const std::string& name);
// Single-quoted for the shell.
std::string ShellQuote(const std::string& s);

}  // namespace testsupport

// Skips the current test when the real sample files are not beside the checkout.
#define REQUIRE_SHARED_TESTDATA()                                                     \
  do {                                                                                \
    if (::testsupport::SharedDataDir().empty())                                       \
      GTEST_SKIP() << "../shared/testdata is absent: real sample files not available"; \
  } while (0)
