#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The parts of a 64-bit PE file that the release checks look at, read
// from the file's bytes. Every offset is checked against the size, so a
// truncated or foreign file gives no answer rather than a wrong one.
class PeImage {
public:
    struct Section {
        std::string name;
        uint32_t virtualAddress = 0;
        uint32_t virtualSize = 0;
        uint32_t rawOffset = 0;
        uint32_t rawSize = 0;
    };

    static constexpr int kImportDirectory = 1;
    static constexpr int kTlsDirectory = 9;

    explicit PeImage(std::vector<uint8_t> bytes);
    static std::optional<PeImage> Load(const std::wstring& path);

    bool Valid() const { return m_valid; }
    size_t FileSize() const { return m_bytes.size(); }
    const std::vector<uint8_t>& Raw() const { return m_bytes; }
    uint32_t FileAlignment() const { return m_fileAlignment; }
    const std::vector<Section>& Sections() const { return m_sections; }
    bool HasSection(const std::string& name) const;
    bool HasSectionStartingWith(const std::string& prefix) const;
    bool HasDirectory(int index) const;
    // The DLLs named in the import table, in lower case; nothing when the
    // table cannot be read whole.
    std::optional<std::vector<std::string>> ImportedDlls() const;

private:
    std::optional<uint32_t> U32(size_t offset) const;
    std::optional<uint16_t> U16(size_t offset) const;
    std::optional<size_t> FileOffset(uint32_t rva) const;
    std::optional<std::string> CString(size_t offset) const;
    bool Parse();
    bool ParseSections(size_t first, uint16_t count, size_t stringTable);
    std::optional<std::string> SectionName(size_t header, size_t stringTable) const;

    std::vector<uint8_t> m_bytes;
    std::vector<Section> m_sections;
    std::vector<std::pair<uint32_t, uint32_t>> m_directories;
    uint32_t m_fileAlignment = 0;
    bool m_valid = false;
};
