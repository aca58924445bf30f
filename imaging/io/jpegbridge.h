// The raw-decoder bridge: plain routines through which a camera-raw decoder
// drives the JPEG library's decompressor without knowing its records. Each
// does one thing. The decompressor gets the codec's own error manager (with
// no abort flag) and stream source; a library error raises EIEJpegException
// from the routine that called the library.
#pragma once

#include <cstddef>
#include <cstdint>

class TStream;
struct jpeg_decompress_struct;
struct TIEJpegErrorMgr;

// The library's fill routine: refills the source's bytes, true unless it suspends.
using TJpegBridgeFillRoutine = int (*)(jpeg_decompress_struct* decompressor);

// A zeroed block of the decompressor record's size, and its release.
jpeg_decompress_struct* JpegBridgeAllocDecompressor();
void JpegBridgeFreeDecompressor(jpeg_decompress_struct* D);
// An error manager stored in the decompressor; freed by JpegBridgeFreeErrorMgr.
TIEJpegErrorMgr* JpegBridgeAttachErrorMgr(jpeg_decompress_struct* D);
void JpegBridgeFreeErrorMgr(TIEJpegErrorMgr* E);
// jpeg_CreateDecompress (version 62) and jpeg_destroy_decompress; Destroy also
// frees the stream source.
void JpegBridgeCreate(jpeg_decompress_struct* D);
void JpegBridgeDestroy(jpeg_decompress_struct* D);
// The stream source over Stream, without abort flag.
void JpegBridgeSetStream(jpeg_decompress_struct* D, TStream* Stream);
// Replaces the source's fill routine (a source is made when there is none).
void JpegBridgeSetFillRoutine(jpeg_decompress_struct* D, TJpegBridgeFillRoutine Routine);
// The source's next bytes, for a replacement fill routine.
void JpegBridgeSetInput(jpeg_decompress_struct* D, const uint8_t* Data, size_t Count);
// jpeg_read_header's result.
int JpegBridgeReadHeader(jpeg_decompress_struct* D, bool RequireImage);
void JpegBridgeStart(jpeg_decompress_struct* D);
uint32_t JpegBridgeOutputWidth(jpeg_decompress_struct* D);
uint32_t JpegBridgeOutputHeight(jpeg_decompress_struct* D);
int32_t JpegBridgeOutputComponents(jpeg_decompress_struct* D);
uint32_t JpegBridgeOutputScanline(jpeg_decompress_struct* D);
// Rows from the library's memory pool (freed with the decompressor).
uint8_t** JpegBridgeAllocRows(jpeg_decompress_struct* D, int32_t Pool, uint32_t SamplesPerRow, uint32_t Rows);
uint32_t JpegBridgeReadScanlines(jpeg_decompress_struct* D, uint8_t** Rows, uint32_t Count);
void JpegBridgeFinish(jpeg_decompress_struct* D);
