#include "CompanionApp.h"
#include "BringForward.h"
#include "CompanionConfig.h"
#include "SuitePrograms.h"
#include "UniqueHandle.h"
#include <algorithm>

namespace {

struct KnownCompanion {
    const wchar_t* name;
    const wchar_t* folder; // empty: the tray program's folder
    bool menuOnClick;
};

constexpr KnownCompanion kKnownCompanions[] = {
    {L"mblctr", L"c:\\windows\\system32", true},
    {L"tvrui", L"", true},
    {L"gaming", L"", false},
};

std::wstring Widen(const std::string& utf8)
{
    if (utf8.empty()) return {};
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    if (length <= 1) return {};
    std::wstring text(static_cast<size_t>(length - 1), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, text.data(), length);
    return text;
}

bool ContainsNoCase(const std::wstring& text, const wchar_t* part)
{
    std::wstring upperText = text, upperPart = part;
    ::CharUpperBuffW(upperText.data(), static_cast<DWORD>(upperText.size()));
    ::CharUpperBuffW(upperPart.data(), static_cast<DWORD>(upperPart.size()));
    return upperText.find(upperPart) != std::wstring::npos;
}

} // namespace

CCompanionApp::CCompanionApp()
{
    ApplyName(L"mblctr", L"");
}

std::wstring CCompanionApp::NameFromConfig(std::string_view xml)
{
    return Widen(companion_config::NameOf(xml));
}

void CCompanionApp::LoadConfig(const std::wstring& trayFolder)
{
    const std::wstring path = trayFolder + L"\\Tavrin.cfg";
    UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size)
        || size.QuadPart > static_cast<LONGLONG>(companion_config::kMaxBytes))
        return;
    std::string xml(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!::ReadFile(file.get(), xml.data(), static_cast<DWORD>(xml.size()), &read, nullptr)) return;
    xml.resize(read);
    std::wstring name = NameFromConfig(xml);
    if (!name.empty()) ApplyName(name, trayFolder);
}

bool CCompanionApp::ApplyName(const std::wstring& name, const std::wstring& trayFolder)
{
    for (const auto& known : kKnownCompanions) {
        if (::CompareStringOrdinal(name.c_str(), -1, known.name, -1, TRUE) != CSTR_EQUAL) continue;
        std::wstring folder = *known.folder ? known.folder : trayFolder;
        m_commandLine = folder + L"\\" + name;
        m_menuOnClick = known.menuOnClick;
        return true;
    }
    return false;
}

bool CCompanionApp::Open(const std::wstring& launchPanelTitle, bool waitForExit) const
{
    bool broughtForward = false;
    UniqueHandle process = Launch(launchPanelTitle, &broughtForward);
    if (process && waitForExit) ::WaitForSingleObject(process.get(), INFINITE);
    return broughtForward || static_cast<bool>(process);
}

UniqueHandle CCompanionApp::Launch(const std::wstring& launchPanelTitle, bool* broughtForward) const
{
    if (broughtForward != nullptr) *broughtForward = false;
    if (ContainsNoCase(m_commandLine, L"TvrUI.exe") && !launchPanelTitle.empty()) {
        if (HWND panel = ::FindWindowW(nullptr, launchPanelTitle.c_str())) {
            BringForward(panel);
            if (broughtForward != nullptr) *broughtForward = true;
            return {};
        }
    }
    // Quoted, so that a folder with blanks cannot start another program.
    return suite_programs::StartCommandLine(L"\"" + m_commandLine + L"\"");
}
