#include "imaging/view/iebackground.h"

#include <algorithm>

#include "imaging/view/ieshadows.h"
#include "platform/gdi/edge.h"
#include "platform/gdi/syscolors.h"
#include "platform/win/winuser.h"

namespace {

using TGradientFillProc = win::BOOL (*)(win::HDC, const win::TRIVERTEX*, win::ULONG, const void*, win::ULONG,
                                        win::ULONG);
win::HMODULE g_msimg32 = nullptr;
TGradientFillProc g_gradientFill = nullptr;

constexpr TColor kPhotoLikeFrame = 0xB0B0B0;

void FillSolid(TCanvas& canvas, const TRect& r, TColor color, TBrushStyle style = bsSolid) {
  TBrush* brush = canvas.Brush();
  brush->SetColor(color);
  brush->SetStyle(style);
  canvas.FillRect(r);
}

TBrushStyle PatternOf(TIEBackgroundStyle style) {
  switch (style) {
    case iebsHorizontal: return bsHorizontal;
    case iebsVertical: return bsVertical;
    case iebsFDiagonal: return bsFDiagonal;
    case iebsBDiagonal: return bsBDiagonal;
    case iebsCross: return bsCross;
    case iebsDiagCross: return bsDiagCross;
    default: return bsSolid;
  }
}

bool AtLeast2x2(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return int64_t(right) - left >= 2 && int64_t(bottom) - top >= 2;
}

// Cells written straight into a 24-bit bitmap: the first cell in the
// background, the next in the complement. Frame rows above or below the
// bitmap land on its first or last row; columns are cut at its sides.
void ChessboardPixels(TBitmap& bitmap, const TRect& frame, int32_t size, TColor background) {
  const int32_t w = bitmap.Width(), h = bitmap.Height();
  if (w <= 0 || h <= 0) return;
  const uint32_t c0 = uint32_t(ColorToRGB(background)), c1 = uint32_t(IEComplementColor(background));
  const uint8_t cells[2][3] = {{GetBValue(c0), GetGValue(c0), GetRValue(c0)},
                               {GetBValue(c1), GetGValue(c1), GetRValue(c1)}};
  const int32_t fromX = std::max(frame.Left, 0), toX = std::min(frame.Right, w);
  if (fromX >= toX) return;
  for (int64_t y = frame.Top; y < frame.Bottom; ++y) {
    const int32_t row = int32_t(std::clamp<int64_t>(y, 0, h - 1));
    auto* p = static_cast<uint8_t*>(bitmap.ScanLine(row)) + 3 * size_t(fromX);
    const int64_t band = (y - frame.Top) / size;
    for (int32_t x = fromX; x < toX; ++x, p += 3) {
      const uint8_t* c = cells[(band + (x - int64_t(frame.Left)) / size) & 1];
      p[0] = c[0];
      p[1] = c[1];
      p[2] = c[2];
    }
  }
}

// Cells as brush-filled rectangles: the first cell in the complement, the
// next in the background. Cells outside the canvas's clip box are skipped.
void ChessboardCells(TCanvas& canvas, const TRect& frame, int32_t size, TBrushStyle style, TColor background) {
  const TColor colors[2] = {IEComplementColor(background), background};
  const TRect clip = canvas.ClipRect();
  const int64_t left = std::max(frame.Left, clip.Left), right = std::min(frame.Right, clip.Right);
  const int64_t top = std::max(frame.Top, clip.Top), bottom = std::min(frame.Bottom, clip.Bottom);
  if (left >= right || top >= bottom) return;
  const int64_t cx1 = (left - frame.Left) / size, cx2 = (right - 1 - frame.Left) / size;
  const int64_t cy1 = (top - frame.Top) / size, cy2 = (bottom - 1 - frame.Top) / size;
  TBrush* brush = canvas.Brush();
  brush->SetStyle(style);
  for (int64_t cy = cy1; cy <= cy2; ++cy)
    for (int64_t cx = cx1; cx <= cx2; ++cx) {
      const int64_t x = frame.Left + cx * size, y = frame.Top + cy * size;
      brush->SetColor(colors[(cx + cy) & 1]);
      canvas.FillRect(Rect(int32_t(x), int32_t(y), int32_t(std::min<int64_t>(x + size, frame.Right)),
                           int32_t(std::min<int64_t>(y + size, frame.Bottom))));
    }
}

void PaintWallPaper(TCanvas& canvas, TIEWallPaperStyle style, TPicture* wallPaper, int32_t frameWidth,
                    int32_t frameHeight) {
  TGraphic* graphic = wallPaper ? wallPaper->Graphic() : nullptr;
  if (!graphic || graphic->Empty()) return;
  switch (style) {
    case iewoNormal:
      canvas.Draw(0, 0, graphic);
      break;
    case iewoStretch:
      canvas.StretchDraw(Rect(0, 0, frameWidth, frameHeight), graphic);
      break;
    case iewoTile: {
      const int32_t gw = graphic->Width(), gh = graphic->Height();
      if (gw <= 0 || gh <= 0) return;
      for (int64_t y = 0; y < frameHeight; y += gh)
        for (int64_t x = 0; x < frameWidth; x += gw) canvas.Draw(int32_t(x), int32_t(y), graphic);
      break;
    }
  }
}

}  // namespace

