#pragma once
#include "CriticalSection.h"
#include "UniqueHandle.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

// One family of alert boxes (adapter or battery): each box on a thread of
// its own, so the main window never waits, and a text already on screen is
// not shown a second time. Requests may come from any thread.
class CAlertBoxFamily {
public:
    // Shows one box and returns once it is closed.
    using Box = std::function<void(const std::wstring& text)>;

    // box runs on the family's threads; inPlace on the caller's thread when
    // no thread can be started.
    CAlertBoxFamily(Box box, Box inPlace);
    // Answers the boxes still open and waits for their threads.
    ~CAlertBoxFamily();
    CAlertBoxFamily(const CAlertBoxFamily&) = delete;
    CAlertBoxFamily& operator=(const CAlertBoxFamily&) = delete;

    // false: the same text is on screen and the request was dropped.
    bool Show(const std::wstring& text);
    int OpenBoxes() const { return m_open; }

private:
    struct Job;
    struct Thread {
        UniqueHandle handle;
        DWORD id = 0;
    };
    static DWORD WINAPI ThreadMain(void* job);
    // Drops the threads that have ended; under m_lock.
    void ForgetEnded();

    Box m_box;
    Box m_inPlace;
    CriticalSection m_lock;
    // Counted by the caller before the thread starts, so that a repeat that
    // arrives before the first box is up is dropped as well.
    std::atomic<int> m_open{0};
    std::wstring m_lastText;
    std::vector<Thread> m_threads;
};
