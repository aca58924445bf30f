// Cross-fading of hot-tracked elements between their normal and hot
// pictures. One fader runs every fade from one 10 ms timer and keeps at most
// 10 alive: starting another finishes the oldest. Fading needs GDI+, a screen
// deeper than 16 bits and, by default, the system's menu animation; without
// them an element simply switches pictures.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rtl/types.h"
#include "ui/lookandfeel/cxClasses.h"

// The device-context handle of platform/gdi/gdi.h, declared alike.
namespace win {
struct DeviceContext;
using HDC = DeviceContext*;
}  // namespace win

class TBitmap;
class TTimer;
class TdxGPImage;
class TdxFader;

// What a running fade offers the element it animates.
class IdxFadingElementData {
public:
  // Draws the current frame stretched into rect; False when there is none.
  virtual bool DrawFrame(win::HDC dc, const TRect& rect) = 0;
  // The current frame itself (not a copy); False when there is none.
  virtual bool GetFrame(TdxGPImage*& image) = 0;

protected:
  ~IdxFadingElementData() = default;
};

// An element that can fade.
class IdxFadingObject {
public:
  virtual bool CanFade() = 0;
  // A new frame is ready: the element repaints itself.
  virtual void FadeFrameChanged() = 0;
  // data is valid until EndFade.
  virtual void BeginFade(IdxFadingElementData* data) = 0;
  virtual void EndFade() = 0;
  // Makes the two pictures (the fader frees them); the timing values arrive
  // holding the defaults and may be changed.
  virtual void GetFadeBitmaps(std::unique_ptr<TBitmap>& normalBitmap, std::unique_ptr<TBitmap>& hotBitmap,
                              int32_t& fadeOutDelay, int32_t& fadeOutFrames, int32_t& fadeInDelay,
                              int32_t& fadeInFrames) = 0;

protected:
  ~IdxFadingObject() = default;
};

// Fading in goes from the normal toward the hot picture.
enum TdxFadingDirection : uint8_t { fdIn, fdOut };

constexpr int32_t dxFadeInDefaultFrames = 4, dxFadeInDefaultDelay = 15, dxFadeOutDefaultFrames = 12,
                  dxFadeOutDefaultDelay = 20;

class TdxFadingElement : public TcxIUnknownObject, public IdxFadingElementData {
  DX_CLASS(TdxFadingElement, TcxIUnknownObject)
public:
  // Takes the two pictures, which must be of one size; the timing values are
  // normalised. Tells the object BeginFade and shows the starting picture.
  TdxFadingElement(TdxFader* fader, TObject* element, int32_t fadeInFrames, int32_t fadeInDelay,
                   int32_t fadeOutFrames, int32_t fadeOutDelay, std::unique_ptr<TdxGPImage> normal,
                   std::unique_ptr<TdxGPImage> hot, TdxFadingDirection direction);
  // Shows the end picture, leaves the fader's list and tells the object EndFade
  // (not a destroying object: see TdxFader::RemoveObject).
  ~TdxFadingElement() override;

  bool DrawFrame(win::HDC dc, const TRect& rect) override;
  bool GetFrame(TdxGPImage*& image) override;

  TObject* Element() const { return element_; }
  TdxFadingDirection Direction() const { return direction_; }
  int32_t Stage() const { return stage_; }
  int32_t FadeInFrames() const { return fadeInFrames_; }
  int32_t FadeInDelay() const { return fadeInDelay_; }
  int32_t FadeOutFrames() const { return fadeOutFrames_; }
  int32_t FadeOutDelay() const { return fadeOutDelay_; }
  // Turns around from the picture shown: the stage maps onto the other direction's frames.
  void SetDirection(TdxFadingDirection direction);
  // One timer tick; the element is freed when its fade is complete.
  void Tick();
  void ObjectDestroying() { objectDestroying_ = true; }

private:
  void ResetDelay();
  void SetFrame(std::unique_ptr<TdxGPImage> frame);

  TdxFader* fader_;
  int32_t fadeInFrames_, fadeInDelay_, fadeOutFrames_, fadeOutDelay_;
  int32_t delayCount_ = 1, delayIndex_ = 0;
  TObject* element_;
  IdxFadingObject* fadingObject_;
  std::unique_ptr<TdxGPImage> normal_, hot_, frame_;
  int32_t stage_ = 0;
  TdxFadingDirection direction_;
  bool objectDestroying_ = false;
};

// The running fades, oldest first.
using TdxFadingList = std::vector<TdxFadingElement*>;

class TdxFader : public TObject {
  DX_CLASS(TdxFader, TObject)
public:
  TdxFader();
  ~TdxFader() override;

  void FadeIn(TObject* object) { Fade(object, fdIn); }
  void FadeOut(TObject* object) { Fade(object, fdOut); }
  // Turns a running fade of the object around, or starts one.
  void Fade(TObject* object, TdxFadingDirection direction);
  // Ends the object's fade. A destroying object is not called back.
  void RemoveObject(TObject* object, bool objectDestroying = false);
  bool IsFadingAvailable() const;
  // Frees every running fade.
  void Clear();

  // 0 follows the system's menu animation, 1 always fades, anything else never.
  uint8_t Mode() const { return mode_; }
  const TdxFadingList& List() const { return list_; }
  TdxFadingElement* Find(TObject* object) const;
  // The 10 ms timer, running while fades do.
  const TTimer& Timer() const { return *timer_; }
  static constexpr size_t MaxActiveFadingElements = 10;

private:
  friend class TdxFadingElement;
  void StartFade(TObject* object, TdxFadingDirection direction);
  void CheckLimit();
  void Remove(TdxFadingElement* element);
  void TimerHandler();

  uint8_t mode_ = 0;
  TdxFadingList list_;
  std::unique_ptr<TTimer> timer_;
};

// Holds what BeginFade gives until EndFade. A descendant says whether its
// element can fade, repaints it and makes its pictures.
class TdxFadingObjectHelper : public TcxIUnknownObject, public IdxFadingObject {
  DX_CLASS(TdxFadingObjectHelper, TcxIUnknownObject)
public:
  bool CanFade() override { return false; }
  void FadeFrameChanged() override {}
  void GetFadeBitmaps(std::unique_ptr<TBitmap>&, std::unique_ptr<TBitmap>&, int32_t&, int32_t&, int32_t&,
                      int32_t&) override {}
  void BeginFade(IdxFadingElementData* data) override { data_ = data; }
  void EndFade() override { data_ = nullptr; }
  bool IsEmpty() const { return data_ == nullptr; }
  bool DrawFrame(win::HDC dc, const TRect& rect) { return data_ && data_->DrawFrame(dc, rect); }

private:
  IdxFadingElementData* data_ = nullptr;
};

// The process-wide fader (null outside start-up and shut-down of the unit).
TdxFader* dxFader();
void dxFadingUnitStart();
void dxFadingUnitStop();
