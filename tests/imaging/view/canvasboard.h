// A 32-bit platform bitmap filled with one colour, to draw on and read back.
#pragma once

#include "platform/gdi/gdi.h"
#include "platform/vcl/graphics.h"

namespace viewtest {

struct Board {
  TBitmap bmp;
  Board(int w, int h, TColor bg = clWhite) {
    bmp.SetPixelFormat(pf32bit);
    bmp.SetSize(w, h);
    Canvas().Brush()->SetStyle(bsSolid);
    Canvas().Brush()->SetColor(bg);
    Canvas().FillRect(TRect{0, 0, w, h});
  }
  TCanvas& Canvas() { return *bmp.Canvas(); }
  win::COLORREF At(int x, int y) { return win::COLORREF(Canvas().Pixels(x, y)); }
  int Red(int x, int y) { return int(At(x, y) & 0xFF); }
  int Blue(int x, int y) { return int((At(x, y) >> 16) & 0xFF); }
};

}  // namespace viewtest
