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

private:
    ULONG_PTR m_token = 0;
    bool m_started = false;
};
