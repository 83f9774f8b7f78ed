#include "PellickDlg.h"

#include "ActuoDialogTexts.h"
#include "ActuoStrings.h"
#include "MessageCatalogue.h"
#include "PellickFunctions.h"
#include "ProcessWindows.h"
#include "PellickPrograms.h"
#include "SettingNames.h"
#include "Settings.h"
#include "TextLoader.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>

namespace {

constexpr uint16_t kAlternativePictureSystems[] = {1221, 1222, 1241, 1242, 1301, 1302, 1307};
constexpr wchar_t kWebScheme[] = L"http://";
constexpr DWORD kFileBufferChars = 1024;

std::wstring Trimmed(const std::wstring& text)
{
    const size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return {};
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

} // namespace

CPellickDlg::CPellickDlg(IBiosCalls& bios, uint16_t systemId)
    : CDialog(IDD_PELLICK)
    , m_pellick(bios)
    , m_alternativePicture(HasAlternativePicture(systemId))
    , m_bringToFront(messages::Register(messages::kMakeUdbWindowTopmost))
{
    OnCommandId(IDC_FUNCTIONS, [this](UINT code) {
        if (code == CBN_SELCHANGE) OnSelectionChange();
    });
    OnCommandId(IDC_BROWSE, [this](UINT) { OnBrowse(); });
    OnCommandId(IDC_RUN, [this](UINT) { OnRun(); });
}

bool CPellickDlg::HasAlternativePicture(uint16_t systemId)
{
    return std::find(std::begin(kAlternativePictureSystems), std::end(kAlternativePictureSystems), systemId)
           != std::end(kAlternativePictureSystems);
}

std::wstring CPellickDlg::StoredWebAddress(const std::wstring& typed)
{
    const std::wstring address = Trimmed(typed);
    if (address.find(L"//") != std::wstring::npos) return address;
    return kWebScheme + address;
}

BOOL CPellickDlg::OnInitDialog()
{
    const HINSTANCE module = ::GetModuleHandleW(nullptr);
    const UINT icon = m_alternativePicture ? IDI_PELLICK_ALT : IDI_PELLICK;
    m_bigIcon.reset(
        static_cast<HICON>(::LoadImageW(module, MAKEINTRESOURCEW(icon), IMAGE_ICON,
                                        ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0)));
    m_smallIcon.reset(static_cast<HICON>(::LoadImageW(module, MAKEINTRESOURCEW(icon), IMAGE_ICON,
                                                      ::GetSystemMetrics(SM_CXSMICON),
                                                      ::GetSystemMetrics(SM_CYSMICON), 0)));
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_bigIcon.get()));
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon.get()));
    m_header = std::make_unique<CHeaderPicture>(module, m_alternativePicture ? IDP_HEADER_ALT : IDP_HEADER);

    ::SetWindowTextW(m_hWnd, texts::LoadSelected(IDS_MANAGER_CAPTION).c_str());
    for (const ActuoControlText& entry : kActuoDialogTexts)
        ::SetDlgItemTextW(m_hWnd, static_cast<int>(entry.control), texts::LoadSelected(entry.text).c_str());

    m_pellick.BuildOfferList();
    const CSettings settings;
    m_function = pellick::FromStored(settings.ReadDword(setting_names::kPellick, pellick::kNotAssigned));
    m_program = settings.ReadText(setting_names::kPellickCmd);
    m_webAddress = settings.ReadText(setting_names::kPellickAddr);

    // The list follows the catalogue's order, whatever order the offer was built in.
    const std::vector<uint32_t>& offered = m_pellick.OfferList();
    for (uint32_t function = 0; function < pellick::kFunctionCount; ++function) {
        if (std::find(offered.begin(), offered.end(), function) == offered.end()) continue;
        m_functions.AddItem(texts::LoadSelected(pellick::LabelId(function)), static_cast<LPARAM>(function));
        m_indexToFunction.push_back(function);
    }
    Refresh();
    ::PostMessageW(m_hWnd, m_bringToFront, 0, 0);
    return TRUE;
}

void CPellickDlg::Show(UINT id, bool shown)
{
    ::ShowWindow(::GetDlgItem(m_hWnd, static_cast<int>(id)), shown ? SW_SHOW : SW_HIDE);
}

void CPellickDlg::Refresh()
{
    for (UINT id : {IDC_PROGRAM_LABEL, IDC_PROGRAM, IDC_BROWSE, IDC_WEB_LABEL, IDC_WEB_ADDRESS})
        Show(id, false);
    ::SetDlgItemTextW(m_hWnd, IDC_PROGRAM, m_program.c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_WEB_ADDRESS, m_webAddress.c_str());
    const auto entry = std::find(m_indexToFunction.begin(), m_indexToFunction.end(), m_function);
    if (entry == m_indexToFunction.end()) {
        // A function the manager does not offer (or no longer can) is reset.
        CSettings().WriteDword(setting_names::kPellick, pellick::kNotAssigned);
        m_function = pellick::kNotAssigned;
        m_functions.Select(0);
    } else {
        m_functions.Select(static_cast<int>(entry - m_indexToFunction.begin()));
    }
    const bool program = m_function == pellick::kLaunchProgram;
    const bool web = m_function == pellick::kOpenWebSite;
    for (UINT id : {IDC_PROGRAM_LABEL, IDC_PROGRAM, IDC_BROWSE}) Show(id, program);
    for (UINT id : {IDC_WEB_LABEL, IDC_WEB_ADDRESS}) Show(id, web);
    const auto testButton = CSettings().TryReadDword(setting_names::kPellickX);
    if (testButton && *testButton != 0) {
        Show(IDC_RUN, true);
        ::EnableWindow(::GetDlgItem(m_hWnd, IDC_RUN), TRUE);
    }
}

