#pragma once
#include "BiosCalls.h"
#include "CapabilitySet.h"
#include "DispatchTrace.h"
#include "FeatureComponents.h"
#include "KeyForwarder.h"
#include "OsdHider.h"
#include "OsdSet.h"
#include "TimerHost.h"
#include "TokenOperations.h"
#include "TrayContext.h"
#include "TrayDispatcher.h"
#include "TrayWindow.h"

#include "CriticalSection.h"
#include "UniqueHandle.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// The tray's dispatcher and features in process: the main window's few
// services are stand-ins, and what the features do is read back from the
// dispatch trace they write, as support reads it from a running tray.
class FeatureBench : public ITrayWindow, public ITimerHost, public IOsdHider, public IBiosCalls {
public:
    uint16_t systemId = 500;
    int osdStyle = 2;
    CCapabilitySet capabilities;
    std::vector<int> hardwareFeatures;
    // The suite's programs the features started: "<program> <arguments>".
    std::vector<std::wstring> started;
    // What starting a program answers.
    bool startsSucceed = true;
    // The kinds of display that asked the others to go, in order.
    std::vector<OsdKind> osdHides;
    bool osdAllowed = true;
    COsdSet osds;
    std::vector<std::string> timerCalls;
    std::vector<BiosCallBuffer> biosCalls;
    // The firmware's answer to a call; without it every call succeeds and changes nothing.
    std::function<void(BiosCallBuffer&)> firmware;

    // Makes the dispatcher; call after the machine is set up, before building features.
    CTrayDispatcher& Dispatcher();
    const TrayContext& Context();
    CKeyForwarder& Forwarder() { return m_forwarder; }

    // The entries (without "entry ") that one input led to, joined by ';'.
    std::string Key(uint16_t code);
    std::string Bios(uint16_t code, uint16_t a1 = 1, uint16_t a2 = 2, uint16_t a3 = 3, uint16_t a4 = 4);
    std::string Message(UINT message, WPARAM wp = 0, LPARAM lp = 0);
    std::string Registered(const wchar_t* name, WPARAM wp = 0, LPARAM lp = 0);
    std::string Power(WPARAM event, LPARAM data = 0);
    std::string Timer(UINT_PTR id);
    std::string Command(UINT id);
    // What the trace holds since the last call, entries only.
    std::string Entries();

    HWND Handle() const override { return nullptr; }
    void PostClose() override { ++closes; }
    void StartTimer(UINT_PTR id, UINT ms) override;
    void StopTimer(UINT_PTR id) override;
    void HideOtherOsds(OsdKind kind) override
    {
        osdHides.push_back(kind);
        osds.HideOthers(kind);
    }
    bool OsdAllowed() const override { return osdAllowed; }
    void AddOsd(OsdMember member, IOsdWindow& osd) override { osds.Add(member, osd); }
    void CloseOsd(OsdMember member) override { osds.Close(member); }
    using IBiosCalls::PerformSmi;
    bool PerformSmi(BiosCallBuffer& buffer, int) override;

    int closes = 0;

private:
    std::vector<std::string> m_lines;
    CDispatchTrace m_trace{m_lines};
    CKeyForwarder m_forwarder;
    // An identity without tokens: token reads fail without a firmware call.
    CSMBIOSParser m_identity;
    CTokenOperations m_tokens{*this, m_identity, [] { return true; }};
    std::unique_ptr<CTrayDispatcher> m_dispatcher;
    std::unique_ptr<TrayContext> m_context;
};

// A hibernation worker that only counts its starts: the bench never puts the
// machine to sleep or asks the user anything.
struct QuietHibernate : IHibernateWorker {
    int starts = 0;
    bool IsPending() const override { return false; }
    void Start() override { ++starts; }
    void ClearPending() override {}
    void OfferForced(HWND) override {}
};

// Alert boxes that are only recorded, from whichever thread asks; a family
// box answers as if its text were already on screen when `onScreen` is set.
class QuietAlertBoxes : public IAlertBoxes {
public:
    using Shown = std::pair<AlertBox, std::wstring>;

    bool onScreen = false;

    bool Show(AlertBox box, const std::wstring& text) override;
    std::vector<Shown> TakeShown();
    // Waits for the next box to be asked for.
    bool WaitShown(DWORD timeoutMs);

private:
    CriticalSection m_lock;
    std::vector<Shown> m_shown;
    UniqueHandle m_asked{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};
};
