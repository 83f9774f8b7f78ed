#include "BrightnessLevels.h"

#include <algorithm>

#include "TokenOperations.h"

namespace {

constexpr int kDefaultLevelMax = 7;
constexpr int kSixteenLevelMax = 15;
// A step must be worth at least one percent, so no count beyond 100 levels is believed.
constexpr int kHighestBelievableLevelMax = 99;

constexpr uint16_t kSixteenLevelModels[]
    = {0x0254, 0x0255, 0x0256, 0x025A, 0x0271, 0x0272, 0x029F, 0x02A0, 0x02BE};

} // namespace

BrightnessLevels BrightnessLevels::ForLevelMax(int levelMax)
{
    BrightnessLevels levels;
    levels.levelMax = std::clamp(levelMax, 1, kHighestBelievableLevelMax);
    levels.levelStep = 100 / (levels.levelMax + 1);
    return levels;
}

int BrightnessLevels::FallbackLevelMax(uint16_t systemId)
{
    const bool sixteen = std::find(std::begin(kSixteenLevelModels), std::end(kSixteenLevelModels), systemId)
                         != std::end(kSixteenLevelModels);
    return sixteen ? kSixteenLevelMax : kDefaultLevelMax;
}

BrightnessLevels BrightnessLevels::Read(CTokenOperations& tokens, uint16_t systemId)
{
    uint16_t current = 0, unused = 0, highest = 0;
    int levelMax = 0;
    if (tokens.ReadAll(kLevelToken, &current, &unused, &highest)) levelMax = highest;
    if (levelMax <= 0 || levelMax > kHighestBelievableLevelMax) levelMax = FallbackLevelMax(systemId);
    return ForLevelMax(levelMax);
}

uint16_t BrightnessLevels::Clamp(int64_t level) const
{
    return static_cast<uint16_t>(std::clamp<int64_t>(level, 0, levelMax));
}

uint16_t BrightnessLevels::AfterKey(uint16_t current, int value, bool absolute) const
{
    if (absolute) return Clamp(value);
    const int64_t next = static_cast<int64_t>(current) + value;
    return next >= 0 && next <= levelMax ? static_cast<uint16_t>(next) : current;
}

uint16_t BrightnessLevels::ReadLevel(uint16_t current, int value, bool absolute, bool windowsOwnsBrightness,
                                     CTokenOperations& tokens) const
{
    if (windowsOwnsBrightness) return current;
    if (absolute) return Clamp(value);
    uint16_t level = 0;
    if (!tokens.ReadAll(kLevelToken, &level, nullptr, nullptr)) return current;
    return Clamp(level);
}

uint32_t BrightnessLevels::PowerPlanValue(int level) const
{
    const int shown = Clamp(level);
    if (shown == levelMax) return 100;
    return static_cast<uint32_t>((shown + 1) * levelStep);
}

uint16_t BrightnessLevels::LevelFromPercent(uint64_t percent) const
{
    if (percent >= 100) return static_cast<uint16_t>(levelMax);
    return Clamp(static_cast<int64_t>(percent) / levelStep - 1);
}
