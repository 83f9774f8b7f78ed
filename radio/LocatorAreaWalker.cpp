#include "LocatorAreaWalker.h"

#include <algorithm>

namespace {

constexpr uint8_t kMaxSearchMode = 1;
constexpr uint8_t kMaxStrengthFilter = 1;
constexpr uint8_t kMaxBands = 2;

// Reads little-endian values at an offset; what lies beyond the end reads as 0.
class AreaReader {
public:
    AreaReader(const uint8_t* data, size_t size) : m_data(data), m_size(data ? size : 0) {}

    bool Holds(size_t offset, size_t count) const { return offset <= m_size && count <= m_size - offset; }
    uint8_t Byte(size_t offset) const { return offset < m_size ? m_data[offset] : 0; }
    uint32_t Le(size_t offset, int bytes) const
    {
        uint32_t value = 0;
        for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | Byte(offset + static_cast<size_t>(i));
        return value;
    }
    const uint8_t* At(size_t offset) const { return m_data + offset; }

private:
    const uint8_t* m_data;
    size_t m_size;
};

// Writes bytes at an offset and keeps counting past the end, writing only what fits.
class AreaWriter {
public:
    AreaWriter(uint8_t* data, size_t size) : m_data(data), m_size(data ? size : 0) {}

    void Byte(uint8_t value)
    {
        if (m_offset < m_size) m_data[m_offset] = value;
        ++m_offset;
    }
    void Le(uint32_t value, int bytes)
    {
        for (int i = 0; i < bytes; ++i) Byte(static_cast<uint8_t>(value >> (8 * i)));
    }
    void PutAt(size_t offset, uint32_t value, int bytes)
    {
        for (int i = 0; i < bytes; ++i) {
            const size_t at = offset + static_cast<size_t>(i);
            if (at < m_size) m_data[at] = static_cast<uint8_t>(value >> (8 * i));
        }
    }
    size_t Offset() const { return m_offset; }

private:
    uint8_t* m_data;
    size_t m_size;
    size_t m_offset = 0;
};

uint8_t Choice(uint8_t value, uint8_t highest)
{
    return value > highest ? 0 : value;
}

} // namespace

LocatorCriteria ParseLocatorArea(const uint8_t* area, size_t size)
{
    const AreaReader in(area, size);
    LocatorCriteria c;
    c.areaLength = static_cast<uint16_t>(in.Le(offsetof(LocatorArea, areaLength), 2));
    c.signature = in.Le(offsetof(LocatorArea, signature), 4);
    for (int i = 0; i < kLocatorBitmapWords; ++i) {
        c.adapterBitmap[i] = in.Le(offsetof(LocatorArea, adapterBitmap) + 4 * static_cast<size_t>(i), 4);
    }
    c.searchMode = Choice(in.Byte(offsetof(LocatorArea, searchMode)), kMaxSearchMode);
    c.strengthFilter = Choice(in.Byte(offsetof(LocatorArea, strengthFilter)), kMaxStrengthFilter);
    c.bands = Choice(in.Byte(offsetof(LocatorArea, bands)), kMaxBands);
    c.preferredCount = Choice(in.Byte(offsetof(LocatorArea, preferredCount)), kMaxPreferredNetworks);

    size_t offset = kLocatorHeaderSize;
    for (int i = 0; i < c.preferredCount; ++i) {
        if (!in.Holds(offset, kLocatorEntryHeaderSize)) break;
        PreferredNetwork& entry = c.preferred[i];
        const uint8_t flags = in.Byte(offset);
        const uint8_t length = Choice(in.Byte(offset + 1), kMaxSsidLength);
        if (!in.Holds(offset + kLocatorEntryHeaderSize, length)) break;
        entry.flags = flags;
        entry.length = length;
        std::copy_n(in.At(offset + kLocatorEntryHeaderSize), length, entry.ssid);
        offset += kLocatorEntryHeaderSize + length;
    }
    return c;
}

size_t BuildLocatorArea(const LocatorCriteria& criteria, uint8_t* area, size_t size)
{
    AreaWriter out(area, size);
    const int count = std::min<int>(criteria.preferredCount, kMaxPreferredNetworks);
    out.Le(0, 2); // the length, filled in at the end
    out.Le(kLocatorSignature, 4);
    for (uint32_t word : criteria.adapterBitmap) out.Le(word, 4);
    out.Byte(criteria.searchMode);
    out.Byte(criteria.strengthFilter);
    out.Byte(criteria.bands);
    out.Byte(static_cast<uint8_t>(count));
    for (int i = 0; i < count; ++i) {
        const PreferredNetwork& entry = criteria.preferred[i];
        const uint8_t length = std::min<uint8_t>(entry.length, kMaxSsidLength);
        out.Byte(entry.flags);
        out.Byte(length);
        for (uint8_t k = 0; k < length; ++k) out.Byte(entry.ssid[k]);
    }
    out.PutAt(offsetof(LocatorArea, areaLength), static_cast<uint32_t>(out.Offset()), 2);
    return out.Offset();
}
