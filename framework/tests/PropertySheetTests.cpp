#include "App.h"
#include "Button.h"
#include "FrameworkTestIds.h"
#include "MessageFilterChain.h"
#include "PropertyPage.h"
#include "PropertySheet.h"
#include "TestPump.h"
#include <commctrl.h>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kApplyButton = 0x3021; // the sheet's own Apply button

using Log = std::vector<std::string>;

class RecordingPage : public CPropertyPage {
public:
    RecordingPage(UINT templateId, std::string name, Log& log)
        : CPropertyPage(templateId), m_name(std::move(name)), m_log(log)
    {}
    CButton check{*this, IDC_PAGE_CHECK};
    int inits = 0;
    bool refuseLeave = false;
    bool refuseApply = false;
    bool refuseActive = false;

protected:
    BOOL OnInitDialog() override
    {
        ++inits;
        return TRUE;
    }
    bool OnSetActive() override { return Note("active", !refuseActive); }
    bool OnKillActive() override { return Note("leave", !refuseLeave); }
    bool OnApply() override { return Note("apply", !refuseApply); }
    void OnReset() override { Note("reset", true); }

private:
    bool Note(const char* what, bool answer)
    {
        m_log.push_back(m_name + ":" + what);
        return answer;
    }
    std::string m_name;
    Log& m_log;
};

class TestSheet : public CPropertySheet {
public:
    using CPropertySheet::CPropertySheet;
    // Runs once the window exists; for modal sheets it posts the steps.
    std::function<void(TestSheet&)> onInit;
    std::vector<UINT_PTR> timers;
    std::vector<UINT> commands;
    int destroys = 0;

protected:
    void OnInitSheet() override
    {
        if (onInit) onInit(*this);
    }
    void OnTimer(UINT_PTR id) override
    {
        timers.push_back(id);
        KillTimer(id);
    }
    bool OnCommand(UINT id, UINT, HWND) override
    {
        commands.push_back(id);
        return id == 4711;
    }
    void OnDestroy() override
    {
        ++destroys;
        if (onDestroy) onDestroy();
    }

public:
    std::function<void()> onDestroy;
};

bool Has(const Log& log, const std::string& entry)
{
    for (const auto& e : log)
        if (e == entry) return true;
    return false;
}

int TabCount(const CPropertySheet& sheet)
{
    HWND tabs = PropSheet_GetTabControl(sheet.GetSafeHwnd());
    return tabs ? static_cast<int>(::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)) : -1;
}

void Press(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        inputs.push_back(down);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *--it;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(up);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

class Sheet : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_BAR_CLASSES | ICC_TAB_CLASSES};
        ::InitCommonControlsEx(&init);
    }
    Log log;
    RecordingPage general{IDD_TEST_PAGE_GENERAL, "general", log};
    RecordingPage details{IDD_TEST_PAGE_DETAILS, "details", log};
    RecordingPage extra{IDD_TEST_PAGE_EXTRA, "extra", log};
    TestSheet sheet{L"Vantor Settings"};

    void SetUp() override
    {
        ASSERT_TRUE(sheet.AddPage(general));
        ASSERT_TRUE(sheet.AddPage(details));
    }
    void OpenModeless()
    {
        ASSERT_TRUE(sheet.CreateModeless(nullptr));
        ASSERT_TRUE(sheet.IsOpen());
    }
};

TEST_F(Sheet, ModalOkAppliesTheShownPagesAndEnds)
{
    sheet.onInit = [](TestSheet& s) { ::PostMessageW(s.GetSafeHwnd(), PSM_PRESSBUTTON, PSBTN_OK, 0); };
    EXPECT_GE(sheet.DoModal(nullptr), 0);
    EXPECT_TRUE(Has(log, "general:active"));
    EXPECT_TRUE(Has(log, "general:apply"));
    EXPECT_FALSE(Has(log, "general:reset"));
    // A page never shown has no window and is not asked.
    EXPECT_EQ(details.inits, 0);
    EXPECT_FALSE(Has(log, "details:apply"));
    EXPECT_FALSE(sheet.IsOpen());
    EXPECT_FALSE(general.IsOpen());
    EXPECT_EQ(sheet.destroys, 1);
}

