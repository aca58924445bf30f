// The view's layer list: the current layer, adding and removing layers, hit
// tests and grips, replacing the current buffer and the legacy mode.
#include <algorithm>
#include <cmath>

#include "imaging/core/iegeometry.h"
#include "imaging/io/vovideriocomp.h"
#include "imaging/view/voviderview.h"
#include "platform/rtl/exceptions.h"

namespace {

bool InsideInclusive(const TRect& r, int32_t x, int32_t y) {
  return x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom;
}

int32_t Mid(int32_t a, int32_t b) { return int32_t((int64_t(a) + b) / 2); }

// Frees a buffer with the platform bitmap it only wraps (legacy mode).
void DeleteBitmapAndWrapped(TIEBitmap* bitmap) {
  if (!bitmap) return;
  TBitmap* wrapped = bitmap->Location() == ieTBitmap && bitmap->VclBitmapNotOwned() ? bitmap->VclBitmap() : nullptr;
  if (wrapped) bitmap->FreeImage(true);
  delete wrapped;
  delete bitmap;
}

}  // namespace

TIELayer* TVovidErView::GetLayer(int32_t index) {
  if (index < 0 || index >= GetLayerCount())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return layers_[size_t(index)].get();
}

TIELayer* TVovidErView::GetCurrentLayer() {
  if (currentLayer_ < 0 || currentLayer_ >= GetLayerCount()) return nullptr;
  return layers_[size_t(currentLayer_)].get();
}

void TVovidErView::TakeLegacyBitmapOf(TIEBitmap* bitmap) {
  if (bitmap && bitmap->Location() == ieTBitmap && bitmap->VclBitmap()) {
    legacyBitmap_ = bitmap->VclBitmap();
    legacyNotOwned_ = bitmap->VclBitmapNotOwned();
  } else {
    legacyBitmap_ = nullptr;
    legacyNotOwned_ = false;
  }
}

void TVovidErView::ReleaseIOTarget(TIEBitmap* bitmap) {
  if (!io_ || !bitmap || io_->IEBitmap() != bitmap) return;
  io_->WaitThreads(false);
  io_->SetAttachedBitmap(nullptr);
}

void TVovidErView::SetCurrentLayer(int32_t index) {
  if (index < 0 || index >= GetLayerCount() || index == currentLayer_) return;
  if (currentLayer_ >= 0) layers_[size_t(currentLayer_)]->Bitmap = bitmap_;
  // A selection would be pushed here and re-based on the new layer below;
  // without the selection unit there is none.
  for (;;) {
    currentLayer_ = index;
    if (layers_[size_t(index)]->Selectable || index == 0 || !skipUnselectableLayers_) break;
    --index;
  }
  bitmap_ = layers_[size_t(currentLayer_)]->Bitmap;
  TakeLegacyBitmapOf(bitmap_);
  NotifyChange();
  Update();
}

int32_t TVovidErView::AddLayer() {
  if (TIELayer* current = GetCurrentLayer()) current->Bitmap = bitmap_;
  layers_.push_back(std::make_unique<TIELayer>(this, bitmap_, false));
  const int32_t index = GetLayerCount() - 1;
  SetCurrentLayer(index);
  ClearImage();
  return index;
}

void TVovidErView::RemoveLayer(int32_t index) {
  const int32_t count = GetLayerCount();
  if (count < 2 || index < 0 || index >= count) return;
  if (currentLayer_ >= 0) layers_[size_t(currentLayer_)]->Bitmap = bitmap_;
  // A mask layer goes with the layer it masks.
  const int32_t last = index + 1 < count && layers_[size_t(index + 1)]->IsMask ? index + 1 : index;
  const int32_t removed = last - index + 1;
  // Layer 0 and its mask are all there is: the list may never become empty.
  if (removed >= count) return;
  const int32_t current = currentLayer_;
  for (int32_t i = last; i >= index; --i) {
    ReleaseIOTarget(layers_[size_t(i)]->Bitmap);
    if (refreshOnlyLayer_ == layers_[size_t(i)].get()) refreshOnlyLayer_ = nullptr;
    layers_.erase(layers_.begin() + i);
  }
  const int32_t remaining = GetLayerCount();
  int32_t next;
  if (current < index)
    next = current;
  else if (current > last)
    next = current - removed;
  else
    next = index < remaining ? index : remaining - 1;
  currentLayer_ = -1;
  bitmap_ = nullptr;
  legacyBitmap_ = nullptr;
  SetCurrentLayer(next);
}

