// Rendering the layers of TVovidErView into a 24-bit destination (normally
// the back buffer): background, every visible layer bottom to top through the
// image-buffer renderer with its operation, then the decorations (boxes,
// grips, dimming, outside-of-layer-0 styles, pixel grid).
//
// Layer geometry: a layer's PosX, PosY, Width and Height are layer-0 bitmap
// pixels; where it lands on the client comes from the view's bitmap-to-client
// conversion, corrected by one pixel where converting that client position
// back does not give the bitmap position (the tables and the formula outside
// them may differ by one). The stereo pair is layer 0 (left, operation 0) and
// layer 1 (right, its stereo operation) composed row by row in the back
// buffer.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/core/iegeometry.h"
#include "imaging/core/ierender.h"
#include "imaging/core/ieresample.h"
#include "imaging/core/ierotate.h"
#include "imaging/view/iebackground.h"
#include "imaging/view/iegdiplus.h"
#include "imaging/view/voviderview.h"
#include "platform/gdi/gdi.h"

namespace {

bool SameSize(TIEBitmap& a, TIEBitmap& b) { return a.GetWidth() == b.GetWidth() && a.GetHeight() == b.GetHeight(); }

// The renderer reads a layer's alpha at the pixel's own position: a channel
// of another size would be read past its end.
bool AlphaFits(TIEBitmap& bitmap) { return !bitmap.HasAlphaChannel() || SameSize(bitmap, *bitmap.GetAlphaChannel()); }

// The alpha a layer is drawn with under a mask: its own alpha limited by the
// mask bitmap's value at the same layer-0 position; with the fade style, the
// parts outside layer 0 get at most the fade value. The bitmap's own alpha
// channel is made (opaque) when it has none.
std::unique_ptr<TIEBitmap> CombineMaskAlpha(TIELayer& L, TIEBitmap& B, TIELayer& M, TIEBitmap& layer0,
                                            bool fade, int32_t fadeValue) {
  TIEBitmap& MB = *M.Bitmap;
  if (MB.GetPixelFormat() != ie8g) {
    MB.RemoveAlphaChannel(false, 0);
    MB.ConvertToFormat(ie8g);
  }
  TIEBitmap& own = *B.GetAlphaChannel();
  const int32_t w = own.GetWidth(), h = own.GetHeight();
  auto combined = TIEBitmap::CreateSized(w, h, ie8g);
  if (!combined || combined->IsEmpty()) return combined;
  const int32_t mw = MB.GetPixelFormat() == ie8g ? MB.GetWidth() : 0;
  const int32_t mh = MB.GetPixelFormat() == ie8g ? MB.GetHeight() : 0;
  const double sLx = B.GetWidth() > 0 ? double(L.GetWidth()) / B.GetWidth() : 0;
  const double sLy = B.GetHeight() > 0 ? double(L.GetHeight()) / B.GetHeight() : 0;
  const double sMx = mw > 0 ? double(M.GetWidth()) / mw : 0;
  const double sMy = mh > 0 ? double(M.GetHeight()) / mh : 0;
  const uint8_t outside = uint8_t(std::clamp(fadeValue, 0, 255));
  const int32_t w0 = layer0.GetWidth(), h0 = layer0.GetHeight();

  // Mask column of every layer column (and its layer-0 column for the fade),
  // computed once; a zero mask scale puts every position outside the mask.
  std::vector<int32_t> kx(size_t(std::max(w, 0))), l0x(kx.size());
  for (int32_t x = 0; x < w; ++x) {
    kx[size_t(x)] = sMx != 0 ? IERoundEven((x * sLx - M.PosX + L.PosX) / sMx) : -1;
    l0x[size_t(x)] = IERoundEven(kx[size_t(x)] * sMx) + L.PosX;
  }
  TIEAccessScope maskRead(MB, iedRead);
  TIEAccessScope ownRead(own, iedRead);
  for (int32_t y = 0; y < h; ++y) {
    auto* out = static_cast<uint8_t*>(combined->GetScanline(y));
    const auto* a = static_cast<const uint8_t*>(own.GetScanline(y));
    if (!out || !a) continue;
    const int32_t ky = sMy != 0 ? IERoundEven((y * sLy - M.PosY + L.PosY) / sMy) : -1;
    if (fade) {
      const int32_t row0 = IERoundEven(ky * sMy) + L.PosY;
      if (row0 < 0 || row0 > h0) {
        std::fill(out, out + w, outside);
        continue;
      }
    }
    const uint8_t* m = ky >= 0 && ky < mh ? static_cast<const uint8_t*>(MB.GetScanline(ky)) : nullptr;
    for (int32_t x = 0; x < w; ++x) {
      const int32_t k = kx[size_t(x)];
      const uint8_t v = m && k >= 0 && k < mw ? m[k] : 0;
      uint8_t r = std::min(a[x], v);
      if (fade && (l0x[size_t(x)] < 0 || l0x[size_t(x)] > w0)) r = std::min(a[x], outside);
      out[x] = r;
    }
  }
  return combined;
}

// A filled ellipse of 255 inscribed in the alpha channel's box (0, 0)-(w - 1, h - 1).
void FillEllipseAlpha(TIEBitmap& alpha) {
  const int32_t w = alpha.GetWidth(), h = alpha.GetHeight();
  alpha.Fill(0);
  const double cx = (w - 1) / 2.0, cy = (h - 1) / 2.0;
  const double rx = std::max(cx, 0.5), ry = std::max(cy, 0.5);
  for (int32_t y = 0; y < h; ++y) {
    auto* row = static_cast<uint8_t*>(alpha.GetScanline(y));
    if (!row) continue;
    const double dy = (y - cy) / ry;
    for (int32_t x = 0; x < w; ++x) {
      const double dx = (x - cx) / rx;
      if (dx * dx + dy * dy <= 1.0) row[x] = 255;
    }
  }
  alpha.SetFullyOpaque(false);
}

// The canvas's pen and brush, put back when a decoration is done, so that
// later drawing on the back buffer (the application's overlays) starts from
// what it set.
class TCanvasToolsScope {
public:
  explicit TCanvasToolsScope(TCanvas& canvas) : canvas_(canvas) {
    pen_.Assign(canvas.Pen());
    brush_.Assign(canvas.Brush());
  }
  ~TCanvasToolsScope() {
    canvas_.SetPen(&pen_);
    canvas_.SetBrush(&brush_);
  }
  TCanvasToolsScope(const TCanvasToolsScope&) = delete;
  TCanvasToolsScope& operator=(const TCanvasToolsScope&) = delete;

private:
  TCanvas& canvas_;
  TPen pen_;
  TBrush brush_;
};

}  // namespace

