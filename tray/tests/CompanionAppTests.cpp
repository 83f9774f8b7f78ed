#include "CompanionApp.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <string>

namespace {

constexpr wchar_t kFolder[] = L"C:\\Program Files\\Corvane\\Tavrin";

std::wstring NameOf(const std::string& xml)
{
    return CCompanionApp::NameFromConfig(xml);
}

TEST(CompanionApp, MobilityCenterUntilConfiguredOtherwise)
{
    CCompanionApp app;
    EXPECT_EQ(app.CommandLine(), L"c:\\windows\\system32\\mblctr");
    EXPECT_TRUE(app.MenuOnClick());
}

TEST(CompanionApp, GamingNameIsMatchedWithoutCaseAndOpensOnSingleClick)
{
    CCompanionApp app;
    std::wstring name
        = NameOf("<TvrConfig><Version>1</Version><TrayApp><Name>GAMING</Name></TrayApp></TvrConfig>");
    EXPECT_EQ(name, L"GAMING");
    EXPECT_TRUE(app.ApplyName(name, kFolder));
    EXPECT_EQ(app.CommandLine(), std::wstring(kFolder) + L"\\GAMING");
    EXPECT_FALSE(app.MenuOnClick());
    // A later known name brings its own flag.
    EXPECT_TRUE(app.ApplyName(L"TvrUI", kFolder));
    EXPECT_EQ(app.CommandLine(), std::wstring(kFolder) + L"\\TvrUI");
    EXPECT_TRUE(app.MenuOnClick());
}

TEST(CompanionApp, UnknownNameChangesNothing)
{
    CCompanionApp app;
    EXPECT_FALSE(app.ApplyName(L"notepad", kFolder));
    EXPECT_FALSE(app.ApplyName(L"gaming.exe", kFolder));
    EXPECT_FALSE(app.ApplyName(L"", kFolder));
    EXPECT_EQ(app.CommandLine(), L"c:\\windows\\system32\\mblctr");
    EXPECT_TRUE(app.MenuOnClick());
}

TEST(ConfigFile, LastNameWinsAcrossTrayAppElements)
{
    EXPECT_EQ(NameOf("<TvrConfig><Version>3</Version><TrayApp><Name>tvrui</Name><Name>gaming</Name>"
                     "</TrayApp></TvrConfig>"),
              L"gaming");
    EXPECT_EQ(NameOf("<TvrConfig><TrayApp><Name>tvrui</Name></TrayApp><Version/>"
                     "<TrayApp><Other/><Name>mblctr</Name></TrayApp></TvrConfig>"),
              L"mblctr");
}

TEST(ConfigFile, BrokenOrForeignFilesGiveNoName)
{
    EXPECT_EQ(NameOf(""), L"");
    EXPECT_EQ(NameOf("<TvrConfig><Version>1</Version><TrayApp><Name>gaming</Name></TrayApp>"), L"");
    EXPECT_EQ(NameOf("<tvrconfig><Version>1</Version><TrayApp><Name>gaming</Name></TrayApp></tvrconfig>"),
              L"");
    EXPECT_EQ(NameOf("<Config><Version>1</Version><TrayApp><Name>gaming</Name></TrayApp></Config>"), L"");
    EXPECT_EQ(NameOf("<TvrConfig><TrayApp><Name>gaming</Name></TrayApp></TvrConfig>"), L"");
    EXPECT_EQ(NameOf("<TvrConfig><Version>1</Version><Name>gaming</Name></TvrConfig>"), L"");
    EXPECT_EQ(NameOf("<TvrConfig><Version>1</Version><TrayApp><Name/></TrayApp></TvrConfig>"), L"");
}

// Files far larger or richer than a configuration are refused before parsing.
TEST(ConfigFile, OversizedOrOverRichFilesAreRefusedUnread)
{
    const std::string good
        = "<TvrConfig><Version>1</Version><TrayApp><Name>gaming</Name></TrayApp></TvrConfig>";
    EXPECT_EQ(NameOf(good), L"gaming");
    // A comment pads the same file past the limit.
    EXPECT_EQ(NameOf(good + "<!--" + std::string(16 * 1024, ' ') + "-->"), L"");
    std::string attributes = "<TvrConfig";
    for (int i = 0; i < 40; ++i) attributes += " a" + std::to_string(i) + "=\"1\"";
    EXPECT_EQ(NameOf(attributes + "><Version>1</Version><TrayApp><Name>gaming</Name></TrayApp></TvrConfig>"),
              L"");
    std::string elements = "<TvrConfig><Version>1</Version>";
    for (int i = 0; i < 40; ++i) elements += "<TrayApp><Name>gaming</Name></TrayApp>";
    EXPECT_EQ(NameOf(elements + "</TvrConfig>"), L"");
    // A few attributes, as an editor may add, are still read.
    EXPECT_EQ(NameOf("<?xml version=\"1.0\" encoding=\"utf-8\"?>" + good), L"gaming");
}

class ConfigFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"tray-config-test";
        ::CreateDirectoryW(folder.c_str(), nullptr);
    }
    void TearDown() override
    {
        ::DeleteFileW(File().c_str());
        ::RemoveDirectoryW(folder.c_str());
    }
    std::wstring File() const { return folder + L"\\Tavrin.cfg"; }
    void Write(const std::string& text)
    {
        HANDLE file = ::CreateFileW(File().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    std::wstring folder;
};

TEST_F(ConfigFolder, FileBesideTheProgramSelectsTheCompanion)
{
    Write("<?xml version=\"1.0\"?>\n<TvrConfig>\n  <Version>2</Version>\n  <TrayApp>\n"
          "    <Name>Gaming</Name>\n  </TrayApp>\n</TvrConfig>\n");
    CCompanionApp app;
    app.LoadConfig(folder);
    EXPECT_EQ(app.CommandLine(), folder + L"\\Gaming");
    EXPECT_FALSE(app.MenuOnClick());
}

TEST_F(ConfigFolder, MissingOrBrokenFileKeepsMobilityCenter)
{
    CCompanionApp app;
    app.LoadConfig(folder);
    EXPECT_EQ(app.CommandLine(), L"c:\\windows\\system32\\mblctr");
    Write(std::string("<TvrConfig><Version>1</Version><TrayApp><Name>gaming\0</Name>", 60));
    app.LoadConfig(folder);
    EXPECT_EQ(app.CommandLine(), L"c:\\windows\\system32\\mblctr");
}

TEST(CompanionApp, MissingProgramIsReportedAndNothingWaits)
{
    CCompanionApp app;
    app.ApplyName(L"tvrui", L"C:\\no such folder");
    EXPECT_FALSE(app.Open(L"", true));
}

} // namespace
