#include "DeviceNodes.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <iterator>

#include "BatteryModel.h"
#include "Utf8.h"

namespace sim {

const GUID kBatteryInterfaceClass
    = {0x72631E54, 0x78A4, 0x11D0, {0xBC, 0xF7, 0x00, 0xAA, 0x00, 0xB7, 0xB3, 0x2A}};
const GUID kSystemSetupClass = {0x4D36E97D, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
const GUID kCdromInterfaceClass
    = {0x53F56308, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}};
const GUID kCdromSetupClass = {0x4D36E965, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

namespace {

constexpr wchar_t kBatteryInterfaceText[] = L"{72631e54-78a4-11d0-bcf7-00aa00b7b32a}";

DeviceNode SystemNode(uint32_t number, uint32_t parent, DeviceKind kind, const wchar_t* id,
                      const wchar_t* description, const wchar_t* enumerator)
{
    DeviceNode node;
    node.number = number;
    node.parent = parent;
    node.kind = kind;
    node.setupClass = kSystemSetupClass;
    node.className = L"System";
    node.instanceId = id;
    node.description = description;
    node.manufacturer = L"(Standard system devices)";
    // The hardware id is the instance id without its last part.
    node.hardwareId = id;
    const size_t last = node.hardwareId.rfind(L'\\');
    if (last != std::wstring::npos) node.hardwareId.resize(last);
    node.enumerator = enumerator;
    return node;
}

// Control-method batteries: the primary and the secondary pack. The dock's
// pack is reached through the firmware only and has no node.
DeviceNode BatteryNode(const SimBattery& battery, int slot)
{
    const std::wstring unit = std::to_wstring(slot + 1);
    DeviceNode node;
    node.number = kFirstBatteryNode + static_cast<uint32_t>(slot);
    node.parent = kAcpiNode;
    node.kind = DeviceKind::Battery;
    node.setupClass = kBatteryInterfaceClass;
    node.className = L"Battery";
    node.interfaceClass = kBatteryInterfaceClass;
    node.instanceId = L"ACPI\\PNP0C0A\\" + unit;
    node.description = L"Corvane ACPI-Compliant Control Method Battery";
    node.manufacturer = std::wstring(battery.manufacturer, wcsnlen(battery.manufacturer, kBatteryTextLength));
    node.hardwareId = L"ACPI\\PNP0C0A";
    node.enumerator = L"ACPI";
    node.interfacePath = L"\\\\?\\acpi#pnp0c0a#" + unit + L"#" + kBatteryInterfaceText;
    node.batterySlot = slot;
    return node;
}

// An optical drive with its drive letter and volume, named after the bus
// it is attached to: its enumerator is what tells the buses apart.
DeviceNode OpticalNode(const SimOptical& optical, uint32_t number)
{
    struct Bus {
        const wchar_t* enumerator;
        const wchar_t* lower;
    };
    static constexpr Bus kBuses[] = {{L"IDE", L"ide"}, {L"USBSTOR", L"usbstor"}, {L"SCSI", L"scsi"}};
    const size_t busIndex
        = static_cast<size_t>(optical.bus) < std::size(kBuses) ? static_cast<size_t>(optical.bus) : 0;
    const Bus& bus = kBuses[busIndex];
    const bool first = number == kOpticalNode;
    const std::wstring model = first ? L"CDROMCORVANE_DVD-RW_DS8" : L"CDROMQUILLET_BD-RE_QB2";
    const std::wstring unit = first ? L"5&1" : L"5&2";
    std::wstring lowerModel = model;
    for (wchar_t& c : lowerModel) c = static_cast<wchar_t>(::towlower(c));
    DeviceNode node;
    node.number = number;
    node.parent = kAcpiNode;
    node.kind = DeviceKind::Optical;
    node.setupClass = kCdromSetupClass;
    node.className = L"CDROM";
    node.interfaceClass = kCdromInterfaceClass;
    node.instanceId = std::wstring(bus.enumerator) + L"\\" + model + L"\\" + unit;
    node.description = first ? L"Corvane DVD-RW DS8" : L"Quillet BD-RE QB2";
    node.manufacturer = L"(Standard CD-ROM drives)";
    node.hardwareId = std::wstring(bus.enumerator) + L"\\" + model;
    node.enumerator = bus.enumerator;
    node.interfacePath = std::wstring(L"\\\\?\\") + bus.lower + L"#" + lowerModel + L"#" + unit
                         + L"#{53f56308-b6bf-11d0-94f2-00a0c91efb8b}";
    node.driveLetter = static_cast<wchar_t>(optical.letter);
    node.dosDevice = first ? L"\\Device\\CdRom0" : L"\\Device\\CdRom1";
    node.volumeName = first ? L"\\\\?\\Volume{5c1a7e40-3b2d-11ee-9a41-806e6f6e6963}\\"
                            : L"\\\\?\\Volume{5c1a7e41-3b2d-11ee-9a41-806e6f6e6963}\\";
    return node;
}

} // namespace

std::vector<DeviceNode> DeviceNodes(const SimMachine& machine)
{
    std::vector<DeviceNode> nodes;
    nodes.push_back(SystemNode(kRootNode, 0, DeviceKind::Root, L"HTREE\\ROOT\\0", L"Corvane Strata", L""));
    nodes.push_back(
        SystemNode(kAcpiNode, kRootNode, DeviceKind::Bus, L"ACPI_HAL\\PNP0C08\\0", L"ACPI Bus", L"ACPI_HAL"));
    DeviceNode adapter = SystemNode(kAcAdapterNode, kAcpiNode, DeviceKind::AcAdapter, L"ACPI\\ACPI0003\\1",
                                    L"Corvane AC Adapter", L"ACPI");
    adapter.setupClass = kBatteryInterfaceClass;
    adapter.className = L"Battery";
    nodes.push_back(adapter);
    for (int slot : {kPrimarySlot, kSecondarySlot}) {
        const SimBattery& battery = machine.batteries.slots[slot];
        if (machine.batteries.modelled && battery.present) nodes.push_back(BatteryNode(battery, slot));
    }
    if (machine.optical.present) nodes.push_back(OpticalNode(machine.optical, kOpticalNode));
    if (machine.secondOptical.present)
        nodes.push_back(OpticalNode(machine.secondOptical, kSecondOpticalNode));
    for (DeviceNode& node : nodes) {
        node.enabled = node.number >= 32 || (machine.deviceTree.disabledNodes & (1u << node.number)) == 0;
    }
    return nodes;
}

const DeviceNode* FindNode(const std::vector<DeviceNode>& nodes, uint32_t number)
{
    auto found
        = std::find_if(nodes.begin(), nodes.end(), [&](const DeviceNode& n) { return n.number == number; });
    return found == nodes.end() ? nullptr : &*found;
}

std::string DeviceTreeText(const std::vector<DeviceNode>& nodes)
{
    std::string text;
    for (const DeviceNode& node : nodes) {
        int depth = 0;
        for (const DeviceNode* up = FindNode(nodes, node.parent); up && depth < 16;
             up = FindNode(nodes, up->parent))
            ++depth;
        text += std::string(2 * static_cast<size_t>(depth), ' ') + "#" + std::to_string(node.number) + " "
                + Utf8(node.instanceId) + " class=" + Utf8(node.className) + " \"" + Utf8(node.description)
                + "\"";
        if (!node.interfacePath.empty()) text += " interface=" + Utf8(node.interfacePath);
        if (node.driveLetter) text += std::string(" drive=") + static_cast<char>(node.driveLetter) + ":";
        if (!node.enabled) text += " disabled";
        text += "\n";
    }
    return text;
}

} // namespace sim
