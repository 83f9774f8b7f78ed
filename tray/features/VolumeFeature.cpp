#include "VolumeFeature.h"

#include "FeatureConfig.h"
#include "MessageCatalogue.h"
#include "TrayDispatcher.h"

CVolumeFeature::CVolumeFeature(const TrayContext& context, IAudioEndpoint* audio)
    : m_context(context)
    , m_audio(audio)
    , m_hideDisplaysForMute(context.dispatcher.Trace(), "HideDisplaysForMute")
    , m_showVolumeDisplay(context.dispatcher.Trace(), "ShowVolumeDisplay")
    , m_unmuteAudio(context.dispatcher.Trace(), "UnmuteAudio")
    , m_showVolumeChange(context.dispatcher.Trace(), "ShowVolumeChange")
    , m_rebindAudioEndpoint(context.dispatcher.Trace(), "RebindAudioEndpoint")
{}

void CVolumeFeature::RegisterRoutes(CTrayDispatcher& dispatcher)
{
    for (uint16_t code : {0xE020, 0xE080, 0xE0A0, 0xE0AE})
        dispatcher.RouteKey(code, [this] { m_hideDisplaysForMute(); });
    for (uint16_t code : {0xE02E, 0xE030}) {
        dispatcher.RouteKey(code, [this] { m_showVolumeDisplay(); });
        dispatcher.RouteBios(code, [this](const BiosEventCode&) { VolumeFromBios(); });
    }
    dispatcher.RouteRegistered(messages::kVolumeChange,
                               [this](WPARAM volume, LPARAM mute) { m_showVolumeChange(volume, mute); });
    dispatcher.RouteRegistered(messages::kAudioEndpointChange,
                               [this](WPARAM, LPARAM) { m_rebindAudioEndpoint(); });
}

void CVolumeFeature::VolumeFromBios()
{
    const bool mutedOnVistaK7 = m_context.osdStyle == feature_config::kStyleK7
                                && m_context.capabilities.IsSet(feature_config::kWindowsVista)
                                && m_audio != nullptr && m_audio->IsMuted();
    if (mutedOnVistaK7) {
        m_unmuteAudio();
    } else {
        m_showVolumeDisplay();
    }
}
