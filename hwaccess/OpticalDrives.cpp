#include "OpticalDrives.h"

#include <winioctl.h>

#include <algorithm>
#include <cstddef>
#include <cwchar>
#include <iterator>

namespace optical_drives {

namespace {

// GUID_DEVINTERFACE_CDROM.
constexpr GUID kCdromInterface
    = {0x53F56308, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}};
// Longest device path and enumerator name taken from the tree.
constexpr DWORD kMaxDetailBytes = 64 * 1024;
constexpr DWORD kMaxVolumeName = 64;

std::wstring InterfacePath(IDeviceTree& tree, HDEVINFO set, SP_DEVICE_INTERFACE_DATA& deviceInterface,
                           SP_DEVINFO_DATA& device)
{
    DWORD required = 0;
    tree.GetDeviceInterfaceDetail(set, &deviceInterface, nullptr, 0, &required, nullptr);
    constexpr DWORD kPathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath);
    if (required <= kPathOffset || required > kMaxDetailBytes) return {};
    // Aligned storage for the detail record, which SetupAPI fills in place.
    std::vector<uint64_t> storage((required + sizeof(uint64_t) - 1) / sizeof(uint64_t));
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!tree.GetDeviceInterfaceDetail(set, &deviceInterface, detail, required, nullptr, &device)) return {};
    const size_t capacity = (required - kPathOffset) / sizeof(wchar_t);
    return std::wstring(detail->DevicePath, wcsnlen(detail->DevicePath, capacity));
}

std::wstring EnumeratorName(IDeviceTree& tree, HDEVINFO set, SP_DEVINFO_DATA& device)
{
    wchar_t name[64] = {};
    DWORD type = 0;
    if (!tree.GetDeviceRegistryProperty(set, &device, SPDRP_ENUMERATOR_NAME, &type,
                                        reinterpret_cast<BYTE*>(name), sizeof(name) - sizeof(wchar_t),
                                        nullptr))
        return {};
    return std::wstring(name, wcsnlen(name, std::size(name)));
}

bool AttachedThroughIdeOrUsb(const std::wstring& enumerator)
{
    return _wcsicmp(enumerator.c_str(), L"IDE") == 0 || _wcsicmp(enumerator.c_str(), L"USBSTOR") == 0;
}

std::wstring VolumeAt(IDeviceTree& tree, const std::wstring& mountPoint)
{
    wchar_t volume[kMaxVolumeName] = {};
    if (!tree.GetVolumeNameForVolumeMountPoint(mountPoint.c_str(), volume, kMaxVolumeName)) return {};
    return std::wstring(volume, wcsnlen(volume, kMaxVolumeName));
}

} // namespace

std::vector<wchar_t> OpticalLetters(IDeviceTree& tree)
{
    wchar_t drives[512] = {};
    const DWORD length = tree.GetLogicalDriveStrings(static_cast<DWORD>(std::size(drives) - 1), drives);
    std::vector<wchar_t> letters;
    if (length == 0 || length >= std::size(drives)) return letters;
    // A bounded walk over the NUL-separated roots: it stops at the length
    // reported, whatever the buffer holds beyond it.
    for (size_t at = 0; at < length;) {
        const size_t rootLength = wcsnlen(drives + at, length - at);
        if (rootLength == 0) break;
        const std::wstring root(drives + at, rootLength);
        if (tree.GetDriveType(root.c_str()) == DRIVE_CDROM) letters.push_back(root[0]);
        at += rootLength + 1;
    }
    return letters;
}

bool EjectDrive(IDeviceTree& tree, wchar_t letter)
{
    const std::wstring device = std::wstring(L"\\\\.\\") + letter + L":";
    const UniqueDevice opened(
        tree, tree.OpenDevice(device.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE));
    if (!opened) return false;
    DWORD returned = 0;
    return tree.DeviceIoControl(opened.get(), IOCTL_STORAGE_EJECT_MEDIA, nullptr, 0, nullptr, 0, &returned);
}

std::vector<std::wstring> AttachedOpticalVolumes(IDeviceTree& tree)
{
    std::vector<std::wstring> volumes;
    const UniqueDeviceInfoSet set(
        tree, tree.GetClassDevs(&kCdromInterface, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!set) return volumes;
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA deviceInterface{sizeof(SP_DEVICE_INTERFACE_DATA)};
        if (!tree.EnumDeviceInterfaces(set.get(), nullptr, kCdromInterface, index, &deviceInterface)) break;
        SP_DEVINFO_DATA device{sizeof(SP_DEVINFO_DATA)};
        const std::wstring path = InterfacePath(tree, set.get(), deviceInterface, device);
        if (path.empty() || !AttachedThroughIdeOrUsb(EnumeratorName(tree, set.get(), device))) continue;
        const std::wstring volume = VolumeAt(tree, path + L"\\");
        if (!volume.empty()) volumes.push_back(volume);
    }
    return volumes;
}

std::wstring VolumeOfDrive(IDeviceTree& tree, wchar_t letter)
{
    return VolumeAt(tree, std::wstring{letter, L':', L'\\'});
}

std::vector<wchar_t> EjectOpticalDrives(IDeviceTree& tree)
{
    const std::vector<std::wstring> attached = AttachedOpticalVolumes(tree);
    std::vector<wchar_t> asked;
    for (wchar_t letter : OpticalLetters(tree)) {
        if (!attached.empty()) {
            const std::wstring volume = VolumeOfDrive(tree, letter);
            const bool listed = !volume.empty()
                                && std::any_of(attached.begin(), attached.end(), [&](const std::wstring& v) {
                                       return _wcsicmp(v.c_str(), volume.c_str()) == 0;
                                   });
            if (!listed) continue;
        }
        asked.push_back(letter);
        EjectDrive(tree, letter);
    }
    return asked;
}

} // namespace optical_drives
