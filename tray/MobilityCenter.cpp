#include "MobilityCenter.h"
#include "SettingNames.h"
#include "UniqueHandle.h"
#include <windows.h>
#include <algorithm>

namespace mobility_center {
namespace {

// "Hotkeys" belongs to the tile server too but is never added to the order.
// The launch button's tile carries the name of the button's setting.
constexpr const wchar_t* kTileNames[]
    = {L"ALS", L"BacklitKB", L"Bluetooth", L"FnKey", L"TouchPad", setting_names::kPellick, L"WiFiSwitch"};

bool ReadTileOrder(HKEY key, std::vector<std::wstring>& order)
{
    DWORD type = 0, bytes = 0;
    if (::RegQueryValueExW(key, setting_names::kMobilityCenterTileOrder, nullptr, &type, nullptr, &bytes)
            != ERROR_SUCCESS
        || type != REG_MULTI_SZ)
        return false;
    std::vector<wchar_t> data(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD read = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(key, setting_names::kMobilityCenterTileOrder, nullptr, &type,
                           reinterpret_cast<BYTE*>(data.data()), &read)
            != ERROR_SUCCESS
        || type != REG_MULTI_SZ)
        return false;
    order = SplitMultiString(data.data(), std::min<size_t>(read / sizeof(wchar_t), data.size()));
    return true;
}

} // namespace

bool AppendMissingTiles(std::vector<std::wstring>& order)
{
    bool appended = false;
    for (const wchar_t* name : kTileNames) {
        if (std::find(order.begin(), order.end(), name) != order.end()) continue;
        order.emplace_back(name);
        appended = true;
    }
    return appended;
}

std::vector<std::wstring> SplitMultiString(const wchar_t* data, size_t chars)
{
    std::vector<std::wstring> items;
    size_t start = 0;
    for (size_t i = 0; i <= chars; ++i) {
        if (i < chars && data[i] != L'\0') continue;
        if (i == start) break; // the empty string ends the list
        items.emplace_back(data + start, i - start);
        start = i + 1;
    }
    return items;
}

std::wstring JoinMultiString(const std::vector<std::wstring>& items)
{
    std::wstring data;
    for (const auto& item : items) {
        if (item.empty()) continue;
        data += item;
        data.push_back(L'\0');
    }
    data.push_back(L'\0');
    return data;
}

void Register(const std::wstring& programFolder)
{
    UniqueKey key;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0,
                          KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, key.put(), nullptr)
        != ERROR_SUCCESS)
        return;
    ::RegDeleteValueW(key.get(), setting_names::kMobilityCenterOemImage);
    const std::wstring name = programFolder + L"Tessel.exe,210";
    ::RegSetValueExW(key.get(), setting_names::kMobilityCenterOemName, 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(name.c_str()),
                     static_cast<DWORD>((name.size() + 1) * sizeof(wchar_t)));
    std::vector<std::wstring> order;
    if (!ReadTileOrder(key.get(), order) || !AppendMissingTiles(order)) return;
    const std::wstring data = JoinMultiString(order);
    ::RegSetValueExW(key.get(), setting_names::kMobilityCenterTileOrder, 0, REG_MULTI_SZ,
                     reinterpret_cast<const BYTE*>(data.data()),
                     static_cast<DWORD>(data.size() * sizeof(wchar_t)));
}

} // namespace mobility_center
