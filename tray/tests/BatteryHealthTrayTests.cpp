// The battery-health pop-up through the running tray on the simulated
// notebook: a failed battery and the firmware's refresh event bring it up;
// the value the meter's "do not remind me" box writes silences it until the
// battery recovers.
#include "DialogTestSupport.h"
#include "TrayDispatchFixture.h"

#include "SettingNames.h"
#include "TavrinResources.h"

namespace {

using namespace setting_names;

HWND FindPopup(DWORD processId)
{
    return FindWindowWithControl(processId, IDC_BATTERY_WARNING_LINK, true);
}

class TrayHealth : public TrayDispatch {
protected:
    void TearDown() override
    {
        Simctl(L"battery-fail primary 0");
        TrayDispatch::TearDown();
    }

    HWND WaitPopup()
    {
        HWND popup = nullptr;
        EXPECT_TRUE(WaitFor([&] { return (popup = FindPopup(m_tray.id)) != nullptr; })) << "no pop-up";
        return popup;
    }

    void Close(HWND popup)
    {
        ::PostMessageW(popup, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(popup); }, 5000)) << "the pop-up stayed";
    }

    // The refresh event, handled to its end: the marker after it is through.
    void Refresh()
    {
        Simctl(L"event 0xE00E");
        const Lines lines = UntilMarker();
        EXPECT_NE(std::find(lines.begin(), lines.end(), "entry RefreshBatteryStatus"), lines.end());
    }

    std::optional<DWORD> Value(const wchar_t* name) const { return CSettings().TryReadDword(name); }

    RegistryValueGuard m_suppression{CSettings::kKeyPath,
                                     {kDisableBattPopUpPrimaryReplace, kDisableBattPopUpPrimaryTf,
                                      kDisableBattPopUpSecReplace, kDisableBattPopUpSecTf}};
};

TEST_F(TrayHealth, AFailedBatteryWarnsUntilSilencedAndAgainOnceItRecovered)
{
    Simctl(L"battery-fail primary 3");
    Refresh();
    HWND popup = WaitPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(WindowText(::GetDlgItem(popup, IDC_BATTERY_WARNING_TEXT)),
              L"Your battery needs to be replaced.");
    EXPECT_EQ(WindowText(::GetDlgItem(popup, IDC_BATTERY_WARNING_LINK)), L"Click here for more information");
    Close(popup);
    EXPECT_NE(Value(kDisableBattPopUpPrimaryReplace), std::optional<DWORD>(1)) << "closing is not silencing";

    // As the battery meter's health page silences it.
    m_suppression.SetDword(kDisableBattPopUpPrimaryReplace, 1);
    Refresh();
    EXPECT_EQ(FindPopup(m_tray.id), nullptr) << "silenced, yet shown";
    EXPECT_TRUE(IsResponsive());

    Simctl(L"battery-fail primary 0");
    Refresh();
    EXPECT_EQ(Value(kDisableBattPopUpPrimaryReplace), std::optional<DWORD>(0)) << "not re-armed";
    EXPECT_EQ(FindPopup(m_tray.id), nullptr) << "a sound battery warned of";

    Simctl(L"battery-fail primary 3");
    Refresh();
    popup = WaitPopup();
    ASSERT_NE(popup, nullptr);
    Close(popup);
}

// The classic style, with the battery failed before the tray starts.
class ClassicTrayHealth : public TrayHealth {
protected:
    void Configure() override
    {
        settings.SetDword(L"TavrinControl", 0x0010);
        Simctl(L"battery-fail primary 3");
    }
};

TEST_F(ClassicTrayHealth, TheStartWarnsOfABatteryFailedBefore)
{
    const HWND popup = WaitPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(WindowText(::GetDlgItem(popup, IDC_BATTERY_WARNING_TEXT)),
              L"Your battery needs to be replaced.");
    Close(popup);
    // Charging held off says nothing in this style.
    Simctl(L"battery-fail primary 0");
    Simctl(L"battery-health primary 4");
    Refresh();
    EXPECT_EQ(FindPopup(m_tray.id), nullptr);
    Simctl(L"battery-health primary 3");
}

// The classic style on a notebook whose firmware holds charging off.
class ChargingNoticeTray : public TrayDispatch {
protected:
    void Configure() override
    {
        settings.SetDword(L"TavrinControl", 0x0010);
        Simctl(L"charge-disable on");
    }

    void TearDown() override
    {
        Simctl(L"charge-disable off");
        Simctl(L"ac on");
        TrayDispatch::TearDown();
    }

    HWND WaitNotice()
    {
        HWND notice = nullptr;
        EXPECT_TRUE(WaitFor([&] {
            return (notice = FindWindowWithControl(m_tray.id, IDC_BATTERY_CHARGING_LINK, true)) != nullptr;
        })) << "no charging notice";
        return notice;
    }

    void Close(HWND notice)
    {
        ::PostMessageW(notice, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(notice); }, 5000)) << "the notice stayed";
    }
};

TEST_F(ChargingNoticeTray, TheStartAndTheAdapterComingBackTellThatChargingIsHeldOff)
{
    HWND notice = WaitNotice();
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(WindowText(::GetDlgItem(notice, IDC_BATTERY_CHARGING_TEXT)), L"Battery charging is disabled.");
    Close(notice);

    Simctl(L"ac off");
    Simctl(L"ac on");
    notice = WaitNotice();
    ASSERT_NE(notice, nullptr);
    Close(notice);

    // Charging let go again: the adapter's return is only a power change.
    Simctl(L"charge-disable off");
    Simctl(L"ac off");
    Simctl(L"ac on");
    const Lines lines = UntilMarker();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "entry CheckBatteryCharging"), lines.end());
    EXPECT_EQ(FindWindowWithControl(m_tray.id, IDC_BATTERY_CHARGING_LINK, true), nullptr);
}

} // namespace
