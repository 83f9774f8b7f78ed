#include "PellickApp.h"

#include "AcpiWmi.h"
#include "ActuoStrings.h"
#include "CommandLineInfoEx.h"
#include "PellickDlg.h"
#include "PellickPrograms.h"
#include "ProcessWindows.h"
#include "TextLoader.h"

#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kSupportLauncher[] = L"C:\\Program Files\\Corvane Sorvic\\sorviclauncher.exe";
constexpr wchar_t kFrameworkKey[] = L"Local AppWizard-Generated Applications";

std::vector<std::wstring> Arguments()
{
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> argv(
        ::CommandLineToArgvW(::GetCommandLineW(), &count), &::LocalFree);
    std::vector<std::wstring> arguments;
    for (int i = 1; argv && i < count; ++i) arguments.emplace_back(argv.get()[i]);
    return arguments;
}

} // namespace

CPellickApp::CPellickApp(bool alreadyRunning) : m_alreadyRunning(alreadyRunning) {}

void CPellickApp::OpenSupportLauncher()
{
    const std::wstring path = kSupportLauncher;
    if (const DWORD running = process_windows::FindProcess(process_windows::FileName(path))) {
        process_windows::BringProcessForward(running);
        return;
    }
    if (!pellick_programs::FileExists(path)) return;
    const size_t slash = path.find_last_of(L'\\');
    ::ShellExecuteW(nullptr, nullptr, path.substr(slash + 1).c_str(), nullptr, path.substr(0, slash).c_str(),
                    SW_SHOWNORMAL);
}

bool CPellickApp::InitInstance()
{
    CCommandLineInfoEx commandLine;
    commandLine.Parse(Arguments());
    if (commandLine.Has(L"SRX")) {
        OpenSupportLauncher();
        return false;
    }
    if (m_alreadyRunning) {
        if (HWND running = ::FindWindowW(nullptr, texts::LoadSelected(IDS_MANAGER_CAPTION).c_str())) {
            process_windows::BringToFront(running);
            if (!commandLine.Has(L"KEEP")) ::PostMessageW(running, WM_CLOSE, 0, 0);
        }
        return false;
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    SetRegistryKey(kFrameworkKey);
    CPellickDlg dialog(*g_pAcpiWmi, g_pAcpiWmi->SystemId());
    dialog.DoModal(nullptr);
    return false;
}
