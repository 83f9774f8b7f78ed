#include "BrightnessDlg2.h"

#include "AlsStatus.h"
#include "OsdPictures.h"
#include "OsdTimerIds.h"
#include "PanelDrawing.h"
#include "TavrinStrings.h"
#include "TextLoader.h"

using namespace osd_geometry;

CBrightnessDlg2::CBrightnessDlg2(const BrightnessDlgParams& params) : CBrightnessDlg(params)
{
    SetWritesAlways(true);
}

CBrightnessDlg2::~CBrightnessDlg2()
{
    Close();
}

void CBrightnessDlg2::Place()
{
    m_screen = osd_drawing::DesktopSize();
    m_symbol = osd_drawing::PictureSize(IDB_OSD_SUN);
    m_layout = BrightnessPanel(m_screen, m_symbol, osd_drawing::PictureSize(IDB_OSD_PLUS));
}

BOOL CBrightnessDlg2::OnInitDialog()
{
    CBrightnessDlg::OnInitDialog();
    Place();
    SetUpLayered(m_layout.window);
    m_alsAnswered = ReadAlsEnabled(Bios()).has_value();
    return FALSE;
}

void CBrightnessDlg2::OnShowDisplay()
{
    if (!(osd_drawing::DesktopSize() == m_screen)) Place();
    Replace(m_layout.window);
}

void CBrightnessDlg2::ShowLevel(int level)
{
    shownLevel = ClampLevel(level);
    if (m_buffer.Create(m_layout.window.width, m_layout.window.height)) {
        {
            osd_drawing::CCanvas canvas(m_buffer);
            if (canvas.IsReady()) {
                Gdiplus::Graphics& graphics = canvas.Graphics();
                panel_drawing::FillPanel(graphics, m_layout.window.width, m_layout.window.height);
                panel_drawing::DrawKeyedPicture(canvas, IDB_OSD_SUN, m_layout.symbol);
                panel_drawing::DrawKeyedPicture(canvas, IDB_OSD_MINUS, m_layout.minus);
                panel_drawing::DrawKeyedPicture(canvas, IDB_OSD_PLUS, m_layout.plus);
                for (int i = 0; i < kPanelBarCount; ++i)
                    panel_drawing::FillMark(graphics,
                                            {m_layout.bar.x + kPanelBarPitch * i, m_layout.bar.y,
                                             kPanelBarWidth, kPanelMarkHeight},
                                            PanelBarLit(i, shownLevel, levelMax) ? kPanelMarkLit
                                                                                 : kPanelMarkUnlit);
                const std::optional<bool> sensor = m_alsAnswered ? ReadAlsEnabled(Bios()) : std::nullopt;
                if (sensor)
                    panel_drawing::DrawCentredText(
                        graphics, texts::LoadSelected(*sensor ? IDS_ALS_ENABLED : IDS_ALS_DISABLED),
                        m_layout.window.width, PanelTextCentreY(m_layout, m_symbol.height));
            }
        }
        osd_drawing::Present(m_hWnd, m_buffer, {m_layout.window.x, m_layout.window.y},
                             panel_drawing::PanelBlend(), 0, ULW_ALPHA);
    }
    SetTimer(OsdTimerNumber(OsdTimerId::BrightnessClose), kOsdCloseMs);
}

void CBrightnessDlg2::OnTimer(UINT_PTR id)
{
    if (id == OsdTimerNumber(OsdTimerId::BrightnessClose)) Close();
}

void CBrightnessDlg2::OnDestroy()
{
    m_buffer.Release();
    CBrightnessDlg::OnDestroy();
}
