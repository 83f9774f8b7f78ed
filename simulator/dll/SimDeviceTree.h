#pragma once
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "DeviceNodes.h"
#include "DeviceTree.h"
#include "MachineState.h"
#include "UniqueHandle.h"

namespace sim {

// The simulated notebook's device tree behind the product's device-tree seam.
// Device-information sets are snapshots of node numbers taken when they are
// made; every property is read from the machine when asked, so a battery
// taken out meanwhile reads as gone. Open devices are real (unnamed event)
// handles of this process, so their values are unique while they are open.
class CSimDeviceTree final : public IDeviceTree {
public:
    explicit CSimDeviceTree(CMachineState& state) : m_state(state) {}

    HDEVINFO GetClassDevs(const GUID* classGuid, const wchar_t* enumerator, DWORD flags) override;
    bool ClassGuidsFromName(const wchar_t* className, GUID* guids, DWORD capacity, DWORD* required) override;
    bool EnumDeviceInfo(HDEVINFO set, DWORD index, SP_DEVINFO_DATA* device) override;
    bool EnumDeviceInterfaces(HDEVINFO set, SP_DEVINFO_DATA* device, const GUID& interfaceClass, DWORD index,
                              SP_DEVICE_INTERFACE_DATA* deviceInterface) override;
    bool GetDeviceInterfaceDetail(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* deviceInterface,
                                  SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail, DWORD detailBytes,
                                  DWORD* requiredBytes, SP_DEVINFO_DATA* device) override;
    bool GetDeviceRegistryProperty(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD property, DWORD* valueType,
                                   BYTE* buffer, DWORD bufferBytes, DWORD* requiredBytes) override;
    bool ChangeDeviceState(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD stateChange, DWORD scope,
                           DWORD hardwareProfile) override;
    bool DestroyDeviceInfoList(HDEVINFO set) override;

    CONFIGRET LocateDevNode(DEVINST* node, const wchar_t* deviceId, ULONG flags) override;
    CONFIGRET ReenumerateDevNode(DEVINST node, ULONG flags) override;
    CONFIGRET GetParent(DEVINST* parent, DEVINST node, ULONG flags) override;
    CONFIGRET GetChild(DEVINST* child, DEVINST node, ULONG flags) override;
    CONFIGRET GetSibling(DEVINST* sibling, DEVINST node, ULONG flags) override;
    CONFIGRET GetDeviceId(DEVINST node, wchar_t* buffer, ULONG length, ULONG flags) override;

    DWORD GetLogicalDriveStrings(DWORD length, wchar_t* buffer) override;
    UINT GetDriveType(const wchar_t* rootPath) override;
    bool GetVolumeNameForVolumeMountPoint(const wchar_t* mountPoint, wchar_t* volumeName,
                                          DWORD length) override;
    DWORD QueryDosDevice(const wchar_t* deviceName, wchar_t* targetPath, DWORD length) override;

    HANDLE OpenDevice(const wchar_t* path, DWORD access, DWORD share) override;
    bool DeviceIoControl(HANDLE device, DWORD code, const void* input, DWORD inputBytes, void* output,
                         DWORD outputBytes, DWORD* returnedBytes) override;
    bool CloseDevice(HANDLE device) override;

private:
    struct DeviceSet {
        std::vector<uint32_t> nodes;
    };

    // The nodes as they are now; empty when the machine cannot be read.
    std::vector<DeviceNode> Nodes();
    DeviceSet* FindSet(HDEVINFO set);
    // The node a device-information element names, checked against its set.
    bool NodeOf(HDEVINFO set, const SP_DEVINFO_DATA* device, DeviceNode& node);
    // The relative of a node chosen by pick, or CR_NO_SUCH_DEVNODE.
    template <typename Pick>
    CONFIGRET Relative(DEVINST* result, DEVINST node, Pick pick);

    CMachineState& m_state;
    std::mutex m_lock; // guards the sets and the open devices
    std::map<HDEVINFO, std::unique_ptr<DeviceSet>> m_sets;
    struct OpenedDevice {
        UniqueHandle handle;
        uint32_t node = 0;
    };
    std::map<HANDLE, OpenedDevice> m_devices;
};

} // namespace sim
