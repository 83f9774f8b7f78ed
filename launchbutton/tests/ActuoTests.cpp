// Actuo.exe on the simulated notebook, driven through its dialog's controls
// as a keyboard user would reach them; and its command-line and address rules.
#include "../actuo/ActuoIds.h"
#include "../actuo/CommandLineInfoEx.h"
#include "../actuo/PellickDlg.h"
#include "ScreenShot.h"
#include "SettingNames.h"
#include "StandInPrograms.h"
#include "TrayTestSupport.h"

#include <memory>
#include <string>

namespace {

using namespace std::string_literals;

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

std::wstring TempPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

RECT ScreenRectOf(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

RECT Union(const RECT& a, const RECT& b)
{
    RECT both{};
    ::UnionRect(&both, &a, &b);
    return both;
}

// Whether a pixel within `radius` of (x, y) passes.
template <typename Test>
bool AnyAround(const CScreenShot& shot, int x, int y, int radius, Test test)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (test(shot.At(x + dx, y + dy))) return true;
    return false;
}

bool Bluish(COLORREF c)
{
    return c != CLR_INVALID && GetBValue(c) > GetRValue(c) + 60;
}

bool Whitish(COLORREF c)
{
    return c != CLR_INVALID && GetRValue(c) > 220 && GetGValue(c) > 220 && GetBValue(c) > 220;
}

void Press(WORD key)
{
    INPUT strokes[2] = {};
    for (INPUT& stroke : strokes) {
        stroke.type = INPUT_KEYBOARD;
        stroke.ki.wVk = key;
    }
    strokes[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, strokes, sizeof(INPUT));
}

void TypeText(const std::wstring& text)
{
    for (wchar_t c : text) {
        INPUT strokes[2] = {};
        for (INPUT& stroke : strokes) {
            stroke.type = INPUT_KEYBOARD;
            stroke.ki.wScan = c;
            stroke.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        strokes[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        ::SendInput(2, strokes, sizeof(INPUT));
    }
}

// The control that has the keyboard focus in the dialog's thread.
HWND Focused(HWND dialog)
{
    GUITHREADINFO info{sizeof(info)};
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info) ? info.hwndFocus : nullptr;
}

// The manager as the user sees it, with its list dropped open; saved under
// the build's actuo-shots folder for people to look at.
class ActuoScreens : public ActuoDialog {
protected:
    struct Seen {
        CScreenShot shot;
        RECT taken{};
        RECT header{}; // the picture's square, in the shot's coordinates
        RECT dialog{};
    };

    // The header square the dialog draws into, on the screen.
    static RECT HeaderSquare(HWND dialog)
    {
        const RECT frame = ScreenRectOf(::GetDlgItem(dialog, IDC_PICTURE));
        return CHeaderPicture::Square(frame, ScreenRectOf(::GetDlgItem(dialog, IDC_FUNCTIONS)).top,
                                      ScreenRectOf(::GetDlgItem(dialog, IDC_SELECT_FUNCTION)).left);
    }

    static bool ShowsHeader(const Seen& seen)
    {
        const RECT& h = seen.header;
        const int side = h.right - h.left;
        // The key's face is blue, its arrow white; beside the square is the dialog's own face.
        return side > 20 && AnyAround(seen.shot, h.left + side / 5, h.top + side / 5, 1, Bluish)
               && AnyAround(seen.shot, h.left + side / 2, h.top + side * 3 / 10, 2, Whitish)
               && Near(seen.shot.At(h.right + 3, h.top + side / 2), ::GetSysColor(COLOR_BTNFACE));
    }

    void Capture(HWND dialog, const std::wstring& name, Seen& seen, bool dropList = true)
    {
        const HWND list = ::GetDlgItem(dialog, IDC_FUNCTIONS);
        RECT dropped{};
        if (dropList) {
            ::SendMessageW(list, CB_SHOWDROPDOWN, TRUE, 0);
            ::SendMessageW(list, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        }
        seen.dialog = ScreenRectOf(dialog);
        seen.taken = dropList ? Union(seen.dialog, dropped) : seen.dialog;
        const RECT square = HeaderSquare(dialog);
        seen.header = {square.left - seen.taken.left, square.top - seen.taken.top,
                       square.right - seen.taken.left, square.bottom - seen.taken.top};
        // Drawn once the header shows and two pictures in a row agree.
        CScreenShot other;
        int round = 0;
        EXPECT_TRUE(WaitFor(
            [&] {
                CScreenShot& now = round % 2 == 0 ? seen.shot : other;
                const CScreenShot& before = round % 2 == 0 ? other : seen.shot;
                ++round;
                // Both pictures agree, so the one kept is as good as the newest.
                return now.Take(seen.taken) && now.SameAs(before) && ShowsHeader(seen);
            },
            5000))
            << "the header picture was not drawn";
        ::CreateDirectoryW(TAVRIN_ACTUO_SHOTS, nullptr);
        EXPECT_TRUE(seen.shot.Save(std::wstring(TAVRIN_ACTUO_SHOTS) + L"\\" + name + L".png"));
        if (dropList) ::SendMessageW(list, CB_SHOWDROPDOWN, FALSE, 0);
    }
};

TEST_F(ActuoDialog, TheKeyboardAloneChoosesAFunctionAndStoresItsAddress)
{
    pellick.SetDword(setting_names::kPellick, 0);
    HWND dialog = Open(m_first);
    ASSERT_NE(dialog, nullptr);
    const HWND list = ::GetDlgItem(dialog, IDC_FUNCTIONS);
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == dialog && Focused(dialog) == list; }))
        << "the list does not have the focus when the manager opens";
    for (int entry = 1; entry <= 4; ++entry) {
        Press(VK_DOWN);
        ASSERT_TRUE(WaitFor([&] { return ::SendMessageW(list, CB_GETCURSEL, 0, 0) == entry; }));
    }
    ASSERT_TRUE(WaitFor([&] { return Visible(dialog, IDC_WEB_ADDRESS); })) << "the web field did not appear";
    Press(VK_TAB);
    ASSERT_TRUE(WaitFor([&] { return Focused(dialog) == ::GetDlgItem(dialog, IDC_WEB_ADDRESS); }))
        << "Tab skips the web field";
    TypeText(L"www.quillon.example");
    ASSERT_TRUE(WaitFor([&] {
        wchar_t typed[64] = {};
        ::GetDlgItemTextW(dialog, IDC_WEB_ADDRESS, typed, 64);
        return std::wstring(typed) == L"www.quillon.example";
    }));
    Press(VK_RETURN);
    ASSERT_EQ(m_first.WaitExit(10000), 0u) << "Enter did not press OK";
    m_first = {};
    EXPECT_EQ(pellick.GetDword(setting_names::kPellick), 15u);
    EXPECT_EQ(pellick.GetRaw(setting_names::kPellickAddr), L"http://www.quillon.example"s + L'\0');
}

