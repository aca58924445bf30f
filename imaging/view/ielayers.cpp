#include "imaging/view/ielayers.h"

#include <cmath>
#include <mutex>
#include <random>

#include "imaging/view/voviderview.h"
#include "platform/vcl/graphics.h"

namespace {

// A random (version 4) identifier; layers only need it unique within the process.
void NewLayerGuid(std::array<uint8_t, 16>& guid) {
  static std::mutex lock;
  static std::mt19937_64 generator{(uint64_t(std::random_device{}()) << 32) ^ std::random_device{}()};
  std::lock_guard guard(lock);
  for (size_t i = 0; i < guid.size(); i += 8) {
    const uint64_t v = generator();
    for (size_t k = 0; k < 8; ++k) guid[i + k] = uint8_t(v >> (8 * k));
  }
  guid[6] = uint8_t((guid[6] & 0x0F) | 0x40);
  guid[8] = uint8_t((guid[8] & 0x3F) | 0x80);
}

int32_t TruncToInt(double v) {
  if (!(v > -2147483648.0)) return INT32_MIN;  // NaN too
  if (!(v < 2147483648.0)) return INT32_MAX;
  return int32_t(v);
}

}  // namespace

TIELayer::TIELayer(TVovidErView* owner, TIEBitmap* bitmap, bool useGiven) {
  NewLayerGuid(GUID);
  Owner = owner;
  if (useGiven) {
    Bitmap = bitmap;
  } else {
    auto own = std::make_unique<TIEBitmap>();
    if (bitmap) {
      // A template kept in a platform bitmap gives the copy a platform bitmap
      // of its own (owned by the new buffer); other templates their location.
      own->SetLocation(bitmap->Location());
      own->Allocate(bitmap->GetWidth(), bitmap->GetHeight(), bitmap->GetPixelFormat());
    }
    Bitmap = own.release();
  }
  OwnsBitmap = true;
  SetDefaults();
}

TIELayer::~TIELayer() {
  if (OwnsBitmap && Bitmap) {
    // A platform bitmap the buffer only wraps (legacy mode) belongs to the layer.
    TBitmap* wrapped = Bitmap->Location() == ieTBitmap && Bitmap->VclBitmapNotOwned() ? Bitmap->VclBitmap() : nullptr;
    if (wrapped) Bitmap->FreeImage(true);
    delete wrapped;
    delete Bitmap;
  }
  Bitmap = nullptr;
  FreeUserData();
  MaskCache.reset();
}

void TIELayer::FreeUserData() {
  if (UserDataLen > 0) delete[] UserData;
  UserData = nullptr;
  UserDataLen = 0;
}

void TIELayer::SetDefaults() {
  Width = 0;
  Height = 0;
  SetRotation(0);
  Visible = true;
  VisibleBox = true;
  Transparency = 255;
  PosX = 0;
  PosY = 0;
  DrawnRect = TRect{0, 0, 0, 0};
  Cropped = false;
  Locked = false;
  Selectable = true;
  Magnify = TIEMagnify{};
  Operation = ieloCopy;
  FreeUserData();
  IsMask = false;
  DrawDestRect = TIEDrawRect{};
  DrawSourceRect = TIEDrawRect{};
  Corners = {};
  DimOutside = false;
  RotationCenterX = 0.5;
  RotationCenterY = 0.5;
}

void TIELayer::Assign(const TIELayer& source) {
  if (&source == this) return;
  Width = source.Width;
  Height = source.Height;
  if (Bitmap && source.Bitmap) Bitmap->Assign(source.Bitmap);
  Visible = source.Visible;
  VisibleBox = source.VisibleBox;
  Selectable = source.Selectable;
  Transparency = source.Transparency;
  PosX = source.PosX;
  PosY = source.PosY;
  DrawnRect = source.DrawnRect;
  Cropped = source.Cropped;
  Locked = source.Locked;
  Magnify = source.Magnify;
  Operation = source.Operation;
  // The block stays the source's: this layer shares it and must not free it.
  if (UserData != source.UserData) FreeUserData();
  UserData = source.UserData;
  UserDataLen = 0;
  ResampleFilter = source.ResampleFilter;
  UseResampleFilter = source.UseResampleFilter;
  Name = source.Name;
  IsMask = source.IsMask;
  DimOutside = source.DimOutside;
}

int32_t TIELayer::GetWidth() const {
  if (Width != 0) return Width;
  return Bitmap ? Bitmap->GetWidth() : 0;
}

int32_t TIELayer::GetHeight() const {
  if (Height != 0) return Height;
  return Bitmap ? Bitmap->GetHeight() : 0;
}

void TIELayer::SetRotation(double angle) {
  // Whole turns are no rotation; fmod keeps the test exact for any magnitude.
  if (std::trunc(angle) == angle && std::fmod(angle, 360.0) == 0)
    rotation_ = 0;
  else
    rotation_ = angle;
}

int32_t TIELayer::ClientToBitmapX(int32_t x) const {
  const int32_t w = GetWidth();
  if (w == 0 || !Bitmap) return 0;
  const double f = Owner ? Owner->ZoomFactorX() : 1.0;
  const int32_t u = x - TruncToInt(PosX * f);
  const int32_t t = Owner ? Owner->ClientToBitmapX(u) : u;
  return TruncToInt(double(t) / w * Bitmap->GetWidth());
}

int32_t TIELayer::ClientToBitmapY(int32_t y) const {
  const int32_t h = GetHeight();
  if (h == 0 || !Bitmap) return 0;
  const double f = Owner ? Owner->ZoomFactorY() : 1.0;
  const int32_t u = y - TruncToInt(PosY * f);
  const int32_t t = Owner ? Owner->ClientToBitmapY(u) : u;
  return TruncToInt(double(t) / h * Bitmap->GetHeight());
}

int32_t TIELayer::BitmapToClientX(int32_t bx) const {
  const double f = Owner ? Owner->ZoomFactorX() : 1.0;
  const int32_t bw = Bitmap ? Bitmap->GetWidth() : 0;
  // An empty bitmap has no scale to apply: its position alone places it.
  const int32_t scaled = bw > 0 ? TruncToInt(double(bx) / bw * GetWidth()) : 0;
  const int32_t c = Owner ? Owner->BitmapToClientX(scaled) : scaled;
  return c + TruncToInt(PosX * f);
}

int32_t TIELayer::BitmapToClientY(int32_t by) const {
  const double f = Owner ? Owner->ZoomFactorY() : 1.0;
  const int32_t bh = Bitmap ? Bitmap->GetHeight() : 0;
  const int32_t scaled = bh > 0 ? TruncToInt(double(by) / bh * GetHeight()) : 0;
  const int32_t c = Owner ? Owner->BitmapToClientY(scaled) : scaled;
  return c + TruncToInt(PosY * f);
}
