#pragma once
#include <windows.h>

#include <cfgmgr32.h>
#include <setupapi.h>

// The device tree as the suite uses it: SetupAPI device-information sets,
// interfaces and properties; configuration-manager nodes with their parents
// and children; volumes and drive letters; and device handles with their
// I/O controls. Each operation behaves as the Windows call of the same name
// (results, last errors and buffer rules alike), so code above it reads like
// plain Windows code. seams::DeviceTree() hands out Windows' own tree or the
// simulated notebook's; batteries, optical drives and wireless adapters are
// all reached through it.
//
// The interface is a contract between separately built modules: operations
// are only ever added at the end.
class IDeviceTree {
public:
    virtual ~IDeviceTree() = default;

    // SetupAPI. GetClassDevs takes a setup class, or an interface class with
    // DIGCF_DEVICEINTERFACE; INVALID_HANDLE_VALUE on failure.
    virtual HDEVINFO GetClassDevs(const GUID* classGuid, const wchar_t* enumerator, DWORD flags) = 0;
    virtual bool ClassGuidsFromName(const wchar_t* className, GUID* guids, DWORD capacity, DWORD* required)
        = 0;
    virtual bool EnumDeviceInfo(HDEVINFO set, DWORD index, SP_DEVINFO_DATA* device) = 0;
    virtual bool EnumDeviceInterfaces(HDEVINFO set, SP_DEVINFO_DATA* device, const GUID& interfaceClass,
                                      DWORD index, SP_DEVICE_INTERFACE_DATA* deviceInterface)
        = 0;
    virtual bool GetDeviceInterfaceDetail(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* deviceInterface,
                                          SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail, DWORD detailBytes,
                                          DWORD* requiredBytes, SP_DEVINFO_DATA* device)
        = 0;
    virtual bool GetDeviceRegistryProperty(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD property,
                                           DWORD* valueType, BYTE* buffer, DWORD bufferBytes,
                                           DWORD* requiredBytes)
        = 0;
    // A DIF_PROPERTYCHANGE: the class-install parameters set and the class
    // installer called, as one step. stateChange is DICS_ENABLE, DICS_DISABLE
    // or DICS_PROPCHANGE; scope DICS_FLAG_GLOBAL or DICS_FLAG_CONFIGSPECIFIC.
    virtual bool ChangeDeviceState(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD stateChange, DWORD scope,
                                   DWORD hardwareProfile)
        = 0;
    virtual bool DestroyDeviceInfoList(HDEVINFO set) = 0;

    // Configuration manager (CM_*), on device-instance numbers.
    virtual CONFIGRET LocateDevNode(DEVINST* node, const wchar_t* deviceId, ULONG flags) = 0;
    virtual CONFIGRET ReenumerateDevNode(DEVINST node, ULONG flags) = 0;
    virtual CONFIGRET GetParent(DEVINST* parent, DEVINST node, ULONG flags) = 0;
    virtual CONFIGRET GetChild(DEVINST* child, DEVINST node, ULONG flags) = 0;
    virtual CONFIGRET GetSibling(DEVINST* sibling, DEVINST node, ULONG flags) = 0;
    virtual CONFIGRET GetDeviceId(DEVINST node, wchar_t* buffer, ULONG length, ULONG flags) = 0;

    // Volumes and drive letters.
    virtual DWORD GetLogicalDriveStrings(DWORD length, wchar_t* buffer) = 0;
    virtual UINT GetDriveType(const wchar_t* rootPath) = 0;
    virtual bool GetVolumeNameForVolumeMountPoint(const wchar_t* mountPoint, wchar_t* volumeName,
                                                  DWORD length)
        = 0;
    virtual DWORD QueryDosDevice(const wchar_t* deviceName, wchar_t* targetPath, DWORD length) = 0;

    // Devices: CreateFileW(OPEN_EXISTING) on a device path, DeviceIoControl
    // without overlapped I/O, and the close of such a handle (only this
    // closes what OpenDevice opened).
    virtual HANDLE OpenDevice(const wchar_t* path, DWORD access, DWORD share) = 0;
    virtual bool DeviceIoControl(HANDLE device, DWORD code, const void* input, DWORD inputBytes, void* output,
                                 DWORD outputBytes, DWORD* returnedBytes)
        = 0;
    virtual bool CloseDevice(HANDLE device) = 0;
};

// Owners for what the tree hands out; each gives it back to the tree it came from.
class UniqueDeviceInfoSet {
public:
    UniqueDeviceInfoSet() = default;
    UniqueDeviceInfoSet(IDeviceTree& tree, HDEVINFO set) : m_tree(&tree), m_set(set) {}
    ~UniqueDeviceInfoSet() { reset(); }
    UniqueDeviceInfoSet(const UniqueDeviceInfoSet&) = delete;
    UniqueDeviceInfoSet& operator=(const UniqueDeviceInfoSet&) = delete;
    UniqueDeviceInfoSet(UniqueDeviceInfoSet&& other) noexcept;
    UniqueDeviceInfoSet& operator=(UniqueDeviceInfoSet&& other) noexcept;

    HDEVINFO get() const { return m_set; }
    explicit operator bool() const { return m_set != INVALID_HANDLE_VALUE && m_set != nullptr; }
    void reset();

private:
    IDeviceTree* m_tree = nullptr;
    HDEVINFO m_set = INVALID_HANDLE_VALUE;
};

class UniqueDevice {
public:
    UniqueDevice() = default;
    UniqueDevice(IDeviceTree& tree, HANDLE device) : m_tree(&tree), m_device(device) {}
    ~UniqueDevice() { reset(); }
    UniqueDevice(const UniqueDevice&) = delete;
    UniqueDevice& operator=(const UniqueDevice&) = delete;
    UniqueDevice(UniqueDevice&& other) noexcept;
    UniqueDevice& operator=(UniqueDevice&& other) noexcept;

    HANDLE get() const { return m_device; }
    explicit operator bool() const { return m_device != INVALID_HANDLE_VALUE && m_device != nullptr; }
    void reset();

private:
    IDeviceTree* m_tree = nullptr;
    HANDLE m_device = INVALID_HANDLE_VALUE;
};
