#include "BatteryAlertsFeature.h"

#include "BiosCalls.h"
#include "BringForward.h"
#include "FeatureConfig.h"
#include "KeyForwarder.h"
#include "MessageCatalogue.h"
#include "SuitePrograms.h"
#include "TextLoader.h"
#include "TrayDispatcher.h"
#include "VersionReport.h"

namespace {

constexpr uint16_t kAlertClass = 0x0011;
constexpr uint16_t kAlertQuery = 0x0005;
constexpr uint32_t kAlertQueryArg1 = 0x10000;

bool QueryPendingAlert(IBiosCalls& bios, power_alert::Request& request)
{
    BiosCallBuffer buffer{};
    if (!bios.PerformSmi(buffer, kAlertClass, kAlertQuery, kAlertQueryArg1, version_report::kSignature, 0, 0)
        || buffer.cbRes1 != 0)
        return false;
    request = power_alert::Request{buffer.cbRes2, buffer.cbRes3, buffer.cbRes4};
    return true;
}

} // namespace

CBatteryAlertsFeature::CBatteryAlertsFeature(const TrayContext& context, const Parts& parts)
    : m_context(context)
    , m_parts(parts)
    , m_text(parts.text ? parts.text
                        : power_alert::TextSource([](UINT number) { return texts::LoadSelected(number); }))
    , m_processPowerAlert(context.dispatcher.Trace(), "ProcessPowerAlert",
                          [this](int fromEvent, uint32_t code, uint32_t detail, uint32_t flags) {
                              return ProcessPowerAlert(fromEvent, code, detail, flags);
                          })
    , m_alertAlreadyShown(context.dispatcher.Trace(), "AlertAlreadyShown")
    , m_refreshBatteryStatus(context.dispatcher.Trace(), "RefreshBatteryStatus",
                             [this] {
                                 if (m_parts.health != nullptr) m_parts.health->RecheckAndWarn();
                                 const HWND meter = FindBatteryMeter();
                                 if (meter == nullptr) return;
                                 ::PostMessageW(meter, messages::Register(messages::kTvrToBhmRefresh), 0, 0);
                                 BringForward(meter);
                             })
    , m_startDelayedQuery(context.dispatcher.Trace(), "StartDelayedBiosMessageQuery",
                          [this] { m_queryWorker.Start(); })
    , m_checkBatteryCharging(context.dispatcher.Trace(), "CheckBatteryCharging",
                             [this] {
                                 if (m_parts.charging != nullptr) m_parts.charging->CheckAndShow();
                             })
    , m_hideChargingDialog(context.dispatcher.Trace(), "HideBatteryChargingDialog",
                           [this] {
                               if (m_parts.charging != nullptr) m_parts.charging->Hide();
                           })
    , m_queryWorker(parts.queryDelayMs, [this] { m_processPowerAlert(0, 0, 0, 0); })
{}

void CBatteryAlertsFeature::RegisterRoutes(CTrayDispatcher& dispatcher)
{
    dispatcher.RouteKey(0xE00D, [this] { m_processPowerAlert(0, 0, 0, 0); });
    dispatcher.RouteBios(0xE00D, [this](const BiosEventCode& e) {
        const power_alert::Request request
            = power_alert::FromEvent(e.arg1, e.arg2, (uint32_t{e.arg4} << 16) | e.arg3);
        m_processPowerAlert(1, request.code, request.detail, request.flags);
    });
    dispatcher.RouteKey(0xE00E, [this] { RefreshBatteryMeter(); });
    dispatcher.RouteBios(0xE00E, [this](const BiosEventCode&) { RefreshBatteryMeter(); });
}

void CBatteryAlertsFeature::Start()
{
    if (m_parts.health != nullptr) m_parts.health->ShowHealthWarning();
    if (m_context.osdStyle != feature_config::kStyleK7) m_checkBatteryCharging();
}

int CBatteryAlertsFeature::ProcessPowerAlert(int fromEvent, uint32_t code, uint32_t detail, uint32_t flags)
{
    power_alert::Request request{code, detail, flags};
    if (fromEvent != 1 && !QueryPendingAlert(m_context.bios, request)) return 0;
    const bool k7 = m_context.osdStyle == feature_config::kStyleK7;
    switch (power_alert::FamilyOf(request.code)) {
    case power_alert::Family::Numbered: {
        if (request.detail == power_alert::kNumberedMessage) return 0;
        if (static_cast<int32_t>(request.detail) < 0) return 1;
        const UINT number = power_alert::NumberedText(request.detail);
        Show(AlertBox::Numbered, number != 0 ? m_text(number) : std::wstring());
        break;
    }
    case power_alert::Family::Adapter:
        Show(AlertBox::Adapter, power_alert::AdapterText(request.code, request.flags, k7, m_text));
        break;
    case power_alert::Family::Battery:
        Show(AlertBox::Battery, power_alert::BatteryText(request.code, request.flags, m_text));
        break;
    case power_alert::Family::Dock:
        Show(AlertBox::Dock, power_alert::DockText(request.code, request.flags, m_text));
        break;
    case power_alert::Family::None:
        break;
    }
    return 1;
}

void CBatteryAlertsFeature::Show(AlertBox box, const std::wstring& text)
{
    if (m_parts.boxes != nullptr && !m_parts.boxes->Show(box, text))
        m_alertAlreadyShown(static_cast<int>(box));
}

void CBatteryAlertsFeature::RefreshBatteryMeter()
{
    m_refreshBatteryStatus();
    m_context.forwarder.ClearBatteryMeterGuard();
}

bool CBatteryAlertsFeature::LaunchBatteryMeter(const std::wstring& arguments)
{
    const bool started = m_context.startProgram(suite_programs::kBatteryMeter, arguments.c_str());
    const HWND meter = FindBatteryMeter();
    if (meter != nullptr) BringForward(meter);
    return started;
}

HWND CBatteryAlertsFeature::FindBatteryMeter() const
{
    return messages::FindBatteryMeter(m_text(messages::kBatteryMeterTitleText));
}

void CBatteryAlertsFeature::HideForExit()
{
    if (m_context.osdStyle != feature_config::kStyleK7) m_hideChargingDialog();
}
