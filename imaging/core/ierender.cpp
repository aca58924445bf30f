#include "imaging/core/ierender.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "imaging/core/ieblend.h"
#include "imaging/core/ieconvert.h"
#include "imaging/core/iepixels.h"
#include "imaging/core/ieresample.h"
#include "platform/vcl/graphics.h"

namespace {

// Conversions of doubles that may be far out of range (ratios of huge sizes).
int64_t TruncI64(double v) {
  if (!(v == v)) return 0;
  return int64_t(std::clamp(v, -9.0e18, 9.0e18));
}
int64_t RoundI64(double v) { return TruncI64(std::nearbyint(v)); }  // halves to even
int64_t ClampI64(int64_t v, int64_t lo, int64_t hi) { return v < lo ? lo : v > hi ? hi : v; }

// Destination rows of a file-backed buffer are views that live only until the
// next row access; they are drawn in bands of locked rows instead.
constexpr int32_t kFileBandRows = 64;

class TLockedBand {
 public:
  TLockedBand(TIEBitmap& dest, std::vector<uint8_t*>& table, int32_t first, int32_t last)
      : dest_(dest), table_(table), first_(first) {
    for (int32_t y = first; y <= last; ++y) {
      table_[size_t(y)] = static_cast<uint8_t*>(dest.LockScanline(y));
      last_ = y;
    }
  }
  ~TLockedBand() {
    for (int32_t y = first_; y <= last_; ++y) {
      table_[size_t(y)] = nullptr;
      try {
        dest_.UnlockScanline(y);
      } catch (...) {  // a failed write-back ends the drawing like any drawing failure
      }
    }
  }
  TLockedBand(const TLockedBand&) = delete;
  TLockedBand& operator=(const TLockedBand&) = delete;

