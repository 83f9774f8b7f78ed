// The executor against a firmware double and the suite's registry values.
#include "Pellick.h"
#include "RecordingBios.h"
#include "RegistryValueGuard.h"
#include "SettingNames.h"
#include "Settings.h"

#include <gtest/gtest.h>

namespace {

// The firmware's answer to the key-typing question.
RecordingBios::Script KeyAnswer(int32_t res1, uint32_t res2)
{
    return [res1, res2](BiosCallBuffer& buffer) {
        if (buffer.cbClass == 4 && buffer.cbSelect == 0x0B && buffer.cbArg1 == 0x40) {
            buffer.cbRes1 = res1;
            buffer.cbRes2 = res2;
        } else {
            buffer.cbRes1 = 0;
        }
        return true;
    };
}

// The manager the executor started, closed again; false when none opened.
bool CloseManager()
{
    HWND manager = nullptr;
    const ULONGLONG end = ::GetTickCount64() + 20000;
    while ((manager = ::FindWindowW(L"#32770", L"Corvane Flinto Manager")) == nullptr) {
        if (::GetTickCount64() > end) return false;
        ::Sleep(50);
    }
    ::PostMessageW(manager, WM_CLOSE, 0, 0);
    while (::IsWindow(manager)) {
        if (::GetTickCount64() > end) return false;
        ::Sleep(50);
    }
    return true;
}

class PellickTest : public ::testing::Test {
protected:
    RegistryValueGuard values{
        CSettings::kKeyPath,
        {setting_names::kPellick, setting_names::kPellickCmd, setting_names::kPellickAddr}};
    RecordingBios bios;
};

} // namespace

TEST_F(PellickTest, AsksTheFirmwareOnceWhetherItTypesKeys)
{
    struct Case {
        bool answered;
        int32_t res1;
        uint32_t res2;
        bool typesKeys;
    };
    for (const Case c : {Case{true, 0, 1, true}, Case{true, 0, 3, true}, Case{true, 0, 2, false},
                         Case{true, -1, 1, false}, Case{false, 0, 1, false}}) {
        bios.requests.clear();
        bios.script = [c](BiosCallBuffer& buffer) {
            buffer.cbRes1 = c.res1;
            buffer.cbRes2 = c.res2;
            return c.answered;
        };
        CPellick pellick(bios);
        EXPECT_EQ(pellick.BiosTypesKeys(), c.typesKeys) << c.res1 << " " << c.res2 << " " << c.answered;
        ASSERT_EQ(bios.requests.size(), 1u);
        EXPECT_EQ(bios.requests[0].cbClass, 4);
        EXPECT_EQ(bios.requests[0].cbSelect, 0x0B);
        EXPECT_EQ(bios.requests[0].cbArg1, 0x40u);
    }
}

TEST_F(PellickTest, ReadsTheAssignmentAndTakesLargeNumbersForNothingAssigned)
{
    values.SetDword(setting_names::kPellick, 11);
    EXPECT_EQ(CPellick(bios).AssignedFunction(), 11u);
    values.SetDword(setting_names::kPellick, 20);
    EXPECT_EQ(CPellick(bios).AssignedFunction(), 0u);
    values.Delete(setting_names::kPellick);
    EXPECT_EQ(CPellick(bios).AssignedFunction(), 0u);
}

TEST_F(PellickTest, TheFirmwareTypesTheRefreshKeyAndAltF4WhenItCan)
{
    bios.script = KeyAnswer(0, 1);
    CPellick pellick(bios);
    values.SetDword(setting_names::kPellick, 6);
    EXPECT_TRUE(pellick.Execute());
    values.SetDword(setting_names::kPellick, 7);
    EXPECT_TRUE(pellick.Execute());
    ASSERT_EQ(bios.requests.size(), 3u);
    for (size_t i : {1u, 2u}) {
        EXPECT_EQ(bios.requests[i].cbClass, 4);
        EXPECT_EQ(bios.requests[i].cbSelect, 0x0B);
        EXPECT_EQ(bios.requests[i].cbArg1, 0x41u);
    }
    EXPECT_EQ(bios.requests[1].cbArg2, 0x3Fu);
    EXPECT_EQ(bios.requests[2].cbArg2, (1u << 16) | 0x3Eu);
    // A refused key is a failed press.
    bios.script = [](BiosCallBuffer& buffer) {
        buffer.cbRes1 = -1;
        return true;
    };
    EXPECT_FALSE(pellick.Execute());
}

TEST_F(PellickTest, WithoutFirmwareTypingTheKeysAreTypedByTheProgram)
{
    bios.script = KeyAnswer(0, 0);
    CPellick pellick(bios);
    values.SetDword(setting_names::kPellick, 6);
    pellick.Execute();
    EXPECT_EQ(bios.requests.size(), 1u) << "only the question went to the firmware";
}

TEST_F(PellickTest, AMissingWebAddressOrProgramAssignsTheFunctionForTheManager)
{
    CPellick pellick(bios);
    values.SetDword(setting_names::kPellick, 15);
    values.Delete(setting_names::kPellickAddr);
    EXPECT_TRUE(pellick.Execute());
    EXPECT_TRUE(pellick.ManagerStarted());
    EXPECT_TRUE(CloseManager()) << "the manager did not open";
    EXPECT_EQ(values.GetDword(setting_names::kPellick), 15u);
    EXPECT_EQ(pellick.AssignedFunction(), 15u);

    values.SetDword(setting_names::kPellick, 14);
    values.SetString(setting_names::kPellickCmd, L"C:\\no such folder\\nothing.exe");
    EXPECT_TRUE(pellick.Execute());
    EXPECT_TRUE(CloseManager());
    EXPECT_EQ(values.GetDword(setting_names::kPellick), 14u);
    values.Delete(setting_names::kPellickCmd);
    EXPECT_TRUE(pellick.Execute());
    EXPECT_TRUE(CloseManager());
    EXPECT_EQ(pellick.AssignedFunction(), 14u);
}

TEST_F(PellickTest, MonitorStateFollowsTheNoticesAndTheToggle)
{
    CPellick pellick(bios);
    EXPECT_EQ(pellick.MonitorState(), 1);
    pellick.SetMonitorState(0);
    EXPECT_EQ(pellick.MonitorState(), 0);
    const uint64_t recorded = pellick.MonitorStateTime();
    pellick.SetMonitorState(2);
    pellick.SetMonitorState(-1);
    EXPECT_EQ(pellick.MonitorState(), 0) << "only 0 and 1 are states";
    EXPECT_EQ(pellick.MonitorStateTime(), recorded);
    pellick.ToggleDisplay();
    EXPECT_EQ(pellick.MonitorState(), 1);
    EXPECT_GE(pellick.MonitorStateTime(), recorded);
}

TEST_F(PellickTest, UnknownNumbersAndTheEjectWithoutADriveDoNothing)
{
    CPellick pellick(bios);
    const size_t asked = bios.requests.size();
    values.SetDword(setting_names::kPellick, 5);
    // The test prefix has no optical drive.
    EXPECT_FALSE(pellick.Execute());
    EXPECT_FALSE(pellick.ManagerStarted());
    EXPECT_EQ(bios.requests.size(), asked);
}
