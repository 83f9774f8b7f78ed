#include "TrayAudio.h"

#include "PlatformSeams.h"

CTrayAudio::CTrayAudio(bool newerStyle, bool osdEnabled, bool keepMuteOnDown)
    : m_newerStyle(newerStyle), m_osdEnabled(osdEnabled), m_keepMuteOnDown(keepMuteOnDown)
{}

CTrayAudio::~CTrayAudio()
{
    Stop();
}

// Without an enumerator no notice ever arrives, so the volume display
// never appears; the callback still answers the keys.
void CTrayAudio::Start(HWND window)
{
    if (m_callback) return;
    m_callback = CAudioEndpointVolumeCallback::Make(window, m_newerStyle);
    m_callback->SetOsdEnabled(m_osdEnabled);
    Microsoft::WRL::ComPtr<IMMDeviceEnumerator> enumerator;
    if (SUCCEEDED(seams::CreateAudioDeviceEnumerator(enumerator.GetAddressOf())))
        m_callback->Create(enumerator.Get());
    m_callback->ReadCurrentState();
    m_callback->SetKeepMuteOnDown(m_keepMuteOnDown);
}

void CTrayAudio::Stop()
{
    if (!m_callback) return;
    m_callback->Shutdown();
    m_callback.Reset();
}

bool CTrayAudio::IsMuted() const
{
    return m_callback && m_callback->IsMuted();
}

void CTrayAudio::SetOsdEnabled(bool enabled)
{
    m_osdEnabled = enabled;
    if (m_callback) m_callback->SetOsdEnabled(enabled);
}

void CTrayAudio::PostCurrentVolume()
{
    if (m_callback) m_callback->PostCurrentVolume();
}

void CTrayAudio::UnmuteAndPostVolume()
{
    if (m_callback) m_callback->UnmuteAndPostVolume();
}

void CTrayAudio::Rebind()
{
    if (m_callback) m_callback->Rebind();
}
