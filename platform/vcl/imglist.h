// TCustomImageList / TImageList: a list of equally sized images drawn by
// index, each with a transparency mask or an alpha channel.
//
// Images are held as 32-bit pixels with straight alpha: a masked image keeps
// alpha 0 where its mask is set and 255 elsewhere, a 32-bit image its own
// alpha. Drawing blends them onto the canvas.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/classes/component.h"
#include "platform/gdi/imagelist.h"
#include "platform/vcl/graphics.h"

class TStream;

class TCustomImageList;

// Tells its owner when the image list it watches changes.
class TChangeLink : public TObject {
public:
  ~TChangeLink() override;
  TCustomImageList* Sender() const { return sender_; }
  void SetSender(TCustomImageList* sender) { sender_ = sender; }
  virtual void Change();
  TNotifyEvent OnChange;

private:
  TCustomImageList* sender_ = nullptr;
};

enum TDrawingStyle : uint8_t { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType : uint8_t { itImage, itMask };
enum TColorDepth : uint8_t { cdDefault, cdDeviceDependent, cd4Bit, cd8Bit, cd16Bit, cd24Bit, cd32Bit };

class TCustomImageList : public TComponent {
  DX_COMPONENT_CLASS(TCustomImageList, TComponent)
public:
  explicit TCustomImageList(TComponent* AOwner);
  // An empty list of images of the given size.
  TCustomImageList(int32_t AWidth, int32_t AHeight);
  ~TCustomImageList() override;
  void Assign(TPersistent* source) override;

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  // Changing the size clears the list.
  void SetWidth(int32_t v);
  void SetHeight(int32_t v);
  void SetSize(int32_t w, int32_t h);
  int32_t Count() const;
  bool Masked() const { return masked_; }
  void SetMasked(bool v) { masked_ = v; }
  // Background drawn under the images (clNone: transparent).
  TColor BkColor() const { return bkColor_; }
  void SetBkColor(TColor v);
  // Colour blended in for dsFocus (25 %) and dsSelected (50 %); clNone: none.
  TColor BlendColor() const { return blendColor_; }
  void SetBlendColor(TColor v);
  TDrawingStyle DrawingStyle() const { return drawingStyle_; }
  void SetDrawingStyle(TDrawingStyle v);
  TImageType ImageType() const { return imageType_; }
  void SetImageType(TImageType v) { imageType_ = v; }
  TColorDepth ColorDepth() const { return colorDepth_; }
  void SetColorDepth(TColorDepth v) { colorDepth_ = v; }
  int32_t AllocBy() const { return allocBy_; }
  void SetAllocBy(int32_t v) { allocBy_ = v; }

  // The system list behind the images.
  win::HIMAGELIST Handle() const { return handle_; }
  // Takes the list (owned unless ShareImages); its cell size becomes the list's.
  void SetHandle(win::HIMAGELIST handle);
  bool HandleAllocated() const { return handle_ != nullptr; }
  // A shared system list is not destroyed with this object.
  bool ShareImages() const { return shareImages_; }
  void SetShareImages(bool v) { shareImages_ = v; }

  // Links hear of every change that reaches OnChange.
  void RegisterChanges(TChangeLink* link);
  void UnRegisterChanges(TChangeLink* link);

  // Adds one image per Width-wide strip of image; mask (1 bit or any: black
  // = opaque, white = transparent) may be null. A 32-bit image with
  // afDefined/afPremultiplied alpha keeps its alpha. Returns the index of
  // the first image added, -1 when the image is empty.
  int32_t Add(TBitmap* image, TBitmap* mask);
  // The pixels of maskColor become transparent (clDefault: the bottom-left pixel's colour).
  int32_t AddMasked(TBitmap* image, TColor maskColor);
  int32_t AddIcon(TIcon* icon);
  // Adds every image of another list (scaled when sizes differ).
  void AddImages(TCustomImageList* value);
  void Insert(int32_t index, TBitmap* image, TBitmap* mask);
  void InsertMasked(int32_t index, TBitmap* image, TColor maskColor);
  void InsertIcon(int32_t index, TIcon* icon);
  void Replace(int32_t index, TBitmap* image, TBitmap* mask);
  void ReplaceMasked(int32_t index, TBitmap* newImage, TColor maskColor);
  void ReplaceIcon(int32_t index, TIcon* icon);
  void Delete(int32_t index);
  void Move(int32_t curIndex, int32_t newIndex);
  void Clear();

