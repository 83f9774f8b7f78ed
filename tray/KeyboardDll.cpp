#include "KeyboardDll.h"
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
    if (!initialize(&hookSlot) || !hookSlot || !initializeKeys(keys.Entries(), keys.Count()))
        return false;
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
    m_running = true;
    m_reader.reset(::CreateThread(nullptr, 0, &CKeyboardDll::ReaderThread, this, 0, nullptr));
    if (!m_reader) {
        Stop();
        return false;
    }
    return true;
}

void CKeyboardDll::Stop()
{
    if (!m_module) return;
    m_running = false;
    m_unload();  // wakes a reader waiting for a key
    m_hook.reset();
    *m_hookSlot = nullptr;
    if (m_reader) {
        // Each wake-up lets the reader see the stop request; a reader that
        // stays blocked is ended after the grace time.
        if (::WaitForSingleObject(m_reader.get(), kReaderStopMs) != WAIT_OBJECT_0)
            ::TerminateThread(m_reader.get(), 0);
        m_reader.reset();
    }
    m_hookSlot = nullptr;
    m_unload = nullptr;
    m_waitForKey = nullptr;
    m_module.reset();
}

DWORD WINAPI CKeyboardDll::ReaderThread(void* self)
{
    static_cast<CKeyboardDll*>(self)->ReadKeys();
    return 0;
}

void CKeyboardDll::ReadKeys()
{
    while (m_running) {
        ZelkeyKey key{};
        if (!m_waitForKey(&key)) {
            // A failing wait must not turn into a busy loop.
            if (m_running) ::Sleep(kRetryPauseMs);
            continue;
        }
        if (!m_running) break;
        const bool extended = key.ext != 0;
        if (m_forwarder->TakeKey(key.scanCode, extended))
            ::PostMessageW(m_target, CKeyForwarder::kKeyMessage, key.scanCode, extended ? 1 : 0);
    }
}
