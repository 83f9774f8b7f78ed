#include "StandInPrograms.h"

#include "SettingNames.h"

#include <windows.h>
#include <tlhelp32.h>

namespace {

constexpr wchar_t kUninstallEntry[]
    = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TavrinTest Quillon Wireless Display";

std::wstring Folder(UINT (*get)(LPWSTR, UINT))
{
    wchar_t path[MAX_PATH] = {};
    get(path, MAX_PATH);
    return std::wstring(path) + L"\\";
}

std::wstring TestFolder()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

void SetText(HKEY key, const wchar_t* name, const std::wstring& text)
{
    ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

} // namespace

CStandInPrograms::CStandInPrograms(const std::wstring& log)
    : m_finish(::CreateEventW(nullptr, TRUE, FALSE, L"TavrinTestStandInFinish"))
{
    ::ResetEvent(m_finish.get());
    ::DeleteFileW(log.c_str());
    ::SetEnvironmentVariableW(L"TAVRIN_STANDIN_LOG", log.c_str());
    const std::wstring system = Folder(::GetSystemDirectoryW);
    const std::wstring windows = Folder(::GetWindowsDirectoryW);
    for (const std::wstring& path :
         {system + L"charmap.exe", system + L"presentationsettings.exe", windows + L"ehome\\ehshell.exe",
          std::wstring(L"C:\\Program Files (x86)\\Corvane Lumara\\Corvane Lumara\\lumara_primary.exe"),
          std::wstring(L"C:\\Quillon\\WiDi\\WiDiApp.exe"), std::wstring(L"C:\\Quillon\\Tools\\quillpad.exe"),
          std::wstring(kWebBrowser)})
        m_complete = Install(L"launch_standin.exe", path) && m_complete;
    // The network list runs through rundll32 from the system folder.
    m_complete = Install(L"van.dll", system + L"van.dll") && m_complete;
    HKEY made = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kUninstallEntry, 0, nullptr, 0, KEY_WRITE, nullptr, &made,
                          nullptr)
        != ERROR_SUCCESS) {
        m_complete = false;
        return;
    }
    UniqueKey entry(made);
    SetText(entry.get(), setting_names::kUninstallDisplayName, L"Quillon Wireless Display");
    SetText(entry.get(), setting_names::kUninstallInstallLocation, L"C:\\Quillon\\WiDi\\");
}

CStandInPrograms::~CStandInPrograms()
{
    ::SetEvent(m_finish.get());
    for (int i = 0; i < 100 && Running() > 0; ++i) ::Sleep(100);
    for (const std::wstring& path : m_installed) ::DeleteFileW(path.c_str());
    ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kUninstallEntry);
    ::SetEnvironmentVariableW(L"TAVRIN_STANDIN_LOG", nullptr);
}

bool CStandInPrograms::Install(const wchar_t* standIn, const std::wstring& path)
{
    for (size_t slash = path.find(L'\\', 3); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1))
        ::CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
    if (!::CopyFileW((TestFolder() + standIn).c_str(), path.c_str(), FALSE)) return false;
    m_installed.push_back(path);
    return true;
}

int CStandInPrograms::Running() const
{
    int running = 0;
    UniqueFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    for (const std::wstring& path : m_installed) {
        const std::wstring exe = path.substr(path.find_last_of(L'\\') + 1);
        PROCESSENTRY32W entry{sizeof(entry)};
        for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
             more = ::Process32NextW(snapshot.get(), &entry))
            if (_wcsicmp(entry.szExeFile, exe.c_str()) == 0) ++running;
    }
    return running;
}
