// TIcon (with its .ico reader and writer), TMetafile and TPicture with the
// registry of graphic classes by file extension.
//
// The .ico format as Microsoft documents it: an ICONDIR (reserved 0, type 1
// for icons or 2 for cursors, image count), one 16-byte entry per image (size,
// colour count, planes or hot spot, bit count or hot spot, byte count, offset),
// then each image as a BITMAPINFOHEADER DIB of twice its height (the XOR image
// bottom-up, then the 1-bit AND mask) or as a PNG stream.
#include <algorithm>
#include <cstring>
#include <mutex>

#include "platform/classes/filer.h"
#include "platform/gdi/icon.h"
#include "platform/gdi/imagegate.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/graphics.h"

namespace {

using namespace win;

constexpr const char* kInvalidIcon = "Icon image is not valid";
[[noreturn]] void InvalidIcon() { throw EInvalidGraphic(kInvalidIcon); }

uint32_t Le(const uint8_t* p, int n) {
  uint32_t v = 0;
  for (int i = 0; i < n; ++i) v |= uint32_t(p[i]) << (8 * i);
  return v;
}
void PutLe(std::vector<uint8_t>& out, uint32_t v, int n) {
  for (int i = 0; i < n; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

std::vector<uint8_t> ReadRest(TStream& stream) {
  const int64_t n = stream.Size() - stream.Position();
  if (n <= 0 || n > (int64_t(64) << 20)) return {};
  std::vector<uint8_t> bytes(static_cast<size_t>(n));
  stream.ReadBuffer(bytes.data(), n);
  return bytes;
}

// One DIB image of an icon file into 0xAARRGGBB pixels and an AND mask (top row
// first); false when it is not a DIB this reader takes.
bool DecodeIconImage(const uint8_t* p, size_t size, std::vector<uint32_t>& px, std::vector<uint8_t>& andMask, int& w,
                     int& h) {
  if (size < 40) return false;
  const uint32_t headerSize = Le(p, 4);
  if (headerSize < 40 || headerSize > size) return false;
  const int32_t width = int32_t(Le(p + 4, 4));
  const int32_t height2 = int32_t(Le(p + 8, 4));
  const int bits = int(Le(p + 14, 2));
  const uint32_t compression = Le(p + 16, 4);
  const uint32_t clrUsed = Le(p + 32, 4);
  if (compression != BI_RGB || width <= 0 || width > 1024 || height2 <= 0 || height2 > 2048) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
  w = width;
  h = height2 / 2;
  if (h <= 0) return false;
  size_t pos = headerSize;
  std::vector<uint32_t> table;
  if (bits <= 8) {
    const uint32_t n = std::min<uint32_t>(clrUsed ? clrUsed : (1u << bits), 1u << bits);
    if (pos + size_t(n) * 4 > size) return false;
    for (uint32_t i = 0; i < n; ++i, pos += 4) table.push_back(Le(p + pos, 3));
    table.resize(size_t(1) << bits, 0);
  }
  // The gate: the colour rows must all be in the entry's bytes before
  // anything is made; the mask is optional and read only when it is whole.
  int64_t xorBytes = 0, andBytes = 0;
  if (!ImageBufferBytes(DibRowBytes(w, bits), h, 1, xorBytes) || !ImageBufferBytes(DibRowBytes(w, 1), h, 1, andBytes) ||
      !ImageDataFits(int64_t(pos), xorBytes, int64_t(size)) || !ImagePixelsAllowed(w, h, int64_t(w) * h))
    return false;
  const size_t xorRow = size_t(DibRowBytes(w, bits));
  const size_t andRow = size_t(DibRowBytes(w, 1));
  const bool hasMask = ImageDataFits(int64_t(pos) + xorBytes, andBytes, int64_t(size));
  px.assign(size_t(w) * size_t(h), 0);
  andMask.assign(size_t(w) * size_t(h), 0);
  for (int i = 0; i < h; ++i) {
    const int y = h - 1 - i;  // rows are bottom-up
    const uint8_t* row = p + pos + size_t(i) * xorRow;
    for (int x = 0; x < w; ++x) {
      uint32_t v;
      switch (bits) {
        case 1: v = table[(row[x >> 3] >> (7 - (x & 7))) & 1]; break;
        case 4: v = table[(x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4]; break;
        case 8: v = table[row[x]]; break;
        case 24: v = Le(row + 3 * x, 3); break;
        default: v = Le(row + 4 * x, 4); break;
      }
      px[size_t(y) * size_t(w) + size_t(x)] = v;
    }
    if (hasMask) {
      const uint8_t* m = p + pos + xorRow * size_t(h) + size_t(i) * andRow;
      for (int x = 0; x < w; ++x) andMask[size_t(y) * size_t(w) + size_t(x)] = (m[x >> 3] >> (7 - (x & 7))) & 1;
    }
  }
  return true;
}

// A one-image 32-bit .ico of the icon's pixels.
std::vector<uint8_t> EncodeIcon(const IconObject& ic) {
  const int w = ic.Width, h = ic.Height;
  const size_t andRow = size_t(DibRowBytes(w, 1));
  const uint32_t imageSize = uint32_t(40 + size_t(w) * size_t(h) * 4 + andRow * size_t(h));
  std::vector<uint8_t> out;
  PutLe(out, 0, 2);
  PutLe(out, 1, 2);
  PutLe(out, 1, 2);
  out.push_back(uint8_t(w >= 256 ? 0 : w));
  out.push_back(uint8_t(h >= 256 ? 0 : h));
  out.push_back(0);
  out.push_back(0);
  PutLe(out, 1, 2);
  PutLe(out, 32, 2);
  PutLe(out, imageSize, 4);
  PutLe(out, 22, 4);
  PutLe(out, 40, 4);
  PutLe(out, uint32_t(w), 4);
  PutLe(out, uint32_t(2 * h), 4);
  PutLe(out, 1, 2);
  PutLe(out, 32, 2);
  for (int i = 0; i < 6; ++i) PutLe(out, 0, 4);
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x) {
      const size_t i = size_t(y) * size_t(w) + size_t(x);
      uint32_t v = ic.Color[i];
      // An image without alpha gets opaque pixels where the mask does not show the background.
      if (!ic.HasAlpha) v = (v & 0x00FFFFFFu) | (ic.And[i] ? 0u : 0xFF000000u);
      PutLe(out, v, 4);
    }
  for (int y = h - 1; y >= 0; --y) {
    std::vector<uint8_t> row(andRow, 0);
    for (int x = 0; x < w; ++x)
      if (ic.And[size_t(y) * size_t(w) + size_t(x)]) row[size_t(x >> 3)] |= uint8_t(0x80 >> (x & 7));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

// ---------------------------------------------------------------- the registry

struct FileFormat {
  std::string extension;  // lower case, no dot
  std::string description;
  TGraphicClass graphicClass;
};

struct Registry {
  std::mutex mutex;
  std::vector<FileFormat> formats;
};

// The built-in formats, registered in one place.
void RegisterBuiltinFormats(std::vector<FileFormat>& f) {
  f.push_back({"bmp", "Bitmaps", TBitmap::StaticClass()});
  f.push_back({"ico", "Icons", TIcon::StaticClass()});
  f.push_back({"emf", "Enhanced Metafiles", TMetafile::StaticClass()});
  f.push_back({"wmf", "Metafiles", TMetafile::StaticClass()});
}

Registry& Formats() {
  static Registry r;
  static std::once_flag once;
  std::call_once(once, [] { RegisterBuiltinFormats(r.formats); });
  return r;
}

std::string NormalizeExt(std::string_view ext) {
  if (!ext.empty() && ext.front() == '.') ext.remove_prefix(1);
  return LowerCase(ext);
}

std::unique_ptr<TGraphic> MakeGraphic(TGraphicClass cls) {
  if (!cls || !cls->Create || !cls->InheritsFrom(TGraphic::StaticClass()))
    throw EInvalidGraphicOperation("Cannot create a graphic of this class");
  std::unique_ptr<TObject> obj(cls->Create(nullptr));
  auto* g = dynamic_cast<TGraphic*>(obj.get());
  if (!g) throw EInvalidGraphicOperation("Cannot create a graphic of this class");
  obj.release();
  return std::unique_ptr<TGraphic>(g);
}

}  // namespace

// ---------------------------------------------------------------- TIcon

TIcon::TIcon() { transparent_ = true; }

TIcon::~TIcon() {
  if (handle_) DestroyIcon(handle_);
}

void TIcon::Assign(TPersistent* source) {
  if (source == this) return;
  if (!source) {
    SetHandle(nullptr);
    return;
  }
  if (auto* src = dynamic_cast<TIcon*>(source)) {
    HICON copy = src->handle_ ? CopyIcon(src->handle_) : nullptr;
    if (handle_) DestroyIcon(handle_);
    handle_ = copy;
    fileImage_ = src->fileImage_;
    Changed(this);
    return;
  }
  TGraphic::Assign(source);
}

int32_t TIcon::Width() const {
  const IconObject* ic = CheckedHandle<IconObject>(handle_, OBJ_ICON_INTERNAL);
  return ic ? ic->Width : 0;
}

int32_t TIcon::Height() const {
  const IconObject* ic = CheckedHandle<IconObject>(handle_, OBJ_ICON_INTERNAL);
  return ic ? ic->Height : 0;
}

void TIcon::SetWidth(int32_t width) {
  if (width != Width()) throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::SetHeight(int32_t height) {
  if (height != Height()) throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::SetHandle(HICON icon) {
  if (icon == handle_) return;
  if (handle_) DestroyIcon(handle_);
  handle_ = icon;
  fileImage_.clear();
  Changed(this);
}

HICON TIcon::ReleaseHandle() {
  HICON h = handle_;
  handle_ = nullptr;
  fileImage_.clear();
  Changed(this);
  return h;
}

void TIcon::Draw(TCanvas* canvas, const TRect& r) {
  if (!handle_ || !canvas) return;
  DrawIconEx(canvas->Handle(), r.Left, r.Top, handle_, r.Width(), r.Height(), 0, nullptr, DI_NORMAL);
}

void TIcon::LoadFromStream(TStream& stream) {
  std::vector<uint8_t> file = ReadRest(stream);
  if (file.size() < 6 || Le(&file[0], 2) != 0) InvalidIcon();
  const uint32_t type = Le(&file[2], 2), count = Le(&file[4], 2);
  if ((type != 1 && type != 2) || count == 0 || 6 + size_t(count) * 16 > file.size()) InvalidIcon();
  static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* e = &file[6 + size_t(i) * 16];
    const uint32_t size = Le(e + 8, 4), offset = Le(e + 12, 4);
    if (offset >= file.size() || size > file.size() - offset) continue;
    if (size >= 8 && std::memcmp(&file[offset], kPng, 8) == 0) continue;
    std::vector<uint32_t> px;
    std::vector<uint8_t> mask;
    int w = 0, h = 0;
    if (!DecodeIconImage(&file[offset], size, px, mask, w, h)) continue;
    HICON icon = CreateIconFromPixels(w, h, px.data(), mask.data());
    if (!icon) continue;
    if (auto* ic = CheckedHandle<IconObject>(icon, OBJ_ICON_INTERNAL)) {
      ic->IsIcon = type == 1;
      ic->HotX = int32_t(Le(e + 4, 2));
      ic->HotY = int32_t(Le(e + 6, 2));
    }
    if (handle_) DestroyIcon(handle_);
    handle_ = icon;
    fileImage_ = std::move(file);
    Changed(this);
    return;
  }
  InvalidIcon();
}

void TIcon::SaveToStream(TStream& stream) {
  if (!fileImage_.empty()) {
    stream.WriteBuffer(fileImage_.data(), int64_t(fileImage_.size()));
    return;
  }
  const IconObject* ic = CheckedHandle<IconObject>(handle_, OBJ_ICON_INTERNAL);
  if (!ic) return;
  const std::vector<uint8_t> bytes = EncodeIcon(*ic);
  stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
}

// ---------------------------------------------------------------- TMetafile

void TMetafile::Assign(TPersistent* source) {
  if (auto* m = dynamic_cast<TMetafile*>(source)) {
    width_ = m->width_;
    height_ = m->height_;
    enhanced_ = m->enhanced_;
    Changed(this);
    return;
  }
  if (!source) {
    width_ = height_ = 0;
    Changed(this);
    return;
  }
  TGraphic::Assign(source);
}

void TMetafile::LoadFromStream(TStream&) { throw EInvalidGraphic("Metafiles are not supported"); }

void TMetafile::SaveToStream(TStream&) {}

// ---------------------------------------------------------------- TPicture

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed(TObject*) {
  if (OnChange) OnChange(this);
}

void TPicture::Assign(TPersistent* source) {
  if (!source) {
    SetGraphic(nullptr);
  } else if (auto* p = dynamic_cast<TPicture*>(source)) {
    if (p != this) SetGraphic(p->Graphic());
  } else if (auto* g = dynamic_cast<TGraphic*>(source)) {
    SetGraphic(g);
  } else {
    TPersistent::Assign(source);
  }
}

void TPicture::SetGraphic(TGraphic* graphic) {
  std::unique_ptr<TGraphic> copy;
  if (graphic) {
    copy = MakeGraphic(graphic->ClassType());
    copy->Assign(graphic);
    copy->OnChange = [this](TObject* s) { Changed(s); };
  }
  graphic_ = std::move(copy);
  Changed(this);
}

void TPicture::ForceType(TGraphicClass cls) {
  if (graphic_ && graphic_->InheritsFrom(cls)) return;
  graphic_ = MakeGraphic(cls);
  graphic_->OnChange = [this](TObject* s) { Changed(s); };
  Changed(this);
}

TBitmap* TPicture::Bitmap() {
  ForceType(TBitmap::StaticClass());
  return static_cast<TBitmap*>(graphic_.get());
}

TIcon* TPicture::Icon() {
  ForceType(TIcon::StaticClass());
  return static_cast<TIcon*>(graphic_.get());
}

TMetafile* TPicture::Metafile() {
  ForceType(TMetafile::StaticClass());
  return static_cast<TMetafile*>(graphic_.get());
}

void TPicture::LoadFromFile(const std::string& fileName) {
  const std::string ext = NormalizeExt(ExtractFileExt(fileName));
  TGraphicClass cls = GraphicClassForExtension(ext);
  if (!cls) throw EInvalidGraphic("Unknown picture file extension (." + ext + ")");
  std::unique_ptr<TGraphic> g = MakeGraphic(cls);
  g->LoadFromFile(fileName);
  g->OnChange = [this](TObject* s) { Changed(s); };
  graphic_ = std::move(g);
  Changed(this);
}

void TPicture::SaveToFile(const std::string& fileName) {
  if (graphic_) graphic_->SaveToFile(fileName);
}

void TPicture::LoadFromStream(TStream& stream) {
  uint8_t sig[4] = {0, 0, 0, 0};
  const int64_t start = stream.Position();
  const int32_t got = stream.Read(sig, 4);
  stream.SetPosition(start);
  TGraphicClass cls = nullptr;
  if (got >= 2 && sig[0] == 'B' && sig[1] == 'M') cls = TBitmap::StaticClass();
  else if (got >= 4 && sig[0] == 0 && sig[1] == 0 && (sig[2] == 1 || sig[2] == 2) && sig[3] == 0) cls = TIcon::StaticClass();
  if (!cls) throw EInvalidGraphic("Unsupported picture format");
  std::unique_ptr<TGraphic> g = MakeGraphic(cls);
  g->LoadFromStream(stream);
  g->OnChange = [this](TObject* s) { Changed(s); };
  graphic_ = std::move(g);
  Changed(this);
}

void TPicture::SaveToStream(TStream& stream) {
  if (graphic_) graphic_->SaveToStream(stream);
}

void TPicture::RegisterFileFormat(const std::string& extension, const std::string& description,
                                  TGraphicClass graphicClass) {
  if (!graphicClass || !graphicClass->InheritsFrom(TGraphic::StaticClass()))
    throw EInvalidGraphicOperation("Not a graphic class");
  Registry& r = Formats();
  std::lock_guard lock(r.mutex);
  // A later registration of an extension wins, as on the platform.
  r.formats.insert(r.formats.begin(), FileFormat{NormalizeExt(extension), description, graphicClass});
}

void TPicture::UnregisterGraphicClass(TGraphicClass graphicClass) {
  Registry& r = Formats();
  std::lock_guard lock(r.mutex);
  std::erase_if(r.formats, [&](const FileFormat& f) { return f.graphicClass == graphicClass; });
}

TGraphicClass TPicture::GraphicClassForExtension(std::string_view extension) {
  const std::string ext = NormalizeExt(extension);
  Registry& r = Formats();
  std::lock_guard lock(r.mutex);
  for (const FileFormat& f : r.formats)
    if (f.extension == ext) return f.graphicClass;
  return nullptr;
}

std::string TPicture::GraphicFileMask(TGraphicClass graphicClass) {
  Registry& r = Formats();
  std::lock_guard lock(r.mutex);
  std::string mask;
  for (const FileFormat& f : r.formats)
    if (f.graphicClass->InheritsFrom(graphicClass)) {
      if (!mask.empty()) mask += ';';
      mask += "*." + f.extension;
    }
  return mask;
}

std::string TPicture::GraphicExtension(TGraphicClass graphicClass) {
  Registry& r = Formats();
  std::lock_guard lock(r.mutex);
  for (const FileFormat& f : r.formats)
    if (f.graphicClass == graphicClass) return f.extension;
  for (const FileFormat& f : r.formats)
    if (f.graphicClass->InheritsFrom(graphicClass)) return f.extension;
  return {};
}

std::string TPicture::GraphicFilter(TGraphicClass graphicClass) {
  const std::string all = GraphicFileMask(graphicClass);
  Registry& r = Formats();
  std::lock_guard lock(r.mutex);
  std::string filter;
  int count = 0;
  for (const FileFormat& f : r.formats)
    if (f.graphicClass->InheritsFrom(graphicClass)) {
      filter += '|' + f.description + " (*." + f.extension + ")|*." + f.extension;
      ++count;
    }
  if (count > 1) filter = "All (" + all + ")|" + all + filter;
  else if (!filter.empty()) filter.erase(0, 1);
  return filter;
}

void TPicture::DefineProperties(TFiler* filer) {
  filer->DefineBinaryProperty(
      "Data", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); }, graphic_ != nullptr);
}

// The picture's form data: the graphic's class name as a length-prefixed
// string, then the graphic's own data.
void TPicture::ReadData(TStream& stream) {
  uint8_t len = 0;
  stream.ReadBuffer(&len, 1);
  std::string name(len, '\0');
  if (len) stream.ReadBuffer(name.data(), len);
  TGraphicClass cls = nullptr;
  {
    Registry& r = Formats();
    std::lock_guard lock(r.mutex);
    for (const FileFormat& f : r.formats)
      if (SameText(f.graphicClass->Name, name)) cls = f.graphicClass;
  }
  if (!cls) cls = GetClass(name);
  if (!cls || !cls->InheritsFrom(TGraphic::StaticClass())) {
    SetGraphic(nullptr);
    throw EInvalidGraphic("Unknown picture class " + name);
  }
  std::unique_ptr<TGraphic> g = MakeGraphic(cls);
  g->ReadData(stream);
  g->OnChange = [this](TObject* s) { Changed(s); };
  graphic_ = std::move(g);
  Changed(this);
}

void TPicture::WriteData(TStream& stream) {
  const std::string name = graphic_ ? graphic_->ClassName() : std::string();
  const uint8_t len = uint8_t(std::min<size_t>(name.size(), 255));
  stream.WriteBuffer(&len, 1);
  if (len) stream.WriteBuffer(name.data(), len);
  if (graphic_) graphic_->WriteData(stream);
}
