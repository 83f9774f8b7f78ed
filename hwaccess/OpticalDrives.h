#pragma once
#include "DeviceTree.h"

#include <string>
#include <vector>

// The optical drives as the eject key and the launch button reach them,
// always through a device tree.
namespace optical_drives {

// The letters of the drives Windows reports as optical, in drive order.
std::vector<wchar_t> OpticalLetters(IDeviceTree& tree);
// Opens \\.\X: and asks for the medium to be ejected; true when the drive
// said it was done.
bool EjectDrive(IDeviceTree& tree, wchar_t letter);
// The volume names of the optical drives attached through IDE or USB
// storage, as their interfaces report them.
std::vector<std::wstring> AttachedOpticalVolumes(IDeviceTree& tree);
// The volume mounted at X:\, empty when there is none.
std::wstring VolumeOfDrive(IDeviceTree& tree, wchar_t letter);
// The eject key: every optical drive whose volume is one of the IDE or USB
// drives, or every optical drive when no such drive is found. Drives that
// cannot be opened or ejected are passed over. The letters asked to eject.
std::vector<wchar_t> EjectOpticalDrives(IDeviceTree& tree);

} // namespace optical_drives
