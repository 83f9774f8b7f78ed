// Actuo.exe on the simulated notebook, driven through its dialog's controls
// as a keyboard user would reach them; and its command-line and address rules.
#include "../actuo/ActuoIds.h"
#include "../actuo/CommandLineInfoEx.h"
#include "../actuo/PellickDlg.h"
#include "SettingNames.h"
#include "TrayTestSupport.h"

#include <string>

namespace {

constexpr wchar_t kCaption[] = L"Corvane Flinto Manager";

TEST(ActuoRules, WebAddressesAreTrimmedAndGivenTheSchemeWhenTheyNameNone)
{
    EXPECT_EQ(CPellickDlg::StoredWebAddress(L"www.quillon.example "), L"http://www.quillon.example");
    EXPECT_EQ(CPellickDlg::StoredWebAddress(L"  ftp://files.lunetra.example\t"),
              L"ftp://files.lunetra.example");
    EXPECT_EQ(CPellickDlg::StoredWebAddress(L"https://corvane.example/flinto"),
              L"https://corvane.example/flinto");
    EXPECT_EQ(CPellickDlg::StoredWebAddress(L"   "), L"http://");
}

TEST(ActuoRules, SwitchesTakeTheFirstFollowingParameterOnly)
{
    CCommandLineInfoEx line;
    line.Parse({L"-KEEP", L"first", L"second", L"/SRX", L"keep"});
    EXPECT_TRUE(line.Has(L"KEEP"));
    EXPECT_EQ(line.Value(L"KEEP"), L"first");
    EXPECT_EQ(line.Value(L"SRX"), L"keep");
    EXPECT_FALSE(line.Has(L"second"));
    EXPECT_FALSE(line.Has(L"keep")) << "names are case-sensitive";
    CCommandLineInfoEx bare;
    bare.Parse({L"/KEEP"});
    EXPECT_EQ(bare.Value(L"KEEP"), L"TRUE");
    EXPECT_FALSE(bare.Has(L"SRX"));
}

TEST(ActuoRules, TheOtherPictureBelongsToItsModels)
{
    for (uint16_t id : {1221, 1222, 1241, 1242, 1301, 1302, 1307})
        EXPECT_TRUE(CPellickDlg::HasAlternativePicture(id));
    for (uint16_t id : {1220, 1223, 1240, 1300, 1303, 1306, 1308, 0x0471})
        EXPECT_FALSE(CPellickDlg::HasAlternativePicture(id));
}

class ActuoDialog : public TrayTest {
protected:
    void TearDown() override
    {
        for (Process* p : {&m_first, &m_second}) {
            if (!p->process) continue;
            if (HWND dialog = Dialog()) ::PostMessageW(dialog, WM_CLOSE, 0, 0);
            if (p->WaitExit(10000) == STILL_ACTIVE) ::TerminateProcess(p->process.get(), 1);
        }
        TrayTest::TearDown();
    }

    static HWND Dialog() { return ::FindWindowW(L"#32770", kCaption); }

    HWND Open(Process& process, const std::wstring& arguments = L"")
    {
        process = StartProgram(L"Actuo.exe", arguments);
        HWND dialog = nullptr;
        EXPECT_TRUE(WaitFor([&] { return (dialog = Dialog()) != nullptr && ::IsWindowVisible(dialog); }))
            << "no manager dialog";
        return dialog;
    }

    static std::vector<std::wstring> Entries(HWND dialog)
    {
        std::vector<std::wstring> entries;
        const HWND list = ::GetDlgItem(dialog, IDC_FUNCTIONS);
        const int count = static_cast<int>(::SendMessageW(list, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t text[128] = {};
            ::SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            entries.emplace_back(text);
        }
        return entries;
    }

    static void Choose(HWND dialog, const std::wstring& label)
    {
        const HWND list = ::GetDlgItem(dialog, IDC_FUNCTIONS);
        const LRESULT index = ::SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(label.c_str()));
        ASSERT_GE(index, 0) << "not offered";
        ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_FUNCTIONS, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list));
    }

    // The message box the dialog opened, or null.
    static HWND OwnedBox(HWND dialog)
    {
        struct Search {
            HWND owner;
            HWND box;
        } search{dialog, nullptr};
        ::EnumWindows(
            [](HWND window, LPARAM lp) -> BOOL {
                auto& s = *reinterpret_cast<Search*>(lp);
                wchar_t name[16] = {};
                ::GetClassNameW(window, name, 16);
                if (wcscmp(name, L"#32770") != 0 || ::GetWindow(window, GW_OWNER) != s.owner
                    || !::IsWindowVisible(window))
                    return TRUE;
                s.box = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.box;
    }

    static bool Visible(HWND dialog, int id) { return ::IsWindowVisible(::GetDlgItem(dialog, id)) != FALSE; }

    RegistryValueGuard pellick{CSettings::kKeyPath,
                               {setting_names::kPellick, setting_names::kPellickCmd,
                                setting_names::kPellickAddr, setting_names::kPellickX}};
    Process m_first;
    Process m_second;
};

TEST_F(ActuoDialog, OffersTheFixedFunctionsInCatalogueOrderAndShowsTheirFields)
{
    pellick.Delete(setting_names::kPellickX);
    HWND dialog = Open(m_first);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Entries(dialog),
              (std::vector<std::wstring>{L"Not assigned", L"Refresh web browser", L"Close active window",
                                         L"Launch a program", L"Open a web site"}));
    EXPECT_FALSE(Visible(dialog, IDC_PROGRAM));
    EXPECT_FALSE(Visible(dialog, IDC_WEB_ADDRESS));
    EXPECT_FALSE(Visible(dialog, IDC_RUN)) << "no test button without PellickX";
    Choose(dialog, L"Launch a program");
    EXPECT_TRUE(Visible(dialog, IDC_PROGRAM));
    EXPECT_TRUE(Visible(dialog, IDC_BROWSE));
    EXPECT_FALSE(Visible(dialog, IDC_WEB_ADDRESS));
    Choose(dialog, L"Open a web site");
    EXPECT_FALSE(Visible(dialog, IDC_PROGRAM));
    EXPECT_TRUE(Visible(dialog, IDC_WEB_ADDRESS));
}

