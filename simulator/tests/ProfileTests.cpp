#include <gtest/gtest.h>

#include <cstring>

#include "FirmwareModel.h"
#include "MachineProfile.h"
#include "PowerStatus.h"
#include "SmbiosBuilder.h"
#include "TestMachine.h"

namespace {

using simtest::Structure;
using simtest::TempProfile;
using simtest::Walk;

const Structure* Find(const std::vector<Structure>& table, uint8_t type)
{
    for (const Structure& s : table) {
        if (s.type == type) return &s;
    }
    return nullptr;
}

std::vector<sim::SimToken> TokensOf(const std::vector<Structure>& table)
{
    std::vector<sim::SimToken> tokens;
    for (const Structure& s : table) {
        if (s.type != 218) continue;
        for (size_t o = 11; o + 6 <= s.formatted.size() && s.Word(o) != 0xFFFF; o += 6) {
            tokens.push_back({s.Word(o), s.Word(o + 2), s.Word(o + 4)});
        }
    }
    return tokens;
}

TEST(Numbers, DecimalHexAndSignOnly)
{
    long long v = 0;
    EXPECT_TRUE(sim::ParseNumber(L"0x01F7", v));
    EXPECT_EQ(v, 0x1F7);
    EXPECT_TRUE(sim::ParseNumber(L"010", v));
    EXPECT_EQ(v, 10); // never octal
    EXPECT_TRUE(sim::ParseNumber(L"-3", v));
    EXPECT_EQ(v, -3);
    for (const wchar_t* bad : {L"", L"0x", L"12a", L"x1", L"- 1", L"1 ", L"abc", L"99999999999999999999"}) {
        EXPECT_FALSE(sim::ParseNumber(bad, v)) << static_cast<const void*>(bad);
    }
}

TEST(Profiles, EveryShippedProfileLoads)
{
    for (const wchar_t* name : {L"corvane-default", L"halvorn", L"no-acpiwmi", L"smbios-fails",
                                L"corvane-503", L"corvane-quillet-bios"}) {
        auto machine = simtest::LoadedMachine(name);
        ASSERT_TRUE(machine);
        EXPECT_EQ(machine->loaded, 1u);
        EXPECT_STREQ(machine->profile, name);
        EXPECT_GE(machine->firmware.dataBufferSize, 44u);
        EXPECT_FALSE(Walk(sim::BuildSmbiosTable(machine->smbios)).empty());
    }
    EXPECT_FALSE(simtest::LoadedMachine(L"no-such-machine"));
}

TEST(Profiles, OtherMakerCarriesNoMakerName)
{
    auto machine = simtest::LoadedMachine(L"halvorn");
    ASSERT_TRUE(machine);
    std::vector<uint8_t> table = sim::BuildSmbiosTable(machine->smbios);
    std::string text(table.begin(), table.end());
    EXPECT_EQ(text.find("Corvane"), std::string::npos);
    EXPECT_NE(text.find("Halvorn Vega 5"), std::string::npos);
}

TEST(Profiles, FaultProfilesSetTheirKnobs)
{
    EXPECT_EQ(simtest::LoadedMachine(L"no-acpiwmi")->faults.noAcpiWmi, 1);
    EXPECT_EQ(simtest::LoadedMachine(L"smbios-fails")->faults.smbiosFails, 1);
    auto m503 = simtest::LoadedMachine(L"corvane-503");
    EXPECT_EQ(m503->smbios.systemId, 503);
    EXPECT_EQ(m503->smbios.systemIdWide, 1);
}

TEST(Profiles, MalformedEntriesAreSkippedAndNumbersClamped)
{
    TempProfile profile(
        "[SMBIOS]\r\nManufacturer=Quillet\r\nOemString1=one\r\nOemString2=\r\nOemString4=gap\r\n"
        "CapabilityWords=1,2,3\r\nSystemId=0x20\r\n"
        "[Tokens]\r\nA=0x7D,0x320,0\r\nB=junk\r\nC=1,2\r\nD=0x17E,0x342,1,9\r\nE=0x17D,0x342,0\r\n"
        "[Settings]\r\n0x320=3/5,1,2\r\n0x342=1/2/3\r\nbad=1\r\n0x400=8\r\n0x401=1,2\r\n"
        "[Firmware]\r\nDataBufferSize=999999\r\nRadioStatus=nope\r\n"
        "[Answers]\r\n0x12/0x01=0,5,6,7\r\n0x12/0x02/0x30=-2,1,1,1\r\n0x12=0,0,0,0\r\n0x12/0x03=1,2\r\n"
        "[Power]\r\nBatteryPercent=250\r\nAcOnline=0\r\n");
    auto machine = std::make_unique<sim::SimMachine>();
    std::memset(machine.get(), 0, sizeof(sim::SimMachine));
    ASSERT_TRUE(sim::LoadProfile(profile.Path(), *machine));

    EXPECT_EQ(machine->smbios.oemCount, 2); // stops at the first missing number
    EXPECT_EQ(machine->smbios.hasCapabilities, 0);
    EXPECT_EQ(machine->smbios.systemIdWide, 0);
    ASSERT_EQ(machine->smbios.tokenCount, 2);
    EXPECT_EQ(machine->smbios.tokens[1].identifier, 0x17D);

    const sim::SimSetting* brightness = sim::FindSetting(*machine, 0x320);
    ASSERT_NE(brightness, nullptr);
    EXPECT_TRUE(brightness->split);
    EXPECT_EQ(brightness->ac, 5);
    EXPECT_EQ(brightness->res4, 2u);
    EXPECT_EQ(sim::FindSetting(*machine, 0x342)->battery, 0); // malformed value kept the default
    EXPECT_EQ(sim::FindSetting(*machine, 0x400)->ac, 8);
    EXPECT_EQ(sim::FindSetting(*machine, 0x401), nullptr);

    EXPECT_EQ(machine->firmware.dataBufferSize, 4096u);
    EXPECT_EQ(machine->firmware.radioStatus, 0u);
    EXPECT_EQ(machine->firmware.radioRes1, -1); // no radio answer without the key
    ASSERT_EQ(machine->firmware.fixedAnswerCount, 2);
    EXPECT_EQ(machine->power.batteryPercent, 100);

    std::vector<uint8_t> plain = simtest::Request(0x12, 0x01);
    EXPECT_EQ(simtest::Record(sim::AnswerCall(*machine, plain.data(), plain.size())).cbRes4, 7u);
    std::vector<uint8_t> matched = simtest::Request(0x12, 0x02, 0x30);
    EXPECT_EQ(simtest::Record(sim::AnswerCall(*machine, matched.data(), matched.size())).cbRes1, -2);
    std::vector<uint8_t> other = simtest::Request(0x12, 0x02, 0x31);
    EXPECT_EQ(simtest::Record(sim::AnswerCall(*machine, other.data(), other.size())).cbRes1, -1);
}

TEST(Profiles, LoadingResetsStateButKeepsTheEventQueue)
{
    auto machine = simtest::LoadedMachine(L"corvane-default");
    machine->faults.failNext = 4;
    machine->callCount = 9;
    machine->eventCount = 3;
    machine->subscribers[0] = sim::SimSubscriber{77, 1};
    ASSERT_TRUE(sim::LoadProfile(L"halvorn", *machine));
    EXPECT_EQ(machine->faults.failNext, 0u);
    EXPECT_EQ(machine->callCount, 0u);
    EXPECT_EQ(machine->eventCount, 3u);
    EXPECT_EQ(machine->subscribers[0].processId, 77u);
    EXPECT_EQ(sim::FindSetting(*machine, 0x310), nullptr); // only halvorn's settings remain
}

TEST(SmbiosTable, HoldsTheIdentityOfTheProfile)
{
    auto machine = simtest::LoadedMachine(L"corvane-default");
    std::vector<Structure> table = Walk(sim::BuildSmbiosTable(machine->smbios));
    ASSERT_FALSE(table.empty());
    EXPECT_EQ(table.back().type, 127);

    const Structure* bios = Find(table, 0);
    ASSERT_NE(bios, nullptr);
    EXPECT_EQ(bios->StringAt(4), "Corvane Computer Corporation");
    EXPECT_EQ(bios->StringAt(5), "A07");
    EXPECT_EQ(bios->StringAt(8), "06/14/2011");
    const Structure* system = Find(table, 1);
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->StringAt(4), "Corvane Computer Corporation");
    EXPECT_EQ(system->StringAt(5), "Corvane Strata 14");
    const Structure* oem = Find(table, 11);
    ASSERT_NE(oem, nullptr);
    EXPECT_EQ(oem->formatted[4], 4);
    ASSERT_EQ(oem->strings.size(), 4u);
    EXPECT_EQ(oem->strings[0], "Corvane System");
    EXPECT_EQ(oem->strings[1], "1[0471]");
    const Structure* caps = Find(table, 177);
    ASSERT_NE(caps, nullptr);
    EXPECT_EQ(caps->Word(4), 0x001E);
    EXPECT_EQ(caps->Word(8), 0x0001);
    const Structure* id = Find(table, 208);
    ASSERT_NE(id, nullptr);
    EXPECT_EQ(id->formatted[6], 0xFE);
    EXPECT_EQ(id->Word(8), 0x0471);

