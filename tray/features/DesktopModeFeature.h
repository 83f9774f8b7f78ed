#pragma once
#include "FeatureServices.h"
#include "TrayContext.h"
#include "TrayEntry.h"
#include "TrayFeature.h"

// Battery desktop mode: the firmware's advice event and the battery meter's
// requests, on machines with the desktop-mode capability.
class CDesktopModeFeature : public ITrayFeature, public IDesktopMode {
public:
    explicit CDesktopModeFeature(const TrayContext& context);

    void RegisterRoutes(CTrayDispatcher& dispatcher) override;
    void DesktopModeRefresh() override { m_refresh(); }

private:
    void OnServiceMessage(WPARAM request, LPARAM flags);
    bool IsAvailable() const;

    const TrayContext& m_context;
    CTrayEntry<void()> m_adviceCheck;
    CTrayEntry<void(bool chosen, bool reminder)> m_storeChoice;
    CTrayEntry<void()> m_apply;
    CTrayEntry<void()> m_refresh;
};
