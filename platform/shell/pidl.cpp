#include "platform/shell/pidl.h"

#include <cstring>

#include "platform/rtl/taskmem.h"

// Generated once for this platform; they name nothing outside it.
const TGUID GUID_PidlComputer{0x6d3b1a10, 0x52e4, 0x4c6a, {0x9b, 0x1e, 0x44, 0x75, 0x70, 0x6c, 0x78, 0x01}};
const TGUID GUID_PidlTrash{0x6d3b1a10, 0x52e4, 0x4c6a, {0x9b, 0x1e, 0x44, 0x75, 0x70, 0x6c, 0x78, 0x02}};
const TGUID GUID_PidlNetwork{0x6d3b1a10, 0x52e4, 0x4c6a, {0x9b, 0x1e, 0x44, 0x75, 0x70, 0x6c, 0x78, 0x03}};
const TGUID GUID_PidlControlPanel{0x6d3b1a10, 0x52e4, 0x4c6a, {0x9b, 0x1e, 0x44, 0x75, 0x70, 0x6c, 0x78, 0x04}};
const TGUID GUID_PidlPrinters{0x6d3b1a10, 0x52e4, 0x4c6a, {0x9b, 0x1e, 0x44, 0x75, 0x70, 0x6c, 0x78, 0x05}};

