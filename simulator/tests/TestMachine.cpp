#include "TestMachine.h"

#include <cstring>
#include <fstream>

#include "MachineProfile.h"

namespace simtest {

std::unique_ptr<sim::SimMachine> LoadedMachine(const wchar_t* profile)
{
    auto machine = std::make_unique<sim::SimMachine>();
    std::memset(machine.get(), 0, sizeof(sim::SimMachine));
    if (!sim::LoadProfile(profile, *machine)) return nullptr;
    return machine;
}

std::vector<uint8_t> Request(uint16_t cbClass, uint16_t cbSelect, uint32_t arg1, uint32_t arg2, uint32_t arg3,
                             uint32_t arg4, size_t length)
{
    BiosCallBuffer call;
    call.cbClass = cbClass;
    call.cbSelect = cbSelect;
    call.cbArg1 = arg1;
    call.cbArg2 = arg2;
    call.cbArg3 = arg3;
    call.cbArg4 = arg4;
    std::vector<uint8_t> bytes(length, 0);
    std::memcpy(bytes.data(), &call, std::min(length, kBiosCallWireSize));
    return bytes;
}

BiosCallBuffer Record(const std::vector<uint8_t>& answer)
{
    BiosCallBuffer call;
    if (answer.size() >= kBiosCallWireSize)
        std::memcpy(static_cast<void*>(&call), answer.data(), kBiosCallWireSize);
    return call;
}

TempProfile::TempProfile(const std::string& text)
{
    wchar_t folder[MAX_PATH];
    wchar_t file[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    ::GetTempFileNameW(folder, L"sim", 0, file);
    m_path = std::wstring(file) + L".ini";
    ::DeleteFileW(file);
    HANDLE h = ::CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(h);
}

TempProfile::~TempProfile()
{
    ::DeleteFileW(m_path.c_str());
}

std::string Structure::StringAt(size_t offset) const
{
    if (offset >= formatted.size()) return "";
    uint8_t n = formatted[offset];
    return (n == 0 || n > strings.size()) ? "" : strings[n - 1];
}

uint16_t Structure::Word(size_t offset) const
{
    if (offset + 1 >= formatted.size()) return 0;
    return static_cast<uint16_t>(formatted[offset] | (formatted[offset + 1] << 8));
}

std::vector<Structure> Walk(const std::vector<uint8_t>& table)
{
    std::vector<Structure> structures;
    size_t o = 0;
    while (o < table.size()) {
        if (o + 4 > table.size() || table[o + 1] < 4 || o + table[o + 1] > table.size()) return {};
        Structure s;
        s.type = table[o];
        s.formatted.assign(table.begin() + o, table.begin() + o + table[o + 1]);
        size_t p = o + table[o + 1];
        // Strings up to the double NUL; a set without strings is just two NULs.
        std::string current;
        for (;;) {
            if (p + 1 >= table.size()) return {};
            if (table[p] == 0 && table[p + 1] == 0) {
                if (!current.empty()) s.strings.push_back(current);
                break;
            }
            if (table[p] == 0) {
                s.strings.push_back(current);
                current.clear();
            } else {
                current += static_cast<char>(table[p]);
            }
            ++p;
        }
        o = p + 2;
        structures.push_back(s);
    }
    return structures;
}

} // namespace simtest
