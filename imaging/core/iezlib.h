// Deflate streams over zlib, in the zlib format (RFC 1950: two-byte header,
// deflate data, Adler-32 trailer), with zlib's default window and memory
// settings.
//
// TZCompressionStream is write-only: what is written to it is compressed into a
// destination stream. TZDecompressionStream is read-only: reading it yields the
// inflated content of a source stream. Neither owns the other stream. Both put
// the other stream back where they last left it before they touch it again, so
// the compressed bytes stay contiguous even if someone moves it in between.
//
// These classes belong to the I/O unit's vocabulary; they live in the core
// because the core's stream copy must recognise them.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <functional>

#include "platform/classes/streams.h"
#include "platform/rtl/exceptions.h"

DX_EXCEPTION(EZLibError, Exception);
DX_EXCEPTION(EZCompressionError, EZLibError);
DX_EXCEPTION(EZDecompressionError, EZLibError);

// Levels of TZCompressionStream: 0 store only, 1 fastest, 2 zlib's default, 3 best.
// Anything else raises EZCompressionError "stream error".
// zlib's level for one of ours.
int IEZLibLevel(uint8_t level);
// Text of a zlib result code: "need dictionary", "stream end", "", "file error",
// "stream error", "data error", "insufficient memory", "buffer error",
// "incompatible version"; empty for anything else.
const char* IEZLibErrorText(int code);

class TCustomZStream : public TStream {
  DX_CLASS(TCustomZStream, TStream)
public:
  ~TCustomZStream() override;
  TCustomZStream(const TCustomZStream&) = delete;
  TCustomZStream& operator=(const TCustomZStream&) = delete;

  // Called after every exchange-buffer transfer with the other stream.
  std::function<void(TObject* sender)> OnProgress;

  // Setting the size does nothing.
  void SetSize(int64_t newSize) override;

protected:
  static constexpr int32_t kBufferSize = 65536;
  explicit TCustomZStream(TStream& stream);
  void DoProgress();
  // Puts the other stream back where this object last left it.
  void RestorePosition();

  TStream& stream_;
  int64_t startPos_ = 0;  // the other stream's position at creation
  int64_t streamPos_ = 0;
  z_stream zs_{};
  uint8_t buffer_[kBufferSize];
};

class TZCompressionStream : public TCustomZStream {
  DX_CLASS(TZCompressionStream, TCustomZStream)
public:
  TZCompressionStream(TStream& dest, uint8_t level = 2);
  // Finishes the compressed data if Finish was not called. Errors cannot leave a
  // destructor: call Finish where a failed final write must be seen.
  ~TZCompressionStream() override;

  // Raises EZCompressionError "Invalid ZStream operation!".
  int32_t Read(void* buffer, int32_t count) override;
  // Compresses count bytes and returns count (0 when not positive).
  int32_t Write(const void* buffer, int32_t count) override;
  // Position and size are the count of bytes written so far. A seek to any
  // other place raises EZCompressionError "Invalid ZStream operation!".
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  // Writes the final block and trailer; the compressed data is complete only
  // after this (or destruction). Later writes raise "Invalid ZStream operation!".
  void Finish();

private:
  bool finished_ = false;
};

class TZDecompressionStream : public TCustomZStream {
  DX_CLASS(TZDecompressionStream, TCustomZStream)
public:
  explicit TZDecompressionStream(TStream& source);
  ~TZDecompressionStream() override;

  // Returns the inflated bytes placed in buffer, fewer at the end of the data or
  // of the source. Corrupt data raises EZDecompressionError with zlib's reason.
  // Once the data has ended the source stands on the first byte after it.
  int32_t Read(void* buffer, int32_t count) override;
  // Raises EZDecompressionError "Invalid ZStream operation!".
  int32_t Write(const void* buffer, int32_t count) override;
  // Only: position 0 from the beginning (rewinds, and puts the source back
  // where the compressed data began), forward from the beginning or the current position (inflates and
  // discards), 0 from the end (inflates to the end). Anything else raises
  // "Invalid ZStream operation!". Returns the inflated bytes so far.
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
};

// Whether the stream is a compression or decompression stream.
bool IEIsDeflateStream(const TStream& stream);

// Inflates inSize bytes at inBuffer into a new block (outBuffer, outSize) that
// the caller releases with std::free. outEstimate is the expected output size,
// 0 for none; without it the block starts at, and grows in steps of, inSize
// rounded up to a multiple of 256. Raises EZDecompressionError; on any failure
// nothing is left allocated.
void ZDecompressBuffer(const void* inBuffer, int32_t inSize, void*& outBuffer, int32_t outEstimate,
                       int32_t& outSize);
