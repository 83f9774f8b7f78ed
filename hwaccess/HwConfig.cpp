#include "HwConfig.h"

#include <cstring>
#include <string>

namespace {

constexpr uint16_t kRadioClass = 0x11;
constexpr uint16_t kRadioStatusSelect = 0x0B;
constexpr int kRadioStatusBits = 6;
constexpr uint16_t kAudioClass = 0x04;
constexpr uint16_t kAudioSelect = 0x0B;
constexpr uint32_t kAudioFeatureQuery = 0x30;
constexpr uint32_t kVolumeDisplayMask = (1u << 0) | (1u << 1) | (1u << 16);
constexpr uint16_t kModel503 = 503;

bool HasBit(uint32_t value, int bit)
{
    return (value >> bit) & 1u;
}

// Serialises create-or-open, fill and copy between the processes of the
// session, so an opener never copies a bitmap its creator is still writing.
class FillLock {
public:
    explicit FillLock(const wchar_t* blockName)
        : m_mutex(::CreateMutexW(nullptr, FALSE, (std::wstring(blockName) + L"_FILL").c_str()))
    {
        if (!m_mutex) {
            m_state = State::Unsynchronised;
            return;
        }
        const DWORD wait = ::WaitForSingleObject(m_mutex.get(), CHwConfig::kFillWaitMs);
        // Abandoned: the previous holder died; it held no mapping anyone could open.
        m_state = (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) ? State::Held : State::TimedOut;
    }
    ~FillLock()
    {
        if (m_state == State::Held) ::ReleaseMutex(m_mutex.get());
    }
    FillLock(const FillLock&) = delete;
    FillLock& operator=(const FillLock&) = delete;

    // False when a creator kept the block for longer than an opener waits.
    bool MayProceed() const { return m_state != State::TimedOut; }

private:
    enum class State { Held, Unsynchronised, TimedOut };
    UniqueHandle m_mutex;
    State m_state = State::Unsynchronised;
};

void FillRadioStatus(HwConfigBlock& block, IBiosCalls& bios)
{
    BiosCallBuffer buffer;
    bios.PerformSmi(buffer, kRadioClass, kRadioStatusSelect, 0, 0, 0, 0);
    if (buffer.cbRes1 != 0) return;
    block.SetBit(hwfeature::kRadioStatus);
    for (int k = 0; k < kRadioStatusBits; ++k) {
        if (HasBit(buffer.cbRes2, k)) block.SetBit(hwfeature::kRadioStatusFirst + k);
    }
}

void FillVolumeDisplay(HwConfigBlock& block, IBiosCalls& bios)
{
    BiosCallBuffer buffer;
    if (!bios.PerformSmi(buffer, kAudioClass, kAudioSelect, kAudioFeatureQuery, 0, 0, 0)) return;
    if ((buffer.cbRes2 & kVolumeDisplayMask) == kVolumeDisplayMask) block.SetBit(hwfeature::kVolumeDisplay);
}

void FillCapabilities(HwConfigBlock& block, const CSMBIOSParser& identity)
{
    const uint16_t word0 = identity.CapabilityWord(0);
    if (HasBit(word0, 1)) block.SetBit(hwfeature::kCapability1);
    if (HasBit(word0, 2)) block.SetBit(hwfeature::kCapability2);
    if (HasBit(word0, 3)) {
        block.SetBit(HasBit(word0, 4) ? hwfeature::kKeyboardLight : hwfeature::kKeyboardLightSingle);
    }
    if (HasBit(identity.CapabilityWord(2), 0)) block.SetBit(hwfeature::kLaunchButton);
}

void FillModelValues(HwConfigBlock& block, const CSMBIOSParser& identity)
{
    if (identity.SystemId() != kModel503) return;
    block.slots[0].value = 5;
    block.slots[1].value = 10;
    block.slots[2].value = 11;
    block.SetBit(hwfeature::kModel503);
}

} // namespace

void CHwConfig::Fill(HwConfigBlock& block, IBiosCalls& bios, const CSMBIOSParser& identity)
{
    std::memset(&block, 0, sizeof block);
    block.SetBit(hwfeature::kFilled);
    FillRadioStatus(block, bios);
    FillVolumeDisplay(block, bios);
    if (identity.IsMakerSystem()) block.SetBit(hwfeature::kMakerSystem);
    if (identity.IsMakerBios()) block.SetBit(hwfeature::kMakerBios);
    if (!block.TestBit(hwfeature::kMakerBios) && !block.TestBit(hwfeature::kMakerSystem)) return;
    FillCapabilities(block, identity);
    FillModelValues(block, identity);
}

CHwConfig::CHwConfig(IBiosCalls& bios, const CSMBIOSParser& identity, const wchar_t* blockName)
{
    FillLock lock(blockName);
    if (!lock.MayProceed()) return;

    m_mapping.reset(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                         sizeof(HwConfigBlock), blockName));
    const bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
    if (!m_mapping) return;
    m_view.reset(::MapViewOfFile(m_mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (!m_view) {
        m_mapping.reset();
        return;
    }
    auto& block = *static_cast<HwConfigBlock*>(m_view.get());
    if (!existed) {
        Fill(block, bios, identity);
        m_filledBlock = true;
    }
    std::memcpy(m_featureBitmap, block.featureBitmap, sizeof m_featureBitmap);
}

bool CHwConfig::IsFeature(int bit) const
{
    return TestFeatureBit(m_featureBitmap, bit);
}
