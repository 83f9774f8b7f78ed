#include "AudioEndpointVolumeCallback_K7.h"

#include <algorithm>
#include <cmath>

CAudioEndpointVolumeCallback_K7::CAudioEndpointVolumeCallback_K7(HWND mainWindow)
    : CAudioEndpointVolumeCallback(mainWindow, true)
{}

int CAudioEndpointVolumeCallback_K7::Round(double value)
{
    if (!(value > 0.0)) return 0;
    if (value >= 2147483647.0) return 2147483647;
    const double whole = std::floor(value);
    const int firstDecimal = static_cast<int>((value - whole) * 10.0);
    return static_cast<int>(whole) + (firstDecimal >= 5 ? 1 : 0);
}

int CAudioEndpointVolumeCallback_K7::SnappedPercent(float oldScalar, float newScalar, bool snap)
{
    int newPercent = Round(newScalar * 100.0);
    const int oldPercent = Round(oldScalar * 100.0);
    if (!snap || newPercent == oldPercent) return newPercent;
    int newStep = Round(newScalar * double(kSteps));
    const int oldStep = Round(oldScalar * double(kSteps));
    if (newPercent >= oldPercent && newPercent > 0) {
        if (newStep == oldStep) newStep = oldStep + 1;
        newPercent = Round(std::min(newStep, kSteps) * 4.0);
    } else if (newPercent < oldPercent && newPercent < 100) {
        if (newStep == oldStep) newStep = oldStep - 1;
        newPercent = Round(std::max(newStep, 0) * 4.0);
    }
    return newPercent;
}

HRESULT CAudioEndpointVolumeCallback_K7::OnNotify(PAUDIO_VOLUME_NOTIFICATION_DATA data)
{
    if (!data) return E_POINTER;
    // Looked at before the lock, as for the percent family.
    if (IsEqualGUID(data->guidEventContext, kOwnEventContext)) return S_OK;

    CriticalSectionLock lock(Lock());
    const float scalar = ClampedScalar(data->fMasterVolume);
    if (!IsFromWindows(data->guidEventContext)) {
        m_lastScalar = scalar;
        m_muted = data->bMuted ? 1 : 0;
        PostVolume(kChangedElsewhere, m_muted);
        return S_OK;
    }

    int newPercent = SnappedPercent(m_lastScalar, scalar, m_snapToSteps != 0);
    if (m_snapToSteps && Endpoint()) {
        newPercent = std::clamp(newPercent, 0, 100);
        float written = 0.0f;
        if (SUCCEEDED(Endpoint()->SetMasterVolumeLevelScalar(static_cast<float>(newPercent / 100.0),
                                                             &kOwnEventContext))
            && SUCCEEDED(Endpoint()->GetMasterVolumeLevelScalar(&written)))
            newPercent = Round(ClampedScalar(written) * 100.0);
    }
    m_lastScalar = static_cast<float>(newPercent / 100.0);
    m_muted = data->bMuted ? 1 : 0;
    if (m_osdEnabled) PostIfChanged();
    return S_OK;
}

void CAudioEndpointVolumeCallback_K7::PostIfChanged(bool always)
{
    const int step = Round(m_lastScalar * 100.0 * 0.25);
    if (!always && step == m_postedStep && m_muted == m_postedMuted) return;
    m_postedStep = step;
    m_postedMuted = m_muted;
    PostVolume(static_cast<WPARAM>(step), m_muted);
}

void CAudioEndpointVolumeCallback_K7::ReadCurrentState()
{
    CriticalSectionLock lock(Lock());
    if (!Endpoint()) return;
    BOOL muted = FALSE;
    if (SUCCEEDED(Endpoint()->GetMute(&muted))) m_muted = muted ? 1 : 0;
    float scalar = 0.0f;
    if (SUCCEEDED(Endpoint()->GetMasterVolumeLevelScalar(&scalar))) m_lastScalar = ClampedScalar(scalar);
}

void CAudioEndpointVolumeCallback_K7::PostCurrentVolume()
{
    CriticalSectionLock lock(Lock());
    float scalar = 0.0f;
    if (!m_osdEnabled || !Endpoint() || FAILED(Endpoint()->GetMasterVolumeLevelScalar(&scalar))) return;
    const int percent = Round(ClampedScalar(scalar) * 100.0);
    if (percent != 0 && percent != 100) return;
    // At either end Windows reports nothing, so the key would otherwise
    // show no display once the end step had been posted.
    m_lastScalar = static_cast<float>(percent / 100.0);
    PostIfChanged(true);
}

void CAudioEndpointVolumeCallback_K7::UnmuteAndPostVolume()
{
    CriticalSectionLock lock(Lock());
    if (SetMute(false)) PostIfChanged();
}

float CAudioEndpointVolumeCallback_K7::LastScalar() const
{
    CriticalSectionLock lock(Lock());
    return m_lastScalar;
}
