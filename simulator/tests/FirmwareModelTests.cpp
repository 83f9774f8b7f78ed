#include <gtest/gtest.h>

#include "CallLog.h"
#include "FirmwareModel.h"
#include "TestMachine.h"

namespace {

using simtest::Record;
using simtest::Request;

class FirmwareModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        machine = simtest::LoadedMachine(L"corvane-default");
        ASSERT_TRUE(machine);
    }
    BiosCallBuffer Call(uint16_t cbClass, uint16_t cbSelect, uint32_t arg1 = 0, uint32_t arg2 = 0)
    {
        std::vector<uint8_t> request = Request(cbClass, cbSelect, arg1, arg2);
        std::vector<uint8_t> answer = sim::AnswerCall(*machine, request.data(), request.size());
        EXPECT_EQ(answer.size(), request.size());
        return Record(answer);
    }
    std::unique_ptr<sim::SimMachine> machine;
};

constexpr uint16_t kBrightness = 0x0320; // split 4 on battery / 7 on AC, 15 levels
constexpr uint16_t kLocator = 0x0342; // one value for both sources
// RadioStatus 0x0F with the three radios of [Radio] installed and on.
constexpr uint32_t kDefaultRadioStatus = 0x0001070F;

TEST_F(FirmwareModel, TokenReadsFollowTheSelectAndThePowerSource)
{
    BiosCallBuffer battery = Call(0, 1, kBrightness);
    EXPECT_EQ(battery.cbRes1, 0);
    EXPECT_EQ(battery.cbRes2, 4u);
    EXPECT_EQ(battery.cbRes4, 15u);
    EXPECT_EQ(Call(0, 2, kBrightness).cbRes2, 7u);
    EXPECT_EQ(Call(0, 0, kBrightness).cbRes2, 7u); // on AC now
    machine->power.acOnline = 0;
    EXPECT_EQ(Call(0, 0, kBrightness).cbRes2, 4u);
}

TEST_F(FirmwareModel, ActivationOfASplitSettingChangesOnlyThatSource)
{
    EXPECT_EQ(Call(1, 1, kBrightness, 2).cbRes1, 0);
    EXPECT_EQ(Call(0, 1, kBrightness).cbRes2, 2u);
    EXPECT_EQ(Call(0, 2, kBrightness).cbRes2, 7u);
}

TEST_F(FirmwareModel, ActivationOfASingleSettingIsSeenByEveryRead)
{
    // Disable through the AC variant, read through the plain one.
    EXPECT_EQ(Call(1, 2, kLocator, 0).cbRes1, 0);
    EXPECT_EQ(Call(0, 0, kLocator).cbRes2, 0u);
    EXPECT_EQ(Call(1, 0, kLocator, 1).cbRes1, 0);
    EXPECT_EQ(Call(0, 1, kLocator).cbRes2, 1u);
}

TEST_F(FirmwareModel, UnknownCallsAnswerMinusOneAndChangeNothing)
{
    EXPECT_EQ(Call(0, 0, 0x0999).cbRes1, -1); // no such location
    EXPECT_EQ(Call(0, 3, kBrightness).cbRes1, -1); // no such select
    EXPECT_EQ(Call(0, 0, 0x10320).cbRes1, -1); // location wider than a word
    EXPECT_EQ(Call(1, 3, kBrightness, 9).cbRes1, -1);
    EXPECT_EQ(Call(0x7F, 0x01).cbRes1, -1);
    EXPECT_EQ(Call(0x04, 0x0B, 0x31).cbRes1, -1);
    EXPECT_EQ(Call(0, 1, kBrightness).cbRes2, 4u);
}

TEST_F(FirmwareModel, RadioQueryAndVersionReportAnswerFromTheProfile)
{
    BiosCallBuffer radio = Call(0x11, 0x0B);
    EXPECT_EQ(radio.cbRes1, 0);
    EXPECT_EQ(radio.cbRes2, kDefaultRadioStatus);
    BiosCallBuffer query = Call(0x04, 0x0B, 0x30);
    EXPECT_EQ(query.cbRes1, 0);
    EXPECT_EQ(query.cbRes2, 0x00010003u);

    std::vector<uint8_t> report = Request(0x11, 0x03, 1, 3, 8, 1);
    EXPECT_EQ(Record(sim::AnswerCall(*machine, report.data(), report.size())).cbRes1, 0);
    EXPECT_EQ(machine->firmware.versionReports, 1u);
    EXPECT_EQ(machine->firmware.lastVersion[2], 8u);
    EXPECT_EQ(machine->firmware.lastVersion[3], 1u);
}

