// JPEG encoding (ISO/IEC 10918-1; JFIF 1.02 for the density, Adobe's APP14
// for CMYK and YCCK, which the library writes itself) over libjpeg's IJG
// API, version 62.
#include <jerror.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "imaging/core/ierowconv.h"
#include "imaging/io/jpegerr.h"
#include "imaging/io/jpegfilt.h"
#include "platform/classes/streams.h"

// ---------------------------------------------------------------------------
// Stream destination manager

namespace {

constexpr int32_t JpegDestBufferSize = 65536;

struct TIEJpegDest {
  jpeg_destination_mgr pub;  // first, so the library's pointer is this record's
  TStream* Stream;
  std::atomic<bool>* Aborting;
  JOCTET* Buffer;
};

TIEJpegDest* DestOf(j_compress_ptr cinfo) { return reinterpret_cast<TIEJpegDest*>(cinfo->dest); }

// Called from the library's frames: nothing may leave by exception, so a
// stream that raises counts as one that took fewer bytes than given.
void DestWrite(TIEJpegDest* d, int32_t count) {
  int32_t written = -1;
  try {
    written = d->Stream->Write(d->Buffer, count);
  } catch (...) {
    written = -1;
  }
  if (written != count && d->Aborting) d->Aborting->store(true);
}

void JpegInitDestination(j_compress_ptr cinfo) {
  TIEJpegDest* d = DestOf(cinfo);
  if (!d->Buffer) d->Buffer = static_cast<JOCTET*>(std::malloc(JpegDestBufferSize));
  if (!d->Buffer) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
  d->pub.next_output_byte = d->Buffer;
  d->pub.free_in_buffer = JpegDestBufferSize;
}

boolean JpegEmptyOutputBuffer(j_compress_ptr cinfo) {
  TIEJpegDest* d = DestOf(cinfo);
  DestWrite(d, JpegDestBufferSize);
  d->pub.next_output_byte = d->Buffer;
  d->pub.free_in_buffer = JpegDestBufferSize;
  return TRUE;
}

void JpegTermDestination(j_compress_ptr cinfo) {
  TIEJpegDest* d = DestOf(cinfo);
  const int32_t n = JpegDestBufferSize - int32_t(d->pub.free_in_buffer);
  if (n > 0) DestWrite(d, n);
}

}  // namespace

void JpegSetStreamDest(jpeg_compress_struct* Compressor, TStream* Stream, std::atomic<bool>* AbortFlag) {
  TIEJpegDest* d = DestOf(Compressor);
  if (!d) {
    d = new TIEJpegDest{};
    Compressor->dest = &d->pub;
  }
  d->pub.init_destination = JpegInitDestination;
  d->pub.empty_output_buffer = JpegEmptyOutputBuffer;
  d->pub.term_destination = JpegTermDestination;
  d->Stream = Stream;
  d->Aborting = AbortFlag;
}

void JpegFreeStreamDest(jpeg_compress_struct* Compressor) {
  TIEJpegDest* d = DestOf(Compressor);
  if (!d) return;
  std::free(d->Buffer);
  delete d;
  Compressor->dest = nullptr;
}

// ---------------------------------------------------------------------------
// Encoding