TEST_F(ActuoDialog, EscapeClosesWithoutWriting)
{
    pellick.SetDword(setting_names::kPellick, 7);
    HWND dialog = Open(m_first);
    ASSERT_NE(dialog, nullptr);
    const HWND list = ::GetDlgItem(dialog, IDC_FUNCTIONS);
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == dialog && Focused(dialog) == list; }));
    Press(VK_DOWN);
    ASSERT_TRUE(WaitFor([&] { return Visible(dialog, IDC_PROGRAM); })) << "the next entry was not chosen";
    Press(VK_ESCAPE);
    ASSERT_EQ(m_first.WaitExit(10000), 0u);
    m_first = {};
    EXPECT_EQ(pellick.GetDword(setting_names::kPellick), 7u);
}

TEST_F(ActuoScreens, TheListOffersEveryInstalledProgramInCatalogueOrder)
{
    const CStandInPrograms programs(TempPath(L"tavrin-actuo-standin-log.txt"));
    ASSERT_TRUE(programs.Installed());
    pellick.SetDword(setting_names::kPellick, 9);
    HWND dialog = Open(m_first);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Entries(dialog),
              (std::vector<std::wstring>{L"Not assigned", L"Refresh web browser", L"Close active window",
                                         L"Insert special character", L"Launch Intel\u00AE Wireless Display",
                                         L"Toggle presentation mode", L"Launch Windows Media Center",
                                         L"Bring Corvane Lumara forward", L"Launch a program",
                                         L"Open a web site"}));
    wchar_t shown[128] = {};
    ::GetDlgItemTextW(dialog, IDC_FUNCTIONS, shown, 128);
    EXPECT_STREQ(shown, L"Insert special character") << "the stored function is not selected";
    Seen seen;
    Capture(dialog, L"actuo-every-program", seen);
}

TEST_F(ActuoScreens, WithoutTheProgramsTheListHoldsTheFixedFunctions)
{
    pellick.SetDword(setting_names::kPellick, 14);
    HWND dialog = Open(m_first);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Entries(dialog).size(), 5u);
    EXPECT_TRUE(Visible(dialog, IDC_PROGRAM));
    Seen seen;
    Capture(dialog, L"actuo-no-programs", seen);
    Capture(dialog, L"actuo-no-programs-closed-list", seen, false);
}

// At 150 % the dialog, its controls and its picture grow with the font; a
// new process reads the DPI when it starts.
TEST_F(ActuoScreens, At150PercentEverythingGrowsByHalf)
{
    HWND dialog = Open(m_first);
    ASSERT_NE(dialog, nullptr);
    Seen normal;
    Capture(dialog, L"actuo-100-percent", normal, false);
    ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    ASSERT_EQ(m_first.WaitExit(10000), 0u);
    m_first = {};

    const RegistryValueGuard dpi(L"Control Panel\\Desktop", {L"LogPixels"}, 0, HKEY_CURRENT_USER);
    dpi.SetDword(L"LogPixels", 144);
    dialog = Open(m_first);
    ASSERT_NE(dialog, nullptr);
    Seen large;
    Capture(dialog, L"actuo-150-percent", large, false);
    auto width = [](const RECT& r) { return r.right - r.left; };
    const double grown = static_cast<double>(width(large.dialog)) / width(normal.dialog);
    EXPECT_NEAR(grown, 1.5, 0.1) << "dialog " << width(normal.dialog) << " -> " << width(large.dialog);
    const double picture = static_cast<double>(width(large.header)) / width(normal.header);
    EXPECT_NEAR(picture, 1.5, 0.15);
    ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(m_first.WaitExit(10000), 0u);
    m_first = {};
}

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
