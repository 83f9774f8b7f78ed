// Private memory per firmware event, step by step along the delivery path, so
// that growth can be pinned on one step. Run by hand on a simulated notebook:
//   TAVRIN_SIMULATED_MACHINE=corvane-default wine-exec.sh bin/sim_event_memory_probe.exe [STEP] [COUNT]
// Each step runs a warm-up batch, then COUNT more, and prints the private bytes
// gained per repetition after the warm-up.
#include "StackSink.h"
#include <windows.h>

#include <psapi.h>
#include <wbemidl.h>
#include <wrl/client.h>

#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <thread>

#include "BiosEventSink.h"
#include "ClassObject.h"
#include "ComValues.h"
#include "EventQueue.h"
#include "FirmwareClasses.h"
#include "MachineState.h"
#include "PlatformSeams.h"
#include "UniqueHandle.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr UINT kPing = WM_APP + 7;

size_t PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof counters);
    // Wine 8 leaves PrivateUsage at 0; PagefileUsage is the same commit charge.
    return counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
}

sim::SimEvent SampleEvent()
{
    return sim::EventFromWords({8, 15, 0xE005, 5, 0xE008, 1, 2, 3, 4}, 128);
}

// Counts what it is given and does nothing else.
class CountingSink final : public CStackSink {
public:
    HRESULT STDMETHODCALLTYPE Indicate(LONG count, IWbemClassObject**) override
    {
        ::InterlockedExchangeAdd(&m_delivered, count);
        return WBEM_S_NO_ERROR;
    }
    LONG Delivered() const { return ::InterlockedCompareExchange(const_cast<LONG*>(&m_delivered), 0, 0); }

private:
    LONG m_delivered = 0;
};

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

bool PumpUntil(const std::function<bool()>& done)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > 10000) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        Pump();
    }
    return true;
}

// One event raised in this process, as simctl raises it, and waited for.
class InProcessRaiser {
public:
    bool Raise(const std::function<LONG()>& delivered)
    {
        const LONG before = delivered();
        {
            sim::CMachineState::Lock machine(m_state);
            if (!machine.Held()) return false;
            sim::WakeSubscribers(*machine, sim::RaiseEvent(*machine, SampleEvent()));
        }
        return PumpUntil([&] { return delivered() > before; });
    }

private:
    sim::CMachineState m_state;
};

// A subscription through the simulated root\wmi, as the product makes it.
class Subscription {
public:
    explicit Subscription(IWbemObjectSink* sink) : m_sink(sink)
    {
        ComPtr<IWbemLocator> locator;
        if (FAILED(seams::CreateWbemLocator(&locator)) || !locator) return;
        locator->ConnectServer(Bstr(L"root\\wmi").get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                               &m_services);
        if (m_services
            && FAILED(m_services->ExecNotificationQueryAsync(
                Bstr(L"WQL").get(), Bstr(L"SELECT * FROM BIOSEvent").get(), 0, nullptr, sink))) {
            m_services.Reset();
        }
    }
    ~Subscription()
    {
        if (m_services) m_services->CancelAsyncCall(m_sink);
    }
    bool Ok() const { return m_services != nullptr; }

private:
    IWbemObjectSink* m_sink;
    ComPtr<IWbemServices> m_services;
};

LRESULT CALLBACK PingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kPing) {
        ++*reinterpret_cast<LONG*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// A message-only window that counts the pings it receives.
class PingWindow {
public:
    PingWindow()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = PingProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TavrinProbePing";
        ::RegisterClassW(&wc);
        m_window = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     wc.hInstance, nullptr);
        ::SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&m_count));
    }
    ~PingWindow() { ::DestroyWindow(m_window); }
    HWND Get() const { return m_window; }
    LONG Count() const { return m_count; }

private:
    HWND m_window = nullptr;
    LONG m_count = 0;
};