TColor IEComplementColor(TColor color) { return TColor(~uint32_t(ColorToRGB(color)) & 0x00FFFFFFu); }

void PaintViewBackground(TCanvas& canvas, TBitmap* bitmap, TIEWallPaperStyle wallPaperStyle, TPicture* wallPaper,
                         TColor gradientEndColor, TBrushStyle chessboardBrushStyle, int32_t chessboardSize,
                         int32_t imageLeft, int32_t imageTop, int32_t imageRight, int32_t imageBottom,
                         int32_t frameHeight, int32_t frameWidth, int32_t originX, int32_t originY,
                         TColor background, TIEBackgroundStyle style, bool designing) {
  const TRect frame(originX, originY, int32_t(std::min<int64_t>(int64_t(originX) + frameWidth, INT32_MAX)),
                    int32_t(std::min<int64_t>(int64_t(originY) + frameHeight, INT32_MAX)));
  if (designing && (style == iebsCropped || style == iebsCropShadow || style == iebsSoftShadow))
    style = iebsSolid;
  switch (style) {
    case iebsSolid:
    case iebsHorizontal:
    case iebsVertical:
    case iebsFDiagonal:
    case iebsBDiagonal:
    case iebsCross:
    case iebsDiagCross:
      FillSolid(canvas, frame, background, PatternOf(style));
      break;
    case iebsDiagonals: {
      FillSolid(canvas, frame, background);
      TPen* pen = canvas.Pen();
      pen->SetColor(IEComplementColor(background));
      pen->SetStyle(psSolid);
      pen->SetMode(pmCopy);
      pen->SetWidth(1);
      canvas.MoveTo(frame.Left, frame.Top);
      canvas.LineTo(frame.Right, frame.Bottom);
      canvas.MoveTo(frame.Right, frame.Top);
      canvas.LineTo(frame.Left, frame.Bottom);
      break;
    }
    case iebsCropped:
      FillSolid(canvas, frame, clBtnFace);
      if (AtLeast2x2(imageLeft, imageTop, imageRight, imageBottom)) {
        const int32_t ex = win::GetSystemMetrics(win::SM_CXEDGE), ey = win::GetSystemMetrics(win::SM_CYEDGE);
        win::RECT edge(imageLeft - ex, imageTop - ey, imageRight + ex, imageBottom + ey);
        win::DrawEdge(canvas.Handle(), &edge, win::EDGE_SUNKEN, win::BF_RECT);
      }
      break;
    case iebsCropShadow:
      FillSolid(canvas, frame, background);
      if (AtLeast2x2(imageLeft, imageTop, imageRight, imageBottom)) {
        IEDrawRightShadow(canvas, bitmap, imageRight, imageTop, imageRight + 5, imageBottom + 3, 2, background);
        IEDrawBottomShadow(canvas, bitmap, imageLeft, imageBottom, imageRight + 4, imageBottom + 5, 2, background);
      }
      break;
    case iebsSoftShadow:
      if (!bitmap) break;
      FillSolid(canvas, frame, background);
      if (AtLeast2x2(imageLeft, imageTop, imageRight, imageBottom))
        IEDrawSoftShadow(*bitmap, imageLeft, imageTop, imageRight, imageBottom, background);
      break;
    case iebsGradient:
      DrawGradient(frame, canvas.Handle(), background, true, gradientEndColor);
      break;
    case iebsPhotoLike: {
      PaintViewBackground(canvas, bitmap, wallPaperStyle, wallPaper, gradientEndColor, chessboardBrushStyle,
                          chessboardSize, imageLeft, imageTop, imageRight, imageBottom, frameHeight, frameWidth,
                          originX, originY, kPhotoLikeFrame, iebsSolid, designing);
      // Without an image there is nothing to outline or to lay the chessboard under.
      if (imageRight <= imageLeft || imageBottom <= imageTop) return;
      TPen* pen = canvas.Pen();
      pen->SetColor(clBlack);
      pen->SetStyle(psSolid);
      pen->SetMode(pmCopy);
      pen->SetWidth(1);
      canvas.Brush()->SetStyle(bsClear);
      canvas.Rectangle(imageLeft - 1, imageTop - 1, imageRight + 1, imageBottom + 1);
      PaintViewBackground(canvas, bitmap, wallPaperStyle, nullptr, gradientEndColor, chessboardBrushStyle,
                          chessboardSize, imageLeft, imageTop, imageRight, imageBottom, imageBottom - imageTop,
                          imageRight - imageLeft, imageLeft, imageTop, background, iebsChessboard, designing);
      return;  // the wallpaper came with the frame
    }
    case iebsChessboard:
      if (chessboardSize < 1) {
        FillSolid(canvas, frame, background);
      } else if (bitmap && chessboardBrushStyle == bsSolid && bitmap->PixelFormat() == pf24bit) {
        ChessboardPixels(*bitmap, frame, chessboardSize, background);
      } else {
        ChessboardCells(canvas, frame, chessboardSize, chessboardBrushStyle, background);
      }
      break;
  }
  PaintWallPaper(canvas, wallPaperStyle, wallPaper, frameWidth, frameHeight);
}

