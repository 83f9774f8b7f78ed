#pragma once
#include "FeatureServices.h"
#include "TrayContext.h"
#include "TrayEntry.h"
#include "TrayFeature.h"

#include <functional>

// The power source changing, suspend and the resume sequence: each one
// ordered piece of code, in the order the features must see them.
class CPowerEventsFeature : public ITrayFeature {
public:
    struct Parts {
        IBatterySaving& batterySaving;
        IBatteryAlerts& batteryAlerts;
        IBrightnessRefresh& brightness;
        IDesktopMode& desktopMode;
        IHibernate& hibernate;
        ILaunchButton& launchButton;
    };

    // onAcPower: none asks Windows for the power source.
    CPowerEventsFeature(const TrayContext& context, const Parts& parts, CSuspendState& suspend,
                        std::function<bool()> onAcPower = nullptr);

    void RegisterRoutes(CTrayDispatcher& dispatcher) override;

private:
    void PowerSourceChanged();
    void Suspend();
    void Resume();
    bool HasDesktopMode() const;

    const TrayContext& m_context;
    Parts m_parts;
    CSuspendState& m_suspend;
    std::function<bool()> m_onAcPower;
    CTrayEntry<void(uint32_t running)> m_reportVersion;
};
