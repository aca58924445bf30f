// JPEG decoding (ISO/IEC 10918-1, JFIF 1.02, ICC.1 Annex B for embedded
// profiles) over libjpeg's IJG API, version 62.
#include "imaging/io/jpegfilt.h"

#include <jerror.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "imaging/core/ieboundedreader.h"
#include "imaging/metadata/ieexif.h"
#include "imaging/core/iegeometry.h"
#include "imaging/metadata/ieicc.h"
#include "imaging/core/ierowconv.h"
#include "imaging/core/iestreams.h"
#include "imaging/metadata/iexmp.h"
#include "imaging/io/jpegerr.h"
#include "platform/classes/streams.h"
#include "platform/gdi/imagegate.h"

// ---------------------------------------------------------------------------
// Stream source manager

namespace {

constexpr int32_t JpegSourceBufferSize = 65536;

struct TIEJpegSource {
  jpeg_source_mgr pub;  // first, so the library's pointer is this record's
  TStream* Stream;
  bool StartOfFile;
  std::atomic<bool>* Aborting;
  JOCTET Buffer[JpegSourceBufferSize];
};

void JpegInitSource(j_decompress_ptr cinfo) {
  reinterpret_cast<TIEJpegSource*>(cinfo->src)->StartOfFile = true;
}

// Never suspends: past the end of the data it hands the library an
// end-of-image marker, so a truncated file decodes with warnings.
boolean JpegFillInputBuffer(j_decompress_ptr cinfo) {
  auto* src = reinterpret_cast<TIEJpegSource*>(cinfo->src);
  int32_t count = 0;
  bool readFailed = false;
  try {
    count = src->Stream->Read(src->Buffer, JpegSourceBufferSize);
  } catch (...) {
    readFailed = true;
  }
  // Outside the try block: the error exit leaves this frame by longjmp.
  if (readFailed) ERREXIT(cinfo, JERR_FILE_READ);
  if (count <= 0) {
    if (src->StartOfFile && src->Aborting) src->Aborting->store(true);
    src->Buffer[0] = 0xFF;
    src->Buffer[1] = JPEG_EOI;
    count = 2;
  }
  src->pub.next_input_byte = src->Buffer;
  src->pub.bytes_in_buffer = size_t(count);
  src->StartOfFile = false;
  return TRUE;
}

void JpegSkipInputData(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  auto* src = reinterpret_cast<TIEJpegSource*>(cinfo->src);
  while (count > long(src->pub.bytes_in_buffer)) {
    count -= long(src->pub.bytes_in_buffer);
    src->pub.fill_input_buffer(cinfo);  // the raw-decoder bridge may have replaced it
  }
  src->pub.next_input_byte += count;
  src->pub.bytes_in_buffer -= size_t(count);
}

void JpegTermSource(j_decompress_ptr) {}

}  // namespace

void JpegSetStreamSource(jpeg_decompress_struct* Decompressor, TStream* Stream, std::atomic<bool>* AbortFlag) {
  auto* src = reinterpret_cast<TIEJpegSource*>(Decompressor->src);
  if (!src) {
    src = new TIEJpegSource;
    Decompressor->src = &src->pub;
  }
  src->pub.init_source = JpegInitSource;
  src->pub.fill_input_buffer = JpegFillInputBuffer;
  src->pub.skip_input_data = JpegSkipInputData;
  src->pub.resync_to_restart = jpeg_resync_to_restart;
  src->pub.term_source = JpegTermSource;
  src->Stream = Stream;
  src->Aborting = AbortFlag;
  src->StartOfFile = true;
  src->pub.next_input_byte = nullptr;
  src->pub.bytes_in_buffer = 0;
}

void JpegFreeStreamSource(jpeg_decompress_struct* Decompressor) {
  delete reinterpret_cast<TIEJpegSource*>(Decompressor->src);
  Decompressor->src = nullptr;
}

