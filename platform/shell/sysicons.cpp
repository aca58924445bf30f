#include "platform/shell/sysicons.h"

#include <algorithm>
#include <vector>

#include "platform/gdi/icon.h"
#include "platform/shell/shellinfo.h"

namespace {

// A filled rectangle on a 16-unit grid (right and bottom exclusive) with an
// optional one-unit frame; a colour of 0 draws nothing. Pixels are 0xAARRGGBB.
struct TShape {
  uint8_t X0, Y0, X1, Y1;
  uint32_t Fill, Frame;
};

constexpr uint32_t kInk = 0xFF404040, kPaper = 0xFFFFFFFF, kLine = 0xFFA0A0A0, kFolder = 0xFFF0C040,
                   kFolderDark = 0xFFB08020, kFolderLight = 0xFFF8DC80, kScreen = 0xFF3070C0,
                   kCase = 0xFFC8C8C8, kLed = 0xFF20C020, kArrow = 0xFF2050D0, kRed = 0xFFC03030;

// Drawn in order, later shapes over earlier ones.
const std::vector<TShape>& Shapes(int32_t icon) {
  static const std::vector<TShape> table[SYSICON_COUNT] = {
      // SYSICON_FILE: a page with lines of text
      {{3, 1, 13, 15, kPaper, kInk}, {5, 4, 11, 5, kLine, 0}, {5, 7, 11, 8, kLine, 0}, {5, 10, 10, 11, kLine, 0}},
      // SYSICON_FOLDER
      {{1, 3, 7, 5, kFolder, kFolderDark}, {1, 4, 15, 14, kFolder, kFolderDark}},
      // SYSICON_FOLDER_OPEN: the back and an opened front flap
      {{1, 3, 7, 5, kFolder, kFolderDark}, {1, 4, 14, 14, kFolderDark, kFolderDark}, {3, 7, 16, 14, kFolderLight, kFolderDark}},
      // SYSICON_LINK: a page with the shortcut arrow in its corner
      {{3, 1, 13, 15, kPaper, kInk}, {5, 4, 11, 5, kLine, 0}, {1, 9, 8, 16, kPaper, kInk}, {3, 11, 6, 12, kArrow, 0},
       {5, 11, 6, 14, kArrow, 0}},
      // SYSICON_DESKTOP: a screen
      {{1, 2, 15, 12, kCase, kInk}, {3, 4, 13, 10, kScreen, 0}, {6, 12, 10, 14, kCase, kInk}},
      // SYSICON_COMPUTER: a screen on a box
      {{2, 1, 14, 9, kCase, kInk}, {4, 3, 12, 7, kScreen, 0}, {1, 10, 15, 15, kCase, kInk}, {11, 12, 13, 13, kLed, 0}},
      // SYSICON_VOLUME: a drive with its light
      {{1, 5, 15, 12, kCase, kInk}, {3, 8, 9, 9, kLine, 0}, {11, 8, 13, 9, kLed, 0}},
      // SYSICON_REMOVABLE: a drive with a slot
      {{1, 5, 15, 12, kCase, kInk}, {3, 7, 13, 8, kInk, 0}, {11, 9, 13, 10, kLed, 0}},
      // SYSICON_TRASH: a bin with its lid
      {{2, 2, 14, 4, kCase, kInk}, {3, 4, 13, 15, kCase, kInk}, {5, 6, 6, 13, kLine, 0}, {10, 6, 11, 13, kLine, 0}},
      // SYSICON_NETWORK: two screens joined by a cable
      {{1, 1, 8, 7, kScreen, kInk}, {8, 9, 15, 15, kScreen, kInk}, {4, 7, 5, 12, kInk, 0}, {4, 11, 8, 12, kInk, 0}},
      // SYSICON_CONTROLPANEL: a window with two sliders
      {{1, 2, 15, 14, kPaper, kInk}, {1, 2, 15, 4, kScreen, kInk}, {3, 7, 13, 8, kLine, 0}, {5, 6, 7, 9, kRed, 0},
       {3, 11, 13, 12, kLine, 0}, {9, 10, 11, 13, kRed, 0}},
      // SYSICON_PRINTERS: paper in a printer
      {{4, 1, 12, 7, kPaper, kInk}, {1, 6, 15, 12, kCase, kInk}, {4, 10, 12, 15, kPaper, kInk}, {12, 8, 14, 9, kLed, 0}},
  };
  return table[icon];
}

std::vector<uint32_t> DrawIcon(int32_t icon, int size) {
  std::vector<uint32_t> px(size_t(size) * size_t(size), 0);
  const int unit = size / 16;
  auto fill = [&](int x0, int y0, int x1, int y1, uint32_t c) {
    for (int y = std::max(y0, 0); y < std::min(y1, size); ++y)
      for (int x = std::max(x0, 0); x < std::min(x1, size); ++x) px[size_t(y) * size_t(size) + size_t(x)] = c;
  };
  for (const TShape& s : Shapes(icon)) {
    const int x0 = s.X0 * unit, y0 = s.Y0 * unit, x1 = s.X1 * unit, y1 = s.Y1 * unit;
    if (s.Frame) {
      fill(x0, y0, x1, y1, s.Frame);
      fill(x0 + unit, y0 + unit, x1 - unit, y1 - unit, s.Fill);
    } else {
      fill(x0, y0, x1, y1, s.Fill);
    }
  }
  return px;
}

win::HIMAGELIST MakeList(int size) {
  win::HIMAGELIST list = win::ImageList_Create(size, size, win::ILC_COLOR32 | win::ILC_MASK, SYSICON_COUNT, 0);
  auto& cells = win::ImageListCells(list);
  for (int32_t i = 0; i < SYSICON_COUNT; ++i) cells.push_back(DrawIcon(i, size));
  win::ImageListMarkShared(list);
  return list;
}

}  // namespace

win::HIMAGELIST SystemImageList(bool small) {
  // Made once, thread-safely; never freed, as callers may hold the handle to the end.
  static const win::HIMAGELIST smallList = MakeList(SYSICON_SMALL_SIZE);
  static const win::HIMAGELIST largeList = MakeList(SYSICON_LARGE_SIZE);
  return small ? smallList : largeList;
}

win::HICON SystemIcon(int32_t index, bool small) {
  win::HIMAGELIST list = SystemImageList(small);
  if (index < 0 || index >= win::ImageList_GetImageCount(list)) return nullptr;
  const TSize size = win::ImageListCellSize(list);
  return win::CreateIconFromPixels(size.cx, size.cy, win::ImageListCells(list)[size_t(index)].data(), nullptr);
}
