// Where an element's data comes from, written once for items, groups and
// columns: kept in a dynamic data helper (stored), asked of the owner
// (virtual), or asked of the object behind the data interface (interfaced).
// Each kind derives its variants from these with its own base class.
#pragma once

#include <cstdint>
#include <string>

#include "shell/LvCollection.h"
#include "shell/LvDataHelpers.h"

// Custom image drawing answered by the owner.
template <class Base>
class TLvOwnerDrawnImage : public Base {
public:
  using Base::Base;
  void ImageDraw(int32_t column, TCanvas* canvas, const TRect& rect, TLvAlphaBlender* blender) override {
    if (TLvOwnerListview* owner = this->OwnerListview()) owner->DataImageDraw(this, column, canvas, rect, blender);
  }
  void ImageDrawGetSize(int32_t column, int32_t& width, int32_t& height) override {
    if (TLvOwnerListview* owner = this->OwnerListview()) owner->DataImageGetSize(this, column, width, height);
  }
  void ImageDrawIsCustom(int32_t column, bool& isCustom) override {
    isCustom = false;
    if (TLvOwnerListview* owner = this->OwnerListview()) owner->DataImageIsCustom(this, column, isCustom);
  }
};

// Stored data: captions, images, overlays and details in the helper; the
// detail count is the kind's shared paint info's.
template <class Base, class Helper = TLvDynamicDataHelper>
class TLvHelperData : public TLvOwnerDrawnImage<Base> {
public:
  using TLvOwnerDrawnImage<Base>::TLvOwnerDrawnImage;
  Helper& DataHelper() { return helper_; }

  std::string GetCaptions(int32_t column) override { return helper_.Caption(column); }
  void SetCaptions(int32_t column, const std::string& value) override {
    helper_.SetCaption(column, value);
    this->Invalidate(false);
  }
  int32_t GetImageIndexes(int32_t column) override { return helper_.ImageIndex(column); }
  void SetImageIndexes(int32_t column, int32_t value) override {
    helper_.SetImageIndex(column, value);
    this->Invalidate(false);
  }
  int32_t GetImageOverlayIndexes(int32_t column) override { return helper_.OverlayIndex(column); }
  void SetImageOverlayIndexes(int32_t column, int32_t value) override {
    helper_.SetOverlayIndex(column, value);
    this->Invalidate(false);
  }
  TCustomImageList* GetImageList(int32_t, int32_t imageSize) override { return this->GetDefaultImageList(imageSize); }
  int32_t GetDetailCount() override {
    TLvPaintInfoBasic* info = this->GetDefaultPaintInfo();
    return info ? info->DetailCount : 0;
  }
  void SetDetailCount(int32_t value) override {
    TLvPaintInfoBasic* info = this->GetDefaultPaintInfo();
    if (!info || info->DetailCount == value) return;
    info->DetailCount = value;
    if (TLvOwnerListview* owner = this->OwnerListview()) owner->InvalidateWindow();
  }
  int32_t GetDetails(int32_t index) override { return helper_.Detail(index); }
  void SetDetails(int32_t index, int32_t value) override {
    helper_.SetDetail(index, value);
    this->Invalidate(false);
  }
  // The helper's record follows the kind's.
  void LoadFromStream(TStream* stream, int32_t& version) override {
    Base::LoadFromStream(stream, version);
    helper_.LoadFromStream(stream, version);
  }
  void SaveToStream(TStream* stream, int32_t version) override {
    Base::SaveToStream(stream, version);
    helper_.SaveToStream(stream, version);
  }

protected:
  Helper helper_;
};

// Virtual data: every value asked of the owner. Items name the column they
// ask for; groups and columns ask without one (-1).
template <class Base, bool WithColumn>
class TLvOwnerData : public TLvOwnerDrawnImage<Base> {
public:
  using TLvOwnerDrawnImage<Base>::TLvOwnerDrawnImage;

