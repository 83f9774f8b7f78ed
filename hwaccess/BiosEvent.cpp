#include "BiosEvent.h"

#include "BiosEventSink.h"
#include "PlatformSeams.h"

#include <oleauto.h>

#include <utility>

using Microsoft::WRL::ComPtr;

namespace {

class ScopedBstr {
public:
    explicit ScopedBstr(const wchar_t* text) : s_(::SysAllocString(text)) {}
    ~ScopedBstr() { ::SysFreeString(s_); }
    ScopedBstr(const ScopedBstr&) = delete;
    ScopedBstr& operator=(const ScopedBstr&) = delete;
    BSTR get() const { return s_; }

private:
    BSTR s_;
};

} // namespace

CBiosEvent::CBiosEvent(IBiosEventTarget* target)
    : sink_(new CBiosEventSink(target))
{
    InitializeCom();
    if (Connect()) Subscribe();
}

CBiosEvent::~CBiosEvent()
{
    sink_->Detach();
    if (services_) services_->CancelAsyncCall(sink_.Get());
    services_.Reset();
    if (SUCCEEDED(comInit_)) ::CoUninitialize();
}

void CBiosEvent::InitializeCom()
{
    comInit_ = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    if (FAILED(comInit_)) return;
    const HRESULT security = ::CoInitializeSecurity(
        nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_CONNECT, RPC_C_IMP_LEVEL_IMPERSONATE,
        nullptr, EOAC_NONE, nullptr);
    if (FAILED(security) && security != RPC_E_TOO_LATE) FailInitialization();
}

bool CBiosEvent::Connect()
{
    ComPtr<IWbemLocator> locator;
    ComPtr<IWbemServices> services;
    const ScopedBstr ns(L"root\\wmi");
    bool connected = SUCCEEDED(seams::CreateWbemLocator(&locator)) && locator &&
                     SUCCEEDED(locator->ConnectServer(ns.get(), nullptr, nullptr, nullptr, 0,
                                                      nullptr, nullptr, &services)) &&
                     services;
    connected = connected &&
                SUCCEEDED(::CoSetProxyBlanket(services.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE,
                                              nullptr, RPC_C_AUTHN_LEVEL_PKT,
                                              RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE));
    if (!connected) {
        FailInitialization();
        return false;
    }
    services_ = std::move(services);
    return true;
}

void CBiosEvent::Subscribe()
{
    const ScopedBstr language(L"WQL");
    const ScopedBstr query(L"SELECT * FROM BIOSEvent");
    if (FAILED(services_->ExecNotificationQueryAsync(language.get(), query.get(), 0, nullptr,
                                                     sink_.Get()))) {
        services_.Reset();
    }
}

// COM is given back at once when it was taken here; the result then records
// the failure so that destruction does not give it back twice.
void CBiosEvent::FailInitialization()
{
    if (SUCCEEDED(comInit_)) ::CoUninitialize();
    comInit_ = -1;
}
