#include "AeroloBIOS.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "RadioCalls.h"

namespace {

constexpr uint16_t kLocatorOnToken = 0x017E;
constexpr uint16_t kLocatorOffToken = 0x017D;
constexpr int kCurrentPowerSource = -1;

uint32_t WordAt(const uint8_t* bytes, size_t size, size_t offset)
{
    uint32_t value = 0;
    for (size_t i = 4; i-- > 0;) value = (value << 8) | (offset + i < size ? bytes[offset + i] : 0u);
    return value;
}

void PutWord(uint8_t* bytes, size_t size, size_t offset, uint32_t value)
{
    for (size_t i = 0; i < 4 && offset + i < size; ++i)
        bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

bool ValidIndex(int index)
{
    return index >= 0 && index < kMaxPreferredNetworks;
}

} // namespace

CAeroloBIOS::CAeroloBIOS(IBiosCalls& bios, CTokenOperations tokens)
    : m_bios(bios), m_tokens(std::move(tokens))
{
    AreaInfoRead();
    if (!m_area) return;
    AreaLoad();
    AreaRead();
}

bool CAeroloBIOS::Chunk(uint32_t subFunction, uint32_t offset, BiosCallBuffer& buffer, uint32_t a2,
                        uint32_t a3, uint32_t a4)
{
    return m_bios.PerformSmi(buffer, radiocall::kClass, radiocall::kSelect,
                             subFunction | (offset & 0xFFFF) << 8, a2, a3, a4)
           && buffer.cbRes1 == 0;
}

bool CAeroloBIOS::AreaInfoRead()
{
    BiosCallBuffer buffer;
    if (!Chunk(radiocall::kStatus, 0, buffer)) return false;
    const auto size = static_cast<uint16_t>(buffer.cbRes3 & 0xFFFF);
    m_formatVersion = static_cast<uint8_t>(buffer.cbRes4 & 0xFF);
    // The buffer always has the size last reported, so no chunk lands outside it.
    if (size != m_areaSize || !m_area) {
        m_areaSize = size;
        m_area.reset(size > 0 ? new (std::nothrow) uint8_t[size]() : nullptr);
    }
    return true;
}

bool CAeroloBIOS::AreaLoad()
{
    if (!m_area) return false;
    BiosCallBuffer buffer;
    return Chunk(radiocall::kAreaLoad, 0, buffer);
}

bool CAeroloBIOS::AreaRead()
{
    if (!m_area) return false;
    std::memset(m_area.get(), 0, m_areaSize);
    bool last = false;
    for (size_t offset = 0; offset < m_areaSize; offset += radiocall::kAreaChunkBytes) {
        BiosCallBuffer buffer;
        last = Chunk(radiocall::kAreaRead, static_cast<uint32_t>(offset), buffer);
        if (!last) continue;
        PutWord(m_area.get(), m_areaSize, offset, buffer.cbRes2);
        PutWord(m_area.get(), m_areaSize, offset + 4, buffer.cbRes3);
        PutWord(m_area.get(), m_areaSize, offset + 8, buffer.cbRes4);
    }
    AreaParse();
    return last;
}

void CAeroloBIOS::AreaParse()
{
    m_criteria = ParseLocatorArea(m_area.get(), m_area ? m_areaSize : 0);
}

bool CAeroloBIOS::AreaBuild()
{
    if (!m_area) return false;
    const size_t length = BuildLocatorArea(m_criteria, m_area.get(), m_areaSize);
    m_criteria.signature = kLocatorSignature;
    m_criteria.areaLength = static_cast<uint16_t>(length);
    return length <= m_areaSize;
}

bool CAeroloBIOS::AreaWrite()
{
    if (!m_area) return false;
    const bool fits = AreaBuild();
    const size_t end = std::min<size_t>(m_criteria.areaLength, m_areaSize);
    bool last = false;
    for (size_t offset = 0; offset < end; offset += radiocall::kAreaChunkBytes) {
        const uint8_t* area = m_area.get();
        BiosCallBuffer buffer;
        last = Chunk(radiocall::kAreaWrite, static_cast<uint32_t>(offset), buffer,
                     WordAt(area, m_areaSize, offset), WordAt(area, m_areaSize, offset + 4),
                     WordAt(area, m_areaSize, offset + 8));
    }
    return last && fits;
}

bool CAeroloBIOS::AreaCommit()
{
    BiosCallBuffer buffer;
    return Chunk(radiocall::kAreaCommit, 0, buffer);
}

bool CAeroloBIOS::LocatorEnabledRead(int& enabled)
{
    enabled = 0;
    if (!m_tokens.IsActive(kLocatorOnToken)) return false;
    enabled = 1;
    return true;
}

bool CAeroloBIOS::LocatorEnabledWrite(int enable)
{
    return m_tokens.Activate(enable != 0 ? kLocatorOnToken : kLocatorOffToken, kCurrentPowerSource);
}

void CAeroloBIOS::GetAdapterBitmap(uint32_t (&words)[kLocatorBitmapWords]) const
{
    std::copy(std::begin(m_criteria.adapterBitmap), std::end(m_criteria.adapterBitmap), words);
}

void CAeroloBIOS::SetAdapterBitmap(const uint32_t (&words)[kLocatorBitmapWords])
{
    std::copy(std::begin(words), std::end(words), m_criteria.adapterBitmap);
}

bool CAeroloBIOS::SetPreferredSsid(int index, const std::string& bytes)
{
    if (!ValidIndex(index) || bytes.size() > kMaxSsidLength) return false;
    PreferredNetwork& entry = m_criteria.preferred[index];
    entry = PreferredNetwork{};
    entry.length = static_cast<uint8_t>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), entry.ssid);
    return true;
}

std::wstring CAeroloBIOS::GetPreferredSsid(int index) const
{
    if (!ValidIndex(index)) return {};
    const PreferredNetwork& entry = m_criteria.preferred[index];
    if (entry.length == 0) return {};
    const char* bytes = reinterpret_cast<const char*>(entry.ssid);
    const int length = ::MultiByteToWideChar(CP_THREAD_ACP, 0, bytes, entry.length, nullptr, 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_THREAD_ACP, 0, bytes, entry.length, text.data(), length);
    return text;
}

PreferredNetwork CAeroloBIOS::Preferred(int index) const
{
    return ValidIndex(index) ? m_criteria.preferred[index] : PreferredNetwork{};
}
