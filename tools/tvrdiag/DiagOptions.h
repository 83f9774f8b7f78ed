#pragma once
#include <string>
#include <vector>

// The command line of tvrdiag: no arguments prints the report; --help (or
// -h, /?) prints the usage; anything else is a mistake.
class CDiagOptions {
public:
    enum class Action { Report, Help, Mistake };

    explicit CDiagOptions(const std::vector<std::wstring>& arguments);

    Action What() const { return m_action; }
    // The argument that was not understood (empty unless Mistake).
    const std::wstring& Unknown() const { return m_unknown; }

    static const char* Usage();

private:
    Action m_action = Action::Report;
    std::wstring m_unknown;
};