void CPellickDlg::OnSelectionChange()
{
    const int index = m_functions.Selection();
    if (index < 0 || static_cast<size_t>(index) >= m_indexToFunction.size()) return;
    // Edits in progress stay when another function is looked at.
    wchar_t text[MAX_PATH] = {};
    ::GetDlgItemTextW(m_hWnd, IDC_PROGRAM, text, MAX_PATH);
    m_program = text;
    ::GetDlgItemTextW(m_hWnd, IDC_WEB_ADDRESS, text, MAX_PATH);
    m_webAddress = text;
    m_function = m_indexToFunction[static_cast<size_t>(index)];
    Refresh();
}

void CPellickDlg::OnBrowse()
{
    std::vector<wchar_t> file(kFileBufferChars, L'\0');
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, folder)))
        wcscpy_s(folder, L"C:\\Program Files");
    OPENFILENAMEW open{};
    open.lStructSize = sizeof(open);
    open.hwndOwner = m_hWnd;
    open.lpstrFilter = L"*.EXE\0*.EXE\0";
    open.lpstrFile = file.data();
    open.nMaxFile = kFileBufferChars;
    open.lpstrInitialDir = folder;
    open.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
    if (!::GetOpenFileNameW(&open)) return;
    m_program = file.data();
    Refresh();
}

// Tries the chosen function without keeping it.
void CPellickDlg::OnRun()
{
    const CSettings settings;
    const auto stored = settings.TryReadDword(setting_names::kPellick);
    settings.WriteDword(setting_names::kPellick, m_function);
    m_pellick.Execute();
    if (stored)
        settings.WriteDword(setting_names::kPellick, *stored);
    else
        settings.WriteDword(setting_names::kPellick, pellick::kNotAssigned);
}

void CPellickDlg::OnOK()
{
    const CSettings settings;
    settings.WriteDword(setting_names::kPellick, m_function);
    wchar_t text[MAX_PATH] = {};
    if (m_function == pellick::kLaunchProgram) {
        ::GetDlgItemTextW(m_hWnd, IDC_PROGRAM, text, MAX_PATH);
        if (!pellick_programs::FileExists(text)) {
            ::MessageBoxW(m_hWnd, texts::LoadSelected(IDS_FILE_MISSING).c_str(),
                          texts::LoadSelected(IDS_MANAGER_CAPTION).c_str(), MB_ICONEXCLAMATION | MB_OK);
            return;
        }
        settings.WriteText(setting_names::kPellickCmd, text);
    }
    if (m_function == pellick::kOpenWebSite) {
        ::GetDlgItemTextW(m_hWnd, IDC_WEB_ADDRESS, text, MAX_PATH);
        settings.WriteText(setting_names::kPellickAddr, StoredWebAddress(text));
    }
    m_indexToFunction.clear();
    EndDialog(IDOK);
}

void CPellickDlg::BringToFront()
{
    ::SetForegroundWindow(m_hWnd);
    constexpr UINT kKeep = SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW;
    ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, kKeep);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, kKeep);
    ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, kKeep);
}

RECT CPellickDlg::ClientRectOf(UINT id) const
{
    RECT rect{};
    ::GetWindowRect(::GetDlgItem(m_hWnd, static_cast<int>(id)), &rect);
    ::MapWindowPoints(HWND_DESKTOP, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void CPellickDlg::Paint()
{
    PAINTSTRUCT paint{};
    const HDC dc = ::BeginPaint(m_hWnd, &paint);
    if (::IsIconic(m_hWnd)) {
        RECT client{};
        ::GetClientRect(m_hWnd, &client);
        const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
        ::DrawIcon(dc, x, y, m_bigIcon.get());
    } else if (m_header) {
        m_header->Draw(dc, CHeaderPicture::Square(ClientRectOf(IDC_PICTURE), ClientRectOf(IDC_FUNCTIONS).top,
                                                  ClientRectOf(IDC_SELECT_FUNCTION).left));
    }
    ::EndPaint(m_hWnd, &paint);
}

INT_PTR CPellickDlg::DialogMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    if (messages::Matches(msg, m_bringToFront)) {
        BringToFront();
        return TRUE;
    }
    if (msg == WM_PAINT) {
        Paint();
        return TRUE;
    }
    return CDialog::DialogMessage(msg, wp, lp);
}
