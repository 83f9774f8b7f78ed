#pragma once
#include "FeatureComponents.h"
#include "FeatureServices.h"
#include "TrayContext.h"
#include "TrayEntry.h"
#include "TrayFeature.h"

#include <functional>

// Extended Battery Life and Zerovazazar Oduzizi: the battery key, the battery
// meter's switch requests, their timers and their return after a resume.
class CBatterySavingFeature : public ITrayFeature, public IBatterySaving {
public:
    static constexpr UINT kResumeTimerMs = 1000;

    // state: the two features' state, or null without them; inputDesktop
    // tells whether the user's desktop is back after a resume.
    CBatterySavingFeature(const TrayContext& context, IBatterySavingState* state,
                          std::function<bool()> inputDesktop);

    void RegisterRoutes(CTrayDispatcher& dispatcher) override;
    void PowerSourceChanged() override { m_powerSourceChanged(); }
    bool NeedsPostResumeAnnouncement() const override;
    void KeyAction() override { m_keyAction(); }

    static bool IsInputDesktopAvailable();

private:
    void OnResumeTimer();

    const TrayContext& m_context;
    IBatterySavingState* m_state;
    std::function<bool()> m_inputDesktop;
    CTrayEntry<void()> m_batteryButton;
    CTrayEntry<void(bool on)> m_toggleExtendedBatteryLife;
    CTrayEntry<void(bool on)> m_toggleIntelligentDisplay;
    CTrayEntry<void()> m_eblEvaluationTimer;
    CTrayEntry<void()> m_intelligentDisplayTimer;
    CTrayEntry<void()> m_postResumeAnnouncement;
    CTrayEntry<void()> m_powerSourceChanged;
    CTrayEntry<void()> m_keyAction;
};
