// Runs exiftool as the independent reading of a file.
#pragma once

#include <filesystem>
#include <string>

#include "tests/support/testsupport.h"

namespace exiftool {

inline bool Available() { return testsupport::HaveTool("exiftool"); }
inline std::string Quote(const std::string& s) { return testsupport::ShellQuote(s); }
inline std::string Capture(const std::string& command) { return testsupport::RunCommand(command); }

// exiftool with the arguments, on file.
inline std::string Run(const std::string& args, const std::filesystem::path& file) {
  return Capture("exiftool " + args + " " + Quote(file.string()) + " 2>/dev/null");
}

}  // namespace exiftool

#define REQUIRE_EXIFTOOL()                                                         \
  do {                                                                             \
    if (!::exiftool::Available()) GTEST_SKIP() << "exiftool is not installed: no independent reading"; \
  } while (0)
