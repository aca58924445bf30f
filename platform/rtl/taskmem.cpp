#include "platform/rtl/taskmem.h"

#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

namespace {

// Past this a request is a corrupted size, not a real need.
constexpr size_t kMaxBlock = size_t(1) << 31;

struct Heap {
  std::mutex M;
  std::map<uintptr_t, size_t> Blocks;  // start -> size
};
Heap& H() {
  static auto* h = new Heap;  // outlives every static that frees into it
  return *h;
}

}  // namespace

void* TaskMemAlloc(size_t bytes) {
  if (bytes > kMaxBlock) return nullptr;
  void* p = std::calloc(bytes ? bytes : 1, 1);
  if (!p) return nullptr;
  std::lock_guard lk(H().M);
  H().Blocks[reinterpret_cast<uintptr_t>(p)] = bytes;
  return p;
}

void* TaskMemRealloc(void* block, size_t bytes) {
  if (!block) return TaskMemAlloc(bytes);
  const ptrdiff_t old = TaskMemSize(block);
  if (old < 0 || bytes > kMaxBlock) return nullptr;
  void* p = TaskMemAlloc(bytes);
  if (!p) return nullptr;
  std::memcpy(p, block, std::min(size_t(old), bytes));
  TaskMemFree(block);
  return p;
}

bool TaskMemFree(void* block) {
  if (!block) return true;
  {
    std::lock_guard lk(H().M);
    if (H().Blocks.erase(reinterpret_cast<uintptr_t>(block)) == 0) return false;
  }
  std::free(block);
  return true;
}

ptrdiff_t TaskMemSize(const void* p) {
  std::lock_guard lk(H().M);
  auto it = H().Blocks.find(reinterpret_cast<uintptr_t>(p));
  return it == H().Blocks.end() ? -1 : ptrdiff_t(it->second);
}

size_t TaskMemBytesFrom(const void* p) {
  if (!p) return 0;
  const uintptr_t a = reinterpret_cast<uintptr_t>(p);
  std::lock_guard lk(H().M);
  auto it = H().Blocks.upper_bound(a);
  if (it == H().Blocks.begin()) return 0;
  --it;
  const uintptr_t end = it->first + it->second;
  return a < end ? size_t(end - a) : 0;
}

size_t TaskMemBlockCount() {
  std::lock_guard lk(H().M);
  return H().Blocks.size();
}
