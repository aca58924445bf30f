#include "ui/lookandfeel/dxFading.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/gdi/gdi.h"
#include "platform/vcl/graphics.h"
#include "platform/vcl/timers.h"
#include "platform/win/winuser.h"
#include "ui/lookandfeel/cxGraphics.h"
#include "ui/lookandfeel/dxGDIPlusAPI.h"
#include "ui/lookandfeel/dxGDIPlusClasses.h"

using namespace win;

namespace {

std::unique_ptr<TdxFader> fader;

int32_t NormalFrames(int32_t frames, int32_t byDefault) { return frames > 0 ? std::min(frames, 32) : byDefault; }
int32_t NormalDelay(int32_t delay, int32_t byDefault) { return delay >= 10 ? std::min(delay, 300) : byDefault; }

// A picture as an image of the image class. Coloured pixels that a 32-bit
// bitmap left transparent count as opaque (drawn without alpha).
std::unique_ptr<TdxGPImage> ImageOf(TBitmap& bitmap) {
  std::unique_ptr<TdxGPImage> image = dxNewGPImage();
  TdxRGBColors pixels;
  if (!dxGetBitmapBits(bitmap, pixels)) return image;
  for (RGBQUAD& p : pixels)
    if (p.rgbReserved == 0 && (p.rgbBlue | p.rgbGreen | p.rgbRed) != 0) p.rgbReserved = 255;
  image->CreateFromBits(bitmap.Width(), bitmap.Height(), pixels, bitmap.PixelFormat() == pf32bit);
  return image;
}

}  // namespace

// ---------------------------------------------------------------- TdxFadingElement

TdxFadingElement::TdxFadingElement(TdxFader* fader, TObject* element, int32_t fadeInFrames, int32_t fadeInDelay,
                                   int32_t fadeOutFrames, int32_t fadeOutDelay, std::unique_ptr<TdxGPImage> normal,
                                   std::unique_ptr<TdxGPImage> hot, TdxFadingDirection direction)
    : fader_(fader),
      fadeInFrames_(NormalFrames(fadeInFrames, dxFadeInDefaultFrames)),
      fadeInDelay_(NormalDelay(fadeInDelay, dxFadeInDefaultDelay)),
      fadeOutFrames_(NormalFrames(fadeOutFrames, dxFadeOutDefaultFrames)),
      fadeOutDelay_(NormalDelay(fadeOutDelay, dxFadeOutDefaultDelay)),
      element_(element),
      fadingObject_(dynamic_cast<IdxFadingObject*>(element)),
      normal_(std::move(normal)),
      hot_(std::move(hot)),
      direction_(direction) {
  ResetDelay();
  fadingObject_->BeginFade(this);
  SetFrame(direction_ == fdOut ? hot_->Clone() : normal_->Clone());
}

TdxFadingElement::~TdxFadingElement() {
  if (!objectDestroying_) SetFrame(direction_ == fdOut ? normal_->Clone() : hot_->Clone());
  fader_->Remove(this);
  if (!objectDestroying_) fadingObject_->EndFade();
}

void TdxFadingElement::ResetDelay() {
  delayCount_ = std::max((direction_ == fdIn ? fadeInDelay_ : fadeOutDelay_) / 10, 1);
  delayIndex_ = 0;
}

void TdxFadingElement::SetFrame(std::unique_ptr<TdxGPImage> frame) {
  std::unique_ptr<TdxGPImage> previous = std::exchange(frame_, std::move(frame));
  fadingObject_->FadeFrameChanged();
}

bool TdxFadingElement::DrawFrame(HDC dc, const TRect& rect) {
  if (!frame_) return false;
  frame_->DrawToDC(dc, rect);
  return true;
}

bool TdxFadingElement::GetFrame(TdxGPImage*& image) {
  image = frame_.get();
  return image != nullptr;
}

void TdxFadingElement::SetDirection(TdxFadingDirection direction) {
  if (direction == direction_) return;
  // Banker's rounding, as the platform's Round does: nearbyint in the default mode.
  if (direction_ == fdIn)
    stage_ = int32_t(std::nearbyint((1.0 - double(stage_) / (fadeInFrames_ + 1)) * fadeOutFrames_));
  else
    stage_ = int32_t(std::nearbyint((1.0 - double(stage_) / (fadeOutFrames_ + 1)) * fadeInFrames_));
  direction_ = direction;
  ResetDelay();
}

