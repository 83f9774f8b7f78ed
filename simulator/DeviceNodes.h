#pragma once
#include <guiddef.h>

#include <cstdint>
#include <string>
#include <vector>

#include "SimMachine.h"

namespace sim {

// The simulated notebook's device tree, derived from the rest of the machine
// each time it is read: a node exists while the hardware behind it does.
// Node numbers are fixed per place in the tree, so a node keeps its number
// while it comes and goes. A new kind of hardware adds its nodes in
// DeviceNodes() and, where it answers I/O controls, its kind; the tree's
// mechanisms stay as they are.
enum class DeviceKind : uint8_t { Root, Bus, AcAdapter, Battery, Optical, Volume, WirelessAdapter };

struct DeviceNode {
    uint32_t number = 0; // the configuration manager's DEVINST
    uint32_t parent = 0; // 0 for the root
    DeviceKind kind = DeviceKind::Root;
    GUID setupClass{};
    std::wstring className; // of the setup class ("Battery", "System", ...)
    GUID interfaceClass{}; // GUID_NULL: the node offers no interface
    std::wstring instanceId;
    std::wstring description;
    std::wstring manufacturer;
    std::wstring hardwareId;
    std::wstring enumerator;
    std::wstring interfacePath; // the device path of its interface
    wchar_t driveLetter = 0; // volumes and optical drives with a letter
    std::wstring dosDevice; // what QueryDosDevice says of the letter
    std::wstring volumeName; // \\?\Volume{...}\ of the letter
    int batterySlot = -1;
    bool enabled = true; // false after a state change switched it off
};

inline constexpr uint32_t kRootNode = 1;
inline constexpr uint32_t kAcpiNode = 2;
inline constexpr uint32_t kAcAdapterNode = 3;
inline constexpr uint32_t kFirstBatteryNode = 4; // one per slot
inline constexpr uint32_t kOpticalNode = 8;
inline constexpr uint32_t kSecondOpticalNode = 9;

// Parents before their children, siblings in the order they are enumerated.
std::vector<DeviceNode> DeviceNodes(const SimMachine& machine);
const DeviceNode* FindNode(const std::vector<DeviceNode>& nodes, uint32_t number);

// The tree as simctl devices prints it, one node per line, indented by depth.
std::string DeviceTreeText(const std::vector<DeviceNode>& nodes);

extern const GUID kBatteryInterfaceClass; // GUID_DEVICE_BATTERY, also the Battery setup class
extern const GUID kSystemSetupClass;
extern const GUID kCdromInterfaceClass; // GUID_DEVINTERFACE_CDROM
extern const GUID kCdromSetupClass;

} // namespace sim