// What one layer's draw changes on the layer and its bitmap for its duration;
// put back on every exit, also when the renderer throws.
struct TIELayerDrawScope {
  TIELayer& layer;
  TIEBitmap& bitmap;
  // The bitmap's own alpha while the combined mask alpha is attached.
  bool alphaSwapped = false;
  std::unique_ptr<TIEBitmap> ownAlpha;
  // The geometry of a rotated layer, replaced by the rotated box while it is drawn.
  bool geometrySaved = false;
  int32_t width = 0, height = 0, posX = 0, posY = 0;

  TIELayerDrawScope(TIELayer& l, TIEBitmap& b) : layer(l), bitmap(b) {}
  ~TIELayerDrawScope() {
    if (alphaSwapped) bitmap.AttachAlphaChannel(std::move(ownAlpha));
    RestoreGeometry();
  }
  TIELayerDrawScope(const TIELayerDrawScope&) = delete;
  TIELayerDrawScope& operator=(const TIELayerDrawScope&) = delete;

  void SaveGeometry() {
    width = layer.Width;
    height = layer.Height;
    posX = layer.PosX;
    posY = layer.PosY;
    geometrySaved = true;
  }
  void RestoreGeometry() {
    if (!geometrySaved) return;
    layer.Width = width;
    layer.Height = height;
    layer.PosX = posX;
    layer.PosY = posY;
    geometrySaved = false;
  }
  // Attaches alpha for the draw; the bitmap's own channel is kept aside.
  void AttachAlpha(std::unique_ptr<TIEBitmap> alpha) {
    ownAlpha = bitmap.AttachAlphaChannel(std::move(alpha));
    alphaSwapped = true;
  }
  // Puts the own channel back and hands out the one used for the draw.
  std::unique_ptr<TIEBitmap> DetachAlpha() {
    alphaSwapped = false;
    return bitmap.AttachAlphaChannel(std::move(ownAlpha));
  }
};

void TVovidErView::SetChessboardStyle(int32_t size, TBrushStyle brushStyle) {
  chessboardSize_ = size;
  chessboardBrushStyle_ = brushStyle;
}

void TVovidErView::AfterDrawLayer(int32_t, TIEBitmap&, const TRect*) {}

void TVovidErView::PaintLayersBackground(TIEBitmap& dest, const TRect* clipRect) {
  TBitmap* platformBitmap = dest.VclBitmap();
  // Painting goes through a canvas: a destination without a platform bitmap
  // (a flattening target) has none and keeps its pixels.
  if (!platformBitmap) return;
  TCanvas& canvas = *platformBitmap->Canvas();
  win::HDC dc = canvas.Handle();
  if (clipRect) win::IntersectClipRect(dc, clipRect->Left, clipRect->Top, clipRect->Right + 1, clipRect->Bottom + 1);
  struct TClipReset {
    win::HDC dc;
    bool active;
    ~TClipReset() {
      if (active) win::SelectClipRgn(dc, nullptr);
    }
  } clipReset{dc, clipRect != nullptr};
  bool handled = false;
  const int32_t w = dest.GetWidth(), h = dest.GetHeight();
  if (OnDrawBackground) OnDrawBackground(this, &canvas, TRect(0, 0, w, h), handled);
  if (handled) return;
  const int32_t left = ImageOffsetX(), top = ImageOffsetY();
  PaintViewBackground(canvas, platformBitmap, wallPaperStyle_, wallPaper_.get(), gradientEndColor_,
                      chessboardBrushStyle_, chessboardSize_, left, top, left + PaintedWidth(), top + PaintedHeight(), h,
                      w, 0, 0, Background(), backgroundStyle_, GeometryDesigning());
}

