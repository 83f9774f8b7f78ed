#include "FrameWnd.h"
#include "App.h"

bool CFrameWnd::RegisterFrameClass(LPCWSTR className)
{
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{sizeof(existing)};
    if (::GetClassInfoExW(instance, className, &existing)) return true;

    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &CWnd::StaticWndProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className;
    return ::RegisterClassExW(&wc) != 0;
}

bool CFrameWnd::Create(LPCWSTR className, LPCWSTR title, DWORD style, HWND parent)
{
    return RegisterFrameClass(className) &&
           CreateEx(0, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr);
}

void CFrameWnd::OnDestroy()
{
    CApp* app = CApp::Current();
    if (app && app->GetMainWnd() == this) ::PostQuitMessage(0);
}
