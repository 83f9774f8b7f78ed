// Stands in for the companion settings program of the tray icon: notes each
// start in the file named by TAVRIN_COMPANION_LOG and stays until the test
// signals the event named there with ".finish" appended.
#include <windows.h>

#include <string>

int wmain()
{
    wchar_t log[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"TAVRIN_COMPANION_LOG", log, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 2;
    HANDLE file = ::CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 3;
    DWORD written = 0;
    ::WriteFile(file, "started\n", 8, &written, nullptr);
    ::CloseHandle(file);
    HANDLE finish = ::CreateEventW(nullptr, TRUE, FALSE, L"TavrinTestCompanionFinish");
    if (finish == nullptr) return 4;
    ::WaitForSingleObject(finish, 60000);
    ::CloseHandle(finish);
    return 0;
}
