#include "WindowsDeviceTree.h"

HDEVINFO CWindowsDeviceTree::GetClassDevs(const GUID* classGuid, const wchar_t* enumerator, DWORD flags)
{
    return ::SetupDiGetClassDevsW(classGuid, enumerator, nullptr, flags);
}

bool CWindowsDeviceTree::ClassGuidsFromName(const wchar_t* className, GUID* guids, DWORD capacity,
                                            DWORD* required)
{
    return ::SetupDiClassGuidsFromNameW(className, guids, capacity, required) != FALSE;
}

bool CWindowsDeviceTree::EnumDeviceInfo(HDEVINFO set, DWORD index, SP_DEVINFO_DATA* device)
{
    return ::SetupDiEnumDeviceInfo(set, index, device) != FALSE;
}

bool CWindowsDeviceTree::EnumDeviceInterfaces(HDEVINFO set, SP_DEVINFO_DATA* device,
                                              const GUID& interfaceClass, DWORD index,
                                              SP_DEVICE_INTERFACE_DATA* deviceInterface)
{
    return ::SetupDiEnumDeviceInterfaces(set, device, &interfaceClass, index, deviceInterface) != FALSE;
}

bool CWindowsDeviceTree::GetDeviceInterfaceDetail(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* deviceInterface,
                                                  SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail,
                                                  DWORD detailBytes, DWORD* requiredBytes,
                                                  SP_DEVINFO_DATA* device)
{
    return ::SetupDiGetDeviceInterfaceDetailW(set, deviceInterface, detail, detailBytes, requiredBytes,
                                              device)
           != FALSE;
}

bool CWindowsDeviceTree::GetDeviceRegistryProperty(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD property,
                                                   DWORD* valueType, BYTE* buffer, DWORD bufferBytes,
                                                   DWORD* requiredBytes)
{
    return ::SetupDiGetDeviceRegistryPropertyW(set, device, property, valueType, buffer, bufferBytes,
                                               requiredBytes)
           != FALSE;
}

bool CWindowsDeviceTree::ChangeDeviceState(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD stateChange,
                                           DWORD scope, DWORD hardwareProfile)
{
    SP_PROPCHANGE_PARAMS params{};
    params.ClassInstallHeader.cbSize = sizeof(SP_CLASSINSTALL_HEADER);
    params.ClassInstallHeader.InstallFunction = DIF_PROPERTYCHANGE;
    params.StateChange = stateChange;
    params.Scope = scope;
    params.HwProfile = hardwareProfile;
    return ::SetupDiSetClassInstallParamsW(set, device, &params.ClassInstallHeader, sizeof params)
           && ::SetupDiCallClassInstaller(DIF_PROPERTYCHANGE, set, device);
}

bool CWindowsDeviceTree::DestroyDeviceInfoList(HDEVINFO set)
{
    return ::SetupDiDestroyDeviceInfoList(set) != FALSE;
}

CONFIGRET CWindowsDeviceTree::LocateDevNode(DEVINST* node, const wchar_t* deviceId, ULONG flags)
{
    return ::CM_Locate_DevNodeW(node, const_cast<wchar_t*>(deviceId), flags);
}

CONFIGRET CWindowsDeviceTree::ReenumerateDevNode(DEVINST node, ULONG flags)
{
    return ::CM_Reenumerate_DevNode(node, flags);
}

CONFIGRET CWindowsDeviceTree::GetParent(DEVINST* parent, DEVINST node, ULONG flags)
{
    return ::CM_Get_Parent(parent, node, flags);
}

CONFIGRET CWindowsDeviceTree::GetChild(DEVINST* child, DEVINST node, ULONG flags)
{
    return ::CM_Get_Child(child, node, flags);
}

CONFIGRET CWindowsDeviceTree::GetSibling(DEVINST* sibling, DEVINST node, ULONG flags)
{
    return ::CM_Get_Sibling(sibling, node, flags);
}

CONFIGRET CWindowsDeviceTree::GetDeviceId(DEVINST node, wchar_t* buffer, ULONG length, ULONG flags)
{
    return ::CM_Get_Device_IDW(node, buffer, length, flags);
}

DWORD CWindowsDeviceTree::GetLogicalDriveStrings(DWORD length, wchar_t* buffer)
{
    return ::GetLogicalDriveStringsW(length, buffer);
}

UINT CWindowsDeviceTree::GetDriveType(const wchar_t* rootPath)
{
    return ::GetDriveTypeW(rootPath);
}

bool CWindowsDeviceTree::GetVolumeNameForVolumeMountPoint(const wchar_t* mountPoint, wchar_t* volumeName,
                                                          DWORD length)
{
    return ::GetVolumeNameForVolumeMountPointW(mountPoint, volumeName, length) != FALSE;
}

DWORD CWindowsDeviceTree::QueryDosDevice(const wchar_t* deviceName, wchar_t* targetPath, DWORD length)
{
    return ::QueryDosDeviceW(deviceName, targetPath, length);
}

HANDLE CWindowsDeviceTree::OpenDevice(const wchar_t* path, DWORD access, DWORD share)
{
    return ::CreateFileW(path, access, share, nullptr, OPEN_EXISTING, 0, nullptr);
}

bool CWindowsDeviceTree::DeviceIoControl(HANDLE device, DWORD code, const void* input, DWORD inputBytes,
                                         void* output, DWORD outputBytes, DWORD* returnedBytes)
{
    DWORD returned = 0;
    const bool done = ::DeviceIoControl(device, code, const_cast<void*>(input), inputBytes, output,
                                        outputBytes, &returned, nullptr)
                      != FALSE;
    if (returnedBytes) *returnedBytes = returned;
    return done;
}

bool CWindowsDeviceTree::CloseDevice(HANDLE device)
{
    return ::CloseHandle(device) != FALSE;
}
