#pragma once
#include <string>

class CAcpiWmi;

// The support report: what the suite's own BIOS interface, SMBIOS reader and
// hardware-configuration block make of this machine, as plain text.
class CDiagReport {
public:
    explicit CDiagReport(CAcpiWmi& bios) : m_bios(bios) {}

    std::string Text();

private:
    void Interface();
    void Identity();
    void Tokens();
    void HardwareConfiguration();
    void Line(const char* format, ...) __attribute__((format(printf, 2, 3)));

    CAcpiWmi& m_bios;
    std::string m_text;
};
