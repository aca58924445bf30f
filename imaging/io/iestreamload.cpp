#include "imaging/io/iestreamload.h"

#include <array>
#include <cstring>
#include <filesystem>
#include <mutex>

#include "imaging/core/iestreams.h"
#include "imaging/io/jpegfilt.h"
#include "platform/classes/streams.h"

namespace {

// Reads up to n bytes at the position; returns the count read. Never raises.
int32_t Peek(TStream& s, int64_t at, uint8_t* buf, int32_t n) {
  try {
    s.SetPosition(at);
    return s.Read(buf, n);
  } catch (...) {
    return 0;
  }
}

bool StartsWith(TStream& s, int64_t at, const void* magic, int32_t n) {
  uint8_t buf[16];
  if (n > int32_t(sizeof buf)) return false;
  return Peek(s, at, buf, n) == n && std::memcmp(buf, magic, size_t(n)) == 0;
}

// Signature checks this unit ships for formats with an unmistakable one; the
// weak tests (Targa, camera raw, the vector and layer streams) come only from
// their readers.
bool SigHDPhoto(TStream& s) { return StartsWith(s, s.Position(), "II\xBC", 3); }
bool SigTIFF(TStream& s) {
  int64_t p = s.Position();
  return StartsWith(s, p, "II*\0", 4) || StartsWith(s, p, "MM\0*", 4);
}
bool SigPNG(TStream& s) { return StartsWith(s, s.Position(), "\x89PNG\r\n\x1A\n", 8); }
bool SigDICOM(TStream& s) { return StartsWith(s, s.Position() + 128, "DICM", 4); }
bool IconDir(TStream& s, uint8_t type) {
  uint8_t b[6];
  if (Peek(s, s.Position(), b, 6) != 6) return false;
  return b[0] == 0 && b[1] == 0 && b[2] == type && b[3] == 0 && (b[4] | b[5]) != 0;
}
bool SigICO(TStream& s) { return IconDir(s, 1); }
bool SigCUR(TStream& s) { return IconDir(s, 2); }
bool SigPXM(TStream& s) {
  uint8_t b[3];
  if (Peek(s, s.Position(), b, 3) != 3) return false;
  return b[0] == 'P' && b[1] >= '1' && b[1] <= '6' && (b[2] == ' ' || b[2] == '\n' || b[2] == '\r' || b[2] == '\t');
}
bool SigJP2(TStream& s) { return StartsWith(s, s.Position(), "\0\0\0\x0CjP  \r\n\x87\n", 12); }
bool SigJ2K(TStream& s) { return StartsWith(s, s.Position(), "\xFF\x4F\xFF\x51", 4); }
bool SigDCX(TStream& s) { return StartsWith(s, s.Position(), "\xB1\x68\xDE\x3A", 4); }
bool SigWMF(TStream& s) { return StartsWith(s, s.Position(), "\xD7\xCD\xC6\x9A", 4); }
bool SigEMF(TStream& s) {
  int64_t p = s.Position();
  return StartsWith(s, p, "\x01\0\0\0", 4) && StartsWith(s, p + 40, " EMF", 4);
}
bool SigPSD(TStream& s) { return StartsWith(s, s.Position(), "8BPS", 4); }

using TTest = std::function<bool(TStream&)>;

const std::array<TTest, ictCount>& ShippedTests() {
  static const std::array<TTest, ictCount> t = {
      SigHDPhoto, SigTIFF, nullptr, SigPNG, SigDICOM, SigICO,  SigCUR,  nullptr, SigPXM, SigJP2,
      SigJ2K,     SigDCX,  SigWMF,  SigEMF, SigPSD,   nullptr, nullptr, nullptr, nullptr,
  };
  return t;
}

std::mutex& TestsLock() {
  static std::mutex m;
  return m;
}
std::array<TTest, ictCount>& InstalledTests() {
  static std::array<TTest, ictCount> t = ShippedTests();
  return t;
}

TTest TestOf(TIEContentTestSlot slot) {
  std::lock_guard lock(TestsLock());
  return InstalledTests()[slot];
}

struct TSniffContext {
  TStream& stream;
  int64_t start;
  int64_t size;
};

bool Run(const TSniffContext& c, TIEContentTestSlot slot) {
  TTest t = TestOf(slot);
  if (!t) return false;
  c.stream.SetPosition(c.start);
  return t(c.stream);
}

bool Header(const TSniffContext& c, const char* tag) {
  return IECheckLibraryStreamHeader(c.stream, tag) == ieshValid;
}

struct TSniffRule {
  int32_t fileType;
  bool (*matches)(const TSniffContext&);
};

}  // namespace