namespace {

constexpr size_t kHeader = 4;  // cb, kind, flags

// Reads one item's payload; every read is checked against the item's end.
class PayloadReader {
public:
  PayloadReader(const uint8_t* p, size_t n) : p_(p), n_(n) {}
  bool U32(uint32_t& v) {
    if (n_ - pos_ < 4) return false;
    v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(p_[pos_ + i]) << (8 * i);
    pos_ += 4;
    return true;
  }
  bool U64(uint64_t& v) {
    uint32_t lo, hi;
    if (!U32(lo) || !U32(hi)) return false;
    v = uint64_t(hi) << 32 | lo;
    return true;
  }
  bool Text(std::string& s) {
    const void* nul = std::memchr(p_ + pos_, 0, n_ - pos_);
    if (!nul) return false;
    const size_t len = size_t(static_cast<const uint8_t*>(nul) - (p_ + pos_));
    s.assign(reinterpret_cast<const char*>(p_ + pos_), len);
    pos_ += len + 1;
    return true;
  }
  bool Guid(TGUID& g) {
    if (n_ - pos_ < 16) return false;
    g = GuidFromBytes(p_ + pos_);
    pos_ += 16;
    return true;
  }
  bool AtEnd() const { return pos_ == n_; }

private:
  const uint8_t* p_;
  size_t n_;
  size_t pos_ = 0;
};

bool ReadPayload(PayloadReader& r, TPidlItem& it) {
  uint64_t time = 0;
  switch (it.Kind) {
    case pkVirtualFolder:
      return r.Guid(it.Folder) && r.AtEnd();
    case pkVolume:
      return r.U32(it.Attributes) && r.Text(it.Name) && r.AtEnd();
    case pkDirectory:
    case pkFile:
    case pkLink:
      if (!r.U32(it.Attributes) || !r.U64(it.Size) || !r.U64(time) || !r.Text(it.Name)) return false;
      it.Time = int64_t(time);
      return r.AtEnd();
    case pkTrashEntry:
      if (!r.U32(it.Attributes) || !r.U64(it.Size) || !r.U64(time) || !r.Text(it.Name) || !r.Text(it.OriginalPath))
        return false;
      it.Time = int64_t(time);
      return r.AtEnd();
  }
  return false;
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
void PutU64(std::vector<uint8_t>& out, uint64_t v) {
  PutU32(out, uint32_t(v));
  PutU32(out, uint32_t(v >> 32));
}
bool PutText(std::vector<uint8_t>& out, const std::string& s) {
  if (s.find('\0') != std::string::npos) return false;
  out.insert(out.end(), s.begin(), s.end());
  out.push_back(0);
  return true;
}

bool PutItem(std::vector<uint8_t>& out, const TPidlItem& it) {
  std::vector<uint8_t> b = {0, 0, uint8_t(it.Kind), it.Flags};
  switch (it.Kind) {
    case pkVirtualFolder:
      b.resize(kHeader + 16);
      GuidToBytes(it.Folder, b.data() + kHeader);
      break;
    case pkVolume:
      PutU32(b, it.Attributes);
      if (!PutText(b, it.Name)) return false;
      break;
    case pkDirectory:
    case pkFile:
    case pkLink:
    case pkTrashEntry:
      PutU32(b, it.Attributes);
      PutU64(b, it.Size);
      PutU64(b, uint64_t(it.Time));
      if (!PutText(b, it.Name)) return false;
      if (it.Kind == pkTrashEntry && !PutText(b, it.OriginalPath)) return false;
      break;
    default:
      return false;
  }
  if (b.size() > 0xFFFF) return false;
  b[0] = uint8_t(b.size()), b[1] = uint8_t(b.size() >> 8);
  out.insert(out.end(), b.begin(), b.end());
  return true;
}

}  // namespace

bool TPidlItem::SameIdentity(const TPidlItem& o) const {
  if (Kind != o.Kind) return false;
  return Kind == pkVirtualFolder ? Folder == o.Folder : Name == o.Name;
}

std::optional<std::vector<TPidlItem>> DecodePidl(const uint8_t* data, size_t available, size_t* used) {
  if (!data) return std::nullopt;
  std::vector<TPidlItem> items;
  size_t pos = 0;
  for (;;) {
    if (available - pos < 2) return std::nullopt;
    const size_t cb = size_t(data[pos] | data[pos + 1] << 8);
    if (cb == 0) break;
    if (cb < kHeader || cb > available - pos) return std::nullopt;
    TPidlItem it;
    it.Kind = TPidlKind(data[pos + 2]);
    it.Flags = data[pos + 3];
    PayloadReader r(data + pos + kHeader, cb - kHeader);
    if (!ReadPayload(r, it)) return std::nullopt;
    items.push_back(std::move(it));
    pos += cb;
  }
  if (used) *used = pos + 2;
  return items;
}

std::optional<std::vector<uint8_t>> EncodePidl(const std::vector<TPidlItem>& items) {
  std::vector<uint8_t> out;
  for (const TPidlItem& it : items)
    if (!PutItem(out, it)) return std::nullopt;
  out.push_back(0);
  out.push_back(0);
  return out;
}

PIDL PidlCreate(const std::vector<TPidlItem>& items) {
  const std::optional<std::vector<uint8_t>> bytes = EncodePidl(items);
  if (!bytes) return nullptr;
  auto* p = static_cast<PIDL>(TaskMemAlloc(bytes->size()));
  if (p) std::memcpy(p, bytes->data(), bytes->size());
  return p;
}

std::optional<std::vector<TPidlItem>> PidlItems(PCIDL pidl) {
  return DecodePidl(pidl, TaskMemBytesFrom(pidl));
}

size_t PidlSize(PCIDL pidl) {
  size_t used = 0;
  return DecodePidl(pidl, TaskMemBytesFrom(pidl), &used) ? used : 0;
}

int32_t ILIsEqual(PCIDL a, PCIDL b) {
  const auto x = PidlItems(a), y = PidlItems(b);
  if (!x || !y || x->size() != y->size()) return 0;
  for (size_t i = 0; i < x->size(); ++i)
    if (!(*x)[i].SameIdentity((*y)[i])) return 0;
  return 1;
}

int32_t ILIsParent(PCIDL parent, PCIDL child, int32_t immediate) {
  const auto p = PidlItems(parent), c = PidlItems(child);
  if (!p || !c || p->size() > c->size()) return 0;
  if (immediate && c->size() != p->size() + 1) return 0;
  for (size_t i = 0; i < p->size(); ++i)
    if (!(*p)[i].SameIdentity((*c)[i])) return 0;
  return 1;
}
