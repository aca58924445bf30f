// The JPEG application and comment markers of a picture (ISO/IEC 10918-1,
// B.2.4): code plus payload, in file order. The payload is the segment's data
// without the marker bytes and without the 16-bit length field, so it never
// exceeds 65,535 bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/rtl/object.h"

class TIEMarkerList : public TObject {
  DX_CLASS(TIEMarkerList, TObject)
public:
  TIEMarkerList() = default;
  TIEMarkerList(const TIEMarkerList&) = delete;
  TIEMarkerList& operator=(const TIEMarkerList&) = delete;

  int32_t GetCount() const { return int32_t(codes_.size()); }
  // An index outside 0..Count-1 raises EListError "List index out of bounds (%d)".
  const uint8_t* GetMarkerData(int32_t i) const;
  uint8_t* GetMarkerData(int32_t i);
  // 0xE0..0xEF for APP0..APP15, 0xFE for COM.
  int32_t GetMarkerType(int32_t i) const;
  int32_t GetMarkerLength(int32_t i) const;
  // The first marker with that code, -1 when none.
  int32_t IndexOf(int32_t code) const;

  // Appends a copy of the data; the length is taken modulo 65,536 (a negative
  // one as 0). Returns the new index.
  int32_t AddMarker(int32_t code, const void* data, int32_t length);
  // Replaces marker i's code and payload; length as for AddMarker.
  void SetMarker(int32_t i, int32_t code, int32_t length, const void* data);
  void DeleteMarker(int32_t i);
  void Clear();
  // Nothing for null; else a copy of every marker of other, in order.
  void Assign(const TIEMarkerList* other);

  // code(i) - code(j), except for two chunks of a multi-marker ICC profile
  // (APP2 "ICC_PROFILE"), which compare by their sequence numbers.
  int32_t CompareMarkers(int32_t i, int32_t j) const;
  void ExchangeMarkers(int32_t i, int32_t j);
  // Code order, ICC chunks in sequence, and the EXIF APP1 marker before the other APP1 markers.
  void SortMarkers();

private:
  void CheckIndex(int32_t i) const;

  std::vector<std::vector<uint8_t>> payloads_;
  std::vector<int32_t> codes_;
};
