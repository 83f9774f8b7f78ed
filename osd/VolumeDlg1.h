#pragma once
#include "DialogFrame.h"
#include "VolumeDlg.h"

// Dialog style: a speaker icon (crossed when muted) and a progress bar of
// the volume. The user may drag it; it closes 2 s after the last change.
class CVolumeDlg1 : public CVolumeDlg {
public:
    explicit CVolumeDlg1(HWND owner);
    ~CVolumeDlg1() override;

    void ShowVolume(int level, int range, bool muted) override;

protected:
    BOOL OnInitDialog() override;
    INT_PTR DialogMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    void RestartTimer();

    CDialogFrame m_frame;
    bool m_timerRunning = false;
};
