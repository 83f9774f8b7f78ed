#pragma once
#include <windows.h>

#include <wbemidl.h>
#include <wrl/client.h>

class CBiosEventSink;
class IBiosEventTarget;

// The subscription to the firmware's BIOSEvent class in root\wmi. Made on
// the constructing thread, which must be a single-threaded apartment that
// processes messages: WMI then delivers every event into it, so the target
// runs on that thread. Failures leave the object without a subscription and
// are not reported; no events arrive then.
class CBiosEvent {
public:
    explicit CBiosEvent(IBiosEventTarget* target);
    virtual ~CBiosEvent();
    CBiosEvent(const CBiosEvent&) = delete;
    CBiosEvent& operator=(const CBiosEvent&) = delete;

    bool IsSubscribed() const { return m_subscribed; }

protected:
    // The root\wmi connection, for a derived watcher's own subscriptions;
    // kept when the firmware has no events of its own. Null when none.
    IWbemServices* Services() const { return m_services.Get(); }

private:
    void InitializeCom();
    bool Connect();
    void Subscribe();
    void FailInitialization();

    // CoInitializeEx's result, or -1 once security set-up or the connection failed.
    HRESULT m_comInit = -1;
    Microsoft::WRL::ComPtr<IWbemServices> m_services;
    Microsoft::WRL::ComPtr<CBiosEventSink> m_sink;
    bool m_subscribed = false;
};