void TVovidErView::PrepareMagnifier(TIELayer& L, TIEBitmap& dest, TResampleFilter filter) {
  TIEBitmap& B = *L.Bitmap;
  if (layerGrip_ == ieNone) {
    const int32_t nw = L.Width > 0 ? L.Width : B.GetWidth();
    const int32_t nh = L.Height > 0 ? L.Height : B.GetHeight();
    if (nw != B.GetWidth() || nh != B.GetHeight()) B.Resize(nw, nh, 0, 255, 0, 0);
  }
  const int32_t bw = B.GetWidth(), bh = B.GetHeight();
  if (bw <= 0 || bh <= 0) return;
  const double rate = L.Magnify.MagnifyRate;
  const int32_t sw = IETrunc(bw / (rate / ZoomFactorX()));
  const int32_t sh = IETrunc(bh / (rate / ZoomFactorY()));
  const int32_t cx = BitmapToClientX(L.PosX) + IETrunc(bw * ZoomFactorX() / 2);
  const int32_t cy = BitmapToClientY(L.PosY) + IETrunc(bh * ZoomFactorY() / 2);
  const int32_t left = cx - sw / 2, top = cy - sh / 2;
  const int32_t right = cx + sw - sw / 2, bottom = cy + sh - sh / 2;

  if (L.Magnify.MagnifySource == 1) {
    B.SetLocation(ieTBitmap);
    if (B.VclBitmap() && dest.VclBitmap())
      B.VclBitmap()->Canvas()->CopyRect(TRect(0, 0, bw, bh), dest.VclBitmap()->Canvas(),
                                        TRect(left, top, right, bottom));
  } else if (L.Magnify.MagnifySource == 0) {
    if (B.GetPixelFormat() != ie24RGB) B.ConvertToFormat(ie24RGB);
    TIEBitmap& l0 = *layers_[0]->Bitmap;
    const int32_t bl = ClientToBitmapX(left), bt = ClientToBitmapY(top);
    const int32_t w = ClientToBitmapX(right) - bl + 1, h = ClientToBitmapY(bottom) - bt + 1;
    const int32_t w0 = l0.GetWidth(), h0 = l0.GetHeight();
    if (&l0 != &B && bl >= 0 && bt >= 0 && bl < w0 - w && bt < h0 - h && w < w0 && h < h0) {
      B.Fill(0);
      l0.DrawToTIEBitmap(B, 0, 0, B.GetWidth(), B.GetHeight(), bl, bt, w, h, 255, filter, 0);
    }
  }
  TIEBitmap* alpha = B.GetAlphaChannel();
  if (!alpha) return;
  if (L.Magnify.MagnifyStyle == 0) {
    alpha->Fill(255);
    alpha->SetFullyOpaque(true);
  } else if (L.Magnify.MagnifyStyle == 1) {
    FillEllipseAlpha(*alpha);
  }
}

void TVovidErView::DrawLayerBox(TIEBitmap& dest, int32_t index) {
  TBitmap* platformBitmap = dest.VclBitmap();
  if (!platformBitmap) return;
  if (OnDrawLayerBox) {
    OnDrawLayerBox(this, platformBitmap, index);
    return;
  }
  TIELayer& L = *layers_[size_t(index)];
  TCanvas& canvas = *platformBitmap->Canvas();
  TCanvasToolsScope tools(canvas);
  if (layerBoxPen_) canvas.SetPen(layerBoxPen_.get());
  canvas.Brush()->SetStyle(bsClear);
  if (L.Rotation() != 0)
    canvas.Polygon(L.Corners);
  else
    canvas.Rectangle(L.DrawnRect);
}

void TVovidErView::DrawLayerGrips(TIEBitmap& dest, int32_t index, bool resizeGrips, bool rotationGrip) {
  TBitmap* platformBitmap = dest.VclBitmap();
  if (!platformBitmap || (!resizeGrips && !rotationGrip)) return;
  const std::array<TRect, 9> rects = GetGripRects(index);
  if (OnDrawLayerGrip) {
    // The application draws every grip itself, the rotation centre included.
    for (int32_t g = 0; g < 9; ++g) {
      if (g < 8 ? !resizeGrips : !(resizeGrips || rotationGrip)) continue;
      OnDrawLayerGrip(this, platformBitmap, index, g, rects[size_t(g)]);
    }
    return;
  }
  TCanvas& canvas = *platformBitmap->Canvas();
  TCanvasToolsScope tools(canvas);
  TIECanvas c(canvas, true, true);
  c.Pen()->SetStyle(psSolid);
  c.Pen()->SetMode(pmCopy);
  c.Pen()->SetColor(LayersGripPenColor);
  c.Pen()->SetWidth(1);
  c.Brush()->SetStyle(LayersGripBrushStyle);
  c.Brush()->SetColor(LayersGripBrushColor);
  if (resizeGrips)
    for (int32_t g = 0; g < 8; ++g) {
      const TRect& r = rects[size_t(g)];
      if (LayersGripShape == 0)
        c.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
      else
        c.Ellipse(r.Left, r.Top, r.Right, r.Bottom);
    }
  if (rotationGrip) {
    const TRect& r = rects[8];
    c.Ellipse(r.Left, r.Top, r.Right, r.Bottom);
  }
}

