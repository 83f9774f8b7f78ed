#include "AboutDlg.h"
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
    wchar_t path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameW(module, path, ARRAYSIZE(path));
    if (length == 0 || length >= ARRAYSIZE(path)) return {};
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeW(path, &ignored);
    if (size == 0) return {};
    std::vector<BYTE> block(size);
    if (!::GetFileVersionInfoW(path, 0, size, block.data())) return {};
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (!::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &infoSize) ||
        !info || infoSize < sizeof(VS_FIXEDFILEINFO))
        return {};
    return FormatVersion(*info);
}

BOOL CAboutDlg::OnInitDialog()
{
    std::wstring line = texts::LoadSelected(IDS_VERSION) + L" " + ProgramVersion(nullptr);
    ::SetDlgItemTextW(m_hWnd, IDC_ABOUT_VERSION, line.c_str());
    return TRUE;
}
