#pragma once
#include "FeatureComponents.h"
#include "TrayContext.h"
#include "TrayEntry.h"
#include "TrayFeature.h"

// The display-switch key: pressed, released and cycled, with the pause after
// which the chosen combination is committed.
class CDisplaySwitchFeature : public ITrayFeature {
public:
    static constexpr UINT kCommitDelayMs = 500;

    // osd: the display-switch display, or null without one.
    CDisplaySwitchFeature(const TrayContext& context, IDisplaySwitchOsd* osd);

    void RegisterRoutes(CTrayDispatcher& dispatcher) override;

private:
    void Pressed(uint16_t arg1, uint16_t arg2, uint16_t arg3, bool fromBios);
    void Released();

    const TrayContext& m_context;
    IDisplaySwitchOsd* m_osd;
    CTrayEntry<void(uint8_t proposed, uint8_t active, uint8_t attached, bool fromBios)> m_show;
    CTrayEntry<void(uint16_t arg1, uint16_t arg2, uint16_t arg3, bool fromBios)> m_showPressed;
    CTrayEntry<void()> m_finish;
    CTrayEntry<void()> m_commit;
};
