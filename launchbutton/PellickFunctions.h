#pragma once
#include <cstdint>
#include <vector>

// The sixteen functions the launch button can be given, their labels in the
// manager's tables and when the manager offers them.
namespace pellick {

enum Function : uint32_t {
    kNotAssigned = 0,
    kMute = 1,
    kDisplayOff = 2,
    kHibernate = 3,
    kSleep = 4,
    kEject = 5,
    kRefreshBrowser = 6,
    kCloseWindow = 7,
    kConnectNetwork = 8,
    kSpecialCharacter = 9,
    kWirelessDisplay = 10,
    kPresentationMode = 11,
    kMediaCenter = 12,
    kLumara = 13,
    kLaunchProgram = 14,
    kOpenWebSite = 15,
};
inline constexpr uint32_t kFunctionCount = 16;

// A stored number outside the catalogue means nothing is assigned.
uint32_t FromStored(uint32_t stored);

// The manager's text id of the function's label.
unsigned LabelId(uint32_t function);

// Which optional programs the machine has.
struct Installed {
    bool characterMap = false;
    bool wirelessDisplay = false;
    bool presentationSettings = false;
    bool mediaCenter = false;
    bool lumara = false;
};

// The functions the manager offers, in the order it asks about them: the ones
// always there, then those whose program is installed.
std::vector<uint32_t> OfferList(const Installed& installed);

} // namespace pellick