 private:
  TIEBitmap& dest_;
  std::vector<uint8_t*>& table_;
  int32_t first_;
  int32_t last_ = -1;
};

void CallRowRenderer(TIEBitmap& src, const TIEStretchRowsParams& p, bool alpha) {
  switch (src.GetPixelFormat()) {
    case ie24RGB:
      alpha ? src.StretchRowsAlpha_ie24RGB(p) : src.StretchRows_ie24RGB(p);
      break;
    case ie32RGB:
      alpha ? src.StretchRowsAlpha_ie32RGB(p) : src.StretchRows_ie32RGB(p);
      break;
    case ie1g:
      alpha ? src.StretchRowsAlpha_ie1g(p) : src.StretchRows_ie1g(p);
      break;
    case ie8g:
      alpha ? src.StretchRowsAlpha_ie8g(p) : src.StretchRows_ie8g(p);
      break;
    case ie8p:
      alpha ? src.StretchRowsAlpha_ie8p(p) : src.StretchRows_ie8p(p);
      break;
    case ie16g:
      alpha ? src.StretchRowsAlpha_ie16g(p) : src.StretchRows_ie16g(p);
      break;
    case ie32f:
      alpha ? src.StretchRowsAlpha_ie32f(p) : src.StretchRows_ie32f(p);
      break;
    case ieCMYK:
      alpha ? src.StretchRowsAlpha_ieCMYK(p) : src.StretchRows_ieCMYK(p);
      break;
    case ieCIELab:
      alpha ? src.StretchRowsAlpha_ieCIELab(p) : src.StretchRows_ieCIELab(p);
      break;
    case ieRGB48:
      alpha ? src.StretchRowsAlpha_ieRGB48(p) : src.StretchRows_ieRGB48(p);
      break;
    default:
      break;
  }
}

// The arguments of one RenderToTIEBitmap call that its steps share.
struct TRenderCall {
  TIEBitmap& Dest;
  std::vector<uint8_t*>* RowTable;
  std::vector<int32_t>* ColumnMap;
  std::vector<int32_t>* RowMap;
  const TRect* UpdateArea;
  bool EnableAlpha;
  bool ReuseRows;
  int32_t Transparency;  // clamped to 0..255
  TResampleFilter Filter;
  bool FreeTables;
  uint8_t Operation;
};

// Destination and source rectangles after clipping, and the ratios of the
// rectangles as given (the maps keep using those after clipping).
struct TRenderRects {
  int32_t X, Y, W, H;          // destination
  int32_t SX, SY, SW, SH;      // source
  double RX, RY;               // source units per destination pixel
};

// Clip to the destination: a cut-off part of the destination rectangle cuts
// the source rectangle by the ratio (rounded at the start, truncated at the
// end). False when nothing is left.
bool ClipToDestination(TIEBitmap& src, TIEBitmap& dest, int32_t xDst, int32_t yDst, int32_t dxDst,
                       int32_t dyDst, int32_t xSrc, int32_t ySrc, int32_t dxSrc, int32_t dySrc, TRenderRects& r) {
  const int32_t W = dest.GetWidth(), H = dest.GetHeight();
  const int32_t sw = src.GetWidth(), sh = src.GetHeight();
  const double ry = double(dySrc) / dyDst, rx = double(dxSrc) / dxDst;
  int64_t xd = xDst, yd = yDst, wd = dxDst, hd = dyDst, xs = xSrc, ys = ySrc, ws = dxSrc, hs = dySrc;
  if (yd < 0) {
    const int64_t k = RoundI64(double(-yd) * ry);
    hd += yd;
    hs -= k;
    ys += k;
    yd = 0;
  }
  if (xd < 0) {
    const int64_t k = RoundI64(double(-xd) * rx);
    wd += xd;
    ws -= k;
    xs += k;
    xd = 0;
  }
  if (yd + hd > H) {
    hs -= TruncI64(double(yd + hd - H) * ry);
    hd = H - yd;
  }
  if (xd + wd > W) {
    ws -= TruncI64(double(xd + wd - W) * rx);
    wd = W - xd;
  }
  xd = ClampI64(xd, 0, W - 1);
  yd = ClampI64(yd, 0, H - 1);
  wd = ClampI64(wd, 0, W);
  hd = ClampI64(hd, 0, H);
  xs = ClampI64(xs, 0, sw - 1);
  ys = ClampI64(ys, 0, sh - 1);
  ws = ClampI64(ws, 0, sw);
  hs = ClampI64(hs, 0, sh);
  if (wd == 0 || hd == 0 || ws == 0 || hs == 0) return false;
  r = TRenderRects{int32_t(xd), int32_t(yd), int32_t(wd), int32_t(hd),
                   int32_t(xs), int32_t(ys), int32_t(ws), int32_t(hs), rx, ry};
  return true;
}

// Filtered path: resample the source rectangle to the destination size, then
// draw that 1:1. False when the filter does not apply (the nearest-pixel path
// draws instead); true when this path is done, drawn or not.
bool RenderFiltered(TIEBitmap& src, const TRenderCall& c, const TRenderRects& r) {
  const TIEPixelFormat format = src.GetPixelFormat();
  const int32_t x0 = r.X, y0 = r.Y, w0 = r.W, h0 = r.H, sx0 = r.SX, sy0 = r.SY, sw0 = r.SW, sh0 = r.SH;
  // A single source pixel gives one colour whatever the filter; the resamplers leave such a source alone.
  if (!(c.Filter != rfNone && (sw0 != w0 || sh0 != h0) && (sw0 > 1 || sh0 > 1) &&
        (format == ie1g || format == ie24RGB)))
    return false;
  const bool alphaInUse = c.EnableAlpha && src.HasAlphaChannel();
  const bool projection = c.Filter == rfProjectBW || c.Filter == rfProjectWB;
  if (format == ie1g && sw0 >= w0 && !alphaInUse && !projection) {
    TIEBitmap gray;
    if (!gray.Allocate(w0, h0, ie24RGB)) return true;
    Average1BitToGray(src, sx0, sy0, sx0 + sw0 - 1, sy0 + sh0 - 1, gray);
    gray.RenderToTIEBitmap(c.Dest, nullptr, nullptr, nullptr, c.UpdateArea, x0, y0, w0, h0, 0, 0, w0, h0,
                           c.EnableAlpha, c.ReuseRows, c.Transparency, rfNone, true, c.Operation);
    return true;
  }
  TIEBitmap part;
  if (!part.Allocate(sw0, sh0, format)) return true;
  // A source rectangle reaching past the source leaves part of the copy
  // uncovered; that part is black rather than whatever the memory held.
  part.Fill(0);
  src.CopyRectTo(part, sx0, sy0, 0, 0, sw0, sh0);
  TIEBitmap sized;
  if (!sized.Allocate(w0, h0, format == ie1g && projection ? ie1g : ie24RGB)) return true;
  if (format == ie1g)
    _Resample1BitEx(part, sized, c.Filter);
  else
    _ResampleEx(part, sized, nullptr, {}, c.Filter);
  if (alphaInUse) {
    TIEBitmap* sourceAlpha = src.GetAlphaChannel();
    TIEBitmap* partAlpha = part.GetAlphaChannel();
    partAlpha->Fill(0);
    sourceAlpha->CopyRectTo(*partAlpha, sx0, sy0, 0, 0, sw0, sh0);
    partAlpha->SetFullyOpaque(sourceAlpha->FullyOpaque());
    TIEBitmap* sizedAlpha = sized.GetAlphaChannel();
    ResampleGray8(*partAlpha, *sizedAlpha, c.Filter);
    sizedAlpha->SetFullyOpaque(partAlpha->FullyOpaque());
  }
  for (int32_t i = 0; i < 4; ++i) sized.SetChannelOffset(i, src.ChannelOffset(i));
  sized.SetDisplayAdjust(src.DisplayAdjust());
  sized.SetDisplayContrast(src.DisplayContrast());
  sized.RenderToTIEBitmap(c.Dest, nullptr, nullptr, nullptr, c.UpdateArea, x0, y0, w0, h0, 0, 0, w0, h0, c.EnableAlpha,
                          c.ReuseRows, c.Transparency, rfNone, true, c.Operation);
  return true;
}

// The destination's row addresses: the handed-in table when it covers the
// destination, else one built here. A file-backed destination gets an empty
// table that the bands fill while they hold their rows.
struct TDestRows {
  std::vector<uint8_t*> Own;
  bool Built = false;
  uint8_t* const* Table = nullptr;
};

void PrepareDestRows(TIEBitmap& dest, std::vector<uint8_t*>* rowTable, bool fileDest, TDestRows& rows) {
  const int32_t H = dest.GetHeight();
  if (!fileDest && rowTable && rowTable->size() >= size_t(H)) {
    rows.Table = rowTable->data();
    return;
  }
  rows.Own.assign(size_t(H), nullptr);
  if (!fileDest) {
    for (int32_t y = 0; y < H; ++y) rows.Own[size_t(y)] = static_cast<uint8_t*>(dest.GetScanline(y));
    rows.Built = true;
  }
  rows.Table = rows.Own.data();
}

// The area drawn, in destination coordinates, inclusive.
struct TDrawnArea {
  int64_t FirstCol, LastCol, FirstRow, LastRow;
};

// The area drawn: the destination rectangle within the update area and the
// destination, less the rows and columns that handed-in maps do not cover.
// False when it is empty.
bool AreaDrawn(const TRenderCall& c, const TRenderRects& r, int32_t sw, int32_t sh, TDrawnArea& a) {
  const int32_t W = c.Dest.GetWidth(), H = c.Dest.GetHeight();
  int64_t ul = -2147483646, ut = -2147483646, ur = 2147483646, ub = 2147483646;
  if (c.UpdateArea) {
    ul = c.UpdateArea->Left;
    ut = c.UpdateArea->Top;
    ur = c.UpdateArea->Right;
    ub = c.UpdateArea->Bottom;
  }
  int64_t firstCol = std::max<int64_t>(ul, r.X), lastCol = std::min<int64_t>({ur, int64_t(r.X) + r.W - 1, W - 1});
  int64_t firstRow = std::max<int64_t>(ut, r.Y), lastRow = std::min<int64_t>({ub, int64_t(r.Y) + r.H - 1, H - 1});
  // An update area beside the destination draws nothing (clamping first
  // would draw its nearest edge column or row).
  if (firstCol > lastCol || firstRow > lastRow) return false;
  firstCol = ClampI64(firstCol, 0, W - 1);
  lastCol = ClampI64(lastCol, 0, W - 1);
  firstRow = ClampI64(firstRow, 0, H - 1);
  lastRow = ClampI64(lastRow, 0, H - 1);
  const std::vector<int32_t>* rowMap = c.RowMap;
  const std::vector<int32_t>* columnMap = c.ColumnMap;
  // A handed-in map is read from the destination rectangle's start; rows or
  // columns it does not cover inside the source are not drawn.
  if (rowMap && !rowMap->empty())
    while (lastRow >= firstRow && (size_t(lastRow - r.Y) >= rowMap->size() || (*rowMap)[size_t(lastRow - r.Y)] >= sh))
      --lastRow;
  if (columnMap && !columnMap->empty())
    while (lastCol >= firstCol &&
           (size_t(lastCol - r.X) >= columnMap->size() || (*columnMap)[size_t(lastCol - r.X)] >= sw))
      --lastCol;
  if (firstCol > lastCol || firstRow > lastRow) return false;
  a = TDrawnArea{firstCol, lastCol, firstRow, lastRow};
  return true;
}

// Source column and row of every destination column and row of the area,
// each held inside the source. From the handed-in maps when given, else
// computed; the computed ones are also kept in own* for handing back.
struct TSourceMaps {
  std::vector<int32_t> Columns, Rows, OwnColumns, OwnRows;
  bool ColumnsBuilt = false, RowsBuilt = false;
};

void BuildSourceMaps(const TRenderCall& c, const TRenderRects& r, const TDrawnArea& a, int32_t sw, int32_t sh,
                     TSourceMaps& m) {
  const int32_t nc = int32_t(a.LastCol - a.FirstCol + 1), nr = int32_t(a.LastRow - a.FirstRow + 1);
  m.Columns.resize(size_t(nc));
  m.Rows.resize(size_t(nr));
  if (c.ColumnMap && !c.ColumnMap->empty()) {
    for (int32_t i = 0; i < nc; ++i)
      m.Columns[size_t(i)] = std::clamp((*c.ColumnMap)[size_t(a.FirstCol - r.X + i)], 0, sw - 1);
  } else {
    for (int32_t i = 0; i < nc; ++i)
      m.Columns[size_t(i)] = int32_t(ClampI64(TruncI64(double(a.FirstCol + i - r.X) * r.RX + r.SX), 0, sw - 1));
    m.ColumnsBuilt = true;
    m.OwnColumns = m.Columns;
  }
  if (c.RowMap && !c.RowMap->empty()) {
    for (int32_t i = 0; i < nr; ++i)
      m.Rows[size_t(i)] = std::clamp((*c.RowMap)[size_t(a.FirstRow - r.Y + i)], 0, sh - 1);
  } else {
    for (int32_t i = 0; i < nr; ++i)
      m.Rows[size_t(i)] = int32_t(ClampI64(TruncI64(double(a.FirstRow + i - r.Y) * r.RY + r.SY), 0, sh - 1));
    m.RowsBuilt = true;
    m.OwnRows = m.Rows;
  }
}

// Runs the row renderer over the area; a file-backed destination in bands of
// locked rows.
void DrawRows(TIEBitmap& src, const TIEStretchRowsParams& p, bool alphaVariant, bool fileDest, TDestRows& rows,
              const TSourceMaps& maps) {
  if (!fileDest) {
    CallRowRenderer(src, p, alphaVariant);
    return;
  }
  for (int32_t r0 = p.FirstRow; r0 <= p.LastRow; r0 += kFileBandRows) {
    const int32_t r1 = std::min(p.LastRow, r0 + kFileBandRows - 1);
    TLockedBand band(*p.Dest, rows.Own, r0, r1);
    TIEStretchRowsParams q = p;
    q.FirstRow = r0;
    q.LastRow = r1;
    if (q.RowMap) q.RowMap = maps.Rows.data() + (r0 - p.FirstRow);
    CallRowRenderer(src, q, alphaVariant);
  }
}

// Nearest-pixel path.
void RenderNearest(TIEBitmap& src, const TRenderCall& c, const TRenderRects& r) {
  TIEBitmap& dest = c.Dest;
  TIEAccessScope readWrite(dest, iedRead | iedWrite);
  const int32_t sw = src.GetWidth(), sh = src.GetHeight();
  const bool fileDest = dest.Location() == ieFile;
  TDestRows rows;
  PrepareDestRows(dest, c.RowTable, fileDest, rows);
  std::vector<uint8_t> transparencyRow;
  if (c.Transparency < 255) transparencyRow.assign(size_t(sw), uint8_t(c.Transparency));
  TSourceMaps maps;
  try {
    const auto ystep = int32_t(TruncI64(double(r.SH) / r.H * 16384));
    const auto xstep = int32_t(TruncI64(double(r.SW) / r.W * 16384));
    TDrawnArea a{};
    if (!AreaDrawn(c, r, sw, sh, a)) return;

    const bool useAlpha = c.EnableAlpha && src.HasAlphaChannel() && !src.GetAlphaChannel()->FullyOpaque();
    const bool fastCopy = xstep == 16384 && ystep == 16384 && src.GetPixelFormat() == ie24RGB &&
                          c.Transparency >= 255 && !useAlpha && !src.DisplayAdjust() && src.DisplayContrast() == 0 &&
                          c.Operation == ieloCopy && src.DisplayGrayMin() == 0 && src.DisplayGrayMax() == 0;
    // The block copy needs no maps.
    if (!fastCopy) BuildSourceMaps(c, r, a, sw, sh, maps);

    TIEStretchRowsParams p;
    p.RowTable = rows.Table;
    p.Dest = &dest;
    p.Transparency = c.Transparency;
    p.UseAlpha = useAlpha;
    p.TransparencyRow = transparencyRow.empty() ? nullptr : transparencyRow.data();
    p.ColumnMap = maps.Columns.empty() ? nullptr : maps.Columns.data();
    p.RowMap = maps.Rows.empty() ? nullptr : maps.Rows.data();
    p.SourceX = r.SX;
    p.SourceY = r.SY;
    p.DestX = r.X;
    p.DestY = r.Y;
    p.FirstColumn = int32_t(a.FirstCol);
    p.LastColumn = int32_t(a.LastCol);
    p.FirstRow = int32_t(a.FirstRow);
    p.LastRow = int32_t(a.LastRow);
    p.XStep = xstep;
    p.YStep = ystep;
    p.ReuseRows = c.ReuseRows;
    p.Operation = c.Operation;
    DrawRows(src, p, c.Transparency < 255 || useAlpha, fileDest, rows, maps);
  } catch (...) {
    // A failure while drawing ends it; what was drawn stays.
  }
  // The tables built here go back to the caller for the next call.
  if (!c.FreeTables) {
    if (c.RowTable && rows.Built) *c.RowTable = std::move(rows.Own);
    if (c.ColumnMap && maps.ColumnsBuilt) *c.ColumnMap = std::move(maps.OwnColumns);
    if (c.RowMap && maps.RowsBuilt) *c.RowMap = std::move(maps.OwnRows);
  }
}

}  // namespace

