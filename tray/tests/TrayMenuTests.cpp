#include "AboutDlg.h"
#include "MessageCatalogue.h"
#include "TaskBar.h"
#include "TavrinResources.h"
#include "TrayMenus.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::wstring Text(UINT id)
{
    return L"#" + std::to_wstring(id);
}

struct Item {
    UINT id;
    std::wstring text;
    bool checked;
    bool separator;
};

std::vector<Item> Items(HMENU menu)
{
    std::vector<Item> items;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW info{sizeof(info)};
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 128;
        ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        items.push_back(
            {info.wID, text, (info.fState & MFS_CHECKED) != 0, (info.fType & MFT_SEPARATOR) != 0});
    }
    return items;
}

TEST(HotkeyMenu, ChecksMarkSwitchedOffDisplays)
{
    DisplayFlags flags;
    flags.brightness = 0;
    flags.volume = 0;
    flags.radio = 1;
    UniqueMenu menu = tray_menus::BuildHotkeyMenu(Text, flags, true);
    ASSERT_TRUE(menu);
    auto outer = Items(menu.get());
    ASSERT_EQ(outer.size(), 1u);
    EXPECT_EQ(outer[0].text, L"#1030");
    HMENU popups = ::GetSubMenu(menu.get(), 0);
    ASSERT_NE(popups, nullptr);
    auto items = Items(popups);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].id, static_cast<UINT>(ID_POPUP_BRIGHTNESS));
    EXPECT_EQ(items[0].text, L"#933");
    EXPECT_TRUE(items[0].checked);
    EXPECT_EQ(items[1].id, static_cast<UINT>(ID_POPUP_VOLUME));
    EXPECT_EQ(items[1].text, L"#934");
    EXPECT_TRUE(items[1].checked);
    EXPECT_EQ(items[2].id, static_cast<UINT>(ID_POPUP_RADIO));
    EXPECT_EQ(items[2].text, L"#935");
    EXPECT_FALSE(items[2].checked);
}

TEST(HotkeyMenu, NoVolumeEntryWithoutAudio)
{
    DisplayFlags flags;
    flags.radio = 0;
    UniqueMenu menu = tray_menus::BuildHotkeyMenu(Text, flags, false);
    auto items = Items(::GetSubMenu(menu.get(), 0));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].id, static_cast<UINT>(ID_POPUP_BRIGHTNESS));
    EXPECT_FALSE(items[0].checked);
    EXPECT_EQ(items[1].id, static_cast<UINT>(ID_POPUP_RADIO));
    EXPECT_TRUE(items[1].checked);
}

class ContextMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        menu.reset(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU)));
        ASSERT_TRUE(menu);
        popup = ::GetSubMenu(menu.get(), 0);
        ASSERT_NE(popup, nullptr);
    }
    UniqueMenu menu;
    HMENU popup = nullptr;
};

TEST_F(ContextMenu, TextsReplacedAndHelpRemoved)
{
    tray_menus::PrepareContextMenu(popup, Text, false);
    auto items = Items(popup);
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].id, static_cast<UINT>(ID_TRAY_OPEN));
    EXPECT_EQ(items[0].text, L"#1029");
    EXPECT_TRUE(items[1].separator);
    EXPECT_EQ(items[2].id, static_cast<UINT>(ID_TRAY_ABOUT));
    EXPECT_EQ(items[2].text, L"#937");
    EXPECT_TRUE(items[3].separator);
    EXPECT_EQ(items[4].id, static_cast<UINT>(ID_TRAY_EXIT));
    EXPECT_EQ(items[4].text, L"#938");
    for (const auto& item : items) EXPECT_EQ(item.text.find(L"HELP"), std::wstring::npos);
}

TEST_F(ContextMenu, OpticalDriveEntriesInsertedOnceAtPositionsTwoToSix)
{
    tray_menus::PrepareContextMenu(popup, Text, true);
    tray_menus::PrepareContextMenu(popup, Text, true);
    auto items = Items(popup);
    ASSERT_EQ(items.size(), 10u);
    EXPECT_EQ(items[2].id, static_cast<UINT>(ID_ODD_ENABLE));
    EXPECT_EQ(items[2].text, L"Enable ODD");
    EXPECT_EQ(items[3].id, static_cast<UINT>(ID_ODD_DISABLE));
    EXPECT_EQ(items[3].text, L"Disable ODD");
    EXPECT_TRUE(items[4].separator);
    EXPECT_EQ(items[5].id, static_cast<UINT>(ID_ODD_RUN_SIDEBAR));
    EXPECT_EQ(items[5].text, L"Run Sidebar");
    EXPECT_TRUE(items[6].separator);
    EXPECT_EQ(items[7].id, static_cast<UINT>(ID_TRAY_ABOUT));
    EXPECT_EQ(items[9].id, static_cast<UINT>(ID_TRAY_EXIT));
}

struct ShellCall {
    DWORD message;
    NOTIFYICONDATAW data;
};

class FakeShell {
public:
    int failuresLeft = 0;
    std::vector<ShellCall> calls;
    CTaskBar::NotifyFunction Function()
    {
        return [this](DWORD message, NOTIFYICONDATAW* data) {
            calls.push_back({message, *data});
            if (message == NIM_ADD && failuresLeft > 0) {
                --failuresLeft;
                return FALSE;
            }
            return TRUE;
        };
    }
    int Adds() const
    {
        int adds = 0;
        for (const auto& call : calls) adds += call.message == NIM_ADD;
        return adds;
    }
};

