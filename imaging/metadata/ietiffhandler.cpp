#include "imaging/metadata/ietiffhandler.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <set>

#include "imaging/core/iestreams.h"
#include "imaging/core/ietext.h"
#include "platform/classes/lists.h"
#include "platform/rtl/sysutils.h"

namespace {

// Exif -> Interoperability is two levels; anything deeper is not a real file.
constexpr int32_t kMaxSubIFDDepth = 4;

}  // namespace

int32_t IETIFFTypeSize(uint16_t type) {
  static constexpr int32_t kSizes[13] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
  return type <= 12 ? kSizes[type] : 0;
}

// ---- TIETIFFHandler: byte order -------------------------------------------------------------

uint32_t TIETIFFHandler::GetU16(const uint8_t* p) const { return TIEBoundedReader::Get16(p, bigEndian_); }

uint32_t TIETIFFHandler::GetU32(const uint8_t* p) const { return TIEBoundedReader::Get32(p, bigEndian_); }

void TIETIFFHandler::PutU16(uint8_t* p, uint32_t v) const {
  if (bigEndian_) {
    p[0] = uint8_t(v >> 8);
    p[1] = uint8_t(v);
  } else {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
  }
}

void TIETIFFHandler::PutU32(uint8_t* p, uint32_t v) const {
  for (int k = 0; k < 4; ++k) p[k] = uint8_t(bigEndian_ ? v >> (24 - 8 * k) : v >> (8 * k));
}

// ---- loading --------------------------------------------------------------------------------

struct TIETIFFHandler::TLoadState {
  TIEBoundedReader& in;
  // Every IFD is read once: a chain or a pointer back to one already read ends there.
  std::set<int64_t> visited;
  // A crafted file can point any number of entries at the same bytes; legitimate
  // ones reference each byte about once, so the copies are held to a few times the file.
  int64_t budget;
};

TIETIFFHandler::TIETIFFHandler(TStream& stream) { LoadFromStream(stream); }

TIETIFFHandler::TIETIFFHandler(const std::string& fileName) { LoadFromFile(fileName); }

bool TIETIFFHandler::LoadFromFile(const std::string& fileName) {
  if (!IEWideFileExists(fileName)) return false;
  TIEWideFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  return LoadFromStream(file);
}

bool TIETIFFHandler::ReadHeader(TStream& stream) {
  TIEBoundedReader in(stream);
  const int64_t start = in.Position();
  uint8_t h[8];
  if (!in.ReadAt(start, h, 8)) {
    bigEndian_ = false;
    return false;
  }
  bigEndian_ = h[0] == 'M' && h[1] == 'M';
  version_ = uint16_t(GetU16(h + 2));
  if (!(h[0] == 'I' && h[1] == 'I') && !bigEndian_) return false;
  const int64_t first = GetU32(h + 4);
  stream.Seek(std::min(first, in.Size()), soBeginning);
  return true;
}

bool TIETIFFHandler::LoadFromStream(TStream& stream) {
  FreePages();
  if (!ReadHeader(stream)) return false;
  TIEBoundedReader in(stream);
  TLoadState state{in, {}, in.Size() * 4 + (1 << 20)};
  int64_t offset = stream.Position();
  while (offset != 0) {
    TIETIFFTagList page;
    int64_t next = 0;
    if (!ReadIFD(state, offset, page, 0, next)) break;
    pages_.push_back(std::move(page));
    if (next == 0 || next == offset || next >= in.Size() || state.visited.contains(next)) break;
    offset = next;
  }
  return true;
}

