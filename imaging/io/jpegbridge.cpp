#include "imaging/io/jpegbridge.h"

#include <cstdlib>
#include <type_traits>

#include "imaging/io/jpegerr.h"
#include "imaging/io/jpegfilt.h"

static_assert(std::is_same_v<boolean, int>, "TJpegBridgeFillRoutine spells the library's fill routine");

namespace {

TIEJpegErrorMgr& ErrorMgrOf(jpeg_decompress_struct* D) {
  if (!D->err) throw EIEJpegException("JpegBridgeAttachErrorMgr was not called");
  return *reinterpret_cast<TIEJpegErrorMgr*>(D->err);
}

// Runs one library call under the error manager's jump; a failure becomes
// EIEJpegException once the library's frames are gone.
template <class TArgs>
void Guarded(jpeg_decompress_struct* D, void (*fn)(void*), TArgs& args) {
  TIEJpegErrorMgr& err = ErrorMgrOf(D);
  if (!JpegGuardedCall(err, fn, &args)) throw EIEJpegException(JpegMessageText(JpegMessageIndex(err.FailCode)));
}

struct THeaderCall {
  j_decompress_ptr D;
  boolean RequireImage;
  int Result;
};

struct TRowsCall {
  j_decompress_ptr D;
  int Pool;
  JDIMENSION Samples, Rows;
  JSAMPARRAY Result;
};

struct TScanCall {
  j_decompress_ptr D;
  JSAMPARRAY Rows;
  JDIMENSION Count, Result;
};

}  // namespace

jpeg_decompress_struct* JpegBridgeAllocDecompressor() { return new jpeg_decompress_struct{}; }

void JpegBridgeFreeDecompressor(jpeg_decompress_struct* D) { delete D; }

TIEJpegErrorMgr* JpegBridgeAttachErrorMgr(jpeg_decompress_struct* D) {
  auto* err = new TIEJpegErrorMgr{};
  JpegInitErrorMgr(*err, nullptr);
  D->err = &err->pub;
  return err;
}

void JpegBridgeFreeErrorMgr(TIEJpegErrorMgr* E) { delete E; }

void JpegBridgeCreate(jpeg_decompress_struct* D) {
  Guarded(D, [](void* d) { jpeg_create_decompress(static_cast<j_decompress_ptr>(d)); }, *D);
}

void JpegBridgeDestroy(jpeg_decompress_struct* D) {
  jpeg_destroy_decompress(D);
  JpegFreeStreamSource(D);
}

void JpegBridgeSetStream(jpeg_decompress_struct* D, TStream* Stream) { JpegSetStreamSource(D, Stream, nullptr); }

void JpegBridgeSetFillRoutine(jpeg_decompress_struct* D, TJpegBridgeFillRoutine Routine) {
  if (!D->src) JpegSetStreamSource(D, nullptr, nullptr);
  D->src->fill_input_buffer = Routine;
}

void JpegBridgeSetInput(jpeg_decompress_struct* D, const uint8_t* Data, size_t Count) {
  if (!D->src) JpegSetStreamSource(D, nullptr, nullptr);
  D->src->next_input_byte = Data;
  D->src->bytes_in_buffer = Count;
}

int JpegBridgeReadHeader(jpeg_decompress_struct* D, bool RequireImage) {
  THeaderCall call{D, RequireImage ? TRUE : FALSE, 0};
  Guarded(D, [](void* c) {
    auto& a = *static_cast<THeaderCall*>(c);
    a.Result = jpeg_read_header(a.D, a.RequireImage);
  }, call);
  return call.Result;
}

void JpegBridgeStart(jpeg_decompress_struct* D) {
  Guarded(D, [](void* d) { jpeg_start_decompress(static_cast<j_decompress_ptr>(d)); }, *D);
}

uint32_t JpegBridgeOutputWidth(jpeg_decompress_struct* D) { return D->output_width; }
uint32_t JpegBridgeOutputHeight(jpeg_decompress_struct* D) { return D->output_height; }
int32_t JpegBridgeOutputComponents(jpeg_decompress_struct* D) { return D->output_components; }
uint32_t JpegBridgeOutputScanline(jpeg_decompress_struct* D) { return D->output_scanline; }

uint8_t** JpegBridgeAllocRows(jpeg_decompress_struct* D, int32_t Pool, uint32_t SamplesPerRow, uint32_t Rows) {
  TRowsCall call{D, Pool, SamplesPerRow, Rows, nullptr};
  Guarded(D, [](void* c) {
    auto& a = *static_cast<TRowsCall*>(c);
    a.Result = (*a.D->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(a.D), a.Pool, a.Samples, a.Rows);
  }, call);
  return call.Result;
}

uint32_t JpegBridgeReadScanlines(jpeg_decompress_struct* D, uint8_t** Rows, uint32_t Count) {
  TScanCall call{D, Rows, Count, 0};
  Guarded(D, [](void* c) {
    auto& a = *static_cast<TScanCall*>(c);
    a.Result = jpeg_read_scanlines(a.D, a.Rows, a.Count);
  }, call);
  return call.Result;
}

void JpegBridgeFinish(jpeg_decompress_struct* D) {
  Guarded(D, [](void* d) { jpeg_finish_decompress(static_cast<j_decompress_ptr>(d)); }, *D);
}
