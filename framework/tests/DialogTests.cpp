#include "App.h"
#include "Dialog.h"
#include "FrameWnd.h"
#include "FrameworkTestIds.h"
#include "TestPump.h"
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(IDD_TEST_DIALOG)
    {
        OnCommandId(IDC_TEST_BUTTON, [this](UINT code) {
            ++actions;
            lastCode = code;
        });
    }
    int inits = 0;
    int actions = 0;
    UINT lastCode = 0xFFFF;
    int cancels = 0;
    bool pressOnInit = false;
    bool quitOnCancel = false;
    std::function<void()> onInit;

protected:
    BOOL OnInitDialog() override
    {
        ++inits;
        if (onInit) onInit();
        if (pressOnInit) {
            ::PostMessageW(m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_TEST_BUTTON, BN_CLICKED), 0);
            ::PostMessageW(m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
        return TRUE;
    }
    void OnCancel() override
    {
        ++cancels;
        CDialog::OnCancel();
        if (quitOnCancel) ::PostQuitMessage(0);
    }
};

int CountWindowsTitled(const wchar_t* title)
{
    struct Search {
        const wchar_t* title;
        int count;
    } search{title, 0};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            wchar_t text[128] = {};
            ::GetWindowTextW(hwnd, text, 128);
            if (wcscmp(text, s->title) == 0) ++s->count;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.count;
}

bool IsAbove(HWND upper, HWND lower)
{
    for (HWND w = ::GetWindow(lower, GW_HWNDPREV); w; w = ::GetWindow(w, GW_HWNDPREV))
        if (w == upper) return true;
    return false;
}

VOID CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD)
{
    ::PostQuitMessage(99);
}

TEST(ModalDialog, ControlIdTableAndOkEndTheDialog)
{
    TestDialog dialog;
    dialog.pressOnInit = true;
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
    EXPECT_EQ(dialog.inits, 1);
    EXPECT_EQ(dialog.actions, 1);
    EXPECT_EQ(dialog.lastCode, static_cast<UINT>(BN_CLICKED));
    EXPECT_FALSE(dialog.IsOpen());
}

TEST(ModalDialog, MissingTemplateReportsFailure)
{
    class Missing : public CDialog {
    public:
        Missing() : CDialog(4242) {}
    } dialog;
    EXPECT_EQ(dialog.DoModal(nullptr), -1);
    EXPECT_FALSE(dialog.IsOpen());
}

TEST(ModelessDialog, OpenDialogIsBroughtForwardNotOpenedTwice)
{
    TestDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    HWND first = dialog.GetSafeHwnd();
    ASSERT_NE(first, nullptr);

    CFrameWnd cover;
    ASSERT_TRUE(cover.Create(L"FrameworkTestCover", L"cover", WS_POPUP | WS_VISIBLE));
    ::SetWindowPos(cover.GetSafeHwnd(), HWND_TOP, 0, 0, 50, 50, SWP_SHOWWINDOW);
    ASSERT_TRUE(IsAbove(cover.GetSafeHwnd(), first));

    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    EXPECT_EQ(dialog.GetSafeHwnd(), first);
    EXPECT_EQ(dialog.inits, 1);
    EXPECT_EQ(CountWindowsTitled(L"Framework test dialog"), 1);
    EXPECT_TRUE(IsAbove(first, cover.GetSafeHwnd()));
    // A modal request while it is open brings it forward as well.
    EXPECT_EQ(dialog.DoModal(nullptr), 0);
    EXPECT_EQ(dialog.inits, 1);
}

TEST(ModelessDialog, MessageLoopGivesKeysToTheDialog)
{
    CApp app;
    TestDialog dialog;
    dialog.quitOnCancel = true;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    HWND edit = ::GetDlgItem(dialog.GetSafeHwnd(), IDC_TEST_EDIT);
    ASSERT_NE(edit, nullptr);
    // Escape in a control only cancels when the loop routes it through
    // IsDialogMessage.
    ::PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    UINT_PTR guard = ::SetTimer(nullptr, 0, 5000, &GiveUp);
    EXPECT_EQ(app.Run(), 0);
    ::KillTimer(nullptr, guard);
    EXPECT_EQ(dialog.cancels, 1);
    EXPECT_FALSE(dialog.IsOpen());
}

TEST(ModelessDialog, ObjectAndWindowEndTogether)
{
    auto dialog = std::make_unique<TestDialog>();
    ASSERT_TRUE(dialog->CreateModeless(nullptr));
    HWND hwnd = dialog->GetSafeHwnd();
    dialog.reset();
    EXPECT_FALSE(::IsWindow(hwnd));

    TestDialog closed;
    ASSERT_TRUE(closed.CreateModeless(nullptr));
    ASSERT_TRUE(::DestroyWindow(closed.GetSafeHwnd()));
    EXPECT_FALSE(closed.IsOpen());
    // It can be opened again once closed.
    ASSERT_TRUE(closed.CreateModeless(nullptr));
    EXPECT_EQ(closed.inits, 2);
}

