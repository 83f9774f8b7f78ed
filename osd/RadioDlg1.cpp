#include "RadioDlg1.h"

#include "DraggedDialog.h"
#include "OsdDialogControls.h"
#include "OsdDrawing.h"
#include "OsdTimerIds.h"
#include "SettingNames.h"
#include "Settings.h"
#include "StatusGeometry.h"
#include "WirelessCtrlBIOS.h"

using namespace osd_geometry;

namespace {

// The pictures' own face colour, so that they sit on the dialog seamlessly.
constexpr COLORREF kFace = RGB(0xEE, 0xF2, 0xF7);
constexpr int kFirstPictureId = 1001;

RECT DesktopRect()
{
    RECT desktop{};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    return desktop;
}

} // namespace

CRadioDlg1::CRadioDlg1(const RadioDlgParams& params) : CRadioDlg(params), m_face(::CreateSolidBrush(kFace)) {}

CRadioDlg1::~CRadioDlg1()
{
    Close();
}

BOOL CRadioDlg1::OnInitDialog()
{
    CRadioDlg::OnInitDialog();
    dialog_controls::SetUpDialogStyle(*this);
    const CSettings settings;
    m_saved = {static_cast<LONG>(settings.ReadDword(setting_names::kRadioDlgX, 0)),
               static_cast<LONG>(settings.ReadDword(setting_names::kRadioDlgY, 0))};
    if (!status_geometry::RadioSavedPlaceUsable(m_saved, DesktopRect())) m_saved = {};
    for (int i = 0; i < kMaxPictures; ++i)
        m_controls[static_cast<size_t>(i)]
            = ::CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD | SS_BITMAP, 0, 0, 0, 0, m_hWnd,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstPictureId + i)),
                                ::GetModuleHandleW(nullptr), nullptr);
    return FALSE;
}

void CRadioDlg1::Refresh()
{
    ReadFlags();
    m_pictures = CallsValid() ? flags.DialogPictures() : std::vector<UINT>{};
    m_legacy = m_pictures.empty();
    // With the radio function but no radio in it, its on bit stands for the older state.
    const int32_t state = CallsValid() ? (flags.radiosOn ? 1 : 0) : (Radio() ? Radio()->LegacyState() : 0);
    if (m_legacy) m_pictures = {LegacyRadioPicture(state)};
    pictureId = m_pictures.empty() ? 0 : m_pictures.front();
}

void CRadioDlg1::Start()
{
    m_count = static_cast<int>(std::min<size_t>(m_pictures.size(), kMaxPictures));
    OsdSize picture{};
    for (int i = 0; i < kMaxPictures; ++i) {
        const size_t at = static_cast<size_t>(i);
        const HWND control = m_controls[at];
        if (!control) continue;
        if (i >= m_count) {
            ::ShowWindow(control, SW_HIDE);
            continue;
        }
        UniqueGdiObject bitmap(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_pictures[at]),
                                            IMAGE_BITMAP, 0, 0, 0));
        BITMAP info{};
        if (bitmap && ::GetObjectW(bitmap.get(), sizeof(info), &info) == sizeof(info))
            picture = {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
        ::SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get()));
        // The control shows the new picture before the old one goes.
        m_bitmaps[at] = std::move(bitmap);
        ::SetWindowPos(control, nullptr, status_geometry::RadioDialogPictureX(i, picture.width), 0,
                       picture.width, picture.height, SWP_NOZORDER | SWP_NOACTIVATE);
        ::ShowWindow(control, SW_SHOWNA);
    }
    // The older radio state's single picture fills the window; radios are a tenth apart.
    const OsdSize client = m_legacy ? picture : status_geometry::RadioDialogSize(m_count, picture);
    RECT frame{0, 0, client.width, client.height};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)));
    const OsdSize window{frame.right - frame.left, frame.bottom - frame.top};
    const POINT place = status_geometry::RadioDialogPosition(m_saved, window, DesktopRect());
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, place.x, place.y, window.width, window.height, SWP_NOACTIVATE);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    RestartTimer();
}

void CRadioDlg1::RestartTimer()
{
    m_timerRunning = SetTimer(OsdTimerNumber(OsdTimerId::RadioClose), kOsdCloseMs) != 0;
}

INT_PTR CRadioDlg1::DialogMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    INT_PTR result = FALSE;
    if (dragged_dialog::OnMessage(
            m_hWnd, msg, lp,
            [this] {
                if (m_timerRunning) RestartTimer();
            },
            result))
        return result;
    switch (msg) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        ::SetBkColor(reinterpret_cast<HDC>(wp), kFace);
        return reinterpret_cast<INT_PTR>(m_face.get());
    default:
        return CRadioDlg::DialogMessage(msg, wp, lp);
    }
}

void CRadioDlg1::OnTimer(UINT_PTR id)
{
    if (id == OsdTimerNumber(OsdTimerId::RadioClose)) Close();
}

void CRadioDlg1::SavePosition()
{
    dragged_dialog::SavePosition(m_hWnd, setting_names::kRadioDlgX, setting_names::kRadioDlgY, &m_saved);
}

void CRadioDlg1::OnDestroy()
{
    m_timerRunning = false;
    SavePosition();
    for (HWND& control : m_controls) control = nullptr;
    CRadioDlg::OnDestroy();
}
