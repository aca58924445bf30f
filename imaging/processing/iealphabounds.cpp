#include "imaging/processing/iealphabounds.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "imaging/core/ieprocutils.h"

TRect GetAlphaBounds(TIEBitmap& bitmap) {
  const int32_t w = bitmap.GetWidth(), h = bitmap.GetHeight();
  if (w <= 0 || h <= 0) return TRect(0, 0, -1, -1);
  if (!bitmap.HasAlphaChannel()) return TRect(0, 0, w - 1, h - 1);
  TIEBitmap& alpha = *bitmap.GetAlphaChannel();
  // A channel of another size than the image only counts where both exist.
  const int32_t aw = std::min(w, alpha.GetWidth()), ah = std::min(h, alpha.GetHeight());
  TRect r(aw, ah, -1, -1);
  TIEAccessScope readOnly(alpha, iedRead);
  for (int32_t y = 0; y < ah; ++y) {
    const auto* row = static_cast<const uint8_t*>(alpha.GetScanline(y));
    if (!row) continue;
    int32_t first = 0;
    while (first < aw && row[first] == 0) ++first;
    if (first == aw) continue;
    int32_t last = aw - 1;
    while (row[last] == 0) --last;
    r.Left = std::min(r.Left, first);
    r.Right = std::max(r.Right, last);
    r.Top = std::min(r.Top, y);
    r.Bottom = y;
  }
  if (r.Right < r.Left) return TRect(0, 0, -1, -1);
  return r;
}

namespace {

// The inclusive rectangle (already inside the image) of source as a new image of the same format.
bool CopyPart(TIEBitmap& source, const TRect& r, TIEBitmap& out) {
  const int32_t bits = source.GetBitCount();
  if (bits != 1 && (bits <= 0 || bits % 8 != 0)) return false;
  const int32_t w = r.Right - r.Left + 1, h = r.Bottom - r.Top + 1;
  if (!out.Allocate(w, h, source.GetPixelFormat())) return false;
  source.CopyPaletteTo(&out);
  const size_t sourceLen = size_t(source.GetRowLen());
  const size_t outLen = size_t(out.GetRowLen());
  const size_t bytes = size_t(bits / 8);
  // In file storage a row stays valid only until the next one is asked for: copy through a buffer.
  std::vector<uint8_t> rows(outLen * size_t(h), 0);
  {
    TIEAccessScope readOnly(source, iedRead);
    for (int32_t y = 0; y < h; ++y) {
      const auto* s = static_cast<const uint8_t*>(source.GetScanline(r.Top + y));
      if (!s) continue;
      uint8_t* d = &rows[outLen * size_t(y)];
      if (bits == 1)
        CopyBitRun(d, s, 0, int32_t(sourceLen), w, r.Left);
      else
        std::memcpy(d, s + size_t(r.Left) * bytes, size_t(w) * bytes);
    }
  }
  TIEAccessScope writeOnly(out, iedWrite);
  for (int32_t y = 0; y < h; ++y)
    if (auto* d = static_cast<uint8_t*>(out.GetScanline(y))) std::memcpy(d, &rows[outLen * size_t(y)], outLen);
  return true;
}

}  // namespace

bool IECropBitmap(TIEBitmap& bitmap, const TRect& rect) {
  const int32_t w = bitmap.GetWidth(), h = bitmap.GetHeight();
  const TRect r(std::max(rect.Left, 0), std::max(rect.Top, 0), std::min(rect.Right, w - 1),
                std::min(rect.Bottom, h - 1));
  if (r.Right < r.Left || r.Bottom < r.Top) return false;
  if (r.Left == 0 && r.Top == 0 && r.Right == w - 1 && r.Bottom == h - 1) return true;
  TIEBitmap part;
  if (!CopyPart(bitmap, r, part)) return false;
  TIEBitmap alphaPart;
  bool haveAlpha = false;
  if (bitmap.HasAlphaChannel()) {
    TIEBitmap& alpha = *bitmap.GetAlphaChannel();
    haveAlpha = alpha.GetWidth() == w && alpha.GetHeight() == h && CopyPart(alpha, r, alphaPart);
  }
  bitmap.AssignImage(&part);
  if (haveAlpha) {
    alphaPart.SetFullyOpaque(false);
    bitmap.GetAlphaChannel()->Assign(&alphaPart);
  } else if (bitmap.HasAlphaChannel()) {
    // A channel that did not match the image cannot be cut in step with it.
    bitmap.RemoveAlphaChannel(false, 0);
  }
  return true;
}
