#include "VersionReport.h"
#include "SettingNames.h"
#include "BiosCalls.h"
#include "Settings.h"
#include <cwctype>
#include <string>

namespace version_report {

uint32_t ParseVersionNumber(std::wstring_view text)
{
    std::wstring digits;
    for (wchar_t c : text)
        if (c != L'.') digits.push_back(c);
    size_t pos = 0;
    while (pos < digits.size() && std::iswspace(digits[pos])) ++pos;
    uint64_t value = 0;
    for (; pos < digits.size() && digits[pos] >= L'0' && digits[pos] <= L'9'; ++pos) {
        value = value * 10 + static_cast<uint64_t>(digits[pos] - L'0');
        if (value > UINT32_MAX) return 0;
    }
    return static_cast<uint32_t>(value);
}

uint32_t ReadInstalledVersion()
{
    // At most 80 characters are taken from the value.
    std::wstring text = CSettings().ReadText(setting_names::kTavrinVersion);
    if (text.size() > 80) text.resize(80);
    return ParseVersionNumber(text);
}

bool Report(IBiosCalls& bios, uint32_t version, uint32_t running)
{
    BiosCallBuffer buffer{};
    return bios.PerformSmi(buffer, 0x0011, 0x0003, 0x10000, kSignature, version, running)
           && buffer.cbRes1 == 0;
}

} // namespace version_report
