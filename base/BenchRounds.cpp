#include "BenchRounds.h"

#include <algorithm>

Spread SpreadOf(std::vector<double> values)
{
    if (values.empty()) return {};
    std::sort(values.begin(), values.end());
    // Between two neighbouring rounds where a fraction falls between them.
    const auto at = [&values](double fraction) {
        const double position = fraction * static_cast<double>(values.size() - 1);
        const auto below = static_cast<size_t>(position);
        const size_t above = std::min(below + 1, values.size() - 1);
        return values[below] + (values[above] - values[below]) * (position - static_cast<double>(below));
    };
    return {values.front(), at(0.5), values.back(), at(0.25), at(0.75)};
}

const char* Verdict(const Spread& ratio)
{
    // A margin of a twentieth: rounds just past even are the machine, not the code.
    if (ratio.lowerQuartile > 1.05) return "dearer";
    if (ratio.upperQuartile < 0.95) return "cheaper";
    return "no clear difference";
}

namespace {

// Nanoseconds shown in the unit that keeps them readable.
void PrintDuration(double nanoseconds)
{
    if (nanoseconds >= 1e6)
        std::printf("%9.2f ms", nanoseconds / 1e6);
    else if (nanoseconds >= 1e3)
        std::printf("%9.2f us", nanoseconds / 1e3);
    else
        std::printf("%9.1f ns", nanoseconds);
}

} // namespace

void PrintTableHeader()
{
    std::printf("%-52s %12s %12s   %-26s %s\n", "measure (median per call)", "cost", "baseline",
                "ratio min / median / max", "verdict");
}

void PrintComparison(const char* measure, const Interleaved& result)
{
    std::printf("%-52s ", measure);
    PrintDuration(result.a.median);
    std::printf(" ");
    PrintDuration(result.b.median);
    std::printf("   %6.2f / %6.2f / %6.2f      %s\n", result.ratio.min, result.ratio.median, result.ratio.max,
                Verdict(result.ratio));
    std::fflush(stdout);
}

void PrintCost(const char* measure, const Spread& nanoseconds)
{
    std::printf("%-52s ", measure);
    PrintDuration(nanoseconds.median);
    std::printf(" %12s   ", "");
    PrintDuration(nanoseconds.min);
    std::printf(" to");
    PrintDuration(nanoseconds.max);
    std::printf("\n");
    std::fflush(stdout);
}

void PrintCount(const char* measure, double count)
{
    std::printf("%-52s %12.2f\n", measure, count);
    std::fflush(stdout);
}
