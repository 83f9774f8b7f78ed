#include "RadioDlg2.h"

#include "OsdTimerIds.h"
#include "PanelDrawing.h"
#include "StatusGeometry.h"
#include "StatusPanel.h"

using namespace osd_geometry;

CRadioDlg2::CRadioDlg2(const RadioDlgParams& params) : CRadioDlg(params) {}

CRadioDlg2::~CRadioDlg2()
{
    Close();
}

void CRadioDlg2::Place()
{
    m_screen = osd_drawing::DesktopSize();
    m_place = status_geometry::RadioPanelWindow(m_screen, static_cast<int>(m_pictures.size()));
}

BOOL CRadioDlg2::OnInitDialog()
{
    CRadioDlg::OnInitDialog();
    Place();
    SetUpLayered(m_place);
    return FALSE;
}

void CRadioDlg2::OnShowDisplay()
{
    Place();
    Replace(m_place);
}

void CRadioDlg2::Refresh()
{
    ReadFlags();
    m_pictures = flags.PanelPictures();
    pictureId = m_pictures.empty() ? 0 : m_pictures.front();
}

void CRadioDlg2::Start()
{
    // The panel's width follows the radios shown.
    Place();
    Replace(m_place);
    if (m_buffer.Create(m_place.width, m_place.height)) {
        {
            osd_drawing::CCanvas canvas(m_buffer);
            if (canvas.IsReady()) {
                status_panel::DrawPanel(canvas.Graphics(), m_place.width, m_place.height);
                int x = status_panel::kMargin;
                for (UINT picture : m_pictures) {
                    status_panel::DrawSymbol(canvas, picture, {x, status_panel::kMargin});
                    x += status_panel::kSymbolSize;
                }
            }
        }
        osd_drawing::Present(m_hWnd, m_buffer, {m_place.x, m_place.y}, panel_drawing::PanelBlend(), 0,
                             ULW_ALPHA);
    }
    SetTimer(OsdTimerNumber(OsdTimerId::RadioClose), kRadioPanelCloseMs);
}

void CRadioDlg2::OnTimer(UINT_PTR id)
{
    if (id == OsdTimerNumber(OsdTimerId::RadioClose)) Close();
}

void CRadioDlg2::OnDestroy()
{
    m_buffer.Release();
    CRadioDlg::OnDestroy();
}
