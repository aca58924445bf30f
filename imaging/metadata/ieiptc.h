// IPTC-IIM datasets (IPTC Information Interchange Model 4.2, chapter 6): record
// number, dataset number and bytes, read from and written to an IPTC block,
// bare or wrapped in a Photoshop image resource ("Photoshop 3.0", "8BIM"
// resource 0x0404) as JPEG APP13 markers carry it.
//
// A dataset on disk: 0x1C, record, dataset, then a 16-bit big-endian length
// when its top bit is clear, or the extended form: 0x80 | length-of-length
// (always read as 4) followed by a 32-bit big-endian length; then the data.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/rtl/object.h"

class TIEIPTCInfoList : public TObject {
  DX_CLASS(TIEIPTCInfoList, TObject)
public:
  TIEIPTCInfoList() = default;
  TIEIPTCInfoList(const TIEIPTCInfoList&) = delete;
  TIEIPTCInfoList& operator=(const TIEIPTCInfoList&) = delete;

  int32_t GetCount() const { return int32_t(items_.size()); }
  // An index outside 0..Count-1 raises EListError "List index out of bounds (%d)".
  int32_t GetRecordNumber(int32_t i) const;
  int32_t GetDataSet(int32_t i) const;
  const uint8_t* GetItemData(int32_t i) const;
  int32_t GetItemLength(int32_t i) const;

  // Appends a copy of size bytes (none for a size below 1) and returns the index.
  int32_t AddBufferItem(int32_t recordNumber, int32_t dataSet, int32_t size, const void* data);
  void Clear();
  // Nothing for null; else a copy of other's items, in order.
  void Assign(const TIEIPTCInfoList* other);

  // The datasets as an IPTC block, padded to an even length: behind the 26-byte
  // Photoshop wrapper, or behind a record-version dataset (2:0 = 2). Items of
  // record 2 dataset 0 and empty items are not written. An empty list gives no bytes.
  std::vector<uint8_t> SaveToBuffer(bool withPhotoshopHeader) const;
  // Replaces the list with the datasets of the block, up to the first one that
  // is malformed or runs past the end. True when at least one was read.
  bool LoadFromBuffer(const uint8_t* buffer, int32_t length);

  // Set by every change, cleared by LoadFromBuffer.
  bool Changed() const { return changed_; }
  void SetChanged(bool v) { changed_ = v; }

private:
  struct TItem {
    int32_t RecordNumber = 0;
    int32_t DataSet = 0;
    std::vector<uint8_t> Data;
  };
  const TItem& Item(int32_t i) const;

  std::vector<TItem> items_;
  bool changed_ = false;
};
