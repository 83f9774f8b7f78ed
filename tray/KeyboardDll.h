#pragma once
#include "KeyForwarder.h"
#include "OemKeyList.h"
#include "UniqueHandle.h"
#include <windows.h>

// The keyboard DLL (Zelkey.dll): its global keyboard hook catches the OEM
// keys in every desktop process, and a reader thread takes them from the
// DLL's queue and posts each key the forwarder lets through to the tray
// window as the OEM key message.
class CKeyboardDll {
public:
    static constexpr DWORD kReaderStopMs = 5000;
    static constexpr DWORD kRetryPauseMs = 100;

    CKeyboardDll() = default;
    ~CKeyboardDll() { Stop(); }
    CKeyboardDll(const CKeyboardDll&) = delete;
    CKeyboardDll& operator=(const CKeyboardDll&) = delete;

    // Loads the DLL, hands it the key list, installs the hook and starts the
    // reader. false leaves nothing loaded.
    bool Start(const COemKeyList& keys, HWND target, CKeyForwarder& forwarder,
               const wchar_t* dllName = L"Zelkey.dll");
    // Stops the reader, removes the hook and frees the DLL; safe to repeat.
    void Stop();
    bool IsRunning() const { return static_cast<bool>(m_module); }

private:
    bool IsStopping() const { return ::WaitForSingleObject(m_stop.get(), 0) == WAIT_OBJECT_0; }

    static DWORD WINAPI ReaderThread(void* self);
    void ReadKeys();

    UniqueModule m_module;
    UnloadDllFn m_unload = nullptr;
    WaitForOEMKeyFn m_waitForKey = nullptr;
    HHOOK* m_hookSlot = nullptr; // inside the DLL's shared section
    UniqueHook m_hook;
    UniqueHandle m_reader;
    HWND m_target = nullptr;
    CKeyForwarder* m_forwarder = nullptr;
    // Set by Stop: the reader ends at its next wake-up (UnloadDll wakes a waiting one).
    UniqueHandle m_stop;
};
