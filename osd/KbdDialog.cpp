#include "KbdDialog.h"

CKbdDialog::CKbdDialog(const KbdDialogParams& params)
    : COsdDialog(kTemplateId, nullptr), m_bios(params.bios), m_lightReported(params.lightReported)
{}

void CKbdDialog::ReadCapability()
{
    backlightSupported = false;
    backlightMax = 0;
    if (!m_lightReported) return;
    const std::optional<int> levels = m_bios.ReadLightLevels();
    if (!levels) return;
    backlightSupported = true;
    backlightMax = *levels;
}
