#include "BenchRounds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(Spread, MinimumMedianAndMaximumOfAnyOrder)
{
    const Spread odd = SpreadOf({5, 1, 3, 4, 2});
    EXPECT_EQ(odd.min, 1);
    EXPECT_EQ(odd.lowerQuartile, 2);
    EXPECT_EQ(odd.median, 3);
    EXPECT_EQ(odd.upperQuartile, 4);
    EXPECT_EQ(odd.max, 5);
    const Spread even = SpreadOf({4, 1, 3, 2});
    EXPECT_EQ(even.median, 2.5);
    const Spread none = SpreadOf({});
    EXPECT_EQ(none.max, 0);
}

TEST(Spread, VerdictOnlyWhenThreeRoundsOfFourAgree)
{
    EXPECT_STREQ(Verdict(SpreadOf({1.1, 1.2, 1.5, 1.7, 2.0})), "dearer");
    EXPECT_STREQ(Verdict(SpreadOf({0.2, 0.4, 0.5, 0.6, 0.9})), "cheaper");
    EXPECT_STREQ(Verdict(SpreadOf({0.8, 0.9, 1.3, 1.6, 2.0})), "no clear difference");
    // One slowed round does not turn it; rounds just past even are no verdict.
    EXPECT_STREQ(Verdict(SpreadOf({0.4, 1.3, 1.35, 1.4, 1.45})), "dearer");
    EXPECT_STREQ(Verdict(SpreadOf({1.01, 1.02, 1.03, 1.04, 1.5})), "no clear difference");
    EXPECT_STREQ(Verdict(SpreadOf({0.5, 0.96, 0.97, 0.98, 0.99})), "no clear difference");
}

TEST(Interleave, RoundsTakeTurnsAndEachCallCountsOnce)
{
    std::string order;
    int callsA = 0;
    int callsB = 0;
    const Interleaved result = Interleave(
        4, 3,
        [&](int) {
            ++callsA;
            order += 'a';
        },
        [&](int) {
            ++callsB;
            order += 'b';
        });
    EXPECT_EQ(callsA, 12);
    EXPECT_EQ(callsB, 12);
    EXPECT_EQ(order, "aaabbbbbbaaaaaabbbbbbaaa");
    EXPECT_GE(result.ratio.max, result.ratio.median);
    EXPECT_GE(result.ratio.median, result.ratio.min);
}

TEST(Interleave, AnOperationThatDoesMoreWorkIsDearerInEveryRound)
{
    volatile unsigned sink = 0;
    const auto work = [&](int iterations) {
        for (int i = 0; i < iterations; ++i) sink = sink * 31 + static_cast<unsigned>(i);
    };
    const Interleaved result = Interleave(
        9, 50, [&](int) { work(20000); }, [&](int) { work(200); });
    EXPECT_STREQ(Verdict(result.ratio), "dearer");
    EXPECT_GT(result.a.median, result.b.median);
}

} // namespace