// Calls the sink's Indicate from a thread of the multithreaded apartment,
// through a proxy from the Global Interface Table: COM's marshalling on every
// call, with our event object (free-threaded, so passed as is) or none.
class CrossApartmentCaller {
public:
    CrossApartmentCaller(IWbemObjectSink* sink, bool withObject) : m_withObject(withObject)
    {
        if (FAILED(::CoCreateInstance(CLSID_StdGlobalInterfaceTable, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_PPV_ARGS(&m_git)))) {
            return;
        }
        const HRESULT registered = m_git->RegisterInterfaceInGlobal(sink, IID_IWbemObjectSink, &m_cookie);
        if (FAILED(registered)) {
            std::wprintf(L"the sink cannot be marshalled: 0x%08lX\n", registered);
            return;
        }
        m_thread = std::thread([this] { Run(); });
        m_ready = ::WaitForSingleObject(m_started.get(), 10000) == WAIT_OBJECT_0 && m_proxied;
    }
    bool Ok() const { return m_ready; }
    void Call() { ::SetEvent(m_go.get()); }

private:
    void Run()
    {
        ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        ComPtr<IWbemObjectSink> proxy;
        const HRESULT unmarshalled = m_git->GetInterfaceFromGlobal(m_cookie, IID_PPV_ARGS(&proxy));
        m_proxied = SUCCEEDED(unmarshalled);
        if (!m_proxied) std::wprintf(L"no sink proxy in another apartment: 0x%08lX\n", unmarshalled);
        ::SetEvent(m_started.get());
        while (m_proxied && ::WaitForSingleObject(m_go.get(), INFINITE) == WAIT_OBJECT_0) {
            sim::firmware_classes::Object object;
            if (m_withObject) object = sim::firmware_classes::Event(SampleEvent());
            IWbemClassObject* objects[] = {object.Get()};
            proxy->Indicate(m_withObject ? 1 : 0, objects);
        }
    }

