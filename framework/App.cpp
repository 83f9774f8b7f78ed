#include "App.h"
#include "MessageFilterChain.h"
#include "Wnd.h"
#include <objbase.h>

namespace {
CApp* g_currentApp = nullptr;
}

CApp::CApp()
{
    g_currentApp = this;
}

CApp::~CApp()
{
    m_mainWnd.reset();
    if (m_comStarted) ::CoUninitialize();
    if (g_currentApp == this) g_currentApp = nullptr;
}

CApp* CApp::Current()
{
    return g_currentApp;
}

int CApp::Main(HINSTANCE instance)
{
    m_instance = instance;
    if (!InitInstance()) return ExitInstance(0);
    return ExitInstance(Run());
}

int CApp::Run()
{
    MSG msg;
    for (;;) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        if (CMessageFilterChain::ForThisThread().Filter(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void CApp::SetMainWnd(std::unique_ptr<CWnd> wnd)
{
    m_mainWnd = std::move(wnd);
}

void CApp::DeleteMainWnd()
{
    m_mainWnd.reset();
}

bool CApp::EnableControlContainer()
{
    if (!m_comStarted) m_comStarted = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    return m_comStarted;
}