void TVovidErView::DrawPixelGrid(TIEBitmap& dest) {
  if (!ShowPixelGrid || currentLayer_ < 0 || currentLayer_ >= GetLayerCount()) return;
  TIELayer& L = *layers_[size_t(currentLayer_)];
  if (!L.Visible) return;
  const double minZoom = IEViewUnit.GridMinZoom;
  if (ZoomPercentX() < minZoom && ZoomPercentY() < minZoom) return;
  if (ExtentWidth() <= 1 && ExtentHeight() <= 1) return;
  TBitmap* platformBitmap = dest.VclBitmap();
  if (!platformBitmap) return;
  const int32_t x = L.DrawDestRect.X, y = L.DrawDestRect.Y, w = L.DrawDestRect.Width, h = L.DrawDestRect.Height;
  const int32_t sw = L.DrawSourceRect.Width, sh = L.DrawSourceRect.Height;
  TCanvas& canvas = *platformBitmap->Canvas();
  {
    TCanvasToolsScope tools(canvas);
    if (IEViewUnit.GridPen) {
      canvas.SetPen(IEViewUnit.GridPen.get());
    } else {
      canvas.Pen()->SetMode(pmNot);
      canvas.Pen()->SetStyle(psSolid);
      canvas.Pen()->SetWidth(1);
    }
    const int32_t dw = dest.GetWidth(), dh = dest.GetHeight();
    // Lines outside the destination would be clipped away: only the visible ones are drawn.
    if (sw > 0)
      for (int32_t i = 0; i <= sw; ++i) {
        const int32_t lx = x + IERoundEven(double(i) * w / sw);
        if (lx < 0 || lx >= dw) continue;
        canvas.MoveTo(lx, y);
        canvas.LineTo(lx, y + h);
      }
    if (sh > 0)
      for (int32_t i = 0; i <= sh; ++i) {
        const int32_t ly = y + IERoundEven(double(i) * h / sh);
        if (ly < 0 || ly >= dh) continue;
        canvas.MoveTo(x, ly);
        canvas.LineTo(x + w, ly);
      }
  }
  if (GridHighlightX >= 0 && GridHighlightY >= 0) {
    TCanvasToolsScope tools(canvas);
    TIECanvas c(canvas, true, true);
    c.Pen()->SetStyle(psSolid);
    c.Pen()->SetColor(GridHighlightColor);
    c.Pen()->SetWidth(2);
    c.Brush()->SetStyle(bsClear);
    c.RoundRect(L.BitmapToClientX(GridHighlightX), L.BitmapToClientY(GridHighlightY),
                L.BitmapToClientX(GridHighlightX + 1), L.BitmapToClientY(GridHighlightY + 1), 5, 5);
  }
}

namespace {

// A row table kept with the destination must still point at its rows (it
// goes stale when the destination is reallocated).
void RefreshRowTable(TIEBitmap& dest, std::vector<uint8_t*>* rowTable) {
  if (!rowTable || dest.Location() == ieFile) return;
  const auto h = size_t(dest.GetHeight());
  bool stale = rowTable->size() != h;
  for (size_t y = 0; !stale && y < h; y += std::max<size_t>(1, h - 1))
    stale = (*rowTable)[y] != dest.GetScanline(int32_t(y));
  if (stale) {
    rowTable->resize(h);
    for (size_t y = 0; y < h; ++y) (*rowTable)[y] = static_cast<uint8_t*>(dest.GetScanline(int32_t(y)));
  }
}

}  // namespace

