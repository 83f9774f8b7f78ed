#include "StatusDisplaysFeature.h"

#include "FeatureConfig.h"
#include "MessageCatalogue.h"
#include "OsdHider.h"
#include "TrayDispatcher.h"

namespace {

constexpr int kCapsLockIndicator = 101;
constexpr int kNumLockIndicator = 102;
// Hardware feature bit: the keyboard has a backlight.
constexpr int kKeyboardLightFeature = 26;

} // namespace

CStatusDisplaysFeature::CStatusDisplaysFeature(const TrayContext& context)
    : m_context(context)
    // Manual reset, signalled: no eject is running.
    , m_ejectEvent(::CreateEventW(nullptr, TRUE, TRUE, nullptr))
    , m_showLockKey(context.dispatcher.Trace(), "ShowLockKey",
                    [this](int, bool) { m_context.osds.HideOtherOsds(OsdKind::LockKeys); })
    , m_eject(context.dispatcher.Trace(), "Eject", [this] { m_context.osds.HideOtherOsds(OsdKind::Eject); })
    // The sensor's dialog stays out of the displays' turn-taking.
    , m_showAmbientLight(context.dispatcher.Trace(), "ShowAmbientLightSensor")
    , m_recheckKeyboardBacklight(context.dispatcher.Trace(), "RecheckKeyboardBacklightSupport", [this] {
        feature_config::ReportKeyboardLightSupport(m_context.hardwareFeature(kKeyboardLightFeature));
    })
{}

// The key passes no value; the firmware's event gives it in argument 1.
void CStatusDisplaysFeature::RouteBoth(CTrayDispatcher& dispatcher, uint16_t code,
                                       void (CStatusDisplaysFeature::*show)(int, bool))
{
    dispatcher.RouteKey(code, [this, show] { (this->*show)(0, false); });
    dispatcher.RouteBios(code, [this, show](const BiosEventCode& e) { (this->*show)(e.arg1, true); });
}

void CStatusDisplaysFeature::ShowCapsLock(int, bool fromBios)
{
    m_showLockKey(kCapsLockIndicator, fromBios);
}

void CStatusDisplaysFeature::ShowNumLock(int, bool fromBios)
{
    m_showLockKey(kNumLockIndicator, fromBios);
}

void CStatusDisplaysFeature::RegisterRoutes(CTrayDispatcher& dispatcher)
{
    RouteBoth(dispatcher, 0x003A, &CStatusDisplaysFeature::ShowCapsLock);
    RouteBoth(dispatcher, 0xE045, &CStatusDisplaysFeature::ShowNumLock);
    RouteBoth(dispatcher, 0xE013, &CStatusDisplaysFeature::ShowAmbientLight);
    dispatcher.RouteKey(0xE009, [this] { m_eject(); });
    dispatcher.RouteBios(0xE009, [this](const BiosEventCode&) { m_eject(); });
    dispatcher.RouteWindowMessage(messages::kKeyboardLightSupportChanged,
                                  [this](WPARAM, LPARAM) { m_recheckKeyboardBacklight(); });
}
