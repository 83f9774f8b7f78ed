#include "BrsChecksum.h"
#include "UniqueHandle.h"

namespace {

using Item = BrsChecksum::Item;
using enum BrsChecksum::ItemType;

constexpr wchar_t kCheckSumValue[] = L"CheckSum";
constexpr DWORD kSchemeNameBytes = 520;
constexpr DWORD kButtonStringBytes = 1024;

// Item k of a key's table takes part when bit k-1 of its Bitmap is set.
constexpr Item kTopItems[] = {
    {L"MaximumAllowedScheme", Dword, 0}, {L"CurrentSelectedScheme", Dword, 0},
    {L"MaximumNoOfButtons", Dword, 0},   {L"ShowScheme", Dword, 0},
    {kCheckSumValue, Dword, 0},
};
constexpr Item kSchemeItems[] = {
    {L"SchemeName", String, kSchemeNameBytes},
    {L"NumberOfButtons", Dword, 0},
    {kCheckSumValue, Dword, 0},
};
constexpr Item kButtonItems[] = {
    {L"ButtonText", String, kButtonStringBytes},
    {L"ButtonFunction", Dword, 0},
    {L"ButtonCommand", String, kButtonStringBytes},
    {L"ButtonBMP", String, kButtonStringBytes},
    {L"ButtonScanCode", Dword, 0},
    {L"TooltipText", String, kButtonStringBytes},
    {L"HelpText", String, kButtonStringBytes},
    {L"FixedButton", Dword, 0},
    {L"ButtonBrowse", Dword, 0},
    {L"DragDropEnabled", Dword, 0},
    {L"KeyBMP", String, kButtonStringBytes},
    {kCheckSumValue, Dword, 0},
};

// A path that did not fit must not fall back to the hive itself.
UniqueKey OpenKey(HKEY hive, const KeyPath& path, REGSAM access)
{
    UniqueKey key;
    if (!path.Valid()
        || ::RegOpenKeyExW(hive, path.Text(), 0, access | KEY_WOW64_64KEY, key.put()) != ERROR_SUCCESS) {
        return UniqueKey();
    }
    return key;
}

std::optional<DWORD> QueryDword(HKEY key, const wchar_t* name)
{
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS
        || type != REG_DWORD || size != sizeof(value)) {
        return std::nullopt;
    }
    return value;
}

// A string item counts with the size the registry reports for it, less one.
std::optional<uint32_t> QueryStringWeight(HKEY key, const Item& item)
{
    BYTE buffer[kButtonStringBytes];
    DWORD type = 0;
    DWORD size = item.bufferBytes < sizeof(buffer) ? item.bufferBytes : sizeof(buffer);
    if (::RegQueryValueExW(key, item.name, nullptr, &type, buffer, &size) != ERROR_SUCCESS
        || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(size - 1);
}

bool IsAbsent(HKEY key, const wchar_t* name)
{
    return ::RegQueryValueExW(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_FILE_NOT_FOUND;
}

// The key's own CheckSum, selected by its Bitmap, before one was ever stored.
bool IsAbsentOwnChecksum(HKEY key, const Item& item)
{
    return ::lstrcmpW(item.name, kCheckSumValue) == 0 && IsAbsent(key, item.name);
}

std::optional<uint32_t> ItemWeight(HKEY key, const Item& item)
{
    if (item.type == String) return QueryStringWeight(key, item);
    return QueryDword(key, item.name);
}

// Scheme and button numbers are ints; a stored count beyond that range
// cannot name existing keys anyway.
int CountOf(DWORD stored)
{
    return stored > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<int>(stored);
}

uint32_t RotateRight(uint32_t v, int n)
{
    return (v >> n) | (v << (32 - n));
}
uint32_t RotateLeft(uint32_t v, int n)
{
    return (v << n) | (v >> (32 - n));
}

} // namespace

uint32_t BrsChecksum::Mix(uint32_t total)
{
    const uint32_t odd = RotateRight(total & 0x55555555u, 2);
    const uint32_t even = total & 0xAAAAAAAAu;
    return (even | odd | RotateLeft(even, 2)) + 0x1234u;
}

KeyPath BrsChecksum::SchemePath(int scheme) const
{
    KeyPath path(m_root);
    path.Append(L"\\Scheme").AppendNumber(scheme);
    return path;
}

KeyPath BrsChecksum::ButtonPath(int scheme, int button) const
{
    KeyPath path = SchemePath(scheme);
    path.Append(L"\\Button").AppendNumber(button);
    return path;
}

std::optional<uint32_t> BrsChecksum::KeyChecksum(const KeyPath& path, std::span<const Item> items) const
{
    const UniqueKey key = OpenKey(m_hive, path, KEY_QUERY_VALUE);
    if (!key) return std::nullopt;
    const auto bitmap = QueryDword(key.get(), L"Bitmap");
    if (!bitmap) return std::nullopt;
    uint32_t total = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        if (!(*bitmap & (1u << i))) continue;
        const auto weight = ItemWeight(key.get(), items[i]);
        // A CheckSum not stored yet makes the checksum 0, which is stored
        // like any other; the next one then includes it. Any other value
        // that cannot be read leaves the stored checksum as it is.
        if (!weight)
            return IsAbsentOwnChecksum(key.get(), items[i]) ? std::optional<uint32_t>(0) : std::nullopt;
        total += *weight;
    }
    return Mix(total);
}

