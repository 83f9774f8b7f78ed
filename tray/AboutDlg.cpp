#include "AboutDlg.h"
#include "ModuleFolder.h"
#include "TavrinDialogTexts.h"
#include "TavrinResources.h"
#include "TavrinStrings.h"
#include "TextLoader.h"
#include <cwchar>
#include <vector>

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUT) {}

std::wstring CAboutDlg::FormatVersion(const VS_FIXEDFILEINFO& info)
{
    wchar_t text[48];
    std::swprintf(text, ARRAYSIZE(text), L"%u.%u.%u", HIWORD(info.dwProductVersionMS),
                  LOWORD(info.dwProductVersionMS), HIWORD(info.dwProductVersionLS));
    return text;
}

std::wstring CAboutDlg::ProgramVersion(HMODULE module)
{
    const std::wstring path = ModulePath(module);
    if (path.empty()) return {};
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<BYTE> block(size);
    if (!::GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return {};
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (!::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &infoSize) || !info
        || infoSize < sizeof(VS_FIXEDFILEINFO))
        return {};
    return FormatVersion(*info);
}

// The template's texts are English; each control gets its numbered text in
// the selected language, the version line its number after it.
BOOL CAboutDlg::OnInitDialog()
{
    ::SetWindowTextW(m_hWnd, texts::LoadSelected(IDS_ABOUT_CAPTION).c_str());
    for (const DialogControlText& entry : kTavrinDialogTexts) {
        if (entry.dialog != IDD_ABOUT) continue;
        std::wstring text = texts::LoadSelected(entry.text);
        if (entry.control == IDC_ABOUT_VERSION) text += L" " + ProgramVersion(nullptr);
        ::SetDlgItemTextW(m_hWnd, entry.control, text.c_str());
    }
    return TRUE;
}
