#pragma once
#include <memory>
#include <string>
#include <windows.h>

class CWnd;

// The program object: one per process, usually a static. Main runs
// InitInstance, the message loop and ExitInstance; InitInstance returning
// false ends the process at once.
class CApp {
public:
    CApp();
    virtual ~CApp();
    CApp(const CApp&) = delete;
    CApp& operator=(const CApp&) = delete;

    static CApp* Current();

    int Main(HINSTANCE instance);
    // The message loop; the thread's filter chain (modeless dialogs and
    // sheets) is asked first.
    int Run();

    HINSTANCE Instance() const { return m_instance; }
    CWnd* GetMainWnd() const { return m_mainWnd.get(); }
    void SetMainWnd(std::unique_ptr<CWnd> wnd);
    // Deletes the main window object (and so its window).
    void DeleteMainWnd();

    // The key name under which the program's settings live.
    void SetRegistryKey(const std::wstring& name) { m_registryKey = name; }
    const std::wstring& RegistryKey() const { return m_registryKey; }

    // Makes the main thread a single-threaded COM apartment that can host
    // controls; undone when the application object goes.
    bool EnableControlContainer();

protected:
    virtual bool InitInstance() { return true; }
    virtual int ExitInstance(int exitCode) { return exitCode; }

private:
    HINSTANCE m_instance = nullptr;
    std::unique_ptr<CWnd> m_mainWnd;
    std::wstring m_registryKey;
    bool m_comStarted = false;
};
