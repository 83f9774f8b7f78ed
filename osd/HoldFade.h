#pragma once
#include <windows.h>

#include <functional>

// The timers a display runs on its window.
class IOsdTimers {
public:
    virtual ~IOsdTimers() = default;
    virtual void StartTimer(UINT_PTR id, UINT elapseMs) = 0;
    virtual void StopTimer(UINT_PTR id) = 0;
};

// Hold and fade of the slider and outline displays: every show holds the
// display at full opacity for 2.5 s, then it fades in ten steps of 50 ms and
// closes. A show during the fade stops it and holds again. Only one of the
// two timers runs at a time.
class CHoldFade {
public:
    enum class Tick {
        None, // not one of this display's timers, or one that is not running
        Faded, // draw at FadeLevel()
        Finished, // the fade is over: close the display
    };

    CHoldFade(IOsdTimers& timers, UINT_PTR holdId, UINT_PTR fadeId);

    // After drawing at full opacity.
    void Restart();
    Tick OnTimer(UINT_PTR id);
    // A timer tick carried out: each fade step drawn with `fade`, and at the
    // end a last one at 0. True when the display is to close.
    bool Step(UINT_PTR id, const std::function<void(int percent)>& fade);
    // The window went: its timers went with it.
    void Reset();

    bool IsHolding() const { return m_running == m_holdId && m_running != 0; }
    bool IsFading() const { return m_running == m_fadeId && m_running != 0; }
    int FadeLevel() const { return m_level; }

private:
    void Stop();

    IOsdTimers& m_timers;
    UINT_PTR m_holdId;
    UINT_PTR m_fadeId;
    UINT_PTR m_running = 0;
    int m_level = 100;
};
