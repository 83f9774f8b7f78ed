#include <gtest/gtest.h>

#include <windows.h>

#include <winioctl.h>

#include <poclass.h>

#include <memory>
#include <vector>

#include "AcpiWmi.h"
#include "BatteryClass.h"
#include "BatteryOrderBase.h"
#include "OSBatteryClass.h"
#include "PlatformSeams.h"
#include "Settings.h"
#include "SimulatedNotebook.h"
#include "TotalCharge.h"

namespace {

class BatteryOnSimulatedNotebook : public ::testing::Test {
protected:
    // The machine is named before the first seam is used: that use decides
    // for the process whether it runs on the simulated notebook.
    void SetUp() override
    {
        ASSERT_TRUE(notebook.Load(L"corvane-default"));
        set = std::make_unique<CBatteryDeviceSet>(seams::DeviceTree());
    }
    void TearDown() override
    {
        set.reset();
        notebook.Load(L"corvane-default");
    }

    SimulatedNotebook notebook;
    std::unique_ptr<CBatteryDeviceSet> set;
};

TEST_F(BatteryOnSimulatedNotebook, InsertedSecondaryIsEnumeratedBesideThePrimary)
{
    ASSERT_TRUE(
        notebook.Simctl(L"battery-insert secondary --design 40000 --full 38000 --remaining 19000 "
                        L"--chemistry LiP --name \"Corvane Slice 9-cell\" --manufacturer \"Halvorn Cells\" "
                        L"--unique-id HC-77 --charge-rate 19000"));
    COSBatteryClass primary(*set);
    COSBatteryClass secondary(*set);
    ASSERT_EQ(primary.Refresh(0), 1);
    ASSERT_EQ(secondary.Refresh(1), 1);
    COSBatteryClass none(*set);
    EXPECT_EQ(none.Refresh(2), 0);

    // The default notebook's pack from its profile, charging on AC.
    EXPECT_EQ(primary.Name(), L"Corvane Strata 6-cell");
    EXPECT_EQ(primary.Manufacturer(), L"Quillet Energy");
    EXPECT_EQ(primary.Identifier(), L"QE-24117-Corvane-6C");
    EXPECT_EQ(primary.Chemistry(), L"LION");
    EXPECT_EQ(primary.FullChargedCapacity(), 56000u);
    EXPECT_EQ(primary.Percent(), 87);
    EXPECT_EQ(primary.Status(), 1);
    EXPECT_EQ(primary.Rate(), 20000);
    EXPECT_TRUE(primary.PowerState() & BATTERY_POWER_ON_LINE);

    EXPECT_EQ(secondary.Name(), L"Corvane Slice 9-cell");
    EXPECT_EQ(secondary.Manufacturer(), L"Halvorn Cells");
    EXPECT_EQ(secondary.Identifier(), L"HC-77");
    EXPECT_EQ(secondary.Chemistry(), L"LiP");
    EXPECT_EQ(secondary.FullChargedCapacity(), 38000u);
    EXPECT_EQ(secondary.Percent(), 50);
    EXPECT_EQ(secondary.Status(), 1);
    // 19 Wh missing at 19 W: an hour, give or take the charge taken since.
    EXPECT_GE(secondary.MinutesToFull(), 58);
    EXPECT_LE(secondary.MinutesToFull(), 60);

    // Both packs together: (48.5 + 19) of (56 + 38) Wh.
    EXPECT_EQ(TotalCharge(), 72);
}

TEST_F(BatteryOnSimulatedNotebook, ChargingOverTimeFillsTheBattery)
{
    ASSERT_TRUE(notebook.Simctl(L"battery-time-scale 600"));
    COSBatteryClass primary(*set);
    ASSERT_EQ(primary.Refresh(0), 1);
    const double missing = primary.MissingCapacity();
    ASSERT_GT(missing, 0);
    // At 20 W and 600 s per second the 7.5 Wh missing go in about 2.3 s.
    bool moved = false;
    for (int i = 0; i < 200 && !moved; ++i) {
        ::Sleep(50);
        ASSERT_EQ(primary.Refresh(0), 1);
        moved = primary.MissingCapacity() < missing - 100;
    }
    EXPECT_TRUE(moved);
    bool full = false;
    for (int i = 0; i < 400 && !full; ++i) {
        ::Sleep(50);
        ASSERT_EQ(primary.Refresh(0), 1);
        full = primary.Status() == 0;
    }
    ASSERT_TRUE(full) << "the pack never stopped charging";
    EXPECT_EQ(primary.Percent(), 100);
    EXPECT_DOUBLE_EQ(primary.MissingCapacity(), 0);
    EXPECT_EQ(primary.Rate(), 0);
    EXPECT_EQ(TotalCharge(), 100);

    // Unplugged, the pack carries the machine and runs down.
    ASSERT_TRUE(notebook.Simctl(L"ac off"));
    ASSERT_EQ(primary.Refresh(0), 1);
    EXPECT_EQ(primary.Status(), 2);
    EXPECT_EQ(primary.MinutesToFull(), -1);
    EXPECT_FALSE(primary.PowerState() & BATTERY_POWER_ON_LINE);
    bool drained = false;
    for (int i = 0; i < 200 && !drained; ++i) {
        ::Sleep(50);
        ASSERT_EQ(primary.Refresh(0), 1);
        drained = primary.Percent() < 100;
    }
    EXPECT_TRUE(drained);
}

TEST_F(BatteryOnSimulatedNotebook, RemovedBatteryIsGoneAndTheOtherMovesUp)
{
    ASSERT_TRUE(notebook.Simctl(L"battery-insert secondary --remaining 30%"));
    COSBatteryClass first(*set);
    COSBatteryClass second(*set);
    ASSERT_EQ(first.Refresh(0), 1);
    ASSERT_EQ(second.Refresh(1), 1);
    ASSERT_TRUE(notebook.Simctl(L"battery-remove primary"));
    EXPECT_EQ(first.Refresh(0), 1);
    EXPECT_EQ(first.Percent(), 30);
    EXPECT_EQ(second.Refresh(1), 0);
    EXPECT_EQ(second.Found(), 0);
}

TEST_F(BatteryOnSimulatedNotebook, FirmwareHealthAndDockBattery)
{
    ASSERT_TRUE(notebook.Simctl(L"battery-insert secondary"));
    ASSERT_TRUE(notebook.Simctl(L"battery-fail primary 3"));
    ASSERT_TRUE(notebook.Simctl(L"battery-insert dock --remaining 25% --charge-rate 28000"));
    CAcpiWmi bios;
    CSettings settings;
    CBatteryOrderBase record(bios, settings);
    EXPECT_EQ(record.PrimaryHealth(), 0);
    EXPECT_EQ(record.PrimaryPermanentFailure(), 1);
    EXPECT_EQ(record.SecondaryHealth(), 3);
    EXPECT_EQ(record.SelectedBattery(), 1);

    CBatteryClass dock(bios);
    dock.Update(CBatteryClass::kDock);
    EXPECT_EQ(dock.Present(), 1);
    EXPECT_EQ(dock.Percent(), 25);
    EXPECT_EQ(dock.Status(), 1);
    // 42 Wh missing at 28 W, less what went in since the insertion.
    EXPECT_GE(dock.MinutesToFull(), 88);
    EXPECT_LE(dock.MinutesToFull(), 90);
    // The dock's pack is the firmware's only: Windows lists two batteries.
    COSBatteryClass third(*set);
    EXPECT_EQ(third.Refresh(2), 0);

    ASSERT_TRUE(notebook.Simctl(L"battery-remove dock"));
    dock.Update(CBatteryClass::kDock);
    EXPECT_EQ(dock.Present(), 0);
}

TEST_F(BatteryOnSimulatedNotebook, DeviceTreeNodesHaveParentsAndProperties)
{
    IDeviceTree& tree = seams::DeviceTree();
    // The Battery setup class: the AC adapter and the packs.
    constexpr GUID kBatteryClass
        = {0x72631E54, 0x78A4, 0x11D0, {0xBC, 0xF7, 0x00, 0xAA, 0x00, 0xB7, 0xB3, 0x2A}};
    UniqueDeviceInfoSet batteries(tree, tree.GetClassDevs(&kBatteryClass, nullptr, DIGCF_PRESENT));
    ASSERT_TRUE(batteries);
    std::vector<std::wstring> descriptions;
    SP_DEVINFO_DATA device{sizeof(SP_DEVINFO_DATA)};
    DEVINST batteryNode = 0;
    for (DWORD i = 0; tree.EnumDeviceInfo(batteries.get(), i, &device); ++i) {
        wchar_t text[128] = {};
        DWORD type = 0, required = 0;
        ASSERT_TRUE(tree.GetDeviceRegistryProperty(batteries.get(), &device, SPDRP_DEVICEDESC, &type,
                                                   reinterpret_cast<BYTE*>(text), sizeof text, &required));
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(required, (wcslen(text) + 1) * sizeof(wchar_t));
        descriptions.push_back(text);
        wchar_t id[64] = {};
        ASSERT_EQ(tree.GetDeviceId(device.DevInst, id, 64, 0), static_cast<CONFIGRET>(CR_SUCCESS));
        if (std::wstring(id) == L"ACPI\\PNP0C0A\\1") batteryNode = device.DevInst;
    }
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_ITEMS));
    ASSERT_EQ(descriptions.size(), 2u); // the AC adapter and the primary pack
    ASSERT_NE(batteryNode, 0u);

    // Too small a buffer is told the size it needs.
    wchar_t tiny[2] = {};
    DWORD required = 0;
    SP_DEVINFO_DATA first{sizeof(SP_DEVINFO_DATA)};
    ASSERT_TRUE(tree.EnumDeviceInfo(batteries.get(), 0, &first));
    EXPECT_FALSE(tree.GetDeviceRegistryProperty(batteries.get(), &first, SPDRP_DEVICEDESC, nullptr,
                                                reinterpret_cast<BYTE*>(tiny), sizeof tiny, &required));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_GT(required, sizeof tiny);

    DEVINST bus = 0, root = 0, child = 0, sibling = 0;
    ASSERT_EQ(tree.GetParent(&bus, batteryNode, 0), static_cast<CONFIGRET>(CR_SUCCESS));
    ASSERT_EQ(tree.GetParent(&root, bus, 0), static_cast<CONFIGRET>(CR_SUCCESS));
    DEVINST located = 0;
    ASSERT_EQ(tree.LocateDevNode(&located, nullptr, 0), static_cast<CONFIGRET>(CR_SUCCESS));
    EXPECT_EQ(located, root);
    EXPECT_EQ(tree.GetParent(&located, root, 0), static_cast<CONFIGRET>(CR_NO_SUCH_DEVNODE));
    ASSERT_EQ(tree.GetChild(&child, bus, 0), static_cast<CONFIGRET>(CR_SUCCESS));
    ASSERT_EQ(tree.GetSibling(&sibling, child, 0), static_cast<CONFIGRET>(CR_SUCCESS));
    EXPECT_EQ(sibling, batteryNode);
    ASSERT_EQ(tree.ReenumerateDevNode(root, 0), static_cast<CONFIGRET>(CR_SUCCESS));
    EXPECT_NE(notebook.SimctlOutput(L"devices").find("ACPI\\PNP0C0A\\1 class=Battery"), std::string::npos);

    // A battery switched off by a state change has no interface to open.
    SP_DEVINFO_DATA pack{sizeof(SP_DEVINFO_DATA)};
    pack.DevInst = batteryNode;
    ASSERT_TRUE(tree.ChangeDeviceState(batteries.get(), &pack, DICS_DISABLE, DICS_FLAG_CONFIGSPECIFIC, 0));
    set->Renew();
    COSBatteryClass primary(*set);
    EXPECT_EQ(primary.Refresh(0), 0);
    EXPECT_NE(notebook.SimctlOutput(L"devices").find("disabled"), std::string::npos);
    ASSERT_TRUE(tree.ChangeDeviceState(batteries.get(), &pack, DICS_ENABLE, DICS_FLAG_GLOBAL, 0));
    EXPECT_EQ(primary.Refresh(0), 1);
}

} // namespace
