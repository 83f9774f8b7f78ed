#include "SimDeviceTree.h"

#include <objbase.h>
#include <winioctl.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>

#include "BatteryIoctls.h"
#include "BatteryModel.h"

namespace sim {
namespace {

bool SameText(const std::wstring& a, const wchar_t* b)
{
    return b && _wcsicmp(a.c_str(), b) == 0;
}

std::wstring GuidText(const GUID& guid)
{
    wchar_t text[40] = {};
    ::StringFromGUID2(guid, text, 40);
    return text;
}

// Copies a property value the way SetupAPI does: the size needed is always
// told, the data only when it fits.
bool CopyProperty(const void* data, DWORD bytes, DWORD type, DWORD* valueType, BYTE* buffer,
                  DWORD bufferBytes, DWORD* requiredBytes)
{
    if (valueType) *valueType = type;
    if (requiredBytes) *requiredBytes = bytes;
    if (!buffer || bufferBytes < bytes) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return false;
    }
    std::memcpy(buffer, data, bytes);
    return true;
}

bool CopyText(const std::wstring& text, bool multi, DWORD* valueType, BYTE* buffer, DWORD bufferBytes,
              DWORD* requiredBytes)
{
    std::wstring value = text;
    value.push_back(L'\0');
    if (multi) value.push_back(L'\0');
    return CopyProperty(value.data(), static_cast<DWORD>(value.size() * sizeof(wchar_t)),
                        multi ? REG_MULTI_SZ : REG_SZ, valueType, buffer, bufferBytes, requiredBytes);
}

// "X:" or "X:\" (any case) and the letter; 0 for anything else.
wchar_t DriveLetterOf(const wchar_t* path)
{
    if (!path || !iswalpha(path[0]) || path[1] != L':') return 0;
    if (path[2] != L'\0' && !(path[2] == L'\\' && path[3] == L'\0')) return 0;
    return static_cast<wchar_t>(towupper(path[0]));
}

} // namespace

std::vector<DeviceNode> CSimDeviceTree::Nodes()
{
    CMachineState::Lock machine(m_state);
    if (!machine.Held()) return {};
    AdvanceBatteries(*machine, NowMs());
    return DeviceNodes(*machine);
}

CSimDeviceTree::DeviceSet* CSimDeviceTree::FindSet(HDEVINFO set)
{
    auto found = m_sets.find(set);
    return found == m_sets.end() ? nullptr : found->second.get();
}

bool CSimDeviceTree::NodeOf(HDEVINFO set, const SP_DEVINFO_DATA* device, DeviceNode& node)
{
    if (!device || device->cbSize != sizeof(SP_DEVINFO_DATA)) {
        ::SetLastError(ERROR_INVALID_USER_BUFFER);
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(m_lock);
        const DeviceSet* s = FindSet(set);
        if (!s) {
            ::SetLastError(ERROR_INVALID_HANDLE);
            return false;
        }
        if (std::find(s->nodes.begin(), s->nodes.end(), device->DevInst) == s->nodes.end()) {
            ::SetLastError(ERROR_INVALID_PARAMETER);
            return false;
        }
    }
    const std::vector<DeviceNode> nodes = Nodes();
    const DeviceNode* found = FindNode(nodes, device->DevInst);
    if (!found) {
        ::SetLastError(ERROR_NO_SUCH_DEVINST);
        return false;
    }
    node = *found;
    return true;
}

HDEVINFO CSimDeviceTree::GetClassDevs(const GUID* classGuid, const wchar_t* enumerator, DWORD flags)
{
    const bool all = (flags & DIGCF_ALLCLASSES) != 0;
    if (!classGuid && !all) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const bool interfaces = (flags & DIGCF_DEVICEINTERFACE) != 0;
    auto set = std::make_unique<DeviceSet>();
    for (const DeviceNode& node : Nodes()) {
        if (interfaces) {
            // Only a working device's interface is there to be opened.
            if (node.interfaceClass == GUID{} || !node.enabled) continue;
            if (!all && node.interfaceClass != *classGuid) continue;
        } else if (!all && node.setupClass != *classGuid) {
            continue;
        }
        if (enumerator && *enumerator && !SameText(node.enumerator, enumerator)
            && !SameText(node.instanceId, enumerator)) {
            continue;
        }
        set->nodes.push_back(node.number);
    }
    std::lock_guard<std::mutex> lock(m_lock);
    const HDEVINFO handle = reinterpret_cast<HDEVINFO>(set.get());
    m_sets.emplace(handle, std::move(set));
    return handle;
}

