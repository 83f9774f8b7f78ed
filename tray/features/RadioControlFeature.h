#pragma once
#include "TrayContext.h"
#include "TrayEntry.h"
#include "TrayFeature.h"

// The wireless-configuration key: the radio-control program, started for the key.
class CRadioControlFeature : public ITrayFeature {
public:
    explicit CRadioControlFeature(const TrayContext& context);

    void RegisterRoutes(CTrayDispatcher& dispatcher) override;

private:
    CTrayEntry<void()> m_startRadioConfiguration;
};