bool LoadGradientFill() {
  if (g_gradientFill) return true;
  if (!g_msimg32) g_msimg32 = win::LoadLibrary("MSIMG32.DLL");
  if (!g_msimg32) return false;
  g_gradientFill = reinterpret_cast<TGradientFillProc>(win::GetProcAddress(g_msimg32, "GradientFill"));
  return g_gradientFill != nullptr;
}

void IEFreeGradientFill() {
  g_gradientFill = nullptr;
  if (g_msimg32) win::FreeLibrary(g_msimg32);
  g_msimg32 = nullptr;
}

void DrawGradient(const TRect& rect, win::HDC dc, TColor color1, bool vertical, TColor color2) {
  if (!LoadGradientFill()) return;
  auto vertex = [](int32_t x, int32_t y, TColor color) {
    const uint32_t rgb = uint32_t(ColorToRGB(color));
    win::TRIVERTEX v;
    v.x = x;
    v.y = y;
    v.Red = win::COLOR16(GetRValue(rgb) << 8);
    v.Green = win::COLOR16(GetGValue(rgb) << 8);
    v.Blue = win::COLOR16(GetBValue(rgb) << 8);
    v.Alpha = 0;
    return v;
  };
  const win::TRIVERTEX vertices[2] = {vertex(rect.Left, rect.Top, color1), vertex(rect.Right, rect.Bottom, color2)};
  const win::GRADIENT_RECT mesh{0, 1};
  g_gradientFill(dc, vertices, 2, &mesh, 1, vertical ? win::GRADIENT_FILL_RECT_V : win::GRADIENT_FILL_RECT_H);
}
