// The DICOM data elements (PS3.5, chapter 7) that the DICOM reader finds in a
// file: group, element, value representation and the value's bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/rtl/object.h"

struct TIEDICOMTagRecord {
  uint16_t Group = 0;
  uint16_t Element = 0;
  // Two characters such as "UI" or "OB"; both 0 when the text given was not exactly two long.
  char VR[2] = {0, 0};
  // Size + 1 bytes: the value and a trailing zero; empty when there is no value.
  std::vector<uint8_t> Data;
  int32_t Size = 0;
};

class TIEDICOMTags : public TObject {
  DX_CLASS(TIEDICOMTags, TObject)
public:
  TIEDICOMTags() = default;
  TIEDICOMTags(const TIEDICOMTags&) = delete;
  TIEDICOMTags& operator=(const TIEDICOMTags&) = delete;

  // Appends a record and returns its index. A negative size stores no value
  // and leaves data with the caller; otherwise the list takes data, which the
  // reader hands over as size + 1 bytes ending in a zero. A block shorter than
  // that is taken as the whole value plus a terminator; an empty one as no value.
  int32_t AddTag(uint16_t group, uint16_t element, std::string_view vr, std::vector<uint8_t>&& data, int32_t size);
  void Clear();
  // A copy of every record of source, in order.
  void Assign(const TIEDICOMTags& source);

  int32_t Count() const { return int32_t(tags_.size()); }
  // An index outside 0..Count-1 raises EListError "List index out of bounds (%d)".
  const TIEDICOMTagRecord& GetTag(int32_t index) const;

private:
  std::vector<std::unique_ptr<TIEDICOMTagRecord>> tags_;
};
