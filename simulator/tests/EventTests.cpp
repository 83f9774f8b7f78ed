#include "StackSink.h"
#include <gtest/gtest.h>

#include <mmdeviceapi.h>

#include <atomic>
#include <string>

#include <tlhelp32.h>

#include "EventQueue.h"
#include "PlatformSeams.h"
#include "ProgramRun.h"
#include "SimTestSupport.h"
#include "UniqueHandle.h"

namespace {

using simtest::ComPtr;
using simtest::RunSimctl;

// What one delivered object looked like.
struct Delivery {
    DWORD thread = 0;
    std::wstring className;
    VARTYPE dataType = VT_EMPTY;
    bool dataReadable = false;
    std::vector<uint8_t> bytes;
};

class RecordingSink final : public CStackSink {
public:
    HRESULT STDMETHODCALLTYPE Indicate(LONG count, IWbemClassObject** objects) override
    {
        for (LONG i = 0; i < count; ++i) deliveries.push_back(Read(objects[i]));
        return WBEM_S_NO_ERROR;
    }
    HRESULT STDMETHODCALLTYPE SetStatus(LONG flags, HRESULT result, BSTR, IWbemClassObject*) override
    {
        if (flags == WBEM_STATUS_COMPLETE) completion = result;
        return WBEM_S_NO_ERROR;
    }

    std::vector<Delivery> deliveries;
    HRESULT completion = S_FALSE;

private:
    static Delivery Read(IWbemClassObject* object)
    {
        Delivery d;
        d.thread = ::GetCurrentThreadId();
        Variant value;
        if (SUCCEEDED(object->Get(L"__CLASS", 0, value.put(), nullptr, nullptr)) && value.type() == VT_BSTR) {
            d.className = (*value).bstrVal;
        }
        if (FAILED(object->Get(L"Data", 0, value.put(), nullptr, nullptr))) return d;
        d.dataType = value.type();
        if (value.type() == VT_UNKNOWN) {
            ComPtr<IWbemClassObject> data;
            if (SUCCEEDED((*value).punkVal->QueryInterface(IID_PPV_ARGS(&data)))) {
                d.dataReadable = simtest::GetBytes(data.Get(), L"Bytes", d.bytes);
            }
        } else if (value.type() == (VT_ARRAY | VT_UI1)) {
            d.dataReadable = simtest::GetBytes(object, L"Data", d.bytes);
        }
        return d;
    }
};

uint16_t Word(const std::vector<uint8_t>& bytes, size_t index)
{
    return static_cast<uint16_t>(bytes.at(2 * index) | bytes.at(2 * index + 1) << 8);
}

class Events : public simtest::SimulatedMachineTest {
protected:
    void SetUp() override
    {
        SimulatedMachineTest::SetUp();
        ASSERT_EQ(Subscribe(L"WQL", L"SELECT * FROM BIOSEvent"), S_OK);
    }
    void TearDown() override
    {
        services->CancelAsyncCall(&sink);
        SimulatedMachineTest::TearDown();
    }
    HRESULT Subscribe(const wchar_t* language, const wchar_t* query)
    {
        return services->ExecNotificationQueryAsync(Bstr(language).get(), Bstr(query).get(), 0, nullptr,
                                                    &sink);
    }
    // Raises with simctl and waits for that many deliveries in all.
    bool Raise(const std::wstring& arguments, size_t total)
    {
        simtest::SimctlResult result = RunSimctl(arguments);
        EXPECT_EQ(result.exitCode, 0u) << result.output;
        return simtest::PumpUntil([&] { return sink.deliveries.size() >= total; });
    }

