#include "ui/lookandfeel/cxImageList.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/classes/filer.h"
#include "platform/classes/streams.h"
#include "platform/classes/typinfo.h"
#include "ui/lookandfeel/cxDrawImage.h"

namespace {

// The w x h area of source at (x, y) in a bitmap of source's pixel format.
void CopyCell(TBitmap* source, TBitmap* dest, int32_t x, int32_t y, int32_t w, int32_t h) {
  const TPixelFormat format = source->PixelFormat();
  dest->SetPixelFormat(format);
  dest->SetSize(w, h);
  if (format == pf24bit || format == pf32bit) {
    // Byte for byte, so that an alpha channel survives.
    const size_t bytes = format == pf32bit ? 4 : 3;
    for (int32_t row = 0; row < h; ++row)
      std::memcpy(dest->ScanLine(row), static_cast<const uint8_t*>(source->ScanLine(y + row)) + size_t(x) * bytes,
                  size_t(w) * bytes);
  } else {
    if (format == pf1bit || format == pf4bit || format == pf8bit) dest->SetColorTable(source->ColorTable());
    dest->Canvas()->CopyRect(TRect(0, 0, w, h), source->Canvas(), TRect(x, y, x + w, y + h));
  }
  dest->Changed(dest);
}

// Rows of a bitmap handle as 32-bit pixels, top row first.
bool ReadPixels32(win::HBITMAP bmp, int32_t w, int32_t h, std::vector<uint32_t>& px) {
  win::BITMAPINFO bi{};
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  px.assign(size_t(w) * size_t(h), 0);
  win::HDC dc = win::CreateCompatibleDC(nullptr);
  const int lines = win::GetDIBits(dc, bmp, 0, win::UINT(h), px.data(), &bi, win::DIB_RGB_COLORS);
  win::DeleteDC(dc);
  return lines == h;
}

// The rectangle r of a strip bitmap into dest: 32-bit pixels as they are, a mask as one bit.
void CopyFromStrip(win::HBITMAP strip, const TRect& r, TBitmap* dest, bool mask) {
  win::BITMAP info;
  if (!dest || !strip || win::GetObject(strip, sizeof(info), &info) != int(sizeof(info))) return;
  dest->SetPixelFormat(mask ? pf1bit : pf32bit);
  dest->SetSize(r.Width(), r.Height());
  if (mask) {
    win::HDC mem = win::CreateCompatibleDC(nullptr);
    win::HGDIOBJ old = win::SelectObject(mem, strip);
    win::BitBlt(dest->Canvas()->Handle(), 0, 0, r.Width(), r.Height(), mem, r.Left, r.Top, win::SRCCOPY);
    win::SelectObject(mem, old);
    win::DeleteDC(mem);
  } else {
    std::vector<uint32_t> px;
    if (!ReadPixels32(strip, info.bmWidth, info.bmHeight, px)) return;
    for (int32_t y = 0; y < r.Height(); ++y)
      std::memcpy(dest->ScanLine(y), px.data() + size_t(r.Top + y) * size_t(info.bmWidth) + size_t(r.Left),
                  size_t(r.Width()) * 4);
  }
  dest->Changed(dest);
}

}  // namespace

// ---------------------------------------------------------------- TcxImageInfo

TcxImageInfo::TcxImageInfo() : image_(std::make_unique<TcxBitmap>()), mask_(std::make_unique<TcxBitmap>()) {}
TcxImageInfo::~TcxImageInfo() = default;

void TcxImageInfo::SetCompressData(bool v) {
  if (v == CompressData()) return;
  image_->SetCompressData(v);
  mask_->SetCompressData(v);
}

void TcxImageInfo::Assign(TPersistent* source) {
  if (auto* s = dynamic_cast<TcxImageInfo*>(source)) {
    AssignImage(s->Image());
    AssignMask(s->Mask());
    maskColor_ = s->maskColor_;
    return;
  }
  TPersistent::Assign(source);
}

void TcxImageInfo::AssignImage(TBitmap* bitmap) {
  image_->Assign(bitmap);
  image_->Handle();
}

void TcxImageInfo::AssignMask(TBitmap* bitmap) {
  mask_->Assign(bitmap);
  mask_->Handle();
}

// ---------------------------------------------------------------- TcxImageInfoItem

TcxImageInfoItem::TcxImageInfoItem(TCollection* collection)
    : TCollectionItem(collection), info_(std::make_unique<TcxImageInfo>()) {
  if (auto* infos = dynamic_cast<TcxImageInfoCollection*>(collection)) info_->SetCompressData(infos->CompressData());
}

