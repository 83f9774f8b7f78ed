#include "PellickFunctions.h"

#include "ActuoStrings.h"

namespace pellick {

namespace {

constexpr unsigned kLabels[kFunctionCount] = {
    IDS_FN_NOT_ASSIGNED,
    IDS_FN_MUTE,
    IDS_FN_DISPLAY_OFF,
    IDS_FN_HIBERNATE,
    IDS_FN_SLEEP,
    IDS_FN_EJECT,
    IDS_FN_REFRESH_BROWSER,
    IDS_FN_CLOSE_WINDOW,
    IDS_FN_CONNECT_NETWORK,
    IDS_FN_SPECIAL_CHARACTER,
    IDS_FN_WIRELESS_DISPLAY,
    IDS_FN_PRESENTATION_MODE,
    IDS_FN_MEDIA_CENTER,
    IDS_FN_LUMARA,
    IDS_FN_LAUNCH_PROGRAM,
    IDS_FN_OPEN_WEB_SITE,
};

} // namespace

uint32_t FromStored(uint32_t stored)
{
    return stored < kFunctionCount ? stored : kNotAssigned;
}

unsigned LabelId(uint32_t function)
{
    return kLabels[FromStored(function)];
}

std::vector<uint32_t> OfferList(const Installed& installed)
{
    std::vector<uint32_t> offered
        = {kNotAssigned, kLaunchProgram, kOpenWebSite, kRefreshBrowser, kCloseWindow};
    if (installed.characterMap) offered.push_back(kSpecialCharacter);
    if (installed.wirelessDisplay) offered.push_back(kWirelessDisplay);
    if (installed.presentationSettings) offered.push_back(kPresentationMode);
    if (installed.mediaCenter) offered.push_back(kMediaCenter);
    if (installed.lumara) offered.push_back(kLumara);
    return offered;
}

} // namespace pellick
