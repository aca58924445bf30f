#include "imaging/core/ierender.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

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
  const int32_t W = dest.GetWidth(), H = dest.GetHeight();
  const int32_t sw = GetWidth(), sh = GetHeight();
  if (yDst > H - 1 || xDst > W - 1) return;
  transparency = std::clamp(transparency, 0, 255);

  // Ratios of the rectangles as given; the maps keep using them after clipping.
  const double ry = double(dySrc) / dyDst, rx = double(dxSrc) / dxDst;

  // Clip to the destination: a cut-off part of the destination rectangle cuts
  // the source rectangle by the ratio (rounded at the start, truncated at the end).
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
  if (wd == 0 || hd == 0 || ws == 0 || hs == 0) return;
  const auto x0 = int32_t(xd), y0 = int32_t(yd), w0 = int32_t(wd), h0 = int32_t(hd);
  const auto sx0 = int32_t(xs), sy0 = int32_t(ys), sw0 = int32_t(ws), sh0 = int32_t(hs);
  const TIEPixelFormat format = GetPixelFormat();

  // Filtered path: resample the source rectangle to the destination size, then draw that 1:1.
  // A single source pixel gives one colour whatever the filter; the resamplers leave such a source alone.
  if (filter != rfNone && (sw0 != w0 || sh0 != h0) && (sw0 > 1 || sh0 > 1) && (format == ie1g || format == ie24RGB)) {
    const bool alphaInUse = enableAlpha && HasAlphaChannel();
    const bool projection = filter == rfProjectBW || filter == rfProjectWB;
    if (format == ie1g && sw0 >= w0 && !alphaInUse && !projection) {
      TIEBitmap gray;
      if (!gray.Allocate(w0, h0, ie24RGB)) return;
      Average1BitToGray(*this, sx0, sy0, sx0 + sw0 - 1, sy0 + sh0 - 1, gray);
      gray.RenderToTIEBitmap(dest, nullptr, nullptr, nullptr, updateArea, x0, y0, w0, h0, 0, 0, w0, h0, enableAlpha,
                             reuseRows, transparency, rfNone, true, operation);
      return;
    }
    TIEBitmap part;
    if (!part.Allocate(sw0, sh0, format)) return;
    // A source rectangle reaching past the source leaves part of the copy
    // uncovered; that part is black rather than whatever the memory held.
    part.Fill(0);
    CopyRectTo(part, sx0, sy0, 0, 0, sw0, sh0);
    TIEBitmap sized;
    if (!sized.Allocate(w0, h0, format == ie1g && projection ? ie1g : ie24RGB)) return;
    if (format == ie1g)
      _Resample1BitEx(part, sized, filter);
    else
      _ResampleEx(part, sized, nullptr, {}, filter);
    if (alphaInUse) {
      TIEBitmap* sourceAlpha = GetAlphaChannel();
      TIEBitmap* partAlpha = part.GetAlphaChannel();
      partAlpha->Fill(0);
      sourceAlpha->CopyRectTo(*partAlpha, sx0, sy0, 0, 0, sw0, sh0);
      partAlpha->SetFullyOpaque(sourceAlpha->FullyOpaque());
      TIEBitmap* sizedAlpha = sized.GetAlphaChannel();
      ResampleGray8(*partAlpha, *sizedAlpha, filter);
      sizedAlpha->SetFullyOpaque(partAlpha->FullyOpaque());
    }
    for (int32_t i = 0; i < 4; ++i) sized.SetChannelOffset(i, ChannelOffset(i));
    sized.SetDisplayAdjust(DisplayAdjust());
    sized.SetDisplayContrast(DisplayContrast());
    sized.RenderToTIEBitmap(dest, nullptr, nullptr, nullptr, updateArea, x0, y0, w0, h0, 0, 0, w0, h0, enableAlpha,
                            reuseRows, transparency, rfNone, true, operation);
    return;
  }

  // Nearest-pixel path.
  TIEAccessScope readWrite(dest, iedRead | iedWrite);
  const bool fileDest = dest.Location() == ieFile;
  std::vector<uint8_t*> ownTable;
  bool tableBuilt = false;
  uint8_t* const* table = nullptr;
  if (!fileDest && rowTable && rowTable->size() >= size_t(H)) {
    table = rowTable->data();
  } else {
    ownTable.assign(size_t(H), nullptr);
    if (!fileDest) {
      for (int32_t y = 0; y < H; ++y) ownTable[size_t(y)] = static_cast<uint8_t*>(dest.GetScanline(y));
      tableBuilt = true;
    }
    table = ownTable.data();
  }
  std::vector<uint8_t> transparencyRow;
  if (transparency < 255) transparencyRow.assign(size_t(sw), uint8_t(transparency));
  std::vector<int32_t> ownColumns, ownRows, workColumns, workRows;
  bool columnsBuilt = false, rowsBuilt = false;
  try {
    const auto ystep = int32_t(TruncI64(double(sh0) / h0 * 16384));
    const auto xstep = int32_t(TruncI64(double(sw0) / w0 * 16384));

    // The area drawn: the destination rectangle within the update area and the destination.
    int64_t ul = -2147483646, ut = -2147483646, ur = 2147483646, ub = 2147483646;
    if (updateArea) {
      ul = updateArea->Left;
      ut = updateArea->Top;
      ur = updateArea->Right;
      ub = updateArea->Bottom;
    }
    int64_t firstCol = std::max<int64_t>(ul, x0), lastCol = std::min<int64_t>({ur, int64_t(x0) + w0 - 1, W - 1});
    int64_t firstRow = std::max<int64_t>(ut, y0), lastRow = std::min<int64_t>({ub, int64_t(y0) + h0 - 1, H - 1});
    // An update area beside the destination draws nothing (clamping first
    // would draw its nearest edge column or row).
    if (firstCol > lastCol || firstRow > lastRow) return;
    firstCol = ClampI64(firstCol, 0, W - 1);
    lastCol = ClampI64(lastCol, 0, W - 1);
    firstRow = ClampI64(firstRow, 0, H - 1);
    lastRow = ClampI64(lastRow, 0, H - 1);
    const bool passedRows = rowMap && !rowMap->empty();
    const bool passedColumns = columnMap && !columnMap->empty();
    // A handed-in map is read from the destination rectangle's start; rows or
    // columns it does not cover inside the source are not drawn.
    if (passedRows)
      while (lastRow >= firstRow && (size_t(lastRow - y0) >= rowMap->size() || (*rowMap)[size_t(lastRow - y0)] >= sh))
        --lastRow;
    if (passedColumns)
      while (lastCol >= firstCol &&
             (size_t(lastCol - x0) >= columnMap->size() || (*columnMap)[size_t(lastCol - x0)] >= sw))
        --lastCol;
    if (firstCol > lastCol || firstRow > lastRow) return;

    const bool useAlpha = enableAlpha && HasAlphaChannel() && !GetAlphaChannel()->FullyOpaque();
    const bool fastCopy = xstep == 16384 && ystep == 16384 && format == ie24RGB && transparency >= 255 && !useAlpha &&
                          !DisplayAdjust() && DisplayContrast() == 0 && operation == 0 && DisplayGrayMin() == 0 &&
                          DisplayGrayMax() == 0;
    if (!fastCopy) {
      const int32_t nc = int32_t(lastCol - firstCol + 1), nr = int32_t(lastRow - firstRow + 1);
      // The renderers index the source by these: handed-in entries are held inside it.
      workColumns.resize(size_t(nc));
      workRows.resize(size_t(nr));
      if (passedColumns) {
        for (int32_t i = 0; i < nc; ++i)
          workColumns[size_t(i)] = std::clamp((*columnMap)[size_t(firstCol - x0 + i)], 0, sw - 1);
      } else {
        for (int32_t i = 0; i < nc; ++i)
          workColumns[size_t(i)] = int32_t(ClampI64(TruncI64(double(firstCol + i - x0) * rx + sx0), 0, sw - 1));
        columnsBuilt = true;
        ownColumns = workColumns;
      }
      if (passedRows) {
        for (int32_t i = 0; i < nr; ++i)
          workRows[size_t(i)] = std::clamp((*rowMap)[size_t(firstRow - y0 + i)], 0, sh - 1);
      } else {
        for (int32_t i = 0; i < nr; ++i)
          workRows[size_t(i)] = int32_t(ClampI64(TruncI64(double(firstRow + i - y0) * ry + sy0), 0, sh - 1));
        rowsBuilt = true;
        ownRows = workRows;
      }
    }

    TIEStretchRowsParams p;
    p.RowTable = table;
    p.Dest = &dest;
    p.Transparency = transparency;
    p.UseAlpha = useAlpha;
    p.TransparencyRow = transparencyRow.empty() ? nullptr : transparencyRow.data();
    p.ColumnMap = workColumns.empty() ? nullptr : workColumns.data();
    p.RowMap = workRows.empty() ? nullptr : workRows.data();
    p.SourceX = sx0;
    p.SourceY = sy0;
    p.DestX = x0;
    p.DestY = y0;
    p.FirstColumn = int32_t(firstCol);
    p.LastColumn = int32_t(lastCol);
    p.FirstRow = int32_t(firstRow);
    p.LastRow = int32_t(lastRow);
    p.XStep = xstep;
    p.YStep = ystep;
    p.ReuseRows = reuseRows;
    p.Operation = operation;
    const bool alphaVariant = transparency < 255 || useAlpha;
    if (!fileDest) {
      CallRowRenderer(*this, p, alphaVariant);
    } else {
      for (auto r0 = int32_t(firstRow); r0 <= int32_t(lastRow); r0 += kFileBandRows) {
        const int32_t r1 = std::min(int32_t(lastRow), r0 + kFileBandRows - 1);
        TLockedBand band(dest, ownTable, r0, r1);
        TIEStretchRowsParams q = p;
        q.FirstRow = r0;
        q.LastRow = r1;
        if (q.RowMap) q.RowMap = workRows.data() + (r0 - firstRow);
        CallRowRenderer(*this, q, alphaVariant);
      }
    }
  } catch (...) {
    // A failure while drawing ends it; what was drawn stays.
  }
  if (!freeTables) {
    if (rowTable && tableBuilt) *rowTable = std::move(ownTable);
    if (columnMap && columnsBuilt) *columnMap = std::move(ownColumns);
    if (rowMap && rowsBuilt) *rowMap = std::move(ownRows);
  }
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