TEST_F(Sheet, ModalCancelResetsWithoutApplying)
{
    sheet.onInit = [](TestSheet& s) { ::PostMessageW(s.GetSafeHwnd(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0); };
    EXPECT_EQ(sheet.DoModal(nullptr), 0);
    EXPECT_TRUE(Has(log, "general:reset"));
    EXPECT_FALSE(Has(log, "general:apply"));
}

TEST_F(Sheet, ModalOpensOnTheChosenPage)
{
    ASSERT_TRUE(sheet.SetActivePage(1));
    EXPECT_FALSE(sheet.SetActivePage(2));
    sheet.onInit = [](TestSheet& s) { ::PostMessageW(s.GetSafeHwnd(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0); };
    sheet.DoModal(nullptr);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "details:active");
    EXPECT_EQ(details.inits, 1);
    EXPECT_EQ(general.inits, 0);
}

TEST_F(Sheet, EmptySheetDoesNotOpen)
{
    TestSheet empty{L"empty"};
    EXPECT_EQ(empty.DoModal(nullptr), -1);
    EXPECT_FALSE(empty.CreateModeless(nullptr));
    EXPECT_FALSE(empty.IsOpen());
}

TEST_F(Sheet, PageRefusingToLetGoKeepsTheSheetOnIt)
{
    OpenModeless();
    general.refuseLeave = true;
    EXPECT_FALSE(sheet.SetActivePage(1));
    EXPECT_EQ(sheet.ActivePageIndex(), 0);
    general.refuseLeave = false;
    EXPECT_TRUE(sheet.SetActivePage(1));
    EXPECT_EQ(sheet.ActivePageIndex(), 1);
    EXPECT_TRUE(Has(log, "general:leave"));
    EXPECT_TRUE(Has(log, "details:active"));
}

TEST_F(Sheet, RefusedApplyKeepsTheSheetOpenUntilItSucceeds)
{
    OpenModeless();
    general.refuseApply = true;
    PropSheet_PressButton(sheet.GetSafeHwnd(), PSBTN_OK);
    ASSERT_TRUE(PumpUntil([&] { return Has(log, "general:apply"); }));
    EXPECT_TRUE(sheet.IsOpen());
    EXPECT_EQ(sheet.ActivePageIndex(), 0);
    general.refuseApply = false;
    PropSheet_PressButton(sheet.GetSafeHwnd(), PSBTN_OK);
    EXPECT_TRUE(PumpUntil([&] { return !sheet.IsOpen(); }));
}

TEST_F(Sheet, SetModifiedEnablesAndWithdrawsApply)
{
    OpenModeless();
    HWND apply = ::GetDlgItem(sheet.GetSafeHwnd(), kApplyButton);
    ASSERT_NE(apply, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(apply));
    general.SetModified();
    EXPECT_TRUE(::IsWindowEnabled(apply));
    general.SetModified(false);
    EXPECT_FALSE(::IsWindowEnabled(apply));
    // Apply applies and leaves the sheet open.
    general.SetModified();
    PropSheet_PressButton(sheet.GetSafeHwnd(), PSBTN_APPLYNOW);
    ASSERT_TRUE(PumpUntil([&] { return Has(log, "general:apply"); }));
    EXPECT_TRUE(sheet.IsOpen());
}

TEST_F(Sheet, PagesAreAddedAndRemovedWhileOpen)
{
    OpenModeless();
    ASSERT_EQ(TabCount(sheet), 2);
    ASSERT_TRUE(sheet.AddPage(extra));
    EXPECT_FALSE(sheet.AddPage(extra)); // once
    EXPECT_EQ(TabCount(sheet), 3);
    EXPECT_EQ(sheet.PageIndex(extra), 2);
    ASSERT_TRUE(sheet.SetActivePage(2));
    EXPECT_EQ(extra.inits, 1);
    EXPECT_TRUE(extra.IsOpen());

    ASSERT_TRUE(sheet.RemovePage(extra));
    EXPECT_EQ(TabCount(sheet), 2);
    EXPECT_FALSE(extra.IsOpen()); // its window went with it
    EXPECT_EQ(extra.Sheet(), nullptr);
    EXPECT_EQ(sheet.PageIndex(extra), -1);
    EXPECT_FALSE(sheet.RemovePage(extra));
    EXPECT_GE(sheet.ActivePageIndex(), 0);

    // A page removed from the middle: the rest keep their order.
    ASSERT_TRUE(sheet.AddPage(extra));
    ASSERT_TRUE(sheet.RemovePage(general));
    EXPECT_EQ(sheet.PageIndex(details), 0);
    EXPECT_EQ(sheet.PageIndex(extra), 1);
    ASSERT_TRUE(sheet.SetActivePage(1));
    EXPECT_EQ(extra.inits, 2);
}

TEST_F(Sheet, PageInAnotherSheetIsRefused)
{
    TestSheet other{L"other"};
    EXPECT_FALSE(other.AddPage(general));
    EXPECT_EQ(general.Sheet(), &sheet);
}

TEST_F(Sheet, PageObjectLeavingTakesItselfOut)
{
    OpenModeless();
    auto late = std::make_unique<RecordingPage>(IDD_TEST_PAGE_EXTRA, "late", log);
    ASSERT_TRUE(sheet.AddPage(*late));
    ASSERT_TRUE(sheet.SetActivePage(2));
    HWND page = late->GetSafeHwnd();
    late.reset();
    EXPECT_FALSE(::IsWindow(page));
    EXPECT_EQ(sheet.PageCount(), 2);
    EXPECT_EQ(TabCount(sheet), 2);
}

TEST_F(Sheet, SheetObjectLeavingDestroysItsWindowAndFreesThePages)
{
    auto own = std::make_unique<TestSheet>(L"short-lived");
    ASSERT_TRUE(own->AddPage(extra));
    ASSERT_TRUE(own->CreateModeless(nullptr));
    HWND hwnd = own->GetSafeHwnd();
    const size_t filters = CMessageFilterChain::ForThisThread().Count();
    own.reset();
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(extra.Sheet(), nullptr);
    EXPECT_FALSE(extra.IsOpen());
    EXPECT_EQ(CMessageFilterChain::ForThisThread().Count(), filters - 1);
}

TEST_F(Sheet, SheetWindowMessagesReachItsHandlers)
{
    OpenModeless();
    ASSERT_EQ(sheet.SetTimer(5, 10), 5u);
    ASSERT_TRUE(PumpUntil([&] { return !sheet.timers.empty(); }));
    EXPECT_EQ(sheet.timers, std::vector<UINT_PTR>{5});
    // Taken by OnCommand; the system's handling still works for the rest.
    sheet.SendMessage(WM_COMMAND, MAKEWPARAM(4711, 0));
    EXPECT_EQ(sheet.commands, std::vector<UINT>{4711});
    EXPECT_TRUE(sheet.SetActivePage(1));
    EXPECT_EQ(sheet.ActivePageIndex(), 1);
}

TEST_F(Sheet, ModelessSheetEndsAndLeavesTheChainWhenClosed)
{
    const size_t filters = CMessageFilterChain::ForThisThread().Count();
    OpenModeless();
    EXPECT_EQ(CMessageFilterChain::ForThisThread().Count(), filters + 1);
    // Opening it again only brings it forward.
    HWND first = sheet.GetSafeHwnd();
    ASSERT_TRUE(sheet.CreateModeless(nullptr));
    EXPECT_EQ(sheet.GetSafeHwnd(), first);
    EXPECT_EQ(sheet.DoModal(nullptr), 0);
    EXPECT_EQ(general.inits, 1);
    EXPECT_EQ(CMessageFilterChain::ForThisThread().Count(), filters + 1);
    // The caption's close button (a posted WM_CLOSE reaches it the same way).
    ::PostMessageW(sheet.GetSafeHwnd(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !sheet.IsOpen(); }));
    EXPECT_TRUE(Has(log, "general:reset"));
    EXPECT_EQ(sheet.destroys, 1);
    EXPECT_EQ(CMessageFilterChain::ForThisThread().Count(), filters);
    // And it opens again.
    OpenModeless();
    EXPECT_EQ(general.inits, 2);
}

