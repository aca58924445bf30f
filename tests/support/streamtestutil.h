// Streams that let tests see how the streams under test use their neighbours.
#pragma once

#include <cstdint>
#include <cstdlib>
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

// Runs a Python 3 program with input's bytes in the file named by sys.argv[1]
// and further arguments after it; returns what it wrote to standard output.
// The program is the independent truth that results are checked against.
inline std::string RunPython(const std::string& program, const std::string& input,
                             const std::string& args = "") {
  testsupport::TempDir dir;
  const auto script = dir / "p.py";
  const auto in = dir / "in.bin";
  const auto out = dir / "out.bin";
  testsupport::WriteFileBytes(script, program);
  testsupport::WriteFileBytes(in, input);
  const std::string cmd = "python3 '" + script.string() + "' '" + in.string() + "' " + args + " > '" +
                          out.string() + "'";
  if (std::system(cmd.c_str()) != 0) {
    ADD_FAILURE() << "python3 failed: " << cmd;
    return {};
  }
  return testsupport::ReadFileBytes(out);
}

}  // namespace imgtest
