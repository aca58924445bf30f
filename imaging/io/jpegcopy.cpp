// Walks over the segments of a JPEG stream (ISO/IEC 10918-1, B.1.1.2-B.1.1.5):
// measuring one inside a longer stream and copying one with a new EXIF
// segment (EXIF 2.3, 4.5.4). A marker is 0xFF and a code; any number of 0xFF
// fill bytes may stand before it. Codes 0xC0-0xCF and 0xDA-0xFE open a
// segment whose 16-bit big-endian length counts itself; 0x00 (a stuffed byte
// in entropy-coded data), 0x01 and 0xD0-0xD8 (restarts, SOI) stand alone.
#include <cstring>
#include <vector>

#include "imaging/core/iestreams.h"
#include "imaging/io/jpegfilt.h"
#include "imaging/metadata/ieexif.h"
#include "platform/rtl/exceptions.h"

namespace {

constexpr int32_t kViewSize = 8192;

bool OpensSegment(uint8_t m) { return (m >= 0xC0 && m <= 0xCF) || (m >= 0xDA && m <= 0xFE); }
bool StandsAlone(uint8_t m) { return m <= 0x01 || (m >= 0xD0 && m <= 0xD8); }

bool ReadByte(TStream& in, uint8_t& b) { return in.Read(&b, 1) == 1; }

}  // namespace

namespace {

// Where the walk ends: just after the end-of-image marker, else the end of the data.
int64_t WalkToEnd(TIEBufferedReadStream& in, int64_t size) {
  uint8_t m = 0;
  for (;;) {
    do {
      if (!ReadByte(in, m)) return size;
    } while (m != 0xFF);
    do {  // fill bytes before the code
      if (!ReadByte(in, m)) return size;
    } while (m == 0xFF);
    if (m == 0xD9) return in.Position();
    if (!OpensSegment(m)) continue;
    uint8_t field[2];
    if (in.Read(field, 2) != 2) return size;
    // A length below 2 would walk backwards, one past the end leaves the
    // data: either way the stream holds no end this walk can trust.
    const int64_t length = (int64_t(field[0]) << 8) | field[1];
    if (length < 2 || length - 2 > size - in.Position()) return size;
    in.Seek(length - 2, soCurrent);
  }
}

}  // namespace

int64_t GetJpegDataLength(TStream& Stream) {
  const int64_t start = Stream.Position();
  const int64_t size = Stream.Size();
  int64_t end = start;
  {
    TIEBufferedReadStream in(Stream, kViewSize);
    end = WalkToEnd(in, size);
  }
  Stream.SetPosition(start);
  return end - start;
}

namespace {

// One copy: Source through a read view, Dest through a write buffer.
class TExifCopy {
public:
  TExifCopy(TStream& source, TStream& dest, const std::vector<uint8_t>& exif, TIEProgressRecord& progress)
      : start_(source.Position()), in_(source, kViewSize), out_(dest, kViewSize), exif_(exif), progress_(progress) {
    const int64_t left = source.Size() - start_;
    perByte_ = left > 0 ? 100.0 / double(left) : 0.0;
  }

  // True when the walk got through without a code that cannot stand in a JPEG or a broken segment.
  bool Run() {
    uint8_t b = 0;
    while (ReadByte(in_, b)) {
      if (b != 0xFF) {
        Put(&b, 1);
        continue;
      }
      uint8_t m = 0;
      bool atEnd = false;
      for (;;) {  // fill bytes are copied as they stand
        if (!ReadByte(in_, m)) {
          atEnd = true;
          break;
        }
        if (m != 0xFF) break;
        Put(&b, 1);
      }
      if (atEnd) {
        Put(&b, 1);
        break;
      }
      if (m >= 0x02 && m <= 0xBF) return false;
      if (!Marker(m)) return false;
      Report();
      if (m == 0xD9) break;
    }
    return true;
  }

  bool Written() const { return written_; }
  void Flush() { out_.Flush(); }
  int64_t Position() { return in_.Position(); }

private:
  void Put(const void* data, int64_t count) { out_.Write(data, int32_t(count)); }

  bool Marker(uint8_t m) {
    const uint8_t code[2] = {0xFF, m};
    if (StandsAlone(m)) {
      Put(code, 2);
      return true;
    }
    if (m == 0xD9) {
      Put(code, 2);
      uint8_t chunk[kViewSize];
      for (int32_t got; (got = in_.Read(chunk, kViewSize)) > 0;) Put(chunk, got);
      return true;
    }
    uint8_t field[2];
    if (in_.Read(field, 2) != 2) return false;
    const int32_t length = (int32_t(field[0]) << 8) | field[1];
    if (length < 2) return false;
    std::vector<uint8_t> payload(size_t(length - 2));
    if (in_.Read(payload.data(), length - 2) != length - 2) return false;
    const bool oldExif = m == 0xE1 && IEIsExifMarkerData(payload.data(), int32_t(payload.size()));
    if (!oldExif) {
      Put(code, 2);
      Put(field, 2);
      Put(payload.data(), int64_t(payload.size()));
    }
    if ((m == 0xE0 || m == 0xE1) && !written_) {
      if (!exif_.empty()) {
        const size_t n = exif_.size() + 2;
        const uint8_t head[4] = {0xFF, 0xE1, uint8_t(n >> 8), uint8_t(n)};
        Put(head, 4);
        Put(exif_.data(), int64_t(exif_.size()));
      }
      written_ = true;
    }
    return true;
  }

  void Report() {
    if (!progress_.fOnProgress) return;
    const int32_t per = int32_t(double(in_.Position() - start_) * perByte_);
    if (per == lastReported_) return;
    lastReported_ = per;
    progress_.fOnProgress(progress_.Sender, per);
  }

  int64_t start_;  // before the view, whose first fill moves the source
  TIEBufferedReadStream in_;
  TIEBufferedWriteStream out_;
  const std::vector<uint8_t>& exif_;
  TIEProgressRecord& progress_;
  double perByte_ = 0;
  int32_t lastReported_ = -1;
  bool written_ = false;
};

}  // namespace

bool JpegReplaceExifStream(TStream& Source, TStream& Dest, TIOParamsVals& Params, TIEProgressRecord& Progress) {
  const std::vector<uint8_t> exif = IESaveEXIFToBuffer(Params, true);
  // A block too large for one segment is refused before anything is copied.
  if (int64_t(exif.size()) > JpegMaxMarkerPayload) return false;
  bool walked = false, written = false;
  int64_t end = 0;
  try {
    TExifCopy copy(Source, Dest, exif, Progress);
    walked = copy.Run();
    written = copy.Written();
    end = copy.Position();
    copy.Flush();
  } catch (const EWriteError&) {
    return false;  // Dest took fewer bytes than given
  }
  Source.SetPosition(end);
  return walked && written;
}
