// The list-view painters' helpers: an alpha blender that tints rectangles and
// element images by the element's state, and a store that keeps a canvas's
// pen, brush and font across a view's painting.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/rtl/types.h"
#include "shell/LvCollection.h"

class TBitmap;
class TBrush;
class TCanvas;
class TFont;
class TPen;
class TLvOwnerListview;

struct TLvBlendSettings {
  bool Blend = false;
  TColor Color = 0;
  int32_t Alpha = 0;
};

class TLvAlphaBlender : public TLvPersistent {
  DX_CLASS(TLvAlphaBlender, TLvPersistent)
public:
  // Blends colour over rect of the canvas's selected bitmap with a constant
  // alpha (0..255). In view coordinates rect is clipped to the bitmap's extent
  // seen from the view; otherwise to the owner's client rectangle. Nothing
  // happens without a bitmap in the canvas's device context.
  virtual void BlendRectangle(TLvOwnerListview* owner, TCanvas* canvas, bool viewCoordinates, int32_t alpha,
                              TColor color, const TRect& rect);
  // Draws bitmap centred in rect, tinted as BlendSettingsFor says.
  virtual void DrawBlendedBitmap(TLvOwnerListview* owner, TLvCollectionItem* item, TBitmap* bitmap, const TRect& rect,
                                 TCanvas* canvas);
  TLvBlendSettings BlendSettingsFor(TLvOwnerListview* owner, TLvCollectionItem* item);
};

class TLvCanvasStore : public TObject {
  DX_CLASS(TLvCanvasStore, TObject)
public:
  TLvCanvasStore();
  ~TLvCanvasStore() override;
  void SaveCanvas(TCanvas* canvas);
  // Only after a SaveCanvas.
  void RestoreCanvas(TCanvas* canvas);

private:
  std::unique_ptr<TBrush> brush_;
  std::unique_ptr<TFont> font_;
  std::unique_ptr<TPen> pen_;
};
