#pragma once
#include "UniqueHandle.h"

#include <windows.h>

#include <functional>

// The alert query some time after a resume, on a thread of its own with COM
// initialised: the firmware needs a while before it knows what it found. The
// wait ends early when the tray stops, and the tray waits for the thread, so
// the query never runs on a tray that is gone.
class CAlertQueryWorker {
public:
    static constexpr DWORD kDelayMs = 30000;
    // Support and the tests shorten the wait with this variable (milliseconds).
    static constexpr wchar_t kDelayVariable[] = L"TAVRIN_ALERT_QUERY_DELAY_MS";

    CAlertQueryWorker(DWORD delayMs, std::function<void()> query);
    ~CAlertQueryWorker();
    CAlertQueryWorker(const CAlertQueryWorker&) = delete;
    CAlertQueryWorker& operator=(const CAlertQueryWorker&) = delete;

    // kDelayMs, or the environment's value.
    static DWORD ConfiguredDelay();

    // Starts the wait; a worker that has not ended keeps its turn.
    void Start();
    // Ends the wait, answers a box the query shows and waits for the thread.
    void Stop();
    bool IsRunning() const;

private:
    static DWORD WINAPI ThreadMain(void* self);

    DWORD m_delayMs;
    std::function<void()> m_query;
    UniqueHandle m_stop;
    UniqueHandle m_thread;
    DWORD m_threadId = 0;
};
