#include <gtest/gtest.h>

#include <vector>

#include "imaging/formats/iecodec.h"

namespace {

// 97 x (100 / 97) is 99.99999999999999 in doubles: the last unit must still
// report 100, and only once.
TEST(CodecProgress, LastUnitReportsHundredWhereTheQuotientFallsShort) {
  for (int32_t units : {97, 161, 100, 7}) {
    SCOPED_TRACE(units);
    std::vector<int32_t> seen;
    TIECodecProgress p;
    p.OnProgress = [&](TObject*, int32_t percent) { seen.push_back(percent); };
    p.Begin(units);
    for (int32_t i = 0; i < units; ++i) p.Step();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), 100);
    for (size_t i = 1; i < seen.size(); ++i) EXPECT_GT(seen[i], seen[i - 1]);
  }
}

}  // namespace
