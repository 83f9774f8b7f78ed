#pragma once
#include <map>
#include <string>
#include <vector>

// The manager's switches ("/NAME" or "-NAME", names case-sensitive), each
// with the value "TRUE" or the parameter that follows it.
class CCommandLineInfoEx {
public:
    void Parse(const std::vector<std::wstring>& arguments);
    bool Has(const std::wstring& name) const { return m_switches.count(name) != 0; }
    std::wstring Value(const std::wstring& name) const;

private:
    void ParseParam(const std::wstring& item, bool isSwitch);

    std::map<std::wstring, std::wstring> m_switches;
    std::wstring m_lastSwitch;
};