std::optional<DWORD> BrsChecksum::ReadDword(const KeyPath& path, const wchar_t* name) const
{
    const UniqueKey key = OpenKey(m_hive, path, KEY_QUERY_VALUE);
    if (!key) return std::nullopt;
    return QueryDword(key.get(), name);
}

bool BrsChecksum::WriteChecksum(const KeyPath& path, uint32_t checksum) const
{
    const UniqueKey key = OpenKey(m_hive, path, KEY_SET_VALUE);
    if (!key) return false;
    const DWORD value = checksum;
    return ::RegSetValueExW(key.get(), kCheckSumValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                            sizeof(value))
           == ERROR_SUCCESS;
}

std::optional<uint32_t> BrsChecksum::GetBRSCheckSum() const
{
    return KeyChecksum(KeyPath(m_root), kTopItems);
}

std::optional<uint32_t> BrsChecksum::GetSchemeCheckSum(int scheme) const
{
    // Every scheme key must say how many buttons it has.
    if (!ReadDword(SchemePath(scheme), L"NumberOfButtons")) return std::nullopt;
    return KeyChecksum(SchemePath(scheme), kSchemeItems);
}

std::optional<uint32_t> BrsChecksum::GetButtonCheckSum(int scheme, int button) const
{
    return KeyChecksum(ButtonPath(scheme, button), kButtonItems);
}

bool BrsChecksum::SetButtonCheckSum(int scheme, int button) const
{
    const auto checksum = GetButtonCheckSum(scheme, button);
    return checksum && WriteChecksum(ButtonPath(scheme, button), *checksum);
}

bool BrsChecksum::SetAllButtonsCheckSum(int scheme, int buttons) const
{
    for (int button = 1; button <= buttons; ++button) {
        if (!SetButtonCheckSum(scheme, button)) return false;
    }
    return true;
}

bool BrsChecksum::SetSchemeCheckSum(int scheme) const
{
    const auto buttons = ReadDword(SchemePath(scheme), L"NumberOfButtons");
    const auto checksum = GetSchemeCheckSum(scheme);
    if (!buttons || !checksum || !WriteChecksum(SchemePath(scheme), *checksum)) return false;
    return SetAllButtonsCheckSum(scheme, CountOf(*buttons));
}

bool BrsChecksum::SetBRSCheckSum(int mode) const
{
    const auto checksum = GetBRSCheckSum();
    if (!checksum || !WriteChecksum(KeyPath(m_root), *checksum)) return false;
    if (mode != 1) return true;
    const auto schemes = ReadDword(KeyPath(m_root), L"MaximumAllowedScheme");
    if (!schemes) return false;
    for (int scheme = 1; scheme <= CountOf(*schemes); ++scheme) {
        if (!SetSchemeCheckSum(scheme)) return false;
    }
    return true;
}

bool BrsChecksum::VerifyKey(const KeyPath& path, std::optional<uint32_t> computed) const
{
    const auto stored = ReadDword(path, kCheckSumValue);
    return computed && stored && *computed == *stored;
}

bool BrsChecksum::VerifyButtonCheckSum(int scheme, int button) const
{
    return VerifyKey(ButtonPath(scheme, button), GetButtonCheckSum(scheme, button));
}

bool BrsChecksum::VerifySchemeCheckSum(int scheme) const
{
    if (!VerifyKey(SchemePath(scheme), GetSchemeCheckSum(scheme))) return false;
    const auto buttons = ReadDword(SchemePath(scheme), L"NumberOfButtons");
    if (!buttons) return false;
    for (int button = 1; button <= CountOf(*buttons); ++button) {
        if (!VerifyButtonCheckSum(scheme, button)) return false;
    }
    return true;
}

bool BrsChecksum::VerifyBRSCheckSum() const
{
    if (!VerifyKey(KeyPath(m_root), GetBRSCheckSum())) return false;
    const auto schemes = ReadDword(KeyPath(m_root), L"MaximumAllowedScheme");
    if (!schemes) return false;
    for (int scheme = 1; scheme <= CountOf(*schemes); ++scheme) {
        if (!VerifySchemeCheckSum(scheme)) return false;
    }
    return true;
}
