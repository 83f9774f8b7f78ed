// Prints what the BIOS interface costs: building it (WMI connection, SMBIOS
// read, call objects, hardware-configuration block) and one PerformSmi round
// trip and one token read, averaged over many calls.
#include <cstdio>

#include "AcpiWmi.h"
#include "ComInitialization.h"
#include "ComSecurity.h"
#include "Stopwatch.h"

namespace {

constexpr int kCalls = 2000;
constexpr uint16_t kBrightnessLevels = 0x007D;

} // namespace

int wmain()
{
    const ComInitialization com;
    InitializeComSecurity();
    const Stopwatch building;
    CAcpiWmi bios;
    std::printf("construction: %.0f us (data buffer %d bytes)\n", building.Microseconds(),
                bios.DataBufferSize());
    if (bios.DataBufferSize() == 0) {
        std::printf("no BIOS interface: set TAVRIN_SIMULATED_MACHINE to a profile with ACPI-WMI\n");
        return 1;
    }

    int answered = 0;
    const Stopwatch calls;
    for (int i = 0; i < kCalls; ++i) {
        BiosCallBuffer buffer;
        answered += bios.PerformSmi(buffer, 0x11, 0x0B, 0, 0, 0, 0) ? 1 : 0;
    }
    std::printf("PerformSmi round trip: %.1f us per call (%d of %d answered)\n",
                calls.Microseconds() / kCalls, answered, kCalls);

    unsigned sum = 0;
    const Stopwatch reads;
    for (int i = 0; i < kCalls; ++i) sum += bios.TokenRead(kBrightnessLevels);
    std::printf("TokenRead: %.1f us per read (value %u)\n", reads.Microseconds() / kCalls, sum / kCalls);
    return 0;
}
