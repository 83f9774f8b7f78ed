#include "BatteryDeviceSet.h"

#include <vector>

namespace {

// The battery device interface class (GUID_DEVICE_BATTERY).
constexpr GUID kBatteryInterface
    = {0x72631E54, 0x78A4, 0x11D0, {0xBC, 0xF7, 0x00, 0xAA, 0x00, 0xB7, 0xB3, 0x2A}};

} // namespace

std::wstring CBatteryDeviceSet::InterfacePath(int index)
{
    if (index < 0) return {};
    if (!m_set) {
        m_set = UniqueDeviceInfoSet(
            m_tree, m_tree.GetClassDevs(&kBatteryInterface, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
        if (!m_set) return {};
    }
    SP_DEVICE_INTERFACE_DATA deviceInterface{sizeof(SP_DEVICE_INTERFACE_DATA)};
    if (!m_tree.EnumDeviceInterfaces(m_set.get(), nullptr, kBatteryInterface, static_cast<DWORD>(index),
                                     &deviceInterface)) {
        return {};
    }
    DWORD required = 0;
    m_tree.GetDeviceInterfaceDetail(m_set.get(), &deviceInterface, nullptr, 0, &required, nullptr);
    constexpr DWORD kPathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath);
    if (required <= kPathOffset || required > 64 * 1024) return {};
    // Aligned storage for the detail record, which SetupAPI fills in place.
    std::vector<uint64_t> storage((required + sizeof(uint64_t) - 1) / sizeof(uint64_t));
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!m_tree.GetDeviceInterfaceDetail(m_set.get(), &deviceInterface, detail, required, nullptr, nullptr)) {
        return {};
    }
    const size_t capacity = (required - kPathOffset) / sizeof(wchar_t);
    size_t length = 0;
    while (length < capacity && detail->DevicePath[length] != L'\0') ++length;
    return std::wstring(detail->DevicePath, length);
}