// Records what reaches the handlers a window offers.
class HandlerDialog : public CDialog {
public:
    HandlerDialog() : CDialog(IDD_TEST_DIALOG)
    {
        OnCommandId(IDC_TEST_BUTTON, [this](UINT) { ++bound; });
    }
    std::vector<UINT_PTR> timers;
    std::vector<UINT> commands;
    int bound = 0;
    int closes = 0;
    int cancels = 0;
    int destroys = 0;
    int finals = 0;
    bool openAtDestroy = false;
    bool takeCommands = true;

protected:
    void OnTimer(UINT_PTR id) override
    {
        timers.push_back(id);
        KillTimer(id);
    }
    bool OnCommand(UINT id, UINT code, HWND) override
    {
        // The edit's focus notices are not what the tests send.
        if (code == BN_CLICKED) commands.push_back(id);
        return takeCommands;
    }
    void OnClose() override
    {
        ++closes;
        CDialog::OnClose();
    }
    void OnCancel() override
    {
        ++cancels;
        CDialog::OnCancel();
    }
    void OnDestroy() override
    {
        ++destroys;
        openAtDestroy = ::IsWindow(m_hWnd) != FALSE;
    }
    void OnFinalDestroy() override { ++finals; }
};

TEST(DialogHandlers, TimerReachesOnTimerWithItsId)
{
    HandlerDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    ASSERT_EQ(dialog.SetTimer(77, 10), 77u);
    ASSERT_TRUE(PumpUntil([&] { return !dialog.timers.empty(); }));
    EXPECT_EQ(dialog.timers, std::vector<UINT_PTR>{77});
    EXPECT_FALSE(dialog.KillTimer(77)); // stopped by the handler
}

TEST(DialogHandlers, CommandsGoToTheTableThenOnCommandThenOkAndCancel)
{
    HandlerDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TEST_BUTTON, BN_CLICKED));
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(1234, BN_CLICKED));
    EXPECT_EQ(dialog.bound, 1);
    EXPECT_EQ(dialog.commands, std::vector<UINT>{1234}); // the bound id never reaches OnCommand
    // IDCANCEL that OnCommand takes does not cancel; declined, it does.
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
    EXPECT_EQ(dialog.cancels, 0);
    EXPECT_TRUE(dialog.IsOpen());
    dialog.takeCommands = false;
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
    EXPECT_EQ(dialog.cancels, 1);
    EXPECT_FALSE(dialog.IsOpen());
}

TEST(DialogHandlers, CloseCancelsAndDestroyReachesItsHandlers)
{
    HandlerDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    HWND hwnd = dialog.GetSafeHwnd();
    dialog.SendMessage(WM_CLOSE);
    EXPECT_EQ(dialog.closes, 1);
    EXPECT_EQ(dialog.commands, std::vector<UINT>{});
    EXPECT_EQ(dialog.destroys, 1);
    EXPECT_TRUE(dialog.openAtDestroy);
    EXPECT_EQ(dialog.finals, 1);
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST(DialogHandlers, ModalCloseEndsTheLoopWithCancel)
{
    class ClosingDialog : public HandlerDialog {
        BOOL OnInitDialog() override
        {
            ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
            return TRUE;
        }
    } dialog;
    EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
    EXPECT_EQ(dialog.closes, 1);
    EXPECT_EQ(dialog.destroys, 1);
    EXPECT_FALSE(dialog.IsOpen());
}

TEST(ModelessDialog, OpenDialogIsInTheFilterChainUntilItCloses)
{
    auto& chain = CMessageFilterChain::ForThisThread();
    const size_t before = chain.Count();
    {
        TestDialog dialog;
        ASSERT_TRUE(dialog.CreateModeless(nullptr));
        EXPECT_EQ(chain.Count(), before + 1);
        ASSERT_TRUE(dialog.CreateModeless(nullptr)); // brought forward, not added twice
        EXPECT_EQ(chain.Count(), before + 1);
        ASSERT_TRUE(::DestroyWindow(dialog.GetSafeHwnd()));
        EXPECT_EQ(chain.Count(), before);
        ASSERT_TRUE(dialog.CreateModeless(nullptr));
        EXPECT_EQ(chain.Count(), before + 1);
    }
    EXPECT_EQ(chain.Count(), before);
    // A modal dialog runs its own loop and stays out of the chain.
    TestDialog modal;
    modal.pressOnInit = true;
    size_t during = 0;
    modal.onInit = [&] { during = chain.Count(); };
    EXPECT_EQ(modal.DoModal(nullptr), IDOK);
    EXPECT_EQ(during, before);
}

} // namespace
