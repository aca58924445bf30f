#include "imaging/metadata/ieiptc.h"

#include <cstring>
#include <string_view>

#include "platform/classes/lists.h"

namespace {

constexpr uint8_t kTagMarker = 0x1C;
constexpr std::string_view kPhotoshop = "Photoshop 3.0";
constexpr std::string_view kIptcResource{"8BIM\x04\x04", 6};
// "Photoshop 3.0" NUL, "8BIM", resource 0x0404, empty even-padded name, 32-bit size.
constexpr size_t kWrapperSize = 26;

void PutBE16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v >> 8));
  out.push_back(uint8_t(v));
}

void PutBE32(std::vector<uint8_t>& out, uint32_t v) {
  PutBE16(out, v >> 16);
  PutBE16(out, v & 0xFFFF);
}

}  // namespace

const TIEIPTCInfoList::TItem& TIEIPTCInfoList::Item(int32_t i) const {
  if (i < 0 || i >= GetCount()) TList::Error("List index out of bounds (%d)", i);
  return items_[size_t(i)];
}

int32_t TIEIPTCInfoList::GetRecordNumber(int32_t i) const { return Item(i).RecordNumber; }
int32_t TIEIPTCInfoList::GetDataSet(int32_t i) const { return Item(i).DataSet; }
const uint8_t* TIEIPTCInfoList::GetItemData(int32_t i) const { return Item(i).Data.data(); }
int32_t TIEIPTCInfoList::GetItemLength(int32_t i) const { return int32_t(Item(i).Data.size()); }

int32_t TIEIPTCInfoList::AddBufferItem(int32_t recordNumber, int32_t dataSet, int32_t size, const void* data) {
  TItem item;
  item.RecordNumber = recordNumber;
  item.DataSet = dataSet;
  if (size > 0 && data) item.Data.assign(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
  items_.push_back(std::move(item));
  changed_ = true;
  return GetCount() - 1;
}

void TIEIPTCInfoList::Clear() {
  items_.clear();
  changed_ = true;
}

void TIEIPTCInfoList::Assign(const TIEIPTCInfoList* other) {
  if (!other) return;
  if (other != this) items_ = other->items_;
  changed_ = true;
}

std::vector<uint8_t> TIEIPTCInfoList::SaveToBuffer(bool withPhotoshopHeader) const {
  std::vector<uint8_t> out;
  if (items_.empty()) return out;
  if (withPhotoshopHeader) {
    out.assign(kPhotoshop.begin(), kPhotoshop.end());  // not a range insert into an empty vector: GCC 12 warns falsely
    out.push_back(0);
    out.insert(out.end(), kIptcResource.begin(), kIptcResource.end());
    out.insert(out.end(), {0, 0, 0, 0, 0, 0});  // name, then the size filled in below
  } else {
    out.insert(out.end(), {kTagMarker, 2, 0, 0, 2, 0, 2});
  }
  uint32_t total = 0;
  for (const TItem& item : items_) {
    if ((item.RecordNumber == 2 && item.DataSet == 0) || item.Data.empty()) continue;
    const uint32_t size = uint32_t(item.Data.size());
    out.push_back(kTagMarker);
    out.push_back(uint8_t(item.RecordNumber));
    out.push_back(uint8_t(item.DataSet));
    if (size < 32768) {
      PutBE16(out, size);
      total += size + 5;
    } else {
      out.insert(out.end(), {0x80, 0x04});
      PutBE32(out, size);
      total += size + 9;
    }
    out.insert(out.end(), item.Data.begin(), item.Data.end());
  }
  if (out.size() % 2 != 0) out.push_back(0);
  if (withPhotoshopHeader) {
    for (int k = 0; k < 4; ++k) out[kWrapperSize - 4 + size_t(k)] = uint8_t(total >> (24 - 8 * k));
  }
  return out;
}

bool TIEIPTCInfoList::LoadFromBuffer(const uint8_t* buffer, int32_t length) {
  Clear();
  if (!buffer || length <= 0) return false;
  const std::string_view all(reinterpret_cast<const char*>(buffer), size_t(length));
  const size_t n = all.size();
  size_t pos = 0;
  if (all.starts_with(kPhotoshop)) {
    const size_t found = all.find(kIptcResource);
    pos = found == std::string_view::npos ? n : found + kIptcResource.size();
  }
  while (pos < n && buffer[pos] != kTagMarker) ++pos;
  while (pos + 1 < n && buffer[pos + 1] == kTagMarker) ++pos;

  while (pos < n && buffer[pos] == kTagMarker && pos + 5 < n) {
    const int32_t record = buffer[pos + 1], dataSet = buffer[pos + 2];
    const uint32_t field = (uint32_t(buffer[pos + 3]) << 8) | buffer[pos + 4];
    size_t p = pos + 5;
    int64_t size = field;
    if (field & 0x8000) {
      // The extended form; its length-of-length is taken as 4 whatever it says.
      if (p + 4 > n) break;
      const int32_t raw = int32_t((uint32_t(buffer[p]) << 24) | (uint32_t(buffer[p + 1]) << 16) |
                                  (uint32_t(buffer[p + 2]) << 8) | buffer[p + 3]);
      size = raw < 0 ? -int64_t(raw) : raw;
      p += 4;
    }
    if (size > int64_t(n - p)) break;
    AddBufferItem(record, dataSet, int32_t(size), buffer + p);
    pos = p + size_t(size);
  }
  changed_ = false;
  return !items_.empty();
}
