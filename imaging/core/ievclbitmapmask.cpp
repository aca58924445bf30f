// Pixels between TIEBitmap and the selection mask.
#include <algorithm>
#include <cstring>

#include "imaging/core/ieglobals.h"
#include "imaging/core/iemask.h"
#include "imaging/core/ievclbitmap.h"

void IECopyFromTIEMask(TIEBitmap& dest, TIEMask* mask) {
  if (!mask) {
    dest.Fill(255);
    dest.SetFullyOpaque(true);
    return;
  }
  const int32_t bpp = mask->BitsPerPixel();
  if (bpp != 1 && bpp != 8) return;
  if (!dest.Allocate(mask->Width(), mask->Height(), bpp == 1 ? ie1g : ie8g)) return;
  const int32_t n = std::min(dest.GetRowLen(), mask->RowLen());
  for (int32_t y = 0; y < mask->Height(); ++y) {
    void* d = dest.GetScanline(y);
    const uint8_t* s = mask->GetScanline(y);
    if (d && s) std::memcpy(d, s, size_t(n));
  }
  dest.SetFullyOpaque(mask->Full());
}

void IECopyBitmapToMask(TIEBitmap& bitmap, TIEMask& mask) {
  const TIEPixelFormat format = bitmap.GetPixelFormat();
  if (format != ie1g && format != ie8g && format != ie24RGB) return;
  const int32_t w = bitmap.GetWidth(), h = bitmap.GetHeight();
  mask.AllocateBits(w, h, format == ie1g ? 1 : 8);
  for (int32_t y = 0; y < h; ++y) {
    const auto* s = static_cast<const uint8_t*>(bitmap.GetScanline(y));
    uint8_t* d = mask.GetScanline(y);
    if (!s || !d) continue;
    if (format == ie24RGB) {
      // Values 0..63: the mask's 8-bit scale for drawing selections.
      for (int32_t x = 0; x < w; ++x) d[x] = uint8_t(IEGrayOf(s[3 * x + 2], s[3 * x + 1], s[3 * x]) >> 2);
    } else {
      std::memcpy(d, s, size_t(std::min(bitmap.GetRowLen(), mask.RowLen())));
    }
  }
  if (format != ie24RGB) mask.SetFull(bitmap.FullyOpaque());
}
