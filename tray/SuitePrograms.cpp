#include "SuitePrograms.h"

#include "ProgramFolder.h"
#include "UniqueHandle.h"

#include <windows.h>

#include <vector>

namespace suite_programs {

std::wstring CommandLine(const std::wstring& folder, const wchar_t* program, const wchar_t* arguments)
{
    // Quoted, so that a folder with blanks cannot start another program.
    std::wstring line = L"\"" + folder + program + L"\"";
    if (arguments != nullptr && *arguments != L'\0') line += std::wstring(L" ") + arguments;
    return line;
}

bool Start(const wchar_t* program, const wchar_t* arguments)
{
    return static_cast<bool>(StartCommandLine(CommandLine(ProgramFolder(), program, arguments)));
}

UniqueHandle StartCommandLine(const std::wstring& commandLine)
{
    std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());
    writable.push_back(L'\0');
    STARTUPINFOW startup{sizeof(startup)};
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info))
        return {};
    UniqueHandle thread(info.hThread);
    return UniqueHandle(info.hProcess);
}

} // namespace suite_programs