void TVovidErView::RemoveAllLayers() {
  if (currentLayer_ >= 0) layers_[size_t(currentLayer_)]->Bitmap = bitmap_;
  while (GetLayerCount() > 1) {
    ReleaseIOTarget(layers_.back()->Bitmap);
    if (refreshOnlyLayer_ == layers_.back().get()) refreshOnlyLayer_ = nullptr;
    layers_.pop_back();
  }
  currentLayer_ = -1;
  SetCurrentLayer(0);
  TIELayer* layer = layers_[0].get();
  layer->SetDefaults();
  layer->VisibleBox = false;
  layer->Locked = true;
  ClearImage();
}

int32_t TVovidErView::LayerIndexAt(int32_t x, int32_t y, bool selectableOnly) {
  for (int32_t i = GetLayerCount() - 1; i >= 0; --i) {
    TIELayer& layer = *layers_[size_t(i)];
    if (selectableOnly && skipUnselectableLayers_ && !layer.Selectable) continue;
    if (!layer.Visible) continue;
    if (!InsideInclusive(layer.DrawnRect, x, y)) continue;
    TIEBitmap* b = i == currentLayer_ ? bitmap_ : layer.Bitmap;
    if (!b || !b->HasAlphaChannel() || (selectionOptions_ & IESO(iesoSelectTranspLayers)) != 0) return i;
    const int32_t w = b->GetWidth(), h = b->GetHeight();
    if (w <= 0 || h <= 0) continue;
    const int32_t bx = std::clamp(layer.ClientToBitmapX(x), 0, w - 1);
    const int32_t by = std::clamp(layer.ClientToBitmapY(y), 0, h - 1);
    if (b->GetAlphaChannel()->GetPixelByte(bx, by) > 0) return i;
  }
  return -1;
}

bool TVovidErView::IsPointInLayer(int32_t x, int32_t y, int32_t index) {
  if (index < 0 || index >= GetLayerCount()) return false;
  const TIELayer& layer = *layers_[size_t(index)];
  if (!layer.Visible) return false;
  if (layer.Rotation() == 0) return InsideInclusive(layer.DrawnRect, x, y);
  return IEPointInPolygon(x, y, std::vector<TPoint>(layer.Corners.begin(), layer.Corners.end()));
}

std::array<TRect, 9> TVovidErView::GetGripRects(int32_t index) {
  TIELayer& layer = *GetLayer(index);
  const int32_t g = layersGripSize_;
  std::array<TPoint, 9> centres;
  if (layer.Rotation() == 0) {
    const TRect& r = layer.DrawnRect;
    const int32_t mx = Mid(r.Left, r.Right), my = Mid(r.Top, r.Bottom);
    centres = {TPoint{r.Left, r.Top},  TPoint{r.Right, r.Top}, TPoint{r.Right, r.Bottom},
               TPoint{r.Left, r.Bottom}, TPoint{r.Left, my},   TPoint{r.Right, my},
               TPoint{mx, r.Top},      TPoint{mx, r.Bottom},  TPoint{}};
  } else {
    const auto& p = layer.Corners;
    auto mid = [](const TPoint& a, const TPoint& b) { return TPoint{Mid(a.X, b.X), Mid(a.Y, b.Y)}; };
    centres = {p[0], p[1], p[2], p[3], mid(p[0], p[3]), mid(p[1], p[2]), mid(p[0], p[1]), mid(p[2], p[3]), TPoint{}};
  }
  const TIEBitmap* b = index == currentLayer_ ? bitmap_ : layer.Bitmap;
  const int32_t bw = b ? const_cast<TIEBitmap*>(b)->GetWidth() : 0;
  const int32_t bh = b ? const_cast<TIEBitmap*>(b)->GetHeight() : 0;
  centres[8] = TPoint{layer.BitmapToClientX(IERoundEven(bw * layer.RotationCenterX)),
                      layer.BitmapToClientY(IERoundEven(bh * layer.RotationCenterY))};
  std::array<TRect, 9> rects;
  for (size_t i = 0; i < centres.size(); ++i)
    rects[i] = TRect{centres[i].X - g, centres[i].Y - g, centres[i].X + g, centres[i].Y + g};
  return rects;
}

TIEGrip TVovidErView::GripAt(int32_t x, int32_t y) {
  if (!GetCurrentLayer()) return ieNone;
  const std::array<TRect, 9> rects = GetGripRects(currentLayer_);
  for (size_t i = 0; i < rects.size(); ++i) {
    if (!InsideInclusive(rects[i], x, y)) continue;
    const TIEGrip grip = TIEGrip(i + 1);
    if (grip == ieRotationCenter && (mouseInteract_ & IEMI(miRotateLayers)) == 0) return ieNone;
    return grip;
  }
  return ieNone;
}

