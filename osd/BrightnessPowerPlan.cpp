#include "BrightnessPowerPlan.h"

#include "PlatformSeams.h"

namespace {

constexpr GUID kVideoSubgroup
    = {0x7516B95F, 0xF776, 0x4464, {0x8C, 0x53, 0x06, 0x16, 0x7F, 0x40, 0xCC, 0x99}};
constexpr GUID kVideoBrightness
    = {0xADED5E82, 0xB909, 0x4619, {0x99, 0x49, 0xF5, 0xD7, 0x1D, 0xAC, 0x0B, 0xCB}};
constexpr DWORD kMaxPercent = 100;

// On AC, or when the source is unknown (255), the AC value; on battery the DC one.
seams::PowerSource CurrentSource()
{
    SYSTEM_POWER_STATUS status{};
    if (!seams::GetPowerStatus(&status)) return seams::PowerSource::Ac;
    return status.ACLineStatus != 0 ? seams::PowerSource::Ac : seams::PowerSource::Dc;
}

} // namespace

CBrightnessPowerPlan::Outcome CBrightnessPowerPlan::Write(DWORD percent)
{
    GUID scheme{};
    if (seams::PowerGetActiveScheme(&scheme) != ERROR_SUCCESS) return Outcome::NoActivePlan;
    const seams::PowerSource source = CurrentSource();
    const POWER_DATA_ACCESSOR access
        = source == seams::PowerSource::Ac ? ACCESS_AC_POWER_SETTING_INDEX : ACCESS_DC_POWER_SETTING_INDEX;
    Outcome outcome = Outcome::AccessDenied;
    if (seams::PowerSettingAccessCheck(access, scheme) == ERROR_SUCCESS) {
        const DWORD value = percent > kMaxPercent ? kMaxPercent : percent;
        outcome = seams::PowerWriteValueIndex(source, scheme, kVideoSubgroup, kVideoBrightness, value)
                          == ERROR_SUCCESS
                      ? Outcome::Written
                      : Outcome::WriteFailed;
    }
    // Applying the plan again makes Windows take the new value at once.
    seams::PowerSetActiveScheme(scheme);
    return outcome;
}
