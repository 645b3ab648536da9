#include "app/kexRandom.h"

#include <gtest/gtest.h>

#include <set>

TEST(Random, DrawsStayBelowTheRangeAndReachItsTop)
{
    for (std::uint32_t range : {1u, 2u, 255u, 1000u}) {
        kex::TRandom rng(range);
        std::set<std::uint32_t> seen;
        for (int i = 0; i < 20000; ++i) {
            const std::uint32_t v = rng.Next(range);
            ASSERT_LT(v, range);
            seen.insert(v);
        }
        EXPECT_EQ(seen.size(), range) << "every value of a small range turns up";
    }
}

TEST(Random, EqualSeedsRepeatAndNeighbouringSeedsDiffer)
{
    kex::TRandom a(86399999), b(86399999), c(86399998);
    int same = 0;
    for (int i = 0; i < 100; ++i) {
        const std::uint32_t va = a.Next(1000);
        ASSERT_EQ(va, b.Next(1000));
        same += va == c.Next(1000);
    }
    EXPECT_LT(same, 5);
}
