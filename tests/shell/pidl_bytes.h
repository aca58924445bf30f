// Item-ID lists written byte by byte for the shell library's tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "platform/rtl/taskmem.h"

using Bytes = std::vector<uint8_t>;

// One item: its 16-bit count (2 + payload) and the payload.
inline Bytes Item(std::initializer_list<uint8_t> payload) {
  Bytes b{uint8_t(payload.size() + 2), 0};
  b.insert(b.end(), payload);
  return b;
}

// The items back to back and the terminator.
inline Bytes List(std::initializer_list<Bytes> items) {
  Bytes b;
  for (const Bytes& i : items) b.insert(b.end(), i.begin(), i.end());
  b.push_back(0);
  b.push_back(0);
  return b;
}

// A task-allocator block holding the bytes, freed with the object.
class TaskBlock {
public:
  explicit TaskBlock(const Bytes& b) : p_(static_cast<uint8_t*>(TaskMemAlloc(b.size()))) {
    if (!b.empty()) std::memcpy(p_, b.data(), b.size());
  }
  explicit TaskBlock(uint8_t* adopt) : p_(adopt) {}
  ~TaskBlock() { TaskMemFree(p_); }
  TaskBlock(const TaskBlock&) = delete;
  TaskBlock& operator=(const TaskBlock&) = delete;
  uint8_t* get() const { return p_; }
  Bytes bytes(size_t n) const { return Bytes(p_, p_ + n); }

private:
  uint8_t* p_;
};

inline Bytes LE32(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }

inline Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes b;
  for (const Bytes& p : parts) b.insert(b.end(), p.begin(), p.end());
  return b;
}
