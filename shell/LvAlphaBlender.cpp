#include "shell/LvAlphaBlender.h"

#include <memory>

#include "platform/gdi/gdi.h"
#include "platform/vcl/graphics.h"
#include "shell/LvOwner.h"
#include "shell/ShCommonUtilities.h"

namespace {

// Mode of AlphaBlendDC that lays a colour over the destination's own pixels.
constexpr int32_t BlendModeColor = 3;

// (0, 0, width, height) of the bitmap selected into dc; false without one.
bool SelectedBitmapExtent(win::HDC dc, TRect& extent) {
  win::HGDIOBJ bitmap = win::GetCurrentObject(dc, win::OBJ_BITMAP);
  if (!bitmap) return false;
  win::BITMAP info;
  if (win::GetObject(bitmap, int(sizeof info), &info) == 0) return false;
  extent = TRect(0, 0, info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight);
  return true;
}

}  // namespace

void TLvAlphaBlender::BlendRectangle(TLvOwnerListview* owner, TCanvas* canvas, bool viewCoordinates, int32_t alpha,
                                     TColor color, const TRect& rect) {
  if (!owner || !canvas || rect.IsEmpty()) return;
  win::HDC dc = canvas->Handle();
  TRect extent;
  if (!SelectedBitmapExtent(dc, extent)) return;
  TRect clipped;
  if (viewCoordinates) {
    if (!IntersectRect(clipped, rect, owner->ClientToViewRect(extent))) return;
    clipped = owner->ViewToClientRect(clipped);
  } else if (!IntersectRect(clipped, rect, owner->ClientRect())) {
    return;
  }
  AlphaBlendDC(nullptr, dc, clipped, clipped.TopLeft(), BlendModeColor, alpha, ColorToRGB(color));
}

TLvBlendSettings TLvAlphaBlender::BlendSettingsFor(TLvOwnerListview* owner, TLvCollectionItem* item) {
  TLvBlendSettings s;
  if (!owner || !item) return s;
  const bool focused = owner->Focused();
  if (!focused) {
    s.Alpha = owner->ImagesInactiveBlendAlpha();
    s.Color = owner->SelectionUnfocusedColor();
  } else if (item->Enabled()) {
    s.Alpha = owner->SelectionImageBlendAlpha();
    s.Color = owner->SelectionFocusedColor();
  } else {
    s.Alpha = owner->ImagesInactiveBlendAlpha();
    s.Color = owner->ImagesDisabledBlendColor();
  }
  s.Blend = item->Selected() || item->Highlighted() || (focused && !item->Enabled());
  return s;
}

void TLvAlphaBlender::DrawBlendedBitmap(TLvOwnerListview* owner, TLvCollectionItem* item, TBitmap* bitmap,
                                        const TRect& rect, TCanvas* canvas) {
  if (rect.IsEmpty() || !bitmap || !canvas) return;
  const TLvBlendSettings s = BlendSettingsFor(owner, item);
  const int32_t x = rect.Left + (rect.Width() - bitmap->Width()) / 2;
  const int32_t y = rect.Top + (rect.Height() - bitmap->Height()) / 2;
  if (!s.Blend || !HasMMX()) {
    canvas->Draw(x, y, bitmap);
    return;
  }
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(bitmap);
  copy->SetPixelFormat(pf32bit);
  copy->SetTransparentMode(bitmap->TransparentMode());
  copy->SetTransparentColor(bitmap->TransparentColor());
  copy->SetTransparent(true);
  AlphaBlendDC(nullptr, copy->Canvas()->Handle(), TRect(0, 0, copy->Width(), copy->Height()), TPoint(0, 0),
               BlendModeColor, s.Alpha, ColorToRGB(s.Color));
  canvas->Draw(x, y, copy.get());
}

TLvCanvasStore::TLvCanvasStore() = default;
TLvCanvasStore::~TLvCanvasStore() = default;

void TLvCanvasStore::SaveCanvas(TCanvas* canvas) {
  if (!brush_) brush_ = std::make_unique<TBrush>();
  if (!font_) font_ = std::make_unique<TFont>();
  if (!pen_) pen_ = std::make_unique<TPen>();
  pen_->Assign(canvas->Pen());
  brush_->Assign(canvas->Brush());
  font_->Assign(canvas->Font());
}

void TLvCanvasStore::RestoreCanvas(TCanvas* canvas) {
  canvas->SetPen(pen_.get());
  canvas->SetBrush(brush_.get());
  canvas->SetFont(font_.get());
}
