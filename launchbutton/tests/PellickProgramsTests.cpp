// Finding the optional programs in the registry and the file system.
#include "PellickPrograms.h"
#include "SettingNames.h"
#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr wchar_t kUninstall[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Uninstall entries made for one test and removed after it.
class UninstallEntries : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (const std::wstring& name : m_made)
            ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, (std::wstring(kUninstall) + L"\\" + name).c_str());
    }

    void Add(const std::wstring& name, const wchar_t* displayName, const wchar_t* location)
    {
        HKEY made = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, (std::wstring(kUninstall) + L"\\" + name).c_str(), 0,
                                    nullptr, 0, KEY_WRITE, nullptr, &made, nullptr),
                  ERROR_SUCCESS);
        UniqueKey key(made);
        m_made.push_back(name);
        const auto set = [&](const wchar_t* value, const wchar_t* text) {
            ::RegSetValueExW(key.get(), value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                             static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
        };
        if (displayName) set(setting_names::kUninstallDisplayName, displayName);
        if (location) set(setting_names::kUninstallInstallLocation, location);
    }

    std::vector<std::wstring> m_made;
};

} // namespace

TEST_F(UninstallEntries, TheFirstWirelessDisplayEntryNamesTheApplication)
{
    EXPECT_EQ(pellick_programs::FindWirelessDisplay(), L"") << "the test prefix has none installed";
    Add(L"TavrinTest 1 Quillon Player", L"Quillon Player", L"C:\\Quillon\\");
    Add(L"TavrinTest 2 Display", L"Lunetra Wireless Display Kit", L"C:\\Lunetra\\WiDi\\");
    Add(L"TavrinTest 3 Display", L"Wireless Display", L"C:\\Other\\");
    // The folder is taken as written, without a separator added.
    EXPECT_EQ(pellick_programs::FindWirelessDisplay(), L"C:\\Lunetra\\WiDi\\WiDiApp.exe");
    EXPECT_TRUE(pellick_programs::FindInstalled().wirelessDisplay);
}

TEST_F(UninstallEntries, AMatchWithoutAFolderEndsTheSearchEmpty)
{
    Add(L"TavrinTest 1 Display", L"Wireless Display", nullptr);
    Add(L"TavrinTest 2 Display", L"Wireless Display", L"C:\\Second\\");
    EXPECT_EQ(pellick_programs::FindWirelessDisplay(), L"");
    EXPECT_FALSE(pellick_programs::FindInstalled().wirelessDisplay);
}

TEST(PellickPrograms, SystemProgramsAndTheMediaCentreAreLookedForWhereWindowsKeepsThem)
{
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    EXPECT_EQ(_wcsicmp(pellick_programs::SystemProgram(L"charmap.exe").c_str(),
                       (std::wstring(system) + L"\\charmap.exe").c_str()),
              0);
    EXPECT_NE(pellick_programs::LumaraPath().find(L"\\Corvane Lumara\\Corvane Lumara\\lumara_primary.exe"),
              std::wstring::npos);
    // Missing from the test prefix: not offered, and no path to start.
    EXPECT_EQ(pellick_programs::MediaCenterPath(), L"");
    EXPECT_FALSE(pellick_programs::FileExists(pellick_programs::LumaraPath()));
    EXPECT_FALSE(pellick_programs::FileExists(system)) << "a folder is not a program";
}
