#include "AudioEndpointVolumeCallback.h"

#include <algorithm>

#include "AudioEndpointVolumeCallback_K7.h"
#include "MessageCatalogue.h"

using Microsoft::WRL::ComPtr;

// {7B8B6C2B-6B9D-4215-AEEB-ABBC00D12865}
const GUID CAudioEndpointVolumeCallback::kOwnEventContext
    = {0x7B8B6C2B, 0x6B9D, 0x4215, {0xAE, 0xEB, 0xAB, 0xBC, 0x00, 0xD1, 0x28, 0x65}};

namespace {

constexpr GUID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidNotificationClient
    = {0x7991EEC9, 0x7E89, 0x4D85, {0x83, 0x90, 0x6C, 0x70, 0x3C, 0xEC, 0x60, 0xC0}};
constexpr GUID kIidVolumeCallback
    = {0x657804FA, 0xD6AD, 0x4496, {0x8A, 0x60, 0x35, 0x27, 0x52, 0xAF, 0x4F, 0x89}};
constexpr GUID kIidEndpointVolume
    = {0x5CDF2C82, 0x841E, 0x4546, {0x97, 0x22, 0x0C, 0xF7, 0x40, 0x78, 0x22, 0x9A}};
// The context Windows' own volume mixer passes.
constexpr GUID kWindowsMixerContext
    = {0x2C01AB9A, 0x43A2, 0x4AED, {0xA4, 0x51, 0xE7, 0x0C, 0x4F, 0x97, 0x57, 0x62}};

constexpr LPARAM kMutedFlag = 1;

LPARAM MuteFlags(int muted)
{
    return muted ? kMutedFlag : 0;
}

} // namespace

ComPtr<CAudioEndpointVolumeCallback> CAudioEndpointVolumeCallback::Make(HWND mainWindow, bool newerFamily)
{
    // The new object's one reference is handed over as it is.
    ComPtr<CAudioEndpointVolumeCallback> owner;
    *owner.GetAddressOf() = newerFamily ? new CAudioEndpointVolumeCallback_K7(mainWindow)
                                        : new CAudioEndpointVolumeCallback(mainWindow, false);
    return owner;
}

CAudioEndpointVolumeCallback::CAudioEndpointVolumeCallback(HWND mainWindow, bool snapToSteps)
    : m_snapToSteps(snapToSteps ? 1 : 0)
    , m_mainWindow(mainWindow)
    , m_volumeChange(messages::Register(messages::kVolumeChange))
    , m_endpointChange(messages::Register(messages::kAudioEndpointChange))
{}

CAudioEndpointVolumeCallback::~CAudioEndpointVolumeCallback()
{
    // Reached only when nothing holds the object any longer; an enumerator
    // that keeps no reference of its own still has to be left.
    Shutdown();
}

HRESULT CAudioEndpointVolumeCallback::QueryInterface(REFIID iid, void** object)
{
    if (!object) return E_POINTER;
    if (IsEqualGUID(iid, kIidUnknown) || IsEqualGUID(iid, kIidNotificationClient)) {
        *object = static_cast<IMMNotificationClient*>(this);
    } else if (IsEqualGUID(iid, kIidVolumeCallback)) {
        *object = static_cast<IAudioEndpointVolumeCallback*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG CAudioEndpointVolumeCallback::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_refs));
}

ULONG CAudioEndpointVolumeCallback::Release()
{
    const LONG refs = ::InterlockedDecrement(&m_refs);
    if (refs == 0) delete this;
    return static_cast<ULONG>(refs);
}

HRESULT CAudioEndpointVolumeCallback::OnDeviceStateChanged(LPCWSTR, DWORD)
{
    return S_OK;
}

HRESULT CAudioEndpointVolumeCallback::OnDeviceAdded(LPCWSTR)
{
    return S_OK;
}

HRESULT CAudioEndpointVolumeCallback::OnDeviceRemoved(LPCWSTR)
{
    return S_OK;
}

