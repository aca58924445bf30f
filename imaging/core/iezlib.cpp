#include "imaging/core/iezlib.h"

#include <climits>
#include <cstdlib>

namespace {

constexpr const char* kInvalidOperation = "Invalid ZStream operation!";
constexpr int32_t kSkipChunk = 8192;

[[noreturn]] void RaiseCompression(int code) { throw EZCompressionError(IEZLibErrorText(code)); }
[[noreturn]] void RaiseDecompression(int code) { throw EZDecompressionError(IEZLibErrorText(code)); }

int CCheck(int code) {
  if (code < 0) RaiseCompression(code);
  return code;
}

// A stream asking for a preset dictionary can never progress (none is ever
// given), so that answer is a failure here, not a result to pass on.
int DCheck(int code) {
  if (code < 0 || code == Z_NEED_DICT) RaiseDecompression(code);
  return code;
}

}  // namespace

int IEZLibLevel(uint8_t level) {
  static constexpr int kLevels[4] = {Z_NO_COMPRESSION, Z_BEST_SPEED, Z_DEFAULT_COMPRESSION, Z_BEST_COMPRESSION};
  if (level >= 4) RaiseCompression(Z_STREAM_ERROR);
  return kLevels[level];
}

const char* IEZLibErrorText(int code) {
  static constexpr const char* kTexts[10] = {"need dictionary", "stream end",   "",
                                             "file error",      "stream error", "data error",
                                             "insufficient memory", "buffer error", "incompatible version", ""};
  const int index = 2 - code;
  return index >= 0 && index < 10 ? kTexts[index] : "";
}

bool IEIsDeflateStream(const TStream& stream) { return stream.Is<TCustomZStream>(); }

// ---- TCustomZStream ------------------------------------------------------------------------

TCustomZStream::TCustomZStream(TStream& stream)
    : stream_(stream), startPos_(stream.Position()), streamPos_(startPos_) {}

TCustomZStream::~TCustomZStream() = default;

void TCustomZStream::SetSize(int64_t /*newSize*/) {}

void TCustomZStream::DoProgress() {
  if (OnProgress) OnProgress(this);
}

void TCustomZStream::RestorePosition() {
  if (stream_.Position() != streamPos_) stream_.SetPosition(streamPos_);
}

// ---- TZCompressionStream -------------------------------------------------------------------

TZCompressionStream::TZCompressionStream(TStream& dest, uint8_t level) : TCustomZStream(dest) {
  const int zlevel = IEZLibLevel(level);
  zs_.next_out = buffer_;
  zs_.avail_out = kBufferSize;
  CCheck(deflateInit(&zs_, zlevel));
}

TZCompressionStream::~TZCompressionStream() {
  try {
    Finish();
  } catch (...) {
    // A destructor cannot pass the failure on; Finish is there for callers who must see it.
  }
}

int32_t TZCompressionStream::Read(void* /*buffer*/, int32_t /*count*/) { throw EZCompressionError(kInvalidOperation); }

int32_t TZCompressionStream::Write(const void* buffer, int32_t count) {
  if (finished_) throw EZCompressionError(kInvalidOperation);
  if (count <= 0) return 0;
  zs_.next_in = static_cast<Bytef*>(const_cast<void*>(buffer));
  zs_.avail_in = uInt(count);
  RestorePosition();
  while (zs_.avail_in > 0) {
    CCheck(deflate(&zs_, Z_NO_FLUSH));
    if (zs_.avail_out == 0) {
      stream_.WriteBuffer(buffer_, kBufferSize);
      zs_.next_out = buffer_;
      zs_.avail_out = kBufferSize;
      streamPos_ = stream_.Position();
      DoProgress();
    }
  }
  zs_.next_in = nullptr;
  return count;
}

int64_t TZCompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
  // Compressed output cannot be taken back or skipped: only staying put is honoured.
  const auto total = int64_t(zs_.total_in);
  int64_t target = total;
  bool overflow = false;
  switch (origin) {
    case soBeginning: target = offset; break;
    case soCurrent:
    case soEnd: overflow = __builtin_add_overflow(total, offset, &target); break;
    default: break;
  }
  if (overflow || target != total) throw EZCompressionError(kInvalidOperation);
  return total;
}

void TZCompressionStream::Finish() {
  if (finished_) return;
  finished_ = true;
  zs_.next_in = nullptr;
  zs_.avail_in = 0;
  struct EndGuard {
    z_stream& zs;
    ~EndGuard() { deflateEnd(&zs); }
  } guard{zs_};
  RestorePosition();
  for (;;) {
    if (CCheck(deflate(&zs_, Z_FINISH)) == Z_STREAM_END) break;
    stream_.WriteBuffer(buffer_, kBufferSize - int32_t(zs_.avail_out));
    zs_.next_out = buffer_;
    zs_.avail_out = kBufferSize;
  }
  if (zs_.avail_out < uInt(kBufferSize)) stream_.WriteBuffer(buffer_, kBufferSize - int32_t(zs_.avail_out));
  zs_.next_out = buffer_;
  zs_.avail_out = kBufferSize;
  streamPos_ = stream_.Position();
}

