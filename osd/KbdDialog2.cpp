#include "KbdDialog2.h"

#include "OsdPictures.h"
#include "OsdResources.h"
#include "OsdTimerIds.h"
#include "PanelDrawing.h"
#include "StatusGeometry.h"
#include "StatusPanel.h"

#include <string>

CKbdDialog2::CKbdDialog2(const KbdDialogParams& params) : CKbdDialog(params) {}

CKbdDialog2::~CKbdDialog2()
{
    Close();
}

BOOL CKbdDialog2::OnInitDialog()
{
    CKbdDialog::OnInitDialog();
    ReadCapability();
    m_place = status_geometry::KeyboardPanelWindow(osd_drawing::DesktopSize());
    SetUpLayered(m_place);
    // Its pictures are drawn on the panel, not shown by the template's controls.
    for (int control : {IDC_KBD_PICTURE_KEYBOARD, IDC_KBD_PICTURE_DARK, IDC_KBD_PICTURE_LIT})
        ::ShowWindow(::GetDlgItem(m_hWnd, control), SW_HIDE);
    return FALSE;
}

void CKbdDialog2::OnShowDisplay()
{
    m_place = status_geometry::KeyboardPanelWindow(osd_drawing::DesktopSize());
    Replace(m_place);
}

bool CKbdDialog2::Refresh(bool absolute)
{
    if (!backlightSupported) {
        // Nothing to show: the window goes rather than wait hidden.
        DestroyWindow();
        return false;
    }
    if (!absolute) {
        const CKeyboardFunctionBios::LightState state = Bios().ReadLightState(false);
        SetLevel(state.answered ? state.level : 0);
    }
    Draw();
    SetTimer(OsdTimerNumber(OsdTimerId::KeyboardLightClose), kOsdCloseMs);
    return true;
}

void CKbdDialog2::Draw()
{
    if (!m_buffer.Create(m_place.width, m_place.height)) return;
    {
        osd_drawing::CCanvas canvas(m_buffer);
        if (!canvas.IsReady()) return;
        status_panel::DrawPanel(canvas.Graphics(), m_place.width, m_place.height);
        const bool lit = backlightLevel != 0;
        status_panel::DrawSymbol(canvas, lit ? IDB_PANEL_KBD_LIGHT_ON : IDB_PANEL_KBD_LIGHT_OFF,
                                 {status_panel::kMargin, status_panel::kMargin});
        if (lit && backlightMax > 1)
            status_panel::DrawNumber(canvas.Graphics(), std::to_wstring(backlightLevel), m_place.width,
                                     status_panel::kMargin);
    }
    osd_drawing::Present(m_hWnd, m_buffer, {m_place.x, m_place.y}, panel_drawing::PanelBlend(), 0, ULW_ALPHA);
}

void CKbdDialog2::OnTimer(UINT_PTR id)
{
    if (id == OsdTimerNumber(OsdTimerId::KeyboardLightClose)) Close();
}

void CKbdDialog2::OnDestroy()
{
    m_buffer.Release();
    CKbdDialog::OnDestroy();
}
