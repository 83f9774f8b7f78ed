#pragma once
#include "BrightnessDlg.h"
#include "DialogFrame.h"

// Dialog style: a sun icon by the level, a progress bar of the levels, and
// the light sensor's notice when the firmware answers for it. The user may
// drag it; it closes 2 s after the last change.
class CBrightnessDlg1 : public CBrightnessDlg {
public:
    explicit CBrightnessDlg1(const BrightnessDlgParams& params);
    ~CBrightnessDlg1() override;

    void ShowLevel(int level) override;

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