TEST_F(FirmwareModel, KeyboardLightAndRadioSelectorAnswerFromTheMachine)
{
    // corvane-default: a light of three levels, off; the selector available.
    EXPECT_EQ(Call(0x04, 0x0B, 0x00).cbRes3, 3u << 16);
    BiosCallBuffer off = Call(0x04, 0x0B, 0x01);
    EXPECT_EQ(off.cbRes1, 0);
    EXPECT_EQ(off.cbRes2, 1u) << "1 is off";
    machine->keyboard.level = 2;
    BiosCallBuffer lit = Call(0x04, 0x0B, 0x01);
    EXPECT_EQ(lit.cbRes2, 3u);
    EXPECT_EQ(lit.cbRes3, 2u << 16);
    BiosCallBuffer selector = Call(0x04, 0x0B, 0x10);
    EXPECT_EQ(selector.cbRes1, 0);
    EXPECT_EQ(selector.cbRes2, 1u);
    // Without a light the light calls fail; the selector keeps its own status.
    machine->keyboard.light = 0;
    machine->keyboard.selectorRes1 = -1;
    EXPECT_EQ(Call(0x04, 0x0B, 0x00).cbRes1, -1);
    EXPECT_EQ(Call(0x04, 0x0B, 0x01).cbRes1, -1);
    EXPECT_EQ(Call(0x04, 0x0B, 0x10).cbRes1, -1);
}

TEST_F(FirmwareModel, ThePendingAlertIsHandedOverOnceAndOnlyWithTheSignature)
{
    constexpr uint32_t kSignature = 0x5456524E;
    EXPECT_EQ(machine->alert.code, sim::kNoAlert);
    machine->alert = sim::SimAlert{3, 0, 0x5A000009, 0};
    EXPECT_EQ(Call(0x11, 0x05, 0x10000, 0x4E525654).cbRes1, -1); // the signature's bytes reversed
    EXPECT_EQ(Call(0x11, 0x05, 0, kSignature).cbRes1, -1);
    BiosCallBuffer alert = Call(0x11, 0x05, 0x10000, kSignature);
    EXPECT_EQ(alert.cbRes1, 0);
    EXPECT_EQ(alert.cbRes2, 3u);
    EXPECT_EQ(alert.cbRes3, 0u);
    EXPECT_EQ(alert.cbRes4, 0x5A000009u);
    BiosCallBuffer again = Call(0x11, 0x05, 0x10000, kSignature);
    EXPECT_EQ(again.cbRes1, 0);
    EXPECT_EQ(again.cbRes2, sim::kNoAlert);
    EXPECT_EQ(again.cbRes3, sim::kNoAlert);
    EXPECT_EQ(machine->alert.queries, 2u);
}

TEST_F(FirmwareModel, InjectedAnswersOverrideTheModelAndRunOut)
{
    machine->faults.forced[0] = sim::SimForcedAnswer{0, 0, 1, {}, -3, 1};
    machine->faults.forced[1] = sim::SimForcedAnswer{0x11, 0x0B, 0, {}, -2, sim::kForcedForever};
    BiosCallBuffer forced = Call(1, 1, kBrightness, 9);
    EXPECT_EQ(forced.cbRes1, -3);
    EXPECT_EQ(forced.cbRes2, 0u);
    EXPECT_EQ(Call(0, 1, kBrightness).cbRes2, 4u); // the activation never happened
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Call(0x11, 0x0B).cbRes1, -2);
    EXPECT_EQ(machine->faults.forced[1].remaining, sim::kForcedForever);
}

