// System image lists: cells of straight-alpha pixels behind a handle, with
// strip bitmaps made on request.
#include <algorithm>
#include <cstring>

#include "platform/classes/streams.h"
#include "platform/gdi/imagelist.h"

struct win::IMAGELIST {
  int Cx = 16, Cy = 16;
  UINT Flags = 0;
  bool Shared = false;  // owned by the system, never destroyed by a caller
  std::vector<std::vector<uint32_t>> Cells;
  HBITMAP Strip = nullptr, MaskStrip = nullptr;  // the last ImageList_GetImageInfo's snapshot
};

namespace win {

namespace {

// A 32-bit top-down DIB of w x h.
BITMAPINFO TopDown32(int w, int h) {
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  return bi;
}

void DropStrips(IMAGELIST* list) {
  if (list->Strip) DeleteObject(list->Strip);
  if (list->MaskStrip) DeleteObject(list->MaskStrip);
  list->Strip = list->MaskStrip = nullptr;
}

// The bitmap's pixels as 32-bit BGRA rows, top row first; false when it is no bitmap.
bool ReadBitmap(HBITMAP bmp, std::vector<uint32_t>& px, int& w, int& h, int& bits) {
  BITMAP info;
  if (!bmp || GetObject(bmp, sizeof(info), &info) != int(sizeof(info)) || info.bmWidth <= 0 || info.bmHeight <= 0)
    return false;
  w = info.bmWidth;
  h = info.bmHeight;
  bits = info.bmBitsPixel;
  BITMAPINFO bi = TopDown32(w, h);
  px.assign(size_t(w) * size_t(h), 0);
  HDC dc = CreateCompatibleDC(nullptr);
  const int lines = GetDIBits(dc, bmp, 0, UINT(h), px.data(), &bi, DIB_RGB_COLORS);
  DeleteDC(dc);
  return lines == h;
}

// Cuts the image into cells row by row, left to right; an image smaller than
// a cell makes one cell, transparent where the image does not reach.
int AddCells(IMAGELIST* list, const std::vector<uint32_t>& px, int w, int h, bool keepAlpha,
             const std::vector<uint32_t>* mask, int mw, int mh, const uint32_t* key) {
  const int columns = std::max(1, w / list->Cx), rows = std::max(1, h / list->Cy);
  const int first = int(list->Cells.size());
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      std::vector<uint32_t> cell(size_t(list->Cx) * size_t(list->Cy), 0);
      for (int y = 0; y < list->Cy; ++y) {
        const int sy = row * list->Cy + y;
        if (sy >= h) break;
        for (int x = 0; x < list->Cx; ++x) {
          const int sx = column * list->Cx + x;
          if (sx >= w) break;
          const uint32_t p = px[size_t(sy) * size_t(w) + size_t(sx)];
          bool transparent = false;
          if (key) transparent = (p & 0xFFFFFF) == *key;
          else if (!keepAlpha && mask && sx < mw && sy < mh)
            transparent = ((*mask)[size_t(sy) * size_t(mw) + size_t(sx)] & 0xFFFFFF) != 0;
          cell[size_t(y) * size_t(list->Cx) + size_t(x)] = transparent ? 0 : keepAlpha ? p : (p | 0xFF000000u);
        }
      }
      list->Cells.push_back(std::move(cell));
    }
  }
  return first;
}

bool HasAlpha(const std::vector<uint32_t>& px, int bits) {
  return bits == 32 && std::any_of(px.begin(), px.end(), [](uint32_t p) { return (p >> 24) != 0; });
}

void PutU32(TStream& s, uint32_t v) {
  const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
  s.WriteBuffer(b, 4);
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int /*initial*/, int /*grow*/) {
  if (cx <= 0 || cy <= 0) return nullptr;
  auto* list = new IMAGELIST;
  list->Cx = cx;
  list->Cy = cy;
  list->Flags = flags;
  return list;
}

