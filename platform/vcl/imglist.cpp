// TCustomImageList: images kept as straight-alpha pixels, drawn by blending.
#include "platform/vcl/imglist.h"

#include <algorithm>
#include <mutex>

#include "platform/classes/typinfo.h"
#include "platform/gdi/icon.h"
#include "platform/rtl/sysutils.h"

namespace {

constexpr uint32_t A(uint32_t p) { return p >> 24; }
constexpr uint32_t R(uint32_t p) { return (p >> 16) & 0xFF; }
constexpr uint32_t G(uint32_t p) { return (p >> 8) & 0xFF; }
constexpr uint32_t B(uint32_t p) { return p & 0xFF; }
constexpr uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return (a << 24) | (r << 16) | (g << 8) | b; }

// 0xAARRGGBB rows of a bitmap, top row first; alpha as the bitmap defines it
// (255 when it has none).
std::vector<uint32_t> ReadPixels(TBitmap* src) {
  TBitmap copy;
  copy.Assign(src);
  const bool hasAlpha = src->AlphaFormat() != afIgnored;
  const bool premultiplied = src->AlphaFormat() == afPremultiplied;
  copy.SetPixelFormat(pf32bit);
  const int32_t w = copy.Width(), h = copy.Height();
  std::vector<uint32_t> out(size_t(w) * size_t(h));
  for (int32_t y = 0; y < h; ++y) {
    const auto* row = static_cast<const uint32_t*>(copy.ScanLine(y));
    for (int32_t x = 0; x < w; ++x) {
      uint32_t p = row[x];
      uint32_t a = hasAlpha ? A(p) : 255;
      uint32_t r = R(p), g = G(p), b = B(p);
      if (premultiplied && a > 0 && a < 255) {
        r = std::min(255u, r * 255 / a);
        g = std::min(255u, g * 255 / a);
        b = std::min(255u, b * 255 / a);
      }
      out[size_t(y) * size_t(w) + size_t(x)] = Argb(a, r, g, b);
    }
  }
  return out;
}

uint32_t ColorToArgb(TColor c) {
  TColor rgb = ColorToRGB(c);
  return Argb(255, GetRValue(uint32_t(rgb)), GetGValue(uint32_t(rgb)), GetBValue(uint32_t(rgb)));
}

uint32_t Mix(uint32_t p, uint32_t with, uint32_t percent) {
  auto m = [&](uint32_t a, uint32_t b) { return (a * (100 - percent) + b * percent + 50) / 100; };
  return Argb(A(p), m(R(p), R(with)), m(G(p), G(with)), m(B(p), B(with)));
}

}  // namespace

TCustomImageList::TCustomImageList(TComponent* AOwner)
    : TComponent(AOwner),
      handle_(win::ImageList_Create(width_, height_, win::ILC_COLOR32 | win::ILC_MASK, allocBy_, allocBy_)) {}

TCustomImageList::TCustomImageList(int32_t AWidth, int32_t AHeight)
    : TComponent(nullptr),
      width_(std::max(AWidth, 1)),
      height_(std::max(AHeight, 1)),
      handle_(win::ImageList_Create(width_, height_, win::ILC_COLOR32 | win::ILC_MASK, allocBy_, allocBy_)) {}

TCustomImageList::~TCustomImageList() {
  for (TChangeLink* link : links_) link->SetSender(nullptr);
  if (!shareImages_) win::ImageList_Destroy(handle_);
}

std::vector<std::vector<uint32_t>>& TCustomImageList::Images() const { return win::ImageListCells(handle_); }
int32_t TCustomImageList::Count() const { return int32_t(Images().size()); }

