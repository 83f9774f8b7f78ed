#pragma once
#include <windows.h>
#include <ole2.h>
#include <gdiplus.h>

// GDI+ for the life of the object.
class CGdiplusSession {
public:
    CGdiplusSession()
    {
        Gdiplus::GdiplusStartupInput input;
        m_started = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
    }
    ~CGdiplusSession()
    {
        if (m_started) Gdiplus::GdiplusShutdown(m_token);
    }
    CGdiplusSession(const CGdiplusSession&) = delete;
    CGdiplusSession& operator=(const CGdiplusSession&) = delete;

    bool Started() const { return m_started; }

private:
    ULONG_PTR m_token = 0;
    bool m_started = false;
};

// GDI+ started by the first caller about to draw with it and kept for the
// rest of the process. gdiplus.dll is delay-loaded, so a program that has
// not drawn yet has not loaded it.
inline bool EnsureGdiplus()
{
    static const CGdiplusSession session;
    return session.Started();
}
