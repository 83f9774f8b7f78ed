#include "PellickPrograms.h"

#include "SettingNames.h"
#include "UniqueHandle.h"

#include <shlobj.h>

#include <optional>

namespace pellick_programs {

namespace {

constexpr wchar_t kUninstallKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr wchar_t kWirelessDisplayName[] = L"Wireless Display";
constexpr wchar_t kWirelessDisplayProgram[] = L"WiDiApp.exe";
constexpr wchar_t kMediaCenterShell[] = L"ehome\\ehshell.exe";
constexpr wchar_t kLumaraProgram[] = L"Corvane Lumara\\Corvane Lumara\\lumara_primary.exe";

// The folder with a trailing backslash, or the fallback when Windows names none.
std::wstring Folder(int csidl, const wchar_t* fallback)
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) || path[0] == L'\0')
        return fallback;
    std::wstring folder = path;
    if (folder.back() != L'\\') folder += L'\\';
    return folder;
}

std::optional<std::wstring> ReadText(HKEY key, const wchar_t* name)
{
    wchar_t text[MAX_PATH] = {};
    DWORD type = 0;
    DWORD bytes = sizeof(text) - sizeof(wchar_t);
    if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes) != ERROR_SUCCESS
        || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    return std::wstring(text);
}

} // namespace

std::wstring FindWirelessDisplay()
{
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, &opened) != ERROR_SUCCESS) return {};
    UniqueKey uninstall(opened);
    for (DWORD index = 0;; ++index) {
        wchar_t name[256] = {};
        DWORD length = 256;
        if (::RegEnumKeyExW(uninstall.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr)
            != ERROR_SUCCESS)
            return {};
        HKEY sub = nullptr;
        if (::RegOpenKeyExW(uninstall.get(), name, 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
        UniqueKey entry(sub);
        const auto displayName = ReadText(entry.get(), setting_names::kUninstallDisplayName);
        if (!displayName || displayName->find(kWirelessDisplayName) == std::wstring::npos) continue;
        // The first match decides, with or without a folder.
        const auto location = ReadText(entry.get(), setting_names::kUninstallInstallLocation);
        return location ? *location + kWirelessDisplayProgram : std::wstring();
    }
}

std::wstring MediaCenterPath()
{
    const std::wstring path = Folder(CSIDL_WINDOWS, L"C:\\Windows\\") + kMediaCenterShell;
    return FileExists(path) ? path : std::wstring();
}

std::wstring SystemProgram(const wchar_t* name)
{
    return Folder(CSIDL_SYSTEM, L"C:\\Windows\\System32\\") + name;
}

std::wstring LumaraPath()
{
    return Folder(CSIDL_PROGRAM_FILESX86, L"C:\\Program Files (x86)\\") + kLumaraProgram;
}

bool FileExists(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

pellick::Installed FindInstalled()
{
    pellick::Installed installed;
    installed.characterMap = FileExists(SystemProgram(kCharacterMap));
    installed.wirelessDisplay = !FindWirelessDisplay().empty();
    installed.presentationSettings = FileExists(SystemProgram(kPresentationSettings));
    installed.mediaCenter = !MediaCenterPath().empty();
    installed.lumara = FileExists(LumaraPath());
    return installed;
}

} // namespace pellick_programs
