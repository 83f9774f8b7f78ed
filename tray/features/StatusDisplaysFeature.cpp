#include "StatusDisplaysFeature.h"

#include "AlsBios.h"
#include "FeatureConfig.h"
#include "MessageCatalogue.h"
#include "OsdFactory.h"
#include "OsdHider.h"
#include "SettingNames.h"
#include "Settings.h"
#include "TrayDispatcher.h"
#include "TrayWindow.h"

namespace {

// Hardware feature bit: the keyboard has a backlight.
constexpr int kKeyboardLightFeature = 26;

// ShowKbdLock names the keys; without it TavrinControl does. The lock-key
// options of the capability set add Caps Lock and Num Lock.
LockKeyChoice ChooseLockKeys(const CCapabilitySet& capabilities)
{
    const CSettings settings;
    const std::optional<DWORD> showKbdLock = settings.TryReadDword(setting_names::kShowKbdLock);
    LockKeyChoice choice = LockKeyChoice::FromSettings(showKbdLock.has_value(), showKbdLock.value_or(0),
                                                       settings.ReadDword(setting_names::kTavrinControl, 0));
    if (capabilities.IsSet(feature_config::kLockKeyOptionA)) choice.caps = true;
    if (capabilities.IsSet(feature_config::kLockKeyOptionB)) choice.num = true;
    return choice;
}

std::unique_ptr<CKbdLedDialog> MakeLockKeys(const TrayContext& context, ILockIndicators& indicators)
{
    if (!context.capabilities.IsSet(feature_config::kLockKeyOptionA)
        && !context.capabilities.IsSet(feature_config::kLockKeyOptionB))
        return nullptr;
    return CreateKbdLedDlg(context.osdStyle, ChooseLockKeys(context.capabilities), indicators);
}

} // namespace

CStatusDisplaysFeature::CStatusDisplaysFeature(const TrayContext& context)
    : m_context(context)
    , m_lockIndicatorChanged(context.dispatcher.Trace(), "LockIndicator")
    , m_lockIndicators(
          [&context] { return context.window.Handle(); }, {},
          [this](LockKey key, bool added) { m_lockIndicatorChanged(static_cast<int>(key), added); })
    , m_lockKeys(MakeLockKeys(context, m_lockIndicators))
    , m_ejectDisplay(CreateEjectDlg(context.osdStyle))
    , m_showLockKey(context.dispatcher.Trace(), "ShowLockKey",
                    [this](int key, bool fromBios) { ShowLockKey(static_cast<LockKey>(key), fromBios); })
    , m_eject(context.dispatcher.Trace(), "Eject", [this] { Eject(); })
    // The sensor's dialog stays out of the displays' turn-taking.
    , m_showAmbientLight(context.dispatcher.Trace(), "ShowAmbientLightSensor",
                         [this](int state, bool fromBios) { ShowAls(state, fromBios); })
    , m_recheckKeyboardBacklight(context.dispatcher.Trace(), "RecheckKeyboardBacklightSupport", [this] {
        feature_config::ReportKeyboardLightSupport(m_context.hardwareFeature(kKeyboardLightFeature));
    })
{
    if (m_lockKeys) {
        m_lockKeysWindow = std::make_unique<COsdWindow>(*m_lockKeys);
        context.osds.AddOsd(OsdMember::LockKeys, *m_lockKeysWindow);
    }
    if (m_ejectDisplay) {
        m_ejectWindow = std::make_unique<COsdWindow>(*m_ejectDisplay);
        context.osds.AddOsd(OsdMember::Eject, *m_ejectWindow);
    }
}

CStatusDisplaysFeature::~CStatusDisplaysFeature() = default;

// The key passes no value; the firmware's event gives it in argument 1.
void CStatusDisplaysFeature::RouteBoth(CTrayDispatcher& dispatcher, uint16_t code,
                                       void (CStatusDisplaysFeature::*show)(int, bool))
{
    dispatcher.RouteKey(code, [this, show] { (this->*show)(0, false); });
    dispatcher.RouteBios(code, [this, show](const BiosEventCode& e) { (this->*show)(e.arg1, true); });
}

void CStatusDisplaysFeature::ShowCapsLock(int, bool fromBios)
{
    m_showLockKey(static_cast<int>(LockKey::Caps), fromBios);
}

void CStatusDisplaysFeature::ShowNumLock(int, bool fromBios)
{
    m_showLockKey(static_cast<int>(LockKey::Num), fromBios);
}

void CStatusDisplaysFeature::RegisterRoutes(CTrayDispatcher& dispatcher)
{
    RouteBoth(dispatcher, 0x003A, &CStatusDisplaysFeature::ShowCapsLock);
    RouteBoth(dispatcher, 0xE045, &CStatusDisplaysFeature::ShowNumLock);
    RouteBoth(dispatcher, 0xE013, &CStatusDisplaysFeature::ShowAmbientLight);
    dispatcher.RouteKey(0xE009, [this] { m_eject(); });
    dispatcher.RouteBios(0xE009, [this](const BiosEventCode&) { m_eject(); });
    dispatcher.RouteWindowMessage(messages::kKeyboardLightSupportChanged,
                                  [this](WPARAM, LPARAM) { m_recheckKeyboardBacklight(); });
}

void CStatusDisplaysFeature::Start()
{
    if (!m_lockKeys) return;
    for (LockKey key : {LockKey::Caps, LockKey::Num, LockKey::Scroll}) m_lockKeys->Refresh(key, false);
}

// The indicators go while the main window still owns them.
void CStatusDisplaysFeature::Stop()
{
    if (m_lockKeys) {
        m_lockKeys->Close();
        m_lockKeys->RemoveIndicators();
    }
    if (m_ejectDisplay) m_ejectDisplay->Close();
    m_alsDialog.Close();
}

void CStatusDisplaysFeature::ShowLockKey(LockKey key, bool fromBios)
{
    if (!m_lockKeys) return;
    m_context.osds.HideOtherOsds(OsdKind::LockKeys);
    if (!m_lockKeys->HasWindow() && m_context.osds.OsdAllowed()) m_lockKeys->Open();
    if (!m_lockKeys->HasWindow()) return;
    if (m_lockKeys->Refresh(key, fromBios)) {
        m_lockKeys->Show(true);
        m_lockKeys->Start();
    } else {
        m_lockKeys->Close();
    }
}

// A second eject key while one runs only shows the display.
void CStatusDisplaysFeature::Eject()
{
    if (m_ejectWorker.StartEject() == CEjectWorker::Start::Failed) return;
    if (!m_ejectDisplay) return;
    m_context.osds.HideOtherOsds(OsdKind::Eject);
    if (!m_ejectDisplay->HasWindow() && m_context.osds.OsdAllowed()) m_ejectDisplay->Open();
    if (!m_ejectDisplay->HasWindow()) return;
    m_ejectDisplay->Show(true);
    m_ejectDisplay->ShowEject();
}

void CStatusDisplaysFeature::ShowAls(int state, bool fromBios)
{
    messages::Broadcast(messages::kAlsHotKey, 0, 0);
    m_context.osds.CloseOsd(OsdMember::Brightness);
    uint8_t enabled = 0;
    if (fromBios)
        enabled = static_cast<uint8_t>(state);
    else
        CAlsBios(&m_context.bios).ReadStatus(&enabled);
    // Other programs hear the state even when the dialog cannot be shown.
    const WPARAM alsState = enabled != 0 ? 1 : 0;
    m_alsDialog.ShowState(static_cast<int>(alsState));
    messages::Broadcast(messages::kChangeLcdAlsState, alsState, 0);
}
