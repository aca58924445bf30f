// What the image list classes reach inside a system list.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/vcl/imglist.h"

namespace win {
// Straight-alpha pixels (0xAARRGGBB) of each image, row 0 at the top.
std::vector<std::vector<uint32_t>>& ImageListCells(HIMAGELIST list);
TSize ImageListCellSize(HIMAGELIST list);
// A new cell size drops every image.
void ImageListSetCellSize(HIMAGELIST list, int cx, int cy);
}  // namespace win
