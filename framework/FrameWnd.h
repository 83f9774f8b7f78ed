#pragma once
#include "Wnd.h"

// A top-level window of a class registered under a chosen name. When it is
// the application's main window, its destruction ends the message loop.
class CFrameWnd : public CWnd {
public:
    // Registers the class information under name (once per process; later
    // calls succeed without change). Register before the first Create to
    // choose the brush or cursor; Create registers the defaults otherwise.
    static bool RegisterFrameClass(LPCWSTR className, const ClassInfo& info = {});

    bool Create(LPCWSTR className, LPCWSTR title, DWORD style = WS_OVERLAPPEDWINDOW, HWND parent = nullptr);

protected:
    void OnDestroy() override;
};
