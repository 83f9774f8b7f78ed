#include "DirectApp.h"
#include "AcpiWmi.h"
#include "Language.h"
#include "MainFrame.h"
#include "ProgramFolder.h"

CDirectApp::CDirectApp()
{
    std::wstring folder = ProgramFolder();
    folder.pop_back(); // the trailing backslash
    m_companion.LoadConfig(folder);
}

CDirectApp::~CDirectApp()
{
    DeleteMainWnd();
    g_pAcpiWmi.reset();
}

bool CDirectApp::InitInstance()
{
    EnableComSecurity();
    SetRegistryKey(L"Tavrin");
    if (!g_pAcpiWmi || g_pAcpiWmi->IsSmbiosUnavailable()) return false;
    m_language = language::SelectedLanguage();

    auto frame = std::make_unique<CMainFrame>(*g_pAcpiWmi, m_companion);
    if (!frame->CreateHidden()) return false;
    SetMainWnd(std::move(frame));
    return true;
}

int CDirectApp::ExitInstance(int exitCode)
{
    DeleteMainWnd();
    return exitCode;
}
