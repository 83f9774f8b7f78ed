#pragma once
#include <string>
#include <vector>

// The command line of tvrdiag: no arguments prints the report; --help (or
// -h, /?) prints the usage; anything else is a mistake.
class CDiagOptions {
public:
    enum class Action { Report, Help, Mistake };

    explicit CDiagOptions(const std::vector<std::wstring>& arguments);

    Action What() const { return action_; }
    // The argument that was not understood (empty unless Mistake).
    const std::wstring& Unknown() const { return unknown_; }

    static const char* Usage();

private:
    Action action_ = Action::Report;
    std::wstring unknown_;
};