bool CSimDeviceTree::ClassGuidsFromName(const wchar_t* className, GUID* guids, DWORD capacity,
                                        DWORD* required)
{
    if (!className) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    std::vector<GUID> found;
    for (const DeviceNode& node : Nodes()) {
        if (SameText(node.className, className)
            && std::find(found.begin(), found.end(), node.setupClass) == found.end()) {
            found.push_back(node.setupClass);
        }
    }
    if (required) *required = static_cast<DWORD>(found.size());
    if (found.size() > capacity || (!guids && !found.empty())) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return false;
    }
    std::copy(found.begin(), found.end(), guids);
    return true;
}

bool CSimDeviceTree::EnumDeviceInfo(HDEVINFO set, DWORD index, SP_DEVINFO_DATA* device)
{
    if (!device || device->cbSize != sizeof(SP_DEVINFO_DATA)) {
        ::SetLastError(ERROR_INVALID_USER_BUFFER);
        return false;
    }
    uint32_t number = 0;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        const DeviceSet* s = FindSet(set);
        if (!s) {
            ::SetLastError(ERROR_INVALID_HANDLE);
            return false;
        }
        if (index >= s->nodes.size()) {
            ::SetLastError(ERROR_NO_MORE_ITEMS);
            return false;
        }
        number = s->nodes[index];
    }
    const std::vector<DeviceNode> nodes = Nodes();
    const DeviceNode* node = FindNode(nodes, number);
    device->ClassGuid = node ? node->setupClass : GUID{};
    device->DevInst = number;
    device->Reserved = number;
    return true;
}

bool CSimDeviceTree::EnumDeviceInterfaces(HDEVINFO set, SP_DEVINFO_DATA* device, const GUID& interfaceClass,
                                          DWORD index, SP_DEVICE_INTERFACE_DATA* deviceInterface)
{
    if (!deviceInterface || deviceInterface->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA)) {
        ::SetLastError(ERROR_INVALID_USER_BUFFER);
        return false;
    }
    std::vector<uint32_t> members;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        const DeviceSet* s = FindSet(set);
        if (!s) {
            ::SetLastError(ERROR_INVALID_HANDLE);
            return false;
        }
        members = s->nodes;
    }
    const std::vector<DeviceNode> nodes = Nodes();
    DWORD position = 0;
    for (uint32_t number : members) {
        const DeviceNode* node = FindNode(nodes, number);
        if (!node || node->interfaceClass != interfaceClass) continue;
        if (device && device->DevInst != number) continue;
        if (position++ != index) continue;
        deviceInterface->InterfaceClassGuid = interfaceClass;
        deviceInterface->Flags = node->enabled ? SPINT_ACTIVE : 0;
        deviceInterface->Reserved = number;
        return true;
    }
    ::SetLastError(ERROR_NO_MORE_ITEMS);
    return false;
}

