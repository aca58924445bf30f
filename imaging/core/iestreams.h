// The image library's streams: a buffered reader and writer in front of any
// stream, a file stream that owns its descriptor, a read-only stream over a
// caller's memory, a stream that only counts, and copy and length-prefixed
// text routines.
//
// Positions are 64-bit byte offsets. None of these streams owns the stream it
// reads from or writes to; that stream must outlive it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/classes/streams.h"
#include "platform/rtl/exceptions.h"

// Puts a fixed-size buffer in front of a source so that readers taking one
// byte at a time do not pay a source call per byte.
//
// The size is the source's size when this stream was made; later growth of the
// source is not seen. With Relative, position 0 is the source's position at
// construction; a seek may still go below it, down to the source's byte 0.
// The source's own position is left wherever the last buffer fill ended.
class TIEBufferedReadStream : public TStream {
  DX_CLASS(TIEBufferedReadStream, TStream)
public:
  TIEBufferedReadStream(TStream& source, int32_t bufferSize, bool relative = false);
  ~TIEBufferedReadStream() override;
  TIEBufferedReadStream(const TIEBufferedReadStream&) = delete;
  TIEBufferedReadStream& operator=(const TIEBufferedReadStream&) = delete;

  // Never raises for a short read: the count is cut at the end and the end flag set.
  int32_t Read(void* buffer, int32_t count) override;
  // Raises Exception "TIEBufferedReadStream cannot write!".
  int32_t Write(const void* buffer, int32_t count) override;
  // soEnd counts back from the end: Seek(4, soEnd) is 4 bytes before it. The
  // target is clamped to the source's byte 0 and to the end (which sets the end flag).
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;

  // Replaces the buffer (at least one byte) and fills it from the current position.
  void SetBufferSize(int32_t bufferSize);
  int32_t BufferSize() const { return bufferSize_; }
  // Set by a read cut at the end and by a seek that reached the end.
  bool EndOfStream() const { return endOfStream_; }

private:
  void FillBuffer();

  TStream& source_;
  int32_t bufferSize_ = 0;
  std::unique_ptr<uint8_t[]> buffer_;
  int64_t position_ = 0;     // absolute position in the source
  int32_t bufferIndex_ = 0;  // offset in the buffer of position_
  int32_t bufferFill_ = 0;   // bytes the last fill really got
  int64_t size_ = 0;
  int64_t origin_ = 0;
  bool endOfStream_ = false;
};

// Collects writes in a buffer and hands them to the destination in blocks of
// the buffer's size, on Flush, on any Seek (so also on Position and Size) and
// on destruction.
class TIEBufferedWriteStream : public TStream {
  DX_CLASS(TIEBufferedWriteStream, TStream)
public:
  TIEBufferedWriteStream(TStream& destination, int32_t bufferSize);
  // Flushes what is left. A destination that fails here cannot report it:
  // call Flush first where a write error matters.
  ~TIEBufferedWriteStream() override;
  TIEBufferedWriteStream(const TIEBufferedWriteStream&) = delete;
  TIEBufferedWriteStream& operator=(const TIEBufferedWriteStream&) = delete;

  // Raises Exception "TIEBufferedWriteStream cannot read!".
  int32_t Read(void* buffer, int32_t count) override;
  // Returns count (0 when not positive); a block the destination refuses raises EWriteError.
  int32_t Write(const void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  // Raises EWriteError when the destination takes fewer bytes than it was given.
  void Flush();

private:
  TStream& destination_;
  std::unique_ptr<uint8_t[]> buffer_;
  int32_t bufferSize_ = 0;
  int32_t fillCount_ = 0;
};

// A handle stream on a file that it opens (or with fmCreate creates or
// truncates) and closes. The name is UTF-8. The mode is the framework's: access
// in the low two bits (0 read, 1 write, 2 both) and sharing in bits 4..6
// (advisory here). An access above 2 or a sharing above fmShareDenyNone is
// refused before the file system is touched. Raises EFCreateError
// "Cannot create file \"%s\". %s" or EFOpenError "Cannot open file \"%s\". %s".
class TIEWideFileStream : public THandleStream {
  DX_CLASS(TIEWideFileStream, THandleStream)
public:
  TIEWideFileStream(const std::string& fileName, uint16_t mode);
  ~TIEWideFileStream() override;
  TIEWideFileStream(const TIEWideFileStream&) = delete;
  TIEWideFileStream& operator=(const TIEWideFileStream&) = delete;
};

// Copies count bytes from the source's position to the destination's position
// in chunks of at most 196,607 bytes and returns the count it set out to copy.
// Count 0 copies the whole source from its start; a count beyond what remains
// is cut to what remains (deflate streams, whose size cannot be asked, are
// taken at their word and raise EReadError when they run short).
int64_t IECopyStreamData(TStream& destination, TStream& source, int64_t count);

// A read-only stream over a caller's memory block, which must outlive it and is
// never written, freed or resized through it. Write returns 0; SetSize does nothing.
class TIEMemStream : public TCustomMemoryStream {
  DX_CLASS(TIEMemStream, TCustomMemoryStream)
public:
  TIEMemStream(const void* memory, int64_t size);
  int32_t Write(const void* buffer, int32_t count) override;
  void SetSize(int64_t newSize) override;
};

// A stream that stores nothing and only counts, so that a writer can be run to
// measure the size of its output. Read and Write move the position by count and
// grow the size to it. Seek from the end counts back: Seek(n, soEnd) is size - n.
class TNulStream : public TStream {
  DX_CLASS(TNulStream, TStream)
public:
  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;

private:
  int64_t position_ = 0;
  int64_t size_ = 0;
};

// Text in the system code page behind a 32-bit little-endian byte count. The
// text is UTF-8 here and converted at this boundary (unmappable characters become '?').
void WriteAnsiStringToStream(TStream& stream, const std::string& text);
// Raises EReadError, leaving text empty, when the count is negative or more
// than the stream holds.
void ReadAnsiStringFromStream(TStream& stream, std::string& text);
