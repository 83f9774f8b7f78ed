#include "SimulatedNotebook.h"

#include <windows.h>

#include <cstdio>
#include <sstream>

#include "ProgramRun.h"

namespace {

constexpr wchar_t kSimctl[] = L"simctl.exe";

bool ParseCall(const std::string& line, LoggedCall& call)
{
    unsigned sequence = 0, cls = 0, select = 0, tail = 0, reserved = 0;
    const int fields
        = std::sscanf(line.c_str(),
                      "#%u class=0x%x select=0x%x args=0x%x,0x%x,0x%x,0x%x res=%d,0x%x,0x%x,0x%x length=%u "
                      "tail-zero=%u reserved-zero=%u",
                      &sequence, &cls, &select, &call.args[0], &call.args[1], &call.args[2], &call.args[3],
                      &call.res1, &call.res[0], &call.res[1], &call.res[2], &call.length, &tail, &reserved);
    call.cbClass = static_cast<uint16_t>(cls);
    call.cbSelect = static_cast<uint16_t>(select);
    call.tailZero = tail != 0;
    call.reservedZero = reserved != 0;
    return fields == 14;
}

} // namespace

bool SimulatedNotebook::Load(const wchar_t* profile)
{
    ::SetEnvironmentVariableW(L"TAVRIN_SIMULATED_MACHINE", profile);
    return Simctl(std::wstring(L"load ") + profile) && ClearCalls();
}

bool SimulatedNotebook::Simctl(const std::wstring& arguments)
{
    const ProgramResult result = RunProgram(kSimctl, arguments);
    return result.finished && result.exitCode == 0;
}

std::string SimulatedNotebook::SimctlOutput(const std::wstring& arguments)
{
    const ProgramResult result = RunProgram(kSimctl, arguments);
    return result.finished && result.exitCode == 0 ? result.output : std::string();
}

std::vector<LoggedCall> SimulatedNotebook::Calls()
{
    std::vector<LoggedCall> calls;
    std::istringstream lines(SimctlOutput(L"calls -v"));
    std::string line;
    while (std::getline(lines, line)) {
        LoggedCall call;
        if (ParseCall(line, call)) calls.push_back(call);
    }
    return calls;
}

std::string SimulatedNotebook::Setting(uint16_t location)
{
    std::string text = SimctlOutput(L"get setting " + std::to_wstring(location));
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}
