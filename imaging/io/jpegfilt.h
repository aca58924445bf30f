// The image library's JPEG codec over libjpeg (IJG API, version 62): the
// decoder (stream source, error bridge, decode-time scaling to a requested
// size, colour-space mapping, resolution, saved markers, ICC profile, IPTC,
// EXIF and XMP), the encoder with its stream destination, and the walks over
// a JPEG's segments that measure it inside a longer stream or copy it with a
// new EXIF segment.
//
// libjpeg reports fatal errors by calling an error exit that must not return;
// it is bridged with setjmp/longjmp inside thin C-shaped functions, and the
// library's message becomes an EIEJpegException or the caller's Aborting flag
// only after the library's frames are gone.
#pragma once

#include <atomic>
#include <cstdint>

#include "imaging/core/iebitmap.h"
#include "imaging/io/ieprogress.h"
#include "imaging/io/ioparams.h"
#include "platform/rtl/exceptions.h"

class TStream;
struct jpeg_decompress_struct;
struct jpeg_compress_struct;
struct jpeg_common_struct;

DX_EXCEPTION(EIEJpegException, Exception);

// What a JPEG read does besides decoding; the defaults are a full read of
// pixels, metadata and ICC profile in a 24-bit (or CMYK) buffer.
struct TJpegReadOptions {
  // Null, or an abbreviated datastream of tables read first.
  TStream* TablesStream = nullptr;
  // Fill Params only; no pixels.
  bool HeaderOnly = false;
  // Keep YCbCr samples instead of converting to RGB.
  bool KeepYCbCr = false;
  // Keep the markers and read EXIF, IPTC and XMP from them.
  bool LoadMetadata = true;
  bool InvertCMYK = false;
  // Convert through the embedded ICC profile when colour management is on.
  bool ApplyICC = true;
  // Gather the embedded ICC profile into Params.
  bool ReadICC = true;
  // Rows to decode; < 0 means every row of the bitmap.
  int32_t MaxLines = -1;
  // Keep the file's own pixel format (8-bit gray, CMYK) instead of ie24RGB.
  bool NativePixelFormat = false;
};

// Decodes the JPEG at Stream's position into Bitmap and fills Params.
// Returns the rows stored (0 for a header-only read). Bad data sets
// *Progress.Aborting instead of raising; only a library error while reading
// the tables stream raises EIEJpegException. On return Stream's position lies
// somewhere after the data.
int32_t ReadJpegStream(TStream& Stream, TIEBitmap& Bitmap, TIOParamsVals& Params, TIEProgressRecord& Progress,
                       const TJpegReadOptions& Options = {});

// Position of the first 0xFF 0xD8 0xFF at or after the current position.
// With Scan the 150 positions start .. start + 149 are tried; without it only
// the current one (then the result is 0 on a hit). -1 when none hits. The
// stream's position is restored.
int64_t JpegFindSOI(TStream& Stream, bool Scan);

// Assembles the APP2 "ICC_PROFILE" chunks of the JPEG at Stream's position
// into Params' input profile. Chunks with a sequence number of 0 or beyond
// their count, or too short for their header, make the profile unusable and
// it is skipped. The stream's position is restored.
void ReadJpegICCProfile(TStream& Stream, TIOParamsVals& Params);

// Stream source manager: installs (reusing the decompressor's record when it
// has one) or frees the source that reads compressed data from Stream in
// 65,536-byte blocks. AbortFlag may be null.
void JpegSetStreamSource(jpeg_decompress_struct* Decompressor, TStream* Stream, std::atomic<bool>* AbortFlag);
void JpegFreeStreamSource(jpeg_decompress_struct* Decompressor);

// ---- encoding and stream copies --------------------------------------------

// The largest payload a marker segment can carry: its 16-bit length counts
// itself too.
constexpr int32_t JpegMaxMarkerPayload = 65533;

// Raises EIEJpegException "Bogus marker length" (and the abort flag) for a
// payload no segment can hold; a longer one is refused, never cut short.
void JpegCheckMarkerPayload(int64_t length, std::atomic<bool>* Aborting);

// Encodes Bitmap at Stream's position with Params' JPEG settings (colour
// space, quality, DCT method, Huffman optimisation, smoothing, chroma
// sampling, progressive), its resolution as the JFIF density and every marker
// of JpegMarkers but APP14, sorted first. An empty bitmap, a stream that takes
// fewer bytes than given or a raised abort flag set *Progress.Aborting and
// stop the rows; a library error raises EIEJpegException. Everything made is
// released on every path.
void WriteJpegStream(TStream& Stream, TIEBitmap& Bitmap, TIOParamsVals& Params, TIEProgressRecord& Progress);

// Stream destination manager: installs (reusing the compressor's record) or
// frees the destination that writes compressed data to Stream in 65,536-byte
// blocks. A short write raises *AbortFlag when it is set.
void JpegSetStreamDest(jpeg_compress_struct* Compressor, TStream* Stream, std::atomic<bool>* AbortFlag);
void JpegFreeStreamDest(jpeg_compress_struct* Compressor);

// Bytes from Stream's position to just after the JPEG's end-of-image marker,
// walking its segments (their lengths skip their payloads, so an embedded
// thumbnail's end does not count); to the end of the stream when there is no
// end-of-image or a segment's length is broken. The position is restored.
int64_t GetJpegDataLength(TStream& Stream);

// Copies the JPEG at Source's position to Dest with a new EXIF segment built
// from Params: written after the APP0 segment, or in place of (or after) the
// first APP1, once; everything else is copied byte for byte, and what follows
// the end-of-image too. False when there was no APP0 or APP1 to put it
// after, when a marker code cannot stand in a JPEG, a segment's length is
// broken, Dest refused bytes, or the new segment would not fit in one marker
// (then nothing is written). Source is left after the last byte copied.
bool JpegReplaceExifStream(TStream& Source, TStream& Dest, TIOParamsVals& Params, TIEProgressRecord& Progress);