TEST_F(ActuoDialog, WebAddressesAreStoredByTheirRulesOnOk)
{
    struct Case {
        const wchar_t* typed;
        const wchar_t* stored;
    };
    for (const Case c : {Case{L"www.quillon.example ", L"http://www.quillon.example"},
                         Case{L" ftp://files.lunetra.example", L"ftp://files.lunetra.example"}}) {
        pellick.SetDword(setting_names::kPellick, 0);
        HWND dialog = Open(m_first);
        ASSERT_NE(dialog, nullptr);
        Choose(dialog, L"Open a web site");
        ::SetDlgItemTextW(dialog, IDC_WEB_ADDRESS, c.typed);
        ::PostMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        ASSERT_EQ(m_first.WaitExit(10000), 0u) << "OK did not close the manager";
        m_first = {};
        EXPECT_EQ(pellick.GetDword(setting_names::kPellick), 15u);
        EXPECT_EQ(pellick.GetRaw(setting_names::kPellickAddr), std::wstring(c.stored) + L'\0');
    }
}

TEST_F(ActuoDialog, AFunctionThatIsNotOfferedIsResetWhenTheDialogOpens)
{
    pellick.SetDword(setting_names::kPellick, 3);
    HWND dialog = Open(m_first);
    ASSERT_NE(dialog, nullptr);
    wchar_t shown[128] = {};
    ::GetDlgItemTextW(dialog, IDC_FUNCTIONS, shown, 128);
    EXPECT_STREQ(shown, L"Not assigned");
    EXPECT_EQ(pellick.GetDword(setting_names::kPellick), 0u);
    ::PostMessageW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_EQ(m_first.WaitExit(10000), 0u);
    m_first = {};
    EXPECT_EQ(pellick.GetDword(setting_names::kPellick), 0u) << "Cancel writes nothing";
}

TEST_F(ActuoDialog, AMissingProgramIsRefusedWithAMessageAndTheDialogStays)
{
    pellick.SetDword(setting_names::kPellick, 14);
    HWND dialog = Open(m_first);
    ASSERT_NE(dialog, nullptr);
    ::SetDlgItemTextW(dialog, IDC_PROGRAM, L"C:\\Quillon\\missing.exe");
    ::PostMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = OwnedBox(dialog)) != nullptr; })) << "no message";
    wchar_t text[256] = {};
    ::GetDlgItemTextW(box, 0xFFFF, text, 256);
    EXPECT_STREQ(text, L"This file does not exist! Please select another file and try again.");
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return OwnedBox(dialog) == nullptr; }));
    EXPECT_NE(Dialog(), nullptr) << "the dialog closed";
    EXPECT_FALSE(pellick.Exists(setting_names::kPellickCmd));
    EXPECT_EQ(pellick.GetDword(setting_names::kPellick), 14u);
}

TEST_F(ActuoDialog, ASecondStartClosesTheFirstUnlessToldToKeepIt)
{
    HWND dialog = Open(m_first);
    ASSERT_NE(dialog, nullptr);
    m_second = StartProgram(L"Actuo.exe", L"-KEEP");
    ASSERT_EQ(m_second.WaitExit(15000), 0u);
    m_second = {};
    EXPECT_EQ(Dialog(), dialog) << "-KEEP closed the running manager";
    EXPECT_EQ(m_first.WaitExit(0), STILL_ACTIVE);
    m_second = StartProgram(L"Actuo.exe", L"");
    ASSERT_EQ(m_second.WaitExit(15000), 0u);
    m_second = {};
    EXPECT_EQ(m_first.WaitExit(10000), 0u) << "the running manager was not closed";
    m_first = {};
}

} // namespace
