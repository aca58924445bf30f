// Runs exiftool as the independent reading of a file.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace exiftool {

inline bool Available() { return std::system("command -v exiftool >/dev/null 2>&1") == 0; }

inline std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Standard output of a shell command.
inline std::string Capture(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
  }
  return out;
}

// exiftool with the arguments, on file.
inline std::string Run(const std::string& args, const std::filesystem::path& file) {
  return Capture("exiftool " + args + " " + Quote(file.string()) + " 2>/dev/null");
}

}  // namespace exiftool

#define REQUIRE_EXIFTOOL()                                                         \
  do {                                                                             \
    if (!::exiftool::Available()) GTEST_SKIP() << "exiftool is not installed: no independent reading"; \
  } while (0)