    std::vector<sim::SimToken> tokens = TokensOf(table);
    ASSERT_EQ(tokens.size(), machine->smbios.tokenCount);
    EXPECT_EQ(tokens[6].identifier, 0x007D);
    EXPECT_EQ(tokens[6].location, 0x0320);
    EXPECT_EQ(tokens[11].value, 0x0001);
}

TEST(SmbiosTable, ByteFormIdAndDuplicateTokensAsWritten)
{
    auto halvorn = simtest::LoadedMachine(L"halvorn");
    // Kept in a variable: the pointer below points into it.
    const std::vector<Structure> table = Walk(sim::BuildSmbiosTable(halvorn->smbios));
    const Structure* id = Find(table, 208);
    ASSERT_NE(id, nullptr);
    EXPECT_EQ(id->formatted[6], 0x33);

    auto m503 = simtest::LoadedMachine(L"corvane-503");
    std::vector<sim::SimToken> tokens = TokensOf(Walk(sim::BuildSmbiosTable(m503->smbios)));
    ASSERT_GE(tokens.size(), 2u);
    EXPECT_EQ(tokens[0].identifier, tokens[1].identifier);
    EXPECT_NE(tokens[0].location, tokens[1].location);
}

TEST(SmbiosTable, MissingPiecesLeaveWalkableStructures)
{
    sim::SimSmbios bare{};
    std::vector<Structure> table = Walk(sim::BuildSmbiosTable(bare));
    ASSERT_EQ(table.size(), 3u); // BIOS, system, end
    EXPECT_EQ(table[0].formatted[4], 0); // empty vendor is string number 0
    EXPECT_EQ(Find(table, 208), nullptr);
    EXPECT_EQ(Find(table, 218), nullptr);
}

