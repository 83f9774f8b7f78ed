#include "FeatureConfig.h"
#include "SettingNames.h"
#include "Settings.h"

namespace feature_config {
namespace {

// TavrinControl bits that map one to one onto capability bits.
constexpr int kDirectBits[] = {2, 3, 4, 5, 6, 7, 8, 9, 12, 13, 14, 15};

bool IsWorkstation(DWORD major, DWORD minor)
{
    OSVERSIONINFOEXW info{sizeof(info)};
    info.dwMajorVersion = major;
    info.dwMinorVersion = minor;
    info.wServicePackMajor = 0;
    info.wServicePackMinor = 0;
    info.wProductType = VER_NT_WORKSTATION;
    DWORDLONG mask = 0;
    mask = ::VerSetConditionMask(mask, VER_MAJORVERSION, VER_EQUAL);
    mask = ::VerSetConditionMask(mask, VER_MINORVERSION, VER_EQUAL);
    mask = ::VerSetConditionMask(mask, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
    mask = ::VerSetConditionMask(mask, VER_SERVICEPACKMINOR, VER_GREATER_EQUAL);
    mask = ::VerSetConditionMask(mask, VER_PRODUCT_TYPE, VER_EQUAL);
    return ::VerifyVersionInfoW(&info,
                                VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR
                                    | VER_SERVICEPACKMINOR | VER_PRODUCT_TYPE,
                                mask)
           != FALSE;
}

} // namespace

int OsdStyle(DWORD tavrinControl)
{
    const bool newer = tavrinControl & 0x8000;
    if (tavrinControl & 0x0020) return newer ? 3 : 2;
    if (tavrinControl & 0x0002) return 1;
    if (tavrinControl & 0x0001) return 0;
    return newer ? 3 : 2;
}

void ApplyTavrinControl(DWORD tavrinControl, bool intelligentDisplayAvailable, CCapabilitySet& caps)
{
    for (int bit : kDirectBits)
        if (tavrinControl & (1u << bit)) caps.Set(bit);
    if ((tavrinControl & (1u << kIntelligentDisplay)) && intelligentDisplayAvailable)
        caps.Set(kIntelligentDisplay);
}

int WindowsVersionBit()
{
    if (IsWorkstation(6, 2)) return kWindows8;
    if (IsWorkstation(6, 1)) return kWindows7;
    return kWindowsVista;
}

bool IsWirelessDisplayInstalled()
{
    // The Wireless Display application is not looked for yet: it counts as
    // not installed, which keeps its key on the install message.
    return false;
}

bool ReportKeyboardLightSupport(bool keyboardLightFeature)
{
    const CSettings selected(CSettings::kSelectedFeatures);
    if (!keyboardLightFeature || selected.ReadDword(setting_names::kBacklitKeyboard, 0) != 1) return false;
    selected.WriteDword(setting_names::kBacklitKeyboardSupport, 1);
    return true;
}

} // namespace feature_config