bool CSimDeviceTree::GetDeviceInterfaceDetail(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* deviceInterface,
                                              SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail, DWORD detailBytes,
                                              DWORD* requiredBytes, SP_DEVINFO_DATA* device)
{
    if (!deviceInterface || deviceInterface->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA)) {
        ::SetLastError(ERROR_INVALID_USER_BUFFER);
        return false;
    }
    SP_DEVINFO_DATA element{sizeof(SP_DEVINFO_DATA)};
    element.DevInst = static_cast<DWORD>(deviceInterface->Reserved);
    DeviceNode node;
    if (!NodeOf(set, &element, node)) return false;
    if (node.interfacePath.empty()) {
        ::SetLastError(ERROR_NO_SUCH_DEVICE_INTERFACE);
        return false;
    }
    const DWORD needed = static_cast<DWORD>(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath)
                                            + (node.interfacePath.size() + 1) * sizeof(wchar_t));
    if (requiredBytes) *requiredBytes = needed;
    if (detail && detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) {
        ::SetLastError(ERROR_INVALID_USER_BUFFER);
        return false;
    }
    if (!detail || detailBytes < needed) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return false;
    }
    std::memcpy(detail->DevicePath, node.interfacePath.c_str(),
                (node.interfacePath.size() + 1) * sizeof(wchar_t));
    if (device) {
        if (device->cbSize != sizeof(SP_DEVINFO_DATA)) {
            ::SetLastError(ERROR_INVALID_USER_BUFFER);
            return false;
        }
        device->ClassGuid = node.setupClass;
        device->DevInst = node.number;
        device->Reserved = node.number;
    }
    return true;
}

bool CSimDeviceTree::GetDeviceRegistryProperty(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD property,
                                               DWORD* valueType, BYTE* buffer, DWORD bufferBytes,
                                               DWORD* requiredBytes)
{
    DeviceNode node;
    if (!NodeOf(set, device, node)) return false;
    switch (property) {
    case SPDRP_DEVICEDESC:
    case SPDRP_FRIENDLYNAME:
        return CopyText(node.description, false, valueType, buffer, bufferBytes, requiredBytes);
    case SPDRP_HARDWAREID:
        return CopyText(node.hardwareId, true, valueType, buffer, bufferBytes, requiredBytes);
    case SPDRP_CLASS:
        return CopyText(node.className, false, valueType, buffer, bufferBytes, requiredBytes);
    case SPDRP_CLASSGUID:
        return CopyText(GuidText(node.setupClass), false, valueType, buffer, bufferBytes, requiredBytes);
    case SPDRP_MFG:
        return CopyText(node.manufacturer, false, valueType, buffer, bufferBytes, requiredBytes);
    case SPDRP_ENUMERATOR_NAME:
        if (node.enumerator.empty()) break;
        return CopyText(node.enumerator, false, valueType, buffer, bufferBytes, requiredBytes);
    default:
        break;
    }
    ::SetLastError(ERROR_INVALID_DATA);
    return false;
}

bool CSimDeviceTree::ChangeDeviceState(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD stateChange, DWORD, DWORD)
{
    DeviceNode node;
    if (!NodeOf(set, device, node)) return false;
    if ((stateChange != DICS_ENABLE && stateChange != DICS_DISABLE && stateChange != DICS_PROPCHANGE)
        || node.number >= 32) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    CMachineState::Lock machine(m_state);
    if (!machine.Held()) {
        ::SetLastError(ERROR_GEN_FAILURE);
        return false;
    }
    const uint32_t bit = 1u << node.number;
    if (stateChange == DICS_DISABLE) machine->deviceTree.disabledNodes |= bit;
    if (stateChange == DICS_ENABLE) machine->deviceTree.disabledNodes &= ~bit;
    return true;
}

bool CSimDeviceTree::DestroyDeviceInfoList(HDEVINFO set)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_sets.erase(set) == 0) {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    return true;
}

CONFIGRET CSimDeviceTree::LocateDevNode(DEVINST* node, const wchar_t* deviceId, ULONG)
{
    if (!node) return CR_INVALID_POINTER;
    *node = 0;
    for (const DeviceNode& n : Nodes()) {
        const bool root = (!deviceId || !*deviceId) && n.number == kRootNode;
        if (root || SameText(n.instanceId, deviceId)) {
            *node = n.number;
            return CR_SUCCESS;
        }
    }
    return CR_NO_SUCH_DEVNODE;
}

CONFIGRET CSimDeviceTree::ReenumerateDevNode(DEVINST node, ULONG)
{
    CMachineState::Lock machine(m_state);
    if (!machine.Held()) return CR_FAILURE;
    if (!FindNode(DeviceNodes(*machine), node)) return CR_NO_SUCH_DEVNODE;
    ++machine->deviceTree.reenumerations;
    return CR_SUCCESS;
}