TEST(SmbiosTable, LongTokenTablesSpanSeveralStructures)
{
    sim::SimSmbios smbios{};
    smbios.tokenCount = sim::kMaxTokens;
    for (int i = 0; i < sim::kMaxTokens; ++i) {
        smbios.tokens[i] = {static_cast<uint16_t>(0x100 + i), static_cast<uint16_t>(0x400 + i), 1};
    }
    std::vector<Structure> table = Walk(sim::BuildSmbiosTable(smbios));
    ASSERT_FALSE(table.empty());
    std::vector<sim::SimToken> tokens = TokensOf(table);
    ASSERT_EQ(tokens.size(), static_cast<size_t>(sim::kMaxTokens));
    EXPECT_EQ(tokens.back().location, 0x400 + sim::kMaxTokens - 1);
    for (const Structure& s : table) EXPECT_LE(s.formatted.size(), 255u);
}

TEST(PowerStatus, SummaryFollowsTheBattery)
{
    sim::SimPower power{1, 1, 80, 1, -1, -1};
    SYSTEM_POWER_STATUS status = sim::PowerStatusOf(power);
    EXPECT_EQ(status.ACLineStatus, 1);
    EXPECT_EQ(status.BatteryFlag, 1 | 8);
    EXPECT_EQ(status.BatteryLifePercent, 80);
    power = sim::SimPower{0, 1, 3, 0, 600, 7200};
    status = sim::PowerStatusOf(power);
    EXPECT_EQ(status.ACLineStatus, 0);
    EXPECT_EQ(status.BatteryFlag, 2 | 4);
    EXPECT_EQ(status.BatteryLifeTime, 600u);
    power.batteryPresent = 0;
    status = sim::PowerStatusOf(power);
    EXPECT_EQ(status.BatteryFlag, 128);
    EXPECT_EQ(status.BatteryLifePercent, 255);
}

} // namespace
