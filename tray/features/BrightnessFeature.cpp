#include "BrightnessFeature.h"

#include "MessageCatalogue.h"
#include "OsdHider.h"
#include "TrayDispatcher.h"

#include <algorithm>

namespace {

constexpr WPARAM kMaxBrightnessPercent = 100;

} // namespace

CBrightnessFeature::CBrightnessFeature(const TrayContext& context)
    : m_context(context)
    , m_showBrightness(context.dispatcher.Trace(), "ShowBrightness",
                       [this](int, bool) { m_context.osds.HideOtherOsds(OsdKind::Brightness); })
    , m_showBrightnessPercent(context.dispatcher.Trace(), "ShowBrightnessPercent")
    , m_refreshDisplay(context.dispatcher.Trace(), "RefreshBrightnessDisplay")
    , m_hideDisplay(context.dispatcher.Trace(), "HideBrightnessDisplay")
{}

void CBrightnessFeature::RegisterRoutes(CTrayDispatcher& dispatcher)
{
    dispatcher.RouteKey(0xE005, [this] { m_showBrightness(-1, false); });
    dispatcher.RouteKey(0xE006, [this] { m_showBrightness(+1, false); });
    for (uint16_t code : {0xE005, 0xE006})
        dispatcher.RouteBios(code, [this](const BiosEventCode& e) { m_showBrightness(e.arg1, true); });
    dispatcher.RouteRegistered(messages::kBrightnessChange, [this](WPARAM percent, LPARAM) {
        m_showBrightnessPercent(static_cast<int>(std::min(percent, kMaxBrightnessPercent)));
    });
}
