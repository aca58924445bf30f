// Resampling: changing the pixel size of an image with a TResampleFilter.
//
// ResampleBitmap resamples a whole image (alpha channel included) into a
// destination already sized; it dispatches to
//   _ResampleEx          the filtered colour path: filters rfTriangle..rfLinear
//                        as a two-pass convolution with integer weights (x256),
//                        the horizontal pass in bands of rows on one worker
//                        thread per processor core (TIEThreadPool);
//   the special resamplers (ieresamplespecial.cpp): one-channel 8-bit and
//                        1-bit sources, fixed-point fast linear, projections
//                        to 1 bit, area coverage for rfBilinear/rfBicubic, a
//                        box average of 1-bit images to gray and the
//                        unfiltered nearest-pixel stretch.
//
// In every routine sw, sh are the source's width and height and dw, dh the
// destination's. Convolution scale = dw / sw when either side is 1, else
// (dw - 1) / (sw - 1), so the first and last columns stay in place.
// Rounding: Round is half to even, Trunc toward zero.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/core/iebitmap.h"
#include "imaging/core/ieglobals.h"
#include "imaging/core/iecolorconv.h"  // TIEProcProgress
#include "platform/classes/threads.h"

// ---- kernels of the convolution filters (x: distance in source pixels) ----
double SincValue(double x);
double TriangleFilter(double x);
double HermiteFilter(double x);
double BellFilter(double x);
double BSplineFilter(double x);
double Lanczos3Filter(double x);
double MitchellFilter(double x);
double BoxFilter(double x);
double LinearFilter(double x);

struct TIEResampleKernel {
  double (*Filter)(double x);
  double Support;  // half-width at unit scale
};
// The kernel of filters rfTriangle..rfLinear; null for the others.
const TIEResampleKernel* IEResampleKernel(TResampleFilter filter);

// One source pixel's part in a destination pixel: its index (mirrored at the
// edges) and its weight, the kernel value x 256, rounded.
struct TIEContributor {
  int32_t Pixel;
  int32_t Weight;
};
// For every destination column (or row), its non-zero contributors.
using TIEContributorList = std::vector<std::vector<TIEContributor>>;
TIEContributorList IEBuildContributors(int32_t sourceLength, int32_t destLength, TResampleFilter filter);

// The rows of each horizontal-pass thread: threads bands of rows div threads
// rows each, the last one taking the rest (fewer threads than rows asked for
// when the image has fewer rows).
struct TIERowBand {
  int32_t FirstRow;
  int32_t RowCount;
};
std::vector<TIERowBand> IEResampleBands(int32_t rows, int32_t threads);

// What the horizontal-pass threads share; each writes only its own rows of Work.
struct TResampleJob {
  int32_t ThreadCount = 1;
  int32_t DestWidth = 0;
  const TIEContributorList* Columns = nullptr;
  // Source rows by index; empty when the source is file-backed, whose rows
  // are then read through Source (by a single thread).
  std::vector<const uint8_t*> SourceRows;
  TIEBitmap* Source = nullptr;
  uint8_t* Work = nullptr;  // DestWidth x source height, 3 bytes per pixel
  size_t WorkRowLen = 0;
  double ProgressFactor = 0;
  const TIEProcProgress* Progress = nullptr;  // called by thread 0 only, on that thread
};

// One band of the horizontal pass of _ResampleEx.
class TResampleHorizThread : public TThread {
  DX_CLASS(TResampleHorizThread, TThread)
 public:
  // Created suspended; TIEThreadPool::Add starts it.
  TResampleHorizThread(int32_t firstRow, int32_t rowCount, int32_t index, const TResampleJob& job);

 protected:
  void Execute() override;

 private:
  int32_t firstRow_;
  int32_t rowCount_;
  int32_t index_;
  TResampleJob job_;
};

