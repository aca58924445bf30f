#include "platform/gdi/edge.h"

namespace win {

namespace {

constexpr int kCheckCell = 13;

}  // namespace

HBITMAP LoadSystemBitmap(int id) {
  if (id != OBM_CHECKBOXES) return nullptr;
  HBITMAP strip = CreateBitmap(4 * kCheckCell, 3 * kCheckCell, 1, 32, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  if (!strip || !dc) {
    if (dc) DeleteDC(dc);
    if (strip) DeleteObject(strip);
    return nullptr;
  }
  HGDIOBJ old = SelectObject(dc, strip);
  constexpr UINT kRows[] = {DFCS_BUTTONCHECK, DFCS_BUTTONRADIO, DFCS_BUTTON3STATE};
  constexpr UINT kColumns[] = {0, DFCS_CHECKED, DFCS_PUSHED, DFCS_PUSHED | DFCS_CHECKED};
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 4; ++column) {
      RECT cell{column * kCheckCell, row * kCheckCell, (column + 1) * kCheckCell, (row + 1) * kCheckCell};
      DrawFrameControl(dc, &cell, DFC_BUTTON, kRows[row] | kColumns[column]);
    }
  SelectObject(dc, old);
  DeleteDC(dc);
  return strip;
}

}  // namespace win
