// Scroll bars that may be flat, and the primary-button and remote-session tests.
#include "imaging/view/iescrollbars.h"

#include "platform/gdi/syscolors.h"

using namespace win;

namespace {

int32_t SetInfo(HWND handle, int32_t bar, const SCROLLINFO& info, BOOL redraw, bool flat) {
  return flat ? FlatSB_SetScrollInfo(handle, bar, &info, redraw) : SetScrollInfo(handle, bar, &info, redraw);
}

}  // namespace

int32_t IESetScrollInfo(HWND handle, int32_t bar, int32_t minPos, int32_t maxPos, int32_t page, int32_t position,
                        bool redraw, bool flat) {
  SCROLLINFO info;
  info.cbSize = sizeof(SCROLLINFO);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = minPos;
  info.nMax = maxPos;
  info.nPage = UINT(page);
  info.nPos = position;
  // The framework's own True is all bits set; the window system only asks for non-zero.
  return SetInfo(handle, bar, info, redraw ? BOOL(-1) : FALSE, flat);
}

int32_t IESetScrollRange(HWND handle, int32_t bar, int32_t minPos, int32_t maxPos, BOOL redraw, bool flat) {
  SCROLLINFO info;
  info.cbSize = sizeof(SCROLLINFO);
  info.fMask = SIF_RANGE;
  info.nMin = minPos;
  info.nMax = maxPos;
  SetInfo(handle, bar, info, redraw, flat);
  return -1;
}

int32_t IESetScrollPos(HWND handle, int32_t bar, int32_t position, BOOL redraw, bool flat) {
  SCROLLINFO info;
  info.cbSize = sizeof(SCROLLINFO);
  info.fMask = SIF_POS;
  info.nPos = position;
  return SetInfo(handle, bar, info, redraw, flat);
}

int32_t IESetScrollInfoEx(HWND handle, int32_t bar, const SCROLLINFO& info, bool flat, BOOL redraw) {
  return SetInfo(handle, bar, info, redraw, flat);
}

bool IEEnableScrollBar(HWND handle, int32_t bar, UINT arrows, bool flat) {
  return (flat ? FlatSB_EnableScrollBar(handle, bar, arrows) : EnableScrollBar(handle, UINT(bar), arrows)) != FALSE;
}

bool IEShowScrollBar(HWND handle, int32_t bar, bool show, bool flat) {
  const BOOL s = show ? TRUE : FALSE;
  return (flat ? FlatSB_ShowScrollBar(handle, bar, s) : ShowScrollBar(handle, bar, s)) != FALSE;
}

bool IEIsPrimaryMouseButtonDown() {
  // The asynchronous state is that of the physical buttons, so with swapped
  // buttons the primary one is the physical right button.
  const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
  return GetAsyncKeyState(swapped ? VK_RBUTTON : VK_LBUTTON) < 0;
}

bool IEIsRemoteSession() { return GetSystemMetrics(SM_REMOTESESSION) != 0; }
