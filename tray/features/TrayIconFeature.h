#pragma once
#include "AboutDlg.h"
#include "CompanionApp.h"
#include "DisplayFlags.h"
#include "FeatureServices.h"
#include "TaskBar.h"
#include "TrayContext.h"
#include "TrayEntry.h"
#include "TrayFeature.h"
#include "UniqueHandle.h"

#include <vector>

// The notification-area icon: it follows ShowTrayIcon, comes back after a
// shell restart, opens the companion program on a double click and the
// tray's two menus on a single click and a right click.
class CTrayIconFeature : public ITrayFeature {
public:
    static constexpr UINT kClickDelayMs = 250;

    struct Parts {
        const CCompanionApp& companion;
        IAudioPresence& audio;
        // The display switches of the left-click menu, as loaded at start.
        DisplayFlags& displayFlags;
        IBatterySaving& batterySaving;
        // Closed by Exit before the window goes.
        std::vector<IExitDismissal*> dismissals;
    };

    CTrayIconFeature(const TrayContext& context, Parts parts);

    void RegisterRoutes(CTrayDispatcher& dispatcher) override;
    // Attaches the icon to the window and adds it where the user wants one.
    void Start() override;
    // Writes back the display switches the user changed in this run.
    void Stop() override;

    // Reads ShowTrayIcon again and adds or removes the icon to match.
    void FollowRegistry();
    // The first shutdown step: an open menu is ended and the icon goes.
    void RemoveIcon();

private:
    void OnTrayNotify(UINT mouseMessage);
    void OnSingleClick();
    void ShowHotkeyMenu();
    void ShowContextMenu();
    void OpenCompanion();
    void Exit();
    void AddIconNow();
    void FlipVolumeFlag();
    // Tracks a menu unless one is open or the request came in a message
    // another thread is waiting on: a menu loop there would hold that
    // sender, and the shutdown, for ever.
    void TrackMenu(HMENU menu);

    const TrayContext& m_context;
    Parts m_parts;
    CTaskBar m_taskBar;
    // As read at start-up, and as the user set them through the menu since.
    DisplayFlags m_loadedFlags;
    DisplayFlags& m_displayFlags;
    bool m_doubleClicked = false;
    bool m_menuOpen = false;
    // The companion this tray started, while it runs another request starts nothing.
    UniqueHandle m_companionProcess;
    UniqueMenu m_contextMenu;
    CAboutDlg m_about;
    CTrayEntry<void()> m_addTrayIcon;
    CTrayEntry<void()> m_removeTrayIcon;
    CTrayEntry<void()> m_singleClick;
};
