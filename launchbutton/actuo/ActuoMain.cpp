#include "AcpiWmi.h"
#include "PellickApp.h"
#include "UniqueHandle.h"

// Created in this order before wWinMain: the BIOS interface, the session's
// manager mutex (whether it existed tells whether another manager runs),
// then the application object.
static const bool s_biosCreated = (g_pAcpiWmi = std::make_unique<CAcpiWmi>(), true);
static UniqueHandle s_instanceMutex;
static const bool s_alreadyRunning = [] {
    s_instanceMutex.reset(::CreateMutexW(nullptr, FALSE, L"Local\\{8C94406D-D32C-41cf-80E9-AA3875254262}"));
    return ::GetLastError() == ERROR_ALREADY_EXISTS;
}();
static CPellickApp theApp(s_alreadyRunning);

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    return theApp.Main(instance);
}