// ---- TZDecompressionStream -----------------------------------------------------------------

TZDecompressionStream::TZDecompressionStream(TStream& source) : TCustomZStream(source) {
  zs_.next_in = buffer_;
  zs_.avail_in = 0;
  DCheck(inflateInit(&zs_));
}

TZDecompressionStream::~TZDecompressionStream() { inflateEnd(&zs_); }

int32_t TZDecompressionStream::Write(const void* /*buffer*/, int32_t /*count*/) {
  throw EZDecompressionError(kInvalidOperation);
}

int32_t TZDecompressionStream::Read(void* buffer, int32_t count) {
  if (count <= 0) return 0;
  zs_.next_out = static_cast<Bytef*>(buffer);
  zs_.avail_out = uInt(count);
  RestorePosition();
  int code = Z_OK;
  while (zs_.avail_out > 0 && code != Z_STREAM_END) {
    if (zs_.avail_in == 0) {
      const int32_t got = stream_.Read(buffer_, kBufferSize);
      if (got <= 0) {
        // A source that ends early simply ends the data.
        const int32_t done = count - int32_t(zs_.avail_out);
        zs_.next_out = nullptr;
        zs_.avail_out = 0;
        return done;
      }
      zs_.next_in = buffer_;
      zs_.avail_in = uInt(got);
      streamPos_ = stream_.Position();
      DoProgress();
    }
    code = DCheck(inflate(&zs_, Z_NO_FLUSH));
  }
  if (code == Z_STREAM_END && zs_.avail_in > 0) {
    // Leave the source on the first byte after the compressed data, for containers that go on reading.
    stream_.SetPosition(stream_.Position() - int64_t(zs_.avail_in));
    streamPos_ = stream_.Position();
    zs_.avail_in = 0;
  }
  const int32_t done = count - int32_t(zs_.avail_out);
  zs_.next_out = nullptr;
  zs_.avail_out = 0;
  return done;
}

int64_t TZDecompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
  const int64_t totalOut = int64_t(zs_.total_out);
  if (offset == 0 && origin == soBeginning) {
    DCheck(inflateReset(&zs_));
    zs_.next_in = buffer_;
    zs_.avail_in = 0;
    // Back to where the compressed data began, which need not be the source's byte 0.
    stream_.SetPosition(startPos_);
    streamPos_ = startPos_;
  } else if ((offset >= 0 && origin == soCurrent) || (offset - totalOut > 0 && origin == soBeginning)) {
    if (origin == soBeginning) offset -= totalOut;
    if (offset > 0) {
      uint8_t scratch[kSkipChunk];
      for (int64_t i = offset / kSkipChunk; i > 0; --i) ReadBuffer(scratch, kSkipChunk);
      ReadBuffer(scratch, offset % kSkipChunk);
    }
  } else if (offset == 0 && origin == soEnd) {
    uint8_t scratch[kSkipChunk];
    while (Read(scratch, kSkipChunk) > 0) {
    }
  } else {
    throw EZDecompressionError(kInvalidOperation);
  }
  return int64_t(zs_.total_out);
}

// ---- ZDecompressBuffer ---------------------------------------------------------------------

void ZDecompressBuffer(const void* inBuffer, int32_t inSize, void*& outBuffer, int32_t outEstimate,
                       int32_t& outSize) {
  outBuffer = nullptr;
  outSize = 0;
  if (inSize < 0 || outEstimate < 0 || (inBuffer == nullptr && inSize > 0)) RaiseDecompression(Z_STREAM_ERROR);
  const int64_t step = (int64_t(inSize) + 255) & ~int64_t(255);
  int64_t size = outEstimate != 0 ? outEstimate : step;
  auto* out = static_cast<uint8_t*>(std::malloc(size_t(size > 0 ? size : 1)));
  if (!out) RaiseDecompression(Z_MEM_ERROR);
  z_stream zs{};
  zs.next_in = static_cast<Bytef*>(const_cast<void*>(inBuffer));
  zs.avail_in = uInt(inSize);
  zs.next_out = out;
  zs.avail_out = uInt(size);
  try {
    DCheck(inflateInit(&zs));
    try {
      while (DCheck(inflate(&zs, Z_NO_FLUSH)) != Z_STREAM_END) {
        if (step == 0 || size + step > INT32_MAX) RaiseDecompression(Z_MEM_ERROR);
        size += step;
        auto* grown = static_cast<uint8_t*>(std::realloc(out, size_t(size)));
        if (!grown) RaiseDecompression(Z_MEM_ERROR);
        out = grown;
        zs.next_out = out + zs.total_out;
        zs.avail_out = uInt(step);
      }
    } catch (...) {
      inflateEnd(&zs);
      throw;
    }
    DCheck(inflateEnd(&zs));
    const auto total = int64_t(zs.total_out);
    if (total == 0) {
      std::free(out);
      out = nullptr;
    } else if (total < size) {
      if (auto* shrunk = static_cast<uint8_t*>(std::realloc(out, size_t(total)))) out = shrunk;
    }
    outSize = int32_t(total);
  } catch (...) {
    std::free(out);
    throw;
  }
  outBuffer = out;
}
