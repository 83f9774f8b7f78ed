// What the BIOS interface costs, as rows of the suite's benchmark table:
// building it (WMI connection, SMBIOS read, call objects, the hardware-
// configuration block), one PerformSmi round trip, and a token read against
// a round trip, each over many short rounds with its spread.
#include "AcpiWmi.h"
#include "BenchRounds.h"
#include "ComInitialization.h"
#include "ComSecurity.h"

#include <cstdio>
#include <cwchar>
#include <memory>

namespace {

constexpr int kRounds = 21;
constexpr int kCallsPerRound = 100;
constexpr int kConstructions = 7;
constexpr uint16_t kBrightnessLevels = 0x007D;

bool RoundTrip(CAcpiWmi& bios)
{
    BiosCallBuffer buffer;
    return bios.PerformSmi(buffer, 0x11, 0x0B, 0, 0, 0, 0);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const ComInitialization com;
    InitializeComSecurity();
    auto bios = std::make_unique<CAcpiWmi>();
    if (bios->DataBufferSize() == 0) {
        std::fprintf(stderr, "no BIOS interface: set TAVRIN_SIMULATED_MACHINE to a profile with ACPI-WMI\n");
        return 1;
    }
    if (argc < 2 || std::wcscmp(argv[1], L"--rows") != 0) PrintTableHeader();

    std::vector<double> constructions;
    for (int i = 0; i < kConstructions; ++i) {
        const Stopwatch watch;
        CAcpiWmi another;
        constructions.push_back(watch.Nanoseconds());
    }
    PrintCost("BIOS interface: construction", SpreadOf(constructions));

    int answered = 0;
    const Interleaved tokens = Interleave(
        kRounds, kCallsPerRound, [&](int) { bios->TokenRead(kBrightnessLevels); },
        [&](int) { answered += RoundTrip(*bios) ? 1 : 0; });
    PrintCost("BIOS interface: PerformSmi round trip", tokens.b);
    PrintComparison("BIOS interface: TokenRead against a round trip", tokens);
    if (answered != kRounds * kCallsPerRound) {
        std::fprintf(stderr, "%d of %d calls answered\n", answered, kRounds * kCallsPerRound);
        return 1;
    }
    return 0;
}
