#pragma once
#include <string>

#include "DeviceTree.h"

// The present battery device interfaces, as one device-information set that
// the batteries of a page share. It is taken on first use and taken again
// when asked to, so that a battery put in later is found.
class CBatteryDeviceSet {
public:
    explicit CBatteryDeviceSet(IDeviceTree& tree) : m_tree(tree) {}
    CBatteryDeviceSet(const CBatteryDeviceSet&) = delete;
    CBatteryDeviceSet& operator=(const CBatteryDeviceSet&) = delete;

    IDeviceTree& Tree() const { return m_tree; }
    // The device path of the interface at this position; empty when there is none.
    std::wstring InterfacePath(int index);
    // Drops the set; the next use takes a fresh one.
    void Renew() { m_set.reset(); }

private:
    IDeviceTree& m_tree;
    UniqueDeviceInfoSet m_set;
};
