// The monitor's brightness events from the simulated notebook: raised by
// simctl in another process, posted to a window of the subscribing thread.
#include "ComInitialization.h"
#include "ComSecurity.h"
#include "ComValues.h"
#include "MessageCatalogue.h"
#include "PlatformSeams.h"
#include "SimulatedNotebook.h"
#include "WmiBrightnessEventSink.h"
#include "WmiEvent.h"

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <functional>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

struct Posted {
    WPARAM wParam;
    LPARAM lParam;
};

// A message-only window that records the brightness message.
class BrightnessWindow {
public:
    BrightnessWindow() : m_message(messages::Register(messages::kBrightnessChange))
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &BrightnessWindow::Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TavrinBrightnessEventTestWindow";
        ::RegisterClassW(&wc);
        m_window = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     wc.hInstance, nullptr);
        ::SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~BrightnessWindow() { ::DestroyWindow(m_window); }
    BrightnessWindow(const BrightnessWindow&) = delete;
    BrightnessWindow& operator=(const BrightnessWindow&) = delete;

    HWND Handle() const { return m_window; }
    // Posted after everything else: once it is seen, every earlier post was.
    void PostMarker() const { ::PostMessageW(m_window, kMarker, 0, 0); }

    static constexpr UINT kMarker = WM_APP + 7;
    std::vector<Posted> posted;
    int markers = 0;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<BrightnessWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && message == self->m_message && message != 0) {
            self->posted.push_back({wParam, lParam});
            return 0;
        }
        if (self && message == kMarker) {
            ++self->markers;
            return 0;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }

    const UINT m_message;
    HWND m_window = nullptr;
};

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        if (done()) return true;
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= timeoutMs) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    }
}

class BrightnessEvents : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitializeComSecurity(); }
    void SetUp() override { ASSERT_TRUE(notebook.Load(L"corvane-default")); }
    void TearDown() override { notebook.Load(L"corvane-default"); }

    // Raises one event with simctl and waits until `count` messages arrived.
    bool Raise(const std::wstring& arguments, size_t count)
    {
        EXPECT_TRUE(notebook.Simctl(L"brightness-event " + arguments)) << arguments.c_str();
        return PumpUntil([&] { return window.posted.size() >= count; });
    }

    ComInitialization com;
    SimulatedNotebook notebook;
    BrightnessWindow window;
};

TEST_F(BrightnessEvents, EachEventReachesTheWindowAsTheRegisteredMessage)
{
    CWmiEvent events(nullptr, window.Handle());
    ASSERT_TRUE(events.IsWatchingBrightness());
    ASSERT_TRUE(Raise(L"48", 1));
    ASSERT_TRUE(Raise(L"--type ui8 100", 2));
    ASSERT_TRUE(Raise(L"--active 0 0", 3));
    ASSERT_EQ(window.posted.size(), 3u);
    EXPECT_EQ(window.posted[0].wParam, 48u);
    EXPECT_EQ(window.posted[1].wParam, 100u);
    EXPECT_EQ(window.posted[2].wParam, 0u);
    for (const Posted& p : window.posted) EXPECT_EQ(p.lParam, 0);
}

TEST_F(BrightnessEvents, FirmwareEventsDoNotReachTheBrightnessWindow)
{
    CWmiEvent events(nullptr, window.Handle());
    ASSERT_TRUE(notebook.Simctl(L"event 0xE006 5"));
    ASSERT_TRUE(Raise(L"60", 1));
    ASSERT_EQ(window.posted.size(), 1u);
    EXPECT_EQ(window.posted[0].wParam, 60u);
}

TEST_F(BrightnessEvents, TheMonitorEventsAreWatchedWithoutTheFirmwareClasses)
{
    ASSERT_TRUE(notebook.Load(L"no-acpiwmi"));
    CWmiEvent events(nullptr, window.Handle());
    EXPECT_FALSE(events.IsSubscribed());
    ASSERT_TRUE(events.IsWatchingBrightness());
    ASSERT_TRUE(Raise(L"24", 1));
    EXPECT_EQ(window.posted[0].wParam, 24u);
}

