#pragma once
#include "Dialog.h"
#include "StaticEx.h"
#include "UniqueHandle.h"

#include <functional>

// The ambient light sensor's dialog: whether the sensor is on, and a link
// to its preferences. It stays 10 s after the last event or mouse move,
// can be dragged anywhere and comes back where it was left. Unlike the
// displays it takes the keyboard: Escape closes it, Enter opens the
// preferences as the link does.
class CAlsDialog : public CDialog {
public:
    static constexpr UINT kTemplateId = 323;
    // Starts a program from its command line; false when it could not.
    using Launcher = std::function<bool(const wchar_t* commandLine)>;

    explicit CAlsDialog(Launcher launcher = {});
    ~CAlsDialog() override;

    bool HasWindow() const { return IsOpen(); }
    // Makes the window when there is none, shows the state (0 off, else on)
    // and restarts the timer. False when the window could not be made.
    bool ShowState(int state);
    int State() const { return m_state; }
    void Close();
    // The preferences, as a click on the link starts them; the dialog closes.
    void OpenPreferences();

protected:
    BOOL OnInitDialog() override;
    INT_PTR DialogMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnOK() override { OpenPreferences(); }
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    void RestartTimer();
    void Place();
    void SavePosition() const;

    Launcher m_launcher;
    CStaticEx m_link;
    int m_state = 0;
    bool m_timerRunning = false;
    UniqueGdiObject m_onPicture;
    UniqueGdiObject m_offPicture;
    UniqueGdiObject m_background;
};
