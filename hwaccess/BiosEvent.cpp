#include "BiosEvent.h"

#include "BiosEventSink.h"
#include "PlatformSeams.h"

#include "ComValues.h"

#include <utility>

using Microsoft::WRL::ComPtr;

CBiosEvent::CBiosEvent(IBiosEventTarget* target) : m_sink(new CBiosEventSink(target))
{
    InitializeCom();
    if (Connect()) Subscribe();
}

CBiosEvent::~CBiosEvent()
{
    m_sink->Detach();
    if (m_subscribed) m_services->CancelAsyncCall(m_sink.Get());
    m_services.Reset();
    if (SUCCEEDED(m_comInit)) ::CoUninitialize();
}

void CBiosEvent::InitializeCom()
{
    // The process's call security is the application object's (InitializeComSecurity).
    m_comInit = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
}

bool CBiosEvent::Connect()
{
    ComPtr<IWbemLocator> locator;
    ComPtr<IWbemServices> services;
    const Bstr ns(L"root\\wmi");
    bool connected = SUCCEEDED(seams::CreateWbemLocator(&locator)) && locator
                     && SUCCEEDED(locator->ConnectServer(ns.get(), nullptr, nullptr, nullptr, 0, nullptr,
                                                         nullptr, &services))
                     && services;
    connected = connected
                && SUCCEEDED(::CoSetProxyBlanket(services.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                                                 RPC_C_AUTHN_LEVEL_PKT, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                                                 EOAC_NONE));
    if (!connected) {
        FailInitialization();
        return false;
    }
    m_services = std::move(services);
    return true;
}

void CBiosEvent::Subscribe()
{
    const Bstr language(L"WQL");
    const Bstr query(L"SELECT * FROM BIOSEvent");
    m_subscribed = SUCCEEDED(
        m_services->ExecNotificationQueryAsync(language.get(), query.get(), 0, nullptr, m_sink.Get()));
}

// COM is given back at once when it was taken here; the result then records
// the failure so that destruction does not give it back twice.
void CBiosEvent::FailInitialization()
{
    if (SUCCEEDED(m_comInit)) ::CoUninitialize();
    m_comInit = -1;
}
