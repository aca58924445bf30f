#include "imaging/processing/voviderproc.h"

#include <algorithm>

#include "imaging/core/ieconvert.h"
#include "imaging/core/ieinit.h"
#include "imaging/processing/ieblurgray.h"
#include "imaging/processing/ieresample.h"
#include "imaging/processing/ierotate.h"

namespace {

void HookThreshold(TIEBitmap& source, TIEBitmap& dest, int32_t threshold) { ThresholdTo1Bit(source, dest, threshold); }
void HookDither(TIEBitmap& bitmap) { DitherToBilevel(bitmap); }
void HookThresholdToBilevel(TIEBitmap& bitmap, int32_t threshold) { ThresholdToBilevel(bitmap, threshold); }
void HookExpand(TBitmap& source, TBitmap& dest) { Expand1BitTBitmapTo24(source, dest); }

void* HookQuantizerCreate(TIEBitmap& source, TRGB* palette, int32_t colors) {
  return new TIEQuantizer(source, palette, colors);
}
void HookQuantizerRow(void* quantizer, const TRGB* pixels, uint8_t* indexes, int32_t count) {
  static_cast<TIEQuantizer*>(quantizer)->ColorsToIndexes(pixels, indexes, count);
}
void HookQuantizerFree(void* quantizer) { delete static_cast<TIEQuantizer*>(quantizer); }

void HookResampleEx(TIEBitmap& source, TIEBitmap& dest, TResampleFilter filter) {
  _ResampleEx(source, dest, nullptr, {}, filter);
}
void HookStretch(TIEBitmap& source, TIEBitmap& dest) { _IEBmpStretchEx(source, dest); }
void HookResampleBitmap(TIEBitmap& source, TIEBitmap& dest, TResampleFilter filter) {
  ResampleBitmap(source, dest, filter);
}
void HookRotateIntoBitmap(TIEBitmap& source, TIEBitmap& dest, double background, double angle) {
  RotateIntoBitmap(source, dest, background, {}, angle);
}

}  // namespace

void IEProcessingInstallHooks() {
  TIEProcessingHooks& h = IEProcessingHooks;
  h.CopyBitRun = &CopyBitRun;
  h.CopySwapRB = &CopySwapRB;
  h.ThresholdTo1Bit = &HookThreshold;
  h.DitherToBilevel = &HookDither;
  h.ThresholdToBilevel = &HookThresholdToBilevel;
  h.Expand1BitTBitmapTo24 = &HookExpand;
  h.QuantizerCreate = &HookQuantizerCreate;
  h.QuantizerRowToIndexes = &HookQuantizerRow;
  h.QuantizerFree = &HookQuantizerFree;
  h.RGBToHSL = &RGBToHSL;
  h.HSLToRGB = &HSLToRGB;
  h.ResampleEx = &HookResampleEx;
  h.Resample1BitEx = &_Resample1BitEx;
  h.ResampleGray8 = &ResampleGray8;
  h.Average1BitToGray = &Average1BitToGray;
  h.IEBmpStretchEx = &HookStretch;
  h.ResampleBitmap = &HookResampleBitmap;
  h.RotateIntoBitmap = &HookRotateIntoBitmap;
  h.GaussianBlurGray8 = &GaussianBlurGray8;
  IEInstallPixelFormatConversion();
}

void IEProcInitialize() {
  IEBitExpansionTable();
  IEProcessingInstallHooks();
}

void IEProcFinalize() {}

void IEProcBindLibrary() { IEBindLibraryUnit(ieluProc, &IEProcInitialize, &IEProcFinalize); }
