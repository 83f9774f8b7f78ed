#pragma once
#include "FeatureServices.h"
#include "TrayContext.h"
#include "TrayEntry.h"
#include "TrayFeature.h"

// The brightness keys and the firmware's brightness events, the brightness
// display and its refresh on a power-source change.
class CBrightnessFeature : public ITrayFeature, public IBrightnessRefresh, public IExitDismissal {
public:
    explicit CBrightnessFeature(const TrayContext& context);

    void RegisterRoutes(CTrayDispatcher& dispatcher) override;
    void RefreshBrightnessDisplay() override { m_refreshDisplay(); }
    void HideForExit() override { m_hideDisplay(); }

private:
    const TrayContext& m_context;
    // absolute: value is the level; otherwise the step (-1 or +1) from the current level.
    CTrayEntry<void(int value, bool absolute)> m_showBrightness;
    // From the brightness-event watcher: 100 is the maximum.
    CTrayEntry<void(int percent)> m_showBrightnessPercent;
    CTrayEntry<void()> m_refreshDisplay;
    CTrayEntry<void()> m_hideDisplay;
};
