#include <gtest/gtest.h>

#include <windows.h>

#include <winioctl.h>

#include <poclass.h>

#include <cstring>
#include <vector>

#include "BatteryRecords.h"

namespace {

using namespace battery_records;

// The product's own layouts are the driver's.
static_assert(sizeof(Information) == sizeof(BATTERY_INFORMATION));
static_assert(offsetof(Information, fullChargedCapacity)
              == offsetof(BATTERY_INFORMATION, FullChargedCapacity));
static_assert(offsetof(Information, chemistry) == offsetof(BATTERY_INFORMATION, Chemistry));
static_assert(sizeof(Status) == sizeof(BATTERY_STATUS));
static_assert(offsetof(Status, rate) == offsetof(BATTERY_STATUS, Rate));
static_assert(sizeof(QueryInformation) == sizeof(BATTERY_QUERY_INFORMATION));
static_assert(offsetof(QueryInformation, level) == offsetof(BATTERY_QUERY_INFORMATION, InformationLevel));
static_assert(sizeof(WaitStatus) == sizeof(BATTERY_WAIT_STATUS));
static_assert(kQueryTag == IOCTL_BATTERY_QUERY_TAG);
static_assert(kQueryInformation == IOCTL_BATTERY_QUERY_INFORMATION);
static_assert(kQueryStatus == IOCTL_BATTERY_QUERY_STATUS);
static_assert(uint32_t{kLevelDeviceName} == uint32_t{BatteryDeviceName}
              && uint32_t{kLevelManufacturerName} == uint32_t{BatteryManufactureName}
              && uint32_t{kLevelUniqueId} == uint32_t{BatteryUniqueID});
static_assert(static_cast<uint32_t>(kUnknownRate) == BATTERY_UNKNOWN_RATE);

std::vector<uint8_t> Bytes(const void* data, size_t length)
{
    const auto* p = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(p, p + length);
}

TEST(BatteryRecords, WholeRecordsAreReadAndShortOnesAreRefused)
{
    BATTERY_STATUS status{BATTERY_CHARGING | BATTERY_POWER_ON_LINE, 41000, 11800, -7300};
    std::vector<uint8_t> bytes = Bytes(&status, sizeof status);
    const auto parsed = ParseStatus(bytes.data(), bytes.size());
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->powerState, kCharging | kPowerOnLine);
    EXPECT_EQ(parsed->capacity, 41000u);
    EXPECT_EQ(parsed->rate, -7300);
    EXPECT_FALSE(ParseStatus(bytes.data(), bytes.size() - 1));
    EXPECT_FALSE(ParseStatus(nullptr, 16));

    BATTERY_INFORMATION info{};
    info.FullChargedCapacity = 51234;
    info.CycleCount = 321;
    std::memcpy(info.Chemistry, "NiMH", 4);
    bytes = Bytes(&info, sizeof info);
    const auto parsedInfo = ParseInformation(bytes.data(), bytes.size());
    ASSERT_TRUE(parsedInfo);
    EXPECT_EQ(parsedInfo->fullChargedCapacity, 51234u);
    EXPECT_EQ(ChemistryText(parsedInfo->chemistry), L"NiMH");

    EXPECT_FALSE(ParseTag(bytes.data(), 3));
    EXPECT_EQ(ParseTag(bytes.data() + 16, 4).value_or(0), 51234u);
    EXPECT_EQ(parsedInfo->cycleCount, 321u);
    EXPECT_FALSE(ParseInformation(bytes.data(), 35));
}

TEST(BatteryRecords, TextsStopAtTheirEndOrTheBytes)
{
    const wchar_t text[] = L"Quillet";
    std::vector<uint8_t> bytes = Bytes(text, sizeof text);
    EXPECT_EQ(ParseText(bytes.data(), bytes.size()), L"Quillet");
    // Without a terminator the text ends with the bytes; an odd last byte is no character.
    EXPECT_EQ(ParseText(bytes.data(), 6), L"Qui");
    EXPECT_EQ(ParseText(bytes.data(), 7), L"Qui");
    EXPECT_EQ(ParseText(bytes.data(), 1), L"");
    EXPECT_EQ(ParseText(nullptr, 100), L"");
    const uint8_t embedded[] = {'A', 0, 0, 0, 'B', 0};
    EXPECT_EQ(ParseText(embedded, sizeof embedded), L"A");
}

TEST(BatteryRecords, ChemistryIsAtMostFourLetters)
{
    const uint8_t full[4] = {'L', 'I', 'O', 'N'};
    const uint8_t shortOne[4] = {'P', 'b', 0, 'x'};
    const uint8_t none[4] = {};
    EXPECT_EQ(ChemistryText(full), L"LION");
    EXPECT_EQ(ChemistryText(shortOne), L"Pb");
    EXPECT_EQ(ChemistryText(none), L"");
}

} // namespace
