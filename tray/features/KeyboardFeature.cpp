#include "KeyboardFeature.h"

#include "FeatureConfig.h"
#include "MessageCatalogue.h"
#include "TrayDispatcher.h"
#include "TrayWindow.h"

void CKeyboardFeature::RegisterRoutes(CTrayDispatcher& dispatcher)
{
    dispatcher.RouteWindowMessage(messages::kOemKeyMessage, [&dispatcher](WPARAM scanCode, LPARAM extended) {
        dispatcher.DispatchKeyMessage(scanCode, extended);
    });
}

// Without the DLL the firmware's own key events still reach the dispatcher.
void CKeyboardFeature::Start()
{
    m_oemKeys.Fill();
    if (m_context.capabilities.IsSet(feature_config::kKeyboardDll))
        m_keyboard.Start(m_oemKeys, m_context.window.Handle(), m_context.forwarder);
}
