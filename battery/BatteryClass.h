#pragma once
#include <cstdint>

class IBiosCalls;

// A battery as the firmware reports it (the battery meter uses it for the
// docking station's pack, battery number 128), and the firmware's battery
// health call.
class CBatteryClass {
public:
    static constexpr int kPrimary = 1;
    static constexpr int kSecondary = 2;
    static constexpr int kDock = 128;

    explicit CBatteryClass(IBiosCalls& bios) : m_bios(bios) {}
    virtual ~CBatteryClass() = default;
    CBatteryClass(const CBatteryClass&) = delete;
    CBatteryClass& operator=(const CBatteryClass&) = delete;

    // Reads status, percent, minutes to full and presence of that battery.
    void Update(int batteryNumber);

    // The health index of that battery (-1 none, 0..6); permanentFailure is
    // set or cleared where the firmware's answer says so and left alone
    // otherwise. Battery numbers of 0 and below mean the primary.
    int DoSmi(int batteryNumber, int& permanentFailure);

    int Status() const { return m_status; } // 1 charging, 2 discharging, 0 idle
    int BatteryNumber() const { return m_batteryNumber; }
    int Percent() const { return m_percent; } // 0..255 as the firmware gives it
    int MinutesToFull() const { return m_minutesToFull; }
    int Present() const { return m_present; }

private:
    IBiosCalls& m_bios;
    int m_status = 0;
    int m_batteryNumber = 0;
    int m_percent = 0;
    int m_minutesToFull = 0;
    int m_present = 0;
};