namespace {

// The compressor and its destination, released on every way out.
struct TJpegEncoder {
  jpeg_compress_struct Cinfo{};
  TIEJpegErrorMgr Err{};
  bool Created = false;
  ~TJpegEncoder() {
    if (Created) jpeg_destroy_compress(&Cinfo);
    JpegFreeStreamDest(&Cinfo);
  }
};

// Everything the library is told before it starts, as plain values: the
// guarded calls below must hold nothing with a destructor.
struct TJpegSetup {
  j_compress_ptr C;
  J_COLOR_SPACE Space;
  UINT16 XDensity, YDensity;
  int DCTMethod;  // -1: the library's default
  bool Optimize;
  int Smoothing;
  int Quality;
  int LumaH, LumaV;  // 0: the library's default sampling
  bool Progressive;
};

void JpegConfigure(void* context) {
  const TJpegSetup& s = *static_cast<TJpegSetup*>(context);
  j_compress_ptr c = s.C;
  jpeg_set_defaults(c);
  jpeg_set_colorspace(c, s.Space);
  c->density_unit = 1;
  c->X_density = s.XDensity;
  c->Y_density = s.YDensity;
  if (s.DCTMethod >= 0) c->dct_method = J_DCT_METHOD(s.DCTMethod);
  c->optimize_coding = s.Optimize ? TRUE : FALSE;
  c->smoothing_factor = s.Smoothing;
  jpeg_set_quality(c, s.Quality, TRUE);
  if (s.Space == JCS_YCbCr && s.LumaH > 0) {
    c->comp_info[0].h_samp_factor = s.LumaH;
    c->comp_info[0].v_samp_factor = s.LumaV;
    for (int k = 1; k < 3; ++k) c->comp_info[k].h_samp_factor = c->comp_info[k].v_samp_factor = 1;
  }
  // The library gives CMYK only its Adobe marker; the JFIF header is asked for too.
  if (s.Space == JCS_CMYK) c->write_JFIF_header = TRUE;
  if (s.Progressive) jpeg_simple_progression(c);
}

struct TJpegMarkerOut {
  int Code;
  const JOCTET* Data;
  unsigned Length;
};

struct TJpegStart {
  j_compress_ptr C;
  const TJpegMarkerOut* Markers;
  size_t Count;
};

void JpegStartAndWriteMarkers(void* context) {
  const TJpegStart& s = *static_cast<TJpegStart*>(context);
  jpeg_start_compress(s.C, TRUE);
  for (size_t i = 0; i < s.Count; ++i) jpeg_write_marker(s.C, s.Markers[i].Code, s.Markers[i].Data, s.Markers[i].Length);
}

struct TJpegRow {
  j_compress_ptr C;
  JSAMPROW Row;
  JDIMENSION Written;
};

void JpegWriteRow(void* context) {
  TJpegRow& r = *static_cast<TJpegRow*>(context);
  r.Written = jpeg_write_scanlines(r.C, &r.Row, 1);
}

void JpegFinish(void* context) { jpeg_finish_compress(static_cast<j_compress_ptr>(context)); }

void JpegCreate(void* context) { jpeg_create_compress(static_cast<j_compress_ptr>(context)); }

[[noreturn]] void RaiseJpeg(int libraryCode) {
  throw EIEJpegException(JpegMessageText(JpegMessageIndex(libraryCode)));
}

// The luminance sampling of a chroma code; 0 x 0 keeps the library's default.
void LumaSampling(uint8_t code, int& h, int& v) {
  switch (code) {
    case 0: h = 2; v = 1; break;
    case 1: h = 2; v = 2; break;
    case 2: h = 1; v = 1; break;
    default: h = v = 0; break;
  }
}

UINT16 Density(int32_t dpi) { return UINT16(uint32_t(dpi != 0 ? dpi : IEDefaultDpiX) & 0xFFFF); }

}  // namespace

void JpegCheckMarkerPayload(int64_t length, std::atomic<bool>* Aborting) {
  if (length <= JpegMaxMarkerPayload) return;
  if (Aborting) Aborting->store(true);
  RaiseJpeg(JERR_BAD_LENGTH);
}

