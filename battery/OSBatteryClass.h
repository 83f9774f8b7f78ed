#pragma once
#include <cstdint>
#include <string>

#include "BatteryDeviceSet.h"
#include "BatteryRecords.h"
#include "DeviceTree.h"

// A battery as Windows reports it, through its device interface and the
// battery I/O controls; the battery meter has one for the primary (interface
// index 0) and one for the secondary (index 1). Values are read on Refresh
// only.
class COSBatteryClass {
public:
    explicit COSBatteryClass(CBatteryDeviceSet& devices) : m_devices(devices) {}
    virtual ~COSBatteryClass() = default;
    COSBatteryClass(const COSBatteryClass&) = delete;
    COSBatteryClass& operator=(const COSBatteryClass&) = delete;

    // 1 when the battery at this interface index was opened and its
    // information and status were read; 0 otherwise, with every value reset
    // but the rate and the minutes, which a battery keeps from its last read.
    int Refresh(int index);

    int Found() const { return m_found; }
    const std::wstring& Name() const { return m_name; }
    const std::wstring& Identifier() const { return m_identifier; }
    const std::wstring& Manufacturer() const { return m_manufacturer; }
    const std::wstring& Chemistry() const { return m_chemistry; }
    uint32_t Tag() const { return m_tag; }
    int Index() const { return m_index; }
    uint32_t PowerState() const { return m_powerState; }
    int Percent() const { return m_percent; }
    int MinutesToFull() const { return m_minutesToFull; }
    int Rate() const { return m_rate; }
    double MissingCapacity() const { return m_missingCapacity; }
    uint32_t FullChargedCapacity() const { return m_fullChargedCapacity; }
    // 1 charging, 2 discharging, 0 idle.
    int Status() const;

    // Percent, missing capacity and minutes to full from one status reading,
    // given the full-charged capacity (not 0) and the minutes so far.
    struct Figures {
        int percent = 0;
        double missingCapacity = 0;
        int minutesToFull = 0;
    };
    static Figures FiguresOf(uint32_t presentCapacity, uint32_t fullCapacity, int rate, int previousMinutes);

private:
    void Reset();
    bool Open(int index);
    bool ReadInformation();
    std::wstring ReadText(battery_records::InformationLevel level);
    bool ReadStatus();
    // One I/O control on the open battery; the bytes it returned.
    bool Control(uint32_t code, const void* input, uint32_t inputBytes, void* output, uint32_t outputBytes,
                 uint32_t& returned, uint32_t& error);

    CBatteryDeviceSet& m_devices;
    int m_found = 0;
    std::wstring m_name;
    std::wstring m_identifier;
    std::wstring m_manufacturer;
    std::wstring m_chemistry;
    uint32_t m_tag = 0;
    UniqueDevice m_device;
    int m_index = 0;
    uint32_t m_powerState = 0;
    int m_percent = 0;
    int m_minutesToFull = 0;
    int m_rate = 0;
    double m_missingCapacity = 0;
    uint32_t m_fullChargedCapacity = 0;
    // Which battery the kept rate and minutes belong to.
    std::wstring m_lastPath;
    uint32_t m_lastTag = 0;
    std::wstring m_lastPathCandidate; // of the battery being read
};
