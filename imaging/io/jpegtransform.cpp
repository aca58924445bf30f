// Lossless JPEG transforms over libjpeg's coefficient interface (IJG API,
// version 62: jpeg_read_coefficients / jpeg_write_coefficients). The block
// arithmetic follows from the DCT (ISO/IEC 10918-1, A.3.3): mirroring a block
// left to right negates its coefficients of odd horizontal frequency, top to
// bottom those of odd vertical frequency, and transposing the block
// transposes its coefficients (and the quantisation tables with them).
#include "imaging/io/jpegtransform.h"

#include <jerror.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>

#include "imaging/io/jpegerr.h"
#include "imaging/io/jpegfilt.h"
#include "imaging/io/vovideriocomp.h"
#include "platform/classes/streams.h"
#include "platform/gdi/imagegate.h"

namespace {

// Our error record: the codec's, plus whether a warning said picture data was lost.
struct TTransformErr {
  TIEJpegErrorMgr Base;  // first: the library and JpegErrorExit see this record
  bool DataLost;
};

// A picture decoded over missing or broken data would come back partly grey;
// written over the file, that loses what is there. Such a warning fails the
// transform.
void TransformEmitMessage(j_common_ptr cinfo, int level) {
  JpegEmitMessage(cinfo, level);
  if (level != -1) return;
  switch (cinfo->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_MUST_RESYNC:
      reinterpret_cast<TTransformErr*>(cinfo->err)->DataLost = true;
      break;
    default: break;
  }
}

// Where every output block of one component comes from. Counts are in
// blocks of that component.
struct TCompMap {
  JDIMENSION DstCols, DstRows;    // the output arrays' size
  JDIMENSION DstRowsPerUnit;      // the encoder reads a unit's rows at once
  JDIMENSION SrcCols, SrcRows;    // the source arrays' size
  JDIMENSION FullCols, FullRows;  // source blocks inside whole units
  JDIMENSION OffCols, OffRows;    // the cut's offset
};

// Everything the guarded steps use, as plain values: the library may leave
// their frames by longjmp, so nothing here has a destructor.
struct TJob {
  j_decompress_ptr D;
  j_compress_ptr C;
  TIEJpegTransform Transform;
  bool Gray;
  uint8_t CopyMarkers;
  TRect Cut;
  // Geometry, in pixels and units.
  int Comps;  // of the result
  JDIMENSION UnitW, UnitH;
  JDIMENSION OutW, OutH;
  TCompMap Map[MAX_COMPONENTS];
  jvirt_barray_ptr* Src;
  jvirt_barray_ptr Dst[MAX_COMPONENTS];
};

bool Transposes(TIEJpegTransform t) {
  return t == jtTranspose || t == jtTransverse || t == jtRotate90 || t == jtRotate270;
}

JDIMENSION DivUp(JDIMENSION a, JDIMENSION b) { return JDIMENSION((uint64_t(a) + b - 1) / b); }

void ReadHeader(void* context) {
  TJob& j = *static_cast<TJob*>(context);
  if (j.CopyMarkers >= jcCopyComments) jpeg_save_markers(j.D, JPEG_COM, 0xFFFF);
  if (j.CopyMarkers >= jcCopyAll)
    for (int m = 0; m < 16; ++m) jpeg_save_markers(j.D, JPEG_APP0 + m, 0xFFFF);
  jpeg_read_header(j.D, TRUE);
}

// The result's size and the unit: what trimming leaves, or the cut widened
// to whole units. Refusals leave through the error exit like the library's own.
void PlanGeometry(TJob& j) {
  j_decompress_ptr d = j.D;
  int maxH = 1, maxV = 1;
  for (int c = 0; c < d->num_components; ++c) {
    maxH = std::max(maxH, d->comp_info[c].h_samp_factor);
    maxV = std::max(maxV, d->comp_info[c].v_samp_factor);
  }
  if (j.Gray) {
    const bool ycc = d->jpeg_color_space == JCS_YCbCr && d->num_components == 3;
    const bool gray = d->jpeg_color_space == JCS_GRAYSCALE && d->num_components == 1;
    // Luminance blocks must each be 8 x 8 pixels to stand alone.
    if (!(ycc || gray) || d->comp_info[0].h_samp_factor != maxH || d->comp_info[0].v_samp_factor != maxV)
      ERREXIT(d, JERR_CONVERSION_NOTIMPL);
  }
  j.Comps = j.Gray ? 1 : d->num_components;
  const bool single = j.Comps == 1;
  j.UnitW = single ? DCTSIZE : JDIMENSION(maxH * DCTSIZE);
  j.UnitH = single ? DCTSIZE : JDIMENSION(maxV * DCTSIZE);
  const JDIMENSION w = d->image_width, h = d->image_height;
  const JDIMENSION trimW = w / j.UnitW * j.UnitW, trimH = h / j.UnitH * j.UnitH;
  JDIMENSION offX = 0, offY = 0;  // the cut's start, in units
  switch (j.Transform) {
    case jtNone: j.OutW = w; j.OutH = h; break;
    case jtCut: {
      const int64_t l = std::max<int64_t>(j.Cut.Left, 0), t = std::max<int64_t>(j.Cut.Top, 0);
      const int64_t r = std::min<int64_t>(j.Cut.Right, int64_t(w) - 1);
      const int64_t b = std::min<int64_t>(j.Cut.Bottom, int64_t(h) - 1);
      if (r < l || b < t) ERREXIT(d, JERR_EMPTY_IMAGE);
      offX = JDIMENSION(l) / j.UnitW;
      offY = JDIMENSION(t) / j.UnitH;
      const JDIMENSION right = std::min<JDIMENSION>(DivUp(JDIMENSION(r + 1), j.UnitW) * j.UnitW, w);
      const JDIMENSION bottom = std::min<JDIMENSION>(DivUp(JDIMENSION(b + 1), j.UnitH) * j.UnitH, h);
      j.OutW = right - offX * j.UnitW;
      j.OutH = bottom - offY * j.UnitH;
      break;
    }
    case jtHorizFlip: j.OutW = trimW; j.OutH = h; break;
    case jtVertFlip: j.OutW = w; j.OutH = trimH; break;
    case jtTranspose: j.OutW = h; j.OutH = w; break;
    case jtTransverse: j.OutW = trimH; j.OutH = trimW; break;
    case jtRotate90: j.OutW = trimH; j.OutH = w; break;
    case jtRotate180: j.OutW = trimW; j.OutH = trimH; break;
    case jtRotate270: j.OutW = h; j.OutH = trimW; break;
  }
  // A picture narrower or lower than one unit has nothing that can move:
  // rather than a result that is not what was asked, none.
  if (j.OutW == 0 || j.OutH == 0) ERREXIT(d, JERR_EMPTY_IMAGE);

  const bool swap = Transposes(j.Transform);
  const JDIMENSION outUnitW = swap ? j.UnitH : j.UnitW, outUnitH = swap ? j.UnitW : j.UnitH;
  for (int c = 0; c < j.Comps; ++c) {
    const jpeg_component_info& ci = d->comp_info[c];
    const JDIMENSION hs = single ? 1 : JDIMENSION(ci.h_samp_factor), vs = single ? 1 : JDIMENSION(ci.v_samp_factor);
    TCompMap& m = j.Map[c];
    // The decoder keeps whole units of each component.
    m.SrcCols = DivUp(ci.width_in_blocks, JDIMENSION(ci.h_samp_factor)) * JDIMENSION(ci.h_samp_factor);
    m.SrcRows = DivUp(ci.height_in_blocks, JDIMENSION(ci.v_samp_factor)) * JDIMENSION(ci.v_samp_factor);
    m.FullCols = w / j.UnitW * hs;
    m.FullRows = h / j.UnitH * vs;
    m.OffCols = offX * hs;
    m.OffRows = offY * vs;
    m.DstCols = DivUp(j.OutW, outUnitW) * (swap ? vs : hs);
    m.DstRowsPerUnit = swap ? hs : vs;
    m.DstRows = DivUp(j.OutH, outUnitH) * m.DstRowsPerUnit;
  }
}

// Steps up to the coefficients: plan, request the output arrays from the
// decompressor's pool (they are made together with its own), read.
void ReadCoefficients(void* context) {
  TJob& j = *static_cast<TJob*>(context);
  PlanGeometry(j);
  if (j.Transform != jtNone)
    for (int c = 0; c < j.Comps; ++c)
      j.Dst[c] = j.D->mem->request_virt_barray(reinterpret_cast<j_common_ptr>(j.D), JPOOL_IMAGE, TRUE, j.Map[c].DstCols,
                                               j.Map[c].DstRows, j.Map[c].DstRowsPerUnit);
  j.Src = jpeg_read_coefficients(j.D);
  if (j.Transform == jtNone)
    for (int c = 0; c < j.Comps; ++c) j.Dst[c] = j.Src[c];
}

void TransposeQuantTables(j_compress_ptr c) {
  for (JQUANT_TBL* q : c->quant_tbl_ptrs) {
    if (!q) continue;
    for (int v = 0; v < DCTSIZE; ++v)
      for (int u = v + 1; u < DCTSIZE; ++u) std::swap(q->quantval[v * DCTSIZE + u], q->quantval[u * DCTSIZE + v]);
  }
}

// The result's parameters from the source's, changed as the transform changes them.
void AdjustParameters(TJob& j) {
  j_compress_ptr c = j.C;
  jpeg_copy_critical_parameters(j.D, c);
  if (j.Gray && c->num_components != 1) {
    const int table = c->comp_info[0].quant_tbl_no;
    jpeg_set_colorspace(c, JCS_GRAYSCALE);
    c->comp_info[0].quant_tbl_no = table;
  }
  if (j.Comps == 1) c->comp_info[0].h_samp_factor = c->comp_info[0].v_samp_factor = 1;
  c->image_width = j.OutW;
  c->image_height = j.OutH;
  if (Transposes(j.Transform)) {
    for (int k = 0; k < c->num_components; ++k) std::swap(c->comp_info[k].h_samp_factor, c->comp_info[k].v_samp_factor);
    TransposeQuantTables(c);
  }
  c->optimize_coding = TRUE;
}

// The kept markers, except the JFIF and Adobe headers that the compressor writes itself.
void CopyMarkers(TJob& j) {
  for (jpeg_saved_marker_ptr m = j.D->marker_list; m; m = m->next) {
    const bool jfif = m->marker == JPEG_APP0 && m->data_length >= 5 && std::memcmp(m->data, "JFIF", 5) == 0;
    const bool adobe = m->marker == JPEG_APP0 + 14 && m->data_length >= 5 && std::memcmp(m->data, "Adobe", 5) == 0;
    if ((jfif && j.C->write_JFIF_header) || (adobe && j.C->write_Adobe_marker)) continue;
    jpeg_write_marker(j.C, m->marker, m->data, m->data_length);
  }
}

// Fills one component's output array block by block. For output block (x, y):
//   flips and turns without transposing   source (x', y') with x' = FullCols-1-x and/or y' = FullRows-1-y
//   transposing ones                      source (y or mirrored, x or mirrored), the block transposed
// and the signs of the odd frequencies along each mirrored output axis flipped.
void TransformComponent(TJob& j, int comp) {
  const TCompMap& m = j.Map[comp];
  const auto common = reinterpret_cast<j_common_ptr>(j.D);
  const TIEJpegTransform t = j.Transform;
  const bool swap = Transposes(t);
  const bool mirrorX = t == jtHorizFlip || t == jtRotate180 || t == jtRotate90 || t == jtTransverse;
  const bool mirrorY = t == jtVertFlip || t == jtRotate180 || t == jtRotate270 || t == jtTransverse;
  // Across a transposed source the output's columns run along its rows.
  const JDIMENSION spanX = swap ? m.FullRows : m.FullCols, spanY = swap ? m.FullCols : m.FullRows;
  for (JDIMENSION y = 0; y < m.DstRows; ++y) {
    JBLOCKROW dst = *j.D->mem->access_virt_barray(common, j.Dst[comp], y, 1, TRUE);
    const JDIMENSION ty = mirrorY ? spanY - 1 - y : y;
    for (JDIMENSION x = 0; x < m.DstCols; ++x) {
      const JDIMENSION tx = mirrorX ? spanX - 1 - x : x;
      JDIMENSION sx = swap ? ty : tx + m.OffCols, sy = swap ? tx : ty + m.OffRows;
      if (sx >= m.SrcCols || sy >= m.SrcRows) ERREXIT(j.D, JERR_BAD_VIRTUAL_ACCESS);
      const JCOEF* src = (*j.D->mem->access_virt_barray(common, j.Src[comp], sy, 1, FALSE))[sx];
      JCOEF* out = dst[x];
      for (int v = 0; v < DCTSIZE; ++v)
        for (int u = 0; u < DCTSIZE; ++u) {
          const JCOEF k = swap ? src[u * DCTSIZE + v] : src[v * DCTSIZE + u];
          const bool negate = ((mirrorX && (u & 1)) != (mirrorY && (v & 1)));
          out[v * DCTSIZE + u] = negate ? JCOEF(-k) : k;
        }
    }
  }
}

// The rest, in the library's order: parameters, header, markers, blocks, finish.
void WriteResult(void* context) {
  TJob& j = *static_cast<TJob*>(context);
  AdjustParameters(j);
  jpeg_write_coefficients(j.C, j.Dst);
  CopyMarkers(j);
  if (j.Transform != jtNone)
    for (int c = 0; c < j.Comps; ++c) TransformComponent(j, c);
  jpeg_finish_compress(j.C);
  jpeg_finish_decompress(j.D);
}

void CreateBoth(void* context) {
  TJob& j = *static_cast<TJob*>(context);
  jpeg_create_decompress(j.D);
  jpeg_create_compress(j.C);
}

// The two codec records and their stream managers, released on every way
// out, a library error included.
struct TCodecPair {
  jpeg_decompress_struct D{};
  jpeg_compress_struct C{};
  TTransformErr Err{};
  bool Created = false;
  ~TCodecPair() {
    if (Created) {
      jpeg_destroy_compress(&C);
      jpeg_destroy_decompress(&D);
    }
    JpegFreeStreamDest(&C);
    JpegFreeStreamSource(&D);
  }
};

// Every block of a Huffman-coded picture costs at least one bit, so data
// that cannot pay for the blocks is refused before their arrays are made.
bool DataCanHoldBlocks(j_decompress_ptr d, TStream& source) {
  const int64_t left = int64_t(d->src->bytes_in_buffer) + std::max<int64_t>(0, source.Size() - source.Position());
  int64_t blocks = 0;
  for (int c = 0; c < d->num_components; ++c)
    blocks += int64_t(d->comp_info[c].width_in_blocks) * int64_t(d->comp_info[c].height_in_blocks);
  return win::ImagePixelsAllowed(d->image_width, d->image_height, win::SaturatingProduct(left, 512)) &&
         blocks <= win::SaturatingProduct(left, 8);
}

// Source (at its SOI) to Out; false when anything failed.
bool TransformCoefficients(TStream& source, TStream& out, std::atomic<bool>& aborting, TIEJpegTransform transform,
                           bool gray, uint8_t copyMarkers, const TRect& cut) {
  if (transform > jtRotate270 || copyMarkers > jcCopyAll) return false;
  TCodecPair pair;
  JpegInitErrorMgr(pair.Err.Base, &aborting);
  pair.Err.Base.pub.emit_message = TransformEmitMessage;
  pair.Err.DataLost = false;
  pair.D.err = &pair.Err.Base.pub;
  pair.C.err = &pair.Err.Base.pub;
  TJob job{};
  job.D = &pair.D;
  job.C = &pair.C;
  job.Transform = transform;
  job.Gray = gray;
  job.CopyMarkers = copyMarkers;
  job.Cut = cut;
  if (!JpegGuardedCall(pair.Err.Base, CreateBoth, &job)) return false;
  pair.Created = true;
  JpegSetStreamSource(&pair.D, &source, &aborting);
  JpegSetStreamDest(&pair.C, &out, &aborting);
  if (!JpegGuardedCall(pair.Err.Base, ReadHeader, &job) || aborting.load()) return false;
  if (!DataCanHoldBlocks(&pair.D, source)) return false;
  if (!JpegGuardedCall(pair.Err.Base, ReadCoefficients, &job) || aborting.load() || pair.Err.DataLost) return false;
  return JpegGuardedCall(pair.Err.Base, WriteResult, &job) && !aborting.load() && !pair.Err.DataLost;
}

// The EXIF step: the new picture reloaded at an eighth of its size gives its
// metadata and a thumbnail; the block built from them replaces the old one.
bool RefreshExif(TMemoryStream& built, TStream& dest, TIEJpegTransform transform) {
  TVovidErIO io(nullptr);
  TIOParamsVals& params = io.Params();
  params.JpegScale = 4;
  built.SetPosition(0);
  io.LoadFromStream(built);
  if (io.Aborting() || io.IEBitmap()->IsEmpty()) return false;
  if (transform != jtCut) params.SetExifOrientation(1);
  params.UpdateExifThumbnail();
  params.SetExifImageWidth(params.FullWidth);
  params.SetExifImageHeight(params.FullHeight);
  built.SetPosition(0);
  return io.ReplaceJpegExif(built, dest);
}

// Dest receives the finished bytes in one piece or, when it refuses them, the failure.
bool CopyOut(TMemoryStream& from, TStream& dest) {
  try {
    dest.WriteBuffer(from.Memory(), from.Size());
  } catch (const EWriteError&) {
    return false;
  }
  return true;
}

}  // namespace

