#include "tests/support/jpeg_oracle.h"

#include <cctype>
#include <fstream>

#include "tests/support/testsupport.h"

namespace fs = std::filesystem;

namespace testsupport {

namespace {

// Reads the header's fields: white space and comments (to the end of the line) separate them.
class PnmHeader {
public:
  explicit PnmHeader(const std::string& bytes) : s_(bytes) {}

  std::string Token() {
    for (;;) {
      while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_]))) ++pos_;
      if (pos_ < s_.size() && s_[pos_] == '#') {
        while (pos_ < s_.size() && s_[pos_] != '\n' && s_[pos_] != '\r') ++pos_;
        continue;
      }
      break;
    }
    const size_t start = pos_;
    while (pos_ < s_.size() && !std::isspace(static_cast<unsigned char>(s_[pos_])) && s_[pos_] != '#') ++pos_;
    return s_.substr(start, pos_ - start);
  }

  // A positive decimal number below a billion, or -1.
  long Number() {
    const std::string t = Token();
    if (t.empty() || t.size() > 9) return -1;
    long v = 0;
    for (char c : t) {
      if (c < '0' || c > '9') return -1;
      v = v * 10 + (c - '0');
    }
    return v > 0 ? v : -1;
  }

  // Exactly one white-space character ends the header.
  bool EndOfHeader() {
    if (pos_ >= s_.size() || !std::isspace(static_cast<unsigned char>(s_[pos_]))) return false;
    ++pos_;
    return true;
  }
  size_t Position() const { return pos_; }

private:
  const std::string& s_;
  size_t pos_ = 0;
};

std::string Arguments(const std::vector<std::string>& options) {
  std::string args;
  for (const std::string& o : options) args += " " + ShellQuote(o);
  return args;
}

// Standard output of a tool that must exit with 0 (a wait status of 0); empty otherwise.
std::string RunTool(const std::string& command) {
  int status = -1;
  std::string out = RunCommand(command + " 2>/dev/null", &status);
  return status == 0 ? out : std::string();
}

}  // namespace

Raster ParsePnm(const std::string& bytes) {
  PnmHeader h(bytes);
  const std::string magic = h.Token();
  if (magic != "P5" && magic != "P6") return {};
  Raster r;
  r.channels = magic == "P6" ? 3 : 1;
  const long width = h.Number(), height = h.Number(), maxval = h.Number();
  if (width <= 0 || height <= 0 || maxval != 255 || !h.EndOfHeader()) return {};
  const size_t size = size_t(width) * size_t(height) * size_t(r.channels);
  if (bytes.size() - h.Position() < size) return {};
  r.width = int32_t(width);
  r.height = int32_t(height);
  r.pixels.assign(bytes.begin() + std::ptrdiff_t(h.Position()), bytes.begin() + std::ptrdiff_t(h.Position() + size));
  return r;
}

Raster ReadPnmFile(const fs::path& file) { return ParsePnm(ReadFileBytes(file)); }

std::string EncodePnm(const Raster& picture) {
  std::string out = (picture.channels == 1 ? "P5\n" : "P6\n") + std::to_string(picture.width) + " " +
                    std::to_string(picture.height) + "\n255\n";
  out.append(picture.pixels.begin(), picture.pixels.end());
  return out;
}

bool HaveJpegTools() { return HaveTool("djpeg") && HaveTool("cjpeg"); }

Raster DjpegFile(const fs::path& jpeg, const std::vector<std::string>& options) {
  return ParsePnm(RunTool("djpeg -pnm" + Arguments(options) + " " + ShellQuote(jpeg.string())));
}

Raster DjpegBytes(const std::string& jpeg, const std::vector<std::string>& options) {
  TempDir dir;
  WriteFileBytes(dir / "in.jpg", jpeg);
  return DjpegFile(dir / "in.jpg", options);
}

Raster DjpegRange(const fs::path& file, uint64_t offset, uint64_t size, const std::vector<std::string>& options) {
  std::ifstream in(file, std::ios::binary);
  std::string bytes(size, '\0');
  in.seekg(std::streamoff(offset));
  if (!in.read(bytes.data(), std::streamsize(size))) return {};
  return DjpegBytes(bytes, options);
}

std::string Cjpeg(const Raster& picture, const std::vector<std::string>& options) {
  TempDir dir;
  WriteFileBytes(dir / "in.pnm", EncodePnm(picture));
  return RunTool("cjpeg" + Arguments(options) + " " + ShellQuote((dir / "in.pnm").string()));
}

}  // namespace testsupport
