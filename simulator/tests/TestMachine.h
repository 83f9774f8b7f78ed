#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "BiosCallBuffer.h"
#include "SimMachine.h"

namespace simtest {

// A machine block of the tests' own, loaded from a profile of bin/profiles.
std::unique_ptr<sim::SimMachine> LoadedMachine(const wchar_t* profile);

// The bytes of one call record as the product sends it, zero-padded to `length`.
std::vector<uint8_t> Request(uint16_t cbClass, uint16_t cbSelect, uint32_t arg1 = 0, uint32_t arg2 = 0,
                             uint32_t arg3 = 0, uint32_t arg4 = 0, size_t length = kBiosCallWireSize);

// The call record at the start of an answer (which must hold 44 bytes).
BiosCallBuffer Record(const std::vector<uint8_t>& answer);

// A profile file in the temporary folder, removed with the object.
class TempProfile {
public:
    explicit TempProfile(const std::string& text);
    ~TempProfile();
    TempProfile(const TempProfile&) = delete;
    TempProfile& operator=(const TempProfile&) = delete;
    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
};

// Walks a raw SMBIOS table the way a reader does.
struct Structure {
    uint8_t type;
    std::vector<uint8_t> formatted;
    std::vector<std::string> strings;
    // String number at `offset` of the formatted area ("" for 0 or missing).
    std::string StringAt(size_t offset) const;
    uint16_t Word(size_t offset) const;
};
// Empty when the table is not walkable to its very end.
std::vector<Structure> Walk(const std::vector<uint8_t>& table);

} // namespace simtest