void TCustomImageList::SetHandle(win::HIMAGELIST handle) {
  if (handle == handle_) return;
  if (!shareImages_) win::ImageList_Destroy(handle_);
  if (!handle) handle = win::ImageList_Create(width_, height_, win::ILC_COLOR32 | win::ILC_MASK, allocBy_, allocBy_);
  handle_ = handle;
  const TSize cell = win::ImageListCellSize(handle_);
  width_ = cell.cx;
  height_ = cell.cy;
  Change();
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
  if (!link || std::find(links_.begin(), links_.end(), link) != links_.end()) return;
  link->SetSender(this);
  links_.push_back(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
  auto it = std::find(links_.begin(), links_.end(), link);
  if (it == links_.end()) return;
  links_.erase(it);
  link->SetSender(nullptr);
}

TChangeLink::~TChangeLink() {
  if (sender_) sender_->UnRegisterChanges(this);
}

void TChangeLink::Change() {
  if (OnChange) OnChange(sender_);
}

bool TDragImageList::SetDragImage(int32_t index, int32_t hotSpotX, int32_t hotSpotY) {
  if (index < 0 || index >= Count()) return false;
  dragIndex_ = index;
  dragHotspot_ = TPoint(hotSpotX, hotSpotY);
  return true;
}

void TCustomImageList::Assign(TPersistent* source) {
  auto* s = dynamic_cast<TCustomImageList*>(source);
  if (!s) {
    TComponent::Assign(source);
    return;
  }
  width_ = s->width_;
  height_ = s->height_;
  masked_ = s->masked_;
  bkColor_ = s->bkColor_;
  blendColor_ = s->blendColor_;
  drawingStyle_ = s->drawingStyle_;
  imageType_ = s->imageType_;
  colorDepth_ = s->colorDepth_;
  win::ImageListSetCellSize(handle_, width_, height_);
  Images() = s->Images();
  Change();
}

void TCustomImageList::SetWidth(int32_t v) { SetSize(v, height_); }
void TCustomImageList::SetHeight(int32_t v) { SetSize(width_, v); }

void TCustomImageList::SetSize(int32_t w, int32_t h) {
  w = std::max(w, 1);
  h = std::max(h, 1);
  if (w == width_ && h == height_) return;
  width_ = w;
  height_ = h;
  win::ImageListSetCellSize(handle_, w, h);
  Change();
}

void TCustomImageList::SetBkColor(TColor v) {
  if (bkColor_ == v) return;
  bkColor_ = v;
  Change();
}
void TCustomImageList::SetBlendColor(TColor v) {
  if (blendColor_ == v) return;
  blendColor_ = v;
  Change();
}
void TCustomImageList::SetDrawingStyle(TDrawingStyle v) {
  if (drawingStyle_ == v) return;
  drawingStyle_ = v;
  Change();
}

void TCustomImageList::BeginUpdate() { ++updateCount_; }
void TCustomImageList::EndUpdate() {
  if (updateCount_ > 0) --updateCount_;
  if (updateCount_ == 0 && changed_) {
    changed_ = false;
    Change();
  }
}

void TCustomImageList::Change() {
  if (updateCount_ > 0) {
    changed_ = true;
    return;
  }
  if (OnChange) OnChange(this);
  // A link may unregister itself from its handler.
  const std::vector<TChangeLink*> links = links_;
  for (TChangeLink* link : links)
    if (std::find(links_.begin(), links_.end(), link) != links_.end()) link->Change();
}

void TCustomImageList::CheckIndex(int32_t index, bool allowEnd) const {
  if (index < 0 || index > Count() || (!allowEnd && index == Count()))
    throw EInvalidOperation("Invalid ImageList Index");
}

const std::vector<uint32_t>& TCustomImageList::Pixels(int32_t index) const {
  CheckIndex(index);
  return Images()[size_t(index)];
}

// One image cut from column strip * Width of image; what the image lacks
// stays transparent.
std::vector<uint32_t> TCustomImageList::FromBitmap(TBitmap* image, int32_t strip, TBitmap* mask, bool useMaskColor,
                                                   TColor maskColor) {
  std::vector<uint32_t> src = ReadPixels(image);
  std::vector<uint32_t> maskPx;
  if (mask && !mask->Empty()) maskPx = ReadPixels(mask);
  uint32_t key = 0;
  if (useMaskColor) {
    if (maskColor == clDefault && image->Height() > 0)
      key = src[size_t(image->Height() - 1) * size_t(image->Width())] & 0xFFFFFF;
    else
      key = ColorToArgb(maskColor) & 0xFFFFFF;
  }
  std::vector<uint32_t> out(size_t(width_) * size_t(height_), 0);
  const int32_t x0 = strip * width_;
  for (int32_t y = 0; y < std::min(height_, image->Height()); ++y)
    for (int32_t x = 0; x < width_ && x0 + x < image->Width(); ++x) {
      const size_t si = size_t(y) * size_t(image->Width()) + size_t(x0 + x);
      uint32_t p = src[si];
      bool transparent = false;
      if (useMaskColor) transparent = (p & 0xFFFFFF) == key;
      else if (!maskPx.empty() && y < mask->Height() && x0 + x < mask->Width())
        transparent = (maskPx[size_t(y) * size_t(mask->Width()) + size_t(x0 + x)] & 0xFFFFFF) != 0;
      out[size_t(y) * size_t(width_) + size_t(x)] = transparent ? 0 : p;
    }
  return out;
}

int32_t TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
  if (!image || image->Empty()) return -1;
  const int32_t first = Count();
  const int32_t strips = std::max(1, image->Width() / width_);
  for (int32_t s = 0; s < strips; ++s) Images().push_back(FromBitmap(image, s, mask, false, clNone));
  Change();
  return first;
}