HRESULT CAudioEndpointVolumeCallback::OnDefaultDeviceChanged(EDataFlow flow, ERole, LPCWSTR)
{
    // The window re-binds on its own thread; nothing is bound from here.
    if (flow == eRender && m_mainWindow && m_endpointChange)
        ::PostMessageW(m_mainWindow, m_endpointChange, 0, 0);
    return S_OK;
}

HRESULT CAudioEndpointVolumeCallback::OnPropertyValueChanged(LPCWSTR, const PROPERTYKEY)
{
    return S_OK;
}

bool CAudioEndpointVolumeCallback::IsFromWindows(const GUID& context)
{
    return IsEqualGUID(context, GUID_NULL) || IsEqualGUID(context, kWindowsMixerContext);
}

float CAudioEndpointVolumeCallback::ClampedScalar(float scalar)
{
    if (!(scalar > 0.0f)) return 0.0f; // NaN too
    return std::min(scalar, 1.0f);
}

void CAudioEndpointVolumeCallback::PostVolume(WPARAM level, LPARAM flags) const
{
    if (m_mainWindow && m_volumeChange) ::PostMessageW(m_mainWindow, m_volumeChange, level, flags);
}

HRESULT CAudioEndpointVolumeCallback::OnNotify(PAUDIO_VOLUME_NOTIFICATION_DATA data)
{
    if (!data) return E_POINTER;
    // The tray's own change: looked at before the lock, as the tray may be
    // holding it while the change it made is being reported.
    if (IsEqualGUID(data->guidEventContext, kOwnEventContext)) return S_OK;

    CriticalSectionLock lock(Lock());
    const int percent = static_cast<int>(ClampedScalar(data->fMasterVolume) * 100.0);
    int newMute = data->bMuted ? 1 : 0;
    int previous = m_muted;
    if (m_keepMuteOnDown) {
        // Windows lifts the mute on a volume key; going down keeps it.
        if (percent < m_lastPercent && m_mutedBefore && !previous && !newMute) {
            SetMute(true);
            previous = 1;
            newMute = 0;
        } else if (percent >= m_lastPercent && previous) {
            SetMute(false);
        }
    }
    m_mutedBefore = previous;
    m_muted = newMute;
    m_lastPercent = percent;

    if (!IsFromWindows(data->guidEventContext))
        PostVolume(kChangedElsewhere, MuteFlags(newMute));
    else if (m_osdEnabled)
        PostVolume(static_cast<WPARAM>(percent), MuteFlags(newMute));
    return S_OK;
}

void CAudioEndpointVolumeCallback::ReadCurrentState()
{
    CriticalSectionLock lock(Lock());
    BOOL muted = FALSE;
    if (m_endpointVolume && SUCCEEDED(m_endpointVolume->GetMute(&muted))) {
        m_muted = muted ? 1 : 0;
        m_mutedBefore = m_muted;
    }
    UINT step = 0, count = 0;
    const bool read
        = m_endpointVolume && SUCCEEDED(m_endpointVolume->GetVolumeStepInfo(&step, &count)) && count > 0;
    m_lastPercent = read ? static_cast<int>(std::min<UINT64>(UINT64(step) * 100 / count, 100)) : 0;
}

bool CAudioEndpointVolumeCallback::SetMasterVolume(int percent)
{
    CriticalSectionLock lock(Lock());
    const int clamped = std::clamp(percent, 0, 100);
    if (!m_endpointVolume
        || FAILED(m_endpointVolume->SetMasterVolumeLevelScalar(static_cast<float>(clamped / 100.0),
                                                               &kOwnEventContext)))
        return false;
    m_lastPercent = clamped;
    return true;
}

bool CAudioEndpointVolumeCallback::SetMute(bool on)
{
    CriticalSectionLock lock(Lock());
    if (!m_endpointVolume || FAILED(m_endpointVolume->SetMute(on ? TRUE : FALSE, &kOwnEventContext)))
        return false;
    m_muted = on ? 1 : 0;
    return true;
}

void CAudioEndpointVolumeCallback::PostCurrentVolume()
{
    CriticalSectionLock lock(Lock());
    if (m_osdEnabled && (m_lastPercent == 0 || m_lastPercent == 100))
        PostVolume(static_cast<WPARAM>(m_lastPercent), MuteFlags(m_muted));
}

