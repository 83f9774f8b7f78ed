// The adapter, battery and dock alerts through the running tray on the
// simulated notebook: firmware events and the firmware's pending alert lead
// to the boxes a user sees, which the tests read and answer.
#include "TrayDispatchFixture.h"

#include "AlertQueryWorker.h"

namespace {

std::string Get(const std::wstring& key)
{
    std::string value = Simctl(L"get " + key);
    while (!value.empty() && (value.back() == '\n' || value.back() == '\r')) value.pop_back();
    return value;
}

const std::wstring k90WAdapter = L"90W AC Power Adapter has been determined.";
const std::wstring kInsufficient = L"This adapter may not provide sufficient power to operate the system. "
                                   L"Your system performance will be impacted.";

class TrayAlerts : public TrayDispatch {
protected:
    void TearDown() override
    {
        for (const Box& box : FindBoxes(m_tray.id)) Answer(box);
        TrayDispatch::TearDown();
    }

    Box WaitBox()
    {
        std::vector<Box> boxes;
        EXPECT_TRUE(WaitFor([&] { return !(boxes = FindBoxes(m_tray.id)).empty(); })) << "no box";
        return boxes.empty() ? Box{} : boxes.front();
    }

    void Answer(const Box& box)
    {
        ::PostMessageW(box.window, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindow(box.window); }, 5000)) << "the box stayed";
    }

    // Waits until the trace shows the line.
    bool WaitForLine(const std::string& wanted)
    {
        return WaitFor([&] {
            for (const std::string& line : NewLines())
                if (line == wanted) return true;
            return false;
        });
    }
};

TEST_F(TrayAlerts, AnAdapterEventInTheK7StyleListsTheReasonAndTheRemediesOnLines)
{
    Simctl(L"event 0xE00D 3 0 0x0009 0x5A00");
    const Box box = WaitBox();
    EXPECT_EQ(box.caption, L"Tavrin");
    EXPECT_EQ(box.text, k90WAdapter + L"\r\n" + kInsufficient
                            + L"\r\nThis problem might be solved by:\r\n"
                              L"\u2027 Ensure the plug is inserted completely for best system operation.\r\n"
                              L"\u2027 Connect a Corvane 90W AC adapter or higher.");
    EXPECT_TRUE(IsResponsive()) << "the box holds the main window";
    Answer(box);
}

TEST_F(TrayAlerts, TheSameTextWhileItsBoxIsOpenShowsOneBoxAndAgainOnceClosed)
{
    Simctl(L"event 0xE00D 3");
    const Box box = WaitBox();
    EXPECT_EQ(box.text,
              L"90W AC Power Adapter has been determined. This will prevent optimal system performance.");
    Simctl(L"event 0xE00D 3");
    EXPECT_TRUE(WaitForLine("entry AlertAlreadyShown 0"));
    EXPECT_EQ(FindBoxes(m_tray.id).size(), 1u);
    // Another text of the same family is shown beside it.
    Simctl(L"event 0xE00D 4");
    EXPECT_TRUE(WaitFor([&] { return FindBoxes(m_tray.id).size() == 2; })) << "no second box";
    for (const Box& open : FindBoxes(m_tray.id)) Answer(open);
    Simctl(L"event 0xE00D 3");
    EXPECT_EQ(WaitBox().text, box.text);
}

TEST_F(TrayAlerts, TheKeyShowsTheNumberedMessageTheFirmwareHolds)
{
    Simctl(L"alert 0xFFFFFFFF 0");
    // The hook may pass a typed key on more than once; each asks, and the
    // firmware hands its message over once.
    const Lines keys = TypedKeys(L"d:E00D u:E00D");
    ASSERT_FALSE(keys.empty());
    for (const std::string& line : keys) EXPECT_EQ(line, "key 0xE00D");
    const Box box = WaitBox();
    EXPECT_EQ(box.caption, L"Corvane Tavrin");
    EXPECT_EQ(box.text, L"The AC power adapter is not recognized. System performance will be impacted.");
    EXPECT_EQ(::GetWindow(box.window, GW_OWNER), FindTray()) << "the message belongs to the tray's window";
    EXPECT_EQ(Get(L"alert-queries"), std::to_string(keys.size()));
    EXPECT_EQ(FindBoxes(m_tray.id).size(), 1u);
    Answer(box);
}

class ClassicTrayAlerts : public TrayAlerts {
protected:
    void Configure() override { settings.SetDword(L"TavrinControl", 0x0010); }
};

TEST_F(ClassicTrayAlerts, AnAdapterEventInAClassicStyleRunsOnOneLine)
{
    Simctl(L"event 0xE00D 3 0 0x0009 0x5A00");
    const Box box = WaitBox();
    EXPECT_EQ(box.caption, L"Tavrin");
    EXPECT_EQ(box.text, k90WAdapter + L" " + kInsufficient
                            + L" Please connect a Corvane 90W AC adapter or higher, and ensure the plug is "
                              L"inserted completely for best system operation.");
    Answer(box);
}

TEST_F(ClassicTrayAlerts, ADockBoxComesFromTheFirmwareEventAndHoldsTheWindowUntilAnswered)
{
    Simctl(L"event 0xE00D 50 0 0 0x0300");
    const Box box = WaitBox();
    EXPECT_EQ(box.caption, L"Tavrin");
    EXPECT_EQ(box.text,
              L"The model number of the docking station cannot be determined. This will prevent the "
              L"system from accessing Quarro features like the PCI slot. Please connect a Port "
              L"Replicator for best system operation.");
    Answer(box);
}

// The query after resume, with its wait shortened for the test.
class ResumedTrayAlerts : public TrayAlerts {
protected:
    void SetUp() override
    {
        ::SetEnvironmentVariableW(CAlertQueryWorker::kDelayVariable, L"300");
        TrayAlerts::SetUp();
    }
    void TearDown() override
    {
        TrayAlerts::TearDown();
        ::SetEnvironmentVariableW(CAlertQueryWorker::kDelayVariable, nullptr);
    }
};

TEST_F(ResumedTrayAlerts, TheQueryAfterResumeShowsThePendingBatteryAlert)
{
    Simctl(L"alert 21 0 0x5A000000");
    Simctl(L"resume");
    ASSERT_TRUE(WaitForLine("entry StartDelayedBiosMessageQuery"));
    const Box box = WaitBox();
    EXPECT_EQ(box.caption, L"Tavrin");
    EXPECT_EQ(box.text,
              L"The model number for the primary battery is non-recommended. The battery cannot provide "
              L"sufficient power to run the system on battery mode.  Please insert a Corvane 90Wh "
              L"battery or higher for best system operation.");
    EXPECT_EQ(Get(L"alert-queries"), "1");
    EXPECT_EQ(Get(L"alert-code"), "0xFFFFFFFF") << "the alert was not taken";
    Answer(box);
}

TEST_F(ResumedTrayAlerts, ATrayStoppedWhileTheQueryShowsItsDockBoxEndsCleanly)
{
    Simctl(L"alert 52 0 0x5A000000");
    Simctl(L"resume");
    const Box box = WaitBox();
    EXPECT_EQ(box.text.rfind(L"Unable to identify AC power adapter connected to the docking station.", 0), 0u)
        << "unexpected text";
    EXPECT_TRUE(IsResponsive()) << "the dock box of the query holds the main window";
    Stop(m_tray);
    m_tray = Process{};
    EXPECT_FALSE(::IsWindow(box.window));
}

} // namespace
