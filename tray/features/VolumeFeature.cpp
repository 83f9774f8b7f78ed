#include "VolumeFeature.h"

#include "BiosCalls.h"
#include "FeatureConfig.h"
#include "MessageCatalogue.h"
#include "OsdFactory.h"
#include "OsdHider.h"
#include "TrayDispatcher.h"
#include "TrayWindow.h"

namespace {

// The firmware is told of the mute state where it lights a mute indicator.
constexpr int kMuteIndicatorFeature = 34;
constexpr uint16_t kMuteReportClass = 0x0004;
constexpr uint16_t kMuteReportSelect = 0x000B;
constexpr uint32_t kMuteReportArg = 0x31;
constexpr uint32_t kMutedReport = 0xF1;
constexpr uint32_t kSoundingReport = 0x81;
constexpr WPARAM kHighestPercent = 100;
constexpr LPARAM kMutedFlag = 1;
constexpr LPARAM kTicksWhileMutedFlag = 2;

} // namespace

CVolumeFeature::CVolumeFeature(const TrayContext& context, const DisplayFlags& displayFlags,
                               std::unique_ptr<IAudioEndpoint> audio)
    : m_context(context)
    , m_displayFlags(displayFlags)
    , m_audio(std::move(audio))
    , m_display(CreateVolumeDlg(context.osdStyle, nullptr))
    , m_window(std::make_unique<COsdWindow>(*m_display))
    , m_hideDisplaysForMute(context.dispatcher.Trace(), "HideDisplaysForMute",
                            [this] { m_context.osds.HideOtherOsds(OsdKind::Volume); })
    , m_showVolumeDisplay(context.dispatcher.Trace(), "ShowVolumeDisplay",
                          [this] {
                              m_context.osds.HideOtherOsds(OsdKind::Volume);
                              m_audio->PostCurrentVolume();
                          })
    , m_unmuteAudio(context.dispatcher.Trace(), "UnmuteAudio", [this] { m_audio->UnmuteAndPostVolume(); })
    , m_showVolumeChange(context.dispatcher.Trace(), "ShowVolumeChange",
                         [this](WPARAM volume, LPARAM mute) { ShowVolume(volume, mute); })
    , m_rebindAudioEndpoint(context.dispatcher.Trace(), "RebindAudioEndpoint", [this] { m_audio->Rebind(); })
    , m_drawVolume(
          context.dispatcher.Trace(), "DrawVolume",
          [this](int value, bool muted, bool ticksWhileMuted) { DrawVolume(value, muted, ticksWhileMuted); })
{
    // Without an audio object the volume display never comes up and is not another's to close.
    if (m_audio) context.osds.AddOsd(OsdMember::Volume, *m_window);
}

CVolumeFeature::~CVolumeFeature() = default;

void CVolumeFeature::RegisterRoutes(CTrayDispatcher& dispatcher)
{
    for (uint16_t code : {0xE020, 0xE080, 0xE0A0, 0xE0AE}) {
        dispatcher.RouteKey(code, [this] {
            if (VolumeDisplayEnabled()) m_hideDisplaysForMute();
        });
    }
    for (uint16_t code : {0xE02E, 0xE030}) {
        dispatcher.RouteKey(code, [this] {
            if (m_audio && VolumeDisplayEnabled()) m_showVolumeDisplay();
        });
        dispatcher.RouteBios(code, [this](const BiosEventCode&) { VolumeFromBios(); });
    }
    dispatcher.RouteRegistered(messages::kVolumeChange,
                               [this](WPARAM volume, LPARAM mute) { m_showVolumeChange(volume, mute); });
    dispatcher.RouteRegistered(messages::kAudioEndpointChange, [this](WPARAM, LPARAM) {
        if (m_audio) m_rebindAudioEndpoint();
    });
}

void CVolumeFeature::Start()
{
    if (m_audio) m_audio->Start(m_context.window.Handle());
}

void CVolumeFeature::Stop()
{
    m_display->Close();
    if (m_audio) m_audio->Stop();
}

void CVolumeFeature::SetVolumeDisplayEnabled(bool enabled)
{
    if (m_audio) m_audio->SetOsdEnabled(enabled);
}

void CVolumeFeature::VolumeFromBios()
{
    if (!m_audio || !VolumeDisplayEnabled()) return;
    const bool mutedOnVistaK7 = m_context.osdStyle == feature_config::kStyleK7
                                && m_context.capabilities.IsSet(feature_config::kWindowsVista)
                                && m_audio->IsMuted();
    if (mutedOnVistaK7) {
        m_unmuteAudio();
    } else {
        m_showVolumeDisplay();
    }
}

void CVolumeFeature::ShowVolume(WPARAM level, LPARAM flags)
{
    const bool muted = (flags & kMutedFlag) != 0;
    // Another program's change (0xFFFFFFFF) shows nothing.
    if (level <= kHighestPercent) {
        m_context.osds.HideOtherOsds(OsdKind::Volume);
        if (m_context.osds.OsdAllowed()
            && (m_display->HasWindow() || m_display->Open(m_context.window.Handle()))) {
            m_display->Show(true);
            m_drawVolume(static_cast<int>(level), muted, (flags & kTicksWhileMutedFlag) != 0);
        }
    }
    ReportMuteToFirmware(muted);
}

void CVolumeFeature::DrawVolume(int value, bool muted, bool ticksWhileMuted)
{
    if (m_context.osdStyle == feature_config::kStyleK7) {
        m_display->ShowVolumeSteps(value, CVolumeDlg::kPercentRange, muted, ticksWhileMuted);
    } else {
        m_display->ShowVolume(value, CVolumeDlg::kPercentRange, muted);
    }
}

void CVolumeFeature::ReportMuteToFirmware(bool muted)
{
    if (!m_context.hardwareFeature(kMuteIndicatorFeature)) return;
    BiosCallBuffer call;
    m_context.bios.PerformSmi(call, kMuteReportClass, kMuteReportSelect, kMuteReportArg,
                              muted ? kMutedReport : kSoundingReport, 0, 0);
}