bool TIETIFFHandler::ReadIFD(TLoadState& state, int64_t offset, TIETIFFTagList& list, int32_t depth, int64_t& next) {
  next = 0;
  uint16_t count;
  if (state.visited.contains(offset) || !state.in.ReadU16(offset, bigEndian_, count)) return false;
  state.visited.insert(offset);
  for (uint32_t i = 0; i < count; ++i) {
    uint8_t raw[12];
    if (!state.in.ReadAt(offset + 2 + 12 * int64_t(i), raw, 12)) break;
    TIETIFFEntry e;
    e.Tag = uint16_t(GetU16(raw));
    e.Type = uint16_t(GetU16(raw + 2));
    e.Count = GetU32(raw + 4);
    std::memcpy(e.Value, raw + 8, 4);
    const int64_t size = int64_t(e.Count) * IETIFFTypeSize(e.Type);
    if (size > 4) {
      // A value as large as the whole file cannot be real: the rest of this IFD is not trusted either.
      if (size >= state.in.Size() || size > state.budget) break;
      const int64_t at = GetU32(e.Value);
      if (!state.in.Holds(at, size)) continue;
      e.Data.resize(size_t(size));
      if (!state.in.ReadAt(at, e.Data.data(), size)) continue;
      state.budget -= size;
    }
    if (IsSubIFDTag(e.Tag) && e.Count == 1 && (e.Type == tftLong || e.Type == tftSLong)) {
      // A pointer that cannot be followed (outside the file, too deep, or back to an IFD
      // already read) is dropped rather than kept dangling.
      if (depth >= kMaxSubIFDDepth) continue;
      auto sub = std::make_unique<TIETIFFTagList>();
      int64_t unused;
      if (!ReadIFD(state, GetU32(e.Value), *sub, depth + 1, unused)) continue;
      e.SubIFD = std::move(sub);
    }
    list.push_back(std::move(e));
  }
  LoadBlocks(state, list);
  // Old-style JPEG with both a strip list and an interchange stream: the stream is what gets written back.
  if (GetIntegerTagByTag(list, 259, 0) == 6 && FindTag(list, 273) >= 0 && FindTag(list, 513) >= 0)
    for (uint16_t tag : {273, 519, 520, 521}) DeleteTag(list, FindTag(list, tag));
  SortTags(list);
  uint32_t following;
  if (state.in.ReadU32(offset + 2 + 12 * int64_t(count), bigEndian_, following)) next = following;
  return true;
}

void TIETIFFHandler::LoadBlocks(TLoadState& state, TIETIFFTagList& list) {
  for (TIETIFFEntry& e : list) {
    int32_t offsetsTag, countsTag;
    GetOffsetTags(e.Tag, offsetsTag, countsTag);
    if (offsetsTag != e.Tag || e.Loaded || (e.Type != tftShort && e.Type != tftLong)) continue;
    const int32_t countsIndex = FindTag(list, uint16_t(countsTag));
    std::vector<std::vector<uint8_t>> blocks(e.Count);
    for (uint32_t k = 0; k < e.Count; ++k) {
      const int64_t at = uint32_t(EntryInteger(e, k));
      const int64_t wanted = countsIndex >= 0 ? uint32_t(GetIntegerTag(list, countsIndex, k)) : 0;
      // Only the bytes that exist are taken: a strip reaching past the end is cut there.
      const int64_t length = std::min({wanted, std::max<int64_t>(0, state.in.Size() - at), state.budget});
      if (length <= 0 || !state.in.Holds(at, length)) continue;
      blocks[k].resize(size_t(length));
      if (!state.in.ReadAt(at, blocks[k].data(), length))
        blocks[k].clear();
      else
        state.budget -= length;
    }
    e.Blocks = std::move(blocks);
    e.Loaded = true;
    e.Type = tftLong;
    e.Data.clear();
    std::memset(e.Value, 0, 4);
  }
}

// ---- lookup ---------------------------------------------------------------------------------

TIETIFFTagList& TIETIFFHandler::Page(int32_t page) {
  if (page < 0 || page >= PageCount()) TList::Error("List index out of bounds (%d)", page);
  return pages_[size_t(page)];
}

const TIETIFFTagList& TIETIFFHandler::Page(int32_t page) const {
  if (page < 0 || page >= PageCount()) TList::Error("List index out of bounds (%d)", page);
  return pages_[size_t(page)];
}

int32_t TIETIFFHandler::FindTag(const TIETIFFTagList& list, uint16_t tag) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i].Tag == tag) return int32_t(i);
  return -1;
}

int32_t TIETIFFHandler::GetTagIndex(int32_t page, uint16_t tag) const {
  if (page < 0 || page >= PageCount()) return -1;
  return FindTag(pages_[size_t(page)], tag);
}

const uint8_t* TIETIFFHandler::GetElementAddress(const TIETIFFEntry& entry, uint32_t i) {
  const int64_t size = IETIFFTypeSize(entry.Type);
  const int64_t total = int64_t(entry.Count) * size;
  if (size == 0 || (int64_t(i) + 1) * size > total) return nullptr;
  if (total <= 4) return entry.Value + int64_t(i) * size;
  if (entry.Data.size() < size_t(total)) return nullptr;
  return entry.Data.data() + int64_t(i) * size;
}