TIEStreamHeaderState IECheckLibraryStreamHeader(TStream& stream, std::string_view tag, int32_t* length) {
  int64_t p = 0;
  try {
    p = stream.Position();
    uint8_t b[12];
    int32_t n = stream.Read(b, 12);
    int64_t size = stream.Size();
    stream.SetPosition(p);
    if (n != 12) return ieshNone;
    size_t textLen = 0;
    while (textLen < 5 && b[textLen] != 0) ++textLen;
    if (std::string_view(reinterpret_cast<const char*>(b), textLen) != tag) return ieshNone;
    int32_t len = int32_t(uint32_t(b[8]) | uint32_t(b[9]) << 8 | uint32_t(b[10]) << 16 | uint32_t(b[11]) << 24);
    // A length that points outside the stream would send the caller's position
    // before the data or past the end; such a header is not trusted.
    if (len < 0 || p + 12 + int64_t(len) > size) return ieshBadLength;
    if (length) *length = len;
    return ieshValid;
  } catch (...) {
    try {
      stream.SetPosition(p);
    } catch (...) {
    }
    return ieshNone;
  }
}

void IEWriteLibraryStreamHeader(TStream& stream, std::string_view tag, int32_t length) {
  uint8_t b[12] = {};
  std::memcpy(b, tag.data(), std::min<size_t>(tag.size(), 4));
  for (int i = 0; i < 4; ++i) b[8 + i] = uint8_t(uint32_t(length) >> (8 * i));
  stream.WriteBuffer(b, 12);
}

bool IsAVIStream(TStream& stream) {
  int64_t p = 0;
  try {
    p = stream.Position();
    bool r = StartsWith(stream, p, "RIFF", 4) && StartsWith(stream, p + 8, "AVI ", 4);
    stream.SetPosition(p);
    return r;
  } catch (...) {
    return false;
  }
}

void IESetContentTest(TIEContentTestSlot slot, std::function<bool(TStream&)> test) {
  if (slot >= ictCount) return;
  std::lock_guard lock(TestsLock());
  InstalledTests()[slot] = test ? std::move(test) : ShippedTests()[slot];
}

