#pragma once

class IBiosCalls;
class CSettings;

// The health record of the primary and the secondary battery: both health
// indexes (-1 none, 0..6), the battery to talk about and the registry values
// by which the user silences the health warning for a battery. The tray's
// health pop-up and the battery meter's health page share it.
class CBatteryOrderBase {
public:
    // Reads both healths once (QueryHealth).
    CBatteryOrderBase(IBiosCalls& bios, const CSettings& settings);

    // Both healths from the firmware (unless overridden), then the selection.
    void QueryHealth();
    // Healths given from outside (the battery meter's command line): later
    // queries keep them.
    void OverrideHealth(int primaryHealth, int secondaryHealth);
    // The primary's permanent-failure flag given from outside, kept the same way.
    void OverridePrimaryPermanentFailure(int permanentFailure);

    // The battery to talk about: while either health is unknown, the one with
    // the greater index (the secondary on a tie); otherwise the one in the
    // worse state, the smaller index (the primary on a tie). 1 or 2.
    static int SelectBattery(int primaryHealth, int secondaryHealth);

    // The value that silences the warning for the selected battery and
    // health (health 0: replace, 4: charging held off), or null: for any
    // other health both values of that battery are set back to 0, so the
    // warning comes again when the battery gets there once more.
    const wchar_t* SuppressionValueName() const;

    int PrimaryHealth() const { return m_primaryHealth; }
    int SecondaryHealth() const { return m_secondaryHealth; }
    int SelectedBattery() const { return m_selectedBattery; }
    int SelectedHealth() const { return m_selectedHealth; }
    int Overridden() const { return m_override; }
    int PrimaryPermanentFailure() const { return m_primaryPermanentFailure; }
    int SecondaryPermanentFailure() const { return m_secondaryPermanentFailure; }

private:
    void Select();

    IBiosCalls& m_bios;
    const CSettings& m_settings;
    int m_primaryHealth = -1;
    int m_secondaryHealth = -1;
    int m_selectedBattery = 1;
    int m_selectedHealth = -1;
    int m_override = 0;
    int m_primaryPermanentFailure = 0;
    int m_secondaryPermanentFailure = 0;
};
