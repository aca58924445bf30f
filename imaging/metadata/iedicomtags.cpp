#include "imaging/metadata/iedicomtags.h"

#include "platform/classes/lists.h"

int32_t TIEDICOMTags::AddTag(uint16_t group, uint16_t element, std::string_view vr, std::vector<uint8_t>&& data,
                             int32_t size) {
  auto tag = std::make_unique<TIEDICOMTagRecord>();
  tag->Group = group;
  tag->Element = element;
  if (vr.size() == 2) {
    tag->VR[0] = vr[0];
    tag->VR[1] = vr[1];
  }
  if (size >= 0) {
    tag->Data = std::move(data);
    tag->Size = size;
    // A block shorter than promised keeps what it holds, plus the terminator every value has.
    if (tag->Data.empty()) {
      tag->Size = 0;
    } else if (tag->Data.size() < size_t(size) + 1) {
      tag->Size = int32_t(tag->Data.size());
      tag->Data.push_back(0);
    }
  }
  tags_.push_back(std::move(tag));
  return Count() - 1;
}

void TIEDICOMTags::Clear() { tags_.clear(); }

void TIEDICOMTags::Assign(const TIEDICOMTags& source) {
  if (&source == this) return;
  Clear();
  for (const auto& t : source.tags_) {
    auto copy = std::make_unique<TIEDICOMTagRecord>(*t);
    if (t->Size <= 0) copy->Data.clear();
    tags_.push_back(std::move(copy));
  }
}

const TIEDICOMTagRecord& TIEDICOMTags::GetTag(int32_t index) const {
  if (index < 0 || index >= Count()) TList::Error("List index out of bounds (%d)", index);
  return *tags_[size_t(index)];
}
