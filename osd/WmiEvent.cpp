#include "WmiEvent.h"

#include "ComValues.h"
#include "WmiBrightnessEventSink.h"

CWmiEvent::CWmiEvent(IBiosEventTarget* target, HWND window)
    : CBiosEvent(target), m_brightnessSink(new CWmiBrightnessEventSink(window))
{
    IWbemServices* services = Services();
    if (!services) return;
    const Bstr language(L"WQL");
    const Bstr query(L"SELECT * FROM WmiMonitorBrightnessEvent");
    m_brightnessSubscribed = SUCCEEDED(services->ExecNotificationQueryAsync(language.get(), query.get(), 0,
                                                                            nullptr, m_brightnessSink.Get()));
}

// Detached first: an indication already on its way posts nothing to a
// window that may be going.
CWmiEvent::~CWmiEvent()
{
    m_brightnessSink->Detach();
    if (m_brightnessSubscribed) Services()->CancelAsyncCall(m_brightnessSink.Get());
}
