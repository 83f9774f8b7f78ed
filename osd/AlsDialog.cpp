#include "AlsDialog.h"

#include "DraggedDialog.h"
#include "Dpi.h"
#include "OsdGeometry.h"
#include "OsdPictures.h"
#include "OsdResources.h"
#include "OsdTimerIds.h"
#include "SettingNames.h"
#include "Settings.h"
#include "TavrinStrings.h"
#include "TextLoader.h"

#include <string>

namespace {

constexpr wchar_t kPreferencesProgram[] = L"brightness.exe";
constexpr wchar_t kLinkFace[] = L"Tahoma";
constexpr int kLinkHeight = 15;
constexpr int kLinkWeight = 500;
constexpr COLORREF kFace = RGB(255, 255, 255);
constexpr int kPictureSide = 48;

// The command line exactly as given, no working directory.
bool StartProgram(const wchar_t* commandLine)
{
    std::wstring line = commandLine;
    STARTUPINFOW startup{sizeof(STARTUPINFOW)};
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return false;
    const UniqueHandle thread(process.hThread);
    const UniqueHandle started(process.hProcess);
    return true;
}

// The pictures are drawn for 96 dots per inch and grow with the dialog.
HGDIOBJ LoadPicture(UINT id, int side)
{
    return ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, side, side,
                        LR_CREATEDIBSECTION);
}

} // namespace

CAlsDialog::CAlsDialog(Launcher launcher)
    : CDialog(kTemplateId)
    , m_launcher(launcher ? std::move(launcher) : Launcher(&StartProgram))
    , m_link(*this, IDC_ALS_LINK)
    , m_background(::CreateSolidBrush(kFace))
{}

CAlsDialog::~CAlsDialog()
{
    Close();
}

BOOL CAlsDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    const int side = CDpi(m_hWnd).Scale(kPictureSide);
    m_onPicture.reset(LoadPicture(IDB_ALS_ON, side));
    m_offPicture.reset(LoadPicture(IDB_ALS_OFF, side));
    ::SendDlgItemMessageW(m_hWnd, IDC_ALS_ON_PICTURE, STM_SETIMAGE, IMAGE_BITMAP,
                          reinterpret_cast<LPARAM>(m_onPicture.get()));
    ::SendDlgItemMessageW(m_hWnd, IDC_ALS_OFF_PICTURE, STM_SETIMAGE, IMAGE_BITMAP,
                          reinterpret_cast<LPARAM>(m_offPicture.get()));
    ::SetWindowTextW(m_link.GetSafeHwnd(), texts::LoadSelected(IDS_ALS_CLICK_HERE).c_str());
    m_link.SetLink(true);
    // The link's height is given for 96 dots per inch, like the rest of the dialog.
    m_link.SetFont(kLinkFace, CDpi(m_hWnd).Scale(kLinkHeight), kLinkWeight);
    Place();
    return FALSE;
}

void CAlsDialog::Place()
{
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    RECT desktop{};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    const CSettings settings;
    const POINT saved{static_cast<LONG>(settings.ReadDword(setting_names::kAlsDlgX, 0)),
                      static_cast<LONG>(settings.ReadDword(setting_names::kAlsDlgY, 0))};
    const POINT place = osd_geometry::CornerDialogPosition(
        saved, {window.right - window.left, window.bottom - window.top}, desktop);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, place.x, place.y, 0, 0, SWP_NOSIZE);
}

bool CAlsDialog::ShowState(int state)
{
    if (!IsOpen()) {
        m_timerRunning = false;
        if (!CreateModeless(nullptr)) return false;
    }
    m_state = state != 0 ? 1 : 0;
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_ALS_ON_PICTURE), m_state ? SW_SHOWNA : SW_HIDE);
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_ALS_OFF_PICTURE), m_state ? SW_HIDE : SW_SHOWNA);
    ::SetDlgItemTextW(m_hWnd, IDC_ALS_TEXT,
                      texts::LoadSelected(m_state ? IDS_ALS_ENABLED : IDS_ALS_DISABLED).c_str());
    ::ShowWindow(m_hWnd, SW_SHOW);
    RestartTimer();
    return true;
}

void CAlsDialog::RestartTimer()
{
    m_timerRunning = SetTimer(OsdTimerNumber(OsdTimerId::AlsClose), kAlsCloseMs) != 0;
}

void CAlsDialog::Close()
{
    if (!IsOpen()) return;
    OnCancel();
}

void CAlsDialog::OpenPreferences()
{
    m_launcher(kPreferencesProgram);
    Close();
}

INT_PTR CAlsDialog::DialogMessage(UINT msg, WPARAM wp, LPARAM lp)
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
        return reinterpret_cast<INT_PTR>(m_background.get());
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lp) != m_link.GetSafeHwnd()) {
            ::SetBkColor(reinterpret_cast<HDC>(wp), kFace);
            return reinterpret_cast<INT_PTR>(m_background.get());
        }
        break;
    case WM_COMMAND:
        if (LOWORD(wp) == IDC_ALS_LINK && HIWORD(wp) == STN_CLICKED) {
            OpenPreferences();
            return TRUE;
        }
        break;
    default:
        break;
    }
    return CDialog::DialogMessage(msg, wp, lp);
}

void CAlsDialog::OnTimer(UINT_PTR id)
{
    if (id == OsdTimerNumber(OsdTimerId::AlsClose)) Close();
}

void CAlsDialog::SavePosition() const
{
    RECT window{};
    if (!::GetWindowRect(m_hWnd, &window)) return;
    const CSettings settings;
    settings.WriteDword(setting_names::kAlsDlgX, static_cast<DWORD>(window.left));
    settings.WriteDword(setting_names::kAlsDlgY, static_cast<DWORD>(window.top));
}

void CAlsDialog::OnDestroy()
{
    m_timerRunning = false;
    SavePosition();
    CDialog::OnDestroy();
}
