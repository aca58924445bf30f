// The task allocator: the one heap whose blocks are handed between the
// platform's components (item-ID lists, strings the shell returns, COM's
// task memory). Every block's size is recorded, so that a pointer can be
// checked against the block it lies in before its bytes are read.
#pragma once

#include <cstddef>

// A new block of bytes (zero-filled); null when bytes is absurd or memory is short.
// A request for 0 bytes still gives a distinct block.
void* TaskMemAlloc(size_t bytes);
// A block of the new size with the old bytes (the rest zero); null on failure,
// the old block then stays. A null block allocates; a pointer that is not a
// block's start fails.
void* TaskMemRealloc(void* block, size_t bytes);
// False (and nothing freed) for a pointer that is not a live block's start;
// null is accepted and does nothing.
bool TaskMemFree(void* block);
// The size of the block that starts at p; -1 when p starts no live block.
ptrdiff_t TaskMemSize(const void* p);
// The bytes from p to the end of the live block p lies in (p may point
// inside it); 0 when p lies in no block.
size_t TaskMemBytesFrom(const void* p);
// Live blocks, for leak checks.
size_t TaskMemBlockCount();