int32_t TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
  if (!image || image->Empty()) return -1;
  const int32_t first = Count();
  const int32_t strips = std::max(1, image->Width() / width_);
  for (int32_t s = 0; s < strips; ++s) Images().push_back(FromBitmap(image, s, nullptr, true, maskColor));
  Change();
  return first;
}

namespace {
// The icon's pixels, scaled (nearest) to the list's size.
std::vector<uint32_t> IconPixels(TIcon* icon, int32_t w, int32_t h) {
  std::vector<uint32_t> out(size_t(w) * size_t(h), 0);
  auto* obj = icon ? icon->Handle() : nullptr;
  if (!obj || obj->Width <= 0 || obj->Height <= 0) return out;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const int32_t sx = x * obj->Width / w, sy = y * obj->Height / h;
      const size_t si = size_t(sy) * size_t(obj->Width) + size_t(sx);
      uint32_t p = si < obj->Color.size() ? obj->Color[si] : 0;
      if (!obj->HasAlpha) {
        const bool transparent = si < obj->And.size() && obj->And[si] != 0;
        p = transparent ? 0 : (p | 0xFF000000u);
      }
      out[size_t(y) * size_t(w) + size_t(x)] = p;
    }
  return out;
}
}  // namespace

int32_t TCustomImageList::AddIcon(TIcon* icon) {
  if (!icon || icon->Empty()) return -1;
  Images().push_back(IconPixels(icon, width_, height_));
  Change();
  return Count() - 1;
}

void TCustomImageList::AddImages(TCustomImageList* value) {
  if (!value) return;
  for (const auto& src : value->Images()) {
    std::vector<uint32_t> out(size_t(width_) * size_t(height_));
    for (int32_t y = 0; y < height_; ++y)
      for (int32_t x = 0; x < width_; ++x)
        out[size_t(y) * size_t(width_) + size_t(x)] =
            src[size_t(y * value->height_ / height_) * size_t(value->width_) + size_t(x * value->width_ / width_)];
    Images().push_back(std::move(out));
  }
  Change();
}

void TCustomImageList::Insert(int32_t index, TBitmap* image, TBitmap* mask) {
  CheckIndex(index, true);
  if (!image || image->Empty()) return;
  Images().insert(Images().begin() + index, FromBitmap(image, 0, mask, false, clNone));
  Change();
}

void TCustomImageList::InsertMasked(int32_t index, TBitmap* image, TColor maskColor) {
  CheckIndex(index, true);
  if (!image || image->Empty()) return;
  Images().insert(Images().begin() + index, FromBitmap(image, 0, nullptr, true, maskColor));
  Change();
}

void TCustomImageList::InsertIcon(int32_t index, TIcon* icon) {
  CheckIndex(index, true);
  if (!icon || icon->Empty()) return;
  Images().insert(Images().begin() + index, IconPixels(icon, width_, height_));
  Change();
}

void TCustomImageList::Replace(int32_t index, TBitmap* image, TBitmap* mask) {
  CheckIndex(index);
  if (!image || image->Empty()) return;
  Images()[size_t(index)] = FromBitmap(image, 0, mask, false, clNone);
  Change();
}

void TCustomImageList::ReplaceMasked(int32_t index, TBitmap* newImage, TColor maskColor) {
  CheckIndex(index);
  if (!newImage || newImage->Empty()) return;
  Images()[size_t(index)] = FromBitmap(newImage, 0, nullptr, true, maskColor);
  Change();
}

