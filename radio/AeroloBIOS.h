#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "BiosCalls.h"
#include "LocatorAreaWalker.h"
#include "TokenOperations.h"

// The hardware network locator's settings: the byte area the firmware keeps
// (search criteria and up to five preferred networks), read and written in
// 12-byte chunks, and the two tokens that switch the locator on and off.
// Reads and writes never reach beyond the area the firmware reported.
class CAeroloBIOS {
public:
    // Asks for the area's size and format, then loads and reads the area; a
    // firmware without one leaves the object without an area, every area
    // operation false and the criteria 0.
    CAeroloBIOS(IBiosCalls& bios, CTokenOperations tokens);
    virtual ~CAeroloBIOS() = default;
    CAeroloBIOS(const CAeroloBIOS&) = delete;
    CAeroloBIOS& operator=(const CAeroloBIOS&) = delete;

    // Also gives the area buffer the reported size (none for 0, or when it
    // cannot be allocated); the next read fills it.
    bool AreaInfoRead();
    bool AreaLoad();
    // Reads the area chunk by chunk (a failed chunk leaves its bytes 0), then
    // parses it; true when the last chunk was read.
    bool AreaRead();
    void AreaParse();
    // Writes the criteria into the area buffer; false when the buffer is
    // missing or too small for them (it then holds what fits).
    bool AreaBuild();
    // Builds and sends the area chunk by chunk; true when the last chunk went
    // through and the whole area fitted. Does not commit.
    bool AreaWrite();
    bool AreaCommit();

    bool LocatorEnabledRead(int& enabled);
    bool LocatorEnabledWrite(int enable);

    uint16_t AreaSize() const { return m_areaSize; }
    uint8_t FormatVersion() const { return m_formatVersion; }
    bool HasArea() const { return m_area != nullptr; }
    uint16_t AreaLength() const { return m_criteria.areaLength; }
    uint32_t Signature() const { return m_criteria.signature; }

    uint8_t SearchMode() const { return m_criteria.searchMode; }
    void SetSearchMode(uint8_t mode) { m_criteria.searchMode = mode; }
    uint8_t StrengthFilter() const { return m_criteria.strengthFilter; }
    void SetStrengthFilter(uint8_t filter) { m_criteria.strengthFilter = filter; }
    uint8_t Bands() const { return m_criteria.bands; }
    void SetBands(uint8_t bands) { m_criteria.bands = bands; }
    uint8_t PreferredCount() const { return m_criteria.preferredCount; }
    void SetPreferredCount(uint8_t count) { m_criteria.preferredCount = count; }
    void GetAdapterBitmap(uint32_t (&words)[kLocatorBitmapWords]) const;
    void SetAdapterBitmap(const uint32_t (&words)[kLocatorBitmapWords]);

    // Entry 0..4. A name longer than 32 bytes, or another index, changes nothing.
    bool SetPreferredSsid(int index, const std::string& bytes);
    // The entry's name from the thread's ANSI code page ("" for another index).
    std::wstring GetPreferredSsid(int index) const;
    // The entry as stored (an empty one for another index).
    PreferredNetwork Preferred(int index) const;

private:
    bool Chunk(uint32_t subFunction, uint32_t offset, BiosCallBuffer& buffer, uint32_t a2 = 0,
               uint32_t a3 = 0, uint32_t a4 = 0);

    IBiosCalls& m_bios;
    CTokenOperations m_tokens;
    uint16_t m_areaSize = 0;
    LocatorCriteria m_criteria;
    std::unique_ptr<uint8_t[]> m_area;
    uint8_t m_formatVersion = 0;
};
