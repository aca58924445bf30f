// The handle calls of the platform's image lists. A list holds cells of one
// size as straight-alpha pixels; its image and mask bitmaps are one row of
// the cells side by side, made when asked for. The image-list classes of
// platform/vcl and the shell's system image lists are built on them.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/gdi.h"

class TStream;

namespace win {
struct IMAGELIST;
using HIMAGELIST = IMAGELIST*;
constexpr UINT ILC_MASK = 0x0001, ILC_COLOR32 = 0x0020;
struct IMAGEINFO {
  HBITMAP hbmImage = nullptr;  // 32 bits per pixel
  HBITMAP hbmMask = nullptr;   // 1 bit per pixel, set where the image is transparent
  int Unused1 = 0, Unused2 = 0;
  RECT rcImage{};  // the image's cell in the two bitmaps
};
HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
// FALSE for a shared list (the system's), which stays.
BOOL ImageList_Destroy(HIMAGELIST list);
int ImageList_GetImageCount(HIMAGELIST list);
// Cuts image into cells row by row from the top, left to right; a mask pixel
// that is set makes the cell pixel transparent. A 32-bit image whose alpha is
// not all 0 keeps its alpha and ignores the mask. -1 on failure, else the
// index of the first image added.
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
// The pixels of colour key become transparent, and black in image itself.
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF key);
// -1 removes every image.
BOOL ImageList_Remove(HIMAGELIST list, int index);
// The bitmaps are a snapshot that belongs to the list, valid until its next
// ImageList_GetImageInfo or its destruction.
BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* info);
// This platform's own serialization of the cells: equal lists write equal bytes.
BOOL ImageList_Write(HIMAGELIST list, TStream& stream);

// What the image-list classes reach inside a list: the straight-alpha pixels
// (0xAARRGGBB) of each image, row 0 at the top, and the cell size.
std::vector<std::vector<uint32_t>>& ImageListCells(HIMAGELIST list);
TSize ImageListCellSize(HIMAGELIST list);
// A new cell size drops every image.
void ImageListSetCellSize(HIMAGELIST list, int cx, int cy);
// Makes the list one that ImageList_Destroy refuses.
void ImageListMarkShared(HIMAGELIST list);
}  // namespace win
