#include "KeyboardDll.h"
#include "MessageCatalogue.h"
#include "ProcAddress.h"

bool CKeyboardDll::Start(const COemKeyList& keys, HWND target, CKeyForwarder& forwarder,
                         const wchar_t* dllName)
{
    if (m_module) return true;
    UniqueModule module(::LoadLibraryW(dllName));
    if (!module) return false;
    auto hookProc = ResolveExport<KeyboardHandlerFn>(module.get(), "KeyboardHandler");
    auto initialize = ResolveExport<DllInitializeFn>(module.get(), "DllInitialize");
    auto initializeKeys = ResolveExport<InitializeOEMKeyListFn>(module.get(), "InitializeOEMKeyList");
    auto unload = ResolveExport<UnloadDllFn>(module.get(), "UnloadDll");
    auto waitForKey = ResolveExport<WaitForOEMKeyFn>(module.get(), "WaitForOEMKey");
    if (!hookProc || !initialize || !initializeKeys || !unload || !waitForKey) return false;

    HHOOK* hookSlot = nullptr;
    if (!initialize(&hookSlot) || !hookSlot || !initializeKeys(keys.Entries(), keys.Count())) return false;
    UniqueHook hook(::SetWindowsHookExW(WH_KEYBOARD, hookProc, module.get(), 0));
    if (!hook) return false;
    *hookSlot = hook.get();

    m_module = std::move(module);
    m_unload = unload;
    m_waitForKey = waitForKey;
    m_hookSlot = hookSlot;
    m_hook = std::move(hook);
    m_target = target;
    m_forwarder = &forwarder;
    m_stop.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (m_stop) m_reader.reset(::CreateThread(nullptr, 0, &CKeyboardDll::ReaderThread, this, 0, nullptr));
    if (!m_reader) {
        Stop();
        return false;
    }
    return true;
}

void CKeyboardDll::Stop()
{
    if (!m_module) return;
    if (m_stop) ::SetEvent(m_stop.get());
    m_unload(); // wakes a reader waiting for a key
    m_hook.reset();
    *m_hookSlot = nullptr;
    // A reader that has not ended in time still runs code of the DLL: the
    // DLL stays loaded for the rest of the process rather than being freed
    // under it, and the thread is never terminated.
    const bool readerEnded
        = !m_reader || ::WaitForSingleObject(m_reader.get(), kReaderStopMs) == WAIT_OBJECT_0;
    m_reader.reset();
    m_hookSlot = nullptr;
    m_unload = nullptr;
    m_waitForKey = nullptr;
    if (!readerEnded) m_module.release();
    m_module.reset();
}

DWORD WINAPI CKeyboardDll::ReaderThread(void* self)
{
    static_cast<CKeyboardDll*>(self)->ReadKeys();
    return 0;
}

void CKeyboardDll::ReadKeys()
{
    while (!IsStopping()) {
        ZelkeyKey key{};
        if (!m_waitForKey(&key)) {
            // A failing wait must not turn into a busy loop, nor delay a stop.
            ::WaitForSingleObject(m_stop.get(), kRetryPauseMs);
            continue;
        }
        if (IsStopping()) break;
        const bool extended = key.ext != 0;
        if (m_forwarder->TakeKey(key.scanCode, extended))
            ::PostMessageW(m_target, messages::kOemKeyMessage, key.scanCode, extended ? 1 : 0);
    }
}
