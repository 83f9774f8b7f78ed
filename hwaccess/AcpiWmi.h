#pragma once
#include <cstdint>
#include <memory>

#include "BiosCalls.h"
#include "ComInitialization.h"
#include "HwConfig.h"
#include "SMBIOSParser.h"
#include "TokenOperations.h"
#include "WmiBiosChannel.h"

// The process's BIOS interface: the WMI connection to the firmware's call
// method, the machine identity read from SMBIOS at construction, the setting
// tokens, and the hardware-configuration block. One per process, created
// before any other thread exists; PerformSmi may then be called from any
// thread that has initialised COM.
class CAcpiWmi : public CSMBIOSParser, public IBiosCalls {
public:
    CAcpiWmi();
    ~CAcpiWmi() override;
    CAcpiWmi(const CAcpiWmi&) = delete;
    CAcpiWmi& operator=(const CAcpiWmi&) = delete;

    using IBiosCalls::PerformSmi;
    bool PerformSmi(BiosCallBuffer& buffer, int extraBytes) override;

    // The setting tokens of this machine, read on the current power source.
    CTokenOperations TokenOperations();
    uint16_t TokenRead(uint16_t identifier); // 0 on failure
    bool TokenReadAll(uint16_t identifier, uint16_t* v1, uint16_t* v2, uint16_t* v3);
    bool TokenIsActive(uint16_t identifier);
    // powerSource: -1 the current source, 0 battery, any other value AC.
    bool TokenActivate(uint16_t identifier, int powerSource = -1);

    int DataBufferSize() const { return m_channel.DataBufferSize(); } // 0: no calls possible
    bool IsSmbiosUnavailable() const { return m_smbiosUnavailable != 0; }
    const CHwConfig* HwConfig() const { return m_hwConfig.get(); } // null when not created
    bool IsFeature(int bit) const; // false when there is no block

private:
    ComInitialization m_com;
    std::unique_ptr<CHwConfig> m_hwConfig;
    CWmiBiosChannel m_channel;
    int m_smbiosUnavailable = 1;
};

// The process's BIOS interface, owned here: each program creates it during
// static initialisation, before its application object, and the application
// object's destructor resets it (or the process's exit does).
extern std::unique_ptr<CAcpiWmi> g_pAcpiWmi;
