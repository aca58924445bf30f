#include "tests/support/exiftool.h"

#include "tests/support/testsupport.h"

namespace exiftool {

bool Available() { return testsupport::HaveTool("exiftool"); }

std::vector<std::string> RunEach(const std::vector<Job>& jobs) {
  // exiftool reads the runs from an argument file, one argument a line, runs
  // apart by -execute; each run first prints the mark, which splits the output.
  const std::string mark = "==== next exiftool run ====";
  std::string argfile;
  for (const Job& job : jobs) {
    if (!argfile.empty()) argfile += "-execute\n";
    argfile += "-echo\n" + mark + "\n";
    for (const std::string& a : job.args) argfile += a + "\n";
    argfile += job.file.string() + "\n";
  }
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir / "args", argfile);
  const std::string out =
      testsupport::RunCommand("exiftool -@ " + testsupport::ShellQuote((dir / "args").string()) + " 2>/dev/null");
  std::vector<std::string> outputs;
  size_t at = out.find(mark + "\n");
  while (at != std::string::npos && outputs.size() < jobs.size()) {
    const size_t from = at + mark.size() + 1;
    at = out.find(mark + "\n", from);
    outputs.push_back(out.substr(from, at == std::string::npos ? std::string::npos : at - from));
  }
  outputs.resize(jobs.size());
  return outputs;
}

}  // namespace exiftool
