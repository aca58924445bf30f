// exiftool as the independent reading (and writing) of a file's metadata.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace exiftool {

bool Available();

// One run: arguments, each its own element (no shell in between), and the file.
struct Job {
  std::vector<std::string> args;
  std::filesystem::path file;
};

// Standard output of each run, in order, from a single exiftool process: its
// start-up costs more than most runs, so a test hands over all of its runs at once.
std::vector<std::string> RunEach(const std::vector<Job>& jobs);
inline std::string Run(const std::vector<std::string>& args, const std::filesystem::path& file) {
  return RunEach({{args, file}})[0];
}

}  // namespace exiftool

#define REQUIRE_EXIFTOOL()                                                         \
  do {                                                                             \
    if (!::exiftool::Available()) GTEST_SKIP() << "exiftool is not installed: no independent reading"; \
  } while (0)
