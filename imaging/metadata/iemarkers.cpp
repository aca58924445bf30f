#include "imaging/metadata/iemarkers.h"

#include <cstring>
#include <utility>

#include "imaging/core/ieboundedreader.h"
#include "imaging/core/iegeometry.h"
#include "imaging/metadata/ieexif.h"
#include "platform/classes/lists.h"

namespace {

std::vector<uint8_t> CopyPayload(const void* data, int32_t length) {
  const size_t n = length > 0 ? size_t(uint32_t(length) & 0xFFFFu) : 0;
  std::vector<uint8_t> payload(n);
  if (n > 0 && data) std::memcpy(payload.data(), data, n);
  return payload;
}

// The sequence number of a chunk of an ICC profile spread over APP2 markers
// ("ICC_PROFILE", NUL, sequence number, count); -1 for any other marker,
// including one too short to hold that header.
int32_t ICCChunkSequence(int32_t code, const std::vector<uint8_t>& p) {
  static constexpr char kTag[] = "ICC_PROFILE";
  uint8_t head[14];
  TIEBoundedReader r(p.data(), p.size());
  if (code != 0xE2 || !r.ReadAt(0, head, sizeof head) || std::memcmp(head, kTag, sizeof kTag) != 0) return -1;
  return head[12];
}

}  // namespace

void TIEMarkerList::CheckIndex(int32_t i) const {
  if (i < 0 || i >= GetCount()) TList::Error("List index out of bounds (%d)", i);
}

const uint8_t* TIEMarkerList::GetMarkerData(int32_t i) const {
  CheckIndex(i);
  return payloads_[size_t(i)].data();
}

uint8_t* TIEMarkerList::GetMarkerData(int32_t i) {
  CheckIndex(i);
  return payloads_[size_t(i)].data();
}

int32_t TIEMarkerList::GetMarkerType(int32_t i) const {
  CheckIndex(i);
  return codes_[size_t(i)];
}

int32_t TIEMarkerList::GetMarkerLength(int32_t i) const {
  CheckIndex(i);
  return int32_t(payloads_[size_t(i)].size());
}

int32_t TIEMarkerList::IndexOf(int32_t code) const {
  for (size_t i = 0; i < codes_.size(); ++i)
    if (codes_[i] == code) return int32_t(i);
  return -1;
}

int32_t TIEMarkerList::AddMarker(int32_t code, const void* data, int32_t length) {
  payloads_.push_back(CopyPayload(data, length));
  codes_.push_back(code);
  return GetCount() - 1;
}

void TIEMarkerList::SetMarker(int32_t i, int32_t code, int32_t length, const void* data) {
  CheckIndex(i);
  payloads_[size_t(i)] = CopyPayload(data, length);
  codes_[size_t(i)] = code;
}

void TIEMarkerList::DeleteMarker(int32_t i) {
  CheckIndex(i);
  payloads_.erase(payloads_.begin() + i);
  codes_.erase(codes_.begin() + i);
}

void TIEMarkerList::Clear() {
  payloads_.clear();
  codes_.clear();
}

void TIEMarkerList::Assign(const TIEMarkerList* other) {
  if (!other || other == this) return;
  payloads_ = other->payloads_;
  codes_ = other->codes_;
}

int32_t TIEMarkerList::CompareMarkers(int32_t i, int32_t j) const {
  CheckIndex(i);
  CheckIndex(j);
  const int32_t si = ICCChunkSequence(codes_[size_t(i)], payloads_[size_t(i)]);
  const int32_t sj = ICCChunkSequence(codes_[size_t(j)], payloads_[size_t(j)]);
  if (si >= 0 && sj >= 0) return si - sj;
  return codes_[size_t(i)] - codes_[size_t(j)];
}

void TIEMarkerList::ExchangeMarkers(int32_t i, int32_t j) {
  CheckIndex(i);
  CheckIndex(j);
  std::swap(payloads_[size_t(i)], payloads_[size_t(j)]);
  std::swap(codes_[size_t(i)], codes_[size_t(j)]);
}

void TIEMarkerList::SortMarkers() {
  IESortByCallbacks(
      GetCount(), [this](int32_t i, int32_t j) { return CompareMarkers(i, j); },
      [this](int32_t i, int32_t j) { ExchangeMarkers(i, j); });
  const int32_t first = IndexOf(0xE1);
  if (first < 0) return;
  for (int32_t i = first + 1; i < GetCount(); ++i) {
    const auto& p = payloads_[size_t(i)];
    if (codes_[size_t(i)] == 0xE1 && IEIsExifMarkerData(p.data(), int32_t(p.size()))) ExchangeMarkers(first, i);
  }
}
