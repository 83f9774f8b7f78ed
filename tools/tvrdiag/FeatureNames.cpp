#include "FeatureNames.h"

#include "HwConfigBlock.h"

namespace {

struct FeatureNameEntry {
    int bit;
    const char* name;
};

constexpr FeatureNameEntry kFeatureNames[] = {
    {hwfeature::kFilled, "block filled"},
    {hwfeature::kRadioStatus, "radio status answered"},
    {hwfeature::kRadioSwitch, "hardware radio switch"},
    {hwfeature::kNetworkLocator, "hardware network locator"},
    {hwfeature::kRadioStatusFirst + 2, "radio status bit 2"},
    {hwfeature::kRadioStatusFirst + 3, "radio status bit 3"},
    {hwfeature::kRadioStatusFirst + 4, "radio status bit 4"},
    {hwfeature::kRadioStatusFirst + 5, "radio status bit 5"},
    {hwfeature::kCapability1, "capability word 0 bit 1"},
    {hwfeature::kCapability2, "capability word 0 bit 2"},
    {hwfeature::kKeyboardLightSingle, "capability word 0 bit 3 without bit 4"},
    {hwfeature::kKeyboardLight, "keyboard backlight"},
    {hwfeature::kMakerBios, "maker BIOS"},
    {hwfeature::kMakerSystem, "maker system"},
    {hwfeature::kModel503, "model 503 values"},
    {hwfeature::kVolumeDisplay, "volume display"},
    {hwfeature::kLaunchButton, "launch button"},
};

} // namespace

const char* FeatureName(int bit)
{
    for (const FeatureNameEntry& entry : kFeatureNames) {
        if (entry.bit == bit) return entry.name;
    }
    return nullptr;
}
