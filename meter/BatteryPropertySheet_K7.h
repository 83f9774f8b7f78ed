#pragma once
#include "BatteryPropertySheet.h"
#include "BatteryStatusPage_K7.h"

// The K7 battery meter sheet: the K7 status and health pages, the PAGE
// switch, the service message of the tray and of a second meter (with
// control bit 0x4000), and the power plan's low-battery level for the icon.
class CBatteryPropertySheet_K7 : public CBatteryPropertySheet {
public:
    static constexpr DWORD kDesktopModeControl = 0x4000;

    CBatteryPropertySheet_K7(IBiosCalls& bios, IDeviceTree& tree, const CSettings& settings,
                             std::wstring title, const CMeterCommandLine& commandLine, DWORD tavrinControl);
    ~CBatteryPropertySheet_K7() override;

    // The active plan's battery low level (percent), or `fallback` when it
    // cannot be read.
    static int ReadLowBatteryLevel(int fallback);

protected:
    bool IsK7() const override { return true; }
    bool OnSheetMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void OnInitSheet() override;
    void OnDestroy() override;

private:
    CBatteryStatusPage_K7& K7Status();
    void OnServiceMessage(WPARAM request, LPARAM letter);

    DWORD m_control;
    UINT m_serviceMessage = 0;
    HPOWERNOTIFY m_lowLevelNotice = nullptr;
};
