#pragma once
#include <string>
#include <vector>

// The tray's branding and tiles in Windows Mobility Center.
namespace mobility_center {

inline constexpr wchar_t kKey[] = L"SOFTWARE\\Microsoft\\MobilePC\\MobilityCenter";

// Appends the suite's tile names missing from the order; true when any was.
bool AppendMissingTiles(std::vector<std::wstring>& order);

// REG_MULTI_SZ data (any byte count, terminators optional) to strings and back.
std::vector<std::wstring> SplitMultiString(const wchar_t* data, size_t chars);
std::wstring JoinMultiString(const std::vector<std::wstring>& items);

// Writes OEMName (and drops OEMImage) and completes TileOrder when it exists.
// programFolder ends with a backslash.
void Register(const std::wstring& programFolder);

} // namespace mobility_center