  // Draws image index at (X, Y); disabled images are drawn greyed. An index
  // out of range draws nothing.
  void Draw(TCanvas* canvas, int32_t X, int32_t Y, int32_t index, bool enabled = true);
  void Draw(TCanvas* canvas, int32_t X, int32_t Y, int32_t index, TDrawingStyle style, TImageType type,
            bool enabled = true);
  // Stretched into a rectangle.
  void StretchDraw(TCanvas* canvas, const TRect& rect, int32_t index, bool enabled = true);
  void DrawOverlay(TCanvas* canvas, int32_t X, int32_t Y, int32_t imageIndex, int32_t overlay, bool enabled = true);
  // Copies image index into a bitmap: 32 bits with its alpha (afDefined).
  // False for an index out of range.
  bool GetBitmap(int32_t index, TBitmap* image);
  // The image's mask: 1 bit, black opaque, white transparent.
  bool GetMask(int32_t index, TBitmap* mask);
  bool GetIcon(int32_t index, TIcon* icon);
  // Straight-alpha pixels (0xAARRGGBB), Width * Height, row 0 at the top.
  const std::vector<uint32_t>& Pixels(int32_t index) const;

  void BeginUpdate();
  void EndUpdate();
  TNotifyEvent OnChange;

protected:
  virtual void Change();
  // Every Draw ends here.
  virtual void DoDraw(int32_t index, TCanvas* canvas, int32_t X, int32_t Y, TDrawingStyle style, TImageType type,
                      bool enabled);

private:
  // The system list's cells.
  std::vector<std::vector<uint32_t>>& Images() const;
  std::vector<uint32_t> FromBitmap(TBitmap* image, int32_t strip, TBitmap* mask, bool useMaskColor,
                                   TColor maskColor);
  void CheckIndex(int32_t index, bool allowEnd = false) const;
  void DrawPixels(TCanvas* canvas, const TRect& dest, const std::vector<uint32_t>& px, TDrawingStyle style,
                  TImageType type, bool enabled);

  int32_t width_ = 16;
  int32_t height_ = 16;
  bool masked_ = true;
  TColor bkColor_ = clNone;
  TColor blendColor_ = clNone;
  TDrawingStyle drawingStyle_ = dsNormal;
  TImageType imageType_ = itImage;
  TColorDepth colorDepth_ = cdDeviceDependent;
  int32_t allocBy_ = 4;
  int32_t updateCount_ = 0;
  bool changed_ = false;
  bool shareImages_ = false;
  win::HIMAGELIST handle_ = nullptr;
  std::vector<TChangeLink*> links_;
};

// An image list that can name the image shown while dragging.
class TDragImageList : public TCustomImageList {
  DX_COMPONENT_CLASS(TDragImageList, TCustomImageList)
public:
  using TCustomImageList::TCustomImageList;
  // False for an index out of range.
  bool SetDragImage(int32_t index, int32_t hotSpotX, int32_t hotSpotY);
  int32_t DragIndex() const { return dragIndex_; }
  TPoint DragHotspot() const { return dragHotspot_; }

private:
  int32_t dragIndex_ = -1;
  TPoint dragHotspot_;
};

class TImageList : public TDragImageList {
  DX_COMPONENT_CLASS(TImageList, TDragImageList)
public:
  using TDragImageList::TDragImageList;
};

// The list's published properties (Width, Height, Masked, BkColor, ...).
void RegisterImageListClasses();
