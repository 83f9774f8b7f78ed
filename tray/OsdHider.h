#pragma once

// Before a display is shown, the others are hidden; the tray icon follows
// ShowTrayIcon at the same moment.
class IOsdHider {
public:
    virtual ~IOsdHider() = default;
    virtual void HideOtherOsds() = 0;
};