template <typename Pick>
CONFIGRET CSimDeviceTree::Relative(DEVINST* result, DEVINST node, Pick pick)
{
    if (!result) return CR_INVALID_POINTER;
    *result = 0;
    const std::vector<DeviceNode> nodes = Nodes();
    const DeviceNode* self = FindNode(nodes, node);
    if (!self) return CR_INVALID_DEVNODE;
    const uint32_t found = pick(nodes, *self);
    if (found == 0) return CR_NO_SUCH_DEVNODE;
    *result = found;
    return CR_SUCCESS;
}

CONFIGRET CSimDeviceTree::GetParent(DEVINST* parent, DEVINST node, ULONG)
{
    return Relative(parent, node,
                    [](const std::vector<DeviceNode>&, const DeviceNode& self) { return self.parent; });
}

CONFIGRET CSimDeviceTree::GetChild(DEVINST* child, DEVINST node, ULONG)
{
    return Relative(child, node, [](const std::vector<DeviceNode>& nodes, const DeviceNode& self) {
        for (const DeviceNode& n : nodes) {
            if (n.parent == self.number) return n.number;
        }
        return 0u;
    });
}

CONFIGRET CSimDeviceTree::GetSibling(DEVINST* sibling, DEVINST node, ULONG)
{
    return Relative(sibling, node, [](const std::vector<DeviceNode>& nodes, const DeviceNode& self) {
        bool seenSelf = false;
        for (const DeviceNode& n : nodes) {
            if (n.number == self.number) {
                seenSelf = true;
            } else if (seenSelf && self.parent != 0 && n.parent == self.parent) {
                return n.number;
            }
        }
        return 0u;
    });
}

CONFIGRET CSimDeviceTree::GetDeviceId(DEVINST node, wchar_t* buffer, ULONG length, ULONG)
{
    if (!buffer) return CR_INVALID_POINTER;
    const std::vector<DeviceNode> nodes = Nodes();
    const DeviceNode* self = FindNode(nodes, node);
    if (!self) return CR_INVALID_DEVNODE;
    if (length < self->instanceId.size() + 1) return CR_BUFFER_SMALL;
    std::memcpy(buffer, self->instanceId.c_str(), (self->instanceId.size() + 1) * sizeof(wchar_t));
    return CR_SUCCESS;
}

DWORD CSimDeviceTree::GetLogicalDriveStrings(DWORD length, wchar_t* buffer)
{
    std::wstring list;
    for (const DeviceNode& node : Nodes()) {
        if (node.driveLetter) list += std::wstring{node.driveLetter, L':', L'\\', L'\0'};
    }
    const DWORD needed = static_cast<DWORD>(list.size() + 1);
    if (!buffer || length < needed) return needed;
    std::memcpy(buffer, list.c_str(), needed * sizeof(wchar_t));
    return needed - 1;
}

UINT CSimDeviceTree::GetDriveType(const wchar_t* rootPath)
{
    const wchar_t letter = DriveLetterOf(rootPath);
    for (const DeviceNode& node : Nodes()) {
        if (letter && node.driveLetter == letter)
            return node.kind == DeviceKind::Optical ? DRIVE_CDROM : DRIVE_FIXED;
    }
    return DRIVE_NO_ROOT_DIR;
}

bool CSimDeviceTree::GetVolumeNameForVolumeMountPoint(const wchar_t* mountPoint, wchar_t* volumeName,
                                                      DWORD length)
{
    const wchar_t letter = DriveLetterOf(mountPoint);
    const std::wstring path = mountPoint ? mountPoint : L"";
    for (const DeviceNode& node : Nodes()) {
        const bool byLetter = letter && node.driveLetter == letter;
        const bool byInterface
            = !node.interfacePath.empty() && SameText(node.interfacePath + L"\\", path.c_str());
        if (!(byLetter || byInterface) || node.volumeName.empty()) continue;
        if (!volumeName || length < node.volumeName.size() + 1) {
            ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return false;
        }
        std::memcpy(volumeName, node.volumeName.c_str(), (node.volumeName.size() + 1) * sizeof(wchar_t));
        return true;
    }
    ::SetLastError(ERROR_FILE_NOT_FOUND);
    return false;
}

