#include "StatusIcons.h"

#include "MeterIds.h"

const std::array<UINT, meter_display::kIconCount> CStatusIcons::kResources = {
    IDI_METER_LOW,    IDI_METER_LEVEL_1, IDI_METER_LEVEL_2, IDI_METER_LEVEL_3,      IDI_METER_LEVEL_4,
    IDI_METER_SAVING, IDI_METER_AC,      IDI_METER_ABSENT,  IDI_METER_CHARGING_OFF, IDI_METER_CHARGING,
};

void CStatusIcons::Load(int side)
{
    const HINSTANCE module = ::GetModuleHandleW(nullptr);
    for (size_t i = 0; i < m_icons.size(); ++i)
        m_icons[i].reset(static_cast<HICON>(
            ::LoadImageW(module, MAKEINTRESOURCEW(kResources[i]), IMAGE_ICON, side, side, LR_DEFAULTCOLOR)));
}

HICON CStatusIcons::Icon(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_icons.size())) return nullptr;
    return m_icons[static_cast<size_t>(index)].get();
}
