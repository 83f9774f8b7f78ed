#include "AcpiWmi.h"
#include "DirectApp.h"

// Created in this order before wWinMain: the BIOS interface (reads SMBIOS and
// the hardware configuration), then the application object.
static const bool s_biosCreated = (g_pAcpiWmi = std::make_unique<CAcpiWmi>(), true);
static CDirectApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    return theApp.Main(instance);
}
