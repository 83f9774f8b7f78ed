#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One firmware call as `simctl calls -v` reports it.
struct LoggedCall {
    uint16_t cbClass = 0;
    uint16_t cbSelect = 0;
    uint32_t args[4] = {};
    int32_t res1 = 0;
    uint32_t res[3] = {};
    unsigned length = 0; // bytes of the request
    bool tailZero = false; // every byte after the first 44 was zero
    bool reservedZero = false; // the 8 reserved bytes were zero
};

// The shared simulated notebook, driven through simctl as a person would. A
// test that loads a profile also names it in TAVRIN_SIMULATED_MACHINE, so
// this process and the programs it starts see that machine.
class SimulatedNotebook {
public:
    // Loads the profile afresh (every fault and setting back to its values).
    bool Load(const wchar_t* profile);
    // Runs simctl with the arguments; true when it exited with 0.
    bool Simctl(const std::wstring& arguments);
    // What simctl printed, or "" when it failed.
    std::string SimctlOutput(const std::wstring& arguments);
    std::vector<LoggedCall> Calls();
    bool ClearCalls() { return Simctl(L"clear-calls"); }
    // "value" or "battery/AC" of the setting at a token location.
    std::string Setting(uint16_t location);
};
