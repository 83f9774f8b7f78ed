#include "TrayIconFeature.h"

#include "BringForward.h"
#include "MessageCatalogue.h"
#include "SettingNames.h"
#include "Settings.h"
#include "SuitePrograms.h"
#include "TavrinResources.h"
#include "TavrinStrings.h"
#include "TextLoader.h"
#include "TrayDispatcher.h"
#include "TrayMenus.h"
#include "TrayWindow.h"

namespace {

std::wstring LoadText(UINT id)
{
    return texts::LoadSelected(id);
}

bool IsIconWanted()
{
    return CSettings().ReadDword(setting_names::kShowTrayIcon, 0) != 0;
}

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

bool IsRunning(const UniqueHandle& process)
{
    return process && ::WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

} // namespace

CTrayIconFeature::CTrayIconFeature(const TrayContext& context, Parts parts)
    : m_context(context)
    , m_parts(std::move(parts))
    , m_displayFlags(m_parts.displayFlags)
    , m_addTrayIcon(context.dispatcher.Trace(), "AddTrayIcon",
                    [this] {
                        // At start and after a shell restart: only where the user wants an icon.
                        if (m_taskBar.IsShown()) AddIconNow();
                    })
    , m_removeTrayIcon(context.dispatcher.Trace(), "RemoveTrayIcon", [this] { m_taskBar.RemoveIcon(); })
    , m_singleClick(context.dispatcher.Trace(), "TrayIconSingleClick", [this] {
        OnSingleClick();
        m_doubleClicked = false;
    })
{
    m_loadedFlags = m_displayFlags;
    m_taskBar.SetShown(IsIconWanted());
}

void CTrayIconFeature::RegisterRoutes(CTrayDispatcher& dispatcher)
{
    dispatcher.RouteWindowMessage(messages::kTrayIconMessage,
                                  [this](WPARAM, LPARAM mouse) { OnTrayNotify(static_cast<UINT>(mouse)); });
    dispatcher.RouteRegistered(messages::kTaskbarCreated, [this](WPARAM, LPARAM) { m_addTrayIcon(); });
    dispatcher.RouteTimer(TimerId::TrayIconClick, [this] { m_singleClick(); });
    // The icon stops its own retries once an attempt succeeded or the last one failed.
    dispatcher.RouteTimer(
        TimerId::TrayIconRetry, [this] { m_taskBar.OnRetryTimer(); }, CTrayDispatcher::TimerStop::ByAction);
    dispatcher.RouteCommand(ID_TRAY_OPEN, [this] { OpenCompanion(); });
    dispatcher.RouteCommand(ID_TRAY_ABOUT, [this] { m_about.DoModal(m_context.window.Handle()); });
    dispatcher.RouteCommand(ID_TRAY_EXIT, [this] { Exit(); });
    dispatcher.RouteCommand(ID_TRAY_EBL_KEY, [this] { m_parts.batterySaving.KeyAction(); });
    dispatcher.RouteCommand(ID_TRAY_RADIO_SETTINGS,
                            [this] { m_context.startProgram(suite_programs::kRadioControl, L""); });
    dispatcher.RouteCommand(ID_POPUP_BRIGHTNESS,
                            [this] { m_displayFlags.brightness = m_displayFlags.brightness ? 0 : 1; });
    dispatcher.RouteCommand(ID_POPUP_RADIO, [this] { m_displayFlags.radio = m_displayFlags.radio ? 0 : 1; });
    dispatcher.RouteCommand(ID_POPUP_VOLUME, [this] { FlipVolumeFlag(); });
}

void CTrayIconFeature::Start()
{
    m_taskBar.Attach(m_context.window.Handle(), messages::kTrayIconMessage);
    m_addTrayIcon();
}

void CTrayIconFeature::Stop()
{
    m_displayFlags.SaveChangesSince(m_loadedFlags);
}

void CTrayIconFeature::FollowRegistry()
{
    const bool wanted = IsIconWanted();
    if (wanted && !m_taskBar.IsShown()) {
        m_taskBar.SetShown(true);
        m_addTrayIcon();
    } else if (!wanted && m_taskBar.IsShown()) {
        m_removeTrayIcon();
    }
}

void CTrayIconFeature::RemoveIcon()
{
    if (m_menuOpen) ::EndMenu();
    if (m_taskBar.IsShown()) m_taskBar.RemoveIcon();
}

void CTrayIconFeature::TrackMenu(HMENU menu)
{
    if (m_menuOpen || (::InSendMessageEx(nullptr) & ISMEX_SEND) != 0) return;
    m_menuOpen = true;
    tray_menus::Track(menu, m_context.window.Handle());
    m_menuOpen = false;
}

void CTrayIconFeature::AddIconNow()
{
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    auto icon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(CCompanionApp::kIconId),
                                                IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    m_taskBar.AddIcon(icon, texts::LoadSelected(CCompanionApp::kTooltipId));
}

void CTrayIconFeature::OnTrayNotify(UINT mouseMessage)
{
    switch (mouseMessage) {
    case WM_LBUTTONDBLCLK:
        m_doubleClicked = true;
        OpenCompanion();
        break;
    case WM_LBUTTONUP:
        m_context.dispatcher.StartTimer(TimerId::TrayIconClick, kClickDelayMs);
        break;
    case WM_RBUTTONUP:
        ShowContextMenu();
        break;
    default:
        break;
    }
}

void CTrayIconFeature::OnSingleClick()
{
    // The second click of a double click has already opened the companion.
    if (m_doubleClicked) return;
    if (!m_parts.companion.MenuOnClick())
        OpenCompanion();
    else if (!BringPanelForward())
        ShowHotkeyMenu();
}

void CTrayIconFeature::ShowHotkeyMenu()
{
    UniqueMenu menu = tray_menus::BuildHotkeyMenu(LoadText, m_displayFlags, m_parts.audio.IsAudioPresent());
    if (menu) TrackMenu(menu.get());
}

void CTrayIconFeature::ShowContextMenu()
{
    if (!m_contextMenu)
        m_contextMenu.reset(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU)));
    HMENU popup = m_contextMenu ? ::GetSubMenu(m_contextMenu.get(), 0) : nullptr;
    if (!popup) return;
    // No optical-drive control exists in this program yet.
    tray_menus::PrepareContextMenu(popup, LoadText, false);
    TrackMenu(popup);
}

// The main thread never waits for the companion; a request while the one
// this tray started still runs starts nothing.
void CTrayIconFeature::OpenCompanion()
{
    if (IsRunning(m_companionProcess)) return;
    m_companionProcess = m_parts.companion.Launch(texts::LoadSelected(IDS_LAUNCH_PANEL_TITLE));
}

void CTrayIconFeature::Exit()
{
    for (IExitDismissal* dismissal : m_parts.dismissals) dismissal->HideForExit();
    ::SendMessageW(m_context.window.Handle(), WM_CLOSE, 0, 0);
}

void CTrayIconFeature::FlipVolumeFlag()
{
    // Without an audio object the volume display cannot be switched on.
    m_displayFlags.volume = m_displayFlags.volume == 0 && m_parts.audio.IsAudioPresent() ? 1 : 0;
    m_parts.audio.SetVolumeDisplayEnabled(m_displayFlags.volume != 0);
}
