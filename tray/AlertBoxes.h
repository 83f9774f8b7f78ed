#pragma once
#include "AlertBoxFamily.h"
#include "FeatureComponents.h"

#include <windows.h>

#include <functional>

// The alert boxes as the tray shows them: the adapter and the battery family
// each on threads of their own, dock and numbered boxes on the asking thread,
// owned by the main window when that is the window's own thread.
class CAlertBoxes : public IAlertBoxes {
public:
    explicit CAlertBoxes(std::function<HWND()> window);

    bool Show(AlertBox box, const std::wstring& text) override;

private:
    // The main window, when the caller is its thread: a box of another thread
    // must not disable it.
    HWND Owner() const;
    void ShowInPlace(const std::wstring& text) const;

    std::function<HWND()> m_window;
    CAlertBoxFamily m_adapter;
    CAlertBoxFamily m_battery;
};
