#pragma once
#include "BrightnessDlg.h"
#include "BrightnessLevels.h"
#include "DisplayFlags.h"
#include "FeatureServices.h"
#include "OsdWindow.h"
#include "TrayContext.h"
#include "TrayEntry.h"
#include "TrayFeature.h"

#include <memory>

// The brightness keys and the firmware's brightness events, the brightness
// display and its refresh on a power-source change. The tray keeps its own
// copy of the level: while the display is up it is counted from the keys,
// otherwise read from the firmware.
class CBrightnessFeature : public ITrayFeature, public IBrightnessRefresh, public IExitDismissal {
public:
    CBrightnessFeature(const TrayContext& context, const DisplayFlags& displayFlags);
    ~CBrightnessFeature() override;

    void RegisterRoutes(CTrayDispatcher& dispatcher) override;
    void RefreshBrightnessDisplay() override { m_refreshDisplay(); }
    void HideForExit() override { m_hideDisplay(); }

    uint16_t Level() const { return m_level; }
    const BrightnessLevels& Levels() const { return m_levels; }

private:
    void ShowBrightness(int value, bool absolute);
    void ShowPercent(int percent);
    void Refresh();
    // Windows owns the level: only its brightness events move it.
    bool WindowsOwnsBrightness() const;
    void ShowOnOpenDisplay(int value, bool absolute);
    void ShowOnNewDisplay(int value, bool absolute);
    void ReadLevel(int value, bool absolute);

    const TrayContext& m_context;
    const DisplayFlags& m_displayFlags;
    BrightnessLevels m_levels;
    uint16_t m_level = 0;
    std::unique_ptr<CBrightnessDlg> m_display;
    std::unique_ptr<COsdWindow> m_window;
    // absolute: value is the level; otherwise the step (-1 or +1) from the current level.
    CTrayEntry<void(int value, bool absolute)> m_showBrightness;
    // From the brightness-event watcher: 100 is the maximum.
    CTrayEntry<void(int percent)> m_showBrightnessPercent;
    CTrayEntry<void()> m_refreshDisplay;
    // What the display is given to draw: support and the tests see the level shown.
    CTrayEntry<void(int level)> m_drawLevel;
    CTrayEntry<void()> m_hideDisplay;
};