    RecordingSink sink;
};

TEST_F(Events, SingleEventArrivesOnTheSubscribingThread)
{
    ASSERT_TRUE(Raise(L"event 0xE006 5", 1));
    const Delivery& d = sink.deliveries[0];
    EXPECT_EQ(d.thread, ::GetCurrentThreadId());
    EXPECT_EQ(d.className, L"BIOSEvent");
    EXPECT_EQ(d.dataType, VT_UNKNOWN);
    ASSERT_TRUE(d.dataReadable);
    ASSERT_EQ(d.bytes.size(), 128u);
    EXPECT_EQ(Word(d.bytes, 0), 3);
    EXPECT_EQ(Word(d.bytes, 1), 0);
    EXPECT_EQ(Word(d.bytes, 2), 0xE006);
    EXPECT_EQ(Word(d.bytes, 3), 5);
    EXPECT_EQ(Word(d.bytes, 4), 0);
}

TEST_F(Events, ListEventsAndSeveralInARow)
{
    ASSERT_TRUE(Raise(L"event-list 0xE005 5 0xE008 1 2 3 4", 1));
    const std::vector<uint8_t>& bytes = sink.deliveries[0].bytes;
    EXPECT_EQ(Word(bytes, 0), 8);
    EXPECT_EQ(Word(bytes, 1), 15);
    EXPECT_EQ(Word(bytes, 2), 0xE005);
    EXPECT_EQ(Word(bytes, 5), 1);
    EXPECT_EQ(Word(bytes, 8), 4);
    ASSERT_TRUE(Raise(L"event 0xE009", 2));
    ASSERT_TRUE(Raise(L"event 0xE00A", 3));
    EXPECT_EQ(Word(sink.deliveries[2].bytes, 2), 0xE00A);
}

TEST_F(Events, MalformedEventsAreDeliveredAsRaised)
{
    ASSERT_TRUE(Raise(L"event --class OtherEvent 0xE006 1", 1));
    EXPECT_EQ(sink.deliveries[0].className, L"OtherEvent");
    ASSERT_TRUE(Raise(L"event --data array 0xE006 1", 2));
    EXPECT_EQ(sink.deliveries[1].dataType, VT_ARRAY | VT_UI1);
    EXPECT_EQ(sink.deliveries[1].bytes.size(), 128u);
    ASSERT_TRUE(Raise(L"event --data number 0xE006", 3));
    EXPECT_EQ(sink.deliveries[2].dataType, VT_I4);
    ASSERT_TRUE(Raise(L"event --data missing 0xE006", 4));
    EXPECT_EQ(sink.deliveries[3].dataType, VT_EMPTY);
    ASSERT_TRUE(Raise(L"event-raw 2 0 0xE006", 5));
    EXPECT_EQ(sink.deliveries[4].bytes.size(), 6u);
    ASSERT_TRUE(Raise(L"event-raw --bytes 3 4 0", 6));
    EXPECT_EQ(sink.deliveries[5].bytes, (std::vector<uint8_t>{4, 0, 0}));
}

TEST_F(Events, CancelStopsDeliveryAndCompletesTheCall)
{
    ASSERT_EQ(services->CancelAsyncCall(&sink), S_OK);
    EXPECT_EQ(sink.completion, WBEM_E_CALL_CANCELLED);
    EXPECT_EQ(RunSimctl(L"event 0xE006 1").exitCode, 0u);
    EXPECT_FALSE(simtest::PumpUntil([&] { return !sink.deliveries.empty(); }, 500));
    EXPECT_TRUE(FAILED(services->CancelAsyncCall(&sink))); // nothing left to cancel
    EXPECT_EQ(sink.References(), 1u); // the subscription let go of the sink
    sim::CMachineState::Lock machine(state);
    for (const sim::SimSubscriber& s : machine->subscribers) EXPECT_NE(s.processId, ::GetCurrentProcessId());
}

TEST_F(Events, OnlyTheFirmwareEventQueryIsSimulated)
{
    // Other queries go to Windows' own root\wmi, which raises nothing here.
    RecordingSink other;
    services->ExecNotificationQueryAsync(
        Bstr(L"WQL").get(), Bstr(L"SELECT * FROM MSAcpi_ThermalZoneTemperature").get(), 0, nullptr, &other);
    EXPECT_EQ(Subscribe(L"WQL", L"select  *   from  biosevent"), S_OK);
    ASSERT_TRUE(Raise(L"event 0xE006 1", 2)); // both subscriptions of the sink deliver
    EXPECT_TRUE(other.deliveries.empty());
    services->CancelAsyncCall(&other);
}

// This process's threads, as the system lists them.
size_t ThreadCount()
{
    UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) return 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    size_t count = 0;
    for (BOOL more = ::Thread32First(snapshot.get(), &entry); more;
         more = ::Thread32Next(snapshot.get(), &entry))
        if (entry.th32OwnerProcessID == ::GetCurrentProcessId()) ++count;
    return count;
}

