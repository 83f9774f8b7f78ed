#include "MainFrame.h"
#include "SuitePrograms.h"

#include "AcpiWmi.h"
#include "WmiEvent.h"
#include "CompanionApp.h"
#include "FeatureConfig.h"
#include "MessageCatalogue.h"
#include "MobilityCenter.h"
#include "OsdAllowed.h"
#include "PowerNotice.h"
#include "ProgramFolder.h"
#include "SettingNames.h"
#include "Settings.h"
#include "StatusDisplaysFeature.h"
#include "TavrinStrings.h"
#include "TextLoader.h"
#include "TrayIconFeature.h"
#include "UserRights.h"
#include "VersionReport.h"

namespace {

// The mutex name when the title text cannot be loaded: an unnamed mutex
// would let every copy run.
constexpr wchar_t kFallbackInstanceName[] = L"Corvane Tavrin";

} // namespace

CMainFrame::CMainFrame(CAcpiWmi& bios, const CCompanionApp& companion)
    : m_bios(bios)
    , m_companion(companion)
    , m_tokens(bios.TokenOperations())
    , m_dispatcher(m_trace, *this, bios.SystemId())
{
    m_limitedUser = LimitedUserFlag();

    m_capabilities.Clear();
    m_capabilities.Set(feature_config::WindowsVersionBit());
    if (feature_config::IsWirelessDisplayInstalled()) m_capabilities.Set(feature_config::kWirelessDisplay);
    const DWORD control = CSettings().ReadDword(setting_names::kTavrinControl, 0);
    // This program has no intelligent-display support to offer.
    feature_config::ApplyTavrinControl(control, false, m_capabilities);
    m_osdStyle = feature_config::OsdStyle(control);

    m_context.reset(new TrayContext{m_dispatcher, m_bios, m_tokens, m_bios.SystemId(),
                                    [this](int bit) { return m_bios.IsFeature(bit); }, m_capabilities,
                                    m_osdStyle, *this, *this, m_forwarder, &suite_programs::Start});
    m_features = std::make_unique<CTrayFeatures>(*m_context, m_companion);
    m_features->RegisterRoutes(m_dispatcher);

    version_report::Report(m_bios, version_report::ReadInstalledVersion(), 1);
}

CMainFrame::~CMainFrame()
{
    Shutdown();
}

bool CMainFrame::CreateHidden()
{
    return Create(messages::kTrayClass, messages::kTrayTitle, 0);
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
    m_features->Start();
    m_session.Start(m_hWnd);
    m_dispatcher.RouteRegistered(messages::kStopTavrin, [this](WPARAM, LPARAM) { m_close(); });
    m_stopTavrinMessage = messages::Register(messages::kStopTavrin);
    m_features->StatusDisplays().RecheckKeyboardBacklightSupport();
    // Delivered into this thread's apartment, so codes reach the dispatcher here.
    m_biosEvent = std::make_unique<CWmiEvent>(&m_dispatcher, m_hWnd);
    mobility_center::Register(ProgramFolder());
    return 0;
}

// Named after the title in the selected language, as every copy of this
// session selects it the same way.
bool CMainFrame::TakeSingleInstance()
{
    std::wstring name = texts::LoadSelected(IDS_APP_TITLE);
    if (name.empty()) name = kFallbackInstanceName;
    m_instanceMutex.reset(::CreateMutexW(nullptr, TRUE, name.c_str()));
    const bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
    if (m_instanceMutex && !existed) ::ReleaseMutex(m_instanceMutex.get());
    return m_instanceMutex && !existed;
}

void CMainFrame::HideOtherOsds(OsdKind kind)
{
    m_osds.HideOthers(kind);
    m_features->TrayIcon().FollowRegistry();
}

bool CMainFrame::OsdAllowed() const
{
    return ::OsdAllowed();
}

void CMainFrame::Shutdown()
{
    if (m_shutDown) return;
    m_shutDown = true;
    m_features->TrayIcon().RemoveIcon();
    ReleaseServices();
    m_biosEvent.reset();
    if (m_exitReport) version_report::Report(m_bios, version_report::ReadInstalledVersion(), 0);
}

void CMainFrame::OnClose()
{
    Shutdown();
    CFrameWnd::OnClose();
}

bool CMainFrame::OnQueryEndSession()
{
    return true;
}

// The session ends: the shutdown runs now, as the process may end before any WM_CLOSE.
void CMainFrame::OnEndSession(bool ending)
{
    if (ending) Shutdown();
}

void CMainFrame::ReleaseServices()
{
    if (m_servicesReleased) return;
    m_servicesReleased = true;
    m_session.Stop();
    m_features->Stop();
}

LRESULT CMainFrame::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_QUIT) { // sent, not posted: release without closing
        ReleaseServices();
        return 0;
    }
    if (msg == WM_POWERBROADCAST && power_notice::IsUntrusted(wp, lp, ::InSendMessageEx(nullptr)))
        return TRUE;
    // Routed messages still get the default processing.
    m_dispatcher.DispatchMessage(msg, wp, lp);
    return CFrameWnd::WindowProc(msg, wp, lp);
}

// Timers are the window's own: one sent by another program is not acted on.
void CMainFrame::OnTimer(UINT_PTR id)
{
    if ((::InSendMessageEx(nullptr) & ISMEX_SEND) != 0) return;
    m_dispatcher.DispatchTimer(id);
}

bool CMainFrame::OnCommand(UINT id, UINT, HWND)
{
    return m_dispatcher.DispatchCommand(id);
}