void TCustomImageList::ReplaceIcon(int32_t index, TIcon* icon) {
  CheckIndex(index);
  if (!icon || icon->Empty()) return;
  Images()[size_t(index)] = IconPixels(icon, width_, height_);
  Change();
}

// Delete(-1) clears the list, as the framework allows.
void TCustomImageList::Delete(int32_t index) {
  if (index == -1) {
    Clear();
    return;
  }
  CheckIndex(index);
  Images().erase(Images().begin() + index);
  Change();
}

void TCustomImageList::Move(int32_t curIndex, int32_t newIndex) {
  CheckIndex(curIndex);
  CheckIndex(newIndex);
  if (curIndex == newIndex) return;
  auto img = std::move(Images()[size_t(curIndex)]);
  Images().erase(Images().begin() + curIndex);
  Images().insert(Images().begin() + newIndex, std::move(img));
  Change();
}

void TCustomImageList::Clear() {
  if (Images().empty()) return;
  Images().clear();
  Change();
}

// ---------------------------------------------------------------- drawing
void TCustomImageList::DrawPixels(TCanvas* canvas, const TRect& dest, const std::vector<uint32_t>& src,
                                  TDrawingStyle style, TImageType type, bool enabled) {
  std::vector<uint32_t> px = src;
  if (type == itMask) {
    for (uint32_t& p : px) p = A(p) >= 128 ? 0xFF000000u : 0xFFFFFFFFu;
  } else {
    if (!enabled)
      for (uint32_t& p : px) {
        const uint32_t grey = (R(p) * 30 + G(p) * 59 + B(p) * 11) / 100;
        p = Argb(A(p) / 2, grey, grey, grey);
      }
    if (style == dsFocus || style == dsSelected) {
      const uint32_t with = ColorToArgb(blendColor_ == clNone ? clHighlight : blendColor_);
      for (uint32_t& p : px) p = Mix(p, with, style == dsFocus ? 25 : 50);
    }
    if (bkColor_ != clNone && style != dsTransparent) {
      const uint32_t bk = ColorToArgb(bkColor_);
      for (uint32_t& p : px) {
        const uint32_t a = A(p);
        auto m = [&](uint32_t f, uint32_t b) { return (f * a + b * (255 - a) + 127) / 255; };
        p = Argb(255, m(R(p), R(bk)), m(G(p), G(bk)), m(B(p), B(bk)));
      }
    }
  }
  // A premultiplied DIB blended over the canvas.
  win::BITMAPINFO bi{};
  bi.bmiHeader.biWidth = width_;
  bi.bmiHeader.biHeight = -height_;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  win::HDC dc = canvas->Handle();
  win::HBITMAP dib = win::CreateDIBSection(dc, &bi, win::DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib || !bits) return;
  auto* out = static_cast<uint32_t*>(bits);
  for (size_t i = 0; i < px.size(); ++i) {
    const uint32_t p = px[i], a = A(p);
    out[i] = Argb(a, R(p) * a / 255, G(p) * a / 255, B(p) * a / 255);
  }
  win::HDC mem = win::CreateCompatibleDC(dc);
  win::HGDIOBJ old = win::SelectObject(mem, dib);
  win::BLENDFUNCTION bf;
  bf.AlphaFormat = win::AC_SRC_ALPHA;
  win::AlphaBlend(dc, dest.Left, dest.Top, dest.Width(), dest.Height(), mem, 0, 0, width_, height_, bf);
  win::SelectObject(mem, old);
  win::DeleteDC(mem);
  win::DeleteObject(dib);
}

void TCustomImageList::Draw(TCanvas* canvas, int32_t X, int32_t Y, int32_t index, bool enabled) {
  Draw(canvas, X, Y, index, drawingStyle_, imageType_, enabled);
}

void TCustomImageList::Draw(TCanvas* canvas, int32_t X, int32_t Y, int32_t index, TDrawingStyle style,
                            TImageType type, bool enabled) {
  if (!canvas || index < 0 || index >= Count()) return;
  DoDraw(index, canvas, X, Y, style, type, enabled);
}

void TCustomImageList::DoDraw(int32_t index, TCanvas* canvas, int32_t X, int32_t Y, TDrawingStyle style,
                              TImageType type, bool enabled) {
  if (!canvas || index < 0 || index >= Count()) return;
  DrawPixels(canvas, Bounds(X, Y, width_, height_), Images()[size_t(index)], style, type, enabled);
}

