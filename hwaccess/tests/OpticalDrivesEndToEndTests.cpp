// The eject key's choice of drives, on the simulated notebook's device tree:
// the IDE and USB optical drives when there are any, else every optical drive.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OpticalDrives.h"
#include "PlatformSeams.h"
#include "SimulatedBiosTest.h"

namespace {

class OpticalDrivesEndToEnd : public SimulatedBiosTest {
protected:
    // Both drives present with a disc: E: on the bus given, F: on SCSI.
    void Drives(int firstBus)
    {
        Start(L"corvane-default", {L"set optical-present 1", L"set optical2-present 1",
                                   L"set optical-media 1", L"set optical2-media 1"});
        ASSERT_TRUE(notebook.Simctl(L"set optical-bus " + std::to_wstring(firstBus)));
    }
    int Value(const wchar_t* key) { return std::stoi(notebook.SimctlOutput(std::wstring(L"get ") + key)); }
};

} // namespace

TEST_F(OpticalDrivesEndToEnd, OnlyTheIdeDriveBesideAScsiOneIsEjected)
{
    Drives(0);
    IDeviceTree& tree = seams::DeviceTree();
    EXPECT_EQ(optical_drives::OpticalLetters(tree), (std::vector<wchar_t>{L'E', L'F'}));
    const auto attached = optical_drives::AttachedOpticalVolumes(tree);
    ASSERT_EQ(attached.size(), 1u);
    EXPECT_EQ(attached[0], optical_drives::VolumeOfDrive(tree, L'E'));
    EXPECT_NE(attached[0], optical_drives::VolumeOfDrive(tree, L'F'));
    EXPECT_EQ(optical_drives::EjectOpticalDrives(tree), (std::vector<wchar_t>{L'E'}));
    EXPECT_EQ(Value(L"optical-ejects"), 1);
    EXPECT_EQ(Value(L"optical-media"), 0);
    EXPECT_EQ(Value(L"optical2-ejects"), 0);
    EXPECT_EQ(Value(L"optical2-media"), 1);
}

TEST_F(OpticalDrivesEndToEnd, UsbStorageCountsAsAttachedToo)
{
    Drives(1);
    EXPECT_EQ(optical_drives::EjectOpticalDrives(seams::DeviceTree()), (std::vector<wchar_t>{L'E'}));
    EXPECT_EQ(Value(L"optical-ejects"), 1);
    EXPECT_EQ(Value(L"optical2-ejects"), 0);
}

TEST_F(OpticalDrivesEndToEnd, WithoutIdeOrUsbDrivesEveryOpticalDriveIsEjected)
{
    Drives(2);
    IDeviceTree& tree = seams::DeviceTree();
    EXPECT_TRUE(optical_drives::AttachedOpticalVolumes(tree).empty());
    EXPECT_EQ(optical_drives::EjectOpticalDrives(tree), (std::vector<wchar_t>{L'E', L'F'}));
    EXPECT_EQ(Value(L"optical-ejects"), 1);
    EXPECT_EQ(Value(L"optical2-ejects"), 1);
}

TEST_F(OpticalDrivesEndToEnd, NoOpticalDriveEjectsNothing)
{
    Start(L"corvane-default", {L"set optical-present 0", L"set optical2-present 0"});
    EXPECT_TRUE(optical_drives::OpticalLetters(seams::DeviceTree()).empty());
    EXPECT_TRUE(optical_drives::EjectOpticalDrives(seams::DeviceTree()).empty());
    EXPECT_EQ(Value(L"optical-ejects"), 0);
}
