#pragma once
#include "KbdDialog.h"
#include "UniqueHandle.h"

// Dialog style: a keyboard with its light off or on. The user may drag it;
// it closes 10 s after the last key and comes back where it was left.
class CKbdDialog1 : public CKbdDialog {
public:
    explicit CKbdDialog1(const KbdDialogParams& params);
    ~CKbdDialog1() override;

    bool Refresh(bool absolute) override;

protected:
    BOOL OnInitDialog() override;
    INT_PTR DialogMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    void RestartTimer();

    UniqueGdiObject m_keyboard;
    UniqueGdiObject m_dark;
    UniqueGdiObject m_lit;
    UniqueGdiObject m_face;
    bool m_timerRunning = false;
};
