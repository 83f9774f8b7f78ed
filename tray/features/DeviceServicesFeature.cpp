#include "DeviceServicesFeature.h"

#include "FeatureConfig.h"
#include "MessageCatalogue.h"
#include "TavrinStrings.h"
#include "TextLoader.h"
#include "TrayDispatcher.h"
#include "TrayWindow.h"

CDeviceServicesFeature::CDeviceServicesFeature(const TrayContext& context)
    : m_context(context)
    , m_startWirelessDisplay(context.dispatcher.Trace(), "StartWirelessDisplay")
    , m_showMessage(context.dispatcher.Trace(), "ShowMessage",
                    [this](UINT stringId) {
                        m_messageOpen = true;
                        ::MessageBoxW(m_context.window.Handle(), texts::LoadSelected(stringId).c_str(),
                                      messages::kTrayTitle, MB_OK | MB_ICONEXCLAMATION | MB_TOPMOST);
                        m_messageOpen = false;
                    })
    , m_openAudioPanel(context.dispatcher.Trace(), "OpenAudioPanel")
    , m_finishDeviceRescan(context.dispatcher.Trace(), "FinishDeviceRescan")
    , m_showAdvancedDisplayConfiguration(context.dispatcher.Trace(), "ShowAdvancedDisplayConfiguration")
{}

void CDeviceServicesFeature::RegisterRoutes(CTrayDispatcher& dispatcher)
{
    // Only the firmware's report acts: the same scan code from the keyboard is ignored.
    dispatcher.RouteBios(0xE023, [this](const BiosEventCode&) { WirelessDisplayFromBios(); });
    dispatcher.RouteKey(0xE026, [this] { m_openAudioPanel(); });
    dispatcher.RouteBios(0xE026, [this](const BiosEventCode&) { m_openAudioPanel(); });
    dispatcher.RouteRegistered(messages::kRescanDeviceManagerCompleted,
                               [this](WPARAM, LPARAM) { m_finishDeviceRescan(); });
    dispatcher.RouteRegistered(messages::kArkonShowAdvanced,
                               [this](WPARAM, LPARAM) { m_showAdvancedDisplayConfiguration(); });
}

void CDeviceServicesFeature::WirelessDisplayFromBios()
{
    if (m_context.capabilities.IsSet(feature_config::kWirelessDisplay)) {
        m_startWirelessDisplay();
    } else if (!m_messageOpen) {
        m_showMessage(IDS_INSTALL_WIRELESS_DISPLAY);
    }
}
