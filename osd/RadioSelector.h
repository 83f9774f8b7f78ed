#pragma once
#include <windows.h>

// The two-choice radio selector of the bitmap and outline displays: the
// first wireless key shows whether the radios are on, each further key
// while the display is up moves the highlight to the other tile, and the
// choice is carried out once, when the display has faded out.
class CRadioSelector {
public:
    // Whether the tray offers the selector; asked again for every new window.
    void SetActive(bool active) { m_active = active; }
    bool IsActive() const { return m_active; }

    // A new window: the firmware's answer to the availability call (any
    // failure reads as -1). 0 switches the selector off.
    void Begin(int availability);
    // A wireless key while the window is up; `radiosOn` is the current state.
    void Press(bool radiosOn);
    // The tile to light: the selection, or the radios' state without the selector.
    bool ShowsOn(bool radiosOn) const;

    // The display faded out: true once when a changed choice is to be applied,
    // `on` the chosen state.
    bool TakeChoice(bool& on);

    int Selection() const { return m_selection; }
    bool SelectionChanged() const { return m_changed; }

private:
    bool m_active = false;
    int m_selection = -1; // -1 none yet, 0 off, 1 on
    bool m_changed = false;
};
