#pragma once
#include "CapabilitySet.h"
#include "DispatchTrace.h"
#include "FrameWnd.h"
#include "KeyForwarder.h"
#include "OsdHider.h"
#include "OsdSet.h"
#include "SessionWatch.h"
#include "TimerHost.h"
#include "TokenOperations.h"
#include "TrayContext.h"
#include "TrayDispatcher.h"
#include "TrayEntry.h"
#include "TrayFeatures.h"
#include "TrayWindow.h"
#include "UniqueHandle.h"

#include <memory>

class CAcpiWmi;
class CBiosEvent;
class CCompanionApp;

// The tray's hidden main window: every event of the program passes through
// its dispatcher to the tray's features. Construction reads the
// configuration and builds the features; WM_CREATE brings the services up
// and WM_CLOSE takes them down again in reverse.
class CMainFrame : public CFrameWnd, public ITrayWindow, public ITimerHost, public IOsdHider {
public:
    CMainFrame(CAcpiWmi& bios, const CCompanionApp& companion);
    ~CMainFrame() override;

    // The hidden, unowned top-level window.
    bool CreateHidden();

    // Before a display is shown the others are hidden, and the icon follows ShowTrayIcon.
    void HideOtherOsds(OsdKind kind) override;
    bool OsdAllowed() const override;
    void AddOsd(OsdMember member, IOsdWindow& osd) override { m_osds.Add(member, osd); }
    void CloseOsd(OsdMember member) override { m_osds.Close(member); }

    HWND Handle() const override { return m_hWnd; }
    void PostClose() override { PostMessage(WM_CLOSE); }
    void StartTimer(UINT_PTR id, UINT elapseMs) override { SetTimer(id, elapseMs); }
    void StopTimer(UINT_PTR id) override { KillTimer(id); }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    int OnCreate(const CREATESTRUCTW& create) override;
    void OnClose() override;
    void OnTimer(UINT_PTR id) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnQueryEndSession() override;
    void OnEndSession(bool ending) override;

private:
    bool TakeSingleInstance();
    // Shutdown steps that release services; each runs once per process.
    void ReleaseServices();
    // The whole shutdown, from Exit, "Stop Tavrin" or the end of the session.
    void Shutdown();

    CAcpiWmi& m_bios;
    const CCompanionApp& m_companion;
    CTokenOperations m_tokens;
    CCapabilitySet m_capabilities;
    // Filled by the features as they are built; before them, so it outlives them.
    COsdSet m_osds;
    int m_osdStyle = 2;
    int m_limitedUser = 0;
    bool m_exitReport = true;
    bool m_servicesReleased = false;
    bool m_shutDown = false;
    // The number of "Stop Tavrin" once registered.
    UINT m_stopTavrinMessage = static_cast<UINT>(-1);
    UniqueHandle m_instanceMutex;
    CSessionWatch m_session;
    CDispatchTrace m_trace;
    CKeyForwarder m_forwarder;
    CTrayDispatcher m_dispatcher;
    std::unique_ptr<TrayContext> m_context;
    std::unique_ptr<CTrayFeatures> m_features;
    std::unique_ptr<CBiosEvent> m_biosEvent;
    // "Stop Tavrin": the window closes itself.
    CTrayEntry<void()> m_close{m_trace, "Close", [this] { PostClose(); }};
};
