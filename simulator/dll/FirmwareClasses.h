#pragma once
#include <windows.h>
#include <wbemidl.h>
#include <wrl/client.h>

#include <cstdint>
#include <vector>

#include "SimMachine.h"

namespace sim {

// The firmware's ACPI-WMI classes and Windows' raw SMBIOS class as the
// simulated root\wmi holds them.
namespace firmware_classes {

inline constexpr wchar_t kCallClass[] = L"BFn";
inline constexpr wchar_t kCallMethod[] = L"DoBFn";
inline constexpr wchar_t kDataClass[] = L"BDat";
inline constexpr wchar_t kEventClass[] = L"BIOSEvent";
inline constexpr wchar_t kBrightnessEventClass[] = L"WmiMonitorBrightnessEvent";
// The monitor the brightness events name.
inline constexpr wchar_t kMonitorInstanceName[] = L"DISPLAY\\CRV0A1B\\4&1a2b3c4d&0&UID0_0";
inline constexpr wchar_t kSmbiosClass[] = L"MSSmBios_RawSMBiosTables";
inline constexpr wchar_t kInstanceName[] = L"ACPI\\PNP0C14\\0_0";
// Object paths name the instance with each backslash doubled.
inline constexpr wchar_t kCallInstancePath[] = L"BFn.InstanceName=\"ACPI\\\\PNP0C14\\\\0_0\"";
inline constexpr wchar_t kQueryInstancePath[] = L"WMI_Query.InstanceName=\"ACPI\\\\PNP0C14\\\\0_0\"";

using Object = Microsoft::WRL::ComPtr<IWbemClassObject>;

Object DataClass();
Object CallClass();
Object CallInstance();
Object EventClass();
// QDATA: an embedded object whose Bytes start with the u32 data-buffer size.
Object QueryInstance(uint32_t dataBufferSize);
// The DoBFn out-parameters carrying the answer bytes.
Object CallOutParameters(const std::vector<uint8_t>& answer);
Object SmbiosInstance(const std::vector<uint8_t>& table, bool unreadable);
// One BIOSEvent or WmiMonitorBrightnessEvent instance as simctl raised it.
Object Event(const SimEvent& event);

} // namespace firmware_classes
} // namespace sim
