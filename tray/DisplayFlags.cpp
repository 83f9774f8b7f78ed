#include "DisplayFlags.h"
#include "SettingNames.h"
#include "Settings.h"

using namespace setting_names;

void DisplayFlags::Load()
{
    const CSettings settings;
    brightness = settings.ReadDword(kDlgDisablerBrg, brightness);
    volume = settings.ReadDword(kDlgDisablerVol, volume);
    radio = settings.ReadDword(kDlgDisablerRad, radio);
    locatorMessage = settings.ReadDword(kDlgDisplayNetwispMsg, locatorMessage);
}

void DisplayFlags::Save() const
{
    const CSettings settings;
    settings.WriteDword(kDlgDisablerVol, volume);
    settings.WriteDword(kDlgDisablerBrg, brightness);
    settings.WriteDword(kDlgDisablerRad, radio);
}
