// tvrdiag: the support engineer's view of what the suite sees on a machine.
#include <cstdio>
#include <string>
#include <vector>

#include "AcpiWmi.h"
#include "DiagOptions.h"
#include "DiagReport.h"

namespace {

constexpr int kExitReport = 0;
constexpr int kExitUsage = 2;

std::string Utf8(const std::wstring& text) {
    std::string out;
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                        nullptr, nullptr);
    out.resize(n > 0 ? n : 0);
    if (n > 0) {
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr,
                              nullptr);
    }
    return out;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const CDiagOptions options(std::vector<std::wstring>(argv + 1, argv + argc));
    switch (options.What()) {
    case CDiagOptions::Action::Help:
        std::fputs(CDiagOptions::Usage(), stdout);
        return kExitReport;
    case CDiagOptions::Action::Mistake:
        std::fprintf(stderr, "tvrdiag: unknown argument: %s\n\n%s", Utf8(options.Unknown()).c_str(),
                     CDiagOptions::Usage());
        return kExitUsage;
    case CDiagOptions::Action::Report:
        break;
    }
    CAcpiWmi bios;
    std::fputs(CDiagReport(bios).Text().c_str(), stdout);
    return kExitReport;
}
