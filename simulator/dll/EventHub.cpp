#include "EventHub.h"

#include <cwctype>
#include <string>
#include <vector>

#include "EventQueue.h"
#include "FirmwareClasses.h"
#include "Machine.h"
#include "ModuleFolder.h"
#include "NotificationThread.h"

using Microsoft::WRL::ComPtr;

namespace sim {
namespace {

constexpr UINT kDeliverMessage = WM_APP + 1;
constexpr wchar_t kWindowClass[] = L"TavrinSimEventWindow";

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
    // Never destroyed: the notification thread may still post while the process ends.
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
    // A wake-up before the subscription is listed is harmless: its message
    // reaches this thread's window after Subscribe returns.
    if (subscription->window) {
        subscription->watch = CNotificationThread::Get().Add(subscription->wake.get(), &CEventHub::Wake,
                                                             subscription->window);
    }
    if (!subscription->watch) {
        if (subscription->window) ::DestroyWindow(subscription->window);
        CMachineState::Lock machine(Machine());
        if (machine.Held()) RemoveSubscriber(*machine, ::GetCurrentProcessId(), subscription->cookie);
        return WBEM_E_FAILED;
    }
    CriticalSectionLock lock(m_lock);
    m_subscriptions.push_back(std::move(subscription));
    return WBEM_S_NO_ERROR;
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

void CEventHub::Wake(void* window)
{
    ::PostMessageW(static_cast<HWND>(window), kDeliverMessage, 0, 0);
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

// The window goes once the notification thread no longer posts to it.
void CEventHub::Stop(Subscription& subscription)
{
    CNotificationThread::Get().Remove(subscription.watch);
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
    }
    for (const auto& subscription : cancelled) {
        Stop(*subscription);
        subscription->sink->SetStatus(WBEM_STATUS_COMPLETE, WBEM_E_CALL_CANCELLED, nullptr, nullptr);
    }
    return !cancelled.empty();
}

} // namespace sim