BOOL ImageList_Destroy(HIMAGELIST list) {
  if (!list || list->Shared) return FALSE;
  DropStrips(list);
  delete list;
  return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST list) { return list ? int(list->Cells.size()) : 0; }

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask) {
  std::vector<uint32_t> px, maskPx;
  int w = 0, h = 0, bits = 0, mw = 0, mh = 0, mbits = 0;
  if (!list || !ReadBitmap(image, px, w, h, bits)) return -1;
  const bool masked = (list->Flags & ILC_MASK) && ReadBitmap(mask, maskPx, mw, mh, mbits);
  return AddCells(list, px, w, h, HasAlpha(px, bits), masked ? &maskPx : nullptr, mw, mh, nullptr);
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF key) {
  std::vector<uint32_t> px;
  int w = 0, h = 0, bits = 0;
  if (!list || !ReadBitmap(image, px, w, h, bits)) return -1;
  // COLORREF is 0x00BBGGRR, the pixels 0xAARRGGBB.
  const uint32_t rgb = ((key & 0xFF) << 16) | (key & 0xFF00) | ((key >> 16) & 0xFF);
  const int first = AddCells(list, px, w, h, false, nullptr, 0, 0, &rgb);
  // The source keeps its key pixels only in black, as the system does it.
  for (uint32_t& p : px)
    if ((p & 0xFFFFFF) == rgb) p &= 0xFF000000u;
  BITMAPINFO bi = TopDown32(w, h);
  HDC dc = CreateCompatibleDC(nullptr);
  SetDIBits(dc, image, 0, UINT(h), px.data(), &bi, DIB_RGB_COLORS);
  DeleteDC(dc);
  return first;
}

BOOL ImageList_Remove(HIMAGELIST list, int index) {
  if (!list || index < -1 || index >= int(list->Cells.size())) return FALSE;
  if (index == -1) list->Cells.clear();
  else list->Cells.erase(list->Cells.begin() + index);
  return TRUE;
}

BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* info) {
  if (!list || !info || index < 0 || index >= int(list->Cells.size())) return FALSE;
  DropStrips(list);
  const int count = int(list->Cells.size()), w = list->Cx * count, h = list->Cy;
  BITMAPINFO bi = TopDown32(w, h);
  void* bits = nullptr;
  list->Strip = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  const int32_t maskRow = DdbRowBytes(w, 1);
  std::vector<uint8_t> maskBits(size_t(maskRow) * size_t(h), 0);
  if (!list->Strip || !bits) return FALSE;
  auto* out = static_cast<uint32_t*>(bits);
  for (int i = 0; i < count; ++i)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < list->Cx; ++x) {
        const uint32_t p = list->Cells[size_t(i)][size_t(y) * size_t(list->Cx) + size_t(x)];
        const int sx = i * list->Cx + x;
        out[size_t(y) * size_t(w) + size_t(sx)] = p;
        if ((p >> 24) == 0) maskBits[size_t(y) * size_t(maskRow) + size_t(sx / 8)] |= uint8_t(0x80 >> (sx % 8));
      }
  list->MaskStrip = CreateBitmap(w, h, 1, 1, maskBits.data());
  info->hbmImage = list->Strip;
  info->hbmMask = list->MaskStrip;
  info->rcImage = RECT(index * list->Cx, 0, (index + 1) * list->Cx, h);
  return TRUE;
}

BOOL ImageList_Write(HIMAGELIST list, TStream& stream) {
  if (!list) return FALSE;
  stream.WriteBuffer("DXIL", 4);
  PutU32(stream, 1);
  PutU32(stream, uint32_t(list->Cx));
  PutU32(stream, uint32_t(list->Cy));
  PutU32(stream, uint32_t(list->Cells.size()));
  for (const auto& cell : list->Cells)
    for (uint32_t p : cell) PutU32(stream, p);
  return TRUE;
}

std::vector<std::vector<uint32_t>>& ImageListCells(HIMAGELIST list) { return list->Cells; }

void ImageListMarkShared(HIMAGELIST list) { list->Shared = true; }

TSize ImageListCellSize(HIMAGELIST list) { return TSize(list->Cx, list->Cy); }

void ImageListSetCellSize(HIMAGELIST list, int cx, int cy) {
  list->Cx = std::max(cx, 1);
  list->Cy = std::max(cy, 1);
  list->Cells.clear();
}

}  // namespace win
