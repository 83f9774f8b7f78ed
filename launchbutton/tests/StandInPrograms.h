#pragma once
#include "UniqueHandle.h"

#include <string>
#include <vector>

// Every optional program the launch button can start, installed in the test
// prefix as copies of the stand-in (which logs how it was started), with the
// wireless display's uninstall entry and the network list's DLL; all removed
// again on destruction.
class CStandInPrograms {
public:
    // A web browser the tests register for the http scheme.
    static constexpr wchar_t kWebBrowser[] = L"C:\\Quillon\\Tools\\quillbrowse.exe";

    // The stand-ins log to `log` and end when "TavrinTestStandInFinish" is set.
    explicit CStandInPrograms(const std::wstring& log);
    ~CStandInPrograms();
    CStandInPrograms(const CStandInPrograms&) = delete;
    CStandInPrograms& operator=(const CStandInPrograms&) = delete;

    // True when every program was copied into place.
    bool Installed() const { return m_complete; }
    const std::vector<std::wstring>& Paths() const { return m_installed; }
    // Copies of the stand-in running now.
    int Running() const;

private:
    bool Install(const wchar_t* standIn, const std::wstring& path);

    UniqueHandle m_finish;
    std::vector<std::wstring> m_installed;
    bool m_complete = true;
};