TEST_F(FirmwareModel, AnswerKeepsTheRequestLengthAndItsOtherBytes)
{
    std::vector<uint8_t> request = Request(0x11, 0x0B, 0, 0, 0, 0, 128);
    request[0x24] = 0x5A;
    request[100] = 0x77;
    std::vector<uint8_t> answer = sim::AnswerCall(*machine, request.data(), request.size());
    ASSERT_EQ(answer.size(), 128u);
    EXPECT_EQ(answer[0x24], 0x5A);
    EXPECT_EQ(answer[100], 0x77);
    EXPECT_EQ(Record(answer).cbRes2, kDefaultRadioStatus);
}

TEST_F(FirmwareModel, FaultKnobsShapeTheAnswer)
{
    machine->faults.quirkArgs = 1;
    BiosCallBuffer changed = Call(0x11, 0x0B, 0x12345600, 0);
    EXPECT_EQ(changed.cbArg1, ~0x12345600u);
    EXPECT_EQ(changed.cbArg2, 0xFFFFFFFFu);
    EXPECT_EQ(changed.cbRes2, kDefaultRadioStatus);

    machine->faults.shortAnswer = 40;
    std::vector<uint8_t> request = Request(0x11, 0x0B);
    EXPECT_EQ(sim::AnswerCall(*machine, request.data(), request.size()).size(), 40u);
}

TEST_F(FirmwareModel, RequestsShorterThanARecordAreRefusedUnlogged)
{
    std::vector<uint8_t> request = Request(0x11, 0x0B, 0, 0, 0, 0, 43);
    EXPECT_TRUE(sim::AnswerCall(*machine, request.data(), request.size()).empty());
    EXPECT_TRUE(sim::AnswerCall(*machine, nullptr, 44).empty());
    EXPECT_EQ(machine->callCount, 0u);
}

TEST_F(FirmwareModel, LogRecordsWhatWasSentAndAnswered)
{
    std::vector<uint8_t> clean = Request(0, 2, kBrightness, 0, 0, 0, 128);
    std::vector<uint8_t> dirty = Request(0, 2, kBrightness, 0, 0, 0, 128);
    dirty[0x2B] = 1;
    dirty[127] = 1;
    sim::AnswerCall(*machine, clean.data(), clean.size());
    sim::AnswerCall(*machine, dirty.data(), dirty.size());

    std::vector<sim::SimCall> calls = sim::LoggedCalls(*machine);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].requestLength, 128u);
    EXPECT_TRUE(calls[0].tailZero);
    EXPECT_TRUE(calls[0].reservedZero);
    EXPECT_FALSE(calls[1].tailZero);
    EXPECT_FALSE(calls[1].reservedZero);
    EXPECT_EQ(sim::FormatCall(calls[1]),
              "#2 class=0x0000 select=0x0002 args=0x00000320,0x00000000,0x00000000,0x00000000 "
              "res=0,0x00000007,0x00000000,0x0000000F");
    sim::ClearCalls(*machine);
    EXPECT_TRUE(sim::LoggedCalls(*machine).empty());
}

TEST_F(FirmwareModel, LogKeepsTheLatestCallsInOrderWhenFull)
{
    for (uint32_t i = 0; i < sim::kCallLogSize + 5; ++i) Call(0x7F, 0, i);
    std::vector<sim::SimCall> calls = sim::LoggedCalls(*machine);
    ASSERT_EQ(calls.size(), static_cast<size_t>(sim::kCallLogSize));
    EXPECT_EQ(calls.front().args[0], 5u);
    EXPECT_EQ(calls.front().sequence, 6u);
    EXPECT_EQ(calls.back().args[0], sim::kCallLogSize + 4u);
    EXPECT_EQ(sim::FormatCall(calls.back()).substr(0, 5), "#1029");
}

TEST_F(FirmwareModel, FormatShowsNegativeStatusInDecimal)
{
    Call(0x7F, 0x12, 0xDEADBEEF);
    EXPECT_EQ(sim::FormatCall(sim::LoggedCalls(*machine).back()),
              "#1 class=0x007F select=0x0012 args=0xDEADBEEF,0x00000000,0x00000000,0x00000000 "
              "res=-1,0x00000000,0x00000000,0x00000000");
}

} // namespace
