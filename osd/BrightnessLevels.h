#pragma once
#include <cstdint>

class CTokenOperations;

// The panel's brightness levels: how many there are, the percentage each is
// worth, and the rules that move the tray's copy of the level. Levels run
// from 0 (darkest) to levelMax; every rule keeps a level inside that range,
// whatever the firmware or a message hands in.
struct BrightnessLevels {
    // The setting token whose three outputs are the level on this power
    // source, (unused) and the highest level.
    static constexpr uint16_t kLevelToken = 0x007D;

    int levelMax = 7;
    int levelStep = 12; // 100 / (levelMax + 1)

    // From the token, else from the models known to have sixteen levels.
    static BrightnessLevels Read(CTokenOperations& tokens, uint16_t systemId);
    static BrightnessLevels ForLevelMax(int levelMax);
    // The count for a model whose firmware does not report it.
    static int FallbackLevelMax(uint16_t systemId);

    uint16_t Clamp(int64_t level) const;

    // The level after a key while the display is up: an absolute value is
    // taken (within range), a relative one only when the result stays in range.
    uint16_t AfterKey(uint16_t current, int value, bool absolute) const;

    // The level read when the display is not up. When Windows owns the
    // brightness the tray's copy is kept; otherwise an absolute value is
    // taken, else the firmware is asked and a failed read keeps the copy.
    uint16_t ReadLevel(uint16_t current, int value, bool absolute, bool windowsOwnsBrightness,
                       CTokenOperations& tokens) const;

    // The display brightness in percent that the power plan keeps for a level.
    uint32_t PowerPlanValue(int level) const;

    // The level for a brightness Windows reports in percent. Below one step
    // this is the darkest level, above 100 the brightest.
    uint16_t LevelFromPercent(uint64_t percent) const;
};
