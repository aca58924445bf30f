#include "imaging/metadata/ieannot.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "platform/classes/lists.h"

int32_t IEScreenDpiX = 96;
int32_t IEScreenDpiY = 96;

namespace {

constexpr int32_t kRecordNamedBlock = 2;
constexpr int32_t kRecordMark = 5;
constexpr int32_t kRecordMarkBlock = 6;
constexpr int32_t kImageInfoSize = 56;
constexpr int32_t kTextHeaderSize = 16;
constexpr int32_t kTextScaleDefault = 7500;
constexpr int32_t kTextSizeOffset = 48;
constexpr int32_t kSavedImageDpi = 200;

int32_t I32LE(const uint8_t* p) {
  return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

void PutI32LE(uint8_t* p, int32_t v) {
  const uint32_t u = uint32_t(v);
  p[0] = uint8_t(u);
  p[1] = uint8_t(u >> 8);
  p[2] = uint8_t(u >> 16);
  p[3] = uint8_t(u >> 24);
}

// Reads forward through a block; every read is checked against what remains.
class TBlockReader {
public:
  TBlockReader(const uint8_t* data, int64_t size) : data_(data), size_(size) {}
  int64_t Position() const { return pos_; }
  bool Seek(int64_t pos) {
    if (pos < 0 || pos > size_) return false;
    pos_ = pos;
    return true;
  }
  bool Bytes(int64_t count, const uint8_t*& out) {
    if (count < 0 || count > size_ - pos_) return false;
    out = data_ + pos_;
    pos_ += count;
    return true;
  }
  bool I32(int32_t& v) {
    const uint8_t* p;
    if (!Bytes(4, p)) return false;
    v = I32LE(p);
    return true;
  }

private:
  const uint8_t* data_;
  int64_t size_;
  int64_t pos_ = 0;
};

// What the named blocks of the mark being read have brought so far.
struct TPendingMark {
  std::array<uint8_t, TIEImagingObject::AttributesSize> Attributes{};
  std::optional<std::vector<TPoint>> Points;
  std::optional<std::vector<uint8_t>> DIB;
  std::optional<std::vector<uint8_t>> Text;
  int32_t Type() const { return I32LE(Attributes.data()); }
};

std::string_view NameOf(const uint8_t* name) {
  const void* zero = std::memchr(name, 0, 8);
  return {reinterpret_cast<const char*>(name), zero ? size_t(static_cast<const uint8_t*>(zero) - name) : 8};
}

// The point block of a mark of type 3 or 4: a value, N, then N points. None
// when the points would run past the block.
std::optional<std::vector<TPoint>> ReadPoints(const uint8_t* data, int32_t size) {
  if (size < 8) return std::nullopt;
  const int32_t count = I32LE(data + 4);
  if (count < 0 || int64_t(count) * 8 > int64_t(size) - 8) return std::nullopt;
  std::vector<TPoint> points(static_cast<size_t>(count));
  for (size_t i = 0; i < points.size(); ++i)
    points[i] = TPoint(I32LE(data + 8 + i * 8), I32LE(data + 12 + i * 8));
  return points;
}

// A named block at the reader's position; false when it runs past the end.
// Blocks of the whole block (mark null) carry nothing the library uses.
bool ReadNamedBlock(TBlockReader& r, int32_t sizeFlag, TPendingMark* mark) {
  const uint8_t* name;
  const uint8_t* data;
  const uint8_t* skipped;
  int32_t size;
  if (!r.Bytes(8, name) || !r.I32(size)) return false;
  if (sizeFlag == 0 && !r.Bytes(4, skipped)) return false;
  if (!r.Bytes(size, data)) return false;
  if (!mark) return true;
  const std::string_view n = NameOf(name);
  const int32_t type = mark->Type();
  if (n == "OiAnoDat") {
    if (type == 3 || type == 4) mark->Points = ReadPoints(data, size);
  } else if (n == "OiDIB") {
    mark->DIB.emplace(data, data + size);
  } else if (n == "OiAnText") {
    mark->Text.emplace(data, data + size);
  }
  return true;
}

int32_t RoundToInt32(double v) {
  const double r = std::nearbyint(v);  // halves to even
  if (!(r >= double(std::numeric_limits<int32_t>::min()))) return std::numeric_limits<int32_t>::min();
  if (r > double(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  return int32_t(r);
}

void ApplyText(TIEImagingObject& object, const std::vector<uint8_t>& block) {
  if (block.size() < size_t(kTextHeaderSize)) return;
  const uint8_t* text = block.data() + kTextHeaderSize;
  const uint8_t* end = block.data() + block.size();
  const uint8_t* stop = std::find(text, end, uint8_t(0));
  object.HasText = true;
  object.Text.assign(reinterpret_cast<const char*>(text), size_t(stop - text));
  // The size at byte 48 is kept on a scale of 7500; the block says which scale it was written at.
  int32_t scale = I32LE(block.data() + 8);
  if (scale == 0) scale = kTextScaleDefault;
  const int32_t v = I32LE(object.Attributes.data() + kTextSizeOffset);
  const double t = std::nearbyint(1000.0 / scale * v);
  PutI32LE(object.Attributes.data() + kTextSizeOffset, RoundToInt32(7500.0 / 1000.0 * t));
}

std::unique_ptr<TIEImagingObject> FinishMark(const TPendingMark& mark) {
  const int32_t type = mark.Type();
  if (type <= 0) return nullptr;
  auto object = std::make_unique<TIEImagingObject>();
  object->Attributes = mark.Attributes;
  if (type == 1 && mark.DIB)
    object->Image = IEPackedDIBToBitmap(mark.DIB->data(), int32_t(mark.DIB->size()));
  else if ((type == 3 || type == 4) && mark.Points)
    object->Points = *mark.Points;
  else if (type >= 7 && type <= 10 && mark.Text)
    ApplyText(*object, *mark.Text);
  return object;
}

class TBlockWriter {
public:
  void I32(int32_t v) {
    uint8_t b[4];
    PutI32LE(b, v);
    bytes_.insert(bytes_.end(), b, b + 4);
  }
  void Raw(const void* data, size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
  }
  // Record type, 12, the name padded with zeros to 8 bytes, the data's size, the data.
  void NamedBlock(int32_t record, std::string_view name, const std::vector<uint8_t>& data) {
    I32(record);
    I32(12);
    char padded[8] = {};
    std::memcpy(padded, name.data(), std::min<size_t>(name.size(), 8));
    Raw(padded, 8);
    I32(int32_t(data.size()));
    Raw(data.data(), data.size());
  }
  void NamedText(int32_t record, std::string_view name, const std::string& text) {
    std::vector<uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    NamedBlock(record, name, data);
  }
  std::vector<uint8_t>& Bytes() { return bytes_; }

private:
  std::vector<uint8_t> bytes_;
};

std::vector<uint8_t> Values(std::initializer_list<int32_t> values) {
  std::vector<uint8_t> out(values.size() * 4);
  size_t i = 0;
  for (int32_t v : values) PutI32LE(out.data() + 4 * i++, v);
  return out;
}

}  // namespace

int32_t TIEImagingObject::ObjectType() const { return I32LE(Attributes.data()); }

TIEImagingObject& TIEImagingAnnot::Objects(int32_t index) {
  if (index < 0 || index >= ObjectsCount()) TList::Error("List index out of bounds (%d)", index);
  return *objects_[size_t(index)];
}

const TIEImagingObject& TIEImagingAnnot::Objects(int32_t index) const {
  return const_cast<TIEImagingAnnot*>(this)->Objects(index);
}

TIEImagingObject& TIEImagingAnnot::AddObject() {
  objects_.push_back(std::make_unique<TIEImagingObject>());
  return *objects_.back();
}

void TIEImagingAnnot::Assign(const TIEImagingAnnot* source) {
  if (source == this) return;
  Clear();
  if (!source) return;
  for (const auto& from : source->objects_) {
    TIEImagingObject& to = AddObject();
    to.Attributes = from->Attributes;
    to.Points = from->Points;
    to.HasText = from->HasText;
    to.Text = from->Text;
    if (from->Image) {
      to.Image = std::make_unique<TIEBitmap>();
      to.Image->Assign(from->Image.get());
    }
  }
}

void TIEImagingAnnot::LoadFromBuffer(const void* buffer, int32_t length) {
  if (!buffer || length <= 0) return;
  TBlockReader r(static_cast<const uint8_t*>(buffer), length);
  int32_t sizeFlag;
  if (!r.Seek(4) || !r.I32(sizeFlag)) return;
  TPendingMark pending;
  while (r.Position() < length) {
    int32_t type, value;
    if (!r.I32(type) || !r.I32(value)) break;
    if (type == kRecordNamedBlock || type == kRecordMarkBlock) {
      if (!ReadNamedBlock(r, sizeFlag, type == kRecordMarkBlock ? &pending : nullptr)) break;
    } else if (type == kRecordMark) {
      if (auto object = FinishMark(pending)) objects_.push_back(std::move(object));
      pending = TPendingMark();
      const uint8_t* attributes;
      if (!r.Bytes(TIEImagingObject::AttributesSize, attributes)) break;
      std::memcpy(pending.Attributes.data(), attributes, pending.Attributes.size());
    }
  }
  if (auto object = FinishMark(pending)) objects_.push_back(std::move(object));
}

std::vector<uint8_t> TIEImagingAnnot::SaveToBuffer() const {
  if (objects_.empty()) return {};
  TBlockWriter w;
  w.I32(0);
  w.I32(1);
  w.NamedText(kRecordNamedBlock, "OiGroup", "0");
  w.NamedText(kRecordNamedBlock, "OiIndex", "1");
  for (size_t i = 0; i < objects_.size(); ++i) {
    const TIEImagingObject& object = *objects_[i];
    w.I32(kRecordMark);
    w.I32(TIEImagingObject::AttributesSize);
    w.Raw(object.Attributes.data(), object.Attributes.size());
    const int32_t type = object.ObjectType();
    if (type == 1) {
      std::vector<uint8_t> info = Values({1, 1000, IEScreenDpiX, IEScreenDpiY, IEScreenDpiX, IEScreenDpiY, 0, 0});
      info.resize(kImageInfoSize, 0);
      w.NamedBlock(kRecordMarkBlock, "OiAnoDat", info);
      // An image mark without a picture has no picture block; reading it back gives the same mark.
      if (object.Image && !object.Image->IsEmpty()) {
        const std::vector<uint8_t> dib = IEBitmapToPackedDIB(*object.Image, kSavedImageDpi, kSavedImageDpi);
        if (!dib.empty()) w.NamedBlock(kRecordMarkBlock, "OiDIB", dib);
      }
    } else if (type == 3 || type == 4) {
      const int32_t n = int32_t(object.Points.size());
      std::vector<uint8_t> data = Values({n, n});
      for (const TPoint& p : object.Points) {
        const std::vector<uint8_t> xy = Values({p.X, p.Y});
        data.insert(data.end(), xy.begin(), xy.end());
      }
      w.NamedBlock(kRecordMarkBlock, "OiAnoDat", data);
    } else if (type >= 7 && type <= 10) {
      std::vector<uint8_t> data = Values({0, 1000, kTextScaleDefault, int32_t(object.Text.size())});
      data.insert(data.end(), object.Text.begin(), object.Text.end());
      data.push_back(0);
      w.NamedBlock(kRecordMarkBlock, "OiAnText", data);
    }
    w.NamedText(kRecordMarkBlock, "OiGroup", "0");
    w.NamedText(kRecordMarkBlock, "OiIndex", std::to_string(i));
  }
  return std::move(w.Bytes());
}
