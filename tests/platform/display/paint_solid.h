// A test window's paint: its whole client area in one colour, so composed
// screen pixels can be checked against a known value.
#pragma once

#include "platform/gdi/gdi.h"
#include "platform/win/winuser.h"

inline void PaintClientSolid(win::HWND h, win::COLORREF colour) {
  win::PAINTSTRUCT ps;
  win::HDC dc = win::BeginPaint(h, &ps);
  win::RECT r;
  win::GetClientRect(h, &r);
  win::HBRUSH b = win::CreateSolidBrush(colour);
  win::FillRect(dc, &r, b);
  win::DeleteObject(b);
  win::EndPaint(h, &ps);
}
