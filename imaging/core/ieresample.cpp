#include "imaging/core/ieresample.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>

#include "imaging/core/iegeometry.h"
#include "imaging/core/iethreadpool.h"
#include "imaging/core/ieprocutils.h"

// ---- kernels -------------------------------------------------------------------------------------

double SincValue(double x) {
  if (x == 0) return 1;
  const double px = std::numbers::pi * x;
  return std::sin(px) / px;
}

double TriangleFilter(double x) {
  x = std::fabs(x);
  return x < 1 ? 1 - x : 0;
}

double HermiteFilter(double x) {
  x = std::fabs(x);
  return x < 1 ? (2 * x - 3) * x * x + 1 : 0;
}

double BellFilter(double x) {
  x = std::fabs(x);
  if (x < 0.5) return 0.75 - x * x;
  if (x < 1.5) return 0.5 * (x - 1.5) * (x - 1.5);
  return 0;
}

double BSplineFilter(double x) {
  x = std::fabs(x);
  if (x < 1) return x * x * x / 2 - x * x + 2.0 / 3;
  if (x < 2) return (2 - x) * (2 - x) * (2 - x) / 6;
  return 0;
}

double Lanczos3Filter(double x) { return std::fabs(x) < 3 ? SincValue(x) * SincValue(x / 3) : 0; }

double MitchellFilter(double x) {
  x = std::fabs(x);
  if (x < 1) return (7 * x * x * x - 12 * x * x + 16.0 / 3) / 6;
  if (x < 2) return (-7.0 / 3 * x * x * x + 12 * x * x - 20 * x + 32.0 / 3) / 6;
  return 0;
}

double BoxFilter(double x) { return x > -0.5 && x <= 0.5 ? 1 : 0; }

double LinearFilter(double x) {
  if (x >= -1 && x < 0) return x + 1;
  if (x >= 0 && x < 1) return 1 - x;
  return 0;
}

const TIEResampleKernel* IEResampleKernel(TResampleFilter filter) {
  static const TIEResampleKernel kernels[8] = {
      {&TriangleFilter, 1.0}, {&HermiteFilter, 1.0},  {&BellFilter, 1.5}, {&BSplineFilter, 2.0},
      {&Lanczos3Filter, 3.0}, {&MitchellFilter, 2.0}, {&BoxFilter, 1.0},  {&LinearFilter, 1.0},
  };
  if (filter < rfTriangle || filter > rfLinear) return nullptr;
  return &kernels[filter - rfTriangle];
}

// ---- contributors and bands ------------------------------------------------------------------------

TIEContributorList IEBuildContributors(int32_t sourceLength, int32_t destLength, TResampleFilter filter) {
  TIEContributorList list;
  const TIEResampleKernel* kernel = IEResampleKernel(filter);
  if (!kernel || sourceLength <= 0 || destLength <= 0) return list;
  list.resize(size_t(destLength));
  const double scale = sourceLength == 1 || destLength == 1 ? double(destLength) / sourceLength
                                                            : double(destLength - 1) / (sourceLength - 1);
  const double support = kernel->Support;
  const double width = scale >= 1 ? support : support / scale;
  const double factor = 1 / scale;
  for (int32_t i = 0; i < destLength; ++i) {
    const double center = i / scale;
    const int64_t left = IEFloor(center - width), right = IECeil(center + width);
    auto& out = list[size_t(i)];
    out.reserve(size_t(right - left + 1));
    for (int64_t j = left; j <= right; ++j) {
      const double w = scale >= 1 ? kernel->Filter(center - double(j)) * 256
                                  : kernel->Filter((center - double(j)) / factor) * 256 / factor;
      const auto weight = int32_t(std::nearbyint(w));
      if (weight == 0) continue;
      int64_t n = j;
      if (n < 0)
        n = -n;
      else if (n >= sourceLength)
        n = 2 * int64_t(sourceLength) - 1 - n;
      n = std::clamp<int64_t>(n, 0, sourceLength - 1);
      out.push_back({int32_t(n), weight});
    }
  }
  return list;
}

std::vector<TIERowBand> IEResampleBands(int32_t rows, int32_t threads) {
  std::vector<TIERowBand> bands;
  if (rows <= 0) return bands;
  const int32_t n = std::clamp(threads, 1, rows);
  const int32_t each = rows / n;
  for (int32_t k = 0; k < n; ++k) bands.push_back({k * each, k == n - 1 ? rows - k * each : each});
  return bands;
}

// ---- the horizontal pass -------------------------------------------------------------------------------

TResampleHorizThread::TResampleHorizThread(int32_t firstRow, int32_t rowCount, int32_t index, const TResampleJob& job)
    : TThread(true), firstRow_(firstRow), rowCount_(rowCount), index_(index), job_(job) {}

