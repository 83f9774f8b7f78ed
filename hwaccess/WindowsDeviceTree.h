#pragma once
#include "DeviceTree.h"

// Windows' own device tree: each operation is the system call of its name.
class CWindowsDeviceTree final : public IDeviceTree {
public:
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
};
