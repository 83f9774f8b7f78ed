#pragma once
#include <windows.h>
#include <shellapi.h>
#include <functional>
#include <string>
#include "TimerIds.h"
#include "UniqueHandle.h"

// The tray's icon in the notification area. When the shell is not ready the
// icon is added again every second, at most ten attempts in all, on a timer
// of the owner window so that its message loop keeps running.
class CTaskBar {
public:
    static constexpr UINT kIconId = 1;
    static constexpr int kMaxAttempts = 10;
    static constexpr UINT kRetryDelayMs = 1000;

    using NotifyFunction = std::function<BOOL(DWORD, NOTIFYICONDATAW*)>;

    CTaskBar();
    // Tests replace the shell call.
    explicit CTaskBar(NotifyFunction notify);
    ~CTaskBar();
    CTaskBar(const CTaskBar&) = delete;
    CTaskBar& operator=(const CTaskBar&) = delete;

    void Attach(HWND owner, UINT callbackMessage);
    // Adds the icon (taking ownership of icon); marks it shown at once, even
    // while attempts are still pending.
    void AddIcon(HICON icon, const std::wstring& tip);
    void RemoveIcon();
    // The owner forwards its retry timer here.
    void OnRetryTimer();

    bool IsShown() const { return m_shown; }
    void SetShown(bool shown) { m_shown = shown; }
    bool IsRetrying() const { return m_pending; }

private:
    bool TryAdd();
    void FinishAttempts();

    NotifyFunction m_notify;
    HWND m_owner = nullptr;
    UINT m_callbackMessage = 0;
    bool m_shown = false;
    UniqueIcon m_icon;
    std::wstring m_tip;
    int m_attempts = 0;
    bool m_pending = false;
};