void TVovidErView::RenderLayers(TIEBitmap& dest, std::vector<uint8_t*>* rowTable, const TRect* clipRect,
                                bool paintBackground, bool drawDecorations) {
  SyncLayers();
  CalcVisibleArea();
  UpdateCoordTables();

  if (GeometryDesigning() || !bitmap_ || bitmap_->GetWidth() == 0 || bitmap_->GetHeight() == 0) return;
  if (!AlphaFits(*bitmap_)) return;
  // Every step below writes 3-byte pixels.
  if (dest.GetPixelFormat() != ie24RGB || dest.IsEmpty()) return;
  RefreshRowTable(dest, rowTable);

  bool first = true;
  const int32_t count = GetLayerCount();
  for (int32_t i = 0; i < count; ++i) {
    TIELayer& L = *layers_[size_t(i)];
    // (a) visibility and size
    if (!L.Bitmap || !LayerIsDrawn(L)) continue;
    TIELayerDrawScope scope(L, *L.Bitmap);
    // (b) mask choice
    std::unique_ptr<TIELayer> fadeLayer;
    TIELayer* mask = LayerMask(i, fadeLayer);
    // (c) the combined alpha replaces the layer's for this draw
    if (mask) AttachMaskAlpha(scope, *mask);
    // (d) (e)
    if (first && paintBackground) PaintBackgroundUnderLayer(dest, L, clipRect);
    // (f) filter
    const TResampleFilter filter = LayerFilter(L);
    const bool reuseRows = backgroundStyle_ == iebsSolid && first;
    if (sameSizeLayers_ || (count == 1 && L.Width == 0 && L.Height == 0 && L.PosX == 0 && L.PosY == 0)) {
      // (g) direct case
      DrawLayerDirect(L, dest, rowTable, clipRect, reuseRows, filter);
    } else if (!DrawLayerPositioned(i, scope, dest, rowTable, clipRect, reuseRows, filter)) {
      // (h) positioned case; a layer that turned out empty ends here
      continue;
    }
    // (i)
    AfterDrawLayer(i, dest, clipRect);
    // (j) decorations
    if (drawDecorations) DrawLayerDecorations(dest, i);
    // (k)
    if (OnDrawLayer) OnDrawLayer(this, &dest, i);
    // (l)
    if (mask) L.MaskCache = scope.DetachAlpha();
    fadeLayer.reset();
    first = false;
  }

  if ((LayersOutsideStyle == 2 || LayersOutsideStyle == 3) && count > 0)
    MarkOutsideLayer0(dest, layers_[0]->DrawDestRect);
  if (first && paintBackground) PaintLayersBackground(dest, clipRect);
  // The selection display would follow here: this view has no selections.
  if (drawDecorations) DrawPixelGrid(dest);
}

bool TVovidErView::LayerIsDrawn(TIELayer& L) {
  TIEBitmap& B = *L.Bitmap;
  if (!L.Visible || PaintedWidth() == 0 || PaintedHeight() == 0) return false;
  if (B.GetWidth() < MinLayerSize && B.GetHeight() < MinLayerSize) return false;
  return B.GetWidth() > 0 && B.GetHeight() > 0 && AlphaFits(B);
}

TIELayer* TVovidErView::LayerMask(int32_t index, std::unique_ptr<TIELayer>& fadeLayer) {
  TIELayer& L = *layers_[size_t(index)];
  TIEBitmap& B = *L.Bitmap;
  const auto count = int32_t(layers_.size());
  // The next layer masks this one.
  if (!L.IsMask && L.Rotation() == 0 && index + 1 < count && layers_[size_t(index + 1)]->IsMask &&
      layers_[size_t(index + 1)]->Bitmap)
    return layers_[size_t(index + 1)].get();
  if (index == 0 || LayersOutsideStyle != 1) return nullptr;
  // The fade style: an opaque mask of the layer's own box.
  fadeLayer = std::make_unique<TIELayer>(nullptr, nullptr, false);
  fadeLayer->Bitmap->Allocate(B.GetWidth(), B.GetHeight(), ie8g);
  fadeLayer->Bitmap->Fill(255);
  fadeLayer->PosX = L.PosX;
  fadeLayer->PosY = L.PosY;
  fadeLayer->Width = L.Width;
  fadeLayer->Height = L.Height;
  return fadeLayer.get();
}

void TVovidErView::AttachMaskAlpha(TIELayerDrawScope& scope, TIELayer& mask) {
  TIELayer& L = scope.layer;
  TIEBitmap& B = scope.bitmap;
  if (L.MaskCache && SameSize(*L.MaskCache, B)) {
    scope.AttachAlpha(std::move(L.MaskCache));
    return;
  }
  L.MaskCache.reset();
  scope.AttachAlpha(
      CombineMaskAlpha(L, B, mask, *layers_[0]->Bitmap, LayersOutsideStyle == 1, LayersOutsideValue));
}

void TVovidErView::PaintBackgroundUnderLayer(TIEBitmap& dest, TIELayer& L, const TRect* clipRect) {
  TIEBitmap& B = *L.Bitmap;
  // Not needed when the first layer covers the destination opaquely.
  const bool coversDest = ImageOffsetX() < 1 && ImageOffsetY() < 1 && PaintedWidth() >= dest.GetWidth() &&
                          PaintedHeight() >= dest.GetHeight();
  const bool opaque = !enableAlphaChannel_ || !B.HasAlphaChannel() || B.GetAlphaChannel()->FullyOpaque();
  if (!(coversDest && opaque && L.Transparency > 254)) PaintLayersBackground(dest, clipRect);
}

TResampleFilter TVovidErView::LayerFilter(const TIELayer& L) {
  if (filterDelayCounter_ > 0) return rfNone;
  if (L.Width == 0 && L.Height == 0 && ZoomPercentX() == 100 && ZoomPercentY() == 100) return rfNone;
  return L.UseResampleFilter ? L.ResampleFilter : zoomFilter_;
}