  std::string GetCaptions(int32_t column) override {
    std::string caption;
    if (TLvOwnerListview* owner = this->OwnerListview()) owner->DataGetCaption(this, Col(column), caption);
    return caption;
  }
  void SetCaptions(int32_t column, const std::string& value) override {
    if (TLvOwnerListview* owner = this->OwnerListview()) owner->DataSetCaption(this, Col(column), value);
    this->Invalidate(false);
  }
  int32_t GetImageIndexes(int32_t column) override { return AskImage(column, LvImageKindImage); }
  void SetImageIndexes(int32_t column, int32_t value) override { TellImage(column, LvImageKindImage, value); }
  int32_t GetImageOverlayIndexes(int32_t column) override { return AskImage(column, LvImageKindOverlay); }
  void SetImageOverlayIndexes(int32_t column, int32_t value) override {
    TellImage(column, LvImageKindOverlay, value);
  }
  TCustomImageList* GetImageList(int32_t column, int32_t imageSize) override {
    TCustomImageList* list = nullptr;
    if (TLvOwnerListview* owner = this->OwnerListview()) owner->DataGetImageList(this, Col(column), imageSize, list);
    return list ? list : this->GetDefaultImageList(imageSize);
  }
  int32_t GetDetailCount() override {
    int32_t count = 0;
    if (TLvOwnerListview* owner = this->OwnerListview()) owner->DataGetDetailCount(this, count);
    return count;
  }
  void SetDetailCount(int32_t value) override {
    if (TLvOwnerListview* owner = this->OwnerListview()) owner->DataSetDetailCount(this, value);
    this->Invalidate(false);
  }
  int32_t GetDetails(int32_t index) override {
    int32_t value = 0;
    if (TLvOwnerListview* owner = this->OwnerListview()) owner->DataGetDetail(this, index, value);
    return value;
  }
  void SetDetails(int32_t index, int32_t value) override {
    if (TLvOwnerListview* owner = this->OwnerListview()) owner->DataSetDetail(this, index, value);
    this->Invalidate(false);
  }

protected:
  static int32_t Col(int32_t column) { return WithColumn ? column : -1; }
  int32_t AskImage(int32_t column, int32_t kind) {
    int32_t index = -1;
    if (TLvOwnerListview* owner = this->OwnerListview()) owner->DataGetImageIndex(this, Col(column), kind, index);
    return index;
  }
  void TellImage(int32_t column, int32_t kind, int32_t value) {
    if (TLvOwnerListview* owner = this->OwnerListview()) owner->DataSetImageIndex(this, Col(column), kind, value);
    this->Invalidate(false);
  }
};

// Interfaced data: asked of the object behind the data interface; a missing
// interface gives the absent value. Items count one detail and do not repaint
// for a new image index when the object has no details or images to say.
template <class Base, int32_t AbsentDetailCount, bool RepaintOnImage>
class TLvSourceData : public Base {
public:
  using Base::Base;

  std::string GetCaptions(int32_t column) override { return LvSourceCaption(this->DataInterface(), column); }
  void SetCaptions(int32_t column, const std::string& value) override {
    if (LvSourceSetCaption(this->DataInterface(), column, value)) this->Invalidate(false);
  }
  int32_t GetImageIndexes(int32_t column) override {
    return LvSourceImageIndex(this->DataInterface(), column, LvImageKindImage);
  }
  void SetImageIndexes(int32_t column, int32_t value) override { TellImage(column, LvImageKindImage, value); }
  int32_t GetImageOverlayIndexes(int32_t column) override {
    return LvSourceImageIndex(this->DataInterface(), column, LvImageKindOverlay);
  }
  void SetImageOverlayIndexes(int32_t column, int32_t value) override {
    TellImage(column, LvImageKindOverlay, value);
  }
  TCustomImageList* GetImageList(int32_t column, int32_t imageSize) override {
    TCustomImageList* list = LvSourceImageList(this->DataInterface(), column, imageSize);
    return list ? list : this->GetDefaultImageList(imageSize);
  }
  int32_t GetDetailCount() override { return LvSourceDetailCount(this->DataInterface(), AbsentDetailCount); }
  void SetDetailCount(int32_t value) override {
    if (LvSourceSetDetailCount(this->DataInterface(), value)) this->Invalidate(false);
  }
  int32_t GetDetails(int32_t index) override { return LvSourceDetail(this->DataInterface(), index); }
  void SetDetails(int32_t index, int32_t value) override {
    if (LvSourceSetDetail(this->DataInterface(), index, value)) this->Invalidate(false);
  }
  void ImageDraw(int32_t column, TCanvas* canvas, const TRect& rect, TLvAlphaBlender* blender) override {
    LvSourceImageDraw(this->DataInterface(), column, canvas, rect, blender);
  }
  void ImageDrawGetSize(int32_t column, int32_t& width, int32_t& height) override {
    LvSourceImageDrawGetSize(this->DataInterface(), column, width, height);
  }
  void ImageDrawIsCustom(int32_t column, bool& isCustom) override {
    LvSourceImageDrawIsCustom(this->DataInterface(), column, isCustom);
  }

protected:
  void TellImage(int32_t column, int32_t kind, int32_t value) {
    if (LvSourceSetImageIndex(this->DataInterface(), column, kind, value) && RepaintOnImage) this->Invalidate(false);
  }
};