// Resamples source into dest, which keeps its size: equal sizes copy, rfNone
// stretches by nearest pixel, ie1g sources go to _Resample1BitEx (dest
// becoming ie24RGB, or ie1g for the projections), others to _ResampleEx. The
// source's alpha channel is resampled into dest's.
void ResampleBitmap(TIEBitmap& source, TIEBitmap& dest, TResampleFilter filter, const TIEProcProgress& progress = {});
// Resamples source into dest at a new size, what the processing component's
// ResampleTo does besides its events: width -1 follows the height as passed
// (newHeight * width div height), height -1 the width; 0 keeps a side, other
// values count by their magnitude, and a side below 1 becomes 1. keepAspect
// (ignored unless both values are at least 1) fits the image's aspect ratio
// into that box, enlarging or shrinking. Nothing for an empty source or when
// both values are negative without keepAspect.
void IEResampleTo(TIEBitmap& source, TIEBitmap& dest, int32_t newWidth, bool keepAspect, TResampleFilter filter,
                  int32_t newHeight, const TIEProcProgress& progress = {});
// The filtered colour path; dest keeps its size and becomes ie24RGB (ie8g,
// ie16g and ieRGB48 sources of rfBilinear/rfBicubic, and ie8g sources of any
// filter, keep their format). sourceAlpha is read only by the area resampler.
// Nothing for an empty or 1 x 1 source or an empty dest.
void _ResampleEx(TIEBitmap& source, TIEBitmap& dest, TIEBitmap* sourceAlpha, const TIEProcProgress& progress,
                 TResampleFilter filter);

// ---- special resamplers (ieresamplespecial.cpp) ----
// ie8g into ie8g (alpha channels).
void ResampleGray8(TIEBitmap& source, TIEBitmap& dest, TResampleFilter filter);
// ie1g into ie24RGB gray, or into ie1g for rfProjectBW / rfProjectWB.
void _Resample1BitEx(TIEBitmap& source, TIEBitmap& dest, TResampleFilter filter);
// Fixed-point linear interpolation when enlarging, box mean when reducing.
void FastLinearResample24(TIEBitmap& source, TIEBitmap& dest, const TIEProcProgress& progress = {});
void FastLinearResample8(TIEBitmap& source, TIEBitmap& dest, const TIEProcProgress& progress = {});
void FastLinearResample1BitToGray(TIEBitmap& source, TIEBitmap& dest, const TIEProcProgress& progress = {});
// Reduction to 1 bit where a thin line of the winning colour survives.
void ProjectToBilevel24(TIEBitmap& source, TIEBitmap& dest, bool whiteWins, const TIEProcProgress& progress = {});
void ProjectToBilevel1Bit(TIEBitmap& source, TIEBitmap& dest, bool whiteWins, const TIEProcProgress& progress = {});
// Area coverage: every destination pixel is the mean of the source under it,
// sampled bilinearly or bicubically where enlarging. ie8g / ie24RGB and
// ie16g / ieRGB48, dest in the source's format.
void AreaResample8(TIEBitmap& source, TIEBitmap& dest, TIEBitmap* sourceAlpha, bool bicubic,
                   const TIEProcProgress& progress = {});
void AreaResample16(TIEBitmap& source, TIEBitmap& dest, bool bicubic, const TIEProcProgress& progress = {});
// The inclusive source rectangle of an ie1g image averaged into the whole of
// an ie24RGB dest as gray (a set pixel counts 255).
void Average1BitToGray(TIEBitmap& source, int32_t x1, int32_t y1, int32_t x2, int32_t y2, TIEBitmap& dest);
// Nearest-pixel stretch of the whole source into dest, same format (ie8p: the
// palette too). Nothing when dest is empty.
void _IEBmpStretchEx(TIEBitmap& source, TIEBitmap& dest, const TIEProcProgress& progress = {});

// The cubic convolution kernel with a = -1 over p0..p3 at t (between p1 and
// p2), clamped to [min, max].
double CubicConvolution(double p0, double p1, double p2, double max, double min, double p3, double t);
// Alpha bytes / 255, and all 1.0: the neighbour weights of the area resampler.
std::vector<double> AlphaRowToWeights(const uint8_t* row, int32_t count);
std::vector<double> UnitWeights(int32_t count);
