#pragma once
#include <windows.h>

#include <string>

// Runs a program of the build's bin folder (the test's own folder) and
// collects what it writes to its standard output.
struct ProgramResult {
    bool finished = false; // started and ended within the time given
    DWORD exitCode = 0xFFFFFFFF;
    std::string output; // stdout as written
};

// The folder of this executable, with its trailing separator.
std::wstring TestBinFolder();

// Starts folder\program with the arguments and waits up to timeoutMs for it.
// A program still running then is ended, so no test leaves one behind. This
// thread's messages are dispatched meanwhile.
ProgramResult RunProgram(const std::wstring& program, const std::wstring& arguments, DWORD timeoutMs = 30000);

// The same for a program anywhere, named by its full path; with withErrors its
// standard error is collected into the output as well.
ProgramResult RunProgramFile(const std::wstring& exe, const std::wstring& arguments, DWORD timeoutMs = 30000,
                             bool withErrors = false);
