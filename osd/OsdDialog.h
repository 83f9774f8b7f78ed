#pragma once
#include "Dialog.h"
#include "HoldFade.h"
#include "OsdGeometry.h"

// What every brightness and volume display window shares: made on demand
// from its template, owned by the tray's hidden window, always on top and
// never taking the activation from the program the user works in. Its
// timers run on its own window and end with it.
class COsdDialog : public CDialog, protected IOsdTimers {
public:
    COsdDialog(UINT templateId, HWND owner);

    bool HasWindow() const { return IsOpen(); }
    // Makes the window, still hidden; false when that fails (nothing is
    // shown this time, the next event tries again).
    bool Open(HWND owner = nullptr);
    // Shows the window without activating it, or hides it.
    void Show(bool show);
    // Ends the display: cancel, then the window goes.
    void Close();
    void SetOwner(HWND owner) { m_owner = owner; }

protected:
    INT_PTR DialogMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    // The window is about to appear (WM_SHOWWINDOW).
    virtual void OnShowDisplay() {}

    void StartTimer(UINT_PTR id, UINT elapseMs) override { SetTimer(id, elapseMs); }
    void StopTimer(UINT_PTR id) override { KillTimer(id); }

    // The layered displays' window set-up: placed on top, no caption, and
    // a layered tool window that is never activated.
    void SetUpLayered(const osd_geometry::OsdRect& place);
    // Moves a layered display to its place again, on top.
    void Replace(const osd_geometry::OsdRect& place);

private:
    HWND m_owner;
};