class SheetKeyboard : public Sheet {
protected:
    void SetUp() override
    {
        Sheet::SetUp();
        OpenModeless();
        sheet.BringToFront();
        ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == sheet.GetSafeHwnd(); }));
    }
};

TEST_F(SheetKeyboard, TabMovesBetweenTheControlsOfThePage)
{
    ::SetFocus(general.check.GetSafeHwnd());
    HWND edit = ::GetDlgItem(general.GetSafeHwnd(), IDC_PAGE_EDIT);
    Press({VK_TAB});
    EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == edit; }));
}

TEST_F(SheetKeyboard, ControlTabTurnsThePage)
{
    Press({VK_CONTROL, VK_TAB});
    ASSERT_TRUE(PumpUntil([&] { return sheet.ActivePageIndex() == 1; }));
    Press({VK_CONTROL, VK_SHIFT, VK_TAB});
    EXPECT_TRUE(PumpUntil([&] { return sheet.ActivePageIndex() == 0; }));
}

TEST_F(SheetKeyboard, EnterAppliesAndCloses)
{
    ::SetFocus(general.check.GetSafeHwnd());
    Press({VK_RETURN});
    ASSERT_TRUE(PumpUntil([&] { return !sheet.IsOpen(); }));
    EXPECT_TRUE(Has(log, "general:apply"));
}

TEST_F(SheetKeyboard, ApplicationLoopGivesTheSheetItsKeys)
{
    CApp app;
    sheet.onDestroy = [] { ::PostQuitMessage(0); };
    ::SetFocus(general.check.GetSafeHwnd());
    Press({VK_CONTROL, VK_TAB});
    Press({VK_ESCAPE});
    // Ends the loop with 99 should the sheet never close.
    UINT_PTR guard = ::SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(99); });
    EXPECT_EQ(app.Run(), 0);
    ::KillTimer(nullptr, guard);
    EXPECT_FALSE(sheet.IsOpen());
    EXPECT_TRUE(Has(log, "details:active")); // Ctrl+Tab reached it through the loop
    EXPECT_TRUE(Has(log, "details:reset")); // and Escape cancelled it
    EXPECT_FALSE(Has(log, "details:apply"));
}

} // namespace
