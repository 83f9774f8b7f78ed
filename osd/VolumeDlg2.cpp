#include "VolumeDlg2.h"

#include "OsdPictures.h"
#include "OsdTimerIds.h"
#include "PanelDrawing.h"

using namespace osd_geometry;

CVolumeDlg2::CVolumeDlg2(HWND owner) : CVolumeDlg(owner) {}

CVolumeDlg2::~CVolumeDlg2()
{
    Close();
}

void CVolumeDlg2::Place()
{
    m_screen = osd_drawing::DesktopSize();
    m_layout = VolumePanel(m_screen, osd_drawing::PictureSize(IDB_OSD_SPEAKER),
                           osd_drawing::PictureSize(IDB_OSD_PLUS));
}

BOOL CVolumeDlg2::OnInitDialog()
{
    CVolumeDlg::OnInitDialog();
    Place();
    SetUpLayered(m_layout.window);
    return FALSE;
}

void CVolumeDlg2::OnShowDisplay()
{
    if (!(osd_drawing::DesktopSize() == m_screen)) Place();
    Replace(m_layout.window);
}

void CVolumeDlg2::ShowVolume(int level, int range, bool muted)
{
    if (m_buffer.Create(m_layout.window.width, m_layout.window.height)) {
        {
            osd_drawing::CCanvas canvas(m_buffer);
            if (canvas.IsReady()) {
                Gdiplus::Graphics& graphics = canvas.Graphics();
                panel_drawing::FillPanel(graphics, m_layout.window.width, m_layout.window.height);
                panel_drawing::DrawKeyedPicture(canvas, muted ? IDB_OSD_SPEAKER_MUTED : IDB_OSD_SPEAKER,
                                                m_layout.symbol);
                panel_drawing::DrawKeyedPicture(canvas, IDB_OSD_MINUS, m_layout.minus);
                panel_drawing::DrawKeyedPicture(canvas, IDB_OSD_PLUS, m_layout.plus);
                for (const PanelSegment& segment : PanelVolumeSegments(m_layout.bar.x, level, range)) {
                    panel_drawing::FillMark(graphics,
                                            {segment.x, m_layout.bar.y, segment.litWidth, kPanelMarkHeight},
                                            kPanelMarkLit);
                    panel_drawing::FillMark(graphics,
                                            {segment.x + segment.litWidth, m_layout.bar.y,
                                             segment.width - segment.litWidth, kPanelMarkHeight},
                                            kPanelMarkUnlit);
                }
            }
        }
        osd_drawing::Present(m_hWnd, m_buffer, {m_layout.window.x, m_layout.window.y},
                             panel_drawing::PanelBlend(), 0, ULW_ALPHA);
    }
    SetTimer(OsdTimerNumber(OsdTimerId::VolumeHold), kOsdCloseMs);
}

void CVolumeDlg2::OnTimer(UINT_PTR id)
{
    if (id == OsdTimerNumber(OsdTimerId::VolumeHold)) Close();
}

void CVolumeDlg2::OnDestroy()
{
    m_buffer.Release();
    CVolumeDlg::OnDestroy();
}
