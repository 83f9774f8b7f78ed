#pragma once

class IBiosCalls;

// Whether the firmware holds battery charging off, read and set.
class BatteryChargeControl {
public:
    static constexpr int kEnabled = 0;
    static constexpr int kDisabled = 2;

    // Asks the firmware once whether it can hold charging off.
    explicit BatteryChargeControl(IBiosCalls& bios);

    bool Supported() const { return m_supported != 0; }
    // kDisabled or kEnabled; false (state kEnabled) when not supported or
    // the call fails.
    bool Read(int& state) const;
    // Holds charging off for kDisabled, lets it go on for any other state;
    // true when the firmware did it.
    bool Write(int state) const;

private:
    IBiosCalls& m_bios;
    int m_supported = 0;
};
