#include "ProgramRun.h"

#include <thread>

#include "ModuleFolder.h"
#include "UniqueHandle.h"

std::wstring TestBinFolder()
{
    return ModuleFolder();
}

namespace {

// Keeps this thread's messages flowing while the program runs: a program that
// broadcasts or sends input waits for this thread's windows and hooks.
bool WaitPumping(HANDLE process, DWORD timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline) return ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
        const DWORD woke = ::MsgWaitForMultipleObjects(1, &process, FALSE, static_cast<DWORD>(deadline - now),
                                                       QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0) return true;
        if (woke != WAIT_OBJECT_0 + 1) return false;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

} // namespace

ProgramResult RunProgram(const std::wstring& program, const std::wstring& arguments, DWORD timeoutMs)
{
    return RunProgramFile(TestBinFolder() + program, arguments, timeoutMs);
}

ProgramResult RunProgramFile(const std::wstring& exe, const std::wstring& arguments, DWORD timeoutMs,
                             bool withErrors)
{
    ProgramResult result;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readRaw = nullptr;
    HANDLE writeRaw = nullptr;
    if (!::CreatePipe(&readRaw, &writeRaw, &inherit, 0)) return result;
    UniqueHandle read(readRaw);
    UniqueHandle write(writeRaw);
    ::SetHandleInformation(read.get(), HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{sizeof startup};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write.get();
    startup.hStdError = withErrors ? write.get() : ::GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                          nullptr, &startup, &process)) {
        return result;
    }
    UniqueHandle processHandle(process.hProcess);
    UniqueHandle threadHandle(process.hThread);
    write.reset(); // the pipe ends when the program (and what it started) lets go

    std::string collected;
    std::thread reader([&collected, pipe = read.get()] {
        char buffer[4096];
        DWORD n = 0;
        while (::ReadFile(pipe, buffer, sizeof buffer, &n, nullptr) && n > 0) collected.append(buffer, n);
    });
    result.finished = WaitPumping(processHandle.get(), timeoutMs);
    if (!result.finished) {
        ::TerminateProcess(processHandle.get(), 0xFFFFFFFF);
        ::WaitForSingleObject(processHandle.get(), INFINITE);
    }
    reader.join();
    ::GetExitCodeProcess(processHandle.get(), &result.exitCode);
    result.output = std::move(collected);
    return result;
}