void TIEBitmap::RenderToTIEBitmap(TIEBitmap& dest, std::vector<uint8_t*>* rowTable, std::vector<int32_t>* columnMap,
                                  std::vector<int32_t>* rowMap, const TRect* updateArea, int32_t xDst, int32_t yDst,
                                  int32_t dxDst, int32_t dyDst, int32_t xSrc, int32_t ySrc, int32_t dxSrc,
                                  int32_t dySrc, bool enableAlpha, bool reuseRows, int32_t transparency,
                                  TResampleFilter filter, bool freeTables, uint8_t operation) {
  TIEAccessScope readOnly(*this, iedRead);
  // Every row renderer writes 3-byte pixels: any other destination would be overrun.
  if (dest.GetPixelFormat() != ie24RGB || dest.IsEmpty() || IsEmpty()) return;
  if (dxDst == 0 || dyDst == 0 || dxSrc == 0 || dySrc == 0) return;
  if (yDst > dest.GetHeight() - 1 || xDst > dest.GetWidth() - 1) return;
  const TRenderCall call{dest,      rowTable,  columnMap, rowMap, updateArea,
                         enableAlpha, reuseRows, std::clamp(transparency, 0, 255), filter, freeTables, operation};
  TRenderRects rects{};
  if (!ClipToDestination(*this, dest, xDst, yDst, dxDst, dyDst, xSrc, ySrc, dxSrc, dySrc, rects)) return;
  if (RenderFiltered(*this, call, rects)) return;
  RenderNearest(*this, call, rects);
}

