// Streams that let tests see how the streams under test use their neighbours.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/testsupport.h"

#include "platform/classes/streams.h"

namespace imgtest {

// A memory stream that records the size of every Read and Write it is asked for.
class TRecordingStream : public TMemoryStream {
public:
  int32_t Read(void* buffer, int32_t count) override {
    reads.push_back(count);
    return TMemoryStream::Read(buffer, count);
  }
  int32_t Write(const void* buffer, int32_t count) override {
    writes.push_back(count);
    return TMemoryStream::Write(buffer, count);
  }
  std::string Bytes() { return std::string(static_cast<const char*>(Memory()), size_t(Size())); }
  std::vector<int32_t> reads;
  std::vector<int32_t> writes;
};

// Bytes 0..n-1 of a fixed pattern that does not repeat every 256 bytes.
inline std::string Pattern(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = char((i * 7 + i / 251) & 0xFF);
  return s;
}

inline void Fill(TStream& s, const std::string& bytes) {
  s.WriteBuffer(bytes.data(), int64_t(bytes.size()));
  s.SetPosition(0);
}

inline std::string ReadAll(TStream& s, int32_t piece = 4096) {
  std::string out;
  std::string buf(size_t(piece), '\0');
  for (;;) {
    const int32_t n = s.Read(buf.data(), piece);
    if (n <= 0) break;
    out.append(buf.data(), size_t(n));
  }
  return out;
}

// Python 3 as the independent truth that results are checked against. The
// source defines run(data, arg): it gets a job's input bytes and argument and
// returns bytes (or text). One process serves all the jobs of a test, so the
// interpreter's start-up stays out of loops. One output per job. Tests that
// need Debian's python3-pil name /usr/bin/python3 as the interpreter.
struct PythonJob {
  std::string input;
  std::string arg;
};

inline std::vector<std::string> RunPythonEach(const std::string& source, const std::vector<PythonJob>& jobs,
                                              const std::string& interpreter = "python3") {
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(
      dir / "p.py", source +
                        "\nimport os as _os, sys as _sys\n"
                        "for _i, _arg in enumerate(_sys.argv[2:]):\n"
                        "    _at = lambda name: _os.path.join(_sys.argv[1], name + str(_i))\n"
                        "    _out = run(open(_at('in'), 'rb').read(), _arg)\n"
                        "    open(_at('out'), 'wb').write(_out if isinstance(_out, bytes) else _out.encode())\n");
  std::string cmd = interpreter + " " + testsupport::ShellQuote((dir / "p.py").string()) + " " +
                    testsupport::ShellQuote(dir.Path().string());
  for (size_t i = 0; i < jobs.size(); ++i) {
    testsupport::WriteFileBytes(dir / ("in" + std::to_string(i)), jobs[i].input);
    cmd += " " + testsupport::ShellQuote(jobs[i].arg);
  }
  std::vector<std::string> out(jobs.size());
  if (!testsupport::RunSucceeds(cmd)) {
    ADD_FAILURE() << "python3 failed: " << cmd;
    return out;
  }
  for (size_t i = 0; i < jobs.size(); ++i) out[i] = testsupport::ReadFileBytes(dir / ("out" + std::to_string(i)));
  return out;
}

inline std::string RunPython(const std::string& source, const std::string& input, const std::string& arg = "") {
  return RunPythonEach(source, {{input, arg}})[0];
}

}  // namespace imgtest