void TVovidErView::DrawLayerDirect(TIELayer& L, TIEBitmap& dest, std::vector<uint8_t*>* rowTable,
                                   const TRect* clipRect, bool reuseRows, TResampleFilter filter) {
  // Drawn exactly as the view's own coordinate tables map it.
  const int32_t dx = ImageOffsetX(), dy = ImageOffsetY(), dw = PaintedWidth(), dh = PaintedHeight();
  const int32_t sx = VisibleFirstColumn(), sy = VisibleFirstRow(), sw = VisibleColumns(), sh = VisibleRows();
  L.Bitmap->RenderToTIEBitmap(dest, rowTable, &ClientToBitmapMapX(), &ClientToBitmapMapY(), clipRect, dx, dy, dw, dh,
                              sx, sy, sw, sh, enableAlphaChannel_, reuseRows, L.Transparency, filter, true,
                              L.Operation);
  L.DrawnRect = TRect(dx, dy, dx + dw, dy + dh);
  L.DrawDestRect = {dx, dy, dw, dh};
  L.DrawSourceRect = {sx, sy, sw, sh};
}

bool TVovidErView::RotateLayerForDraw(TIELayerDrawScope& scope, std::unique_ptr<TIEBitmap>& rotated) {
  TIELayer& L = scope.layer;
  TIEBitmap& B = scope.bitmap;
  scope.SaveGeometry();
  const int32_t w = L.GetWidth(), h = L.GetHeight();
  std::unique_ptr<TIEBitmap> sized;
  TIEBitmap* image = &B;
  if (B.GetWidth() != w || B.GetHeight() != h) {
    sized = std::make_unique<TIEBitmap>();
    if (w > 0 && h > 0 && sized->Allocate(w, h, B.GetPixelFormat())) ResampleBitmap(B, *sized, rfNone);
    image = sized.get();
  }
  if (image->IsEmpty()) return false;
  std::unique_ptr<TIEBitmap> opaqueAlpha;
  TIEBitmap* alpha = image->HasAlphaChannel() ? image->GetAlphaChannel() : nullptr;
  if (!alpha || !SameSize(*alpha, *image)) {
    opaqueAlpha = TIEBitmap::CreateAlphaChannel(image->GetWidth(), image->GetHeight(), ieMemory);
    alpha = opaqueAlpha.get();
  }
  rotated = std::make_unique<TIEBitmap>();
  RotateIntoBitmap(*image, *rotated, 0, {}, L.Rotation());
  auto rotatedAlpha = std::make_unique<TIEBitmap>();
  RotateIntoBitmap(*alpha, *rotatedAlpha, 0, {}, L.Rotation());
  if (rotated->IsEmpty()) return false;
  if (SameSize(*rotatedAlpha, *rotated)) {
    // Transparent corners, unless the turn was a quarter turn.
    rotatedAlpha->UpdateAlphaFull();
    rotated->AttachAlphaChannel(std::move(rotatedAlpha));
  } else {
    rotated->RemoveAlphaChannel(false, 0);
  }
  // The layer takes the rotated box for the draw; the scope puts it back.
  L.Width = rotated->GetWidth();
  L.Height = rotated->GetHeight();
  std::vector<TPoint> pts{{0, 0}, {w, 0}, {w, h}, {0, h}};
  IERotatePoints(pts, IETrunc(w * L.RotationCenterX), IETrunc(h * L.RotationCenterY), L.Rotation());
  int32_t minX = pts[0].X, minY = pts[0].Y;
  for (const TPoint& p : pts) {
    minX = std::min(minX, p.X);
    minY = std::min(minY, p.Y);
  }
  L.PosX = scope.posX + minX;
  L.PosY = scope.posY + minY;
  for (size_t k = 0; k < 4; ++k)
    L.Corners[k] = TPoint(IETrunc((pts[k].X + scope.posX) * ZoomFactorX()) + ImageOffsetX() - ScrollOriginX(),
                          IETrunc((pts[k].Y + scope.posY) * ZoomFactorY()) + ImageOffsetY() - ScrollOriginY());
  return true;
}

TIEDrawRect TVovidErView::CropLayerToLayer0(const TIELayer& L, int32_t bw, int32_t bh, TIEDrawRect& d) {
  TIEBitmap& l0 = *layers_[0]->Bitmap;
  const int32_t lw = L.GetWidth(), lh = L.GetHeight();
  TIEDrawRect s{0, 0, bw, bh};
  if (ClientToBitmapX(L.DrawnRect.Left) < 0 && lw != 0) {
    s.X = -IETrunc(double(bw) / lw * L.PosX);
    s.Width = bw - s.X;
    d.X = BitmapToClientX(0);
    d.Width = BitmapToClientX(L.PosX + lw) - d.X;
  }
  if (L.PosX + lw > l0.GetWidth() && L.DrawnRect.Width() != 0) {
    d.Width = BitmapToClientX(l0.GetWidth()) - d.X;
    s.Width = IETrunc(double(bw) / L.DrawnRect.Width() * d.Width);
  }
  if (ClientToBitmapY(L.DrawnRect.Top) < 0 && lh != 0) {
    s.Y = -IETrunc(double(bh) / lh * L.PosY);
    s.Height = bh - s.Y;
    d.Y = BitmapToClientY(0);
    d.Height = BitmapToClientY(L.PosY + lh) - d.Y;
  }
  if (L.PosY + lh > l0.GetHeight() && L.DrawnRect.Height() != 0) {
    d.Height = BitmapToClientY(l0.GetHeight()) - d.Y;
    s.Height = IETrunc(double(bh) / L.DrawnRect.Height() * d.Height);
  }
  return s;
}

