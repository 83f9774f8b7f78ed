#pragma once
#include "FeatureComponents.h"
#include "FeatureServices.h"
#include "TrayContext.h"
#include "TrayEntry.h"
#include "TrayFeature.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>

// The programmable launch button, the display-off button with its indicator
// and the monitor-power notices, and the manager key.
class CLaunchButtonFeature : public ITrayFeature, public ILaunchButton {
public:
    static constexpr uint64_t kButtonDebounceMs = 500;

    // executor: the launch-button executor, or null without one; tickCount
    // is the clock of the button debounce.
    CLaunchButtonFeature(const TrayContext& context, ILaunchButtonExecutor* executor,
                         const CSuspendState& suspend, std::function<uint64_t()> tickCount);

    void RegisterRoutes(CTrayDispatcher& dispatcher) override;
    // Registers the main window for the monitor-power notices.
    void Start() override;
    void ResetLaunchButtonExecutor() override { m_resetExecutor(); }
    void Suspending() override;

    // Models with the display-off indicator light.
    static bool HasDisplayOffIndicator(uint16_t systemId);

private:
    void LaunchButton();
    void DisplayOffButton();
    void OnMonitorPower(LPARAM data);
    bool DebouncePress(std::optional<uint64_t>& lastPress);
    void SendIndicator(int value);
    void ScheduleIndicator(int monitorState);

    const TrayContext& m_context;
    ILaunchButtonExecutor* m_executor;
    const CSuspendState& m_suspend;
    std::function<uint64_t()> m_tickCount;
    const bool m_displayOffIndicator;
    std::optional<uint64_t> m_lastLaunchPress;
    std::optional<uint64_t> m_lastDisplayOffPress;
    // Set while a display-off press is handled, so that the monitor-power
    // change it causes is not taken for an outside one.
    bool m_displayOffBusy = false;
    // What the indicator timer sends: 1 lights it (the display is off).
    int m_indicatorValue = 0;
    CTrayEntry<bool()> m_runLaunchButton;
    CTrayEntry<void()> m_bringManagerToFront;
    CTrayEntry<void()> m_sendIndicatorState;
    CTrayEntry<void()> m_toggleDisplayOff;
    CTrayEntry<void()> m_startManager;
    CTrayEntry<void(int monitorState)> m_scheduleIndicator;
    CTrayEntry<void(int monitorState)> m_setExecutorMonitorState;
    CTrayEntry<void()> m_updateIndicator;
    CTrayEntry<void()> m_resetExecutor;
};
