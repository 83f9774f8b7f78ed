#include "OSBatteryClass.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr DWORD kTagWaitMs = 10;
constexpr uint32_t kStatusWaitMs = 100;
constexpr uint32_t kTextBytes = 255;
constexpr uint32_t kLongestText = 256; // texts this long or longer are left out
constexpr int kMostMinutes = 240;

} // namespace

int COSBatteryClass::Status() const
{
    if (m_powerState & battery_records::kCharging) return 1;
    if (m_powerState & battery_records::kDischarging) return 2;
    return 0;
}

COSBatteryClass::Figures COSBatteryClass::FiguresOf(uint32_t presentCapacity, uint32_t fullCapacity, int rate,
                                                    int previousMinutes)
{
    Figures f;
    const uint64_t capacity = presentCapacity == battery_records::kUnknownCapacity ? 0 : presentCapacity;
    if (fullCapacity == 0) return f;
    // To the nearest percent, halves going up.
    f.percent = capacity > fullCapacity
                    ? 100
                    : static_cast<int>((capacity * 200 + fullCapacity) / (2 * uint64_t{fullCapacity}));
    f.missingCapacity = static_cast<double>(fullCapacity) - static_cast<double>(capacity);
    if (rate < 0) {
        f.minutesToFull = -1;
    } else if (rate > 0) {
        f.minutesToFull = std::max(0, static_cast<int>(std::trunc(f.missingCapacity / rate * 60)));
    } else {
        f.minutesToFull = previousMinutes;
    }
    return f;
}

void COSBatteryClass::Reset()
{
    m_found = 0;
    m_device.reset();
    m_tag = 0;
    m_index = 0;
    m_powerState = 0;
    m_percent = 0;
    m_minutesToFull = 0;
    m_rate = 0;
    m_missingCapacity = 0;
    m_fullChargedCapacity = 0;
    m_name.clear();
    m_identifier.clear();
    m_manufacturer.clear();
    m_chemistry.clear();
}

bool COSBatteryClass::Control(uint32_t code, const void* input, uint32_t inputBytes, void* output,
                              uint32_t outputBytes, uint32_t& returned, uint32_t& error)
{
    DWORD bytes = 0;
    const bool done = m_devices.Tree().DeviceIoControl(m_device.get(), code, input, inputBytes, output,
                                                       outputBytes, &bytes);
    error = done ? ERROR_SUCCESS : ::GetLastError();
    returned = bytes;
    return done;
}

bool COSBatteryClass::Open(int index)
{
    IDeviceTree& tree = m_devices.Tree();
    // A battery put in or taken out since the set was taken moves the
    // interfaces: one fresh look before giving up.
    for (int attempt = 0; attempt < 2 && !m_device; ++attempt) {
        if (attempt == 1) m_devices.Renew();
        const std::wstring path = m_devices.InterfacePath(index);
        if (path.empty()) continue;
        m_device = UniqueDevice(tree, tree.OpenDevice(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                                      FILE_SHARE_READ | FILE_SHARE_WRITE));
        if (m_device) m_lastPathCandidate = path;
    }
    if (!m_device) return false;
    const uint32_t wait = kTagWaitMs;
    uint8_t answer[sizeof(uint32_t)] = {};
    uint32_t returned = 0, error = 0;
    if (!Control(battery_records::kQueryTag, &wait, sizeof wait, answer, sizeof answer, returned, error))
        return false;
    const std::optional<uint32_t> tag
        = battery_records::ParseTag(answer, std::min<uint32_t>(returned, sizeof answer));
    if (!tag || *tag == 0) return false;
    m_tag = *tag;
    m_index = index;
    m_found = 1;
    return true;
}

bool COSBatteryClass::ReadInformation()
{
    const battery_records::QueryInformation query{m_tag, battery_records::kLevelInformation, 0};
    uint8_t answer[sizeof(battery_records::Information)] = {};
    uint32_t returned = 0, error = 0;
    if (!Control(battery_records::kQueryInformation, &query, sizeof query, answer, sizeof answer, returned,
                 error)) {
        return error == ERROR_INSUFFICIENT_BUFFER;
    }
    const auto info = battery_records::ParseInformation(answer, std::min<uint32_t>(returned, sizeof answer));
    if (!info) return true;
    m_chemistry = battery_records::ChemistryText(info->chemistry);
    m_fullChargedCapacity = info->fullChargedCapacity;
    return true;
}

std::wstring COSBatteryClass::ReadText(battery_records::InformationLevel level)
{
    const battery_records::QueryInformation query{m_tag, level, 0};
    std::vector<uint8_t> answer(kTextBytes);
    uint32_t returned = 0, error = 0;
    bool done = Control(battery_records::kQueryInformation, &query, sizeof query, answer.data(),
                        static_cast<uint32_t>(answer.size()), returned, error);
    if (!done && error == ERROR_MORE_DATA && returned > 0 && returned <= 64 * 1024) {
        answer.assign(returned, 0);
        done = Control(battery_records::kQueryInformation, &query, sizeof query, answer.data(),
                       static_cast<uint32_t>(answer.size()), returned, error);
    }
    if (!done || returned >= kLongestText) return {};
    return battery_records::ParseText(answer.data(), std::min<size_t>(returned, answer.size()));
}

bool COSBatteryClass::ReadStatus()
{
    const battery_records::WaitStatus wait{m_tag, kStatusWaitMs, 0, 0, 0};
    uint8_t answer[sizeof(battery_records::Status)] = {};
    uint32_t returned = 0, error = 0;
    if (!Control(battery_records::kQueryStatus, &wait, sizeof wait, answer, sizeof answer, returned, error))
        return false;
    const auto status = battery_records::ParseStatus(answer, std::min<uint32_t>(returned, sizeof answer));
    if (!status) return false;
    m_powerState = status->powerState;
    if (status->rate != battery_records::kUnknownRate) m_rate = status->rate;
    if (m_fullChargedCapacity == 0 && !ReadInformation()) return false;
    if (m_fullChargedCapacity != 0) {
        const Figures f = FiguresOf(status->capacity, m_fullChargedCapacity, m_rate, m_minutesToFull);
        m_percent = f.percent;
        m_missingCapacity = f.missingCapacity;
        m_minutesToFull = f.minutesToFull;
    }
    return true;
}

int COSBatteryClass::Refresh(int index)
{
    const int keptRate = m_rate;
    const int keptMinutes = m_minutesToFull;
    Reset();
    if (!Open(index)) {
        Reset();
        return 0;
    }
    // The same battery as last time carries its rate and minutes over.
    if (m_lastPathCandidate == m_lastPath && m_tag == m_lastTag) {
        m_rate = keptRate;
        m_minutesToFull = keptMinutes;
    }
    if (!ReadInformation()) {
        Reset();
        return 0;
    }
    m_name = ReadText(battery_records::kLevelDeviceName);
    m_manufacturer = ReadText(battery_records::kLevelManufacturerName);
    m_identifier = ReadText(battery_records::kLevelUniqueId);
    if (!ReadStatus()) {
        Reset();
        return 0;
    }
    if (m_minutesToFull > kMostMinutes) m_minutesToFull = 0;
    m_lastPath = m_lastPathCandidate;
    m_lastTag = m_tag;
    return 1;
}