int32_t TIETIFFHandler::GetIntegerTag(const TIETIFFTagList& list, int32_t index, uint32_t i) const {
  if (index < 0 || size_t(index) >= list.size()) return 0;
  return EntryInteger(list[size_t(index)], i);
}

int32_t TIETIFFHandler::EntryInteger(const TIETIFFEntry& e, uint32_t i) const {
  if (e.Loaded) return 0;
  const uint8_t* p = GetElementAddress(e, i);
  if (!p) return 0;
  switch (e.Type) {
    case tftByte:
    case tftAscii:
    case tftUndefined:
      return p[0];
    case tftSByte:
      return int8_t(p[0]);
    case tftShort:
    case tftSShort:
      return int32_t(GetU16(p));
    case tftLong:
    case tftSLong:
      return int32_t(GetU32(p));
    default:
      return 0;
  }
}

int32_t TIETIFFHandler::GetIntegerTagByTag(const TIETIFFTagList& list, uint16_t tag, uint32_t i) const {
  const int32_t index = FindTag(list, tag);
  return index < 0 ? 0 : GetIntegerTag(list, index, i);
}

void TIETIFFHandler::GetOffsetTags(uint16_t tag, int32_t& offsetsTag, int32_t& byteCountsTag) const {
  struct TPair {
    uint16_t offsets, counts;
  };
  static constexpr TPair kPairs[] = {{273, 279}, {324, 325}, {513, 514}, {48320, 48321}, {48322, 48323}};
  offsetsTag = byteCountsTag = -1;
  for (const TPair& p : kPairs) {
    if (p.offsets >= 48320 && version_ != 444) continue;  // the HD Photo pairs exist only in that variant
    if (tag == p.offsets || tag == p.counts) {
      offsetsTag = p.offsets;
      byteCountsTag = p.counts;
      return;
    }
  }
}

// ---- editing --------------------------------------------------------------------------------

void TIETIFFHandler::DeleteTag(TIETIFFTagList& list, int32_t index) {
  if (index < 0 || size_t(index) >= list.size()) return;
  list.erase(list.begin() + index);
}

void TIETIFFHandler::SetTag(TIETIFFTagList& list, uint16_t tag, const TIETIFFTagValue& value, uint16_t type) {
  if (type < tftByte || type > tftDouble) return;
  auto asInt = [&]() -> int64_t {
    if (auto* i = std::get_if<int64_t>(&value)) return *i;
    if (auto* d = std::get_if<double>(&value)) return std::isfinite(*d) ? int64_t(std::trunc(std::clamp(*d, -9e18, 9e18))) : 0;
    return StrToInt64Def(std::get<std::string>(value), 0);
  };
  auto asDouble = [&]() -> double {
    if (auto* d = std::get_if<double>(&value)) return *d;
    if (auto* i = std::get_if<int64_t>(&value)) return double(*i);
    return double(StrToFloatDef(std::get<std::string>(value), 0));
  };
  auto asText = [&]() -> std::string {
    if (auto* s = std::get_if<std::string>(&value)) return *s;
    if (auto* i = std::get_if<int64_t>(&value)) return IntToStr(*i);
    return IEFloatToStrDot(std::get<double>(value));
  };

  std::vector<uint8_t> bytes;
  uint32_t count = 1;
  auto put = [&](uint64_t v, int32_t n) {
    const size_t at = bytes.size();
    bytes.resize(at + size_t(n));
    for (int32_t k = 0; k < n; ++k) bytes[at + size_t(k)] = uint8_t(bigEndian_ ? v >> (8 * (n - 1 - k)) : v >> (8 * k));
  };
  switch (type) {
    case tftByte:
    case tftSByte:
      put(uint64_t(asInt()), 1);
      break;
    case tftShort:
    case tftSShort:
      put(uint64_t(asInt()), 2);
      break;
    case tftLong:
    case tftSLong:
      put(uint64_t(asInt()), 4);
      break;
    case tftRational:
    case tftSRational: {
      const double v = asDouble() * 10000;
      put(uint64_t(int64_t(std::isfinite(v) ? std::trunc(std::clamp(v, -2147483648.0, 4294967295.0)) : 0)), 4);
      put(10000, 4);
      break;
    }
    case tftFloat:
      put(std::bit_cast<uint32_t>(float(asDouble())), 4);
      break;
    case tftDouble:
      put(std::bit_cast<uint64_t>(asDouble()), 8);
      break;
    case tftAscii: {
      const std::string s = asText();
      bytes.assign(s.begin(), s.end());
      bytes.push_back(0);
      count = uint32_t(bytes.size());
      break;
    }
    case tftUndefined:
      if (auto* s = std::get_if<std::string>(&value)) {
        bytes.assign(s->begin(), s->end());
        count = uint32_t(bytes.size());
      } else {
        put(uint64_t(asInt()), 1);
      }
      break;
  }
  DeleteTag(list, FindTag(list, tag));
  TIETIFFEntry e;
  e.Tag = tag;
  e.Type = type;
  e.Count = count;
  if (bytes.size() <= 4)
    std::copy(bytes.begin(), bytes.end(), e.Value);
  else
    e.Data = std::move(bytes);
  list.push_back(std::move(e));
}

