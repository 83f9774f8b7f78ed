#pragma once
#include "CapabilitySet.h"

#include <cstdint>
#include <functional>

class CKeyForwarder;
class CTokenOperations;
class CTrayDispatcher;
class IBiosCalls;
class IOsdHider;
class ITrayWindow;

// What every feature of the tray is built with: the dispatcher its entries
// write to, the firmware, the machine's identity and the tray's own
// configuration, and the main window's few services.
struct TrayContext {
    CTrayDispatcher& dispatcher;
    IBiosCalls& bios;
    CTokenOperations& tokens;
    uint16_t systemId;
    std::function<bool(int bit)> hardwareFeature; // the hardware-configuration block
    const CCapabilitySet& capabilities; // the tray's own capability set
    int osdStyle;
    IOsdHider& osds;
    ITrayWindow& window;
    CKeyForwarder& forwarder;
    // Starts a program of the suite (suite_programs::Start in the tray).
    std::function<bool(const wchar_t* program, const wchar_t* arguments)> startProgram;
};