// ---------------------------------------------------------------------------
// Guarded library calls. Each arms the error manager's jump, calls the
// library and disarms; it returns false when the library failed (the code is
// then in FailCode). Nothing with a destructor lives in these frames.

namespace {

bool JpegTryCreate(j_decompress_ptr d, TIEJpegErrorMgr* err) {
  if (setjmp(err->Jump)) return false;
  err->JumpArmed = true;
  jpeg_create_decompress(d);
  err->JumpArmed = false;
  return true;
}

bool JpegTryReadHeader(j_decompress_ptr d, TIEJpegErrorMgr* err, bool requireImage, bool saveMarkers) {
  if (setjmp(err->Jump)) return false;
  err->JumpArmed = true;
  if (saveMarkers) {
    jpeg_save_markers(d, JPEG_COM, 0xFFFF);
    for (int m = 0; m < 16; ++m) jpeg_save_markers(d, JPEG_APP0 + m, 0xFFFF);
  }
  jpeg_read_header(d, requireImage ? TRUE : FALSE);
  err->JumpArmed = false;
  return true;
}

bool JpegTryStart(j_decompress_ptr d, TIEJpegErrorMgr* err) {
  if (setjmp(err->Jump)) return false;
  err->JumpArmed = true;
  jpeg_start_decompress(d);
  err->JumpArmed = false;
  return true;
}

bool JpegTryReadScanline(j_decompress_ptr d, TIEJpegErrorMgr* err, JSAMPROW row, JDIMENSION* got) {
  if (setjmp(err->Jump)) return false;
  err->JumpArmed = true;
  JSAMPROW rows[1] = {row};
  *got = jpeg_read_scanlines(d, rows, 1);
  err->JumpArmed = false;
  return true;
}

bool JpegTryFinish(j_decompress_ptr d, TIEJpegErrorMgr* err) {
  if (setjmp(err->Jump)) return false;
  err->JumpArmed = true;
  jpeg_finish_decompress(d);
  err->JumpArmed = false;
  return true;
}

// The decompressor and its source, released on every way out.
struct TJpegDecoder {
  jpeg_decompress_struct Cinfo{};
  TIEJpegErrorMgr Err{};
  bool Created = false;

  void Destroy() {
    if (Created) jpeg_destroy_decompress(&Cinfo);
    Created = false;
  }
  ~TJpegDecoder() {
    Destroy();
    JpegFreeStreamSource(&Cinfo);
  }
};

void SwapRedBlue(uint8_t* row, int32_t count) {
  for (int32_t i = 0; i < count; ++i, row += 3) std::swap(row[0], row[2]);
}

enum TOutSpace { osUnknown, osGray, osRGB, osYCbCr, osCMYK };

}  // namespace

// ---------------------------------------------------------------------------
// SOI search and ICC assembly

int64_t JpegFindSOI(TStream& Stream, bool Scan) {
  const int64_t start = Stream.Position();
  int64_t result = -1;
  const int32_t tries = Scan ? 150 : 1;
  for (int32_t i = 0; i < tries; ++i) {
    Stream.SetPosition(start + i);
    uint8_t two[2];
    uint8_t third;
    if (Stream.Read(two, 2) == 2 && Stream.Read(&third, 1) == 1 && two[0] == 0xFF && two[1] == 0xD8 &&
        third == 0xFF) {
      result = Scan ? start + i : 0;
      break;
    }
  }
  Stream.SetPosition(start);
  return result;
}

