#include "DisplayFlags.h"
#include "SettingNames.h"
#include "SettingsTable.h"

namespace {

using namespace setting_names;

// Read and written in this order.
const SettingsField<DisplayFlags> kSwitches[] = {
    {kDlgDisablerVol, &DisplayFlags::volume, 1},
    {kDlgDisablerBrg, &DisplayFlags::brightness, 1},
    {kDlgDisablerRad, &DisplayFlags::radio, 1},
};
const SettingsField<DisplayFlags> kLocatorMessage[] = {
    {kDlgDisplayNetwispMsg, &DisplayFlags::locatorMessage, 1},
};

} // namespace

void DisplayFlags::Load()
{
    const CSettings settings;
    for (const auto& field : kSwitches) field.Load(settings, *this);
    for (const auto& field : kLocatorMessage) field.Load(settings, *this);
}

void DisplayFlags::SaveChangesSince(const DisplayFlags& loaded) const
{
    SaveChangedSettings(CSettings(), loaded, *this, kSwitches);
}
