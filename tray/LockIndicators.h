#pragma once
#include "KbdLedDialog.h"
#include "UniqueHandle.h"

#include <windows.h>
#include <shellapi.h>

#include <array>
#include <functional>

// The lock keys' indicators: a notification icon of the main window per
// key that is on (identifiers 101..103), only an icon, no messages. The
// taskbar is shown with every icon added.
class CLockIndicators : public ILockIndicators {
public:
    using NotifyFunction = std::function<BOOL(DWORD, NOTIFYICONDATAW*)>;
    // Tests see what was asked of the shell.
    using Observer = std::function<void(LockKey key, bool added)>;

    CLockIndicators(std::function<HWND()> owner, NotifyFunction notify = {}, Observer observer = {});

    bool Add(LockKey key, UINT iconId) override;
    void Remove(LockKey key) override;

private:
    static size_t Slot(LockKey key);

    std::function<HWND()> m_owner;
    NotifyFunction m_notify;
    Observer m_observer;
    std::array<UniqueIcon, 3> m_icons;
};
