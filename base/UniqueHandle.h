#pragma once
#include <windows.h>

#include <cstdint>
#include <utility>

// Owning wrappers for the Win32 handles the suite holds. Each closes its
// handle exactly once, in the object that acquired it.
template <typename Traits>
class UniqueHandleT {
public:
    using Handle = typename Traits::Handle;

    UniqueHandleT() = default;
    explicit UniqueHandleT(Handle h) : m_h(h) {}
    ~UniqueHandleT() { reset(); }
    UniqueHandleT(const UniqueHandleT&) = delete;
    UniqueHandleT& operator=(const UniqueHandleT&) = delete;
    UniqueHandleT(UniqueHandleT&& other) noexcept : m_h(other.release()) {}
    UniqueHandleT& operator=(UniqueHandleT&& other) noexcept
    {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const { return m_h; }
    explicit operator bool() const { return Traits::IsValid(m_h); }
    Handle release() { return std::exchange(m_h, Traits::Invalid()); }
    void reset(Handle h = Traits::Invalid())
    {
        Handle old = std::exchange(m_h, h);
        if (Traits::IsValid(old)) Traits::Close(old);
    }
    // For out-parameters: releases what is held and lends the slot.
    Handle* put()
    {
        reset();
        return &m_h;
    }

private:
    Handle m_h = Traits::Invalid();
};

namespace handle_traits {
template <typename H, auto CloseFn, auto InvalidValue>
struct Simple {
    using Handle = H;
    static Handle Invalid()
    {
        if constexpr (InvalidValue == 0) {
            return nullptr;
        } else {
            return reinterpret_cast<Handle>(static_cast<intptr_t>(InvalidValue));
        }
    }
    static bool IsValid(Handle h) { return h != Invalid() && h != nullptr; }
    static void Close(Handle h) { CloseFn(h); }
};
inline void CloseKernel(HANDLE h)
{
    ::CloseHandle(h);
}
inline void CloseKey(HKEY h)
{
    ::RegCloseKey(h);
}
inline void CloseModule(HMODULE h)
{
    ::FreeLibrary(h);
}
inline void CloseView(void* p)
{
    ::UnmapViewOfFile(p);
}
inline void CloseIcon(HICON h)
{
    ::DestroyIcon(h);
}
inline void CloseMenu(HMENU h)
{
    ::DestroyMenu(h);
}
inline void CloseGdi(HGDIOBJ h)
{
    ::DeleteObject(h);
}
inline void CloseDc(HDC h)
{
    ::DeleteDC(h);
}
inline void CloseHook(HHOOK h)
{
    ::UnhookWindowsHookEx(h);
}
inline void CloseFind(HANDLE h)
{
    ::FindClose(h);
}
inline void CloseDesktopHandle(HDESK h)
{
    ::CloseDesktop(h);
}
} // namespace handle_traits

// Kernel objects that report failure as null (events, mutexes, mappings, threads).
using UniqueHandle = UniqueHandleT<handle_traits::Simple<HANDLE, handle_traits::CloseKernel, 0>>;
// Kernel objects that report failure as INVALID_HANDLE_VALUE (files, snapshots).
using UniqueFileHandle = UniqueHandleT<handle_traits::Simple<HANDLE, handle_traits::CloseKernel, -1>>;
using UniqueKey = UniqueHandleT<handle_traits::Simple<HKEY, handle_traits::CloseKey, 0>>;
using UniqueModule = UniqueHandleT<handle_traits::Simple<HMODULE, handle_traits::CloseModule, 0>>;
using UniqueView = UniqueHandleT<handle_traits::Simple<void*, handle_traits::CloseView, 0>>;
using UniqueIcon = UniqueHandleT<handle_traits::Simple<HICON, handle_traits::CloseIcon, 0>>;
using UniqueMenu = UniqueHandleT<handle_traits::Simple<HMENU, handle_traits::CloseMenu, 0>>;
using UniqueGdiObject = UniqueHandleT<handle_traits::Simple<HGDIOBJ, handle_traits::CloseGdi, 0>>;
using UniqueDc = UniqueHandleT<handle_traits::Simple<HDC, handle_traits::CloseDc, 0>>;
using UniqueHook = UniqueHandleT<handle_traits::Simple<HHOOK, handle_traits::CloseHook, 0>>;
using UniqueFind = UniqueHandleT<handle_traits::Simple<HANDLE, handle_traits::CloseFind, -1>>;
using UniqueDesktop = UniqueHandleT<handle_traits::Simple<HDESK, handle_traits::CloseDesktopHandle, 0>>;
