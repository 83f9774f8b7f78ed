#pragma once
#include "FeatureComponents.h"
#include "UniqueHandle.h"

#include <windows.h>

#include <atomic>

class CKeyForwarder;

// Hibernation on a thread of its own: it offers to enable hibernation when
// Windows cannot hibernate, holds the shutdown privilege for the request and
// lets the hibernate key through again when it ends. The main window asks
// whether to force a hibernation a driver vetoed.
class CHibernate : public IHibernateWorker {
public:
    enum Result { kFailed = 0, kRequested = 1, kEnabled = 2 };

    explicit CHibernate(CKeyForwarder& forwarder);
    ~CHibernate() override;
    CHibernate(const CHibernate&) = delete;
    CHibernate& operator=(const CHibernate&) = delete;

    bool IsPending() const override { return m_hibernating; }
    void Start() override;
    void ClearPending() override { m_hibernating = false; }
    void OfferForced(HWND owner) override;

    // One request; kEnabled when hibernation was only just made possible.
    Result Hibernate(bool force);

private:
    static DWORD WINAPI ThreadMain(void* self);
    bool EnablePrivilege();
    void RestorePrivilege();

    CKeyForwarder& m_forwarder;
    std::atomic<bool> m_hibernating{false};
    // Whether the shutdown privilege was enabled before; -1 before the first check.
    int m_privilegeHeld = -1;
    TOKEN_PRIVILEGES m_savedPrivileges{};
    UniqueHandle m_thread;
    DWORD m_threadId = 0;
};
