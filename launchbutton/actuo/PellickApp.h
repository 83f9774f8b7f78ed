#pragma once
#include "App.h"
#include "GdiplusSession.h"

#include <windows.h>

// The manager program: one dialog per session. A second start brings the
// running one forward and, unless told to keep it (-KEEP), closes it.
class CPellickApp : public CApp {
public:
    // alreadyRunning: the manager's session mutex existed before this process.
    explicit CPellickApp(bool alreadyRunning);

protected:
    bool InitInstance() override;

private:
    static void OpenSupportLauncher();
    bool m_alreadyRunning;
    // The header artwork is drawn through GDI+.
    CGdiplusSession m_gdiplus;
};
