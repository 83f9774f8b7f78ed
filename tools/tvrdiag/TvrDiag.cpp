// tvrdiag: the support engineer's view of what the suite sees on a machine.
#include <cstdio>
#include <string>
#include <vector>

#include "AcpiWmi.h"
#include "ComInitialization.h"
#include "ComSecurity.h"
#include "DiagOptions.h"
#include "DiagReport.h"
#include "Utf8.h"

namespace {

constexpr int kExitReport = 0;
constexpr int kExitUsage = 2;

} // namespace

int wmain(int argc, wchar_t** argv)
{
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
    // A console tool has no application object: it sets the call security itself.
    const ComInitialization com;
    InitializeComSecurity();
    CAcpiWmi bios;
    std::fputs(CDiagReport(bios).Text().c_str(), stdout);
    return kExitReport;
}
