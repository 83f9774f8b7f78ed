#pragma once

class CTrayDispatcher;

// A feature of the tray: it leads the events it answers to itself by routes
// registered with the dispatcher, is started once the main window and the
// tray's services are up, and stopped in reverse order at shutdown.
class ITrayFeature {
public:
    virtual ~ITrayFeature() = default;
    virtual void RegisterRoutes(CTrayDispatcher& dispatcher) = 0;
    virtual void Start() {}
    virtual void Stop() {}
};