HICON TestIcon()
{
    return ::CreateIcon(nullptr, 1, 1, 1, 1, std::vector<BYTE>{0xFF, 0, 0, 0}.data(),
                        std::vector<BYTE>{0, 0, 0, 0}.data());
}

TEST(TaskBar, IconAddedWithBoundedTip)
{
    FakeShell shell;
    CTaskBar taskBar(shell.Function());
    HWND owner = reinterpret_cast<HWND>(0x1234);
    taskBar.Attach(owner, messages::kTrayIconMessage);
    std::wstring longTip(300, L'x');
    taskBar.AddIcon(TestIcon(), longTip);
    ASSERT_EQ(shell.calls.size(), 1u);
    const auto& data = shell.calls[0].data;
    EXPECT_EQ(shell.calls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(data.uID, 1u);
    EXPECT_EQ(data.uCallbackMessage, 0x0BD0u);
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_NE(data.hIcon, nullptr);
    EXPECT_EQ(std::wstring(data.szTip), std::wstring(ARRAYSIZE(data.szTip) - 1, L'x'));
    EXPECT_TRUE(taskBar.IsShown());
    EXPECT_FALSE(taskBar.IsRetrying());
}

class RetryWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner = ::CreateWindowExW(0, L"STATIC", L"retry", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner, nullptr);
    }
    void TearDown() override { ::DestroyWindow(owner); }
    HWND owner = nullptr;
};

TEST_F(RetryWindow, ShellNotReadyIsRetriedTenTimesInAllThenGivenUp)
{
    FakeShell shell;
    shell.failuresLeft = 100;
    CTaskBar taskBar(shell.Function());
    taskBar.Attach(owner, messages::kTrayIconMessage);
    taskBar.AddIcon(TestIcon(), L"Corvane Tavrin");
    EXPECT_EQ(shell.Adds(), 1);
    EXPECT_TRUE(taskBar.IsRetrying());
    EXPECT_TRUE(taskBar.IsShown());
    for (int tick = 0; tick < 20; ++tick) taskBar.OnRetryTimer();
    EXPECT_EQ(shell.Adds(), CTaskBar::kMaxAttempts);
    EXPECT_FALSE(taskBar.IsRetrying());
    EXPECT_TRUE(taskBar.IsShown());
    // The retry timer is gone.
    EXPECT_FALSE(::KillTimer(owner, TimerNumber(TimerId::TrayIconRetry)));
}

TEST_F(RetryWindow, RetryStopsAtTheFirstSuccess)
{
    FakeShell shell;
    shell.failuresLeft = 3;
    CTaskBar taskBar(shell.Function());
    taskBar.Attach(owner, messages::kTrayIconMessage);
    taskBar.AddIcon(TestIcon(), L"tip");
    for (int tick = 0; tick < 10; ++tick) taskBar.OnRetryTimer();
    EXPECT_EQ(shell.Adds(), 4);
    EXPECT_FALSE(taskBar.IsRetrying());
}

TEST_F(RetryWindow, RemovingStopsPendingAttempts)
{
    FakeShell shell;
    shell.failuresLeft = 100;
    CTaskBar taskBar(shell.Function());
    taskBar.Attach(owner, messages::kTrayIconMessage);
    taskBar.AddIcon(TestIcon(), L"tip");
    taskBar.RemoveIcon();
    taskBar.OnRetryTimer();
    EXPECT_EQ(shell.Adds(), 1);
    ASSERT_EQ(shell.calls.back().message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(shell.calls.back().data.uID, 1u);
    EXPECT_FALSE(taskBar.IsShown());
}

TEST(AboutBox, ShowsTheProductVersionAsThreeNumbers)
{
    VS_FIXEDFILEINFO info{};
    info.dwProductVersionMS = MAKELONG(3, 1);
    info.dwProductVersionLS = MAKELONG(9, 8);
    info.dwFileVersionMS = MAKELONG(0, 7);
    EXPECT_EQ(CAboutDlg::FormatVersion(info), L"1.3.8");
    info.dwProductVersionMS = MAKELONG(65535, 65535);
    info.dwProductVersionLS = MAKELONG(0, 65535);
    EXPECT_EQ(CAboutDlg::FormatVersion(info), L"65535.65535.65535");
    // This executable carries the program's version resource.
    EXPECT_EQ(CAboutDlg::ProgramVersion(nullptr), L"1.3.8");
}

class VisibleAbout : public CAboutDlg {
public:
    std::wstring shown;

protected:
    BOOL OnInitDialog() override
    {
        BOOL result = CAboutDlg::OnInitDialog();
        wchar_t text[128] = {};
        ::GetDlgItemTextW(m_hWnd, IDC_ABOUT_VERSION, text, 128);
        shown = text;
        EndDialog(IDOK);
        return result;
    }
};

TEST(AboutBox, VersionLineCombinesLabelAndVersion)
{
    VisibleAbout about;
    EXPECT_EQ(about.DoModal(nullptr), IDOK);
    EXPECT_EQ(about.shown, L"Version 1.3.8");
}

} // namespace
