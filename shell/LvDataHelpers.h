// The per-column values that stored items, groups and columns keep, and
// their stream record (counts, then UTF-16 captions and 32-bit values).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/object.h"

class TStream;

// Per-column values, each array growing on demand; an index past an array's
// end reads as the array's default.
class TLvDynamicDataHelper : public TObject {
  DX_CLASS(TLvDynamicDataHelper, TObject)
public:
  std::string Caption(int32_t index) const { return Get(Captions, index, std::string()); }
  int32_t Detail(int32_t index) const { return Get(Details, index, 0); }
  int32_t ImageIndex(int32_t index) const { return Get(ImageIndexes, index, -1); }
  int32_t OverlayIndex(int32_t index) const { return Get(OverlayIndexes, index, -1); }
  void SetCaption(int32_t index, const std::string& value) { Put(Captions, index, value, std::string()); }
  void SetDetail(int32_t index, int32_t value) { Put(Details, index, value, 0); }
  void SetImageIndex(int32_t index, int32_t value) { Put(ImageIndexes, index, value, -1); }
  void SetOverlayIndex(int32_t index, int32_t value) { Put(OverlayIndexes, index, value, -1); }

  // Captions as UTF-16 units; counts and lengths are checked against the bytes left.
  virtual void LoadFromStream(TStream* stream, int32_t version);
  virtual void SaveToStream(TStream* stream, int32_t version);

  std::vector<std::string> Captions;
  std::vector<int32_t> Details, ImageIndexes, OverlayIndexes;

protected:
  template <class T>
  static T Get(const std::vector<T>& a, int32_t index, const T& fallback) {
    return index >= 0 && size_t(index) < a.size() ? a[size_t(index)] : fallback;
  }
  // A negative index is ignored.
  template <class T>
  static void Put(std::vector<T>& a, int32_t index, const T& value, const T& fill) {
    if (index < 0) return;
    if (size_t(index) >= a.size()) a.resize(size_t(index) + 1, fill);
    a[size_t(index)] = value;
  }
  static void ReadArray(TStream* stream, std::vector<int32_t>& a);
  static void WriteArray(TStream* stream, const std::vector<int32_t>& a);
};

class TLvItemDynamicDataHelper : public TLvDynamicDataHelper {
  DX_CLASS(TLvItemDynamicDataHelper, TLvDynamicDataHelper)
public:
  int32_t GroupKey(int32_t index) const { return Get(GroupKeys, index, 0xFFFF); }
  int32_t StateImageIndex(int32_t index) const { return Get(StateImageIndexes, index, -1); }
  void SetGroupKey(int32_t index, int32_t value) { Put(GroupKeys, index, value, 0xFFFF); }
  void SetStateImageIndex(int32_t index, int32_t value) { Put(StateImageIndexes, index, value, -1); }
  // State image indexes exist from version 3 on; they are always written.
  void LoadFromStream(TStream* stream, int32_t version) override;
  void SaveToStream(TStream* stream, int32_t version) override;

  std::vector<int32_t> GroupKeys, StateImageIndexes;
};