namespace {

// Walks the markers in front of the image data and collects the ICC chunks.
// A chunk numbered 0 or past its count, with a count that differs from the
// others', repeated, or too short for its own header spoils the profile:
// assembling it anyway would give a profile with holes.
std::vector<uint8_t> CollectICCChunks(TIEBoundedReader& in) {
  static const char Signature[12] = "ICC_PROFILE";  // 11 characters and the zero
  std::vector<std::vector<uint8_t>> chunks;
  std::vector<bool> seen;
  int32_t count = 0;  // announced by the first chunk
  int32_t received = 0;
  int64_t total = 0;
  bool spoiled = false;
  uint8_t b = 0;
  for (;;) {
    do {
      if (!in.TryReadU8(b)) goto done;
    } while (b != 0xFF);
    uint8_t m = 0;
    do {  // 0xFF before a marker code is fill
      if (!in.TryReadU8(m)) goto done;
    } while (m == 0xFF);
    if (m <= 0xBF || (m >= 0xD0 && m <= 0xD8)) continue;
    const bool segment = m == 0xC4 || m == 0xC8 || m == 0xCC || (m >= 0xDA && m <= 0xFE);
    if (!segment) break;  // a frame header or EOI: the profile lies before it
    uint8_t field[2];
    if (!in.TryReadBytes(field, 2)) break;
    const int32_t length = TIEBoundedReader::BE16(field);
    if (length < 2) break;
    if (m != 0xE2) {
      in.Skip(length - 2);
      continue;
    }
    // A segment running past the end ends the walk before anything is allocated for it.
    if (!in.Holds(in.Position(), length - 2)) break;
    std::vector<uint8_t> data(size_t(length - 2));
    if (!in.TryReadBytes(data.data(), int64_t(data.size()))) break;
    if (data.size() < sizeof(Signature) || std::memcmp(data.data(), Signature, sizeof(Signature)) != 0) continue;
    if (data.size() < 14) {
      spoiled = true;
      break;
    }
    const int32_t seq = data[12];
    const int32_t n = data[13];
    if (count == 0) count = n;
    if (seq < 1 || seq > n || n != count || (size_t(seq) <= seen.size() && seen[size_t(seq - 1)])) {
      spoiled = true;
      break;
    }
    if (size_t(seq) > chunks.size()) {
      chunks.resize(size_t(seq));
      seen.resize(size_t(seq), false);
    }
    chunks[size_t(seq - 1)].assign(data.begin() + 14, data.end());
    seen[size_t(seq - 1)] = true;
    total += int64_t(data.size()) - 14;
    if (++received == count) break;
  }
done:
  if (spoiled || total <= 0 || received != count) return {};
  std::vector<uint8_t> profile;
  profile.reserve(size_t(total));
  for (const auto& c : chunks) profile.insert(profile.end(), c.begin(), c.end());
  return profile;
}

}  // namespace

void ReadJpegICCProfile(TStream& Stream, TIOParamsVals& Params) {
  const int64_t start = Stream.Position();
  std::vector<uint8_t> profile;
  {
    TIEBufferedReadStream view(Stream, 8192);
    TIEBoundedReader reader(view);
    profile = CollectICCChunks(reader);
  }
  Stream.SetPosition(start);
  if (!profile.empty()) Params.GetInputICCProfile()->LoadFromBuffer(profile.data(), int32_t(profile.size()));
}

// ---------------------------------------------------------------------------
// Decoding

