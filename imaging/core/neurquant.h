// The library's colour quantizer TIEQuantizer, and the NeuQuant palette
// builder it uses for large palettes (Dekker's self-organising network in
// integer arithmetic, with a network of as many neurons as colours asked for,
// sampling by pixel position).
//
// A quantizer is made over a source image, which fills the caller's palette,
// then asked for the palette index of each colour. The source must outlive it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/core/iebitmap.h"
#include "imaging/core/stdquant.h"
#include "platform/rtl/object.h"

struct TNeuQuantState;
struct TNeuQuantDeleter {
  void operator()(TNeuQuantState* state) const;
};
using TNeuQuantPtr = std::unique_ptr<TNeuQuantState, TNeuQuantDeleter>;

// Learns a palette of `colors` entries (at least 1) from the ie24RGB bitmap and
// writes palette[0..colors-1]. quality -1: sampling factor from the pixel
// count; else 0..100 (100 samples every pixel).
TNeuQuantPtr NeuQuantCreate(TIEBitmap& bitmap, TRGB* palette, int32_t quality, int32_t colors);
// color: packed red shl 16 or green shl 8 or blue.
int32_t NeuQuantColorIndex(const TNeuQuantState& state, uint32_t color);
void NeuQuantFree(TNeuQuantState* state);
// The sampling factor 1..30 for an image of `pixels` pixels and a quality.
int32_t NeuQuantSamplingFactor(int64_t pixels, int32_t quality);

class TIEQuantizer : public TObject {
  DX_CLASS(TIEQuantizer, TObject)
public:
  // Fills palette[0..] (up to `colors` entries; others keep their contents):
  // the exact colours of an ie24RGB image that has at most that many, in order
  // of first appearance from row 0; else a median-cut or NeuQuant palette
  // (IEQuantizerMethod); for an ie8p source its own entries; for a gray source
  // the ramp trunc(256 / colors x i). A count below 1 is taken as 1.
  TIEQuantizer(TIEBitmap& bitmap, TRGB* palette, int32_t colors);
  ~TIEQuantizer() override;
  TIEQuantizer(const TIEQuantizer&) = delete;
  TIEQuantizer& operator=(const TIEQuantizer&) = delete;

  // The palette index of a colour; -1 for a colour missing from an exact palette.
  int32_t ColorToIndex(const TRGB& color);
  // Indexes of count pixels, each as ColorToIndex gives it, as a byte.
  void ColorsToIndexes(const TRGB* pixels, uint8_t* indexes, int32_t count);

  // 0 NeuQuant, 1 median cut; meaningful only when a builder ran.
  int32_t Method() const { return method_; }
  bool HasBuilder() const { return neuQuant_ || stdQuant_; }
  bool IsGray() const { return gray_; }
  // The exact palette's colours, empty when the image was not reduced exactly.
  const std::vector<TRGB>& ExactPalette() const { return exact_; }

private:
  bool BuildExactPalette();
  int32_t ExactIndex(const TRGB& c) const;

  int32_t method_ = 0;
  TNeuQuantPtr neuQuant_;
  TStdQuantPtr stdQuant_;
  bool gray_ = false;
  std::vector<TRGB> exact_;
  // Open-addressed table from packed colour to its index in exact_: the same
  // answer as a linear search of the list, found in constant time.
  std::vector<int32_t> exactSlots_;
  // Direct-mapped memo of NeuQuant answers for the row lookups: photos repeat colours.
  std::vector<uint32_t> memoKeys_;
  std::vector<int32_t> memoIndexes_;
  int32_t colors_ = 0;
  TIEBitmap& source_;
};
