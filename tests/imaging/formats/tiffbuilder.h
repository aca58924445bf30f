// Builds small TIFF structures byte by byte for tests, following TIFF 6.0
// section 2 directly (not through the code under test), in either byte order.
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/streams.h"
#include "platform/rtl/sysutils.h"

#include "tests/support/testsupport.h"

namespace tiffbuild {

// One entry: the value's bytes in file order; more than 4 go out of line.
struct Entry {
  uint16_t tag = 0;
  uint16_t type = 0;
  uint32_t count = 0;
  std::string value;         // count x type size bytes, already in file order
  bool rawField = false;     // value is the 4-byte field itself (an offset chosen by the test)
};

class Builder {
public:
  // With a prefix, the structure starts that many bytes into the file and every
  // offset (returned, patched, written) counts from its header.
  explicit Builder(bool bigEndian, size_t prefix = 0) : big_(bigEndian), prefix_(prefix) {
    bytes_.assign(prefix, 'x');
    bytes_ += big_ ? "MM" : "II";
    bytes_ += U16(42);
    bytes_ += U32(0);
  }
  bool Big() const { return big_; }
  std::string U16(uint32_t v) const {
    std::string s(2, '\0');
    s[big_ ? 0 : 1] = char(v >> 8);
    s[big_ ? 1 : 0] = char(v);
    return s;
  }
  std::string U32(uint32_t v) const {
    std::string s(4, '\0');
    for (int k = 0; k < 4; ++k) s[size_t(k)] = char(big_ ? v >> (24 - 8 * k) : v >> (8 * k));
    return s;
  }

  Entry Short(uint16_t tag, std::vector<uint32_t> values) const {
    std::string v;
    for (uint32_t x : values) v += U16(x);
    return {tag, 3, uint32_t(values.size()), v, false};
  }
  Entry Long(uint16_t tag, std::vector<uint32_t> values) const {
    std::string v;
    for (uint32_t x : values) v += U32(x);
    return {tag, 4, uint32_t(values.size()), v, false};
  }
  Entry Rational(uint16_t tag, std::vector<std::pair<uint32_t, uint32_t>> values, uint16_t type = 5) const {
    std::string v;
    for (auto [n, d] : values) v += U32(n) + U32(d);
    return {tag, type, uint32_t(values.size()), v, false};
  }
  Entry Ascii(uint16_t tag, const std::string& s) const { return {tag, 2, uint32_t(s.size() + 1), s + '\0', false}; }
  Entry Bytes(uint16_t tag, uint16_t type, const std::string& raw) const {
    return {tag, type, uint32_t(raw.size()), raw, false};
  }
  // An entry whose value field is given as is (an offset, a count that lies).
  Entry Raw(uint16_t tag, uint16_t type, uint32_t count, uint32_t field) const {
    return {tag, type, count, U32(field), true};
  }

  // Appends bytes at an even offset and returns that offset.
  uint32_t Append(const std::string& data) {
    if ((bytes_.size() - prefix_) % 2) bytes_ += '\0';
    const uint32_t at = uint32_t(bytes_.size() - prefix_);
    bytes_ += data;
    return at;
  }

