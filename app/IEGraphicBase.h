// TIEGraphicBase: the image library's picture adapter for the framework's
// picture container. A graphic that owns a TIEBitmap and a TVovidErIO aimed
// at it; descendants read into that bitmap with that component's parameters.
#pragma once

#include <cstdint>
#include <memory>

#include "imaging/core/iebitmap.h"
#include "imaging/io/vovideriocomp.h"
#include "platform/vcl/graphics.h"

class TIEGraphicBase : public TGraphic {
  DX_CLASS(TIEGraphicBase, TGraphic)
public:
  TIEGraphicBase();
  ~TIEGraphicBase() override;
  TIEGraphicBase(const TIEGraphicBase&) = delete;
  TIEGraphicBase& operator=(const TIEGraphicBase&) = delete;

  TIEBitmap* IEBitmap() const { return bitmap_.get(); }
  TVovidErIO* IO() const { return io_.get(); }

  // Copies pixels and parameters of another TIEGraphicBase.
  void Assign(TPersistent* source) override;

  bool Empty() const override;
  int32_t Width() const override;
  int32_t Height() const override;
  // Keep the pixels of the common area; on an empty graphic they only record the size.
  void SetWidth(int32_t width) override;
  void SetHeight(int32_t height) override;

  // Draws the bitmap stretched into rect (nearest pixel).
  void Draw(TCanvas* canvas, const TRect& rect) override;

  // Any format the library recognises by content; EInvalidGraphic when none
  // does or the reader fails.
  void LoadFromStream(TStream& stream) override;
  // No writer is wired to the picture container: EInvalidGraphicOperation.
  void SaveToStream(TStream& stream) override;

private:
  // Declared before io_ so that the component, which points at it, dies first.
  std::unique_ptr<TIEBitmap> bitmap_;
  std::unique_ptr<TVovidErIO> io_;
};
