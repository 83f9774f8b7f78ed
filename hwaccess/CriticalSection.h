#pragma once
#include <windows.h>

// A Win32 critical section owned by the object that holds it.
class CriticalSection {
public:
    CriticalSection() { ::InitializeCriticalSection(&cs_); }
    ~CriticalSection() { ::DeleteCriticalSection(&cs_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void Enter() { ::EnterCriticalSection(&cs_); }
    void Leave() { ::LeaveCriticalSection(&cs_); }

private:
    CRITICAL_SECTION cs_;
};

// Holds a critical section for one scope; left on every return.
class CriticalSectionLock {
public:
    explicit CriticalSectionLock(CriticalSection& cs) : cs_(cs) { cs_.Enter(); }
    ~CriticalSectionLock() { cs_.Leave(); }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

private:
    CriticalSection& cs_;
};
