// DrawDib calls over our GDI.
#include "imaging/view/iedrawdib.h"

#include <mutex>
#include <unordered_set>

struct TIEDrawDibHandle {};

namespace {

// Open handles, so that a stale or foreign one is refused rather than followed.
std::mutex g_handlesMutex;
std::unordered_set<const TIEDrawDibHandle*>& Handles() {
  static std::unordered_set<const TIEDrawDibHandle*> handles;
  return handles;
}

bool IsOpen(HDRAWDIB handle) {
  std::lock_guard lock(g_handlesMutex);
  return handle && Handles().count(handle) != 0;
}

// Where the rows of a packed DIB start: after the header, the three masks of
// BI_BITFIELDS (inside a header of 52 bytes or more) and the colour table.
const uint8_t* PackedBits(const win::BITMAPINFOHEADER& h) {
  uint64_t offset = h.biSize;
  if (h.biCompression == win::BI_BITFIELDS && h.biSize < 52) offset += 12;
  const uint64_t colors = h.biClrUsed ? h.biClrUsed : h.biBitCount <= 8 ? uint64_t(1) << h.biBitCount : 0;
  offset += colors * 4;
  return reinterpret_cast<const uint8_t*>(&h) + offset;
}

}  // namespace

HDRAWDIB IEDrawDibOpen() {
  auto* handle = new TIEDrawDibHandle;
  std::lock_guard lock(g_handlesMutex);
  Handles().insert(handle);
  return handle;
}

bool IEDrawDibClose(HDRAWDIB handle) {
  {
    std::lock_guard lock(g_handlesMutex);
    if (!handle || Handles().erase(handle) == 0) return false;
  }
  delete handle;
  return true;
}

bool IEDrawDibDraw(HDRAWDIB handle, win::HDC dc, int32_t xDst, int32_t yDst, int32_t dxDst, int32_t dyDst,
                   const win::BITMAPINFOHEADER* header, const void* bits, int32_t xSrc, int32_t ySrc, int32_t dxSrc,
                   int32_t dySrc, uint32_t flags) {
  if (!IsOpen(handle) || !header || header->biSize < 40 || header->biWidth <= 0 || header->biHeight == 0 ||
      header->biHeight == INT32_MIN)
    return false;
  if (flags & DDF_DONTDRAW) return true;
  const bool topDown = header->biHeight < 0;
  const int32_t imageHeight = topDown ? -header->biHeight : header->biHeight;
  if (dxDst == -1) dxDst = header->biWidth;
  if (dyDst == -1) dyDst = imageHeight;
  if (!bits) bits = PackedBits(*header);
  // StretchDIBits counts the source rows of a bottom-up DIB from its bottom edge.
  const int64_t sy = topDown ? ySrc : int64_t(imageHeight) - ySrc - dySrc;
  if (sy < INT32_MIN || sy > INT32_MAX) return false;
  const int oldMode = win::SetStretchBltMode(dc, (flags & DDF_HALFTONE) ? win::HALFTONE : win::COLORONCOLOR);
  const int lines = win::StretchDIBits(dc, xDst, yDst, dxDst, dyDst, xSrc, int32_t(sy), dxSrc, dySrc, bits,
                                       reinterpret_cast<const win::BITMAPINFO*>(header), win::DIB_RGB_COLORS,
                                       win::SRCCOPY);
  if (oldMode) win::SetStretchBltMode(dc, oldMode);
  return lines != 0;
}

uint32_t IEDrawDibRealize(HDRAWDIB, win::HDC, bool) { return 0; }
