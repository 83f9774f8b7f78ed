#pragma once
#include "Dialog.h"
#include <windows.h>
#include <string>

// The About box: the numbered "Version" text and the program's product version.
class CAboutDlg : public CDialog {
public:
    CAboutDlg();

    // major.minor.build of the product version; empty without a version resource.
    static std::wstring FormatVersion(const VS_FIXEDFILEINFO& info);
    static std::wstring ProgramVersion(HMODULE module);

protected:
    BOOL OnInitDialog() override;
};
