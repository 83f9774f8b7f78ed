#include "BatteryApp.h"

#include "AcpiWmi.h"
#include "BatteryPropertySheet.h"
#include "BatteryPropertySheet_K7.h"
#include "BatteryStrings.h"
#include "MessageCatalogue.h"
#include "MeterDisplay.h"
#include "MeterTexts.h"
#include "PlatformSeams.h"
#include "SettingNames.h"
#include "Settings.h"

#include <commctrl.h>
#include <shellapi.h>

#include <memory>

namespace {
constexpr DWORD kStartedBefore = 0x1;
// How long a second start waits for a running meter that does not answer.
constexpr UINT kForwardTimeoutMs = 5000;
} // namespace

CBatteryApp::CBatteryApp(bool alreadyRunning) : m_alreadyRunning(alreadyRunning) {}

CBatteryApp::~CBatteryApp() = default;

int CBatteryApp::ExitInstance(int exitCode)
{
    m_sheet.reset();
    return exitCode;
}

std::vector<std::wstring> CBatteryApp::Arguments()
{
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> argv(
        ::CommandLineToArgvW(::GetCommandLineW(), &count), &::LocalFree);
    std::vector<std::wstring> arguments;
    for (int i = 1; argv && i < count; ++i) arguments.emplace_back(argv.get()[i]);
    return arguments;
}

bool CBatteryApp::ForwardToRunningMeter(const std::wstring& title, const CMeterCommandLine& commandLine)
{
    const HWND running = ::FindWindowW(L"#32770", title.c_str());
    if (!running) return false;
    if (commandLine.Page()) {
        DWORD_PTR answer = 0;
        // Sent and waited for, but never for ever: a hung meter does not hang this start.
        ::SendMessageTimeoutW(running, messages::Register(messages::kMyServiceMessage), 3,
                              static_cast<LPARAM>(commandLine.PageLetter()), SMTO_ABORTIFHUNG,
                              kForwardTimeoutMs, &answer);
    }
    ::SetForegroundWindow(running);
    return true;
}

void CBatteryApp::ReadFlags()
{
    const CSettings settings;
    const DWORD flag = settings.ReadDword(setting_names::kFlag, 0);
    if ((flag & kStartedBefore) == 0) settings.WriteDword(setting_names::kFlag, flag | kStartedBefore);
    m_control = settings.ReadDword(setting_names::kTavrinControl, 0);
}

bool CBatteryApp::InitInstance()
{
    // Without the firmware's calls or its SMBIOS table there is nothing to show.
    if (!g_pAcpiWmi || g_pAcpiWmi->IsSmbiosUnavailable() || g_pAcpiWmi->DataBufferSize() == 0) return false;

    const CSettings settings;
    m_language = meter_display::ThreadLanguage(settings.TryReadDword(setting_names::kLangId));
    ::SetThreadLocale(MAKELCID(m_language, SORT_DEFAULT));
    meter_texts::SetLanguage(m_language);
    const std::wstring title = meter_texts::Text(IDS_TITLE);

    const CMeterCommandLine commandLine(Arguments());
    if (commandLine.HealthIndex()) {
        const std::wstring note = L"Battery Health Index: " + std::to_wstring(*commandLine.HealthIndex());
        ::OutputDebugStringW(note.c_str());
    }
    if (commandLine.PermanentFailure()) ::OutputDebugStringW(L"Permanent Failure Flag\n");

    if (m_alreadyRunning) {
        ForwardToRunningMeter(title, commandLine);
        return false;
    }

    ReadFlags();
    INITCOMMONCONTROLSEX controls{sizeof(controls),
                                  ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    ::InitCommonControlsEx(&controls);

    IDeviceTree& tree = seams::DeviceTree();
    // The sheet and its health record keep the command line and the settings for their life.
    m_commandLine = std::make_unique<CMeterCommandLine>(commandLine);
    if ((m_control & kK7Control) != 0)
        m_sheet = std::make_unique<CBatteryPropertySheet_K7>(*g_pAcpiWmi, tree, m_settings, title,
                                                             *m_commandLine, m_control);
    else
        m_sheet
            = std::make_unique<CBatteryPropertySheet>(*g_pAcpiWmi, tree, m_settings, title, *m_commandLine);
    return m_sheet->Open();
}
