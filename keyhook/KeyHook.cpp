// The keyboard hook and the key queue it shares with the tray's key reader.
// KeyboardHandler runs inside every process that receives keyboard input,
// so it touches no kernel object for a key nobody watches and never waits
// long for the queue.
#include "KeyQueue.h"
#include "OemKeyFilter.h"
#include "QueueMutexLock.h"

#include <atomic>
#include <optional>
#include <utility>

namespace {

__attribute__((section(".shr"), shared)) SharedState g_shared = {};

constexpr const wchar_t* kKeyEventName = L"PKU_Tvr";
// A hooked process gives up a key rather than stall its own input.
constexpr DWORD kHookLockTimeoutMs = 75;
// The reader waits in slices so that UnloadDll can always stop it.
constexpr DWORD kReaderLockSliceMs = 100;
// Start-up does not wait for a process that sits on the queue: the queue is
// then emptied by its next holder.
constexpr DWORD kInitLockTimeoutMs = 50;

// Process-local: the creator's handles keep the named objects alive. Plain
// handles, since the DLL has no runtime to run static destructors; they are
// closed when the DLL is freed.
HANDLE g_ownQueueMutex = nullptr;
HANDLE g_keyEvent = nullptr;
std::atomic<bool> g_unloading{false};

void CloseProcessObjects()
{
    UniqueHandle mutex(std::exchange(g_ownQueueMutex, nullptr));
    UniqueHandle event(std::exchange(g_keyEvent, nullptr));
}

bool AddKeyToQueue(const ZelkeyKey& key)
{
    QueueMutexLock lock(kHookLockTimeoutMs);
    return lock.Held() && KeyQueue(g_shared).Add(key);
}

void SignalWaitForKeyEvent()
{
    if (!g_shared.eventCreated) return;
    UniqueHandle event(::OpenEventW(EVENT_MODIFY_STATE, FALSE, kKeyEventName));
    if (event) ::SetEvent(event.get());
}

bool LockForReader(std::optional<QueueMutexLock>& lock)
{
    for (;;) {
        lock.emplace(kReaderLockSliceMs);
        if (lock->Held()) return true;
        if (!lock->MutexExists() || g_unloading) return false;
    }
}

bool GetKeyFromQueue(ZelkeyKey& key)
{
    std::optional<QueueMutexLock> lock;
    return LockForReader(lock) && KeyQueue(g_shared).Take(key);
}

std::optional<bool> QueueIsEmpty()
{
    std::optional<QueueMutexLock> lock;
    if (!LockForReader(lock)) return std::nullopt;
    return KeyQueue(g_shared).Empty();
}

bool EnsureKeyEvent()
{
    if (g_keyEvent) return true;
    g_keyEvent = ::CreateEventW(nullptr, FALSE, FALSE, kKeyEventName);
    if (!g_keyEvent) return false;
    g_shared.keyEvent = g_keyEvent;
    g_shared.eventCreated = 1;
    return true;
}

void QueueWatchedKey(WPARAM virtualKey, LPARAM info)
{
    const OemKeyFilter filter(g_shared.oemKeys, g_shared.oemKeyCount);
    const auto key = filter.KeyToQueue(KeyStroke::FromHook(virtualKey, info, g_shared.nt4 != 0));
    if (key && AddKeyToQueue(*key)) SignalWaitForKeyEvent();
}

std::optional<OSVERSIONINFOW> WindowsVersion()
{
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!::GetVersionExW(&version)) return std::nullopt;
    return version;
}

bool IsNt4(const OSVERSIONINFOW& version)
{
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion == 4
           && version.dwMinorVersion == 0;
}

} // namespace

extern "C" {

// The entry point itself: the DLL links no C runtime.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved)
{
    // At process exit the system closes the handles; on FreeLibrary they go here.
    if (reason == DLL_PROCESS_DETACH && !reserved) CloseProcessObjects();
    return TRUE;
}

BOOL WINAPI DllInitialize(HHOOK** hookHandleLocation)
{
    if (!hookHandleLocation) return FALSE;
    *hookHandleLocation = &g_shared.keyboardHookHandle;
    const auto version = WindowsVersion();
    if (!version) return FALSE;
    g_shared.nt4 = IsNt4(*version) ? 1 : 0;
    return TRUE;
}

BOOL WINAPI InitializeOEMKeyList(const OemKeyTableEntry* pkeyListFirst, int count)
{
    if (!pkeyListFirst || count < 0 || count > kMaxOemKeys) return FALSE;
    UniqueHandle mutex(::CreateMutexW(nullptr, FALSE, QueueMutexLock::kName));
    if (!mutex) return FALSE;
    // The list is written before the hook is installed and only read
    // afterwards, so it needs no lock.
    for (int i = 0; i < count; ++i)
        g_shared.oemKeys[i] = {pkeyListFirst[i].scanCode, 0, pkeyListFirst[i].ext};
    g_shared.oemKeyCount = static_cast<uint32_t>(count);
    KeyQueue::RequestClear(g_shared);
    {
        QueueMutexLock lock(kInitLockTimeoutMs);
        if (lock.Held()) KeyQueue(g_shared).Clear();
    }
    // A wake-up still pending refers to keys that are gone now.
    UniqueHandle event(::OpenEventW(EVENT_MODIFY_STATE, FALSE, kKeyEventName));
    if (event) ::ResetEvent(event.get());
    if (!g_ownQueueMutex) g_ownQueueMutex = mutex.release();
    g_shared.queueMutex = g_ownQueueMutex;
    g_unloading = false;
    return TRUE;
}

LRESULT CALLBACK KeyboardHandler(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) QueueWatchedKey(wParam, lParam);
    return ::CallNextHookEx(g_shared.keyboardHookHandle, code, wParam, lParam);
}

BOOL WINAPI WaitForOEMKey(ZelkeyKey* key)
{
    if (!key || !EnsureKeyEvent()) return FALSE;
    const auto empty = QueueIsEmpty();
    if (!empty) return FALSE;
    if (!*empty) {
        ::ResetEvent(g_keyEvent);
    } else if (g_unloading || ::WaitForSingleObject(g_keyEvent, INFINITE) != WAIT_OBJECT_0) {
        return FALSE;
    }
    return GetKeyFromQueue(*key) ? TRUE : FALSE;
}

BOOL WINAPI UnloadDll()
{
    g_unloading = true;
    UniqueHandle event(::OpenEventW(EVENT_MODIFY_STATE, FALSE, kKeyEventName));
    if (event) ::SetEvent(event.get());
    return TRUE;
}

} // extern "C"
