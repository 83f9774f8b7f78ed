#include "CommandLineInfoEx.h"

void CCommandLineInfoEx::Parse(const std::vector<std::wstring>& arguments)
{
    for (const std::wstring& argument : arguments) {
        const bool isSwitch = !argument.empty() && (argument[0] == L'/' || argument[0] == L'-');
        ParseParam(isSwitch ? argument.substr(1) : argument, isSwitch);
    }
}

// Only the first parameter after a switch is its value; a second one is
// nobody's.
void CCommandLineInfoEx::ParseParam(const std::wstring& item, bool isSwitch)
{
    if (isSwitch) {
        m_switches[item] = L"TRUE";
        m_lastSwitch = item;
    } else if (!m_lastSwitch.empty()) {
        m_switches[m_lastSwitch] = item;
        m_lastSwitch.clear();
    }
}

std::wstring CCommandLineInfoEx::Value(const std::wstring& name) const
{
    const auto found = m_switches.find(name);
    return found == m_switches.end() ? std::wstring() : found->second;
}