// Every subscription of a process is served by one waiting thread: a second
// one adds none, a cancelled one leaves the other delivering, the thread
// ends with the last and a later subscription starts it again.
TEST_F(Events, OneWaiterServesEverySubscriptionOfTheProcess)
{
    const size_t withOne = ThreadCount();
    ASSERT_GT(withOne, 0u);
    RecordingSink brightness;
    ASSERT_EQ(services->ExecNotificationQueryAsync(Bstr(L"WQL").get(),
                                                   Bstr(L"SELECT * FROM WmiMonitorBrightnessEvent").get(), 0,
                                                   nullptr, &brightness),
              S_OK);
    EXPECT_EQ(ThreadCount(), withOne);
    ASSERT_TRUE(Raise(L"event 0xE006 1", 1));
    ASSERT_EQ(RunSimctl(L"brightness-event 40").exitCode, 0u);
    ASSERT_TRUE(simtest::PumpUntil([&] { return brightness.deliveries.size() == 1; }));

    ASSERT_EQ(services->CancelAsyncCall(&sink), S_OK);
    ASSERT_EQ(RunSimctl(L"brightness-event 41").exitCode, 0u);
    ASSERT_TRUE(simtest::PumpUntil([&] { return brightness.deliveries.size() == 2; }));
    EXPECT_EQ(sink.deliveries.size(), 1u);

    ASSERT_EQ(services->CancelAsyncCall(&brightness), S_OK);
    EXPECT_TRUE(simtest::PumpUntil([&] { return ThreadCount() < withOne; }));
    ASSERT_EQ(Subscribe(L"WQL", L"SELECT * FROM BIOSEvent"), S_OK);
    ASSERT_TRUE(Raise(L"event 0xE006 2", 2));
}

// Hears of default-endpoint changes for the console role, and on which thread.
class DefaultDeviceClient final : public IMMNotificationClient {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (riid != IID_IUnknown && riid != __uuidof(IMMNotificationClient)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IMMNotificationClient*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(::InterlockedDecrement(&m_refs)); }
    HRESULT STDMETHODCALLTYPE OnDeviceStateChanged(LPCWSTR, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDeviceAdded(LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDeviceRemoved(LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDefaultDeviceChanged(EDataFlow, ERole role, LPCWSTR) override
    {
        if (role != eConsole) return S_OK;
        thread = ::GetCurrentThreadId();
        ++changes;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnPropertyValueChanged(LPCWSTR, const PROPERTYKEY) override { return S_OK; }

    // 1 when nobody but the test holds it.
    ULONG References() const { return static_cast<ULONG>(m_refs); }

    std::atomic<int> changes{0};
    std::atomic<DWORD> thread{0};

private:
    LONG m_refs = 1;
};

// Audio notifications are served by the thread that waits for the process's
// event subscriptions: the first audio client adds no thread, each kind keeps
// being served while the other comes and goes, and the thread ends only when
// both are gone.
TEST_F(Events, AudioNotificationsShareTheEventWaiter)
{
    ComPtr<IMMDeviceEnumerator> enumerator;
    ASSERT_EQ(seams::CreateAudioDeviceEnumerator(enumerator.GetAddressOf()), S_OK);
    const size_t withEvents = ThreadCount();
    ASSERT_GT(withEvents, 0u);
    DefaultDeviceClient client;
    ASSERT_EQ(enumerator->RegisterEndpointNotificationCallback(&client), S_OK);
    EXPECT_EQ(ThreadCount(), withEvents);

    ASSERT_EQ(RunSimctl(L"audio-default 2").exitCode, 0u);
    ASSERT_TRUE(simtest::PumpUntil([&] { return client.changes == 1; }));
    // Delivered as the audio service does, not on the registering thread.
    EXPECT_NE(client.thread, ::GetCurrentThreadId());
    ASSERT_TRUE(Raise(L"event 0xE006 1", 1));

    ASSERT_EQ(services->CancelAsyncCall(&sink), S_OK);
    ASSERT_EQ(RunSimctl(L"audio-default 1").exitCode, 0u);
    ASSERT_TRUE(simtest::PumpUntil([&] { return client.changes == 2; }));
    EXPECT_EQ(ThreadCount(), withEvents);

    ASSERT_EQ(Subscribe(L"WQL", L"SELECT * FROM BIOSEvent"), S_OK);
    ASSERT_EQ(enumerator->UnregisterEndpointNotificationCallback(&client), S_OK);
    EXPECT_EQ(client.References(), 1u);
    {
        sim::CMachineState::Lock machine(state);
        for (const sim::SimAudioListener& l : machine->audio.listeners) {
            EXPECT_NE(l.processId, ::GetCurrentProcessId());
        }
    }
    ASSERT_TRUE(Raise(L"event 0xE006 2", 2));

    ASSERT_EQ(services->CancelAsyncCall(&sink), S_OK);
    EXPECT_TRUE(simtest::PumpUntil([&] { return ThreadCount() < withEvents; }));
}

// Starts a subscriber process and waits until it has subscribed; an empty
// handle when it could not (it then ends with exit code 1).
UniqueHandle StartSubscriber()
{
    // A fresh name for each start: an event left signalled would pass for the next subscriber.
    static unsigned starts = 0;
    const std::wstring readyName = L"TavrinSimTestSubscribed." + std::to_wstring(::GetCurrentProcessId())
                                   + L"." + std::to_wstring(++starts);
    UniqueHandle ready(::CreateEventW(nullptr, TRUE, FALSE, readyName.c_str()));
    std::wstring command = L"\"" + TestBinFolder() + L"sim_test_subscriber.exe\" " + readyName;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!ready
        || !::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &started)) {
        return UniqueHandle();
    }
    UniqueHandle process(started.hProcess);
    UniqueHandle thread(started.hThread);
    HANDLE handles[] = {ready.get(), process.get()};
    if (::WaitForMultipleObjects(2, handles, FALSE, 30000) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.get(), 1);
        return UniqueHandle();
    }
    return process;
}

// Trays killed one after another never cancel their subscriptions, and no
// event comes between them to show that they are gone.
TEST_F(Events, SubscribersKilledInARowLeaveRoomForTheNext)
{
    services->CancelAsyncCall(&sink);
    for (int i = 0; i < sim::kMaxSubscribers + 1; ++i) {
        UniqueHandle subscriber = StartSubscriber();
        ASSERT_TRUE(subscriber) << "subscriber " << i << " found no free slot";
        ASSERT_TRUE(::TerminateProcess(subscriber.get(), 9));
        ASSERT_EQ(::WaitForSingleObject(subscriber.get(), 30000), WAIT_OBJECT_0);
    }
    ASSERT_EQ(Subscribe(L"WQL", L"SELECT * FROM BIOSEvent"), S_OK);
    ASSERT_TRUE(Raise(L"event 0xE006 5", 1));
    EXPECT_EQ(Word(sink.deliveries[0].bytes, 2), 0xE006);
}

// Counts deliveries and keeps nothing, so that any memory a run of events
// leaves behind is the delivery's own.
class CountingSink final : public CStackSink {
public:
    HRESULT STDMETHODCALLTYPE Indicate(LONG count, IWbemClassObject**) override
    {
        delivered += static_cast<size_t>(count);
        return WBEM_S_NO_ERROR;
    }

