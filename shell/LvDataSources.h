// The small interfaces through which an interfaced item, group or column
// reads its data from the object behind its data interface, and the two by
// which such an object keeps track of the elements that show it. An object
// supports any subset; a missing one yields the element's absent value.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "platform/com/com.h"
#include "platform/rtl/types.h"

class TCanvas;
class TCustomImageList;
class TLvAlphaBlender;

// A caption as the data source hands it over: nothing, a number or text.
using TLvCaptionValue = std::variant<std::monostate, int64_t, double, std::string>;
std::string LvCaptionValueToText(const TLvCaptionValue& value);

extern const win::IID IID_IListElementSink, IID_IListNotifierRegistry, IID_IListCaptionsSource,
    IID_IListCaptionsTarget, IID_IListChecksSource, IID_IListImagesSource, IID_IListImagesTarget,
    IID_IListDetailsSource, IID_IListDetailsTarget, IID_IListGroupKeySource, IID_IListGroupKeyTarget,
    IID_IListImageListSource, IID_IListStateImageListSource, IID_IListCustomImageSource,
    IID_IListThumbnailSource;

struct IListElementSink : win::IUnknown {
  virtual void InvalidateItem(bool immediateUpdate) = 0;
  virtual void ReleaseDataInterface() = 0;

protected:
  ~IListElementSink() = default;
};

struct IListNotifierRegistry : win::IUnknown {
  virtual void RegisterSink(IListElementSink* sink) = 0;
  virtual void UnregisterSink(IListElementSink* sink) = 0;

protected:
  ~IListNotifierRegistry() = default;
};

struct IListCaptionsSource : win::IUnknown {
  virtual TLvCaptionValue GetCaption(int32_t column) = 0;

protected:
  ~IListCaptionsSource() = default;
};

struct IListCaptionsTarget : win::IUnknown {
  virtual void Reserved1() = 0;
  virtual void SetCaption(int32_t column, const TLvCaptionValue& value) = 0;

protected:
  ~IListCaptionsTarget() = default;
};

struct IListChecksSource : win::IUnknown {
  virtual bool GetChecked(int32_t column) = 0;
  virtual void SetChecked(int32_t column, bool value) = 0;

protected:
  ~IListChecksSource() = default;
};

struct IListImagesSource : win::IUnknown {
  virtual int32_t GetImageIndex(int32_t column, int32_t imageKind) = 0;

protected:
  ~IListImagesSource() = default;
};

struct IListImagesTarget : win::IUnknown {
  virtual void Reserved1() = 0;
  virtual void SetImageIndex(int32_t column, int32_t imageKind, int32_t value) = 0;

protected:
  ~IListImagesTarget() = default;
};

struct IListDetailsSource : win::IUnknown {
  virtual int32_t GetDetailCount() = 0;
  virtual int32_t GetDetail(int32_t index) = 0;

protected:
  ~IListDetailsSource() = default;
};

struct IListDetailsTarget : win::IUnknown {
  virtual void Reserved1() = 0;
  virtual void Reserved2() = 0;
  virtual void SetDetail(int32_t index, int32_t value) = 0;
  virtual void SetDetailCount(int32_t value) = 0;

protected:
  ~IListDetailsTarget() = default;
};

struct IListGroupKeySource : win::IUnknown {
  virtual uint32_t GetGroupKey(int32_t column) = 0;

protected:
  ~IListGroupKeySource() = default;
};

struct IListGroupKeyTarget : win::IUnknown {
  virtual void Reserved1() = 0;
  virtual void SetGroupKey(int32_t column, uint32_t value) = 0;

protected:
  ~IListGroupKeyTarget() = default;
};

struct IListImageListSource : win::IUnknown {
  virtual TCustomImageList* GetImageList(int32_t column, int32_t imageSize) = 0;

protected:
  ~IListImageListSource() = default;
};

struct IListStateImageListSource : win::IUnknown {
  virtual TCustomImageList* GetStateImageList(int32_t column) = 0;

protected:
  ~IListStateImageListSource() = default;
};

struct IListCustomImageSource : win::IUnknown {
  virtual void ImageDrawIsCustom(int32_t column, bool& isCustom) = 0;
  virtual void ImageDraw(int32_t column, TCanvas* canvas, const TRect& rect, TLvAlphaBlender* blender) = 0;
  virtual void ImageDrawGetSize(int32_t column, int32_t& width, int32_t& height) = 0;

protected:
  ~IListCustomImageSource() = default;
};

struct IListThumbnailSource : win::IUnknown {
  virtual void ThumbnailDraw(TCanvas* canvas, const TRect& rect, TLvAlphaBlender* blender, bool& doDefault) = 0;

protected:
  ~IListThumbnailSource() = default;
};

// The object behind data as interface I (one reference), or empty.
template <class I>
win::TComPtr<I> LvQuery(win::IUnknown* data, const win::IID& iid) {
  win::TComPtr<I> result;
  if (data) data->QueryInterface(iid, result.put_void());
  return result;
}

// The reads and writes the interfaced items, groups and columns share. A write
// answers whether the object took it.
std::string LvSourceCaption(win::IUnknown* data, int32_t column);
bool LvSourceSetCaption(win::IUnknown* data, int32_t column, const std::string& value);
int32_t LvSourceImageIndex(win::IUnknown* data, int32_t column, int32_t imageKind);
bool LvSourceSetImageIndex(win::IUnknown* data, int32_t column, int32_t imageKind, int32_t value);
TCustomImageList* LvSourceImageList(win::IUnknown* data, int32_t column, int32_t imageSize);
int32_t LvSourceDetailCount(win::IUnknown* data, int32_t absent);
int32_t LvSourceDetail(win::IUnknown* data, int32_t index);
bool LvSourceSetDetail(win::IUnknown* data, int32_t index, int32_t value);
bool LvSourceSetDetailCount(win::IUnknown* data, int32_t value);
void LvSourceImageDraw(win::IUnknown* data, int32_t column, TCanvas* canvas, const TRect& rect,
                       TLvAlphaBlender* blender);
void LvSourceImageDrawGetSize(win::IUnknown* data, int32_t column, int32_t& width, int32_t& height);
void LvSourceImageDrawIsCustom(win::IUnknown* data, int32_t column, bool& isCustom);