void CAudioEndpointVolumeCallback::UnmuteAndPostVolume()
{
    CriticalSectionLock lock(Lock());
    if (!SetMute(false)) return;
    if (m_osdEnabled && m_lastPercent <= 100) PostVolume(static_cast<WPARAM>(m_lastPercent), 0);
}

HRESULT CAudioEndpointVolumeCallback::Create(IMMDeviceEnumerator* enumerator)
{
    if (!enumerator) return E_POINTER;
    if (m_enumerator) return HRESULT_FROM_WIN32(ERROR_ALREADY_INITIALIZED);
    const HRESULT hr = enumerator->RegisterEndpointNotificationCallback(this);
    if (FAILED(hr)) return hr;
    m_enumerator = enumerator;
    m_endpointNotificationsRegistered = true;
    Bind();
    return S_OK;
}

bool CAudioEndpointVolumeCallback::Bind()
{
    CriticalSectionLock lock(Lock());
    if (m_endpointVolume) return m_notifyRegistered;
    if (!m_enumerator) return false;
    ComPtr<IMMDevice> device;
    if (FAILED(m_enumerator->GetDefaultAudioEndpoint(eRender, eMultimedia, device.GetAddressOf())) || !device)
        return false;
    ComPtr<IAudioEndpointVolume> volume;
    if (FAILED(device->Activate(kIidEndpointVolume, CLSCTX_INPROC_SERVER, nullptr,
                                reinterpret_cast<void**>(volume.GetAddressOf())))
        || !volume)
        return false;
    m_device = device;
    m_endpointVolume = volume;
    m_notifyRegistered = SUCCEEDED(m_endpointVolume->RegisterControlChangeNotify(this));
    return m_notifyRegistered;
}

void CAudioEndpointVolumeCallback::Unbind()
{
    ComPtr<IMMDevice> device;
    ComPtr<IAudioEndpointVolume> volume;
    bool registered = false;
    {
        CriticalSectionLock lock(Lock());
        device.Swap(m_device);
        volume.Swap(m_endpointVolume);
        registered = m_notifyRegistered;
        m_notifyRegistered = false;
    }
    // Left outside the lock: leaving may wait for a notification that is
    // itself waiting for the lock. Notifications that still arrive find no
    // endpoint to change.
    if (registered && volume) volume->UnregisterControlChangeNotify(this);
}

bool CAudioEndpointVolumeCallback::Rebind()
{
    Unbind();
    return Bind();
}

void CAudioEndpointVolumeCallback::Shutdown()
{
    Unbind();
    ComPtr<IMMDeviceEnumerator> enumerator;
    enumerator.Swap(m_enumerator);
    if (enumerator && m_endpointNotificationsRegistered)
        enumerator->UnregisterEndpointNotificationCallback(this);
    m_endpointNotificationsRegistered = false;
}

void CAudioEndpointVolumeCallback::SetOsdEnabled(bool enabled)
{
    CriticalSectionLock lock(Lock());
    m_osdEnabled = enabled ? 1 : 0;
}

bool CAudioEndpointVolumeCallback::OsdEnabled() const
{
    CriticalSectionLock lock(Lock());
    return m_osdEnabled != 0;
}

void CAudioEndpointVolumeCallback::SetKeepMuteOnDown(bool keep)
{
    CriticalSectionLock lock(Lock());
    m_keepMuteOnDown = keep ? 1 : 0;
}

bool CAudioEndpointVolumeCallback::IsMuted() const
{
    CriticalSectionLock lock(Lock());
    return m_muted != 0;
}

bool CAudioEndpointVolumeCallback::WasMutedBefore() const
{
    CriticalSectionLock lock(Lock());
    return m_mutedBefore != 0;
}

int CAudioEndpointVolumeCallback::LastPercent() const
{
    CriticalSectionLock lock(Lock());
    return m_lastPercent;
}

bool CAudioEndpointVolumeCallback::IsBound() const
{
    CriticalSectionLock lock(Lock());
    return m_endpointVolume != nullptr;
}
