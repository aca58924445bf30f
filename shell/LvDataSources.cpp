#include "shell/LvDataSources.h"

#include <cstdio>

using win::IID;

const IID IID_IListElementSink{0xE4F0D3DE, 0xB2BD, 0x4EC0, {0xB2, 0x4B, 0x8A, 0x9B, 0x85, 0xB2, 0x3A, 0x63}};
const IID IID_IListNotifierRegistry{0xF10150F9, 0x17E3, 0x43B6, {0x8C, 0x05, 0x33, 0x28, 0x3F, 0xF1, 0xB1, 0x4E}};
const IID IID_IListCaptionsSource{0x6C838C0E, 0x22A5, 0x48D4, {0x80, 0xC6, 0xE2, 0x66, 0xE9, 0x50, 0xD3, 0xCF}};
const IID IID_IListCaptionsTarget{0xF1403B00, 0x7163, 0x4FB7, {0x80, 0x4F, 0x1A, 0x55, 0x00, 0xCD, 0x98, 0x0A}};
const IID IID_IListChecksSource{0xE8820F40, 0x2EE3, 0x4718, {0xB5, 0x4A, 0x39, 0x31, 0x8D, 0x2D, 0x12, 0x32}};
const IID IID_IListImagesSource{0x20C419F5, 0xF3DD, 0x40C4, {0x85, 0x26, 0x88, 0x32, 0x2E, 0x18, 0x2C, 0x49}};
const IID IID_IListImagesTarget{0xDC580B13, 0x1D19, 0x46BB, {0x88, 0x5F, 0xFC, 0x5C, 0xE9, 0xB2, 0xBE, 0x66}};
const IID IID_IListDetailsSource{0xAE1D21EB, 0xBA52, 0x4C24, {0x9E, 0xB1, 0xB3, 0x57, 0x33, 0x29, 0x94, 0x89}};
const IID IID_IListDetailsTarget{0xBBD853F9, 0xD803, 0x4478, {0xB5, 0xA8, 0xEE, 0x02, 0xFF, 0x47, 0xDC, 0x80}};
const IID IID_IListGroupKeySource{0x2B87BB19, 0xA133, 0x4D43, {0x91, 0x64, 0xAC, 0x45, 0x67, 0x47, 0xEB, 0x19}};
const IID IID_IListGroupKeyTarget{0x26EFE2C6, 0x2DE2, 0x4795, {0x94, 0xE3, 0x0D, 0xB0, 0xCA, 0xA3, 0x8B, 0x09}};
const IID IID_IListImageListSource{0x298932FB, 0xA0AE, 0x4A0A, {0xBE, 0x34, 0xA7, 0x82, 0x74, 0x3A, 0x05, 0x79}};
const IID IID_IListStateImageListSource{0xF0202D63, 0x92A7, 0x4C2F, {0x9C, 0xA4, 0xCB, 0xDE, 0x4D, 0xE0, 0xED, 0x30}};
const IID IID_IListCustomImageSource{0x00260055, 0x6915, 0x43B5, {0x9D, 0x43, 0x37, 0x9E, 0x7F, 0x61, 0xEE, 0xA9}};
const IID IID_IListThumbnailSource{0xF9CA8297, 0x0CB3, 0x4C47, {0x90, 0x5F, 0x3D, 0x14, 0x97, 0xC4, 0xFC, 0x4D}};

std::string LvCaptionValueToText(const TLvCaptionValue& value) {
  struct Visitor {
    std::string operator()(std::monostate) const { return {}; }
    std::string operator()(int64_t v) const { return std::to_string(v); }
    std::string operator()(double v) const {
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "%.15g", v);
      return buffer;
    }
    std::string operator()(const std::string& v) const { return v; }
  };
  return std::visit(Visitor{}, value);
}

std::string LvSourceCaption(win::IUnknown* data, int32_t column) {
  auto source = LvQuery<IListCaptionsSource>(data, IID_IListCaptionsSource);
  return source ? LvCaptionValueToText(source->GetCaption(column)) : std::string();
}

bool LvSourceSetCaption(win::IUnknown* data, int32_t column, const std::string& value) {
  auto target = LvQuery<IListCaptionsTarget>(data, IID_IListCaptionsTarget);
  if (target) target->SetCaption(column, TLvCaptionValue(value));
  return bool(target);
}

int32_t LvSourceImageIndex(win::IUnknown* data, int32_t column, int32_t imageKind) {
  auto source = LvQuery<IListImagesSource>(data, IID_IListImagesSource);
  return source ? source->GetImageIndex(column, imageKind) : -1;
}

bool LvSourceSetImageIndex(win::IUnknown* data, int32_t column, int32_t imageKind, int32_t value) {
  auto target = LvQuery<IListImagesTarget>(data, IID_IListImagesTarget);
  if (target) target->SetImageIndex(column, imageKind, value);
  return bool(target);
}

TCustomImageList* LvSourceImageList(win::IUnknown* data, int32_t column, int32_t imageSize) {
  auto source = LvQuery<IListImageListSource>(data, IID_IListImageListSource);
  return source ? source->GetImageList(column, imageSize) : nullptr;
}

int32_t LvSourceDetailCount(win::IUnknown* data, int32_t absent) {
  auto source = LvQuery<IListDetailsSource>(data, IID_IListDetailsSource);
  return source ? source->GetDetailCount() : absent;
}

int32_t LvSourceDetail(win::IUnknown* data, int32_t index) {
  auto source = LvQuery<IListDetailsSource>(data, IID_IListDetailsSource);
  return source ? source->GetDetail(index) : 0;
}

bool LvSourceSetDetail(win::IUnknown* data, int32_t index, int32_t value) {
  auto target = LvQuery<IListDetailsTarget>(data, IID_IListDetailsTarget);
  if (target) target->SetDetail(index, value);
  return bool(target);
}

bool LvSourceSetDetailCount(win::IUnknown* data, int32_t value) {
  auto target = LvQuery<IListDetailsTarget>(data, IID_IListDetailsTarget);
  if (target) target->SetDetailCount(value);
  return bool(target);
}

void LvSourceImageDraw(win::IUnknown* data, int32_t column, TCanvas* canvas, const TRect& rect,
                       TLvAlphaBlender* blender) {
  if (auto source = LvQuery<IListCustomImageSource>(data, IID_IListCustomImageSource))
    source->ImageDraw(column, canvas, rect, blender);
}

void LvSourceImageDrawGetSize(win::IUnknown* data, int32_t column, int32_t& width, int32_t& height) {
  if (auto source = LvQuery<IListCustomImageSource>(data, IID_IListCustomImageSource))
    source->ImageDrawGetSize(column, width, height);
}

void LvSourceImageDrawIsCustom(win::IUnknown* data, int32_t column, bool& isCustom) {
  isCustom = false;
  if (auto source = LvQuery<IListCustomImageSource>(data, IID_IListCustomImageSource))
    source->ImageDrawIsCustom(column, isCustom);
}
