#include "BrightnessDlg.h"

#include <algorithm>

using namespace osd_geometry;

CBrightnessDlg::CBrightnessDlg(const BrightnessDlgParams& params)
    : COsdDialog(kTemplateId, params.owner)
    , skipPowerPlan(params.skipPowerPlan)
    , m_bios(params.bios)
    , m_writePowerPlan(params.writePowerPlan)
    , m_readLevelCount(params.readLevelCount)
{
    SetLevelMax(params.levelMax);
}

void CBrightnessDlg::SetLevelMax(int highest)
{
    // A count the firmware cannot have (none, or more than 100 levels) keeps
    // the display drawable and the percentages meaningful.
    levelMax = std::clamp(highest, 1, 99);
    levelStep = osd_geometry::LevelStep(levelMax);
    shownLevel = ClampLevel(shownLevel);
}

void CBrightnessDlg::ReadLevelCount()
{
    if (!m_readLevelCount) return;
    const int highest = m_readLevelCount();
    if (highest > 0) SetLevelMax(highest);
}

int CBrightnessDlg::ClampLevel(int level) const
{
    return std::clamp(level, 0, levelMax);
}

void CBrightnessDlg::WritePowerPlan()
{
    if (m_writePowerPlan) m_writePowerPlan(PowerPlanPercent(shownLevel, levelMax, levelStep));
}

void CBrightnessDlg::WriteLevelNotShown()
{
    if (!skipPowerPlan) WritePowerPlan();
}

void CBrightnessDlg::OnDestroy()
{
    if (m_writesAlways || !skipPowerPlan) WritePowerPlan();
    COsdDialog::OnDestroy();
}