namespace {

inline uint8_t ClampDiv(int32_t sum, int32_t weights) {
  const int32_t v = sum / weights;
  return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
}

// One source row of 3-byte pixels through the column contributors into a work row.
void HorizontalRow(const uint8_t* s, uint8_t* w, const TIEContributorList& columns) {
  for (const auto& cl : columns) {
    int32_t b = 0, g = 0, r = 0, ws = 0;
    for (const TIEContributor& c : cl) {
      const uint8_t* p = s + size_t(c.Pixel) * 3;
      b += c.Weight * p[0];
      g += c.Weight * p[1];
      r += c.Weight * p[2];
      ws += c.Weight;
    }
    if (ws == 0) ws = 256;
    w[0] = ClampDiv(b, ws);
    w[1] = ClampDiv(g, ws);
    w[2] = ClampDiv(r, ws);
    w += 3;
  }
}

}  // namespace

void TResampleHorizThread::Execute() {
  const TResampleJob& j = job_;
  int32_t reported = -1;
  std::vector<uint8_t> copy;
  for (int32_t row = firstRow_; row < firstRow_ + rowCount_; ++row) {
    const uint8_t* s = nullptr;
    if (!j.SourceRows.empty()) {
      s = j.SourceRows[size_t(row)];
    } else if (const auto* view = static_cast<const uint8_t*>(j.Source->GetScanline(row))) {
      copy.assign(view, view + j.Source->GetRowLen());
      s = copy.data();
    }
    if (s) HorizontalRow(s, j.Work + size_t(row) * j.WorkRowLen, *j.Columns);
    if (index_ == 0 && j.Progress && *j.Progress) {
      const auto percent = int32_t((double(row) * j.ThreadCount + 1) * j.ProgressFactor);
      if (percent != reported) {
        reported = percent;
        (*j.Progress)(percent);
      }
    }
  }
}

// ---- _ResampleEx and ResampleBitmap --------------------------------------------------------------------

namespace {

// The two-pass convolution of an ie24RGB source into an ie24RGB dest.
void Convolve24(TIEBitmap& source, TIEBitmap& dest, const TIEProcProgress& progress, TResampleFilter filter) {
  const int32_t sw = source.GetWidth(), sh = source.GetHeight(), dw = dest.GetWidth(), dh = dest.GetHeight();
  const TIEContributorList columns = IEBuildContributors(sw, dw, filter);
  const TIEContributorList rows = IEBuildContributors(sh, dh, filter);
  const size_t workRowLen = size_t(dw) * 3;
  std::vector<uint8_t> work(workRowLen * size_t(sh));

  TResampleJob job;
  job.DestWidth = dw;
  job.Columns = &columns;
  job.Source = &source;
  job.Work = work.data();
  job.WorkRowLen = workRowLen;
  job.ProgressFactor = 100 / (sh + dh + 0.5);
  job.Progress = progress ? &progress : nullptr;
  TIEAccessScope readOnly(source, iedRead);
  // A file-backed source has one row in memory at a time: one thread reads it.
  const bool fileSource = source.Location() == ieFile;
  if (!fileSource) {
    // Addresses taken here, on the calling thread: the workers only read pixels.
    job.SourceRows.resize(size_t(sh));
    for (int32_t y = 0; y < sh; ++y) job.SourceRows[size_t(y)] = static_cast<const uint8_t*>(source.GetScanline(y));
  }
  const std::vector<TIERowBand> bands = IEResampleBands(sh, fileSource ? 1 : IEGetLogicalProcessorCount());
  job.ThreadCount = int32_t(bands.size());
  {
    TIEThreadPool pool;
    for (size_t k = 0; k < bands.size(); ++k)
      pool.Add(TThread::Create<TResampleHorizThread>(bands[k].FirstRow, bands[k].RowCount, int32_t(k), job));
    pool.WaitAll();
  }

  TIEAccessScope writeOnly(dest, iedWrite);
  int32_t reported = -1;
  for (int32_t y = 0; y < dh; ++y) {
    auto* d = static_cast<uint8_t*>(dest.GetScanline(y));
    if (d) {
      const auto& rl = rows[size_t(y)];
      for (int32_t x = 0; x < dw; ++x) {
        int32_t b = 0, g = 0, r = 0, ws = 0;
        for (const TIEContributor& c : rl) {
          const uint8_t* p = work.data() + size_t(c.Pixel) * workRowLen + size_t(x) * 3;
          b += c.Weight * p[0];
          g += c.Weight * p[1];
          r += c.Weight * p[2];
          ws += c.Weight;
        }
        uint8_t* q = d + size_t(x) * 3;
        if (ws != 0) {
          q[0] = ClampDiv(b, ws);
          q[1] = ClampDiv(g, ws);
          q[2] = ClampDiv(r, ws);
        } else {
          // Shifted as unsigned values: a negative sum comes out as 255.
          q[0] = uint8_t(std::min<uint32_t>(uint32_t(b) >> 8, 255));
          q[1] = uint8_t(std::min<uint32_t>(uint32_t(g) >> 8, 255));
          q[2] = uint8_t(std::min<uint32_t>(uint32_t(r) >> 8, 255));
        }
      }
    }
    if (progress) {
      const auto percent = int32_t((sh + y + 1) * job.ProgressFactor);
      if (percent != reported) {
        reported = percent;
        progress(percent);
      }
    }
  }
}

bool EnsureFormat(TIEBitmap& bitmap, TIEPixelFormat format) {
  if (bitmap.GetPixelFormat() == format) return true;
  return bitmap.Allocate(bitmap.GetWidth(), bitmap.GetHeight(), format);
}

}  // namespace