// Forwards to the product's sink and keeps what each Indicate answered.
class AnsweringSink final : public IWbemObjectSink {
public:
    explicit AnsweringSink(HWND window) : m_inner(new CWmiBrightnessEventSink(window)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (riid != IID_IUnknown && riid != IID_IWbemObjectSink) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IWbemObjectSink*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Indicate(LONG count, IWbemClassObject** objects) override
    {
        answers.push_back(m_inner->Indicate(count, objects));
        return answers.back();
    }
    HRESULT STDMETHODCALLTYPE SetStatus(LONG flags, HRESULT result, BSTR text,
                                        IWbemClassObject* object) override
    {
        return m_inner->SetStatus(flags, result, text, object);
    }
    void Detach() { m_inner->Detach(); }

    std::vector<HRESULT> answers;

private:
    ComPtr<CWmiBrightnessEventSink> m_inner;
};

class BrightnessSink : public BrightnessEvents {
protected:
    void SetUp() override
    {
        BrightnessEvents::SetUp();
        ComPtr<IWbemLocator> locator;
        ASSERT_EQ(seams::CreateWbemLocator(&locator), S_OK);
        ASSERT_EQ(locator->ConnectServer(Bstr(L"root\\wmi").get(), nullptr, nullptr, nullptr, 0, nullptr,
                                         nullptr, &services),
                  S_OK);
        ASSERT_EQ(services->ExecNotificationQueryAsync(Bstr(L"WQL").get(),
                                                       Bstr(L"SELECT * FROM WmiMonitorBrightnessEvent").get(),
                                                       0, nullptr, &sink),
                  S_OK);
    }
    void TearDown() override
    {
        if (services) services->CancelAsyncCall(&sink);
        BrightnessEvents::TearDown();
    }
    // Raises one event and waits for the sink's answer to it.
    HRESULT Answer(const std::wstring& arguments)
    {
        const size_t before = sink.answers.size();
        EXPECT_TRUE(notebook.Simctl(L"brightness-event " + arguments)) << arguments.c_str();
        if (!PumpUntil([&] { return sink.answers.size() > before; })) return E_UNEXPECTED;
        return sink.answers.back();
    }

    AnsweringSink sink{window.Handle()};
    ComPtr<IWbemServices> services;
};

TEST_F(BrightnessSink, MalformedEventsAreRefusedAndPostNothing)
{
    EXPECT_EQ(Answer(L"--type i4 40"), WBEM_E_FAILED);
    EXPECT_EQ(Answer(L"--type string 40"), WBEM_E_FAILED);
    EXPECT_EQ(Answer(L"--type missing 40"), WBEM_E_FAILED);
    EXPECT_EQ(Answer(L"--class WmiMonitorBrightnessMethods 40"), WBEM_E_FAILED);
    EXPECT_EQ(Answer(L"101"), WBEM_E_FAILED);
    EXPECT_EQ(Answer(L"--type ui8 255"), WBEM_E_FAILED);
    EXPECT_EQ(Answer(L"100"), WBEM_S_NO_ERROR);
    // Messages arrive in order: by the time the good one is here, any the
    // malformed ones posted would be here too.
    ASSERT_TRUE(PumpUntil([&] { return !window.posted.empty(); }));
    ASSERT_EQ(window.posted.size(), 1u);
    EXPECT_EQ(window.posted[0].wParam, 100u);
}

TEST_F(BrightnessSink, ADetachedSinkAcceptsEventsButPostsNothing)
{
    sink.Detach();
    EXPECT_EQ(Answer(L"30"), WBEM_S_NO_ERROR);
    // Still a brightness event; its value is not looked at any more.
    EXPECT_EQ(Answer(L"--type i4 30"), WBEM_S_NO_ERROR);
    EXPECT_EQ(Answer(L"--class Other 30"), WBEM_E_FAILED);
    window.PostMarker();
    ASSERT_TRUE(PumpUntil([&] { return window.markers == 1; }));
    EXPECT_TRUE(window.posted.empty());
}

TEST(BrightnessSinkCalls, BadArgumentsAreRefused)
{
    ComPtr<CWmiBrightnessEventSink> sink(new CWmiBrightnessEventSink(nullptr));
    IWbemClassObject* none[] = {nullptr};
    EXPECT_EQ(sink->Indicate(1, nullptr), WBEM_E_INVALID_PARAMETER);
    EXPECT_EQ(sink->Indicate(1, none), WBEM_E_FAILED);
    EXPECT_EQ(sink->Indicate(0, nullptr), WBEM_S_NO_ERROR);
    EXPECT_EQ(sink->SetStatus(WBEM_STATUS_COMPLETE, WBEM_E_CALL_CANCELLED, nullptr, nullptr),
              WBEM_S_NO_ERROR);
}

} // namespace