TcxImageInfoItem::~TcxImageInfoItem() = default;

void TcxImageInfoItem::Assign(TPersistent* source) {
  if (auto* s = dynamic_cast<TcxImageInfoItem*>(source)) {
    info_->Assign(s->ImageInfo());
    return;
  }
  TCollectionItem::Assign(source);
}

// ---------------------------------------------------------------- TcxImageInfoCollection

TcxImageInfoCollection::TcxImageInfoCollection(TcxImageList* owner)
    : TCollection(CollectionItemClassOf<TcxImageInfoItem>()), owner_(owner) {}

TPersistent* TcxImageInfoCollection::GetOwner() { return owner_; }

void TcxImageInfoCollection::AddInfo(TBitmap* image, TBitmap* mask, TColor maskColor) {
  auto* item = static_cast<TcxImageInfoItem*>(Add());
  item->SetImage(image);
  item->SetMask(mask);
  item->SetMaskColor(maskColor);
}

void TcxImageInfoCollection::DeleteInfo(int32_t index) {
  if (index == -1) Clear();
  else if (index >= 0 && index < Count()) Delete(index);
}

void TcxImageInfoCollection::SetCompressData(bool v) {
  compressData_ = v;
  for (int32_t i = 0; i < Count(); ++i) Items(i)->SetCompressData(v);
}

// ---------------------------------------------------------------- TcxImageList

TcxImageList::TcxImageList(TComponent* AOwner)
    : TDragImageList(AOwner), infos_(std::make_unique<TcxImageInfoCollection>(this)) {
  cxRegisterImageListClasses();
  infos_->SetPropName("ImageInfo");
  SetHandle(win::ImageList_Create(Width(), Height(), win::ILC_COLOR32 | win::ILC_MASK, AllocBy(), AllocBy()));
}

TcxImageList::~TcxImageList() { infos_.reset(); }

void TcxImageList::BeginUpdate() { ++lockCount_; }

void TcxImageList::EndUpdate(bool notify) {
  if (lockCount_ == 0) return;
  --lockCount_;
  if (notify) Change();
}

void TcxImageList::Change() {
  if (lockCount_ == 0) TDragImageList::Change();
}

namespace {

// Pairs BeginUpdate with EndUpdate(true) on every path.
class TUpdateScope {
public:
  explicit TUpdateScope(TcxImageList* list) : list_(list) { list_->BeginUpdate(); }
  ~TUpdateScope() { list_->EndUpdate(true); }
  TUpdateScope(const TUpdateScope&) = delete;
  TUpdateScope& operator=(const TUpdateScope&) = delete;

private:
  TcxImageList* list_;
};

}  // namespace

int32_t TcxImageList::AddBitmap(TBitmap* image, TBitmap* mask) {
  if (!image || image->Empty()) return -1;
  int32_t index;
  if (mask && !mask->Empty()) {
    index = win::ImageList_Add(Handle(), image->Handle(), mask->Handle());
  } else {
    // All bits 0: every pixel opaque.
    std::vector<uint8_t> zeros(size_t(win::DdbRowBytes(Width(), 1)) * size_t(Height()), 0);
    win::HBITMAP opaque = win::CreateBitmap(Width(), Height(), 1, 1, zeros.data());
    index = win::ImageList_Add(Handle(), image->Handle(), opaque);
    win::DeleteObject(opaque);
  }
  if (index != -1 && !synchronizing_) AddToImageInfos(image, mask, clNone);
  Change();
  return index;
}

int32_t TcxImageList::AddMasked(TBitmap* bitmap, TColor maskColor) {
  TUpdateScope update(this);
  if (maskColor == clNone) return AddBitmap(bitmap, nullptr);
  if (!bitmap || bitmap->Empty()) return -1;
  // The system list blackens the key colour in the bitmap it is given.
  TBitmap copy;
  copy.Assign(bitmap);
  const int32_t index = win::ImageList_AddMasked(Handle(), copy.Handle(), win::COLORREF(ColorToRGB(maskColor)));
  if (index != -1 && !synchronizing_) AddToImageInfos(bitmap, nullptr, maskColor);
  Change();
  return index;
}

void TcxImageList::Delete(int32_t index) {
  TUpdateScope update(this);
  TDragImageList::Delete(index);
  if (!synchronizing_) infos_->DeleteInfo(index);
}