    bool m_withObject;
    ComPtr<IGlobalInterfaceTable> m_git;
    DWORD m_cookie = 0;
    UniqueHandle m_go{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    UniqueHandle m_started{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    bool m_proxied = false;
    bool m_ready = false;
    std::thread m_thread;
};

// Counts calls rather than objects, for calls that carry none.
class CallCountingSink final : public CStackSink {
public:
    HRESULT STDMETHODCALLTYPE Indicate(LONG, IWbemClassObject**) override
    {
        ++m_calls;
        return WBEM_S_NO_ERROR;
    }
    LONG Calls() const { return m_calls; }

private:
    LONG m_calls = 0;
};

std::function<bool()> CrossApartmentStep(bool withObject)
{
    static CallCountingSink sink;
    // Each caller thread runs until the process ends.
    auto* caller = new CrossApartmentCaller(&sink, withObject);
    if (!caller->Ok()) return std::function<bool()>();
    return [caller] {
        const LONG before = sink.Calls();
        caller->Call();
        return PumpUntil([&] { return sink.Calls() > before; });
    };
}

struct Step {
    const wchar_t* name;
    const wchar_t* what;
    // Prepares the step and returns one repetition, or an empty function.
    std::function<std::function<bool()>()> prepare;
};

void Run(const Step& step, int count)
{
    std::function<bool()> once = step.prepare();
    if (!once) {
        std::wprintf(L"%-18ls could not be set up\n", step.name);
        return;
    }
    const int warmUp = count / 4 > 500 ? count / 4 : 500;
    for (int i = 0; i < warmUp; ++i) {
        if (!once()) {
            std::wprintf(L"%-18ls failed in the warm-up\n", step.name);
            return;
        }
    }
    const size_t before = PrivateBytes();
    for (int i = 0; i < count; ++i) {
        if (!once()) {
            std::wprintf(L"%-18ls failed after %d\n", step.name, i);
            return;
        }
    }
    const double perEvent = (static_cast<double>(PrivateBytes()) - static_cast<double>(before)) / count;
    std::wprintf(L"%-18ls %8.1f bytes each  (%ls)\n", step.name, perEvent, step.what);
}

// Steps keep their objects alive in statics: each runs once per process.
const Step kSteps[] = {
    {L"bare-object", L"a class object without properties",
     [] {
         return std::function<bool()>([] {
             return sim::CClassObject::Create(L"BIOSEvent", sim::CClassObject::Genus::Instance) != nullptr;
         });
     }},
    {L"critical-section", L"a critical section made and deleted",
     [] {
         return std::function<bool()>([] {
             CRITICAL_SECTION cs;
             ::InitializeCriticalSection(&cs);
             ::DeleteCriticalSection(&cs);
             return true;
         });
     }},
    {L"int-property", L"an object with one number",
     [] {
         return std::function<bool()>([] {
             auto o = sim::CClassObject::Create(L"BIOSEvent", sim::CClassObject::Genus::Instance);
             o->AddProperty(L"Active", CIM_BOOLEAN, Variant::FromBool(true));
             return true;
         });
     }},
    {L"string-property", L"an object with one string",
     [] {
         return std::function<bool()>([] {
             auto o = sim::CClassObject::Create(L"BIOSEvent", sim::CClassObject::Genus::Instance);
             o->AddProperty(L"InstanceName", CIM_STRING, Variant::FromString(L"ACPI\\PNP0C14\\0_0"));
             return true;
         });
     }},
    {L"bytes-property", L"an object with one byte array",
     [] {
         return std::function<bool()>([] {
             uint8_t bytes[128] = {};
             auto o = sim::CClassObject::Create(L"BIOSEvent", sim::CClassObject::Genus::Instance);
             o->AddProperty(L"Bytes", CIM_UINT8 | CIM_FLAG_ARRAY, Variant::FromBytes(bytes, sizeof bytes));
             return true;
         });
     }},
    {L"embedded-property", L"an object holding another",
     [] {
         return std::function<bool()>([] {
             auto inner = sim::CClassObject::Create(L"BDat", sim::CClassObject::Genus::Instance);
             auto o = sim::CClassObject::Create(L"BIOSEvent", sim::CClassObject::Genus::Instance);
             o->AddProperty(L"Data", CIM_OBJECT,
                            Variant::FromUnknown(static_cast<IWbemClassObject*>(inner.Get())));
             return true;
         });
     }},
    {L"event-object", L"our BIOSEvent object made and released",
     [] {
         return std::function<bool()>([] { return sim::firmware_classes::Event(SampleEvent()) != nullptr; });
     }},
    {L"event-read", L"our object made and read by the product's sink",
     [] {
         static ComPtr<CBiosEventSink> sink(new CBiosEventSink(nullptr));
         return std::function<bool()>([] {
             sim::firmware_classes::Object object = sim::firmware_classes::Event(SampleEvent());
             IWbemClassObject* objects[] = {object.Get()};
             return sink->Indicate(1, objects) == WBEM_S_NO_ERROR;
         });
     }},
    {L"post-message", L"a message posted to a hidden window and dispatched",
     [] {
         static PingWindow window;
         return std::function<bool()>([] {
             const LONG before = window.Count();
             ::PostMessageW(window.Get(), kPing, 0, 0);
             return PumpUntil([&] { return window.Count() > before; });
         });
     }},
    {L"wake-thread", L"named event set, waiter thread posts to a hidden window",
     [] {
         static PingWindow window;
         static UniqueHandle wake(::CreateEventW(nullptr, FALSE, FALSE, L"TavrinProbeWake"));
         static std::thread waiter([] {
             while (::WaitForSingleObject(wake.get(), INFINITE) == WAIT_OBJECT_0)
                 ::PostMessageW(window.Get(), kPing, 0, 0);
         });
         waiter.detach();
         return std::function<bool()>([] {
             const LONG before = window.Count();
             UniqueHandle opened(::OpenEventW(EVENT_MODIFY_STATE, FALSE, L"TavrinProbeWake"));
             ::SetEvent(opened.get());
             return PumpUntil([&] { return window.Count() > before; });
         });
     }},
    {L"deliver-nothing", L"simulated WMI delivery to a sink that does nothing",
     [] {
         static CountingSink sink;
         static Subscription subscription(&sink);
         static InProcessRaiser raiser;
         if (!subscription.Ok()) return std::function<bool()>();
         return std::function<bool()>([] { return raiser.Raise([] { return sink.Delivered(); }); });
     }},
    {L"deliver-product", L"simulated WMI delivery to the product's sink",
     [] {
         static CountingSink counter;
         static ComPtr<CBiosEventSink> sink(new CBiosEventSink(nullptr));
         static Subscription subscription(sink.Get());
         static Subscription counting(&counter);
         static InProcessRaiser raiser;
         if (!subscription.Ok() || !counting.Ok()) return std::function<bool()>();
         return std::function<bool()>([] { return raiser.Raise([] { return counter.Delivered(); }); });
     }},
    {L"apartment-empty", L"Indicate with no object from another apartment (COM marshalling)",
     [] { return CrossApartmentStep(false); }},
    {L"apartment-event", L"Indicate with our object from another apartment (COM marshalling)",
     [] { return CrossApartmentStep(true); }},
};

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) return 1;
    const wchar_t* only = argc > 1 ? argv[1] : nullptr;
    const int count = argc > 2 ? _wtoi(argv[2]) : 20000;
    for (const Step& step : kSteps) {
        if (!only || std::wcscmp(only, L"all") == 0 || std::wcscmp(only, step.name) == 0) Run(step, count);
    }
    ::CoUninitialize();
    return 0;
}
