#pragma once
#include <windows.h>

#include <endpointvolume.h>
#include <mmdeviceapi.h>
#include <wrl/client.h>

#include "CriticalSection.h"

// Watches the default audio render endpoint and tells the tray's window when
// its master volume or mute state changed ("Tavrin - VOLUME_CHANGE") or when
// another endpoint became the default ("Tavrin - AUDIOE_ENDPOINT_CHANGE").
// Core Audio calls the notification methods on threads of its own; they only
// touch this object's state under its lock and post messages. Every change
// the tray makes itself carries kOwnEventContext, so its notification is
// recognised and ignored.
//
// This object reports the volume in percent; CAudioEndpointVolumeCallback_K7
// (the newer display family) reports it in 25 steps and snaps the endpoint to them.
//
// Life: Make, Create(enumerator), ReadCurrentState, ..., Shutdown, release.
class CAudioEndpointVolumeCallback : public IMMNotificationClient, public IAudioEndpointVolumeCallback {
public:
    static const GUID kOwnEventContext;
    // wParam of a volume change made by another program: shows nothing.
    static constexpr WPARAM kChangedElsewhere = 0xFFFFFFFF;
    static constexpr int kNoPercentYet = 0xFFFF;

    // The object for the display family: stepped for the newer one.
    static Microsoft::WRL::ComPtr<CAudioEndpointVolumeCallback> Make(HWND mainWindow, bool newerFamily);

    CAudioEndpointVolumeCallback(const CAudioEndpointVolumeCallback&) = delete;
    CAudioEndpointVolumeCallback& operator=(const CAudioEndpointVolumeCallback&) = delete;

    // IUnknown: IUnknown and IMMNotificationClient answer with the primary
    // pointer, IAudioEndpointVolumeCallback with the second.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IMMNotificationClient: only a new default render endpoint matters.
    HRESULT STDMETHODCALLTYPE OnDeviceStateChanged(LPCWSTR device, DWORD state) override;
    HRESULT STDMETHODCALLTYPE OnDeviceAdded(LPCWSTR device) override;
    HRESULT STDMETHODCALLTYPE OnDeviceRemoved(LPCWSTR device) override;
    HRESULT STDMETHODCALLTYPE OnDefaultDeviceChanged(EDataFlow flow, ERole role, LPCWSTR device) override;
    HRESULT STDMETHODCALLTYPE OnPropertyValueChanged(LPCWSTR device, const PROPERTYKEY key) override;

    // IAudioEndpointVolumeCallback
    HRESULT STDMETHODCALLTYPE OnNotify(PAUDIO_VOLUME_NOTIFICATION_DATA data) override;

    // Takes the volume and mute state from the bound endpoint.
    virtual void ReadCurrentState();
    // Sets the endpoint's master volume (clamped to 0..100 %).
    virtual bool SetMasterVolume(int percent);
    // For a volume key: at the ends of the range Windows reports no change,
    // so the display is asked for here.
    virtual void PostCurrentVolume();
    // For a volume key that arrives as a firmware event while muted on
    // systems where the tray lifts the mute itself.
    virtual void UnmuteAndPostVolume();

    // Registers for default-endpoint changes with the enumerator (kept) and binds.
    HRESULT Create(IMMDeviceEnumerator* enumerator);
    // Binds to the default render endpoint; false when there is none or a
    // step failed (what was reached is kept, so the volume can still be set).
    bool Bind();
    void Unbind();
    bool Rebind();
    // Unbinds, leaves the enumerator's notifications and lets it go. Idempotent.
    void Shutdown();

    bool SetMute(bool on);

    void SetOsdEnabled(bool enabled);
    bool OsdEnabled() const;
    void SetKeepMuteOnDown(bool keep);
    bool IsMuted() const;
    bool WasMutedBefore() const;
    int LastPercent() const;
    bool IsBound() const;
    bool SnapsToSteps() const { return m_snapToSteps != 0; }

protected:
    CAudioEndpointVolumeCallback(HWND mainWindow, bool snapToSteps);
    virtual ~CAudioEndpointVolumeCallback();

    // Windows' own volume controls say GUID_NULL or this context; anything
    // else comes from another program.
    static bool IsFromWindows(const GUID& context);
    static float ClampedScalar(float scalar);

    void PostVolume(WPARAM level, LPARAM flags) const;
    // Held while the endpoint's interfaces or the state below are used.
    CriticalSection& Lock() const { return m_lock; }
    IAudioEndpointVolume* Endpoint() const { return m_endpointVolume.Get(); }

    int m_osdEnabled = 1;
    int m_keepMuteOnDown = 0;
    const int m_snapToSteps;
    int m_lastPercent = kNoPercentYet;
    int m_muted = 0;
    int m_mutedBefore = 0;

private:
    LONG m_refs = 1;
    const HWND m_mainWindow;
    const UINT m_volumeChange;
    const UINT m_endpointChange;
    mutable CriticalSection m_lock;
    Microsoft::WRL::ComPtr<IMMDeviceEnumerator> m_enumerator;
    Microsoft::WRL::ComPtr<IMMDevice> m_device;
    Microsoft::WRL::ComPtr<IAudioEndpointVolume> m_endpointVolume;
    bool m_notifyRegistered = false;
    bool m_endpointNotificationsRegistered = false;
};
