#include "DeviceTree.h"

#include <utility>

UniqueDeviceInfoSet::UniqueDeviceInfoSet(UniqueDeviceInfoSet&& other) noexcept
    : m_tree(other.m_tree), m_set(std::exchange(other.m_set, INVALID_HANDLE_VALUE))
{}

UniqueDeviceInfoSet& UniqueDeviceInfoSet::operator=(UniqueDeviceInfoSet&& other) noexcept
{
    if (this != &other) {
        reset();
        m_tree = other.m_tree;
        m_set = std::exchange(other.m_set, INVALID_HANDLE_VALUE);
    }
    return *this;
}

void UniqueDeviceInfoSet::reset()
{
    const HDEVINFO set = std::exchange(m_set, INVALID_HANDLE_VALUE);
    if (m_tree && set != INVALID_HANDLE_VALUE && set != nullptr) m_tree->DestroyDeviceInfoList(set);
}

UniqueDevice::UniqueDevice(UniqueDevice&& other) noexcept
    : m_tree(other.m_tree), m_device(std::exchange(other.m_device, INVALID_HANDLE_VALUE))
{}

UniqueDevice& UniqueDevice::operator=(UniqueDevice&& other) noexcept
{
    if (this != &other) {
        reset();
        m_tree = other.m_tree;
        m_device = std::exchange(other.m_device, INVALID_HANDLE_VALUE);
    }
    return *this;
}

void UniqueDevice::reset()
{
    const HANDLE device = std::exchange(m_device, INVALID_HANDLE_VALUE);
    if (m_tree && device != INVALID_HANDLE_VALUE && device != nullptr) m_tree->CloseDevice(device);
}