void TIETIFFHandler::SortTags(TIETIFFTagList& list) {
  std::stable_sort(list.begin(), list.end(), [](const TIETIFFEntry& a, const TIETIFFEntry& b) { return a.Tag < b.Tag; });
}

void TIETIFFHandler::SortPageTags(int32_t page) {
  if (page >= 0 && page < PageCount()) SortTags(pages_[size_t(page)]);
}

namespace {

TIETIFFEntry CloneEntry(const TIETIFFEntry& e) {
  TIETIFFEntry c;
  c.Tag = e.Tag;
  c.Type = e.Type;
  c.Count = e.Count;
  std::memcpy(c.Value, e.Value, 4);
  c.Data = e.Data;
  c.Loaded = e.Loaded;
  c.Blocks = e.Blocks;
  if (e.SubIFD) {
    c.SubIFD = std::make_unique<TIETIFFTagList>();
    for (const TIETIFFEntry& s : *e.SubIFD) c.SubIFD->push_back(CloneEntry(s));
  }
  return c;
}

}  // namespace

void TIETIFFHandler::CopyTag(int32_t sourcePage, int32_t sourceIndex, int32_t targetPage,
                             const TIETIFFHandler& source) {
  if (sourcePage < 0 || sourcePage >= source.PageCount() || targetPage < 0 || targetPage >= PageCount()) return;
  CopyTagEntry(source.pages_[size_t(sourcePage)], sourceIndex, pages_[size_t(targetPage)], source);
}

void TIETIFFHandler::CopyTagEntry(const TIETIFFTagList& sourceList, int32_t index, TIETIFFTagList& targetList,
                                  const TIETIFFHandler& source) {
  if (index < 0 || size_t(index) >= sourceList.size() || source.bigEndian_ != bigEndian_) return;
  // Cloned before the target loses its entry: the two lists may be the same.
  TIETIFFEntry copy = CloneEntry(sourceList[size_t(index)]);
  DeleteTag(targetList, FindTag(targetList, copy.Tag));
  targetList.push_back(std::move(copy));
}

// ---- saving ---------------------------------------------------------------------------------

namespace {

void WriteAt(TStream& stream, int64_t position, const void* data, int64_t count) {
  stream.Seek(position, soBeginning);
  if (count > 0) stream.WriteBuffer(data, count);
}

int64_t EvenUp(TStream& stream, int64_t position) {
  if (position % 2 == 0) return position;
  const uint8_t zero = 0;
  WriteAt(stream, position, &zero, 1);
  return position + 1;
}

}  // namespace

