#include "MainFrame.h"
#include "AcpiWmi.h"
#include "BiosEvent.h"
#include "BringForward.h"
#include "FeatureConfig.h"
#include "Language.h"
#include "MobilityCenter.h"
#include "PowerNotice.h"
#include "ProgramFolder.h"
#include "TavrinResources.h"
#include "TrayMenus.h"
#include "Settings.h"
#include "TavrinStrings.h"
#include "TextLoader.h"
#include "UserRights.h"
#include "VersionReport.h"
#include <shellapi.h>

namespace {

// Brings the first open launch panel or location profiler forward.
bool BringPanelForward()
{
    for (UINT id : {IDS_LAUNCH_PANEL_TITLE, IDS_LOCATION_PROFILER_TITLE}) {
        std::wstring title = texts::LoadSelected(id);
        if (title.empty()) continue;
        if (HWND panel = ::FindWindowW(nullptr, title.c_str())) {
            BringForward(panel);
            return true;
        }
    }
    return false;
}

std::wstring LoadText(UINT id)
{
    return texts::LoadSelected(id);
}

} // namespace

CMainFrame::CMainFrame(CAcpiWmi& bios, const CCompanionApp& companion)
    : m_bios(bios), m_companion(companion), m_hotkeys(*this, m_forwarder), m_router(*this, m_hotkeys)
{
    m_hotkeys.SetTrace(&m_trace);
    m_limitedUser = LimitedUserFlag();
    m_displayFlags.Load();

    m_capabilities.Clear();
    m_capabilities.Set(feature_config::WindowsVersionBit());
    if (feature_config::IsWirelessDisplayInstalled())
        m_capabilities.Set(feature_config::kWirelessDisplay);
    const CSettings settings;
    const DWORD control = settings.ReadDword(L"TavrinControl", 0);
    // This program has no intelligent-display support to offer.
    feature_config::ApplyTavrinControl(control, false, m_capabilities);
    m_osdStyle = feature_config::OsdStyle(control);

    version_report::Report(m_bios, version_report::ReadInstalledVersion(), 1);
    m_taskBar.SetShown(settings.ReadDword(L"ShowTrayIcon", 0) != 0);
}

CMainFrame::~CMainFrame()
{
    ReleaseServices();
    if (m_exitReport) version_report::Report(m_bios, version_report::ReadInstalledVersion(), 0);
}

bool CMainFrame::CreateHidden()
{
    return Create(kClassName, kTitle, 0);
}

int CMainFrame::OnCreate(const CREATESTRUCTW&)
{
    if (!TakeSingleInstance()) {
        // Another copy runs in this session: hand over to the companion and
        // leave without reporting an end to the firmware.
        m_companion.Open(texts::LoadSelected(IDS_LAUNCH_PANEL_TITLE), true);
        m_exitReport = false;
        return -1;
    }
    m_taskBar.Attach(m_hWnd, kTrayMessage);
    AddTrayIcon();
    m_session.Start(m_hWnd);
    m_oemKeys.Fill();
    if (IsCapability(feature_config::kKeyboardDll)) m_keyboard.Start(m_oemKeys, m_hWnd, m_forwarder);
    RecheckKeyboardBacklightSupport();
    // Delivered into this thread's apartment, so codes reach the dispatcher here.
    m_biosEvent = std::make_unique<CBiosEvent>(&m_hotkeys);
    mobility_center::Register(ProgramFolder());
    return 0;
}

bool CMainFrame::TakeSingleInstance()
{
    // The same name whatever language the user picks.
    std::wstring name = texts::Load(IDS_APP_TITLE, language::kEnglish);
    // An unnamed mutex would let every copy run.
    if (name.empty()) name = L"Corvane Tavrin";
    m_instanceMutex.reset(::CreateMutexW(nullptr, TRUE, name.c_str()));
    const bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
    if (m_instanceMutex && !existed) ::ReleaseMutex(m_instanceMutex.get());
    return m_instanceMutex && !existed;
}

void CMainFrame::ShowTrayIconNow()
{
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    auto icon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(CCompanionApp::kIconId),
                                                IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    m_taskBar.AddIcon(icon, texts::LoadSelected(CCompanionApp::kTooltipId));
}