bool TVovidErView::DrawLayerPositioned(int32_t index, TIELayerDrawScope& scope, TIEBitmap& dest,
                                       std::vector<uint8_t*>* rowTable, const TRect* clipRect, bool reuseRows,
                                       TResampleFilter filter) {
  TIELayer& L = scope.layer;
  TIEBitmap& B = scope.bitmap;
  TIEBitmap* src = &B;
  std::unique_ptr<TIEBitmap> rotated;
  if (L.Rotation() != 0) {
    if (!RotateLayerForDraw(scope, rotated)) return false;
    src = rotated.get();
  }
  if (index > 0 && L.Magnify.MagnifyEnabled && L.Magnify.MagnifyRate >= 1) {
    PrepareMagnifier(L, dest, filter);
    if (B.IsEmpty() || !AlphaFits(B)) return false;
  }

  // Client position of a bitmap coordinate, moved one pixel toward it where
  // converting back does not give it.
  auto placeX = [this](int32_t bx) {
    const int32_t c = BitmapToClientX(bx), back = ClientToBitmapX(c);
    return back < bx ? c + 1 : back > bx ? c - 1 : c;
  };
  auto placeY = [this](int32_t by) {
    const int32_t c = BitmapToClientY(by), back = ClientToBitmapY(c);
    return back < by ? c + 1 : back > by ? c - 1 : c;
  };
  const int32_t lw = L.GetWidth(), lh = L.GetHeight();
  const int32_t x0 = placeX(L.PosX), x1 = placeX(L.PosX + lw);
  const int32_t y0 = placeY(L.PosY), y1 = placeY(L.PosY + lh);
  TIEDrawRect d{x0, y0, x1 - x0, y1 - y0};
  TIEDrawRect s{0, 0, src->GetWidth(), src->GetHeight()};
  L.DrawnRect = TRect(x0, y0, x1, y1);
  if (L.Cropped) s = CropLayerToLayer0(L, s.Width, s.Height, d);
  // A rectangle turned inside out by the cropping draws nothing.
  if (d.Width > 0 && d.Height > 0 && s.Width > 0 && s.Height > 0)
    src->RenderToTIEBitmap(dest, rowTable, nullptr, nullptr, clipRect, d.X, d.Y, d.Width, d.Height, s.X, s.Y, s.Width,
                           s.Height, enableAlphaChannel_, reuseRows, L.Transparency, filter, true, L.Operation);
  L.DrawDestRect = d;
  L.DrawSourceRect = s;
  rotated.reset();
  scope.RestoreGeometry();
  return true;
}

void TVovidErView::DrawLayerDecorations(TIEBitmap& dest, int32_t index) {
  TIELayer& L = *layers_[size_t(index)];
  if (L.VisibleBox) {
    if (index == currentLayer_) {
      if (mouseInteract_ & (IEMI(miMoveLayers) | IEMI(miResizeLayers))) DrawLayerBox(dest, index);
      DrawLayerGrips(dest, index, (mouseInteract_ & IEMI(miResizeLayers)) && !L.Locked,
                     (mouseInteract_ & IEMI(miRotateLayers)) != 0);
    } else if (ShowAllLayerBoxes) {
      DrawLayerBox(dest, index);
    }
  }
  if (index == currentLayer_ && L.DimOutside) DimOutsideLayer(dest, L.DrawnRect);
}

void TVovidErView::DimOutsideLayer(TIEBitmap& dest, const TRect& r) {
  TIEAccessScope access(dest, iedRead | iedWrite);
  const int32_t w = dest.GetWidth(), h = dest.GetHeight();
  for (int32_t y = 0; y < h; ++y) {
    auto* row = static_cast<uint8_t*>(dest.GetScanline(y));
    if (!row) continue;
    const bool rowInside = y >= r.Top && y <= r.Bottom;
    for (int32_t x = (y & 1); x < w; x += 2) {
      if (rowInside && x >= r.Left && x <= r.Right) continue;
      row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = 97;
    }
  }
}

