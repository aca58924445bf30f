#include "imaging/core/ielists.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/rtl/sysutils.h"

namespace {

// Bytes for n items, refusing what a 32-bit count of bytes cannot address.
size_t BlockBytes(int64_t items, int32_t itemSize) {
  const int64_t bytes = items * int64_t(itemSize);
  if (items < 0 || bytes > INT32_MAX) throw EOutOfMemory("Out of memory");
  return size_t(bytes);
}

std::unique_ptr<uint8_t[]> NewBlock(int64_t items, int32_t itemSize) {
  return std::make_unique<uint8_t[]>(BlockBytes(items, itemSize));
}

}  // namespace

// ---- TIEList -------------------------------------------------------------------------------

TIEList::TIEList() { ClearItems(); }

TIEList::~TIEList() = default;

void TIEList::ClearItems() {
  capacity_ = 0;
  count_ = 0;
  data_.reset();
  changeFlags_ = 0;
}

void TIEList::Clear() { ClearItems(); }

void TIEList::CheckIndex(int32_t index) const {
  if (index < 0 || index >= count_) throw EListError(Format("List index out of bounds (%d)", index));
}

void TIEList::SetCount(int32_t n) {
  if (n < 0) throw EListError(Format("List count out of bounds (%d)", n));
  if (capacity_ < n) {
    const int64_t newCapacity = std::max<int64_t>(int64_t(capacity_) * 2, n);
    auto block = NewBlock(newCapacity, itemSize_);
    if (data_) std::memcpy(block.get(), data_.get(), BlockBytes(std::min(count_, n), itemSize_));
    data_ = std::move(block);
    capacity_ = int32_t(std::min<int64_t>(newCapacity, INT32_MAX));
  }
  count_ = n;
  changeFlags_ |= 1;
}

void TIEList::Delete(int32_t index) {
  if (index < 0 || index >= count_) return;
  const size_t item = size_t(itemSize_);
  auto block = NewBlock(count_ - 1, itemSize_);
  std::memcpy(block.get(), data_.get(), item * size_t(index));
  std::memcpy(block.get() + item * size_t(index), data_.get() + item * size_t(index + 1),
              item * size_t(count_ - 1 - index));
  data_ = std::move(block);
  --count_;
  capacity_ = count_;
  changeFlags_ |= 1;
}

void TIEList::Assign(const TIEList* other) {
  if (!other || other == this) return;
  auto block = NewBlock(other->count_, other->itemSize_);
  if (other->count_) std::memcpy(block.get(), other->data_.get(), BlockBytes(other->count_, other->itemSize_));
  data_ = std::move(block);
  count_ = other->count_;
  itemSize_ = other->itemSize_;
  changeFlags_ = other->changeFlags_;
  capacity_ = count_;
}

int32_t TIEList::Add(const void* item) {
  SetCount(count_ + 1);
  std::memcpy(GetItemAddress(count_ - 1), item, size_t(itemSize_));
  return count_ - 1;
}

void* TIEList::GetItemAddress(int32_t index) {
  CheckIndex(index);
  return data_.get() + size_t(index) * size_t(itemSize_);
}

const void* TIEList::GetItemAddress(int32_t index) const {
  CheckIndex(index);
  return data_.get() + size_t(index) * size_t(itemSize_);
}

// ---- TIEDoubleList -------------------------------------------------------------------------

TIEDoubleList::TIEDoubleList() { TIEDoubleList::Clear(); }

void TIEDoubleList::Clear() {
  ClearItems();
  RangeMin = RangeMax = RangeStep = 0;
  DefaultIndex = CurrentIndex = 0;
  itemSize_ = sizeof(double);
}

void TIEDoubleList::Assign(const TIEList* other) {
  if (!other) return;
  const auto* o = dynamic_cast<const TIEDoubleList*>(other);
  if (!o) throw EInvalidCast("Invalid class typecast");
  TIEList::Assign(other);
  RangeMin = o->RangeMin;
  RangeMax = o->RangeMax;
  RangeStep = o->RangeStep;
  DefaultIndex = o->DefaultIndex;
  CurrentIndex = o->CurrentIndex;
}

double TIEDoubleList::Items(int32_t index) const {
  double v;
  std::memcpy(&v, GetItemAddress(index), sizeof v);
  return v;
}

void TIEDoubleList::SetItems(int32_t index, double value) { std::memcpy(GetItemAddress(index), &value, sizeof value); }

// ---- TIEIntegerList ------------------------------------------------------------------------

TIEIntegerList::TIEIntegerList() { TIEIntegerList::Clear(); }

void TIEIntegerList::Clear() {
  ClearItems();
  RangeMin = RangeMax = RangeStep = CurrentIndex = 0;
  itemSize_ = sizeof(int32_t);
}

void TIEIntegerList::Assign(const TIEList* other) {
  if (!other) return;
  const auto* o = dynamic_cast<const TIEIntegerList*>(other);
  if (!o) throw EInvalidCast("Invalid class typecast");
  TIEList::Assign(other);
  RangeMin = o->RangeMin;
  RangeMax = o->RangeMax;
  RangeStep = o->RangeStep;
  CurrentIndex = o->CurrentIndex;
}

int32_t TIEIntegerList::Items(int32_t index) const {
  int32_t v;
  std::memcpy(&v, GetItemAddress(index), sizeof v);
  return v;
}

void TIEIntegerList::SetItems(int32_t index, int32_t value) {
  std::memcpy(GetItemAddress(index), &value, sizeof value);
}

