#include "EventHub.h"

#include <cwctype>
#include <string>
#include <vector>

#include "EventQueue.h"
#include "FirmwareClasses.h"
#include "Machine.h"
#include "ModuleFolder.h"

using Microsoft::WRL::ComPtr;

namespace sim {
namespace {

constexpr UINT kDeliverMessage = WM_APP + 1;
constexpr wchar_t kWindowClass[] = L"TavrinSimEventWindow";
// How long a cancel waits before it wakes the waiter again: an earlier
// cancel on another thread may have taken the waiter's answer.
constexpr DWORD kSettleWaitMs = 50;

// At most `most` words of the text, lower-cased, as white space separates
// them. No stream: this DLL then carries none of the C++ locale machinery.
std::vector<std::wstring> LowerWords(const wchar_t* text, size_t most)
{
    std::vector<std::wstring> words;
    const wchar_t* c = text;
    while (words.size() < most) {
        while (*c && std::iswspace(*c)) ++c;
        if (!*c) break;
        std::wstring word;
        for (; *c && !std::iswspace(*c); ++c) word += static_cast<wchar_t>(std::towlower(*c));
        words.push_back(std::move(word));
    }
    return words;
}

} // namespace

CEventHub& CEventHub::Get()
{
    // Never destroyed: the waiter may still run while the process ends.
    static CEventHub* hub = new CEventHub;
    return *hub;
}

bool CEventHub::SelectsEvents(const BSTR language, const BSTR query, EventStream& stream)
{
    if (!language || !query || _wcsicmp(language, L"WQL") != 0) return false;
    // Five at most: a fifth word makes the query one this hub does not answer.
    const std::vector<std::wstring> words = LowerWords(query, 5);
    if (words.size() != 4 || words[0] != L"select" || words[1] != L"*" || words[2] != L"from") return false;
    const std::wstring& name = words[3];
    if (name == L"biosevent") {
        stream = EventStream::Firmware;
        return true;
    }
    if (name == L"wmimonitorbrightnessevent") {
        stream = EventStream::MonitorBrightness;
        return true;
    }
    return false;
}

HRESULT CEventHub::Subscribe(IWbemObjectSink* sink, EventStream stream)
{
    static const ATOM windowClass = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &CEventHub::WindowProc;
        wc.hInstance = ThisModule();
        wc.lpszClassName = kWindowClass;
        return ::RegisterClassW(&wc);
    }();
    if (!windowClass) return WBEM_E_FAILED;

    auto subscription = std::make_unique<Subscription>();
    subscription->sink = sink;
    subscription->stream = stream;
    subscription->thread = ::GetCurrentThreadId();
    HRESULT taken = TakeSlot(*subscription);
    if (FAILED(taken)) return taken;
    subscription->window = ::CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                             ThisModule(), nullptr);
    bool waiting = false;
    if (subscription->window) {
        CriticalSectionLock lock(m_lock);
        if (StartWaiter()) {
            m_subscriptions.push_back(std::move(subscription));
            ++m_generation;
            waiting = true;
        }
    }
    if (!waiting) {
        if (subscription->window) ::DestroyWindow(subscription->window);
        CMachineState::Lock machine(Machine());
        if (machine.Held()) RemoveSubscriber(*machine, ::GetCurrentProcessId(), subscription->cookie);
        return WBEM_E_FAILED;
    }
    ::SetEvent(m_changed.get());
    return WBEM_S_NO_ERROR;
}

// Under m_lock. The waiter holds a reference on this module, so a process
// that frees it while the waiter is ending keeps the code it runs.
bool CEventHub::StartWaiter()
{
    if (m_waiter) return true;
    if (!m_changed || !m_settled) return false;
    HMODULE module = nullptr;
    if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                              reinterpret_cast<LPCWSTR>(&CEventHub::Wait), &module))
        return false;
    m_waiter.reset(::CreateThread(nullptr, 0, &CEventHub::Wait, module, 0, nullptr));
    if (!m_waiter) ::FreeLibrary(module);
    return static_cast<bool>(m_waiter);
}

// The wake-up event exists before the slot is taken: other processes free
// the slots whose event is gone.
HRESULT CEventHub::TakeSlot(Subscription& subscription)
{
    {
        CMachineState::Lock machine(Machine());
        if (!machine.Held()) return WBEM_E_FAILED;
        subscription.cookie = NewSubscriberCookie(*machine);
    }
    const std::wstring name = SubscriberEventName(::GetCurrentProcessId(), subscription.cookie);
    subscription.wake.reset(::CreateEventW(nullptr, FALSE, FALSE, name.c_str()));
    if (!subscription.wake) return WBEM_E_FAILED;
    CMachineState::Lock machine(Machine());
    if (!machine.Held()) return WBEM_E_FAILED;
    if (!AddSubscriber(*machine, ::GetCurrentProcessId(), subscription.cookie)) {
        ::OutputDebugStringW(L"TavrinSim: every firmware event subscriber slot is held by a running "
                             L"subscriber; this subscription fails\n");
        return WBEM_E_QUOTA_VIOLATION;
    }
    subscription.seen = machine->eventCount;
    return WBEM_S_NO_ERROR;
}