int64_t TIETIFFHandler::WritePage(TStream& stream, TIETIFFTagList& list, int64_t& nextSlot) {
  const int64_t start = stream.Position();
  const bool addStripOffsets = FindTag(list, 513) >= 0 && FindTag(list, 273) < 0;
  const uint32_t n = uint32_t(list.size()) + (addStripOffsets ? 1 : 0);
  uint8_t buf[12];
  PutU16(buf, n & 0xFFFF);
  WriteAt(stream, start, buf, 2);
  int64_t slot = start + 2;
  int64_t dataPos = start + 2 + 12 * int64_t(n) + 4;
  int64_t jpegStripOffset = -1;

  for (TIETIFFEntry& e : list) {
    uint8_t value[4];
    std::memcpy(value, e.Value, 4);
    const int64_t size = int64_t(e.Count) * IETIFFTypeSize(e.Type);
    if (e.Loaded) {
      std::vector<uint32_t> offsets;
      for (const auto& block : e.Blocks) {
        offsets.push_back(uint32_t(dataPos));
        WriteAt(stream, dataPos, block.data(), int64_t(block.size()));
        dataPos += int64_t(block.size());
      }
      if (e.Tag == 513 && addStripOffsets && !e.Blocks.empty()) {
        const auto& jpeg = e.Blocks[0];
        const int64_t limit = std::min<int64_t>(uint32_t(GetIntegerTagByTag(list, 514, 0)), int64_t(jpeg.size()));
        int64_t sos = uint32_t(GetIntegerTagByTag(list, 514, 0));
        for (int64_t k = 0; k + 1 < limit; ++k)
          if (jpeg[size_t(k)] == 0xFF && jpeg[size_t(k) + 1] == 0xDA) {
            sos = k;
            break;
          }
        jpegStripOffset = offsets[0] + sos;
      }
      if (offsets.size() == 1) {
        PutU32(value, offsets[0]);
      } else if (offsets.size() > 1) {
        dataPos = EvenUp(stream, dataPos);
        std::vector<uint8_t> array(offsets.size() * 4);
        for (size_t k = 0; k < offsets.size(); ++k) PutU32(array.data() + 4 * k, offsets[k]);
        WriteAt(stream, dataPos, array.data(), int64_t(array.size()));
        PutU32(value, uint32_t(dataPos));
        dataPos += int64_t(array.size());
      } else {
        std::memset(value, 0, 4);
      }
    } else if (e.SubIFD) {
      dataPos = EvenUp(stream, dataPos);
      stream.Seek(dataPos, soBeginning);
      const int64_t subStart = dataPos;
      int64_t subNextSlot;
      dataPos = WritePage(stream, *e.SubIFD, subNextSlot);
      const uint8_t zero[4] = {0, 0, 0, 0};
      WriteAt(stream, subNextSlot, zero, 4);
      PutU32(value, uint32_t(subStart));
    } else if (size > 4 && e.Data.size() >= size_t(size)) {
      dataPos = EvenUp(stream, dataPos);
      WriteAt(stream, dataPos, e.Data.data(), size);
      PutU32(value, uint32_t(dataPos));
      dataPos += size;
    }
    PutU16(buf, e.Tag);
    PutU16(buf + 2, e.Type);
    PutU32(buf + 4, e.Count);
    std::memcpy(buf + 8, value, 4);
    WriteAt(stream, slot, buf, 12);
    slot += 12;
  }
  if (addStripOffsets) {
    PutU16(buf, 273);
    PutU16(buf + 2, tftLong);
    PutU32(buf + 4, 1);
    PutU32(buf + 8, uint32_t(std::max<int64_t>(0, jpegStripOffset)));
    WriteAt(stream, slot, buf, 12);
  }
  nextSlot = start + 2 + 12 * int64_t(n & 0xFFFF);
  const int64_t end = std::max(dataPos, nextSlot + 4);
  stream.Seek(end, soBeginning);
  return end;
}

void TIETIFFHandler::SaveToStream(TStream& stream, int32_t page) {
  const int64_t p = stream.Position();
  uint8_t header[8] = {uint8_t(bigEndian_ ? 'M' : 'I'), uint8_t(bigEndian_ ? 'M' : 'I')};
  PutU16(header + 2, version_);
  PutU32(header + 4, uint32_t(p + 8));
  WriteAt(stream, p, header, 8);
  const uint8_t zero[6] = {0, 0, 0, 0, 0, 0};
  if (page >= 0 && page < PageCount()) {
    SortPageTags(page);
    stream.Seek(p + 8, soBeginning);
    int64_t nextSlot;
    const int64_t end = WritePage(stream, pages_[size_t(page)], nextSlot);
    WriteAt(stream, nextSlot, zero, 4);
    stream.Seek(end, soBeginning);
    return;
  }
  if (PageCount() == 0) {
    // No page: an empty IFD, so that the header points at something readable.
    WriteAt(stream, p + 8, zero, 6);
    return;
  }
  int64_t at = p + 8;
  int64_t end = at;
  for (int32_t k = 0; k < PageCount(); ++k) {
    SortPageTags(k);
    stream.Seek(at, soBeginning);
    int64_t nextSlot;
    end = WritePage(stream, pages_[size_t(k)], nextSlot);
    uint8_t next[4];
    PutU32(next, k + 1 < PageCount() ? uint32_t(end) : 0);
    WriteAt(stream, nextSlot, next, 4);
    at = end;
  }
  stream.Seek(end, soBeginning);
}

void TIETIFFHandler::SaveToFile(const std::string& fileName, int32_t page) {
  TIEWideFileStream file(fileName, fmCreate);
  SaveToStream(file, page);
}