void CMainFrame::OnClose()
{
    if (m_taskBar.IsShown()) m_taskBar.RemoveIcon();
    ReleaseServices();
    CFrameWnd::OnClose();
}

void CMainFrame::ReleaseServices()
{
    if (m_servicesReleased) return;
    m_servicesReleased = true;
    m_session.Stop();
    m_displayFlags.Save();
    m_keyboard.Stop();
    m_biosEvent.reset();
}

LRESULT CMainFrame::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == kTrayMessage) {
        OnTrayNotify(static_cast<UINT>(lp));
        return 0;
    }
    if (msg == WM_QUIT) {  // sent, not posted: release without closing
        ReleaseServices();
        return 0;
    }
    if (msg == WM_POWERBROADCAST && power_notice::IsUntrusted(wp, lp, ::InSendMessageEx(nullptr))) return TRUE;
    // Routed messages still get the default processing.
    m_router.OnMessage(msg, wp, lp);
    return CFrameWnd::WindowProc(msg, wp, lp);
}

void CMainFrame::OnTrayNotify(UINT mouseMessage)
{
    switch (mouseMessage) {
    case WM_LBUTTONDBLCLK:
        m_doubleClicked = true;
        OpenCompanion();
        break;
    case WM_LBUTTONUP:
        SetTimer(CTrayEventRouter::kTrayClickTimer, kClickDelayMs);
        break;
    case WM_RBUTTONUP:
        ShowContextMenu();
        break;
    default:
        break;
    }
}

void CMainFrame::OnTimer(UINT_PTR id)
{
    if (m_router.OnTimer(id)) return;
    if (id == CTaskBar::kRetryTimerId) m_taskBar.OnRetryTimer();
}

void CMainFrame::OnSingleClick()
{
    // The second click of a double click has already opened the companion.
    if (m_doubleClicked) return;
    if (!m_companion.MenuOnClick())
        OpenCompanion();
    else if (!BringPanelForward())
        ShowHotkeyMenu();
}

void CMainFrame::ShowHotkeyMenu()
{
    UniqueMenu menu = tray_menus::BuildHotkeyMenu(LoadText, m_displayFlags, m_audioPresent);
    if (menu) tray_menus::Track(menu.get(), m_hWnd);
}

void CMainFrame::ShowContextMenu()
{
    if (!m_contextMenu)
        m_contextMenu.reset(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU)));
    HMENU popup = m_contextMenu ? ::GetSubMenu(m_contextMenu.get(), 0) : nullptr;
    if (!popup) return;
    // No optical-drive control exists in this program.
    tray_menus::PrepareContextMenu(popup, LoadText, false);
    tray_menus::Track(popup, m_hWnd);
}

bool CMainFrame::OnCommand(UINT id, UINT, HWND)
{
    switch (id) {
    case ID_TRAY_OPEN:
        OpenCompanion();
        return true;
    case ID_TRAY_ABOUT:
        m_about.DoModal(m_hWnd);
        return true;
    case ID_TRAY_EXIT:
        SendMessage(WM_CLOSE);
        return true;
    case ID_TRAY_RADIO_SETTINGS:
        StartRadioSettings();
        return true;
    case ID_POPUP_BRIGHTNESS:
        m_displayFlags.brightness = m_displayFlags.brightness ? 0 : 1;
        return true;
    case ID_POPUP_RADIO:
        m_displayFlags.radio = m_displayFlags.radio ? 0 : 1;
        return true;
    case ID_POPUP_VOLUME:
        FlipVolumeFlag();
        return true;
    default:
        return false;
    }
}

void CMainFrame::FlipVolumeFlag()
{
    // Without an audio object the volume display cannot be switched on.
    m_displayFlags.volume = m_displayFlags.volume == 0 && m_audioPresent ? 1 : 0;
}

void CMainFrame::OpenCompanion() const
{
    m_companion.Open(texts::LoadSelected(IDS_LAUNCH_PANEL_TITLE), false);
}

void CMainFrame::StartRadioSettings() const
{
    const std::wstring program = ProgramFolder() + L"Aerolo.exe";
    ::ShellExecuteW(m_hWnd, nullptr, program.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