void TIEBitmap::DrawToTIEBitmap(TIEBitmap& dest, int32_t xDst, int32_t yDst, int32_t dxDst, int32_t dyDst, int32_t xSrc,
                                int32_t ySrc, int32_t dxSrc, int32_t dySrc, int32_t transparency,
                                TResampleFilter filter, uint8_t operation) {
  RenderToTIEBitmap(dest, nullptr, nullptr, nullptr, nullptr, xDst, yDst, dxDst, dyDst, xSrc, ySrc, dxSrc, dySrc, true,
                    false, transparency, filter, true, operation);
}

void TIEBitmap::RenderToTBitmap(TBitmap& dest, std::vector<uint8_t*>* rowTable, std::vector<int32_t>* columnMap,
                                std::vector<int32_t>* rowMap, const TRect* updateArea, int32_t xDst, int32_t yDst,
                                int32_t dxDst, int32_t dyDst, int32_t xSrc, int32_t ySrc, int32_t dxSrc, int32_t dySrc,
                                bool enableAlpha, bool reuseRows, int32_t transparency, TResampleFilter filter,
                                bool freeTables, uint8_t operation) {
  if (dest.PixelFormat() != pf24bit) return;
  TIEBitmap wrapped;
  wrapped.EncapsulateTBitmap(&dest, false);
  RenderToTIEBitmap(wrapped, rowTable, columnMap, rowMap, updateArea, xDst, yDst, dxDst, dyDst, xSrc, ySrc, dxSrc,
                    dySrc, enableAlpha, reuseRows, transparency, filter, freeTables, operation);
}

