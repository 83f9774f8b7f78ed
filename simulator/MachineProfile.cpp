#include "MachineProfile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <vector>

#include <windows.h>

#include "AudioModel.h"
#include "BatteryModel.h"
#include "ModuleFolder.h"
#include "PowerPlans.h"
#include "RadioModel.h"

namespace sim {
namespace {

bool EndsWithIni(const std::wstring& s)
{
    return s.size() >= 4 && _wcsicmp(s.c_str() + s.size() - 4, L".ini") == 0;
}

// Reads one profile file through the Windows profile API.
class ProfileReader {
public:
    explicit ProfileReader(std::wstring path) : m_path(std::move(path)) {}

    std::wstring String(const wchar_t* section, const wchar_t* key) const
    {
        wchar_t buffer[512] = {};
        ::GetPrivateProfileStringW(section, key, L"", buffer, 512, m_path.c_str());
        return buffer;
    }
    bool Has(const wchar_t* section, const wchar_t* key) const
    {
        wchar_t buffer[8] = {};
        ::GetPrivateProfileStringW(section, key, L"\x01", buffer, 8, m_path.c_str());
        return buffer[0] != L'\x01';
    }
    long long Number(const wchar_t* section, const wchar_t* key, long long fallback, long long low,
                     long long high) const
    {
        long long value = 0;
        if (!ParseNumber(String(section, key), value)) return fallback;
        return std::clamp(value, low, high);
    }
    // key=value lines of a section, in file order.
    std::vector<std::pair<std::wstring, std::wstring>> Section(const wchar_t* section) const
    {
        std::vector<wchar_t> buffer(32768);
        DWORD n = ::GetPrivateProfileSectionW(section, buffer.data(), static_cast<DWORD>(buffer.size()),
                                              m_path.c_str());
        std::vector<std::pair<std::wstring, std::wstring>> lines;
        for (const wchar_t* p = buffer.data(); p < buffer.data() + n && *p; p += wcslen(p) + 1) {
            std::wstring line(p);
            size_t eq = line.find(L'=');
            if (eq == std::wstring::npos) continue;
            lines.emplace_back(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
        }
        return lines;
    }
    static std::wstring Trim(const std::wstring& s)
    {
        size_t b = s.find_first_not_of(L" \t");
        if (b == std::wstring::npos) return L"";
        return s.substr(b, s.find_last_not_of(L" \t") - b + 1);
    }

private:
    std::wstring m_path;
};

std::vector<long long> NumberList(const std::wstring& text, wchar_t separator = L',')
{
    std::vector<long long> values;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(separator, start);
        if (end == std::wstring::npos) end = text.size();
        long long value = 0;
        if (!ParseNumber(ProfileReader::Trim(text.substr(start, end - start)), value)) return {};
        values.push_back(value);
        start = end + 1;
    }
    return values;
}

uint16_t U16(long long v)
{
    return static_cast<uint16_t>(std::clamp<long long>(v, 0, 0xFFFF));
}
uint32_t U32(long long v)
{
    return static_cast<uint32_t>(std::clamp<long long>(v, 0, 0xFFFFFFFFLL));
}
int32_t I32(long long v)
{
    return static_cast<int32_t>(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

void CopyAscii(char* target, size_t capacity, const std::wstring& text)
{
    std::memset(target, 0, capacity);
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, target, static_cast<int>(capacity - 1), nullptr,
                          nullptr);
}

void ReadSmbios(const ProfileReader& ini, SimSmbios& s)
{
    const wchar_t* section = L"SMBIOS";
    CopyAscii(s.biosVendor, sizeof s.biosVendor, ini.String(section, L"BiosVendor"));
    CopyAscii(s.biosVersion, sizeof s.biosVersion, ini.String(section, L"BiosVersion"));
    CopyAscii(s.biosDate, sizeof s.biosDate, ini.String(section, L"BiosDate"));
    CopyAscii(s.manufacturer, sizeof s.manufacturer, ini.String(section, L"Manufacturer"));
    CopyAscii(s.product, sizeof s.product, ini.String(section, L"Product"));
    for (int i = 0; i < kMaxOemStrings; ++i) {
        std::wstring key = L"OemString" + std::to_wstring(i + 1);
        if (!ini.Has(section, key.c_str())) break;
        CopyAscii(s.oem[i], sizeof s.oem[i], ini.String(section, key.c_str()));
        s.oemCount = static_cast<uint8_t>(i + 1);
    }
    std::vector<long long> words = NumberList(ini.String(section, L"CapabilityWords"));
    if (words.size() == 4) {
        s.hasCapabilities = 1;
        for (int i = 0; i < 4; ++i) s.capabilityWords[i] = U16(words[i]);
    }
    if (ini.Has(section, L"SystemId")) {
        s.hasSystemId = 1;
        s.systemId = U16(ini.Number(section, L"SystemId", 0, 0, 0xFFFF));
        std::wstring form = ini.String(section, L"SystemIdForm");
        s.systemIdWide = form == L"word" || (form != L"byte" && s.systemId >= 0xFE);
    }
}

void ReadTokens(const ProfileReader& ini, SimSmbios& s)
{
    for (const auto& [key, value] : ini.Section(L"Tokens")) {
        std::vector<long long> v = NumberList(value);
        if (v.size() != 3 || s.tokenCount >= kMaxTokens) continue;
        s.tokens[s.tokenCount++] = SimToken{U16(v[0]), U16(v[1]), U16(v[2])};
    }
}

// The setting at a location, added when new; null when the table is full.
SimSetting* SettingAt(SimFirmware& f, uint16_t location)
{
    for (int i = 0; i < f.settingCount; ++i) {
        if (f.settings[i].location == location) return &f.settings[i];
    }
    if (f.settingCount >= kMaxSettings) return nullptr;
    SimSetting& added = f.settings[f.settingCount++];
    added = SimSetting{location};
    return &added;
}

// [Settings] LOCATION=VALUE or LOCATION=BATTERY/AC (a split setting), either
// optionally followed by ,RES3,RES4. Every token location exists, with value 0
// unless the profile says otherwise.
void ReadSettings(const ProfileReader& ini, SimMachine& m)
{
    for (int i = 0; i < m.smbios.tokenCount; ++i) SettingAt(m.firmware, m.smbios.tokens[i].location);
    for (const auto& [key, value] : ini.Section(L"Settings")) {
        long long location = 0;
        size_t comma = value.find(L',');
        std::vector<long long> values = NumberList(value.substr(0, comma), L'/');
        std::vector<long long> extra;
        if (comma != std::wstring::npos) extra = NumberList(value.substr(comma + 1));
        bool wellFormed = (values.size() == 1 || values.size() == 2)
                          && (comma == std::wstring::npos || extra.size() == 2);
        if (!ParseNumber(key, location) || !wellFormed) continue;
        SimSetting* s = SettingAt(m.firmware, U16(location));
        if (!s) continue;
        s->split = values.size() == 2;
        s->battery = U16(values.front());
        s->ac = U16(values.back());
        if (extra.size() == 2) {
            s->res3 = U32(extra[0]);
            s->res4 = U32(extra[1]);
        }
    }
}

// [Answers] CLASS/SELECT[/ARG1]=res1,res2,res3,res4
void ReadAnswers(const ProfileReader& ini, SimFirmware& f)
{
    for (const auto& [key, value] : ini.Section(L"Answers")) {
        std::vector<long long> call = NumberList(key, L'/');
        std::vector<long long> res = NumberList(value);
        if ((call.size() != 2 && call.size() != 3) || res.size() != 4) continue;
        if (f.fixedAnswerCount >= kMaxFixedAnswers) break;
        SimFixedAnswer& a = f.fixedAnswers[f.fixedAnswerCount++];
        a = SimFixedAnswer{U16(call[0]), U16(call[1])};
        if (call.size() == 3) {
            a.matchArg1 = 1;
            a.arg1 = U32(call[2]);
        }
        a.res1 = I32(res[0]);
        a.res2 = U32(res[1]);
        a.res3 = U32(res[2]);
        a.res4 = U32(res[3]);
    }
}

void ReadFirmware(const ProfileReader& ini, SimFirmware& f)
{
    const wchar_t* section = L"Firmware";
    f.dataBufferSize = U32(ini.Number(section, L"DataBufferSize", 44, 0, 4096));
    f.radioRes1 = I32(ini.Number(section, L"RadioStatusRes1", -1, INT32_MIN, INT32_MAX));
    f.radioStatus = U32(ini.Number(section, L"RadioStatus", 0, 0, 0xFFFFFFFFLL));
    f.query040BRes1 = I32(ini.Number(section, L"Query040BRes1", -1, INT32_MIN, INT32_MAX));
    f.query040B = U32(ini.Number(section, L"Query040B", 0, 0, 0xFFFFFFFFLL));
    ReadAnswers(ini, f);
}

void ReadPower(const ProfileReader& ini, SimPower& p)
{
    const wchar_t* section = L"Power";
    p.acOnline = ini.Number(section, L"AcOnline", 1, 0, 1) != 0;
    p.batteryPresent = ini.Number(section, L"BatteryPresent", 1, 0, 1) != 0;
    p.batteryPercent = static_cast<uint8_t>(ini.Number(section, L"BatteryPercent", 100, 0, 100));
    p.charging = ini.Number(section, L"Charging", 0, 0, 1) != 0;
    p.batteryLifeTime = I32(ini.Number(section, L"BatteryLifeTime", -1, -1, INT32_MAX));
    p.batteryFullLifeTime = I32(ini.Number(section, L"BatteryFullLifeTime", -1, -1, INT32_MAX));
}

void ReadFaults(const ProfileReader& ini, SimFaults& f)
{
    const wchar_t* section = L"Faults";
    f.noAcpiWmi = ini.Number(section, L"NoAcpiWmi", 0, 0, 1) != 0;
    f.smbiosFails = ini.Number(section, L"SmbiosFails", 0, 0, 1) != 0;
    f.quirkArgs = ini.Number(section, L"QuirkArgs", 0, 0, 1) != 0;
    f.shortAnswer = U32(ini.Number(section, L"ShortAnswer", 0, 0, 4096));
}

// "TEXT,N,N": the text and the two numbers after its last two commas.
bool SplitNamed(const std::wstring& value, std::wstring& text, long long& a, long long& b)
{
    size_t second = value.rfind(L',');
    size_t first
        = second == std::wstring::npos || second == 0 ? std::wstring::npos : value.rfind(L',', second - 1);
    if (first == std::wstring::npos) return false;
    text = ProfileReader::Trim(value.substr(0, first));
    return !text.empty() && ParseNumber(ProfileReader::Trim(value.substr(first + 1, second - first - 1)), a)
           && ParseNumber(ProfileReader::Trim(value.substr(second + 1)), b);
}

// [PowerPlans] PlanN={GUID},Name,AC,DC (brightness), Active=N (1-based),
// FailGetActive, FailAccessCheck. Without plans, the three usual ones.
void ReadPowerPlans(const ProfileReader& ini, SimPowerPlans& plans)
{
    const wchar_t* section = L"PowerPlans";
    plans = SimPowerPlans{};
    for (int i = 1; i <= kMaxPowerPlans; ++i) {
        const std::wstring key = L"Plan" + std::to_wstring(i);
        const std::wstring value = ini.String(section, key.c_str());
        size_t comma = value.find(L',');
        GUID guid{};
        std::wstring name;
        long long ac = 0, dc = 0;
        if (comma == std::wstring::npos || !ParseGuid(ProfileReader::Trim(value.substr(0, comma)), guid)
            || !SplitNamed(value.substr(comma + 1), name, ac, dc)) {
            continue;
        }
        AddPlan(plans, guid, name, U32(std::min(ac, 100LL)), U32(std::min(dc, 100LL)));
    }
    if (plans.planCount == 0) LoadDefaultPlans(plans);
    long long active = ini.Number(section, L"Active", 1, 1, plans.planCount);
    plans.active = static_cast<uint8_t>(active - 1);
    plans.failGetActive = ini.Number(section, L"FailGetActive", 0, 0, 1) != 0;
    plans.failAccessCheck = ini.Number(section, L"FailAccessCheck", 0, 0, 1) != 0;
}

// [Audio] EndpointN=Name,VolumePercent,Muted; Steps, Channels, Default
// (1-based); NoEndpoints=1 leaves the machine without a render endpoint.
// Without endpoints, the default pair. The change ring and its listeners stay.
void ReadAudio(const ProfileReader& ini, SimAudio& audio)
{
    const wchar_t* section = L"Audio";
    ClearEndpoints(audio);
    if (ini.Number(section, L"NoEndpoints", 0, 0, 1) != 0) return;
    const uint32_t steps = U32(ini.Number(section, L"Steps", kDefaultVolumeSteps, 2, 1000));
    const uint32_t channels = U32(ini.Number(section, L"Channels", 2, 1, 8));
    for (int i = 1; i <= kMaxAudioEndpoints; ++i) {
        const std::wstring key = L"Endpoint" + std::to_wstring(i);
        std::wstring name;
        long long percent = 0, muted = 0;
        if (!SplitNamed(ini.String(section, key.c_str()), name, percent, muted)) continue;
        AddEndpoint(audio, name, static_cast<float>(std::clamp(percent, 0LL, 100LL)) / 100.0f, muted != 0,
                    steps, channels);
    }
    if (audio.endpointCount == 0) {
        LoadDefaultAudio(audio);
        for (uint32_t i = 0; i < audio.endpointCount; ++i) {
            audio.endpoints[i].stepCount = steps;
            audio.endpoints[i].channels = channels;
        }
    }
    audio.defaultEndpoint
        = static_cast<uint32_t>(ini.Number(section, L"Default", 1, 1, audio.endpointCount) - 1);
}

// A status bit that a [Radio] key sets or clears; without the key the
// [Firmware] RadioStatus word decides.
void StatusBit(const ProfileReader& ini, const wchar_t* key, int bit, uint32_t& status)
{
    if (!ini.Has(L"Radio", key)) return;
    const uint32_t mask = 1u << bit;
    status = ini.Number(L"Radio", key, 0, 0, 1) != 0 ? status | mask : status & ~mask;
}

// [Radio] Switch, Locator, Wifi, Bluetooth, Wwan (status bits 0, 1, 8, 9, 10),
// SwitchOn, Disabled (bits 0..2 of the radios switched off), SwitchConfig,
// LegacyRes1, LocatorAreaSize, LocatorFormatVersion, LocatorArea (bytes,
// comma-separated; without it a fresh area).
void ReadRadio(const ProfileReader& ini, SimMachine& m)
{
    const wchar_t* section = L"Radio";
    SimRadio& r = m.radio;
    std::memset(&r, 0, sizeof r);
    if (ini.Section(section).empty()) return;
    r.modelled = 1;
    uint32_t& status = m.firmware.radioStatus;
    StatusBit(ini, L"Switch", 0, status);
    StatusBit(ini, L"Locator", 1, status);
    StatusBit(ini, L"Wifi", 8, status);
    StatusBit(ini, L"Bluetooth", 9, status);
    StatusBit(ini, L"Wwan", 10, status);
    r.switchOn = ini.Number(section, L"SwitchOn", 1, 0, 1) != 0;
    r.disabled = static_cast<uint8_t>(ini.Number(section, L"Disabled", 0, 0, 7));
    r.switchConfig = U16(ini.Number(section, L"SwitchConfig", 0x0007, 0, 0xFFFF));
    r.legacyRes1 = I32(ini.Number(section, L"LegacyRes1", 0, INT32_MIN, INT32_MAX));
    r.areaSize = U16(ini.Number(section, L"LocatorAreaSize", 0, 0, kLocatorAreaCapacity));
    r.formatVersion = static_cast<uint8_t>(ini.Number(section, L"LocatorFormatVersion", 1, 0, 0xFF));
    ResetLocatorArea(r);
    std::vector<long long> bytes = NumberList(ini.String(section, L"LocatorArea"));
    if (!bytes.empty()) {
        std::memset(r.area, 0, sizeof r.area);
        for (size_t i = 0; i < bytes.size() && i < r.areaSize; ++i) {
            r.area[i] = static_cast<uint8_t>(std::clamp(bytes[i], 0LL, 0xFFLL));
        }
        std::memcpy(r.working, r.area, sizeof r.working);
    }
    UpdateRadioStatus(m);
}

void ReadText(const ProfileReader& ini, const wchar_t* section, const wchar_t* key,
              wchar_t (&target)[kBatteryTextLength])
{
    if (!ini.Has(section, key)) return;
    std::memset(target, 0, sizeof target);
    wcsncpy(target, ini.String(section, key).c_str(), kBatteryTextLength - 1);
}

// [Battery.Primary], [Battery.Secondary], [Battery.Dock]: Present=1 puts a
// pack there; every other key overrides the default pack's value. Capacities
// in mWh, rates in mW, voltage in mV.
void ReadBattery(const ProfileReader& ini, const wchar_t* section, int slot, SimMachine& machine)
{
    if (ini.Number(section, L"Present", 0, 0, 1) == 0) return;
    SimBattery b = DefaultBattery(slot);
    b.designCapacity = U32(ini.Number(section, L"DesignCapacity", b.designCapacity, 0, 1000000));
    b.fullCapacity = U32(ini.Number(section, L"FullCapacity", b.designCapacity, 0, 1000000));
    b.remaining = static_cast<double>(ini.Number(section, L"RemainingCapacity", b.fullCapacity, 0, 1000000));
    b.chargeRate = U32(ini.Number(section, L"ChargeRate", b.chargeRate, 0, 1000000));
    b.dischargeRate = U32(ini.Number(section, L"DischargeRate", b.dischargeRate, 0, 1000000));
    b.voltage = U32(ini.Number(section, L"Voltage", b.voltage, 0, 100000));
    b.cycleCount = U32(ini.Number(section, L"CycleCount", 0, 0, 100000));
    b.healthSupported = ini.Number(section, L"HealthSupported", 1, 0, 1) != 0;
    b.healthIndex = static_cast<uint8_t>(ini.Number(section, L"HealthIndex", b.healthIndex, 0, 255));
    b.healthPercent = static_cast<uint8_t>(ini.Number(section, L"HealthPercent", b.healthPercent, 0, 255));
    b.failureStatus = static_cast<uint8_t>(ini.Number(section, L"FailureStatus", 0, 0, 255));
    if (ini.Has(section, L"Chemistry")) {
        const std::wstring chemistry = ini.String(section, L"Chemistry");
        std::memset(b.chemistry, 0, sizeof b.chemistry);
        for (size_t i = 0; i < chemistry.size() && i < sizeof b.chemistry; ++i)
            b.chemistry[i] = static_cast<char>(chemistry[i] & 0x7F);
    }
    ReadText(ini, section, L"DeviceName", b.deviceName);
    ReadText(ini, section, L"Manufacturer", b.manufacturer);
    ReadText(ini, section, L"Serial", b.serial);
    ReadText(ini, section, L"UniqueId", b.uniqueId);
    InsertBattery(machine, slot, b);
}

// [Batteries] ChargeDisableSupported, ChargeDisabled, TimeScale (simulated
// seconds per second). Without any battery the [Power] summary stands alone.
void ReadBatteries(const ProfileReader& ini, SimMachine& machine)
{
    machine.batteries = {};
    machine.deviceTree = {};
    SimBatteries& batteries = machine.batteries;
    batteries.chargeDisableSupported = ini.Number(L"Batteries", L"ChargeDisableSupported", 1, 0, 1) != 0;
    batteries.chargeDisabled = ini.Number(L"Batteries", L"ChargeDisabled", 0, 0, 1) != 0;
    batteries.timeScale = U32(ini.Number(L"Batteries", L"TimeScale", 1, 1, 100000));
    ReadBattery(ini, L"Battery.Primary", kPrimarySlot, machine);
    ReadBattery(ini, L"Battery.Secondary", kSecondarySlot, machine);
    ReadBattery(ini, L"Battery.Dock", kDockSlot, machine);
}

} // namespace

bool ParseNumber(const std::wstring& text, long long& value)
{
    if (text.empty()) return false;
    const wchar_t* begin = text.c_str();
    wchar_t* end = nullptr;
    bool negative = *begin == L'-';
    const wchar_t* digits = (negative || *begin == L'+') ? begin + 1 : begin;
    if (!iswxdigit(*digits)) return false;
    errno = 0;
    bool hex = digits[0] == L'0' && (digits[1] == L'x' || digits[1] == L'X');
    unsigned long long magnitude = wcstoull(hex ? digits + 2 : digits, &end, hex ? 16 : 10);
    if (hex && !iswxdigit(digits[2])) return false;
    if (*end != L'\0' || errno == ERANGE || magnitude > 0xFFFFFFFFFFFFLL) return false;
    value = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    return true;
}

std::wstring ResolveProfile(const std::wstring& nameOrPath)
{
    std::wstring path = nameOrPath;
    if (path.find_first_of(L"\\/") == std::wstring::npos && !EndsWithIni(path)) {
        path = ModuleFolder(ThisModule()) + L"profiles\\" + path + L".ini";
    }
    wchar_t full[MAX_PATH];
    DWORD n = ::GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return (n > 0 && n < MAX_PATH) ? std::wstring(full, n) : path;
}

static void ReadKeysAndSleep(const ProfileReader& ini, SimMachine& machine)
{
    machine.keys = {};
    machine.keys.typesKeys = static_cast<uint8_t>(ini.Number(L"Firmware", L"TypesKeys", 0, 0, 1));
    machine.sleep = {};
    machine.sleep.hibernateAllowed = static_cast<uint8_t>(ini.Number(L"Power", L"HibernateAllowed", 1, 0, 1));
    machine.sleep.reserve = static_cast<ReserveOutcome>(ini.Number(L"Power", L"HibernateEnable", 0, 0, 2));
    machine.sleep.outcome = static_cast<SleepOutcome>(ini.Number(L"Power", L"SuspendOutcome", 0, 0, 2));
}

static void ReadAlert(const ProfileReader& ini, SimAlert& alert)
{
    alert = {};
    alert.code = U32(ini.Number(L"Alert", L"Code", kNoAlert, 0, 0xFFFFFFFFLL));
    alert.detail = U32(ini.Number(L"Alert", L"Detail", kNoAlert, 0, 0xFFFFFFFFLL));
    alert.flags = U32(ini.Number(L"Alert", L"Flags", 0, 0, 0xFFFFFFFFLL));
}

// [Optical] and [Optical2]: Present=0|1, DriveLetter (D..Z), Media=0|1,
// Bus=IDE|USBSTOR|SCSI. The first drive defaults to E: on IDE, the second to
// F: on SCSI.
static void ReadOptical(const ProfileReader& ini, const wchar_t* section, wchar_t defaultLetter,
                        OpticalBus defaultBus, SimOptical& optical)
{
    optical = {};
    optical.present = static_cast<uint8_t>(ini.Number(section, L"Present", 0, 0, 1));
    const std::wstring letter = ini.String(section, L"DriveLetter");
    const wchar_t upper = letter.size() == 1 ? static_cast<wchar_t>(::towupper(letter[0])) : defaultLetter;
    optical.letter = static_cast<uint8_t>(upper >= L'D' && upper <= L'Z' ? upper : defaultLetter);
    optical.media = static_cast<uint8_t>(ini.Number(section, L"Media", 1, 0, 1));
    const std::wstring bus = ini.String(section, L"Bus");
    optical.bus = _wcsicmp(bus.c_str(), L"IDE") == 0       ? OpticalBus::Ide
                  : _wcsicmp(bus.c_str(), L"USBSTOR") == 0 ? OpticalBus::UsbStorage
                  : _wcsicmp(bus.c_str(), L"SCSI") == 0    ? OpticalBus::Scsi
                                                           : defaultBus;
}

// [AmbientLight] Present=0|1 (the status call is modelled), Enabled=0|1.
static void ReadAls(const ProfileReader& ini, SimAls& als)
{
    als = {};
    als.present = static_cast<uint8_t>(ini.Number(L"AmbientLight", L"Present", 0, 0, 1));
    als.enabled = static_cast<uint8_t>(ini.Number(L"AmbientLight", L"Enabled", 1, 0, 1));
}

// [Keyboard] Light=0|1, Levels (highest level), Level (0 = off), RadioSelector
// (the availability answer), RadioSelectorRes1 (its status; -1 unsupported).
static void ReadKeyboard(const ProfileReader& ini, SimKeyboard& keyboard)
{
    keyboard = {};
    keyboard.light = static_cast<uint8_t>(ini.Number(L"Keyboard", L"Light", 0, 0, 1));
    keyboard.levels = static_cast<uint8_t>(ini.Number(L"Keyboard", L"Levels", 1, 0, 0xFF));
    keyboard.level = static_cast<uint8_t>(ini.Number(L"Keyboard", L"Level", 0, 0, 0xFF));
    keyboard.selector
        = static_cast<int32_t>(ini.Number(L"Keyboard", L"RadioSelector", 1, INT32_MIN, INT32_MAX));
    keyboard.selectorRes1
        = static_cast<int32_t>(ini.Number(L"Keyboard", L"RadioSelectorRes1", -1, INT32_MIN, INT32_MAX));
}

bool LoadProfile(const std::wstring& nameOrPath, SimMachine& machine)
{
    std::wstring path = ResolveProfile(nameOrPath);
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    ProfileReader ini(path);

    machine.loaded = 0;
    std::memset(&machine.smbios, 0, sizeof machine.smbios);
    std::memset(&machine.firmware, 0, sizeof machine.firmware);
    std::memset(&machine.power, 0, sizeof machine.power);
    std::memset(&machine.faults, 0, sizeof machine.faults);
    machine.callCount = 0;

    ReadSmbios(ini, machine.smbios);
    ReadTokens(ini, machine.smbios);
    ReadFirmware(ini, machine.firmware);
    ReadSettings(ini, machine);
    ReadPower(ini, machine.power);
    ReadFaults(ini, machine.faults);
    ReadPowerPlans(ini, machine.powerPlans);
    ReadAudio(ini, machine.audio);
    ReadKeysAndSleep(ini, machine);
    ReadRadio(ini, machine);
    ReadBatteries(ini, machine);
    ReadAlert(ini, machine.alert);
    ReadOptical(ini, L"Optical", L'E', OpticalBus::Ide, machine.optical);
    ReadOptical(ini, L"Optical2", L'F', OpticalBus::Scsi, machine.secondOptical);
    ReadAls(ini, machine.als);
    machine.lockKeys = {};
    ReadKeyboard(ini, machine.keyboard);

    std::memset(machine.profile, 0, sizeof machine.profile);
    wcsncpy(machine.profile, nameOrPath.c_str(), kProfileNameLength - 1);
    machine.loaded = 1;
    return true;
}

} // namespace sim
