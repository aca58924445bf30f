// The system image lists: one small (16 x 16) and one large (32 x 32) list
// of stock item icons drawn here, indexed by the SYSICON_ values of
// shellinfo.h. Both are made on first use and live as long as the process;
// they are shared, so ImageList_Destroy refuses them.
#pragma once

#include <cstdint>

#include "platform/gdi/imagelist.h"

constexpr int SYSICON_SMALL_SIZE = 16, SYSICON_LARGE_SIZE = 32;

win::HIMAGELIST SystemImageList(bool small);
// A new icon (the caller destroys it) of the stock image at index; null for
// an index outside the list.
win::HICON SystemIcon(int32_t index, bool small);
