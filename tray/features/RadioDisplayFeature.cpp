#include "RadioDisplayFeature.h"

#include "HwConfigBlock.h"
#include "MessageCatalogue.h"
#include "OsdHider.h"
#include "StatusOsdFactory.h"
#include "TrayDispatcher.h"
#include "TrayWindow.h"

namespace {

// Tray capability: the wireless key offers the two-choice radio selector.
constexpr int kRadioSelector = 5;

uint32_t HighLow(uint16_t high, uint16_t low)
{
    return (uint32_t{high} << 16) | low;
}

} // namespace

CRadioDisplayFeature::CRadioDisplayFeature(const TrayContext& context, const DisplayFlags& displayFlags)
    : m_context(context)
    , m_displayFlags(displayFlags)
    , m_radio(context.bios)
    , m_showRadio(context.dispatcher.Trace(), "ShowRadio",
                  [this](uint32_t status, uint32_t, bool fromBios) { ShowRadio(status, fromBios); })
    , m_drawRadio(context.dispatcher.Trace(), "DrawRadioPicture",
                  [this](unsigned) { m_radioDisplay->Start(); })
    , m_radioChoiceApplied(context.dispatcher.Trace(), "RadioChoiceApplied",
                           [](bool) { messages::Broadcast(messages::kWirelessToggle, 0, 0); })
    , m_showKeyboardLight(context.dispatcher.Trace(), "ShowKeyboardLight",
                          [this](int level, bool fromBios) { ShowKeyboardLight(level, fromBios); })
    , m_hideRadioDisplay(context.dispatcher.Trace(), "HideRadioDisplay", [this] { m_radioDisplay->Close(); })
{
    RadioDlgParams radio;
    radio.radio = &m_radio;
    radio.bios = &context.bios;
    radio.choiceApplied = [this](bool on) { m_radioChoiceApplied(on); };
    m_radioDisplay = CreateRadioDlg(context.osdStyle, radio);
    m_radioWindow = std::make_unique<COsdWindow>(*m_radioDisplay);
    context.osds.AddOsd(OsdMember::Radio, *m_radioWindow);

    KbdDialogParams keyboard;
    keyboard.bios = &context.bios;
    keyboard.lightReported = context.hardwareFeature(hwfeature::kKeyboardLight);
    m_keyboardDisplay = CreateKbdDialog(context.osdStyle, keyboard);
    m_keyboardWindow = std::make_unique<COsdWindow>(*m_keyboardDisplay);
    context.osds.AddOsd(OsdMember::KeyboardLight, *m_keyboardWindow);
}

CRadioDisplayFeature::~CRadioDisplayFeature() = default;

void CRadioDisplayFeature::RegisterRoutes(CTrayDispatcher& dispatcher)
{
    dispatcher.RouteKey(0xE008, [this] { m_showRadio(0, 0, false); });
    dispatcher.RouteBios(
        0xE008, [this](const BiosEventCode& e) { m_showRadio(HighLow(e.arg2, e.arg1), e.arg3, true); });
    // The keys pass no level: the display reads the one the firmware set.
    for (uint16_t code : {0xE00C, 0xE033, 0xE034}) {
        dispatcher.RouteKey(code, [this] { m_showKeyboardLight(0, false); });
        dispatcher.RouteBios(code, [this](const BiosEventCode& e) { m_showKeyboardLight(e.arg1, true); });
    }
}

void CRadioDisplayFeature::ShowRadio(uint32_t status, bool fromBios)
{
    if (!m_displayFlags.radio) return;
    if (m_radio.CallsValid()) {
        m_radio.RadioStatusRead(fromBios ? 1 : 0, status);
    } else {
        int32_t legacy = 0;
        m_radio.LegacyRadioStateGet(legacy);
    }
    m_context.osds.HideOtherOsds(OsdKind::Radio);
    if (!m_radioDisplay->HasWindow()) {
        m_radioDisplay->SetSelectorMode(m_context.capabilities.IsSet(kRadioSelector));
        if (m_context.osds.OsdAllowed()) m_radioDisplay->Open(m_context.window.Handle());
    }
    if (m_radioDisplay->HasWindow()) {
        m_radioDisplay->Refresh();
        if (m_radioDisplay->HasPictures()) {
            m_radioDisplay->Show(true);
            m_drawRadio(m_radioDisplay->PictureId());
        } else {
            // Nothing installed to show.
            m_radioDisplay->Close();
        }
    }
    messages::Broadcast(messages::kWirelessToggle, 0, 0);
}

void CRadioDisplayFeature::ShowKeyboardLight(int level, bool absolute)
{
    m_context.osds.HideOtherOsds(OsdKind::KeyboardLight);
    if (m_keyboardDisplay->HasDisplay() && !m_keyboardDisplay->HasWindow() && m_context.osds.OsdAllowed())
        m_keyboardDisplay->Open();
    if (absolute) m_keyboardDisplay->SetLevel(level);
    if (m_keyboardDisplay->Refresh(absolute) && m_keyboardDisplay->HasWindow()) m_keyboardDisplay->Show(true);
    messages::Broadcast(messages::kChangeBacklitKeyboardState,
                        static_cast<WPARAM>(m_keyboardDisplay->Level()), 0);
}
