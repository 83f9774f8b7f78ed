#pragma once
#include <windows.h>

// A window owned by one C++ object. The constructor only stores state; Create
// makes the HWND, so the most-derived WindowProc already sees WM_NCCREATE and
// WM_CREATE. Destroying the object destroys its window; a window destroyed
// from outside leaves the object detached.
class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    bool IsOpen() const { return m_hWnd != nullptr; }

    // What a window class registered by the framework looks like. The
    // brush and cursor must outlive every window of the class (system
    // colours, stock objects or objects kept for the process).
    struct ClassInfo {
        UINT style = CS_DBLCLKS;
        // A null brush leaves the background to the window's own painting.
        HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        // Null: the arrow.
        HCURSOR cursor = nullptr;
        HICON icon = nullptr;
    };
    // Registers a class whose procedure is StaticWndProc, once per process:
    // when the name is registered already nothing changes and true is returned.
    static bool RegisterWindowClass(LPCWSTR className, const ClassInfo& info);

    // Creates the window of a class whose procedure is CWnd::StaticWndProc.
    bool CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style, int x, int y, int width,
                  int height, HWND parent, HMENU menu);
    bool DestroyWindow();

    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs);
    bool KillTimer(UINT_PTR id);
    // Removes then adds style bits; true when the style changed. flags are
    // passed to SetWindowPos (e.g. SWP_FRAMECHANGED) when not 0.
    bool ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    bool ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);

    // Restores, raises and activates the window (a second request to open
    // something that is open).
    void BringToFront() const;

    LRESULT SendMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;
    bool PostMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;

    // Procedure for window classes registered by the framework.
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

protected:
    // The one entry point for every message of this window. The default
    // dispatches the common messages to the handlers below.
    virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
    // The system's handling of a message (a wrapped window's own procedure).
    virtual LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);

    virtual int OnCreate(const CREATESTRUCTW&) { return 0; }
    virtual void OnClose() { DestroyWindow(); }
    virtual void OnDestroy() {}
    virtual void OnTimer(UINT_PTR) {}
    // true when handled.
    virtual bool OnCommand(UINT /*id*/, UINT /*code*/, HWND /*control*/) { return false; }
    virtual bool OnQueryEndSession() { return true; }
    virtual void OnEndSession(bool /*ending*/) {}
    // Called after the last message; the HWND is gone.
    virtual void OnFinalDestroy() {}

    static bool ModifyLong(HWND hwnd, int index, DWORD remove, DWORD add, UINT flags);

    HWND m_hWnd = nullptr;

private:
    void Detach();
};
