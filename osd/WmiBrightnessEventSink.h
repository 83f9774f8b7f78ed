#pragma once
#include <windows.h>

#include <wbemidl.h>

// The COM object WMI calls with the monitor's brightness events: each
// WmiMonitorBrightnessEvent's Brightness (a percentage) is posted to the
// window as the registered "Tavrin - BRIGHTNESS_CHANGE" (wParam the value).
// Processing is serialised process-wide, and the window can be detached
// while WMI still holds a reference to the sink.
class CWmiBrightnessEventSink : public IWbemObjectSink {
public:
    explicit CWmiBrightnessEventSink(HWND window);
    virtual ~CWmiBrightnessEventSink() = default;
    CWmiBrightnessEventSink(const CWmiBrightnessEventSink&) = delete;
    CWmiBrightnessEventSink& operator=(const CWmiBrightnessEventSink&) = delete;

    // Nothing is posted once this returns.
    void Detach();

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // WBEM_E_FAILED when any object was not a brightness event with a
    // one-byte or eight-byte unsigned Brightness of at most 100 (those are
    // skipped; the others are still posted), otherwise WBEM_S_NO_ERROR.
    STDMETHODIMP Indicate(LONG objectCount, IWbemClassObject** objects) override;
    STDMETHODIMP SetStatus(LONG flags, HRESULT result, BSTR param, IWbemClassObject* object) override;

private:
    HRESULT Deliver(IWbemClassObject* object);

    LONG m_refCount = 0;
    HWND m_window = nullptr;
    const UINT m_message;
};