namespace {

struct TReadArgs {
  TStream& Stream;
  TIEBitmap& Bitmap;
  TIOParamsVals& Params;
  TIEProgressRecord& Progress;
  const TJpegReadOptions& Options;
};

void SetAborting(TIEProgressRecord& p) { p.Aborting->store(true); }
bool IsAborting(TIEProgressRecord& p) { return p.Aborting->load(); }

[[noreturn]] void RaiseJpeg(int libraryCode) {
  throw EIEJpegException(JpegMessageText(JpegMessageIndex(libraryCode)));
}

// Steps up to and including the rows; returns the rows stored. Leaves early
// (with Aborting set where the failure calls for it) by returning.
int32_t DecodeBody(TReadArgs& a, TJpegDecoder& dec, bool iccPath, bool& started) {
  jpeg_decompress_struct& ci = dec.Cinfo;
  TIOParamsVals& P = a.Params;
  std::atomic<bool>* aborting = a.Progress.Aborting;

  if (IsAborting(a.Progress)) return 0;
  if (a.Options.TablesStream && a.Options.TablesStream != &a.Stream && !a.Options.HeaderOnly) {
    JpegSetStreamSource(&ci, a.Options.TablesStream, aborting);
    if (!JpegTryReadHeader(&ci, &dec.Err, false, false)) RaiseJpeg(dec.Err.FailCode);
  }
  JpegSetStreamSource(&ci, &a.Stream, aborting);
  if (IsAborting(a.Progress)) return 0;
  if (!JpegTryReadHeader(&ci, &dec.Err, true, true) || IsAborting(a.Progress)) return 0;

  P.SetImageCount(1);
  P.BitsPerSample = 8;
  TOutSpace out = osUnknown;
  switch (ci.jpeg_color_space) {
    case JCS_GRAYSCALE: P.JpegColorSpace = 1; P.SamplesPerPixel = 1; out = osGray; break;
    case JCS_RGB: P.JpegColorSpace = 0; P.SamplesPerPixel = 3; out = osRGB; break;
    case JCS_YCbCr: P.JpegColorSpace = 2; P.SamplesPerPixel = 3; out = osRGB; break;
    case JCS_CMYK: P.JpegColorSpace = 3; P.SamplesPerPixel = 4; out = osCMYK; break;
    case JCS_YCCK: P.JpegColorSpace = 4; P.SamplesPerPixel = 4; out = osCMYK; break;
    default: break;
  }
  if (a.Options.KeepYCbCr) out = osYCbCr;
  const bool fileIsRGB = ci.jpeg_color_space == JCS_RGB;
  switch (out) {
    case osGray: ci.out_color_space = JCS_GRAYSCALE; break;
    // The library writes blue, green, red itself for YCbCr data; RGB data
    // passes unconverted in stored order and is swapped here.
    case osRGB: ci.out_color_space = fileIsRGB ? JCS_RGB : JCS_EXT_BGR; break;
    case osYCbCr: ci.out_color_space = JCS_YCbCr; break;
    case osCMYK: ci.out_color_space = JCS_CMYK; break;
    case osUnknown: ci.out_color_space = JCS_UNKNOWN; break;
  }

  switch (P.JpegDCTMethod) {
    case 0: ci.dct_method = JDCT_ISLOW; break;
    case 1: ci.dct_method = JDCT_IFAST; break;
    case 2: ci.dct_method = JDCT_FLOAT; break;
    default: break;
  }

  switch (ci.density_unit) {
    case 0:
    case 1:
      P.SetDpiX(ci.X_density);
      P.SetDpiY(ci.Y_density);
      break;
    case 2:
      P.SetDpiX(int32_t(std::trunc(ci.X_density * 2.54)));
      P.SetDpiY(int32_t(std::trunc(ci.Y_density * 2.54)));
      break;
    default: break;
  }

  P.FreeColorMap();
  P.JpegProgressive = jpeg_has_multiple_scans(&ci) != 0;
  P.FullWidth = int32_t(ci.image_width);
  P.FullHeight = int32_t(ci.image_height);

  int32_t denom = 1;
  switch (P.JpegScale) {
    case 0:
      if (P.Width > 0 && P.Height > 0) {
        for (int32_t n = 3; n >= 0; --n) {
          if ((P.FullWidth >> n) >= P.Width && (P.FullHeight >> n) >= P.Height) {
            denom = 1 << n;
            break;
          }
        }
      }
      break;
    case 1: denom = 1; break;
    case 2: denom = 2; break;
    case 3: denom = 4; break;
    case 4: denom = 8; break;
    default: break;
  }
  ci.scale_num = 1;
  ci.scale_denom = unsigned(denom);
  P.JpegScaleDenominator = denom;

  if (a.Options.HeaderOnly) {
    P.Width = P.FullWidth;
    P.Height = P.FullHeight;
    return 0;
  }

  // The gate, before the library sizes its buffers and ours is made: past the
  // pixel limit the data left after the header must plausibly fill the
  // picture. A Huffman-coded block of 8 x 8 pixels costs at least one bit, so
  // a byte describes at most 512 pixels; arithmetic coding is held to the same.
  constexpr int64_t kPixelsPerDataByte = 512;
  const int64_t dataLeft = int64_t(ci.src->bytes_in_buffer) + std::max<int64_t>(0, a.Stream.Size() - a.Stream.Position());
  if (!win::ImagePixelsAllowed(ci.image_width, ci.image_height,
                               win::SaturatingProduct(dataLeft, kPixelsPerDataByte))) {
    SetAborting(a.Progress);
    return 0;
  }
  if (!JpegTryStart(&ci, &dec.Err)) return 0;
  started = true;
  if (IsAborting(a.Progress)) return 0;
  const int32_t outW = int32_t(ci.output_width);
  const int32_t outH = int32_t(ci.output_height);
  P.Width = outW;
  P.Height = outH;
  std::vector<uint8_t> scratch(size_t(outW) * 4);

  TIEPixelFormat format = ie24RGB;
  if (a.Options.NativePixelFormat) {
    switch (out) {
      case osGray: format = ie8g; break;
      case osCMYK: format = ieCMYK; break;
      case osUnknown: format = ieNoFormat; break;
      default: break;
    }
  }
  if (format != ieNoFormat && !a.Bitmap.Allocate(outW, outH, format)) {
    SetAborting(a.Progress);
    return 0;
  }
  const TIEPixelFormat bitmapFormat = a.Bitmap.GetPixelFormat();
  int32_t maxLines = a.Options.MaxLines < 0 ? a.Bitmap.GetHeight() : a.Options.MaxLines;

  a.Progress.per1 = outH > 0 ? 100.0 / outH : 0.0;
  a.Progress.val = 0;
  int32_t lastReported = -1;
  int32_t stored = 0;
  while (int32_t(ci.output_scanline) < outH && stored < maxLines) {
    auto* row = static_cast<uint8_t*>(a.Bitmap.GetScanline(stored));
    JDIMENSION got = 0;
    if (out == osUnknown) {
      // No colour model to decode into; a defined row rather than stale memory.
      if (row) std::memset(row, 0, size_t(a.Bitmap.GetRowLen()));
      got = 1;
    } else if (!row) {
      SetAborting(a.Progress);
      break;
    } else if (out == osGray) {
      if (bitmapFormat == ie8g) {
        if (!JpegTryReadScanline(&ci, &dec.Err, row, &got)) return stored;
      } else {
        if (!JpegTryReadScanline(&ci, &dec.Err, scratch.data(), &got)) return stored;
        for (int32_t x = 0; x < outW; ++x) row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = scratch[size_t(x)];
      }
    } else if (out == osRGB && iccPath) {
      if (!JpegTryReadScanline(&ci, &dec.Err, scratch.data(), &got)) return stored;
      IEConvertColorRowProc(scratch.data(), fileIsRGB ? iecrRGB : iecrBGR, row, iecrBGR, outW, &P);
    } else if (out == osRGB || out == osYCbCr) {
      if (!JpegTryReadScanline(&ci, &dec.Err, row, &got)) return stored;
      if (fileIsRGB) SwapRedBlue(row, outW);
    } else if (bitmapFormat == ieCMYK) {
      if (!JpegTryReadScanline(&ci, &dec.Err, row, &got)) return stored;
      if (IsAborting(a.Progress)) break;
    } else {
      if (!JpegTryReadScanline(&ci, &dec.Err, scratch.data(), &got)) return stored;
      if (IsAborting(a.Progress)) break;
      if (a.Options.InvertCMYK)
        for (size_t i = 0; i < size_t(outW) * 4; ++i) scratch[i] = uint8_t(255 - scratch[i]);
      IEConvertColorRowProc(scratch.data(), iecrCMYK, row, iecrBGR, outW, &P);
    }
    stored += int32_t(got);
    a.Progress.val += int32_t(got);
    IEReportProgress(a.Progress, lastReported);
    if (IsAborting(a.Progress)) break;
    if (got == 0 && out != osUnknown) break;  // the library gave nothing: do not spin
  }
  if (stored < maxLines) SetAborting(a.Progress);
  return stored;
}

void LoadMetadataFromMarkers(TReadArgs& a) {
  TIOParamsVals& P = a.Params;
  TIEMarkerList& markers = P.JpegMarkers;
  for (int32_t i = 0; i < markers.GetCount(); ++i) {
    if (markers.GetMarkerType(i) != JPEG_APP0 + 13) continue;
    if (P.IPTCInfoList.LoadFromBuffer(markers.GetMarkerData(i), markers.GetMarkerLength(i))) break;
  }
  const int32_t dpiX = P.DpiX(), dpiY = P.DpiY();
  for (int32_t i = 0; i < markers.GetCount(); ++i) {
    if (markers.GetMarkerType(i) != JPEG_APP0 + 1) continue;
    if (IELoadEXIFFromAPP1(markers.GetMarkerData(i), markers.GetMarkerLength(i), P) == 0) continue;
    // Without a real JFIF density the EXIF resolution decides; a file that
    // gives none keeps what the JFIF segment said.
    // The EXIF reader already gives the resolution per inch (a centimetre
    // unit is converted there), so it is not converted a second time here.
    if (dpiX == 1 && dpiY == 1 && P.ExifXResolution > 0 && P.ExifYResolution > 0) {
      const int32_t x = int32_t(std::trunc(P.ExifXResolution));
      const int32_t y = int32_t(std::trunc(P.ExifYResolution));
      P.SetDpiX(x);
      P.SetDpiY(y);
    } else {
      P.SetDpiX(dpiX);
      P.SetDpiY(dpiY);
    }
    if (P.JpegApplyExifOrientation) {
      IEApplyExifOrientation(a.Bitmap, P.ExifOrientation());
      P.SetExifOrientation(1);
    }
    break;
  }
  for (int32_t i = 0; i < markers.GetCount(); ++i) {
    if (markers.GetMarkerType(i) != JPEG_APP0 + 1) continue;
    if (!IEGetXMPPacket(markers.GetMarkerData(i), markers.GetMarkerLength(i))) continue;
    IELoadXMPFromAPP1(markers.GetMarkerData(i), markers.GetMarkerLength(i), P);
    break;
  }
}

// Everything after the rows; runs on every way out of the decode.
void Complete(TReadArgs& a, TJpegDecoder& dec, bool iccPath, bool started, bool allRowsRead) {
  TIOParamsVals& P = a.Params;
  if (dec.Created) {
    P.JpegMarkers.Clear();
    bool skippedJfif = false;
    for (jpeg_saved_marker_ptr m = dec.Cinfo.marker_list; m; m = m->next) {
      if (m->marker == JPEG_APP0 && !skippedJfif) {
        skippedJfif = true;
        continue;
      }
      P.JpegMarkers.AddMarker(m->marker, m->data, int32_t(m->data_length));
    }
  }
  if (a.Options.ApplyICC && iccPath && P.InputICCProfile() && P.InputICCProfile()->IsTransformReady()) {
    P.InputICCProfile()->FreeTransform();
    for (int32_t i = P.JpegMarkers.GetCount() - 1; i >= 0; --i)
      if (P.JpegMarkers.GetMarkerType(i) == JPEG_APP0 + 2) P.JpegMarkers.DeleteMarker(i);
  }
  // A decode stopped early on purpose (fewer lines asked for) is not an error,
  // so the library is not asked to finish what it was not given.
  if (started && !IsAborting(a.Progress) && !a.Options.HeaderOnly && allRowsRead) {
    dec.Err.Aborting = nullptr;
    JpegTryFinish(&dec.Cinfo, &dec.Err);
  }
  const long warnings = dec.Created ? dec.Err.pub.num_warnings : 0;
  const int lastWarning = dec.Err.LastWarningCode;
  dec.Destroy();
  if (warnings > 0) {
    P.JpegWarningCount = int32_t(warnings);
    const int32_t index = JpegMessageIndex(lastWarning);
    P.JpegLastWarningCode = index >= 0 ? index : 1000 + lastWarning;
  }
  JpegFreeStreamSource(&dec.Cinfo);
  if (a.Options.LoadMetadata) LoadMetadataFromMarkers(a);
}

int32_t ReadJpegStreamImpl(TReadArgs& a) {
  TIOParamsVals& P = a.Params;
  P.JpegWarningCount = 0;
  P.JpegLastWarningCode = 0;
  const int64_t soi = JpegFindSOI(a.Stream, true);
  if (soi < 0) {
    SetAborting(a.Progress);
    return 0;
  }
  a.Stream.SetPosition(soi);
  if (a.Options.ReadICC) ReadJpegICCProfile(a.Stream, P);
  const bool iccPath = P.InputICCProfile() != nullptr && IEColorManagement;

  TJpegDecoder dec;
  JpegInitErrorMgr(dec.Err, a.Progress.Aborting);
  dec.Cinfo.err = &dec.Err.pub;
  if (!JpegTryCreate(&dec.Cinfo, &dec.Err)) {
    SetAborting(a.Progress);
    return 0;
  }
  dec.Created = true;

  bool started = false;
  int32_t stored = 0;
  try {
    stored = DecodeBody(a, dec, iccPath, started);
  } catch (const EIEJpegException&) {
    Complete(a, dec, iccPath, started, false);
    throw;
  } catch (const std::bad_alloc&) {
    Complete(a, dec, iccPath, started, false);
    throw;
  } catch (const Exception&) {
    // A failure of our own while decoding ends the read like a library error.
    SetAborting(a.Progress);
  }
  const bool allRowsRead = started && dec.Cinfo.output_scanline >= dec.Cinfo.output_height;
  Complete(a, dec, iccPath, started, allRowsRead);
  return a.Options.HeaderOnly ? 0 : stored;
}

}  // namespace