DWORD CSimDeviceTree::QueryDosDevice(const wchar_t* deviceName, wchar_t* targetPath, DWORD length)
{
    const wchar_t letter = DriveLetterOf(deviceName);
    for (const DeviceNode& node : Nodes()) {
        if (!letter || node.driveLetter != letter || node.dosDevice.empty()) continue;
        const DWORD needed = static_cast<DWORD>(node.dosDevice.size() + 2);
        if (!targetPath || length < needed) {
            ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return 0;
        }
        std::memcpy(targetPath, node.dosDevice.c_str(), node.dosDevice.size() * sizeof(wchar_t));
        targetPath[needed - 2] = L'\0';
        targetPath[needed - 1] = L'\0';
        return needed;
    }
    ::SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
}

HANDLE CSimDeviceTree::OpenDevice(const wchar_t* path, DWORD, DWORD)
{
    if (!path) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    constexpr wchar_t kDrivePrefix[] = L"\\\\.\\";
    const bool drivePath = wcsncmp(path, kDrivePrefix, 4) == 0;
    const wchar_t letter = drivePath ? DriveLetterOf(path + 4) : 0;
    for (const DeviceNode& node : Nodes()) {
        const bool match = (letter && node.driveLetter == letter)
                           || (!node.interfacePath.empty() && SameText(node.interfacePath, path));
        if (!match) continue;
        if (!node.enabled) {
            ::SetLastError(ERROR_DEVICE_NOT_AVAILABLE);
            return INVALID_HANDLE_VALUE;
        }
        OpenedDevice device;
        device.handle.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        if (!device.handle) return INVALID_HANDLE_VALUE;
        device.node = node.number;
        const HANDLE handle = device.handle.get();
        std::lock_guard<std::mutex> lock(m_lock);
        m_devices[handle] = std::move(device);
        return handle;
    }
    ::SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
}

bool CSimDeviceTree::DeviceIoControl(HANDLE device, DWORD code, const void* input, DWORD inputBytes,
                                     void* output, DWORD outputBytes, DWORD* returnedBytes)
{
    if (returnedBytes) *returnedBytes = 0;
    uint32_t number = 0;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        auto found = m_devices.find(device);
        if (found == m_devices.end()) {
            ::SetLastError(ERROR_INVALID_HANDLE);
            return false;
        }
        number = found->second.node;
    }
    CMachineState::Lock machine(m_state);
    if (!machine.Held()) {
        ::SetLastError(ERROR_GEN_FAILURE);
        return false;
    }
    const std::vector<DeviceNode> nodes = DeviceNodes(*machine);
    const DeviceNode* node = FindNode(nodes, number);
    DWORD error = ERROR_INVALID_FUNCTION;
    DWORD returned = 0;
    if (!node) {
        error = ERROR_DEVICE_NOT_CONNECTED;
    } else if (node->kind == DeviceKind::Battery) {
        error = AnswerBatteryIoctl(*machine, node->batterySlot, code, input, inputBytes, output, outputBytes,
                                   returned);
    } else if (node->kind == DeviceKind::Optical && code == IOCTL_STORAGE_EJECT_MEDIA) {
        SimOptical& drive = node->number == kSecondOpticalNode ? machine->secondOptical : machine->optical;
        ++drive.ejects;
        drive.media = 0;
        error = ERROR_SUCCESS;
    }
    if (returnedBytes) *returnedBytes = returned;
    if (error == ERROR_SUCCESS) return true;
    ::SetLastError(error);
    return false;
}

bool CSimDeviceTree::CloseDevice(HANDLE device)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_devices.erase(device) == 0) {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    return true;
}

} // namespace sim
