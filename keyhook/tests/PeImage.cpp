#include "PeImage.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {
constexpr size_t kNtHeaderPointer = 0x3C;
constexpr size_t kFileHeaderSize = 20;
constexpr size_t kSectionHeaderSize = 40;
constexpr size_t kSymbolSize = 18;
constexpr uint16_t kPe32Plus = 0x20B;
constexpr size_t kImportDescriptorSize = 20;
// More than any real image has; a corrupt count stops here.
constexpr size_t kMaxImports = 256;
constexpr size_t kMaxName = 256;
} // namespace

PeImage::PeImage(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes))
{
    m_valid = Parse();
}

std::optional<PeImage> PeImage::Load(const std::wstring& path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    if (!file) return std::nullopt;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return PeImage(std::move(bytes));
}

std::optional<uint16_t> PeImage::U16(size_t offset) const
{
    if (offset > m_bytes.size() || m_bytes.size() - offset < 2) return std::nullopt;
    return static_cast<uint16_t>(m_bytes[offset] | (m_bytes[offset + 1] << 8));
}

std::optional<uint32_t> PeImage::U32(size_t offset) const
{
    const auto low = U16(offset);
    const auto high = offset <= SIZE_MAX - 2 ? U16(offset + 2) : std::nullopt;
    if (!low || !high) return std::nullopt;
    return static_cast<uint32_t>(*low) | (static_cast<uint32_t>(*high) << 16);
}

std::optional<std::string> PeImage::CString(size_t offset) const
{
    std::string text;
    for (size_t i = offset; i < m_bytes.size() && text.size() < kMaxName; ++i) {
        if (m_bytes[i] == 0) return text;
        text.push_back(static_cast<char>(m_bytes[i]));
    }
    return std::nullopt;
}

// Long section names ("/4") point into the string table after the symbols.
std::optional<std::string> PeImage::SectionName(size_t header, size_t stringTable) const
{
    if (header + 8 > m_bytes.size()) return std::nullopt;
    std::string name(reinterpret_cast<const char*>(&m_bytes[header]), 8);
    name.resize(std::min(name.find('\0'), name.size()));
    if (name.empty() || name[0] != '/') return name;
    size_t offset = 0;
    for (size_t i = 1; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return std::nullopt;
        offset = offset * 10 + static_cast<size_t>(name[i] - '0');
    }
    return stringTable ? CString(stringTable + offset) : std::nullopt;
}

bool PeImage::ParseSections(size_t first, uint16_t count, size_t stringTable)
{
    for (uint16_t i = 0; i < count; ++i) {
        const size_t header = first + i * kSectionHeaderSize;
        const auto name = SectionName(header, stringTable);
        const auto virtualSize = U32(header + 8);
        const auto virtualAddress = U32(header + 12);
        const auto rawSize = U32(header + 16);
        const auto rawOffset = U32(header + 20);
        if (!name || !virtualSize || !virtualAddress || !rawSize || !rawOffset) return false;
        m_sections.push_back({*name, *virtualAddress, *virtualSize, *rawOffset, *rawSize});
    }
    return true;
}

bool PeImage::Parse()
{
    const auto ntOffset = U32(kNtHeaderPointer);
    if (!ntOffset || U16(0) != uint16_t{0x5A4D} || U32(*ntOffset) != uint32_t{0x4550}) return false;
    const size_t fileHeader = size_t{*ntOffset} + 4;
    const size_t optional = fileHeader + kFileHeaderSize;
    const auto sectionCount = U16(fileHeader + 2);
    const auto symbolTable = U32(fileHeader + 8);
    const auto symbolCount = U32(fileHeader + 12);
    const auto optionalSize = U16(fileHeader + 16);
    if (!sectionCount || !symbolTable || !symbolCount || !optionalSize || U16(optional) != kPe32Plus)
        return false;
    const auto alignment = U32(optional + 36);
    const auto directoryCount = U32(optional + 108);
    if (!alignment || !directoryCount) return false;
    m_fileAlignment = *alignment;
    for (uint32_t i = 0; i < std::min<uint32_t>(*directoryCount, 16); ++i) {
        const auto rva = U32(optional + 112 + i * 8);
        const auto size = U32(optional + 116 + i * 8);
        if (!rva || !size) return false;
        m_directories.emplace_back(*rva, *size);
    }
    const size_t stringTable = *symbolTable ? size_t{*symbolTable} + size_t{*symbolCount} * kSymbolSize : 0;
    return ParseSections(optional + *optionalSize, *sectionCount, stringTable);
}

bool PeImage::HasSection(const std::string& name) const
{
    return std::any_of(m_sections.begin(), m_sections.end(),
                       [&](const Section& s) { return s.name == name; });
}

bool PeImage::HasSectionStartingWith(const std::string& prefix) const
{
    return std::any_of(m_sections.begin(), m_sections.end(),
                       [&](const Section& s) { return s.name.rfind(prefix, 0) == 0; });
}

bool PeImage::HasDirectory(int index) const
{
    return index >= 0 && static_cast<size_t>(index) < m_directories.size()
           && m_directories[index].second != 0;
}

std::optional<size_t> PeImage::FileOffset(uint32_t rva) const
{
    for (const auto& s : m_sections) {
        const uint32_t extent = std::max(s.virtualSize, s.rawSize);
        if (rva >= s.virtualAddress && rva - s.virtualAddress < extent) {
            const uint32_t into = rva - s.virtualAddress;
            if (into >= s.rawSize) return std::nullopt;
            return size_t{s.rawOffset} + into;
        }
    }
    return std::nullopt;
}

std::optional<std::vector<std::string>> PeImage::ImportedDlls() const
{
    if (!m_valid) return std::nullopt;
    if (!HasDirectory(kImportDirectory)) return std::vector<std::string>{};
    const auto table = FileOffset(m_directories[kImportDirectory].first);
    if (!table) return std::nullopt;
    std::vector<std::string> names;
    for (size_t i = 0; i < kMaxImports; ++i) {
        const auto nameRva = U32(*table + i * kImportDescriptorSize + 12);
        const auto thunks = U32(*table + i * kImportDescriptorSize + 16);
        if (!nameRva || !thunks) return std::nullopt;
        if (*nameRva == 0 && *thunks == 0) return names;
        const auto nameOffset = FileOffset(*nameRva);
        const auto name = nameOffset ? CString(*nameOffset) : std::nullopt;
        if (!name) return std::nullopt;
        std::string lower = *name;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        names.push_back(lower);
    }
    return std::nullopt;
}
