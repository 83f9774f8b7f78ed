#include "DiagOptions.h"

namespace {

bool IsHelp(const std::wstring& argument)
{
    return argument == L"--help" || argument == L"-h" || argument == L"/?";
}

} // namespace

CDiagOptions::CDiagOptions(const std::vector<std::wstring>& arguments)
{
    for (const std::wstring& argument : arguments) {
        if (!IsHelp(argument)) {
            m_action = Action::Mistake;
            m_unknown = argument;
            return;
        }
        m_action = Action::Help;
    }
}

const char* CDiagOptions::Usage()
{
    return "Usage: tvrdiag [--help]\n"
           "\n"
           "Prints what the Tavrin suite sees on this machine: the ACPI-WMI BIOS\n"
           "interface and its data buffer, the SMBIOS identity (maker flags, system id,\n"
           "capability words), the setting tokens with their current readings, and the\n"
           "hardware-configuration feature bits.\n"
           "\n"
           "Exit codes: 0 report printed, 2 the command line was not understood.\n";
}
