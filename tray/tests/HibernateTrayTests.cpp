// Hibernation through the running tray on the simulated notebook: the
// hibernate key as a firmware event, the offer to enable hibernation, the
// access-denied notice and a vetoed request. Every box is answered.
#include "TrayTestSupport.h"

#include <string>
#include <vector>

namespace {

std::string Get(const std::wstring& key)
{
    std::string value = Simctl(L"get " + key);
    while (!value.empty() && (value.back() == '\n' || value.back() == '\r')) value.pop_back();
    return value;
}

class HibernateTray : public TrayTest {
protected:
    void SetUp() override
    {
        TrayTest::SetUp();
        m_tray = StartProgram(L"Tavrin.exe", L"");
        ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; })) << "no tray window";
        bool dispatching = false;
        for (int attempt = 0; attempt < 20 && !dispatching; ++attempt) {
            Simctl(L"event 0xE0F7");
            dispatching = WaitFor([this] { return m_trace.Count("bios 0xE0F7 0 0 0 0") > 0; }, 500);
        }
        ASSERT_TRUE(dispatching) << "the tray takes no firmware events";
    }

    void TearDown() override
    {
        // Never leave a box or a sleeping machine behind.
        for (int i = 0; i < 5; ++i) {
            const Box box = FindBox(m_tray.id);
            if (box.window == nullptr) break;
            ::PostMessageW(box.window, WM_COMMAND, IDNO, 0);
            ::PostMessageW(box.window, WM_COMMAND, IDOK, 0);
            WaitFor([&] { return !::IsWindow(box.window); }, 2000);
        }
        if (Get(L"asleep") == "1") Simctl(L"resume");
        if (m_tray.process) Stop(m_tray);
        TrayTest::TearDown();
    }

    Box WaitBox()
    {
        Box box;
        EXPECT_TRUE(WaitFor([&] { return (box = FindBox(m_tray.id)).window != nullptr; })) << "no box";
        return box;
    }

    void Answer(const Box& box, int button)
    {
        ::PostMessageW(box.window, WM_COMMAND, static_cast<WPARAM>(button), 0);
        ::PostMessageW(::GetDlgItem(box.window, button), BM_CLICK, 0, 0);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindow(box.window); }, 5000)) << "the box stayed";
    }

    TraceFile m_trace;
    Process m_tray;
};

} // namespace

TEST_F(HibernateTray, AnAllowedHibernationSuspendsAndTheKeyWorksAgainAfterIt)
{
    Simctl(L"event 0xE00A");
    ASSERT_TRUE(WaitFor([] { return Get(L"asleep") == "1"; })) << "the machine did not hibernate";
    EXPECT_EQ(Get(L"hibernations"), "1");
    EXPECT_EQ(Get(L"forced-requests"), "0");
    Simctl(L"resume");
    ASSERT_TRUE(WaitFor([] { return Get(L"asleep") == "0"; }));
    Simctl(L"event 0xE00A");
    EXPECT_TRUE(WaitFor([] { return Get(L"hibernations") == "2"; }))
        << "a second hibernation was not started";
}

TEST_F(HibernateTray, DisabledHibernationIsEnabledOnYesAndTheRequestRepeated)
{
    Simctl(L"set hibernate-allowed 0");
    Simctl(L"set hibernate-enable 0");
    Simctl(L"event 0xE00A");
    const Box box = WaitBox();
    EXPECT_EQ(box.caption, L"Tavrin - Unable to hibernate system.");
    EXPECT_EQ(box.text, L"Failed to hibernate as this state is not presently supported. Do you want to "
                        L"enable hibernation now?");
    Answer(box, IDYES);
    ASSERT_TRUE(WaitFor([] { return Get(L"asleep") == "1"; })) << "no hibernation after enabling it";
    EXPECT_EQ(Get(L"hibernate-allowed"), "1");
    EXPECT_EQ(Get(L"hibernate-file-requests"), "1");
    EXPECT_EQ(Get(L"hibernations"), "1");
}

TEST_F(HibernateTray, EnablingWithoutTheRightsShowsAccessDenied)
{
    Simctl(L"set hibernate-allowed 0");
    Simctl(L"set hibernate-enable 1");
    Simctl(L"event 0xE00A");
    Answer(WaitBox(), IDYES);
    const Box denied = WaitBox();
    EXPECT_EQ(denied.caption, L"Access Denied");
    EXPECT_EQ(denied.text, L"You do not have sufficient access rights to perform the operation.");
    Answer(denied, IDOK);
    EXPECT_EQ(Get(L"hibernations"), "0");
    EXPECT_EQ(Get(L"hibernate-allowed"), "0");
    // No answers No the next offer: nothing is enabled.
    Simctl(L"event 0xE00A");
    Answer(WaitBox(), IDNO);
    EXPECT_EQ(Get(L"hibernate-file-requests"), "1");
}

TEST_F(HibernateTray, AVetoIsAskedAboutOnceAndNoLeavesTheMachineRunning)
{
    Simctl(L"set suspend-outcome 2");
    Simctl(L"event 0xE00A");
    const Box box = WaitBox();
    EXPECT_EQ(box.caption, L"Tavrin - Unable to hibernate system.");
    EXPECT_EQ(box.text, L"A driver or application is preventing the system from hibernating. Do you want to "
                        L"force hibernation?");
    EXPECT_EQ(::GetWindow(box.window, GW_OWNER), FindTray()) << "the question belongs to the tray's window";
    Answer(box, IDNO);
    EXPECT_EQ(Get(L"asleep"), "0");
    EXPECT_EQ(Get(L"hibernations"), "0");
    EXPECT_EQ(Get(L"forced-requests"), "0");
    // Both requests of the attempt were vetoed, and the question came once: the
    // next key asks again.
    EXPECT_EQ(Get(L"vetoes"), "2");
    Simctl(L"event 0xE00A");
    const Box again = WaitBox();
    EXPECT_EQ(again.text, box.text);
    Answer(again, IDYES);
    ASSERT_TRUE(WaitFor([] { return Get(L"asleep") == "1"; }))
        << "the forced hibernation did not happen: forced " << Get(L"forced-requests") << " vetoes "
        << Get(L"vetoes") << " requests " << Get(L"sleep-requests");
    EXPECT_EQ(Get(L"forced-requests"), "1");
}