int32_t TcxImageList::AddFromInfo(TcxImageInfo* info) {
  if (!info) return -1;
  if (!info->Mask()->Empty()) return AddBitmap(info->Image(), info->Mask());
  return AddMasked(info->Image(), info->MaskColor());
}

void TcxImageList::AddToImageInfos(TBitmap* image, TBitmap* mask, TColor maskColor) {
  if (!image) return;
  const int32_t w = Width(), h = Height(), iw = image->Width(), ih = image->Height();
  const bool hasMask = mask && !mask->Empty();
  const int32_t first = infos_->Count();
  if (iw % w == 0 && ih % h == 0 && int64_t(iw) * ih > int64_t(w) * h) {
    for (int32_t y = 0; y < ih; y += h) {
      for (int32_t x = 0; x < iw; x += w) {
        TBitmap cell, cellMask;
        CopyCell(image, &cell, x, y, w, h);
        if (hasMask && x + w <= mask->Width() && y + h <= mask->Height()) CopyCell(mask, &cellMask, x, y, w, h);
        infos_->AddInfo(&cell, &cellMask, maskColor);
      }
    }
  } else {
    infos_->AddInfo(image, hasMask ? mask : nullptr, maskColor);
  }
  for (int32_t i = first; i < infos_->Count(); ++i) infos_->Items(i)->Image()->Dormant();
}

void TcxImageList::AddImageInfosFrom(TcxImageList* source, int32_t first, int32_t last) {
  if (!source) return;
  for (int32_t i = std::max(first, 0); i <= last; ++i) {
    TcxImageInfo info;
    if (i < source->ImageInfos()->Count()) info.Assign(source->ImageInfos()->Items(i)->ImageInfo());
    AddFromInfo(&info);
  }
}

void TcxImageList::AddImagesFrom(TCustomImageList* source, int32_t first, int32_t last) {
  if (!source) return;
  for (int32_t i = std::max(first, 0); i <= last && i < source->Count(); ++i) {
    TBitmap image, mask;
    image.SetPixelFormat(pf32bit);
    image.SetSize(Width(), Height());
    mask.SetPixelFormat(pf1bit);
    mask.SetSize(Width(), Height());
    ReadImageBitmaps(source->Handle(), i, &image, &mask);
    AddBitmap(&image, &mask);
  }
}

void TcxImageList::Assign(TPersistent* source) {
  auto* list = dynamic_cast<TCustomImageList*>(source);
  if (!list || list == this) return;
  TUpdateScope update(this);
  TDragImageList::Assign(source);
  Clear();
  if (auto* cx = dynamic_cast<TcxImageList*>(list)) AddImageInfosFrom(cx, 0, cx->Count() - 1);
  else AddImagesFrom(list, 0, list->Count() - 1);
}

void TcxImageList::GetImage(int32_t index, TBitmap* image, TBitmap* mask) {
  if (index < 0 || index >= infos_->Count()) return;
  TcxImageInfoItem* info = infos_->Items(index);
  if (info->Image()->PixelFormat() == pf32bit) {
    if (image) image->Assign(info->Image());
    if (mask) mask->Assign(info->Mask());
  } else {
    ReadImageBitmaps(Handle(), index, image, mask);
  }
  info->Image()->Dormant();
}

void TcxImageList::ReadImageBitmaps(win::HIMAGELIST list, int32_t index, TBitmap* image, TBitmap* mask) {
  win::IMAGEINFO info;
  if (!win::ImageList_GetImageInfo(list, std::max(index, 0), &info)) return;
  TRect r = info.rcImage;
  if (index == -1) {
    win::BITMAP strip;
    if (win::GetObject(info.hbmImage, sizeof(strip), &strip) != int(sizeof(strip))) return;
    r = TRect(0, 0, strip.bmWidth, strip.bmHeight);
  }
  CopyFromStrip(info.hbmImage, r, image, false);
  CopyFromStrip(info.hbmMask, r, mask, true);
}

int32_t TcxImageList::GetImageBitsPerPixel(win::HIMAGELIST list) {
  win::IMAGEINFO info;
  win::BITMAP bmp;
  if (!win::ImageList_GetImageInfo(list, 0, &info)) return 0;
  if (win::GetObject(info.hbmImage, sizeof(bmp), &bmp) != int(sizeof(bmp))) return 0;
  return bmp.bmBitsPixel;
}