int32_t ReadJpegStream(TStream& Stream, TIEBitmap& Bitmap, TIOParamsVals& Params, TIEProgressRecord& Progress,
                       const TJpegReadOptions& Options) {
  // The thumbnail read: the header pass fills the EXIF block and its
  // thumbnail; when there is one it is the result.
  std::atomic<bool> localAborting{false};
  if (!Progress.Aborting) Progress.Aborting = &localAborting;  // required; never dereference null
  struct TRestore {
    TIEProgressRecord& p;
    std::atomic<bool>* local;
    ~TRestore() {
      if (p.Aborting == local) p.Aborting = nullptr;
    }
  } restore{Progress, &localAborting};
  const int64_t start = Stream.Position();
  if (Params.JpegLoadExifThumbnail) {
    if (Params.ExifThumbnail) Params.ExifThumbnail->FreeImage(true);
    Params.SetLoadThumbnail(false);
    const int32_t width = Params.Width, height = Params.Height;
    TJpegReadOptions header = Options;
    header.HeaderOnly = true;
    header.LoadMetadata = true;
    header.ReadICC = false;
    header.MaxLines = -1;
    header.NativePixelFormat = Params.NativePixelFormat;
    ReadJpegStream(Stream, Bitmap, Params, Progress, header);
    // The data's own start, not the stream's: the picture may sit inside a
    // longer stream (the second picture of a stereo file).
    Stream.SetPosition(start);
    Params.SetLoadThumbnail(true);
    if (Params.ExifThumbnail && !Params.ExifThumbnail->IsEmpty()) {
      Bitmap.Assign(Params.ExifThumbnail.get());
      return 0;
    }
    Stream.SetPosition(start);
    Params.Width = width;
    Params.Height = height;
  }
  TReadArgs args{Stream, Bitmap, Params, Progress, Options};
  return ReadJpegStreamImpl(args);
}