void JpegTransformStream(TStream& Source, TStream& Dest, TIEProgressRecord& Progress, TIEJpegTransform Transform,
                         bool ForceGrayscale, uint8_t CopyMarkers, const TRect& CropRect, bool UpdateExif) {
  std::atomic<bool> ownFlag{false};
  std::atomic<bool>& aborting = Progress.Aborting ? *Progress.Aborting : ownFlag;
  const int64_t soi = JpegFindSOI(Source, true);
  if (soi < 0) {
    aborting.store(true);
    return;
  }
  Source.SetPosition(soi);
  // The result is made whole first: a transform that fails leaves Dest as it was.
  TMemoryStream built;
  try {
    if (!TransformCoefficients(Source, built, aborting, Transform, ForceGrayscale, CopyMarkers, CropRect))
      aborting.store(true);
  } catch (const EStreamError&) {
    aborting.store(true);  // the source stream failed outside the library's reads
  }
  if (aborting.load()) return;
  Source.SetPosition(soi);
  TMemoryStream refreshed;
  TMemoryStream& result = UpdateExif ? refreshed : built;
  if ((UpdateExif && !RefreshExif(built, refreshed, Transform)) || !CopyOut(result, Dest)) aborting.store(true);
}

bool JpegLosslessTransform(TStream& Source, TStream& Dest, TIEJpegTransform Transform, bool GrayScale,
                           uint8_t CopyMarkers, TRect CutRect, bool UpdateEXIF) {
  std::atomic<bool> aborting{false};
  TIEProgressRecord progress;
  progress.Aborting = &aborting;
  JpegTransformStream(Source, Dest, progress, Transform, GrayScale, CopyMarkers, CutRect, UpdateEXIF);
  return !aborting.load();
}
