#include "MeterCommandLine.h"

#include <cwctype>

namespace {

bool IsSwitch(const std::wstring& argument)
{
    return argument.size() > 1 && (argument[0] == L'-' || argument[0] == L'/');
}

// A health index as written: digits only, at most two (0..6 are the known ones).
std::optional<int> Number(const std::wstring& text)
{
    if (text.empty() || text.size() > 2) return std::nullopt;
    int value = 0;
    for (wchar_t c : text) {
        if (!std::iswdigit(c)) return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    return value;
}

std::wstring Upper(std::wstring text)
{
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

} // namespace

CMeterCommandLine::CMeterCommandLine(const std::vector<std::wstring>& arguments)
{
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        if (!IsSwitch(argument)) {
            m_words.push_back(argument);
            continue;
        }
        const std::wstring name = argument.substr(1);
        const bool hasValue = i + 1 < arguments.size() && !IsSwitch(arguments[i + 1]);
        if (name == L"PAGE") {
            if (hasValue) m_page = arguments[++i];
        } else if (name == L"BHI") {
            if (hasValue) {
                m_healthIndex = Number(arguments[i + 1]);
                ++i;
            }
        } else if (name == L"PF") {
            m_permanentFailure = true;
        } else if (hasValue) {
            // An unknown switch takes its value with it.
            ++i;
        }
    }
}

wchar_t CMeterCommandLine::PageLetter() const
{
    return m_page && !m_page->empty() ? (*m_page)[0] : L'\0';
}

int CMeterCommandLine::FirstPage(const Pages& pages, bool k7) const
{
    int page = 0;
    auto choose = [&](int index) {
        if (index >= 0 && index < pages.count) page = index;
    };
    for (const std::wstring& given : m_words) {
        const std::wstring word = pages.chargeDisablingSupported ? Upper(given) : given;
        if (word == L"H") {
            page = pages.health >= 0 && pages.health < pages.count ? pages.health : 0;
        } else if (word == L"DOCK") {
            choose(pages.count - 1);
        } else if (word == L"1" || word == L"2" || word == L"3") {
            choose(word[0] - L'0');
        } else if (word == L"BCD" && pages.chargeDisablingSupported) {
            choose(1);
        }
    }
    if (k7 && m_page) {
        if (*m_page == L"HEALTH") choose(pages.health);
        if (*m_page == L"DESKTOPMODE") page = pages.desktopMode >= 0 ? pages.desktopMode : 0;
    }
    return page;
}