// ---- TIERecordList -------------------------------------------------------------------------

TIERecordList::TIERecordList(int32_t itemSize) {
  if (itemSize < 0) throw EListError(Format("Invalid record size (%d)", itemSize));
  itemSize_ = itemSize;
}

void TIERecordList::SetCapacity(int32_t n) {
  if (n <= capacity_) return;
  auto block = NewBlock(n, itemSize_);
  if (data_) std::memcpy(block.get(), data_.get(), BlockBytes(count_, itemSize_));
  data_ = std::move(block);
  capacity_ = n;
}

// ---- TIEByteArray --------------------------------------------------------------------------

TIEByteArray::TIEByteArray(int32_t growthBlock) : growthBlock_(std::max(growthBlock, 0)) {
  Reallocate(growthBlock_);
}

void TIEByteArray::Reallocate(int64_t capacity) {
  if (capacity > INT32_MAX) throw EOutOfMemory("Out of memory");
  data_.resize(size_t(capacity));
  data_.shrink_to_fit();
  capacity_ = int32_t(capacity);
}

void TIEByteArray::SetSize(int32_t n) {
  if (n < 0) throw EListError(Format("Invalid byte array size (%d)", n));
  if (n > capacity_ || n < capacity_ - growthBlock_) Reallocate(int64_t(n) + growthBlock_);
  size_ = n;
}

void TIEByteArray::AppendByte(uint8_t b) {
  if (size_ == INT32_MAX) throw EOutOfMemory("Out of memory");
  SetSize(size_ + 1);
  data_[size_t(size_ - 1)] = b;
}

int32_t TIEByteArray::AppendFromStream(TStream& stream, int32_t n) {
  if (n <= 0) return 0;
  if (n > INT32_MAX - size_) throw EOutOfMemory("Out of memory");
  const int32_t at = size_;
  SetSize(at + n);
  const int32_t got = std::max(stream.Read(data_.data() + at, n), 0);
  SetSize(at + got);
  return got;
}

// ---- THash1 --------------------------------------------------------------------------------

THash1::THash1(int32_t n)
    : bits_(int32_t(uint32_t(n) % 32)), tableSize_(int64_t(1) << bits_), mask_(uintptr_t(tableSize_ - 1)) {
  keys_.assign(size_t(tableSize_), 0);
  states_.assign(size_t(tableSize_), 0);
  data_.assign(size_t(tableSize_), 0);
  chains_.assign(size_t(tableSize_), nullptr);
}

bool THash1::AddItem(uintptr_t key, int32_t& bucket, THash1Item*& newItem) {
  newItem = nullptr;
  bucket = HashIndex(key);
  const auto b = size_t(bucket);
  switch (states_[b]) {
    case 0:
      states_[b] = 1;
      keys_[b] = key;
      break;
    case 1: {
      if (keys_[b] == key) return false;
      auto added = std::make_unique<THash1Item>();
      added->key = key;
      auto moved = std::make_unique<THash1Item>();
      moved->key = keys_[b];
      moved->data = data_[b];
      moved->next = added.get();
      chains_[b] = moved.get();
      newItem = added.get();
      items_.push_back(std::move(moved));
      items_.push_back(std::move(added));
      states_[b] = 2;
      break;
    }
    default: {
      THash1Item* last = chains_[b];  // a chain bucket always has a head
      for (;;) {
        if (last->key == key) return false;
        if (!last->next) break;
        last = last->next;
      }
      auto added = std::make_unique<THash1Item>();
      added->key = key;
      last->next = added.get();
      newItem = added.get();
      items_.push_back(std::move(added));
      break;
    }
  }
  ++count_;
  return true;
}

bool THash1::Insert(uintptr_t key) {
  int32_t bucket;
  THash1Item* item;
  return AddItem(key, bucket, item);
}

void THash1::CheckBucket(int32_t bucket) const {
  if (bucket < 0 || bucket >= tableSize_) throw EListError(Format("List index out of bounds (%d)", bucket));
}

uint8_t THash1::BucketState(int32_t bucket) const {
  CheckBucket(bucket);
  return states_[size_t(bucket)];
}

uintptr_t THash1::BucketKey(int32_t bucket) const {
  CheckBucket(bucket);
  return keys_[size_t(bucket)];
}

uintptr_t THash1::BucketData(int32_t bucket) const {
  CheckBucket(bucket);
  return data_[size_t(bucket)];
}

void THash1::SetBucketData(int32_t bucket, uintptr_t data) {
  CheckBucket(bucket);
  data_[size_t(bucket)] = data;
}

THash1Item* THash1::BucketChain(int32_t bucket) const {
  CheckBucket(bucket);
  return chains_[size_t(bucket)];
}

// ---- Colour counts and pointer lists -------------------------------------------------------

int64_t IEColorCountFromBits(int32_t bitsPerSample, int32_t samplesPerPixel) {
  // The shift count masked to five bits is the bits modulo 32 for every non-negative value.
  const int64_t perSample = int64_t(1) << (uint32_t(bitsPerSample) & 31);
  int64_t result = 1;
  for (int32_t i = 0; i < samplesPerPixel; ++i) {
    if (__builtin_mul_overflow(result, perSample, &result)) return INT64_MAX;
  }
  return result;
}

void IECopyListItems(const TList& source, TList& destination) {
  destination.SetCount(source.Count());
  for (int32_t i = 0; i < source.Count(); ++i) destination.SetItems(i, source.Items(i));
}