  // Appends an IFD (its out-of-line values first) and returns its offset.
  uint32_t AddIFD(const std::vector<Entry>& entries, uint32_t next = 0) {
    std::vector<std::string> fields;
    for (const Entry& e : entries) {
      if (e.rawField || e.value.size() <= 4) {
        std::string f = e.value;
        f.resize(4, '\0');
        fields.push_back(f);
      } else {
        fields.push_back(U32(Append(e.value)));
      }
    }
    std::string ifd = U16(uint32_t(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i)
      ifd += U16(entries[i].tag) + U16(entries[i].type) + U32(entries[i].count) + fields[i];
    ifd += U32(next);
    return Append(ifd);
  }
  void SetFirstIFD(uint32_t offset) { Patch(4, U32(offset)); }
  // The next-IFD field of an IFD with n entries at offset.
  void SetNext(uint32_t ifd, uint32_t entries, uint32_t next) { Patch(ifd + 2 + 12 * entries, U32(next)); }
  void Patch(size_t at, const std::string& data) {
    at += prefix_;
    if (bytes_.size() < at + data.size()) bytes_.resize(at + data.size(), '\0');
    bytes_.replace(at, data.size(), data);
  }
  const std::string& Bytes() const { return bytes_; }

private:
  bool big_;
  size_t prefix_;
  std::string bytes_;
};

// A memory stream holding the bytes, positioned at 0.
inline std::unique_ptr<TMemoryStream> StreamOf(const std::string& bytes) {
  auto s = std::make_unique<TMemoryStream>();
  if (!bytes.empty()) s->WriteBuffer(bytes.data(), int64_t(bytes.size()));
  s->SetPosition(0);
  return s;
}

inline std::string BytesOf(TMemoryStream& s) {
  return std::string(static_cast<const char*>(s.Memory()), size_t(s.Size()));
}

// Runs a command and returns its standard output; ok is false when it could not run or failed.
inline std::string RunCommand(const std::string& command, bool& ok) {
  int status = 0;
  std::string out = testsupport::RunCommand(command, &status);
  ok = ExitCodeOfStatus(status) == 0;
  return out;
}

using testsupport::HaveTool;

// exiftool -a -G1 -s -n, as a map "Group:Tag" -> value text.
inline std::map<std::string, std::string> ExifTool(const std::string& file, bool& ok) {
  std::map<std::string, std::string> tags;
  const std::string out = RunCommand("exiftool -a -G1 -s -n " + testsupport::ShellQuote(file) + " 2>/dev/null", ok);
  size_t pos = 0;
  while (pos < out.size()) {
    size_t eol = out.find('\n', pos);
    if (eol == std::string::npos) eol = out.size();
    const std::string line = out.substr(pos, eol - pos);
    pos = eol + 1;
    const size_t close = line.find(']');
    const size_t colon = line.find(" : ");
    if (line.empty() || line[0] != '[' || close == std::string::npos || colon == std::string::npos) continue;
    std::string group = line.substr(1, close - 1);
    std::string name = line.substr(close + 1, colon - close - 1);
    auto trim = [](std::string s) {
      while (!s.empty() && (s.back() == ' ' || s.back() == '\r')) s.pop_back();
      while (!s.empty() && s.front() == ' ') s.erase(0, 1);
      return s;
    };
    tags[trim(group) + ":" + trim(name)] = line.substr(colon + 3);
  }
  return tags;
}

// The payload of the first APP1 marker of a JPEG that starts with the given text.
inline std::string JpegApp1(const std::string& jpeg, const std::string& signature) {
  size_t pos = 2;
  while (pos + 4 <= jpeg.size() && uint8_t(jpeg[pos]) == 0xFF) {
    const uint8_t code = uint8_t(jpeg[pos + 1]);
    const size_t len = (size_t(uint8_t(jpeg[pos + 2])) << 8) | uint8_t(jpeg[pos + 3]);
    if (code == 0xDA || len < 2 || pos + 2 + len > jpeg.size()) break;
    const std::string payload = jpeg.substr(pos + 4, len - 2);
    if (code == 0xE1 && payload.compare(0, signature.size(), signature) == 0) return payload;
    pos += 2 + len;
  }
  return {};
}

// The JPEG with one more marker right after its SOI.
inline std::string InsertMarker(const std::string& jpeg, uint8_t code, const std::string& payload) {
  const size_t len = payload.size() + 2;
  std::string marker = {char(0xFF), char(code), char(len >> 8), char(len & 0xFF)};
  return jpeg.substr(0, 2) + marker + payload + jpeg.substr(2);
}

}  // namespace tiffbuild
