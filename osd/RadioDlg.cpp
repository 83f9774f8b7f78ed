#include "RadioDlg.h"

#include "KeyboardFunctionBios.h"
#include "WirelessCtrlBIOS.h"

CRadioDlg::CRadioDlg(const RadioDlgParams& params)
    : COsdDialog(kTemplateId, params.owner)
    , m_radio(params.radio)
    , m_bios(params.bios)
    , m_choiceApplied(params.choiceApplied)
{}

bool CRadioDlg::CallsValid() const
{
    return m_radio && m_radio->CallsValid();
}

void CRadioDlg::ReadFlags()
{
    flags = RadioFlags::FromStatus(m_radio ? m_radio->RadioStatus() : 0);
    m_selector.Press(flags.radiosOn);
    pictureId = RadioTilePicture(m_selector.ShowsOn(flags.radiosOn));
}

void CRadioDlg::BeginSelector()
{
    if (!m_selector.IsActive()) return;
    m_selector.Begin(CKeyboardFunctionBios(m_bios).ReadRadioSelector());
}

void CRadioDlg::ApplyChoice()
{
    bool on = false;
    if (!m_selector.TakeChoice(on) || !m_radio) return;
    int32_t state = 0;
    if (m_radio->CallsValid()) {
        m_radio->RadioDisableSet(0, on ? 0 : 1);
    } else {
        m_radio->LegacyRadioStateSet(on ? 1 : 0, state);
    }
    if (m_choiceApplied) m_choiceApplied(on);
}
