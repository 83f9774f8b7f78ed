#include "KbdDialog1.h"

#include "DraggedDialog.h"
#include "OsdDialogControls.h"
#include "OsdPictures.h"
#include "OsdResources.h"
#include "OsdTimerIds.h"
#include "SettingNames.h"
#include "Settings.h"
#include "StatusGeometry.h"

namespace {

constexpr COLORREF kFace = RGB(0xEE, 0xF2, 0xF7);

UniqueGdiObject LoadBitmap(UINT id)
{
    return UniqueGdiObject(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
}

void SetPicture(HWND dialog, int control, const UniqueGdiObject& bitmap)
{
    ::SendDlgItemMessageW(dialog, control, STM_SETIMAGE, IMAGE_BITMAP,
                          reinterpret_cast<LPARAM>(bitmap.get()));
}

} // namespace

CKbdDialog1::CKbdDialog1(const KbdDialogParams& params)
    : CKbdDialog(params)
    , m_keyboard(LoadBitmap(IDB_KBD_LIGHT_KEYBOARD))
    , m_dark(LoadBitmap(IDB_KBD_LIGHT_DARK))
    , m_lit(LoadBitmap(IDB_KBD_LIGHT_LIT))
    , m_face(::CreateSolidBrush(kFace))
{}

CKbdDialog1::~CKbdDialog1()
{
    Close();
}

BOOL CKbdDialog1::OnInitDialog()
{
    CKbdDialog::OnInitDialog();
    dialog_controls::SetUpDialogStyle(*this);
    SetPicture(m_hWnd, IDC_KBD_PICTURE_KEYBOARD, m_keyboard);
    SetPicture(m_hWnd, IDC_KBD_PICTURE_DARK, m_dark);
    SetPicture(m_hWnd, IDC_KBD_PICTURE_LIT, m_lit);
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    RECT desktop{};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    const CSettings settings;
    const POINT saved{static_cast<LONG>(settings.ReadDword(setting_names::kKbdDlgX, 0)),
                      static_cast<LONG>(settings.ReadDword(setting_names::kKbdDlgY, 0))};
    const POINT place = status_geometry::KeyboardDialogPosition(
        saved, {window.right - window.left, window.bottom - window.top}, desktop);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    return FALSE;
}

bool CKbdDialog1::Refresh(bool absolute)
{
    if (!absolute) {
        const CKeyboardFunctionBios::LightState state = Bios().ReadLightState(true);
        if (!state.answered) return false;
        SetLevel(state.level);
    }
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_KBD_PICTURE_KEYBOARD), SW_HIDE);
    const bool lit = backlightLevel != 0;
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_KBD_PICTURE_DARK), lit ? SW_HIDE : SW_SHOWNA);
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_KBD_PICTURE_LIT), lit ? SW_SHOWNA : SW_HIDE);
    RestartTimer();
    return true;
}

void CKbdDialog1::RestartTimer()
{
    m_timerRunning = SetTimer(OsdTimerNumber(OsdTimerId::KeyboardLightClose), kKeyboardDialogCloseMs) != 0;
}

INT_PTR CKbdDialog1::DialogMessage(UINT msg, WPARAM wp, LPARAM lp)
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
        return CKbdDialog::DialogMessage(msg, wp, lp);
    }
}

void CKbdDialog1::OnTimer(UINT_PTR id)
{
    if (id == OsdTimerNumber(OsdTimerId::KeyboardLightClose)) Close();
}

void CKbdDialog1::OnDestroy()
{
    m_timerRunning = false;
    dragged_dialog::SavePosition(m_hWnd, setting_names::kKbdDlgX, setting_names::kKbdDlgY);
    CKbdDialog::OnDestroy();
}
