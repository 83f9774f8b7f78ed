#include "DisplayFlags.h"
#include "Settings.h"

void DisplayFlags::Load()
{
    const CSettings settings;
    brightness = settings.ReadDword(L"DlgDisablerBRG", brightness);
    volume = settings.ReadDword(L"DlgDisablerVOL", volume);
    radio = settings.ReadDword(L"DlgDisablerRAD", radio);
    locatorMessage = settings.ReadDword(L"DlgDisplayNetwispMsg", locatorMessage);
}

void DisplayFlags::Save() const
{
    const CSettings settings;
    settings.WriteDword(L"DlgDisablerVOL", volume);
    settings.WriteDword(L"DlgDisablerBRG", brightness);
    settings.WriteDword(L"DlgDisablerRAD", radio);
}