void TCustomImageList::StretchDraw(TCanvas* canvas, const TRect& rect, int32_t index, bool enabled) {
  if (!canvas || index < 0 || index >= Count()) return;
  DrawPixels(canvas, rect, Images()[size_t(index)], drawingStyle_, imageType_, enabled);
}

void TCustomImageList::DrawOverlay(TCanvas* canvas, int32_t X, int32_t Y, int32_t imageIndex, int32_t overlay,
                                   bool enabled) {
  Draw(canvas, X, Y, imageIndex, enabled);
  Draw(canvas, X, Y, overlay, enabled);
}

bool TCustomImageList::GetBitmap(int32_t index, TBitmap* image) {
  if (!image || index < 0 || index >= Count()) return false;
  image->SetPixelFormat(pf32bit);
  image->SetSize(width_, height_);
  image->SetAlphaFormat(afIgnored);
  const auto& px = Images()[size_t(index)];
  for (int32_t y = 0; y < height_; ++y) {
    auto* row = static_cast<uint32_t*>(image->ScanLine(y));
    for (int32_t x = 0; x < width_; ++x) row[x] = px[size_t(y) * size_t(width_) + size_t(x)];
  }
  image->SetAlphaFormat(afDefined);
  image->Changed(image);
  return true;
}

bool TCustomImageList::GetMask(int32_t index, TBitmap* mask) {
  if (!mask || index < 0 || index >= Count()) return false;
  mask->SetPixelFormat(pf32bit);
  mask->SetSize(width_, height_);
  const auto& px = Images()[size_t(index)];
  for (int32_t y = 0; y < height_; ++y) {
    auto* row = static_cast<uint32_t*>(mask->ScanLine(y));
    for (int32_t x = 0; x < width_; ++x) row[x] = A(px[size_t(y) * size_t(width_) + size_t(x)]) >= 128 ? 0 : 0xFFFFFF;
  }
  mask->SetPixelFormat(pf1bit);
  mask->Changed(mask);
  return true;
}

bool TCustomImageList::GetIcon(int32_t index, TIcon* icon) {
  if (!icon || index < 0 || index >= Count()) return false;
  const auto& px = Images()[size_t(index)];
  icon->SetHandle(win::CreateIconFromPixels(width_, height_, px.data(), nullptr));
  return true;
}

void RegisterImageListClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    PTypeInfo color = DefineIntegerType("TColor", otSLong, IdentToColor, ColorToIdent);
    DefineEnumType<TDrawingStyle>("TDrawingStyle", {"dsFocus", "dsSelected", "dsNormal", "dsTransparent"});
    DefineEnumType<TImageType>("TImageType", {"itImage", "itMask"});
    DefineEnumType<TColorDepth>("TColorDepth",
                                {"cdDefault", "cdDeviceDependent", "cd4Bit", "cd8Bit", "cd16Bit", "cd24Bit", "cd32Bit"});
    Published<TCustomImageList>()
        .Int("AllocBy", &TCustomImageList::AllocBy, &TCustomImageList::SetAllocBy, 4)
        .Int("BkColor", &TCustomImageList::BkColor, &TCustomImageList::SetBkColor, clNone)
        .Type(color)
        .Int("BlendColor", &TCustomImageList::BlendColor, &TCustomImageList::SetBlendColor, clNone)
        .Type(color)
        .Enum("ColorDepth", &TCustomImageList::ColorDepth, &TCustomImageList::SetColorDepth, cdDeviceDependent)
        .Enum("DrawingStyle", &TCustomImageList::DrawingStyle, &TCustomImageList::SetDrawingStyle, dsNormal)
        .Int("Height", &TCustomImageList::Height, &TCustomImageList::SetHeight, 16)
        .Enum("ImageType", &TCustomImageList::ImageType, &TCustomImageList::SetImageType, itImage)
        .Bool("Masked", &TCustomImageList::Masked, &TCustomImageList::SetMasked, true)
        .Int("Width", &TCustomImageList::Width, &TCustomImageList::SetWidth, 16)
        .Event("OnChange", &TCustomImageList::OnChange);
    Published<TCustomImageList>().Bool("ShareImages", &TCustomImageList::ShareImages,
                                       &TCustomImageList::SetShareImages, false);
    RegisterClass(TImageList::StaticClass());
  });
}
