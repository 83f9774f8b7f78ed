#include "AcpiWmi.h"
#include "BatteryApp.h"
#include "UniqueHandle.h"

// Created in this order before wWinMain: the BIOS interface, the meter's
// mutex (whether it existed tells whether another meter runs), then the
// application object. The mutex is held for the program's life: let go at
// once, a running meter would leave nothing for a second start to find.
static const bool s_biosCreated = (g_pAcpiWmi = std::make_unique<CAcpiWmi>(), true);
static UniqueHandle s_instanceMutex;
static const bool s_alreadyRunning = [] {
    s_instanceMutex.reset(::CreateMutexW(nullptr, FALSE, L"Battery"));
    return ::GetLastError() == ERROR_ALREADY_EXISTS;
}();
static CBatteryApp theApp(s_alreadyRunning);

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    return theApp.Main(instance);
}
