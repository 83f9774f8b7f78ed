#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "BatteryRecords.h"
#include "OSBatteryClass.h"

namespace {

using namespace battery_records;

// A device tree with batteries whose answers a test sets byte by byte.
struct FakeBattery {
    std::wstring path;
    bool opens = true;
    uint32_t tag = 7;
    Information info{};
    Status status{};
    uint32_t statusBytes = sizeof(Status); // what the status answer returns
    std::wstring name = L"Pack";
    std::wstring manufacturer = L"Quillet Energy";
    std::wstring uniqueId = L"QE-1";
};

class FakeTree final : public IDeviceTree {
public:
    std::vector<FakeBattery> batteries;
    // The batteries a set sees are those there when it was taken.
    int setsTaken = 0;
    int setsDestroyed = 0;
    int opened = 0;
    int closed = 0;
    std::vector<uint32_t> textRequestBytes;

    HDEVINFO GetClassDevs(const GUID*, const wchar_t*, DWORD) override
    {
        m_snapshot = batteries;
        return reinterpret_cast<HDEVINFO>(static_cast<intptr_t>(0x100 + ++setsTaken));
    }
    bool ClassGuidsFromName(const wchar_t*, GUID*, DWORD, DWORD*) override { return false; }
    bool EnumDeviceInfo(HDEVINFO, DWORD, SP_DEVINFO_DATA*) override { return false; }
    bool EnumDeviceInterfaces(HDEVINFO, SP_DEVINFO_DATA*, const GUID&, DWORD index,
                              SP_DEVICE_INTERFACE_DATA* data) override
    {
        if (index >= m_snapshot.size()) {
            ::SetLastError(ERROR_NO_MORE_ITEMS);
            return false;
        }
        data->Reserved = index;
        return true;
    }
    bool GetDeviceInterfaceDetail(HDEVINFO, SP_DEVICE_INTERFACE_DATA* data,
                                  SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail, DWORD bytes, DWORD* required,
                                  SP_DEVINFO_DATA*) override
    {
        const std::wstring& path = m_snapshot.at(data->Reserved).path;
        const DWORD needed = static_cast<DWORD>(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath)
                                                + (path.size() + 1) * sizeof(wchar_t));
        if (required) *required = needed;
        if (!detail || bytes < needed) {
            ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return false;
        }
        std::memcpy(detail->DevicePath, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
        return true;
    }
    bool GetDeviceRegistryProperty(HDEVINFO, SP_DEVINFO_DATA*, DWORD, DWORD*, BYTE*, DWORD, DWORD*) override
    {
        return false;
    }
    bool ChangeDeviceState(HDEVINFO, SP_DEVINFO_DATA*, DWORD, DWORD, DWORD) override { return false; }
    bool DestroyDeviceInfoList(HDEVINFO) override { return ++setsDestroyed > 0; }
    CONFIGRET LocateDevNode(DEVINST*, const wchar_t*, ULONG) override { return CR_FAILURE; }
    CONFIGRET ReenumerateDevNode(DEVINST, ULONG) override { return CR_FAILURE; }
    CONFIGRET GetParent(DEVINST*, DEVINST, ULONG) override { return CR_FAILURE; }
    CONFIGRET GetChild(DEVINST*, DEVINST, ULONG) override { return CR_FAILURE; }
    CONFIGRET GetSibling(DEVINST*, DEVINST, ULONG) override { return CR_FAILURE; }
    CONFIGRET GetDeviceId(DEVINST, wchar_t*, ULONG, ULONG) override { return CR_FAILURE; }
    DWORD GetLogicalDriveStrings(DWORD, wchar_t*) override { return 0; }
    UINT GetDriveType(const wchar_t*) override { return DRIVE_NO_ROOT_DIR; }
    bool GetVolumeNameForVolumeMountPoint(const wchar_t*, wchar_t*, DWORD) override { return false; }
    DWORD QueryDosDevice(const wchar_t*, wchar_t*, DWORD) override { return 0; }

