#pragma once
#include "UniqueHandle.h"

#include <windows.h>

#include <functional>

// The optical-drive eject, on a thread of its own so that a slow drive
// never holds up the tray. One eject runs at a time: a process-wide
// manual-reset event is signalled while none runs.
class CEjectWorker {
public:
    enum class Start { Started, AlreadyRunning, Failed };
    using Eject = std::function<void()>;

    // eject: what the worker does; by default the optical drives of the
    // device tree, as the eject key asks.
    explicit CEjectWorker(Eject eject = {});
    // Waits a while for a running eject, which touches nothing of the tray.
    ~CEjectWorker();
    CEjectWorker(const CEjectWorker&) = delete;
    CEjectWorker& operator=(const CEjectWorker&) = delete;

    // Only the thread that owns the worker starts it, so the test of the
    // event and its reset cannot interleave with another start.
    Start StartEject();
    bool IsRunning() const;
    // Signalled while no eject runs.
    HANDLE IdleEvent() const { return m_idle.get(); }

private:
    static DWORD WINAPI Run(void* self);

    Eject m_eject;
    UniqueHandle m_idle;
    UniqueHandle m_thread;
};