// The sniffer's tests, first match wins. Distinctive signatures come first and
// weak tests last: the library's own 12-byte headers, then fixed magic numbers,
// then the JPEG start-of-image search over the first 150 bytes, the program's
// registered tests and the camera-raw guess. Formats whose tests overlap
// (TIFF and camera raw, GIF and the headers) are told apart by this order
// alone, so it is part of the file format's contract and must not be re-sorted.
int32_t IEDetectStreamFormat(TStream& stream) {
  static const TSniffRule kRules[] = {
      {ioJPEG, [](const TSniffContext& c) { return c.size > 12 && Header(c, "JFIF"); }},
      {ioGIF, [](const TSniffContext& c) { return c.size > 13 && StartsWith(c.stream, c.start, "GIF", 3); }},
      {ioPCX, [](const TSniffContext& c) { return c.size > 12 && Header(c, "PCX2"); }},
      {ioPCX, [](const TSniffContext& c) { return c.size > 4 && StartsWith(c.stream, c.start, "PCX\0", 4); }},
      {ioBMP, [](const TSniffContext& c) { return c.size > 14 && StartsWith(c.stream, c.start, "BM", 2); }},
      {ioPCX,
       [](const TSniffContext& c) {
         uint8_t b[2];
         return c.size > 128 && Peek(c.stream, c.start, b, 2) == 2 && b[0] == 10 && b[1] <= 5;
       }},
      {ioTIFF, [](const TSniffContext& c) { return c.size > 12 && Header(c, "TIFF"); }},
      {ioHDP, [](const TSniffContext& c) { return Run(c, ictHDPhoto); }},
      {ioTIFF, [](const TSniffContext& c) { return Run(c, ictTIFF) && !Run(c, ictTIFFCameraRaw); }},
      {ioPNG, [](const TSniffContext& c) { return c.size > 8 && Run(c, ictPNG); }},
      {ioDICOM, [](const TSniffContext& c) { return Run(c, ictDICOM); }},
      {ioICO, [](const TSniffContext& c) { return Run(c, ictICO); }},
      {ioCUR, [](const TSniffContext& c) { return Run(c, ictCUR); }},
      {ioTGA, [](const TSniffContext& c) { return Run(c, ictTGA); }},
      {ioPXM, [](const TSniffContext& c) { return Run(c, ictPXM); }},
      {ioJP2, [](const TSniffContext& c) { return Run(c, ictJP2); }},
      {ioJ2K, [](const TSniffContext& c) { return Run(c, ictJ2K); }},
      {ioAVI, [](const TSniffContext& c) { return IsAVIStream(c.stream); }},
      {ioDCX, [](const TSniffContext& c) { return Run(c, ictDCX); }},
      {ioWMF, [](const TSniffContext& c) { return Run(c, ictWMF); }},
      {ioEMF, [](const TSniffContext& c) { return Run(c, ictEMF); }},
      {ioPSD, [](const TSniffContext& c) { return Run(c, ictPSD); }},
      {ioIEV, [](const TSniffContext& c) { return Run(c, ictObjects); }},
      {ioLYR, [](const TSniffContext& c) { return Run(c, ictLayers); }},
      {ioALL, [](const TSniffContext& c) { return Run(c, ictAll); }},
      {ioJPEG, [](const TSniffContext& c) { return JpegFindSOI(c.stream, true) >= 0; }},
      {-1,  // the program's registered tests; the rule itself yields their id
       nullptr},
      {ioRAW, [](const TSniffContext& c) { return Run(c, ictCameraRaw); }},
  };
  int64_t start = 0;
  try {
    start = stream.Position();
  } catch (...) {
    return 0;
  }
  int32_t result = 0;
  try {
    TSniffContext c{stream, start, stream.Size()};
    for (const TSniffRule& rule : kRules) {
      stream.SetPosition(start);
      if (rule.fileType < 0) {
        for (int32_t i = 0; i < IEFileFormatCount() && result == 0; ++i) {
          TIEFileFormatInfo* e = IEFileFormatAt(i);
          if (!e || !e->ContentTest) continue;
          stream.SetPosition(start);
          if (e->ContentTest(stream, e->FileType)) result = e->FileType;
        }
      } else if (rule.matches(c)) {
        result = rule.fileType;
      }
      if (result != 0) break;
    }
  } catch (...) {
  }
  try {
    stream.SetPosition(start);
  } catch (...) {
  }
  return result;
}

int32_t IEDetectFileFormat(const std::string& fileName, bool checkExtension) {
  if (fileName.empty()) return 0;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(std::filesystem::path(fileName), ec)) return 0;
  int32_t result = 0;
  try {
    TIEWideFileStream f(fileName, fmOpenRead | fmShareDenyWrite);
    result = IEDetectStreamFormat(f);
  } catch (...) {
    result = 0;
  }
  std::string ext = std::filesystem::path(fileName).extension().string();
  TIEFileFormatInfo* e = IEFileFormatFindByExt(ext);
  if (e && e->FileType == ioRAW && result == ioTIFF) return ioRAW;
  if (e && !e->IsBuiltIn) return e->FileType;
  if (checkExtension && result != 0) {
    if (!e)
      result = 0;
    else if (result == ioICO || result == ioCUR)
      result = e->FileType;
    else if (e->FileType != result)
      result = 0;
  }
  return result;
}
