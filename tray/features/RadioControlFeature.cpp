#include "RadioControlFeature.h"

#include "SuitePrograms.h"
#include "TrayDispatcher.h"

CRadioControlFeature::CRadioControlFeature(const TrayContext& context)
    : m_startRadioConfiguration(context.dispatcher.Trace(), "StartRadioConfiguration", [&context] {
        context.startProgram(suite_programs::kRadioControl, suite_programs::kFromHotkey);
    })
{}

void CRadioControlFeature::RegisterRoutes(CTrayDispatcher& dispatcher)
{
    dispatcher.RouteKey(0xE011, [this] { m_startRadioConfiguration(); });
    dispatcher.RouteBios(0xE011, [this](const BiosEventCode&) { m_startRadioConfiguration(); });
}