void TIEBitmap::DrawToTBitmap(TBitmap& dest, int32_t xDst, int32_t yDst, int32_t dxDst, int32_t dyDst, int32_t xSrc,
                              int32_t ySrc, int32_t dxSrc, int32_t dySrc, int32_t transparency, TResampleFilter filter,
                              uint8_t operation) {
  RenderToTBitmap(dest, nullptr, nullptr, nullptr, nullptr, xDst, yDst, dxDst, dyDst, xSrc, ySrc, dxSrc, dySrc, true,
                  false, transparency, filter, true, operation);
}

void TIEBitmap::StretchRectTo(TIEBitmap& dest, int32_t xDst, int32_t yDst, int32_t dxDst, int32_t dyDst, int32_t xSrc,
                              int32_t ySrc, int32_t dxSrc, int32_t dySrc, TResampleFilter filter, int32_t alphaValue) {
  if (&dest == this || IsEmpty() || dest.IsEmpty()) return;
  const TIEPixelFormat format = GetPixelFormat();
  if (filter != rfNone && (dxSrc != dxDst || dySrc != dyDst) && dxSrc > 0 && dySrc > 0 && dxDst > 0 && dyDst > 0 &&
      (dxSrc > 1 || dySrc > 1)) {
    if (dxSrc < dxDst || format != ie1g || HasAlphaChannel()) {
      const bool projection = filter == rfProjectBW || filter == rfProjectWB;
      TIEBitmap part, sized;
      if (!part.Allocate(dxSrc, dySrc, format)) return;
      part.Fill(0);
      CopyRectTo(part, xSrc, ySrc, 0, 0, dxSrc, dySrc);
      if (format == ie8p) CopyPaletteTo(&part);
      if (!sized.Allocate(dxDst, dyDst, format == ie1g && projection ? ie1g : ie24RGB)) return;
      if (format == ie1g)
        _Resample1BitEx(part, sized, filter);
      else
        _ResampleEx(part, sized, nullptr, {}, filter);
      if (HasAlphaChannel()) {
        TIEBitmap* partAlpha = part.GetAlphaChannel();
        partAlpha->Fill(0);
        GetAlphaChannel()->CopyRectTo(*partAlpha, xSrc, ySrc, 0, 0, dxSrc, dySrc);
        partAlpha->SetFullyOpaque(GetAlphaChannel()->FullyOpaque());
        ResampleGray8(*partAlpha, *sized.GetAlphaChannel(), filter);
        sized.GetAlphaChannel()->SetFullyOpaque(partAlpha->FullyOpaque());
      }
      sized.StretchRectTo(dest, xDst, yDst, dxDst, dyDst, 0, 0, dxDst, dyDst, rfNone, alphaValue);
      return;
    }
    TIEBitmap gray;
    if (!gray.Allocate(dxDst, dyDst, ie24RGB)) return;
    Average1BitToGray(*this, xSrc, ySrc, xSrc + dxSrc - 1, ySrc + dySrc - 1, gray);
    gray.StretchRectTo(dest, xDst, yDst, dxDst, dyDst, 0, 0, dxDst, dyDst, rfNone, alphaValue);
    return;
  }
  if (dxSrc <= 0 || dySrc <= 0 || dxDst <= 0 || dyDst <= 0) return;
  try {
    TIEAccessScope readOnly(*this, iedRead);
    const int32_t W = dest.GetWidth(), H = dest.GetHeight(), sw = GetWidth(), sh = GetHeight();
    const auto ystep = TruncI64(double(dySrc) / dyDst * 16384);
    const auto xstep = TruncI64(double(dxSrc) / dxDst * 16384);
    const int64_t x1 = std::max<int64_t>(xDst, 0), x2 = std::min<int64_t>(int64_t(xDst) + dxDst - 1, W - 1);
    const int64_t y1 = std::max<int64_t>(yDst, 0), y2 = std::min<int64_t>(int64_t(yDst) + dyDst - 1, H - 1);
    if (x1 > x2 || y1 > y2) return;
    const auto nc = int32_t(x2 - x1 + 1), nr = int32_t(y2 - y1 + 1);
    TIEBitmap* sourceAlpha = HasAlphaChannel() ? GetAlphaChannel() : nullptr;
    const bool alphaInUse =
        sourceAlpha && !sourceAlpha->FullyOpaque() && sourceAlpha->GetWidth() == sw && sourceAlpha->GetHeight() == sh;
    // Source positions are kept inside the source, whatever rectangle was asked for.
    std::vector<int32_t> columns(static_cast<size_t>(nc)), rows(static_cast<size_t>(nr));
    for (int32_t i = 0; i < nc; ++i)
      columns[size_t(i)] = int32_t(ClampI64(xSrc + (((x1 + i - xDst) * xstep) >> 14), 0, sw - 1));
    for (int32_t i = 0; i < nr; ++i)
      rows[size_t(i)] = int32_t(ClampI64(ySrc + ((ystep * (y1 + i - yDst)) >> 14), 0, sh - 1));

    TIEBitmap* destAlpha = dest.GetAlphaChannel();
    const auto limit = uint8_t(std::clamp(alphaValue, 0, 255));
    if (destAlpha && alphaInUse) {
      TIEAccessScope alphaRead(*sourceAlpha, iedRead);
      TIEAccessScope alphaWrite(*destAlpha, iedRead | iedWrite);
      std::vector<uint8_t> line(static_cast<size_t>(sw));
      for (int32_t j = 0; j < nr; ++j) {
        const auto* s = static_cast<const uint8_t*>(sourceAlpha->GetScanline(rows[size_t(j)]));
        if (!s) continue;
        std::memcpy(line.data(), s, line.size());
        auto* d = static_cast<uint8_t*>(destAlpha->GetScanline(int32_t(y1) + j));
        if (!d) continue;
        for (int32_t i = 0; i < nc; ++i) d[x1 + i] = std::min(limit, line[size_t(columns[size_t(i)])]);
      }
    } else if (destAlpha) {
      destAlpha->FillRect(int32_t(x1), int32_t(y1), int32_t(x2), int32_t(y2), limit);
    }
    if (dest.GetPixelFormat() != ie24RGB || (format != ie1g && format != ie24RGB)) return;
    TIEAccessScope writeDest(dest, iedRead | iedWrite);
    const size_t bpp = format == ie24RGB ? 3 : 0;
    std::vector<uint8_t> line(static_cast<size_t>(GetRowLen()));
    for (int32_t j = 0; j < nr; ++j) {
      const auto* s = static_cast<const uint8_t*>(GetScanline(rows[size_t(j)]));
      if (!s) continue;
      // A copy: in ieFile the destination's row access may end the source row's view.
      std::memcpy(line.data(), s, line.size());
      auto* row = static_cast<uint8_t*>(dest.GetScanline(int32_t(y1) + j));
      if (!row) continue;
      uint8_t* d = row + x1 * 3;
      for (int32_t i = 0; i < nc; ++i, d += 3) {
        const int32_t sx = columns[size_t(i)];
        if (bpp) {
          std::memcpy(d, line.data() + size_t(sx) * bpp, 3);
        } else {
          const uint8_t v = IEGetBit1(line.data(), sx) ? 255 : 0;
          d[0] = d[1] = d[2] = v;
        }
      }
    }
  } catch (...) {
    // A failure ends the copy; what was copied stays.
  }
}
