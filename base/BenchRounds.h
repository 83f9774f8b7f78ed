#pragma once
#include "Stopwatch.h"

#include <cstdio>
#include <vector>

// How the benchmarks measure: what is compared runs in many short rounds,
// taking turns (A B, B A, A B, …) so that a slow spell of the machine hits
// both alike, and every figure comes with its spread over the rounds instead
// of one mean. Each benchmark prints rows of one table.

struct Spread {
    double min = 0;
    double median = 0;
    double max = 0;
    // Between them lies the middle half of the rounds.
    double lowerQuartile = 0;
    double upperQuartile = 0;
};

// The spread of values (empty: all 0).
Spread SpreadOf(std::vector<double> values);

// What a comparison of a with a baseline b shows: a's cost per call, b's,
// and a / b, each over the rounds.
struct Interleaved {
    Spread a;
    Spread b;
    Spread ratio;
};

// "dearer" when a costs clearly more than b (by more than a twentieth) in
// at least three rounds of four, "cheaper" when clearly less in as many,
// "no clear difference" otherwise: a verdict two runs agree on, which a
// round or two that the machine slowed down does not turn.
const char* Verdict(const Spread& ratio);

template <typename A, typename B>
Interleaved Interleave(int rounds, int callsPerRound, A&& a, B&& b)
{
    std::vector<double> costA, costB, ratios;
    const auto perCall = [callsPerRound](auto& call) {
        const Stopwatch watch;
        for (int i = 0; i < callsPerRound; ++i) call(i);
        return watch.Nanoseconds() / callsPerRound;
    };
    for (int round = 0; round < rounds; ++round) {
        double timeA = 0;
        double timeB = 0;
        if (round % 2 == 0) {
            timeA = perCall(a);
            timeB = perCall(b);
        } else {
            timeB = perCall(b);
            timeA = perCall(a);
        }
        costA.push_back(timeA);
        costB.push_back(timeB);
        ratios.push_back(timeB > 0 ? timeA / timeB : 0);
    }
    return {SpreadOf(costA), SpreadOf(costB), SpreadOf(ratios)};
}

// The table's rows: a comparison, or one cost with its spread.
void PrintTableHeader();
void PrintComparison(const char* measure, const Interleaved& result);
void PrintCost(const char* measure, const Spread& nanoseconds);
void PrintCount(const char* measure, double count);