DWORD WINAPI CEventHub::Wait(void* module)
{
    while (Get().WaitOnce()) {}
    ::FreeLibraryAndExitThread(static_cast<HMODULE>(module), 0);
}

bool CEventHub::WaitOnce()
{
    HANDLE handles[kMaxSubscribers + 1] = {m_changed.get()};
    HWND windows[kMaxSubscribers + 1] = {};
    DWORD count = 1;
    {
        CriticalSectionLock lock(m_lock);
        for (const auto& s : m_subscriptions) {
            if (count == ARRAYSIZE(handles)) break;
            windows[count] = s->window;
            handles[count++] = s->wake.get();
        }
        m_taken = m_generation;
        // The handle goes here, under the lock, so a new subscription starts a new waiter.
        if (count == 1) m_waiter.reset();
    }
    ::SetEvent(m_settled.get());
    if (count == 1) return false;
    const DWORD result = ::WaitForMultipleObjects(count, handles, FALSE, INFINITE);
    if (result > WAIT_OBJECT_0 && result < WAIT_OBJECT_0 + count) {
        ::PostMessageW(windows[result - WAIT_OBJECT_0], kDeliverMessage, 0, 0);
    } else if (result != WAIT_OBJECT_0) {
        CriticalSectionLock lock(m_lock);
        m_waiter.reset();
        return false;
    }
    return true;
}

void CEventHub::Resettle(uint64_t generation)
{
    for (;;) {
        {
            CriticalSectionLock lock(m_lock);
            if (m_taken >= generation || !m_waiter) return;
        }
        ::SetEvent(m_changed.get());
        ::WaitForSingleObject(m_settled.get(), kSettleWaitMs);
    }
}

LRESULT CALLBACK CEventHub::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kDeliverMessage) {
        Get().Deliver(window);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void CEventHub::Deliver(HWND window)
{
    ComPtr<IWbemObjectSink> sink;
    uint32_t seen = 0;
    EventStream stream = EventStream::Firmware;
    {
        CriticalSectionLock lock(m_lock);
        for (const auto& s : m_subscriptions) {
            if (s->window != window) continue;
            sink = s->sink;
            seen = s->seen;
            stream = s->stream;
        }
    }
    if (!sink) return;
    std::vector<SimEvent> events;
    {
        CMachineState::Lock machine(Machine());
        if (!machine.Held()) return;
        events = EventsAfter(*machine, seen);
    }
    if (events.empty()) return;
    {
        CriticalSectionLock lock(m_lock);
        for (const auto& s : m_subscriptions) {
            if (s->window == window) s->seen = events.back().sequence;
        }
    }
    for (const SimEvent& event : events) {
        if (event.stream != stream) continue;
        firmware_classes::Object object = firmware_classes::Event(event);
        IWbemClassObject* objects[] = {object.Get()};
        if (object) sink->Indicate(1, objects);
    }
}

// The window goes once the waiter no longer posts to it.
void CEventHub::Stop(Subscription& subscription, uint64_t generation)
{
    Resettle(generation);
    if (subscription.thread == ::GetCurrentThreadId()) {
        ::DestroyWindow(subscription.window);
    } else {
        ::PostMessageW(subscription.window, WM_CLOSE, 0, 0);
    }
    CMachineState::Lock machine(Machine());
    if (machine.Held()) RemoveSubscriber(*machine, ::GetCurrentProcessId(), subscription.cookie);
}

bool CEventHub::Cancel(IWbemObjectSink* sink)
{
    std::vector<std::unique_ptr<Subscription>> cancelled;
    uint64_t generation = 0;
    {
        CriticalSectionLock lock(m_lock);
        for (auto it = m_subscriptions.begin(); it != m_subscriptions.end();) {
            if ((*it)->sink.Get() == sink) {
                cancelled.push_back(std::move(*it));
                it = m_subscriptions.erase(it);
            } else {
                ++it;
            }
        }
        if (!cancelled.empty()) generation = ++m_generation;
    }
    for (const auto& subscription : cancelled) {
        Stop(*subscription, generation);
        subscription->sink->SetStatus(WBEM_STATUS_COMPLETE, WBEM_E_CALL_CANCELLED, nullptr, nullptr);
    }
    return !cancelled.empty();
}

} // namespace sim
