#pragma once
#include "AboutDlg.h"
#include "CapabilitySet.h"
#include "CompanionApp.h"
#include "DisplayFlags.h"
#include "FrameWnd.h"
#include "GdiplusSession.h"
#include "KeyboardDll.h"
#include "OemKeyList.h"
#include "SessionWatch.h"
#include "TaskBar.h"
#include "UniqueHandle.h"

class CAcpiWmi;

// The tray's hidden main window: every event of the program passes through
// it. Construction reads the configuration; WM_CREATE brings the services up
// and WM_CLOSE takes them down again in reverse.
class CMainFrame : public CFrameWnd {
public:
    static constexpr wchar_t kClassName[] = L"TavrinClass";
    static constexpr wchar_t kTitle[] = L"Tavrin";
    static constexpr UINT kTrayMessage = 0x0BD0;
    static constexpr UINT kKeyboardLightMessage = WM_APP + 0x66;
    static constexpr UINT_PTR kClickTimerId = 1032;
    static constexpr UINT kClickDelayMs = 250;

    CMainFrame(CAcpiWmi& bios, const CCompanionApp& companion);
    ~CMainFrame() override;

    // The hidden, unowned top-level window.
    bool CreateHidden();

    bool IsCapability(int bit) const { return m_capabilities.IsSet(bit); }
    int OsdStyle() const { return m_osdStyle; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    int OnCreate(const CREATESTRUCTW& create) override;
    void OnClose() override;
    void OnTimer(UINT_PTR id) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    bool TakeSingleInstance();
    void AddTrayIcon();
    void OnTrayNotify(UINT mouseMessage);
    void OnSingleClick();
    void ShowHotkeyMenu();
    void ShowContextMenu();
    void FlipVolumeFlag();
    void OpenCompanion() const;
    void StartRadioSettings() const;
    void OnOemKey(WPARAM scanCode, LPARAM extended);
    // Shutdown steps that release services; each runs once per process.
    void ReleaseServices();

    // Declared first: GDI+ outlives everything that may draw.
    CGdiplusSession m_gdiplus;
    CAcpiWmi& m_bios;
    const CCompanionApp& m_companion;
    CCapabilitySet m_capabilities;
    int m_osdStyle = 2;
    int m_limitedUser = 0;
    DisplayFlags m_displayFlags;
    bool m_audioPresent = false;
    bool m_exitReport = true;
    bool m_servicesReleased = false;
    bool m_doubleClicked = false;
    UINT m_stopMessage = static_cast<UINT>(-1);
    UINT m_taskbarCreatedMessage = 0;
    UniqueHandle m_instanceMutex;
    CTaskBar m_taskBar;
    CSessionWatch m_session;
    COemKeyList m_oemKeys;
    CKeyboardDll m_keyboard;
    UniqueMenu m_contextMenu;
    CAboutDlg m_about;
};
