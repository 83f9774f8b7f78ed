// A firmware event subscriber in a process of its own, for tests that end it
// the hard way: subscribes through the product's seam, sets the event named on
// its command line once subscribed, then processes messages until killed.
// Exit code 1: the subscription failed.
#include <windows.h>

#include <wbemidl.h>
#include <wrl/client.h>

#include "ComValues.h"
#include "PlatformSeams.h"
#include "UniqueHandle.h"

using Microsoft::WRL::ComPtr;

namespace {

// Takes every event and does nothing with it; lives as long as the process.
class IdleSink final : public IWbemObjectSink {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (riid != IID_IUnknown && riid != IID_IWbemObjectSink) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IWbemObjectSink*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Indicate(LONG, IWbemClassObject**) override { return WBEM_S_NO_ERROR; }
    HRESULT STDMETHODCALLTYPE SetStatus(LONG, HRESULT, BSTR, IWbemClassObject*) override
    {
        return WBEM_S_NO_ERROR;
    }
};

bool Subscribe(IWbemObjectSink* sink, ComPtr<IWbemServices>& services)
{
    ComPtr<IWbemLocator> locator;
    if (FAILED(seams::CreateWbemLocator(&locator)) || !locator) return false;
    if (FAILED(locator->ConnectServer(Bstr(L"root\\wmi").get(), nullptr, nullptr, nullptr, 0, nullptr,
                                      nullptr, &services))) {
        return false;
    }
    return SUCCEEDED(services->ExecNotificationQueryAsync(
        Bstr(L"WQL").get(), Bstr(L"SELECT * FROM BIOSEvent").get(), 0, nullptr, sink));
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) return 2;
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) return 1;
    static IdleSink sink;
    ComPtr<IWbemServices> services;
    if (!Subscribe(&sink, services)) return 1;
    UniqueHandle ready(::OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[1]));
    if (!ready || !::SetEvent(ready.get())) return 1;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    return 0;
}
