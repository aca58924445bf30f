// The toolbar library's image list: the system list for drawing, and beside
// it the source bitmaps each image was made from, so that 32-bit images keep
// their alpha and the form file stores the sources.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/classes/collection.h"
#include "platform/vcl/imglist.h"
#include "ui/lookandfeel/cxGraphicsBitmaps.h"

class TcxImageList;

// One image's sources: the bitmap, its mask and the colour key it was added with.
class TcxImageInfo : public TPersistent {
  DX_CLASS(TcxImageInfo, TPersistent)
public:
  TcxImageInfo();
  ~TcxImageInfo() override;
  void Assign(TPersistent* source) override;
  // Copy the bitmap in and make its handle.
  virtual void AssignImage(TBitmap* bitmap);
  virtual void AssignMask(TBitmap* bitmap);

  TcxBitmap* Image() const { return image_.get(); }
  TcxBitmap* Mask() const { return mask_.get(); }
  TColor MaskColor() const { return maskColor_; }
  void SetMaskColor(TColor v) { maskColor_ = v; }
  // Whether the form file stores the two bitmaps compressed: both do.
  bool CompressData() const { return image_->CompressData() && mask_->CompressData(); }
  void SetCompressData(bool v);

private:
  std::unique_ptr<TcxBitmap> image_, mask_;
  TColor maskColor_ = clNone;
};

class TcxImageInfoItem : public TCollectionItem {
  DX_CLASS(TcxImageInfoItem, TCollectionItem)
public:
  // Takes the collection's CompressData.
  explicit TcxImageInfoItem(TCollection* collection);
  ~TcxImageInfoItem() override;
  void Assign(TPersistent* source) override;

  TcxImageInfo* ImageInfo() const { return info_.get(); }
  TBitmap* Image() const { return info_->Image(); }
  void SetImage(TBitmap* v) { info_->AssignImage(v); }
  TBitmap* Mask() const { return info_->Mask(); }
  void SetMask(TBitmap* v) { info_->AssignMask(v); }
  TColor MaskColor() const { return info_->MaskColor(); }
  void SetMaskColor(TColor v) { info_->SetMaskColor(v); }
  bool CompressData() const { return info_->CompressData(); }
  void SetCompressData(bool v) { info_->SetCompressData(v); }

private:
  std::unique_ptr<TcxImageInfo> info_;
};

class TcxImageInfoCollection : public TCollection {
  DX_CLASS(TcxImageInfoCollection, TCollection)
public:
  explicit TcxImageInfoCollection(TcxImageList* owner);
  TPersistent* GetOwner() override;
  TcxImageInfoItem* Items(int32_t index) const { return static_cast<TcxImageInfoItem*>(TCollection::Items(index)); }
  // A new item holding copies of the three values.
  void AddInfo(TBitmap* image, TBitmap* mask, TColor maskColor);
  // -1 clears the collection.
  void DeleteInfo(int32_t index);
  bool CompressData() const { return compressData_; }
  // Sets it on every item too.
  void SetCompressData(bool v);

private:
  TcxImageList* owner_;
  bool compressData_ = false;
};

class TcxImageList : public TDragImageList {
  DX_COMPONENT_CLASS(TcxImageList, TDragImageList)
public:
  explicit TcxImageList(TComponent* AOwner);
  ~TcxImageList() override;
  void Assign(TPersistent* source) override;

  // Changes inside reach OnChange and the change links once, at the outermost EndUpdate(true).
  void BeginUpdate();
  void EndUpdate(bool notify = true);

  // Without mask the image is fully opaque. The new index, or -1.
  int32_t AddBitmap(TBitmap* image, TBitmap* mask);
  // clNone: AddBitmap without mask. bitmap itself is left untouched.
  int32_t AddMasked(TBitmap* bitmap, TColor maskColor);
  // -1 deletes every image and every source.
  void Delete(int32_t index);
  void Clear() { Delete(-1); }
  int32_t AddFromInfo(TcxImageInfo* info);
  // Records the sources of what was just added: a bitmap of several cells
  // becomes one source per cell, row by row.
  void AddToImageInfos(TBitmap* image, TBitmap* mask, TColor maskColor);
  // Images first..last of another list; an index outside it adds nothing.
  void AddImageInfosFrom(TcxImageList* source, int32_t first, int32_t last);
  void AddImagesFrom(TCustomImageList* source, int32_t first, int32_t last);

  // Copies of image index's sources (either may be null); an index out of range does nothing.
  void GetImage(int32_t index, TBitmap* image, TBitmap* mask);
  // A system list's image index (-1: the whole strip) and its mask.
  static void ReadImageBitmaps(win::HIMAGELIST list, int32_t index, TBitmap* image, TBitmap* mask);
  // Bits per pixel of a system list's images; 0 for an empty list.
  static int32_t GetImageBitsPerPixel(win::HIMAGELIST list);
  // Draws image index into r: its own size centred, or stretched over r.
  void DrawImageInRect(int32_t index, TCanvas* canvas, const TRect& r, TDrawingStyle style, bool stretch, bool smooth,
                       bool enabled);

  TcxImageInfoCollection* ImageInfos() const { return infos_.get(); }
  bool CompressData() const { return infos_->CompressData(); }
  void SetCompressData(bool v) { infos_->SetCompressData(v); }
  bool AlphaBlending() const { return alphaBlending_; }
  int32_t FormatVersion() const { return formatVersion_; }

protected:
  void DefineProperties(TFiler* filer) override;
  void DoDraw(int32_t index, TCanvas* canvas, int32_t X, int32_t Y, TDrawingStyle style, TImageType type,
              bool enabled) override;
  void Change() override;

private:
  void ReadImageInfo(TReader& reader);
  void WriteImageInfo(TWriter& writer);
  // Rebuilds the system list from the sources.
  void SynchronizeImages();
  // One source per image of the system list.
  void InfosFromImages();

  std::unique_ptr<TcxImageInfoCollection> infos_;
  bool alphaBlending_ = true;
  int32_t lockCount_ = 0;
  bool synchronizing_ = false;
  int32_t formatVersion_ = 0;
};

// Both lists hold the same number of images, and none or byte-identical ones.
bool SameImageListContent(TCustomImageList* list1, TCustomImageList* list2);

// The published properties of the image list and its items.
void cxRegisterImageListClasses();
