#include "BrightnessFeature.h"

#include "BrightnessPowerPlan.h"
#include "FeatureConfig.h"
#include "MessageCatalogue.h"
#include "OsdFactory.h"
#include "OsdHider.h"
#include "TokenOperations.h"
#include "TrayDispatcher.h"
#include "TrayWindow.h"

#include <algorithm>

namespace {

constexpr WPARAM kMaxBrightnessPercent = 100;
constexpr int kWindowsOwnsBrightness = 9;

BrightnessDlgParams DisplayParams(const TrayContext& context, const BrightnessLevels& levels)
{
    BrightnessDlgParams params;
    params.levelMax = levels.levelMax;
    params.bios = &context.bios;
    params.writePowerPlan = [](DWORD percent) { CBrightnessPowerPlan::Write(percent); };
    // On Windows 7 and 8 Windows keeps the brightness in the plan itself.
    params.skipPowerPlan = !context.capabilities.IsSet(feature_config::kWindowsVista);
    return params;
}

bool DisplayPossible(const CCapabilitySet& capabilities)
{
    return capabilities.IsSet(feature_config::kWindows7) || capabilities.IsSet(feature_config::kWindowsVista);
}

} // namespace

CBrightnessFeature::CBrightnessFeature(const TrayContext& context, const DisplayFlags& displayFlags)
    : m_context(context)
    , m_displayFlags(displayFlags)
    , m_levels(BrightnessLevels::Read(context.tokens, context.systemId))
    , m_display(CreateBrightnessDlg(context.osdStyle, DisplayParams(context, m_levels)))
    , m_window(std::make_unique<COsdWindow>(*m_display))
    , m_showBrightness(context.dispatcher.Trace(), "ShowBrightness",
                       [this](int value, bool absolute) { ShowBrightness(value, absolute); })
    , m_showBrightnessPercent(context.dispatcher.Trace(), "ShowBrightnessPercent",
                              [this](int percent) { ShowPercent(percent); })
    , m_refreshDisplay(context.dispatcher.Trace(), "RefreshBrightnessDisplay", [this] { Refresh(); })
    , m_drawLevel(context.dispatcher.Trace(), "DrawBrightnessLevel",
                  [this](int level) { m_display->ShowLevel(level); })
    , m_hideDisplay(context.dispatcher.Trace(), "HideBrightnessDisplay", [this] { m_display->Close(); })
{
    ReadLevel(0, false);
    context.osds.AddOsd(OsdMember::Brightness, *m_window);
}

CBrightnessFeature::~CBrightnessFeature() = default;

void CBrightnessFeature::RegisterRoutes(CTrayDispatcher& dispatcher)
{
    dispatcher.RouteKey(0xE005, [this] { m_showBrightness(-1, false); });
    dispatcher.RouteKey(0xE006, [this] { m_showBrightness(+1, false); });
    for (uint16_t code : {0xE005, 0xE006})
        dispatcher.RouteBios(code, [this](const BiosEventCode& e) { m_showBrightness(e.arg1, true); });
    dispatcher.RouteRegistered(messages::kBrightnessChange, [this](WPARAM percent, LPARAM) {
        m_showBrightnessPercent(static_cast<int>(std::min(percent, kMaxBrightnessPercent)));
    });
}

bool CBrightnessFeature::WindowsOwnsBrightness() const
{
    return m_context.capabilities.IsSet(kWindowsOwnsBrightness);
}

void CBrightnessFeature::ReadLevel(int value, bool absolute)
{
    m_level = m_levels.ReadLevel(m_level, value, absolute, WindowsOwnsBrightness(), m_context.tokens);
}

void CBrightnessFeature::ShowBrightness(int value, bool absolute)
{
    m_context.osds.HideOtherOsds(OsdKind::Brightness);
    messages::Broadcast(messages::kAlsHotKey, 0, 0);
    messages::Broadcast(messages::kChangeLcdAlsState, 0, 0);
    if (!m_displayFlags.brightness) return;
    if (m_display->HasWindow()) {
        ShowOnOpenDisplay(value, absolute);
    } else {
        ShowOnNewDisplay(value, absolute);
    }
}

void CBrightnessFeature::ShowOnOpenDisplay(int value, bool absolute)
{
    if (WindowsOwnsBrightness()) return;
    m_level = m_levels.AfterKey(m_level, value, absolute);
    if (m_context.osds.OsdAllowed()) {
        m_display->Show(true);
        m_drawLevel(m_level);
    } else {
        m_display->SetShownLevel(m_level);
        m_display->Show(false);
    }
}

void CBrightnessFeature::ShowOnNewDisplay(int value, bool absolute)
{
    ReadLevel(value, absolute);
    if (m_context.osds.OsdAllowed() && DisplayPossible(m_context.capabilities)) {
        if (m_display->Open(m_context.window.Handle())) {
            m_display->Show(true);
            m_drawLevel(m_level);
        }
        return;
    }
    m_display->SetShownLevel(m_level);
    m_display->WriteLevelNotShown();
}

void CBrightnessFeature::ShowPercent(int percent)
{
    if (!WindowsOwnsBrightness()) return;
    m_level = m_levels.LevelFromPercent(static_cast<uint64_t>(percent));
    if (m_display->HasWindow()) {
        m_drawLevel(m_level);
    } else {
        m_display->SetShownLevel(m_level);
    }
}

// After a power-source change the firmware may have set another level.
void CBrightnessFeature::Refresh()
{
    if (!m_display->HasWindow()) return;
    ReadLevel(0, false);
    m_drawLevel(m_level);
}
