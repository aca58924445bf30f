// The task allocator records each block's size; pointers it did not hand out are refused.
#include "platform/rtl/taskmem.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(TaskMem, BlocksKnowTheirSizeAndForeignPointersAreRefused) {
  const size_t before = TaskMemBlockCount();
  void* a = TaskMemAlloc(10);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(TaskMemSize(a), 10);
  EXPECT_EQ(TaskMemBytesFrom(static_cast<uint8_t*>(a) + 3), 7u);
  EXPECT_EQ(TaskMemBytesFrom(static_cast<uint8_t*>(a) + 10), 0u);
  EXPECT_EQ(TaskMemSize(static_cast<uint8_t*>(a) + 1), -1);
  EXPECT_FALSE(TaskMemFree(static_cast<uint8_t*>(a) + 1));
  void* b = TaskMemRealloc(a, 20);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(TaskMemSize(b), 20);
  EXPECT_TRUE(TaskMemFree(b));
  EXPECT_FALSE(TaskMemFree(b)) << "a second free is refused";
  EXPECT_EQ(TaskMemAlloc(size_t(1) << 40), nullptr);
  EXPECT_EQ(TaskMemBlockCount(), before);
}
