#pragma once
#include "TavrinResources.h"
#include "TavrinStrings.h"
#include "UniqueHandle.h"
#include <windows.h>
#include <string>
#include <string_view>

// The companion settings program opened from the tray icon, chosen by the
// installer in Tavrin.cfg beside the program.
class CCompanionApp {
public:
    static constexpr UINT kIconId = IDI_TAVRIN;
    static constexpr UINT kTooltipId = IDS_TRAY_TOOLTIP;

    // Windows Mobility Center until a configuration names another.
    CCompanionApp();

    // The companion named in the configuration file text; empty for broken
    // XML, another root, a missing Version or no TrayApp/Name.
    static std::wstring NameFromConfig(std::string_view xml);
    // Reads <trayFolder>\Tavrin.cfg and applies the name it holds.
    void LoadConfig(const std::wstring& trayFolder);
    // Applies a known name (case-insensitive); unknown names change nothing.
    bool ApplyName(const std::wstring& name, const std::wstring& trayFolder);

    const std::wstring& CommandLine() const { return m_commandLine; }
    // true: a single click on the icon shows the tray menu; false: it opens
    // the companion.
    bool MenuOnClick() const { return m_menuOnClick; }

    // Starts the companion (or brings the open launch panel forward).
    // waitForExit keeps the caller until the companion ends; the resident
    // tray never waits, so that its message loop keeps running.
    bool Open(const std::wstring& launchPanelTitle, bool waitForExit) const;
    // Starts the companion and hands back its process; null when the open
    // launch panel was brought forward instead, or nothing could be started.
    UniqueHandle Launch(const std::wstring& launchPanelTitle, bool* broughtForward = nullptr) const;

private:
    std::wstring m_commandLine;
    bool m_menuOnClick = true;
};
