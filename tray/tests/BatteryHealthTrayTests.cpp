// The battery-health pop-up through the running tray on the simulated
// notebook: a failed battery and the firmware's refresh event bring it up;
// the value the meter's "do not remind me" box writes silences it until the
// battery recovers.
#include "TrayDispatchFixture.h"

#include "SettingNames.h"
#include "TavrinResources.h"

namespace {

using namespace setting_names;

HWND FindPopup(DWORD processId)
{
    struct Search {
        DWORD processId;
        HWND found = nullptr;
    } search{processId};
    ::EnumWindows(
        [](HWND window, LPARAM lp) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(lp);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner != s.processId || !::IsWindowVisible(window)
                || ::GetDlgItem(window, IDC_BATTERY_WARNING_LINK) == nullptr)
                return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring ItemText(HWND window, int id)
{
    wchar_t text[1024] = {};
    ::GetDlgItemTextW(window, id, text, 1024);
    return text;
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
    EXPECT_EQ(ItemText(popup, IDC_BATTERY_WARNING_TEXT), L"Your battery needs to be replaced.");
    EXPECT_EQ(ItemText(popup, IDC_BATTERY_WARNING_LINK), L"Click here for more information");
    Close(popup);
    EXPECT_FALSE(Value(kDisableBattPopUpPrimaryReplace).has_value()) << "closing is not silencing";

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
    EXPECT_EQ(ItemText(popup, IDC_BATTERY_WARNING_TEXT), L"Your battery needs to be replaced.");
    Close(popup);
    // Charging held off says nothing in this style.
    Simctl(L"battery-fail primary 0");
    Simctl(L"battery-health primary 4");
    Refresh();
    EXPECT_EQ(FindPopup(m_tray.id), nullptr);
    Simctl(L"battery-health primary 3");
}

} // namespace
