#include "FrameWnd.h"
#include "App.h"

bool CFrameWnd::RegisterFrameClass(LPCWSTR className, const ClassInfo& info)
{
    return RegisterWindowClass(className, info);
}

bool CFrameWnd::Create(LPCWSTR className, LPCWSTR title, DWORD style, HWND parent)
{
    return RegisterFrameClass(className)
           && CreateEx(0, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                       parent, nullptr);
}

void CFrameWnd::OnDestroy()
{
    CApp* app = CApp::Current();
    if (app && app->GetMainWnd() == this) ::PostQuitMessage(0);
}
