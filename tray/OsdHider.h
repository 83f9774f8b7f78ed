#pragma once

// Which display asks the others to go, and the displays that can be asked.
enum class OsdKind {
    All = 0,
    Brightness = 1,
    Volume = 2,
    Radio = 3,
    KeyboardLight = 4,
    LockKeys = 6,
    Eject = 7
};
enum class OsdMember { DisplaySwitch, Brightness, Radio, Volume, KeyboardLight, LockKeys, Eject };

// A display's window, as the others see it.
class IOsdWindow {
public:
    virtual ~IOsdWindow() = default;
    virtual bool HasWindow() const = 0;
    virtual void CloseWindow() = 0;
    // The display-switch display is only hidden.
    virtual void HideWindow() = 0;
};

// Before a display is shown, the others are hidden; the tray icon follows
// ShowTrayIcon at the same moment. Displays are not put up over a
// full-screen program.
class IOsdHider {
public:
    virtual ~IOsdHider() = default;
    virtual void HideOtherOsds(OsdKind kind) = 0;
    virtual bool OsdAllowed() const = 0;
    // A display object joins for the tray's life.
    virtual void AddOsd(OsdMember member, IOsdWindow& osd) = 0;
    // Closes one display, when it is up.
    virtual void CloseOsd(OsdMember member) = 0;
};