void TcxImageList::DrawImageInRect(int32_t index, TCanvas* canvas, const TRect& r, TDrawingStyle style, bool stretch,
                                   bool smooth, bool enabled) {
  if (!canvas) return;
  if (r.Width() == Width() && r.Height() == Height()) stretch = false;
  TRect glyph = r;
  if (!stretch) {
    const int32_t left = (r.Left + r.Right - Width()) / 2, top = (r.Top + r.Bottom - Height()) / 2;
    glyph = TRect(left, top, left + Width(), top + Height());
  }
  // Nothing here turns alpha blending off; without it the system list draws.
  if (alphaBlending_)
    DrawImage(canvas->Handle(), glyph, r, nullptr, this, index, enabled ? idmNormal : idmDisabled, smooth, nullptr,
              clNone, true);
  else
    TDragImageList::DoDraw(index, canvas, glyph.Left, glyph.Top, style, ImageType(), enabled);
}

void TcxImageList::DoDraw(int32_t index, TCanvas* canvas, int32_t X, int32_t Y, TDrawingStyle style, TImageType,
                          bool enabled) {
  DrawImageInRect(index, canvas, TRect(X, Y, X + Width(), Y + Height()), style, false, false, enabled);
}

// ---------------------------------------------------------------- form file

void TcxImageList::InfosFromImages() {
  infos_->Clear();
  for (int32_t i = 0; i < Count(); ++i) {
    TBitmap image, mask;
    ReadImageBitmaps(Handle(), i, &image, &mask);
    infos_->AddInfo(&image, &mask, clNone);
  }
}

void TcxImageList::SynchronizeImages() {
  TUpdateScope update(this);
  synchronizing_ = true;
  try {
    Delete(-1);
    for (int32_t i = 0; i < infos_->Count(); ++i) {
      AddFromInfo(infos_->Items(i)->ImageInfo());
      infos_->Items(i)->Image()->Dormant();
    }
  } catch (...) {
    synchronizing_ = false;
    throw;
  }
  synchronizing_ = false;
}

void TcxImageList::ReadImageInfo(TReader& reader) {
  infos_->Clear();
  reader.ReadCollection(infos_.get());
  SynchronizeImages();
}

void TcxImageList::WriteImageInfo(TWriter& writer) { writer.WriteCollection(infos_.get()); }

void TcxImageList::DefineProperties(TFiler* filer) {
  TDragImageList::DefineProperties(filer);
  const bool reading = dynamic_cast<TReader*>(filer) != nullptr;
  if (reading) InfosFromImages();
  filer->DefineProperty(
      "FormatVersion", [this](TReader& r) { formatVersion_ = r.ReadInteger(); },
      [this](TWriter& w) {
        formatVersion_ = 1;
        w.WriteInteger(1);
      },
      true);
  auto* ancestor = dynamic_cast<TCustomImageList*>(filer->Ancestor());
  filer->DefineProperty(
      "DesignInfo", [this](TReader& r) { SetDesignInfo(r.ReadInteger()); },
      [this](TWriter& w) { w.WriteInteger(DesignInfo()); }, !ancestor || ancestor->DesignInfo() != DesignInfo());
  const bool hasImages = ancestor ? !SameImageListContent(ancestor, this) : Count() > 0;
  filer->DefineProperty(
      "ImageInfo", [this](TReader& r) { ReadImageInfo(r); }, [this](TWriter& w) { WriteImageInfo(w); }, hasImages);
}

bool SameImageListContent(TCustomImageList* list1, TCustomImageList* list2) {
  if (!list1 || !list2 || list1->Count() != list2->Count()) return false;
  if (list1->Count() == 0) return true;
  TMemoryStream s1, s2;
  win::ImageList_Write(list1->Handle(), s1);
  win::ImageList_Write(list2->Handle(), s2);
  return s1.Size() == s2.Size() && std::memcmp(s1.Memory(), s2.Memory(), size_t(s1.Size())) == 0;
}

void cxRegisterImageListClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterImageListClasses();
    Published<TcxImageInfoItem>()
        .Obj("Image", &TcxImageInfoItem::Image, &TcxImageInfoItem::SetImage)
        .Obj("Mask", &TcxImageInfoItem::Mask, &TcxImageInfoItem::SetMask)
        .Int("MaskColor", &TcxImageInfoItem::MaskColor, &TcxImageInfoItem::SetMaskColor, clNone)
        .Type(DefineIntegerType("TColor", otSLong, IdentToColor, ColorToIdent));
    Published<TcxImageList>().Bool("CompressData", &TcxImageList::CompressData, &TcxImageList::SetCompressData, false);
    RegisterClass(TcxImageList::StaticClass());
  });
}
