#include "DiagReport.h"

#include <cstdarg>
#include <cstdio>

#include "AcpiWmi.h"
#include "FeatureNames.h"

namespace {

// The radio status query: harmless, answered by every model that has the interface.
constexpr uint16_t kProbeClass = 0x11;
constexpr uint16_t kProbeSelect = 0x0B;

const char* YesNo(int flag)
{
    return flag ? "yes" : "no";
}

} // namespace

std::string CDiagReport::Text()
{
    m_text.clear();
    Line("Tavrin support report");
    Interface();
    Identity();
    Tokens();
    HardwareConfiguration();
    return m_text;
}

void CDiagReport::Line(const char* format, ...)
{
    char line[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    m_text += line;
    m_text += '\n';
}

void CDiagReport::Interface()
{
    if (m_bios.DataBufferSize() > 0) {
        Line("ACPI-WMI BIOS interface: ready, data buffer %d bytes", m_bios.DataBufferSize());
    } else {
        Line("ACPI-WMI BIOS interface: not available (firmware classes BFn, BDat or WMI_Query missing);"
             " every BIOS call fails with cbRes1 -3");
    }
    BiosCallBuffer probe;
    const bool answered = m_bios.PerformSmi(probe, kProbeClass, kProbeSelect, 0, 0, 0, 0);
    Line("Probe call 0x%04X/0x%04X: %s, cbRes1 %d, cbRes2 0x%08X", kProbeClass, kProbeSelect,
         answered ? "answered" : "no answer", probe.cbRes1, probe.cbRes2);
}

void CDiagReport::Identity()
{
    Line("SMBIOS: %s",
         m_bios.IsSmbiosUnavailable() ? "unavailable (the suite's programs refuse to start)" : "read");
    Line("Maker system: %s", YesNo(m_bios.IsMakerSystem()));
    Line("Maker BIOS: %s", YesNo(m_bios.IsMakerBios()));
    Line("System id: 0x%04X (%u)", m_bios.SystemId(), m_bios.SystemId());
    Line("Capability words: 0x%04X 0x%04X 0x%04X 0x%04X", m_bios.CapabilityWord(0), m_bios.CapabilityWord(1),
         m_bios.CapabilityWord(2), m_bios.CapabilityWord(3));
}

void CDiagReport::Tokens()
{
    if (m_bios.Tokens().empty()) {
        Line("Tokens: none");
        return;
    }
    Line("Tokens: %u", static_cast<unsigned>(m_bios.Tokens().size()));
    for (const Token& token : m_bios.Tokens()) {
        uint16_t v1 = 0, v2 = 0, v3 = 0;
        char reading[64];
        if (m_bios.TokenReadAll(token.identifier, &v1, &v2, &v3)) {
            std::snprintf(reading, sizeof reading, "reads 0x%04X 0x%04X 0x%04X", v1, v2, v3);
        } else {
            std::snprintf(reading, sizeof reading, "read failed");
        }
        Line("  token 0x%04X location 0x%04X value 0x%04X %s", token.identifier, token.location, token.value,
             reading);
    }
}

void CDiagReport::HardwareConfiguration()
{
    const CHwConfig* config = m_bios.HwConfig();
    if (!config) {
        Line("Hardware configuration: not created (no BIOS calls possible); every feature reads as absent");
        return;
    }
    Line("Hardware configuration: %s",
         config->FilledBlock() ? "filled by this program" : "copied from a running program of the suite");
    for (int bit = 0; bit < kHwConfigFeatureCount; ++bit) {
        if (!config->IsFeature(bit)) continue;
        const char* name = FeatureName(bit);
        Line("  bit %d%s%s", bit, name ? " " : "", name ? name : "");
    }
}