void WriteJpegStream(TStream& Stream, TIEBitmap& Bitmap, TIOParamsVals& Params, TIEProgressRecord& Progress) {
  std::atomic<bool> localAborting{false};
  std::atomic<bool>* aborting = Progress.Aborting ? Progress.Aborting : &localAborting;
  if (Bitmap.GetWidth() == 0 || Bitmap.GetHeight() == 0) {
    aborting->store(true);
    return;
  }
  // Markers are checked before anything reaches the stream: one the library
  // would refuse halfway through must not leave half a file behind.
  TIEMarkerList& markers = Params.JpegMarkers;
  markers.SortMarkers();
  std::vector<TJpegMarkerOut> out;
  for (int32_t i = 0; i < markers.GetCount(); ++i) {
    if (markers.GetMarkerType(i) == JPEG_APP0 + 14) continue;  // the library writes its own Adobe marker
    JpegCheckMarkerPayload(markers.GetMarkerLength(i), aborting);
    out.push_back({markers.GetMarkerType(i), markers.GetMarkerData(i), unsigned(markers.GetMarkerLength(i))});
  }

  std::unique_ptr<TIEBitmap> copy;
  TIEBitmap* work = &Bitmap;
  if (Bitmap.GetPixelFormat() != ie24RGB) {
    copy = std::make_unique<TIEBitmap>();
    copy->Assign(&Bitmap);
    copy->SetPixelFormat(ie24RGB);
    work = copy.get();
  }
  const int32_t width = work->GetWidth(), height = work->GetHeight();

  TJpegEncoder enc;
  JpegInitErrorMgr(enc.Err, aborting);
  enc.Cinfo.err = &enc.Err.pub;
  if (!JpegGuardedCall(enc.Err, JpegCreate, &enc.Cinfo)) RaiseJpeg(enc.Err.FailCode);
  enc.Created = true;
  JpegSetStreamDest(&enc.Cinfo, &Stream, aborting);
  if (aborting->load()) return;

  TJpegSetup setup{};
  setup.C = &enc.Cinfo;
  switch (Params.JpegColorSpace) {
    case 1: setup.Space = JCS_GRAYSCALE; break;
    case 2: setup.Space = JCS_YCbCr; break;
    case 3: setup.Space = JCS_CMYK; break;
    case 4: setup.Space = JCS_YCCK; break;
    default: setup.Space = JCS_RGB; break;
  }
  const bool cmykRows = setup.Space == JCS_CMYK || setup.Space == JCS_YCCK;
  const bool rgbRows = setup.Space == JCS_RGB;
  enc.Cinfo.image_width = JDIMENSION(width);
  enc.Cinfo.image_height = JDIMENSION(height);
  // ie24RGB rows are blue, green, red: the library takes them as they stand,
  // except where its output keeps RGB or CMYK samples, which are made here.
  enc.Cinfo.input_components = cmykRows ? 4 : 3;
  enc.Cinfo.in_color_space = cmykRows ? JCS_CMYK : rgbRows ? JCS_RGB : JCS_EXT_BGR;
  setup.XDensity = Density(Params.DpiX());
  setup.YDensity = Density(Params.DpiY());
  setup.DCTMethod = Params.JpegDCTMethod <= 2 ? int(Params.JpegDCTMethod) : -1;
  setup.Optimize = Params.JpegOptimizeHuffman;
  // The library defines smoothing from 0 to 100; beyond that its filter weights overflow.
  setup.Smoothing = std::clamp(Params.JpegSmoothing, 0, 100);
  setup.Quality = Params.JpegQuality;
  LumaSampling(Params.JpegChromaSampling, setup.LumaH, setup.LumaV);
  setup.Progressive = Params.JpegProgressive;
  if (!JpegGuardedCall(enc.Err, JpegConfigure, &setup)) RaiseJpeg(enc.Err.FailCode);

  TJpegStart start{&enc.Cinfo, out.data(), out.size()};
  if (!JpegGuardedCall(enc.Err, JpegStartAndWriteMarkers, &start)) RaiseJpeg(enc.Err.FailCode);

  std::vector<uint8_t> scratch(cmykRows || rgbRows ? size_t(width) * 4 : 0);
  Progress.per1 = 100.0 / height;
  Progress.val = 0;
  int32_t lastReported = -1;
  int32_t written = 0;
  while (int32_t(enc.Cinfo.next_scanline) < height) {
    auto* row = static_cast<uint8_t*>(work->GetScanline(written));
    if (cmykRows) {
      IEConvertColorRowProc(row, iecrBGR, scratch.data(), iecrCMYK, width, nullptr);
      row = scratch.data();
    } else if (rgbRows) {
      for (int32_t x = 0; x < width; ++x) {
        scratch[3 * size_t(x)] = row[3 * x + 2];
        scratch[3 * size_t(x) + 1] = row[3 * x + 1];
        scratch[3 * size_t(x) + 2] = row[3 * x];
      }
      row = scratch.data();
    }
    TJpegRow r{&enc.Cinfo, row, 0};
    if (!JpegGuardedCall(enc.Err, JpegWriteRow, &r)) RaiseJpeg(enc.Err.FailCode);
    if (r.Written == 0) {  // the destination never suspends: a row not taken is a failure
      aborting->store(true);
      break;
    }
    written += int32_t(r.Written);
    Progress.val += int32_t(r.Written);
    IEReportProgress(Progress, lastReported);
    if (aborting->load()) break;
  }
  if (!aborting->load() && !JpegGuardedCall(enc.Err, JpegFinish, &enc.Cinfo)) RaiseJpeg(enc.Err.FailCode);
}
