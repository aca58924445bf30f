#include "app/IEGraphicBase.h"

#include "imaging/io/iestreamload.h"
#include "platform/classes/streams.h"

TIEGraphicBase::TIEGraphicBase()
    : bitmap_(std::make_unique<TIEBitmap>()), io_(TVovidErIO::CreateFromBitmap(bitmap_.get())) {}

TIEGraphicBase::~TIEGraphicBase() = default;

void TIEGraphicBase::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TIEGraphicBase*>(source);
  if (!other) {
    TGraphic::Assign(source);
    return;
  }
  if (other == this) return;
  bitmap_->Assign(other->bitmap_.get());
  io_->Params().Assign(&other->io_->Params());
  Changed(this);
}

bool TIEGraphicBase::Empty() const { return bitmap_->IsEmpty(); }
int32_t TIEGraphicBase::Width() const { return bitmap_->GetWidth(); }
int32_t TIEGraphicBase::Height() const { return bitmap_->GetHeight(); }

void TIEGraphicBase::SetWidth(int32_t width) {
  if (width == Width()) return;
  bitmap_->SetWidth(width);
  Changed(this);
}

void TIEGraphicBase::SetHeight(int32_t height) {
  if (height == Height()) return;
  bitmap_->SetHeight(height);
  Changed(this);
}

void TIEGraphicBase::Draw(TCanvas* canvas, const TRect& rect) {
  if (!canvas || Empty() || rect.Width() <= 0 || rect.Height() <= 0) return;
  // The library renders only into 24-bit platform bitmaps, which then blit onto any canvas.
  TBitmap frame(rect.Width(), rect.Height());
  frame.SetPixelFormat(pf24bit);
  bitmap_->DrawToTBitmap(frame, 0, 0, rect.Width(), rect.Height(), 0, 0, Width(), Height(), 255, rfNone, 0);
  frame.Draw(canvas, rect);
}

void TIEGraphicBase::LoadFromStream(TStream& stream) {
  if (IEDetectStreamFormat(stream) == ioUnknown) throw EInvalidGraphic("Unsupported picture format");
  io_->LoadFromStream(stream);
  if (io_->Aborting() || bitmap_->IsEmpty()) throw EInvalidGraphic("The picture could not be read");
  Changed(this);
}

void TIEGraphicBase::SaveToStream(TStream&) {
  throw EInvalidGraphicOperation("Saving is not supported for this picture class");
}