    HANDLE OpenDevice(const wchar_t* path, DWORD, DWORD) override
    {
        for (size_t i = 0; i < batteries.size(); ++i) {
            if (batteries[i].path == path && batteries[i].opens) {
                ++opened;
                return reinterpret_cast<HANDLE>(static_cast<intptr_t>(0x1000 + i));
            }
        }
        ::SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    bool DeviceIoControl(HANDLE device, DWORD code, const void* input, DWORD, void* output, DWORD outputBytes,
                         DWORD* returned) override
    {
        const FakeBattery& b = batteries.at(static_cast<size_t>(reinterpret_cast<intptr_t>(device) - 0x1000));
        if (code == kQueryTag) return Give(&b.tag, sizeof b.tag, output, outputBytes, returned);
        if (code == kQueryStatus) return Give(&b.status, b.statusBytes, output, outputBytes, returned);
        QueryInformation query;
        std::memcpy(&query, input, sizeof query);
        if (query.level == kLevelInformation)
            return Give(&b.info, sizeof b.info, output, outputBytes, returned);
        const std::wstring& text = query.level == kLevelDeviceName         ? b.name
                                   : query.level == kLevelManufacturerName ? b.manufacturer
                                                                           : b.uniqueId;
        textRequestBytes.push_back(outputBytes);
        const DWORD needed = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
        if (outputBytes < needed) {
            *returned = needed;
            ::SetLastError(ERROR_MORE_DATA);
            return false;
        }
        return Give(text.c_str(), needed, output, outputBytes, returned);
    }
    bool CloseDevice(HANDLE) override { return ++closed > 0; }

private:
    static bool Give(const void* data, DWORD bytes, void* output, DWORD outputBytes, DWORD* returned)
    {
        const DWORD n = std::min(bytes, outputBytes);
        std::memcpy(output, data, n);
        *returned = n;
        return true;
    }
    std::vector<FakeBattery> m_snapshot;
};

FakeBattery Pack(const wchar_t* path, uint32_t full, uint32_t present, int32_t rate)
{
    FakeBattery b;
    b.path = path;
    b.info.fullChargedCapacity = full;
    std::memcpy(b.info.chemistry, "LION", 4);
    b.status = Status{rate > 0 ? kCharging | kPowerOnLine : kDischarging, present, 11100, rate};
    return b;
}

TEST(BatteryFigures, CapacityAboveFullIsAFullBatteryWithNothingMissing)
{
    const COSBatteryClass::Figures f = COSBatteryClass::FiguresOf(60000, 56000, 5000, 0);
    EXPECT_EQ(f.percent, 100);
    EXPECT_DOUBLE_EQ(f.missingCapacity, -4000);
    EXPECT_EQ(f.minutesToFull, 0);
}

TEST(BatteryFigures, PercentRoundsHalvesUp)
{
    EXPECT_EQ(COSBatteryClass::FiguresOf(1, 200, 0, 0).percent, 1); // 0.5 %
    EXPECT_EQ(COSBatteryClass::FiguresOf(299, 1000, 0, 0).percent, 30); // 29.9 %
    EXPECT_EQ(COSBatteryClass::FiguresOf(294, 1000, 0, 0).percent, 29);
    EXPECT_EQ(COSBatteryClass::FiguresOf(kUnknownCapacity, 1000, 0, 0).percent, 0);
    EXPECT_DOUBLE_EQ(COSBatteryClass::FiguresOf(kUnknownCapacity, 1000, 0, 0).missingCapacity, 1000);
}

TEST(BatteryFigures, RateDecidesTheMinutesToFull)
{
    // 14 Wh missing at 28 W: 30 minutes; a rate of 0 keeps the minutes.
    EXPECT_EQ(COSBatteryClass::FiguresOf(42000, 56000, 28000, 0).minutesToFull, 30);
    EXPECT_EQ(COSBatteryClass::FiguresOf(42000, 56000, 0, 17).minutesToFull, 17);
    EXPECT_EQ(COSBatteryClass::FiguresOf(42000, 56000, -9000, 17).minutesToFull, -1);
    EXPECT_EQ(COSBatteryClass::FiguresOf(0, 56000, 10, 0).minutesToFull, 336000);
}

TEST(OSBattery, ReadsBothBatteriesAndClosesWhatItOpens)
{
    FakeTree tree;
    tree.batteries = {Pack(L"\\\\?\\bat1", 56000, 42000, 28000), Pack(L"\\\\?\\bat2", 40000, 10000, -9000)};
    {
        CBatteryDeviceSet set(tree);
        COSBatteryClass primary(set), secondary(set);
        ASSERT_EQ(primary.Refresh(0), 1);
        ASSERT_EQ(secondary.Refresh(1), 1);
        EXPECT_EQ(primary.Found(), 1);
        EXPECT_EQ(primary.Chemistry(), L"LION");
        EXPECT_EQ(primary.Name(), L"Pack");
        EXPECT_EQ(primary.Manufacturer(), L"Quillet Energy");
        EXPECT_EQ(primary.Identifier(), L"QE-1");
        EXPECT_EQ(primary.Tag(), 7u);
        EXPECT_EQ(primary.Percent(), 75);
        EXPECT_EQ(primary.MinutesToFull(), 30);
        EXPECT_EQ(primary.Status(), 1);
        EXPECT_EQ(secondary.Index(), 1);
        EXPECT_EQ(secondary.Percent(), 25);
        EXPECT_EQ(secondary.MinutesToFull(), -1);
        EXPECT_EQ(secondary.Status(), 2);
        EXPECT_EQ(tree.setsTaken, 1); // one set for both
        EXPECT_EQ(tree.opened - tree.closed, 2);
        EXPECT_EQ(tree.textRequestBytes.front(), 255u);
    }
    EXPECT_EQ(tree.opened, tree.closed);
    EXPECT_EQ(tree.setsDestroyed, tree.setsTaken);
}

TEST(OSBattery, DeviceThatCannotBeOpenedIsNoBattery)
{
    FakeTree tree;
    tree.batteries = {Pack(L"\\\\?\\bat1", 56000, 42000, 28000)};
    tree.batteries[0].opens = false;
    CBatteryDeviceSet set(tree);
    COSBatteryClass battery(set);
    EXPECT_EQ(battery.Refresh(0), 0);
    EXPECT_EQ(battery.Found(), 0);
    EXPECT_EQ(battery.Refresh(3), 0);
    tree.batteries[0].tag = 0; // no battery behind the interface
    tree.batteries[0].opens = true;
    EXPECT_EQ(battery.Refresh(0), 0);
    EXPECT_EQ(battery.Found(), 0);
}

TEST(OSBattery, BatteryPutInLaterIsFound)
{
    FakeTree tree;
    tree.batteries = {Pack(L"\\\\?\\bat1", 56000, 42000, 28000)};
    CBatteryDeviceSet set(tree);
    COSBatteryClass primary(set), secondary(set);
    EXPECT_EQ(primary.Refresh(0), 1);
    tree.batteries.push_back(Pack(L"\\\\?\\bat2", 40000, 20000, -5000));
    EXPECT_EQ(secondary.Refresh(1), 1);
    EXPECT_EQ(secondary.Percent(), 50);
    // Taken out again: the old set still names it, the fresh one does not.
    tree.batteries.pop_back();
    EXPECT_EQ(secondary.Refresh(1), 0);
    EXPECT_EQ(primary.Refresh(0), 1);
}

TEST(OSBattery, UnknownRateAndRateZeroKeepTheLastReading)
{
    FakeTree tree;
    tree.batteries = {Pack(L"\\\\?\\bat1", 56000, 42000, 28000)};
    CBatteryDeviceSet set(tree);
    COSBatteryClass battery(set);
    ASSERT_EQ(battery.Refresh(0), 1);
    EXPECT_EQ(battery.MinutesToFull(), 30);
    tree.batteries[0].status.rate = kUnknownRate;
    tree.batteries[0].status.capacity = 49000;
    ASSERT_EQ(battery.Refresh(0), 1);
    EXPECT_EQ(battery.Rate(), 28000);
    EXPECT_EQ(battery.MinutesToFull(), 15);
    tree.batteries[0].status.rate = 0;
    tree.batteries[0].status.capacity = 51000;
    ASSERT_EQ(battery.Refresh(0), 1);
    EXPECT_EQ(battery.Rate(), 0);
    EXPECT_EQ(battery.MinutesToFull(), 15);
    // Another battery (a new tag) starts from nothing.
    tree.batteries[0].tag = 8;
    ASSERT_EQ(battery.Refresh(0), 1);
    EXPECT_EQ(battery.MinutesToFull(), 0);
}

TEST(OSBattery, MinutesAbove240BecomeZero)
{
    FakeTree tree;
    tree.batteries = {Pack(L"\\\\?\\bat1", 56000, 1000, 1000)};
    CBatteryDeviceSet set(tree);
    COSBatteryClass battery(set);
    ASSERT_EQ(battery.Refresh(0), 1);
    EXPECT_EQ(battery.MinutesToFull(), 0);
}

TEST(OSBattery, ShortStatusAnswerFailsTheRefresh)
{
    FakeTree tree;
    tree.batteries = {Pack(L"\\\\?\\bat1", 56000, 42000, 28000)};
    tree.batteries[0].statusBytes = 12;
    CBatteryDeviceSet set(tree);
    COSBatteryClass battery(set);
    EXPECT_EQ(battery.Refresh(0), 0);
    EXPECT_EQ(battery.Percent(), 0);
    EXPECT_EQ(battery.Found(), 0);
}

TEST(OSBattery, LongTextsAreAskedForAgainAndTooLongOnesLeftOut)
{
    FakeTree tree;
    tree.batteries = {Pack(L"\\\\?\\bat1", 56000, 42000, 28000)};
    tree.batteries[0].name = std::wstring(127, L'n'); // 256 bytes with its terminator
    tree.batteries[0].manufacturer = std::wstring(126, L'm'); // 254 bytes: fits
    CBatteryDeviceSet set(tree);
    COSBatteryClass battery(set);
    ASSERT_EQ(battery.Refresh(0), 1);
    EXPECT_EQ(battery.Name(), L"");
    EXPECT_EQ(battery.Manufacturer(), std::wstring(126, L'm'));
    ASSERT_GE(tree.textRequestBytes.size(), 2u);
    EXPECT_EQ(tree.textRequestBytes[0], 255u);
    EXPECT_EQ(tree.textRequestBytes[1], 256u); // the size the driver asked for
}

TEST(OSBattery, ZeroFullCapacityLeavesThePercentAlone)
{
    FakeTree tree;
    tree.batteries = {Pack(L"\\\\?\\bat1", 0, 42000, 28000)};
    CBatteryDeviceSet set(tree);
    COSBatteryClass battery(set);
    ASSERT_EQ(battery.Refresh(0), 1);
    EXPECT_EQ(battery.Percent(), 0);
    EXPECT_EQ(battery.FullChargedCapacity(), 0u);
    EXPECT_EQ(battery.Status(), 1);
}

} // namespace
