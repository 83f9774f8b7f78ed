#include "DesktopModeFeature.h"

#include "FeatureConfig.h"
#include "MessageCatalogue.h"
#include "TrayDispatcher.h"

namespace {

constexpr WPARAM kServiceStoreDesktopMode = 1;
constexpr WPARAM kServiceApplyDesktopMode = 2;

} // namespace

CDesktopModeFeature::CDesktopModeFeature(const TrayContext& context)
    : m_context(context)
    , m_adviceCheck(context.dispatcher.Trace(), "DesktopModeAdviceCheck")
    , m_storeChoice(context.dispatcher.Trace(), "StoreDesktopModeChoice")
    , m_apply(context.dispatcher.Trace(), "ApplyDesktopMode")
    , m_refresh(context.dispatcher.Trace(), "DesktopModeRefresh")
{}

bool CDesktopModeFeature::IsAvailable() const
{
    return m_context.capabilities.IsSet(feature_config::kDesktopMode);
}

void CDesktopModeFeature::RegisterRoutes(CTrayDispatcher& dispatcher)
{
    dispatcher.RouteBios(0xE029, [this](const BiosEventCode&) {
        if (IsAvailable()) m_adviceCheck();
    });
    dispatcher.RouteRegistered(messages::kMyServiceMessage,
                               [this](WPARAM request, LPARAM flags) { OnServiceMessage(request, flags); });
}

void CDesktopModeFeature::OnServiceMessage(WPARAM request, LPARAM flags)
{
    if (!IsAvailable()) return;
    if (request == kServiceStoreDesktopMode) {
        m_storeChoice((flags & 1) != 0, (flags & 2) != 0);
    } else if (request == kServiceApplyDesktopMode) {
        m_apply();
    }
}
