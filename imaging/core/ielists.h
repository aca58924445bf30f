// Small containers of the image library: arrays of fixed-size items in one
// block, a growable byte buffer, a hash set of pointer-sized keys, and the
// colour count of a bit depth.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/classes/lists.h"
#include "platform/classes/streams.h"
#include "platform/rtl/exceptions.h"

// A growable array of items of ItemSize bytes each, in one block. Every change
// through SetCount, Delete and Add sets bit 0 of the change flags. An index
// outside 0..Count-1 raises EListError "List index out of bounds (%d)".
class TIEList : public TObject {
  DX_CLASS(TIEList, TObject)
public:
  TIEList();
  ~TIEList() override;
  TIEList(const TIEList&) = delete;
  TIEList& operator=(const TIEList&) = delete;

  // Grows the block to the larger of twice the capacity and n when needed
  // (keeping the items); shrinking keeps the block. Negative n raises EListError.
  virtual void SetCount(int32_t n);
  // Ignored outside 0..Count-1; the block shrinks to exactly Count-1 items.
  virtual void Delete(int32_t index);
  // No items, no block, flags 0; descendants also reset their item size and extra fields.
  virtual void Clear();
  // Takes other's items, item size and flags; the capacity becomes other's count. Null does nothing.
  virtual void Assign(const TIEList* other);

  // Appends a copy of ItemSize bytes at item and returns its index.
  int32_t Add(const void* item);
  void* GetItemAddress(int32_t index);
  const void* GetItemAddress(int32_t index) const;

  int32_t Count() const { return count_; }
  int32_t Capacity() const { return capacity_; }
  int32_t ItemSize() const { return itemSize_; }
  uint32_t ChangeFlags() const { return changeFlags_; }
  void SetChangeFlags(uint32_t v) { changeFlags_ = v; }

protected:
  void ClearItems();
  void CheckIndex(int32_t index) const;

  int32_t capacity_ = 0;
  int32_t count_ = 0;
  int32_t itemSize_ = 0;
  std::unique_ptr<uint8_t[]> data_;
  uint32_t changeFlags_ = 0;
};

// Items are doubles. The extra fields describe a value range and two positions
// in the list (capability lists of acquisition devices keep them).
class TIEDoubleList : public TIEList {
  DX_CLASS(TIEDoubleList, TIEList)
public:
  TIEDoubleList();
  void Clear() override;
  // Other must be a TIEDoubleList (EInvalidCast otherwise).
  void Assign(const TIEList* other) override;

  int32_t Add(double value) { return TIEList::Add(&value); }
  double Items(int32_t index) const;
  void SetItems(int32_t index, double value);

  double RangeMin = 0;
  double RangeMax = 0;
  double RangeStep = 0;
  int32_t DefaultIndex = 0;
  int32_t CurrentIndex = 0;
};

// Items are 32-bit integers; the extra fields as for TIEDoubleList.
class TIEIntegerList : public TIEList {
  DX_CLASS(TIEIntegerList, TIEList)
public:
  TIEIntegerList();
  void Clear() override;
  // Other must be a TIEIntegerList (EInvalidCast otherwise).
  void Assign(const TIEList* other) override;

  int32_t Add(int32_t value) { return TIEList::Add(&value); }
  int32_t Items(int32_t index) const;
  void SetItems(int32_t index, int32_t value);

  int32_t RangeMin = 0;
  int32_t RangeMax = 0;
  int32_t RangeStep = 0;
  int32_t CurrentIndex = 0;
};

// Items are records of the size given at creation.
class TIERecordList : public TIEList {
  DX_CLASS(TIERecordList, TIEList)
public:
  explicit TIERecordList(int32_t itemSize);
  void* GetItemPtr(int32_t index) { return GetItemAddress(index); }
  // Makes room for n records without changing the count.
  void SetCapacity(int32_t n);
};

// A growable byte buffer. The block is GrowthBlock bytes larger than the size
// after every reallocation, so a run of appends reallocates once per block.
class TIEByteArray : public TObject {
  DX_CLASS(TIEByteArray, TObject)
public:
  explicit TIEByteArray(int32_t growthBlock);
  TIEByteArray(const TIEByteArray&) = delete;
  TIEByteArray& operator=(const TIEByteArray&) = delete;

  // Negative n raises EListError.
  void SetSize(int32_t n);
  void AppendByte(uint8_t b);
  // Appends up to n bytes read from the stream; keeps only what arrived and returns its count.
  int32_t AppendFromStream(TStream& stream, int32_t n);

  int32_t Size() const { return size_; }
  int32_t Capacity() const { return capacity_; }
  int32_t GrowthBlock() const { return growthBlock_; }
  uint8_t* Data() { return data_.data(); }
  const uint8_t* Data() const { return data_.data(); }

private:
  void Reallocate(int64_t capacity);

  int32_t size_ = 0;
  int32_t capacity_ = 0;
  int32_t growthBlock_ = 0;
  std::vector<uint8_t> data_;  // capacity_ bytes
};

// One key of a bucket's chain.
class THash1Item : public TObject {
  DX_CLASS(THash1Item, TObject)
public:
  uintptr_t key = 0;
  THash1Item* next = nullptr;
  uintptr_t data = 0;
};

// A set of pointer-sized keys in a table of 2^n buckets. A bucket is empty
// (state 0), holds one key with its data in the table (state 1) or heads a
// chain of THash1Item (state 2).
class THash1 : public TObject {
  DX_CLASS(THash1, TObject)
public:
  // n is taken modulo 32.
  explicit THash1(int32_t n);
  THash1(const THash1&) = delete;
  THash1& operator=(const THash1&) = delete;

  int32_t HashIndex(uintptr_t key) const { return int32_t(key & mask_); }
  // False when the key is present. Otherwise adds it and gives its bucket and,
  // when the key went into a chain item, that item (else null: the key and its
  // data live in the bucket).
  bool AddItem(uintptr_t key, int32_t& bucket, THash1Item*& newItem);
  // AddItem without the out values; True when the key was new.
  bool Insert(uintptr_t key);

  int32_t Bits() const { return bits_; }
  int64_t TableSize() const { return tableSize_; }
  int32_t Count() const { return count_; }
  uint8_t BucketState(int32_t bucket) const;
  // The key of a state-1 bucket.
  uintptr_t BucketKey(int32_t bucket) const;
  // The data of a state-1 bucket.
  uintptr_t BucketData(int32_t bucket) const;
  void SetBucketData(int32_t bucket, uintptr_t data);
  // The first item of a state-2 bucket, else null.
  THash1Item* BucketChain(int32_t bucket) const;

private:
  void CheckBucket(int32_t bucket) const;

  std::vector<uintptr_t> keys_;  // state 1: the key
  std::vector<uint8_t> states_;
  std::vector<uintptr_t> data_;  // state 1: the data
  std::vector<THash1Item*> chains_;  // state 2: the chain head
  std::vector<std::unique_ptr<THash1Item>> items_;  // owns every chain item
  int32_t bits_ = 0;
  int64_t tableSize_ = 0;
  uintptr_t mask_ = 0;
  int32_t count_ = 0;
};

// 1 multiplied samplesPerPixel times by 2^(bitsPerSample mod 32): the colours a
// pixel can take. Saturates at INT64_MAX instead of wrapping.
int64_t IEColorCountFromBits(int32_t bitsPerSample, int32_t samplesPerPixel);

// Sets destination's count to source's and copies the pointers (not what they point to).
void IECopyListItems(const TList& source, TList& destination);