void TVovidErView::UseBitmap(TIEBitmap* bitmap) {
  TIELayer* layer = GetCurrentLayer();
  if (!layer) return;
  if (bitmap == bitmap_) {
    // The buffer is already the current one: freeing it first would lose it.
    NotifyChange();
    Update();
    return;
  }
  TIEBitmap* old = bitmap_;
  const bool ownedOld = layer->OwnsBitmap;
  if (!bitmap) {
    // The layer gets a fresh empty buffer of its own at once, so that it never
    // marks a borrowed buffer as its own.
    bitmap_ = new TIEBitmap();
    layer->Bitmap = bitmap_;
    layer->OwnsBitmap = true;
    legacyBitmap_ = nullptr;
    legacyNotOwned_ = false;
  } else {
    layer->Bitmap = bitmap;
    layer->OwnsBitmap = false;
    bitmap_ = bitmap;
    TakeLegacyBitmapOf(bitmap_);
  }
  if (ownedOld) {
    ReleaseIOTarget(old);
    DeleteBitmapAndWrapped(old);
  }
  if (!bitmap) return;
  NotifyChange();
  Update();
}

void TVovidErView::SetLegacyBitmap(bool v) {
  if (legacyBitmapMode_ == v) return;
  // A platform bitmap that a buffer only wraps belongs to the layer owning
  // the buffer; a borrowed buffer's belongs to whoever lent it.
  const bool layerOwns = GetCurrentLayer() && GetCurrentLayer()->OwnsBitmap;
  if (!v) {
    // The buffer takes its pixels back into memory (or a file, above the threshold).
    TBitmap* wrapped = layerOwns && bitmap_->Location() == ieTBitmap && bitmap_->VclBitmapNotOwned()
                           ? bitmap_->VclBitmap()
                           : nullptr;
    if (bitmap_->Location() == ieTBitmap) bitmap_->SetLocation(ieMemory);
    delete wrapped;
    legacyBitmap_ = nullptr;
    legacyNotOwned_ = false;
  } else {
    const TIEPixelFormat f = bitmap_->GetPixelFormat();
    const bool holdable = f == ieNoFormat || f == ie1g || f == ie8p || f == ie8g || f == ie16g || f == ie24RGB ||
                          f == ie32RGB;
    // Checked before anything moves, so that a refused format loses no pixels.
    if (!holdable)
      throw Exception(std::string(IEPixelFormatInfo(f).Name) +
                      " pixel format not allowed when Location=ieTBitmap. Please set TVovidErView.LegacyBitmap=false.");
    if (!layerOwns) {
      // Nobody would free a wrapped platform bitmap of a borrowed buffer: the buffer keeps its own.
      bitmap_->SetLocation(ieTBitmap);
    } else if (bitmap_->Location() != ieTBitmap || !bitmap_->VclBitmapNotOwned()) {
      std::unique_ptr<TIEBitmap> saved = TIEBitmap::CreateCopy(bitmap_);
      auto vcl = std::make_unique<TBitmap>();
      vcl->SetPixelFormat(pf24bit);
      bitmap_->FreeImage(true);
      bitmap_->EncapsulateTBitmap(vcl.get(), false);
      if (saved && !saved->IsEmpty()) bitmap_->Assign(saved.get());
      vcl.release();
    }
    TakeLegacyBitmapOf(bitmap_);
  }
  legacyBitmapMode_ = v;
  NotifyChange();
  Update();
}

void TVovidErView::SyncLayers() {
  if (!bitmap_) return;
  if (legacyBitmapMode_ && legacyBitmap_) {
    if (legacyNotOwned_ || bitmap_->VclBitmap() == legacyBitmap_)
      bitmap_->EncapsulateTBitmap(legacyBitmap_, false);
    else
      TakeLegacyBitmapOf(bitmap_);  // the buffer made a new platform bitmap of its own
  }
  if (TIELayer* current = GetCurrentLayer()) current->Bitmap = bitmap_;
  TIEBitmap* base = layers_[0]->Bitmap;
  int32_t w = base ? base->GetWidth() : 0, h = base ? base->GetHeight() : 0;
  if (sameSizeLayers_ && GetLayerCount() >= 2) {
    for (auto& layer : layers_) {
      if (!layer->Bitmap) continue;
      w = std::max(w, layer->Bitmap->GetWidth());
      h = std::max(h, layer->Bitmap->GetHeight());
    }
    for (auto& layer : layers_) {
      TIEBitmap* b = layer->Bitmap;
      if (!b || (b->GetWidth() == w && b->GetHeight() == h)) continue;
      b->GetAlphaChannel();
      b->Resize(w, h, double(uint32_t(Background())), 0, 0, 0);
      TIEBitmap* alpha = b->GetAlphaChannel();
      if (alpha && (alpha->GetWidth() != w || alpha->GetHeight() != h)) alpha->Resize(w, h, 0, 0, 0, 0);
    }
  }
  SetExtent(w, h);
}
