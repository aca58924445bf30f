#include "tests/support/testsupport.h"

#include "platform/rtl/sysutils.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace testsupport {

static fs::path FromEnv(const char* name, const char* fallback) {
  const char* v = std::getenv(name);
  return fs::path(v && *v ? v : fallback);
}

fs::path DataDir() { return FromEnv("DUPLEXION_TEST_DATA", DUPLEXION_TEST_DATA_DEFAULT); }

fs::path DataFile(const std::string& name) { return DataDir() / name; }

fs::path SharedDataDir() {
  fs::path p = FromEnv("DUPLEXION_SHARED_TESTDATA", DUPLEXION_SHARED_TESTDATA_DEFAULT);
  std::error_code ec;
  if (p.empty() || !fs::is_directory(p / "real", ec)) return {};
  return p;
}

TempDir::TempDir() {
  std::random_device rd;
  for (;;) {
    path_ = fs::temp_directory_path() / ("duplexion-test-" + std::to_string(rd()));
    if (fs::create_directory(path_)) break;
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::string ReadFileBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteFileBytes(const fs::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string RunCommand(const std::string& command, int* status) {
  std::string out;
  FILE* p = popen(command.c_str(), "r");
  if (!p) {
    if (status) *status = -1;
    return out;
  }
  char buf[65536];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  const int st = pclose(p);
  if (status) *status = st;
  return out;
}

bool RunSucceeds(const std::string& command) {
  int status = 0;
  RunCommand(command, &status);
  return ExitCodeOfStatus(status) == 0;
}

bool HaveTool(const std::string& name) { return RunSucceeds("command -v " + ShellQuote(name) + " >/dev/null 2>&1"); }

std::string ShellQuote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

}  // namespace testsupport