void TVovidErView::MarkOutsideLayer0(TIEBitmap& dest, const TIEDrawRect& r) {
  TIEAccessScope access(dest, iedRead | iedWrite);
  const int32_t w = dest.GetWidth(), h = dest.GetHeight();
  const int64_t right = int64_t(r.X) + r.Width, bottom = int64_t(r.Y) + r.Height;
  if (LayersOutsideStyle == 2) {
    for (int32_t y = 0; y < h; ++y) {
      auto* row = static_cast<uint8_t*>(dest.GetScanline(y));
      if (!row) continue;
      const bool rowInside = y >= r.Y && y <= bottom;
      for (int32_t x = (y & 1); x < w; x += 2) {
        if (rowInside && x >= r.X && x <= right) continue;
        row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = 128;
      }
    }
    return;
  }
  const int32_t add = LayersOutsideValue;
  for (int32_t y = 0; y < h; ++y) {
    auto* row = static_cast<uint8_t*>(dest.GetScanline(y));
    if (!row) continue;
    const bool rowInside = y >= r.Y && y < bottom;
    for (int32_t x = 0; x < w; ++x) {
      if (rowInside && x >= r.X && x < right) continue;
      for (int32_t c = 0; c < 3; ++c) row[3 * x + c] = uint8_t(std::clamp(row[3 * x + c] + add, 0, 255));
    }
  }
}

void TVovidErView::RenderLayersToBitmap(TIEBitmap& dest) {
  if (layers_.empty() || !layers_[0]->Bitmap) return;
  SyncLayers();
  TIELayer& l0 = *layers_[0];
  int64_t right = int64_t(l0.PosX) + l0.GetWidth(), bottom = int64_t(l0.PosY) + l0.GetHeight();
  int64_t shiftX = 0, shiftY = 0;
  for (auto& layer : layers_) {
    if (layer->Cropped || !layer->Bitmap) continue;
    right = std::max<int64_t>(right, int64_t(layer->PosX) + layer->GetWidth());
    bottom = std::max<int64_t>(bottom, int64_t(layer->PosY) + layer->GetHeight());
    if (layer->PosX < 0) shiftX = std::max<int64_t>(shiftX, -int64_t(layer->PosX));
    if (layer->PosY < 0) shiftY = std::max<int64_t>(shiftY, -int64_t(layer->PosY));
  }
  const int64_t width = right + shiftX, height = bottom + shiftY;
  // Layers entirely left of or above the origin leave nothing to draw.
  if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX) return;
  const double background = double(uint32_t(Background()));
  if (dest.GetPixelFormat() == ieNoFormat || dest.IsEmpty()) {
    if (!dest.Allocate(int32_t(width), int32_t(height), ie24RGB)) return;
    dest.Fill(background);
    dest.RemoveAlphaChannel(false, 0);
  } else {
    dest.Resize(int32_t(width), int32_t(height), background, 255, 0, 0);
  }

  // The view draws at 100 % with the image at (shiftX, shiftY); everything
  // it had is put back afterwards, also on an exception.
  {
    struct TSavedGeometry {
      TVovidErView& view;
      double zoomX, zoomY;
      int32_t originX, originY, offsetX, offsetY, drawnW, drawnH, zoomedW, zoomedH, extentW, extentH;
      ~TSavedGeometry() {
        view.SetOriginRaw(originX, originY);
        view.SetImageOffset(offsetX, offsetY);
        view.SetDrawnSize(drawnW, drawnH);
        view.SetZoomedSize(zoomedW, zoomedH);
        view.SetExtent(extentW, extentH);
        view.StoreZoom(zoomX, zoomY);
      }
    } saved{*this,          ZoomPercentX(), ZoomPercentY(), ScrollOriginX(), ScrollOriginY(), ImageOffsetX(),
            ImageOffsetY(), DrawnWidth(),   DrawnHeight(),  ZoomedWidth(),   ZoomedHeight(),  ExtentWidth(),
            ExtentHeight()};
    TIEBitmap& b0 = *l0.Bitmap;
    StoreZoom(100, 100);
    SetOriginRaw(0, 0);
    SetImageOffset(int32_t(shiftX), int32_t(shiftY));
    SetDrawnSize(b0.GetWidth(), b0.GetHeight());
    SetZoomedSize(b0.GetWidth(), b0.GetHeight());
    SetExtent(b0.GetWidth(), b0.GetHeight());
    RenderLayers(dest, nullptr, nullptr, false, false);
  }
  // The view's state is recomputed for its own zoom; nothing is repainted.
  const bool invalidate = invalidateOnUpdate_;
  invalidateOnUpdate_ = false;
  try {
    Update();
  } catch (...) {
    invalidateOnUpdate_ = invalidate;
    throw;
  }
  invalidateOnUpdate_ = invalidate;
}

void TVovidErView::FlattenLayers() {
  auto flat = std::make_unique<TIEBitmap>();
  if (bitmap_ && bitmap_->GetWidth() > 0 && bitmap_->GetHeight() > 0 &&
      flat->Allocate(bitmap_->GetWidth(), bitmap_->GetHeight(), ie24RGB))
    flat->Fill(double(uint32_t(Background())));
  RenderLayersToBitmap(*flat);
  RemoveAllLayers();
  if (bitmap_ && !flat->IsEmpty()) bitmap_->Assign(flat.get());
  flat.reset();
  Update();
}