void _ResampleEx(TIEBitmap& source, TIEBitmap& dest, TIEBitmap* sourceAlpha, const TIEProcProgress& progress,
                 TResampleFilter filter) {
  const int32_t sw = source.GetWidth(), sh = source.GetHeight();
  if (sw <= 0 || sh <= 0 || (sw == 1 && sh == 1) || dest.GetWidth() <= 0 || dest.GetHeight() <= 0) return;
  if (&source == &dest || filter == rfNone) return;
  const TIEPixelFormat format = source.GetPixelFormat();
  if (filter == rfBilinear || filter == rfBicubic) {
    if (format == ie24RGB || format == ie8g) {
      if (!EnsureFormat(dest, format)) return;
      AreaResample8(source, dest, sourceAlpha, filter == rfBicubic, progress);
      return;
    }
    if (format == ie16g || format == ieRGB48) {
      if (!EnsureFormat(dest, format)) return;
      AreaResample16(source, dest, filter == rfBicubic, progress);
      return;
    }
    filter = rfTriangle;
  }
  if (format == ie8g) {
    if (!EnsureFormat(dest, ie8g)) return;
    ResampleGray8(source, dest, filter);
    return;
  }
  // Any other format is resampled from an ie24RGB copy; the source itself stays as it is.
  std::unique_ptr<TIEBitmap> converted;
  TIEBitmap* from = &source;
  if (format != ie24RGB) {
    converted = std::make_unique<TIEBitmap>();
    converted->Assign(&source);
    converted->ConvertToFormat(ie24RGB);
    if (converted->GetPixelFormat() != ie24RGB || converted->GetWidth() != sw || converted->GetHeight() != sh) return;
    from = converted.get();
  }
  if (filter == rfProjectBW || filter == rfProjectWB) {
    ProjectToBilevel24(*from, dest, filter == rfProjectWB, progress);
    return;
  }
  if (!EnsureFormat(dest, ie24RGB)) return;
  if (filter == rfFastLinear) {
    FastLinearResample24(*from, dest, progress);
    return;
  }
  Convolve24(*from, dest, progress, filter);
}

void ResampleBitmap(TIEBitmap& source, TIEBitmap& dest, TResampleFilter filter, const TIEProcProgress& progress) {
  if (&source == &dest || source.IsEmpty() || dest.GetWidth() <= 0 || dest.GetHeight() <= 0) return;
  const int32_t dw = dest.GetWidth(), dh = dest.GetHeight();
  if (source.GetWidth() == dw && source.GetHeight() == dh) {
    dest.Assign(&source);
    return;
  }
  const TIEPixelFormat format = source.GetPixelFormat();
  if (filter == rfNone) {
    if (!EnsureFormat(dest, format)) return;
    _IEBmpStretchEx(source, dest, progress);
  } else if (format == ie1g) {
    if (!EnsureFormat(dest, filter == rfProjectBW || filter == rfProjectWB ? ie1g : ie24RGB)) return;
    _Resample1BitEx(source, dest, filter);
  } else {
    _ResampleEx(source, dest, source.HasAlphaChannel() ? source.GetAlphaChannel() : nullptr, progress, filter);
  }
  if (source.HasAlphaChannel()) {
    TIEBitmap* from = source.GetAlphaChannel();
    TIEBitmap* to = dest.GetAlphaChannel();
    if (!to) return;
    if (filter == rfNone)
      _IEBmpStretchEx(*from, *to);
    else
      ResampleGray8(*from, *to, filter);
    to->SetFullyOpaque(from->FullyOpaque());
  }
}

void IEResampleTo(TIEBitmap& source, TIEBitmap& dest, int32_t newWidth, bool keepAspect, TResampleFilter filter,
                  int32_t newHeight, const TIEProcProgress& progress) {
  if (&source == &dest || source.IsEmpty()) return;
  const int64_t w = source.GetWidth(), h = source.GetHeight();
  if (newWidth < 1 || newHeight < 1) keepAspect = false;
  if (newWidth < 0 && newHeight < 0 && !keepAspect) return;
  const auto side = [](int64_t v) { return int32_t(std::clamp<int64_t>(v, 1, INT32_MAX)); };
  const int32_t W = side(newWidth == -1 ? int64_t(newHeight) * w / h : newWidth == 0 ? w : std::abs(int64_t(newWidth)));
  const int32_t H = side(newHeight == -1 ? int64_t(W) * h / w : newHeight == 0 ? h : std::abs(int64_t(newHeight)));
  TSize size(W, H);
  if (keepAspect) IEFitSize(int32_t(w), int32_t(h), W, H, true, false, size);
  if (!dest.Allocate(std::max(size.cx, 1), std::max(size.cy, 1), source.GetPixelFormat())) return;
  if (source.GetPixelFormat() == ie8p) source.CopyPaletteTo(&dest);
  ResampleBitmap(source, dest, filter, progress);
}