    size_t delivered = 0;
};

class EventMemory : public simtest::SimulatedMachineTest {
protected:
    void SetUp() override
    {
        SimulatedMachineTest::SetUp();
        ASSERT_EQ(services->ExecNotificationQueryAsync(
                      Bstr(L"WQL").get(), Bstr(L"SELECT * FROM BIOSEvent").get(), 0, nullptr, &sink),
                  S_OK);
    }
    void TearDown() override
    {
        services->CancelAsyncCall(&sink);
        EXPECT_EQ(sink.References(), 1u); // the subscription let go of the sink
        SimulatedMachineTest::TearDown();
    }
    // Raises `count` events in this process, as simctl does, in runs the
    // machine's queue holds, and waits until the sink has every one.
    bool Deliver(size_t count)
    {
        const size_t wanted = sink.delivered + count;
        const sim::SimEvent event = sim::EventFromWords({8, 15, 0xE005, 5, 0xE008, 1, 2, 3, 4}, 128);
        for (size_t raised = 0; raised < count;) {
            {
                sim::CMachineState::Lock machine(state);
                if (!machine.Held()) return false;
                for (int i = 0; i < 16 && raised < count; ++i, ++raised) {
                    sim::WakeSubscribers(*machine, sim::RaiseEvent(*machine, event));
                }
            }
            const size_t target = wanted - (count - raised);
            if (!simtest::PumpUntil([&] { return sink.delivered >= target; })) return false;
        }
        return sink.delivered == wanted;
    }

    CountingSink sink;
};

// Each event used to leave its objects behind (about 1.25 KB), 6 MB over this
// run. Once warmed up, a delivery that frees what it makes reuses the same
// heap blocks and its commit charge stays flat; 512 KB (about 100 bytes per
// event) leaves room for the heap's own page-sized steps and nothing more.
TEST_F(EventMemory, ASubscriberThatDoesNothingDoesNotGrowWithEvents)
{
    ASSERT_TRUE(Deliver(1000));
    const size_t before = simtest::PrivateBytes();
    ASSERT_GT(before, 0u);
    ASSERT_TRUE(Deliver(5000));
    const size_t after = simtest::PrivateBytes();
    EXPECT_LT(after, before + 512 * 1024) << "grew by " << (after - before) / 5000.0 << " bytes per event";
}

} // namespace
