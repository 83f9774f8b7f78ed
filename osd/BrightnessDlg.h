#pragma once
#include "OsdDialog.h"

#include <functional>

class IBiosCalls;

// What a brightness display is made with (the tray's main window knows it).
struct BrightnessDlgParams {
    // Highest level (levels 0..levelMax), as the firmware reports it.
    int levelMax = 7;
    // For the ambient light sensor's state; may be null (no firmware).
    IBiosCalls* bios = nullptr;
    // Writes a brightness percentage into the active power plan.
    std::function<void(DWORD percent)> writePowerPlan;
    // Reads the level count again (optional): the highest level, or 0 when unknown.
    std::function<int()> readLevelCount;
    HWND owner = nullptr;
    // Windows keeps the brightness in the power plan itself: the slider and
    // outline displays then leave the plan alone.
    bool skipPowerPlan = false;
};

// The brightness display family. The tray keeps the level; the display is
// told it and remembers the last one shown. When the display's window goes
// (closed, timed out, hidden by another display) the level shown is written
// into the power plan so that Windows keeps the same brightness.
class CBrightnessDlg : public COsdDialog {
public:
    static constexpr UINT kTemplateId = 313;

    explicit CBrightnessDlg(const BrightnessDlgParams& params);

    // Shows a level 0..levelMax (drawn at once; the display's timer restarts).
    virtual void ShowLevel(int level) = 0;
    // Reads the level count again when the tray gave a way to (levelMax, levelStep).
    virtual void ReadLevelCount();

    int LevelMax() const { return levelMax; }
    int LevelStep() const { return levelStep; }
    void SetLevelMax(int highest);
    int ShownLevel() const { return shownLevel; }
    void SetShownLevel(int level) { shownLevel = ClampLevel(level); }
    bool SkipPowerPlan() const { return skipPowerPlan; }

    // The level is not shown this time (suppressed): it still goes into the
    // power plan, unless Windows keeps it there itself.
    void WriteLevelNotShown();

protected:
    // The dialog and panel styles write the plan whenever they close.
    void SetWritesAlways(bool always) { m_writesAlways = always; }
    void OnDestroy() override;
    int ClampLevel(int level) const;
    IBiosCalls* Bios() const { return m_bios; }

    int levelMax = 7;
    int levelStep = 12;
    int shownLevel = 0;
    bool skipPowerPlan = false;

private:
    void WritePowerPlan();

    IBiosCalls* m_bios;
    std::function<void(DWORD)> m_writePowerPlan;
    std::function<int()> m_readLevelCount;
    bool m_writesAlways = false;
};