void TdxFadingElement::Tick() {
  delayIndex_ = (delayIndex_ + 1) % delayCount_;
  if (delayIndex_ != 0) return;
  if (stage_ >= (direction_ == fdIn ? fadeInFrames_ : fadeOutFrames_)) {
    delete this;
    return;
  }
  ++stage_;
  const int32_t alpha = direction_ == fdIn ? std::min(255, (256 / fadeInFrames_) * stage_)
                                           : std::max(0, 255 - (256 / fadeOutFrames_) * stage_);
  SetFrame(normal_->BlendWith(*hot_, uint8_t(alpha)));
}

// ---------------------------------------------------------------- TdxFader

TdxFader::TdxFader() : timer_(std::make_unique<TTimer>(nullptr)) {
  timer_->SetEnabled(false);
  timer_->SetInterval(10);
  timer_->SetOnTimer([this](TObject*) { TimerHandler(); });
}

TdxFader::~TdxFader() {
  Clear();
  timer_.reset();
}

bool TdxFader::IsFadingAvailable() const {
  bool allowed = mode_ == 1;
  if (mode_ == 0) {
    BOOL animation = FALSE;
    allowed = SystemParametersInfo(SPI_GETMENUANIMATION, 0, &animation, 0) && (animation & 0xFF) != 0;
  }
  if (!allowed || !GdiPlusAvailable()) return false;
  TcxScreenCanvas* screen = ScreenCanvas();  // null once the graphics unit has shut down
  return screen && GetDeviceCaps(screen->Handle(), BITSPIXEL) > 16;
}

TdxFadingElement* TdxFader::Find(TObject* object) const {
  for (TdxFadingElement* element : list_)
    if (element->Element() == object) return element;
  return nullptr;
}

void TdxFader::Fade(TObject* object, TdxFadingDirection direction) {
  IdxFadingObject* fading = dynamic_cast<IdxFadingObject*>(object);
  if (!fading || !IsFadingAvailable() || !fading->CanFade()) return;
  if (TdxFadingElement* running = Find(object))
    running->SetDirection(direction);
  else
    StartFade(object, direction);
}

void TdxFader::StartFade(TObject* object, TdxFadingDirection direction) {
  std::unique_ptr<TBitmap> normalBitmap, hotBitmap;
  int32_t fadeOutDelay = dxFadeOutDefaultDelay, fadeOutFrames = dxFadeOutDefaultFrames,
          fadeInDelay = dxFadeInDefaultDelay, fadeInFrames = dxFadeInDefaultFrames;
  dynamic_cast<IdxFadingObject*>(object)->GetFadeBitmaps(normalBitmap, hotBitmap, fadeOutDelay, fadeOutFrames,
                                                         fadeInDelay, fadeInFrames);
  if (!normalBitmap || !hotBitmap || normalBitmap->Empty() || hotBitmap->Empty()) return;
  // Pictures of two sizes cannot be blended into one frame.
  if (normalBitmap->Width() != hotBitmap->Width() || normalBitmap->Height() != hotBitmap->Height()) return;
  std::unique_ptr<TdxGPImage> normal = ImageOf(*normalBitmap), hot = ImageOf(*hotBitmap);
  if (normal->Empty() || hot->Empty()) return;  // the null image class: nothing to blend
  list_.push_back(new TdxFadingElement(this, object, fadeInFrames, fadeInDelay, fadeOutFrames, fadeOutDelay,
                                       std::move(normal), std::move(hot), direction));
  CheckLimit();
}

void TdxFader::RemoveObject(TObject* object, bool objectDestroying) {
  if (TdxFadingElement* element = Find(object)) {
    if (objectDestroying) element->ObjectDestroying();
    delete element;
  }
}

void TdxFader::Clear() {
  while (!list_.empty()) delete list_.front();
}

void TdxFader::CheckLimit() {
  while (list_.size() > MaxActiveFadingElements) delete list_.front();
  timer_->SetEnabled(!list_.empty());
}

void TdxFader::Remove(TdxFadingElement* element) {
  auto it = std::find(list_.begin(), list_.end(), element);
  if (it == list_.end()) return;
  list_.erase(it);
  CheckLimit();
}

void TdxFader::TimerHandler() {
  // A tick may end its own element (or, through the object, others): recheck the index.
  for (size_t i = list_.size(); i-- > 0;)
    if (i < list_.size()) list_[i]->Tick();
}

TdxFader* dxFader() { return fader.get(); }
void dxFadingUnitStart() { fader = std::make_unique<TdxFader>(); }
void dxFadingUnitStop() { fader.reset(); }
